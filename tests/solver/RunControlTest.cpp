// The progress poll, the result notification and the duration texts.
#include <gtest/gtest.h>

#include <cmath>

#include "support/Fakes.h"
#include "support/Networks.h"

namespace {
std::string Duration(double seconds, int* unit = nullptr) {
    std::string text;
    const int u = FormatDuration(text, seconds);
    if (unit) *unit = u;
    return text;
}
}  // namespace

TEST(FormatDuration, UnitsAndClasses) {
    int unit = -1;
    EXPECT_EQ(Duration(0.9994, &unit), "0.999 sec");
    EXPECT_EQ(unit, 0);
    EXPECT_EQ(Duration(9.5, &unit), "9.50 sec");
    EXPECT_EQ(Duration(30, &unit), "30.0 sec");
    EXPECT_EQ(unit, 0);
    EXPECT_EQ(Duration(59.99, &unit), "60.0 sec");
    EXPECT_EQ(unit, 0);
    EXPECT_EQ(Duration(90, &unit), "1.50 min");
    EXPECT_EQ(unit, 2);
    EXPECT_EQ(Duration(7200, &unit), "2.00 hours");
    EXPECT_EQ(unit, 3);
    EXPECT_EQ(Duration(2 * 86400, &unit), "2.0 days");
    EXPECT_EQ(unit, 4);
    EXPECT_EQ(Duration(90 * 86400, &unit), "3.0 months");
    EXPECT_EQ(unit, 5);
    EXPECT_EQ(Duration(2 * 31556926.0, &unit), "2.0 years");
    EXPECT_EQ(unit, 6);
    EXPECT_EQ(Duration(1e14, &unit), "3.1689E+06 years");
    EXPECT_EQ(unit, 6);
    EXPECT_EQ(Duration(std::nan(""), &unit), "nan sec");
    EXPECT_EQ(unit, 0);
}

class PollProgressTest : public ::testing::Test {
protected:
    CFakePlatform platform;
    std::unique_ptr<CCycleSolver> s = MakeSolver(5);
    CFakeField time;
    CFakeOwnerView owner;

    void SetUp() override {
        s->m_pTimeCtrl = &time;
        s->m_dwRunStart = platform.clock.now;
        s->m_nLastSecond = 0;
    }
};

TEST_F(PollProgressTest, UpdatesTheTimeOncePerSecond) {
    platform.clock.now += 1500;
    for (int k = 0; k < 10; ++k) s->PollProgress(0);
    EXPECT_EQ(time.history, (std::vector<std::string>{"1 sec"}));
    platform.clock.now += 1000;
    s->PollProgress(0);
    EXPECT_EQ(time.text, "2 sec");
    EXPECT_EQ(platform.events.polls, 11);  // one event serviced per poll
}

TEST_F(PollProgressTest, ExactMethodShowsItsEstimate) {
    std::snprintf(s->m_szStatus, sizeof s->m_szStatus, "%s", "3.00 min");
    platform.clock.now += 2000;
    s->PollProgress(1);
    EXPECT_EQ(time.text, "2 sec (3.00 min)");
}

TEST_F(PollProgressTest, ContinuousTestShowsTheCampaignTotal) {
    s->m_pOwnerView = &owner;
    s->m_bContinuous = 1;
    owner.tests = 7;
    owner.campaignStart = platform.clock.now - 100000;  // 100 s before this run started
    std::snprintf(s->m_szStatus, sizeof s->m_szStatus, "%s", "ignored");
    platform.clock.now += 3000;
    s->PollProgress(1);
    EXPECT_EQ(time.text, "3 sec (7 tests, 1.72 min)");
}

TEST_F(PollProgressTest, RandomStartSeriesShowsTheSeriesTotal) {
    s->m_pOwnerView = &owner;
    owner.randStarts = " 5";
    owner.tests = 2;
    owner.seriesStart = platform.clock.now - 20000;
    platform.clock.now += 1000;
    s->PollProgress(0);
    EXPECT_EQ(time.text, "1 sec (2 tests, 21.0 sec)");
    s->m_bQuiet = 1;  // a quiet run counts as a single start
    platform.clock.now += 1000;
    s->PollProgress(0);
    EXPECT_EQ(time.text, "2 sec");
}

TEST_F(PollProgressTest, EscapeIsReportedAndSwallowed) {
    platform.events.queue = {"KeyUp Escape", "Escape", "Key A"};
    EXPECT_EQ(s->PollProgress(1), 0);
    EXPECT_EQ(s->PollProgress(1), 1);
    EXPECT_EQ(s->PollProgress(1), 0);
    EXPECT_EQ(platform.events.delivered, (std::vector<std::string>{"KeyUp Escape", "Key A"}));
}

TEST_F(PollProgressTest, NoRunStartMeansNoTimeButEscapeStillCounts) {
    s->m_dwRunStart = 0;
    platform.clock.now += 5000;
    platform.events.queue = {"Escape"};
    EXPECT_EQ(s->PollProgress(1), 1);
    EXPECT_TRUE(time.history.empty());
}

TEST(ShowCycleCost, ShowsThePositiveMaximumAndRedrawsTheRightPane) {
    auto s = MakeSolver(4);
    CFakeField cost;
    CFakeOwnerView owner;
    s->m_pCostCtrl = &cost;
    s->m_pOwnerView = &owner;
    s->m_bMaximum = 1;
    s->m_nBestCost = -250;
    s->ShowCycleCost();
    EXPECT_EQ(cost.text, "(250)");
    s->m_nRunMode = 0;
    s->ShowCycleCost();
    s->m_nRunMode = -1;
    s->ShowCycleCost();
    s->m_nRunMode = 1;
    s->m_bGraphView = 1;
    s->ShowCycleCost();
    EXPECT_EQ(owner.redraws, (std::vector<EDrawingPane>{EDrawingPane::NetworkView, EDrawingPane::MapPane,
                                                          EDrawingPane::CheckView, EDrawingPane::GraphView}));
    s->m_bQuiet = 1;
    s->ShowCycleCost();
    EXPECT_EQ(owner.redraws.size(), 4u);
}
