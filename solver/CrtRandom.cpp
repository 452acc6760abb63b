// The C-runtime style generator shared by every random draw of the program.
#include "solver/CrtRandom.h"

#include "solver/Platform.h"

namespace {
uint32_t g_nRandState = 1;
}

void CrtSrand(uint32_t seed) { g_nRandState = seed; }

int CrtRand() {
    g_nRandState = g_nRandState * 214013u + 2531011u;
    return static_cast<int>((g_nRandState >> 16) & 0x7FFF);
}

void CrtSrandFromClock() { CrtSrand(ClockSeed()); }
