// The optimum method's branch and cut over an LP of its own (solver/LpSolver.h).
//
// Variables: one per edge, 0 <= x <= 1; rows: each node on two chosen edges, and cuts
// (solver/TspCuts.h) found as the relaxations violate them. The LP holds only candidate edges
// (nearest neighbours and the incumbent's edges); the other edges are priced by their reduced
// cost, and a bound is only believed from duals over every edge:
//
//   L = sum 2 pi_v + sum r_c mu_c + sum over free edges of min(0, rc_e) + sum over edges fixed to 1 of rc_e
//
// which weak duality makes a lower bound of every tour in the subproblem for any duals with
// mu >= 0, whatever the LP's tolerances. It is summed in long double with a margin for rounding,
// and the costs are integers, so a subproblem goes when ceil(L - margin) reaches the incumbent.
// The same duals fix edges: an edge whose reduced cost alone lifts the bound to the incumbent is
// left out (at the root for the whole search, deeper for the subtree), and one whose removal
// would do so is fixed to 1. Branching: among the fractional edges nearest 1/2 a few are tried by
// a limited dual simplex in both directions (strong branching), the one with the best product of
// rises is taken; the open subproblem of the least bound goes next (best bound first), of a
// parent's two children the one that agrees with the incumbent first.
// Cuts live in a pool: rows slack for a while leave the LP and come back when violated again.
#include <algorithm>
#include <cassert>
#include <ctime>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <numeric>
#include <unordered_map>

#include "solver/OptimumCore.h"
#include "solver/TspCuts.h"

namespace {

constexpr double kFrac = 1e-6;          // x within this of 0 or 1 counts as integral
constexpr double kMinViolation = 1e-3;  // a cut is added when violated by more
constexpr double kNegRc = -1e-7;        // an edge outside the LP with a lower reduced cost is added
constexpr int kNeighbours = 10;
constexpr int kMaxCutsPerRound = 100;  // the most violated of a round's cuts that go into the LP
// Rounds a cut row may stay slack before it leaves the LP (dsj1000: a node's LPs cost 1.2 s with 3
// against 2.1 s with 6, and it was proven in 326 s).
constexpr int kRowAgeLimit = 3;
// The cut loop's end: five rounds that together raised the LP by less than this share of it. The
// root cuts on longer, since every subproblem starts from its LP and its cuts.
constexpr double kTailRoot = 1e-5;
constexpr double kTailNode = 1e-4;
constexpr int kKickEvery = 25;  // subproblems between kicked LP tours  // rounds a cut row may stay slack before it leaves the LP
// Strong branching: the fractional edges nearest 1/2 tried, and the dual simplex iterations each
// direction gets (pr76: 169 nodes and 2.2 s with 6 and 60 against 1,207 nodes and 3.7 s without).
constexpr int kStrongCandidates = 8;
constexpr int kStrongIterations = 60;

using Real = long double;


// Adds the processor seconds of its life to a total (wall time is too noisy on a shared machine).
class CTimed {
public:
    explicit CTimed(double& total) : m_total(total), m_start(std::clock()) {}
    ~CTimed() { m_total += static_cast<double>(std::clock() - m_start) / CLOCKS_PER_SEC; }
    CTimed(const CTimed&) = delete;
    CTimed& operator=(const CTimed&) = delete;

private:
    double& m_total;
    std::clock_t m_start;
};

struct CNode {
    std::vector<std::pair<int, int8_t>> fix;  // edge key, value
    Real bound = -HUGE_VALL;
    int depth = 0;
};

class CBranchCut {
public:
    CBranchCut(const CTspTable& t, const OptimumPollFn& poll, const CBranchCutOptions& o)
        : m_t(t), m_n(t.n), m_poll(poll), m_opt(o), m_lp(o.lpFactory ? o.lpFactory() : MakeLpSolver(o.lp)) {}

    COptimumCore Run(const std::vector<int>& start);

private:
    int Key(int a, int b) const { return a < b ? a * m_n + b : b * m_n + a; }
    int64_t Cost(int key) const { return m_t.W(key / m_n, key % m_n); }

