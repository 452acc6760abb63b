// The periodic regimes of the stabilising stage: the record of each pass's lowerings, the
// detection of a repeating block and the bound on its repetitions (the proof is in StageRegime.h).
#include "solver/StageRegime.h"

#include <climits>

namespace {
inline int32_t Wrap(int64_t v) {
    return static_cast<int32_t>(static_cast<uint32_t>(v));
}
}  // namespace

bool CStageRegime::SamePasses(int64_t a, int64_t b) const {
    const CPass& pa = m_aRing[static_cast<std::size_t>(a % RING)];
    const CPass& pb = m_aRing[static_cast<std::size_t>(b % RING)];
    if (pa.count < 0 || pa.count != pb.count) return false;
    for (int s = 0; s < pa.count; ++s) {
        const CLowering& la = pa.low[s];
        const CLowering& lb = pb.low[s];
        if (la.x != lb.x || la.i != lb.i || la.j != lb.j || la.amount != lb.amount) return false;
    }
    return true;
}

void CStageRegime::Record(int x, int i, int j, int32_t amount, int32_t now, int32_t booked) {
    CPass& pass = Pass(m_nPasses);
    if (pass.count == MAX_PASS_LOWERINGS)
        pass.count = -1;
    else if (pass.count >= 0)
        pass.low[pass.count++] = {0, x, i, j, amount};
    if (!m_bWatching) return;
    // Watch has matched this step with lowering m_nCursor. The edge's weight and its booked
    // amount after it fall by Delta per block and must stay inside 32 bits.
    const int s = m_nCursor++;
    m_aNow[s] = now;
    const int64_t total = EdgeTotal(i, j);
    for (const int64_t v : {int64_t{now}, int64_t{booked}}) {
        Bound(v - INT_MIN, -total);
        Bound(INT_MAX - v, total);
    }
}

int64_t CStageRegime::EdgeTotal(int a, int b) const {
    int lo = 0, hi = m_nEdges;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        const CEdgeTotal& e = m_aEdges[mid];
        if (e.i < a || (e.i == a && e.j < b))
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo < m_nEdges && m_aEdges[lo].i == a && m_aEdges[lo].j == b ? m_aEdges[lo].total : 0;
}

template <typename F>
void CStageRegime::ForPairs(int x, const int32_t* slice, std::size_t dim, F f) const {
    const int n = m_nNodes;
    int e = 0;  // the block's edges come in the same (i, j) order as the pairs
    for (int i = 1; i <= n; ++i) {
        if (i == x) continue;
        const int32_t* row = slice + static_cast<std::size_t>(i) * dim;
        for (int j = i + 1; j <= n; ++j) {
            if (j == x) continue;
            while (e < m_nEdges && (m_aEdges[e].i < i || (m_aEdges[e].i == i && m_aEdges[e].j < j))) ++e;
            const int64_t own = e < m_nEdges && m_aEdges[e].i == i && m_aEdges[e].j == j ? m_aEdges[e].total : 0;
            f(i, j, int64_t{row[j]}, m_aDx[i] + m_aDx[j] - own);
        }
    }
}

