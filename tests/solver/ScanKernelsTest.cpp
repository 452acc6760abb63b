// The scan kernels: every build (AVX2, SSE2, plain) finds the same first and last candidate above a
// threshold and the same first largest one, on values full of ties and on every start and end of a range (the
// vector builds read eight or sixteen at a time and finish with the plain loop).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "solver/ScanKernels.h"

namespace {

struct CLevelGuard {
    ~CLevelGuard() { SetScanLevel(SCAN_AVX2); }
};

TEST(ScanKernels, EveryBuildFindsTheSameCandidatesAndMaxima) {
    CLevelGuard guard;
    std::mt19937 rng(11);
    const int n = 70;
    for (int round = 0; round < 20; ++round) {
        // Few distinct values, so many candidates tie with the threshold and with each other.
        std::vector<int32_t> e(n), r1(n), r2(n);
        const int spread = round % 2 ? 3 : 1 << 27;
        for (int i = 0; i < n; ++i) {
            e[i] = static_cast<int32_t>(rng() % spread) - spread / 2;
            r1[i] = static_cast<int32_t>(rng() % spread) - spread / 2;
            r2[i] = static_cast<int32_t>(rng() % spread) - spread / 2;
        }
        const int32_t c = static_cast<int32_t>(rng() % 5) - 2;
        for (int32_t t : {INT32_MIN, -1, 0, 1, static_cast<int32_t>(spread / 2)}) {
            for (int from = 0; from <= n; from += 3) {
                for (int to = from; to <= n; ++to) {
                    SetScanLevel(SCAN_PLAIN);
                    const int first = FirstAbove(e.data(), r1.data(), r2.data(), c, from, to, t);
                    const int last = LastAbove(e.data(), r1.data(), r2.data(), c, from, to, t);
                    int32_t top = 7, got = 7, next = 7, gotNext = 7;
                    const int skip1 = from + 3, skip2 = to - 1;
                    const int at = FirstMax(e.data(), r1.data(), r2.data(), from, to, skip1, skip2, &top, &next);
                    // The second value is the largest of the candidates other than the first maximum.
                    int64_t others = INT32_MIN;
                    for (int i = from; i < to; ++i)
                        if (i != skip1 && i != skip2 && i != at)
                            others = std::max(others, int64_t{e[i]} - r1[i] - r2[i]);
                    if (at >= 0) {
                        ASSERT_EQ(next, others) << "range " << from << ".." << to;
                    }
                    for (int level : {SCAN_PLAIN, SCAN_SSE2, SCAN_AVX2}) {
                        if (SetScanLevel(level) != level) continue;
                        ASSERT_EQ(FirstAbove(e.data(), r1.data(), r2.data(), c, from, to, t), first)
                            << "level " << level << " range " << from << ".." << to << " threshold " << t;
                        ASSERT_EQ(LastAbove(e.data(), r1.data(), r2.data(), c, from, to, t), last)
                            << "level " << level << " range " << from << ".." << to << " threshold " << t;
                        ASSERT_EQ(FirstMax(e.data(), r1.data(), r2.data(), from, to, skip1, skip2, &got, &gotNext),
                                  at);
                        ASSERT_EQ(got, top);
                        ASSERT_EQ(gotNext, next) << "level " << level << " range " << from << ".." << to;
                        SetScanLevel(SCAN_PLAIN);
                        const int32_t pairs = MaxOfPairs(e.data() + from, r1.data() + from, r2.data() + from,
                                                         e.data(), r2.data(), to - from);
                        SetScanLevel(level);
                        ASSERT_EQ(MaxOfPairs(e.data() + from, r1.data() + from, r2.data() + from, e.data(),
                                             r2.data(), to - from),
                                  pairs);
                    }
                }
            }
        }
    }
}

TEST(ScanKernels, ReverseCopyReadsEveryLengthBackwards) {
    CLevelGuard guard;
    std::vector<int32_t> src(40);
    for (int i = 0; i < 40; ++i) src[i] = 100 + i;
    for (int level : {SCAN_PLAIN, SCAN_SSE2, SCAN_AVX2}) {
        if (SetScanLevel(level) != level) continue;
        for (int count = 0; count <= 40; ++count) {
            std::vector<int32_t> dst(41, -1);
            ReverseCopy(dst.data(), src.data() + count - 1, count);
            for (int t = 0; t < count; ++t) ASSERT_EQ(dst[t], 100 + count - 1 - t) << "level " << level;
            ASSERT_EQ(dst[count], -1) << "level " << level << " wrote past " << count;
        }
    }
}

TEST(ScanKernels, LevelIsClampedToWhatTheProcessorRuns) {
    CLevelGuard guard;
    EXPECT_EQ(SetScanLevel(SCAN_PLAIN), SCAN_PLAIN);
    EXPECT_EQ(CurrentScanLevel(), SCAN_PLAIN);
    EXPECT_EQ(SetScanLevel(SCAN_AVX2), SupportedScanLevel());
}

}  // namespace
