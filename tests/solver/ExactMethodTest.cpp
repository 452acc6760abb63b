// The exact methods for networks and graphs, against an independent enumeration.
#include <gtest/gtest.h>

#include <random>

#include "solver/ExactEstimate.h"
#include "support/Fakes.h"
#include "support/Networks.h"

namespace {
// All weights 10 except the cycle 1-3-2-4, whose edges weigh 1.
std::unique_ptr<CCycleSolver> OneCheapCycle() {
    auto s = MakeSolver(4);
    for (int i = 1; i <= 4; ++i)
        for (int j = i + 1; j <= 4; ++j) SetWeight(*s, i, j, 10);
    SetWeight(*s, 1, 3, 1), SetWeight(*s, 3, 2, 1), SetWeight(*s, 2, 4, 1), SetWeight(*s, 4, 1, 1);
    return s;
}
}  // namespace

TEST(ExactMethodNet, RecordsTheFirstDirectionOfTheCheapestCycle) {
    auto s = OneCheapCycle();
    int aborted = -1;
    EXPECT_EQ(s->ExpMethodNet(0, &aborted), 4);
    EXPECT_EQ(aborted, 0);
    EXPECT_EQ(CycleOf(*s, s->m_aBest), (std::vector<int>{1, 3, 2, 4}));
    EXPECT_EQ(CycleOf(*s, s->m_aCycle), (std::vector<int>{1, 3, 2, 4}));
    EXPECT_EQ(s->m_nBestCost, 4);
    EXPECT_EQ(s->m_bBusy, 0);
}

TEST(ExactMethodNet, AgreesWithBruteForceOnRandomNetworks) {
    std::mt19937 rng(2024);
    for (int n = 4; n <= 9; ++n) {
        for (int trial = 0; trial < 6; ++trial) {
            for (bool maximum : {false, true}) {
                auto s = MakeSolver(n);
                // Few distinct weights make ties common, which exercises the tie rule.
                FillRandom(*s, rng, trial % 2 ? 3 : 100);
                const auto before = WeightSnapshot(*s);
                const CBruteForce expected = BruteForceOptimum(*s, maximum);
                s->m_bMaximum = maximum;
                const int cost = s->ExpMethodNet(0, nullptr);
                ASSERT_EQ(cost, expected.cost) << "n=" << n << " max=" << maximum;
                EXPECT_EQ(s->m_nBestCost, expected.cost);
                EXPECT_EQ(CycleOf(*s, s->m_aBest), expected.cycle);
                EXPECT_EQ(s->CycleCostOf(s->m_aBest), expected.cost);
                EXPECT_EQ(WeightSnapshot(*s), before) << "the weights must be left as they were";
            }
        }
    }
}