    // ---- incumbent and bound ------------------------------------------------------------------
    void OfferTour(const std::vector<int>& tour) {
        if (static_cast<int>(tour.size()) != m_n) return;
        const int64_t c = TourCost(m_t, tour);
        if (c >= m_bestCost) return;
        m_bestCost = c;
        m_best = tour;
        m_inBest.assign(m_inBest.size(), 0);
        for (int k = 0; k < m_n; ++k) m_inBest[static_cast<std::size_t>(Key(tour[static_cast<std::size_t>(k)], tour[static_cast<std::size_t>((k + 1) % m_n)]))] = 1;
        if (m_bRootDone) EliminateFromRoot();
    }
    // The tour of an LP point, and with kicks > 0 that many double bridges more on it (the LP's
    // structure often holds the optimum's, which the start tour's kicks did not reach).
    void OfferLpTour(const std::vector<double>& x, int kicks = 0) {
        CTimed timed(m_heuristicSeconds);
        std::vector<int> tour = TourFromPoint(m_t, m_nl, m_colU, m_colV, x);
        if (kicks > 0) tour = IteratedTour(m_t, m_nl, std::move(tour), kicks, static_cast<uint32_t>(m_branches), [this] { return Stop(); });
        OfferTour(tour);
    }
    bool Prunes(Real bound, Real margin) const {
        return m_bestCost != INT64_MAX && std::ceil(static_cast<double>(bound - margin)) >= static_cast<double>(m_bestCost);
    }
    int64_t GlobalBound() const {
        Real b = m_curBound;
        for (const CNode& nd : m_stack) b = std::min(b, nd.bound);
        if (!(b > -HUGE_VALL)) return INT64_MIN;
        const auto r = static_cast<int64_t>(std::ceil(static_cast<double>(b) - 1e-6));
        return std::min(r, m_bestCost);
    }
    bool Stop() {
        if (m_bStopped) return true;
        const int64_t b = GlobalBound();
        if (m_poll && m_poll(m_bestCost, b == INT64_MIN ? 0 : b, b != INT64_MIN)) m_bStopped = true;
        return m_bStopped;
    }

    // ---- the LP ---------------------------------------------------------------------------------
    void AddColumns(const std::vector<int>& keys);
    bool AddCutRow(CTspCut cut);  // into the pool and the LP's next rows; false when it was there already
    void FlushRows();             // the rows AddCutRow gathered into the LP, at once
    void DropSlackRows(const std::vector<double>& x);
    ELpStatus SolveLp(int iterationLimit = 0) {
        ++m_lpSolves;
        CTimed timed(m_lpSeconds);
        return m_lp->Solve(iterationLimit, [this] { return Stop(); });
    }
    CEdgePoint Point(const std::vector<double>& x) const {
        CEdgePoint p;
        p.n = m_n;
        p.x = x;
        p.u = m_colU;
        p.v = m_colV;
        return p;
    }
    int Separate(const std::vector<double>& x) {
        const int added = GatherCuts(x);
        FlushRows();
        return added;
    }
    int GatherCuts(const std::vector<double>& x);

    // ---- pricing -------------------------------------------------------------------------------
    struct CPricing {
        Real bound = 0, margin = 0;
        std::vector<std::pair<double, int>> negative;  // rc, key of edges outside the LP
    };
    CPricing Price(bool keepRoot);
    void FixByReducedCost(const CPricing& pr, CNode& node, bool root);
    void EliminateFromRoot();

    // ---- the search ----------------------------------------------------------------------------
    bool ApplyFixings(const CNode& node);
    void ProcessNode(CNode node);
    int ChooseBranch(const std::vector<double>& x, double obj);
    std::vector<int> TourOfIntegral(const std::vector<double>& x) const;

    const CTspTable& m_t;
    const int m_n;
    const OptimumPollFn& m_poll;
    const CBranchCutOptions& m_opt;
    std::unique_ptr<CLpSolver> m_lp;
    std::vector<std::vector<int>> m_nl;

    std::vector<int> m_best;
    int64_t m_bestCost = INT64_MAX;
    std::vector<char> m_inBest;  // per edge key

    std::vector<int> m_colKey;    // edge of each LP column
    std::vector<int> m_colU, m_colV;  // its ends
    CLpVectors m_newRows;         // cut rows gathered for the LP
    std::vector<int> m_colOf;     // LP column of each edge key, -1
    std::vector<char> m_elim;     // per edge key: out of every better tour
    std::vector<char> m_fix1;     // per edge key: in every better tour
    std::vector<int8_t> m_local;  // per edge key: fixed in the current node (-1 free)
    std::vector<int> m_localKeys;

    std::vector<CTspCut> m_pool;
    std::vector<int> m_poolRow;  // LP row of each pool cut, -1
    std::vector<int> m_rowCut;   // pool cut of LP row n + i
    std::vector<int> m_rowAge;
    std::unordered_multimap<uint64_t, int> m_poolIndex;

