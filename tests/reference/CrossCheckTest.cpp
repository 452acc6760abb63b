// Cross-check of the polynomial method against the plain reference in ReferencePolyn: the same
// network, initial cycle and parameters must give the same best cycle, cost and pass count.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "reference/ReferencePolyn.h"
#include "solver/CycleSolver.h"
#include "solver/MethodParams.h"
#include "support/Networks.h"

namespace {

using reference::ReferencePolyn;

// Stage counts summed over every reference run of the program, checked by the last test.
reference::StageCounts g_counts;
void AddCounts(const reference::StageCounts& c) {
    g_counts.stabiliseLowerings += c.stabiliseLowerings;
    g_counts.adjustLowerings += c.adjustLowerings;
    g_counts.payBacks += c.payBacks;
    g_counts.markedEdges += c.markedEdges;
    g_counts.relocations += c.relocations;
    g_counts.reversals += c.reversals;
    g_counts.wideRelocations += c.wideRelocations;
    g_counts.segmentMoves += c.segmentMoves;
    g_counts.segmentMovesFromInside += c.segmentMovesFromInside;
    g_counts.tiesStored += c.tiesStored;
    g_counts.memoryHits += c.memoryHits;
    g_counts.guardedSkips += c.guardedSkips;
    g_counts.graphRaised += c.graphRaised;
    g_counts.longestSearch = std::max(g_counts.longestSearch, c.longestSearch);
    g_counts.memoryClearings += c.memoryClearings;
}

struct NetCase {
    unsigned seed;
    int n;
    int amplitude;
    int level;
    int maximum;
    int mode;  // 1 network, 0 map (map parameter set), -1 check of a given cycle, -2 check window's run
    int quiet = 0;
    bool customParams;
    double longSearchFactor = 0;  // > 0: full test whose search B runs this factor times n * n iterations
    int rowReads = 1;             // the solver's m_bRowReads (0 = every query reads T itself)
    int stopKind = 0;             // 0 none, 1 target cost = the optimum, 2 seek another optimum
    bool optimumGiven = false;    // the initial cycle is an optimum (a check then runs to the end)
    reference::Readings readings{};
};

std::string Describe(const NetCase& c) {
    std::ostringstream s;
    s << "seed=" << c.seed << " n=" << c.n << " amp=" << c.amplitude << " level=" << c.level
      << " max=" << c.maximum << " mode=" << c.mode << (c.customParams ? " custom-params" : "")
      << (c.rowReads ? "" : " rowReads=0") << (c.stopKind == 1 ? " target" : "")
      << (c.stopKind == 2 ? " seek-other" : "") << (c.quiet ? " quiet" : "")
      << (c.optimumGiven ? " optimum-given" : "");
    return s.str();
}

std::string Join(const std::vector<int>& v) {
    std::ostringstream s;
    for (size_t k = 0; k < v.size(); ++k) s << (k ? "-" : "") << v[k];
    return s.str();
}

std::vector<int> RandomCanonicalCycle(int n, std::mt19937& rng) {
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 1);
    std::shuffle(order.begin() + 1, order.end(), rng);
    if (n > 2 && order[1] > order[n - 1]) std::reverse(order.begin() + 1, order.end());
    return order;
}

// The parameters both implementations use for one case.
struct Params {
    int firstLoop = 2, secondLoop = 20, mapFirstLoop = 2, mapSecondLoop = 3;
    double p1 = 0.017, p2 = 0.475, mp1 = 0.017, mp2 = 0.475;
};

Params DrawParams(bool custom, std::mt19937& rng) {
    Params p;
    if (!custom) return p;
    p.firstLoop = std::uniform_int_distribution<int>(1, 3)(rng);
    p.secondLoop = std::uniform_int_distribution<int>(1, 6)(rng);
    p.mapFirstLoop = std::uniform_int_distribution<int>(1, 3)(rng);
    p.mapSecondLoop = std::uniform_int_distribution<int>(1, 5)(rng);
    p.p1 = std::uniform_real_distribution<double>(0.0, 0.2)(rng);
    p.p2 = std::uniform_real_distribution<double>(0.05, 0.8)(rng);
    p.mp1 = std::uniform_real_distribution<double>(0.0, 0.2)(rng);
    p.mp2 = std::uniform_real_distribution<double>(0.05, 0.8)(rng);
    return p;
}

