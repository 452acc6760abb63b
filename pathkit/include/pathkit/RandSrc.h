// CRandSrc: random integers in a range, random bit patterns of a given width and uniform reals, with
// stream-style extraction (>>) into the common arithmetic types.
//
// Every object draws from one generator shared by the whole library, the additive feedback generator
// of 4.3BSD random(3) (31 words, separation 3), so set_seed on any object reseeds them all. The state
// is not locked: objects used from several threads interleave their draws. rand_int is a ready object,
// constructed (and so seeding the generator from the clock) when the library is loaded.
#pragma once

#include <cstdint>

#include "pathkit/pathkit_export.h"

class PATHKIT_EXPORT CRandSrc {
public:
    // Seeds the shared generator with the current calendar time (seconds); draws all 31 bits.
    CRandSrc();
    // Seeds with the time; draws `bits` bits (1..31, else all).
    explicit CRandSrc(int bits);
    // Seeds with the time; draws from lo..hi.
    CRandSrc(int lo, int hi);

    void set_seed(int seed);
    // Range mode: every value lo..hi equally likely (an empty range, hi < lo, always gives lo).
    void set_range(int lo, int hi);
    // Mask mode: draws of `bits` bits (1..31, else all); keeps the range for a later set_range.
    void set_precision(int bits);

    // One raw draw of the shared generator: 31 bits, 0..2^31-1.
    unsigned get();
    // One draw in the object's mode.
    int operator()();
    // A raw draw modulo 2^bits - 1 (bits 1..31; any other value counts as 31).
    int operator()(int bits);
    // One draw from lo..hi (0 when hi < lo); the object's own mode is left as it was.
    int operator()(int lo, int hi);

    CRandSrc& operator>>(char& value);
    CRandSrc& operator>>(unsigned char& value);
    CRandSrc& operator>>(int& value);
    CRandSrc& operator>>(unsigned int& value);
    CRandSrc& operator>>(long& value);
    CRandSrc& operator>>(unsigned long& value);
    // Uniform reals in [0, 1).
    CRandSrc& operator>>(float& value);
    CRandSrc& operator>>(double& value);

protected:
    uint32_t mask;     // bits kept from each raw draw
    int32_t low;       // lower bound of the range
    uint32_t span;     // width of the range (upper - lower)
    uint8_t maskOnly;  // 1: return the masked draw as it is; 0: range mode
};

extern PATHKIT_EXPORT CRandSrc rand_int;
