// One published instance through the optimum method's branch and cut, as the benchmark table of
// docs/benchmarks.md measures it: pathkit's 64-bit distances (so instances whose cycles leave the
// 32-bit range of the program's solver run too), the instance's fixed edges, the start tour, a time
// limit, and one JSON line with the result, wall and processor time and the peak memory.
//
//   build/release/benchmarks/optimum_instance FILE [--lp glpk|clp] [--time-limit SECONDS]
//                                             [--no-strong-branching] [--trace]
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

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [--lp glpk|clp] [--time-limit SECONDS] [--no-strong-branching] [--trace]\n", argv[0]);
        return 2;
    }
    CBranchCutOptions options;
    double limit = 0;
    for (int k = 2; k < argc; ++k) {
        if (!std::strcmp(argv[k], "--lp") && k + 1 < argc) {
            if (!ParseLpKind(argv[++k], options.lp)) return 2;
        } else if (!std::strcmp(argv[k], "--time-limit") && k + 1 < argc) {
            limit = std::atof(argv[++k]);
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
    for (auto& [a, b] : fixed) --a, --b;
    int64_t lowered = 0;
    if (!LowerFixedEdges(t, fixed, lowered)) return 1;
    auto Seconds = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count(); };
    const OptimumPollFn poll = [&](int64_t, int64_t, bool) { return limit > 0 && Seconds() > limit; };
    const std::vector<int> start = StartTour(t, NeighbourLists(t, 10), [&] { return poll(0, 0, false); });
    const double startSeconds = Seconds();
    const int64_t startCost = TourCost(plain, start);
    const COptimumCore r = BranchCutSolve(t, start, poll, options);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double cpu = static_cast<double>(std::clock() - cpu0) / CLOCKS_PER_SEC;
    // The cost from the plain weights, as the method records it.
    const int64_t cost = TourCost(plain, r.tour);
    std::printf(
        "{\"file\":\"%s\",\"n\":%d,\"fixed_edges\":%zu,\"lp\":\"%s\",\"cost\":%lld,\"bound\":%s,\"proven\":%s,"
        "\"start_cost\":%lld,\"start_s\":%.3f,\"wall_s\":%.3f,\"cpu_s\":%.3f,\"branches\":%lld,\"lp_solves\":%lld,"
        "\"cuts\":{\"subtour\":%lld,\"blossom\":%lld,\"comb\":%lld},\"lp_s\":%.3f,\"separation_s\":%.3f,"
        "\"pricing_s\":%.3f,\"heuristic_s\":%.3f,\"peak_kb\":%ld}\n",
        argv[1], t.n, fixed.size(), options.lp == ELpKind::Clp ? "clp" : "glpk", static_cast<long long>(cost),
        r.hasBound ? std::to_string(r.bound + lowered).c_str() : "null", r.proven ? "true" : "false",
        static_cast<long long>(startCost), startSeconds, Seconds(), cpu, static_cast<long long>(r.branches),
        static_cast<long long>(r.lpSolves), static_cast<long long>(r.cuts[0]), static_cast<long long>(r.cuts[1]),
        static_cast<long long>(r.cuts[2]), r.lpSeconds, r.separationSeconds, r.pricingSeconds, r.heuristicSeconds,
        usage.ru_maxrss);
    return r.proven ? 0 : 3;
}
