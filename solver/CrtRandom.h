// The program's random generator: the classic C-runtime linear congruence
// (state = state * 214013 + 2531011 mod 2^32, each draw the 15 bits (state >> 16) & 0x7FFF),
// so that a seed gives the same networks and starts on every platform.
#pragma once

#include <cstdint>

constexpr int CRT_RAND_MAX = 0x7FFF;

void CrtSrand(uint32_t seed);
int CrtRand();

// Seeds the generator from the millisecond clock (or the console's fixed seed, see ClockSeed).
void CrtSrandFromClock();
