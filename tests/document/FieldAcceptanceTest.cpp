// Accept fields in the core: a changed sense clears the results (so Compare runs again and the
// check window judges in the new sense), a refusal ends the acceptance, and a new problem's cycle
// replaces a stale cycle text instead of being parsed over.
#include <gtest/gtest.h>

#include "DocSupport.h"
#include "document/FieldAcceptance.h"
#include "document/GivenCycleCheck.h"
#include "document/Series.h"
#include "support/Fakes.h"

namespace {

class FieldAcceptance : public ::testing::Test {
protected:
    void SetUp() override { platform.clock.stepPerRead = 1; }

    // The ring 1-2-...-n-1 costs n and is the only minimum cycle; every other edge costs 50.
    static void RingWeights(CCycleSolver& s) {
        for (int i = 1; i <= s.m_nNodes; ++i)
            for (int j = i + 1; j <= s.m_nNodes; ++j)
                s.m_ppWeight[i][j] = (j == i + 1 || (i == 1 && j == s.m_nNodes)) ? 1 : 50;
    }
    // A new network document and its form's fields after the initial update.
    struct CNetworkForm {
        std::unique_ptr<CMainDoc> doc;
        CTestSeries series;
        CFormFields fields;
        CFormTexts texts;
        explicit CNetworkForm(CFakeField& time, CFakeField& final)
            : doc(MakeDoc(KIND_NETWORK, 7)), series(*doc, time, final), fields(*doc, series, time) {
            texts.strAmplitude = "100";  // the form's default
            fields.InitialUpdate(KIND_NETWORK, texts);
        }
    };
    std::string LastMessage() const {
        return platform.dialogs.messages.empty() ? "" : platform.dialogs.messages.back().text;
    }

    CFakePlatform platform;
    CFakeField time, final;
};

}  // namespace

TEST_F(FieldAcceptance, MaximumCycleClearsTheResultsSoCompareRunsAgain) {
    CNetworkForm form(time, final);
    auto& [doc, series, fields, texts] = form;
    series.Compare();
    ASSERT_EQ(doc->m_results.Stored(), 3);

    texts.bMaximum = true;
    EXPECT_TRUE(fields.Accept(texts));
    EXPECT_EQ(doc->m_solver.m_bMaximum, 1);
    EXPECT_EQ(doc->m_results.Stored(), 0);
    series.Compare();
    EXPECT_EQ(LastMessage(), "Polyn. method has found a correct route.");
    EXPECT_EQ(doc->m_results.Stored(), 3);
}

TEST_F(FieldAcceptance, AMinimumGivenAfterFinalToGivenIsNotAMaximumOne) {
    auto doc = MakeDoc(KIND_CHECK, 8);
    CTestSeries series(*doc, time, final);
    CGivenCycleCheck check(*doc, time, final);
    CFormFields fields(*doc, series, time, &check);
    CFormTexts texts;
    texts.strAmplitude = "100";  // the form's default
    fields.InitialUpdate(KIND_CHECK, texts);
    RingWeights(doc->m_solver);
    check.FinalToGiven();
    ASSERT_EQ(doc->m_solver.CycleCostOf(doc->m_solver.m_aInitial), 8);  // the minimum is the given cycle

    texts = fields.DocumentTexts();
    texts.bMaximum = true;  // Maximum Cycle ticked
    fields.Accept(texts);
    check.ExactMethod();
    EXPECT_EQ(check.m_nVerdict, VERDICT_NOT_OPTIMAL);
    EXPECT_EQ(final.text, "The given cycle is not a maximum one.");
    check.PolynomialMethod();
    EXPECT_EQ(final.text, "The given cycle is not a maximum one.");
}

TEST_F(FieldAcceptance, ARefusalEndsTheAcceptanceAndANewProblemReplacesAStaleCycle) {
    CNetworkForm form(time, final);
    auto& [doc, series, fields, texts] = form;

    // Nodes out of range: refused with the form's "Error" box; the amplitude after it is not taken.
    texts.strNodes = "513";
    texts.strAmplitude = "7";
    EXPECT_FALSE(fields.Accept(texts));
    EXPECT_EQ(texts.strNodes, "8");  // put back
    EXPECT_EQ(platform.dialogs.messages.back().kind, EBoxKind::Error);
    EXPECT_EQ(LastMessage(), "A number of the nodes is invalid.\nThe valid range: 4...512");
    EXPECT_EQ(doc->m_strAmplitude, "100");

    // A new node count makes a new problem: the cycle text typed for the old one is not parsed.
    texts = fields.DocumentTexts();
    texts.strNodes = "9";
    texts.strCycle = "1-3-2-4-5-6-7-8-1";
    const std::size_t shown = platform.dialogs.messages.size();
    EXPECT_TRUE(fields.Accept(texts));
    EXPECT_EQ(doc->m_solver.m_nNodes, 9);
    EXPECT_EQ(platform.dialogs.messages.size(), shown);
    EXPECT_FALSE(fields.m_bParseFailed);
    EXPECT_EQ(texts.strCycle, doc->CycleText(doc->m_solver.m_aCycle));

    // Rand.Starts goes to Full Tests too; Full Tests above it is refused silently.
    texts.strRandStarts = "7";
    fields.Accept(texts);
    EXPECT_EQ(texts.strFullTests, "7");
    texts.strFullTests = "8";
    fields.Accept(texts);
    EXPECT_EQ(texts.strFullTests, "7");
    EXPECT_EQ(platform.dialogs.messages.size(), shown);
}
