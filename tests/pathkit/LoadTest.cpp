// TSPData::Load: keywords and their values, the sections it hands on, and how it fails.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "PathkitTestSupport.h"
#include "pathkit/TSPData.h"

using namespace pathkit_test;

namespace {

// A 3-node EUC_2D instance; header lines can be replaced to test the keyword scanner.
std::string Euclid3(const std::string& header = "NAME: tri\nDIMENSION: 3\nEDGE_WEIGHT_TYPE: EUC_2D\n") {
    return header + "NODE_COORD_SECTION\n1 0 0\n2 3 4\n3 6 8\nEOF\n";
}

}  // namespace

TEST(Load, ReadsTheValueAfterTheColonWithOrWithoutBlanks) {
    for (const char* line :
         {"DIMENSION : 3\n", "DIMENSION: 3\n", "DIMENSION:3\n", "  DIMENSION\t:\t3\n", "DIMENSION 3\n"}) {
        TSPData data;
        ASSERT_TRUE(LoadText(data, Euclid3(std::string(line) + "EDGE_WEIGHT_TYPE:EUC_2D\n"))) << line;
        EXPECT_EQ(data.GetDim(), 3) << line;
        EXPECT_EQ(data.GetCost(1, 3), 10) << line;
    }
}

TEST(Load, RecognisesKeywordsOnlyAtTheStartOfALine) {
    TSPData data;
    ASSERT_TRUE(LoadText(data, Euclid3("NAME: tri\nCOMMENT: NAME and DIMENSION: 99 are mentioned\n"
                                       "DIMENSION: 3\nEDGE_WEIGHT_TYPE: EUC_2D\nNAMES: not a name\n")));
    EXPECT_STREQ(data.GetName(), "tri\n");
    EXPECT_STREQ(data.GetComment(), "NAME and DIMENSION: 99 are mentioned\n");
    EXPECT_EQ(data.GetDim(), 3);
}

TEST(Load, KeepsTheLineBreakOfTextValuesAndCutsLongOnes) {
    TSPData data;
    const std::string longName(400, 'n');
    const std::string longComment(400, 'c');
    ASSERT_TRUE(LoadText(data, "NAME : " + longName + "\r\nCOMMENT: " + longComment + "\r\n" +
                                   Euclid3("DIMENSION: 3\r\nEDGE_WEIGHT_TYPE: EUC_2D\r\n")));
    EXPECT_EQ(std::string(data.GetName()), longName.substr(0, 254));
    EXPECT_EQ(std::string(data.GetComment()), longComment.substr(0, 256));

    ASSERT_TRUE(
        LoadText(data, "NAME: crlf\r\nCOMMENT:\r\n" + Euclid3("DIMENSION: 3\nEDGE_WEIGHT_TYPE: EUC_2D\n")));
    EXPECT_STREQ(data.GetName(), "crlf\n");
    EXPECT_STREQ(data.GetComment(), "\n");
}

TEST(Load, ReadsNodesInAnyOrderWithLeadingZerosAndLongLines) {
    TSPData data;
    ASSERT_TRUE(LoadText(data,
                         "DIMENSION: 3\nEDGE_WEIGHT_TYPE: EUC_2D\nNODE_COORD_SECTION\n"
                         "0003 6.0e0 8\n0001 0 0" +
                             std::string(5000, ' ') + "\n  2   3.0   4.0\n"));
    ASSERT_TRUE(data.Is2D());
    EXPECT_DOUBLE_EQ(data.GetPositions2D()[2].x, 6.0);
    EXPECT_EQ(data.GetCost(1, 2), 5);
    EXPECT_EQ(data.GetCost(2, 3), 5);
    EXPECT_EQ(data.GetCost(1, 3), 10);
}

TEST(Load, AFileWithoutEofLineLoadsAsIfItHadOne) {
    TSPData data;
    ASSERT_TRUE(LoadText(data, "DIMENSION: 2\nEDGE_WEIGHT_TYPE: EUC_2D\nNODE_COORD_SECTION\n1 0 0\n2 0 7"));
    EXPECT_EQ(data.GetCost(1, 2), 7);
}

TEST(Load, StopsAtTheEofLine) {
    TSPData data;
    std::string errors;
    EXPECT_FALSE(LoadText(
        data, "DIMENSION: 2\nEOF\nEDGE_WEIGHT_TYPE: EUC_2D\nNODE_COORD_SECTION\n1 0 0\n2 0 7\n", &errors));
    EXPECT_EQ(errors, "TSP or coord list not specified in PATHKIT File\n");
}

