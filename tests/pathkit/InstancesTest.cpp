// The published instances beside the repository (../shared/instances): each loads with the declared
// node count and type, every published optimal tour measures the published optimum, and the matrix
// table of each imports back as the same matrix.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "PathkitTestSupport.h"
#include "pathkit/TSP.h"

using namespace pathkit_test;

namespace {

class SharedInstance : public testing::TestWithParam<pathkit_test::PublishedInstance> {};

std::string TestName(const testing::TestParamInfo<pathkit_test::PublishedInstance>& info) {
    return info.param.file.substr(0, info.param.file.find('.'));
}

// Every distance type of the collection has its function in the library.
bool Loadable(const pathkit_test::PublishedInstance&) {
    return true;
}

}  // namespace

TEST(PublishedInstances, AllAreListed) {
    EXPECT_EQ(PublishedInstances().size(), 43u);
}

TEST_P(SharedInstance, LoadsWithItsDeclaredSizeAndType) {
    const auto& instance = GetParam();
    TSPData data;
    ErrorCapture capture;
    if (!Loadable(instance)) {
        EXPECT_FALSE(data.Load(InstancePath(instance.file).c_str()));
        EXPECT_EQ(capture.Text(), "Can't determine Distance function.\n");
        return;
    }
    ASSERT_TRUE(data.Load(InstancePath(instance.file).c_str())) << capture.Text();
    EXPECT_EQ(capture.Text(), "");
    EXPECT_EQ(data.GetDim(), instance.dim);
    ASSERT_NE(data.GetDistanceType(), nullptr);
    EXPECT_EQ(data.GetDistanceType()->name, instance.weightType);
    EXPECT_NE(data.GetName()[0], '\0');
}

TEST_P(SharedInstance, OptimalTourHasThePublishedLength) {
    const auto& instance = GetParam();
    if (!instance.hasTour) GTEST_SKIP() << "no optimal tour published";
    TSP tsp;
    ASSERT_TRUE(tsp.Load(InstancePath(instance.file).c_str()));
    const std::string stem = instance.file.substr(0, instance.file.find('.'));
    const std::vector<int> nodes = ReadTourFile(InstancePath(stem + ".opt.tour"));
    ASSERT_EQ(nodes.size(), static_cast<std::size_t>(instance.dim));
    ASSERT_EQ(std::set<int>(nodes.begin(), nodes.end()).size(), nodes.size());
    tsp.tourList.assign(nodes.begin(), nodes.end());
    EXPECT_EQ(tsp.CalcCost(), instance.optimum);
}

TEST_P(SharedInstance, MatrixTableImportsBackAsTheSameMatrix) {
    const auto& instance = GetParam();
    if (!Loadable(instance)) GTEST_SKIP() << "does not load";
    TSPData data;
    ASSERT_TRUE(data.Load(InstancePath(instance.file).c_str()));
    TempDir dir;
    const std::string table = (dir.Path() / "table.txt").string();
    data.StoreMatrix(table.c_str());
    std::ifstream in(table);
    const auto rows = ImportTable(in);
    const int n = data.GetDim();
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(n));
    for (int r = 1; r <= n; ++r) {
        const auto& row = rows[r - 1];
        ASSERT_EQ(row.size(), static_cast<std::size_t>(n)) << "row " << r;
        for (int c = 1; c <= n; ++c)
            ASSERT_EQ(row[c - 1], c > r ? data.GetCost(r, c) : 0) << "row " << r << " column " << c;
    }
}

INSTANTIATE_TEST_SUITE_P(Published, SharedInstance, testing::ValuesIn(PublishedInstances()), TestName);

// dsj1000 is the collection's CEIL_2D instance: its distances are the Euclidean ones rounded up.
TEST(PublishedCeil2D, Dsj1000LoadsWithTheCeilingOfItsDistances) {
    const std::string path = InstancePath("dsj1000.tsp");
    if (!std::ifstream(path)) GTEST_SKIP() << path << " is absent";
    TSPData data;
    ASSERT_TRUE(data.Load(path.c_str()));
    EXPECT_EQ(data.GetDim(), 1000);
    EXPECT_EQ(data.GetCost(1, 2), 709145);  // 709,144.18 rounded up
    EXPECT_EQ(data.GetCost(2, 3), 43777);   // 43,776.69 rounded up
    std::ostringstream table;
    data.StoreMatrix(table);
    EXPECT_NE(table.str().find("  1:    0 709145 "), std::string::npos);
}
