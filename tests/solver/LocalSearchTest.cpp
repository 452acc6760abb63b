// Searches, move generators and move memory: iteration caps, the stop test, acceptance with ties,
// the memory's set matching, and the generators' neighbourhood rules.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "solver/MethodParams.h"
#include "support/Fakes.h"
#include "support/Networks.h"

namespace {

std::unique_ptr<CCycleSolver> RandomNetwork(int n, unsigned seed) {
    auto s = MakeSolver(n);
    std::mt19937 rng(seed);
    FillRandom(*s, rng, 100);
    return s;
}

bool IsPermutation(const CCycleSolver& s, const int* cycle) {
    std::set<int> seen(cycle + 1, cycle + s.m_nNodes + 1);
    return static_cast<int>(seen.size()) == s.m_nNodes && *seen.begin() == 1 && *seen.rbegin() == s.m_nNodes;
}

}  // namespace

TEST(Searches, IterationsAreCappedBelowTheMemorySize) {
    for (const auto& [budget, polls] : {std::pair{5000, 999}, std::pair{4000, 1000}, std::pair{12, 3}}) {
        CFakePlatform platform;
        auto s = RandomNetwork(30, 9);
        s->m_nRunMode = 1;
        s->PrepareTables();
        platform.events.polls = 0;
        s->SearchB(budget);
        EXPECT_EQ(platform.events.polls, polls) << "budget " << budget;
    }
}

TEST(Searches, ReachedTargetStopsInTheFirstIteration) {
    CFakePlatform platform;
    auto s = RandomNetwork(12, 4);
    s->PrepareTables();
    s->m_nTargetCost = s->m_nBestCost;
    const std::vector<int> start = CycleOf(*s, s->m_aBest);
    EXPECT_EQ(s->OpeningSearch(24), 1);
    EXPECT_EQ(s->SearchA(24, 1), 1);
    EXPECT_EQ(s->SearchB(24), 1);
    EXPECT_EQ(CycleOf(*s, s->m_aBest), start);
}

TEST(Searches, EveryProposalIsACycleAndTheBestCostIsTrue) {
    CFakePlatform platform;
    for (int level : {1, 2}) {
        for (unsigned seed = 0; seed < 6; ++seed) {
            auto s = RandomNetwork(14, seed);
            s->m_nTestLevel = level;
            s->PrepareTables();
            s->OpeningSearch(3 * 14);
            s->AdjustWeights(1);
            s->SearchA(20, 1);
            s->SearchB(60);
            ASSERT_TRUE(IsPermutation(*s, s->m_aBest));
            ASSERT_TRUE(IsPermutation(*s, s->m_aCycle));
            EXPECT_EQ(s->CycleCostOf(s->m_aBest), s->m_nBestCost);
            if (level == 2) {
                s->m_aMove[0] = 0;
                if (s->SegmentStage()) {
                    ASSERT_TRUE(IsPermutation(*s, s->m_aCycle));
                }
            }
        }
    }
}

TEST(StopTest, TargetOtherOptimumAndCheckRun) {
    auto s = MakeSolver(5);
    s->m_nBestCost = 10;
    s->m_nRunMode = 1;
    EXPECT_EQ(s->StopTest(), 0);
    s->m_nTargetCost = 10;
    EXPECT_EQ(s->StopTest(), 1);
    s->m_nTargetCost = NO_COST;
    s->m_bSeekOther = 1, s->m_nOtherCost = 10;
    std::copy(s->m_aBest, s->m_aBest + 7, s->m_aOther);
    EXPECT_EQ(s->StopTest(), 0) << "the same cycle is not another optimum";
    s->m_aOther[2] = 3, s->m_aOther[3] = 2;
    EXPECT_EQ(s->StopTest(), 1);
    s->m_bSeekOther = 0;
    s->m_nRunMode = -1, s->m_nStartCost = 10;
    EXPECT_EQ(s->StopTest(), 0);
    s->m_nBestCost = 9;
    EXPECT_EQ(s->StopTest(), 1);
}

