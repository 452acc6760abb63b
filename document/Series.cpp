// The test commands of the network and graph windows: exact method, polynomial method with its
// random-start series, Compare, and the continuous test.
#include "document/Series.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <vector>

#include "document/MainDoc.h"
#include "document/Messages.h"
#include "document/RandomInstances.h"
#include "document/Switches.h"

int g_bDifferentFound = 0;

namespace {

constexpr const char* kNoGraphCycle = "Cycle in the graph does not exist.";
constexpr const char* kAbortedText = "Testing aborted by user.";

void WaitCursor(bool on) {
    Platform().pDialogs->SetWaitCursor(on);
}

// The exact method's own estimate (the one BeginExactRun took) goes into the progress line of the run.
void SetStatusEstimate(CMainDoc& doc) {
    std::string text;
    FormatDuration(text, doc.m_dExactEstimate);
    std::snprintf(doc.m_solver.m_szStatus, sizeof doc.m_solver.m_szStatus, "%s", text.c_str());
}

}  // namespace

CTestSeries::CTestSeries(CMainDoc& doc, ITextTarget& timeField, ITextTarget& finalField)
    : m_doc(doc), m_time(timeField), m_final(finalField) {}

void CTestSeries::BeforeRandom() {
    if (m_fnBeforeRandom) m_fnBeforeRandom();
}

void CTestSeries::Refresh(int reset) {
    CCycleSolver& s = m_doc.m_solver;
    const bool graph = m_doc.m_nDocKind == KIND_GRAPH;
    if (reset) {
        m_final.SetText("");
        if (!(s.m_bContinuous && m_doc.m_nTests != 0)) m_time.SetText("");
        m_doc.m_nResults = 0;
        if (!graph) m_doc.m_bRan = 0;
    } else if (m_doc.m_nResults != 0) {
        if (graph && s.CycleCostOf(s.m_aCycle) != 0)
            m_final.SetText(kNoGraphCycle);
        else
            m_final.SetText(m_doc.CycleText(s.m_aCycle));
    }
    if (m_fnRefresh) m_fnRefresh(reset);
}

bool CTestSeries::AskEstimate() {
    const int unit = m_doc.ShowEstimate(m_doc.EstimateExactSeconds(), &m_time);
    return unit < 2 || Platform().pDialogs->AskYesNo(TimeWarningText(unit));
}

// ---- Network window ---------------------------------------------------------------------------------

void CTestSeries::RunPolynomialOnce() {
    WaitCursor(true);
    m_doc.RunPolynomial(&m_time, &m_final, 0);
    WaitCursor(false);
    Refresh(0);
}

void CTestSeries::ExactMethod() {
    CCycleSolver& s = m_doc.m_solver;
    if (s.m_bBusy) return;
    if (!m_doc.BeginExactRun(&m_time, &m_final, m_bComparing ? 1 : 0)) return;
    m_dwExactElapsedMs = NowMs();
    WaitCursor(true);
    SetStatusEstimate(m_doc);
    int aborted = 0;
    const uint32_t methodStart = NowMs();
    s.ExpMethodNet(0, &aborted);
    m_dwLastExactMs = NowMs() - methodStart;
    if (!aborted) m_doc.m_nResults += 2;
    WaitCursor(false);
    if (!s.m_bContinuous) {
        m_doc.m_nTests = 1;
        m_dwExactElapsedMs = m_doc.ShowElapsed(m_dwExactElapsedMs, &m_time, 0);
        Refresh(0);
    }
    if (m_doc.m_nResults < 2 && !m_bComparing) WarningBox(IDS_ABORTED_BY_USER);
}

