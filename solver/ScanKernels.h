// The inner loops of the polynomial method's hot scans, in three builds chosen when the program
// starts: AVX2 (eight candidates per instruction), SSE2 (four) and a plain loop. Every build returns
// the same index: the first (or last) candidate in scan order whose value passes the threshold, so
// the order in which ties are broken never depends on the machine.
//
// A candidate's value is e[i] - r1[i] - r2[i] + c, computed in 32 bits. The callers guarantee that
// no term and no sum can leave the 32-bit range (every weight below 2^29 in magnitude).
#pragma once

#include <cstdint>

enum ScanLevel { SCAN_PLAIN = 0, SCAN_SSE2 = 1, SCAN_AVX2 = 2 };

// The best level this processor runs.
int SupportedScanLevel();
// The level in use (the supported one unless set lower).
int CurrentScanLevel();
// Uses the given level, or the supported one when that is lower; returns the level now in use.
int SetScanLevel(int level);

// The builds of the two threshold kernels in use, called straight from the scans' inner loops.
using ThresholdKernel = int (*)(const int32_t*, const int32_t*, const int32_t*, int32_t, int, int, int32_t);
extern ThresholdKernel g_pFirstAbove;
extern ThresholdKernel g_pLastAbove;
// The first i in [from, to) with e[i] - r1[i] - r2[i] + c > threshold, or -1.
inline int FirstAbove(const int32_t* e, const int32_t* r1, const int32_t* r2, int32_t c, int from, int to,
                      int32_t threshold) {
    return g_pFirstAbove(e, r1, r2, c, from, to, threshold);
}
// The last such i in [from, to), or -1.
inline int LastAbove(const int32_t* e, const int32_t* r1, const int32_t* r2, int32_t c, int from, int to,
                     int32_t threshold) {
    return g_pLastAbove(e, r1, r2, c, from, to, threshold);
}
// The first i in [from, to), other than skip1 and skip2, of the largest e[i] - r1[i] - r2[i], its
// value in *best and the largest value of the other candidates in *second (equal to *best when the
// largest value occurs twice, INT32_MIN when there is no other); -1 (and both untouched) when there
// is no such i.
int FirstMax(const int32_t* e, const int32_t* r1, const int32_t* r2, int from, int to, int skip1, int skip2,
             int32_t* best, int32_t* second = nullptr);
// The largest max(e1[i] - a1[i], e2[i] - a2[i]) - b[i] for i in [0, count), or INT32_MIN when
// count is 0.
int32_t MaxOfPairs(const int32_t* e1, const int32_t* a1, const int32_t* e2, const int32_t* a2,
                   const int32_t* b, int count);
// dst[t] = src[-t] for t in [0, count): a run of a row copied in the opposite order.
void ReverseCopy(int32_t* dst, const int32_t* src, int count);
