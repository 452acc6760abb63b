// The check-a-given-cycle commands: exact, polynomial, and Compare of their verdicts.
#include "document/GivenCycleCheck.h"

#include <algorithm>
#include <cstdio>

#include "document/Invariants.h"
#include "document/MainDoc.h"
#include "document/Messages.h"

namespace {
void WaitCursor(bool on) {
    Platform().pDialogs->SetWaitCursor(on);
}
}  // namespace

CGivenCycleCheck::CGivenCycleCheck(CMainDoc& doc, ITextTarget& timeField, ITextTarget& commentsField)
    : m_doc(doc), m_time(timeField), m_comments(commentsField) {}

void CGivenCycleCheck::Refresh(int reset) {
    if (reset) {
        m_comments.SetText("");
        m_time.SetText("");
        m_doc.m_results.Clear();
    } else {
        m_comments.SetText(m_doc.CycleText(m_doc.m_solver.m_aCycle));
    }
    if (m_fnRefresh) m_fnRefresh(reset);
}

const char* CGivenCycleCheck::VerdictText(int verdict) const {
    return GivenCycleVerdictText(verdict, m_doc.m_solver.m_bMaximum != 0);
}

void CGivenCycleCheck::Judge(int given, int found) {
    CCycleSolver& s = m_doc.m_solver;
    m_nVerdict = JudgeGivenCycle(given, found, s.m_bMaximum != 0);
    if (m_nVerdict == VERDICT_NOT_OPTIMAL) {
        // The given cycle goes back into the field; the results stay.
        s.MakeInitialCycle(0, 0);
        const CResults results = m_doc.m_results;
        Refresh(1);
        m_doc.m_results = results;
    }
    m_comments.SetText(VerdictText(m_nVerdict));
}

void CGivenCycleCheck::CheckByPolynomial() {
    CCycleSolver& s = m_doc.m_solver;
    m_nVerdict = VERDICT_NONE;
    WaitCursor(true);
    s.m_nTestLevel = 2;
    s.m_nTargetCost = NO_COST;
    const int given = s.CycleCostOf(s.m_aCycle);
    m_doc.RunPolynomial(&m_time, &m_comments, 0);
    WaitCursor(false);
    if (!m_doc.m_results.Has(RESULT_POLYN)) {
        m_comments.SetText(kTextTestingAborted);
        return;
    }
    Judge(given, s.m_nBestCost);
}

void CGivenCycleCheck::PolynomialMethod() {
    CCycleSolver& s = m_doc.m_solver;
    if (s.m_bBusy) return;
    m_comments.SetText("");
    s.MakeInitialCycle(0, 0);
    Refresh(1);
    m_doc.m_dwSeriesTime = NowMs();
    m_doc.m_nTests = m_doc.m_nDiffSolutions = m_doc.m_nCyclesFound = 0;
    CheckByPolynomial();
    m_doc.m_nTests = 1;
    m_doc.ShowElapsed(m_doc.m_dwSeriesTime, &m_time, 0);
    CheckDocumentInvariants(m_doc, "polynomial check");
}

void CGivenCycleCheck::ExactMethod() {
    CCycleSolver& s = m_doc.m_solver;
    if (s.m_bBusy) return;
    if (!m_doc.BeginExactRun(&m_time, &m_comments, 0)) return;
    m_dwExactElapsedMs = NowMs();
    m_comments.SetText("");
    WaitCursor(true);
    m_nVerdict = VERDICT_NONE;
    std::string estimate;
    FormatDuration(estimate, m_doc.m_dExactEstimate);
    std::snprintf(s.m_szStatus, sizeof s.m_szStatus, "%s", estimate.c_str());
    s.MakeInitialCycle(0, 0);
    Refresh(1);
    const int given = s.CycleCostOf(s.m_aCycle);
    int aborted = 0;
    const int found = s.ExpMethodNet(0, &aborted);
    WaitCursor(false);
    m_doc.m_nTests = 1;
    m_dwExactElapsedMs = m_doc.ShowElapsed(m_dwExactElapsedMs, &m_time, 0);
    if (!aborted) {
        m_doc.m_results.Add(RESULT_EXACT);
        Judge(given, found);
    } else {
        m_doc.m_nTests = 0;
        m_comments.SetText("");
        m_time.SetText("");
        WarningBox(IDS_ABORTED_BY_USER);
    }
    m_nExactVerdict = m_nVerdict;
    CheckDocumentInvariants(m_doc, "exact check");
}

void CGivenCycleCheck::Compare() {
    CCycleSolver& s = m_doc.m_solver;
    if (s.m_bBusy) return;
    m_doc.m_nTests = 0;
    m_doc.m_nDiffSolutions = 0;
    if (m_doc.m_results.Has(RESULT_POLYN | RESULT_EXACT)) {
        InfoBox(IDS_ALREADY_COMPARED);
        return;
    }
    m_doc.m_results.Clear();
    s.MakeInitialCycle(0, 0);
    Refresh(1);
    ExactMethod();
    const int exactVerdict = m_nVerdict;
    if (!m_doc.m_results.IsOnly(RESULT_EXACT)) return;
    PolynomialMethod();
    // The polynomial check starts from a refresh that clears the results; the exact one stands.
    if (m_doc.m_results.IsOnly(RESULT_POLYN)) m_doc.m_results.Add(RESULT_EXACT);
    m_doc.ShowElapsed(m_dwExactElapsedMs + m_doc.m_dwPolynMs, &m_time, m_doc.m_dwPolynMs);
    if (!m_doc.m_results.Has(RESULT_POLYN | RESULT_EXACT)) {
        m_comments.SetText("");
        m_time.SetText("");
        WarningBox(IDS_ABORTED_BY_USER);
        return;
    }
    const CVerdict verdict = CheckCompareVerdict(m_nVerdict, exactVerdict);
    if (!verdict.bAgree) ++m_doc.m_nDiffSolutions;
    ShowVerdict(verdict);
}

void CGivenCycleCheck::FinalToGiven() {
    CCycleSolver& s = m_doc.m_solver;
    if (s.m_bBusy) return;
    WaitCursor(true);
    m_doc.m_results.Clear();
    s.MakeInitialCycle(0, 0);
    Refresh(1);
    m_doc.RunPolynomial(&m_time, &m_comments, 1);  // progress targets and clocks only
    m_comments.SetText(kTextSearchingFinal);
    s.m_nTestLevel = 2;
    const int aborted = s.PolynMethodNet(-2, 0);
    m_doc.m_dwPolynMs = m_doc.ShowElapsed(m_doc.m_dwPolynMs, &m_time, 0);
    WaitCursor(false);
    if (aborted != 0) {
        m_comments.SetText("");
        Platform().pDialogs->ShowMessage(EBoxKind::Warning, kTextFinalSearchAborted);
        return;
    }
    m_doc.m_results.Add(RESULT_POLYN);
    ++m_doc.m_nTests;
    const int n = s.m_nNodes;
    std::copy(s.m_aBest, s.m_aBest + n + 1, s.m_aCycle);
    std::copy(s.m_aBest, s.m_aBest + n + 1, s.m_aInitial);
    s.m_aCycle[n + 1] = s.m_aCycle[1];
    s.m_aInitial[n + 1] = s.m_aInitial[1];
    Refresh(1);
    CheckDocumentInvariants(m_doc, "final to given");
}
