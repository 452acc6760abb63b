// CMainDoc::OpenInstance: a published instance file as a new network document; and the companion
// file that keeps its node positions beside the document file.
#include <filesystem>
#include <fstream>

#include "document/MainDoc.h"
#include "document/SafeSave.h"

int CMainDoc::OpenInstance(const std::string& path) {
    m_nDocKind = m_solver.m_nKind = KIND_NETWORK;
    const CInstanceRead read = ReadInstanceInto(m_solver, path, NetworkWindowInstanceLimits());
    if (!read.reason.empty()) {
        m_strLoadError = read.reason;
        Platform().pDialogs->ShowMessage(EBoxKind::Warning,
                                         "Cannot open " + path + ":\n" + read.reason + ".");
        return 0;
    }
    m_strLoadError.clear();
    m_strNodes = std::to_string(m_solver.m_nNodes);
    m_results.Clear();
    m_bFromFile = 1;  // the network is given: binding the document to its kind keeps it
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    m_layout.name = read.name;
    m_layout.source = error ? path : absolute.lexically_normal().string();
    m_layout.positions = read.positions;
    return 1;
}

int CMainDoc::SaveLayoutBeside(const std::string& documentPath) {
    const std::string path = LayoutPathFor(documentPath);
    if (!m_layout.PlacesNodes(m_solver.m_nNodes)) {
        // A companion left from an earlier document of that name would place this one's nodes.
        std::error_code error;
        std::filesystem::remove(path, error);
        return 1;
    }
    const std::string reason = WriteFileSafely(path, LayoutFileText(m_layout));
    if (reason.empty()) return 1;
    Platform().pDialogs->ShowMessage(EBoxKind::Warning, "Cannot write the node positions " + path + ":\n" +
                                                            reason + ".\nThe document itself is saved.");
    return 0;
}

int CMainDoc::OpenLayoutBeside(const std::string& documentPath) {
    const std::string path = LayoutPathFor(documentPath);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return 1;
    std::ifstream file(path, std::ios::binary);
    std::string text;
    ReadStreamText(file, text);
    CLayoutRead read = ReadLayoutText(text, path);
    if (read.error.empty() && !read.layout.PlacesNodes(m_solver.m_nNodes))
        read.error = path + ": " + std::to_string(read.layout.positions.x.size()) +
                     " node positions; the document has " + std::to_string(m_solver.m_nNodes) + " nodes";
    if (!file && !file.eof()) read.error = path + ": cannot read the file";
    if (!read.error.empty()) {
        Platform().pDialogs->ShowMessage(EBoxKind::Warning, "The node positions are left aside:\n" +
                                                                read.error +
                                                                ".\nThe drawing shows the nodes on a ring.");
        return 0;
    }
    m_layout = std::move(read.layout);
    return 1;
}
