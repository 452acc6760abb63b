// Speed of the instance reader, the matrix computation and the matrix writer.
//
//   bench_pathkit [--benchmark_filter=...]
//
// Instances: EUC_2D files of 1,000 and 5,000 nodes with random integer coordinates (fixed seed),
// written once to a temporary folder, and the largest published instance (pr2392, 2,392 nodes).
// Load includes the matrix computation (a coordinate section is turned into the matrix as it is read);
// CalcMatrix alone and StoreMatrix alone are measured on an instance loaded beforehand; Convert is
// what TOURCHK does (Load, then StoreMatrix to a file). StoreMatrixPrintf formats the same table
// with one fprintf per number, for comparison with the library's writer.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "pathkit/TSPData.h"

namespace {

namespace fs = std::filesystem;

// A temporary folder for the generated instances and the tables, removed at exit.
class WorkFolder {
public:
    WorkFolder() : path(fs::temp_directory_path() / ("pathkit-bench-" + std::to_string(::getpid()))) {
        fs::create_directories(path);
    }
    ~WorkFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    const fs::path path;
};

const fs::path& WorkDir() {
    static const WorkFolder folder;
    return folder.path;
}

// The instance file for a size: 0 is the largest published instance, else a generated one.
std::string InstanceFile(int nodes) {
    if (nodes == 0) return PATHKIT_LARGEST_INSTANCE;
    static std::map<int, std::string> files;
    auto& file = files[nodes];
    if (file.empty()) {
        file = (WorkDir() / ("euc" + std::to_string(nodes) + ".tsp")).string();
        FILE* out = std::fopen(file.c_str(), "w");
        std::fprintf(out,
                     "NAME: euc%d\nTYPE: TSP\nDIMENSION: %d\nEDGE_WEIGHT_TYPE: EUC_2D\nNODE_COORD_SECTION\n",
                     nodes, nodes);
        std::mt19937 random(20240229u + static_cast<unsigned>(nodes));
        std::uniform_int_distribution<int> coordinate(0, 99999);
        for (int i = 1; i <= nodes; ++i)
            std::fprintf(out, "%d %d %d\n", i, coordinate(random), coordinate(random));
        std::fputs("EOF\n", out);
        std::fclose(out);
    }
    return file;
}

std::unique_ptr<TSPData> Loaded(benchmark::State& state) {
    auto data = std::make_unique<TSPData>();
    if (!data->Load(InstanceFile(static_cast<int>(state.range(0))).c_str()))
        state.SkipWithError("load failed");
    return data;
}

void SetCounters(benchmark::State& state, const TSPData& data) {
    const double entries = static_cast<double>(data.GetDim()) * data.GetDim();
    state.counters["nodes"] = data.GetDim();
    state.counters["numbers/s"] = benchmark::Counter(entries, benchmark::Counter::kIsIterationInvariantRate);
}

std::string TableFile() {
    return (WorkDir() / "table.txt").string();
}

void BM_Load(benchmark::State& state) {
    const std::string file = InstanceFile(static_cast<int>(state.range(0)));
    TSPData data;
    for (auto _ : state)
        if (!data.Load(file.c_str())) state.SkipWithError("load failed");
    SetCounters(state, data);
}

void BM_CalcMatrix(benchmark::State& state) {
    auto data = Loaded(state);
    for (auto _ : state) {
        data->CalcMatrix();
        benchmark::DoNotOptimize(data->GetMatrix());
    }
    SetCounters(state, *data);
}

void BM_StoreMatrix(benchmark::State& state) {
    auto data = Loaded(state);
    const std::string table = TableFile();
    for (auto _ : state) data->StoreMatrix(table.c_str());
    SetCounters(state, *data);
    state.counters["MB"] = static_cast<double>(fs::file_size(table)) / 1e6;
}

void BM_Convert(benchmark::State& state) {
    const std::string file = InstanceFile(static_cast<int>(state.range(0)));
    const std::string table = TableFile();
    for (auto _ : state) {
        TSPData data;
        if (!data.Load(file.c_str())) state.SkipWithError("load failed");
        data.StoreMatrix(table.c_str());
    }
}

// The table written the plain way: one fprintf per number through the C library's buffer.
void BM_StoreMatrixPrintf(benchmark::State& state) {
    auto data = Loaded(state);
    const std::string table = TableFile();
    const int n = data->GetDim();
    for (auto _ : state) {
        FILE* out = std::fopen(table.c_str(), "w");
        std::fputs("\nbanner\nNode", out);
        for (int c = 1; c <= n; ++c) std::fprintf(out, "%5d ", c);
        std::fputc('\n', out);
        for (int r = 1; r <= n; ++r) {
            std::fprintf(out, "%3d:", r);
            for (int c = 1; c <= n; ++c) std::fprintf(out, "%5d ", c > r ? data->GetCost(r, c) : 0);
            std::fputc('\n', out);
        }
        std::fputs("-1\nEOF", out);
        std::fclose(out);
    }
    SetCounters(state, *data);
}

// Arguments: node count of a generated instance, or 0 for the largest published one.
void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(5000)->Arg(0)->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_Load)->Apply(Sizes);
BENCHMARK(BM_CalcMatrix)->Apply(Sizes);
BENCHMARK(BM_StoreMatrix)->Apply(Sizes);
BENCHMARK(BM_Convert)->Apply(Sizes);
BENCHMARK(BM_StoreMatrixPrintf)->Apply(Sizes);

BENCHMARK_MAIN();
