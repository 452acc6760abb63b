// Start-of-pass set-up of the polynomial method: the insertion table built from the weights, the
// stabilising stage that lowers uniquely best insertion edges, the one operation that lowers an edge
// and keeps the table in step, and the two insertion queries of the move generators.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "solver/CycleSolver.h"
#include "solver/ScanKernels.h"
#include "solver/StageRegime.h"

namespace {

// Plain 32-bit arithmetic with wrap-around, as every weight sum of the method.
inline int32_t Wrap(int64_t v) {
    return static_cast<int32_t>(static_cast<uint32_t>(v));
}

template <typename Cell>
void ClearTable(CInsertTable<Cell>& t) {
    if (t.IsAllocated()) std::memset(t.Data(), 0, t.Size() * sizeof(Cell));
}

// T[i][j][k] = W[i][j] - W{i,k} - W{j,k} for i < j, both different from k; 0 where k is an end.
// The narrow table keeps the low byte. stop() is asked before each slice; true leaves the rest.
template <typename Cell, typename Stop>
void BuildTable(CInsertTable<Cell>& t, const CSquareMatrix<int32_t>& w, int n, Stop&& stop) {
    int toK[CYCLE_CAPACITY];
    const std::size_t dim = t.Dim();
    for (int k = 1; k <= n; ++k) {
        if (stop()) return;
        for (int m = 1; m <= n; ++m) toK[m] = m < k ? w[m][k] : w[k][m];
        Cell* slice = t.Slice(static_cast<std::size_t>(k));
        for (int i = 1; i <= n; ++i) {
            if (i == k) continue;
            Cell* row = slice + static_cast<std::size_t>(i) * dim;
            const int32_t* wRow = w[i];
            const int64_t wik = toK[i];
            for (int j = i + 1; j <= n; ++j) {
                if (j == k) continue;
                row[j] = static_cast<Cell>(Wrap(wRow[j] - wik - toK[j]));
            }
        }
    }
}

// Keeps T equal to the lowered weights after edge {i, j} lost d: every entry of the edge itself
// falls by d, and the entries that charge {i, j} as the cost of an insertion next to i or j rise.
template <typename Cell>
void LowerInTable(CInsertTable<Cell>& t, int i, int j, int d, int n) {
    const std::size_t dim = t.Dim();
    const std::size_t plane = dim * dim;
    const Cell delta = static_cast<Cell>(d);  // the narrow table takes the low byte of d
    Cell* edge = t.Data() + static_cast<std::size_t>(i) * dim + static_cast<std::size_t>(j);
    for (int m = 1; m <= n; ++m) {
        if (m == i || m == j) continue;
        Cell& e = edge[static_cast<std::size_t>(m) * plane];
        e = static_cast<Cell>(Wrap(static_cast<int64_t>(e) - delta));
    }
    // Pairs holding one end, read in the slice of the other end. The pair {i, j} itself is left
    // out: an entry whose node is an end of its pair stays 0.
    for (int side = 0; side < 2; ++side) {
        const int end = side == 0 ? j : i;   // the node the pairs contain
        const int node = side == 0 ? i : j;  // the slice
        Cell* slice = t.Slice(static_cast<std::size_t>(node));
        for (int m = 1; m <= n; ++m) {
            if (m == i || m == j) continue;
            const std::size_t idx = m < end
                                        ? static_cast<std::size_t>(m) * dim + static_cast<std::size_t>(end)
                                        : static_cast<std::size_t>(end) * dim + static_cast<std::size_t>(m);
            slice[idx] = static_cast<Cell>(Wrap(static_cast<int64_t>(slice[idx]) + delta));
        }
    }
}

}  // namespace

namespace {
// While every lowered weight stays within this bound, no entry of T (a sum of three of them) can
// have wrapped: 32-bit entries for networks, 8-bit ones for graphs.
int64_t LoweredLimit(int kind) {
    return kind == KIND_GRAPH ? 42 : 715827882;
}
// Below this bound in magnitude, a sum of four lowered weights stays inside 32 bits.
constexpr int64_t NARROW_LIMIT = int64_t{1} << 29;

}  // namespace

