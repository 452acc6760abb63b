// The move generators of the network searches: relocation of one node into its best insertion edge,
// the segment reversal (2-opt exchange) and the wide relocation of short tests. Each proposes the
// best admissible move from the current cycle under the adjusted weights (read from T), even an
// uphill one, and leaves its five-node record in m_aMove.
//
// Record word 0 selects the mode before a call: a node number (normal mode: stay near the last
// move), -1 (guarded mode: avoid moves whose new edges are all adjusted or already in the cycle) or
// 0 (free mode).
#include <algorithm>

#include "solver/CycleSolver.h"
#include "solver/MoveSet.h"

namespace {
// The cycle c read in the other direction: position k holds c[n + 1 - k].
void Reversed(const int* c, int n, int* out) {
    for (int k = 1; k <= n; ++k) out[k] = c[n + 1 - k];
    out[n + 1] = out[1];
}
}  // namespace

int CCycleSolver::RelocateNode(int kind) {
    const int n = m_nNodes;
    m_nMoveKind = kind;
    int last[5];
    std::copy(m_aMove, m_aMove + 5, last);
    const bool normal = m_aMove[0] > 0;
    const bool guarded = m_aMove[0] == -1;
    const auto& marks = m_nTestLevel == 2 ? m_ppMark : m_ppAdjust;
    m_aCycle[n + 1] = m_aCycle[1];
    IndexPositions(m_aCycle);
    auto settled = [&](int a, int b) {
        return marks[std::min(a, b)][std::max(a, b)] < 0 || IsIndexedCycleEdge(a, b);
    };

    return MakeBestRelocation(
        last, nullptr, [&](int k, int i, int j, int a, int b) {
            if (normal && !InFive(last, k) && !InFive(last, i) && !InFive(last, j)) return false;
            return !(guarded && settled(k, i) && settled(k, j) && settled(a, b));
        });
}

int CCycleSolver::ReverseSegment() {
    const int n = m_nNodes;
    m_nMoveKind = 2;
    int last[5];
    std::copy(m_aMove, m_aMove + 5, last);
    const bool normal = m_aMove[0] > 0;
    const bool guarded = m_aMove[0] == -1;
    const auto& marks = m_nTestLevel == 2 ? m_ppMark : m_ppAdjust;
    m_aCycle[n + 1] = m_aCycle[1];
    std::copy(m_aCycle, m_aCycle + n + 2, m_aSpare);
    IndexPositions(m_aCycle);
    auto settled = [&](int a, int b) {
        return marks[std::min(a, b)][std::max(a, b)] < 0 || IsIndexedCycleEdge(a, b);
    };

    int64_t bestValue = INT_MIN;
    int move[5] = {};
    int moveScan = -1;
    const bool rows = PositionRows(m_aCycle);
    if (rows) {
        CReversal r{};
        const bool found =
            ScanReversalRows(normal ? last : nullptr,
                             [&](const CReversal& t) {
                                 if (guarded && settled(t.x, t.v) && settled(t.a, t.u)) return false;
                                 const int candidate[5] = {t.v, t.u, t.x, t.a, t.a};
                                 return !AllInFive(candidate, last) && !MemoryContainsReversal(candidate);
                             },
                             r);
        if (found) {
            const int candidate[5] = {r.v, r.u, r.x, r.a, r.a};
            std::copy(candidate, candidate + 5, move);
            moveScan = r.scan;
        }
    }
    for (int scan = 0; scan < (rows ? 0 : 2); ++scan) {
        int* sc = m_aScan;
        if (scan == 0) {
            std::copy(m_aCycle, m_aCycle + n + 2, sc);
        } else {
            Reversed(m_aCycle, n, sc);
        }
        IndexCycleEdges(sc);
        for (int p = 1; p <= n; ++p) {
            const int x = sc[p];
            const int a = p == 1 ? sc[n] : sc[p - 1];
            if (normal && !InFive(last, x) && !InFive(last, a)) continue;
            // Offers the exchange of {a, x} and {u, v} for {a, u} and {x, v} at the given gain.
            auto offer = [&](int u, int v, int64_t value) {
                if (value <= bestValue) return;
                if (guarded && settled(x, v) && settled(a, u)) return;
                const int candidate[5] = {v, u, x, a, a};
                if (AllInFive(candidate, last) || MemoryContainsReversal(candidate)) return;
                bestValue = value;
                std::copy(candidate, candidate + 5, move);
                moveScan = scan;
            };
            auto visit = [&](const auto* slice) {
                const int dim = n + 1;
                for (int q = 1; q <= n; ++q) {
                    const int u = sc[q], v = sc[q + 1];
                    if (u == x || u == a || v == a) continue;
                    offer(u, v,
                          static_cast<int64_t>(slice[m_aEdgeSlot[q]]) -
                              slice[a < u ? a * dim + u : u * dim + a]);
                }
            };
            if (RowReads()) {
                // The same values from the lowered weights: W'uv - W'xv - W'au + W'ax.
                const int32_t* rowX = LoweredWeights()[x];
                const int32_t* rowA = LoweredWeights()[a];
                for (int q = 1; q <= n; ++q) {
                    const int u = sc[q], v = sc[q + 1];
                    if (u == x || u == a || v == a) continue;
                    offer(u, v, static_cast<int64_t>(m_aEdgeWeight[q]) - rowX[v] - rowA[u] + rowA[x]);
                }
            } else if (m_nKind == KIND_GRAPH) {
                visit(m_pppInsertSmall.Slice(static_cast<std::size_t>(x)));
            } else {
                visit(m_pppInsert.Slice(static_cast<std::size_t>(x)));
            }
        }
    }
    NormalizeCycle();
    if (moveScan < 0) return 0;
    // The reversal is made on the cycle in the direction in which it was found.
    if (moveScan == 0)
        std::copy(m_aSpare, m_aSpare + n + 2, m_aCycle);
    else
        Reversed(m_aSpare, n, m_aCycle);
    ReverseTail(move[2], move[0]);
    m_aMove[0] = move[0], m_aMove[1] = move[1], m_aMove[2] = move[2], m_aMove[3] = move[3];
    m_aMove[4] = move[1];
    return 1;
}

