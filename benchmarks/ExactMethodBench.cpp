// The exact method's inner loop beside a straightforward enumeration that adds all n terms of every
// permutation's cost, on the same random networks; and the estimate against the real run.
//
//   build/release/benchmarks/bench_exact
//
// Both enumerations must give the same cost and cycle; the counter "ratio" is the straightforward
// version's time over the method's. BM_ThreadsVsSingleLoop sets the single loop beside the
// enumeration on every hardware thread.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "solver/CycleSolver.h"
#include "solver/ExactEstimate.h"
#include "solver/ExactMethod.h"

namespace {

void FillNetwork(CCycleSolver& s, int n, unsigned seed) {
    s.m_nKind = KIND_NETWORK;
    s.SetNodeCount(n);
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> draw(1, 100);
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j) s.m_ppWeight[i][j] = draw(rng);
    s.MakeInitialCycle(1, 0);
}

// The method as first written: lexicographic successor, full cost of every permutation from the
// mirrored matrix, poll counter every 20,000 steps.
int PlainExact(CCycleSolver& s, int* best) {
    const int n = s.m_nNodes;
    auto& w = s.m_ppWeight;
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j) w[j][i] = w[i][j];
    int p[CYCLE_CAPACITY];
    for (int k = 0; k < n; ++k) p[k] = best[k] = k + 1;
    auto cost = [&] {
        int c = 0;
        for (int k = 0; k < n - 1; ++k) c += w[p[k]][p[k + 1]];
        return c + w[p[0]][p[n - 1]];
    };
    int incumbent = cost();
    int counter = 0;
    for (;;) {
        int i = n - 2;
        while (i >= 0 && p[i] > p[i + 1]) --i;
        if (i < 0) break;
        int j = n - 1;
        while (p[j] < p[i]) --j;
        std::swap(p[i], p[j]);
        std::reverse(p + i + 1, p + n);
        if (++counter == 20000) {
            counter = 0;
            benchmark::ClobberMemory();
        }
        if (p[0] > 1) break;
        const int c = cost();
        if (c < incumbent) {
            incumbent = c;
            std::copy(p, p + n, best);
        }
    }
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j) w[j][i] = 0;
    return incumbent;
}

double Seconds(auto&& f) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void BM_ExactVsPlain(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    CCycleSolver s;
    FillNetwork(s, n, 12345 + n);
    double method = 0, plain = 0;
    const int saved = g_nExactThreads;
    g_nExactThreads = 1;  // the per-order cost of one loop
    for (auto _ : state) {
        int best[CYCLE_CAPACITY];
        int plainCost = 0, cost = 0;
        plain += Seconds([&] { plainCost = PlainExact(s, best); });
        method += Seconds([&] { cost = s.ExpMethodNet(0, nullptr); });
        if (cost != plainCost || !std::equal(best, best + n, s.m_aBest + 1)) {
            state.SkipWithError("the two enumerations disagree");
            return;
        }
        state.SetIterationTime(method);
    }
    g_nExactThreads = saved;
    state.counters["method_s"] = method / static_cast<double>(state.iterations());
    state.counters["plain_s"] = plain / static_cast<double>(state.iterations());
    state.counters["ratio"] = plain / method;
}
BENCHMARK(BM_ExactVsPlain)->Arg(11)->Arg(12)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

void BM_EstimateVsRun(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    CCycleSolver s;
    FillNetwork(s, n, 777 + n);
    for (auto _ : state) {
        const double estimate = EstimateExactRunSeconds(s);
        const double real = Seconds([&] { s.ExpMethodNet(0, nullptr); });
        state.counters["estimate_s"] = estimate;
        state.counters["real_s"] = real;
        state.counters["real_over_estimate"] = real / estimate;
        state.SetIterationTime(real);
    }
}
BENCHMARK(BM_EstimateVsRun)
    ->Arg(11)
    ->Arg(12)
    ->Arg(13)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseManualTime();

// What the estimate costs beside the run it announces (default threads): the median of eleven
// estimates against the median of five runs.
void BM_EstimateCost(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    CCycleSolver s;
    FillNetwork(s, n, 99 + n);
    auto Median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    for (auto _ : state) {
        std::vector<double> estimates, runs;
        double estimate = 0;
        for (int k = 0; k < 11; ++k) estimates.push_back(Seconds([&] { estimate = EstimateExactRunSeconds(s); }));
        for (int k = 0; k < 5; ++k) runs.push_back(Seconds([&] { s.ExpMethodNet(0, nullptr); }));
        state.counters["estimate_cost_ms"] = Median(estimates) * 1e3;
        state.counters["run_ms"] = Median(runs) * 1e3;
        state.counters["cost_share_pct"] = 100 * Median(estimates) / Median(runs);
        state.counters["real_over_estimate"] = Median(runs) / estimate;
        state.SetIterationTime(Median(estimates));
    }
}
BENCHMARK(BM_EstimateCost)->DenseRange(9, 14)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

// The single loop beside the enumeration on the machine's workers, in turns on the same network
// (paired runs, so that load from elsewhere hits both alike); medians of the repetitions.
void BM_ThreadsVsSingleLoop(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    CCycleSolver s;
    FillNetwork(s, n, 4242 + n);
    const int saved = g_nExactThreads;
    std::vector<double> single, parallel;
    for (auto _ : state) {
        int cost1 = 0, cost2 = 0;
        int best[CYCLE_CAPACITY];
        g_nExactThreads = 1;
        single.push_back(Seconds([&] { cost1 = s.ExpMethodNet(0, nullptr); }));
        std::copy(s.m_aBest, s.m_aBest + n + 1, best);
        g_nExactThreads = saved;
        parallel.push_back(Seconds([&] { cost2 = s.ExpMethodNet(0, nullptr); }));
        if (cost1 != cost2 || !std::equal(best, best + n + 1, s.m_aBest)) {
            state.SkipWithError("the workers disagree with the single loop");
            break;
        }
        state.SetIterationTime(parallel.back());
    }
    g_nExactThreads = saved;
    auto Median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v.empty() ? 0.0 : v[v.size() / 2];
    };
    const double orders = Factorial(n);
    state.counters["workers"] = ExactWorkerCount(n);
    state.counters["single_s"] = Median(single);
    state.counters["parallel_s"] = Median(parallel);
    state.counters["speedup"] = Median(single) / Median(parallel);
    state.counters["ns_per_order_single"] = Median(single) / orders * 1e9;
}
BENCHMARK(BM_ThreadsVsSingleLoop)
    ->Arg(12)
    ->Arg(13)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseManualTime();

}  // namespace

BENCHMARK_MAIN();
