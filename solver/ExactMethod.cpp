// The exact methods: exhaustive enumeration of every cycle through node 1.
//
// Node 1 is fixed in front and the other n-1 nodes run through all (n-1)! orders in lexicographic
// order, both directions of every cycle included, with no pruning: the method is the program's
// reference, and its order of enumeration decides which of several equally good cycles it reports
// (the lexicographically first). Its cost is (n-1)! successor steps; past about 13 nodes the time
// estimate warns the user before the search starts.
//
// The cost of the current permutation is kept as prefix sums: a successor step changes only a
// suffix p(i..n-1) of the permutation (on average fewer than e positions), so only the prefix sums
// from i on are recomputed, and each step costs amortised constant time instead of n additions.
// The last three positions are handled as a block of six orders (see CNetEnumeration).
//
// The weight matrix is mirrored into its lower triangle for the run so that every weight is read
// directly as W[a][b], and cleared again afterwards.
#include <algorithm>

#include "solver/CycleSolver.h"

namespace {

constexpr int kPollEvery = 20000;

// Mirrors the upper triangle into the lower one (or clears the lower one again).
void MirrorWeights(CSquareMatrix<int32_t>& w, int n) {
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j) w[j][i] = w[i][j];
}
void ClearLowerTriangle(CSquareMatrix<int32_t>& w, int n) {
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j) w[j][i] = 0;
}

// Steps p(0..n-1) to its lexicographic successor. Returns the first position that changed, or -1
// when p was the last permutation.
inline int NextPermutation(int* p, int n) {
    int i = n - 2;
    while (i >= 0 && p[i] > p[i + 1]) --i;
    if (i < 0) return -1;
    int j = n - 1;
    while (p[j] < p[i]) --j;
    std::swap(p[i], p[j]);
    std::reverse(p + i + 1, p + n);
    return i;
}

}  // namespace

double Factorial(int n) {
    if (n <= 3) return 2.0;
    double f = 1.0;
    for (int k = 2; k <= n - 1; ++k) f *= k;
    return f;
}

namespace {

// One enumeration of the exact network method. In estimate mode nothing is recorded and the run
// ends after 20,001 successor steps; otherwise the poll is called every 20,000 steps.
//
// The last four positions of the permutation are enumerated as a block: with the prefix fixed,
// each of the four nodes in turn stands first, and behind it the six orders abc, acb, bac, bca,
// cab, cba of the other three follow each other in lexicographic order; those six costs share
// nine weights. Only every 24th step goes through the general successor step and prefix sums.
template <bool kEstimate>
class CNetEnumeration {
public:
    explicit CNetEnumeration(CCycleSolver& solver)
        : s(solver), n(solver.m_nNodes), w(solver.m_ppWeight.Data()), stride(solver.m_ppWeight.Dim()) {}

    // Returns the incumbent cost (or, in estimate mode, the number of successor steps).
    int Run(int* abortedOut) {
        for (int k = 0; k < n; ++k) p[k] = k + 1;
        prefix[0] = 0;
        for (int k = 1; k < n; ++k) prefix[k] = prefix[k - 1] + W(p[k - 1], p[k]);
        incumbent = static_cast<int>(prefix[n - 1] + W(p[0], p[n - 1]));
        if constexpr (!kEstimate) {
            // The starting order is the result until a strictly cheaper one appears.
            s.m_aCycle[0] = s.m_aBest[0] = 0;
            std::copy(p, p + n, s.m_aCycle + 1);
            std::copy(p, p + n, s.m_aBest + 1);
            s.m_nBestCost = incumbent;
            s.ShowCycleCost();
        }
        if (n >= 4)
            RunBlocks();
        else
            RunSteps();
        if (abortedOut && aborted) *abortedOut = 1;
        return kEstimate ? counter : incumbent;
    }

private:
    uint32_t W(int a, int b) const { return static_cast<uint32_t>(w[a * stride + b]); }

