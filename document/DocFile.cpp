// CMainDoc: the document file. One binary layout for all four kinds (only the extension differs):
// n, kind, initial cycle, matrix, amplitude text, flags, result cycle, random starts text, six
// counters, and for maps the 51 capital flags and the kilometres switch. See docs/file-formats.md.
//
// Loading reads and checks the whole file before it touches the document, so a short or damaged
// file is refused with a reason and never sizes the solver from a bad count.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <vector>

#include "document/Archive.h"
#include "document/InstanceFileCheck.h"
#include "document/MainDoc.h"
#include "document/SafeSave.h"
#include "document/Switches.h"

namespace {

constexpr int kMinNodes = MIN_DOC_NODES;
int MaxNodesOf(int kind) {
    return MaxNodesOfKind(kind);
}

struct CDocFile {
    int n = 0;
    int kind = 0;
    std::vector<int32_t> initial;
    std::vector<int32_t> matrix;
    std::string amplitude;
    int showWeights = 0;
    int maximum = 0;
    int results = 0;
    std::vector<int32_t> result;
    std::string randStarts;
    int32_t counters[6]{};
    int32_t capitals[MAP_CAPITALS + 1]{};
    int useKm = 0;
};

// Reads count int32 values; a file too short for them fails before anything is allocated.
std::vector<int32_t> ReadInts(CArchive& ar, std::size_t count) {
    std::vector<int32_t> values;
    if (!ar.Need(count * 4)) return values;
    values.resize(count);
    for (auto& v : values) v = ar.ReadInt();
    return values;
}

// Positions 1..n must name every node once.
bool IsPermutation(const std::vector<int32_t>& cycle, int n) {
    std::vector<char> seen(n + 1, 0);
    for (int k = 1; k <= n; ++k) {
        const int v = cycle[k];
        if (v < 1 || v > n || seen[v]) return false;
        seen[v] = 1;
    }
    return true;
}

// The widest amplitude (or maximum degree) text any window or quira-cli accepts.
constexpr int kMaxAmplitudeText = 32767;

// The Rand.Starts boxes accept a text whose leading number is 1 to 32767.
bool IsRandStartsText(const std::string& text) {
    const int value = LeadingInt(text);
    return value >= 1 && value <= 32767;
}

// Parses and checks; an empty text means a sound file.
std::string ReadDocFile(CArchive& ar, CDocFile& f) {
    f.n = ar.ReadInt();
    f.kind = ar.ReadInt();
    if (ar.Failed()) return "the file is too short to be a document";
    if (f.kind < KIND_NETWORK || f.kind > KIND_CHECK)
        return "unknown document kind " + std::to_string(f.kind) + " (expected 1 to 4)";
    if (f.n < kMinNodes || f.n > MaxNodesOf(f.kind))
        return "node count " + std::to_string(f.n) + " is out of range (expected " +
               std::to_string(kMinNodes) + " to " + std::to_string(MaxNodesOf(f.kind)) + ")";
    const std::size_t dim = static_cast<std::size_t>(f.n) + 1;
    f.initial = ReadInts(ar, dim);
    f.matrix = ReadInts(ar, dim * dim);
    f.amplitude = ar.ReadString();
    f.showWeights = ar.ReadInt();
    f.maximum = ar.ReadInt();
    f.results = ar.ReadInt();
    f.result = ReadInts(ar, dim);
    f.randStarts = ar.ReadString();
    for (auto& c : f.counters) c = ar.ReadInt();
    if (f.kind == KIND_MAP) {
        for (int k = 1; k <= MAP_CAPITALS; ++k) f.capitals[k] = ar.ReadInt();
        f.useKm = ar.ReadInt();
    }
    if (ar.Failed()) return "the file ends before the document does";
    if (!IsPermutation(f.initial, f.n)) return "the initial cycle is not a cycle through all nodes";
    // Weights beyond what the program itself makes would let a cycle's cost wrap around.
    for (std::size_t i = 1; i < dim; ++i)
        for (std::size_t j = 1; j < dim; ++j) {
            const int32_t w = f.matrix[i * dim + j];
            if (f.kind == KIND_GRAPH && w != 0 && w != 1)
                return "weight " + std::to_string(w) + " of edge " + std::to_string(i) + "-" +
                       std::to_string(j) + " is not a graph weight (expected 0 or 1)";
            if (w < DOC_MIN_WEIGHT || w > DOC_MAX_WEIGHT)
                return "weight " + std::to_string(w) + " of edge " + std::to_string(i) + "-" +
                       std::to_string(j) + " is out of range (expected " + std::to_string(DOC_MIN_WEIGHT) +
                       " to " + std::to_string(DOC_MAX_WEIGHT) + ")";
        }
    if (f.initial[1] != 1) return "the initial cycle does not start at node 1";
    if (f.results < 0 || f.results > 3)
        return "result flags " + std::to_string(f.results) + " are out of range (expected 0 to 3)";
    if (f.results != 0 && !IsPermutation(f.result, f.n))
        return "the result cycle is not a cycle through all nodes";
    if (f.results != 0 && f.result[1] != 1) return "the result cycle does not start at node 1";
    // Every other field holds only what the program itself writes.
    const int amplitude = LeadingInt(f.amplitude);
    if (amplitude < 0 || amplitude > kMaxAmplitudeText)
        return "amplitude '" + f.amplitude + "' is out of range (expected 0 to " +
               std::to_string(kMaxAmplitudeText) + ")";
    if (f.showWeights != 0 && f.showWeights != 1)
        return "the show-weights flag " + std::to_string(f.showWeights) + " is not 0 or 1";
    if (f.maximum != 0 && f.maximum != 1)
        return "the maximum flag " + std::to_string(f.maximum) + " is not 0 or 1";
    if (!IsRandStartsText(f.randStarts))
        return "random starts '" + f.randStarts + "' is not a number of starts (expected 1 to 32767)";
    static const char* const kCounters[] = {"number of tests", "number of different solutions",
                                            "number of cycles found", "polynomial time", "series time"};
    for (int k = 0; k < 5; ++k)
        if (f.counters[k] < 0)
            return std::string("the ") + kCounters[k] + " " + std::to_string(f.counters[k]) + " is negative";
    if (f.kind == KIND_MAP) {
        // Selected capitals are numbered 1, 2, ... in table order, one node each.
        int selected = 0;
        for (int k = 1; k <= MAP_CAPITALS; ++k) {
            if (f.capitals[k] == 0) continue;
            if (f.capitals[k] != selected + 1)
                return "capital " + std::to_string(k) + " has node number " + std::to_string(f.capitals[k]) +
                       " (expected " + std::to_string(selected + 1) + ")";
            ++selected;
        }
        if (selected != f.n)
            return std::to_string(selected) + " capitals are selected for a map of " + std::to_string(f.n) +
                   " nodes";
        if (f.useKm != 0 && f.useKm != 1) return "the kilometres flag " + std::to_string(f.useKm) + " is not 0 or 1";
    }
    return {};
}

}  // namespace

