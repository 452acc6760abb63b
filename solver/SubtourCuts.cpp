// Branch and cut for the optimum method, on the GLPK library's integer-programming solver.
//
// One 0/1 variable per edge; each node lies on two chosen edges; every node set S with
// 2 <= |S| <= n-2 is left by at least two chosen edges (a subtour elimination constraint). GLPK
// solves the relaxations and branches; at every relaxation it hands back (row generation), the
// constraints it violates are added and the relaxation solved again. So no solution with a
// subtour can become an incumbent: each passes the separation first, and GLPK's rounding and
// search heuristics, which know only the rows written so far, are switched off. Separation:
//  - the connected components of the edges with a positive value: each component of several is
//    a violated set (this alone decides every integer solution);
//  - a connected fractional solution: the minimum cut of the edge values (Stoer and Wagner); a cut
//    below 2 is a violated set.
// The objective is integral, so GLPK prunes a branch whose bound rounds up to the incumbent.
#include <glpk.h>

#include <algorithm>
#include <climits>
#include <cmath>

#include "solver/OptimumCore.h"

namespace {

constexpr double kEps = 1e-6;
constexpr double kCutEps = 1e-4;

struct CCutSearch {
    const CTspTable& t;
    const OptimumPollFn& poll;
    std::vector<int> ei, ej;  // the edge of column c + 1
    std::vector<int> bestTour;
    int64_t bestCost = INT64_MAX;
    double bound = -HUGE_VAL;
    bool heuristicGiven = false;
    bool stopped = false;
    int branches = 0;  // subproblems created so far

    int Col(int a, int b) const {  // column of edge {a, b}, a != b
        if (a > b) std::swap(a, b);
        const int n = t.n;
        return a * n - a * (a + 1) / 2 + (b - a - 1) + 1;
    }

    // The tour of a 0/1 solution (read as x > 0.5), or empty when it is none.
    std::vector<int> TourOf(const std::vector<double>& x) const {
        const int n = t.n;
        std::vector<std::vector<int>> next(static_cast<std::size_t>(n));
        for (std::size_t c = 0; c < ei.size(); ++c)
            if (x[c] > 0.5) next[ei[c]].push_back(ej[c]), next[ej[c]].push_back(ei[c]);
        for (auto& v : next)
            if (v.size() != 2) return {};
        std::vector<int> tour{0};
        int prev = 0, cur = next[0][0];
        while (cur != 0 && static_cast<int>(tour.size()) <= n) {
            tour.push_back(cur);
            const int go = next[cur][0] == prev ? next[cur][1] : next[cur][0];
            prev = cur, cur = go;
        }
        return static_cast<int>(tour.size()) == n && cur == 0 ? tour : std::vector<int>{};
    }

    // Adds the row "the edges leaving S sum to at least 2".
    void AddCut(glp_prob* lp, const std::vector<char>& inS) {
        std::vector<int> ind{0};
        std::vector<double> val{0.0};
        for (std::size_t c = 0; c < ei.size(); ++c)
            if (inS[ei[c]] != inS[ej[c]]) ind.push_back(static_cast<int>(c) + 1), val.push_back(1.0);
        const int row = glp_add_rows(lp, 1);
        glp_set_mat_row(lp, row, static_cast<int>(ind.size()) - 1, ind.data(), val.data());
        glp_set_row_bnds(lp, row, GLP_LO, 2.0, 0.0);
    }