    std::vector<double> m_duals;  // of the last pricing
    std::vector<Real> m_colRc;    // per LP column, its reduced cost in the last pricing
    bool m_bRootDone = false;
    Real m_rootBound = 0, m_rootMargin = 0;
    std::vector<double> m_rootRc;  // per edge key, the root's reduced costs (lower bounds of them)

    std::vector<CNode> m_stack;
    Real m_curBound = -HUGE_VALL;
    bool m_bStopped = false, m_bTrouble = false;
    int64_t m_branches = 0, m_lpSolves = 0;
    int64_t m_cuts[3] = {0, 0, 0};
    double m_lpSeconds = 0, m_separationSeconds = 0, m_pricingSeconds = 0, m_heuristicSeconds = 0;
    double m_strongSeconds = 0;
    std::vector<char> m_mark;
};

void CBranchCut::AddColumns(const std::vector<int>& keys) {
    if (keys.empty()) return;
    std::vector<int> eu, ev;
    for (int key : keys) eu.push_back(key / m_n), ev.push_back(key % m_n);
    // Coefficients of the cut rows, row by row.
    std::vector<std::vector<std::pair<int, double>>> colRows(keys.size());
    std::vector<int> coef;
    for (std::size_t r = 0; r < m_rowCut.size(); ++r) {
        CutCoefs(m_pool[static_cast<std::size_t>(m_rowCut[r])], eu, ev, coef, m_mark);
        for (std::size_t k = 0; k < keys.size(); ++k)
            if (coef[k] != 0) colRows[k].push_back({m_n + static_cast<int>(r), coef[k]});
    }
    CLpVectors cols;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        cols.idx.push_back(eu[k]), cols.val.push_back(1.0);
        cols.idx.push_back(ev[k]), cols.val.push_back(1.0);
        for (auto [r, c] : colRows[k]) cols.idx.push_back(r), cols.val.push_back(c);
        cols.Close();
        cols.obj.push_back(static_cast<double>(Cost(keys[k])));
        const bool one = m_fix1[static_cast<std::size_t>(keys[k])] != 0;
        const bool zero = m_elim[static_cast<std::size_t>(keys[k])] != 0;
        cols.lo.push_back(one ? 1.0 : 0.0);
        cols.hi.push_back(zero ? 0.0 : 1.0);
        m_colOf[static_cast<std::size_t>(keys[k])] = static_cast<int>(m_colKey.size());
        m_colKey.push_back(keys[k]);
        m_colU.push_back(eu[k]), m_colV.push_back(ev[k]);
    }
    m_lp->AddCols(cols);
}

bool CBranchCut::AddCutRow(CTspCut cut) {
    int index = -1;
    for (auto [it, end] = m_poolIndex.equal_range(cut.hash); it != end; ++it)
        if (SameCut(m_pool[static_cast<std::size_t>(it->second)], cut)) index = it->second;
    if (index >= 0 && m_poolRow[static_cast<std::size_t>(index)] >= 0) return false;
    if (index < 0) {
#ifndef NDEBUG
        // A valid inequality holds for every tour, the best known one included.
        if (!m_best.empty()) assert(CutLhsOnTour(cut, m_best) >= cut.rhs);
#endif
        if (m_opt.onCut) m_opt.onCut(cut);
        ++m_cuts[cut.kind];
        index = static_cast<int>(m_pool.size());
        m_poolIndex.insert({cut.hash, index});
        m_pool.push_back(std::move(cut));
        m_poolRow.push_back(-1);
    }
    std::vector<int> coef;
    CutCoefs(m_pool[static_cast<std::size_t>(index)], m_colU, m_colV, coef, m_mark);
    CLpVectors& row = m_newRows;
    for (std::size_t c = 0; c < coef.size(); ++c)
        if (coef[c] != 0) row.idx.push_back(static_cast<int>(c)), row.val.push_back(coef[c]);
    row.Close();
    row.lo.push_back(m_pool[static_cast<std::size_t>(index)].rhs);
    row.hi.push_back(1e30);
    m_poolRow[static_cast<std::size_t>(index)] = m_n + static_cast<int>(m_rowCut.size());
    m_rowCut.push_back(index);
    m_rowAge.push_back(0);
    return true;
}

