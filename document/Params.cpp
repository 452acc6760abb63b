// Reading and writing params.dat.
#include "document/Params.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

#include "document/SafeSave.h"
#include "solver/MethodParams.h"

namespace {

constexpr int kValues = 8;

double GetDouble(const std::string& bytes, int index) {
    uint64_t bits = 0;
    for (int k = 0; k < 8; ++k)
        bits |= static_cast<uint64_t>(static_cast<unsigned char>(bytes[index * 8 + k])) << (8 * k);
    return std::bit_cast<double>(bits);
}

void PutDouble(std::string& bytes, double value) {
    const uint64_t bits = std::bit_cast<uint64_t>(value);
    for (int k = 0; k < 8; ++k) bytes.push_back(static_cast<char>((bits >> (8 * k)) & 0xFF));
}

// Truncation toward zero, refused for values that no int can hold.
bool TakeCount(double value, int& into) {
    if (!std::isfinite(value)) return false;
    const double t = std::trunc(value);
    if (t < INT_MIN || t > INT_MAX) return false;
    into = static_cast<int>(t);
    return true;
}

}  // namespace

int ParamsFromBytes(const std::string& bytes) {
    int* counts[] = {&g_nFirstLoop, &g_nSecondLoop, &g_nMapFirstLoop, &g_nMapSecondLoop};
    double* factors[] = {&g_dParam1, &g_dParam2, &g_dMapParam1, &g_dMapParam2};
    const int present = static_cast<int>(std::min<std::size_t>(bytes.size() / 8, kValues));
    int taken = 0;
    for (int k = 0; k < present; ++k) {
        const double value = GetDouble(bytes, k);
        if (k < 4) {
            taken += TakeCount(value, *counts[k]) ? 1 : 0;
        } else {
            *factors[k - 4] = value;
            ++taken;
        }
    }
    return taken;
}

std::string ParamsToBytes() {
    std::string bytes;
    PutDouble(bytes, g_nFirstLoop + 0.001);
    PutDouble(bytes, g_nSecondLoop + 0.001);
    PutDouble(bytes, g_nMapFirstLoop + 0.001);
    PutDouble(bytes, g_nMapSecondLoop + 0.001);
    PutDouble(bytes, g_dParam1);
    PutDouble(bytes, g_dParam2);
    PutDouble(bytes, g_dMapParam1);
    PutDouble(bytes, g_dMapParam2);
    return bytes;
}

int ReadParams(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return -1;
    std::string bytes;
    char buffer[kValues * 8];
    file.read(buffer, sizeof buffer);  // only the first 64 bytes count
    bytes.assign(buffer, static_cast<std::size_t>(file.gcount()));
    return ParamsFromBytes(bytes);
}

int WriteParams(const std::string& path, std::string* reason) {
    const std::string error = WriteFileSafely(path, ParamsToBytes());
    if (reason) *reason = error;
    return error.empty() ? 1 : 0;
}