void InstallParams(const Params& p) {
    g_nFirstLoop = p.firstLoop;
    g_nSecondLoop = p.secondLoop;
    g_nMapFirstLoop = p.mapFirstLoop;
    g_nMapSecondLoop = p.mapSecondLoop;
    g_dParam1 = p.p1;
    g_dParam2 = p.p2;
    g_dMapParam1 = p.mp1;
    g_dMapParam2 = p.mp2;
}

struct Outcome {
    bool agree = true;
    std::string detail;
};

Outcome RunNetworkCase(const NetCase& c) {
    std::mt19937 rng(c.seed);
    const int kind = c.mode == 0 ? KIND_MAP : (c.mode < 0 ? KIND_CHECK : KIND_NETWORK);
    auto solver = MakeSolver(c.n, kind);
    ReferencePolyn ref(c.n, kind);
    std::uniform_int_distribution<int> draw(1, c.amplitude);
    for (int i = 1; i <= c.n; ++i)
        for (int j = i + 1; j <= c.n; ++j) {
            const int w = draw(rng);
            SetWeight(*solver, i, j, w);
            ref.weight[i][j] = w;
        }
    std::vector<int> start = RandomCanonicalCycle(c.n, rng);
    const CBruteForce optimum =
        c.stopKind != 0 || c.optimumGiven ? BruteForceOptimum(*solver, c.maximum != 0) : CBruteForce{0, {}};
    if (c.optimumGiven) {
        start = optimum.cycle;
        if (start[1] > start[c.n - 1]) std::reverse(start.begin() + 1, start.end());
    }
    for (int p = 1; p <= c.n; ++p) solver->m_aCycle[p] = ref.cycle[p] = start[p - 1];
    solver->m_aCycle[c.n + 1] = ref.cycle[c.n + 1] = start[0];
    if (c.stopKind == 1) solver->m_nTargetCost = ref.targetCost = optimum.cost;
    if (c.stopKind == 2) {
        // Another optimum than the one the enumeration found first (the run stops on the first other).
        solver->m_bSeekOther = ref.seekOther = 1;
        solver->m_nOtherCost = ref.otherCost = c.maximum ? -optimum.cost : optimum.cost;
        for (int p = 1; p <= c.n; ++p) solver->m_aOther[p] = ref.other[p] = optimum.cycle[p - 1];
    }
    solver->m_nRefCost = ref.refCost = 1234;
    Params params = DrawParams(c.customParams, rng);
    if (c.longSearchFactor > 0) {
        params.firstLoop = 1, params.secondLoop = 2, params.p2 = c.longSearchFactor;
        params.mapFirstLoop = 1, params.mapSecondLoop = 2, params.mp2 = c.longSearchFactor;
    }
    InstallParams(params);
    ref.settings = {params.firstLoop, params.secondLoop, params.mapFirstLoop, params.mapSecondLoop,
                    params.p1,        params.p2,         params.mp1,          params.mp2};
    ref.readings = c.readings;
    solver->m_nTestLevel = ref.testLevel = c.level;
    solver->m_bMaximum = ref.maximum = c.maximum;
    solver->m_nAmplitude = ref.amplitude = c.amplitude;
    solver->m_bRowReads = c.rowReads;
    const std::vector<int32_t> weightsBefore = WeightSnapshot(*solver);

    Outcome out;
    try {
        ref.RunNetwork(c.mode, c.quiet);
        AddCounts(ref.counts);
    } catch (const std::exception& e) {
        out.agree = false;
        out.detail = std::string("reference failed: ") + e.what();
        return out;
    }
    const int returned = solver->PolynMethodNet(c.mode, c.quiet);
    const std::vector<int> theirs = CycleOf(*solver, solver->m_aBest);
    const std::vector<int> ours(ref.best.begin() + 1, ref.best.begin() + c.n + 1);
    std::ostringstream d;
    if (theirs != ours) d << " best cycle " << Join(theirs) << " vs reference " << Join(ours) << ";";
    if (solver->m_nBestCost != ref.bestCost)
        d << " best cost " << solver->m_nBestCost << " vs reference " << ref.bestCost << ";";
    if (solver->m_nPass != ref.pass)
        d << " passes " << solver->m_nPass << " vs reference " << ref.pass << ";";
    if (CycleOf(*solver, solver->m_aCycle) != ours) d << " current cycle is not the best cycle;";
    if (solver->m_nStartCost != ref.startCost)
        d << " start cost " << solver->m_nStartCost << " vs reference " << ref.startCost << ";";
    if (returned != 0 || solver->m_bAborted != 0) d << " reported an abort;";
    if (WeightSnapshot(*solver) != weightsBefore) d << " weights changed;";
    if (solver->m_nTargetCost != ref.targetCost || solver->m_nRefCost != ref.refCost)
        d << " target/reference cost " << solver->m_nTargetCost << "/" << solver->m_nRefCost
          << " vs reference " << ref.targetCost << "/" << ref.refCost << ";";
    // The tables the last pass left: adjustments and marks in both triangles.
    auto sameMatrix = [&](const char* name, const CSquareMatrix<int32_t>& m, const reference::Matrix& r) {
        for (int i = 1; i <= c.n; ++i)
            for (int j = 1; j <= c.n; ++j)
                if (m[i][j] != r[i][j]) {
                    d << " " << name << "[" << i << "][" << j << "] " << m[i][j] << " vs reference "
                      << r[i][j] << ";";
                    return;
                }
    };
    sameMatrix("P", solver->m_ppAdjust, ref.adjust);
    sameMatrix("X", solver->m_ppMark, ref.mark);
    sameMatrix("Y", solver->m_ppMark2, ref.mark2);
    out.detail = d.str();
    out.agree = out.detail.empty();
    return out;
}

