// The optimum method's two ways against the exact method and against each other.
#pragma once

#include <random>
#include <string>

#include "solver/OptimumCore.h"
#include "solver/OptimumMethod.h"
#include "support/Networks.h"

// count random networks of nMin..nMax nodes (weights -A..A, A alternating 3 and 100, minimum and
// maximum mode): both ways must give the exact method's cost, a cycle of that cost, and leave the
// weights as they were. "" when all agree, else the first difference.
inline std::string CompareOptimumWithExact(int count, int nMin, int nMax, unsigned seed) {
    std::mt19937 rng(seed);
    for (int t = 0; t < count; ++t) {
        const int n = nMin + t % (nMax - nMin + 1);
        auto s = MakeSolver(n);
        const int a = t % 2 ? 3 : 100;
        std::uniform_int_distribution<int> draw(-a, a);
        for (int i = 1; i <= n; ++i)
            for (int j = i + 1; j <= n; ++j) s->m_ppWeight[i][j] = draw(rng);
        s->m_bMaximum = t % 3 == 2;
        const auto before = WeightSnapshot(*s);
        const int exact = s->ExpMethodNet(0, nullptr);
        const std::string what = "network " + std::to_string(t) + " (n=" + std::to_string(n) + "): ";
        for (EOptimumWay way : {OPTIMUM_DYNAMIC, OPTIMUM_BOUNDS}) {
            COptimumResult r;
            if (OptimumMethodNet(*s, way, r) != 0 || !r.proven)
                return what + "way " + std::to_string(way) + " proved nothing";
            if (r.cost != exact || r.bound != exact)
                return what + "way " + std::to_string(way) + " cost " + std::to_string(r.cost) + ", exact " +
                       std::to_string(exact);
            if (s->CycleCostOf(s->m_aBest) != exact || s->m_nBestCost != exact)
                return what + "the recorded cycle costs another amount";
            if (WeightSnapshot(*s) != before) return what + "the weights changed";
        }
    }
    return "";
}

// count random networks of nMin..nMax nodes: the dynamic programme and the bounds agree.
inline std::string CompareOptimumWays(int count, int nMin, int nMax, unsigned seed) {
    std::mt19937 rng(seed);
    for (int t = 0; t < count; ++t) {
        const int n = nMin + t % (nMax - nMin + 1);
        auto s = MakeSolver(n);
        FillRandom(*s, rng, t % 2 ? 5 : 1000);
        s->m_bMaximum = t % 4 == 3;
        COptimumResult dp, bounds;
        OptimumMethodNet(*s, OPTIMUM_DYNAMIC, dp);
        OptimumMethodNet(*s, OPTIMUM_BOUNDS, bounds);
        const std::string what = "network " + std::to_string(t) + " (n=" + std::to_string(n) + "): ";
        if (!dp.proven || !bounds.proven) return what + "not proven";
        if (dp.cost != bounds.cost)
            return what + "dynamic programme " + std::to_string(dp.cost) + ", bounds " +
                   std::to_string(bounds.cost);
        if (s->CycleCostOf(s->m_aBest) != bounds.cost) return what + "the cycle costs another amount";
    }
    return "";
}

// A distance table of n nodes, weights -amplitude..amplitude (negated when maximum: how the method
// runs maximum mode).
inline CTspTable RandomTspTable(int n, int amplitude, bool maximum, std::mt19937& rng) {
    std::uniform_int_distribution<int> draw(-amplitude, amplitude);
    CTspTable t;
    t.n = n;
    t.d.assign(static_cast<std::size_t>(n * n), 0);
    for (int a = 0; a < n; ++a)
        for (int b = a + 1; b < n; ++b)
            t.d[static_cast<std::size_t>(a * n + b)] = t.d[static_cast<std::size_t>(b * n + a)] = (maximum ? -1 : 1) * draw(rng);
    return t;
}

// count random distance tables of nMin..nMax nodes, weights -amplitude..amplitude (negated for
// every third: maximum mode as the method runs it): the branch and cut, on GLPK and CLP in turn
// and with strong branching off for every fifth, proves the dynamic programme's optimum with a
// tour of that cost. "" when all agree, else the first difference.
inline std::string CompareBranchCutWithDynamic(int count, int nMin, int nMax, int amplitude, unsigned seed) {
    std::mt19937 rng(seed);
    for (int trial = 0; trial < count; ++trial) {
        const int n = nMin + trial % (nMax - nMin + 1);
        const CTspTable t = RandomTspTable(n, amplitude, trial % 3 == 2, rng);
        const COptimumCore dp = HeldKarpSolve(t, {});
        CBranchCutOptions o;
        o.lp = trial % 2 ? ELpKind::Glpk : ELpKind::Clp;
        o.strongBranching = trial % 5 != 0;
        const COptimumCore bc = BranchCutSolve(t, HeuristicTour(t), {}, o);
        const std::string what = "table " + std::to_string(trial) + " (n=" + std::to_string(n) + "): ";
        if (!bc.proven) return what + "not proven";
        if (bc.cost != dp.cost || bc.bound != dp.cost)
            return what + "branch and cut " + std::to_string(bc.cost) + ", dynamic programme " + std::to_string(dp.cost);
        if (TourCost(t, bc.tour) != bc.cost) return what + "the tour costs another amount";
    }
    return "";
}
