// The smaller commands of the network window over a document: Reset, Randomized Start, Final to
// Initial, Import, Only One Cycle?, Edges List, Statistics and the editor's working copy; and the
// result texts that the windows and quira-cli share.
#include <algorithm>
#include <cstdio>

#include "document/MainDoc.h"
#include "document/Messages.h"
#include "document/Series.h"
#include "document/Switches.h"

// ---- Verdicts and texts ---------------------------------------------------------------------------

std::string SecondCycleText(const char* title, const int* cycle, int nodes) {
    std::string text = title;
    text += '\n';
    std::string path = "1";
    std::size_t limit = 60;
    char number[16];
    for (int k = 2; k <= nodes; ++k) {
        std::snprintf(number, sizeof number, "-%d", cycle[k]);
        path += number;
        if (path.size() > limit) {
            path += '\n';
            limit += 60;
        }
    }
    return text + path;
}

std::vector<CListedEdge> ListedEdges(const CCycleSolver& s) {
    std::vector<CListedEdge> edges;
    for (int i = 1; i <= s.m_nNodes - 1; ++i)
        for (int j = i + 1; j <= s.m_nNodes; ++j)
            if (s.m_ppAdjust[i][j] > 0) edges.push_back({i, j, s.m_ppAdjust[i][j]});
    return edges;
}

std::string EdgesListText(const CCycleSolver& s) {
    std::string text = "No    Edges    Values\r\n";
    int k = 0;
    char line[96];
    for (const CListedEdge& e : ListedEdges(s)) {
        std::snprintf(line, sizeof line, "%2d:   C(%2d,%2d)     %d\r\n", ++k, e.i, e.j, e.value);
        text += line;
    }
    return text;
}

// ---- Commands -------------------------------------------------------------------------------------

void CTestSeries::Reset() {
    if (m_doc.m_solver.m_bBusy) return;
    m_doc.GenerateRandom();
    Refresh(1);
}

void CTestSeries::RandomizedStart() {
    if (m_doc.m_solver.m_bBusy) return;
    m_doc.m_solver.MakeInitialCycle(1, 1);
    Refresh(1);
}

int CTestSeries::FinalToInitial() {
    CCycleSolver& s = m_doc.m_solver;
    if (s.m_bBusy) return 0;
    if (m_doc.m_results.Stored() == 0 && (m_doc.m_bRan == 0 || m_doc.m_nDocKind == KIND_GRAPH)) {
        WarningBox(IDS_CYCLE_UNKNOWN);
        return 0;
    }
    std::copy(s.m_aCycle, s.m_aCycle + s.m_nNodes + 1, s.m_aInitial);
    Refresh(1);
    return 1;
}

void CTestSeries::Import() {
    if (m_doc.m_solver.m_bBusy) return;
    m_doc.ImportTextMatrix();
    Refresh(1);
}

void CTestSeries::Statistics() {
    if (m_doc.m_solver.m_bBusy) return;
    // A polynomial result, or the counters of an ended series.
    if (m_doc.m_results.StatisticsValue() & 1) m_doc.BuildStatistics(1);
}

void CTestSeries::BeginMatrixEdit() {
    CCycleSolver& s = m_doc.m_solver;
    std::copy(s.m_ppWeight.Data(), s.m_ppWeight.Data() + s.m_ppWeight.Size(), s.m_ppGain.Data());
}

void CTestSeries::AcceptMatrixEdit() {
    CCycleSolver& s = m_doc.m_solver;
    std::copy(s.m_ppGain.Data(), s.m_ppGain.Data() + s.m_ppGain.Size(), s.m_ppWeight.Data());
    Refresh(1);
}

