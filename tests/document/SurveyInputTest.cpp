// The optima table of a survey (its rows, every kind of bad line named by file:line) and the header
// look that tells instance files from tour files before loading them.
#include <gtest/gtest.h>

#include <fstream>

#include "document/SafeSave.h"
#include "document/SurveyInput.h"

namespace {

const std::string kHeader =
    "file\tdimension\tedge_weight_type\tedge_weight_format\toptimal_length\thas_opt_tour\n";

std::string ErrorOf(const std::string& rows) {
    return ReadOptimaTable(kHeader + rows, "t.tsv").error;
}

}  // namespace

#define EXPECT_PREFIX(text, prefix) EXPECT_TRUE(std::string(text).starts_with(prefix)) << (text)

TEST(OptimaTable, RowsAreReadAndFoundByFileName) {
    const COptimaTable table = ReadOptimaTable(
        kHeader + "a.tsp\t14\tGEO\tFUNCTION\t+3323\tno\r\n\nb.tsp\t52\tEUC_2D\t-\t-7\tyes\n", "t.tsv");
    ASSERT_EQ(table.error, "");
    ASSERT_EQ(table.rows.size(), 2u);
    const COptimaRow* b = table.Find("b.tsp");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->dimension, 52);
    EXPECT_EQ(b->optimum, -7);
    EXPECT_TRUE(b->hasOptTour);
    EXPECT_EQ(b->line, 4);
    EXPECT_EQ(table.Find("a.tsp")->format, "FUNCTION");  // the CR of CR LF is not part of a field
    EXPECT_EQ(table.Find("a.tsp")->optimum, 3323);       // a sign may stand before the length
    EXPECT_EQ(table.Find("b"), nullptr);
}

TEST(OptimaTable, BadLinesNameTheFileTheLineAndWhatWasExpected) {
    EXPECT_PREFIX(ReadOptimaTable("file dimension\n", "t.tsv").error,
                  "t.tsv:1: expected the header line 'file, ");
    EXPECT_EQ(ReadOptimaTable("", "t.tsv").error,
              "t.tsv:0: an empty table; expected the header line and a row per instance");
    EXPECT_PREFIX(ErrorOf("a.tsp\t14\tGEO\t-\t3323\n"),
                  "t.tsv:2: 5 fields; expected 6 separated by tabs (file");
    EXPECT_EQ(ErrorOf("a.tsp\t0\tGEO\t-\t3323\tno\n"),
              "t.tsv:2: dimension '0'; expected a positive node count");
    EXPECT_EQ(ErrorOf("a.tsp\t14\tGEO\t-\t33x\tno\n"),
              "t.tsv:2: optimal_length '33x'; expected a whole number in the 32-bit range");
    EXPECT_PREFIX(ErrorOf("a.tsp\t14\tGEO\t-\t2147483648\tno\n"), "t.tsv:2: optimal_length '2147483648'");
    EXPECT_PREFIX(ErrorOf("a.tsp\t14\tGEO\t-\t+-3\tno\n"), "t.tsv:2: optimal_length '+-3'");
    EXPECT_EQ(ErrorOf("a.tsp\t14\tGEO\t-\t1\tmaybe\n"), "t.tsv:2: has_opt_tour 'maybe'; expected yes or no");
    EXPECT_PREFIX(ErrorOf("a.tsp\t14\t\t-\t1\tno\n"), "t.tsv:2: an empty edge_weight_type or edge_we");
    EXPECT_PREFIX(ErrorOf("\t14\tGEO\t-\t1\tno\n"), "t.tsv:2: no file nam");
    EXPECT_EQ(ErrorOf("a.tsp\t14\tGEO\t-\t1\tno\n\na.tsp\t14\tGEO\t-\t1\tno\n"),
              "t.tsv:4: a.tsp listed again; expected each file once (first at line 2)");
    EXPECT_TRUE(ReadOptimaTable(kHeader + "a.tsp\t14\tGEO\t-\t1\tmaybe\n", "t.tsv").rows.empty());
}

TEST(OptimaTable, ThePublishedTableReads) {
    std::ifstream in(std::string(QUIRA_INSTANCES) + "/OPTIMA.tsv", std::ios::binary);
    if (!in) GTEST_SKIP() << "the published instances are absent";
    std::string text;
    ReadStreamText(in, text);
    const COptimaTable table = ReadOptimaTable(text, "OPTIMA.tsv");
    ASSERT_EQ(table.error, "");
    EXPECT_EQ(table.rows.size(), 43u);
    EXPECT_EQ(table.Find("berlin52.tsp")->optimum, 7542);
    EXPECT_EQ(table.Find("dsj1000.tsp")->optimum, 18660188);
}

TEST(InstanceHeader, TellsInstancesFromToursAndGivesTheNodeCount) {
    const CInstanceHeader tsp = ReadInstanceHeader(
        "NAME: x\r\nTYPE: TSP (M.~Hofmeister)\r\nCOMMENT: DIMENSION 9\r\nDIMENSION : 318\r\n"
        "EDGE_WEIGHT_TYPE : EUC_2D\r\nNODE_COORD_SECTION\r\nDIMENSION : 5\r\n");
    EXPECT_TRUE(tsp.instanceText);
    EXPECT_EQ(tsp.type, "TSP (M.~Hofmeister)");
    EXPECT_EQ(tsp.weightType, "EUC_2D");
    EXPECT_EQ(tsp.dimension, 318);  // what follows the first section is not header
    EXPECT_FALSE(IsTourType(tsp.type));

    const CInstanceHeader tour = ReadInstanceHeader("NAME : a.opt.tour\nTYPE : TOUR\nTOUR_SECTION\n1\n");
    EXPECT_TRUE(IsTourType(tour.type));
    EXPECT_EQ(tour.dimension, -1);
    EXPECT_FALSE(IsTourType("TOURS"));

    EXPECT_FALSE(ReadInstanceHeader("file\tdimension\n").instanceText);
    EXPECT_EQ(ReadInstanceHeader("NAME: y\nDIMENSION: many\n").dimension, -1);
}
