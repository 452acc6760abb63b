// The searches' bookkeeping: the stop test of a run, the acceptance of a new best cycle (with the
// table of equally good cycles of a short test), and the move memory that keeps a walk from
// repeating its moves.
#include <algorithm>
#include <cassert>
#include <cstring>

#include "solver/CycleSolver.h"
#include "solver/MethodParams.h"

namespace {
inline uint64_t NodeBits(const int* nodes) {
    uint64_t bits = 0;
    for (int w = 0; w < 5; ++w) bits |= uint64_t{1} << (static_cast<unsigned>(nodes[w]) & 63u);
    return bits;
}

// 1 when every node of the record is one of the five nodes of the move.
inline bool RecordWithin(const int* record, const int* move) {
    for (int w = 0; w < 5; ++w) {
        const int node = record[w];
        if (node != move[0] && node != move[1] && node != move[2] && node != move[3] && node != move[4])
            return false;
    }
    return true;
}
}  // namespace

int CCycleSolver::StopTest() {
    if (m_nTargetCost != NO_COST && m_nBestCost == m_nTargetCost) return 1;
    if (m_bSeekOther != 0 && m_nBestCost == m_nOtherCost && BestDiffersFromOther()) return 1;
    if (m_nRunMode != -1) return 0;
    return m_nBestCost < m_nStartCost ? 1 : 0;
}

int CCycleSolver::AcceptCycle(int cost) {
    const int n = m_nNodes;
    if (cost > m_nBestCost) return 0;
    auto tieColumn = [&](int t) {
        for (int k = 1; k <= n; ++k) m_aTies[k][t] = m_aBest[k];
    };
    std::copy(m_aCycle + 1, m_aCycle + n + 1, m_aBest + 1);
    if (m_bKeepTies == 1) {
        if (cost == m_nBestCost) {
            // With 19 ties stored the last column is overwritten.
            if (m_nTies < TIE_SLOTS - 1) ++m_nTies;
            tieColumn(m_nTies);
        } else {
            m_nTies = 1;
            tieColumn(1);
        }
    }
    if (g_bAppActive != 0 && cost < m_nBestCost) {
        m_nBestCost = cost;
        ShowCycleCost();
    }
    m_nBestCost = cost;
    return 1;
}

// The memory is scanned through an index: a record can only lie within a move's nodes when the set
// of its values is a subset of the move's, so each record is chained under (a hash of) its set and a
// query walks the chains of the subsets of its own values, the whole set first: at most 31 short
// chains instead of every record. Only non-empty records are indexed; they form a prefix of the
// table (records fill the first empty slot), so the answers are those of a scan from the front that
// stops at the first empty one.
namespace {
// The distinct values of five words in ascending order; returns their number. Sorted in registers
// by a network of nine exchanges, then the repeats left out.
inline int SortedSet(const int* words, int* values) {
    int v[5] = {words[0], words[1], words[2], words[3], words[4]};
    auto order = [&v](int i, int j) {
        const int lo = std::min(v[i], v[j]), hi = std::max(v[i], v[j]);
        v[i] = lo, v[j] = hi;
    };
    order(0, 1), order(3, 4), order(2, 4), order(2, 3), order(0, 3);
    order(0, 2), order(1, 4), order(1, 3), order(1, 2);
    int distinct = 1;
    values[0] = v[0];
    for (int w = 1; w < 5; ++w)
        if (v[w] != v[w - 1]) values[distinct++] = v[w];
    return distinct;
}

// The subsets of five values by their size, each list ascending (0 ends a shorter list).
constexpr unsigned kSubsetsOfSize[6][10] = {
    {},
    {1, 2, 4, 8, 16},
    {3, 5, 6, 9, 10, 12, 17, 18, 20, 24},
    {7, 11, 13, 14, 19, 21, 22, 25, 26, 28},
    {15, 23, 27, 29, 30},
    {31},
};

// The chain of the values picked by the bits of subset, in ascending order.
inline int SetBucket(const int* values, int distinct, unsigned subset) {
    uint32_t h = 0x2545F491u;
    for (int e = 0; e < distinct; ++e)
        if ((subset >> e) & 1u) h = (h ^ static_cast<uint32_t>(values[e])) * 0x9E3779B1u;
    h ^= h >> 16;
    return static_cast<int>(h & (MEMORY_BUCKETS - 1));
}
}  // namespace

