// The exact enumeration in shards: the pieces of any cut of the blocks, merged by the tie rule,
// give the single loop's cycle; a stopped run hands over only finished blocks.
#include <gtest/gtest.h>

#include <random>

#include "solver/ExactShard.h"
#include "support/Fakes.h"
#include "support/Networks.h"

namespace {
std::vector<CExactPiece> RunRange(CCycleSolver& s, CBlockRange range, uint64_t pieceBlocks) {
    std::vector<CExactPiece> pieces;
    ExpMethodNetBlocks(s, {range}, pieceBlocks, [&](const CExactPiece& p) { pieces.push_back(p); });
    return pieces;
}
}  // namespace

TEST(ExactShards, ShardsCoverTheBlocksInOrder) {
    EXPECT_EQ(ExactBlockCount(4), 0u);
    EXPECT_EQ(ExactBlockCount(5), 1u);
    EXPECT_EQ(ExactBlockCount(12), 990u);  // 11 * 10 * 9 prefixes, 8! orders each
    EXPECT_EQ(ExactOrdersPerBlock(12), 40320.0);
    EXPECT_EQ(ShardBlocks(990, 1, 4), (CBlockRange{0, 247}));
    EXPECT_EQ(ShardBlocks(990, 4, 4), (CBlockRange{742, 990}));
    EXPECT_EQ(ShardBlocks(3, 2, 8), (CBlockRange{0, 0}));  // more shards than blocks: some are empty
    const uint64_t huge = uint64_t{1} << 62;
    EXPECT_EQ(ShardBlocks(huge, 3, 3).end, huge);  // no overflow
}

TEST(ExactShards, MergedPiecesGiveTheSingleLoopsCycle) {
    std::mt19937 rng(11);
    for (int n : {5, 7, 9, 10}) {
        for (int trial = 0; trial < 4; ++trial) {
            const bool maximum = trial % 2 == 1;
            auto s = MakeSolver(n);
            FillRandom(*s, rng, trial < 2 ? 3 : 100);  // few distinct weights: ties everywhere
            s->m_bMaximum = maximum;
            const auto before = WeightSnapshot(*s);
            int expected = 0;
            std::vector<int> expectedCycle;
            {
                const CExactThreadsScope single(1);
                expected = s->ExpMethodNet(0, nullptr);
                expectedCycle = CycleOf(*s, s->m_aBest);
            }
            const uint64_t blocks = ExactBlockCount(n);
            const int count = 3;
            const CExactThreadsScope workers(2);
            std::vector<CExactPiece> all;
            for (int k = count; k >= 1; --k) {  // in any order
                const uint64_t pieceBlocks = trial < 2 ? 16 : 1 + trial;  // ties inside pieces too
                for (const CExactPiece& p : RunRange(*s, ShardBlocks(blocks, k, count), pieceBlocks))
                    all.push_back(p);
            }
            EXPECT_EQ(WeightSnapshot(*s), before);
            std::sort(all.begin(), all.end(),
                      [](const CExactPiece& a, const CExactPiece& b) { return a.blocks.first < b.blocks.first; });
            uint64_t next = 0;
            const CExactPiece* best = nullptr;
            for (const CExactPiece& p : all) {
                ASSERT_EQ(p.blocks.first, next) << "n=" << n << ": pieces must tile the blocks";
                next = p.blocks.end;
                if (!best || PieceWins(p, *best, maximum)) best = &p;
            }
            ASSERT_EQ(next, blocks);
            EXPECT_EQ(best->cost, expected) << "n=" << n << " trial " << trial;
            EXPECT_EQ(best->cycle, expectedCycle) << "n=" << n << " trial " << trial;
        }
    }
}

TEST(ExactShards, AStoppedRunHandsOverOnlyFinishedBlocks) {
    std::mt19937 rng(5);
    auto s = MakeSolver(13);  // blocks of 9! orders, cut by a stop at any point
    FillRandom(*s, rng);
    CFakePlatform platform;
    const CExactThreadsScope workers(2);
    for (int round = 0; round < 5; ++round) {
        platform.events.queue = {"x", "Escape"};
        std::vector<CExactPiece> pieces;
        const int aborted =
            ExpMethodNetBlocks(*s, {{100, 11880}}, 1, [&](const CExactPiece& p) { pieces.push_back(p); });
        ASSERT_EQ(aborted, 1);
        ASSERT_LT(pieces.size(), 11780u);
        for (const CExactPiece& p : pieces) {
            // The same block run to its end gives the same report.
            platform.events.queue.clear();
            const std::vector<CExactPiece> again = RunRange(*s, p.blocks, 1);
            ASSERT_EQ(again.size(), 1u);
            EXPECT_EQ(again[0].cost, p.cost) << "block " << p.block;
            EXPECT_EQ(again[0].cycle, p.cycle) << "block " << p.block;
        }
    }
}