void CBranchCut::FlushRows() {
    if (m_newRows.Count() > 0) m_lp->AddRows(m_newRows);
    m_newRows.Clear();
}

void CBranchCut::DropSlackRows(const std::vector<double>& x) {
    const CSupport p(Point(x));
    std::vector<int> drop;
    for (std::size_t r = 0; r < m_rowCut.size(); ++r) {
        const int row = m_n + static_cast<int>(r);
        const CTspCut& cut = m_pool[static_cast<std::size_t>(m_rowCut[r])];
        if (m_lp->RowBasic(row) && p.Lhs(cut) > cut.rhs + 1e-3)
            ++m_rowAge[r];
        else
            m_rowAge[r] = 0;
        if (m_rowAge[r] > kRowAgeLimit) drop.push_back(row);
    }
    if (drop.empty()) return;
    m_lp->DelRows(drop);
    std::vector<int> rowCut, rowAge;
    std::size_t d = 0;
    for (std::size_t r = 0; r < m_rowCut.size(); ++r) {
        if (d < drop.size() && drop[d] == m_n + static_cast<int>(r)) {
            m_poolRow[static_cast<std::size_t>(m_rowCut[r])] = -1;
            ++d;
            continue;
        }
        m_poolRow[static_cast<std::size_t>(m_rowCut[r])] = m_n + static_cast<int>(rowCut.size());
        rowCut.push_back(m_rowCut[r]);
        rowAge.push_back(m_rowAge[r]);
    }
    m_rowCut.swap(rowCut);
    m_rowAge.swap(rowAge);
}

int CBranchCut::GatherCuts(const std::vector<double>& x) {
    CTimed timed(m_separationSeconds);
    const CEdgePoint p = Point(x);
    const CSupport support(p);
    int added = 0;
    // The pool first: cuts found before, violated again.
    for (std::size_t k = 0; k < m_pool.size() && added < kMaxCutsPerRound; ++k)
        if (m_poolRow[k] < 0 && support.Lhs(m_pool[k]) < m_pool[k].rhs - kMinViolation)
            added += AddCutRow(m_pool[k]) ? 1 : 0;
    if (added > 0) return added;
    std::vector<CTspCut> found = SeparateSubtours(p, kMinViolation, kMaxCutsPerRound);
    auto Take = [&found](std::vector<CTspCut> more) { std::move(more.begin(), more.end(), std::back_inserter(found)); };
    if (m_opt.blossoms) {
        Take(SeparateBlossoms(p, kMinViolation, kMaxCutsPerRound));
        Take(SeparateOddCutBlossoms(p, kMinViolation, kMaxCutsPerRound));
        // Combs: the tight subtour sets of the LP as teeth.
        std::vector<std::vector<int>> tight;
        for (int index : m_rowCut) {
            const CTspCut& cut = m_pool[static_cast<std::size_t>(index)];
            if (cut.kind == CUT_SUBTOUR && support.Lhs(cut) < 2 + 1e-6) tight.push_back(cut.sets[0]);
        }
        Take(SeparateCombs(p, tight, kMinViolation, kMaxCutsPerRound));
    }
    // The most violated first: a round of many weak rows costs the LP more than it raises it.
    std::vector<std::pair<double, std::size_t>> order;
    for (std::size_t k = 0; k < found.size(); ++k) order.push_back({support.Lhs(found[k]) - found[k].rhs, k});
    std::sort(order.begin(), order.end());
    for (std::size_t k = 0; k < order.size() && added < kMaxCutsPerRound; ++k)
        added += AddCutRow(std::move(found[order[k].second])) ? 1 : 0;
    return added;
}

