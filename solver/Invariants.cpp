// The solver's invariants, checked at the methods' entries and exits in Debug builds.
#include "solver/Invariants.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "solver/CycleSolver.h"

std::string CycleFault(const int* cycle, int n) {
    std::vector<char> seen(static_cast<std::size_t>(n) + 1, 0);
    for (int k = 1; k <= n; ++k) {
        const int node = cycle[k];
        if (node < 1 || node > n) return "position " + std::to_string(k) + " holds " + std::to_string(node);
        if (seen[static_cast<std::size_t>(node)]++) return "node " + std::to_string(node) + " appears twice";
    }
    if (n >= 1 && cycle[n + 1] != cycle[1])
        return "position n+1 holds " + std::to_string(cycle[n + 1]) + ", position 1 " +
               std::to_string(cycle[1]);
    return "";
}

std::string SolverInvariantFault(const CCycleSolver& s, unsigned promises) {
    const int n = s.m_nNodes;
    if (n < 0 || n > MAX_SOLVER_NODES) return "node count " + std::to_string(n) + " out of range";
    if (s.m_bBusy != 0) return "a run is still marked busy";
    if (n < 3 || !s.m_bAllocated) return "";
    if (promises & INV_CYCLE) {
        const std::string fault = CycleFault(s.m_aCycle, n);
        if (!fault.empty()) return "current cycle: " + fault;
    }
    if (promises & INV_BEST) {
        // The best cycle keeps positions 1..n; position n+1 is the current cycle's business.
        std::vector<int> best(s.m_aBest, s.m_aBest + n + 2);
        best[static_cast<std::size_t>(n) + 1] = best[1];
        const std::string fault = CycleFault(best.data(), n);
        if (!fault.empty()) return "best cycle: " + fault;
    }
    if (promises & INV_COST) {
        const int cost = s.CycleCostOf(s.m_aBest);
        if (s.m_nBestCost != cost)
            return "recorded best cost " + std::to_string(s.m_nBestCost) + ", the best cycle costs " +
                   std::to_string(cost);
    }
    if ((promises & INV_CANONICAL) && (s.m_aBest[1] != 1 || s.m_aBest[2] > s.m_aBest[n]))
        return "the best cycle is not in canonical form";
    return "";
}

#ifndef NDEBUG
void CheckSolverInvariants(const CCycleSolver& solver, const char* method, bool exit, unsigned promises) {
    const std::string fault = SolverInvariantFault(solver, promises);
    if (fault.empty()) return;
    std::fprintf(stderr, "invariant broken at the %s of the %s: %s\n", exit ? "exit" : "entry", method,
                 fault.c_str());
    std::abort();
}
#endif