    // Adds the violated subtour constraints of the relaxation's solution x; returns their number.
    int Separate(glp_prob* lp, const std::vector<double>& x) {
        const int n = t.n;
        std::vector<int> comp(static_cast<std::size_t>(n), -1);
        std::vector<std::vector<int>> adj(static_cast<std::size_t>(n));
        for (std::size_t c = 0; c < ei.size(); ++c)
            if (x[c] > kEps) adj[ei[c]].push_back(ej[c]), adj[ej[c]].push_back(ei[c]);
        int comps = 0;
        for (int s = 0; s < n; ++s) {
            if (comp[s] >= 0) continue;
            std::vector<int> stack{s};
            comp[s] = comps;
            while (!stack.empty()) {
                const int v = stack.back();
                stack.pop_back();
                for (int u : adj[v])
                    if (comp[u] < 0) comp[u] = comps, stack.push_back(u);
            }
            ++comps;
        }
        if (comps > 1) {
            for (int k = 0; k < comps; ++k) {
                std::vector<char> inS(static_cast<std::size_t>(n));
                for (int v = 0; v < n; ++v) inS[v] = comp[v] == k;
                AddCut(lp, inS);
            }
            return comps;
        }
        std::vector<char> side;
        if (MinCut(x, side) < 2.0 - kCutEps) {
            AddCut(lp, side);
            return 1;
        }
        return 0;
    }

    // Stoer-Wagner: the value of a minimum cut of the edge values and one side of it.
    double MinCut(const std::vector<double>& x, std::vector<char>& side) const {
        const int n = t.n;
        std::vector<double> g(static_cast<std::size_t>(n) * n, 0.0);
        for (std::size_t c = 0; c < ei.size(); ++c) g[ei[c] * n + ej[c]] = g[ej[c] * n + ei[c]] = x[c];
        std::vector<std::vector<int>> members(static_cast<std::size_t>(n));
        for (int v = 0; v < n; ++v) members[v] = {v};
        std::vector<int> alive(static_cast<std::size_t>(n));
        for (int v = 0; v < n; ++v) alive[v] = v;
        double best = HUGE_VAL;
        while (alive.size() > 1) {
            const std::size_t m = alive.size();
            std::vector<double> key(m, 0.0);
            std::vector<char> added(m, 0);
            std::size_t prev = 0, last = 0;
            for (std::size_t step = 0; step < m; ++step) {
                std::size_t pick = m;
                for (std::size_t k = 0; k < m; ++k)
                    if (!added[k] && (pick == m || key[k] > key[pick])) pick = k;
                added[pick] = 1;
                prev = last, last = pick;
                if (step + 1 == m) break;
                for (std::size_t k = 0; k < m; ++k)
                    if (!added[k]) key[k] += g[alive[pick] * n + alive[k]];
            }
            if (key[last] < best) {
                best = key[last];
                side.assign(static_cast<std::size_t>(n), 0);
                for (int v : members[alive[last]]) side[v] = 1;
            }
            // Merge last into prev.
            const int a = alive[prev], b = alive[last];
            for (int v : alive) {
                g[a * n + v] += g[b * n + v];
                g[v * n + a] = g[a * n + v];
            }
            g[a * n + a] = 0;
            members[a].insert(members[a].end(), members[b].begin(), members[b].end());
            alive.erase(alive.begin() + static_cast<std::ptrdiff_t>(last));
        }
        return best;
    }

    std::vector<double> Values(glp_prob* lp, bool mip) const {
        std::vector<double> x(ei.size());
        for (std::size_t c = 0; c < ei.size(); ++c)
            x[c] = mip ? glp_mip_col_val(lp, static_cast<int>(c) + 1)
                       : glp_get_col_prim(lp, static_cast<int>(c) + 1);
        return x;
    }

    static void Callback(glp_tree* tree, void* info) { static_cast<CCutSearch*>(info)->OnEvent(tree); }

    void OnEvent(glp_tree* tree) {
        glp_prob* lp = glp_ios_get_prob(tree);
        switch (glp_ios_reason(tree)) {
            case GLP_IROWGEN:
                Separate(lp, Values(lp, false));
                break;
            case GLP_IHEUR:
                if (!heuristicGiven && !bestTour.empty()) {
                    heuristicGiven = true;
                    std::vector<double> x(ei.size() + 1, 0.0);
                    for (std::size_t k = 0; k < bestTour.size(); ++k)
                        x[static_cast<std::size_t>(Col(bestTour[k], bestTour[(k + 1) % bestTour.size()]))] =
                            1.0;
                    glp_ios_heur_sol(tree, x.data());
                }
                break;
            case GLP_IBINGO: {
                std::vector<int> tour = TourOf(Values(lp, true));
                if (!tour.empty() && TourCost(t, tour) < bestCost)
                    bestCost = TourCost(t, tour), bestTour = tour;
                break;
            }
            default:
                break;
        }
        int active = 0, current = 0;
        glp_ios_tree_size(tree, &active, &current, &branches);
        if (const int node = glp_ios_best_node(tree); node != 0)
            bound = std::max(bound, glp_ios_node_bound(tree, node));
        if (!stopped && poll && poll(bestCost, RoundedBound(), bound > -HUGE_VAL)) {
            stopped = true;
            glp_ios_terminate(tree);
        }
    }

