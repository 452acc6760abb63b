// Bounds on what an instance may allocate: its packed matrix must fit in the machine's memory.
#pragma once

#include <cstdint>
#include <string>

namespace pathkit {

// Bytes of the packed matrix of n nodes; UINT64_MAX when n is negative or beyond 32 bits.
uint64_t MatrixBytes(long long n);

// True when that many bytes fit in the physical memory of the machine.
bool FitsInMemory(uint64_t bytes);

// The message for a node count whose matrix does not fit.
std::string NoMemoryMessage(long long n);

}  // namespace pathkit
