// The LP interface on both solvers: the same optimum and duals that price every column as the
// solver's own reduced costs, rows and columns added and removed with a warm start, and a stop
// asked for in the middle of a solve.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "solver/LpSolver.h"

namespace {

// The 2-matching LP of a complete graph on n nodes: x_e in [0, 1], each node on two edges,
// cost (a * 7 + b * 13) % 31 + 1 for edge {a, b}.
struct CMatchingLp {
    int n;
    std::vector<std::pair<int, int>> edges;
    std::unique_ptr<CLpSolver> lp;
    CMatchingLp(ELpKind kind, int nodes) : n(nodes), lp(MakeLpSolver(kind)) {
        CLpVectors rows;
        for (int v = 0; v < n; ++v) rows.Close(), rows.lo.push_back(2), rows.hi.push_back(2);
        lp->AddRows(rows);
        CLpVectors cols;
        for (int a = 0; a < n; ++a)
            for (int b = a + 1; b < n; ++b) {
                edges.push_back({a, b});
                cols.idx.insert(cols.idx.end(), {a, b});
                cols.val.insert(cols.val.end(), {1.0, 1.0});
                cols.Close();
                cols.lo.push_back(0), cols.hi.push_back(1), cols.obj.push_back((a * 7 + b * 13) % 31 + 1);
            }
        lp->AddCols(cols);
    }
    // The largest gap between the solver's reduced costs and c - y_a - y_b - (cut rows' duals).
    double PricingError(const std::vector<std::vector<int>>& cutCols) const {
        std::vector<double> y, d;
        lp->Duals(y);
        lp->ReducedCosts(d);
        double worst = 0;
        for (std::size_t c = 0; c < edges.size(); ++c) {
            double rc = (edges[c].first * 7 + edges[c].second * 13) % 31 + 1 - y[static_cast<std::size_t>(edges[c].first)] -
                        y[static_cast<std::size_t>(edges[c].second)];
            for (std::size_t r = 0; r < cutCols.size(); ++r)
                for (int k : cutCols[r])
                    if (k == static_cast<int>(c)) rc -= y[static_cast<std::size_t>(n) + r];
            worst = std::max(worst, std::fabs(rc - d[c]));
        }
        return worst;
    }
};

}  // namespace

TEST(LpSolver, BothSolversAgreeAndTheirDualsPriceEveryColumn) {
    double objective[2] = {0, 0};
    for (ELpKind kind : {ELpKind::Glpk, ELpKind::Clp}) {
        CMatchingLp m(kind, 12);
        ASSERT_EQ(m.lp->Solve(0, {}), ELpStatus::Optimal);
        EXPECT_LT(m.PricingError({}), 1e-7);
        // A cut row over the first node set {0..5} (edges leaving it at least 2), warm start.
        CLpVectors cut;
        std::vector<int> crossing;
        for (std::size_t c = 0; c < m.edges.size(); ++c)
            if ((m.edges[c].first < 6) != (m.edges[c].second < 6)) crossing.push_back(static_cast<int>(c));
        for (int c : crossing) cut.idx.push_back(c), cut.val.push_back(1.0);
        cut.Close();
        cut.lo.push_back(2), cut.hi.push_back(1e30);
        m.lp->AddRows(cut);
        m.lp->SetColBounds(0, 1, 1);
        ASSERT_EQ(m.lp->Solve(0, {}), ELpStatus::Optimal);
        EXPECT_LT(m.PricingError({crossing}), 1e-7);
        std::vector<double> y;
        m.lp->Duals(y);
        EXPECT_GE(y.back(), -1e-9);  // a >= row of a minimum: its dual is not negative
        objective[kind == ELpKind::Clp] = m.lp->Objective();
        // The cut row and the last column go again; the rest still solves.
        m.lp->DelRows({m.n});
        m.lp->DelCols({static_cast<int>(m.edges.size()) - 1});
        EXPECT_EQ(m.lp->Rows(), m.n);
        EXPECT_EQ(m.lp->Solve(0, {}), ELpStatus::Optimal);
    }
    EXPECT_NEAR(objective[0], objective[1], 1e-6);
}

TEST(LpSolver, AStopInTheMiddleOfASolveEndsIt) {
    for (ELpKind kind : {ELpKind::Glpk, ELpKind::Clp}) {
        CMatchingLp m(kind, 200);
        m.lp->SetPollMs(0);  // ask at every chance
        int asked = 0;
        EXPECT_EQ(m.lp->Solve(0, [&] { return ++asked >= 1; }), ELpStatus::Stopped) << m.lp->Name();
        EXPECT_GE(asked, 1);
        m.lp->SetPollMs(kLpPollMs);
        EXPECT_EQ(m.lp->Solve(0, {}), ELpStatus::Optimal) << m.lp->Name();
    }
}
