// The scan kernels in their three builds and the choice between them. The AVX2 build is compiled
// for that instruction set function by function (no build flag), so the program still runs on any
// x86-64; the processor is asked once which build it can run.
#include "solver/ScanKernels.h"

#include <algorithm>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define QUIRA_X86 1
#endif

namespace {

using Kernel = ThresholdKernel;
using PairsKernel = int32_t (*)(const int32_t*, const int32_t*, const int32_t*, const int32_t*,
                                const int32_t*, int);
using ReverseKernel = void (*)(int32_t*, const int32_t*, int);
using MaxKernel = int (*)(const int32_t*, const int32_t*, const int32_t*, int, int, int, int, int32_t*,
                          int32_t*);

inline bool Passes(const int32_t* e, const int32_t* r1, const int32_t* r2, int32_t c, int i, int32_t t) {
    return static_cast<int64_t>(e[i]) - r1[i] - r2[i] + c > t;
}

int FirstPlain(const int32_t* e, const int32_t* r1, const int32_t* r2, int32_t c, int from, int to,
               int32_t t) {
    for (int i = from; i < to; ++i)
        if (Passes(e, r1, r2, c, i, t)) return i;
    return -1;
}

int LastPlain(const int32_t* e, const int32_t* r1, const int32_t* r2, int32_t c, int from, int to,
              int32_t t) {
    for (int i = to - 1; i >= from; --i)
        if (Passes(e, r1, r2, c, i, t)) return i;
    return -1;
}

int MaxPlain(const int32_t* e, const int32_t* r1, const int32_t* r2, int from, int to, int skip1, int skip2,
             int32_t* best, int32_t* second) {
    int at = -1;
    int64_t top = 0, next = INT32_MIN;
    for (int i = from; i < to; ++i) {
        if (i == skip1 || i == skip2) continue;
        const int64_t v = static_cast<int64_t>(e[i]) - r1[i] - r2[i];
        if (at < 0 || v > top) {
            if (at >= 0) next = top;
            top = v, at = i;
        } else {
            next = std::max(next, v);
        }
    }
    if (at >= 0) *best = static_cast<int32_t>(top), *second = static_cast<int32_t>(next);
    return at;
}

void ReversePlain(int32_t* dst, const int32_t* src, int count) {
    for (int t = 0; t < count; ++t) dst[t] = src[-t];
}

int32_t PairsPlain(const int32_t* e1, const int32_t* a1, const int32_t* e2, const int32_t* a2,
                   const int32_t* b, int count) {
    int64_t top = INT32_MIN;
    for (int i = 0; i < count; ++i)
        top = std::max(top, std::max(int64_t{e1[i]} - a1[i], int64_t{e2[i]} - a2[i]) - b[i]);
    return static_cast<int32_t>(top);
}

// The lanes' own first maxima, merged: the largest value, and of the lanes holding it the smallest
// index; then the tail from i on. The second value is the largest of all the others: the lanes' own
// second values and the maxima of the lanes that lost.
int MergeLanes(const int32_t* value, const int32_t* index, const int32_t* lower, int lanes, const int32_t* e,
               const int32_t* r1, const int32_t* r2, int from, int i, int to, int skip1, int skip2, int32_t* best,
               int32_t* second) {
    int at = -1;
    int32_t top = 0, next = INT32_MIN;
    if (i > from) {
        int won = -1;
        for (int l = 0; l < lanes; ++l) {
            if (index[l] < 0) continue;
            if (at < 0 || value[l] > top || (value[l] == top && index[l] < at))
                top = value[l], at = index[l], won = l;
        }
        for (int l = 0; l < lanes; ++l) {
            if (index[l] < 0) continue;
            next = std::max(next, lower[l]);
            if (l != won) next = std::max(next, value[l]);
        }
    }
    for (; i < to; ++i) {
        if (i == skip1 || i == skip2) continue;
        const int32_t v = static_cast<int32_t>(static_cast<int64_t>(e[i]) - r1[i] - r2[i]);
        if (at < 0 || v > top) {
            if (at >= 0) next = top;
            top = v, at = i;
        } else {
            next = std::max(next, v);
        }
    }
    if (at >= 0) *best = top, *second = next;
    return at;
}

#ifdef QUIRA_X86
// Lanes whose value passes the threshold, as bits of a mask (lane 0 = bit 0).
inline int Mask4(const int32_t* e, const int32_t* r1, const int32_t* r2, __m128i c, __m128i t, int i) {
    auto load = [i](const int32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)); };
    const __m128i v = _mm_add_epi32(_mm_sub_epi32(_mm_sub_epi32(load(e), load(r1)), load(r2)), c);
    return _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpgt_epi32(v, t)));
}

