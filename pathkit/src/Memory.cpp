// Bounds on what an instance may allocate.
#include "Memory.h"

#include <unistd.h>

#include <climits>

namespace pathkit {

uint64_t MatrixBytes(long long n) {
    if (n < 0 || n > INT_MAX) return UINT64_MAX;
    const uint64_t nodes = static_cast<uint64_t>(n);
    return nodes * (nodes > 0 ? nodes - 1 : 0) / 2 * sizeof(int);
}

bool FitsInMemory(uint64_t bytes) {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0) return true;  // unknown: leave it to the allocator
    return bytes / static_cast<uint64_t>(pageSize) < static_cast<uint64_t>(pages);
}

std::string NoMemoryMessage(long long n) {
    return "Not enough memory for DIMENSION " + std::to_string(n);
}

}  // namespace pathkit
