// CRandSrc: the shared 4.3BSD generator against a model of its recurrence, and the range, mask and
// real-valued draws built on it.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <set>
#include <vector>

#include "pathkit/RandSrc.h"

namespace {

// The generator written as its recurrence: the seed words in the order the front index visits them
// (3..30, then 0..2), then w[k] = w[k-31] + w[k-3]; the first 310 sums are dropped and each draw is
// the next sum shifted right by one bit.
std::vector<uint32_t> ModelDraws(uint32_t seed, int count) {
    uint32_t seedWords[31];
    seedWords[0] = seed;
    for (int i = 1; i < 31; ++i) seedWords[i] = 1103515245u * seedWords[i - 1] + 12345u;
    std::vector<uint32_t> w;
    for (int k = 0; k < 31; ++k) w.push_back(seedWords[(3 + k) % 31]);
    while (w.size() < 31u + 310u + static_cast<unsigned>(count))
        w.push_back(w[w.size() - 31] + w[w.size() - 3]);
    std::vector<uint32_t> draws;
    for (std::size_t k = 31 + 310; k < w.size(); ++k) draws.push_back(w[k] >> 1);
    return draws;
}

// Reads the object's fields.
class Probe : public CRandSrc {
public:
    using CRandSrc::CRandSrc;
    uint32_t Mask() const { return mask; }
    int32_t Low() const { return low; }
    uint32_t Span() const { return span; }
    bool MaskOnly() const { return maskOnly != 0; }
};

}  // namespace

TEST(RandSrc, RawDrawsFollowTheAdditiveRecurrence) {
    CRandSrc source;
    for (uint32_t seed : {1u, 12345u, 0xFFFFFFFFu}) {
        source.set_seed(static_cast<int>(seed));
        for (uint32_t expected : ModelDraws(seed, 200)) ASSERT_EQ(source.get(), expected) << "seed " << seed;
    }
}

TEST(RandSrc, AllObjectsShareOneGenerator) {
    CRandSrc a, b;
    a.set_seed(7);
    const std::vector<uint32_t> expected = ModelDraws(7, 4);
    EXPECT_EQ(a.get(), expected[0]);
    EXPECT_EQ(b.get(), expected[1]);
    EXPECT_EQ(rand_int.get(), expected[2]);
    EXPECT_EQ(static_cast<uint32_t>(rand_int()), expected[3]);  // all 31 bits by default
}

TEST(RandSrc, RangeUsesTheSmallestCoveringMaskAndRejectsTheRest) {
    Probe source;
    source.set_range(0, 5);
    EXPECT_EQ(source.Mask(), 7u);
    EXPECT_FALSE(source.MaskOnly());
    source.set_seed(3);
    const std::vector<uint32_t> raw = ModelDraws(3, 400);
    std::set<int> seen;
    std::size_t used = 0;
    for (int i = 0; i < 100; ++i) {
        const int value = source();
        // The value is the first masked raw draw that is not 6 or 7.
        while ((raw[used] & 7u) > 5u) ++used;
        ASSERT_EQ(value, static_cast<int>(raw[used++] & 7u));
        seen.insert(value);
    }
    EXPECT_EQ(seen, (std::set<int>{0, 1, 2, 3, 4, 5}));
}

TEST(RandSrc, RangesOfOneValueNegativeAndFullWidth) {
    Probe source(5, 5);
    EXPECT_EQ(source.Mask(), 0u);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(source(), 5);

    source.set_range(-3, 3);
    std::set<int> seen;
    for (int i = 0; i < 500; ++i) seen.insert(source());
    EXPECT_EQ(seen, (std::set<int>{-3, -2, -1, 0, 1, 2, 3}));

    // A span of 2^32 - 1 reaches both halves of the 32-bit range.
    source.set_range(INT_MIN, INT_MAX);
    bool negative = false, high = false;
    for (int i = 0; i < 200; ++i) {
        const int value = source();
        negative |= value < 0;
        high |= value >= (1 << 30);
    }
    EXPECT_TRUE(negative);
    EXPECT_TRUE(high);

    source.set_range(10, 3);  // empty: the lower bound
    EXPECT_EQ(source.Span(), 0u);
    EXPECT_EQ(source(), 10);
}

TEST(RandSrc, OneOffRangeLeavesTheObjectsModeAlone) {
    Probe source(100, 103);
    EXPECT_EQ(source(10, 3), 0);
    for (int i = 0; i < 50; ++i) {
        const int value = source(1, 6);
        ASSERT_GE(value, 1);
        ASSERT_LE(value, 6);
    }
    EXPECT_EQ(source.Low(), 100);
    EXPECT_EQ(source.Span(), 3u);
    EXPECT_EQ(source.Mask(), 3u);
    for (int i = 0; i < 50; ++i) {
        const int value = source();
        ASSERT_GE(value, 100);
        ASSERT_LE(value, 103);
    }
}

TEST(RandSrc, MaskModeAndModuloDraws) {
    Probe source(4);
    EXPECT_EQ(source.Mask(), 15u);
    EXPECT_TRUE(source.MaskOnly());
    source.set_seed(11);
    const std::vector<uint32_t> raw = ModelDraws(11, 3);
    EXPECT_EQ(source(), static_cast<int>(raw[0] & 15u));
    EXPECT_EQ(source(3), static_cast<int>(raw[1] % 7u));
    EXPECT_EQ(source(1), 0);

    source.set_range(0, 1000);
    source.set_precision(40);  // out of 1..31: all bits
    EXPECT_EQ(source.Mask(), 0xFFFFFFFFu);
    EXPECT_EQ(source.Span(), 1000u);  // kept for a later range
    EXPECT_TRUE(source.MaskOnly());
    EXPECT_EQ(Probe(0).Mask(), 0xFFFFFFFFu);
    for (int bits : {0, -5, 32}) EXPECT_GE(source(bits), 0);  // no division by zero
}

TEST(RandSrc, ExtractsIntegersAndRealsBelowOne) {
    CRandSrc source(0, 9);
    int i = -1;
    long l = -1;
    unsigned char c = 255;
    source >> i >> l >> c;
    EXPECT_TRUE(i >= 0 && i <= 9);
    EXPECT_TRUE(l >= 0 && l <= 9);
    EXPECT_LE(c, 9);
    double d = 2;
    float f = 2;
    for (int k = 0; k < 10000; ++k) {
        source >> d >> f;
        ASSERT_GE(d, 0.0);
        ASSERT_LT(d, 1.0);
        ASSERT_GE(f, 0.0f);
        ASSERT_LT(f, 1.0f);
    }
}
