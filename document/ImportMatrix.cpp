// CMainDoc::ImportTextMatrix: a weight matrix from a text file in the report's row format (every
// line holding a ':' is the next row), chosen by the user.
//
// A file that cannot be read, a published instance file and a file without a single row are
// refused with a message naming the file and the reason, and the network stays as it was: an
// import that found nothing to import must not zero it.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "document/InstanceFileCheck.h"
#include "document/MainDoc.h"
#include "document/TextMatrix.h"

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
    std::ifstream file(path);
    if (!file) return refuse("cannot read the file");
    std::string head(256, '\0');
    file.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(file.gcount()));
    if (IsInstanceFileText(head)) return refuse(InstanceFileRefusal());
    file.clear();
    file.seekg(0);
    CSquareMatrix<int32_t>& weight = m_solver.m_ppWeight;
    const std::vector<int32_t> before(weight.Data(), weight.Data() + weight.Size());
    const int rows = ReadTextMatrix(file, m_solver.m_nNodes, m_nDocKind == KIND_GRAPH ? 1 : 0, weight);
    if (file.bad() || rows == 0) {
        std::copy(before.begin(), before.end(), weight.Data());
        return refuse(file.bad() ? "cannot read the file"
                                 : "it holds no matrix rows (lines with a ':', as the report writes them)");
    }
    m_solver.MakeInitialCycle(1, 0);
    return 1;
}
