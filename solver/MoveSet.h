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

// Adds value to an ascending list of count distinct values, unless it is there already.
inline void AddSorted(int* list, int& count, int value) {
    int at = count;
    while (at > 0 && list[at - 1] > value) --at;
    if (at > 0 && list[at - 1] == value) return;
    std::copy_backward(list + at, list + count, list + count + 1);
    list[at] = value;
    ++count;
}

// The distinct nodes of a five-node set that lie in 1..n, in ascending order; returns their number.
inline int SortedNodes(const int* set, int n, int* out) {
    int count = 0;
    for (int w = 0; w < 5; ++w)
        if (set[w] >= 1 && set[w] <= n) AddSorted(out, count, set[w]);
    return count;
}

// For every node k (or, when only is given, every node of that five-node set, in ascending order):
// its best insertion edge {i, j} (the insertion query) and the pair {a, b} joined when it leaves
// (the removal query); the move of largest gain wins (the first on ties) among those admit(k, i, j,
// a, b) accepts that neither repeat the last move nor stand in the move memory. The cycle's
// positions must be indexed, and its edges too unless the position rows hold for it.
template <typename Admit>
int CCycleSolver::MakeBestRelocation(const int* last, const int* only, Admit admit) {
    const int n = m_nNodes;
    int64_t bestGain = INT_MIN;
    int move[5] = {};
    bool found = false;
    const bool rows = PositionRows(m_aCycle);
    if (!rows) IndexCycleEdges(m_aCycle);
    int nodes[5];
    const int count = only ? SortedNodes(only, n, nodes) : n;
    for (int t = 0; t < count; ++t) {
        const int k = only ? nodes[t] : t + 1;
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

// Every exchange of the forward scan whose value passes threshold() (asked anew before each kernel
// call), in the scan order of the plain loops, handed to visit(scan, x, a, u, v, value); the
// backward scan of the plain loops cannot take any (see the end). With a near set, only the
// positions where x or a is one of its five nodes.
template <typename Threshold, typename Visit>
void CCycleSolver::ForReversalsAbove(const int* nearSet, Threshold threshold, Visit visit) {
    const int n = m_nNodes;
    const int* c = m_aPosCycle;  // c[0] = c[n], c[n + 1] = c[1]
    const int32_t* e = m_aPosEdge;
    // The positions of the near set's nodes and the ones after them (where a = c[p - 1] is one),
    // ascending and without repeats.
    int nearPos[10];
    auto nearPositions = [&] {
        const int* at = m_aPosOf[m_nPosStamp & 1];
        int count = 0;
        for (int w = 0; w < 5; ++w) {
            const int node = nearSet[w];
            if (node < 1 || node > n) continue;
            AddSorted(nearPos, count, at[node]);
            AddSorted(nearPos, count, at[node] % n + 1);
        }
        return count;
    };
    // The cycle as it stands: x at position p, a before it, the edge {u, v} at q = 1..n; the value
    // W'uv - W'xv - W'au + W'ax.
    const int forward = nearSet ? nearPositions() : n;
    for (int t = 0; t < forward; ++t) {
        const int p = nearSet ? nearPos[t] : t + 1;
        const int pa = p == 1 ? n : p - 1;
        const int x = c[p], a = c[pa];
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
    // The cycle read backwards offers nothing more. Its exchange at x = c[P], a = c[P + 1] and the
    // edge {c[i], c[i + 1]} is the exchange of the forward scan at p = P + 1, q = i (c[0] = c[n]):
    // the same two edges out and in, so the same value (W'uv - W'xv - W'au + W'ax read either
    // way), the same five-node set for the last move and the memory, the same settled test and the
    // same near test (both ask {c[P], c[P + 1]}). Every exchange the backward scan could take was
    // therefore refused or reached in the forward scan, and it takes one only above the best so
    // far: never.
}

// The plain loops take an exchange when its value beats the best taken so far and admit() passes
// it; the same rule here, with the kernels passing over every exchange that cannot beat that best.
template <typename Admit>
bool CCycleSolver::ScanReversalRows(const int* nearSet, Admit admit, CReversal& out) {
    int64_t best = INT_MIN;
    bool found = false;
    ForReversalsAbove(
        nearSet, [&] { return static_cast<int32_t>(best); },
        [&](int scan, int x, int a, int u, int v, int64_t value) {
            const CReversal r{scan, x, a, u, v, value};
            if (!admit(r)) return;
            best = value;
            out = r;
            found = true;
        });
    return found;
}
