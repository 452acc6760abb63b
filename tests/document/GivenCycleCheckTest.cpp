// The check-a-given-cycle commands: verdicts of both methods, the maximum sense, Compare.
#include <gtest/gtest.h>

#include "DocSupport.h"
#include "document/GivenCycleCheck.h"
#include "support/Fakes.h"

namespace {

class GivenCycleCheck : public ::testing::Test {
protected:
    void SetUp() override {
        platform.clock.stepPerRead = 1;
        doc = MakeDoc(KIND_CHECK, 5);
        // 1-2-3-4-5-1 costs 5 and is the only cheapest cycle; all other edges cost 10.
        for (int i = 1; i <= 5; ++i)
            for (int j = i + 1; j <= 5; ++j) doc->m_solver.m_ppWeight[i][j] = 10;
        for (int i = 1; i < 5; ++i) doc->m_solver.m_ppWeight[i][i + 1] = 1;
        doc->m_solver.m_ppWeight[1][5] = 1;
    }
    CFakePlatform platform;
    CFakeField time, comments;
    std::unique_ptr<CMainDoc> doc;
};

}  // namespace

TEST_F(GivenCycleCheck, OptimalGivenCycleIsConfirmedByBothMethods) {
    ASSERT_EQ(doc->ParseGivenCycle("1-2-3-4-5-1"), 0);
    CGivenCycleCheck check(*doc, time, comments);
    check.Compare();
    EXPECT_EQ(doc->m_results.Stored(), 3);
    EXPECT_EQ(check.m_nVerdict, VERDICT_OPTIMAL);
    EXPECT_EQ(comments.text, "The given cycle is a minimum cycle.");
    ASSERT_FALSE(platform.dialogs.messages.empty());
    EXPECT_EQ(platform.dialogs.messages.back().text, "Both methods have found the same solution.");
    check.Compare();
    EXPECT_EQ(platform.dialogs.messages.back().text,
              "Comparing of the current network has already been completed.");
}

TEST_F(GivenCycleCheck, LongerCycleIsNotAMinimumAndStaysTheGivenCycle) {
    ASSERT_EQ(doc->ParseGivenCycle("1-3-5-2-4-1"), 0);
    CGivenCycleCheck check(*doc, time, comments);
    check.ExactMethod();
    EXPECT_EQ(check.m_nVerdict, VERDICT_NOT_OPTIMAL);
    EXPECT_EQ(comments.text, "The given cycle is not a minimum one.");
    EXPECT_EQ(doc->m_results.Stored(), 2);
    EXPECT_EQ(doc->m_solver.m_aCycle[2], 3);  // the given cycle is current again
}

TEST_F(GivenCycleCheck, MinimumCycleIsNotAMaximumOne) {
    doc->m_solver.m_bMaximum = 1;
    CGivenCycleCheck check(*doc, time, comments);
    check.PolynomialMethod();
    EXPECT_EQ(check.m_nVerdict, VERDICT_NOT_OPTIMAL);
    EXPECT_EQ(comments.text, "The given cycle is not a maximum one.");
    EXPECT_EQ(doc->m_nTests, 1);
}

TEST_F(GivenCycleCheck, RefusedTimeWarningRunsNothing) {
    doc = MakeDoc(KIND_CHECK, 5);
    platform.clock.stepPerRead = 90000;
    platform.dialogs.answerYes = false;
    CGivenCycleCheck check(*doc, time, comments);
    check.ExactMethod();
    EXPECT_EQ(doc->m_results.Stored(), 0);
    EXPECT_EQ(check.m_nVerdict, VERDICT_NONE);
    EXPECT_EQ(time.text, "");
}