void CTestSeries::PolynomialMethod() {
    CCycleSolver& s = m_doc.m_solver;
    if (s.m_bBusy) return;
    const int n = s.m_nNodes;
    const int starts = LeadingInt(m_doc.m_strRandStarts);
    int full = LeadingInt(m_doc.m_strFullTests);
    s.m_nTestLevel = full != 0 ? 2 : 1;
    if (full == 0) full = 1;

    m_doc.m_dwSeriesTime = NowMs();
    if (!s.m_bContinuous) m_doc.m_nTests = m_doc.m_nDiffSolutions = m_doc.m_nAuxCount = 0;
    s.m_nTargetCost = NO_COST;
    g_bDifferentFound = 0;

    if (starts == 1 || m_bComparing) {
        s.MakeInitialCycle(0, 0);
        s.m_nRefCost = NO_COST;
        RunPolynomialOnce();
    } else {
        m_doc.m_nResults = 0;
        m_bStartsAgreed = true;
        s.m_nRefCost = NO_COST;
        uint32_t total = 0;
        int previous = NO_COST;
        std::vector<int> firstBest(n + 2, 0);
        for (int i = 1; i <= starts; ++i) {
            BeforeRandom();
            s.MakeInitialCycle(1, 1);
            if (i > 1) s.m_nRefCost = previous;
            if (i >= full + 1) s.m_nTargetCost = previous;  // a short test
            Refresh(1);
            if (g_bDifferentFound && s.m_nTestLevel == 1) s.m_nTargetCost = NO_COST;
            RunPolynomialOnce();
            total += m_doc.m_dwPolynMs;
            s.m_nTargetCost = NO_COST;
            if (m_doc.m_nResults != 1) break;
            if (i == 1) {
                s.SaveOrCompareBest(0);
                std::copy(s.m_aInitial + 1, s.m_aInitial + n + 1, s.m_aFirstStart + 1);
                std::copy(s.m_aBest + 1, s.m_aBest + n + 1, firstBest.begin() + 1);
            } else if (!s.SaveOrCompareBest(1)) {
                const int now = s.CycleCostOf(s.m_aBest);
                const int reference = s.CycleCostOf(s.m_aSaved);
                const bool better = s.m_bMaximum ? now > reference : now < reference;
                if (better) {
                    std::copy(s.m_aFirstStart + 1, s.m_aFirstStart + n + 1, s.m_aInitial + 1);
                    std::copy(firstBest.begin() + 1, firstBest.begin() + n + 1, s.m_aBest + 1);
                }
                if (s.m_nBestCost != previous) {
                    ++m_doc.m_nDiffSolutions;
                    g_bDifferentFound = 1;
                }
                if (g_bStopShortTesting || s.m_nTestLevel == 2) {
                    m_bStartsAgreed = false;
                    break;
                }
            }
            previous = s.m_nBestCost;
        }
        m_doc.m_dwPolynMs = total;
        m_doc.ShowElapsed(m_doc.m_dwSeriesTime, &m_time, 0);
    }

    if (m_doc.m_nDiffSolutions != 0 && !m_bStartsAgreed)
        WarningBox(s.m_nTestLevel == 2 ? IDS_NOT_CORRECT_SOLUTION : IDS_DIFFERENT_SOLUTIONS);
    if (m_doc.m_nResults != 1 && m_doc.m_nResults != 3 && !m_bComparing) {
        if (s.m_bContinuous) return;
        m_final.SetText(m_doc.CycleText(s.m_aCycle));
        WarningBox(IDS_ABORTED_BY_USER);
    }
    if (!s.m_bContinuous && !m_bComparing && g_bShowStatistics && m_doc.m_nTests != 0)
        m_doc.BuildStatistics(1);
}

void CTestSeries::Compare() {
    CCycleSolver& s = m_doc.m_solver;
    if (s.m_bBusy) return;
    const int diff = m_doc.m_nDiffSolutions, tests = m_doc.m_nTests, aux = m_doc.m_nAuxCount;
    m_doc.m_nTests = m_doc.m_nDiffSolutions = 0;
    m_bComparing = true;
    switch (m_doc.m_nResults) {
        case 0:
            ExactMethod();
            if (m_doc.m_nResults == 2) {
                s.SaveOrCompareBest(0);
                PolynomialMethod();
                m_doc.ShowElapsed(m_dwExactElapsedMs + m_doc.m_dwPolynMs, &m_time, m_doc.m_dwPolynMs);
            }
            break;
        case 1:
            s.SaveOrCompareBest(0);
            ExactMethod();
            break;
        case 2:
            s.SaveOrCompareBest(0);
            PolynomialMethod();
            break;
        default:
            InfoBox(IDS_ALREADY_COMPARED);
            m_doc.m_nDiffSolutions = diff;
            m_doc.m_nTests = tests;
            m_doc.m_nAuxCount = aux;
            m_bComparing = false;
            return;
    }
    m_bComparing = false;
    if (m_doc.m_nResults != 3) {
        m_time.SetText("");
        m_final.SetText("");
        WarningBox(IDS_ABORTED_BY_USER);
        return;
    }
    m_bStartsAgreed = CompareVerdict(s) == IDS_CORRECT_ROUTE;
    if (m_bStartsAgreed) {
        InfoBox(IDS_CORRECT_ROUTE);
    } else {
        ++m_doc.m_nDiffSolutions;
        WarningBox(IDS_NOT_CORRECT_SOLUTION);
    }
}

