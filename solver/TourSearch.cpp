// The optimum method's tour heuristics: the incumbents the branch and cut starts from and finds on
// the way. 2-opt, segment moves (one to three nodes, either way round), sequential 3-opt moves and
// Lin-Kernighan chains over nearest-neighbour lists with don't-look bits; iterated with double-bridge kicks; and a tour built from an LP point
// (its edges by value, then the cheapest neighbour edges, the fragments joined greedily).
#include <algorithm>
#include <climits>
#include <numeric>
#include <random>

#include "solver/OptimumCore.h"

namespace {

struct CArrayTour {
    const CTspTable& t;
    std::vector<int> order, pos;
    int n;
    CArrayTour(const CTspTable& table, const std::vector<int>& tour)
        : t(table), order(tour), pos(tour.size()), n(static_cast<int>(tour.size())) {
        Index();
    }
    void Assign(std::vector<int> tour) {
        order = std::move(tour);
        Index();
    }
    void Index() {
        for (int k = 0; k < n; ++k) pos[static_cast<std::size_t>(order[static_cast<std::size_t>(k)])] = k;
    }
    int At(int k) const { return order[static_cast<std::size_t>(((k % n) + n) % n)]; }
    int Next(int v) const { return At(pos[static_cast<std::size_t>(v)] + 1); }
    int Prev(int v) const { return At(pos[static_cast<std::size_t>(v)] - 1); }
    // Reverses exactly the path from position i forward to position j (so a second call undoes it).
    void ReverseRange(int i, int j) {
        const int len = ((j - i) % n + n) % n + 1;
        for (int k = 0; k < len / 2; ++k) {
            const int a = ((i + k) % n + n) % n, b = ((j - k) % n + n) % n;
            std::swap(order[static_cast<std::size_t>(a)], order[static_cast<std::size_t>(b)]);
            pos[static_cast<std::size_t>(order[static_cast<std::size_t>(a)])] = a;
            pos[static_cast<std::size_t>(order[static_cast<std::size_t>(b)])] = b;
        }
    }
    // Reverses the path from position i forward to position j (the shorter side of the cycle).
    void Reverse(int i, int j) {
        int len = ((j - i) % n + n) % n + 1;
        if (2 * len > n) {
            const int ni = j + 1, nj = i - 1;
            i = ni, j = nj, len = n - len;
        }
        for (int k = 0; k < len / 2; ++k) {
            const int a = ((i + k) % n + n) % n, b = ((j - k) % n + n) % n;
            std::swap(order[static_cast<std::size_t>(a)], order[static_cast<std::size_t>(b)]);
            pos[static_cast<std::size_t>(order[static_cast<std::size_t>(a)])] = a;
            pos[static_cast<std::size_t>(order[static_cast<std::size_t>(b)])] = b;
        }
    }
};

// One improving 2-opt move at a, or false.
bool TwoOpt(CArrayTour& at, const std::vector<std::vector<int>>& nl, int a, std::vector<int>& wake) {
    const CTspTable& t = at.t;
    for (int dir = 0; dir < 2; ++dir) {
        const int b = dir == 0 ? at.Next(a) : at.Prev(a);
        const int64_t dab = t.W(a, b);
        for (int c : nl[static_cast<std::size_t>(a)]) {
            const int64_t dac = t.W(a, c);
            if (dac >= dab) break;
            const int d = dir == 0 ? at.Next(c) : at.Prev(c);
            if (c == b || d == a) continue;
            if (dac + t.W(b, d) < dab + t.W(c, d)) {
                if (dir == 0)
                    at.Reverse(at.pos[static_cast<std::size_t>(b)], at.pos[static_cast<std::size_t>(c)]);
                else
                    at.Reverse(at.pos[static_cast<std::size_t>(a)], at.pos[static_cast<std::size_t>(d)]);
                wake.insert(wake.end(), {a, b, c, d});
                return true;
            }
        }
    }
    return false;
}

// A sequential 3-opt move from t1 (the first two steps of a Lin-Kernighan chain): the edge
// (t1, t2 = next) goes, (t2, t3) comes and (t4, t3) goes with t4 before t3, which reversing t2..t4
// makes a tour with (t1, t4); then from t4 the same again with t5 and t6, and the tour closes with
// (t1, t6). Both steps are weighed before anything moves (t6 is the node before t5 once t2..t4 is
// reversed); the best improving pair is made as two reversals.
bool ThreeOpt(CArrayTour& at, const std::vector<std::vector<int>>& nl, int t1, std::vector<int>& wake) {
    const CTspTable& t = at.t;
    const int n = at.n;
    if (n < 8) return false;
    const int t2 = at.Next(t1);
    const int64_t g0 = t.W(t1, t2);
    int64_t best = 0;
    int b3 = -1, b4 = -1, b5 = -1, b6 = -1;
    for (int t3 : nl[static_cast<std::size_t>(t2)]) {
        const int64_t g1 = g0 - t.W(t2, t3);
        if (g1 <= 0) break;
        if (t3 == t1) continue;
        const int t4 = at.Prev(t3);
        if (t4 == t2) continue;
        const int64_t g1b = g1 + t.W(t4, t3);
        const int from = at.pos[static_cast<std::size_t>(t2)];
        const int span = ((at.pos[static_cast<std::size_t>(t4)] - from) % n + n) % n;
        auto Reversed = [&](int v) { return ((at.pos[static_cast<std::size_t>(v)] - from) % n + n) % n <= span; };
        for (int t5 : nl[static_cast<std::size_t>(t4)]) {
            const int64_t g2 = g1b - t.W(t4, t5);
            if (g2 <= 0) break;
            if (t5 == t1 || t5 == t3) continue;
            const int t6 = Reversed(t5) ? at.Next(t5) : at.Prev(t5);  // before t5 after the first reversal
            if (t6 == t4 || t6 == t1) continue;
            const int64_t closed = g2 + t.W(t6, t5) - t.W(t6, t1);
            if (closed > best) best = closed, b3 = t3, b4 = t4, b5 = t5, b6 = t6;
        }
    }
    if (best <= 0) return false;
    const int i1 = at.pos[static_cast<std::size_t>(t2)], j1 = at.pos[static_cast<std::size_t>(b4)];
    at.ReverseRange(i1, j1);
    if (at.Prev(b5) != b6 || at.Next(t1) != b4) {  // not the move weighed: leave the tour as it was
        at.ReverseRange(i1, j1);
        return false;
    }
    at.ReverseRange(at.pos[static_cast<std::size_t>(b4)], at.pos[static_cast<std::size_t>(b6)]);
    wake.insert(wake.end(), {t1, t2, b3, b4, b5, b6});
    return true;
}

// A Lin-Kernighan chain from t1: the step of ThreeOpt repeated greedily. With t2 the node after t1,
// the edge (t2, t3) comes for a near neighbour t3 of t2 and (t4, t3) goes, t4 the node before t3;
// reversing t2..t4 closes the tour with (t1, t4), and t4 is the next t2. Each step takes the t3
// with the largest d(t4, t3) - d(t2, t3) whose open gain stays positive, no edge that came in the
// chain goes again, and the chain stops after kLkDepth steps or when no step is left; the tour is
// then put back to the step whose closed tour was best, when that beats the start.
bool LkMove(CArrayTour& at, const std::vector<std::vector<int>>& nl, int t1, std::vector<int>& wake) {
    constexpr int kLkDepth = 50;
    const CTspTable& t = at.t;
    const int n = at.n;
    if (n < 8) return false;
    std::vector<std::pair<int, int>> steps;  // the ranges reversed, in order
    std::vector<std::pair<int, int>> added;
    std::vector<int> touched{t1};
    int64_t best = 0;
    std::size_t bestSteps = 0;
    int t2 = at.Next(t1);
    int64_t open = t.W(t1, t2);  // what went out less what came in, the closing edge not counted
    touched.push_back(t2);
    auto Added = [&](int a, int b) {
        for (auto [x, y] : added)
            if ((x == a && y == b) || (x == b && y == a)) return true;
        return false;
    };
    for (int depth = 0; depth < kLkDepth; ++depth) {
        int b3 = -1, b4 = -1;
        int64_t bestStep = INT64_MIN;
        for (int t3 : nl[static_cast<std::size_t>(t2)]) {
            const int64_t g = open - t.W(t2, t3);
            if (g <= 0) break;
            if (t3 == t1 || t3 == at.Next(t2)) continue;
            const int t4 = at.Prev(t3);
            if (t4 == t2 || Added(t4, t3)) continue;
            const int64_t step = t.W(t4, t3) - t.W(t2, t3);
            if (step > bestStep) bestStep = step, b3 = t3, b4 = t4;
        }
        if (b3 < 0) break;
        const int i = at.pos[static_cast<std::size_t>(t2)], j = at.pos[static_cast<std::size_t>(b4)];
        at.ReverseRange(i, j);
        steps.push_back({i, j});
        added.push_back({t2, b3});
        touched.push_back(b3), touched.push_back(b4);
        open += bestStep;
        const int64_t closed = open - t.W(b4, t1);
        if (closed > best) best = closed, bestSteps = steps.size();
        t2 = b4;
    }
    while (steps.size() > bestSteps) {
        at.ReverseRange(steps.back().first, steps.back().second);
        steps.pop_back();
    }
    if (best <= 0) return false;
    wake.insert(wake.end(), touched.begin(), touched.end());
    return true;
}

// One improving move of the segment of 1..3 nodes starting at a (forward) elsewhere, or false.
bool SegmentMove(CArrayTour& at, const std::vector<std::vector<int>>& nl, int a, std::vector<int>& wake) {
    const CTspTable& t = at.t;
    const int n = at.n;
    if (n < 8) return false;
    for (int len = 1; len <= 3; ++len) {
        const int i = at.pos[static_cast<std::size_t>(a)];
        const int s1 = a, sL = at.At(i + len - 1), p = at.At(i - 1), q = at.At(i + len);
        const int64_t gain = t.W(p, s1) + t.W(sL, q) - t.W(p, q);
        for (int end = 0; end < 2; ++end) {
            const int x = end == 0 ? s1 : sL;
            for (int c : nl[static_cast<std::size_t>(x)]) {
                if (t.W(x, c) >= gain) break;
                const int off = ((at.pos[static_cast<std::size_t>(c)] - i) % n + n) % n;
                if (off < len) continue;  // inside the segment
                // Insert between c and one of its neighbours, x next to c.
                for (int side = 0; side < 2; ++side) {
                    const int c2 = side == 0 ? at.Next(c) : at.Prev(c);
                    const int offc2 = ((at.pos[static_cast<std::size_t>(c2)] - i) % n + n) % n;
                    if (offc2 < len) continue;
                    const int y = x == s1 ? sL : s1;  // the segment's other end, next to c2
                    const int64_t add = t.W(c, x) + t.W(y, c2) - t.W(c, c2);
                    if (add >= gain) continue;
                    // Rebuild: the cycle without the segment, then the segment put in.
                    std::vector<int> seg;
                    for (int k = 0; k < len; ++k) seg.push_back(at.At(i + k));
                    std::vector<int> rest;
                    for (int k = len; k < n; ++k) rest.push_back(at.At(i + k));
                    std::vector<int> out;
                    out.reserve(static_cast<std::size_t>(n));
                    for (int v : rest) {
                        // Walking rest forward: c then c2 (side 0) or c2 then c (side 1).
                        out.push_back(v);
                        const int first = side == 0 ? c : c2;
                        if (v == first) {
                            // The node after 'first' in rest is the other; the segment goes between.
                            const bool xNearFirst = side == 0;  // x sits next to c
                            std::vector<int> piece = seg;
                            if ((x == s1) != xNearFirst) std::reverse(piece.begin(), piece.end());
                            out.insert(out.end(), piece.begin(), piece.end());
                        }
                    }
                    at.Assign(std::move(out));
                    wake.insert(wake.end(), {p, q, c, c2, s1, sL});
                    return true;
                }
            }
        }
    }
    return false;
}

}  // namespace

