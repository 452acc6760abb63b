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

int CCycleSolver::ExpMethodNet(int estimateOnly, int* abortedOut) {
    const int n = m_nNodes;
    const bool estimate = estimateOnly != 0;
    m_bBusy = 1;
    if (abortedOut) *abortedOut = 0;
    if (m_bMaximum == 1) NegateWeights();
    MirrorWeights(m_ppWeight, n);

    const int32_t* w = m_ppWeight.Data();
    const std::size_t stride = m_ppWeight.Dim();
    // Costs wrap like plain 32-bit sums; unsigned arithmetic keeps that free of undefined behaviour.
    auto W = [w, stride](int a, int b) { return static_cast<uint32_t>(w[a * stride + b]); };

    int p[CYCLE_CAPACITY];
    uint32_t prefix[CYCLE_CAPACITY];  // prefix[k]: weight of the path p(0)..p(k)
    for (int k = 0; k < n; ++k) p[k] = k + 1;
    prefix[0] = 0;
    for (int k = 1; k < n; ++k) prefix[k] = prefix[k - 1] + W(p[k - 1], p[k]);
    int incumbent = static_cast<int>(prefix[n - 1] + W(p[0], p[n - 1]));

    if (!estimate) {
        // The starting order is the result until a strictly cheaper one appears.
        m_aCycle[0] = m_aBest[0] = 0;
        std::copy(p, p + n, m_aCycle + 1);
        std::copy(p, p + n, m_aBest + 1);
        m_nBestCost = incumbent;
        ShowCycleCost();
    }

    int counter = 0;
    for (;;) {
        const int i = NextPermutation(p, n);
        if (i < 0) break;
        ++counter;
        if (estimate) {
            if (counter > kPollEvery) break;
        } else if (counter == kPollEvery) {
            counter = 0;
            if (PollProgress(1)) {
                if (abortedOut) *abortedOut = 1;
                break;
            }
        }
        if (p[0] > 1) break;
        for (int k = i; k < n; ++k) prefix[k] = prefix[k - 1] + W(p[k - 1], p[k]);
        const int cost = static_cast<int>(prefix[n - 1] + W(p[0], p[n - 1]));
        if (cost < incumbent) {
            incumbent = cost;
            if (!estimate) {
                std::copy(p, p + n, m_aCycle + 1);
                std::copy(p, p + n, m_aBest + 1);
                m_nBestCost = cost;
                ShowCycleCost();
            }
        }
    }

    if (m_bMaximum == 1) {
        NegateWeights();
        if (!estimate) m_nBestCost = Negated(m_nBestCost);
        incumbent = Negated(incumbent);
    }
    if (n >= 2) ClearLowerTriangle(m_ppWeight, n);
    m_bBusy = 0;
    return estimate ? counter : incumbent;
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
