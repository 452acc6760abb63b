// The heavy cross-checks of the exact side (CTest label "slow", left out of the sanitizer run):
// the parallel enumeration against the single loop on 2,000 problems, the optimum method against
// the exact method on 500 networks and at 12 and 13 nodes (the enumeration's reach in a test), its
// two ways against each other at every size from 13 to 20 and up to 25 nodes, and the branch and cut
// against the dynamic programme on 2,060 networks full of ties.
#include <gtest/gtest.h>

#include "support/ExactCompare.h"
#include "support/OptimumCompare.h"

TEST(ExactScale, ParallelEqualsTheSingleLoopOn2000Problems) {
    EXPECT_EQ(CompareParallelWithSingleLoop(2000, 5, 11, 2026), "");
}

TEST(ExactScale, OptimumEqualsTheExactMethodOn500Networks) {
    EXPECT_EQ(CompareOptimumWithExact(500, 4, 11, 2027), "");
}

TEST(ExactScale, OptimumEqualsTheEnumerationAt12And13Nodes) {
    EXPECT_EQ(CompareOptimumWithExact(6, 12, 13, 2036), "");
}

TEST(ExactScale, DynamicProgrammeAndBoundsAgreeAtEverySizeFrom13To20Nodes) {
    EXPECT_EQ(CompareOptimumWays(32, 13, 20, 2030), "");
}

TEST(ExactScale, DynamicProgrammeAndBoundsAgreeUpTo25Nodes) {
    EXPECT_EQ(CompareOptimumWays(11, 15, 25, 2028), "");
}

TEST(ExactScale, BranchCutEqualsTheDynamicProgrammeOn2000NetworksFullOfTies) {
    EXPECT_EQ(CompareBranchCutWithDynamic(2000, 13, 18, 3, 2031), "");
    EXPECT_EQ(CompareBranchCutWithDynamic(60, 19, 20, 3, 2032), "");  // the programme's seconds
}
