// The segment stage of full tests: a three-edge exchange that cuts the cycle next to two of its
// nodes x and y and moves the segment x..y between a node z and its neighbour e, chosen by the same
// pair gains the adjustment stage reads from T. It costs on the order of n^3 table reads per call.
#include <algorithm>
#include <cstring>

#include "solver/CycleSolver.h"
#include "solver/MoveSet.h"

int CCycleSolver::SegmentStage() {
    const int n = m_nNodes;
    int* c = m_aCycle;
    m_nMoveKind = 4;
    std::memset(m_ppGain.Data(), 0, m_ppGain.Size() * sizeof(int32_t));
    int last[5];
    std::copy(m_aMove, m_aMove + 5, last);
    const bool normal = m_aMove[0] > 0;
    c[n + 1] = c[1];
    IndexPositions(c);

    int64_t g = INT_MIN;
    int bx = 0, by = 0, bz = 0, be = 0;
    for (int p = 1; p <= n; ++p) {
        const int x = c[p], nx = c[p + 1], px = p == 1 ? c[n] : c[p - 1];
        if (PollProgress(0) != 0) {
            m_bStopRequest = 1;
            return 0;
        }
        for (int q = p + 1; q <= n; ++q) {
            const int y = c[q];
            if (y == nx || y == px) continue;
            if (normal && !InFive(last, y)) continue;
            const CInsSlice t = InsSlice(y);
            int64_t b = INT_MIN;
            CSegmentProbe pr;
            for (int r = 1; r <= n; ++r) {
                if (!ProbeSegmentEdge(c, n, p, q, r, x, y, t, pr)) continue;
                const int v = pr.v, w = pr.w, z = pr.z;
                const int64_t t0 = pr.t0, t1 = pr.t1, t2 = pr.t2;
                const int64_t val = std::max(t1 - t0, t2 - t0);
                if (val <= b) continue;
                const int e = t1 - t0 >= t2 - t0 ? v : w;
                if (IsIndexedCycleEdge(y, e) || IsIndexedCycleEdge(x, z) || IsIndexedCycleEdge(z, y) ||
                    IsIndexedCycleEdge(x, e))
                    continue;
                b = val;
                if (y != z && e != x && e != z && val > g) {
                    g = val;
                    bx = x, by = y, bz = z, be = e;
                }
            }
        }
    }
    if (bx == 0 || by == 0 || bz == 0 || be == 0) return 0;

    RotateCycleTo(bz);
    int pX = 0, pY = 0, pE = 0;
    for (int k = 1; k <= n; ++k) {
        if (c[k] == bx) pX = k;
        if (c[k] == by) pY = k;
        if (c[k] == be) pE = k;
    }
    // The new cycle: z, the segment x..y, then the rest of the cycle closed through e. A copy stops
    // at either end of the rotated cycle; what would pass position n + 1 of the new cycle is dropped
    // (the closing position may only repeat z).
    int* built = m_aSpare;
    int len = 1;
    built[1] = bz;
    auto push = [&](int node) {
        if (len <= n) built[++len] = node;
    };
    for (int k = pX; k <= n; ++k) {
        push(c[k]);
        if (c[k] == by) break;
    }
    if (c[2] == be) {
        for (int k = pE; k <= n && c[k] != bx; ++k) push(c[k]);
        for (int k = pY + 1; k <= n; ++k) push(c[k]);
    } else {
        for (int k = pE; k >= 1 && c[k] != by; --k) push(c[k]);
        for (int k = pX - 1; k >= 1; --k) {
            push(c[k]);
            if (c[k] == bz) break;
        }
    }
    m_aMove[0] = c[pX - 1];
    m_aMove[1] = m_aMove[2] = m_aMove[3] = m_aMove[4] = c[pY + 1];
    std::copy(built + 1, built + n + 1, c + 1);
    NormalizeCycle();
    AcceptCycle(CycleCostAdjusted(0, nullptr));
    return 1;
}