int FirstSse2(const int32_t* e, const int32_t* r1, const int32_t* r2, int32_t c, int from, int to,
              int32_t t) {
    const __m128i vc = _mm_set1_epi32(c), vt = _mm_set1_epi32(t);
    int i = from;
    for (; i + 8 <= to; i += 8) {
        const int lo = Mask4(e, r1, r2, vc, vt, i), hi = Mask4(e, r1, r2, vc, vt, i + 4);
        if ((lo | hi) != 0) return i + __builtin_ctz(static_cast<unsigned>(lo | hi << 4));
    }
    for (; i + 4 <= to; i += 4)
        if (const int m = Mask4(e, r1, r2, vc, vt, i)) return i + __builtin_ctz(static_cast<unsigned>(m));
    return FirstPlain(e, r1, r2, c, i, to, t);
}

int LastSse2(const int32_t* e, const int32_t* r1, const int32_t* r2, int32_t c, int from, int to, int32_t t) {
    const __m128i vc = _mm_set1_epi32(c), vt = _mm_set1_epi32(t);
    int i = to;
    for (; i - 8 >= from; i -= 8) {
        const int lo = Mask4(e, r1, r2, vc, vt, i - 8), hi = Mask4(e, r1, r2, vc, vt, i - 4);
        if ((lo | hi) != 0) return i - 8 + 31 - __builtin_clz(static_cast<unsigned>(lo | hi << 4));
    }
    for (; i - 4 >= from; i -= 4)
        if (const int m = Mask4(e, r1, r2, vc, vt, i - 4))
            return i - 4 + 31 - __builtin_clz(static_cast<unsigned>(m));
    return LastPlain(e, r1, r2, c, from, i, t);
}

int MaxSse2(const int32_t* e, const int32_t* r1, const int32_t* r2, int from, int to, int skip1, int skip2,
            int32_t* best, int32_t* second) {
    const __m128i s1 = _mm_set1_epi32(skip1), s2 = _mm_set1_epi32(skip2);
    auto load = [](const int32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
    const __m128i none = _mm_set1_epi32(INT32_MIN);
    __m128i top = none, lower = none, at = _mm_set1_epi32(-1);
    __m128i index = _mm_add_epi32(_mm_set1_epi32(from), _mm_setr_epi32(0, 1, 2, 3));
    const __m128i step = _mm_set1_epi32(4);
    auto pick = [](__m128i mask, __m128i a, __m128i b) {
        return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b));
    };
    int i = from;
    for (; i + 4 <= to; i += 4) {
        const __m128i skip = _mm_or_si128(_mm_cmpeq_epi32(index, s1), _mm_cmpeq_epi32(index, s2));
        // A skipped candidate counts as the smallest value, which no real value reaches.
        const __m128i v =
            pick(skip, none, _mm_sub_epi32(_mm_sub_epi32(load(e + i), load(r1 + i)), load(r2 + i)));
        const __m128i gt = _mm_cmpgt_epi32(v, top);
        // The lane's second value: the larger of it and the smaller of (top, v).
        const __m128i smaller = pick(gt, top, v);
        lower = pick(_mm_cmpgt_epi32(smaller, lower), smaller, lower);
        top = pick(gt, v, top);
        at = pick(gt, index, at);
        index = _mm_add_epi32(index, step);
    }
    alignas(16) int32_t value[4], where[4], below[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(value), top);
    _mm_store_si128(reinterpret_cast<__m128i*>(where), at);
    _mm_store_si128(reinterpret_cast<__m128i*>(below), lower);
    return MergeLanes(value, where, below, 4, e, r1, r2, from, i, to, skip1, skip2, best, second);
}

int32_t PairsSse2(const int32_t* e1, const int32_t* a1, const int32_t* e2, const int32_t* a2,
                  const int32_t* b, int count) {
    auto load = [](const int32_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
    auto max = [](__m128i x, __m128i y) {
        const __m128i gt = _mm_cmpgt_epi32(x, y);
        return _mm_or_si128(_mm_and_si128(gt, x), _mm_andnot_si128(gt, y));
    };
    __m128i top = _mm_set1_epi32(INT32_MIN);
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i v = _mm_sub_epi32(
            max(_mm_sub_epi32(load(e1 + i), load(a1 + i)), _mm_sub_epi32(load(e2 + i), load(a2 + i))),
            load(b + i));
        top = max(top, v);
    }
    alignas(16) int32_t lanes[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(lanes), top);
    const int32_t rest = PairsPlain(e1 + i, a1 + i, e2 + i, a2 + i, b + i, count - i);
    return std::max({lanes[0], lanes[1], lanes[2], lanes[3], rest});
}

