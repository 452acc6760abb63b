// The document's runs: binding to a kind, the exact run's time warnings, the polynomial dispatch,
// result flags, the time displays, import, closing.
#include <gtest/gtest.h>

#include "DocSupport.h"
#include "document/RandomInstances.h"
#include "support/Fakes.h"
#include "support/Networks.h"

namespace {

class DocumentRuns : public ::testing::Test {
protected:
    CFakePlatform platform;
    CFakeField time, result;

    // A document whose exact-run estimate comes out at the given seconds: the fake clock moves
    // by `ms` on every read, and for 5 nodes one measuring call steps through all 4! orders.
    std::unique_ptr<CMainDoc> DocEstimatedAt(int nodes, uint32_t ms) {
        auto doc = MakeDoc(KIND_NETWORK, nodes);
        platform.clock.stepPerRead = ms;
        return doc;
    }
};

}  // namespace

TEST_F(DocumentRuns, NewDocumentHasTheWindowsDefaults) {
    auto doc = MakeDoc(KIND_NETWORK, 8);
    EXPECT_EQ(doc->m_strNodes, "8");
    EXPECT_EQ(doc->m_strAmplitude, "100");
    EXPECT_EQ(doc->m_strRandStarts, "1");
    EXPECT_EQ(doc->m_strFullTests, "1");
    EXPECT_EQ(doc->m_bShowWeights, 1);
    EXPECT_EQ(doc->m_results.Stored(), 0);
    EXPECT_EQ(doc->m_bRan, 0);
    EXPECT_EQ(doc->m_solver.m_nNodes, 8);
    EXPECT_EQ(doc->m_solver.m_nRunMode, 1);
    EXPECT_EQ(doc->m_solver.m_nRefCost, NO_COST);
}

TEST_F(DocumentRuns, InitKindSetsRunModeAndMapSelection) {
    auto check = MakeDoc(KIND_CHECK, 8);
    EXPECT_EQ(check->m_solver.m_nRunMode, -1);
    EXPECT_EQ(check->m_solver.m_bQuiet, 1);
    auto map = MakeDoc(KIND_MAP, 51);
    EXPECT_EQ(map->m_solver.m_nRunMode, 0);
    EXPECT_EQ(map->m_solver.m_bMap, 1);
    EXPECT_EQ(map->m_solver.m_bCapitalSelected[51], 51);
    auto graph = MakeDoc(KIND_GRAPH, 8);
    EXPECT_EQ(graph->m_solver.m_bGraphView, 1);
}

TEST_F(DocumentRuns, EstimateUnderAMinuteAsksNothing) {
    auto doc = DocEstimatedAt(5, 59000);
    EXPECT_EQ(doc->BeginExactRun(&time, &result, 0), 1);
    EXPECT_TRUE(platform.dialogs.questions.empty());
    EXPECT_EQ(time.text, "59.0 sec");
    EXPECT_EQ(doc->m_bRan, 1);
}

TEST_F(DocumentRuns, TimeWarningTextFollowsTheUnitOfTheEstimate) {
    // One single-loop measuring call per clock step: 20,001 steps for 12 nodes and more.
    const CExactThreadsScope single(1);
    struct CCase {
        int nodes;
        uint32_t ms;
        const char* question;
    };
    const CCase cases[] = {
        {5, 90000, "A test may take a few minutes. Continue ?"},
        {5, 7200000, "A test may take a few hours. Continue ?"},
        {5, 172800000, "Are you sure that you are going to wait\nfor a few days ? Continue ?"},
        {12, 4000000, "Are you serious? It may take a few months !\nContinue ?"},
        {20, 40, "You are crazy! It may take years !!!\nContinue ?"},
    };
    for (const CCase& c : cases) {
        platform.dialogs.questions.clear();
        auto doc = DocEstimatedAt(c.nodes, c.ms);
        EXPECT_EQ(doc->BeginExactRun(&time, &result, 0), 1);
        ASSERT_EQ(platform.dialogs.questions.size(), 1u) << c.question;
        EXPECT_EQ(platform.dialogs.questions[0], c.question);
    }
}

