// CMainDoc::ImportTextMatrix: a weight matrix from a text file in the report's row format (every
// line holding a ':' is the next row), chosen by the user. A file whose numbered rows make a
// larger matrix than the window's node count asks whether to take the whole matrix instead of its
// corner.
//
// A file that cannot be read, a published instance file and a file without a single row are
// refused with a message naming the file and the reason, and the network stays as it was: an
// import that found nothing to import must not zero it.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>
#include <vector>

#include "document/InstanceFileCheck.h"
#include "document/MainDoc.h"
#include "document/SafeSave.h"
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
    if (!m_solver.m_ppWeight) return 0;
    auto refuse = [&](const std::string& reason) {
        Platform().pDialogs->ShowMessage(EBoxKind::Warning, "Cannot import " + path + ":\n" + reason + ".");
        return 0;
    };
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return refuse("it is a folder");
    std::ifstream file(path, std::ios::binary);
    if (!file) return refuse("cannot read the file");
    std::string text;
    ReadStreamText(file, text);
    if (file.bad()) return refuse("cannot read the file");
    if (IsInstanceFileText(std::string_view(text).substr(0, 256))) return refuse(InstanceFileRefusal());
    const int nodes = NodesToImport(text, path, m_solver.m_nNodes, m_nDocKind);
    if (nodes != m_solver.m_nNodes) {
        if (!SetNodeCount(nodes)) return 0;
        m_strNodes = std::to_string(nodes);
    }
    CSquareMatrix<int32_t>& weight = m_solver.m_ppWeight;
    const std::vector<int32_t> before(weight.Data(), weight.Data() + weight.Size());
    std::istringstream rows(text);
    if (ReadTextMatrix(rows, m_solver.m_nNodes, m_nDocKind == KIND_GRAPH ? 1 : 0, weight) == 0) {
        std::copy(before.begin(), before.end(), weight.Data());
        return refuse("it holds no matrix rows (lines with a ':', as the report writes them)");
    }
    m_layout.Clear();
    m_solver.MakeInitialCycle(1, 0);
    return 1;
}
