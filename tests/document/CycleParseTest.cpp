// Parsing a typed cycle: accepted forms, the four failure codes and their messages.
#include <gtest/gtest.h>

#include "DocSupport.h"
#include "support/Fakes.h"
#include "support/Networks.h"

namespace {

class ParseGivenCycle : public ::testing::Test {
protected:
    CFakePlatform platform;
    std::unique_ptr<CMainDoc> doc = MakeDoc(KIND_NETWORK, 4);

    int Parse(const std::string& text) { return doc->ParseGivenCycle(text); }
    std::vector<int> Initial() const { return CycleOf(doc->m_solver, doc->m_solver.m_aInitial); }
    std::string LastMessage() const {
        return platform.dialogs.messages.empty() ? "" : platform.dialogs.messages.back().text;
    }
};

}  // namespace

TEST_F(ParseGivenCycle, ClosedAndOpenFormsAreAcceptedAlike) {
    EXPECT_EQ(Parse("1-2-4-3-1"), 0);
    EXPECT_EQ(Initial(), (std::vector<int>{1, 2, 4, 3}));
    EXPECT_EQ(Parse("1-3-2-4"), 0);
    EXPECT_EQ(Initial(), (std::vector<int>{1, 3, 2, 4}));
    EXPECT_EQ(CycleOf(doc->m_solver, doc->m_solver.m_aCycle), Initial());
    EXPECT_TRUE(platform.dialogs.messages.empty());
}

TEST_F(ParseGivenCycle, DirectionIsMadeCanonical) {
    EXPECT_EQ(Parse("1-4-2-3-1"), 0);
    EXPECT_EQ(Initial(), (std::vector<int>{1, 3, 2, 4}));
}

TEST_F(ParseGivenCycle, NodeOutOfRangeGivesCodeTwo) {
    EXPECT_EQ(Parse("1-2-3-4-5-1"), 2);
    EXPECT_EQ(LastMessage(), "Invalid value of a node in entered string.");
    EXPECT_EQ(platform.dialogs.messages.back().kind, EBoxKind::Information);
    EXPECT_EQ(Parse("1-3-x-4-1"), 2);  // not a number reads as 0
}

TEST_F(ParseGivenCycle, RepeatedNodeGivesCodeThree) {
    EXPECT_EQ(Parse("1-2-2-4-1"), 3);
    EXPECT_EQ(LastMessage(), "One node was entered twice.");
}

TEST_F(ParseGivenCycle, WrongNumberOfNodesGivesCodeFour) {
    EXPECT_EQ(Parse("1-2-3-1"), 4);
    EXPECT_EQ(LastMessage(), "A number of the nodes is invalid in the given cycle.");
}

TEST_F(ParseGivenCycle, TextWithoutOneDashGivesCodeOne) {
    EXPECT_EQ(Parse("2-3-4"), 1);
    EXPECT_EQ(LastMessage(), "Invalid given cycle string.");
    EXPECT_EQ(Parse(""), 1);
    EXPECT_EQ(Parse("1 -2-3-4-1"), 1);  // a blank between the first 1 and its dash
}

TEST_F(ParseGivenCycle, PastedCycleTextAndLeadingTextAreSkipped) {
    EXPECT_EQ(Parse("( 17) 1-3-2-4-1"), 0);
    EXPECT_EQ(Initial(), (std::vector<int>{1, 3, 2, 4}));
    EXPECT_EQ(Parse("31-2-3-4-1"), 0);
    EXPECT_EQ(Initial(), (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(ParseGivenCycle, BlanksAfterDashesAreSkipped) {
    EXPECT_EQ(Parse("1- 2- 3- 4-1"), 0);
}

TEST_F(ParseGivenCycle, NumberGluedToTheClosingOneEndsThere) {
    doc = MakeDoc(KIND_NETWORK, 3);
    EXPECT_EQ(Parse("1-2-31"), 0);
    EXPECT_EQ(Initial(), (std::vector<int>{1, 2, 3}));
}

TEST_F(ParseGivenCycle, FailureLeavesTheCyclesUnchanged) {
    ASSERT_EQ(Parse("1-3-2-4-1"), 0);
    EXPECT_EQ(Parse("1-3-3-4-1"), 3);
    EXPECT_EQ(Initial(), (std::vector<int>{1, 3, 2, 4}));
    EXPECT_EQ(CycleOf(doc->m_solver, doc->m_solver.m_aCycle), (std::vector<int>{1, 3, 2, 4}));
}

TEST_F(ParseGivenCycle, TextsOfAnyLengthAreRead) {
    doc = MakeDoc(KIND_NETWORK, 2000);
    std::string text = "1";
    for (int k = 2000; k >= 2; --k) text += "-" + std::to_string(k);
    text += "-1";
    ASSERT_GT(text.size(), 5000u);
    EXPECT_EQ(Parse(text), 0);
    EXPECT_EQ(doc->m_solver.m_aInitial[2], 2);  // reversed into canonical order
    EXPECT_EQ(Parse(text + std::string(20000, '9')), 2);
    EXPECT_EQ(Parse(std::string(100000, '-')), 1);
    EXPECT_EQ(Parse("1-" + std::string(30, '9') + "-1"), 2);  // a huge number is out of range
}
