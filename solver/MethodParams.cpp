// The polynomial method's program-wide parameters with their defaults, and the params.dat reader.
#include "solver/MethodParams.h"

#include <cstdint>
#include <cstring>
#include <fstream>

int g_nFirstLoop = 2;
int g_nSecondLoop = 20;
int g_nMapFirstLoop = 2;
int g_nMapSecondLoop = 3;
double g_dParam1 = 0.017;
double g_dParam2 = 0.475;
double g_dMapParam1 = 0.017;
double g_dMapParam2 = 0.475;

int g_bAppActive = 0;

int PolynSearchBudget(double factor, int n) {
    return static_cast<int>(factor * n * n + 0.001) + 1;
}

void ResetMethodParams() {
    g_nFirstLoop = 2;
    g_nSecondLoop = 20;
    g_nMapFirstLoop = 2;
    g_nMapSecondLoop = 3;
    g_dParam1 = 0.017;
    g_dParam2 = 0.475;
    g_dMapParam1 = 0.017;
    g_dMapParam2 = 0.475;
}

namespace {
// One little-endian IEEE double; false when fewer than 8 bytes were left.
bool ReadDouble(std::istream& in, double& value) {
    unsigned char bytes[8];
    if (!in.read(reinterpret_cast<char*>(bytes), sizeof bytes)) return false;
    uint64_t bits = 0;
    for (int k = 7; k >= 0; --k) bits = bits << 8 | bytes[k];
    std::memcpy(&value, &bits, sizeof value);
    return true;
}

// Stored integers are raised by 0.001 and read back by truncation toward zero. Values that no int
// can hold (or not-a-number) keep the current value instead of being converted undefinedly.
void ReadCount(double stored, int& target) {
    if (stored > -2147483648.0 && stored < 2147483648.0) target = static_cast<int>(stored);
}
}  // namespace

int ReadMethodParams(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return 0;
    int* counts[4] = {&g_nFirstLoop, &g_nSecondLoop, &g_nMapFirstLoop, &g_nMapSecondLoop};
    double* factors[4] = {&g_dParam1, &g_dParam2, &g_dMapParam1, &g_dMapParam2};
    double value = 0;
    for (int* count : counts) {
        if (!ReadDouble(in, value)) return 1;
        ReadCount(value, *count);
    }
    for (double* factor : factors) {
        if (!ReadDouble(in, value)) return 1;
        *factor = value;
    }
    return 1;
}
