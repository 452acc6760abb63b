// The pictures' own arithmetic: the ring's layout, the series' gap summary and marks.
#include <gtest/gtest.h>

#include <cmath>
#include <regex>

#include "cli/SvgPictures.h"
#include "document/Outcome.h"

namespace {
constexpr double kNone = NAN;

// The y of every circle of a class, in document order.
std::vector<double> MarkYs(const std::string& svg, const std::string& cls) {
    std::vector<double> ys;
    const std::regex mark("<circle cx=\"[-0-9.]+\" cy=\"([-0-9.]+)\" r=\"[0-9.]+\" class=\"" + cls + "\"");
    for (std::sregex_iterator it(svg.begin(), svg.end(), mark), end; it != end; ++it)
        ys.push_back(std::stod((*it)[1]));
    return ys;
}
}  // namespace

TEST(SvgPictures, RingGoesClockwiseFromTheRightAsTheNetworkWindow) {
    const std::vector<CSvgPoint> at = RingPositions(4);
    ASSERT_EQ(at.size(), 5u);
    EXPECT_NEAR(at[1].x, 1, 1e-12);
    EXPECT_NEAR(at[1].y, 0, 1e-12);
    EXPECT_NEAR(at[2].x, 0, 1e-12);
    EXPECT_NEAR(at[2].y, 1, 1e-12);  // y grows downwards: node 2 below the middle
    EXPECT_NEAR(at[3].x, -1, 1e-12);
}

TEST(SvgPictures, SeriesSummaryAndMarksCountOnlyMeasuredGaps) {
    const std::vector<CSeriesPoint> points = {{1, 0, 4, 9}, {2, 2.5, 5, 8}, {3, kNone, 6, kNone}};
    // The summary line reads the core's series summary of the same rows.
    auto summaryOf = [](const std::vector<CSeriesPoint>& rows) {
        CSeriesSummary summary;
        for (const CSeriesPoint& p : rows) {
            CProblemRow row;
            row.nProblem = p.problem;
            row.bCompared = !std::isnan(p.exactMs);
            row.dGap = p.gap;
            summary.Add(row);
        }
        return summary;
    };
    EXPECT_EQ(SeriesGapSummary(summaryOf(points), "exact method"),
              "gap to the exact method: 1 of 2 problems at 0 %, mean 1.250 %, worst 2.500 %");
    EXPECT_EQ(SeriesGapSummary(summaryOf({{1, -1, 1, 1}, {2, -3, 1, 1}}), "optimum method"),
              "gap to the optimum method: 0 of 2 problems at 0 %, mean -2.000 %, worst -1.000 %");
    EXPECT_EQ(SeriesGapSummary(summaryOf({{1, kNone, 1, kNone}}), "exact method"),
              "no gap to the exact method");

    const std::string svg = SeriesPlotSvg({"t"}, points, "exact method");
    const std::vector<double> gaps = MarkYs(svg, "gap");
    ASSERT_EQ(gaps.size(), 2u);
    EXPECT_LT(gaps[1], gaps[0]);  // the larger gap stands higher
    EXPECT_EQ(MarkYs(svg, "polyn").size(), 3u);
    const std::vector<double> exact = MarkYs(svg, "exact");
    ASSERT_EQ(exact.size(), 2u);
    EXPECT_LT(exact[0], exact[1]);  // 9 ms above 8 ms
}
