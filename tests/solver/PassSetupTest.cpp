// Pass set-up, weight adjustments and insertion queries: the insertion table stays equal to the
// adjusted weights through every operation that changes them, and the stages keep their limits.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "support/Fakes.h"
#include "support/Networks.h"

namespace {

std::unique_ptr<CCycleSolver> RandomNetwork(int n, unsigned seed, int amplitude = 100) {
    auto s = MakeSolver(n);
    std::mt19937 rng(seed);
    FillRandom(*s, rng, amplitude);
    return s;
}

// Effective weight of {i, j}: W plus the adjustment booked in P (upper triangle) and M.
int Effective(const CCycleSolver& s, int i, int j) {
    const int lo = std::min(i, j), hi = std::max(i, j);
    return s.m_ppWeight[lo][hi] + s.m_ppAdjust[lo][hi] + s.m_ppWork[lo][hi];
}

// Every entry of T equals W'ij - W'ik - W'jk, and 0 where k is an end of the pair.
void ExpectTableMatchesWeights(const CCycleSolver& s) {
    const int n = s.m_nNodes;
    for (int k = 1; k <= n; ++k)
        for (int i = 1; i <= n; ++i)
            for (int j = i + 1; j <= n; ++j) {
                const int expected =
                    (k == i || k == j) ? 0 : Effective(s, i, j) - Effective(s, i, k) - Effective(s, j, k);
                ASSERT_EQ(s.Insertion(i, j, k),
                          s.m_nKind == KIND_GRAPH ? static_cast<int8_t>(expected) : expected)
                    << "T[" << i << "][" << j << "][" << k << "]";
            }
}

}  // namespace

TEST(PrepareTables, TableFollowsTheStabilisedWeights) {
    CFakePlatform platform;
    for (int n : {4, 7, 12}) {
        auto s = RandomNetwork(n, 31 + n);
        s->PrepareTables();
        ExpectTableMatchesWeights(*s);
        EXPECT_EQ(s->m_nBestCost, s->CycleCostOf(s->m_aCycle));
        EXPECT_EQ(CycleOf(*s, s->m_aBest), CycleOf(*s, s->m_aCycle));
        // Every node is left with at least two equally good insertion edges.
        for (int x = 1; x <= n; ++x) {
            std::multiset<int, std::greater<>> values;
            for (int i = 1; i <= n; ++i)
                for (int j = i + 1; j <= n; ++j)
                    if (i != x && j != x) values.insert(s->Insertion(i, j, x));
            EXPECT_EQ(*values.begin(), *std::next(values.begin())) << "node " << x;
        }
        for (int i = 1; i <= n; ++i)
            for (int j = i + 1; j <= n; ++j) EXPECT_LE(s->m_ppAdjust[i][j], 0);
    }
}

TEST(PrepareTables, TiedNetworkIsLeftAloneAfterOnePassOverTheNodes) {
    CFakePlatform platform;
    auto s = MakeSolver(6);
    for (int i = 1; i <= 6; ++i)
        for (int j = i + 1; j <= 6; ++j) SetWeight(*s, i, j, 5);
    s->PrepareTables();
    EXPECT_EQ(platform.events.polls, 0) << "n visits in a row were stable, so no second pass began";
    for (int i = 1; i <= 6; ++i)
        for (int j = 1; j <= 6; ++j) EXPECT_EQ(s->m_ppAdjust[i][j], 0);
    EXPECT_EQ(s->Insertion(1, 2, 3), 5 - 5 - 5);
    EXPECT_EQ(s->Insertion(1, 2, 1), 0);
}

TEST(PrepareTables, TinyNetworksNeedNoLevelling) {
    CFakePlatform platform;
    for (int n : {1, 2, 3}) {
        auto s = RandomNetwork(n, 5);
        s->PrepareTables();  // a node with a single candidate edge counts as stable
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j) EXPECT_EQ(s->m_ppAdjust[i][j], 0);
    }
}

