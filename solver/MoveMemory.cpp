// The searches' bookkeeping: the stop test of a run, the acceptance of a new best cycle (with the
// table of equally good cycles of a short test), and the move memory that keeps a walk from
// repeating its moves.
#include <algorithm>
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

// The memory is scanned through an index: a record can only lie within a move's nodes when its two
// smallest distinct values are among them, so each record is chained under that pair (the value
// twice when it has only one) and a query walks the chains of the pairs of its own values, at most
// fifteen short chains instead of every record. Only non-empty records are indexed; they form a
// prefix of the table (records fill the first empty slot), so the answers are those of a scan from
// the front that stops at the first empty one.
namespace {
inline int PairBucket(int lo, int hi) {
    uint32_t h = static_cast<uint32_t>(lo) * 2654435761u ^ static_cast<uint32_t>(hi) * 2246822519u;
    h ^= h >> 15;
    return static_cast<int>(h & (MEMORY_BUCKETS - 1));
}

// The chain of a record: its smallest value and the next larger one (or the smallest again).
inline int RecordBucket(const int* r) {
    const int lo = std::min({r[0], r[1], r[2], r[3], r[4]});
    int hi = lo;
    for (int w = 0; w < 5; ++w)
        if (r[w] > lo && (hi == lo || r[w] < hi)) hi = r[w];
    return PairBucket(lo, hi);
}
}  // namespace

void CCycleSolver::IndexMemoryRecord(int slot) {
    const int bucket = RecordBucket(m_ppMoveMemory[slot]);
    m_aMemoryNext[slot] = m_aMemoryHead[bucket];
    m_aMemoryHead[bucket] = slot + 1;
}

int CCycleSolver::FindMemoryRecord(const int* move, int kindFilter, int lastSlot) const {
    const uint64_t outside = ~NodeBits(move);
    int values[5];
    int distinct = 0;
    for (int w = 0; w < 5; ++w) {
        bool seen = false;
        for (int e = 0; e < distinct; ++e) seen = seen || values[e] == move[w];
        if (!seen) values[distinct++] = move[w];
    }
    for (int a = 0; a < distinct; ++a) {
        for (int b = a; b < distinct; ++b) {
            const int bucket = PairBucket(std::min(values[a], values[b]), std::max(values[a], values[b]));
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

int CCycleSolver::MemoryCheckAndRecord(int reset, const int* move) {
    if (reset != 0 || m_nMemoryUsed == MOVE_MEMORY_RECORDS - 1) {
        m_nMemoryUsed = 0;
        std::memset(m_ppMoveMemory, 0, sizeof m_ppMoveMemory);
        std::memset(m_aMemoryBits, 0, sizeof m_aMemoryBits);
        std::memset(m_aMemoryHead, 0, sizeof m_aMemoryHead);
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
        for (int k = 0; k < m_nMemoryFilled; ++k) IndexMemoryRecord(k);
    } else if (record[1] != 0) {
        IndexMemoryRecord(slot);
        m_nMemoryFilled = slot + 1;
    }
    if (reset == 0) ++m_nMemoryUsed;
    AcceptCycle(CycleCost());
    return 0;
}

int CCycleSolver::MemoryContains(const int* move) const {
    return FindMemoryRecord(move, m_nMoveKind, MOVE_MEMORY_RECORDS - 2);
}

int CCycleSolver::MemoryContainsReversal(const int* move) const {
    return FindMemoryRecord(move, 2, MOVE_MEMORY_RECORDS - 1);
}
