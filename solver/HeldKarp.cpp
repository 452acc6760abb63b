// Dynamic programming over subsets (Held and Karp) for the optimum method.
//
// C(S, j), for a set S of nodes other than node 0 and a node j in S, is the cost of the cheapest
// path that leaves node 0, visits exactly S and ends at j: C({j}, j) = d(0, j) and
// C(S, j) = min over k in S - {j} of C(S - {j}, k) + d(k, j). The optimum is the least
// C(all, j) + d(j, 0). Sets are bit masks over nodes 1..n-1 (bit j-1), taken in increasing order,
// so every S - {j} is ready before S. The cycle is read back from the table by the same
// recurrence. Costs are 32-bit where no path can exceed that range, else 64-bit.
#include <algorithm>
#include <bit>
#include <climits>
#include <limits>
#include <memory>
#include <new>

#include "solver/OptimumCore.h"

namespace {

constexpr uint64_t kPollSets = 1 << 14;  // subsets between two polls

template <typename Cost>
COptimumCore Solve(const CTspTable& t, const OptimumPollFn& poll) {
    COptimumCore r;
    const int n = t.n;
    const int m = n - 1;
    const uint64_t sets = uint64_t{1} << m;
    std::unique_ptr<Cost[]> table(new (std::nothrow) Cost[sets * static_cast<uint64_t>(m)]);
    if (!table) {
        r.noMemory = true;
        return r;
    }
    auto C = [&](uint64_t s, int j) -> Cost& {
        return table[s * static_cast<uint64_t>(m) + static_cast<uint64_t>(j - 1)];
    };
    // d as Cost, row by row, for the inner loop.
    std::vector<Cost> d(static_cast<std::size_t>(n) * static_cast<std::size_t>(n));
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b) d[static_cast<std::size_t>(a * n + b)] = static_cast<Cost>(t.W(a, b));

    for (uint64_t s = 1; s < sets; ++s) {
        if ((s & (kPollSets - 1)) == 0 && poll && poll(INT64_MAX, 0, false)) {
            r.stopped = true;
            return r;
        }
        if (std::has_single_bit(s)) {
            const int j = std::countr_zero(s) + 1;
            C(s, j) = d[static_cast<std::size_t>(j)];
            continue;
        }
        for (uint64_t js = s; js != 0; js &= js - 1) {
            const int j = std::countr_zero(js) + 1;
            const uint64_t prev = s & ~(uint64_t{1} << (j - 1));
            const Cost* row = &table[prev * static_cast<uint64_t>(m)];
            Cost best = std::numeric_limits<Cost>::max();
            for (uint64_t ks = prev; ks != 0; ks &= ks - 1) {
                const int k = std::countr_zero(ks) + 1;
                const Cost c = row[k - 1] + d[static_cast<std::size_t>(k * n + j)];
                best = std::min(best, c);
            }
            C(s, j) = best;
        }
    }
    const uint64_t all = sets - 1;
    int last = 1;
    Cost best = std::numeric_limits<Cost>::max();
    for (int j = 1; j <= m; ++j) {
        const Cost c = C(all, j) + d[static_cast<std::size_t>(j * n)];
        if (c < best) best = c, last = j;
    }
    // Back from the last node: the predecessor whose path meets the table's value.
    std::vector<int> path{last};
    uint64_t s = all;
    int j = last;
    while (!std::has_single_bit(s)) {
        const uint64_t prev = s & ~(uint64_t{1} << (j - 1));
        int from = -1;
        for (uint64_t ks = prev; ks != 0 && from < 0; ks &= ks - 1) {
            const int k = std::countr_zero(ks) + 1;
            if (C(prev, k) + d[static_cast<std::size_t>(k * n + j)] == C(s, j)) from = k;
        }
        path.push_back(from);
        s = prev, j = from;
    }
    r.tour.push_back(0);
    r.tour.insert(r.tour.end(), path.rbegin(), path.rend());
    r.cost = r.bound = static_cast<int64_t>(best);
    r.hasBound = r.proven = true;
    r.branches = static_cast<int64_t>(sets);
    return r;
}

}  // namespace

uint64_t HeldKarpBytes(int n) {
    return n < 2 ? 0 : (uint64_t{1} << (n - 1)) * static_cast<uint64_t>(n - 1) * 4;
}

COptimumCore HeldKarpSolve(const CTspTable& t, const OptimumPollFn& poll) {
    const int n = t.n;
    if (n <= 3) {  // one cycle, up to its direction
        COptimumCore r;
        for (int k = 0; k < n; ++k) r.tour.push_back(k);
        r.cost = r.bound = TourCost(t, r.tour);
        r.hasBound = r.proven = true;
        return r;
    }
    int64_t largest = 0;
    for (int64_t w : t.d) largest = std::max(largest, w < 0 ? -w : w);
    // Every stored value is the cost of a path of at most n edges.
    if (largest <= INT32_MAX / n) return Solve<int32_t>(t, poll);
    return Solve<int64_t>(t, poll);
}