CBranchCut::CPricing CBranchCut::Price(bool keepRoot) {
    CTimed timed(m_pricingSeconds);
    CPricing pr;
    m_lp->Duals(m_duals);
    // pi'_v = pi_v + the duals of the cut sets holding v; an edge's reduced cost is
    // c - pi'_a - pi'_b + 2 * (the duals of the sets holding both ends).
    std::vector<Real> pi(static_cast<std::size_t>(m_n));
    Real base = 0, absSum = 0;
    for (int v = 0; v < m_n; ++v) {
        pi[static_cast<std::size_t>(v)] = m_duals[static_cast<std::size_t>(v)];
        base += 2 * pi[static_cast<std::size_t>(v)];
        absSum += std::fabs(2 * pi[static_cast<std::size_t>(v)]);
    }
    std::vector<std::vector<int>> setsOf(static_cast<std::size_t>(m_n));
    std::vector<Real> setDual;
    for (std::size_t r = 0; r < m_rowCut.size(); ++r) {
        const Real mu = std::max(0.0, m_duals[static_cast<std::size_t>(m_n) + r]);
        if (mu <= 0) continue;
        const CTspCut& cut = m_pool[static_cast<std::size_t>(m_rowCut[r])];
        base += mu * cut.rhs;
        absSum += mu * cut.rhs;
        for (const auto& s : cut.sets) {
            const int id = static_cast<int>(setDual.size());
            setDual.push_back(mu);
            for (int v : s) {
                pi[static_cast<std::size_t>(v)] += mu;
                setsOf[static_cast<std::size_t>(v)].push_back(id);
            }
        }
    }
    auto Rc = [&](int a, int b, Real lb) {
        const auto& la = setsOf[static_cast<std::size_t>(a)];
        const auto& lb2 = setsOf[static_cast<std::size_t>(b)];
        Real both = 0;
        for (std::size_t i = 0, j = 0; i < la.size() && j < lb2.size();) {
            if (la[i] < lb2[j]) ++i;
            else if (la[i] > lb2[j]) ++j;
            else both += setDual[static_cast<std::size_t>(la[i])], ++i, ++j;
        }
        return lb + 2 * both;
    };
    Real sum = base;
    if (keepRoot) m_rootRc.assign(static_cast<std::size_t>(m_n) * static_cast<std::size_t>(m_n), 0.0);
    m_colRc.assign(m_colKey.size(), 0);
    for (int a = 0; a < m_n; ++a)
        for (int b = a + 1; b < m_n; ++b) {
            const int key = a * m_n + b;
            if (m_elim[static_cast<std::size_t>(key)] || m_local[static_cast<std::size_t>(key)] == 0) continue;
            const Real c = static_cast<Real>(m_t.d[static_cast<std::size_t>(key)]);
            Real rc = c - pi[static_cast<std::size_t>(a)] - pi[static_cast<std::size_t>(b)];
            const bool one = m_fix1[static_cast<std::size_t>(key)] || m_local[static_cast<std::size_t>(key)] == 1;
            const int col = m_colOf[static_cast<std::size_t>(key)];
            if (rc < 0 || one || keepRoot || col >= 0) rc = Rc(a, b, rc);
            if (keepRoot) m_rootRc[static_cast<std::size_t>(key)] = static_cast<double>(rc);
            if (col >= 0) m_colRc[static_cast<std::size_t>(col)] = rc;
            absSum += std::fabs(c) + std::fabs(pi[static_cast<std::size_t>(a)]) + std::fabs(pi[static_cast<std::size_t>(b)]);
            if (one) {
                sum += rc;
            } else if (rc < 0) {
                sum += rc;
                if (m_colOf[static_cast<std::size_t>(key)] < 0 && rc < kNegRc) pr.negative.push_back({static_cast<double>(rc), key});
            }
        }
    pr.bound = sum;
    pr.margin = absSum * 1e-12L + 1e-6L;
    return pr;
}

void CBranchCut::EliminateFromRoot() {
    // An edge whose root reduced cost lifts the root bound to the incumbent is in no better tour.
    for (int a = 0; a < m_n; ++a)
        for (int b = a + 1; b < m_n; ++b) {
            const int key = a * m_n + b;
            if (m_elim[static_cast<std::size_t>(key)] || m_fix1[static_cast<std::size_t>(key)]) continue;
            const Real rc = m_rootRc[static_cast<std::size_t>(key)];
            if (rc > 0 && Prunes(m_rootBound + rc, m_rootMargin)) {
                m_elim[static_cast<std::size_t>(key)] = 1;
                if (m_colOf[static_cast<std::size_t>(key)] >= 0) m_lp->SetColBounds(m_colOf[static_cast<std::size_t>(key)], 0, 0);
            } else if (rc < 0 && Prunes(m_rootBound - rc, m_rootMargin)) {
                m_fix1[static_cast<std::size_t>(key)] = 1;
                if (m_colOf[static_cast<std::size_t>(key)] < 0) AddColumns({key});
                m_lp->SetColBounds(m_colOf[static_cast<std::size_t>(key)], 1, 1);
            }
        }
}