struct Tally {
    int cases = 0;
    int agreements = 0;
    std::vector<std::string> disagreements;
    void Add(const std::string& what, const Outcome& o) {
        ++cases;
        if (o.agree)
            ++agreements;
        else
            disagreements.push_back(what + ":" + o.detail);
    }
    std::string Report() const {
        std::ostringstream s;
        s << agreements << " of " << cases << " cases agree";
        for (size_t k = 0; k < disagreements.size() && k < 8; ++k) s << "\n  " << disagreements[k];
        return s.str();
    }
};

class CrossCheck : public ::testing::Test {
protected:
    void TearDown() override { ResetMethodParams(); }

    // count cases of n = firstN.., amplitudes 100 and 5, minimum and maximum; adjust may change a case.
    template <typename Adjust>
    Tally RunNetworkSeries(int level, int mode, int count, unsigned seedBase, Adjust adjust, int firstN = 5,
                           int sizes = 8) {
        Tally t;
        for (int k = 0; k < count; ++k) {
            NetCase c;
            c.seed = seedBase + static_cast<unsigned>(k);
            c.n = firstN + k % sizes;
            c.amplitude = (k / sizes) % 2 == 0 ? 100 : 5;
            c.level = level;
            c.maximum = (k / (2 * sizes)) % 2;
            c.mode = mode;
            c.customParams = level == 2 && (k / (4 * sizes)) % 2 == 1;
            adjust(c);
            t.Add(Describe(c), RunNetworkCase(c));
        }
        std::cout << "[ tally    ] " << t.Report() << "\n";
        return t;
    }
    Tally RunNetworkSeries(int level, int mode, int count, unsigned seedBase) {
        return RunNetworkSeries(level, mode, count, seedBase, [](NetCase&) {});
    }
};

