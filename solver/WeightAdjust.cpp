// Weight adjustments of the polynomial method: the per-sweep lowering of edges that promise a gain,
// the pay-back of adjustments that make a cycle look cheaper than it is, and the two stages that
// close each pass of a full test (the gain census and the marking of attractive edges).
#include <algorithm>
#include <cstring>

#include "solver/CycleSolver.h"
#include "solver/MoveSet.h"
#include "solver/ScanKernels.h"

namespace {
inline int32_t Wrap(int64_t v) {
    return static_cast<int32_t>(static_cast<uint32_t>(v));
}

template <typename M>
void Clear(M& m) {
    std::memset(m.Data(), 0, m.Size() * sizeof(int32_t));
}
}  // namespace

int64_t CCycleSolver::PairGain(int p, int q) const {
    const int n = m_nNodes;
    const int* c = m_aCycle;
    const int x = c[p], y = c[q];
    const CInsSlice t = InsSlice(y);
    int64_t best = INT_MIN;
    CSegmentProbe e;
    for (int r = 1; r <= n; ++r)
        if (ProbeSegmentEdge(c, n, p, q, r, x, y, t, e)) best = std::max({best, e.t1 - e.t0, e.t2 - e.t0});
    return best;
}

int64_t CCycleSolver::PairGainRows(int p, int q) {
    const int n = m_nNodes;
    const int* c = m_aCycle;
    const int x = c[p], y = c[q];
    const CInsSlice t = InsSlice(y);
    const int32_t* e = m_aPosEdge;
    const int32_t* rp = PosRow(p);
    const int32_t* rq = PosRow(q);
    // Away from x, y and the ends of the cycle every edge offers both values by the same formula:
    // outside p..q, W'uv - W'vy (or W'wu - W'wy) - W'xu + W'xy; inside, W'uv - W'uy (or W'vw - W'wy)
    // - W'xv + W'xy. The edges near x, y and the ends are probed one by one as PairGain does.
    int64_t best = INT_MIN;
    auto outside = [&](int from, int to) {
        if (to > from)
            best = std::max<int64_t>(
                best, MaxOfPairs(e + from, rq + from + 1, e + from - 1, rq + from - 1, rp + from, to - from));
    };
    outside(3, p - 2);
    outside(q + 2, n - 1);
    const int from = p + 2, to = q - 2;
    if (to > from)
        best = std::max<int64_t>(
            best, MaxOfPairs(e + from, rq + from, e + from + 1, rq + from + 2, rp + from + 1, to - from));
    if (best != INT_MIN) best += rp[q];
    CSegmentProbe pr;
    for (const int r : {1, 2, p - 2, p - 1, p, p + 1, q - 2, q - 1, q, q + 1, n - 1, n})
        if (r >= 1 && r <= n && ProbeSegmentEdge(c, n, p, q, r, x, y, t, pr))
            best = std::max({best, pr.t1 - pr.t0, pr.t2 - pr.t0});
    return best;
}

int CCycleSolver::AdjustWeights(int first) {
    const int n = m_nNodes;
    int* c = m_aCycle;
    const bool full = m_nTestLevel == 2;
    Clear(m_ppMark);
    Clear(m_ppGain);
    c[n + 1] = c[1];
    const bool rows = PositionRows(c);
    int found = 0;
    for (int p = 1; p <= n; ++p) {
        const int x = c[p], nx = c[p + 1], px = p == 1 ? c[n] : c[p - 1];
        if (PollProgress(0) != 0) {
            m_bStopRequest = 1;
            return 0;
        }
        for (int q = p + 1; q <= n; ++q) {
            const int y = c[q];
            if (y == x || y == nx || y == px) continue;
            const int64_t best = rows ? PairGainRows(p, q) : PairGain(p, q);
            if (best <= 0) continue;
            int32_t& g = m_ppGain[std::min(x, y)][std::max(x, y)];
            // A short test sums the gains a pair shows; a full test keeps the largest.
            g = full ? static_cast<int32_t>(std::max<int64_t>(g, best)) : Wrap(g + best);
            found = 1;
        }
    }
    for (int i = 1; i <= n; ++i) {
        for (int j = i + 1; j <= n; ++j) {
            // An edge adjusted already is lowered again only in the first sweep of a short test's pass.
            if (!full && first == 0 && m_ppAdjust[i][j] < 0) continue;
            const int32_t g = m_ppGain[i][j];
            if (g <= 0) continue;
            LowerEdge(i, j, g, 0);
            if (full) m_ppMark[i][j] = Wrap(static_cast<int64_t>(m_ppMark[i][j]) - g);
        }
    }
    return found;
}

