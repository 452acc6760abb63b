// The network method's driver: results against the exact optimum, budgets, stop rules, modes,
// the weights left as they were, and the user's Escape.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <set>
#include <vector>

#include "solver/MethodParams.h"
#include "solver/ScanKernels.h"
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

TEST(PolynMethodNet, MaximumModeRestoresWeightsAndReportsThePositiveMaximum) {
    CFakePlatform platform;
    auto s = RandomNetwork(9, 5);
    s->m_bMaximum = 1;
    s->m_nRefCost = 123;
    const auto before = WeightSnapshot(*s);
    const CBruteForce optimum = BruteForceOptimum(*s, true);
    s->PolynMethodNet(1, 1);
    EXPECT_EQ(WeightSnapshot(*s), before);
    EXPECT_GT(s->m_nBestCost, 0);
    EXPECT_EQ(s->m_nBestCost, s->CycleCostOf(s->m_aBest));
    EXPECT_LE(s->m_nBestCost, optimum.cost);
    EXPECT_EQ(s->m_nTargetCost, NO_COST);
    EXPECT_EQ(s->m_nRefCost, 123);
}

TEST(PolynMethodNet, CheckModeStopsAtTheFirstImprovementOfTheGivenCycle) {
    CFakePlatform platform;
    auto s = RandomNetwork(12, 8);
    const int given = s->CycleCost();
    s->PolynMethodNet(-1, 1);
    EXPECT_LT(s->m_nBestCost, given);
    EXPECT_EQ(s->m_nPassesRun, 1) << "the opening search already improves a random identity cycle";

    // Given an optimal cycle, no cheaper one exists: the result costs what the given cycle costs.
    auto o = RandomNetwork(8, 9);
    o->ExpMethodNet(0, nullptr);
    const int optimum = o->m_nBestCost;
    o->PolynMethodNet(-1, 1);
    EXPECT_EQ(o->m_nBestCost, optimum);
    EXPECT_EQ(o->m_nStartCost, optimum);
}

TEST(PolynMethodNet, TargetEqualToTheStartingCostStopsAtOnce) {
    for (int level : {1, 2}) {
        CFakePlatform platform;
        auto s = RandomNetwork(15, 11);
        s->m_nTestLevel = level;
        s->m_nTargetCost = s->CycleCost();
        const auto start = CycleOf(*s, s->m_aCycle);
        EXPECT_EQ(s->PolynMethodNet(1, 1), 0);
        EXPECT_EQ(CycleOf(*s, s->m_aBest), start);
        EXPECT_EQ(s->m_nPassesRun, 1);
        EXPECT_EQ(s->m_nMemoryUsed, 1) << "the opening search stopped in its first iteration";
    }
}

TEST(PolynMethodNet, FullTestOnTheMapEndsAfterAtMostTwoPlusThreePasses) {
    CFakePlatform platform;
    ResetMethodParams();
    auto s = MakeSolver(20, KIND_MAP);
    std::mt19937 rng(51);
    FillRandom(*s, rng, 3000);
    s->m_nTestLevel = 2;
    s->PolynMethodNet(0, 1);
    EXPECT_LE(s->m_nPassesRun, 5);
    EXPECT_EQ(s->m_nPassesRun, 5) << "no stop test fires on a map run";
}

TEST(PolynMethodNet, FullTestRunsFirstLoopThenSecondLoopPasses) {
    CFakePlatform platform;
    ResetMethodParams();
    g_nFirstLoop = 3, g_nSecondLoop = 4;
    auto s = RandomNetwork(12, 60);
    s->m_nTestLevel = 2;
    s->PolynMethodNet(1, 1);
    EXPECT_EQ(s->m_nPassesRun, 7);
    ResetMethodParams();
}

TEST(PolynMethodNet, EscapeEndsTheRunWithTheBestCycleSoFar) {
    for (int level : {1, 2}) {
        for (int escapeAt : {1, 5, 40}) {
            CFakePlatform platform;
            CountingEvents events;
            events.escapeAt = escapeAt;
            CPlatformScope scope(nullptr, &events, nullptr);
            auto s = RandomNetwork(25, 70);
            s->m_nTestLevel = level;
            s->m_bMaximum = level == 2;
            const auto before = WeightSnapshot(*s);
            EXPECT_EQ(s->PolynMethodNet(1, 0), 1);
            EXPECT_EQ(s->m_bAborted, 1);
            EXPECT_EQ(s->m_nBestCost, s->CycleCostOf(s->m_aBest));
            EXPECT_EQ(CycleOf(*s, s->m_aCycle), CycleOf(*s, s->m_aBest));
            EXPECT_TRUE(IsPermutation(*s, s->m_aBest));
            EXPECT_EQ(WeightSnapshot(*s), before);
            EXPECT_EQ(s->m_bBusy, 0);
        }
    }
}

