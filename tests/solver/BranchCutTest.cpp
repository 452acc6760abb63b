// The optimum method's branch and cut: every cut its separation makes holds for every tour, the
// search equals the dynamic programme on networks full of ties (on both LP solvers), and a stop at
// any moment keeps a tour and a bound no higher than the optimum.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numeric>
#include <random>

#include "solver/OptimumCore.h"
#include "solver/TspCuts.h"
#include "support/OptimumCompare.h"

namespace {

// The least left-hand side of the cut over all tours: a tour problem whose edge weights are the
// cut's coefficients, solved exactly by the dynamic programme.
int64_t LeastOverTours(const CTspCut& cut, int n) {
    CTspTable coef;
    coef.n = n;
    coef.d.assign(static_cast<std::size_t>(n * n), 0);
    std::vector<int> eu, ev, c;
    for (int a = 0; a < n; ++a)
        for (int b = a + 1; b < n; ++b) eu.push_back(a), ev.push_back(b);
    std::vector<char> mark(static_cast<std::size_t>(n), 0);
    CutCoefs(cut, eu, ev, c, mark);
    for (std::size_t k = 0; k < eu.size(); ++k)
        coef.d[static_cast<std::size_t>(eu[k] * n + ev[k])] = coef.d[static_cast<std::size_t>(ev[k] * n + eu[k])] = c[k];
    return HeldKarpSolve(coef, {}).cost;
}

// A point of a 2-matching relaxation, values 1/2 and 1: odd cycles of 1/2 (sizes 3 and 5) whose
// nodes are joined in pairs by paths of value 1 through the other nodes. Such points violate
// subtour cuts and blossoms alike, and only the cuts' own rules keep them valid.
CEdgePoint HalfPoint(int n, std::mt19937& rng) {
    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), rng);
    std::map<std::pair<int, int>, double> x;
    auto Add = [&](int u, int v, double value) { x[{std::min(u, v), std::max(u, v)}] += value; };
    std::vector<int> ends;
    std::size_t k = 0;
    const int cycles = 2 + static_cast<int>(rng() % 2) * 2;
    for (int c = 0; c < cycles; ++c) {
        const std::size_t size = rng() % 2 ? 3 : 5;
        if (k + size + 2 > order.size()) break;
        for (std::size_t i = 0; i < size; ++i) {
            Add(order[k + i], order[k + (i + 1) % size], 0.5);
            ends.push_back(order[k + i]);
        }
        k += size;
    }
    if (ends.size() % 2) ends.pop_back();  // cannot happen with an even number of odd cycles
    std::shuffle(ends.begin(), ends.end(), rng);
    std::vector<int> inner(order.begin() + static_cast<std::ptrdiff_t>(k), order.end());
    for (std::size_t e = 0; e + 1 < ends.size(); e += 2) {
        int from = ends[e];
        // Each path takes a share of the other nodes.
        const std::size_t take = e + 2 >= ends.size() ? inner.size() : rng() % (inner.size() + 1) / 2;
        for (std::size_t i = 0; i < take; ++i) {
            Add(from, inner.back(), 1.0);
            from = inner.back();
            inner.pop_back();
        }
        Add(from, ends[e + 1], 1.0);
    }
    CEdgePoint p;
    p.n = n;
    for (auto [e, value] : x) p.u.push_back(e.first), p.v.push_back(e.second), p.x.push_back(value);
    return p;
}

// n random points on a side x side grid, their distances rounded.
CTspTable PlaneTable(int n, uint32_t side, std::mt19937& rng) {
    std::vector<std::pair<double, double>> at(static_cast<std::size_t>(n));
    for (auto& [x, y] : at) x = static_cast<double>(rng() % side), y = static_cast<double>(rng() % side);
    CTspTable t;
    t.n = n;
    t.d.assign(static_cast<std::size_t>(n * n), 0);
    for (std::size_t a = 0; a < at.size(); ++a)
        for (std::size_t b = 0; b < at.size(); ++b)
            t.d[a * at.size() + b] = std::lround(std::hypot(at[a].first - at[b].first, at[a].second - at[b].second));
    return t;
}

}  // namespace

TEST(BranchCut, EveryCutHoldsForEveryTour) {
    std::mt19937 rng(5);
    int blossoms = 0, subtours = 0, combs = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const int n = 10 + trial % 6;
        const CEdgePoint p = HalfPoint(n, rng);
        std::vector<CTspCut> cuts = SeparateSubtours(p, 1e-3, 50);
        const std::size_t firstBlossom = cuts.size();
        subtours += static_cast<int>(firstBlossom);
        for (CTspCut& c : SeparateBlossoms(p, 1e-3, 50)) cuts.push_back(std::move(c));
        for (CTspCut& c : SeparateOddCutBlossoms(p, 1e-3, 50)) cuts.push_back(std::move(c));
        // Combs with sets shrunk (tightness makes them strong, not valid): edges of value 1 here.
        std::vector<std::vector<int>> sets;
        for (std::size_t k = 0; k < p.x.size(); ++k)
            if (p.x[k] == 1.0 && rng() % 2) sets.push_back({p.u[k], p.v[k]});
        for (CTspCut& c : SeparateCombs(p, sets, 1e-3, 50)) combs += c.kind == CUT_COMB, cuts.push_back(std::move(c));
        blossoms += static_cast<int>(cuts.size() - firstBlossom);
        for (const CTspCut& cut : cuts) {
            ASSERT_LT(CutLhs(cut, p), cut.rhs - 1e-3) << "trial " << trial << ": not violated";
            ASSERT_GE(LeastOverTours(cut, n), cut.rhs)
                << "trial " << trial << ": a " << (cut.kind == CUT_BLOSSOM ? "blossom" : "subtour cut")
                << " that a tour violates";
        }
    }
    EXPECT_GT(blossoms, 20);
    EXPECT_GT(subtours, 20);
    EXPECT_GT(combs, 5);
}