    // Counts one successor step. False when the enumeration has to end here. Both modes share
    // this shape (and that of Offer), so that the estimate times the very loop of the search.
    bool CountStep() {
        if (++counter != kCountLimit) [[likely]]
            return true;
        return AtCountLimit();
    }

    [[gnu::noinline]] bool AtCountLimit() {
        if constexpr (kEstimate) {
            return false;  // 20,001 steps measured
        } else {
            counter = 0;
            if (s.PollProgress(1) == 0) return true;
            aborted = true;
            return false;
        }
    }

    // Offers the permutation p(0..n-4), u, v, x (the last three positions) at the given cost.
    void Offer(uint32_t wrapped, int u, int v, int x) {
        if (static_cast<int>(wrapped) < incumbent) [[unlikely]]
            Improve(static_cast<int>(wrapped), u, v, x);
    }

    [[gnu::noinline]] void Improve(int cost, int u, int v, int x) {
        incumbent = cost;
        if constexpr (!kEstimate) {
            for (int* cycle : {s.m_aCycle, s.m_aBest}) {
                std::copy(p, p + n - 3, cycle + 1);
                cycle[n - 2] = u, cycle[n - 1] = v, cycle[n] = x;
            }
            s.m_nBestCost = cost;
            s.ShowCycleCost();
        }
    }

    static constexpr int kCountLimit = kEstimate ? kPollEvery + 1 : kPollEvery;

    // The six orders of a < b < c behind the prefix p(0..n-4), whose path weighs pre.
    // False when the enumeration has to end inside the block.
    bool Block3(uint32_t pre, int a, int b, int c) {
        const int first = p[n - 4];
        const uint32_t fa = pre + W(first, a), fb = pre + W(first, b), fc = pre + W(first, c);
        const uint32_t ab = W(a, b), ac = W(a, c), bc = W(b, c);
        const uint32_t a1 = W(a, 1), b1 = W(b, 1), c1 = W(c, 1);
        Offer(fa + ab + bc + c1, a, b, c);
        if (!CountStep()) return false;
        Offer(fa + ac + bc + b1, a, c, b);
        if (!CountStep()) return false;
        Offer(fb + ab + ac + c1, b, a, c);
        if (!CountStep()) return false;
        Offer(fb + bc + ac + a1, b, c, a);
        if (!CountStep()) return false;
        Offer(fc + ac + ab + b1, c, a, b);
        if (!CountStep()) return false;
        Offer(fc + bc + ab + a1, c, b, a);
        return true;
    }

    void RunBlocks() {
        if (n == 4) {  // node 1 stays in front: one block of three, then the step that ends it
            if (!Block3(prefix[0], p[1], p[2], p[3])) return;
            std::swap(p[1], p[3]);
            NextPermutation(p, n);
            CountStep();
            return;
        }
        for (;;) {
            // p(n-4..n-1) holds q0 < q1 < q2 < q3; each in turn stands at n-4 before the other three.
            const int q[4] = {p[n - 4], p[n - 3], p[n - 2], p[n - 1]};
            const int before = p[n - 5];
            const uint32_t pre = prefix[n - 5];
            p[n - 4] = q[0];
            if (!Block3(pre + W(before, q[0]), q[1], q[2], q[3]) || !CountStep()) return;
            p[n - 4] = q[1];
            if (!Block3(pre + W(before, q[1]), q[0], q[2], q[3]) || !CountStep()) return;
            p[n - 4] = q[2];
            if (!Block3(pre + W(before, q[2]), q[0], q[1], q[3]) || !CountStep()) return;
            p[n - 4] = q[3];
            if (!Block3(pre + W(before, q[3]), q[0], q[1], q[2])) return;

            p[n - 4] = q[3], p[n - 3] = q[2], p[n - 2] = q[1], p[n - 1] = q[0];
            const int i = NextPermutation(p, n);
            if (i < 0 || !CountStep() || p[0] > 1) return;
            for (int k = i; k <= n - 5; ++k) prefix[k] = prefix[k - 1] + W(p[k - 1], p[k]);
        }
    }

