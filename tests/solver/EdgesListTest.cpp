// The edges list: the answer in P, the cycle and the weights left as they were.
#include <gtest/gtest.h>

#include <random>

#include "support/Fakes.h"
#include "support/Networks.h"

TEST(EdgesList, LeavesCycleAndWeightsAndAnswersForCycleEdgesOnly) {
    for (int maximum = 0; maximum <= 1; ++maximum) {
        CFakePlatform platform;
        auto s = MakeSolver(8);
        std::mt19937 rng(17 + maximum);
        FillRandom(*s, rng, 100);
        s->m_bMaximum = maximum;
        s->ExpMethodNet(0, nullptr);
        const auto weights = WeightSnapshot(*s);
        const auto cycle = CycleOf(*s, s->m_aCycle);
        EXPECT_EQ(s->EdgesList(), 0);
        EXPECT_EQ(WeightSnapshot(*s), weights);
        EXPECT_EQ(CycleOf(*s, s->m_aCycle), cycle);
        EXPECT_EQ(s->m_nStartCost, s->CycleCostOf(s->m_aCycle)) << "the cost in the user's sign";
        s->IndexPositions(s->m_aCycle);
        int listed = 0;
        for (int i = 1; i <= 8; ++i)
            for (int j = i + 1; j <= 8; ++j)
                if (s->m_ppAdjust[i][j] > 0) {
                    ++listed;
                    EXPECT_TRUE(s->IsIndexedCycleEdge(i, j)) << i << "-" << j;
                }
        std::printf("edges listed (maximum %d): %d\n", maximum, listed);
        EXPECT_EQ(s->m_bBusy, 0);
    }
}

TEST(EdgesList, EscapeDuringStabilisingMakesNoEdgePass) {
    CFakePlatform platform;
    auto s = MakeSolver(9);
    std::mt19937 rng(4);
    FillRandom(*s, rng, 100);
    platform.events.queue = {"Escape"};
    const auto cycle = CycleOf(*s, s->m_aCycle);
    EXPECT_EQ(s->EdgesList(), 1);
    EXPECT_EQ(s->m_bAborted, 1);
    EXPECT_EQ(CycleOf(*s, s->m_aCycle), cycle);
}
