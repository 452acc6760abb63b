// The optimum method's two ways on the program's random networks (amplitude 100, weights -100..100),
// ten seeds per size, medians, and the memory each way takes.
//
//   build/release/benchmarks/bench_optimum [--benchmark_filter=...]
//
// BM_Dynamic and BM_Bounds time one way each; both must agree where both run (BM_Agree). Each
// benchmark reports the median, the worst of the ten seeds and the memory of the way.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "document/RandomInstances.h"
#include "solver/CycleSolver.h"
#include "solver/OptimumCore.h"
#include "solver/Platform.h"

namespace {

CTspTable RandomTable(int n, uint32_t seed) {
    CCycleSolver s;
    s.m_nKind = KIND_NETWORK;
    s.SetNodeCount(n);
    s.m_nAmplitude = 100;
    Platform().seedOverride = seed;
    RandomNetwork(s);
    Platform().seedOverride.reset();
    CTspTable t;
    t.n = n;
    t.d.assign(static_cast<std::size_t>(n * n), 0);
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b)
            if (a != b) t.d[static_cast<std::size_t>(a * n + b)] = s.Weight(a + 1, b + 1);
    return t;
}

double Seconds(auto&& f) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

template <bool kDynamic>
void BM_Way(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    std::vector<double> times;
    double branches = 0;
    for (auto _ : state) {
        for (uint32_t seed = 1; seed <= 10; ++seed) {
            const CTspTable t = RandomTable(n, seed);
            COptimumCore r;
            times.push_back(Seconds(
                [&] { r = kDynamic ? HeldKarpSolve(t, {}) : BranchCutSolve(t, HeuristicTour(t), {}); }));
            if (!r.proven) state.SkipWithError("not proven");
            branches += static_cast<double>(r.branches);
        }
        std::sort(times.begin(), times.end());
        state.SetIterationTime(times[times.size() / 2]);
    }
    state.counters["median_s"] = times[times.size() / 2];
    state.counters["worst_s"] = times.back();
    state.counters["branches"] = branches / static_cast<double>(times.size());
    if (kDynamic) state.counters["table_MB"] = static_cast<double>(HeldKarpBytes(n)) / 1e6;
}
BENCHMARK(BM_Way<true>)
    ->Name("BM_Dynamic")
    ->DenseRange(13, 23, 2)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Way<false>)
    ->Name("BM_Bounds")
    ->DenseRange(13, 23, 2)
    ->Arg(20)
    ->Arg(30)
    ->Arg(40)
    ->Arg(50)
    ->Arg(60)
    ->Arg(80)
    ->Arg(100)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
