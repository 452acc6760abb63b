// The optimum method's driver: the solver's network as a distance table (negated in maximum mode,
// so both ways only minimise), the choice of the way, the poll and the progress, and the result
// recorded as the exact method records its own. Also the start tour both ways share.
#include "solver/OptimumMethod.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>

#include "solver/CycleSolver.h"
#include "solver/OptimumCore.h"

ELpKind g_eOptimumLp = ELpKind::Clp;

namespace {
constexpr auto kPollInterval = std::chrono::milliseconds(20);
constexpr uint32_t kProgressMs = 1000;
}  // namespace

int64_t TourCost(const CTspTable& t, const std::vector<int>& tour) {
    int64_t c = 0;
    for (std::size_t k = 0; k < tour.size(); ++k) c += t.W(tour[k], tour[(k + 1) % tour.size()]);
    return c;
}

std::vector<int> NearestNeighbourTour(const CTspTable& t) {
    const int n = t.n;
    if (n < 1) return {};
    std::vector<int> tour{0};
    std::vector<char> used(static_cast<std::size_t>(n), 0);
    used[0] = 1;
    for (int k = 1; k < n; ++k) {
        const int from = tour.back();
        int pick = -1;
        for (int v = 0; v < n; ++v)
            if (!used[v] && (pick < 0 || t.W(from, v) < t.W(from, pick))) pick = v;
        used[pick] = 1;
        tour.push_back(pick);
    }
    return tour;
}

std::vector<int> HeuristicTour(const CTspTable& t) {
    const int n = t.n;
    std::vector<int> tour = NearestNeighbourTour(t);
    if (n < 5) return tour;
    auto At = [&](int k) { return tour[static_cast<std::size_t>((k + n) % n)]; };
    for (bool improved = true; improved;) {
        improved = false;
        // 2-opt: reverse positions i+1..j when the two new edges are cheaper than the old ones.
        for (int i = 0; i < n - 2; ++i)
            for (int j = i + 2; j < n - (i == 0 ? 1 : 0); ++j) {
                const int64_t delta = t.W(At(i), At(j)) + t.W(At(i + 1), At(j + 1)) - t.W(At(i), At(i + 1)) -
                                      t.W(At(j), At(j + 1));
                if (delta < 0) {
                    std::reverse(tour.begin() + i + 1, tour.begin() + j + 1);
                    improved = true;
                }
            }
        // Node moves: take the node at position i out and put it between positions j and j+1.
        for (int i = 1; i < n; ++i) {
            const int v = At(i);
            const int64_t out = t.W(At(i - 1), v) + t.W(v, At(i + 1)) - t.W(At(i - 1), At(i + 1));
            for (int j = 0; j < n; ++j) {
                if (j == i || j == i - 1) continue;
                const int64_t in = t.W(At(j), v) + t.W(v, At(j + 1)) - t.W(At(j), At(j + 1));
                if (in < out) {
                    tour.erase(tour.begin() + i);
                    tour.insert(tour.begin() + (j < i ? j + 1 : j), v);
                    improved = true;
                    break;
                }
            }
        }
    }
    return tour;
}

double GapPercent(int cost, int optimum, bool maximum) {
    const double diff = maximum ? static_cast<double>(optimum) - cost : static_cast<double>(cost) - optimum;
    if (optimum == 0) return diff == 0 ? 0.0 : std::nan("");
    return diff * 100.0 / std::fabs(static_cast<double>(optimum));
}

