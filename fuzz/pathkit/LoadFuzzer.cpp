// libFuzzer target: TSPData::Load on arbitrary bytes. The bytes are written to a file of this process
// (Load reads files), and whatever loads is also written as a table and walked as a tour, so that the
// reader's results are used, not only produced. The library's messages are silenced; the sanitizers
// report on the standard error stream itself.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include "pathkit/TSP.h"

namespace {

std::string g_path;

void RemoveInputFile() {
    std::remove(g_path.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char name[] = "/tmp/pathkit-fuzz-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) std::abort();
    close(fd);
    g_path = name;
    std::atexit(RemoveInputFile);
    std::cerr.rdbuf(nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* file = std::fopen(g_path.c_str(), "wb");
    if (!file) std::abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    TSP tsp;
    if (!tsp.Load(g_path.c_str())) return 0;
    if (tsp.GetDim() <= 0 || !tsp.GetMatrix()) std::abort();  // a successful load has a matrix
    if (tsp.GetDim() <= 300) {
        std::ostringstream table;
        tsp.StoreMatrix(table);
    }
    for (int node = 1; node <= tsp.GetDim(); ++node) tsp.tourList.push_back(node);
    tsp.CalcCost();
    return 0;
}