TEST_F(CrossCheck, ShortTestOnNetworksGivesTheSameBestCycle) {
    const Tally t = RunNetworkSeries(1, 1, 320, 1000);
    EXPECT_EQ(t.agreements, t.cases) << t.Report();
}

TEST_F(CrossCheck, FullTestOnNetworksGivesTheSameBestCycleAndPasses) {
    const Tally t = RunNetworkSeries(2, 1, 192, 2000);
    EXPECT_EQ(t.agreements, t.cases) << t.Report();
}

TEST_F(CrossCheck, ShortTestWithTheMapParametersGivesTheSameBestCycle) {
    const Tally t = RunNetworkSeries(1, 0, 128, 3000);
    EXPECT_EQ(t.agreements, t.cases) << t.Report();
}

TEST_F(CrossCheck, FullTestWithTheMapParametersGivesTheSameBestCycleAndPasses) {
    const Tally t = RunNetworkSeries(2, 0, 128, 4000);
    EXPECT_EQ(t.agreements, t.cases) << t.Report();
}

TEST_F(CrossCheck, CheckOfAGivenCycleStopsAtTheSameImprovement) {
    Tally t = RunNetworkSeries(1, -1, 160, 5000);
    const Tally full = RunNetworkSeries(2, -1, 128, 6000);
    EXPECT_EQ(t.agreements, t.cases) << t.Report();
    EXPECT_EQ(full.agreements, full.cases) << full.Report();
}

// The check window's own run (mode -2, always a full test) does not stop at an improvement.
TEST_F(CrossCheck, CheckWindowsOwnRunGivesTheSameBestCycleAndPasses) {
    const Tally t = RunNetworkSeries(2, -2, 96, 6300);
    EXPECT_EQ(t.agreements, t.cases) << t.Report();
}

// A check of an optimum finds nothing better, so it runs every pass to the end.
TEST_F(CrossCheck, CheckOfAnOptimumRunsToTheEndAlike) {
    auto optimum = [](NetCase& c) { c.optimumGiven = true; };
    const Tally t = RunNetworkSeries(1, -1, 80, 6500, optimum, 5, 5);
    const Tally full = RunNetworkSeries(2, -1, 80, 6600, optimum, 5, 5);
    EXPECT_EQ(t.agreements, t.cases) << t.Report();
    EXPECT_EQ(full.agreements, full.cases) << full.Report();
}

TEST_F(CrossCheck, TargetCostStopsBothAtTheSameCycle) {
    auto target = [](NetCase& c) { c.stopKind = 1; };
    const Tally t = RunNetworkSeries(1, 1, 60, 6700, target, 5, 5);
    const Tally full = RunNetworkSeries(2, 1, 60, 6800, target, 5, 5);
    EXPECT_EQ(t.agreements, t.cases) << t.Report();
    EXPECT_EQ(full.agreements, full.cases) << full.Report();
}

TEST_F(CrossCheck, SeekingAnotherOptimumStopsBothAtTheSameCycle) {
    // As the "Only one cycle?" command runs it: quietly.
    auto seek = [](NetCase& c) {
        c.stopKind = 2;
        c.quiet = 1;
    };
    const Tally t = RunNetworkSeries(1, 1, 60, 6900, seek, 5, 5);
    const Tally full = RunNetworkSeries(2, 1, 60, 7900, seek, 5, 5);
    EXPECT_EQ(t.agreements, t.cases) << t.Report();
    EXPECT_EQ(full.agreements, full.cases) << full.Report();
}

// The solver's generators can read the lowered weights instead of T; with that switched off every
// query reads T itself, and the results must not change.
TEST_F(CrossCheck, QueriesThatReadTheTableItselfGiveTheSameBestCycle) {
    auto tableReads = [](NetCase& c) { c.rowReads = 0; };
    const Tally t = RunNetworkSeries(1, 1, 96, 8100, tableReads);
    const Tally full = RunNetworkSeries(2, 1, 64, 8200, tableReads);
    EXPECT_EQ(t.agreements, t.cases) << t.Report();
    EXPECT_EQ(full.agreements, full.cases) << full.Report();
}