void CCycleSolver::LowerEdge(int i, int j, int d, int toWork) {
    NoteLowering(i, j, LowerEdgeTables(i, j, d, toWork));
}

int32_t CCycleSolver::LowerEdgeTables(int i, int j, int d, int toWork) {
    int32_t& booked = toWork != 0 ? m_ppWork[i][j] : m_ppAdjust[i][j];
    booked = Wrap(static_cast<int64_t>(booked) - d);
    auto& lowered = m_nKind == KIND_GRAPH ? m_pppInsertSmall.Lowered() : m_pppInsert.Lowered();
    const int32_t now = Wrap(static_cast<int64_t>(lowered[i][j]) - d);
    lowered[i][j] = lowered[j][i] = now;
    PatchPosRows(i, j, now);
    if (m_nKind == KIND_GRAPH)
        LowerInTable(m_pppInsertSmall, i, j, d, m_nNodes);
    else
        LowerInTable(m_pppInsert, i, j, d, m_nNodes);
    return now;
}

void CCycleSolver::NoteLowering(int i, int j, int32_t now) {
    if (m_nLogged < MAX_LOGGED) m_aLoggedI[m_nLogged] = i, m_aLoggedJ[m_nLogged] = j;
    if (m_nLogged <= MAX_LOGGED) ++m_nLogged;
    if (std::abs(static_cast<int64_t>(now)) > LoweredLimit(m_nKind)) m_bLoweredExact = 0;
    if (std::abs(static_cast<int64_t>(now)) >= NARROW_LIMIT) m_bLoweredNarrow = 0;
    ++m_nLoweredVersion;
}

void CCycleSolver::RepeatStageBlock(const CStageRegime& regime, int64_t repeats) {
    // Each edge lowered by its total over the repetitions: the booked amounts, the lowered
    // weights and T are sums mod 2^32, so they end as the single lowerings would leave them.
    for (int e = 0; e < regime.BlockEdges(); ++e) {
        const CStageRegime::CEdgeTotal& t = regime.BlockEdge(e);
        const uint64_t total = static_cast<uint64_t>(repeats) * static_cast<uint64_t>(t.total);
        LowerEdgeTables(t.i, t.j, Wrap(static_cast<int64_t>(total & 0xFFFFFFFFu)), 1);
    }
    // The flags: lowering s leaves its edge at LoweredAfter(s) - k * total in repetition k, inside
    // 32 bits (the regime's bound), so the largest magnitude is at k = 1 or k = repeats.
    const int count = regime.BlockLowerings();
    for (int s = 0; s < count; ++s) {
        const int64_t now = regime.LoweredAfter(s), total = regime.TotalOf(s);
        for (const int64_t v : {now - total, now - repeats * total}) {
            if (std::abs(v) > LoweredLimit(m_nKind)) m_bLoweredExact = 0;
            if (std::abs(v) >= NARROW_LIMIT) m_bLoweredNarrow = 0;
        }
    }
    // The log keeps the first MAX_LOGGED edges and then only counts one past them.
    for (int64_t k = 0; k < repeats && m_nLogged <= MAX_LOGGED; ++k)
        for (int s = 0; s < count && m_nLogged <= MAX_LOGGED; ++s) {
            const CStageRegime::CLowering& l = regime.BlockLowering(s);
            if (m_nLogged < MAX_LOGGED) m_aLoggedI[m_nLogged] = l.i, m_aLoggedJ[m_nLogged] = l.j;
            ++m_nLogged;
        }
    m_nLoweredVersion += static_cast<uint64_t>(repeats) * static_cast<uint64_t>(count);
    m_nStageJumped += repeats * regime.Period();
}