void CBranchCut::FixByReducedCost(const CPricing& pr, CNode& node, bool root) {
    if (m_bestCost == INT64_MAX) return;
    if (root) {
        m_rootBound = pr.bound;
        m_rootMargin = pr.margin;
        EliminateFromRoot();
        return;
    }
    // Deeper: the LP's columns, for the subtree.
    for (std::size_t c = 0; c < m_colKey.size(); ++c) {
        const int key = m_colKey[c];
        if (m_elim[static_cast<std::size_t>(key)] || m_fix1[static_cast<std::size_t>(key)] || m_local[static_cast<std::size_t>(key)] >= 0) continue;
        const Real rc = m_colRc[c];
        int8_t value = -1;
        if (rc > 0 && Prunes(pr.bound + rc, pr.margin)) value = 0;
        else if (rc < 0 && Prunes(pr.bound - rc, pr.margin)) value = 1;
        if (value < 0) continue;
        node.fix.push_back({key, value});
        m_local[static_cast<std::size_t>(key)] = value;
        m_localKeys.push_back(key);
        m_lp->SetColBounds(static_cast<int>(c), value, value);
    }
}

bool CBranchCut::ApplyFixings(const CNode& node) {
    for (int key : m_localKeys) {
        m_local[static_cast<std::size_t>(key)] = -1;
        const int col = m_colOf[static_cast<std::size_t>(key)];
        if (col >= 0)
            m_lp->SetColBounds(col, m_fix1[static_cast<std::size_t>(key)] ? 1.0 : 0.0, m_elim[static_cast<std::size_t>(key)] ? 0.0 : 1.0);
    }
    m_localKeys.clear();
    std::vector<int> missing;
    for (auto [key, value] : node.fix) {
        if (value == 1 && m_elim[static_cast<std::size_t>(key)]) return false;  // no better tour here
        if (value == 0 && m_fix1[static_cast<std::size_t>(key)]) return false;
        if (value == 1 && m_colOf[static_cast<std::size_t>(key)] < 0) missing.push_back(key);
    }
    AddColumns(missing);
    for (auto [key, value] : node.fix) {
        m_local[static_cast<std::size_t>(key)] = value;
        m_localKeys.push_back(key);
        const int col = m_colOf[static_cast<std::size_t>(key)];
        if (col >= 0) m_lp->SetColBounds(col, value, value);
    }
    return true;
}

std::vector<int> CBranchCut::TourOfIntegral(const std::vector<double>& x) const {
    std::vector<std::vector<int>> adj(static_cast<std::size_t>(m_n));
    for (std::size_t c = 0; c < x.size(); ++c)
        if (x[c] > 0.5) {
            const int a = m_colKey[c] / m_n, b = m_colKey[c] % m_n;
            adj[static_cast<std::size_t>(a)].push_back(b), adj[static_cast<std::size_t>(b)].push_back(a);
        }
    for (const auto& a : adj)
        if (a.size() != 2) return {};
    std::vector<int> tour{0};
    int prev = 0, cur = adj[0][0];
    while (cur != 0 && static_cast<int>(tour.size()) <= m_n) {
        tour.push_back(cur);
        const auto& a = adj[static_cast<std::size_t>(cur)];
        const int go = a[0] == prev ? a[1] : a[0];
        prev = cur, cur = go;
    }
    return static_cast<int>(tour.size()) == m_n && cur == 0 ? tour : std::vector<int>{};
}

int CBranchCut::ChooseBranch(const std::vector<double>& x, double obj) {
    std::vector<std::pair<double, int>> frac;
    for (std::size_t c = 0; c < x.size(); ++c)
        if (x[c] > kFrac && x[c] < 1 - kFrac) frac.push_back({std::fabs(x[c] - 0.5), static_cast<int>(c)});
    if (frac.empty()) return -1;
    std::sort(frac.begin(), frac.end());
    static const int deep = getenv("DEEPCAND") ? atoi(getenv("DEEPCAND")) : kStrongCandidates;
    const std::size_t tries = m_opt.strongBranching ? std::min<std::size_t>(frac.size(), static_cast<std::size_t>(m_branches > 1 ? deep : kStrongCandidates)) : 1;
    if (tries == 1) return frac[0].second;
    int best = frac[0].second;
    double bestScore = -1;
    CTimed timed(m_strongSeconds);
    m_lp->SaveBasis();
    for (std::size_t k = 0; k < tries && !m_bStopped; ++k) {
        const int col = frac[k].second;
        const int key = m_colKey[static_cast<std::size_t>(col)];
        double rise[2];
        for (int v = 0; v < 2; ++v) {
            m_lp->SetColBounds(col, v, v);
            const ELpStatus st = SolveLp(kStrongIterations);
            rise[v] = st == ELpStatus::Infeasible ? 1e9 : std::max(m_lp->Objective() - obj, 1e-6);
            m_lp->RestoreBasis();
        }
        m_lp->SetColBounds(col, m_fix1[static_cast<std::size_t>(key)] ? 1.0 : 0.0, 1.0);
        const double score = std::min(rise[0], 1e6) * std::min(rise[1], 1e6);
        if (score > bestScore) bestScore = score, best = col;
    }
    return best;
}