std::vector<std::vector<int>> NeighbourLists(const CTspTable& t, int k) {
    const int n = t.n;
    std::vector<std::vector<int>> nl(static_cast<std::size_t>(n));
    std::vector<int> all;
    for (int a = 0; a < n; ++a) {
        all.resize(static_cast<std::size_t>(n));
        std::iota(all.begin(), all.end(), 0);
        all.erase(all.begin() + a);
        const int m = std::min(k, n - 1);
        std::partial_sort(all.begin(), all.begin() + m, all.end(),
                          [&](int x, int y) { return t.W(a, x) < t.W(a, y) || (t.W(a, x) == t.W(a, y) && x < y); });
        nl[static_cast<std::size_t>(a)].assign(all.begin(), all.begin() + m);
    }
    return nl;
}

void ImproveTour(const CTspTable& t, const std::vector<std::vector<int>>& nl, std::vector<int>& tour,
                 const std::vector<int>* only) {
    const int n = t.n;
    if (n < 5) return;
    CArrayTour at(t, tour);
    std::vector<char> queued(static_cast<std::size_t>(n), 0);
    std::vector<int> queue;
    auto Push = [&](int v) {
        if (!queued[static_cast<std::size_t>(v)]) queued[static_cast<std::size_t>(v)] = 1, queue.push_back(v);
    };
    if (only)
        for (int v : *only) Push(v);
    else
        for (int v = n - 1; v >= 0; --v) Push(v);
    std::vector<int> wake;
    while (!queue.empty()) {
        const int a = queue.back();
        queue.pop_back();
        queued[static_cast<std::size_t>(a)] = 0;
        wake.clear();
        if (TwoOpt(at, nl, a, wake) || SegmentMove(at, nl, a, wake) || ThreeOpt(at, nl, a, wake) || LkMove(at, nl, a, wake))
            for (int v : wake) Push(v);
    }
    tour = at.order;
}