void CTestSeries::OnlyOneCycle() {
    CCycleSolver& s = m_doc.m_solver;
    if (s.m_bBusy) return;
    m_bComparing = true;
    m_doc.RunPolynomial(&m_time, &m_final, 1);
    PolynomialMethod();
    m_bComparing = false;
    if (!m_doc.m_results.Has(RESULT_POLYN)) {
        m_time.SetText("");
        m_final.SetText("");
        WarningBox(IDS_ABORTED_BY_USER);
        return;
    }

    SeekSecondCycle("The network has the second cycle with the same length:",
                    s.m_bMaximum ? IDS_ONLY_ONE_MAXIMUM : IDS_ONLY_ONE_MINIMUM);
}

void CTestSeries::SeekSecondCycle(const char* title, int uniqueId) {
    CCycleSolver& s = m_doc.m_solver;
    const int n = s.m_nNodes;
    FinalToInitial();
    s.SaveOrCompareBest(0);
    const int showStatistics = g_bShowStatistics;
    g_bShowStatistics = 0;
    s.m_nOtherCost = s.m_nBestCost;
    s.m_bSeekOther = 1;
    std::copy(s.m_aBest + 1, s.m_aBest + n + 1, s.m_aOther + 1);
    m_doc.m_nTests = m_doc.m_nDiffSolutions = 0;
    s.MakeInitialCycle(0, 0);

    Platform().pDialogs->SetWaitCursor(true);
    m_doc.RunPolynomial(&m_time, &m_final, 1);
    const int aborted = s.PolynMethodNet(1, 1);
    if (aborted == 0) {
        ++m_doc.m_nTests;
        m_doc.m_results.Add(RESULT_POLYN);
        m_doc.m_nPolynCost = s.CycleCostOf(s.m_aBest);
    }
    m_doc.m_dwPolynMs = m_doc.ShowElapsed(m_doc.m_dwPolynMs, &m_time, 0);
    Platform().pDialogs->SetWaitCursor(false);
    s.m_bSeekOther = 0;
    g_bShowStatistics = showStatistics;
    if (aborted != 0) {
        m_final.SetText("");
        WarningBox(IDS_ABORTED_BY_USER);
        return;
    }

    m_doc.m_results.Clear();
    m_doc.m_results.Add(RESULT_POLYN);
    if (s.BestDiffersFromOther()) {
        m_final.SetText(m_doc.CycleText(s.m_aCycle));
        Platform().pDialogs->ShowMessage(EBoxKind::Information, SecondCycleText(title, s.m_aCycle, n));
    } else {
        InfoBox(uniqueId);
    }
}

int CTestSeries::EdgesListCommand() {
    CCycleSolver& s = m_doc.m_solver;
    if (s.m_bBusy) return 0;
    const uint32_t t = NowMs();
    m_doc.RunPolynomial(&m_time, &m_final, 1);
    m_bComparing = true;
    if (!m_doc.m_results.Has(RESULT_POLYN)) PolynomialMethod();
    m_bComparing = false;
    if (!m_doc.m_results.Has(RESULT_POLYN)) {
        WarningBox(IDS_ABORTED_BY_USER);
        return 0;
    }

    std::copy(s.m_aCycle, s.m_aCycle + s.m_nNodes + 1, s.m_aInitial);
    Refresh(1);
    Platform().pDialogs->SetWaitCursor(true);
    s.m_nTestLevel = 2;
    s.m_nTargetCost = NO_COST;
    if (s.EdgesList() == 0) {
        m_doc.m_results.Add(RESULT_POLYN);
        m_doc.m_nPolynCost = s.CycleCostOf(s.m_aBest);
    }
    Platform().pDialogs->SetWaitCursor(false);
    m_doc.m_dwPolynMs = m_doc.ShowElapsed(t, &m_time, 0);
    Refresh(0);
    if (!m_doc.m_results.Has(RESULT_POLYN)) {
        m_time.SetText("");
        m_final.SetText("");
        WarningBox(IDS_ABORTED_BY_USER);
        return 0;
    }
    if (ListedEdges(s).empty()) {
        Platform().pDialogs->ShowMessage(EBoxKind::Information, kTextNoSuchEdges);
        return 0;
    }
    return 1;
}
