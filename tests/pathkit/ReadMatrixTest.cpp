// Explicit matrices: the nine EDGE_WEIGHT_SECTION formats, numbers flowing over lines, and sections
// that must fail rather than leave entries unread.
#include <gtest/gtest.h>

#include <string>

#include "PathkitTestSupport.h"
#include "pathkit/TSPData.h"

using namespace pathkit_test;

namespace {

// The 4-node matrix every format below spells: d(i, j) = 10 * i + j for i < j.
void ExpectDemoMatrix(TSPData& data, const std::string& format) {
    ASSERT_EQ(data.GetDim(), 4) << format;
    EXPECT_EQ(data.GetCost(1, 2), 12) << format;
    EXPECT_EQ(data.GetCost(1, 3), 13) << format;
    EXPECT_EQ(data.GetCost(1, 4), 14) << format;
    EXPECT_EQ(data.GetCost(2, 3), 23) << format;
    EXPECT_EQ(data.GetCost(2, 4), 24) << format;
    EXPECT_EQ(data.GetCost(4, 3), 34) << format;
}

std::string Explicit(const std::string& format, const std::string& numbers, int dim = 4) {
    return "DIMENSION: " + std::to_string(dim) +
           "\nEDGE_WEIGHT_TYPE: EXPLICIT\nEDGE_WEIGHT_FORMAT: " + format + "\nEDGE_WEIGHT_SECTION\n" +
           numbers + "EOF\n";
}

}  // namespace

TEST(ReadMatrix, EveryFormatSpellsTheSameMatrix) {
    const std::pair<const char*, const char*> sections[] = {
        {"FULL_MATRIX", "0 12 13 14\n12 0 23 24\n13 23 0 34\n14 24 34 0\n"},
        {"UPPER_ROW", "12 13 14\n23 24\n34\n"},
        {"LOWER_ROW", "12\n13 23\n14 24 34\n"},
        {"UPPER_DIAG_ROW", "0 12 13 14\n0 23 24\n0 34\n0\n"},
        {"LOWER_DIAG_ROW", "0\n12 0\n13 23 0\n14 24 34 0\n"},
        // Column j of the upper triangle lists rows 1..j-1; of the lower triangle rows j+1..n.
        {"UPPER_COL", "12\n13 23\n14 24 34\n"},
        {"LOWER_COL", "12 13 14\n23 24\n34\n"},
        {"UPPER_DIAG_COL", "0\n12 0\n13 23 0\n14 24 34 0\n"},
        {"LOWER_DIAG_COL", "0 12 13 14\n0 23 24\n0 34\n0\n"},
    };
    for (const auto& [format, numbers] : sections) {
        TSPData data;
        std::string errors;
        ASSERT_TRUE(LoadText(data, Explicit(format, numbers), &errors)) << format << ": " << errors;
        ExpectDemoMatrix(data, format);
    }
}

TEST(ReadMatrix, NumbersFlowFreelyAcrossLinesInEveryFormat) {
    // Published files wrap rows at a fixed count of numbers per line, whatever the row lengths.
    const std::pair<const char*, const char*> sections[] = {
        {"FULL_MATRIX", "0 12 13\n14 12 0 23 24 13 23 0\n34 14\n24\n34 0\n"},
        {"UPPER_ROW", "12 13 14 23 24 34\n"},
        {"UPPER_DIAG_ROW", "  0  12\n  13  14\n   0  23\n  24   0\n  34   0\n"},
        {"LOWER_DIAG_ROW", "0 12 0 13 23\n0 14 24 34 0\n"},
        {"LOWER_ROW", "12\t13\t23\t14\t24\t34"},
    };
    for (const auto& [format, numbers] : sections) {
        TSPData data;
        std::string errors;
        ASSERT_TRUE(LoadText(data, Explicit(format, std::string(numbers) + "\n"), &errors))
            << format << errors;
        ExpectDemoMatrix(data, format);
    }
}

TEST(ReadMatrix, FullMatrixKeepsTheUpperTriangle) {
    TSPData data;
    ASSERT_TRUE(LoadText(data, Explicit("FULL_MATRIX", "9 1 2\n7 9 3\n8 6 9\n", 3)));
    EXPECT_EQ(data.GetCost(1, 2), 1);
    EXPECT_EQ(data.GetCost(2, 1), 1);
    EXPECT_EQ(data.GetCost(1, 3), 2);
    EXPECT_EQ(data.GetCost(3, 2), 3);
}

TEST(ReadMatrix, NumbersAfterTheLastEntryOnItsLineAreDropped) {
    TSPData data;
    ASSERT_TRUE(LoadText(data,
                         "DIMENSION: 3\nEDGE_WEIGHT_TYPE: EXPLICIT\nEDGE_WEIGHT_FORMAT: UPPER_ROW\n"
                         "EDGE_WEIGHT_SECTION\n5 6\n7 99 98\nNAME: after\n"));
    EXPECT_EQ(data.GetCost(2, 3), 7);
    EXPECT_STREQ(data.GetName(), "after\n");  // the next line is a keyword line again
}

TEST(ReadMatrix, KeepsNegativeAndLargeWeights) {
    TSPData data;
    ASSERT_TRUE(LoadText(data, Explicit("UPPER_ROW", "-5 2147483647\n-2147483648\n", 3)));
    EXPECT_EQ(data.GetCost(1, 2), -5);
    EXPECT_EQ(data.GetCost(1, 3), 2147483647);
    EXPECT_EQ(data.GetCost(2, 3), -2147483648);
}

TEST(ReadMatrix, ASingleNodeNeedsNoNumbers) {
    TSPData data;
    ASSERT_TRUE(LoadText(data, Explicit("UPPER_ROW", "", 1)));
    EXPECT_EQ(data.GetDim(), 1);
    ASSERT_TRUE(LoadText(data, Explicit("LOWER_DIAG_ROW", "0\n", 1)));
}