void CCycleSolver::PrepareTables() {
    const int n = m_nNodes;
    std::memset(m_ppAdjust.Data(), 0, m_ppAdjust.Size() * sizeof(int32_t));
    std::memset(m_ppWork.Data(), 0, m_ppWork.Size() * sizeof(int32_t));
    bool stopped = false;
    auto stop = [&] {
        if (n >= POLL_EACH_NODE_FROM && !stopped && PollProgress(0) != 0) stopped = true;
        return stopped;
    };
    if (m_nKind == KIND_GRAPH) {
        ClearTable(m_pppInsertSmall);
        BuildTable(m_pppInsertSmall, m_ppWeight, n, stop);
    } else {
        ClearTable(m_pppInsert);
        BuildTable(m_pppInsert, m_ppWeight, n, stop);
    }
    if (stopped) m_bStopRequest = 1;
    auto& lowered = m_nKind == KIND_GRAPH ? m_pppInsertSmall.Lowered() : m_pppInsert.Lowered();
    int64_t largest = 0;
    for (int i = 0; i <= n; ++i) {
        lowered[i][i] = 0;
        for (int j = i + 1; j <= n; ++j) {
            lowered[i][j] = lowered[j][i] = m_ppWeight[i][j];
            largest = std::max(largest, std::abs(static_cast<int64_t>(m_ppWeight[i][j])));
        }
    }
    m_bLoweredExact = largest <= LoweredLimit(m_nKind) ? 1 : 0;
    m_bLoweredNarrow = largest < NARROW_LIMIT ? 1 : 0;
    ++m_nLoweredVersion;
    m_nPosVersion = 0;  // every position row is made anew
    if (!stopped) Stabilise();
    std::memcpy(m_ppAdjust.Data(), m_ppWork.Data(), m_ppWork.Size() * sizeof(int32_t));
    std::memset(m_ppWork.Data(), 0, m_ppWork.Size() * sizeof(int32_t));
    m_nBestCost = CycleCost();
    std::copy(m_aCycle + 1, m_aCycle + n + 1, m_aBest + 1);
}

void CCycleSolver::Stabilise() {
    const int n = m_nNodes;
    m_nStagePasses = m_nStageJumped = 0;
    if (n == 0) return;
    // Regimes are followed on the 32-bit table only, and where a node has rival edges at all.
    const bool jumps = m_bStageJumps != 0 && n >= 4 && m_nKind != KIND_GRAPH;
    CStageRegime regime(jumps ? n : 0);
    auto& lowered = LoweredWeights();
    int stable = 0;
    int x = 0;
    for (;;) {
        if (++x == n + 1) {
            if (jumps) {
                const int64_t repeats = regime.EndPass();
                // A block that leaves every weight as it found it would repeat for ever, never
                // reaching n stable nodes: the stage ends there rather than run until stopped.
                if (repeats == CStageRegime::ENDLESS) return;
                if (repeats > 0) RepeatStageBlock(regime, repeats);
            }
            if (PollProgress(0) != 0) {
                m_bStopRequest = 1;
                return;
            }
            x = 1;
        } else if (n >= POLL_EACH_NODE_FROM && PollProgress(0) != 0) {
            m_bStopRequest = 1;
            return;
        }
        if (x == 1) ++m_nStagePasses;
        // The best and the second-best insertion edge of x; the first of equal best pairs is held.
        const CInsSlice t = InsSlice(x);
        int64_t best = INT_MIN, second = INT_MIN;
        int bi = 0, bj = 0;
        for (int i = 1; i <= n; ++i) {
            if (i == x) continue;
            for (int j = i + 1; j <= n; ++j) {
                if (j == x) continue;
                const int v = t(i, j);
                if (v > best) {
                    second = best;
                    best = v;
                    bi = i, bj = j;
                } else if (v > second) {
                    second = v;
                }
            }
        }
        // A node with fewer than two candidate edges (n <= 3) has no rival edge to be levelled
        // with: it counts as stable, so the difference is never taken against "no value".
        const int64_t d = (bi == 0 || second == INT_MIN) ? 0 : best - second;
        if (jumps && regime.Watching()) regime.Watch(x, t.p32, t.dim, best, second, bi, bj);
        if (d > 0) {
            stable = 0;
            LowerEdge(bi, bj, Wrap(d), 1);
            if (jumps) regime.Record(x, bi, bj, Wrap(d), lowered[bi][bj], m_ppWork[bi][bj]);
        } else if (d == 0) {
            ++stable;
        }
        if (stable == n) return;
    }
}

