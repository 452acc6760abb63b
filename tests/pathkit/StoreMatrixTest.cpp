// TSPData::StoreMatrix: the exact layout of the matrix table, to a stream and to a file.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "PathkitTestSupport.h"
#include "pathkit/TSPData.h"
#include "pathkit/Version.h"

using namespace pathkit_test;

namespace {

std::string Table(TSPData& data) {
    std::ostringstream out;
    data.StoreMatrix(out);
    return out.str();
}

// Splits the table into the banner line and the rest.
std::pair<std::string, std::string> SplitBanner(const std::string& table) {
    const std::size_t end = table.find('\n', 1);
    return {table.substr(1, end - 1), table.substr(end + 1)};
}

}  // namespace

TEST(StoreMatrix, WritesHeaderRowsAndTrailerInFixedColumns) {
    TSPData data;
    ASSERT_TRUE(LoadText(data,
                         "DIMENSION: 3\nEDGE_WEIGHT_TYPE: EXPLICIT\nEDGE_WEIGHT_FORMAT: UPPER_ROW\n"
                         "EDGE_WEIGHT_SECTION\n7 12\n5\n"));
    const std::string table = Table(data);
    ASSERT_EQ(table.substr(0, 1), "\n");
    const auto [banner, rest] = SplitBanner(table);
    EXPECT_EQ(rest,
              "Node    1     2     3 \n"
              "  1:    0     7    12 \n"
              "  2:    0     0     5 \n"
              "  3:    0     0     0 \n"
              "-1\nEOF");
    // The banner names the library and must not look like a matrix row to an importer.
    EXPECT_NE(banner.find("PATHKIT " PATHKIT_VERSION_STRING), std::string::npos) << banner;
    EXPECT_EQ(banner.find(':'), std::string::npos) << banner;
}

TEST(StoreMatrix, AnEmptyInstanceWritesOnlyTheFrame) {
    TSPData data;
    const auto [banner, rest] = SplitBanner(Table(data));
    EXPECT_EQ(rest, "Node\n-1\nEOF");
}

TEST(StoreMatrix, WideNumbersPushTheRestOfTheLineRight) {
    TSPData data;
    ASSERT_TRUE(LoadText(data,
                         "DIMENSION: 3\nEDGE_WEIGHT_TYPE: EXPLICIT\nEDGE_WEIGHT_FORMAT: UPPER_ROW\n"
                         "EDGE_WEIGHT_SECTION\n1234567 -12\n-99999\n"));
    const auto [banner, rest] = SplitBanner(Table(data));
    EXPECT_NE(rest.find("  1:    0 1234567   -12 \n"), std::string::npos) << rest;
    EXPECT_NE(rest.find("  2:    0     0 -99999 \n"), std::string::npos) << rest;
}

TEST(StoreMatrix, ReportsAFileThatCannotBeCreated) {
    TSPData data;
    ErrorCapture capture;
    data.StoreMatrix("/no/such/folder/table.txt");
    EXPECT_EQ(capture.Text(), "Can't create file /no/such/folder/table.txt: No such file or directory\n");
}
