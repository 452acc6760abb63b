// The graph window's own commands over a document: Only One Cycle? and Gener2. The graph window's
// exact and polynomial methods are in Series.cpp beside the network's; Compare and the continuous
// test are the network's, with the graph's verdict.
#include "document/MainDoc.h"
#include "document/Messages.h"
#include "document/RandomInstances.h"
#include "document/Series.h"

void CTestSeries::GraphOnlyOneCycle() {
    CCycleSolver& s = m_doc.m_solver;
    if (s.m_bBusy) return;
    m_bComparing = true;
    if (!m_doc.m_results.Has(RESULT_POLYN)) {
        m_doc.RunPolynomial(&m_time, &m_final, 1);
        GraphPolynomialMethod();
    }
    m_bComparing = false;
    if (s.m_nBestCost != 0) {  // no Hamiltonian cycle is known
        m_doc.m_results.Clear();
        return;
    }
    if (!m_doc.m_results.Has(RESULT_POLYN)) {
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