TEST(PrepareTables, EscapeStopsTheStabilisingStage) {
    CFakePlatform platform;
    platform.events.queue = {"Escape"};
    auto s = RandomNetwork(10, 8);
    s->PrepareTables();
    EXPECT_EQ(s->m_bStopRequest, 1);
    EXPECT_EQ(platform.events.polls, 1);
}

TEST(LowerEdge, KeepsBothTablesInStep) {
    CFakePlatform platform;
    for (int kind : {KIND_NETWORK, KIND_GRAPH}) {
        auto s = MakeSolver(7, kind);
        std::mt19937 rng(3);
        if (kind == KIND_GRAPH)
            FillRandom(*s, rng, 2);  // weights 1 and 2
        else
            FillRandom(*s, rng, 50);
        s->PrepareTables();
        s->LowerEdge(2, 5, 7, 0);
        s->LowerEdge(1, 7, -300, 1);  // a raise; the narrow table takes its low byte
        s->LowerEdge(3, 4, 0, 0);
        EXPECT_EQ(s->m_ppWork[1][7], 300);
        ExpectTableMatchesWeights(*s);
    }
}

TEST(InsertionQueries, SkipTheEdgesOfTheNodeAndReadNeighboursCyclically) {
    CFakePlatform platform;
    auto s = MakeSolver(4);
    // Cycle 1-2-3-4. Node 1's insertion edges are {2,3} and {3,4} only.
    SetWeight(*s, 2, 3, 9), SetWeight(*s, 3, 4, 4), SetWeight(*s, 1, 2, 1), SetWeight(*s, 1, 4, 1);
    SetWeight(*s, 1, 3, 2), SetWeight(*s, 2, 4, 3);
    s->PrepareTables();
    std::fill(s->m_ppAdjust.Data(), s->m_ppAdjust.Data() + s->m_ppAdjust.Size(), 0);
    const int gain = s->FindInsertionInCycle(1);
    EXPECT_EQ(gain, std::max(s->Insertion(2, 3, 1), s->Insertion(3, 4, 1)));
    EXPECT_EQ(s->m_nInsGain, gain);
    EXPECT_TRUE((s->m_nInsI == 2 && s->m_nInsJ == 3) || (s->m_nInsI == 3 && s->m_nInsJ == 4));
    EXPECT_EQ(s->RemovalDelta(1), s->Insertion(2, 4, 1));
    EXPECT_EQ(s->m_nGapLo, 2);
    EXPECT_EQ(s->m_nGapHi, 4);
    s->m_nGapLo = 77;
    s->m_aCycle[4] = 3, s->m_aCycle[3] = 3;  // node 4 no longer in the cycle
    EXPECT_EQ(s->RemovalDelta(4), 0);
    EXPECT_EQ(s->m_nGapLo, 77);
}

TEST(InsertionQueries, FirstOfEqualInsertionEdgesWinsStartingWithTheClosingEdge) {
    CFakePlatform platform;
    auto s = MakeSolver(5);  // all weights 0: every insertion value is 0
    s->PrepareTables();
    s->FindInsertionInCycle(3);
    EXPECT_EQ(s->m_nInsI, 1);  // the closing edge {c[1], c[n]} = {1, 5}
    EXPECT_EQ(s->m_nInsJ, 5);
}

TEST(PayBack, ZeroChangesNothingAndALargeShortfallClearsTheCycle) {
    CFakePlatform platform;
    auto s = RandomNetwork(8, 12);
    s->PrepareTables();
    s->LowerEdge(1, 2, 6, 0);
    s->LowerEdge(4, 5, 3, 0);
    s->LowerEdge(1, 3, 2, 0);  // not a cycle edge of 1-2-...-8
    const std::vector<int32_t> before(s->m_ppAdjust.Data(), s->m_ppAdjust.Data() + s->m_ppAdjust.Size());
    s->PayBack(0);
    EXPECT_EQ(std::vector<int32_t>(s->m_ppAdjust.Data(), s->m_ppAdjust.Data() + s->m_ppAdjust.Size()),
              before);

    s->PayBack(-1000000);
    for (int p = 1; p <= 8; ++p) {
        const int a = std::min(s->m_aCycle[p], s->m_aCycle[p % 8 + 1]);
        const int b = std::max(s->m_aCycle[p], s->m_aCycle[p % 8 + 1]);
        EXPECT_EQ(s->m_ppAdjust[a][b], 0) << a << "-" << b;
    }
    EXPECT_EQ(s->m_ppAdjust[1][3], before[1 * 9 + 3]) << "an edge off the cycle keeps its adjustment";
    ExpectTableMatchesWeights(*s);
}

