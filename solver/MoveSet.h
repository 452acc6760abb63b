// Small helpers of the move generators: the five-node sets that identify moves, and the search for
// the best single-node relocation that the network and graph generators share.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>

#include "solver/CycleSolver.h"
#include "solver/ScanKernels.h"

// 1 when node is one of the five nodes of set.
inline bool InFive(const int* set, int node) {
    return node == set[0] || node == set[1] || node == set[2] || node == set[3] || node == set[4];
}

// 1 when every node of the candidate lies in set (the candidate would repeat the last move).
inline bool AllInFive(const int* candidate, const int* set) {
    for (int w = 0; w < 5; ++w)
        if (!InFive(set, candidate[w])) return false;
    return true;
}

// What the cycle edge {u, v} at position r offers a segment move of the nodes x (position p) and
// y (position q > p): z, the end of the edge that x would join (v inside the segment p..r..q, else u),
// w, the node beyond z, and the table values t0 = T{x,z}[y], t1 = T{u,v}[y], t2 = T{z,w}[y] (t1 when
// w is x or y). False when the edge touches x or y, which offers nothing.
struct CSegmentProbe {
    int u, v, z, w;
    int64_t t0, t1, t2;
};

template <typename Slice>
inline bool ProbeSegmentEdge(const int* c, int n, int p, int q, int r, int x, int y, const Slice& t,
                             CSegmentProbe& out) {
    const int u = c[r], v = c[r + 1];
    if (u == x || u == y || v == x || v == y) return false;
    int w = r == 1 ? c[n] : c[r - 1];
    int z = u;
    if (p <= r && r <= q) {
        z = v;
        w = r == n - 1 ? c[1] : r == n ? c[2] : c[r + 2];
    }
    out.u = u, out.v = v, out.z = z, out.w = w;
    out.t0 = t(x, z);
    out.t1 = t(u, v);
    out.t2 = (w != x && w != y) ? t(z, w) : out.t1;
    return true;
}

// For every node k that passes consider(k): its best insertion edge {i, j} (the insertion query) and
// the pair {a, b} joined when it leaves (the removal query); the move of largest gain wins (the first
// on ties) among those admit(k, i, j, a, b) accepts that neither repeat the last move nor stand in
// the move memory. The cycle's positions and edges must be indexed.
template <typename Consider, typename Admit>
int CCycleSolver::MakeBestRelocation(const int* last, Consider consider, Admit admit) {
    const int n = m_nNodes;
    int64_t bestGain = INT_MIN;
    int move[5] = {};
    bool found = false;
    const bool rows = PositionRows(m_aCycle);
    for (int k = 1; k <= n; ++k) {
        if (!consider(k)) continue;
        const int64_t ins = rows ? FindInsertionRows(m_aPos[k]) : FindInsertionIndexed(k);
        const int i = m_nInsI, j = m_nInsJ;
        const int64_t rem = RemovalDeltaIndexed(k);
        const int a = m_nGapLo, b = m_nGapHi;
        const int64_t gain = ins - rem;
        if (gain <= bestGain || !admit(k, i, j, a, b)) continue;
        const int candidate[5] = {i, k, j, a, b};
        if (AllInFive(candidate, last) || MemoryContains(candidate)) continue;
        bestGain = gain;
        std::copy(candidate, candidate + 5, move);
        found = true;
    }
    if (!found) return 0;
    MoveNode(move[1], move[0], move[2]);
    std::copy(move, move + 5, m_aMove);
    return 1;
}

// Every exchange of both scans whose value passes threshold() (asked anew before each kernel call),
// in the scan order of the plain loops, handed to visit(scan, x, a, u, v, value).
template <typename Near, typename Threshold, typename Visit>
void CCycleSolver::ForReversalsAbove(Near near, Threshold threshold, Visit visit) {
    const int n = m_nNodes;
    const int* c = m_aPosCycle;  // c[0] = c[n], c[n + 1] = c[1]
    const int32_t* e = m_aPosEdge;
    // The cycle as it stands: x at position p, a before it, the edge {u, v} at q = 1..n; the value
    // W'uv - W'xv - W'au + W'ax.
    for (int p = 1; p <= n; ++p) {
        const int pa = p == 1 ? n : p - 1;
        const int x = c[p], a = c[pa];
        if (!near(x, a)) continue;
        const int32_t* rx = PosRow(p);
        const int32_t* ra = PosRow(pa);
        for (int from = 1;;) {
            const int q = FirstAbove(e, rx + 1, ra, e[pa], from, n + 1, threshold());
            if (q < 0) break;
            from = q + 1;
            const int u = c[q], v = c[q + 1];
            if (u == x || u == a || v == a) continue;
            visit(0, x, a, u, v, int64_t{e[q]} - rx[q + 1] - ra[q] + e[pa]);
        }
    }
    // The cycle read backwards: x at position P (n down to 1), a after it, the edge {u, v} =
    // {c[Q], c[Q - 1]} for Q = n down to 1, read at i = Q - 1.
    for (int P = n; P >= 1; --P) {
        const int pa = P == n ? 1 : P + 1;
        const int x = c[P], a = c[pa];
        if (!near(x, a)) continue;
        const int32_t* rx = PosRow(P);
        const int32_t* ra = PosRow(pa) + 1;
        for (int to = n;;) {
            const int i = LastAbove(e, rx, ra, e[P], 0, to, threshold());
            if (i < 0) break;
            to = i;
            const int u = c[i + 1], v = c[i];
            if (u == x || u == a || v == a) continue;
            visit(1, x, a, u, v, int64_t{e[i]} - rx[i] - ra[i] + e[P]);
        }
    }
}

// The plain loops take an exchange when its value beats the best taken so far and admit() passes
// it; the same rule here, with the kernels passing over every exchange that cannot beat that best.
template <typename Near, typename Admit>
bool CCycleSolver::ScanReversalRows(Near near, Admit admit, CReversal& out) {
    int64_t best = INT_MIN;
    bool found = false;
    ForReversalsAbove(
        near, [&] { return static_cast<int32_t>(best); },
        [&](int scan, int x, int a, int u, int v, int64_t value) {
            const CReversal r{scan, x, a, u, v, value};
            if (!admit(r)) return;
            best = value;
            out = r;
            found = true;
        });
    return found;
}