void CTestSeries::ContinuousTest(int maxProblems) {
    CCycleSolver& s = m_doc.m_solver;
    if (s.m_bBusy) return;
    int starts = LeadingInt(m_doc.m_strRandStarts);
    if (starts == 0) starts = 1;
    const int full = LeadingInt(m_doc.m_strFullTests);
    const bool compared = starts == 1 && full != 0;
    if (compared && !AskEstimate()) return;

    const uint32_t start = NowMs();
    m_doc.m_dwCampaignStart = start;
    m_doc.m_nAuxCount = m_doc.m_nDiffSolutions = m_doc.m_nTests = m_doc.m_nResults = 0;
    m_nProblems = 0;
    uint32_t total = 0;
    const int limit = maxProblems > 0 ? maxProblems : INT_MAX;
    for (;;) {
        BeforeRandom();
        m_doc.GenerateRandom();
        Refresh(1);
        ++m_nProblems;
        if (compared) {
            s.m_bContinuous = 1;
            ExactMethod();
            s.m_bContinuous = 0;
            if (m_doc.m_nResults != 2) break;
            s.SaveOrCompareBest(0);
        }
        s.m_bContinuous = 1;
        PolynomialMethod();
        total += m_doc.m_dwPolynMs;
        s.m_bContinuous = 0;
        if (m_fnProblemDone) m_fnProblemDone();
        if ((compared && m_doc.m_nResults != 3) || (m_doc.m_nResults != 1 && (starts > 1 || full == 0)) ||
            (!m_bStartsAgreed && starts > 1))
            break;
        if (compared) {
            m_bStartsAgreed = CompareVerdict(s) == IDS_CORRECT_ROUTE;
            if (!m_bStartsAgreed) {
                ++m_doc.m_nDiffSolutions;
                WarningBox(IDS_NOT_CORRECT_SOLUTION);
                break;
            }
        }
        if (m_doc.m_nTests >= INT_MAX || m_nProblems >= limit) break;
    }
    EndContinuous(start, total, compared, false);
}

void CTestSeries::EndContinuous(uint32_t start, uint32_t totalMs, bool compared, bool graph) {
    m_doc.m_dwPolynMs = totalMs;
    m_doc.ShowCampaignTotal(start, &m_time);
    if (m_doc.m_nTests != 0) {
        if (m_doc.m_nResults == 0) m_doc.m_nResults = 1;
        if (m_doc.m_nResults == 2) m_doc.m_nResults = 3;
    }
    if (m_doc.m_nTests > 1 && compared) {
        char text[160];
        std::snprintf(text, sizeof text,
                      graph ? "%d graphs were succesfully tested." : "%d networks were succesfully tested.",
                      m_doc.m_nTests - m_doc.m_nDiffSolutions);
        std::string message = text;
        if (m_doc.m_nDiffSolutions != 0)
            message +=
                graph ? "\nThere was 1 error (different solution)." : "\nThere was 1 different solution.";
        Platform().pDialogs->ShowMessage(EBoxKind::Information, message);
    }
    if (g_bShowStatistics && m_doc.m_nTests != 0) m_doc.BuildStatistics(1);
    if (m_doc.m_nTests == 0) m_time.SetText("");
    m_final.SetText("");
}

// ---- Graph window -----------------------------------------------------------------------------------

void CTestSeries::RunGraphPolynomialOnce() {
    RunPolynomialOnce();
    const CCycleSolver& s = m_doc.m_solver;
    if ((m_doc.m_nResults == 1 || m_doc.m_nResults == 3) && s.CycleCostOf(s.m_aCycle) != 0)
        m_final.SetText(kNoGraphCycle);
}

void CTestSeries::GraphExactMethod() {
    CCycleSolver& s = m_doc.m_solver;
    if (s.m_bBusy) return;
    if (!m_doc.BeginExactRun(&m_time, &m_final, m_bComparing ? 1 : 0)) return;
    m_dwExactElapsedMs = NowMs();
    WaitCursor(true);
    s.MakeInitialCycle(0, 0);
    Refresh(1);
    SetStatusEstimate(m_doc);
    int aborted = 0;
    const uint32_t methodStart = NowMs();
    s.ExpMethodGraph(&aborted);
    m_dwLastExactMs = NowMs() - methodStart;
    if (!aborted) m_doc.m_nResults += 2;
    WaitCursor(false);
    if (!s.m_bContinuous && m_doc.m_nResults != 0) {
        m_doc.m_nTests = 1;
        m_dwExactElapsedMs = m_doc.ShowElapsed(m_dwExactElapsedMs, &m_time, 0);
        Refresh(0);
    }
    if (m_doc.m_nResults >= 2 && s.CycleCostOf(s.m_aCycle) != 0) m_final.SetText(kNoGraphCycle);
    if (m_doc.m_nResults < 2 && !m_bComparing) {
        WarningBox(IDS_ABORTED_BY_USER);
        m_final.SetText(kAbortedText);
    }
}