TEST(PayBack, PartialShortfallTakesTheMostNegativeEdgeFirst) {
    CFakePlatform platform;
    auto s = MakeSolver(6);
    s->PrepareTables();
    s->LowerEdge(2, 3, 4, 0);
    s->LowerEdge(5, 6, 9, 0);
    s->PayBack(-5);
    EXPECT_EQ(s->m_ppAdjust[5][6], -4);
    EXPECT_EQ(s->m_ppAdjust[2][3], -4);
}

TEST(AdjustWeights, LowersOnlyThroughTheTable) {
    CFakePlatform platform;
    for (int level : {1, 2}) {
        auto s = RandomNetwork(9, 40 + level);
        s->m_nTestLevel = level;
        s->PrepareTables();
        s->AdjustWeights(1);
        ExpectTableMatchesWeights(*s);
        if (level == 2) {
            for (int i = 1; i <= 9; ++i)
                for (int j = i + 1; j <= 9; ++j)
                    EXPECT_EQ(s->m_ppMark[i][j], -s->m_ppGain[i][j] * (s->m_ppGain[i][j] > 0));
        }
    }
}

TEST(AdjustWeights, EscapeReturnsZeroWithTheStopRequest) {
    CFakePlatform platform;
    auto s = RandomNetwork(9, 2);
    s->PrepareTables();
    platform.events.queue = {"Escape"};
    EXPECT_EQ(s->AdjustWeights(1), 0);
    EXPECT_EQ(s->m_bStopRequest, 1);
}

TEST(MarkEdges, PicksUpToFiveDisjointPairsByNodeCount) {
    CFakePlatform platform;
    for (int n : {39, 40, 49, 50, 60}) {
        auto s = RandomNetwork(n, 100 + n);
        s->m_nTestLevel = 2;
        s->PrepareTables();
        std::fill(s->m_ppAdjust.Data(), s->m_ppAdjust.Data() + s->m_ppAdjust.Size(), 0);
        const auto weights = WeightSnapshot(*s);
        s->MarkEdges();
        std::set<int> nodes;
        int pairs = 0;
        for (int i = 1; i <= n; ++i)
            for (int j = i + 1; j <= n; ++j) {
                if (s->m_ppMark[j][i] != 1) continue;
                ++pairs;
                EXPECT_EQ(s->m_ppAdjust[j][i], 1);
                EXPECT_EQ(s->m_ppMark2[i][j], -(s->m_ppWeight[i][j] / 5));
                EXPECT_TRUE(nodes.insert(i).second && nodes.insert(j).second) << "pairs share a node";
                EXPECT_NE(std::abs(i - j), 1) << "a cycle edge of the identity cycle was marked";
            }
        EXPECT_EQ(pairs, n >= 50 ? 5 : n >= 40 ? 4 : 3) << "n = " << n;
        EXPECT_EQ(WeightSnapshot(*s), weights) << "the lower triangle of W is clean again";
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j < i; ++j) EXPECT_EQ(s->m_ppMark2[i][j], 0);
    }
}

TEST(GainCensus, RecordsGainsOfUnadjustedPairsOnly) {
    CFakePlatform platform;
    auto s = RandomNetwork(10, 77);
    s->m_nTestLevel = 2;
    s->PrepareTables();
    s->GainCensus();
    for (int i = 1; i <= 10; ++i)
        for (int j = i + 1; j <= 10; ++j) {
            EXPECT_GE(s->m_ppMark2[j][i], 0);
            EXPECT_EQ(s->m_ppMark2[j][i], s->m_ppAdjust[i][j] >= 0 ? std::max(0, s->m_ppGain[i][j]) : 0);
        }
}
