// The graph window's own commands over a document: Compare with its zero-cycle verdicts, Only One
// Cycle? and Gener2. The graph window's exact and polynomial methods and its continuous test are
// in Series.cpp beside the network's.
#include <algorithm>
#include <vector>

#include "document/MainDoc.h"
#include "document/Messages.h"
#include "document/RandomInstances.h"
#include "document/Series.h"

void CTestSeries::GraphCompare() {
    CCycleSolver& s = m_doc.m_solver;
    if (s.m_bBusy) return;
    const int diff = m_doc.m_nDiffSolutions, tests = m_doc.m_nTests, found = m_doc.m_nCyclesFound;
    m_doc.m_nTests = m_doc.m_nDiffSolutions = m_doc.m_nCyclesFound = 0;
    m_bComparing = true;
    switch (m_doc.m_nResults) {
        case 0:
            GraphExactMethod();
            if (m_doc.m_nResults == 2) {
                s.SaveOrCompareBest(0);
                GraphPolynomialMethod();
                m_doc.ShowElapsed(m_dwExactElapsedMs + m_doc.m_dwPolynMs, &m_time, m_doc.m_dwPolynMs);
            }
            break;
        case 1: {
            // The exact method starts from a refresh that clears the results, so the polynomial
            // result is kept aside and put back beside the exact one once that run completes.
            const int n = s.m_nNodes;
            std::vector<int> polyn(s.m_aBest, s.m_aBest + n + 2);
            const uint32_t polynMs = m_doc.m_dwPolynMs;
            GraphExactMethod();
            if (m_doc.m_nResults == 2) {
                s.SaveOrCompareBest(0);
                std::copy(polyn.begin(), polyn.end(), s.m_aBest);
                m_doc.m_nResults = 3;
                m_doc.m_dwPolynMs = polynMs;
                m_doc.ShowElapsed(m_dwExactElapsedMs + polynMs, &m_time, polynMs);
            }
            break;
        }
        case 2:
            s.SaveOrCompareBest(0);
            GraphPolynomialMethod();
            break;
        default:
            InfoBox(IDS_ALREADY_COMPARED);
            m_doc.m_nDiffSolutions = diff;
            m_doc.m_nTests = tests;
            m_doc.m_nCyclesFound = found;
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
    const int verdict = GraphCompareVerdict(s.CycleCostOf(s.m_aBest) == 0, s.CycleCostOf(s.m_aSaved) == 0);
    m_bStartsAgreed = verdict != IDS_NO_ZERO_CYCLE_FOUND;
    if (!m_bStartsAgreed) ++m_doc.m_nDiffSolutions;
    InfoBox(verdict);
}

void CTestSeries::GraphOnlyOneCycle() {
    CCycleSolver& s = m_doc.m_solver;
    if (s.m_bBusy) return;
    m_bComparing = true;
    if (m_doc.m_nResults == 0 || m_doc.m_nResults == 2) {
        m_doc.RunPolynomial(&m_time, &m_final, 1);
        GraphPolynomialMethod();
    }
    m_bComparing = false;
    if (s.m_nBestCost != 0) {  // no Hamiltonian cycle is known
        m_doc.m_nResults = 0;
        return;
    }
    if (m_doc.m_nResults == 0 || m_doc.m_nResults == 2) {
        m_time.SetText("");
        m_final.SetText("");
        WarningBox(IDS_ABORTED_BY_USER);
        return;
    }
    SeekSecondCycle("The graph has the second cycle:", IDS_ONLY_ONE_GRAPH_CYCLE);
}

void CTestSeries::Gener2Graph(int degree) {
    if (m_doc.m_solver.m_bBusy) return;
    BeforeRandom();
    Gener2(m_doc.m_solver, degree);
    Refresh(1);
}