namespace {
// The best T{c[p], c[p+1]}[k] over the cycle's edges that do not touch k: the closing edge first,
// then p = 1..n-1, the first of equal values kept. slot[p] is the edge's offset in the slice.
template <typename Cell>
void BestInsertion(const Cell* slice, const int* c, const int* slot, int n, int k, int& gain, int& bestP) {
    auto consider = [&](int p) {
        const int a = c[p], b = c[p + 1];
        if (a == k || b == k) return;
        const int v = slice[slot[p]];
        if (v > gain) {
            gain = v;
            bestP = p;
        }
    };
    consider(n);
    for (int p = 1; p < n; ++p) consider(p);
}
}  // namespace

int CCycleSolver::FindInsertionIndexed(int k) {
    const int n = m_nNodes;
    const int* c = m_aCycle;
    int bestP = 0;
    m_nInsGain = INT_MIN;
    if (RowReads()) {
        // T{a, b}[k] = W'ab - W'ak - W'bk, read from the row of k.
        const int32_t* row = LoweredWeights()[k];
        auto consider = [&](int p) {
            const int a = c[p], b = c[p + 1];
            if (a == k || b == k) return;
            const int v = static_cast<int>(static_cast<int64_t>(m_aEdgeWeight[p]) - row[a] - row[b]);
            if (v > m_nInsGain) {
                m_nInsGain = v;
                bestP = p;
            }
        };
        consider(n);
        for (int p = 1; p < n; ++p) consider(p);
    } else if (m_nKind == KIND_GRAPH)
        BestInsertion(m_pppInsertSmall.Slice(k), c, m_aEdgeSlot, n, k, m_nInsGain, bestP);
    else
        BestInsertion(m_pppInsert.Slice(k), c, m_aEdgeSlot, n, k, m_nInsGain, bestP);
    if (bestP != 0) {
        m_nInsI = std::min(c[bestP], c[bestP + 1]);
        m_nInsJ = std::max(c[bestP], c[bestP + 1]);
    }
    return m_nInsGain;
}

bool CCycleSolver::PositionRows(const int* cycle) {
    const int n = m_nNodes;
    if (m_bPositionRows == 0 || m_bLoweredNarrow == 0 || !RowReads() || !m_ppPosRows[0]) return false;
    int* c = m_aPosCycle;
    const auto& lowered = LoweredWeights();
    auto readEdges = [&] {
        for (int r = 0; r <= n; ++r) m_aPosEdge[r] = lowered[c[r]][c[r + 1]];
        m_nPosVersion = m_nLoweredVersion;
    };
    // The rows follow every lowering (PatchPosRows); only a new cycle or new tables make new rows.
    const bool previous = m_nPosVersion != 0;
    if (previous && KeepInsertions())
        FollowLowerings();
    else
        ForgetInsertions();
    if (previous && std::equal(cycle + 1, cycle + n + 1, c + 1)) {
        if (m_nPosVersion != m_nLoweredVersion) readEdges();
        return true;
    }
    bool pieces = previous;
    if (++m_nPosStamp == 0) {  // after 2^32 cycles: no row may pass for made
        std::fill(m_aPosRowStamp, m_aPosRowStamp + CYCLE_CAPACITY, 0u);
        m_nPosStamp = 2;
        pieces = false;
    }
    std::copy(cycle + 1, cycle + n + 1, c + 1);
    c[0] = c[n];
    c[n + 1] = c[1];
    const int* from = m_aPosOf[(m_nPosStamp - 1) & 1];
    int* at = m_aPosOf[m_nPosStamp & 1];
    for (int p = 1; p <= n; ++p) at[c[p]] = p;
    // Column r of a new row is column from[c[r]] of the node's previous row: cut the columns into
    // runs that step through the previous ones by +1 or -1.
    m_nPieces = 0;
    if (pieces) {
        int count = 0;
        for (int r = 0; r <= n + 1;) {
            if (count == MAX_PIECES) {
                count = 0;
                break;
            }
            const int s0 = from[c[r]];
            const int step = r <= n && from[c[r + 1]] == s0 - 1 ? -1 : 1;
            int len = 1;
            while (r + len <= n + 1 && from[c[r + len]] == s0 + step * len) ++len;
            m_aPieceAt[count] = r;
            m_aPieceFrom[count] = s0;
            m_aPieceStep[count] = step;
            ++count;
            r += len;
        }
        m_aPieceAt[count] = n + 2;
        m_nPieces = count;
    }
    if (m_nPieces != 0 && KeepInsertions())
        FollowCycleChange();
    else
        ForgetInsertions();
    readEdges();
    return true;
}

