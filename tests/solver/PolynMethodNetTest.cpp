// The network method's driver: results against the exact optimum, budgets, stop rules, modes,
// the weights left as they were, and the user's Escape.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <set>

#include "solver/MethodParams.h"
#include "support/Fakes.h"
#include "support/Networks.h"

namespace {

bool IsPermutation(const CCycleSolver& s, const int* cycle) {
    std::set<int> seen(cycle + 1, cycle + s.m_nNodes + 1);
    return static_cast<int>(seen.size()) == s.m_nNodes && *seen.begin() == 1 && *seen.rbegin() == s.m_nNodes;
}

std::unique_ptr<CCycleSolver> RandomNetwork(int n, unsigned seed, int amplitude = 100) {
    auto s = MakeSolver(n);
    std::mt19937 rng(seed);
    FillRandom(*s, rng, amplitude);
    s->m_nAmplitude = amplitude;
    return s;
}

// Counts the searches' progress polls so that a test can tell how far a run went.
struct CountingEvents : IEventPump {
    int polls = 0;
    int escapeAt = -1;  // the poll that sees an Escape
    bool ServiceOne() override { return ++polls == escapeAt; }
};

}  // namespace

TEST(PolynMethodNet, NeverBeatsTheOptimumAndKeepsTheWeights) {
    int equal = 0, total = 0;
    for (int level = 1; level <= 2; ++level) {
        for (int n = 5; n <= 9; ++n) {
            for (unsigned seed = 0; seed < 8; ++seed) {
                for (int maximum = 0; maximum <= 1; ++maximum) {
                    auto s = RandomNetwork(n, 1000 * n + seed, seed % 2 ? 5 : 100);
                    s->m_nTestLevel = level;
                    s->m_bMaximum = maximum;
                    const auto before = WeightSnapshot(*s);
                    const CBruteForce optimum = BruteForceOptimum(*s, maximum != 0);
                    EXPECT_EQ(s->PolynMethodNet(1, 1), 0);
                    EXPECT_EQ(WeightSnapshot(*s), before);
                    ASSERT_TRUE(IsPermutation(*s, s->m_aBest));
                    EXPECT_EQ(s->CycleCostOf(s->m_aBest), s->m_nBestCost);
                    EXPECT_EQ(CycleOf(*s, s->m_aBest), CycleOf(*s, s->m_aCycle));
                    EXPECT_EQ(s->m_nStartCost, s->m_nBestCost);
                    if (maximum)
                        EXPECT_LE(s->m_nBestCost, optimum.cost);
                    else
                        EXPECT_GE(s->m_nBestCost, optimum.cost);
                    equal += s->m_nBestCost == optimum.cost;
                    ++total;
                    EXPECT_EQ(s->m_bBusy, 0);
                }
            }
        }
    }
    std::printf("polynomial method equal to the optimum in %d of %d runs\n", equal, total);
}