void CCycleSolver::PayBack(int amount) {
    const int n = m_nNodes;
    const int* c = m_aCycle;
    const bool full = m_nTestLevel == 2;
    int64_t remaining = amount;
    for (;;) {
        int lo = 0, hi = 0;
        int lowest = 0;
        // The cycle edge with the most negative adjustment; the first of equal ones wins. A full
        // test first passes over edges whose two marks agree.
        auto scan = [&](bool filter) {
            for (int p = 1; p <= n; ++p) {
                const int a = std::min(c[p], p < n ? c[p + 1] : c[1]);
                const int b = std::max(c[p], p < n ? c[p + 1] : c[1]);
                if (filter && m_ppMark[a][b] == m_ppMark2[a][b]) continue;
                if (m_ppAdjust[a][b] < lowest) {
                    lowest = m_ppAdjust[a][b];
                    lo = a, hi = b;
                }
            }
        };
        scan(full);
        if (full && lo == 0) scan(false);
        if (lo == 0) return;
        const int d = static_cast<int>(std::max<int64_t>(lowest, remaining));
        LowerEdge(lo, hi, d, 0);
        if (full) {
            // Wrapping as the method's 32-bit sums do (a shortfall that wrapped can make d positive).
            int32_t& xm = m_ppMark[lo][hi];
            xm = xm < d ? Wrap(static_cast<int64_t>(xm) - d) : 0;
            int32_t& ym = m_ppMark2[lo][hi];
            ym = ym < d ? Wrap(static_cast<int64_t>(ym) - d) : 0;
        }
        remaining -= d;
        if (remaining == 0 || lowest == 0) return;
    }
}

void CCycleSolver::GainCensus() {
    const int n = m_nNodes;
    int* c = m_aCycle;
    Clear(m_ppGain);
    c[n + 1] = c[1];
    const bool rows = PositionRows(c);
    for (int p = 1; p <= n; ++p) {
        const int x = c[p], nx = c[p + 1], px = p == 1 ? c[n] : c[p - 1];
        if (PollProgress(0) != 0) {
            m_bStopRequest = 1;
            return;
        }
        for (int q = p + 1; q <= n; ++q) {
            const int y = c[q];
            if (y == x || y == nx || y == px) continue;
            const int64_t best = rows ? PairGainRows(p, q) : PairGain(p, q);
            const int lo = std::min(x, y), hi = std::max(x, y);
            if (best > 0 && m_ppAdjust[lo][hi] >= 0 && best > m_ppGain[lo][hi])
                m_ppGain[lo][hi] = static_cast<int32_t>(best);
        }
    }
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j)
            if (m_ppAdjust[i][j] >= 0 && m_ppGain[i][j] > 0 && m_ppMark2[i][j] == 0)
                m_ppMark2[j][i] = m_ppGain[i][j];
}

void CCycleSolver::MarkEdges() {
    const int n = m_nNodes;
    int* c = m_aCycle;
    auto& w = m_ppWeight;
    c[n + 1] = c[1];
    for (int j = 1; j <= n; ++j)
        for (int i = 1; i < j; ++i) w[j][i] = 0;
    IndexPositions(c);

    // Attractiveness of each non-cycle pair: the dearer cycle edge at each end, less the pair's weight.
    auto dearerNeighbour = [&](int p) {
        const int x = c[p];
        const int before = p == 1 ? c[n] : c[p - 1];
        return std::max(Weight(x, before), Weight(x, c[p + 1]));
    };
    for (int p = 1; p <= n; ++p) {
        for (int q = p + 1; q <= n; ++q) {
            const int x = c[p], y = c[q];
            if (IsIndexedCycleEdge(x, y)) continue;
            const int64_t l = static_cast<int64_t>(dearerNeighbour(p)) + dearerNeighbour(q) - Weight(x, y);
            w[std::max(x, y)][std::min(x, y)] = Wrap(l);
        }
    }

    // Up to five node-disjoint pairs, the most attractive first.
    const int scans = 3 + (n >= 40 ? 1 : 0) + (n >= 50 ? 1 : 0);
    int pickI[5] = {}, pickJ[5] = {};
    int picked = 0;
    for (int scan = 0; scan < scans; ++scan) {
        int64_t bestL = INT_MIN;
        int bi = 0, bj = 0;
        for (int i = 1; i <= n; ++i) {
            for (int j = i + 1; j <= n; ++j) {
                if (IsIndexedCycleEdge(i, j)) continue;
                if (m_ppAdjust[i][j] != 0 || m_ppAdjust[j][i] != 0 || m_ppMark2[j][i] != 0) continue;
                bool shares = false;
                for (int k = 0; k < picked; ++k)
                    if (i == pickI[k] || i == pickJ[k] || j == pickI[k] || j == pickJ[k]) shares = true;
                if (shares) continue;
                if (w[j][i] > bestL) {
                    bestL = w[j][i];
                    bi = i, bj = j;
                }
            }
        }
        if (bi == 0) break;
        pickI[picked] = bi, pickJ[picked] = bj;
        ++picked;
    }
    for (int k = 0; k < picked; ++k) {
        const int i = pickI[k], j = pickJ[k];
        if (m_ppMark2[j][i] != 0 || m_ppAdjust[i][j] != 0 || IsIndexedCycleEdge(i, j)) continue;
        const int d = w[i][j] / 5;
        LowerEdge(i, j, d, 0);
        m_ppMark2[i][j] = Wrap(static_cast<int64_t>(m_ppMark2[i][j]) - d);
        m_ppAdjust[j][i] = 1;
        m_ppMark[j][i] = 1;
    }
    for (int j = 1; j <= n; ++j) {
        for (int i = 1; i < j; ++i) {
            w[j][i] = 0;
            m_ppMark2[j][i] = 0;
        }
    }
}
