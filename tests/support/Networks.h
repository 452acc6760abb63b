// Small networks for tests, built by hand or drawn from a seeded generator.
#pragma once

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "solver/CycleSolver.h"
#include "solver/ExactMethod.h"

// Sets the worker count of the exact methods for the life of the object.
class CExactThreadsScope {
public:
    explicit CExactThreadsScope(int threads) : m_nSaved(g_nExactThreads) { g_nExactThreads = threads; }
    ~CExactThreadsScope() { g_nExactThreads = m_nSaved; }
    CExactThreadsScope(const CExactThreadsScope&) = delete;
    CExactThreadsScope& operator=(const CExactThreadsScope&) = delete;

private:
    int m_nSaved;
};

// A solver of the given kind sized for n nodes, identity cycle as initial and current cycle.
inline std::unique_ptr<CCycleSolver> MakeSolver(int n, int kind = KIND_NETWORK) {
    auto s = std::make_unique<CCycleSolver>();
    s->m_nKind = kind;
    s->m_bGraphView = kind == KIND_GRAPH;
    if (!s->SetNodeCount(n)) return nullptr;
    s->MakeInitialCycle(1, 0);
    return s;
}

inline void SetWeight(CCycleSolver& s, int i, int j, int w) {
    if (i > j) std::swap(i, j);
    s.m_ppWeight[i][j] = w;
}

// Random upper-triangle weights in 1..amplitude.
inline void FillRandom(CCycleSolver& s, std::mt19937& rng, int amplitude = 100) {
    std::uniform_int_distribution<int> draw(1, amplitude);
    for (int i = 1; i <= s.m_nNodes; ++i)
        for (int j = i + 1; j <= s.m_nNodes; ++j) s.m_ppWeight[i][j] = draw(rng);
}

// A graph (0 = edge, 1 = no edge) from an edge list.
inline void SetGraph(CCycleSolver& s, const std::vector<std::pair<int, int>>& edges) {
    for (int i = 1; i <= s.m_nNodes; ++i)
        for (int j = i + 1; j <= s.m_nNodes; ++j) s.m_ppWeight[i][j] = 1;
    for (auto [a, b] : edges) SetWeight(s, a, b, 0);
}

// A copy of the whole weight matrix, both triangles, for before/after comparisons.
inline std::vector<int32_t> WeightSnapshot(const CCycleSolver& s) {
    return std::vector<int32_t>(s.m_ppWeight.Data(), s.m_ppWeight.Data() + s.m_ppWeight.Size());
}

inline std::vector<int> CycleOf(const CCycleSolver& s, const int* cycle) {
    return std::vector<int>(cycle + 1, cycle + s.m_nNodes + 1);
}

// The optimum by a plain enumeration, independent of the solver: node 1 first, the others in
// lexicographic order, the first strictly best order kept.
struct CBruteForce {
    int cost;
    std::vector<int> cycle;
};
inline CBruteForce BruteForceOptimum(const CCycleSolver& s, bool maximum) {
    const int n = s.m_nNodes;
    std::vector<int> order(n);
    for (int k = 0; k < n; ++k) order[k] = k + 1;
    CBruteForce best{0, {}};
    do {
        int cost = 0;
        for (int k = 0; k < n; ++k) cost += s.Weight(order[k], order[(k + 1) % n]);
        if (best.cycle.empty() || (maximum ? cost > best.cost : cost < best.cost)) best = {cost, order};
    } while (std::next_permutation(order.begin() + 1, order.end()));
    return best;
}