void CBranchCut::ProcessNode(CNode node) {
    ++m_branches;
    m_curBound = node.bound;
    if (!ApplyFixings(node)) return;
    const bool root = node.depth == 0;
    bool allAdded = false, cutting = true;
    std::vector<double> x, history;
    int rounds = 0;
    for (;;) {
        const ELpStatus st = SolveLp();
        if (st == ELpStatus::Stopped) return;
        if (st == ELpStatus::Infeasible) {
            if (allAdded) return;  // no tour with every allowed edge: nothing here
            // Infeasible over the candidates only: every edge still allowed comes in.
            std::vector<int> keys;
            for (int a = 0; a < m_n; ++a)
                for (int b = a + 1; b < m_n; ++b) {
                    const int key = a * m_n + b;
                    if (m_colOf[static_cast<std::size_t>(key)] < 0 && !m_elim[static_cast<std::size_t>(key)] && m_local[static_cast<std::size_t>(key)] != 0) keys.push_back(key);
                }
            AddColumns(keys);
            allAdded = true;
            continue;
        }
        if (st != ELpStatus::Optimal) {
            m_bTrouble = true;  // the subproblem stays unsettled: nothing proven
            return;
        }
        m_lp->Primal(x);
        const double obj = m_lp->Objective();
        const bool integral = std::all_of(x.begin(), x.end(), [](double v) { return v < kFrac || v > 1 - kFrac; });
        if (integral) OfferTour(TourOfIntegral(x));
        else if (root && rounds % 4 == 0) OfferLpTour(x);
        ++rounds;
        int added = 0;
        const bool hopeless = m_bestCost != INT64_MAX && std::ceil(obj - 1e-6) >= static_cast<double>(m_bestCost);
        if ((cutting && !hopeless) || integral) {
            DropSlackRows(x);
            added = Separate(x);
            history.push_back(obj);
            // Tailing off: five rounds that raised the LP by less than 0.001 % together at the root,
            // 0.01 % deeper.
            const std::size_t h = history.size();
            if (h > 5 && std::fabs(history[h - 1] - history[h - 6]) < (root ? kTailRoot : kTailNode) * std::max(1.0, std::fabs(obj))) cutting = false;
        }
        if (m_opt.trace && root)
            std::fprintf(stderr, "root round %d: lp %.3f, %d rows, %d cols, %d cuts; lp %.2f s, separation %.2f s, pricing %.2f s, heuristic %.2f s\n",
                         rounds, obj, m_lp->Rows(), m_lp->Cols(), added, m_lpSeconds, m_separationSeconds, m_pricingSeconds,
                         m_heuristicSeconds);
        if (added > 0) continue;
        CPricing pr = Price(root);
        if (Prunes(pr.bound, pr.margin)) return;
        if (!pr.negative.empty()) {
            std::sort(pr.negative.begin(), pr.negative.end());
            std::vector<int> keys;
            for (std::size_t k = 0; k < pr.negative.size() && k < static_cast<std::size_t>(std::max(50, m_n)); ++k)
                keys.push_back(pr.negative[k].second);
            AddColumns(keys);
            continue;
        }
        node.bound = std::max(node.bound, pr.bound - pr.margin);
        m_curBound = node.bound;
        if (integral) return;  // a tour (the separation found no subtour); it is the incumbent now
        // Kicks on the LP's tour at the root's end and now and then deeper.
        OfferLpTour(x, root ? 10 * m_n : m_branches % kKickEvery == 0 ? m_n : 0);
        if (Prunes(pr.bound, pr.margin)) return;
        FixByReducedCost(pr, node, root);
        if (root) m_bRootDone = true;
        const int col = ChooseBranch(x, obj);
        if (m_bStopped) return;
        if (col < 0) {
            m_bTrouble = true;
            return;
        }
        const int key = m_colKey[static_cast<std::size_t>(col)];
        const int8_t first = m_inBest[static_cast<std::size_t>(key)] ? 1 : 0;
        for (int8_t v : {static_cast<int8_t>(1 - first), first}) {
            CNode child{node.fix, node.bound, node.depth + 1};
            child.fix.push_back({key, v});
            m_stack.push_back(std::move(child));
        }
        return;
    }
}

