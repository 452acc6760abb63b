// The polynomial method for graphs: Hamiltonian cycles found, raised pairs restored, graphs
// without a Hamiltonian cycle, and the user's Escape.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "support/Fakes.h"
#include "support/Networks.h"

namespace {

// A graph that is one cycle through all nodes in a shuffled order: its only Hamiltonian cycle.
std::unique_ptr<CCycleSolver> HiddenCycle(int n, unsigned seed, std::vector<int>& order) {
    auto s = MakeSolver(n, KIND_GRAPH);
    order.resize(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 1);
    std::mt19937 rng(seed);
    std::shuffle(order.begin() + 1, order.end(), rng);
    std::vector<std::pair<int, int>> edges;
    for (int k = 0; k < n; ++k) edges.emplace_back(order[k], order[(k + 1) % n]);
    SetGraph(*s, edges);
    return s;
}

// Looks at the weights while the method runs, at its first poll.
struct CPeekEvents : IEventPump {
    CCycleSolver* solver = nullptr;
    std::vector<int32_t> seen;
    bool escape = false;
    bool ServiceOne() override {
        if (seen.empty()) seen = WeightSnapshot(*solver);
        return escape;
    }
};

}  // namespace

TEST(PolynMethodGraph, FindsTheOnlyHamiltonianCycle) {
    for (int n : {8, 12, 20, 30}) {
        CFakePlatform platform;
        std::vector<int> order;
        auto s = HiddenCycle(n, 90 + n, order);
        const auto before = WeightSnapshot(*s);
        EXPECT_EQ(s->PolynMethodGraph(), 0);
        EXPECT_EQ(s->m_nBestCost, 0) << "n = " << n;
        EXPECT_EQ(s->m_nStartCost, 0);
        EXPECT_EQ(s->CycleCostOf(s->m_aBest), 0);
        EXPECT_EQ(CycleOf(*s, s->m_aCycle), CycleOf(*s, s->m_aBest));
        EXPECT_EQ(WeightSnapshot(*s), before);
        EXPECT_EQ(s->m_bBusy, 0);
    }
}

TEST(PolynMethodGraph, StartingOnTheHamiltonianCycleReturnsAtOnce) {
    CFakePlatform platform;
    auto s = MakeSolver(7, KIND_GRAPH);
    SetGraph(*s, {{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 7}, {7, 1}});
    EXPECT_EQ(s->PolynMethodGraph(), 0);
    EXPECT_EQ(s->m_nBestCost, 0);
    EXPECT_EQ(s->m_nMemoryUsed, 0) << "no walk was made";
    EXPECT_EQ(CycleOf(*s, s->m_aBest), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
}

TEST(PolynMethodGraph, RaisesCrossPairsOfDistantEdgesOnlyDuringTheRun) {
    CFakePlatform platform;
    CPeekEvents peek;
    CPlatformScope scope(nullptr, &peek, nullptr);
    auto s = MakeSolver(6, KIND_GRAPH);
    peek.solver = s.get();
    // Edges {1,2} and {3,4} with no edge between their ends, and {5,6} which touches neither:
    // every pair of them is raised.
    SetGraph(*s, {{1, 2}, {3, 4}, {5, 6}});
    const auto before = WeightSnapshot(*s);
    s->PolynMethodGraph();
    ASSERT_FALSE(peek.seen.empty());
    const auto at = [&](int i, int j) { return peek.seen[static_cast<std::size_t>(i) * 7 + j]; };
    EXPECT_EQ(at(1, 3), 3);
    EXPECT_EQ(at(1, 4), 3);
    EXPECT_EQ(at(2, 3), 3);
    EXPECT_EQ(at(2, 4), 3);
    EXPECT_EQ(at(1, 5), 3);
    EXPECT_EQ(at(1, 2), 0) << "edges stay edges";
    EXPECT_EQ(WeightSnapshot(*s), before);
}

TEST(PolynMethodGraph, GraphWithoutHamiltonianCycleReportsItsMissingEdges) {
    CFakePlatform platform;
    auto s = MakeSolver(7, KIND_GRAPH);
    // A star-like tree: no Hamiltonian cycle.
    SetGraph(*s, {{1, 2}, {1, 3}, {1, 4}, {4, 5}, {5, 6}, {6, 7}});
    const auto before = WeightSnapshot(*s);
    EXPECT_EQ(s->PolynMethodGraph(), 0);
    EXPECT_GE(s->m_nBestCost, 1);
    EXPECT_EQ(s->m_nBestCost, s->CycleCostOf(s->m_aBest));
    EXPECT_EQ(WeightSnapshot(*s), before);
}

// A dense graph costs most before any search: raising its pairs and building its table. Those
// steps poll, so an Escape is seen there (on a complete graph the run never polled at all).
TEST(PolynMethodGraph, EscapeIsSeenBeforeTheSearchOnALargeDenseGraph) {
    CFakePlatform platform;
    const int n = POLL_EACH_NODE_FROM;
    auto s = MakeSolver(n, KIND_GRAPH);
    std::vector<std::pair<int, int>> edges;
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j) edges.emplace_back(i, j);
    SetGraph(*s, edges);
    const auto before = WeightSnapshot(*s);
    platform.events.queue = {"Escape"};
    EXPECT_EQ(s->PolynMethodGraph(), 1);
    EXPECT_EQ(platform.events.polls, 1);
    EXPECT_EQ(WeightSnapshot(*s), before);
    EXPECT_EQ(s->m_bBusy, 0);
    EXPECT_EQ(s->m_nBestCost, s->CycleCostOf(s->m_aBest));
    // Without an Escape the same graph ends on its Hamiltonian cycle, polling on its way.
    EXPECT_EQ(s->PolynMethodGraph(), 0);
    EXPECT_EQ(s->m_nBestCost, 0);
    EXPECT_GE(platform.events.polls, n);
}

TEST(PolynMethodGraph, EscapeEndsTheRunWithTheBestCycleSoFar) {
    CFakePlatform platform;
    std::vector<int> order;
    auto s = HiddenCycle(40, 3, order);
    platform.events.queue = {"other", "Escape"};
    const auto before = WeightSnapshot(*s);
    EXPECT_EQ(s->PolynMethodGraph(), 1);
    EXPECT_EQ(s->m_bAborted, 1);
    EXPECT_EQ(s->m_nBestCost, s->CycleCostOf(s->m_aBest));
    EXPECT_EQ(WeightSnapshot(*s), before);
    EXPECT_EQ(s->m_bBusy, 0);
    EXPECT_LE(platform.events.polls, 4) << "the second search is skipped after an Escape";
}