void CTestSeries::GraphPolynomialMethod() {
    CCycleSolver& s = m_doc.m_solver;
    if (s.m_bBusy) return;
    const int n = s.m_nNodes;
    const int starts = LeadingInt(m_doc.m_strRandStarts);
    m_doc.m_dwSeriesTime = NowMs();
    if (!s.m_bContinuous) m_doc.m_nCyclesFound = m_doc.m_nDiffSolutions = m_doc.m_nTests = 0;

    int firstLength = 1;
    if (starts == 1 || m_bComparing) {
        s.MakeInitialCycle(0, 0);
        const int results = m_doc.m_nResults;
        Refresh(1);
        m_doc.m_nResults = results;
        RunGraphPolynomialOnce();
    } else {
        m_doc.m_nResults = 0;
        m_bStartsAgreed = true;
        uint32_t total = 0;
        std::vector<int> firstInitial(n + 2, 0), firstBest(n + 2, 0);
        for (int i = 1; i <= starts; ++i) {
            BeforeRandom();
            s.MakeInitialCycle(1, 1);
            Refresh(1);
            RunGraphPolynomialOnce();
            total += m_doc.m_dwPolynMs;
            if (m_doc.m_nResults != 1) break;
            if (i == 1) {
                s.SaveOrCompareBest(0);
                std::copy(s.m_aInitial + 1, s.m_aInitial + n + 1, firstInitial.begin() + 1);
                std::copy(s.m_aBest + 1, s.m_aBest + n + 1, firstBest.begin() + 1);
                firstLength = s.CycleCostOf(s.m_aBest);
            } else if (!s.SaveOrCompareBest(1)) {
                if (s.CycleCostOf(s.m_aBest) < s.CycleCostOf(s.m_aSaved)) {
                    std::copy(firstInitial.begin() + 1, firstInitial.begin() + n + 1, s.m_aInitial + 1);
                    std::copy(firstBest.begin() + 1, firstBest.begin() + n + 1, s.m_aBest + 1);
                }
                ++m_doc.m_nDiffSolutions;
                m_bStartsAgreed = false;
                break;
            }
        }
        m_doc.m_dwPolynMs = total;
        m_doc.ShowElapsed(m_doc.m_dwSeriesTime, &m_time, 0);
    }

    if (m_doc.m_nDiffSolutions != 0 && !m_bStartsAgreed) WarningBox(IDS_NOT_CORRECT_SOLUTION);
    if (m_doc.m_nResults != 1 && m_doc.m_nResults != 3 && !m_bComparing && !s.m_bContinuous) {
        WarningBox(IDS_ABORTED_BY_USER);
        m_final.SetText(kAbortedText);
    }
    if (s.CycleCostOf(s.m_aBest) == 0) {
        ++m_doc.m_nCyclesFound;
        if (m_doc.m_nResults != 1 && firstLength == 0) ++m_doc.m_nCyclesFound;
    }
    if (!s.m_bContinuous && !m_bComparing && g_bShowStatistics && m_doc.m_nTests != 0)
        m_doc.BuildStatistics(1);
}

void CTestSeries::GraphContinuousTest(int maxProblems) {
    CCycleSolver& s = m_doc.m_solver;
    if (s.m_bBusy) return;
    const int starts = std::max(1, LeadingInt(m_doc.m_strRandStarts));
    const bool compared = starts == 1;
    if (compared && !AskEstimate()) return;

    const uint32_t start = NowMs();
    m_doc.m_dwCampaignStart = start;
    m_doc.m_nAuxCount = m_doc.m_nDiffSolutions = m_doc.m_nTests = m_doc.m_nResults = 0;
    m_doc.m_nCyclesFound = 0;
    m_nProblems = 0;
    uint32_t total = 0;
    const int limit = maxProblems > 0 ? maxProblems : INT_MAX;
    for (;;) {
        BeforeRandom();
        Gener2(s, LeadingInt(m_doc.m_strAmplitude));
        Refresh(1);
        ++m_nProblems;
        if (compared) {
            s.m_bContinuous = 1;
            GraphExactMethod();
            s.m_bContinuous = 0;
            if (m_doc.m_nResults != 2) break;
            s.SaveOrCompareBest(0);
        }
        s.m_bContinuous = 1;
        GraphPolynomialMethod();
        total += m_doc.m_dwPolynMs;
        s.m_bContinuous = 0;
        if (m_fnProblemDone) m_fnProblemDone();
        if (compared && m_doc.m_nResults != 3) break;
        if (!compared && (m_doc.m_nResults != 1 || !m_bStartsAgreed)) break;
        if (compared && s.CycleCostOf(s.m_aBest) != 0 && s.CycleCostOf(s.m_aSaved) == 0) {
            ++m_doc.m_nDiffSolutions;
            InfoBox(IDS_NO_ZERO_CYCLE_FOUND);
            break;
        }
        if (m_doc.m_nTests >= INT_MAX || m_nProblems >= limit) break;
    }
    EndContinuous(start, total, compared, true);
}
