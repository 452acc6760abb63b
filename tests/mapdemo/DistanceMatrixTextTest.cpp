// The Distance Matrix text of the map window.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "MapSolver.h"
#include "mapdemo/DistanceMatrixText.h"

namespace {

TEST(DistanceMatrixText, FourCapitals) {
    auto s = MakeMapSolver({1, 4, 9, 15});
    ASSERT_TRUE(s);
    EXPECT_EQ(DistanceMatrixText(*s),
              "   Capital (State)                 1    2    3    4"
              "\r\n 1:Albany (New York)               0  230  141  120"
              "\r\n 2:Augusta (Maine)               230    0  149  114"
              "\r\n 3:Boston (Massachusetts)        141  149    0   65"
              "\r\n 4:Concord (New Hampshire)       120  114   65    0");
}

// The widest row head, "51:Washington (Washington, DC) ", fills its 31 visible characters: every
// line keeps the columns of the header.
TEST(DistanceMatrixText, AllCapitalsStayAligned) {
    auto s = MakeMapSolver();
    ASSERT_TRUE(s);
    const std::string text = DistanceMatrixText(*s);
    std::istringstream in(text);
    std::string line;
    int lines = 0;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        EXPECT_EQ(line.size(), 31u + 51u * 5u) << line;
        ++lines;
    }
    EXPECT_EQ(lines, 52);
    EXPECT_NE(text.find("\r\n51:Washington (Washington, DC)   308"), std::string::npos);
}

}  // namespace
