// The measurement behind the earlier choice of GLPK for the optimum method's bounds (before the
// branch and cut of our own): the same integer programme on COIN-OR CBC through its C interface,
// on the same random networks as bench_optimum, its optimum checked against the branch and cut.
// CBC 2.10's C interface has no lazy-constraint hook that every incumbent must pass, so the sound
// way there is the classic loop: solve the programme with the subtour cuts found so far, add the
// cuts of the subtours of its solution, solve again, until the solution is one cycle.
//
//   build/release/benchmarks/bench_cbc   (built when coinor-libcbc-dev is installed)
#include <Cbc_C_Interface.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
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

// The optimum by CBC and subtour cuts; rounds counts the solves.
int64_t CbcOptimum(const CTspTable& t, int& rounds) {
    const int n = t.n;
    std::vector<int> ei, ej;
    Cbc_Model* model = Cbc_newModel();
    Cbc_setLogLevel(model, 0);
    for (int a = 0; a < n; ++a)
        for (int b = a + 1; b < n; ++b) {
            ei.push_back(a), ej.push_back(b);
            Cbc_addCol(model, "", 0.0, 1.0, static_cast<double>(t.W(a, b)), 1, 0, nullptr, nullptr);
        }
    for (int v = 0; v < n; ++v) {
        std::vector<int> cols;
        for (std::size_t c = 0; c < ei.size(); ++c)
            if (ei[c] == v || ej[c] == v) cols.push_back(static_cast<int>(c));
        const std::vector<double> ones(cols.size(), 1.0);
        Cbc_addRow(model, "", static_cast<int>(cols.size()), cols.data(), ones.data(), 'E', 2.0);
    }
    int64_t cost = -1;
    for (rounds = 1;; ++rounds) {
        // A model cannot be changed once solved: each round solves a copy of the growing one.
        Cbc_Model* copy = Cbc_clone(model);
        Cbc_solve(copy);
        if (!Cbc_isProvenOptimal(copy)) {
            Cbc_deleteModel(copy);
            break;
        }
        const std::vector<double> x(Cbc_getColSolution(copy), Cbc_getColSolution(copy) + ei.size());
        const double objective = Cbc_getObjValue(copy);
        Cbc_deleteModel(copy);
        std::vector<int> comp(static_cast<std::size_t>(n), -1);
        int comps = 0;
        for (int s = 0; s < n; ++s) {
            if (comp[s] >= 0) continue;
            std::vector<int> stack{s};
            comp[s] = comps;
            while (!stack.empty()) {
                const int v = stack.back();
                stack.pop_back();
                for (std::size_t c = 0; c < ei.size(); ++c) {
                    if (x[c] < 0.5 || (ei[c] != v && ej[c] != v)) continue;
                    const int u = ei[c] == v ? ej[c] : ei[c];
                    if (comp[u] < 0) comp[u] = comps, stack.push_back(u);
                }
            }
            ++comps;
        }
        if (comps == 1) {
            cost = static_cast<int64_t>(std::llround(objective));
            break;
        }
        for (int k = 0; k < comps; ++k) {  // the edges leaving component k: at least two
            std::vector<int> cols;
            for (std::size_t c = 0; c < ei.size(); ++c)
                if ((comp[ei[c]] == k) != (comp[ej[c]] == k)) cols.push_back(static_cast<int>(c));
            const std::vector<double> ones(cols.size(), 1.0);
            Cbc_addRow(model, "", static_cast<int>(cols.size()), cols.data(), ones.data(), 'G', 2.0);
        }
    }
    Cbc_deleteModel(model);
    return cost;
}

void BM_Cbc(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    std::vector<double> times;
    double rounds = 0;
    for (auto _ : state) {
        for (uint32_t seed = 1; seed <= 10; ++seed) {
            const CTspTable t = RandomTable(n, seed);
            int r = 0;
            int64_t cost = 0;
            const auto t0 = std::chrono::steady_clock::now();
            cost = CbcOptimum(t, r);
            times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
            rounds += r;
            const COptimumCore ours = BranchCutSolve(t, HeuristicTour(t), {});
            if (cost != ours.cost) state.SkipWithError("CBC and the branch and cut disagree");
        }
        std::sort(times.begin(), times.end());
        state.SetIterationTime(times[times.size() / 2]);
    }
    state.counters["median_s"] = times[times.size() / 2];
    state.counters["worst_s"] = times.back();
    state.counters["solves"] = rounds / static_cast<double>(times.size());
}
BENCHMARK(BM_Cbc)->Arg(20)->Arg(30)->Arg(40)->Arg(60)->Iterations(1)->UseManualTime()->Unit(
    benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
