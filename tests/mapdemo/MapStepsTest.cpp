// The map window's steps over a document: Accept by route positions, the counts, the Options.
#include <gtest/gtest.h>

#include <string>

#include "document/MainDoc.h"
#include "document/Switches.h"
#include "mapdemo/MapSteps.h"
#include "support/Fakes.h"

namespace {

struct MapDoc : ::testing::Test {
    CFakeDialogs dialogs;
    CPlatformScope scope{nullptr, nullptr, &dialogs};
    CMainDoc doc;
    void SetUp() override {
        g_bWriteParamsOnClose = 0;
        doc.OnNewDocument();
        doc.m_solver.m_nKind = KIND_MAP;
        doc.InitKind(KIND_MAP, MAP_CAPITALS);
        ASSERT_EQ(RebuildMapNetwork(doc, 0, 0), 1);
    }
};

TEST_F(MapDoc, AcceptKeepsTheCapitalsAtThePickedPositionsInTableOrder) {
    CCycleSolver& s = doc.m_solver;
    // A route that does not run in table order: the picked positions name nodes 51, 9, 4, 1.
    for (int k = 1; k <= 51; ++k) s.m_aCycle[k] = 52 - k;
    s.m_aCycle[52] = s.m_aCycle[1];
    doc.m_results = CResults::FromStored(3);
    ASSERT_EQ(AcceptMapSelection(doc, {1, 43, 48, 51, 51}, 0), 1);
    EXPECT_EQ(s.m_nNodes, 4);
    EXPECT_EQ(doc.m_results.Stored(), 0);
    EXPECT_STREQ(s.m_szCapitalName[1], "Albany");
    EXPECT_STREQ(s.m_szCapitalName[2], "Augusta");
    EXPECT_STREQ(s.m_szCapitalName[3], "Boston");
    EXPECT_STREQ(s.m_szCapitalName[4], "Washington");
    EXPECT_EQ(s.m_ppWeight[1][2], 230);
    EXPECT_EQ(s.m_bCapitalSelected[9], 3);
    EXPECT_EQ(s.m_bCapitalSelected[2], 0);
    EXPECT_EQ(MapRouteLine(s, 1), " 1:Albany (New York)");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MapDoc, AcceptOfFewerThanFourCapitalsIsRefusedAndChangesNothing) {
    CCycleSolver& s = doc.m_solver;
    doc.m_results = CResults::FromStored(1);
    EXPECT_EQ(AcceptMapSelection(doc, {2, 3, 3, 5, 60}, 0), 0);  // three distinct positions inside
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "You must select at least 4 state capital cities.");
    EXPECT_EQ(s.m_nNodes, 51);
    EXPECT_EQ(doc.m_results.Stored(), 1);
    EXPECT_EQ(s.m_bCapitalSelected[51], 51);
}

TEST_F(MapDoc, CountsFollowTheRandStartsAndRefuseMoreFullTests) {
    std::string starts = "5", full = "1";
    doc.m_results = CResults::FromStored(3);
    AcceptMapCounts(doc, starts, full);
    EXPECT_EQ(doc.m_strRandStarts, "5");
    EXPECT_EQ(full, "5");
    EXPECT_EQ(doc.m_strFullTests, "5");
    EXPECT_EQ(doc.m_results.Stored(), 0);
    full = "6";
    AcceptMapCounts(doc, starts, full);
    EXPECT_EQ(full, "5");
    starts = "32768";
    full = "0";
    AcceptMapCounts(doc, starts, full);  // refused: both come back
    EXPECT_EQ(starts, "5");
    EXPECT_EQ(full, "0");
    EXPECT_EQ(doc.m_strFullTests, "5");
    doc.m_solver.m_bBusy = 1;
    starts = "7";
    AcceptMapCounts(doc, starts, full);
    doc.m_solver.m_bBusy = 0;
    EXPECT_EQ(starts, "5");
    EXPECT_EQ(full, "5");
}

TEST_F(MapDoc, OptionsRebuildTheUnitAndClearResultsOnAnotherGoal) {
    CCycleSolver& s = doc.m_solver;
    doc.m_results = CResults::FromStored(3);
    EXPECT_EQ(ApplyMapOptions(doc, 0, 1, 0), 1);
    EXPECT_EQ(s.m_ppWeight[1][2], 467);
    EXPECT_EQ(doc.m_results.Stored(), 3);  // the unit alone keeps the results
    EXPECT_EQ(MapLengthText(s, 1).substr(MapLengthText(s, 1).size() - 3), " km");
    EXPECT_EQ(ApplyMapOptions(doc, 1, 1, 1), 0);
    EXPECT_EQ(s.m_bMaximum, 1);
    EXPECT_EQ(doc.m_results.Stored(), 0);
}

}  // namespace
