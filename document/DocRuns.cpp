// CMainDoc: running the polynomial method for the document's kind, preparing an exact run with
// its time warning, and the time estimate of the exact method.
#include <cstring>

#include "document/MainDoc.h"
#include "solver/ExactEstimate.h"

const char* TimeWarningText(int unit) {
    switch (unit) {
        case 2:
            return "A test may take a few minutes. Continue ?";
        case 3:
            return "A test may take a few hours. Continue ?";
        case 4:
            return "Are you sure that you are going to wait\nfor a few days ? Continue ?";
        case 5:
            return "Are you serious? It may take a few months !\nContinue ?";
        default:
            return "You are crazy! It may take years !!!\nContinue ?";
    }
}

void CMainDoc::RunPolynomial(ITextTarget* timeControl, ITextTarget* resultControl, int prepareOnly) {
    CCycleSolver& s = m_solver;
    m_results.Remove(RESULT_POLYN | RESULT_SERIES);
    s.m_pTimeCtrl = timeControl;
    s.m_pCostCtrl = resultControl;
    const uint32_t t = NowMs();
    m_dwPolynMs = t;
    s.m_dwRunStart = t;
    s.m_nLastSecond = t;
    s.m_szStatus[0] = '\0';
    if (prepareOnly != 0) return;

    int aborted = 0;
    switch (m_nDocKind) {
        case KIND_GRAPH:
            aborted = s.PolynMethodGraph();
            break;
        case KIND_MAP:
            aborted = s.PolynMethodNet(0, 0);
            break;
        case KIND_CHECK:
            aborted = s.PolynMethodNet(-1, 0);
            break;
        default:
            aborted = s.PolynMethodNet(1, 0);
            break;
    }
    if (aborted == 0) {
        m_results.Add(RESULT_POLYN);
        m_nPolynCost = s.CycleCostOf(s.m_aBest);
        m_nTests += 1;
    }
    m_dwPolynMs = ShowElapsed(t, timeControl, 0);
    m_bRan = 1;
}

int CMainDoc::BeginExactRun(ITextTarget* timeControl, ITextTarget* resultControl, int keepCounters) {
    CCycleSolver& s = m_solver;
    m_results.Remove(RESULT_EXACT | RESULT_SERIES);
    // In a continuous test the estimate shows nowhere: the Time field is left alone, nothing is
    // asked, and the progress line shows the test's total. Measuring it there would only cost time.
    const bool shown = s.m_bContinuous == 0 || s.m_pOwnerView == nullptr;
    const double seconds = shown ? EstimateExactSeconds() : 0.0;
    m_dExactEstimate = seconds;
    const int unit = ShowEstimate(seconds, timeControl);
    if (s.m_bContinuous == 0 && unit >= 2) {
        if (!Platform().pDialogs->AskYesNo(TimeWarningText(unit))) {
            if (timeControl) timeControl->SetText("");
            if (m_nDocKind != KIND_MAP && resultControl) resultControl->SetText("");
            return 0;
        }
    }
    if (keepCounters == 0 && s.m_bContinuous == 0) {
        m_nCyclesFound = 0;
        m_nAuxCount = 0;
        m_nDiffSolutions = 0;
        m_nTests = 0;
    }
    const uint32_t now = NowMs();
    s.m_dwRunStart = now;
    s.m_nLastSecond = now;
    s.m_pTimeCtrl = timeControl;
    s.m_pCostCtrl = resultControl;
    m_bRan = 1;
    return 1;
}

double CMainDoc::EstimateExactSeconds() {
    return EstimateExactRunSeconds(m_solver);
}