TEST_F(DocumentRuns, RefusedWarningEmptiesTheFieldsAndKeepsTheCounters) {
    auto doc = DocEstimatedAt(5, 90000);
    platform.dialogs.answerYes = false;
    doc->m_nTests = 4;
    result.text = "( 17) 1-2-3-4-5-1";
    EXPECT_EQ(doc->BeginExactRun(&time, &result, 0), 0);
    EXPECT_EQ(time.text, "");
    EXPECT_EQ(result.text, "");
    EXPECT_EQ(doc->m_nTests, 4);
    EXPECT_EQ(doc->m_bRan, 0);
}

TEST_F(DocumentRuns, MapKeepsItsLengthFieldWhenTheWarningIsRefused) {
    auto doc = MakeDoc(KIND_MAP, 5);
    platform.clock.stepPerRead = 90000;
    platform.dialogs.answerYes = false;
    result.text = "(1234)";
    EXPECT_EQ(doc->BeginExactRun(&time, &result, 0), 0);
    EXPECT_EQ(result.text, "(1234)");
}

TEST_F(DocumentRuns, ContinuousTestAsksNothingResetsNothingAndWritesNoEstimate) {
    auto doc = DocEstimatedAt(5, 7200000);
    doc->m_solver.m_bContinuous = 1;
    doc->m_nTests = 6;
    time.text = "kept";
    EXPECT_EQ(doc->BeginExactRun(&time, &result, 0), 1);
    EXPECT_TRUE(platform.dialogs.questions.empty());
    EXPECT_EQ(doc->m_nTests, 6);
    EXPECT_EQ(time.text, "kept");
    // Shown to a window, whose progress line gives the test's total, the estimate is not measured.
    doc->AttachView(nullptr);
    const uint32_t before = platform.clock.now;
    EXPECT_EQ(doc->BeginExactRun(&time, &result, 0), 1);
    EXPECT_EQ(platform.clock.now - before, 7200000u);  // the run's start stamp only
    EXPECT_EQ(doc->m_dExactEstimate, 0.0);
}

TEST_F(DocumentRuns, AcceptedRunResetsTheSeriesCountersUnlessKept) {
    auto doc = MakeDoc(KIND_NETWORK, 5);
    doc->m_nTests = doc->m_nDiffSolutions = doc->m_nCyclesFound = doc->m_nAuxCount = 3;
    EXPECT_EQ(doc->BeginExactRun(&time, &result, 1), 1);
    EXPECT_EQ(doc->m_nTests, 3);
    EXPECT_EQ(doc->BeginExactRun(&time, &result, 0), 1);
    EXPECT_EQ(doc->m_nTests + doc->m_nDiffSolutions + doc->m_nCyclesFound + doc->m_nAuxCount, 0);
    EXPECT_EQ(doc->m_solver.m_pTimeCtrl, &time);
    EXPECT_EQ(doc->m_solver.m_pCostCtrl, &result);
}

TEST_F(DocumentRuns, ResultBitsFollowTheRuns) {
    auto doc = MakeDoc(KIND_NETWORK, 5);
    doc->GenerateRandom();
    ASSERT_EQ(doc->BeginExactRun(&time, &result, 0), 1);
    int aborted = 0;
    doc->m_solver.ExpMethodNet(0, &aborted);
    doc->m_results.Add(RESULT_EXACT);  // the window sets the exact bit when the run succeeds
    doc->RunPolynomial(&time, &result, 0);
    EXPECT_EQ(doc->m_results.Stored(), 3);
    EXPECT_EQ(doc->m_nTests, 1);
    EXPECT_EQ(doc->m_bRan, 1);
    ASSERT_EQ(doc->BeginExactRun(&time, &result, 1), 1);
    EXPECT_EQ(doc->m_results.Stored(), 1);
    doc->m_results.Add(RESULT_EXACT);
    EXPECT_EQ(doc->m_results.Stored(), 3);
    doc->RunPolynomial(&time, &result, 1);  // prepare only: clears the polynomial bit, runs nothing
    EXPECT_EQ(doc->m_results.Stored(), 2);
    EXPECT_EQ(doc->m_nTests, 1);
}

TEST_F(DocumentRuns, PolynomialRunShowsItsTimeAndTestCount) {
    auto doc = MakeDoc(KIND_NETWORK, 5);
    doc->GenerateRandom();
    platform.clock.stepPerRead = 1;
    doc->RunPolynomial(&time, &result, 0);
    EXPECT_GT(doc->m_dwPolynMs, 0u);
    EXPECT_NE(time.text.find(" sec*, 1 test(s)"), std::string::npos) << time.text;
}