void CStageRegime::Watch(int x, const int32_t* slice, std::size_t dim, int64_t best, int64_t second, int bi,
                         int bj) {
    // The stage takes a second value of INT_MIN for "none" (d = 0), which no comparison here
    // describes: such a step ends the watch.
    if (second == INT_MIN) {
        m_bWatching = false;
        return;
    }
    const int64_t d = best - second;
    const bool expected = m_nCursor < m_nBlockLowerings && m_aBlock[m_nCursor].pass == m_nWatchPass &&
                          m_aBlock[m_nCursor].x == x;
    if ((d > 0) != expected) {
        m_bWatching = false;
        return;
    }
    if (d > 0) {
        const CLowering& l = m_aBlock[m_nCursor];
        if (l.i != bi || l.j != bj || l.amount != Wrap(d)) {
            m_bWatching = false;
            return;
        }
    }
    // A block that changes nothing repeats whatever its comparisons say; no bound is needed.
    if (m_bStill || m_nBound == 0) return;
    for (int e = 0; e < m_nEdges; ++e) {
        const CEdgeTotal& t = m_aEdges[e];
        if (t.i == x) m_aDx[t.j] = t.total;
        if (t.j == x) m_aDx[t.i] = t.total;
    }
    // The line every other pair must stay at or below: for a lowering, the second value with the
    // slope of the lowered pair (some pair of the second value must have it, or d would change);
    // for a step without one, the largest value with the steepest slope among the pairs that hold
    // it (at least two must hold that line, or d would leave 0).
    int64_t slope = 0;
    bool found = false;
    if (d > 0) {
        slope = m_aDx[bi] + m_aDx[bj] - EdgeTotal(bi, bj);
    } else {
        int holders = 0;
        ForPairs(x, slice, dim, [&](int, int, int64_t v, int64_t s) {
            if (v != best) return;
            if (holders == 0 || s > slope)
                slope = s, holders = 1;
            else if (s == slope)
                ++holders;
        });
        found = holders >= 2;
    }
    const int64_t line = d > 0 ? second : best;
    ForPairs(x, slice, dim, [&](int i, int j, int64_t v, int64_t s) {
        Bound(INT_MAX - v, -s);
        Bound(v - INT_MIN, s);
        if (d > 0 && i == bi && j == bj) return;
        if (d > 0 && v == second && s == slope) found = true;
        Bound(line - v, slope - s);
    });
    if (!found) m_nBound = 0;
    for (int e = 0; e < m_nEdges; ++e) m_aDx[m_aEdges[e].i] = m_aDx[m_aEdges[e].j] = 0;
}

void CStageRegime::StartWatching(int period) {
    m_bWatching = true;
    m_nWatchPeriod = period;
    m_nWatchPass = 0;
    m_nCursor = 0;
    m_nBound = MAX_REPEATS;
    m_nBlockLowerings = 0;
    for (int q = 0; q < period; ++q) {
        const CPass& pass = Pass(m_nPasses - period + q);
        for (int s = 0; s < pass.count; ++s) {
            m_aBlock[m_nBlockLowerings] = pass.low[s];
            m_aBlock[m_nBlockLowerings].pass = q;
            ++m_nBlockLowerings;
        }
    }
    // The distinct edges, sorted, with their totals.
    m_nEdges = 0;
    for (int s = 0; s < m_nBlockLowerings; ++s) {
        const CLowering& l = m_aBlock[s];
        int e = 0;
        while (e < m_nEdges && (m_aEdges[e].i < l.i || (m_aEdges[e].i == l.i && m_aEdges[e].j < l.j))) ++e;
        if (e < m_nEdges && m_aEdges[e].i == l.i && m_aEdges[e].j == l.j) {
            m_aEdges[e].total += l.amount;
            continue;
        }
        for (int k = m_nEdges; k > e; --k) m_aEdges[k] = m_aEdges[k - 1];
        m_aEdges[e] = {l.i, l.j, l.amount};
        ++m_nEdges;
    }
    m_bStill = true;
    for (int e = 0; e < m_nEdges; ++e)
        if (Wrap(m_aEdges[e].total) != 0) m_bStill = false;
}

int64_t CStageRegime::EndPass() {
    ++m_nPasses;
    Pass(m_nPasses).count = 0;
    if (m_bWatching) {
        if (++m_nWatchPass < m_nWatchPeriod) return 0;
        m_bWatching = false;
        if (m_nCursor != m_nBlockLowerings) return 0;
        return m_bStill ? ENDLESS : m_nBound;
    }
    // The last p passes repeat the p before them, and lower something: the shortest such block
    // is watched, unless a longer one leaves every weight as it found it (a block whose totals
    // are 2^31 does so in two).
    int shortest = 0;
    for (int p = 1; p <= MAX_PERIOD && 2 * p <= m_nPasses; ++p) {
        bool same = true, lowers = false;
        for (int q = 1; q <= p && same; ++q) {
            same = SamePasses(m_nPasses - q, m_nPasses - q - p);
            lowers = lowers || Pass(m_nPasses - q).count > 0;
        }
        if (!same || !lowers) continue;
        StartWatching(p);
        if (m_bStill) return 0;
        if (shortest == 0) shortest = p;
    }
    if (shortest != 0) StartWatching(shortest);
    return 0;
}
