// CMainDoc::ImportTextMatrix: a weight matrix from a text file in the report's row format (every
// line holding a ':' is the next row), chosen by the user. A file whose numbered rows make a
// larger matrix than the window's node count asks whether to take the whole matrix instead of its
// corner.
#include <fstream>
#include <iterator>
#include <sstream>

#include "document/MainDoc.h"
#include "document/TextMatrix.h"

namespace {

// The node count of the file's whole matrix when it is larger than nodes and the window holds it
// and the user wants it; else nodes.
int NodesToImport(const std::string& text, const std::string& path, int nodes, int kind) {
    const CStrictMatrix whole =
        ReadStrictMatrix(text, path, 0, kind == KIND_GRAPH ? 1 : 0, MaxNodesOfKind(kind));
    if (!whole.error.empty() || whole.nodes <= nodes) return nodes;
    const std::string question =
        "The file holds a matrix of " + std::to_string(whole.nodes) + " nodes; the window has " +
        std::to_string(nodes) + ".\nTake the whole matrix (" + std::to_string(whole.nodes) +
        " nodes)? No takes its first " + std::to_string(nodes) + " rows and columns.";
    return Platform().pDialogs->AskYesNo(question) ? whole.nodes : nodes;
}

}  // namespace

int CMainDoc::ImportTextMatrix() {
    const std::string path = Platform().pDialogs->ChooseFileToOpen("*.txt", "txt");
    if (path.empty()) return 0;
    return ImportTextMatrixFrom(path);
}

int CMainDoc::ImportTextMatrixFrom(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file || !m_solver.m_ppWeight) return 0;  // a file that cannot be opened is not reported
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const int nodes = NodesToImport(text, path, m_solver.m_nNodes, m_nDocKind);
    if (nodes != m_solver.m_nNodes) {
        if (!SetNodeCount(nodes)) return 0;
        m_strNodes = std::to_string(nodes);
    }
    m_layout.Clear();
    std::istringstream rows(text);
    ReadTextMatrix(rows, m_solver.m_nNodes, m_nDocKind == KIND_GRAPH ? 1 : 0, m_solver.m_ppWeight);
    m_solver.MakeInitialCycle(1, 0);
    return 1;
}