bool LowerFixedEdges(CTspTable& t, const std::vector<std::pair<int, int>>& fixed, int64_t& lowered) {
    const int n = t.n;
    lowered = 0;
    if (fixed.empty()) return true;
    int64_t low = INT64_MAX, high = INT64_MIN;
    for (int64_t w : t.d) low = std::min(low, w), high = std::max(high, w);
    const int64_t m = (high - low) * n + 1;
    std::vector<int> degree(static_cast<std::size_t>(n), 0), root(static_cast<std::size_t>(n));
    for (int v = 0; v < n; ++v) root[static_cast<std::size_t>(v)] = v;
    auto Find = [&](int v) {
        while (root[static_cast<std::size_t>(v)] != v) v = root[static_cast<std::size_t>(v)] = root[static_cast<std::size_t>(root[static_cast<std::size_t>(v)])];
        return v;
    };
    std::vector<std::pair<int, int>> edges;
    for (auto [a, b] : fixed) {
        if (a < 0 || b < 0 || a >= n || b >= n || a == b) return false;
        edges.push_back({std::min(a, b), std::max(a, b)});
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    for (auto [a, b] : edges) {
        if (++degree[static_cast<std::size_t>(a)] > 2 || ++degree[static_cast<std::size_t>(b)] > 2) return false;
        if (Find(a) == Find(b) && static_cast<int>(edges.size()) != n) return false;
        root[static_cast<std::size_t>(Find(a))] = Find(b);
        t.d[static_cast<std::size_t>(a * n + b)] -= m;
        t.d[static_cast<std::size_t>(b * n + a)] -= m;
        lowered += m;
    }
    return true;
}

namespace {

bool IsCycle(const int* cycle, int n) {
    std::vector<char> seen(static_cast<std::size_t>(n) + 1, 0);
    for (int k = 1; k <= n; ++k) {
        const int v = cycle[k];
        if (v < 1 || v > n || seen[static_cast<std::size_t>(v)]) return false;
        seen[static_cast<std::size_t>(v)] = 1;
    }
    return true;
}

}  // namespace

int OptimumMethodNet(CCycleSolver& s, EOptimumWay way, COptimumResult& result, const OptimumProgressFn& progress,
                     const std::vector<std::pair<int, int>>& fixedEdges) {
    result = COptimumResult{};
    const int n = s.m_nNodes;
    const bool maximum = s.m_bMaximum == 1;
    const int64_t sign = maximum ? -1 : 1;
    if (way == OPTIMUM_AUTO) way = n <= OPTIMUM_DP_AUTO_NODES ? OPTIMUM_DYNAMIC : OPTIMUM_BOUNDS;
    result.way = way;
    if (way == OPTIMUM_DYNAMIC && n > OPTIMUM_DP_MAX_NODES) {
        result.noMemory = true;
        return 2;
    }
    s.m_bBusy = 1;
    CTspTable t;
    t.n = n;
    t.d.assign(static_cast<std::size_t>(n) * static_cast<std::size_t>(n), 0);
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b)
            if (a != b || n == 1) t.d[static_cast<std::size_t>(a * n + b)] = sign * s.Weight(a + 1, b + 1);
    int64_t lowered = 0;
    std::vector<std::pair<int, int>> fixed;
    for (auto [a, b] : fixedEdges) fixed.push_back({a - 1, b - 1});
    if (!LowerFixedEdges(t, fixed, lowered)) {
        s.m_bBusy = 0;
        result.noCycle = true;
        return 3;
    }

    const uint32_t startMs = NowMs();
    uint32_t lastShown = 0;
    auto lastPoll = std::chrono::steady_clock::now();
    uint32_t lastPollMs = startMs;
    bool aborted = false;
    const OptimumPollFn poll = [&](int64_t best, int64_t bound, bool hasBound) {
        // Polled when the interval has passed on the steady clock or on the platform's clock, so a
        // test's clock can drive the progress as real time does.
        const auto now = std::chrono::steady_clock::now();
        const uint32_t nowMs = NowMs();
        if (now - lastPoll < kPollInterval && nowMs - lastPollMs < kPollInterval.count())
            return aborted;  // a stop, once seen, holds
        lastPoll = now;
        lastPollMs = nowMs;
        if (s.PollProgress(1) != 0) aborted = true;
        const uint32_t elapsed = NowMs() - startMs;
        if (progress && elapsed / kProgressMs != lastShown && best != INT64_MAX) {
            lastShown = elapsed / kProgressMs;
            progress(elapsed, static_cast<int>(sign * (best + lowered)), sign * (bound + lowered), hasBound);
        }
        return aborted;
    };

    // The first incumbent: the cycle the solver holds (after the Polyn. Method, its result) when it
    // is a cycle and no dearer than the iterated local search's.
    const std::function<bool()> stop = [&] { return poll(INT64_MAX, 0, false); };
    std::vector<int> start;
    if (way == OPTIMUM_DYNAMIC) {
        start = HeuristicTour(t);
    } else if (n > 3) {
        start = StartTour(t, NeighbourLists(t, 10), stop);
        if (IsCycle(s.m_aBest, n)) {
            std::vector<int> given;
            const int* at = std::find(s.m_aBest + 1, s.m_aBest + n + 1, 1);
            for (int k = 0; k < n; ++k) given.push_back(s.m_aBest[1 + (at - s.m_aBest - 1 + k) % n] - 1);
            if (TourCost(t, given) < TourCost(t, start)) start = given;
        }
    } else {
        start = HeuristicTour(t);
    }
    CBranchCutOptions options;
    options.lp = g_eOptimumLp;
    COptimumCore core = way == OPTIMUM_DYNAMIC ? HeldKarpSolve(t, poll) : BranchCutSolve(t, start, poll, options);
    if (core.noMemory) {
        s.m_bBusy = 0;
        result.noMemory = true;
        return 2;
    }
    if (core.tour.empty()) core.tour = start;  // stopped before the search had a cycle of its own
    std::rotate(core.tour.begin(), std::find(core.tour.begin(), core.tour.end(), 0), core.tour.end());
    s.m_aCycle[0] = s.m_aBest[0] = 0;
    for (int k = 0; k < n; ++k)
        s.m_aCycle[k + 1] = s.m_aBest[k + 1] = core.tour[static_cast<std::size_t>(k)] + 1;
    s.m_nBestCost = s.CycleCostOf(s.m_aBest);
    result.cost = s.m_nBestCost;
    result.cycle.assign(s.m_aBest + 1, s.m_aBest + n + 1);
    result.hasBound = core.hasBound;
    result.bound = sign * (core.bound + lowered);
    result.aborted = aborted || core.stopped;
    result.proven = core.proven && !result.aborted;
    result.branches = core.branches;
    for (int k = 0; k < 3; ++k) result.cuts[static_cast<std::size_t>(k)] = core.cuts[k];
    s.ShowCycleCost();
    s.m_bBusy = 0;
    return result.aborted ? 1 : 0;
}
