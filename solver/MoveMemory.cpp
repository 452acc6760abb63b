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

int CCycleSolver::MemoryCheckAndRecord(int reset, const int* move) {
    if (reset != 0 || m_nMemoryUsed == MOVE_MEMORY_RECORDS - 1) {
        m_nMemoryUsed = 0;
        std::memset(m_ppMoveMemory, 0, sizeof m_ppMoveMemory);
        std::memset(m_aMemoryBits, 0, sizeof m_aMemoryBits);
    }
    const uint64_t outside = ~NodeBits(move);
    int slot = 0;
    if (reset == 0) {
        for (; slot < MOVE_MEMORY_RECORDS; ++slot) {
            const int* record = m_ppMoveMemory[slot];
            if (record[1] == 0) break;
            if (m_nMoveKind != 0 && record[5] != m_nMoveKind) continue;
            if ((m_aMemoryBits[slot] & outside) == 0 && RecordWithin(record, move)) return 1;
        }
        if (slot == MOVE_MEMORY_RECORDS) slot = MOVE_MEMORY_RECORDS - 1;
    }
    int* record = m_ppMoveMemory[slot];
    std::copy(move, move + 5, record);
    record[5] = m_nMoveKind;
    m_aMemoryBits[slot] = NodeBits(move);
    if (reset == 0) ++m_nMemoryUsed;
    AcceptCycle(CycleCost());
    return 0;
}

int CCycleSolver::MemoryContains(const int* move) const {
    const uint64_t outside = ~NodeBits(move);
    for (int slot = 0; slot < MOVE_MEMORY_RECORDS - 1; ++slot) {
        const int* record = m_ppMoveMemory[slot];
        if (record[1] == 0) break;
        if (m_nMoveKind != 0 && record[5] != m_nMoveKind) continue;
        if ((m_aMemoryBits[slot] & outside) == 0 && RecordWithin(record, move)) return 1;
    }
    return 0;
}

int CCycleSolver::MemoryContainsReversal(const int* move) const {
    const uint64_t outside = ~NodeBits(move);
    // Records fill from the front without gaps and moves never hold node 0, so nothing matches
    // beyond the first empty record.
    for (int slot = 0; slot < MOVE_MEMORY_RECORDS; ++slot) {
        const int* record = m_ppMoveMemory[slot];
        if (record[1] == 0) break;
        if (record[5] == 2 && (m_aMemoryBits[slot] & outside) == 0 && RecordWithin(record, move)) return 1;
    }
    return 0;
}