    // The integral bound: the relaxation's bound rounded up, never above the best cost.
    int64_t RoundedBound() const {
        if (!(bound > -HUGE_VAL)) return 0;
        const auto b = static_cast<int64_t>(std::ceil(bound - kEps));
        return std::min(b, bestCost);
    }
};

}  // namespace

COptimumCore SubtourCutSolve(const CTspTable& t, const std::vector<int>& start, const OptimumPollFn& poll) {
    COptimumCore r;
    const int n = t.n;
    CCutSearch search{t, poll, {}, {}, start, start.empty() ? INT64_MAX : TourCost(t, start)};
    if (n <= 3) {
        for (int k = 0; k < n; ++k) r.tour.push_back(k);
        r.cost = r.bound = TourCost(t, r.tour);
        r.hasBound = r.proven = true;
        return r;
    }
    glp_prob* lp = glp_create_prob();
    glp_set_obj_dir(lp, GLP_MIN);
    const int edges = n * (n - 1) / 2;
    glp_add_cols(lp, edges);
    for (int a = 0; a < n; ++a)
        for (int b = a + 1; b < n; ++b) {
            const int c = search.Col(a, b);
            search.ei.push_back(a), search.ej.push_back(b);
            glp_set_col_kind(lp, c, GLP_BV);
            glp_set_obj_coef(lp, c, static_cast<double>(t.W(a, b)));
        }
    glp_add_rows(lp, n);
    for (int v = 0; v < n; ++v) {
        std::vector<int> ind{0};
        std::vector<double> val{0.0};
        for (int u = 0; u < n; ++u)
            if (u != v) ind.push_back(search.Col(u, v)), val.push_back(1.0);
        glp_set_mat_row(lp, v + 1, n - 1, ind.data(), val.data());
        glp_set_row_bnds(lp, v + 1, GLP_FX, 2.0, 2.0);
    }
    glp_smcp simplex;
    glp_init_smcp(&simplex);
    simplex.msg_lev = GLP_MSG_OFF;
    glp_iocp mip;
    glp_init_iocp(&mip);
    mip.msg_lev = GLP_MSG_OFF;
    mip.cb_func = &CCutSearch::Callback;
    mip.cb_info = &search;
    mip.presolve = GLP_OFF;
    mip.sr_heur = GLP_OFF;  // rounding knows only the rows written so far: it could accept a subtour
    mip.fp_heur = GLP_OFF;
    mip.ps_heur = GLP_OFF;
    mip.mip_gap = 0.0;
    const int simplexRc = glp_simplex(lp, &simplex);
    const int rc = simplexRc == 0 ? glp_intopt(lp, &mip) : simplexRc;
    if (rc == 0 && glp_mip_status(lp) == GLP_OPT) {
        std::vector<int> tour = search.TourOf(search.Values(lp, true));
        if (!tour.empty() && TourCost(t, tour) <= search.bestCost) {
            search.bestTour = tour;
            search.bestCost = TourCost(t, tour);
            r.proven = true;
        }
    }
    r.tour = search.bestTour;
    r.cost = search.bestCost;
    r.stopped = search.stopped;
    if (r.proven) {
        r.bound = r.cost;
        r.hasBound = true;
    } else if (search.bound > -HUGE_VAL) {
        r.bound = search.RoundedBound();
        r.hasBound = true;
        r.proven = !r.tour.empty() && r.bound >= r.cost && !r.stopped;
    }
    r.branches = static_cast<int64_t>(search.branches);
    glp_delete_prob(lp);
    return r;
}
