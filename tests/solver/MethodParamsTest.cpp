// The method parameters: defaults, budgets and the params.dat reader.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "solver/MethodParams.h"

namespace {
std::string WriteDoubles(const std::string& name, std::initializer_list<double> values) {
    const std::string path = testing::TempDir() + name;
    std::ofstream out(path, std::ios::binary);
    for (double v : values) out.write(reinterpret_cast<const char*>(&v), sizeof v);  // little-endian host
    return path;
}
}  // namespace

TEST(MethodParams, BudgetsForTenNodes) {
    EXPECT_EQ(PolynSearchBudget(0.015, 10), 2);
    EXPECT_EQ(PolynSearchBudget(0.25, 10), 26);
    EXPECT_EQ(PolynSearchBudget(0.017, 10), 2);
    EXPECT_EQ(PolynSearchBudget(0.475, 10), 48);
}

TEST(MethodParams, ReadsTruncatedCountsAndKeepsDefaultsForAShortFile) {
    ResetMethodParams();
    EXPECT_EQ(ReadMethodParams(WriteDoubles("full.dat", {2.001, 1.9999999, 4.0, 7.001, 0.5, 0.6, 0.7, 0.8})),
              1);
    EXPECT_EQ(g_nFirstLoop, 2);
    EXPECT_EQ(g_nSecondLoop, 1);
    EXPECT_EQ(g_nMapFirstLoop, 4);
    EXPECT_EQ(g_nMapSecondLoop, 7);
    EXPECT_DOUBLE_EQ(g_dMapParam2, 0.8);

    ResetMethodParams();
    const std::string path = WriteDoubles("short.dat", {5.001, 9.001});
    { std::ofstream(path, std::ios::binary | std::ios::app).write("abc", 3); }  // a torn third item
    EXPECT_EQ(ReadMethodParams(path), 1);
    EXPECT_EQ(g_nFirstLoop, 5);
    EXPECT_EQ(g_nSecondLoop, 9);
    EXPECT_EQ(g_nMapFirstLoop, 2);
    EXPECT_DOUBLE_EQ(g_dParam1, 0.017);

    EXPECT_EQ(ReadMethodParams(testing::TempDir() + "no-such-params.dat"), 0);
    EXPECT_EQ(g_nFirstLoop, 5);
    ResetMethodParams();
}
