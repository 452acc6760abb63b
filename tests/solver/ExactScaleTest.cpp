// The heavy cross-checks of the exact side (CTest label "slow", left out of the sanitizer run):
// the parallel enumeration against the single loop on 2,000 problems.
#include <gtest/gtest.h>

#include "support/ExactCompare.h"

TEST(ExactScale, ParallelEqualsTheSingleLoopOn2000Problems) {
    EXPECT_EQ(CompareParallelWithSingleLoop(2000, 5, 11, 2026), "");
}