void ReverseSse2(int32_t* dst, const int32_t* src, int count) {
    int t = 0;
    for (; t + 4 <= count; t += 4) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src - t - 3));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + t), _mm_shuffle_epi32(v, 0x1B));
    }
    ReversePlain(dst + t, src - t, count - t);
}

__attribute__((target("avx2"))) inline __m256i Load8(const int32_t* p) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

__attribute__((target("avx2"))) inline int Mask8(const int32_t* e, const int32_t* r1, const int32_t* r2,
                                                 __m256i c, __m256i t, int i) {
    const __m256i v =
        _mm256_add_epi32(_mm256_sub_epi32(_mm256_sub_epi32(Load8(e + i), Load8(r1 + i)), Load8(r2 + i)), c);
    return _mm256_movemask_ps(_mm256_castsi256_ps(_mm256_cmpgt_epi32(v, t)));
}

// The tail of a range shorter than a vector is read as the vector that ends at the range's end,
// with the lanes before the tail (already tested) masked off; only a range shorter than one vector
// is tested one candidate at a time.
__attribute__((target("avx2"))) int FirstAvx2(const int32_t* e, const int32_t* r1, const int32_t* r2,
                                              int32_t c, int from, int to, int32_t t) {
    const __m256i vc = _mm256_set1_epi32(c), vt = _mm256_set1_epi32(t);
    if (to - from < 8) return FirstPlain(e, r1, r2, c, from, to, t);
    int i = from;
    for (; i + 16 <= to; i += 16) {
        const int lo = Mask8(e, r1, r2, vc, vt, i), hi = Mask8(e, r1, r2, vc, vt, i + 8);
        if ((lo | hi) != 0) return i + __builtin_ctz(static_cast<unsigned>(lo | hi << 8));
    }
    if (i + 8 <= to) {
        if (const int m = Mask8(e, r1, r2, vc, vt, i)) return i + __builtin_ctz(static_cast<unsigned>(m));
        i += 8;
    }
    if (i == to) return -1;
    // Lanes to - 8 .. i - 1 were tested before.
    const unsigned m = static_cast<unsigned>(Mask8(e, r1, r2, vc, vt, to - 8)) >> (i - (to - 8));
    return m != 0 ? i + __builtin_ctz(m) : -1;
}

__attribute__((target("avx2"))) int LastAvx2(const int32_t* e, const int32_t* r1, const int32_t* r2,
                                             int32_t c, int from, int to, int32_t t) {
    const __m256i vc = _mm256_set1_epi32(c), vt = _mm256_set1_epi32(t);
    if (to - from < 8) return LastPlain(e, r1, r2, c, from, to, t);
    int i = to;
    for (; i - 16 >= from; i -= 16) {
        const int lo = Mask8(e, r1, r2, vc, vt, i - 16), hi = Mask8(e, r1, r2, vc, vt, i - 8);
        if ((lo | hi) != 0) return i - 16 + 31 - __builtin_clz(static_cast<unsigned>(lo | hi << 8));
    }
    if (i - 8 >= from) {
        if (const int m = Mask8(e, r1, r2, vc, vt, i - 8))
            return i - 8 + 31 - __builtin_clz(static_cast<unsigned>(m));
        i -= 8;
    }
    if (i == from) return -1;
    // Lanes i .. from + 7 were tested before.
    const unsigned m = static_cast<unsigned>(Mask8(e, r1, r2, vc, vt, from)) & ((1u << (i - from)) - 1u);
    return m != 0 ? from + 31 - __builtin_clz(m) : -1;
}
__attribute__((target("avx2"))) int MaxAvx2(const int32_t* e, const int32_t* r1, const int32_t* r2, int from,
                                            int to, int skip1, int skip2, int32_t* best, int32_t* second) {
    const __m256i s1 = _mm256_set1_epi32(skip1), s2 = _mm256_set1_epi32(skip2);
    const __m256i none = _mm256_set1_epi32(INT32_MIN);
    __m256i top = none, lower = none, at = _mm256_set1_epi32(-1);
    __m256i index = _mm256_add_epi32(_mm256_set1_epi32(from), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
    const __m256i step = _mm256_set1_epi32(8);
    int i = from;
    for (; i + 8 <= to; i += 8) {
        const __m256i skip = _mm256_or_si256(_mm256_cmpeq_epi32(index, s1), _mm256_cmpeq_epi32(index, s2));
        const __m256i v = _mm256_blendv_epi8(
            _mm256_sub_epi32(_mm256_sub_epi32(Load8(e + i), Load8(r1 + i)), Load8(r2 + i)), none, skip);
        const __m256i gt = _mm256_cmpgt_epi32(v, top);
        lower = _mm256_max_epi32(lower, _mm256_min_epi32(top, v));
        top = _mm256_blendv_epi8(top, v, gt);
        at = _mm256_blendv_epi8(at, index, gt);
        index = _mm256_add_epi32(index, step);
    }
    alignas(32) int32_t value[8], where[8], below[8];
    _mm256_store_si256(reinterpret_cast<__m256i*>(value), top);
    _mm256_store_si256(reinterpret_cast<__m256i*>(where), at);
    _mm256_store_si256(reinterpret_cast<__m256i*>(below), lower);
    return MergeLanes(value, where, below, 8, e, r1, r2, from, i, to, skip1, skip2, best, second);
}
__attribute__((target("avx2"))) void ReverseAvx2(int32_t* dst, const int32_t* src, int count) {
    const __m256i backwards = _mm256_setr_epi32(7, 6, 5, 4, 3, 2, 1, 0);
    int t = 0;
    for (; t + 8 <= count; t += 8)
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + t),
                            _mm256_permutevar8x32_epi32(Load8(src - t - 7), backwards));
    ReverseSse2(dst + t, src - t, count - t);
}
__attribute__((target("avx2"))) int32_t PairsAvx2(const int32_t* e1, const int32_t* a1, const int32_t* e2,
                                                  const int32_t* a2, const int32_t* b, int count) {
    __m256i top = _mm256_set1_epi32(INT32_MIN);
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i v = _mm256_sub_epi32(_mm256_max_epi32(_mm256_sub_epi32(Load8(e1 + i), Load8(a1 + i)),
                                                            _mm256_sub_epi32(Load8(e2 + i), Load8(a2 + i))),
                                           Load8(b + i));
        top = _mm256_max_epi32(top, v);
    }
    alignas(32) int32_t lanes[8];
    _mm256_store_si256(reinterpret_cast<__m256i*>(lanes), top);
    int32_t best = PairsPlain(e1 + i, a1 + i, e2 + i, a2 + i, b + i, count - i);
    for (const int32_t l : lanes) best = std::max(best, l);
    return best;
}
#endif

