// The exact network enumeration in parts, for shards on several machines: the blocks of prefixes
// that the parallel enumeration already has (block b: the orders whose positions 2..d+1 are the
// b-th arrangement of d nodes, so that the blocks in index order are the enumeration itself), runs
// over ranges of them in pieces that a file can keep, and the rule by which pieces are merged.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class CCycleSolver;

// Blocks [first, end) of the enumeration.
struct CBlockRange {
    uint64_t first = 0;
    uint64_t end = 0;
    uint64_t Size() const { return end - first; }
    bool operator==(const CBlockRange&) const = default;
};

// The number of blocks of the enumeration of n nodes (1 for 5 nodes; 0 below: too few to cut).
uint64_t ExactBlockCount(int nodes);
// The orders of one block of the enumeration of n nodes (5 nodes and more).
double ExactOrdersPerBlock(int nodes);

// Shard k (1 to count) of the blocks: consecutive, the shards' sizes differing by one at most.
CBlockRange ShardBlocks(uint64_t blocks, int k, int count);

// What a run of consecutive blocks found: its first strictly cheapest order (strictly dearest in
// maximum mode) and the block that holds it.
struct CExactPiece {
    CBlockRange blocks;
    int cost = 0;        // the cycle's cost, positive in maximum mode
    uint64_t block = 0;  // the block of the best order
    std::vector<int> cycle;  // its n nodes from node 1
};

// True when the single loop would keep a's order rather than b's: the cheaper one (the dearer in
// maximum mode), and of equal ones the one from the lower block, since the enumeration meets it
// first.
bool PieceWins(const CExactPiece& a, const CExactPiece& b, bool maximum);

// Runs the exact enumeration of the solver's network over the given block ranges, cut into pieces
// of at most pieceBlocks consecutive blocks, on the workers of g_nExactThreads (at least one),
// while the calling thread polls as ExpMethodNet does (the Time field, the best cost, Escape). Each
// finished piece is handed to done on the calling thread; when the run is stopped, the finished
// leading blocks of each unfinished piece come as a piece of their own, so nothing finished is
// lost. The best order met, also in blocks cut short, is recorded in m_aCycle, m_aBest and
// m_nBestCost as ExpMethodNet records its best; m_nOrdersDone counts the orders stepped through.
// The weights are left as they were. Returns 1 when the run was stopped, else 0.
int ExpMethodNetBlocks(CCycleSolver& solver, const std::vector<CBlockRange>& ranges, uint64_t pieceBlocks,
                       const std::function<void(const CExactPiece&)>& done);