// Searches longer than the memory: the iteration cap of 3999 and the memory's clearing when it holds
// 3999 records.
TEST_F(CrossCheck, SearchesLongerThanTheMoveMemoryGiveTheSameBestCycle) {
    auto longSearch = [](NetCase& c) { c.longSearchFactor = 4200.0 / (c.n * c.n); };
    g_counts = {};
    const Tally t = RunNetworkSeries(2, 1, 2, 8500, longSearch, 20, 2);
    EXPECT_EQ(t.agreements, t.cases) << t.Report();
    std::cout << "[ stages   ] longest search " << g_counts.longestSearch << " iterations, memory cleared "
              << g_counts.memoryClearings << " times\n";
    EXPECT_EQ(g_counts.longestSearch, 3999);
    EXPECT_GT(g_counts.memoryClearings, 0);
}

TEST_F(CrossCheck, LargerNetworksGiveTheSameBestCycle) {
    const Tally t = RunNetworkSeries(
        1, 1, 48, 8300, [](NetCase&) {}, 13, 8);
    const Tally full = RunNetworkSeries(
        2, 1, 32, 8400, [](NetCase& c) { c.customParams = true; }, 13, 8);
    EXPECT_EQ(t.agreements, t.cases) << t.Report();
    EXPECT_EQ(full.agreements, full.cases) << full.Report();
}

// The cross-check must be able to tell readings apart: with the other reading of the opening
// search's free-mode rerun (each generator from the iteration's record) some runs end elsewhere.
TEST_F(CrossCheck, TellsTheOtherReadingOfTheOpeningRerunApart) {
    auto otherReading = [](NetCase& c) { c.readings.rerunCarriesRecord = false; };
    const Tally t = RunNetworkSeries(1, 1, 320, 1000, otherReading);
    EXPECT_LT(t.agreements, t.cases);
}

// ---- Graphs ----

// A random graph in which every node has degree at most 3; with hidden = true a random Hamiltonian
// cycle is laid first, so a zero cycle exists.
std::vector<std::pair<int, int>> RandomCubicGraph(int n, bool hidden, std::mt19937& rng) {
    std::vector<int> degree(n + 1, 0);
    std::vector<std::vector<bool>> adj(n + 1, std::vector<bool>(n + 1, false));
    std::vector<std::pair<int, int>> edges;
    auto add = [&](int a, int b) {
        if (a == b || adj[a][b] || degree[a] >= 3 || degree[b] >= 3) return;
        adj[a][b] = adj[b][a] = true;
        ++degree[a], ++degree[b];
        edges.push_back({a, b});
    };
    if (hidden) {
        std::vector<int> order(n);
        std::iota(order.begin(), order.end(), 1);
        std::shuffle(order.begin(), order.end(), rng);
        for (int k = 0; k < n; ++k) add(order[k], order[(k + 1) % n]);
    }
    std::uniform_int_distribution<int> node(1, n);
    for (int tries = 0; tries < 40 * n; ++tries) add(node(rng), node(rng));
    return edges;
}

