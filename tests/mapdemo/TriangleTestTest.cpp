// The triangle-inequality test on the built-in distances and on small hand-made networks.
#include <gtest/gtest.h>

#include "MapSolver.h"
#include "mapdemo/TriangleTest.h"

namespace {

TEST(TriangleTest, AllCapitalsInMiles) {
    auto s = MakeMapSolver();
    ASSERT_TRUE(s);
    const CTriangleTestResult r = TestTriangleInequality(*s);
    EXPECT_EQ(r.nViolations, 245);
    ASSERT_EQ(r.lines.size(), 245u);
    EXPECT_EQ(r.lines.front(), "   1:Albany-Annapolis-Richmond");  // 290 + 110 < 401
    EXPECT_EQ(r.lines.back(), " 245:Springfield-Topeka-Trenton");
}

// Rounding to kilometres splits sums that are exact in miles, so more triangles fail.
TEST(TriangleTest, AllCapitalsInKilometres) {
    auto s = MakeMapSolver({}, 1);
    ASSERT_TRUE(s);
    EXPECT_EQ(TestTriangleInequality(*s).nViolations, 326);
}

// During a maximum run the weights are held negated; the test reads them back as distances.
TEST(TriangleTest, NegatedWeightsOfAMaximumRun) {
    auto s = MakeMapSolver();
    ASSERT_TRUE(s);
    s->NegateWeights();
    s->m_bMaximum = 1;
    s->m_bBusy = 1;
    const CTriangleTestResult r = TestTriangleInequality(*s);
    EXPECT_EQ(r.nViolations, 245);
    EXPECT_EQ(r.lines.front(), "   1:Albany-Annapolis-Richmond");
}

TEST(TriangleTest, ASideEqualToTheOtherTwoIsNoViolation) {
    auto s = MakeMapSolver({1, 2, 41});  // Albany, Annapolis, Richmond: 290, 401, 110
    ASSERT_TRUE(s);
    EXPECT_EQ(TestTriangleInequality(*s).nViolations, 1);
    s->m_ppWeight[1][3] = 400;
    const CTriangleTestResult r = TestTriangleInequality(*s);
    EXPECT_EQ(r.nViolations, 0);
    ASSERT_EQ(r.lines.size(), 1u);
    EXPECT_EQ(r.lines[0], NO_VIOLATION_TEXT);
    EXPECT_EQ(r.lines[0], "No violation of the triangle inequality has been found.");
}

TEST(TriangleTest, EqualDistancesListNothing) {
    auto s = MakeMapSolver({1, 4, 9, 15, 21});
    ASSERT_TRUE(s);
    for (int i = 1; i <= 5; ++i)
        for (int j = i + 1; j <= 5; ++j) s->m_ppWeight[i][j] = 7;
    const CTriangleTestResult r = TestTriangleInequality(*s);
    EXPECT_EQ(r.nViolations, 0);
    EXPECT_EQ(r.lines, std::vector<std::string>{NO_VIOLATION_TEXT});
}

// Nodes without a capital (nothing selected) have no name; the line is still written.
TEST(TriangleTest, NodesWithoutCapitals) {
    CCycleSolver s;
    s.m_nKind = KIND_MAP;
    ASSERT_TRUE(s.SetNodeCount(s.CountCapitals()));
    s.BuildMapNetwork(0);
    s.m_ppWeight[1][2] = 10;
    const CTriangleTestResult r = TestTriangleInequality(s);
    EXPECT_EQ(r.nViolations, 18);  // {1, 2, d} for d = 3..20
    EXPECT_EQ(r.lines.front(), "   1:--");
}

}  // namespace