int MaxNodesOfKind(int kind) {
    switch (kind) {
        case KIND_GRAPH:
            return 1024;
        case KIND_MAP:
            return MAP_CAPITALS;
        default:
            return 512;
    }
}

int CMainDoc::Serialize(CArchive& ar) {
    CCycleSolver& s = m_solver;
    const int n = s.m_nNodes;
    if (ar.IsStoring()) {
        ar.WriteInt(n);
        ar.WriteInt(m_nDocKind);
        for (int k = 0; k <= n; ++k) ar.WriteInt(s.m_aInitial[k]);
        for (int i = 0; i <= n; ++i)
            for (int j = 0; j <= n; ++j) ar.WriteInt(s.m_ppWeight ? s.m_ppWeight[i][j] : 0);
        ar.WriteString(m_strAmplitude);
        ar.WriteInt(m_bShowWeights);
        ar.WriteInt(s.m_bMaximum);
        ar.WriteInt(m_results.Stored());
        const bool asRead = DroppedCountersStillApply();
        const int* result = m_results.Stored() != 0 ? s.m_aBest : s.m_aCycle;
        for (int k = 0; k <= n; ++k) ar.WriteInt(asRead ? m_dropped.aResultCycle[k] : result[k]);
        const bool startsAsRead = m_dropped.bValid && m_strRandStarts == "1";
        ar.WriteString(startsAsRead ? m_dropped.strRandStarts : m_strRandStarts);
        const int32_t counters[6] = {m_nTests,
                                     m_nDiffSolutions,
                                     m_nCyclesFound,
                                     static_cast<int32_t>(m_dwPolynMs),
                                     static_cast<int32_t>(m_dwSeriesTime),
                                     static_cast<int32_t>(m_dwCampaignStart)};
        for (int k = 0; k < 6; ++k) ar.WriteInt(asRead ? m_dropped.aCounters[k] : counters[k]);
        if (m_nDocKind == KIND_MAP) {
            for (int k = 1; k <= MAP_CAPITALS; ++k) ar.WriteInt(s.m_bCapitalSelected[k]);
            ar.WriteInt(s.m_bUseKilometers);
        }
        return 1;
    }

    CDocFile f;
    m_strLoadError = ReadDocFile(ar, f);
    if (!m_strLoadError.empty()) return 0;

    const int oldKind = s.m_nKind;
    s.m_nKind = f.kind;
    s.m_bLoading = 1;
    const int allocated = SetNodeCount(f.n);
    s.m_bLoading = 0;
    if (!allocated) {
        s.m_nKind = oldKind;
        m_strLoadError = "not enough memory for " + std::to_string(f.n) + " nodes";
        return 0;
    }
    m_nDocKind = f.kind;
    if (f.kind != KIND_MAP) m_strNodes = std::to_string(f.n);
    const std::size_t dim = static_cast<std::size_t>(f.n) + 1;
    for (std::size_t k = 0; k < dim; ++k) s.m_aInitial[k] = s.m_aCycle[k] = f.initial[k];
    for (std::size_t i = 0; i < dim; ++i)
        for (std::size_t j = 0; j < dim; ++j) s.m_ppWeight[i][j] = f.matrix[i * dim + j];
    m_strAmplitude = f.amplitude;
    m_bShowWeights = f.showWeights;
    s.m_bMaximum = f.maximum;
    m_results = CResults::FromStored(f.results);
    m_optimum = COptimumOutcome{};
    for (std::size_t k = 0; k < dim; ++k) {
        if (f.results != 0)
            s.m_aCycle[k] = s.m_aBest[k] = f.result[k];
        else
            s.m_aCycle[k] = s.m_aBest[k] = s.m_aInitial[k];
    }
    s.m_aInitial[dim] = s.m_aInitial[1];
    s.m_aCycle[dim] = s.m_aCycle[1];
    s.m_aBest[dim] = s.m_aBest[1];
    m_strRandStarts = "1";
    m_strFullTests = "1";
    m_nTests = f.counters[0];
    m_nDiffSolutions = f.counters[1];
    m_nCyclesFound = f.counters[2];
    m_dwPolynMs = static_cast<uint32_t>(f.counters[3]);
    m_dwSeriesTime = static_cast<uint32_t>(f.counters[4]);
    m_dwCampaignStart = static_cast<uint32_t>(f.counters[5]);
    if (f.kind == KIND_MAP) {
        std::copy(std::begin(f.capitals), std::end(f.capitals), s.m_bCapitalSelected);
        // The name lists come with the network build; the stored weights are kept as they are.
        std::vector<int32_t> weights(s.m_ppWeight.Data(), s.m_ppWeight.Data() + s.m_ppWeight.Size());
        s.BuildMapNetwork(f.useKm);
        std::copy(weights.begin(), weights.end(), s.m_ppWeight.Data());
    }
    s.m_nAmplitude = LeadingInt(m_strAmplitude);
    if (f.results == 0) {
        m_nTests = m_nDiffSolutions = m_nCyclesFound = m_nAuxCount = 0;
        m_dwPolynMs = m_dwSeriesTime = m_dwCampaignStart = 0;
    }
    m_dropped.bValid = true;
    m_dropped.strRandStarts = f.randStarts;
    m_dropped.bCounters = f.results == 0;
    m_dropped.aResultCycle = f.result;
    std::copy(std::begin(f.counters), std::end(f.counters), m_dropped.aCounters);
    return 1;
}