TEST(Load, ExplicitInstanceKeepsItsMatrixAndStoresDisplayData) {
    TSPData data;
    ASSERT_TRUE(LoadText(data,
                         "DIMENSION: 3\nEDGE_WEIGHT_TYPE: EXPLICIT\nEDGE_WEIGHT_FORMAT: UPPER_ROW\n"
                         "EDGE_WEIGHT_SECTION\n 7 9\n 11\nDISPLAY_DATA_SECTION\n1 0 0\n2 100 0\n3 0 100\n"));
    ASSERT_TRUE(data.Is2D());
    EXPECT_DOUBLE_EQ(data.GetPositions2D()[1].x, 100.0);
    EXPECT_EQ(data.GetCost(1, 2), 7);
    EXPECT_EQ(data.GetCost(1, 3), 9);
    EXPECT_EQ(data.GetCost(2, 3), 11);
}

TEST(Load, DisplayDataBeforeTheWeightsGivesAMatrixThatTheWeightsReplace) {
    TSPData data;
    const std::string display =
        "DIMENSION: 2\nEDGE_WEIGHT_TYPE: EXPLICIT\nEDGE_WEIGHT_FORMAT: UPPER_ROW\n"
        "DISPLAY_DATA_SECTION\n1 0 0\n2 30 40\n";
    ASSERT_TRUE(LoadText(data, display));
    EXPECT_EQ(data.GetCost(1, 2), 50);  // computed from the display coordinates
    ASSERT_TRUE(LoadText(data, display + "EDGE_WEIGHT_SECTION\n 8\n"));
    EXPECT_EQ(data.GetCost(1, 2), 8);
}

TEST(Load, TourSectionKeepsNodeNumbersMinusOne) {
    TSPData data;
    ASSERT_TRUE(LoadText(data, Euclid3()));
    EXPECT_EQ(data.GetTour(), nullptr);
    ASSERT_TRUE(LoadText(data,
                         "DIMENSION: 3\nEDGE_WEIGHT_TYPE: EUC_2D\nTOUR_SECTION\n1\n3\n2\n-1\n"
                         "NODE_COORD_SECTION\n1 0 0\n2 3 4\n3 6 8\n"));
    ASSERT_NE(data.GetTour(), nullptr);
    EXPECT_EQ(data.GetTour()[0], 0);
    EXPECT_EQ(data.GetTour()[1], 2);
    EXPECT_EQ(data.GetTour()[2], 1);
    ASSERT_TRUE(LoadText(data,
                         "DIMENSION: 3\nEDGE_WEIGHT_TYPE: EUC_2D\nTOUR_SECTION\n0\n-1\n-4\n"
                         "NODE_COORD_SECTION\n1 0 0\n2 3 4\n3 6 8\n"));
    EXPECT_EQ(data.GetTour()[0], 0);
    EXPECT_EQ(data.GetTour()[1], -1);
    EXPECT_EQ(data.GetTour()[2], -4);
}

TEST(Load, ANewLoadStartsFromAnEmptyInstance) {
    TSPData data;
    ASSERT_TRUE(LoadText(data,
                         "NAME: first\nCOMMENT: one\nDIMENSION: 2\nEDGE_WEIGHT_TYPE: EUC_2D\n"
                         "TOUR_SECTION\n2\n1\nNODE_COORD_SECTION\n1 0 0\n2 0 1\n"));
    ASSERT_TRUE(LoadText(data,
                         "DIMENSION: 2\nEDGE_WEIGHT_TYPE: EXPLICIT\nEDGE_WEIGHT_FORMAT: LOWER_ROW\n"
                         "EDGE_WEIGHT_SECTION\n4\n"));
    EXPECT_STREQ(data.GetName(), "");
    EXPECT_STREQ(data.GetComment(), "");
    EXPECT_EQ(data.GetTour(), nullptr);
    EXPECT_EQ(data.GetPositions2D(), nullptr);
    EXPECT_EQ(data.GetCost(1, 2), 4);
}

TEST(Load, AFailedLoadLeavesTheInstanceEmpty) {
    TSPData data;
    ASSERT_TRUE(LoadText(data, Euclid3()));
    EXPECT_FALSE(LoadText(data, "DIMENSION: 3\nEDGE_WEIGHT_TYPE: EUC_2D\nNODE_COORD_SECTION\n1 0 0\n"));
    EXPECT_EQ(data.GetDim(), 0);
    EXPECT_EQ(data.GetMatrix(), nullptr);
    EXPECT_EQ(data.GetPositions2D(), nullptr);
    EXPECT_EQ(data.GetDistanceType(), nullptr);
}