    // Step by step, for networks too small for a block.
    void RunSteps() {
        for (;;) {
            const int i = NextPermutation(p, n);
            if (i < 0 || !CountStep() || p[0] > 1) return;
            for (int k = i; k < n; ++k) prefix[k] = prefix[k - 1] + W(p[k - 1], p[k]);
            const int cost = static_cast<int>(prefix[n - 1] + W(p[0], p[n - 1]));
            if (cost < incumbent) {
                incumbent = cost;
                if constexpr (!kEstimate) {
                    std::copy(p, p + n, s.m_aCycle + 1);
                    std::copy(p, p + n, s.m_aBest + 1);
                    s.m_nBestCost = cost;
                    s.ShowCycleCost();
                }
            }
        }
    }

    CCycleSolver& s;
    const int n;
    const int32_t* w;
    const std::size_t stride;
    int p[CYCLE_CAPACITY]{};
    uint32_t prefix[CYCLE_CAPACITY]{};  // prefix[k]: weight of the path p(0)..p(k)
    int incumbent = 0;
    int counter = 0;
    bool aborted = false;
};

}  // namespace

int CCycleSolver::ExpMethodNet(int estimateOnly, int* abortedOut) {
    const int n = m_nNodes;
    const bool estimate = estimateOnly != 0;
    m_bBusy = 1;
    if (abortedOut) *abortedOut = 0;
    if (m_bMaximum == 1) NegateWeights();
    MirrorWeights(m_ppWeight, n);

    int result = estimate ? CNetEnumeration<true>(*this).Run(abortedOut)
                          : CNetEnumeration<false>(*this).Run(abortedOut);

    if (m_bMaximum == 1) {
        NegateWeights();
        if (!estimate) {
            m_nBestCost = Negated(m_nBestCost);
            result = Negated(result);
        }
    }
    if (n >= 2) ClearLowerTriangle(m_ppWeight, n);
    m_bBusy = 0;
    return result;
}

int CCycleSolver::ExpMethodGraph(int* abortedOut) {
    const int n = m_nNodes;
    m_bBusy = 1;
    if (abortedOut) *abortedOut = 0;
    MirrorWeights(m_ppWeight, n);

    const int32_t* w = m_ppWeight.Data();
    const std::size_t stride = m_ppWeight.Dim();
    auto W = [w, stride](int a, int b) { return w[a * stride + b]; };

    int p[CYCLE_CAPACITY];
    for (int k = 0; k < n; ++k) p[k] = k + 1;
    std::copy(p, p + n, m_aBest + 1);
    // valid: the number of leading path edges p(k)-p(k+1) known to be present. A successor step at
    // position i keeps the edges before it, so the test resumes there instead of at the front.
    auto PathEdgesFrom = [&](int from) {
        int k = from;
        while (k < n - 1 && W(p[k], p[k + 1]) == 0) ++k;
        return k;
    };
    int valid = PathEdgesFrom(0);
    bool found = n >= 1 && valid == n - 1 && W(p[0], p[n - 1]) == 0;

    int counter = 0;
    for (;;) {
        const int i = NextPermutation(p, n);
        if (i < 0) break;
        if (++counter == kPollEvery) {
            counter = 0;
            if (PollProgress(1)) {
                if (abortedOut) *abortedOut = 1;
                break;
            }
        }
        if (p[0] > 1) break;
        // Path edges before position i-1 are unchanged; the edge (i-1, i) changed with p(i).
        valid = PathEdgesFrom(std::min(valid, i - 1));
        if (valid == n - 1 && W(p[0], p[n - 1]) == 0) {
            found = true;
            m_aCycle[0] = m_aBest[0] = 0;
            std::copy(p, p + n, m_aCycle + 1);
            std::copy(p, p + n, m_aBest + 1);
            break;
        }
    }

    if (n >= 2) ClearLowerTriangle(m_ppWeight, n);
    m_bBusy = 0;
    return found ? 0 : 1;
}