bool CMainDoc::DroppedCountersStillApply() const {
    const CCycleSolver& s = m_solver;
    const int n = s.m_nNodes;
    if (!m_dropped.bValid || !m_dropped.bCounters || m_results.Stored() != 0) return false;
    if (m_dropped.aResultCycle.size() != static_cast<std::size_t>(n) + 1) return false;
    if (m_nTests || m_nDiffSolutions || m_nCyclesFound || m_dwPolynMs || m_dwSeriesTime || m_dwCampaignStart)
        return false;
    return std::equal(s.m_aCycle, s.m_aCycle + n + 1, s.m_aInitial);
}

int CMainDoc::OnOpenDocument(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string bytes;
    m_strLoadError.clear();
    if (file) ReadStreamText(file, bytes);
    if (!file && !file.eof()) {
        m_strLoadError = "cannot read the file";
        Platform().pDialogs->ShowMessage(EBoxKind::Warning,
                                         "Cannot open " + path + ":\n" + m_strLoadError + ".");
        return 0;
    }
    CArchive ar(bytes);
    if (IsInstanceFileText(std::string_view(bytes).substr(0, 256))) m_strLoadError = InstanceFileRefusal();
    if (!m_strLoadError.empty() || !Serialize(ar)) {
        Platform().pDialogs->ShowMessage(EBoxKind::Warning,
                                         "Cannot open " + path + ":\n" + m_strLoadError + ".");
        return 0;
    }
    m_bFromFile = 1;
    return 1;
}

int CMainDoc::OnSaveDocument(const std::string& path) {
    CArchive ar;
    Serialize(ar);
    m_strSaveError = WriteFileSafely(path, std::string_view(ar.Bytes().data(), ar.Bytes().size()));
    if (!m_strSaveError.empty()) {
        Platform().pDialogs->ShowMessage(EBoxKind::Warning,
                                         "Cannot save " + path + ":\n" + m_strSaveError + ".");
        return 0;
    }
    // A document written to a device or FIFO has no folder of its own for a report.
    if (g_bAsciiSave && IsRegularOrNew(path) && !WriteReport(ReportPathFor(path))) {
        Platform().pDialogs->ShowMessage(EBoxKind::Warning, "Cannot write the report " + ReportPathFor(path) +
                                                                ":\n" + m_strSaveError + ".");
    }
    return 1;
}

std::string CMainDoc::ReportPathFor(const std::string& documentPath) {
    // Only the file name is searched for its '.', so a '.' in a folder name never cuts the path.
    const std::size_t slash = documentPath.find_last_of("/\\");
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = documentPath.find('.', nameStart);
    if (dot == std::string::npos) return documentPath + ".txt";
    const std::string stem = documentPath.substr(0, dot);
    return documentPath.compare(dot, std::string::npos, ".txt") == 0 ? stem + ".tx" : stem + ".txt";
}