TEST(AcceptCycle, CollectsAtMostNineteenTies) {
    CFakePlatform platform;
    auto s = MakeSolver(5);
    s->m_bKeepTies = 1;
    s->m_nTies = 1;
    s->m_nBestCost = 0;
    EXPECT_EQ(s->AcceptCycle(1), 0);
    for (int k = 0; k < 30; ++k) EXPECT_EQ(s->AcceptCycle(0), 1);
    EXPECT_EQ(s->m_nTies, 19);
    EXPECT_EQ(s->AcceptCycle(-3), 1);
    EXPECT_EQ(s->m_nTies, 1);
    EXPECT_EQ(s->m_nBestCost, -3);
}

TEST(AcceptCycle, ShowsImprovementsOnlyWhileTheApplicationIsActive) {
    CFakePlatform platform;
    CFakeField cost;
    auto s = MakeSolver(5);
    s->m_pCostCtrl = &cost;
    s->m_nBestCost = 50;
    g_bAppActive = 0;
    s->AcceptCycle(40);
    EXPECT_TRUE(cost.history.empty());
    g_bAppActive = 1;
    s->AcceptCycle(30);
    s->AcceptCycle(30);  // a tie is not shown
    g_bAppActive = 0;
    EXPECT_EQ(cost.history, (std::vector<std::string>{"(30)"}));
}

TEST(MoveMemory, MatchesRecordsAsSetsOfTheCurrentKind) {
    CFakePlatform platform;
    auto s = MakeSolver(8);
    const int zero[7] = {};
    s->m_nMoveKind = 1;
    s->MemoryCheckAndRecord(1, zero);
    const int move[7] = {3, 5, 7, 2, 4};
    EXPECT_EQ(s->MemoryCheckAndRecord(0, move), 0);
    EXPECT_EQ(s->m_nMemoryUsed, 1);
    const int shuffled[7] = {7, 4, 3, 5, 2};
    EXPECT_EQ(s->MemoryCheckAndRecord(0, shuffled), 1);
    EXPECT_EQ(s->MemoryContains(shuffled), 1);
    const int other[7] = {7, 4, 3, 5, 1};
    EXPECT_EQ(s->MemoryContains(other), 0);
    s->m_nMoveKind = 2;
    EXPECT_EQ(s->MemoryContains(shuffled), 0) << "a record of another kind does not count";
    EXPECT_EQ(s->MemoryContainsReversal(shuffled), 0);
    EXPECT_EQ(s->MemoryCheckAndRecord(0, other), 0);
    EXPECT_EQ(s->MemoryContainsReversal(other), 1);
    s->m_nMoveKind = 0;
    EXPECT_EQ(s->MemoryContains(shuffled), 1) << "kind 0 matches records of every kind";
}

TEST(MoveMemory, ClearsItselfAt3999Records) {
    CFakePlatform platform;
    auto s = MakeSolver(30);
    s->m_nMoveKind = 1;
    const int zero[7] = {};
    s->MemoryCheckAndRecord(1, zero);
    int recorded = 0;
    for (int a = 1; a <= 30; ++a)
        for (int b = a + 1; b <= 30; ++b)
            for (int c = b + 1; c <= 30 && recorded < 3999; ++c) {
                const int move[7] = {a, b, c, c, c};
                ASSERT_EQ(s->MemoryCheckAndRecord(0, move), 0);
                ++recorded;
            }
    EXPECT_EQ(s->m_nMemoryUsed, 3999);
    const int first[7] = {1, 2, 3, 3, 3};
    EXPECT_EQ(s->MemoryCheckAndRecord(0, first), 0) << "the full memory was cleared first";
    EXPECT_EQ(s->m_nMemoryUsed, 1);
}