int CCycleSolver::RelocateNodeWide() {
    const int n = m_nNodes;
    m_nMoveKind = 1;
    int last[5];
    std::copy(m_aMove, m_aMove + 5, last);
    const bool normal = m_aMove[0] > 0;
    m_aCycle[n + 1] = m_aCycle[1];
    std::copy(m_aCycle, m_aCycle + n + 2, m_aSpare);  // the cycle as given; m_aCycle serves as scratch
    IndexPositions(m_aSpare);

    int64_t bestValue = 0;  // only moves of positive value are made
    int move[5] = {};
    bool found = false;
    for (int scan = 0; scan < 2; ++scan) {
        int* sc = m_aScan;
        if (scan == 0)
            std::copy(m_aSpare, m_aSpare + n + 2, sc);
        else
            Reversed(m_aSpare, n, sc);
        for (int p = 1; p <= n; ++p) {
            const int x = sc[p];
            const int a = p == 1 ? sc[n] : sc[p - 1];
            if (normal && !InFive(last, x) && !InFive(last, a)) continue;
            const CInsSlice t = InsSlice(x);
            for (int r = 1; r <= n; ++r) {
                const int u = sc[r];
                const int w = r == 1 ? sc[n] : sc[r - 1];
                if (u == x || u == a || w == a || w == x) continue;
                if (IsIndexedCycleEdge(a, u)) continue;
                const int64_t value = static_cast<int64_t>(t(w, u)) - t(a, u);
                if (value <= bestValue) continue;
                // u goes between a and x.
                std::copy(sc, sc + n + 2, m_aCycle);
                MoveNode(u, x, a);
                // The fifth node of the record only identifies the move: after the move, take the
                // node standing at the position numbered w and the smaller of its two neighbours,
                // or the larger one when the smaller is x.
                const int before = w == 1 ? m_aCycle[n] : m_aCycle[w - 1];
                const int after = w == n ? m_aCycle[1] : m_aCycle[w + 1];
                const int lo = std::min(before, after), hi = std::max(before, after);
                const int g = lo != x ? lo : hi;
                const int candidate[5] = {w, u, x, a, g};
                if (AllInFive(candidate, last) || MemoryContains(candidate)) continue;
                bestValue = value;
                std::copy(candidate, candidate + 5, move);
                std::copy(m_aCycle, m_aCycle + n + 2, m_aCandidate);
                found = true;
            }
        }
    }
    std::copy(m_aSpare, m_aSpare + n + 2, m_aCycle);
    NormalizeCycle();
    if (!found) return 0;
    std::copy(m_aCandidate, m_aCandidate + n + 2, m_aCycle);
    std::copy(move, move + 5, m_aMove);
    return 1;
}
