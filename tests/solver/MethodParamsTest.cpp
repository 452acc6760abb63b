// The method parameters: the search budgets. (params.dat is tested with document/Params.)
#include <gtest/gtest.h>

#include "solver/MethodParams.h"

TEST(MethodParams, BudgetsForTenNodes) {
    EXPECT_EQ(PolynSearchBudget(0.015, 10), 2);
    EXPECT_EQ(PolynSearchBudget(0.25, 10), 26);
    EXPECT_EQ(PolynSearchBudget(0.017, 10), 2);
    EXPECT_EQ(PolynSearchBudget(0.475, 10), 48);
}