int Supported() {
#ifdef QUIRA_X86
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2")) return SCAN_AVX2;
    if (__builtin_cpu_supports("sse2")) return SCAN_SSE2;
#endif
    return SCAN_PLAIN;
}

struct CKernels {
    int level;
    Kernel first, last;
    MaxKernel max;
    PairsKernel pairs;
    ReverseKernel reverse;
};

CKernels Make(int level) {
#ifdef QUIRA_X86
    if (level >= SCAN_AVX2) return {SCAN_AVX2, FirstAvx2, LastAvx2, MaxAvx2, PairsAvx2, ReverseAvx2};
    if (level == SCAN_SSE2) return {SCAN_SSE2, FirstSse2, LastSse2, MaxSse2, PairsSse2, ReverseSse2};
#endif
    return {SCAN_PLAIN, FirstPlain, LastPlain, MaxPlain, PairsPlain, ReversePlain};
}

CKernels& Current() {
    static CKernels kernels = Make(Supported());
    return kernels;
}

// The threshold kernels' pointers start at these, which choose the build on the first call.
int FirstChoosing(const int32_t* e, const int32_t* r1, const int32_t* r2, int32_t c, int from, int to,
                  int32_t t) {
    g_pFirstAbove = Current().first;
    return g_pFirstAbove(e, r1, r2, c, from, to, t);
}

int LastChoosing(const int32_t* e, const int32_t* r1, const int32_t* r2, int32_t c, int from, int to,
                 int32_t t) {
    g_pLastAbove = Current().last;
    return g_pLastAbove(e, r1, r2, c, from, to, t);
}

}  // namespace

ThresholdKernel g_pFirstAbove = FirstChoosing;
ThresholdKernel g_pLastAbove = LastChoosing;

int SupportedScanLevel() {
    static const int level = Supported();
    return level;
}

int CurrentScanLevel() {
    return Current().level;
}

int SetScanLevel(int level) {
    const int supported = SupportedScanLevel();
    Current() = Make(level < supported ? level : supported);
    g_pFirstAbove = Current().first;
    g_pLastAbove = Current().last;
    return Current().level;
}

int FirstMax(const int32_t* e, const int32_t* r1, const int32_t* r2, int from, int to, int skip1, int skip2,
             int32_t* best, int32_t* second) {
    int32_t unused = 0;
    return Current().max(e, r1, r2, from, to, skip1, skip2, best, second ? second : &unused);
}

int32_t MaxOfPairs(const int32_t* e1, const int32_t* a1, const int32_t* e2, const int32_t* a2,
                   const int32_t* b, int count) {
    return Current().pairs(e1, a1, e2, a2, b, count);
}

void ReverseCopy(int32_t* dst, const int32_t* src, int count) {
    Current().reverse(dst, src, count);
}
