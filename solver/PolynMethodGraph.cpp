// The polynomial method for graphs: some non-adjacent pairs are raised from 1 to 3 for the length
// of the run, then a walk with two generators (node relocation and segment reversal, read from the
// 8-bit insertion table) seeks a cycle of cost 0, a Hamiltonian cycle of the graph.
#include <algorithm>
#include <cassert>
#include <cstring>

#include "solver/CycleSolver.h"
#include "solver/Invariants.h"
#include "solver/MoveSet.h"

namespace {
// The raising steps compare only adjacency (0 = edge), so they visit the graph's edges from a list
// instead of all pairs of pairs: their cost grows with the square of the edge count. The list lives
// in the work matrix M, which the graph method does not use (2 ints per edge, at most n(n-1)).
int ListEdges(const CSquareMatrix<int32_t>& w, int n, int32_t* list) {
    int edges = 0;
    for (int i = 1; i <= n; ++i) {
        for (int j = i + 1; j <= n; ++j) {
            if (w[i][j] != 0) continue;
            list[2 * edges] = i;
            list[2 * edges + 1] = j;
            ++edges;
        }
    }
    return edges;
}
}  // namespace

void CCycleSolver::RaiseDistantPairs() {
    const int n = m_nNodes;
    auto& w = m_ppWeight;
    auto adjacent = [&](int a, int b) { return (a < b ? w[a][b] : w[b][a]) == 0; };
    auto at = [&](int a, int b) -> int32_t& { return a < b ? w[a][b] : w[b][a]; };
    int32_t* list = m_ppWork.Data();
    const int edges = ListEdges(w, n, list);
    // Both steps need the other edge {k, l} (i < k < l) to have both ends away from i, so for each
    // node i the edges beyond it are first cut down to those (their indices, in P, which the set-up
    // clears next); a dense graph leaves few or none, and the pairs of pairs are never all visited.
    // Edges are listed by their smaller node: those of i from `first`, those beyond i from `from`.
    int32_t* far = m_ppAdjust.Data();
    auto forEdgePairs = [&](auto&& visit) {
        int first = 0;
        for (int i = 1; i <= n; ++i) {
            if (n >= POLL_EACH_NODE_FROM && PollProgress(0)) {
                m_bStopRequest = 1;
                return;
            }
            int from = first;
            while (from < edges && list[2 * from] <= i) ++from;
            int count = 0;
            for (int f = from; f < edges; ++f)
                if (!adjacent(i, list[2 * f]) && !adjacent(i, list[2 * f + 1])) far[count++] = f;
            for (int e = first; count > 0 && e < from; ++e)
                for (int c = 0; c < count; ++c) visit(i, list[2 * e + 1], list[2 * far[c]], list[2 * far[c] + 1]);
            first = from;
        }
    };
    // Two edges with no edge between their ends: the four cross pairs are raised.
    forEdgePairs([&](int i, int j, int k, int l) {
        if (!adjacent(j, k) && !adjacent(j, l)) at(i, k) = at(i, l) = at(j, k) = at(j, l) = 3;
    });
    // Where j touches the other edge after all, a raised cross pair goes back to 1.
    if (m_bStopRequest == 0) {
        forEdgePairs([&](int i, int j, int k, int l) {
            if (adjacent(j, k) || adjacent(j, l)) {
                for (int32_t* cell : {&at(i, k), &at(i, l), &at(j, k), &at(j, l)})
                    if (*cell == 3) *cell = 1;
            }
        });
    }
}