std::vector<int> IteratedTour(const CTspTable& t, const std::vector<std::vector<int>>& nl, std::vector<int> tour,
                              int kicks, uint32_t seed, const std::function<bool()>& stop) {
    const int n = t.n;
    ImproveTour(t, nl, tour, nullptr);
    if (n < 8) return tour;
    int64_t best = TourCost(t, tour);
    std::mt19937 rng(seed);
    for (int k = 0; k < kicks; ++k) {
        if ((k & 63) == 0 && stop && stop()) break;
        // Double bridge on a window: A B C D -> A C B D, segments of up to 50 nodes.
        const int span = std::min(n - 1, 3 * 50);
        const int start = static_cast<int>(rng() % static_cast<uint32_t>(n));
        int cuts[3];
        for (int& c : cuts) c = 1 + static_cast<int>(rng() % static_cast<uint32_t>(span - 1));
        std::sort(cuts, cuts + 3);
        if (cuts[0] == cuts[1] || cuts[1] == cuts[2]) continue;
        std::vector<int> rot(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) rot[static_cast<std::size_t>(i)] = tour[static_cast<std::size_t>((start + i) % n)];
        std::vector<int> next;
        next.reserve(static_cast<std::size_t>(n));
        next.insert(next.end(), rot.begin(), rot.begin() + cuts[0]);
        next.insert(next.end(), rot.begin() + cuts[1], rot.begin() + cuts[2]);
        next.insert(next.end(), rot.begin() + cuts[0], rot.begin() + cuts[1]);
        next.insert(next.end(), rot.begin() + cuts[2], rot.end());
        std::vector<int> touched{rot[0],
                                 rot[static_cast<std::size_t>(cuts[0] - 1)], rot[static_cast<std::size_t>(cuts[0])],
                                 rot[static_cast<std::size_t>(cuts[1] - 1)], rot[static_cast<std::size_t>(cuts[1])],
                                 rot[static_cast<std::size_t>(cuts[2] - 1)], rot[static_cast<std::size_t>(cuts[2])],
                                 rot[static_cast<std::size_t>(n - 1)]};
        ImproveTour(t, nl, next, &touched);
        const int64_t c = TourCost(t, next);
        if (c <= best) best = c, tour = std::move(next);
    }
    return tour;
}

