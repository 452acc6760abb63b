// Shared pieces of the document subcommands.
#include "cli/DocCommon.h"

#include <fstream>
#include <iterator>

#include "cli/CliCommon.h"
#include "document/Archive.h"
#include "document/FieldAcceptance.h"
#include "document/InstanceFileCheck.h"
#include "document/MainDoc.h"
#include "document/RandomInstances.h"
#include "document/SafeSave.h"
#include "document/Switches.h"

std::string ConsoleText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t k = 0; k < text.size(); ++k)
        if (!(text[k] == '\r' && k + 1 < text.size() && text[k + 1] == '\n')) out.push_back(text[k]);
    return out;
}

void CConsoleDialogs::ShowMessage(EBoxKind, std::string_view text) {
    messages.push_back(ConsoleText(text));
}

bool CConsoleDialogs::AskYesNo(std::string_view) {
    return true;
}

CConsoleSession::CConsoleSession(uint32_t seed) : m_scope(nullptr, nullptr, &dialogs) {
    Platform().seedOverride = seed;
    g_bWriteParamsOnClose = 0;
}

CConsoleSession::~CConsoleSession() {
    Platform().seedOverride.reset();
}

uint32_t CSeedStream::Next() {
    m_state = m_state * 214013u + 2531011u;
    return m_state;
}

std::unique_ptr<CMainDoc> NewConsoleDocument() {
    g_bWriteParamsOnClose = 0;
    auto doc = std::make_unique<CMainDoc>();
    doc->OnNewDocument();
    // The console allocates the polynomial method's O(n^3) table only when a method needs it.
    doc->m_solver.m_bInsertOnDemand = 1;
    return doc;
}

std::unique_ptr<CMainDoc> OpenConsoleDocument(const std::string& path) {
    // The largest document (1,024 graph nodes) takes about 4 MB.
    const std::string bytes = ReadInputFile(path, "the document", kMaxMatrixBytes);
    if (IsInstanceFileText(std::string_view(bytes).substr(0, 256)))
        throw CInputError(path + ": " + InstanceFileRefusal());
    auto doc = NewConsoleDocument();
    CArchive ar(bytes);
    if (!doc->Serialize(ar)) throw CInputError(path + ": not a QUIRA1 document: " + doc->m_strLoadError);
    doc->m_bFromFile = 1;
    doc->InitKind(doc->m_nDocKind, doc->m_solver.m_nNodes);
    return doc;
}

void SaveConsoleDocument(CMainDoc& doc, const std::string& path) {
    CArchive ar;
    doc.Serialize(ar);
    const std::string reason = WriteFileSafely(path, ar.Bytes());
    if (!reason.empty()) throw CWriteError(path + ": cannot write the document: " + reason);
}

std::unique_ptr<CMainDoc> MakeRandomDocument(int kind, int nodes, int value, bool gener2) {
    const bool graph = kind == KIND_GRAPH;
    RequireRange("--nodes", nodes, MIN_DOC_NODES, MaxNodesOfKind(kind));
    if (!graph) RequireRange("--amplitude", value, MIN_AMPLITUDE, MAX_AMPLITUDE);
    if (graph && (value < MIN_DEGREE || value > nodes - 1))
        throw CInputError("--degree " + std::to_string(value) + ": expected 1 to nodes-1 (" +
                          std::to_string(nodes - 1) + ")");
    auto doc = NewConsoleDocument();
    doc->m_solver.m_nKind = kind;
    doc->InitKind(kind, nodes);
    if (!doc->m_solver.m_bAllocated)
        throw CInputError("--nodes " + std::to_string(nodes) + ": not enough memory: " +
                          doc->m_solver.m_strMemoryRefusal);
    doc->m_strNodes = std::to_string(nodes);
    doc->m_strAmplitude = std::to_string(value);
    doc->m_solver.m_nAmplitude = value;
    if (gener2) {
        doc->m_solver.MakeInitialCycle(1, 0);
        Gener2(doc->m_solver, value);
    } else {
        doc->GenerateRandom();
    }
    return doc;
}
