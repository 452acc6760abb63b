// The solver's data model: storage, cost rules, saved-cycle comparison and cycle shapes.
#include <gtest/gtest.h>

#include <set>

#include "solver/CrtRandom.h"
#include "support/Fakes.h"
#include "support/Networks.h"

TEST(CycleSolverStorage, AllocatesZeroedTablesForTheKind) {
    auto net = MakeSolver(6, KIND_NETWORK);
    ASSERT_TRUE(net);
    EXPECT_EQ(net->m_bAllocated, 1);
    EXPECT_TRUE(net->m_pppInsert.IsAllocated());
    EXPECT_FALSE(net->m_pppInsertSmall.IsAllocated());
    for (std::size_t k = 0; k < net->m_ppWeight.Size(); ++k) ASSERT_EQ(net->m_ppWeight.Data()[k], 0);

    auto graph = MakeSolver(6, KIND_GRAPH);
    ASSERT_TRUE(graph);
    EXPECT_FALSE(graph->m_pppInsert.IsAllocated());
    EXPECT_TRUE(graph->m_pppInsertSmall.IsAllocated());
}

TEST(CycleSolverStorage, RefusesCountsItCannotHold) {
    CCycleSolver s;
    EXPECT_EQ(s.SetNodeCount(0), 0);
    EXPECT_EQ(s.SetNodeCount(MAX_SOLVER_NODES + 1), 0);
    EXPECT_EQ(s.m_bAllocated, 0);
    // 2049 nodes need a 34 GB insertion table: refused up front instead of failing while filled.
    if (CCycleSolver::TableBytes(MAX_SOLVER_NODES, KIND_NETWORK) > (std::size_t{40} << 30)) GTEST_SKIP();
    EXPECT_EQ(s.SetNodeCount(MAX_SOLVER_NODES), 0);
    EXPECT_FALSE(s.m_ppWeight.IsAllocated());
}

// The console takes the O(n^3) insertion table only for a method that needs it, and a refusal
// names what was asked and the limit.
TEST(CycleSolverStorage, TheInsertionTableCanWaitForTheMethodThatNeedsIt) {
    CCycleSolver s;
    s.m_bInsertOnDemand = 1;
    ASSERT_EQ(s.SetNodeCount(40), 1);
    EXPECT_TRUE(s.m_ppWeight.IsAllocated());
    EXPECT_FALSE(s.m_pppInsert.IsAllocated());
    ASSERT_EQ(s.EnsureInsertTable(), 1);
    EXPECT_TRUE(s.m_pppInsert.IsAllocated());
    s.m_nKind = KIND_GRAPH;  // another width: the table is made anew
    ASSERT_EQ(s.EnsureInsertTable(), 1);
    EXPECT_FALSE(s.m_pppInsert.IsAllocated());
    EXPECT_TRUE(s.m_pppInsertSmall.IsAllocated());
    EXPECT_EQ(CCycleSolver::TableBytes(40, KIND_NETWORK) - CCycleSolver::InsertTableBytes(40, KIND_NETWORK),
              (6 * 41 * 41 + 2 * 42 * 42) * 4u);
    // 2049 nodes: the matrices fit, the table (34 GB) is refused with the limit.
    s.m_nKind = KIND_NETWORK;
    ASSERT_EQ(s.SetNodeCount(MAX_SOLVER_NODES), 1);
    if (CCycleSolver::InsertTableBytes(MAX_SOLVER_NODES, KIND_NETWORK) <= CCycleSolver::TableMemoryLimit())
        GTEST_SKIP() << "a machine that could hold it";
    EXPECT_EQ(s.EnsureInsertTable(), 0);
    EXPECT_NE(s.m_strMemoryRefusal.find("insertion table for 2049 nodes would take"), std::string::npos)
        << s.m_strMemoryRefusal;
    EXPECT_NE(s.m_strMemoryRefusal.find("may be taken"), std::string::npos);
    // A method that needs the table stops at once, without touching the problem.
    EXPECT_EQ(s.PolynMethodNet(1, 0), 1);
    EXPECT_EQ(s.m_bBusy, 0);
}

TEST(CycleSolverStorage, ResizingKeepsTheWaitCursorBalanced) {
    CFakePlatform platform;
    CCycleSolver s;
    ASSERT_EQ(s.SetNodeCount(5), 1);
    ASSERT_EQ(s.SetNodeCount(7), 1);
    EXPECT_EQ(s.m_nNodes, 7);
    EXPECT_EQ(platform.dialogs.waitCursorDepth, 0);
}

TEST(CycleCost, GraphCountsRaisedEntriesAsOne) {
    auto s = MakeSolver(4, KIND_GRAPH);
    SetWeight(*s, 1, 2, 3);
    SetWeight(*s, 2, 3, 0);
    SetWeight(*s, 3, 4, 3);
    SetWeight(*s, 1, 4, 0);
    EXPECT_EQ(s->CycleCost(), 2);
    s->m_nKind = KIND_NETWORK;  // the same matrix as a network counts 3 as 3
    EXPECT_EQ(s->CycleCost(), 6);
}

