// The test commands of the network, map and graph windows: exact method, proven optimum,
// polynomial method with its random-start series, Compare, and the continuous test.
#include "document/Series.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <vector>

#include "document/Invariants.h"
#include "document/MainDoc.h"
#include "document/Messages.h"
#include "document/RandomInstances.h"
#include "document/Switches.h"

int g_bDifferentFound = 0;

namespace {

void WaitCursor(bool on) {
    Platform().pDialogs->SetWaitCursor(on);
}

// The exact method's own estimate (the one BeginExactRun took) goes into the progress line of the run.
void SetStatusEstimate(CMainDoc& doc) {
    std::string text;
    FormatDuration(text, doc.m_dExactEstimate);
    std::snprintf(doc.m_solver.m_szStatus, sizeof doc.m_solver.m_szStatus, "%s", text.c_str());
}

// The generator of the console's seeds, k steps at once: x -> a x + c composed k times is
// x -> A x + C, found by repeated squaring of the step.
uint32_t SeedStreamAfter(uint32_t seed, uint64_t steps) {
    uint32_t a = 214013u, c = 2531011u, totalA = 1, totalC = 0;
    for (; steps != 0; steps >>= 1) {
        if (steps & 1) {
            totalA *= a;
            totalC = totalC * a + c;
        }
        c = c * (a + 1);
        a *= a;
    }
    return totalA * seed + totalC;
}

}  // namespace

uint32_t CSeriesSeeds::Draw(int problem, int draw) const {
    const uint64_t index =
        static_cast<uint64_t>(problem - 1) * static_cast<uint64_t>(m_nDraws) + static_cast<uint64_t>(draw);
    return SeedStreamAfter(m_nSeed, index);
}

CTestSeries::CTestSeries(CMainDoc& doc, ITextTarget& timeField, ITextTarget& finalField)
    : m_doc(doc), m_time(timeField), m_final(finalField) {}

void CTestSeries::BeforeRandom() {
    if (m_seeds && m_bInContinuous) Platform().seedOverride = m_seeds->Draw(m_nProblems, ++m_nDraw);
    if (m_fnBeforeRandom) m_fnBeforeRandom();
}

void CTestSeries::Refresh(int reset) {
    CCycleSolver& s = m_doc.m_solver;
    const bool graph = m_doc.m_nDocKind == KIND_GRAPH;
    if (reset) {
        m_final.SetText("");
        if (!(s.m_bContinuous && m_doc.m_nTests != 0)) m_time.SetText("");
        m_doc.m_results.Clear();
        if (!graph) m_doc.m_bRan = 0;
    } else if (!m_doc.m_results.Empty()) {
        if (graph && s.CycleCostOf(s.m_aCycle) != 0)
            m_final.SetText(kTextNoGraphCycle);
        else
            m_final.SetText(m_doc.CycleText(s.m_aCycle));
    }
    if (m_fnRefresh) m_fnRefresh(reset);
}

bool CTestSeries::AskEstimate() {
    const int unit = m_doc.ShowEstimate(m_doc.EstimateExactSeconds(), &m_time);
    return unit < 2 || Platform().pDialogs->AskYesNo(TimeWarningText(unit));
}

void CTestSeries::ExactOfKind() {
    if (m_doc.m_nDocKind == KIND_GRAPH)
        GraphExactMethod();
    else
        ExactMethod();
}

void CTestSeries::PolynomialOfKind() {
    if (m_doc.m_nDocKind == KIND_GRAPH)
        GraphPolynomialMethod();
    else
        PolynomialMethod();
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
    if (!aborted) {
        m_doc.m_results.Add(RESULT_EXACT);
        m_doc.m_nExactCost = s.CycleCostOf(s.m_aBest);
    }
    WaitCursor(false);
    if (!s.m_bContinuous) {
        m_doc.m_nTests = 1;
        m_dwExactElapsedMs = m_doc.ShowElapsed(m_dwExactElapsedMs, &m_time, 0);
        Refresh(0);
        // A stopped run keeps its best cycle: the Final field shows it whole, not only the cost
        // the run wrote while it ran.
        if (aborted && !m_bComparing) m_final.SetText(m_doc.CycleText(s.m_aCycle));
    }
    if (!m_doc.m_results.Has(RESULT_EXACT) && !m_bComparing) WarningBox(IDS_ABORTED_BY_USER);
    CheckDocumentInvariants(m_doc, "exact method");
}

