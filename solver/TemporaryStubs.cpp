// TEMPORARY stand-ins for the polynomial method, so the document builds before
// those branches land. Deleted when main is merged.
#include <algorithm>
#include <cstdio>

#include "solver/CycleSolver.h"
#include "solver/MethodParams.h"

int g_nFirstLoop = 2;
int g_nSecondLoop = 20;
int g_nMapFirstLoop = 2;
int g_nMapSecondLoop = 3;
double g_dParam1 = 0.017;
double g_dParam2 = 0.475;
double g_dMapParam1 = 0.017;
double g_dMapParam2 = 0.475;

int CCycleSolver::PolynMethodNet(int mode, int quiet) {
    m_nRunMode = mode;
    m_bQuiet = quiet;
    m_bAborted = 0;
    m_nBestCost = ExpMethodNet(0, &m_bAborted);
    m_aCycle[m_nNodes + 1] = m_aCycle[1];
    std::copy(m_aBest, m_aBest + m_nNodes + 2, m_aCycle);
    m_nBestCost = CycleCostOf(m_aBest);
    m_nStartCost = m_nBestCost;
    return m_bAborted;
}

int CCycleSolver::PolynMethodGraph() {
    m_nRunMode = 1;
    m_bQuiet = 0;
    m_bAborted = 0;
    ExpMethodGraph(&m_bAborted);
    std::copy(m_aCycle, m_aCycle + m_nNodes + 2, m_aBest);
    m_nBestCost = CycleCostOf(m_aBest);
    m_nStartCost = m_nBestCost;
    return m_bAborted;
}