int CCycleSolver::PolynMethodGraph() {
    // Without its table the method cannot run; m_strMemoryRefusal says why.
    if (!EnsureInsertTable()) return m_bAborted = 1;
    const int n = m_nNodes;
    auto& w = m_ppWeight;
    CheckSolverInvariants(*this, "polynomial method for graphs", false, INV_ENTRY);
    m_bStopRequest = 0;
    m_bAborted = 0;
    m_bBusy = 1;
    m_nRunMode = 1;
    m_bQuiet = 0;
    m_bKeepTies = 0;
    std::memcpy(m_ppGain.Data(), w.Data(), w.Size() * sizeof(int32_t));

    RaiseDistantPairs();
    // An Escape while the pairs were raised ends the run before the tables are built.
    if (m_bStopRequest == 0)
        PrepareTables();
    else
        std::memset(m_ppAdjust.Data(), 0, m_ppAdjust.Size() * sizeof(int32_t));  // the raising's scratch
    if (m_bStopRequest != 0) std::copy(m_aCycle + 1, m_aCycle + n + 1, m_aBest + 1);
    const int budget = n * n / 2;
    // An Escape seen by the stabilising stage ends the run without a search.
    if (m_bStopRequest == 0) GraphSearch(budget, 1);
    if (m_bStopRequest != 0) m_bAborted = 1;
    // A second search only when the first neither found a Hamiltonian cycle nor was stopped.
    if (m_nBestCost != 0 && m_bStopRequest == 0) {
        std::copy(m_aBest + 1, m_aBest + n + 1, m_aCycle + 1);
        GraphSearch(budget, 1);
    }
    std::copy(m_aBest + 1, m_aBest + n + 1, m_aCycle + 1);
    std::memcpy(w.Data(), m_ppGain.Data(), w.Size() * sizeof(int32_t));
    std::memset(m_ppWork.Data(), 0, m_ppWork.Size() * sizeof(int32_t));
    m_nBestCost = m_nStartCost = CycleCost();
    ShowCycleCost();
    m_bBusy = 0;
    CheckSolverInvariants(*this, "polynomial method for graphs", true, INV_RESULT);
    return m_bAborted;
}

void CCycleSolver::GraphSearch(int budget, int reset) {
    const int n = m_nNodes;
    if (m_nBestCost == 0) return;
    int before = 0;
    do {
        std::copy(m_aBest + 1, m_aBest + n + 1, m_aCycle + 1);
        m_aCycle[n + 1] = m_aCycle[1];
        if (reset != 0) {
            std::fill(m_aMove, m_aMove + MOVE_RECORD_WORDS, 0);
            MemoryCheckAndRecord(1, m_aMove);
        }
        before = m_nBestCost;
        GraphWalk(budget);
        if (m_nBestCost == 0) return;
        if (m_bStopRequest != 0) {
            m_bAborted = 1;
            return;
        }
    } while (before > m_nBestCost);
    GraphWalk(budget);
    if (m_nBestCost != 0 && m_bStopRequest != 0) m_bAborted = 1;
}

void CCycleSolver::GraphWalk(int budget) {
    const int n = m_nNodes;
    int* walk = m_aWalk;
    auto load = [&](const int* from) {
        std::copy(from + 1, from + n + 1, m_aCycle + 1);
        m_aCycle[n + 1] = m_aCycle[1];
    };
    std::copy(m_aCycle, m_aCycle + n + 2, walk);
    if (budget == 0) return;
    // The walk's cost is kept, and a proposal's is the walk's plus what its move changes: the
    // cost is a sum over edges in wrapping 32-bit arithmetic, so the difference is exact.
    const bool followCost = n >= 5;
    int walkCost = CycleCostOf(walk);
    auto plus = [](int cost, uint32_t delta) {
        return static_cast<int>(static_cast<uint32_t>(cost) + delta);
    };
    int count = budget;
    for (;;) {
        load(walk);
        MemoryCheckAndRecord(0, m_aMove, &walkCost);
        int r0[MOVE_RECORD_WORDS], r1[MOVE_RECORD_WORDS];
        std::copy(m_aMove, m_aMove + MOVE_RECORD_WORDS, r0);

        const int g1 = GraphRelocate();
        if (PollProgress(0) != 0) break;
        if (m_nBestCost == 0) return;
        std::copy(m_aCycle, m_aCycle + n + 2, m_aProposal[0]);
        // Node k = m_aMove[1] left {a, b} = m_aMove[3..4] for {i, j} = m_aMove[0], m_aMove[2].
        const int* m = m_aMove;
        const int t1 = !followCost ? CycleCost()
                       : g1 == 0   ? walkCost
                                   : plus(walkCost, EdgeCost(m[0], m[1]) + EdgeCost(m[1], m[2]) -
                                                        EdgeCost(m[0], m[2]) + EdgeCost(m[3], m[4]) -
                                                        EdgeCost(m[3], m[1]) - EdgeCost(m[1], m[4]));
        assert(t1 == CycleCost());

        load(walk);
        std::copy(m_aMove, m_aMove + MOVE_RECORD_WORDS, r1);
        std::copy(r0, r0 + MOVE_RECORD_WORDS, m_aMove);
        const int g2 = GraphReverse();
        if (PollProgress(0) != 0) break;
        if (g1 == 0 && g2 == 0) return;
        // {a, x} and {u, v} became {a, u} and {x, v}, with (v, u, x, a) = m_aMove[0..3].
        const int t2 = !followCost ? CycleCost()
                       : g2 == 0   ? walkCost
                                   : plus(walkCost, EdgeCost(m[3], m[1]) + EdgeCost(m[2], m[0]) -
                                                        EdgeCost(m[3], m[2]) - EdgeCost(m[1], m[0]));
        assert(t2 == CycleCost());

        // The walk continues from the proposal taken, which is also the cycle it leaves current.
        if ((t2 < t1 || g1 == 0) && g2 != 0) {
            std::copy(m_aCycle, m_aCycle + n + 2, walk);
            walkCost = t2;
        } else {
            std::copy(m_aProposal[0], m_aProposal[0] + n + 2, walk);
            std::copy(r1, r1 + MOVE_RECORD_WORDS, m_aMove);
            load(walk);
            walkCost = t1;
        }
        if (--count == 0) MemoryCheckAndRecord(0, m_aMove, &walkCost);
        if (m_nBestCost == 0 || count == 0) return;
    }
    m_bStopRequest = 1;
}

