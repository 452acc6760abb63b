// Random networks and graphs: ranges, degree bounds, and reproducibility under a fixed seed.
#include <gtest/gtest.h>

#include <optional>

#include "document/RandomInstances.h"
#include "support/Fakes.h"
#include "support/Networks.h"

namespace {

int Degree(const CCycleSolver& s, int v) {
    int d = 0;
    for (int u = 1; u <= s.m_nNodes; ++u)
        if (u != v && s.Weight(u, v) == 0) ++d;
    return d;
}

struct CSeeded {
    CFakePlatform platform;
    explicit CSeeded(uint32_t seed) { Platform().seedOverride = seed; }
    ~CSeeded() { Platform().seedOverride.reset(); }
};

}  // namespace

TEST(RandomNetwork, LargeAmplitudeGivesOddWeightsInRange) {
    CSeeded seed(7);
    auto s = MakeSolver(40);
    s->m_nAmplitude = 30000;
    RandomNetwork(*s);
    for (int i = 1; i <= 40; ++i)
        for (int j = i + 1; j <= 40; ++j) {
            const int w = s->m_ppWeight[i][j];
            EXPECT_NE(w % 2, 0);
            EXPECT_GE(w, -29999);
            EXPECT_LE(w, 29999);
        }
    EXPECT_EQ(s->m_ppWeight[2][1], 0);  // the lower triangle stays 0
}

TEST(RandomNetwork, WeightsLieWithinTheAmplitudeAndTheIdentityBecomesTheInitialCycle) {
    CSeeded seed(3);
    auto s = MakeSolver(30);
    s->m_nAmplitude = 5;
    s->MakeInitialCycle(1, 1);
    RandomNetwork(*s);
    bool negative = false, positive = false;
    for (int i = 1; i <= 30; ++i)
        for (int j = i + 1; j <= 30; ++j) {
            EXPECT_LE(std::abs(s->m_ppWeight[i][j]), 5);
            negative |= s->m_ppWeight[i][j] < 0;
            positive |= s->m_ppWeight[i][j] > 0;
        }
    EXPECT_TRUE(negative && positive);
    for (int k = 1; k <= 30; ++k) EXPECT_EQ(s->m_aInitial[k], k);
}

TEST(RandomNetwork, SameSeedSameNetwork) {
    CSeeded seed(11);
    auto a = MakeSolver(9), b = MakeSolver(9);
    RandomNetwork(*a);
    RandomNetwork(*b);
    EXPECT_EQ(WeightSnapshot(*a), WeightSnapshot(*b));
}

TEST(RandomGraph, NoNodeExceedsTheMaximumDegree) {
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        CSeeded seeded(seed);
        auto s = MakeSolver(10, KIND_GRAPH);
        s->m_nAmplitude = 2;
        RandomGraph(*s);
        int edges = 0;
        for (int v = 1; v <= 10; ++v) {
            EXPECT_LE(Degree(*s, v), 2);
            edges += Degree(*s, v);
        }
        EXPECT_GT(edges, 0);
    }
}

TEST(RandomGraph, DegreeZeroMakesEachPairAnEdgeWithEqualChance) {
    CSeeded seed(5);
    auto s = MakeSolver(60, KIND_GRAPH);
    s->m_nAmplitude = 0;
    RandomGraph(*s);
    int present = 0, pairs = 0;
    for (int i = 1; i <= 60; ++i)
        for (int j = i + 1; j <= 60; ++j, ++pairs) present += s->m_ppWeight[i][j] == 0;
    EXPECT_NEAR(static_cast<double>(present) / pairs, 0.5, 0.05);
}

TEST(Gener2, DegreeOneOnFourNodesNeverGivesANodeTwoEdges) {
    for (uint32_t seed = 1; seed <= 50; ++seed) {
        CSeeded seeded(seed);
        auto s = MakeSolver(4, KIND_GRAPH);
        Gener2(*s, 1);
        for (int v = 1; v <= 4; ++v) EXPECT_LE(Degree(*s, v), 1);
    }
}

TEST(Gener2, WritesOnlyTheUpperTriangle) {
    CSeeded seed(2);
    auto s = MakeSolver(12, KIND_GRAPH);
    s->m_ppWeight[5][3] = 77;
    Gener2(*s, 3);
    EXPECT_EQ(s->m_ppWeight[5][3], 77);
    for (int v = 1; v <= 12; ++v) EXPECT_LE(Degree(*s, v), 3);
}
