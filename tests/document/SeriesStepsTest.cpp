// The network window's steps in the core: the verdicts of random-start series and Compare, Only
// One Cycle?, Edges List, Final to Initial and the result texts.
#include <gtest/gtest.h>

#include <algorithm>

#include "DocSupport.h"
#include "document/Messages.h"
#include "document/Series.h"
#include "document/Switches.h"
#include "solver/MethodParams.h"
#include "support/Fakes.h"
#include "support/Networks.h"

namespace {

class SeriesSteps : public ::testing::Test {
protected:
    void SetUp() override {
        platform.clock.stepPerRead = 1;
        Platform().seedOverride = 1;
    }
    void TearDown() override {
        Platform().seedOverride.reset();
        ResetMethodParams();
        g_bStopShortTesting = 0;
        g_bShowStatistics = 1;
    }
    int Count(const std::string& text) const {
        return static_cast<int>(std::count_if(platform.dialogs.messages.begin(),
                                              platform.dialogs.messages.end(),
                                              [&](const auto& m) { return m.text == text; }));
    }
    // A network whose only minimum cycle is the ring 1-2-...-n (weight `ring`, all others `other`).
    static void RingNetwork(CMainDoc& doc, int ring, int other) {
        CCycleSolver& s = doc.m_solver;
        for (int i = 1; i <= s.m_nNodes; ++i)
            for (int j = i + 1; j <= s.m_nNodes; ++j)
                s.m_ppWeight[i][j] = (j == i + 1 || (i == 1 && j == s.m_nNodes)) ? ring : other;
    }

    CFakePlatform platform;
    CFakeField time, final;
};

// A random-start series with the method cut down to one search iteration, so that starts disagree.
struct CWeakSeries {
    std::unique_ptr<CMainDoc> doc;
    std::unique_ptr<CTestSeries> series;
    std::vector<int> firstResult;  // the first start's result, taken before the second start
    int starts = 0;
};

CWeakSeries RunWeakSeries(CFakeField& time, CFakeField& final, int maximum) {
    CWeakSeries w;
    g_nFirstLoop = g_nSecondLoop = 0;
    g_dParam1 = g_dParam2 = 0;
    w.doc = MakeDoc(KIND_NETWORK, 40);
    w.doc->m_solver.m_nAmplitude = 1000;
    w.doc->GenerateRandom();
    w.doc->m_solver.m_bMaximum = maximum;
    w.doc->m_strRandStarts = "30";
    w.doc->m_strFullTests = "30";
    w.series = std::make_unique<CTestSeries>(*w.doc, time, final);
    CWeakSeries* pw = &w;
    w.series->m_fnBeforeRandom = [pw] {
        Platform().seedOverride = 700 + pw->starts;
        if (++pw->starts == 2) pw->firstResult = CycleOf(pw->doc->m_solver, pw->doc->m_solver.m_aBest);
    };
    w.series->PolynomialMethod();
    return w;
}

}  // namespace

TEST_F(SeriesSteps, FullTestSeriesStopsAtTheFirstDisagreementAndKeepsTheWorseCycle) {
    for (int maximum : {0, 1}) {
        SCOPED_TRACE(maximum ? "maximum" : "minimum");
        platform.dialogs.messages.clear();
        CWeakSeries w = RunWeakSeries(time, final, maximum);
        CCycleSolver& s = w.doc->m_solver;
        ASSERT_LT(w.starts, 30) << "the starts never disagreed: the test needs other seeds";
        EXPECT_FALSE(w.series->m_bStartsAgreed);
        EXPECT_EQ(w.doc->m_nTests, w.starts);
        EXPECT_EQ(w.doc->m_nDiffSolutions, 1);
        EXPECT_EQ(Count("ERROR: Polyn. method has NOT found a correct solution."), 1);
        // The start that disagreed left its result in the current cycle; a better one than the
        // first start's is replaced by the first start's, so the worse of the two remains.
        const int first = s.CycleCostOf([&] {
            static Cycle c;
            std::copy(w.firstResult.begin(), w.firstResult.end(), c + 1);
            c[s.m_nNodes + 1] = c[1];
            return c;
        }());
        const int last = s.CycleCostOf(s.m_aCycle);
        ASSERT_NE(first, last);
        const int worse = maximum ? std::min(first, last) : std::max(first, last);
        EXPECT_EQ(s.CycleCostOf(s.m_aBest), worse);
        if (worse == first) {
            EXPECT_EQ(CycleOf(s, s.m_aBest), w.firstResult);
        }
    }
}

TEST_F(SeriesSteps, CompareCountsAndReportsADisagreement) {
    auto doc = MakeDoc(KIND_NETWORK, 7);
    RingNetwork(*doc, 1, 50);
    CCycleSolver& s = doc->m_solver;
    // An "exact" result that is not the optimum: the polynomial method must disagree with it.
    SetCycle(s.m_aBest, {1, 3, 2, 4, 5, 6, 7});
    doc->m_results = CResults::FromStored(2);
    CTestSeries series(*doc, time, final);
    series.Compare();
    EXPECT_EQ(doc->m_results.Stored(), 3);
    EXPECT_FALSE(series.m_bStartsAgreed);
    EXPECT_EQ(doc->m_nDiffSolutions, 1);
    EXPECT_EQ(Count("ERROR: Polyn. method has NOT found a correct solution."), 1);
    EXPECT_EQ(Count("Polyn. method has found a correct route."), 0);
}

