// One published instance through the optimum method's branch and cut, as the benchmark table of
// docs/benchmarks.md measures it: pathkit's 64-bit distances (so instances whose cycles leave the
// 32-bit range of the program's solver run too), the instance's fixed edges, the start tour, a time
// limit, and one JSON line with the result, wall and processor time and the peak memory.
//
//   build/release/benchmarks/optimum_instance FILE [--lp glpk|clp] [--time-limit SECONDS [--limit-processor-time]]
//                                             [--no-strong-branching] [--compare-lp] [--trace]
//
// --compare-lp feeds GLPK and CLP the same LPs (the search follows --lp) and prints each one's
// processor time on standard error: the measurement behind keeping one of them.
//
// benchmarks/optimum_table.sh runs it over every instance and prints the table.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iostream>
#include <string>

#include "pathkit/TSPData.h"
#include "solver/OptimumCore.h"

namespace {

// Both LP solvers fed the same calls: the search follows the first, and each one's processor time
// is kept, so the two are measured on exactly the same sequence of LPs.
class CLpPair final : public CLpSolver {
public:
    CLpPair(ELpKind lead) : m_a(MakeLpSolver(lead)), m_b(MakeLpSolver(lead == ELpKind::Clp ? ELpKind::Glpk : ELpKind::Clp)) {}
    double m_seconds[2] = {0, 0};  // lead, other
    const char* Name() const override { return "pair"; }
    int Rows() const override { return m_a->Rows(); }
    int Cols() const override { return m_a->Cols(); }
    void AddRows(const CLpVectors& v) override { Both([&](CLpSolver& s) { s.AddRows(v); }); }
    void AddCols(const CLpVectors& v) override { Both([&](CLpSolver& s) { s.AddCols(v); }); }
    void DelRows(const std::vector<int>& r) override { Both([&](CLpSolver& s) { s.DelRows(r); }); }
    void DelCols(const std::vector<int>& c) override { Both([&](CLpSolver& s) { s.DelCols(c); }); }
    void SetColBounds(int c, double lo, double hi) override { Both([&](CLpSolver& s) { s.SetColBounds(c, lo, hi); }); }
    ELpStatus Solve(int limit, const std::function<bool()>& stop) override {
        ELpStatus st = ELpStatus::Failed;
        Both([&](CLpSolver& s) {
            const ELpStatus r = s.Solve(limit, stop);
            if (&s == m_a.get()) st = r;
        });
        return st;
    }
    double Objective() const override { return m_a->Objective(); }
    void Primal(std::vector<double>& x) const override { m_a->Primal(x); }
    void Duals(std::vector<double>& y) const override { m_a->Duals(y); }
    void ReducedCosts(std::vector<double>& d) const override { m_a->ReducedCosts(d); }
    bool RowBasic(int row) const override { return m_a->RowBasic(row); }
    void SaveBasis() override { Both([&](CLpSolver& s) { s.SaveBasis(); }); }
    void RestoreBasis() override { Both([&](CLpSolver& s) { s.RestoreBasis(); }); }

private:
    template <typename F>
    void Both(F&& f) {
        CLpSolver* s[2] = {m_a.get(), m_b.get()};
        for (int k = 0; k < 2; ++k) {
            const std::clock_t c0 = std::clock();
            f(*s[k]);
            m_seconds[k] += static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
        }
    }
    std::unique_ptr<CLpSolver> m_a, m_b;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [--lp glpk|clp] [--time-limit SECONDS [--limit-processor-time]] [--no-strong-branching] [--compare-lp] [--trace]\n", argv[0]);
        return 2;
    }
    CBranchCutOptions options;
    double limit = 0;
    bool compare = false;         // both LP solvers on the same LPs, timed apart
    bool processorLimit = false;  // the time limit counts processor time (a shared, loaded machine)
    for (int k = 2; k < argc; ++k) {
        if (!std::strcmp(argv[k], "--lp") && k + 1 < argc) {
            if (!ParseLpKind(argv[++k], options.lp)) return 2;
        } else if (!std::strcmp(argv[k], "--time-limit") && k + 1 < argc) {
            limit = std::atof(argv[++k]);
        } else if (!std::strcmp(argv[k], "--limit-processor-time")) {
            processorLimit = true;
        } else if (!std::strcmp(argv[k], "--compare-lp")) {
            compare = true;
        } else if (!std::strcmp(argv[k], "--no-strong-branching")) {
            options.strongBranching = false;
        } else if (!std::strcmp(argv[k], "--trace")) {
            options.trace = true;
        } else {
            return 2;
        }
    }
    const auto wall0 = std::chrono::steady_clock::now();
    const std::clock_t cpu0 = std::clock();
    TSPData data;
    std::vector<std::pair<int, int>> fixed;
    if (!data.Load(argv[1]) || !data.ReadFixedEdges(argv[1], fixed)) return 1;
    CTspTable t;
    t.n = data.GetDim();
    t.d.assign(static_cast<std::size_t>(t.n) * static_cast<std::size_t>(t.n), 0);
    for (int a = 0; a < t.n; ++a)
        for (int b = a + 1; b < t.n; ++b)
            t.d[static_cast<std::size_t>(a) * t.n + b] = t.d[static_cast<std::size_t>(b) * t.n + a] = data.GetCost(a + 1, b + 1);
    const CTspTable plain = t;
    int64_t fixedWeight = 0;  // of the fixed edges: a published optimum with fixed edges leaves them out
    for (auto& [a, b] : fixed) --a, --b, fixedWeight += plain.W(a, b);
    int64_t lowered = 0;
    if (!LowerFixedEdges(t, fixed, lowered)) return 1;
    auto Seconds = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count(); };
    auto Processor = [&] { return static_cast<double>(std::clock() - cpu0) / CLOCKS_PER_SEC; };
    const OptimumPollFn poll = [&](int64_t, int64_t, bool) {
        return limit > 0 && (processorLimit ? Processor() : Seconds()) > limit;
    };
    const std::vector<int> start = StartTour(t, NeighbourLists(t, 10), [&] { return poll(0, 0, false); });
    const double startSeconds = Seconds();
    const int64_t startCost = TourCost(plain, start);
    CLpPair* pair = nullptr;
    if (compare)
        options.lpFactory = [&] {
            auto p = std::make_unique<CLpPair>(options.lp);
            pair = p.get();
            return std::unique_ptr<CLpSolver>(std::move(p));
        };
    const COptimumCore r = BranchCutSolve(t, start, poll, options);
    if (pair)
        std::fprintf(stderr, "same LPs: %s %.3f s, %s %.3f s (processor time)\n", options.lp == ELpKind::Clp ? "clp" : "glpk",
                     pair->m_seconds[0], options.lp == ELpKind::Clp ? "glpk" : "clp", pair->m_seconds[1]);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double cpu = static_cast<double>(std::clock() - cpu0) / CLOCKS_PER_SEC;
    // The cost from the plain weights, as the method records it.
    const int64_t cost = TourCost(plain, r.tour);
    std::printf(
        "{\"file\":\"%s\",\"n\":%d,\"fixed_edges\":%zu,\"fixed_weight\":%lld,\"lp\":\"%s\",\"cost\":%lld,\"bound\":%s,\"proven\":%s,"
        "\"start_cost\":%lld,\"start_s\":%.3f,\"wall_s\":%.3f,\"cpu_s\":%.3f,\"branches\":%lld,\"lp_solves\":%lld,"
        "\"cuts\":{\"subtour\":%lld,\"blossom\":%lld,\"comb\":%lld},\"lp_s\":%.3f,\"separation_s\":%.3f,"
        "\"pricing_s\":%.3f,\"heuristic_s\":%.3f,\"peak_kb\":%ld}\n",
        argv[1], t.n, fixed.size(), static_cast<long long>(fixedWeight), options.lp == ELpKind::Clp ? "clp" : "glpk", static_cast<long long>(cost),
        r.hasBound ? std::to_string(r.bound + lowered).c_str() : "null", r.proven ? "true" : "false",
        static_cast<long long>(startCost), startSeconds, Seconds(), cpu, static_cast<long long>(r.branches),
        static_cast<long long>(r.lpSolves), static_cast<long long>(r.cuts[0]), static_cast<long long>(r.cuts[1]),
        static_cast<long long>(r.cuts[2]), r.lpSeconds, r.separationSeconds, r.pricingSeconds, r.heuristicSeconds,
        usage.ru_maxrss);
    return r.proven ? 0 : 3;
}