void CCycleSolver::MakePosRow(int k, int32_t* row) {
    const uint32_t stamp = m_nPosStamp;
    if (m_nPieces != 0 && m_aPosRowStamp[k] == stamp - 1) {
        const int32_t* old = m_ppPosRows[(stamp - 1) & 1][static_cast<std::size_t>(k)];
        for (int i = 0; i < m_nPieces; ++i) {
            const int at = m_aPieceAt[i], len = m_aPieceAt[i + 1] - at;
            const int32_t* src = old + m_aPieceFrom[i];
            if (m_aPieceStep[i] > 0)
                std::copy(src, src + len, row + at);
            else
                ReverseCopy(row + at, src, len);
        }
    } else {
        const int32_t* from = LoweredWeights()[k];
        const int* c = m_aPosCycle;
        for (int r = 0; r <= m_nNodes + 1; ++r) row[r] = from[c[r]];
    }
    m_aPosRowStamp[k] = stamp;
}

void CCycleSolver::PatchPosRows(int i, int j, int32_t now) {
    if (m_nPosVersion == 0 || !m_ppPosRows[0]) return;
    const int n = m_nNodes;
    for (int side = 0; side < 2; ++side) {
        const int k = side == 0 ? i : j, other = side == 0 ? j : i;
        const uint32_t s = m_aPosRowStamp[k];
        if (s == 0 || (s != m_nPosStamp && s != m_nPosStamp - 1)) continue;
        int32_t* row = m_ppPosRows[s & 1][static_cast<std::size_t>(k)];
        const int p = m_aPosOf[s & 1][other];
        row[p] = now;
        if (p == n) row[0] = now;
        if (p == 1) row[n + 1] = now;
    }
}

void CCycleSolver::ForgetInsertions() {
    if (++m_nInsEpoch == 0) {
        std::fill(m_aInsStamp, m_aInsStamp + CYCLE_CAPACITY, 0u);
        m_nInsEpoch = 1;
    }
    m_nLogged = 0;
}

namespace {
// The kept answer of one node: its value and the edges that have it.
struct CKept {
    uint32_t& stamp;
    int32_t& value;
    int& tied;
    int* lo;
    int* hi;
    // Another edge of value v.
    void Offer(int32_t v, int a, int b) {
        if (v < value) return;
        if (v > value) value = v, tied = 0;
        if (tied == CCycleSolver::MAX_TIED) {
            stamp = 0;
            return;
        }
        lo[tied] = std::min(a, b), hi[tied] = std::max(a, b);
        ++tied;
    }
    // Drops the edges gone(lo, hi) names; with none left, the answer.
    template <typename Gone>
    void Drop(Gone gone) {
        int kept = 0;
        for (int t = 0; t < tied; ++t)
            if (!gone(lo[t], hi[t])) lo[kept] = lo[t], hi[kept] = hi[t], ++kept;
        tied = kept;
        if (tied == 0) stamp = 0;
    }
};
}  // namespace

