// The distance functions, through two-node coordinate instances: formulas, rounding and truncation.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "PathkitTestSupport.h"
#include "pathkit/TSPData.h"

using namespace pathkit_test;

namespace {

struct Case {
    const char* type;
    const char* node1;  // coordinates after the node number
    const char* node2;
    int expected;
};

const Case kCases[] = {
    {"EUC_2D", "0 0", "3 4", 5},
    {"EUC_2D", "0 0", "0.5 0", 1},  // 0.5 + 0.5 truncates to 1
    {"EUC_2D", "0 0", "0.49 0", 0},
    {"EXPLICIT", "0 0", "6 8", 10},  // display data of an explicit instance: Euclidean
    {"CEIL_2D", "0 0", "3 4", 5},    // a whole distance stays as it is
    {"CEIL_2D", "0 0", "1 1", 2},    // 1.41... goes up, where EUC_2D rounds down
    {"CEIL_2D", "0 0", "0.1 0", 1},  // the smallest integer not below 0.1
    {"CEIL_2D", "0 0", "0 0", 0},
    {"EUC_3D", "0 0 0", "1 2 2", 3},
    {"ATT", "0 0", "10 0", 4},  // root of 10 is 3.16..., rounded up
    {"ATT", "0 0", "3 1", 1},   // root of 1 is whole: not rounded up
    {"ATT", "0 0", "30 10", 10},
    {"MAX_2D", "0 0", "2.9 1", 2},  // not rounded, then truncated
    {"MAX_3D", "0 0 0", "1 -2.7 2", 2},
    {"MAN_2D", "0 0", "1.5 -2.6", 4},
    {"MAN_3D", "0 0 0", "1 1.5 -1", 3},
    {"XRAY1", "10 0 0", "350 1 0", 21},  // |dx| = 340 is 20 the other way round the circle
    {"XRAY1", "0 0 0", "5 1 30", 30},
    {"XRAY2", "10 0 0", "350 1 0", 2100},
    {"GEO", "38.24 20.42", "38.24 20.42", 1},  // a point to itself: floor(0 + 1)
    // 1 degree of latitude: 1.6666...5 * 0 + 1 = 1 degree = 111.32 km on the sphere of 6378.388 km.
    {"GEO", "0 0", "1 0", 112},
    // 0.30 is 30 minutes, half a degree.
    {"GEO", "0 0", "0.30 0", 56},
    {"GEO", "10 0", "-10 0", 2227},
};

}  // namespace

TEST(Distance, EachFunctionGivesItsTruncatedValue) {
    for (const Case& c : kCases) {
        TSPData data;
        std::string errors;
        const std::string text = std::string("DIMENSION: 2\nEDGE_WEIGHT_TYPE: ") + c.type +
                                 "\nNODE_COORD_SECTION\n1 " + c.node1 + "\n2 " + c.node2 + "\n";
        ASSERT_TRUE(LoadText(data, text, &errors)) << c.type << ": " << errors;
        EXPECT_EQ(data.GetCost(1, 2), c.expected) << c.type << " " << c.node1 << " / " << c.node2;
    }
}

TEST(Distance, FarApartNodesSaturateInsteadOfOverflowing) {
    TSPData data;
    ASSERT_TRUE(LoadText(data,
                         "DIMENSION: 3\nEDGE_WEIGHT_TYPE: MAN_2D\nNODE_COORD_SECTION\n"
                         "1 0 0\n2 1e300 1e300\n3 -1e300 0\n"));
    EXPECT_EQ(data.GetCost(1, 2), INT_MAX);
    EXPECT_EQ(data.GetCost(1, 3), INT_MAX);
}

TEST(Distance, CalcMatrixRecomputesAfterMovingANode) {
    TSPData data;
    ASSERT_TRUE(
        LoadText(data, "DIMENSION: 3\nEDGE_WEIGHT_TYPE: EUC_2D\nNODE_COORD_SECTION\n1 0 0\n2 3 4\n3 0 1\n"));
    data.GetPositions2D()[2] = POS_2D{0, 40};
    data.CalcMatrix();
    EXPECT_EQ(data.GetCost(1, 3), 40);
    EXPECT_EQ(data.GetCost(2, 3), 36);
    EXPECT_EQ(data.GetCost(1, 2), 5);
}
