// The network of a map document: selection, weights in miles and kilometres, names and positions.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

#include "MapSolver.h"
#include "mapdemo/MapData.h"

namespace {

TEST(MapNetwork, AllCapitalsInMiles) {
    auto s = MakeMapSolver();
    ASSERT_TRUE(s);
    EXPECT_EQ(s->m_nNodes, 51);
    EXPECT_EQ(s->m_ppWeight[1][2], 290);     // Albany - Annapolis
    EXPECT_EQ(s->m_ppWeight[1][4], 230);     // Albany - Augusta
    EXPECT_EQ(s->m_ppWeight[50][51], 152);   // Trenton - Washington
    EXPECT_EQ(s->m_ppWeight[23][27], 2814);  // Honolulu - Juneau
    // Upper triangle positive, diagonal and lower triangle 0, as in every network.
    for (int i = 1; i <= 51; ++i)
        for (int j = 1; j <= 51; ++j) {
            if (i < j)
                EXPECT_GT(s->m_ppWeight[i][j], 0) << i << "," << j;
            else
                EXPECT_EQ(s->m_ppWeight[i][j], 0) << i << "," << j;
        }
    EXPECT_STREQ(s->m_szCapitalName[1], "Albany");
    EXPECT_STREQ(s->m_szStateName[51], "Washington, DC");
    EXPECT_STREQ(s->m_szStateName[38], "South_Dakota");
}

TEST(MapNetwork, KilometresRoundHalfUpAndSwitchBackInPlace) {
    auto s = MakeMapSolver({}, 1);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->m_bUseKilometers, 1);
    EXPECT_EQ(s->m_ppWeight[1][2], 467);  // 466.71
    EXPECT_EQ(s->m_ppWeight[1][4], 370);  // 370.15
    EXPECT_EQ(s->m_ppWeight[2][1], 0);
    EXPECT_EQ(s->BuildMapNetwork(0), 1);
    EXPECT_EQ(s->m_bUseKilometers, 0);
    EXPECT_EQ(s->m_ppWeight[1][2], 290);
}

TEST(MapNetwork, FourCapitalSelection) {
    auto s = MakeMapSolver({15, 1, 9, 4});
    ASSERT_TRUE(s);
    EXPECT_EQ(s->m_nNodes, 4);
    EXPECT_EQ(s->m_bCapitalSelected[15], 4);  // numbered in table order, not in the order given
    EXPECT_EQ(s->m_ppWeight[1][2], 230);      // Albany - Augusta
    EXPECT_EQ(s->m_ppWeight[3][4], 65);       // Boston - Concord
    EXPECT_STREQ(s->CapitalName(4), "Concord");
    EXPECT_STREQ(s->m_szCapitalName[4], "Concord");
    EXPECT_STREQ(s->m_szStateName[4], "New Hampshire");
    EXPECT_EQ(s->CapitalName(5), nullptr);
    // Unselected capitals hold 0, which is no node.
    EXPECT_EQ(s->CapitalName(0), nullptr);
    EXPECT_EQ(s->CapitalX(0), 0);
}

TEST(MapNetwork, NothingSelectedCountsTwentyAndBuildsNothing) {
    CCycleSolver s;
    s.m_nKind = KIND_MAP;
    EXPECT_EQ(s.CountCapitals(), 20);
    EXPECT_EQ(s.m_nNodes, 20);
    ASSERT_TRUE(s.SetNodeCount(s.m_nNodes));
    EXPECT_EQ(s.BuildMapNetwork(0), 1);
    for (std::size_t k = 0; k < s.m_ppWeight.Size(); ++k) ASSERT_EQ(s.m_ppWeight.Data()[k], 0);
    EXPECT_EQ(s.CapitalName(1), nullptr);
}

// After a failed re-allocation the window keeps the old, smaller network; building must stay inside.
TEST(MapNetwork, BuildIntoSmallerNetworkStaysInsideIt) {
    CCycleSolver s;
    s.m_nKind = KIND_MAP;
    s.SelectAllCapitals();
    ASSERT_TRUE(s.SetNodeCount(4));
    EXPECT_EQ(s.BuildMapNetwork(0), 0);
    EXPECT_EQ(s.m_ppWeight[1][2], 290);
    EXPECT_EQ(s.m_ppWeight[3][4], 1066);  // Atlanta - Augusta
    EXPECT_STREQ(s.m_szCapitalName[51], "Washington");

    CCycleSolver unallocated;
    unallocated.SelectAllCapitals();
    unallocated.CountCapitals();
    EXPECT_EQ(unallocated.BuildMapNetwork(1), 0);
}

TEST(MapNetwork, SmallerSelectionClearsOldNames) {
    auto s = MakeMapSolver();
    ASSERT_TRUE(s);
    for (int k = 5; k <= 51; ++k) s->m_bCapitalSelected[k] = 0;
    s->CountCapitals();
    ASSERT_TRUE(s->SetNodeCount(s->m_nNodes));
    s->BuildMapNetwork(0);
    EXPECT_STREQ(s->m_szCapitalName[4], "Augusta");
    EXPECT_STREQ(s->m_szCapitalName[5], "");
}

TEST(MapNetwork, PositionsScaledToThePicture) {
    auto s = MakeMapSolver({1, 4, 9, 15});
    ASSERT_TRUE(s);
    EXPECT_EQ(s->CapitalX(1), 477);
    EXPECT_EQ(s->CapitalY(1), 101);
    EXPECT_EQ(s->CapitalX(1, MAP_SCALE_SMALL), 381);  // 381.6 cut
    EXPECT_EQ(s->CapitalY(1, MAP_SCALE_SMALL), 80);   // 80.8 cut
    EXPECT_EQ(s->CapitalX(4, MAP_SCALE_SMALL), 396);  // Concord 496
    EXPECT_EQ(s->CapitalY(4, MAP_SCALE_SMALL), 68);   // 85 x 0.8
    EXPECT_EQ(s->CapitalX(5), 0);
    EXPECT_EQ(s->CapitalY(5), 0);
}

TEST(MapNetwork, RoundHalfUp) {
    EXPECT_EQ(CCycleSolver::RoundHalfUp(466.70976), 467);
    EXPECT_EQ(CCycleSolver::RoundHalfUp(370.14912), 370);
    EXPECT_EQ(CCycleSolver::RoundHalfUp(2.5), 3);
    EXPECT_EQ(CCycleSolver::RoundHalfUp(3.0), 3);
    EXPECT_EQ(CCycleSolver::RoundHalfUp(-2.5), -2);
    EXPECT_EQ(CCycleSolver::RoundHalfUp(-2.51), -3);
    EXPECT_EQ(CCycleSolver::RoundHalfUp(1e300), INT_MAX);
    EXPECT_EQ(CCycleSolver::RoundHalfUp(-1e300), INT_MIN);
    EXPECT_EQ(CCycleSolver::RoundHalfUp(std::nan("")), 0);
}

TEST(MapData, TableLookupsOutsideTheTable) {
    EXPECT_EQ(MapCapital(0), nullptr);
    EXPECT_EQ(MapCapital(52), nullptr);
    EXPECT_STREQ(MapCapital(51)->szName, "Washington");
    EXPECT_EQ(MapDistance(2, 1), 0);
    EXPECT_EQ(MapDistance(0, 5), 0);
    EXPECT_EQ(MapDistance(1, 52), 0);
}

}  // namespace