TEST_F(DocumentRuns, TimeDisplays) {
    auto doc = MakeDoc(KIND_NETWORK, 5);
    doc->m_dwPolynMs = 1500;
    doc->m_nTests = 0;
    doc->ShowSavedTime(&time);
    EXPECT_EQ(time.text, "1.50 sec");
    doc->m_nTests = 3;
    doc->ShowSavedTime(&time);
    EXPECT_EQ(time.text, "1.50 sec, 3 test(s)");

    platform.clock.now = 10000;
    doc->m_results = CResults::FromStored(2);
    EXPECT_EQ(doc->ShowElapsed(7500, &time, 0), 2500u);
    EXPECT_EQ(time.text, "2.50 sec*, 1 test(s)");

    doc->m_results = CResults::FromStored(3);
    doc->m_nTests = 1;
    EXPECT_EQ(doc->ShowElapsed(4000, &time, 500), 6000u);  // shows first itself, the second in parentheses
    EXPECT_EQ(time.text, "4.00 sec (0.500 sec)*, 1 test(s)");

    doc->m_solver.m_bContinuous = 1;
    time.text = "untouched";
    doc->ShowElapsed(4000, &time, 0);
    EXPECT_EQ(time.text, "untouched");
    doc->m_solver.m_bContinuous = 0;

    doc->m_strRandStarts = "1";
    doc->m_dwPolynMs = 250;
    doc->m_nTests = 12;
    doc->ShowCampaignTotal(0, &time);
    EXPECT_EQ(doc->m_dwSeriesTime, 10000u);
    EXPECT_EQ(time.text, "10.0 sec (0.250 sec), 12 test(s)");
    doc->m_strRandStarts = "3";
    doc->ShowCampaignTotal(0, &time);
    EXPECT_EQ(time.text, "10.0 sec, 12 test(s)");
}

TEST_F(DocumentRuns, CycleTextOfThreeNodes) {
    auto doc = MakeDoc(KIND_NETWORK, 3);
    doc->m_solver.m_ppWeight[1][2] = 2;
    doc->m_solver.m_ppWeight[2][3] = 3;
    doc->m_solver.m_ppWeight[1][3] = 4;
    SetCycle(doc->m_solver.m_aBest, {1, 2, 3});
    EXPECT_STREQ(doc->CycleText(doc->m_solver.m_aBest), "( 9) 1-2-3-1");
}

TEST_F(DocumentRuns, GenerateRandomDoesNothingWhileBusy) {
    auto doc = MakeDoc(KIND_NETWORK, 6);
    doc->m_solver.m_ppWeight[1][2] = 12345;
    doc->m_solver.m_bBusy = 1;
    doc->GenerateRandom();
    EXPECT_EQ(doc->m_solver.m_ppWeight[1][2], 12345);
    doc->m_solver.m_bBusy = 0;
    doc->GenerateRandom();
    EXPECT_NE(doc->m_solver.m_ppWeight[1][2], 12345);
}

TEST_F(DocumentRuns, ProgressPollReadsTheDocumentsSeriesCounters) {
    auto doc = MakeDoc(KIND_NETWORK, 5);
    doc->AttachView(nullptr);
    doc->m_strRandStarts = "3";
    doc->m_nTests = 2;
    doc->m_dwSeriesTime = 1000;
    doc->m_solver.m_pTimeCtrl = &time;
    doc->m_solver.m_dwRunStart = 1000;
    platform.clock.now = 63000;
    doc->m_solver.PollProgress(0);
    EXPECT_EQ(time.text, "62 sec (2 tests, 1.03 min)");
}

TEST_F(DocumentRuns, ImprovementsRepaintTheAttachedView) {
    auto doc = MakeDoc(KIND_GRAPH, 5);
    CFakeOwnerView view;
    doc->AttachView(&view);
    doc->m_solver.m_pCostCtrl = &result;
    doc->m_solver.m_nBestCost = 0;
    doc->m_solver.ShowCycleCost();
    EXPECT_EQ(result.text, "(0)");
    ASSERT_EQ(view.redraws.size(), 1u);
    EXPECT_EQ(view.redraws[0], EDrawingPane::GraphView);
}

TEST_F(DocumentRuns, ViewCannotCloseWhileAMethodRuns) {
    auto doc = MakeDoc(KIND_NETWORK, 5);
    EXPECT_EQ(doc->CanCloseFrame(), 1);
    doc->m_solver.m_bBusy = 1;
    EXPECT_EQ(doc->CanCloseFrame(), 0);
    doc->m_solver.m_bBusy = 0;
}

