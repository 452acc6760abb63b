// Small helpers of the move generators: the five-node sets that identify moves, and the search for
// the best single-node relocation that the network and graph generators share.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>

#include "solver/CycleSolver.h"

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
    for (int k = 1; k <= n; ++k) {
        if (!consider(k)) continue;
        const int64_t ins = FindInsertionIndexed(k);
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