int CCycleSolver::GraphRelocate() {
    const int n = m_nNodes;
    m_nMoveKind = 0;
    int last[5];
    std::copy(m_aMove, m_aMove + 5, last);
    const bool near = m_aMove[0] != 0;
    m_aCycle[n + 1] = m_aCycle[1];
    IndexPositions(m_aCycle);
    return MakeBestRelocation(last, near ? last : nullptr, [](int, int, int, int, int) { return true; });
}

int CCycleSolver::GraphReverse() {
    const int n = m_nNodes;
    m_nMoveKind = 0;
    int last[5];
    std::copy(m_aMove, m_aMove + 5, last);
    const bool near = m_aMove[0] != 0;
    m_aCycle[n + 1] = m_aCycle[1];
    std::copy(m_aCycle, m_aCycle + n + 2, m_aSpare);
    int64_t bestValue = INT_MIN;
    int move[5] = {};
    int moveScan = -1;
    const bool posRows = PositionRows(m_aCycle);
    if (posRows) {
        CReversal r{};
        const bool found = ScanReversalRows(
            near ? last : nullptr,
            [&](const CReversal& t) {
                const int candidate[5] = {t.v, t.u, t.x, t.a, t.u};
                return !AllInFive(candidate, last) && !MemoryContains(candidate);
            },
            r);
        if (found) {
            const int candidate[5] = {r.v, r.u, r.x, r.a, r.u};
            std::copy(candidate, candidate + 5, move);
            moveScan = r.scan;
        }
    }
    for (int scan = 0; scan < (posRows ? 0 : 2); ++scan) {
        int* sc = m_aScan;
        for (int k = 1; k <= n; ++k) sc[k] = scan == 0 ? m_aSpare[k] : m_aSpare[n + 1 - k];
        sc[n + 1] = sc[1];
        IndexCycleEdges(sc);
        for (int p = 1; p <= n; ++p) {
            const int x = sc[p];
            const int a = p == 1 ? sc[n] : sc[p - 1];
            if (near && !InFive(last, x) && !InFive(last, a)) continue;
            const int8_t* slice = m_pppInsertSmall.Slice(static_cast<std::size_t>(x));
            const int32_t* rowX = m_pppInsertSmall.Lowered()[x];
            const int32_t* rowA = m_pppInsertSmall.Lowered()[a];
            const bool rows = RowReads();
            const int dim = n + 1;
            for (int q = 1; q <= n; ++q) {
                const int u = sc[q], v = sc[q + 1];
                if (u == x || u == a || v == a) continue;
                // Two 8-bit entries, subtracted in full width; or the same from the lowered weights.
                const int value =
                    rows ? m_aEdgeWeight[q] - rowX[v] - rowA[u] + rowA[x]
                         : int{slice[m_aEdgeSlot[q]]} - int{slice[a < u ? a * dim + u : u * dim + a]};
                if (value <= bestValue) continue;
                const int candidate[5] = {v, u, x, a, u};
                if (AllInFive(candidate, last) || MemoryContains(candidate)) continue;
                bestValue = value;
                std::copy(candidate, candidate + 5, move);
                moveScan = scan;
            }
        }
    }
    NormalizeCycle();
    if (moveScan < 0) return 0;
    for (int k = 1; k <= n; ++k) m_aCycle[k] = moveScan == 0 ? m_aSpare[k] : m_aSpare[n + 1 - k];
    m_aCycle[n + 1] = m_aCycle[1];
    ReverseTail(move[2], move[0]);
    std::copy(move, move + 5, m_aMove);
    return 1;
}