std::vector<int> TourFromPoint(const CTspTable& t, const std::vector<std::vector<int>>& nl,
                               const std::vector<int>& eu, const std::vector<int>& ev, const std::vector<double>& x) {
    const int n = t.n;
    struct CCand {
        double x;
        int64_t w;
        int a, b;
    };
    std::vector<CCand> cand;
    for (std::size_t k = 0; k < x.size(); ++k)
        if (x[k] > 1e-6) cand.push_back({x[k], t.W(eu[k], ev[k]), eu[k], ev[k]});
    std::sort(cand.begin(), cand.end(), [](const CCand& p, const CCand& q) {
        return p.x > q.x + 1e-9 || (p.x > q.x - 1e-9 && p.w < q.w);
    });
    std::vector<CCand> more;
    for (int a = 0; a < n; ++a)
        for (int b : nl[static_cast<std::size_t>(a)])
            if (a < b) more.push_back({0.0, t.W(a, b), a, b});
    std::sort(more.begin(), more.end(), [](const CCand& p, const CCand& q) { return p.w < q.w; });
    cand.insert(cand.end(), more.begin(), more.end());
    std::vector<int> deg(static_cast<std::size_t>(n), 0), frag(static_cast<std::size_t>(n));
    std::iota(frag.begin(), frag.end(), 0);
    auto Find = [&](int v) {
        while (frag[static_cast<std::size_t>(v)] != v) v = frag[static_cast<std::size_t>(v)] = frag[static_cast<std::size_t>(frag[static_cast<std::size_t>(v)])];
        return v;
    };
    std::vector<std::vector<int>> adj(static_cast<std::size_t>(n));
    int edges = 0;
    auto Take = [&](int a, int b) {
        adj[static_cast<std::size_t>(a)].push_back(b), adj[static_cast<std::size_t>(b)].push_back(a);
        ++deg[static_cast<std::size_t>(a)], ++deg[static_cast<std::size_t>(b)];
        frag[static_cast<std::size_t>(Find(a))] = Find(b);
        ++edges;
    };
    for (const CCand& c : cand) {
        if (edges == n - 1) break;
        if (deg[static_cast<std::size_t>(c.a)] < 2 && deg[static_cast<std::size_t>(c.b)] < 2 && Find(c.a) != Find(c.b))
            Take(c.a, c.b);
    }
    // Join the remaining fragments: the cheapest edge between two ends of different fragments.
    while (edges < n - 1) {
        std::vector<int> ends;
        for (int v = 0; v < n; ++v)
            if (deg[static_cast<std::size_t>(v)] < 2) ends.push_back(v);
        int64_t best = INT64_MAX;
        int ba = -1, bb = -1;
        for (std::size_t i = 0; i < ends.size(); ++i)
            for (std::size_t j = i + 1; j < ends.size(); ++j)
                if (Find(ends[i]) != Find(ends[j]) && t.W(ends[i], ends[j]) < best)
                    best = t.W(ends[i], ends[j]), ba = ends[i], bb = ends[j];
        Take(ba, bb);
    }
    // Walk the path from one end.
    int v = 0;
    while (deg[static_cast<std::size_t>(v)] == 2) ++v;
    std::vector<int> tour{v};
    int prev = -1;
    while (static_cast<int>(tour.size()) < n) {
        const auto& a = adj[static_cast<std::size_t>(v)];
        const int next = a[0] != prev ? a[0] : a[1];
        prev = v, v = next;
        tour.push_back(v);
    }
    ImproveTour(t, nl, tour, nullptr);
    return tour;
}

std::vector<int> StartTour(const CTspTable& t, const std::vector<std::vector<int>>& nl, const std::function<bool()>& stop) {
    const int n = t.n;
    std::vector<int> tour = NearestNeighbourTour(t);
    return IteratedTour(t, nl, tour, std::max(1000, 20 * n), 1, stop);
}