void CCycleSolver::IndexMemoryRecord(int slot) {
    int values[5];
    const int distinct = SortedSet(m_ppMoveMemory[slot], values);
    const int kind = m_ppMoveMemory[slot][5];
    if (kind >= 0 && kind < MEMORY_KINDS) m_aMemorySizes[kind] |= 1u << distinct;
    m_nMemorySizesAny |= 1u << distinct;
    const int bucket = SetBucket(values, distinct, (1u << distinct) - 1);
    m_aMemoryNext[slot] = m_aMemoryHead[bucket];
    m_aMemoryHead[bucket] = slot + 1;
}

int CCycleSolver::FindMemoryRecord(const int* move, int kindFilter, int lastSlot) const {
    const uint64_t outside = ~NodeBits(move);
    int values[5];
    const int distinct = SortedSet(move, values);
    const unsigned all = (1u << distinct) - 1;
    // A record is chained under its whole set, so only subsets of a size some record has are
    // asked (in any order: any record found answers).
    const unsigned sizes =
        kindFilter > 0 && kindFilter < MEMORY_KINDS ? m_aMemorySizes[kindFilter] : m_nMemorySizesAny;
    for (int size = distinct; size >= 1; --size) {
        if (((sizes >> size) & 1u) == 0) continue;
        for (const unsigned subset : kSubsetsOfSize[size]) {
            if (subset == 0 || subset > all) break;
            const int bucket = SetBucket(values, distinct, subset);
            for (int link = m_aMemoryHead[bucket]; link != 0; link = m_aMemoryNext[link - 1]) {
                const int slot = link - 1;
                if (slot > lastSlot) continue;
                const int* record = m_ppMoveMemory[slot];
                if (kindFilter != 0 && record[5] != kindFilter) continue;
                if ((m_aMemoryBits[slot] & outside) == 0 && RecordWithin(record, move)) return 1;
            }
        }
    }
    return 0;
}

int CCycleSolver::MemoryCheckAndRecord(int reset, const int* move, const int* knownCost) {
    // The sizes are gathered again as the records are indexed again.
    auto forgetSizes = [this] {
        std::fill(m_aMemorySizes, m_aMemorySizes + MEMORY_KINDS, 0u);
        m_nMemorySizesAny = 0;
    };
    if (reset != 0 || m_nMemoryUsed == MOVE_MEMORY_RECORDS - 1) {
        m_nMemoryUsed = 0;
        std::memset(m_ppMoveMemory, 0, sizeof m_ppMoveMemory);
        std::memset(m_aMemoryBits, 0, sizeof m_aMemoryBits);
        std::memset(m_aMemoryHead, 0, sizeof m_aMemoryHead);
        forgetSizes();
        m_nMemoryFilled = 0;
    }
    int slot = 0;
    if (reset == 0) {
        if (FindMemoryRecord(move, m_nMoveKind, MOVE_MEMORY_RECORDS - 1)) return 1;
        slot = std::min(m_nMemoryFilled, MOVE_MEMORY_RECORDS - 1);
    }
    const bool overwrite = slot < m_nMemoryFilled;  // only when every record is in use
    int* record = m_ppMoveMemory[slot];
    std::copy(move, move + 5, record);
    record[5] = m_nMoveKind;
    m_aMemoryBits[slot] = NodeBits(move);
    if (overwrite) {
        std::memset(m_aMemoryHead, 0, sizeof m_aMemoryHead);
        forgetSizes();
        for (int k = 0; k < m_nMemoryFilled; ++k) IndexMemoryRecord(k);
    } else if (record[1] != 0) {
        IndexMemoryRecord(slot);
        m_nMemoryFilled = slot + 1;
    }
    if (reset == 0) ++m_nMemoryUsed;
    assert(!knownCost || *knownCost == CycleCost());
    AcceptCycle(knownCost ? *knownCost : CycleCost());
    return 0;
}

int CCycleSolver::MemoryContains(const int* move) const {
    return FindMemoryRecord(move, m_nMoveKind, MOVE_MEMORY_RECORDS - 2);
}

int CCycleSolver::MemoryContainsReversal(const int* move) const {
    return FindMemoryRecord(move, 2, MOVE_MEMORY_RECORDS - 1);
}
