// CMainDoc::ImportTextMatrix: a weight matrix from a text file in the report's row format (every
// line holding a ':' is the next row), chosen by the user.
#include <fstream>

#include "document/MainDoc.h"
#include "document/TextMatrix.h"

int CMainDoc::ImportTextMatrix() {
    const std::string path = Platform().pDialogs->ChooseFileToOpen("*.txt", "txt");
    if (path.empty()) return 0;
    return ImportTextMatrixFrom(path);
}

int CMainDoc::ImportTextMatrixFrom(const std::string& path) {
    std::ifstream file(path);
    if (!file || !m_solver.m_ppWeight) return 0;  // a file that cannot be opened is not reported
    ReadTextMatrix(file, m_solver.m_nNodes, m_nDocKind == KIND_GRAPH ? 1 : 0, m_solver.m_ppWeight);
    m_solver.MakeInitialCycle(1, 0);
    return 1;
}