Outcome RunGraphCase(unsigned seed, int n, bool hidden, bool walkOffersWalk = true) {
    std::mt19937 rng(seed);
    auto solver = MakeSolver(n, KIND_GRAPH);
    ReferencePolyn ref(n, KIND_GRAPH);
    const auto edges = RandomCubicGraph(n, hidden, rng);
    SetGraph(*solver, edges);
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j) ref.weight[i][j] = solver->m_ppWeight[i][j];
    const std::vector<int> start = RandomCanonicalCycle(n, rng);
    for (int p = 1; p <= n; ++p) solver->m_aCycle[p] = ref.cycle[p] = start[p - 1];
    solver->m_aCycle[n + 1] = ref.cycle[n + 1] = start[0];
    ref.readings.graphWalkOffersWalk = walkOffersWalk;
    const std::vector<int32_t> weightsBefore = WeightSnapshot(*solver);
    Outcome out;
    try {
        ref.RunGraph();
        AddCounts(ref.counts);
    } catch (const std::exception& e) {
        out.agree = false;
        out.detail = std::string("reference failed: ") + e.what();
        return out;
    }
    solver->PolynMethodGraph();
    const std::vector<int> theirs = CycleOf(*solver, solver->m_aBest);
    const std::vector<int> ours(ref.best.begin() + 1, ref.best.begin() + n + 1);
    std::ostringstream d;
    if (theirs != ours) d << " best cycle " << Join(theirs) << " vs reference " << Join(ours) << ";";
    if (solver->m_nBestCost != ref.bestCost)
        d << " best cost " << solver->m_nBestCost << " vs reference " << ref.bestCost << ";";
    if (solver->m_nStartCost != ref.startCost) d << " start cost differs;";
    if (CycleOf(*solver, solver->m_aCycle) != ours) d << " current cycle is not the best cycle;";
    if (WeightSnapshot(*solver) != weightsBefore) d << " weights changed;";
    out.detail = d.str();
    out.agree = out.detail.empty();
    return out;
}

TEST_F(CrossCheck, TellsTheOtherReadingOfTheGraphWalksLastOfferApart) {
    Tally t;
    for (int k = 0; k < 400; ++k)
        t.Add("graph", RunGraphCase(7000 + static_cast<unsigned>(k), 5 + k % 8, (k / 8) % 2 == 0, false));
    EXPECT_LT(t.agreements, t.cases);
}

TEST_F(CrossCheck, GraphMethodGivesTheSameBestCycle) {
    Tally t;
    for (int k = 0; k < 1200; ++k) {
        const unsigned seed = 7000 + static_cast<unsigned>(k);
        const int n = 5 + k % 12;
        const bool hidden = (k / 8) % 2 == 0;
        std::ostringstream what;
        what << "graph seed=" << seed << " n=" << n << (hidden ? " hamiltonian" : "");
        t.Add(what.str(), RunGraphCase(seed, n, hidden));
    }
    std::cout << "[ tally    ] " << t.Report() << "\n";
    EXPECT_EQ(t.agreements, t.cases) << t.Report();
}

// ---- Edges list ----

Outcome RunEdgesListCase(unsigned seed, int n, int amplitude, int maximum, bool optimum = false) {
    std::mt19937 rng(seed);
    auto solver = MakeSolver(n, KIND_NETWORK);
    ReferencePolyn ref(n, KIND_NETWORK);
    std::uniform_int_distribution<int> draw(1, amplitude);
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j) {
            const int w = draw(rng);
            SetWeight(*solver, i, j, w);
            ref.weight[i][j] = w;
        }
    std::vector<int> start = RandomCanonicalCycle(n, rng);
    if (optimum) {
        start = BruteForceOptimum(*solver, maximum != 0).cycle;
        if (start[1] > start[n - 1]) std::reverse(start.begin() + 1, start.end());
    }
    for (int p = 1; p <= n; ++p) solver->m_aCycle[p] = ref.cycle[p] = start[p - 1];
    solver->m_aCycle[n + 1] = ref.cycle[n + 1] = start[0];
    solver->m_bMaximum = ref.maximum = maximum;
    const std::vector<int32_t> weightsBefore = WeightSnapshot(*solver);
    Outcome out;
    try {
        ref.EdgesList();
    } catch (const std::exception& e) {
        out.agree = false;
        out.detail = std::string("reference failed: ") + e.what();
        return out;
    }
    solver->EdgesList();
    std::ostringstream d;
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j)
            if (solver->m_ppAdjust[i][j] != ref.adjust[i][j])
                d << " P[" << i << "][" << j << "] " << solver->m_ppAdjust[i][j] << " vs reference "
                  << ref.adjust[i][j] << ";";
    if (CycleOf(*solver, solver->m_aCycle) !=
        std::vector<int>(ref.cycle.begin() + 1, ref.cycle.begin() + n + 1))
        d << " cycle changed;";
    if (solver->m_nStartCost != ref.startCost)
        d << " start cost " << solver->m_nStartCost << " vs reference " << ref.startCost << ";";
    if (WeightSnapshot(*solver) != weightsBefore) d << " weights changed;";
    out.detail = d.str();
    out.agree = out.detail.empty();
    return out;
}