void CCycleSolver::FollowLowerings() {
    const int n = m_nNodes;
    if (m_nLogged > MAX_LOGGED) {
        ForgetInsertions();
        return;
    }
    const int* at = m_aPosOf[m_nPosStamp & 1];
    const auto& w = LoweredWeights();
    const uint32_t epoch = m_nInsEpoch;
    for (int l = 0; l < m_nLogged; ++l) {
        const int i = m_aLoggedI[l], j = m_aLoggedJ[l];
        // The answers of i and j read the lowered edge beside every edge; those of the other
        // nodes only when it is an edge of the cycle, with its new value.
        m_aInsStamp[i] = m_aInsStamp[j] = 0;
        const int d = std::abs(at[i] - at[j]);
        if (d != 1 && d != n - 1) continue;
        const int lo = std::min(i, j), hi = std::max(i, j);
        const int32_t* wi = w[i];
        const int32_t* wj = w[j];
        const int64_t wij = wi[j];
        for (int k = 1; k <= n; ++k) {
            if (m_aInsStamp[k] != epoch) continue;
            CKept kept{m_aInsStamp[k], m_aInsValue[k], m_aInsTied[k], m_aInsLo[k], m_aInsHi[k]};
            kept.Drop([&](int a, int b) { return a == lo && b == hi; });
            if (kept.stamp == epoch) kept.Offer(static_cast<int32_t>(wij - wi[k] - wj[k]), i, j);
        }
    }
    m_nLogged = 0;
}

void CCycleSolver::FollowCycleChange() {
    const int n = m_nNodes;
    const int* c = m_aPosCycle;
    const int* at = m_aPosOf[m_nPosStamp & 1];
    const int* from = m_aPosOf[(m_nPosStamp - 1) & 1];
    auto joined = [n](const int* pos, int a, int b) {
        const int d = std::abs(pos[a] - pos[b]);
        return d == 1 || d == n - 1;
    };
    // Inside a piece neighbours were neighbours before, so an edge of the new cycle can be new
    // only where a piece ends: {c[r], c[r + 1]} with r + 1 the start of the next piece.
    int addA[MAX_CHANGED_EDGES], addB[MAX_CHANGED_EDGES];
    int added = 0;
    for (int i = 1; i < m_nPieces; ++i) {
        const int r = m_aPieceAt[i] - 1;
        if (r < 1 || r > n || joined(from, c[r], c[r + 1])) continue;
        if (added == MAX_CHANGED_EDGES) {
            ForgetInsertions();
            return;
        }
        addA[added] = c[r], addB[added] = c[r + 1];
        ++added;
    }
    const uint32_t epoch = m_nInsEpoch;
    // A node at the end of a changed edge has other neighbours, so other edges to choose from.
    // Every node keeps two neighbours, so the ends of the edges the cycle lost are the ends of
    // those it gained.
    for (int e = 0; e < added; ++e) m_aInsStamp[addA[e]] = m_aInsStamp[addB[e]] = 0;
    if (added == 0) return;
    const auto& w = LoweredWeights();
    for (int k = 1; k <= n; ++k) {
        if (m_aInsStamp[k] != epoch) continue;
        CKept kept{m_aInsStamp[k], m_aInsValue[k], m_aInsTied[k], m_aInsLo[k], m_aInsHi[k]};
        kept.Drop([&](int a, int b) { return !joined(at, a, b); });
        const int32_t* wk = w[k];
        for (int e = 0; e < added && kept.stamp == epoch; ++e) {
            const int a = addA[e], b = addB[e];
            kept.Offer(static_cast<int32_t>(int64_t{w[a][b]} - wk[a] - wk[b]), a, b);
        }
    }
}

