// Fuzz target: any text imported as a weight matrix of 1..40 nodes (the first byte chooses).
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "document/TextMatrix.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int n = data[0] % 40 + 1;
    static CSquareMatrix<int32_t> weight;
    if (static_cast<int>(weight.Dim()) != n + 1) weight.Allocate(n);
    std::istringstream in(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    const int rows = ReadTextMatrix(in, n, data[0] & 0x80 ? 1 : 0, weight);
    if (rows < 0 || rows > n) std::abort();
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) {
            const int32_t w = weight[i][j];
            if (j <= i && w != 0) std::abort();
            if (w < -32768 || w > 32767) std::abort();
        }
    return 0;
}
