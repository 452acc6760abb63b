// Fuzz target: any text read by the console's strict matrix reader (the first byte chooses the
// node count, 0 meaning "count the rows", and the graph flag). A matrix it accepts is square, keeps
// only its upper triangle and can never make a cycle's cost leave 32 bits; a refusal names a line.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "document/TextMatrix.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int nodes = data[0] % 41;
    const int graph = data[0] & 0x80 ? 1 : 0;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const CStrictMatrix m = ReadStrictMatrix(text, "f", nodes, graph, 64);
    if (!m.error.empty()) {
        if (m.nodes != 0 || !m.weights.empty() || m.error.rfind("f", 0) != 0) std::abort();
        return 0;
    }
    const int n = m.nodes;
    if (n < 1 || n > 64 || (nodes > 0 && n != nodes)) std::abort();
    const std::size_t dim = static_cast<std::size_t>(n) + 1;
    if (m.weights.size() != dim * dim) std::abort();
    long long largest = 0;
    for (std::size_t i = 0; i < dim; ++i)
        for (std::size_t j = 0; j < dim; ++j) {
            const long long w = m.weights[i * dim + j];
            if ((i == 0 || j <= i) && w != 0) std::abort();
            if (graph && w != 0 && w != 1) std::abort();
            if ((w < 0 ? -w : w) > largest) largest = w < 0 ? -w : w;
        }
    if (largest * n >= (1LL << 31)) std::abort();
    return 0;
}
