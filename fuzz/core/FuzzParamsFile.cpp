// Fuzz target: any bytes read as params.dat, then written and read back.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "document/Params.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    ParamsFromBytes(bytes);
    const std::string written = ParamsToBytes();
    if (written.size() != 64) std::abort();
    if (ParamsFromBytes(written) != 8) std::abort();
    return 0;
}