TEST_F(CrossCheck, EdgesListOfAnOptimumGivesTheSameValues) {
    Tally t;
    for (int k = 0; k < 120; ++k) {
        const unsigned seed = 9500 + static_cast<unsigned>(k);
        const int n = 5 + k % 5;
        const int amplitude = (k / 5) % 2 == 0 ? 100 : 5;
        const int maximum = (k / 10) % 2;
        std::ostringstream what;
        what << "edges of optimum seed=" << seed << " n=" << n << " amp=" << amplitude << " max=" << maximum;
        t.Add(what.str(), RunEdgesListCase(seed, n, amplitude, maximum, true));
    }
    std::cout << "[ tally    ] " << t.Report() << "\n";
    EXPECT_EQ(t.agreements, t.cases) << t.Report();
}

TEST_F(CrossCheck, EdgesListGivesTheSameValues) {
    Tally t;
    for (int k = 0; k < 400; ++k) {
        const unsigned seed = 9000 + static_cast<unsigned>(k);
        const int n = 5 + k % 8;
        const int amplitude = (k / 8) % 2 == 0 ? 100 : 5;
        const int maximum = (k / 16) % 2;
        std::ostringstream what;
        what << "edges seed=" << seed << " n=" << n << " amp=" << amplitude << " max=" << maximum;
        t.Add(what.str(), RunEdgesListCase(seed, n, amplitude, maximum));
    }
    std::cout << "[ tally    ] " << t.Report() << "\n";
    EXPECT_EQ(t.agreements, t.cases) << t.Report();
}

// The agreement above proves little unless the cases make every stage act: a sample of them, with
// the reference counting what each stage did.
TEST_F(CrossCheck, CasesReachEveryStageOfTheMethod) {
    g_counts = {};
    RunNetworkSeries(1, 1, 64, 1000);
    RunNetworkSeries(2, 1, 64, 2000);
    for (int k = 0; k < 48; ++k) RunGraphCase(7000 + static_cast<unsigned>(k), 5 + k % 8, (k / 8) % 2 == 0);
    const reference::StageCounts& c = g_counts;
    std::cout << "[ stages   ] stabilise " << c.stabiliseLowerings << ", adjust " << c.adjustLowerings
              << ", pay-back " << c.payBacks << ", marked " << c.markedEdges << ", relocations "
              << c.relocations << ", reversals " << c.reversals << ", wide " << c.wideRelocations
              << ", segment " << c.segmentMoves << " (inside " << c.segmentMovesFromInside << "), ties "
              << c.tiesStored << ", memory hits " << c.memoryHits << ", guarded skips " << c.guardedSkips
              << ", raised " << c.graphRaised << "\n";
    EXPECT_GT(c.relocations, 0);
    EXPECT_GT(c.stabiliseLowerings, 0);
    EXPECT_GT(c.adjustLowerings, 0);
    EXPECT_GT(c.payBacks, 0);
    EXPECT_GT(c.markedEdges, 0);
    EXPECT_GT(c.reversals, 0);
    EXPECT_GT(c.wideRelocations, 0);
    EXPECT_GT(c.segmentMoves, 0);
    EXPECT_GT(c.segmentMovesFromInside, 0);
    EXPECT_GT(c.tiesStored, 0);
    EXPECT_GT(c.memoryHits, 0);
    EXPECT_GT(c.guardedSkips, 0);
    EXPECT_GT(c.graphRaised, 0);
}

}  // namespace