TEST(Load, ASecondDimensionDropsWhatWasReadForTheFirst) {
    // Arrays sized for 2 nodes must not serve 5.
    TSPData data;
    std::string errors;
    EXPECT_FALSE(LoadText(data,
                          "DIMENSION: 2\nEDGE_WEIGHT_TYPE: EUC_2D\nNODE_COORD_SECTION\n1 0 0\n2 0 1\n"
                          "DIMENSION: 5\n",
                          &errors));
    EXPECT_EQ(errors, "TSP or coord list not specified in PATHKIT File\n");
    ASSERT_TRUE(LoadText(data, "DIMENSION: 2\nDIMENSION: 2\n" + Euclid3()));
    EXPECT_EQ(data.GetDim(), 3);
}

TEST(Load, SectionsBeforeTheDimensionAreIgnored) {
    TSPData data;
    std::string errors;
    EXPECT_FALSE(
        LoadText(data, "EDGE_WEIGHT_TYPE: EUC_2D\nNODE_COORD_SECTION\n1 0 0\n2 0 1\nEOF\n", &errors));
    EXPECT_EQ(errors, "No DIMENSION given for PATHKIT File\n");
}

TEST(Load, ReportsAFileThatCannotBeOpened) {
    TSPData data;
    ErrorCapture capture;
    EXPECT_FALSE(data.Load("/no/such/folder/x.tsp"));
    EXPECT_FALSE(data.Load(nullptr));
    EXPECT_EQ(capture.Text(), "Can't open file /no/such/folder/x.tsp\nCan't open file \n");
}

TEST(Load, ADimensionBeyondTheMemoryFailsAtOnce) {
    for (const char* value : {"1000000", "4000000000", "99999999999999999999999"}) {
        TSPData data;
        std::string errors;
        EXPECT_FALSE(LoadText(data, std::string("DIMENSION: ") + value + "\n" + "EOF\n", &errors));
        EXPECT_EQ(errors.rfind("Not enough memory for DIMENSION ", 0), 0u) << errors;
    }
}

TEST(Load, ALargeDimensionWithoutItsDataAllocatesNoMatrix) {
    // 40,000 nodes would need a 3.2 GB matrix; the sections are far too short to fill it.
    TSPData data;
    std::string errors;
    EXPECT_FALSE(LoadText(data,
                          "DIMENSION: 40000\nEDGE_WEIGHT_TYPE: EXPLICIT\nEDGE_WEIGHT_FORMAT: FULL_MATRIX\n"
                          "EDGE_WEIGHT_SECTION\n0 1 2 3\n",
                          &errors));
    EXPECT_EQ(errors, "Can't read cost matrix.\n");
    EXPECT_FALSE(
        LoadText(data, "DIMENSION: 40000\nEDGE_WEIGHT_TYPE: EUC_2D\nNODE_COORD_SECTION\n1 0 0\n", &errors));
    EXPECT_EQ(errors, "No 2-D coordinates for city # 2\n");
}

TEST(Load, FixedEdgesAreReadApartAndCheckedAgainstTheNodeCount) {
    const std::string header = "NAME: tri\nDIMENSION: 3\nEDGE_WEIGHT_TYPE: EUC_2D\n";
    const std::string coords = "NODE_COORD_SECTION\n1 0 0\n2 3 4\n3 6 8\nEOF\n";
    TempDir dir;
    std::vector<std::pair<int, int>> edges{{9, 9}};
    for (const auto& [section, expected, ok] :
         std::vector<std::tuple<std::string, std::vector<std::pair<int, int>>, bool>>{
             {"", {}, true},
             {"FIXED_EDGES_SECTION\n1 3\n 2  1\n-1\n", {{1, 3}, {2, 1}}, true},
             {"FIXED_EDGES_SECTION\n1 4\n-1\n", {}, false},  // no node 4
             {"FIXED_EDGES_SECTION\n1\n-1\n", {}, false},    // half a pair
             {"FIXED_EDGES_SECTION\n1 2\n", {}, false}}) {  // no -1 before the end
        const std::string file = dir.Write("fixed.tsp", header + section + coords);
        TSPData data;
        ASSERT_TRUE(data.Load(file.c_str())) << section;
        EXPECT_EQ(data.GetCost(1, 3), 10);
        ErrorCapture capture;
        EXPECT_EQ(data.ReadFixedEdges(file.c_str(), edges), ok) << section;
        EXPECT_EQ(edges, expected) << section;
        EXPECT_EQ(capture.Text().empty(), ok) << section;
    }
}