TEST(DocumentClose, ClosingDuringARunEndsTheProcessAfterWritingParams) {
    CTempDir dir("close");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path);
    EXPECT_EXIT(
        {
            auto* doc = MakeDoc(KIND_NETWORK, 5).release();
            g_bWriteParamsOnClose = 1;
            doc->m_solver.m_bBusy = 1;
            delete doc;
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(std::filesystem::file_size(dir.path / "params.dat"), 64u);
    std::filesystem::current_path(previous);
}

TEST_F(DocumentRuns, ImportOfAReportRestoresItsNetwork) {
    CTempDir dir("import");
    auto doc = MakeDoc(KIND_NETWORK, 7);
    doc->m_solver.m_nAmplitude = 500;
    doc->GenerateRandom();
    const auto before = WeightSnapshot(doc->m_solver);
    ASSERT_EQ(doc->WriteReport((dir.path / "net.txt").string()), 1);

    auto other = MakeDoc(KIND_NETWORK, 7);
    SetCycle(other->m_solver.m_aInitial, {1, 3, 2, 4, 5, 6, 7});
    platform.dialogs.fileToOpen = (dir.path / "net.txt").string();
    EXPECT_EQ(other->ImportTextMatrix(), 1);
    EXPECT_EQ(WeightSnapshot(other->m_solver), before);
    EXPECT_EQ(CycleOf(other->m_solver, other->m_solver.m_aInitial), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));

    platform.dialogs.fileToOpen.clear();  // cancelled
    EXPECT_EQ(other->ImportTextMatrix(), 0);
    EXPECT_EQ(other->ImportTextMatrixFrom((dir.path / "missing.txt").string()), 0);
}

// An import that finds nothing to import says why and leaves the network as it was.
TEST_F(DocumentRuns, ImportThatFindsNoRowsSaysWhyAndKeepsTheNetwork) {
    CTempDir dir("import-none");
    WriteFileBytes(dir.path / "berlin.tsp", "NAME: berlin52\nTYPE: TSP\nDIMENSION: 52\nNODE_COORD_SECTION\n");
    WriteFileBytes(dir.path / "big.txt", std::string(20000, 'x') + "\n12 34 56\n");
    auto doc = MakeDoc(KIND_NETWORK, 6);
    doc->GenerateRandom();
    SetCycle(doc->m_solver.m_aInitial, {1, 3, 2, 4, 5, 6});
    const auto before = WeightSnapshot(doc->m_solver);
    const struct {
        std::string file;
        std::string reason;
    } cases[] = {{"berlin.tsp", "it is an instance file"},
                 {"big.txt", "it holds no matrix rows"},
                 {"missing.txt", "cannot read the file"},
                 {"", "it is a folder"}};
    for (const auto& c : cases) {
        const std::string path = (dir.path / c.file).string();
        EXPECT_EQ(doc->ImportTextMatrixFrom(path), 0) << c.file;
        ASSERT_FALSE(platform.dialogs.messages.empty());
        EXPECT_EQ(platform.dialogs.messages.back().text.rfind("Cannot import " + path + ":\n" + c.reason, 0), 0u)
            << platform.dialogs.messages.back().text;
        EXPECT_EQ(WeightSnapshot(doc->m_solver), before) << c.file;
        EXPECT_EQ(CycleOf(doc->m_solver, doc->m_solver.m_aInitial), (std::vector<int>{1, 3, 2, 4, 5, 6}));
    }
}

TEST_F(DocumentRuns, ImportIntoAGraphTurnsPositiveNumbersIntoOne) {
    CTempDir dir("import-graph");
    WriteFileBytes(dir.path / "g.txt", "Node 1 2 3 4\n 1: 0 7 -3 0\n 2: 0 0 2 1\n 3: 0 0 0 9\n 4: 0 0 0 0\n");
    auto doc = MakeDoc(KIND_GRAPH, 4);
    ASSERT_EQ(doc->ImportTextMatrixFrom((dir.path / "g.txt").string()), 1);
    const auto& w = doc->m_solver.m_ppWeight;
    EXPECT_EQ(w[1][2], 1);
    EXPECT_EQ(w[1][3], 0);
    EXPECT_EQ(w[2][3], 1);
    EXPECT_EQ(w[3][4], 1);
}
