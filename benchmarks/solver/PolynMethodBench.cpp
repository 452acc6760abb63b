// Wall time and memory of the polynomial method: short and full tests on random networks
// (amplitude 100) and the graph method on random graphs of degree 3, each run once on a fixed seed.
//
//   build/release/benchmarks/solver/bench_polyn                          # everything, several minutes
//   build/release/benchmarks/solver/bench_polyn --benchmark_filter='/(50|100)/'
//
// Counters: cost and passes of the run, table_MB (what the solver allocates for n), rss_MB (the
// growth of the process's resident memory from before the solver was made to the end of the run).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "solver/CycleSolver.h"
#include "solver/MethodParams.h"

namespace {

double ResidentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

std::unique_ptr<CCycleSolver> Network(int n, unsigned seed) {
    auto s = std::make_unique<CCycleSolver>();
    s->m_nKind = KIND_NETWORK;
    s->m_bQuiet = 1;
    if (!s->SetNodeCount(n)) return nullptr;
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> draw(1, 100);
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j) s->m_ppWeight[i][j] = draw(rng);
    s->m_nAmplitude = 100;
    s->MakeInitialCycle(1, 0);
    return s;
}

// A random graph of maximum degree 3: a random perfect matching laid over a cycle through the nodes
// in a random order (so a Hamiltonian cycle exists, but not along the starting order).
std::unique_ptr<CCycleSolver> Graph(int n, unsigned seed) {
    auto s = std::make_unique<CCycleSolver>();
    s->m_nKind = KIND_GRAPH;
    if (!s->SetNodeCount(n)) return nullptr;
    std::mt19937 rng(seed);
    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 1);
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j) s->m_ppWeight[i][j] = 1;
    auto join = [&](int a, int b) { s->m_ppWeight[std::min(a, b)][std::max(a, b)] = 0; };
    std::shuffle(order.begin(), order.end(), rng);
    for (int k = 0; k < n; ++k) join(order[k], order[(k + 1) % n]);
    std::shuffle(order.begin(), order.end(), rng);
    for (int k = 0; k + 1 < n; k += 2) join(order[k], order[k + 1]);
    s->MakeInitialCycle(1, 0);
    return s;
}

template <typename F>
double Seconds(F&& f) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void BM_PolynNet(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const int level = static_cast<int>(state.range(1));
    ResetMethodParams();
    for (auto _ : state) {
        malloc_trim(0);
        const double before = ResidentMegabytes();
        auto s = Network(n, 4000 + n);
        if (!s) return state.SkipWithError("not enough memory");
        s->m_nTestLevel = level;
        const double t = Seconds([&] { s->PolynMethodNet(1, 1); });
        state.SetIterationTime(t);
        state.counters["cost"] = s->m_nBestCost;
        state.counters["passes"] = s->m_nPassesRun;
        state.counters["table_MB"] = static_cast<double>(CCycleSolver::TableBytes(n, KIND_NETWORK)) / 1048576.0;
        state.counters["rss_MB"] = ResidentMegabytes() - before;
    }
}
BENCHMARK(BM_PolynNet)
    ->ArgNames({"n", "level"})
    ->ArgsProduct({{50, 100, 200}, {1, 2}})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

void BM_PolynGraph(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        malloc_trim(0);
        const double before = ResidentMegabytes();
        auto s = Graph(n, 7000 + n);
        if (!s) return state.SkipWithError("not enough memory");
        const double t = Seconds([&] { s->PolynMethodGraph(); });
        state.SetIterationTime(t);
        state.counters["cost"] = s->m_nBestCost;
        state.counters["table_MB"] = static_cast<double>(CCycleSolver::TableBytes(n, KIND_GRAPH)) / 1048576.0;
        state.counters["rss_MB"] = ResidentMegabytes() - before;
    }
}
BENCHMARK(BM_PolynGraph)
    ->ArgName("n")
    ->Arg(100)
    ->Arg(200)
    ->Arg(400)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

// The raising steps of the graph method alone, up to graphs of 1,024 nodes.
void BM_GraphRaising(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    auto s = Graph(n, 9000 + n);
    if (!s) return state.SkipWithError("not enough memory");
    const std::vector<int32_t> original(s->m_ppWeight.Data(), s->m_ppWeight.Data() + s->m_ppWeight.Size());
    for (auto _ : state) {
        state.PauseTiming();
        std::copy(original.begin(), original.end(), s->m_ppWeight.Data());
        state.ResumeTiming();
        s->RaiseDistantPairs();
    }
    long raised = 0;
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j) raised += s->m_ppWeight[i][j] == 3;
    state.counters["raised_pairs"] = static_cast<double>(raised);
}
BENCHMARK(BM_GraphRaising)->ArgName("n")->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