TEST(ExactMethodNet, StartingOrderIsTheResultWhenNothingIsCheaper) {
    auto s = MakeSolver(5);  // all weights 0: every cycle ties with the starting order
    s->m_nBestCost = 777;
    s->m_aCycle[2] = 5, s->m_aCycle[5] = 2;
    EXPECT_EQ(s->ExpMethodNet(0, nullptr), 0);
    EXPECT_EQ(s->m_nBestCost, 0);
    EXPECT_EQ(CycleOf(*s, s->m_aCycle), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(CycleOf(*s, s->m_aBest), (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST(ExactMethodNet, EstimateCountsStepsAndRecordsNothing) {
    auto s = OneCheapCycle();
    s->ExpMethodNet(0, nullptr);
    s->m_bMaximum = 1;  // estimate mode must not flip the shown result either
    auto five = MakeSolver(5);
    five->m_nBestCost = 99;
    EXPECT_EQ(five->ExpMethodNet(1, nullptr), 24);
    EXPECT_EQ(five->m_nBestCost, 99);
    EXPECT_EQ(CycleOf(*five, five->m_aBest), (std::vector<int>{0, 0, 0, 0, 0}));
    const int cost = s->m_nBestCost;
    EXPECT_EQ(s->ExpMethodNet(1, nullptr), 6);
    EXPECT_EQ(s->m_nBestCost, cost);
    auto twelve = MakeSolver(12);
    EXPECT_EQ(twelve->ExpMethodNet(1, nullptr), 20001);
}

TEST(ExactMethodNet, EstimateStepsAreFactorialUpToTheBudget) {
    for (int n = 2; n <= 10; ++n) {
        auto s = MakeSolver(n);
        const int expected = n <= 8 ? static_cast<int>(std::tgamma(n)) : 20001;
        EXPECT_EQ(s->ExpMethodNet(1, nullptr), expected) << "n=" << n;
    }
}

TEST(ExactMethodNet, TinyNetworks) {
    auto one = MakeSolver(1);
    one->m_ppWeight[1][1] = 7;
    EXPECT_EQ(one->ExpMethodNet(0, nullptr), 7);
    EXPECT_EQ(one->ExpMethodNet(1, nullptr), 0);
    EXPECT_EQ(EstimateExactRunSeconds(*one), 0.0);
    auto two = MakeSolver(2);
    SetWeight(*two, 1, 2, 5);
    EXPECT_EQ(two->ExpMethodNet(0, nullptr), 10);
    EXPECT_EQ(two->ExpMethodNet(1, nullptr), 1);
}

TEST(ExactMethodNet, EscapeAfterTheFirstPollKeepsTheBestSoFar) {
    const CExactThreadsScope single(1);  // the single loop polls every 20,000 steps
    CFakePlatform platform;
    auto s = MakeSolver(10);
    std::mt19937 rng(7);
    FillRandom(*s, rng);
    const auto before = WeightSnapshot(*s);
    platform.events.queue = {"Escape"};
    int aborted = 0;
    const int cost = s->ExpMethodNet(0, &aborted);
    EXPECT_EQ(aborted, 1);
    EXPECT_EQ(platform.events.polls, 1);  // stopped at the first poll, after 20,000 steps
    EXPECT_EQ(cost, s->m_nBestCost);
    EXPECT_EQ(s->CycleCostOf(s->m_aBest), cost);
    EXPECT_EQ(WeightSnapshot(*s), before);
    EXPECT_EQ(s->m_bBusy, 0);

    // The best of the first 20,000 orders, by the plain enumeration.
    std::vector<int> order{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    int best = INT_MAX;
    for (int k = 0; k < 20000; ++k) {
        int c = 0;
        for (int t = 0; t < 10; ++t) c += s->Weight(order[t], order[(t + 1) % 10]);
        best = std::min(best, c);
        std::next_permutation(order.begin() + 1, order.end());
    }
    EXPECT_EQ(cost, best);
}

TEST(ExactMethodNet, MaximumAfterAbortIsPositive) {
    const CExactThreadsScope single(1);  // the single loop polls every 20,000 steps
    CFakePlatform platform;
    auto s = MakeSolver(10);
    std::mt19937 rng(8);
    FillRandom(*s, rng);
    s->m_bMaximum = 1;
    platform.events.queue = {"Escape"};
    const int cost = s->ExpMethodNet(0, nullptr);
    EXPECT_GT(cost, 0);
    EXPECT_EQ(s->m_nBestCost, cost);
    EXPECT_EQ(s->CycleCostOf(s->m_aBest), cost);
}

TEST(Factorial, SmallAndClampedValues) {
    EXPECT_EQ(Factorial(1), 2.0);
    EXPECT_EQ(Factorial(3), 2.0);
    EXPECT_EQ(Factorial(5), 24.0);
    EXPECT_DOUBLE_EQ(Factorial(171), std::tgamma(171.0));
    EXPECT_TRUE(std::isfinite(Factorial(171)));
}

TEST(ExactEstimate, ScalesTheMeasuredStepTime) {
    const CExactThreadsScope single(1);  // the single loop polls every 20,000 steps
    CFakePlatform platform;
    platform.clock.stepPerRead = 50;  // each measuring call appears to take 50 ms
    auto s = MakeSolver(200);
    // One call of 20,001 steps in 50 ms: 170! * 0.05 / 20001 seconds, a finite number of years.
    const double seconds = EstimateExactRunSeconds(*s);
    EXPECT_TRUE(std::isfinite(seconds));
    EXPECT_DOUBLE_EQ(seconds, Factorial(171) * (50 / (20001 * 1000.0)));
}

namespace {
// A clock whose nanosecond readings advance by the given steps, the last one repeated; counts reads.
class CScriptedClock : public IClock {
public:
    explicit CScriptedClock(std::vector<uint64_t> steps) : m_steps(std::move(steps)) {}
    uint32_t NowMs() override { return static_cast<uint32_t>(NowNs() / 1000000); }
    uint64_t NowNs() override {
        const uint64_t t = m_now;
        m_now += m_steps[std::min(reads++, m_steps.size() - 1)];
        return t;
    }
    std::size_t reads = 0;

private:
    std::vector<uint64_t> m_steps;
    uint64_t m_now = 1000;
};
}  // namespace

TEST(ExactEstimate, CostsWhatItSaves) {
    const CExactThreadsScope single(1);
    auto s = MakeSolver(12);
    {
        // 20,001 steps in 0.1 ms put 11! orders at 0.2 s: a short run, measured once.
        CScriptedClock clock({100000});
        const CPlatformScope scope(&clock, nullptr, nullptr);
        EXPECT_DOUBLE_EQ(EstimateExactRunSeconds(*s), Factorial(12) * 100000e-9 / 20001);
        EXPECT_EQ(clock.reads, 2u);
    }
    {
        // 2 ms puts them at 4 s: measured again for 0.5% of that, 20 ms, here two calls of 10 ms,
        // and the estimate is that second measurement alone.
        CScriptedClock clock({2000000, 10000000});
        const CPlatformScope scope(&clock, nullptr, nullptr);
        EXPECT_DOUBLE_EQ(EstimateExactRunSeconds(*s), Factorial(12) * 20e-3 / 40002);
        EXPECT_EQ(clock.reads, 5u);
    }
    {
        // A quarter of that run (a shard's blocks) is 1 s: a short run again, measured once.
        CScriptedClock clock({2000000});
        const CPlatformScope scope(&clock, nullptr, nullptr);
        EXPECT_DOUBLE_EQ(EstimateExactRunSeconds(*s, 0.25), Factorial(12) * 2e-3 / 20001 * 0.25);
        EXPECT_EQ(clock.reads, 2u);
    }
}

TEST(ExactMethodGraph, OnlyCycleIsFoundInItsSecondDirection) {
    auto s = MakeSolver(6, KIND_GRAPH);
    SetGraph(*s, {{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 1}});
    const auto before = WeightSnapshot(*s);
    int aborted = -1;
    EXPECT_EQ(s->ExpMethodGraph(&aborted), 0);
    EXPECT_EQ(aborted, 0);
    EXPECT_EQ(CycleOf(*s, s->m_aCycle), (std::vector<int>{1, 6, 5, 4, 3, 2}));
    EXPECT_EQ(CycleOf(*s, s->m_aBest), (std::vector<int>{1, 6, 5, 4, 3, 2}));
    EXPECT_EQ(WeightSnapshot(*s), before);
}

TEST(ExactMethodGraph, MissingEdgeOneTwo) {
    auto s = MakeSolver(4, KIND_GRAPH);
    SetGraph(*s, {{1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 4}});
    EXPECT_EQ(s->ExpMethodGraph(nullptr), 0);
    EXPECT_EQ(CycleOf(*s, s->m_aCycle), (std::vector<int>{1, 3, 2, 4}));
}

TEST(ExactMethodGraph, NoCycleRunsThroughEverythingAndKeepsTheCycle) {
    const CExactThreadsScope single(1);  // the single loop polls every 20,000 steps
    CFakePlatform platform;
    auto s = MakeSolver(8, KIND_GRAPH);
    // A star around node 1 has no Hamiltonian cycle.
    SetGraph(*s, {{1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 6}, {1, 7}, {1, 8}});
    s->m_aCycle[2] = 8, s->m_aCycle[8] = 2;
    const auto cycle = CycleOf(*s, s->m_aCycle);
    EXPECT_EQ(s->ExpMethodGraph(nullptr), 1);
    EXPECT_EQ(CycleOf(*s, s->m_aCycle), cycle);
    EXPECT_EQ(platform.events.polls, 5040 / 20000);  // 7! steps, no poll reached
}

TEST(ExactMethodGraph, AgreesWithBruteForce) {
    std::mt19937 rng(99);
    for (int n = 4; n <= 8; ++n) {
        for (int trial = 0; trial < 8; ++trial) {
            auto s = MakeSolver(n, KIND_GRAPH);
            std::bernoulli_distribution edge(0.45);
            for (int i = 1; i <= n; ++i)
                for (int j = i + 1; j <= n; ++j) s->m_ppWeight[i][j] = edge(rng) ? 0 : 1;
            // The first order (after the starting one) with every edge present.
            std::vector<int> order(n);
            for (int k = 0; k < n; ++k) order[k] = k + 1;
            std::vector<int> first;
            while (std::next_permutation(order.begin() + 1, order.end())) {
                bool ok = true;
                for (int k = 0; k < n && ok; ++k) ok = s->Weight(order[k], order[(k + 1) % n]) == 0;
                if (ok) {
                    first = order;
                    break;
                }
            }
            const int result = s->ExpMethodGraph(nullptr);
            EXPECT_EQ(result, first.empty() ? 1 : 0);
            if (!first.empty()) {
                EXPECT_EQ(CycleOf(*s, s->m_aCycle), first);
            }
        }
    }
}