int CCycleSolver::FindInsertionRows(int kp) {
    const int n = m_nNodes;
    const int* c = m_aPosCycle;
    const int32_t* e = m_aPosEdge;
    const int k = c[kp];
    const bool keep = KeepInsertions();
    if (keep && m_aInsStamp[k] == m_nInsEpoch) {
        // The first of the tied edges in scan order: the closing edge n, then 1..n-1.
        const int* at = m_aPosOf[m_nPosStamp & 1];
        int first = 0, firstKey = INT_MAX;
        for (int t = 0; t < m_aInsTied[k]; ++t) {
            const int pa = at[m_aInsLo[k][t]], pb = at[m_aInsHi[k][t]];
            const int key = std::abs(pa - pb) == 1 ? std::min(pa, pb) : 0;
            if (key < firstKey) firstKey = key, first = t;
        }
        m_nInsI = m_aInsLo[k][first];
        m_nInsJ = m_aInsHi[k][first];
        return m_nInsGain = m_aInsValue[k];
    }
    const int32_t* row = PosRow(kp);
    // The edges at positions kp - 1 and kp touch k; the closing edge n is read first.
    const int before = kp == 1 ? n : kp - 1;
    auto value = [&](int p) { return static_cast<int>(static_cast<int64_t>(e[p]) - row[p] - row[p + 1]); };
    int bestP = 0;
    m_nInsGain = INT_MIN;
    const bool closing = n != kp && n != before;
    if (closing) {
        m_nInsGain = value(n);
        bestP = n;
    }
    // Then 1..n-1 in order.
    int32_t v = 0, next = 0;
    const int p = FirstMax(e, row, row + 1, 1, n, kp, before, &v, &next);
    if (p >= 0 && v > m_nInsGain) {
        m_nInsGain = v;
        bestP = p;
    }
    if (bestP != 0) {
        m_nInsI = std::min(c[bestP], c[bestP + 1]);
        m_nInsJ = std::max(c[bestP], c[bestP + 1]);
        if (keep) {
            // Every edge of the best value, for the answers of the cycles to come.
            const int32_t best = m_nInsGain;
            CKept kept{m_aInsStamp[k], m_aInsValue[k], m_aInsTied[k], m_aInsLo[k], m_aInsHi[k]};
            kept.stamp = m_nInsEpoch, kept.value = best, kept.tied = 0;
            auto add = [&](int q) { kept.Offer(best, c[q], c[q + 1]); };
            if (closing && value(n) == best) add(n);
            if (p >= 0 && v == best) {
                add(p);
                for (int from = p + 1; next == best && kept.stamp == m_nInsEpoch;) {
                    const int q = FirstAbove(e, row, row + 1, 0, from, n, best - 1);
                    if (q < 0) break;
                    from = q + 1;
                    if (q != kp && q != before) add(q);
                }
            }
        }
    }
    return m_nInsGain;
}

int CCycleSolver::FindInsertionInCycle(int k) {
    m_aCycle[m_nNodes + 1] = m_aCycle[1];
    IndexCycleEdges(m_aCycle);
    return FindInsertionIndexed(k);
}

int CCycleSolver::RemovalDeltaIndexed(int k) {
    const int n = m_nNodes;
    const int p = m_aPos[k];
    const int a = p == 1 ? m_aCycle[n] : m_aCycle[p - 1];
    const int b = p == n ? m_aCycle[1] : m_aCycle[p + 1];
    m_nGapLo = std::min(a, b);
    m_nGapHi = std::max(a, b);
    if (!RowReads()) return Insertion(a, b, k);
    const auto& lowered = LoweredWeights();
    return static_cast<int>(static_cast<int64_t>(lowered[a][b]) - lowered[a][k] - lowered[b][k]);
}

int CCycleSolver::RemovalDelta(int k) {
    const int n = m_nNodes;
    const int* c = m_aCycle;
    int p = 1;
    while (p <= n && c[p] != k) ++p;
    if (p > n) return 0;
    const int a = p == 1 ? c[n] : c[p - 1];
    const int b = p == n ? c[1] : c[p + 1];
    m_nGapLo = std::min(a, b);
    m_nGapHi = std::max(a, b);
    return Insertion(a, b, k);
}
