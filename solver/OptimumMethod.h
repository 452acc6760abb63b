// A proven optimum of a network where the enumeration cannot go.
//
// The problem: the cheapest (in maximum mode the dearest) cycle through all n nodes of the
// solver's network. Two exact ways, both of which prove what they return:
//
//  - Dynamic programming over subsets (Held and Karp): the cheapest path from node 1 through each
//    subset S of the other nodes, ending at each j in S, from the paths through S - {j}. Time
//    O(2^n n^2), memory 2^(n-1) (n-1) costs: a few milliseconds at 15 nodes, a second at 22,
//    1.6 GB at 25; no further. Exact integer arithmetic, no tolerances.
//  - Bounds (branch and cut, solver/BranchCut.cpp): the LP relaxation "each node on two chosen
//    edges" over candidate edges, strengthened by subtour cuts, blossoms and combs as the LP
//    points violate them, on COIN-OR CLP (or GLPK) behind an LP interface of our own; the other
//    edges priced, so that every bound holds for all edges; edges fixed by reduced cost; branching
//    on an edge near 1/2 chosen by strong branching. The first incumbent comes from an iterated
//    local search (or the solver's cycle when that is cheaper). A cycle is optimal once no open
//    subproblem's bound lies below its cost. Published instances of a few hundred nodes take
//    seconds to a minute (docs/benchmarks.md).
//
// Usage: OptimumMethodNet(solver, OPTIMUM_AUTO, result) - the cheaper way for the size, the poll
// of the run control kept (Escape stops the search with the best cycle and bound so far).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "solver/LpSolver.h"

class CCycleSolver;

enum EOptimumWay {
    OPTIMUM_AUTO = 0,     // the dynamic programme up to OPTIMUM_DP_AUTO_NODES nodes, else bounds
    OPTIMUM_DYNAMIC = 1,  // dynamic programming over subsets (refused above OPTIMUM_DP_MAX_NODES)
    OPTIMUM_BOUNDS = 2,   // branch and cut
};
constexpr int OPTIMUM_DP_AUTO_NODES = 13;
constexpr int OPTIMUM_DP_MAX_NODES = 25;

struct COptimumResult {
    int cost = 0;            // cost of the cycle (the maximum as a positive number in maximum mode)
    int64_t bound = 0;       // proven bound on the optimum: lower (upper in maximum mode)
    bool hasBound = false;   // false when the search stopped before it had a bound
    bool proven = false;     // cost equals the bound: the cycle is optimal
    bool aborted = false;    // stopped by the user
    bool noMemory = false;   // the dynamic programme's table could not be had
    bool noCycle = false;    // no cycle can use every fixed edge
    int way = 0;             // the way that ran: OPTIMUM_DYNAMIC or OPTIMUM_BOUNDS
    int64_t branches = 0;    // branch-and-bound nodes, or subsets for the dynamic programme
    std::array<int64_t, 3> cuts{};  // cuts found by the branch and cut: subtour, blossom, comb
    std::vector<int> cycle;  // the nodes from position 1 (node 1 first), n entries
};

// The LP solver of the branch and cut (quira-cli --lp); CLP unless told.
extern ELpKind g_eOptimumLp;

// What a long search shows once a second beside the Time field: elapsed milliseconds, best cost
// and bound so far (sign-corrected; hasBound false while there is none).
using OptimumProgressFn = std::function<void(uint32_t elapsedMs, int best, int64_t bound, bool hasBound)>;

// Solves the solver's network (kinds 1, 3, 4; m_bMaximum honoured) and records the cycle in
// m_aCycle and m_aBest and its cost in m_nBestCost, as the exact method does. Calls PollProgress
// (Time field, Escape) about every 20 ms and progress, when given, about once a second. Returns
// 0 = proven, 1 = stopped by the user (best cycle and bound so far), 2 = not enough memory for the
// chosen way (nothing recorded), 3 = no cycle can use every fixed edge (nothing recorded).
// fixedEdges: edges (node numbers) every cycle must use, as an instance's fixed edges ask; the
// optimum and the bound are then those of the cycles through them.
int OptimumMethodNet(CCycleSolver& solver, EOptimumWay way, COptimumResult& result,
                     const OptimumProgressFn& progress = {},
                     const std::vector<std::pair<int, int>>& fixedEdges = {});

// Percent by which cost lies above the optimum (below it in maximum mode); 0 for an optimum of 0
// that is met, and NaN for any other cost against an optimum of 0: a gap to 0 has no percentage.
double GapPercent(int cost, int optimum, bool maximum);