TEST(PolynMethodNet, SameInputsGiveTheSameCycle) {
    CFakePlatform platform;
    for (int level : {1, 2}) {
        auto a = RandomNetwork(30, 90);
        auto b = RandomNetwork(30, 90);
        a->m_nTestLevel = b->m_nTestLevel = level;
        a->PolynMethodNet(1, 1);
        b->PolynMethodNet(1, 1);
        EXPECT_EQ(CycleOf(*a, a->m_aBest), CycleOf(*b, b->m_aBest));
        EXPECT_EQ(a->m_nPassesRun, b->m_nPassesRun);
    }
}

// Fixed-seed property: no method leaves a trace in the weight matrix.
TEST(PolynMethodNet, WeightsAreUnchangedAfterEveryMethod) {
    CFakePlatform platform;
    std::mt19937 rng(2026);
    for (int trial = 0; trial < 12; ++trial) {
        const int n = 6 + trial;
        auto s = MakeSolver(n, trial % 3 == 2 ? KIND_MAP : KIND_NETWORK);
        FillRandom(*s, rng, trial % 2 ? 10 : 1000);
        s->m_bMaximum = trial % 4 == 1;
        const auto before = WeightSnapshot(*s);
        for (int level : {1, 2}) {
            s->m_nTestLevel = level;
            s->MakeInitialCycle(1, 0);
            s->PolynMethodNet(1, 1);
            ASSERT_EQ(WeightSnapshot(*s), before) << "level " << level << " trial " << trial;
        }
        s->EdgesList();
        ASSERT_EQ(WeightSnapshot(*s), before) << "edges list, trial " << trial;
        auto g = MakeSolver(n, KIND_GRAPH);
        for (int i = 1; i <= n; ++i)
            for (int j = i + 1; j <= n; ++j) g->m_ppWeight[i][j] = rng() % 3 == 0 ? 0 : 1;
        const auto graph = WeightSnapshot(*g);
        g->PolynMethodGraph();
        ASSERT_EQ(WeightSnapshot(*g), graph) << "graph, trial " << trial;
    }
}

// The generators may read the lowered weights instead of T while no entry of T can have wrapped;
// both ways must walk exactly the same path.
TEST(PolynMethodNet, RowReadsWalkTheSamePathAsTableReads) {
    CFakePlatform platform;
    for (int level : {1, 2}) {
        for (unsigned seed = 0; seed < 4; ++seed) {
            auto a = RandomNetwork(24 + static_cast<int>(seed), 500 + seed, seed % 2 ? 7 : 1000);
            auto b = RandomNetwork(24 + static_cast<int>(seed), 500 + seed, seed % 2 ? 7 : 1000);
            a->m_nTestLevel = b->m_nTestLevel = level;
            b->m_bRowReads = 0;
            a->PolynMethodNet(1, 1);
            b->PolynMethodNet(1, 1);
            EXPECT_EQ(CycleOf(*a, a->m_aBest), CycleOf(*b, b->m_aBest));
            EXPECT_EQ(a->m_nPassesRun, b->m_nPassesRun);
        }
    }
    for (unsigned seed = 0; seed < 4; ++seed) {
        auto a = MakeSolver(30, KIND_GRAPH);
        auto b = MakeSolver(30, KIND_GRAPH);
        std::mt19937 rng(seed);
        for (int i = 1; i <= 30; ++i)
            for (int j = i + 1; j <= 30; ++j)
                a->m_ppWeight[i][j] = b->m_ppWeight[i][j] = rng() % 8 == 0 ? 0 : 1;
        b->m_bRowReads = 0;
        a->PolynMethodGraph();
        b->PolynMethodGraph();
        EXPECT_EQ(CycleOf(*a, a->m_aBest), CycleOf(*b, b->m_aBest));
    }
    // Weights so large that T may wrap: the table is read, whatever the switch says.
    auto big = RandomNetwork(8, 3);
    big->m_ppWeight[1][2] = 2000000000;
    big->PrepareTables();
    EXPECT_FALSE(big->RowReads());
}

// Insertion answers kept across the walk's cycles give what a fresh scan gives, ties included:
// networks of weights 1..2 and 1..3 (nearly every insertion value ties), short and full tests.
TEST(PolynMethodNet, KeptInsertionAnswersWalkTheSamePathAsFreshScans) {
    CFakePlatform platform;
    auto run = [](unsigned seed, int keep) {
        auto s = RandomNetwork(30 + static_cast<int>(seed % 4) * 13, 700 + seed, seed % 2 ? 2 : 3);
        s->m_nTestLevel = seed % 3 == 0 ? 2 : 1;
        s->m_bKeepInsertions = keep;
        s->m_bKeepTies = 1;
        s->PolynMethodNet(1, 1);
        std::vector<int> r = CycleOf(*s, s->m_aBest);
        r.push_back(s->m_nPassesRun);
        r.push_back(s->m_nTies);
        for (int k = 1; k <= s->m_nNodes; ++k)
            for (int t = 1; t < TIE_SLOTS; ++t) r.push_back(s->m_aTies[k][t]);
        return r;
    };
    for (unsigned seed = 0; seed < 12; ++seed) EXPECT_EQ(run(seed, 1), run(seed, 0)) << "seed " << seed;
}

