// The optimum method: known optima, both ways against the exact method and each other, the stop
// by Escape and the progress of a long run.
#include <gtest/gtest.h>

#include <algorithm>

#include "solver/OptimumMethod.h"
#include "support/Fakes.h"
#include "support/OptimumCompare.h"

namespace {
// A ring 1-2-...-n of weight 1 in a network of weight 10: the optimum is n.
std::unique_ptr<CCycleSolver> Ring(int n) {
    auto s = MakeSolver(n);
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j) SetWeight(*s, i, j, j == i + 1 || (i == 1 && j == n) ? 1 : 10);
    return s;
}
bool IsPermutation(std::vector<int> cycle) {
    std::sort(cycle.begin(), cycle.end());
    for (std::size_t k = 0; k < cycle.size(); ++k)
        if (cycle[k] != static_cast<int>(k) + 1) return false;
    return true;
}
}  // namespace

TEST(OptimumMethod, KnownOptimaByBothWays) {
    for (EOptimumWay way : {OPTIMUM_DYNAMIC, OPTIMUM_BOUNDS, OPTIMUM_AUTO}) {
        for (int n : {1, 2, 3, 4, 9, 30}) {
            if (way == OPTIMUM_DYNAMIC && n > 20) continue;
            auto s = Ring(n);
            if (n == 1) s->m_ppWeight[1][1] = 7;
            COptimumResult r;
            ASSERT_EQ(OptimumMethodNet(*s, way, r), 0) << "n=" << n;
            const int expected = n == 1 ? 7 : n == 2 ? 2 : n;
            EXPECT_EQ(r.cost, expected) << "n=" << n << " way=" << way;
            EXPECT_TRUE(r.proven && r.hasBound);
            EXPECT_EQ(r.bound, expected);
            EXPECT_EQ(r.cycle[0], 1);
            EXPECT_TRUE(IsPermutation(r.cycle));
            EXPECT_EQ(CycleOf(*s, s->m_aBest), r.cycle);
            EXPECT_EQ(s->m_nBestCost, expected);
            EXPECT_EQ(s->m_bBusy, 0);
        }
    }
    auto s = Ring(8);
    s->m_bMaximum = 1;  // the dearest cycle uses only weights of 10
    COptimumResult r;
    OptimumMethodNet(*s, OPTIMUM_BOUNDS, r);
    EXPECT_EQ(r.cost, 80);
    EXPECT_EQ(r.bound, 80);
    EXPECT_EQ(OptimumMethodNet(*MakeSolver(26), OPTIMUM_DYNAMIC, r), 2);
    EXPECT_TRUE(r.noMemory);
}

TEST(OptimumMethod, BothWaysEqualTheExactMethod) {
    EXPECT_EQ(CompareOptimumWithExact(60, 4, 10, 77), "");
}

TEST(OptimumMethod, DynamicProgrammeAndBoundsAgree) {
    EXPECT_EQ(CompareOptimumWays(8, 15, 17, 78), "");
}

// From 13 nodes, where the enumeration no longer checks the optimum in the fast tests; among these
// networks are some whose optimum a wrong subtour constraint would cut off.
TEST(OptimumMethod, DynamicProgrammeAndBoundsAgreeFrom13Nodes) {
    EXPECT_EQ(CompareOptimumWays(8, 13, 16, 85), "");
}

TEST(OptimumMethod, EscapeKeepsTheBestCycleAndTheBound) {
    CFakePlatform platform;
    platform.clock.stepPerRead = 700;  // time runs fast: the progress shows at once
    for (EOptimumWay way : {OPTIMUM_DYNAMIC, OPTIMUM_BOUNDS}) {
        auto s = MakeSolver(way == OPTIMUM_DYNAMIC ? 22 : 90);
        std::mt19937 rng(9);
        FillRandom(*s, rng, 1000);
        const auto before = WeightSnapshot(*s);
        platform.events.queue = {"Escape"};  // seen at the first poll, after 20 ms
        int shown = 0;
        COptimumResult r;
        const int rc = OptimumMethodNet(*s, way, r, [&](uint32_t, int best, int64_t bound, bool hasBound) {
            ++shown;
            EXPECT_TRUE(!hasBound || bound <= best);
        });
        EXPECT_EQ(rc, 1) << "way " << way;
        EXPECT_TRUE(r.aborted);
        EXPECT_FALSE(r.proven);
        EXPECT_TRUE(IsPermutation(r.cycle));
        EXPECT_EQ(s->CycleCostOf(s->m_aBest), r.cost);
        EXPECT_TRUE(!r.hasBound || r.bound <= r.cost);
        EXPECT_EQ(WeightSnapshot(*s), before);
        EXPECT_EQ(s->m_bBusy, 0);
        if (way == OPTIMUM_BOUNDS) {
            EXPECT_GE(shown, 1);
        }
    }
}

TEST(OptimumMethod, GapIsSignCorrected) {
    EXPECT_DOUBLE_EQ(GapPercent(110, 100, false), 10.0);
    EXPECT_DOUBLE_EQ(GapPercent(90, 100, true), 10.0);
    EXPECT_DOUBLE_EQ(GapPercent(-90, -100, false), 10.0);
    EXPECT_DOUBLE_EQ(GapPercent(0, 0, false), 0.0);
    EXPECT_TRUE(std::isnan(GapPercent(3323, 0, false)));  // no percentage of 0 (not "332300 %")
}