TEST(CycleCost, AdjustedCostAddsOnlyNegativeAdjustments) {
    auto s = MakeSolver(4);
    for (int i = 1; i <= 4; ++i)
        for (int j = i + 1; j <= 4; ++j) SetWeight(*s, i, j, 10);
    s->m_ppAdjust[1][2] = -4;
    s->m_ppAdjust[2][3] = 5;   // positive entries are not adjustments of the weight
    s->m_ppAdjust[1][3] = -7;  // not an edge of the cycle 1-2-3-4
    int adjusted = 0;
    EXPECT_EQ(s->CycleCostAdjusted(0, &adjusted), 40);
    EXPECT_EQ(adjusted, 36);
    EXPECT_EQ(s->CycleCostAdjusted(0, nullptr), 40);
}

TEST(SaveOrCompareBest, EqualCostCountsAsTheSame) {
    auto s = MakeSolver(4);
    SetWeight(*s, 1, 2, 1), SetWeight(*s, 2, 3, 1), SetWeight(*s, 3, 4, 1), SetWeight(*s, 1, 4, 1);
    SetWeight(*s, 1, 3, 1), SetWeight(*s, 2, 4, 1);
    const int a[] = {0, 1, 2, 3, 4, 1}, b[] = {0, 1, 3, 2, 4, 1};
    std::copy(a, a + 6, s->m_aBest);
    EXPECT_EQ(s->SaveOrCompareBest(0), 1);
    std::copy(b, b + 6, s->m_aBest);
    EXPECT_EQ(s->SaveOrCompareBest(1), 1);  // different cycle, equal cost
    SetWeight(*s, 1, 3, 5);
    EXPECT_EQ(s->SaveOrCompareBest(1), 0);  // different cycle, different cost
    std::copy(a, a + 6, s->m_aBest);
    EXPECT_EQ(s->SaveOrCompareBest(1), 1);  // the same cycle
}

TEST(CycleShapes, NormalizePutsNodeOneFirstThenTheSmallerNeighbour) {
    auto s = MakeSolver(4);
    const int c[] = {0, 3, 1, 4, 2};
    std::copy(c, c + 5, s->m_aCycle);
    s->NormalizeCycle();
    EXPECT_EQ(CycleOf(*s, s->m_aCycle), (std::vector<int>{1, 3, 2, 4}));
    EXPECT_EQ(s->m_aCycle[5], 1);
}

TEST(CycleShapes, RotateKeepsTheDirection) {
    auto s = MakeSolver(5);
    s->RotateCycleTo(4);
    EXPECT_EQ(CycleOf(*s, s->m_aCycle), (std::vector<int>{4, 5, 1, 2, 3}));
}

TEST(CycleShapes, MoveNodeInsertsBetweenEitherOrderOfItsNeighbours) {
    auto s = MakeSolver(6);
    s->MoveNode(2, 4, 5);  // 1 3 4 2 5 6
    EXPECT_EQ(CycleOf(*s, s->m_aCycle), (std::vector<int>{1, 3, 4, 2, 5, 6}));
    s->MakeInitialCycle(1, 0);
    s->MoveNode(2, 5, 4);  // same place, neighbours named the other way round
    EXPECT_EQ(CycleOf(*s, s->m_aCycle), (std::vector<int>{1, 3, 4, 2, 5, 6}));
    s->MakeInitialCycle(1, 0);
    s->MoveNode(3, 6, 1);  // into the closing edge
    EXPECT_EQ(CycleOf(*s, s->m_aCycle), (std::vector<int>{1, 2, 4, 5, 6, 3}));
}

TEST(CycleShapes, ReverseTailReversesFromStopToTheEnd) {
    auto s = MakeSolver(6);
    s->ReverseTail(1, 4);  // 1 2 3 | 6 5 4
    EXPECT_EQ(CycleOf(*s, s->m_aCycle), (std::vector<int>{1, 2, 3, 6, 5, 4}));
}

TEST(InitialCycle, RandomStartIsACanonicalPermutation) {
    CFakePlatform platform;
    for (int n : {4, 5, 9, 30}) {
        auto s = MakeSolver(n);
        for (int trial = 0; trial < 50; ++trial) {
            platform.clock.now += 7919;  // a new seed each time
            s->MakeInitialCycle(1, 1);
            std::vector<int> c = CycleOf(*s, s->m_aInitial);
            EXPECT_EQ(c[0], 1);
            EXPECT_LT(c[1], c[n - 1]);
            EXPECT_EQ(std::set<int>(c.begin(), c.end()).size(), static_cast<std::size_t>(n));
            EXPECT_EQ(*std::max_element(c.begin(), c.end()), n);
            EXPECT_EQ(CycleOf(*s, s->m_aCycle), c);
            EXPECT_EQ(s->m_aInitial[n + 1], 1);
        }
    }
}

TEST(InitialCycle, SameSeedSameStart) {
    CFakePlatform platform;
    Platform().seedOverride = 42;
    auto s = MakeSolver(12);
    s->MakeInitialCycle(1, 1);
    const auto first = CycleOf(*s, s->m_aInitial);
    platform.clock.now += 12345;
    s->MakeInitialCycle(1, 1);
    EXPECT_EQ(CycleOf(*s, s->m_aInitial), first);
    Platform().seedOverride.reset();
}

TEST(CrtRandom, MatchesTheClassicRuntimeSequence) {
    CrtSrand(1);
    EXPECT_EQ(CrtRand(), 41);
    EXPECT_EQ(CrtRand(), 18467);
    EXPECT_EQ(CrtRand(), 6334);
}