// The position rows and the scan kernels at every level walk the path of the plain scans: same
// best cycle, passes and ties, on networks with many equal weights and on graphs.
TEST(PolynMethodNet, PositionRowsAtEveryScanLevelWalkTheSamePath) {
    CFakePlatform platform;
    struct CRun {
        std::vector<int> best;
        int passes;
        int ties;
        std::vector<int> tieTable;
    };
    auto run = [](CCycleSolver& s, int graph) {
        s.m_bKeepTies = 1;
        if (graph)
            s.PolynMethodGraph();
        else
            s.PolynMethodNet(1, 1);
        CRun r{CycleOf(s, s.m_aBest), s.m_nPassesRun, s.m_nTies, {}};
        for (int k = 1; k <= s.m_nNodes; ++k)
            for (int t = 1; t < TIE_SLOTS; ++t) r.tieTable.push_back(s.m_aTies[k][t]);
        return r;
    };
    auto make = [](int graph, unsigned seed) {
        if (!graph) {
            auto s = RandomNetwork(20 + static_cast<int>(seed) * 7, 900 + seed, seed % 2 ? 5 : 1000);
            s->m_nTestLevel = seed % 3 == 0 ? 2 : 1;
            return s;
        }
        const int n = 25 + static_cast<int>(seed) * 5;
        auto s = MakeSolver(n, KIND_GRAPH);
        std::mt19937 rng(seed);
        for (int i = 1; i <= n; ++i)
            for (int j = i + 1; j <= n; ++j) s->m_ppWeight[i][j] = rng() % 7 == 0 ? 0 : 1;
        return s;
    };
    for (int graph : {0, 1}) {
        for (unsigned seed = 0; seed < 6; ++seed) {
            auto plain = make(graph, seed);
            plain->m_bPositionRows = 0;
            const CRun want = run(*plain, graph);
            for (int level : {SCAN_PLAIN, SCAN_SSE2, SCAN_AVX2}) {
                if (SetScanLevel(level) != level) continue;
                auto s = make(graph, seed);
                const CRun got = run(*s, graph);
                EXPECT_EQ(got.best, want.best) << "graph " << graph << " seed " << seed << " level " << level;
                EXPECT_EQ(got.passes, want.passes);
                EXPECT_EQ(got.ties, want.ties);
                EXPECT_EQ(got.tieTable, want.tieTable);
            }
        }
    }
    SetScanLevel(SCAN_AVX2);
    // Weights of 2^29 and more: rows are still read, but not through the 32-bit kernels.
    auto big = RandomNetwork(8, 3);
    big->m_ppWeight[1][2] = 1 << 29;
    big->PrepareTables();
    EXPECT_TRUE(big->RowReads());
    EXPECT_FALSE(big->PositionRows(big->m_aCycle));
    big->m_ppWeight[1][2] = (1 << 29) - 1;
    big->PrepareTables();
    EXPECT_TRUE(big->PositionRows(big->m_aCycle));
}

TEST(PolynMethodNet, EscapeDuringTheStabilisingStageEndsTheRunAtOnce) {
    CFakePlatform platform;
    auto s = RandomNetwork(30, 12);
    const auto start = CycleOf(*s, s->m_aCycle);
    platform.events.queue = {"Escape"};
    EXPECT_EQ(s->PolynMethodNet(1, 1), 1);
    EXPECT_EQ(CycleOf(*s, s->m_aBest), start) << "no search ran after the Escape";
    EXPECT_EQ(platform.events.polls, 1);

    auto g = MakeSolver(30, KIND_GRAPH);
    std::mt19937 rng(4);
    for (int i = 1; i <= 30; ++i)
        for (int j = i + 1; j <= 30; ++j) g->m_ppWeight[i][j] = rng() % 6 == 0 ? 0 : 1;
    platform.events.queue = {"Escape"};
    platform.events.polls = 0;
    EXPECT_EQ(g->PolynMethodGraph(), 1);
    EXPECT_EQ(CycleOf(*g, g->m_aBest), CycleOf(*g, g->m_aInitial));
}

TEST(PolynMethodNet, ShortTestWithoutImprovementMakesTenSweepsInOnePass) {
    CFakePlatform platform;
    auto s = MakeSolver(8);  // all weights 0: every cycle ties, nothing improves
    EXPECT_EQ(s->PolynMethodNet(1, 1), 0);
    EXPECT_EQ(s->m_nPassesRun, 1);
    EXPECT_GE(s->m_nTies, 2) << "equally good cycles were collected for the sweeps to start from";
    // Polls: the opening search's 2n = 16 iterations poll 4 times; each of the 10 sweeps polls
    // once per position in the adjustment stage (8), not in search A (1 iteration) and 4 times in
    // search B (trunc(0.25 * 64 + 0.001) + 1 = 17 iterations).
    EXPECT_EQ(platform.events.polls, 4 + 10 * (8 + 0 + 4));
}