void CTestSeries::OptimumMethod() {
    CCycleSolver& s = m_doc.m_solver;
    if (s.m_bBusy || m_doc.m_nDocKind == KIND_GRAPH) return;
    m_doc.m_results.Remove(RESULT_OPTIMUM | RESULT_SERIES);
    s.m_pTimeCtrl = &m_time;
    s.m_pCostCtrl = &m_final;
    s.m_dwRunStart = NowMs();
    s.m_nLastSecond = 0;
    s.m_szStatus[0] = '\0';
    WaitCursor(true);
    CheckSolverInvariants(s, "optimum method", false, INV_ENTRY);
    // The progress shows a bound only once the search has one that a cycle could meet.
    OptimumProgressFn progress;
    if (m_fnOptimumProgress) {
        const CCostRange range = CycleCostRange(s);
        const bool maximum = s.m_bMaximum != 0;
        progress = [this, range, maximum](uint32_t ms, int best, int64_t bound, bool hasBound) {
            m_fnOptimumProgress(ms, best, bound, hasBound && IsPossibleBound(range, bound, best, maximum));
        };
    }
    COptimumResult result;
    const uint32_t start = NowMs();
    OptimumMethodNet(s, OPTIMUM_AUTO, result, progress, m_aFixedEdges);
    m_dwLastOptimumMs = NowMs() - start;
    CheckSolverInvariants(s, "optimum method", true, INV_RESULT);
    WaitCursor(false);
    m_doc.m_optimum = OptimumOutcomeOf(result, s, m_dwLastOptimumMs);
    if (!result.noMemory && !result.noCycle) {
        // The optimum's cycle is now the result cycle, which the file and the report label by the
        // method results held: a result of another cost no longer owns it.
        const int cost = s.CycleCostOf(s.m_aBest);
        if (m_doc.m_results.Has(RESULT_POLYN) && m_doc.m_nPolynCost != cost) {
            m_doc.m_optimum.nReplacedPolynCost = m_doc.m_nPolynCost;
            m_doc.m_results.Remove(RESULT_POLYN);
        }
        if (m_doc.m_results.Has(RESULT_EXACT) && m_doc.m_nExactCost != cost) {
            m_doc.m_optimum.nReplacedExactCost = m_doc.m_nExactCost;
            m_doc.m_results.Remove(RESULT_EXACT);
        }
    }
    if (!result.aborted && !result.noMemory && !result.noCycle) m_doc.m_results.Add(RESULT_OPTIMUM);
    if (!s.m_bContinuous) {
        m_doc.m_nTests = 1;
        m_doc.ShowElapsed(start, &m_time, 0);
        Refresh(0);
    }
    if (result.aborted && !m_bComparing) WarningBox(IDS_ABORTED_BY_USER);
    CheckDocumentInvariants(m_doc, "optimum method");
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
        m_doc.m_results.Clear();
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
            if (!m_doc.m_results.IsOnly(RESULT_POLYN)) break;
            if (i == 1) {
                s.SaveOrCompareBest(0);
                std::copy(s.m_aInitial + 1, s.m_aInitial + n + 1, s.m_aFirstStart + 1);
                std::copy(s.m_aBest + 1, s.m_aBest + n + 1, firstBest.begin() + 1);
            } else if (!s.SaveOrCompareBest(1)) {
                if (IsBetter(s.CycleCostOf(s.m_aBest), s.CycleCostOf(s.m_aSaved), s.m_bMaximum != 0)) {
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
        // The series' result is its best cycle, which may be the first start's.
        if (m_doc.m_results.Has(RESULT_POLYN)) m_doc.m_nPolynCost = s.CycleCostOf(s.m_aBest);
    }

    // In a continuous test the fold of the problem's record shows it (StartsWarning).
    if (m_doc.m_nDiffSolutions != 0 && !m_bStartsAgreed && !m_bInContinuous)
        WarningBox(s.m_nTestLevel == 2 ? IDS_NOT_CORRECT_SOLUTION : IDS_DIFFERENT_SOLUTIONS);
    if (!m_doc.m_results.Has(RESULT_POLYN) && !m_bComparing) {
        if (s.m_bContinuous) return;
        m_final.SetText(m_doc.CycleText(s.m_aCycle));
        WarningBox(IDS_ABORTED_BY_USER);
    }
    if (!s.m_bContinuous && !m_bComparing && g_bShowStatistics && m_doc.m_nTests != 0)
        m_doc.BuildStatistics(1);
    CheckDocumentInvariants(m_doc, "polynomial method");
}

void CTestSeries::Compare() {
    CCycleSolver& s = m_doc.m_solver;
    if (s.m_bBusy) return;
    const bool graph = m_doc.m_nDocKind == KIND_GRAPH;
    const int diff = m_doc.m_nDiffSolutions, tests = m_doc.m_nTests, aux = m_doc.m_nAuxCount,
              found = m_doc.m_nCyclesFound;
    m_doc.m_nTests = m_doc.m_nDiffSolutions = 0;
    if (graph) m_doc.m_nCyclesFound = 0;
    m_bComparing = true;
    switch (m_doc.m_results.Stored()) {
        case 0:
            ExactOfKind();
            if (m_doc.m_results.IsOnly(RESULT_EXACT)) {
                s.SaveOrCompareBest(0);
                PolynomialOfKind();
                m_doc.ShowElapsed(m_dwExactElapsedMs + m_doc.m_dwPolynMs, &m_time, m_doc.m_dwPolynMs);
            }
            break;
        case 1:
            if (graph) {
                // The graph's exact method starts from a refresh that clears the results, so the
                // polynomial result is kept aside and put back beside the exact one once that run
                // completes.
                std::vector<int> polyn(s.m_aBest, s.m_aBest + s.m_nNodes + 2);
                const uint32_t polynMs = m_doc.m_dwPolynMs;
                GraphExactMethod();
                if (m_doc.m_results.IsOnly(RESULT_EXACT)) {
                    s.SaveOrCompareBest(0);
                    std::copy(polyn.begin(), polyn.end(), s.m_aBest);
                    m_doc.m_results.Add(RESULT_POLYN);
                    m_doc.m_dwPolynMs = polynMs;
                    m_doc.ShowElapsed(m_dwExactElapsedMs + polynMs, &m_time, polynMs);
                }
            } else {
                s.SaveOrCompareBest(0);
                ExactMethod();
            }
            break;
        case 2:
            s.SaveOrCompareBest(0);
            PolynomialOfKind();
            break;
        default:
            InfoBox(IDS_ALREADY_COMPARED);
            m_doc.m_nDiffSolutions = diff;
            m_doc.m_nTests = tests;
            m_doc.m_nAuxCount = aux;
            m_doc.m_nCyclesFound = found;
            m_bComparing = false;
            return;
    }
    m_bComparing = false;
    if (!m_doc.m_results.Has(RESULT_POLYN | RESULT_EXACT)) {
        m_time.SetText("");
        m_final.SetText("");
        WarningBox(IDS_ABORTED_BY_USER);
        return;
    }
    const CVerdict verdict =
        CompareVerdictOf(m_doc.m_nDocKind, s.CycleCostOf(s.m_aBest), s.CycleCostOf(s.m_aSaved));
    m_bStartsAgreed = verdict.bAgree;
    if (!verdict.bAgree) ++m_doc.m_nDiffSolutions;
    ShowVerdict(verdict);
}

bool CTestSeries::RunReference(EReference reference) {
    CCycleSolver& s = m_doc.m_solver;
    s.m_bContinuous = 1;
    if (reference == EReference::Optimum)
        OptimumMethod();
    else
        ExactOfKind();
    s.m_bContinuous = 0;
    return m_doc.m_results.Has(reference == EReference::Optimum ? RESULT_OPTIMUM : RESULT_EXACT);
}

namespace {

// Keeps the boxes a problem shows for its record; questions go on to the real host.
class CRecordingDialogs : public IDialogHost {
public:
    CRecordingDialogs(IDialogHost& host, std::vector<CProblemRecord::CBox>& boxes)
        : m_host(host), m_boxes(boxes) {}
    void ShowMessage(EBoxKind kind, std::string_view text) override {
        m_boxes.push_back({kind, std::string(text)});
    }
    bool AskYesNo(std::string_view text) override { return m_host.AskYesNo(text); }
    EAnswer AskYesNoCancel(std::string_view text) override { return m_host.AskYesNoCancel(text); }
    std::string ChooseFileToOpen(std::string_view filter, std::string_view defaultExt) override {
        return m_host.ChooseFileToOpen(filter, defaultExt);
    }
    std::string ChooseFileToSave(std::string_view filter, std::string_view defaultExt,
                                 std::string_view suggestedPath) override {
        return m_host.ChooseFileToSave(filter, defaultExt, suggestedPath);
    }
    void SetWaitCursor(bool wait) override { m_host.SetWaitCursor(wait); }

private:
    IDialogHost& m_host;
    std::vector<CProblemRecord::CBox>& m_boxes;
};

}  // namespace

void CTestSeries::ContinuousTest(int maxProblems, EReference reference) {
    if (!BeginContinuous(maxProblems, reference)) return;
    for (int index = 1;; ++index)
        if (!FoldProblem(RunProblem(index))) break;
    FinishContinuous();
}

bool CTestSeries::BeginContinuous(int maxProblems, EReference reference) {
    CCycleSolver& s = m_doc.m_solver;
    if (s.m_bBusy) return false;
    const bool graph = m_doc.m_nDocKind == KIND_GRAPH;
    if (graph) reference = EReference::Exact;  // the optimum is for networks
    const int starts = std::max(1, LeadingInt(m_doc.m_strRandStarts));
    const int full = LeadingInt(m_doc.m_strFullTests);
    // Networks are compared with the exact method when Rand.Starts is 1 and Full Tests is not 0;
    // graphs whenever Rand.Starts is 1; with the optimum whenever Rand.Starts is 1.
    const bool compared = starts == 1 && (graph || full != 0 || reference == EReference::Optimum);
    if (compared && reference == EReference::Exact && !AskEstimate()) return false;

    m_eReference = reference;
    m_bCompared = compared;
    m_nLimit = maxProblems > 0 ? maxProblems : INT_MAX;
    m_dwStart = NowMs();
    m_doc.m_dwCampaignStart = m_dwStart;
    m_doc.m_nAuxCount = m_doc.m_nDiffSolutions = m_doc.m_nTests = 0;
    m_doc.m_results.Clear();
    if (graph) m_doc.m_nCyclesFound = 0;
    m_nProblems = 0;
    m_summary = CSeriesSummary{};
    m_bStartsAgreed = true;
    m_bInContinuous = true;
    m_dwTotal = 0;
    m_bPolynInterrupted = false;
    return true;
}

CProblemRecord CTestSeries::RunProblem(int index) {
    CCycleSolver& s = m_doc.m_solver;
    const bool graph = m_doc.m_nDocKind == KIND_GRAPH;
    CProblemRecord record;
    record.row.nProblem = index;
    // What the problem adds to the counters goes into its record; the fold adds it.
    const int tests = m_doc.m_nTests, diff = m_doc.m_nDiffSolutions, found = m_doc.m_nCyclesFound,
              aux = m_doc.m_nAuxCount;
    IDialogHost* host = Platform().pDialogs;
    CRecordingDialogs recorder(*host, record.aBoxes);
    Platform().pDialogs = &recorder;

    m_nProblems = index;
    m_nDraw = 0;
    BeforeRandom();
    if (graph)
        Gener2(s, LeadingInt(m_doc.m_strAmplitude));
    else
        m_doc.GenerateRandom();
    Refresh(1);
    record.bReferenceDone = true;
    if (m_bCompared) {
        record.bReferenceDone = RunReference(m_eReference);
        if (record.bReferenceDone) s.SaveOrCompareBest(0);
    }
    if (record.bReferenceDone) {
        const uint32_t referenceMs = m_eReference == EReference::Optimum ? m_dwLastOptimumMs : m_dwLastExactMs;
        s.m_bContinuous = 1;
        record.bPolynRan = true;
        PolynomialOfKind();
        s.m_bContinuous = 0;
        record.dwPolynMs = m_doc.m_dwPolynMs;
        record.bPolynDone = m_doc.m_results.Has(RESULT_POLYN);
        record.bStartsAgreed = m_bStartsAgreed;
        CProblemRow& row = record.row;
        row.nPolynCost = s.CycleCostOf(s.m_aBest);
        row.dwPolynMs = m_doc.m_dwPolynMs;
        if (m_bCompared) {
            row.bCompared = true;
            row.nReferenceCost = s.CycleCostOf(s.m_aSaved);
            row.dwReferenceMs = referenceMs;
            row.bAgree = CompareVerdictOf(m_doc.m_nDocKind, row.nPolynCost, row.nReferenceCost).bAgree;
            if (!graph) row.dGap = GapToReference(row.nPolynCost, row.nReferenceCost, s.m_bMaximum != 0);
        }
        if (record.bPolynDone && m_fnProblemDetail) record.strDetail = m_fnProblemDetail(row);
    }
    record.nResults = m_doc.m_results.Bits();

    Platform().pDialogs = host;
    record.nTests = m_doc.m_nTests - tests;
    record.nDiffSolutions = m_doc.m_nDiffSolutions - diff;
    record.nCyclesFound = m_doc.m_nCyclesFound - found;
    record.nAuxCount = m_doc.m_nAuxCount - aux;
    m_doc.m_nTests = tests;
    m_doc.m_nDiffSolutions = diff;
    m_doc.m_nCyclesFound = found;
    m_doc.m_nAuxCount = aux;
    return record;
}

void CTestSeries::StartsWarning(bool startsAgreed) {
    if (m_doc.m_nDiffSolutions == 0 || startsAgreed) return;
    if (m_doc.m_nDocKind == KIND_GRAPH)
        WarningBox(IDS_NOT_CORRECT_SOLUTION);
    else
        WarningBox(LeadingInt(m_doc.m_strFullTests) != 0 ? IDS_NOT_CORRECT_SOLUTION : IDS_DIFFERENT_SOLUTIONS);
}

bool CTestSeries::FoldProblem(const CProblemRecord& record) {
    const int starts = std::max(1, LeadingInt(m_doc.m_strRandStarts));
    // RunProblem on this series has just made the record (ContinuousTest) when its index is the
    // current problem's; a record made elsewhere left its cycles there, so this document holds no
    // method result of that problem, only the counters.
    const bool here = m_nProblems == record.row.nProblem;
    m_nProblems = record.row.nProblem;
    for (const CProblemRecord::CBox& box : record.aBoxes) Platform().pDialogs->ShowMessage(box.kind, box.text);
    m_doc.m_nTests += record.nTests;
    m_doc.m_nDiffSolutions += record.nDiffSolutions;
    m_doc.m_nCyclesFound += record.nCyclesFound;
    m_doc.m_nAuxCount += record.nAuxCount;
    m_doc.m_results = CResults{};
    m_doc.m_results.Add(here ? record.nResults : record.nResults & ~(RESULT_POLYN | RESULT_EXACT | RESULT_OPTIMUM));
    if (!record.bReferenceDone) return false;
    m_dwTotal += record.dwPolynMs;
    m_doc.m_dwPolynMs = record.dwPolynMs;
    m_bStartsAgreed = record.bStartsAgreed;
    if (record.bPolynRan) StartsWarning(record.bStartsAgreed);
    // An interrupted polynomial phase ends the test; its problem is neither counted nor compared.
    if (!record.bPolynDone) {
        m_bPolynInterrupted = true;
        return false;
    }
    const CProblemRow& row = record.row;
    m_summary.Add(row);
    if (m_fnProblemDone) m_fnProblemDone(row);
    if (m_fnProblemFolded) m_fnProblemFolded(record);

    if (!m_bStartsAgreed && starts > 1) return false;
    if (row.bCompared && m_eReference == EReference::Exact) m_bStartsAgreed = row.bAgree;
    if (row.bCompared && !row.bAgree) {
        ++m_doc.m_nDiffSolutions;
        if (m_eReference == EReference::Exact) {
            ShowVerdict(CompareVerdictOf(m_doc.m_nDocKind, row.nPolynCost, row.nReferenceCost));
            return false;
        }
    }
    return !(m_doc.m_nTests >= INT_MAX || m_nProblems >= m_nLimit);
}

void CTestSeries::FinishContinuous() {
    m_bInContinuous = false;
    EndContinuous(m_dwStart, m_dwTotal, m_bCompared, m_bPolynInterrupted, m_eReference);
}

void CTestSeries::EndContinuous(uint32_t start, uint32_t totalMs, bool compared, bool polynInterrupted,
                                EReference reference) {
    CCycleSolver& s = m_doc.m_solver;
    const bool graph = m_doc.m_nDocKind == KIND_GRAPH;
    m_doc.m_dwPolynMs = totalMs;
    m_doc.ShowCampaignTotal(start, &m_time);
    if (polynInterrupted) {
        // The problem the test ended on keeps only what ran to its end: the reference's result,
        // as that method left it, never the interrupted polynomial cycle.
        const unsigned kept = RESULT_EXACT | RESULT_OPTIMUM;
        const unsigned held = m_doc.m_results.Bits() & kept;
        m_doc.m_results.Clear();
        if (compared && held != 0) {
            const int n = s.m_nNodes;
            std::copy(s.m_aSaved + 1, s.m_aSaved + n + 1, s.m_aBest + 1);
            std::copy(s.m_aSaved + 1, s.m_aSaved + n + 1, s.m_aCycle + 1);
            s.m_aBest[n + 1] = s.m_aCycle[n + 1] = s.m_aSaved[1];
            s.m_nBestCost = s.CycleCostOf(s.m_aBest);
            m_doc.m_results.Add(held);
        }
        // A compared test says that its last problem was cut short, as an abort of the reference
        // method does, before the closing box counts the problems that were compared.
        if (compared) WarningBox(IDS_ABORTED_BY_USER);
    }
    // The statistics sum up the polynomial runs of the series, whatever its last problem holds.
    if (m_doc.m_nTests != 0) m_doc.m_results.Add(RESULT_SERIES);
    if (m_doc.m_nTests > 1 && compared && reference == EReference::Exact) {
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
    CheckDocumentInvariants(m_doc, "continuous test");
}

// ---- Graph window -----------------------------------------------------------------------------------

void CTestSeries::RunGraphPolynomialOnce() {
    RunPolynomialOnce();
    const CCycleSolver& s = m_doc.m_solver;
    if (m_doc.m_results.Has(RESULT_POLYN) && s.CycleCostOf(s.m_aCycle) != 0)
        m_final.SetText(kTextNoGraphCycle);
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
    if (!aborted) m_doc.m_results.Add(RESULT_EXACT);
    WaitCursor(false);
    if (!s.m_bContinuous && !m_doc.m_results.Empty()) {
        m_doc.m_nTests = 1;
        m_dwExactElapsedMs = m_doc.ShowElapsed(m_dwExactElapsedMs, &m_time, 0);
        Refresh(0);
    }
    if (m_doc.m_results.Has(RESULT_EXACT) && s.CycleCostOf(s.m_aCycle) != 0)
        m_final.SetText(kTextNoGraphCycle);
    if (!m_doc.m_results.Has(RESULT_EXACT) && !m_bComparing) {
        WarningBox(IDS_ABORTED_BY_USER);
        m_final.SetText(kTextTestingAborted);
    }
    CheckDocumentInvariants(m_doc, "exact method");
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
        const CResults results = m_doc.m_results;
        Refresh(1);
        m_doc.m_results = results;
        RunGraphPolynomialOnce();
    } else {
        m_doc.m_results.Clear();
        m_bStartsAgreed = true;
        uint32_t total = 0;
        std::vector<int> firstInitial(n + 2, 0), firstBest(n + 2, 0);
        for (int i = 1; i <= starts; ++i) {
            BeforeRandom();
            s.MakeInitialCycle(1, 1);
            Refresh(1);
            RunGraphPolynomialOnce();
            total += m_doc.m_dwPolynMs;
            if (!m_doc.m_results.IsOnly(RESULT_POLYN)) break;
            if (i == 1) {
                s.SaveOrCompareBest(0);
                std::copy(s.m_aInitial + 1, s.m_aInitial + n + 1, firstInitial.begin() + 1);
                std::copy(s.m_aBest + 1, s.m_aBest + n + 1, firstBest.begin() + 1);
                firstLength = s.CycleCostOf(s.m_aBest);
            } else if (!s.SaveOrCompareBest(1)) {
                if (IsBetter(s.CycleCostOf(s.m_aBest), s.CycleCostOf(s.m_aSaved), false)) {
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

    if (m_doc.m_nDiffSolutions != 0 && !m_bStartsAgreed && !m_bInContinuous) WarningBox(IDS_NOT_CORRECT_SOLUTION);
    if (!m_doc.m_results.Has(RESULT_POLYN) && !m_bComparing && !s.m_bContinuous) {
        WarningBox(IDS_ABORTED_BY_USER);
        m_final.SetText(kTextTestingAborted);
    }
    if (s.CycleCostOf(s.m_aBest) == 0) {
        ++m_doc.m_nCyclesFound;
        if (!m_doc.m_results.IsOnly(RESULT_POLYN) && firstLength == 0) ++m_doc.m_nCyclesFound;
    }
    if (!s.m_bContinuous && !m_bComparing && g_bShowStatistics && m_doc.m_nTests != 0)
        m_doc.BuildStatistics(1);
    CheckDocumentInvariants(m_doc, "polynomial method");
}
