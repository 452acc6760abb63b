// The periodic regimes of the stabilising stage: a record of the lowerings of the last passes, the
// detection of a block of passes that repeats, and the proof of how often it goes on repeating
// unchanged, so that the stage can make those repetitions at once (CCycleSolver::Stabilise).
//
// Why the repetitions can be counted in advance. Let a block of p passes make the lowerings
// L_1..L_m (edge e_s lowered by a_s at step s), Delta_e the sum of the a_s of edge e, and suppose
// the next K blocks make the same lowerings at the same steps. Then at step s of block k the
// lowered weights are those at step s of block 0 less k * Delta, so every insertion value of the
// slice read there is T(k) = T(0) + k * sigma with sigma = Delta_ix + Delta_jx - Delta_ij: affine in
// k, as long as no value leaves 32 bits (the table wraps; inside the range it is exact). Each
// decision of a step compares two such values:
//  - a step that lowers (d = best - second > 0) lowers the single largest pair p*, by d; it stays
//    the same step while some q2 of the second value has the slope of p* (d stays constant) and
//    every other pair c keeps T_c(k) <= T_q2(k). The tie rule never matters there: p* is the only
//    maximum.
//  - a step that lowers nothing (d = 0) keeps d = 0 while two pairs of the largest value, of equal
//    slope, stay at least every other pair (which pair the scan holds is then of no account).
// A linear inequality that holds at k = 0 and at k = K holds for every k between, so it is enough
// to check the comparisons and the 32-bit ranges at k = K. The block watched after the detection
// is block 0: it is made as usual while every step checks that it repeats the record and bounds K.
// The stable counter sees the same steps in every block (each block lowers, so it never reaches n
// inside one), and the pass starts at node 1 again: the state after K more blocks is that of
// block 0 with every edge lowered K * Delta_e further.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "solver/CycleSolver.h"

class CStageRegime {
public:
    static constexpr int MAX_PERIOD = 8;           // blocks of 1..8 passes
    static constexpr int MAX_PASS_LOWERINGS = 64;  // a pass that lowers more is never part of a block
    static constexpr int64_t MAX_REPEATS = int64_t{1} << 32;
    static constexpr int64_t ENDLESS = -1;  // see EndPass

    // One lowering of a pass: the pass within its block, node visited, edge (i < j), the amount
    // LowerEdge was given.
    struct CLowering {
        int pass, x, i, j;
        int32_t amount;
    };
    // An edge of the watched block and its total lowering over the block.
    struct CEdgeTotal {
        int i, j;
        int64_t total;
    };

    explicit CStageRegime(int n) : m_nNodes(n) { std::fill(m_aDx, m_aDx + n + 1, 0); }

    bool Watching() const { return m_bWatching; }
    int Period() const { return m_nWatchPeriod; }
    // The lowerings of the watched block in the order they were made, and its distinct edges with
    // their totals, sorted by (i, j).
    int BlockLowerings() const { return m_nBlockLowerings; }
    const CLowering& BlockLowering(int s) const { return m_aBlock[s]; }
    int BlockEdges() const { return m_nEdges; }
    const CEdgeTotal& BlockEdge(int e) const { return m_aEdges[e]; }
    // The lowered weight of the edge of lowering s right after it in the watched block, and the
    // edge's total over the block.
    int32_t LoweredAfter(int s) const { return m_aNow[s]; }
    int64_t TotalOf(int s) const { return EdgeTotal(m_aBlock[s].i, m_aBlock[s].j); }

    // After the scan of node x in a watched pass: checks the step against the record and bounds
    // the repetitions by its comparisons and the 32-bit range of its slice. slice is x's slice of
    // the table (indexed [i * dim + j]); best is the first largest value (pair bi, bj), second
    // the largest of the others.
    void Watch(int x, const int32_t* slice, std::size_t dim, int64_t best, int64_t second, int bi, int bj);
    // A lowering of the pass under way; now and booked are the edge's lowered weight and M after it.
    void Record(int x, int i, int j, int32_t amount, int32_t now, int32_t booked);
    // At the end of every pass. Returns the number K of further repetitions of the block just
    // watched that are proven to repeat it, 0 when there is none to make now, or ENDLESS when the
    // block leaves every lowered weight as it found it (mod 2^32), so that it would repeat for ever.
    int64_t EndPass();

private:
    struct CPass {
        int count = 0;  // lowerings, or -1 when more than MAX_PASS_LOWERINGS
        CLowering low[MAX_PASS_LOWERINGS];
    };
    static constexpr int RING = 2 * MAX_PERIOD;

    CPass& Pass(int64_t index) { return m_aRing[static_cast<std::size_t>(index % RING)]; }
    bool SamePasses(int64_t a, int64_t b) const;
    void StartWatching(int period);
    // Delta of edge {a, b} (a < b), 0 when the block does not lower it.
    int64_t EdgeTotal(int a, int b) const;
    // K is at most the largest k >= 0 with a + b * k >= 0 (a >= 0).
    void Bound(int64_t a, int64_t b) {
        if (b < 0 && a / -b < m_nBound) m_nBound = a / -b;
    }
    // Calls f(i, j, value, slope) for every pair of x's slice, in scan order.
    template <typename F>
    void ForPairs(int x, const int32_t* slice, std::size_t dim, F f) const;

    int m_nNodes;
    CPass m_aRing[RING];
    int64_t m_nPasses = 0;  // passes closed; the pass under way is Pass(m_nPasses)
    // The watched block: the expected lowerings (the last block before it), the cursor into them,
    // the pass of the block under way, and the bound on K found so far.
    bool m_bWatching = false;
    bool m_bStill = false;  // every total is 0 mod 2^32
    int m_nWatchPeriod = 0;
    int m_nWatchPass = 0;
    int m_nCursor = 0;
    int64_t m_nBound = 0;
    int m_nBlockLowerings = 0;
    CLowering m_aBlock[MAX_PERIOD * MAX_PASS_LOWERINGS];
    int32_t m_aNow[MAX_PERIOD * MAX_PASS_LOWERINGS];
    int m_nEdges = 0;
    CEdgeTotal m_aEdges[MAX_PERIOD * MAX_PASS_LOWERINGS];
    int64_t m_aDx[CYCLE_CAPACITY];  // Delta of edge {x, m} for the node being watched, else 0 (0..n)
};
