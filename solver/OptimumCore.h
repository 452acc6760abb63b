// The two exact ways of the optimum method over a plain distance table (nodes 0..n-1, node 0 for
// the solver's node 1), and the start tour they share. Used by solver/OptimumMethod.cpp and by the
// benchmarks; see OptimumMethod.h for the ways themselves.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "solver/LpSolver.h"

// A symmetric distance table; costs in 64 bits, so no sum of a path can wrap.
struct CTspTable {
    int n = 0;
    std::vector<int64_t> d;  // d[a * n + b] = d[b * n + a]
    int64_t W(int a, int b) const { return d[static_cast<std::size_t>(a) * static_cast<std::size_t>(n) + b]; }
};

// Called by a search on its own thread now and then: true = stop. best is INT64_MAX while there is
// no tour, bound meaningful only with hasBound.
using OptimumPollFn = std::function<bool(int64_t best, int64_t bound, bool hasBound)>;

struct COptimumCore {
    std::vector<int> tour;  // node 0 first; empty when the search had none
    int64_t cost = 0;
    int64_t bound = 0;
    bool hasBound = false;
    bool proven = false;
    bool stopped = false;
    bool noMemory = false;
    int64_t branches = 0;
    int64_t cuts[3] = {0, 0, 0};  // cuts found by kind (ECutKind): subtour, blossom, comb
    int64_t lpSolves = 0;
    double lpSeconds = 0, separationSeconds = 0, pricingSeconds = 0, heuristicSeconds = 0;
};

int64_t TourCost(const CTspTable& t, const std::vector<int>& tour);
// Nearest neighbour from node 0 (ties: the lower number).
std::vector<int> NearestNeighbourTour(const CTspTable& t);
// Nearest neighbour from node 0, then 2-opt and node moves until neither improves.
std::vector<int> HeuristicTour(const CTspTable& t);
// The k nearest other nodes of each node, nearest first (ties by number).
std::vector<std::vector<int>> NeighbourLists(const CTspTable& t, int k);
// 2-opt, moves of segments of 1..3 nodes, sequential 3-opt and Lin-Kernighan chains over the
// neighbour lists until none improves; only: the nodes to look at first (all when null).
void ImproveTour(const CTspTable& t, const std::vector<std::vector<int>>& nl, std::vector<int>& tour,
                 const std::vector<int>* only);
// ImproveTour, then kicks double bridges each followed by ImproveTour, keeping the better tour.
std::vector<int> IteratedTour(const CTspTable& t, const std::vector<std::vector<int>>& nl, std::vector<int> tour,
                              int kicks, uint32_t seed, const std::function<bool()>& stop);
// The branch and cut's first tour: nearest neighbour, then IteratedTour with 20 n kicks.
std::vector<int> StartTour(const CTspTable& t, const std::vector<std::vector<int>>& nl, const std::function<bool()>& stop);
// A tour from the edges of an LP point (by value, then cheapest), improved by ImproveTour.
std::vector<int> TourFromPoint(const CTspTable& t, const std::vector<std::vector<int>>& nl,
                               const std::vector<int>& eu, const std::vector<int>& ev, const std::vector<double>& x);

// Edges (nodes 0..n-1) every tour must use, as their weights lowered by more than any two tours can
// differ (lowered: the total taken off a tour through all of them); false when no tour can hold
// them all (a node on three, or a closed ring of fewer than n).
bool LowerFixedEdges(CTspTable& t, const std::vector<std::pair<int, int>>& fixed, int64_t& lowered);

// Bytes of the dynamic programme's table for n nodes.
uint64_t HeldKarpBytes(int n);
COptimumCore HeldKarpSolve(const CTspTable& t, const OptimumPollFn& poll);

struct CTspCut;
struct CBranchCutOptions {
    ELpKind lp = ELpKind::Clp;
    std::function<void(const CTspCut&)> onCut;  // every cut added to the pool (tests)
    bool strongBranching = true;
    bool blossoms = true;
    bool trace = false;  // one line per root round and per 20 nodes on standard error (benchmarks)
    std::function<std::unique_ptr<CLpSolver>()> lpFactory;  // instead of lp, when set (benchmarks)
};
// Branch and cut over an LP of candidate edges (solver/BranchCut.cpp); start: the first incumbent.
COptimumCore BranchCutSolve(const CTspTable& t, const std::vector<int>& start, const OptimumPollFn& poll,
                            const CBranchCutOptions& options = {});