TEST_F(SeriesSteps, GraphCompareCountsAMissedZeroCycle) {
    auto doc = MakeDoc(KIND_GRAPH, 7);
    CCycleSolver& s = doc->m_solver;
    RingNetwork(*doc, 0, 1);  // the ring is the graph's one Hamiltonian cycle
    // A polynomial result that missed it; Compare runs the exact method, which finds it.
    SetCycle(s.m_aBest, {1, 3, 2, 4, 5, 6, 7});
    doc->m_results = CResults::FromStored(1);
    CTestSeries series(*doc, time, final);
    series.Compare();
    EXPECT_EQ(doc->m_results.Stored(), 3);
    EXPECT_FALSE(series.m_bStartsAgreed);
    EXPECT_EQ(doc->m_nDiffSolutions, 1);
    EXPECT_EQ(Count("ERROR: Polyn. method has NOT found a zero cycle."), 1);
}

TEST_F(SeriesSteps, OnlyOneCycleSaysUniqueOrShowsTheSecondCycle) {
    auto doc = MakeDoc(KIND_NETWORK, 7);
    CTestSeries series(*doc, time, final);
    RingNetwork(*doc, 1, 50);
    series.OnlyOneCycle();
    EXPECT_EQ(platform.dialogs.messages.back().text, "The network has only ONE minimum cycle.");
    EXPECT_EQ(doc->m_results.Stored(), 1);

    RingNetwork(*doc, 50, 1);  // the ring is now the only maximum cycle
    doc->m_solver.m_bMaximum = 1;
    series.OnlyOneCycle();
    EXPECT_EQ(platform.dialogs.messages.back().text, "The network has only ONE maximum cycle.");
    EXPECT_EQ(g_bShowStatistics, 1);

    doc->m_solver.m_bMaximum = 0;
    for (int i = 1; i <= 7; ++i)
        for (int j = i + 1; j <= 7; ++j) doc->m_solver.m_ppWeight[i][j] = 5;  // every cycle is optimal
    series.OnlyOneCycle();
    const std::string& shown = platform.dialogs.messages.back().text;
    EXPECT_EQ(shown.rfind("The network has the second cycle with the same length:\n1-", 0), 0u) << shown;
    EXPECT_EQ(final.text.substr(0, 5), "( 35)");
}

TEST_F(SeriesSteps, OnlyOneCycleAbortedInTheFirstRunSaysSo) {
    auto doc = MakeDoc(KIND_NETWORK, 9);
    doc->GenerateRandom();
    platform.events.queue.push_back("Escape");
    CTestSeries series(*doc, time, final);
    series.OnlyOneCycle();
    EXPECT_EQ(platform.dialogs.messages.back().text, "Testing is aborted by user...");
    EXPECT_EQ(time.text, "");
    EXPECT_EQ(final.text, "");
}

TEST_F(SeriesSteps, EdgesListRunsTheMethodAndListsPositiveEntries) {
    auto doc = MakeDoc(KIND_NETWORK, 8);
    CTestSeries series(*doc, time, final);
    int listed = 0, none = 0;
    for (uint32_t seed = 1; seed <= 40 && !(listed && none); ++seed) {
        Platform().seedOverride = seed;
        doc->GenerateRandom();
        const int result = series.EdgesListCommand();
        EXPECT_EQ(doc->m_results.Stored(), 1);
        EXPECT_EQ(result == 1, !ListedEdges(doc->m_solver).empty());
        if (result == 1) {
            ++listed;
            break;
        }
        ++none;
        EXPECT_EQ(platform.dialogs.messages.back().text, "There are no such edges.");
    }
    ASSERT_GT(listed, 0);
    const std::string text = EdgesListText(doc->m_solver);
    EXPECT_EQ(text.rfind("No    Edges    Values\r\n 1:   C( ", 0), 0u) << text;

    CCycleSolver& s = doc->m_solver;
    for (int i = 0; i <= 6; ++i)
        for (int j = 0; j <= 6; ++j) s.m_ppAdjust[i][j] = 0;
    s.m_ppAdjust[2][5] = 7;
    s.m_ppAdjust[5][2] = 9;  // below the diagonal: never listed
    EXPECT_EQ(EdgesListText(s), "No    Edges    Values\r\n 1:   C( 2, 5)     7\r\n");
    s.m_ppAdjust[2][5] = 0;
    EXPECT_TRUE(ListedEdges(s).empty());
}

TEST_F(SeriesSteps, FinalToInitialNeedsAResult) {
    auto doc = MakeDoc(KIND_NETWORK, 6);
    CTestSeries series(*doc, time, final);
    EXPECT_EQ(series.FinalToInitial(), 0);
    EXPECT_EQ(platform.dialogs.messages.back().text,
              "A minimum (maximum) cycle is unknown because initial\ndata set has been changed.");
    doc->GenerateRandom();
    series.PolynomialMethod();
    EXPECT_EQ(series.FinalToInitial(), 1);
    EXPECT_EQ(CycleOf(doc->m_solver, doc->m_solver.m_aInitial),
              CycleOf(doc->m_solver, doc->m_solver.m_aCycle));
    EXPECT_EQ(doc->m_results.Stored(), 0);
}

TEST(SecondCycleText, FourNodesOnOneLineAndLongCyclesBrokenEverySixtyCharacters) {
    Cycle c{};
    SetCycle(c, {1, 3, 2, 4});
    EXPECT_EQ(SecondCycleText("Title:", c, 4), "Title:\n1-3-2-4");
    for (int k = 1; k <= 40; ++k) c[k] = k;
    const std::string text = SecondCycleText("T", c, 40);
    const std::size_t first = text.find('\n', 2);
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(first - 2, 62u);    // the line break follows the piece that passed 60 characters
    EXPECT_EQ(text.back(), '0');  // not closed back to 1
}