COptimumCore CBranchCut::Run(const std::vector<int>& start) {
    COptimumCore r;
    const std::size_t keys = static_cast<std::size_t>(m_n) * static_cast<std::size_t>(m_n);
    m_colOf.assign(keys, -1);
    m_elim.assign(keys, 0);
    m_fix1.assign(keys, 0);
    m_local.assign(keys, -1);
    m_inBest.assign(keys, 0);
    m_mark.assign(static_cast<std::size_t>(m_n), 0);
    m_nl = NeighbourLists(m_t, kNeighbours);
    OfferTour(start);
    // The degree rows, then the candidate columns.
    CLpVectors rows;
    for (int v = 0; v < m_n; ++v) {
        rows.Close();
        rows.lo.push_back(2.0);
        rows.hi.push_back(2.0);
    }
    m_lp->AddRows(rows);
    std::vector<int> cand;
    for (int a = 0; a < m_n; ++a)
        for (int b : m_nl[static_cast<std::size_t>(a)]) cand.push_back(Key(a, b));
    for (int k = 0; k < m_n && !m_best.empty(); ++k)
        cand.push_back(Key(m_best[static_cast<std::size_t>(k)], m_best[static_cast<std::size_t>((k + 1) % m_n)]));
    std::sort(cand.begin(), cand.end());
    cand.erase(std::unique(cand.begin(), cand.end()), cand.end());
    AddColumns(cand);

    m_stack.push_back(CNode{});
    while (!m_stack.empty() && !m_bStopped) {
        // Best bound first: the least bound, of equal ones the latest pushed (a parent's children,
        // the one that agrees with the incumbent first). The search's bound rises as subproblems
        // settle, and little is searched that the optimum, once found, would have cut off.
        std::size_t pick = m_stack.size() - 1;
        for (std::size_t k = 0; k < m_stack.size(); ++k)
            if (m_stack[k].bound <= m_stack[pick].bound) pick = k;
        CNode node = std::move(m_stack[pick]);
        m_stack.erase(m_stack.begin() + static_cast<std::ptrdiff_t>(pick));
        if (Prunes(node.bound, 0)) continue;
        ProcessNode(std::move(node));
        m_curBound = HUGE_VALL;
        if (m_opt.trace && m_branches % 20 == 0)
            std::fprintf(stderr, "%lld nodes, %zu open, best %lld, bound %lld; lp %.1f s (strong %.1f s), %lld solves, separation %.1f s, pricing %.1f s\n",
                         static_cast<long long>(m_branches), m_stack.size(), static_cast<long long>(m_bestCost),
                         static_cast<long long>(GlobalBound()), m_lpSeconds, m_strongSeconds, static_cast<long long>(m_lpSolves), m_separationSeconds, m_pricingSeconds);
        if (Stop()) break;
    }
    r.tour = m_best;
    r.cost = m_bestCost;
    r.stopped = m_bStopped;
    r.branches = m_branches;
    r.lpSolves = m_lpSolves;
    r.lpSeconds = m_lpSeconds;
    r.separationSeconds = m_separationSeconds;
    r.pricingSeconds = m_pricingSeconds;
    r.heuristicSeconds = m_heuristicSeconds;
    for (int k = 0; k < 3; ++k) r.cuts[k] = m_cuts[k];
    if (!m_bStopped && !m_bTrouble && m_stack.empty() && !m_best.empty()) {
        r.bound = m_bestCost;
        r.hasBound = r.proven = true;
    } else {
        const int64_t b = GlobalBound();
        r.hasBound = b != INT64_MIN;
        r.bound = r.hasBound ? b : 0;
    }
    return r;
}

}  // namespace

COptimumCore BranchCutSolve(const CTspTable& t, const std::vector<int>& start, const OptimumPollFn& poll,
                            const CBranchCutOptions& options) {
    if (t.n <= 3) {
        COptimumCore r;
        for (int k = 0; k < t.n; ++k) r.tour.push_back(k);
        r.cost = r.bound = TourCost(t, r.tour);
        r.hasBound = r.proven = true;
        return r;
    }
    CBranchCut search(t, poll, options);
    return search.Run(start);
}
