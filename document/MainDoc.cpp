// CMainDoc: construction and destruction, binding to a kind, random instances, node count, the
// owner-view adapter and the cycle text.
#include "document/MainDoc.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "document/CycleText.h"
#include "document/Params.h"
#include "document/RandomInstances.h"
#include "document/Switches.h"

// ---- Owner-view adapter ----------------------------------------------------------------------------

std::string CDocOwnerView::RandStartsText() const {
    return m_doc.m_strRandStarts;
}
int CDocOwnerView::TestsSoFar() const {
    return m_doc.m_nTests;
}
uint32_t CDocOwnerView::SeriesStartMs() const {
    return m_doc.m_dwSeriesTime;
}
uint32_t CDocOwnerView::CampaignStartMs() const {
    return m_doc.m_dwCampaignStart;
}
void CDocOwnerView::RedrawNow(EDrawingPane pane) {
    if (m_pView) m_pView->RedrawNow(pane);
}

// ---- Life --------------------------------------------------------------------------------------------

CMainDoc::CMainDoc() : m_strNodes("8"), m_strAmplitude("100"), m_strRandStarts("1"), m_strFullTests("1") {}

CMainDoc::~CMainDoc() {
    std::string reason;
    if (g_bWriteParamsOnClose && !WriteParams(PARAMS_FILE, &reason))
        std::cerr << "QUIRA-1: cannot write the method parameters to " << PARAMS_FILE << ": " << reason
                  << '\n';
    m_solver.FreeTables();
    // Closing the program during a run bypasses the window's can-close query; the run would
    // return into this destroyed document, so the process ends here.
    if (m_solver.m_bBusy) std::_Exit(0);
}

int CMainDoc::OnNewDocument() {
    m_strNodes = "8";
    m_strAmplitude = "100";
    m_strRandStarts = "1";
    m_strFullTests = "1";
    m_bShowWeights = 1;
    m_bFromFile = 0;
    m_results.Clear();
    m_optimum = COptimumOutcome{};
    return 1;
}

void CMainDoc::AttachView(IOwnerView* view) {
    m_ownerAdapter.m_pView = view;
    m_solver.m_pOwnerView = &m_ownerAdapter;
}

void CMainDoc::InitKind(int kind, int nodes) {
    CCycleSolver& s = m_solver;
    s.m_bGraphView = kind == KIND_GRAPH;
    s.m_bBusy = 0;
    s.m_nRefCost = NO_COST;
    if (m_bFromFile == 0) {
        s.m_bMap = kind == KIND_MAP;
        if (kind == KIND_MAP) {
            for (int k = 1; k <= MAP_CAPITALS; ++k) s.m_bCapitalSelected[k] = k;
            s.m_bUseKilometers = 0;
        } else {
            s.m_nAmplitude = 100;
        }
        s.m_nKind = kind;
        if (!SetNodeCount(nodes)) s.FreeTables();
        m_nDocKind = kind;
    } else {
        s.m_bMap = kind == KIND_MAP;
    }
    s.m_bQuiet = 0;
    s.m_bContinuous = 0;
    switch (kind) {
        case KIND_MAP:
            s.m_nRunMode = 0;
            break;
        case KIND_CHECK:
            s.m_nRunMode = -1;
            s.m_bQuiet = 1;
            break;
        default:
            s.m_nRunMode = 1;
            break;
    }
}

int CMainDoc::SetNodeCount(int nodes) {
    m_layout.Clear();
    return m_solver.SetNodeCount(nodes);
}

void CMainDoc::GenerateRandom() {
    if (m_solver.m_bBusy) return;
    m_layout.Clear();
    RandomNetwork(m_solver);
    if (m_nDocKind == KIND_GRAPH) RandomGraph(m_solver);
    m_solver.MakeInitialCycle(1, 0);
}

const char* CMainDoc::CycleText(const int* cycle) {
    const std::string text = FormatCycleText(m_solver, cycle);
    std::snprintf(m_szText, sizeof m_szText, "%s", text.c_str());
    return m_szText;
}

int LeadingInt(std::string_view text) {
    std::size_t k = 0;
    while (k < text.size() && (text[k] == ' ' || text[k] == '\t' || text[k] == '\n' || text[k] == '\r' ||
                               text[k] == '\v' || text[k] == '\f'))
        ++k;
    bool negative = false;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) negative = text[k++] == '-';
    long long value = 0;
    for (; k < text.size() && text[k] >= '0' && text[k] <= '9'; ++k) {
        value = value * 10 + (text[k] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<int>(value);
}
