// libFuzzer target: TSPData::Load on arbitrary bytes. The bytes are written to an unlinked temporary
// file of this process and loaded through /proc/self/fd (Load reads files), so no file is left behind
// however the process ends. Whatever loads is also written as a table and walked as a tour, so that
// the reader's results are used, not only produced. The library's messages are silenced; the
// sanitizers report on the standard error stream itself.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include "pathkit/TSP.h"

namespace {

int g_fd = -1;
std::string g_path;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char name[] = "/tmp/pathkit-fuzz-XXXXXX";
    g_fd = mkstemp(name);
    if (g_fd < 0) std::abort();
    unlink(name);
    g_path = "/proc/self/fd/" + std::to_string(g_fd);
    std::cerr.rdbuf(nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (ftruncate(g_fd, 0) != 0 || pwrite(g_fd, data, size, 0) != static_cast<ssize_t>(size)) std::abort();

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
