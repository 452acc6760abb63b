// CRandSrc and the generator it shares: the additive feedback generator of 4.3BSD random(3),
// x[k] = x[k-31] + x[k-3] (mod 2^32), each draw the sum shifted right by one bit (31 bits).
#include "pathkit/RandSrc.h"

#include <cmath>
#include <cstdint>
#include <ctime>

namespace {

constexpr int kWords = 31;
constexpr int kSeparation = 3;

struct Generator {
    uint32_t r[kWords];
    int front = kSeparation;
    int rear = 0;

    // The 4.3BSD seeding: a linear congruence fills the words, then 10 * 31 draws are dropped so that
    // the words mix.
    void Seed(uint32_t seed) {
        r[0] = seed;
        for (int i = 1; i < kWords; ++i) r[i] = 1103515245u * r[i - 1] + 12345u;
        front = kSeparation;
        rear = 0;
        for (int i = 0; i < 10 * kWords; ++i) Draw();
    }

    uint32_t Draw() {
        r[front] += r[rear];
        const uint32_t result = r[front] >> 1;
        if (++front == kWords) front = 0;
        if (++rear == kWords) rear = 0;
        return result;
    }

    // 32 random bits from the upper 16 bits of two draws, for ranges wider than one draw.
    uint32_t Draw32() {
        const uint32_t high = Draw() >> 15;
        return (high << 16) | (Draw() >> 15);
    }
};

Generator g_generator;

void SeedFromClock() {
    g_generator.Seed(static_cast<uint32_t>(std::time(nullptr)));
}

uint32_t MaskOfBits(int bits) {
    return bits >= 1 && bits <= 31 ? (1u << bits) - 1 : 0xFFFFFFFFu;
}

}  // namespace

CRandSrc rand_int;

CRandSrc::CRandSrc() : mask(0xFFFFFFFFu), low(0), span(0), maskOnly(1) {
    SeedFromClock();
}

CRandSrc::CRandSrc(int bits) : mask(MaskOfBits(bits)), low(0), span(0), maskOnly(1) {
    SeedFromClock();
}

CRandSrc::CRandSrc(int lo, int hi) {
    SeedFromClock();
    set_range(lo, hi);
}

void CRandSrc::set_seed(int seed) {
    g_generator.Seed(static_cast<uint32_t>(seed));
}

void CRandSrc::set_range(int lo, int hi) {
    low = lo;
    span = hi < lo ? 0 : static_cast<uint32_t>(hi) - static_cast<uint32_t>(lo);
    maskOnly = 0;
    mask = 0;
    while (mask < span) mask = (mask << 1) | 1;
}

void CRandSrc::set_precision(int bits) {
    mask = MaskOfBits(bits);
    maskOnly = 1;
}

unsigned CRandSrc::get() {
    return g_generator.Draw();
}

int CRandSrc::operator()() {
    if (maskOnly) return static_cast<int>(g_generator.Draw() & mask);
    // A span of 2^31 or more needs all 32 bits, which one draw does not have.
    const bool wide = mask > 0x7FFFFFFFu;
    uint32_t v;
    do {
        v = (wide ? g_generator.Draw32() : g_generator.Draw()) & mask;
    } while (v > span);
    return static_cast<int>(v + static_cast<uint32_t>(low));
}

int CRandSrc::operator()(int bits) {
    if (bits < 1 || bits > 31) bits = 31;
    return static_cast<int>(g_generator.Draw() % ((1u << bits) - 1));
}

int CRandSrc::operator()(int lo, int hi) {
    if (hi < lo) return 0;
    const CRandSrc saved = *this;
    set_range(lo, hi);
    const int value = (*this)();
    *this = saved;
    return value;
}

CRandSrc& CRandSrc::operator>>(char& value) {
    value = static_cast<char>((*this)());
    return *this;
}

CRandSrc& CRandSrc::operator>>(unsigned char& value) {
    value = static_cast<unsigned char>((*this)());
    return *this;
}

CRandSrc& CRandSrc::operator>>(int& value) {
    value = (*this)();
    return *this;
}

CRandSrc& CRandSrc::operator>>(unsigned int& value) {
    value = static_cast<unsigned int>((*this)());
    return *this;
}

CRandSrc& CRandSrc::operator>>(long& value) {
    value = (*this)();
    return *this;
}

CRandSrc& CRandSrc::operator>>(unsigned long& value) {
    value = static_cast<unsigned long>((*this)());
    return *this;
}

// A float has 24 bits of mantissa: the upper 24 bits of a draw give a value that cannot round up to 1.
CRandSrc& CRandSrc::operator>>(float& value) {
    value = std::ldexp(static_cast<float>(g_generator.Draw() >> 7), -24);
    return *this;
}

CRandSrc& CRandSrc::operator>>(double& value) {
    value = std::ldexp(static_cast<double>(g_generator.Draw()), -31);
    return *this;
}
