// TSP: cyclic stepping, search, distance, segment reversal and the tour cost.
#include <gtest/gtest.h>

#include <climits>
#include <list>
#include <vector>

#include "PathkitTestSupport.h"
#include "pathkit/TSP.h"

using namespace pathkit_test;

namespace {

class TourList : public testing::Test {
protected:
    void SetUp() override { tsp.tourList = {1, 2, 3, 4, 5}; }
    std::vector<int> Values() const { return {tsp.tourList.begin(), tsp.tourList.end()}; }
    TSP tsp;
};

}  // namespace

TEST_F(TourList, StepsCyclically) {
    const auto first = tsp.tourList.begin();
    const auto last = std::prev(tsp.tourList.end());
    EXPECT_EQ(tsp.Next(last), first);
    EXPECT_EQ(tsp.Prev(first), last);
    EXPECT_EQ(*tsp.Next(first), 2);
    EXPECT_EQ(*tsp.Prev(last), 4);
}

TEST_F(TourList, FindsNodesAndCountsStepsAroundTheEnd) {
    EXPECT_EQ(*tsp.Find(4), 4);
    EXPECT_EQ(tsp.Find(9), tsp.tourList.end());
    EXPECT_EQ(tsp.Distance(tsp.Find(5), tsp.Find(1)), 1);
    EXPECT_EQ(tsp.Distance(tsp.Find(4), tsp.Find(2)), 3);
    EXPECT_EQ(tsp.Distance(tsp.Find(3), tsp.Find(3)), 0);
    EXPECT_EQ(tsp.Distance(tsp.Find(3), tsp.tourList.end()), -1);  // not an element: no endless walk
}

TEST_F(TourList, SwapReversesASegmentInPlace) {
    auto first = tsp.Find(2), last = tsp.Find(4);
    tsp.Swap(first, last);
    EXPECT_EQ(Values(), (std::vector<int>{1, 4, 3, 2, 5}));
    EXPECT_EQ(*first, 4);  // the positions stay, their values move
    EXPECT_EQ(*last, 2);
}

TEST_F(TourList, SwapWrapsPastTheEnd) {
    auto first = tsp.Find(4), last = tsp.Find(1);
    tsp.Swap(first, last);  // segment 4, 5, 1 becomes 1, 5, 4
    EXPECT_EQ(Values(), (std::vector<int>{4, 2, 3, 1, 5}));
    auto whole = tsp.tourList.begin(), end = std::prev(tsp.tourList.end());
    tsp.Swap(whole, end);
    EXPECT_EQ(Values(), (std::vector<int>{5, 1, 3, 2, 4}));
    auto one = tsp.Find(3), same = tsp.Find(3);
    tsp.Swap(one, same);
    EXPECT_EQ(Values(), (std::vector<int>{5, 1, 3, 2, 4}));
}

TEST(TourCost, AddsEveryEdgeIncludingTheClosingOne) {
    TSP tsp;
    ASSERT_TRUE(LoadText(tsp,
                         "DIMENSION: 3\nEDGE_WEIGHT_TYPE: EXPLICIT\nEDGE_WEIGHT_FORMAT: UPPER_ROW\n"
                         "EDGE_WEIGHT_SECTION\n7 12\n5\n"));
    tsp.tourList = {3, 1, 2};
    EXPECT_EQ(tsp.CalcCost(), 12 + 7 + 5);
    tsp.tourList = {2, 3};
    EXPECT_EQ(tsp.CalcCost(), 10);  // there and back
    tsp.tourList = {2};
    EXPECT_EQ(tsp.CalcCost(), 0);
    tsp.tourList.clear();
    EXPECT_EQ(tsp.CalcCost(), 0);
}

TEST(TourCost, SaturatesBeyondTheIntRange) {
    TSP tsp;
    ASSERT_TRUE(LoadText(tsp,
                         "DIMENSION: 3\nEDGE_WEIGHT_TYPE: EXPLICIT\nEDGE_WEIGHT_FORMAT: UPPER_ROW\n"
                         "EDGE_WEIGHT_SECTION\n2147483647 2147483647\n2147483647\n"));
    tsp.tourList = {1, 2, 3};
    EXPECT_EQ(tsp.CalcCost(), INT_MAX);
}

TEST(TourCost, IsZeroWithoutAMatrix) {
    TSP tsp;
    tsp.tourList = {1, 2, 3};
    EXPECT_EQ(tsp.CalcCost(), 0);
}