// The cuts a whole search makes on points with values of every kind (not only 1/2 and 1): each
// holds for the optimum it ends with and for good tours found apart. Points in the plane make
// blossoms from odd minimum cuts whose teeth change sides and combs over tight groups grown by the
// shrinking rules.
TEST(BranchCut, EveryCutOfASearchInThePlaneHoldsForItsOptimum) {
    std::mt19937 rng(11);
    for (int trial = 0; trial < 4; ++trial) {
        const int n = 120;
        const CTspTable t = PlaneTable(n, 1000, rng);
        std::vector<CTspCut> cuts;
        CBranchCutOptions o;
        o.onCut = [&](const CTspCut& c) { cuts.push_back(c); };
        const COptimumCore r = BranchCutSolve(t, NearestNeighbourTour(t), {}, o);
        ASSERT_TRUE(r.proven);
        std::vector<std::vector<int>> tours{r.tour};
        const auto nl = NeighbourLists(t, 8);
        for (uint32_t seed = 1; seed <= 8; ++seed) tours.push_back(IteratedTour(t, nl, NearestNeighbourTour(t), 50, seed, {}));
        int kinds[3] = {0, 0, 0};
        for (const CTspCut& c : cuts) {
            ++kinds[c.kind];
            for (const auto& tour : tours)
                ASSERT_GE(CutLhsOnTour(c, tour), c.rhs) << "trial " << trial << ": a cut of kind " << static_cast<int>(c.kind) << " that a tour violates";
        }
        EXPECT_GT(kinds[CUT_BLOSSOM] + kinds[CUT_COMB], 0) << "trial " << trial;
    }
}

// The tour search's moves, Lin-Kernighan chains among them, end on a tour (every node once) no
// dearer than the start and with no improving 2-opt move left over the neighbour lists: a chain
// that is not put back where it found no gain leaves a tour the search never looks at again.
TEST(BranchCut, TourSearchEndsOnATourWithoutImproving2OptMoves) {
    std::mt19937 rng(3);
    for (int trial = 0; trial < 20; ++trial) {
        const int n = 60 + 20 * (trial % 5);
        const CTspTable t = PlaneTable(n, 500, rng);
        const auto nl = NeighbourLists(t, 8);
        std::vector<int> tour(static_cast<std::size_t>(n));
        std::iota(tour.begin(), tour.end(), 0);
        std::shuffle(tour.begin(), tour.end(), rng);
        const int64_t before = TourCost(t, tour);
        ImproveTour(t, nl, tour, nullptr);
        std::vector<int> sorted = tour;
        std::sort(sorted.begin(), sorted.end());
        for (int v = 0; v < n; ++v) ASSERT_EQ(sorted[static_cast<std::size_t>(v)], v) << "trial " << trial;
        ASSERT_LE(TourCost(t, tour), before);
        std::vector<int> pos(static_cast<std::size_t>(n));
        for (int k = 0; k < n; ++k) pos[static_cast<std::size_t>(tour[static_cast<std::size_t>(k)])] = k;
        auto Next = [&](int v) { return tour[static_cast<std::size_t>((pos[static_cast<std::size_t>(v)] + 1) % n)]; };
        for (int a = 0; a < n; ++a)
            for (int c : nl[static_cast<std::size_t>(a)]) {
                const int b = Next(a), d = Next(c);
                if (c == b || d == a) continue;
                EXPECT_GE(t.W(a, c) + t.W(b, d), t.W(a, b) + t.W(c, d)) << "trial " << trial << ": 2-opt at " << a << ", " << c;
            }
    }
}

TEST(BranchCut, EqualsTheDynamicProgrammeOnNetworksFullOfTies) {
    EXPECT_EQ(CompareBranchCutWithDynamic(400, 13, 16, 3, 31), "");
}

TEST(BranchCut, AStopAtAnyMomentKeepsATourAndATrueBound) {
    std::mt19937 rng(8);
    const CTspTable t = RandomTspTable(60, 3, false, rng);
    const COptimumCore full = BranchCutSolve(t, HeuristicTour(t), {});
    ASSERT_TRUE(full.proven);
    for (ELpKind lp : {ELpKind::Clp, ELpKind::Glpk})
        for (int at : {1, 2, 3, 5, 8, 13, 21}) {
            int calls = 0;
            CBranchCutOptions o;
            o.lp = lp;
            const COptimumCore r = BranchCutSolve(t, HeuristicTour(t), [&](int64_t, int64_t, bool) { return ++calls >= at; }, o);
            if (r.proven) continue;  // settled before the stop
            EXPECT_TRUE(r.stopped);
            ASSERT_EQ(static_cast<int>(r.tour.size()), 60);
            EXPECT_EQ(TourCost(t, r.tour), r.cost);
            EXPECT_GE(r.cost, full.cost);
            if (r.hasBound) {
                EXPECT_LE(r.bound, full.cost) << "stop at poll " << at;
            }
        }
}
