// Fuzz target: any text typed as a cycle into a document of 1..64 nodes (the first byte chooses).
// An accepted text must leave a canonical permutation of 1..n as the initial cycle.
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "document/MainDoc.h"
#include "document/Switches.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    g_bWriteParamsOnClose = 0;
    static CMainDoc* doc = nullptr;
    if (!doc) doc = new CMainDoc;
    const int n = data[0] % 64 + 1;
    if (doc->m_solver.m_nNodes != n && !doc->SetNodeCount(n)) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    if (doc->ParseGivenCycle(text) != 0) return 0;
    const int* c = doc->m_solver.m_aInitial;
    std::vector<char> seen(n + 1, 0);
    for (int k = 1; k <= n; ++k) {
        if (c[k] < 1 || c[k] > n || seen[c[k]]) std::abort();
        seen[c[k]] = 1;
    }
    if (c[1] != 1) std::abort();
    return 0;
}
