// The edges list: after a network has been solved, how much each edge of the current (optimum)
// cycle may grow (shrink, for a maximum cycle) without the cycle ceasing to be optimal. The answer
// is left in the upper triangle of the adjustment matrix P; positive entries are the listed edges.
#include <algorithm>

#include "solver/CycleSolver.h"
#include "solver/Invariants.h"

int CCycleSolver::EdgesList() {
    // Without its table the method cannot run; m_strMemoryRefusal says why.
    if (!EnsureInsertTable()) return m_bAborted = 1;
    const int n = m_nNodes;
    CheckSolverInvariants(*this, "edges list", false, INV_ENTRY);
    m_bAborted = 0;
    m_nRunMode = 1;
    m_bStopRequest = 0;
    m_bBusy = 1;
    m_bQuiet = 0;
    if (m_bMaximum == 1) NegateWeights();
    PrepareTables();
    if (m_bStopRequest == 0) {
        std::copy(m_aCycle + 1, m_aCycle + n + 1, m_aBest + 1);
        // One sweep over the cycle: node x against the next two edges after it; when the nearer
        // edge is the cheaper place for x, that edge may grow by the difference.
        auto at = [&](int k) { return m_aCycle[(k - 1) % n + 1]; };
        for (int k = 1; k <= n; ++k) {
            const int x = at(k);
            const int e1a = std::min(at(k + 1), at(k + 2)), e1b = std::max(at(k + 1), at(k + 2));
            const int e2a = std::min(at(k + 2), at(k + 3)), e2b = std::max(at(k + 2), at(k + 3));
            const int a = Insertion(e1a, e1b, x);
            const int b = Insertion(e2a, e2b, x);
            if (a < b) LowerEdge(e1a, e1b, a - b, 0);
        }
    } else {
        m_bAborted = 1;
    }
    std::copy(m_aBest + 1, m_aBest + n + 1, m_aCycle + 1);
    m_aCycle[n + 1] = m_aCycle[1];
    m_nStartCost = m_nBestCost;
    if (m_bMaximum == 1) {
        NegateWeights();
        m_nStartCost = Negated(m_nStartCost);
    }
    m_bBusy = 0;
    CheckSolverInvariants(*this, "edges list", true, INV_CYCLE);
    return m_bAborted;
}