TEST(RelocateNode, NormalModeStaysNearTheLastMove) {
    CFakePlatform platform;
    for (unsigned seed = 0; seed < 10; ++seed) {
        auto s = RandomNetwork(12, 50 + seed);
        s->PrepareTables();
        const int zero[7] = {};
        s->MemoryCheckAndRecord(1, zero);
        const int last[5] = {3, 4, 5, 8, 9};
        std::copy(last, last + 5, s->m_aMove);
        if (!s->RelocateNode(1)) continue;
        const int i = s->m_aMove[0], k = s->m_aMove[1], j = s->m_aMove[2];
        const std::set<int> near(last, last + 5);
        EXPECT_TRUE(near.count(k) || near.count(i) || near.count(j)) << "seed " << seed;
        EXPECT_EQ(s->m_nMoveKind, 1);
        // k now stands between i and j.
        int p = 1;
        while (s->m_aCycle[p] != k) ++p;
        const int before = p == 1 ? s->m_aCycle[12] : s->m_aCycle[p - 1];
        const int after = p == 12 ? s->m_aCycle[1] : s->m_aCycle[p + 1];
        EXPECT_EQ(std::set<int>({before, after}), std::set<int>({i, j}));
    }
}

TEST(ReverseSegment, MakesTheRecordedExchange) {
    CFakePlatform platform;
    auto s = RandomNetwork(10, 5);
    s->PrepareTables();
    const int zero[7] = {};
    s->MemoryCheckAndRecord(1, zero);
    std::fill(s->m_aMove, s->m_aMove + 7, 0);
    ASSERT_EQ(s->ReverseSegment(), 1);
    const int v = s->m_aMove[0], u = s->m_aMove[1], x = s->m_aMove[2], a = s->m_aMove[3];
    EXPECT_EQ(s->m_aMove[4], u);
    EXPECT_EQ(s->m_nMoveKind, 2);
    s->IndexPositions(s->m_aCycle);
    EXPECT_TRUE(s->IsIndexedCycleEdge(a, u));
    EXPECT_TRUE(s->IsIndexedCycleEdge(x, v));
    EXPECT_TRUE(IsPermutation(*s, s->m_aCycle));
}

TEST(RelocateNodeWide, MovesOnlyForAPositiveValue) {
    CFakePlatform platform;
    auto s = MakeSolver(8);  // all weights 0: no move has a positive value
    s->PrepareTables();
    std::fill(s->m_aMove, s->m_aMove + 7, 0);
    EXPECT_EQ(s->RelocateNodeWide(), 0);
    auto r = RandomNetwork(9, 21);
    r->PrepareTables();
    std::fill(r->m_aMove, r->m_aMove + 7, 0);
    if (r->RelocateNodeWide()) {
        EXPECT_TRUE(IsPermutation(*r, r->m_aCycle));
        EXPECT_EQ(r->m_nMoveKind, 1);
    }
}

// The memory's index must answer exactly as a scan of the records from the front.
TEST(MoveMemory, IndexAnswersAsAFullScan) {
    CFakePlatform platform;
    auto s = MakeSolver(12);
    std::mt19937 rng(8);
    auto scan = [&](const int* move, int kind, int last) {
        for (int slot = 0; slot <= last; ++slot) {
            const int* r = s->m_ppMoveMemory[slot];
            if (r[1] == 0) break;
            if (kind != 0 && r[5] != kind) continue;
            bool within = true;
            for (int w = 0; w < 5; ++w) within = within && std::count(move, move + 5, r[w]) > 0;
            if (within) return 1;
        }
        return 0;
    };
    const int zero[7] = {};
    s->MemoryCheckAndRecord(1, zero);
    for (int step = 0; step < 9000; ++step) {
        int move[7] = {};
        // Small node numbers (and the special words -1 and 0) make repeated sets common.
        for (int w = 0; w < 5; ++w) move[w] = static_cast<int>(rng() % 7) + (w == 0 ? -1 : 1);
        s->m_nMoveKind = static_cast<int>(rng() % 5);
        ASSERT_EQ(s->MemoryContains(move), scan(move, s->m_nMoveKind, 3998)) << step;
        ASSERT_EQ(s->MemoryContainsReversal(move), scan(move, 2, 3999)) << step;
        const int expected = s->m_nMemoryUsed == 3999 ? 0 : scan(move, s->m_nMoveKind, 3999);
        ASSERT_EQ(s->MemoryCheckAndRecord(0, move), expected) << step;
        if (step % 2500 == 0) s->MemoryCheckAndRecord(1, zero);
    }
}
