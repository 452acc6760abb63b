// The windows' test commands run in the core: bounded continuous tests, random-start series,
// Compare and aborts, with the counters and messages they leave.
#include <gtest/gtest.h>

#include "DocSupport.h"
#include "document/Series.h"
#include "solver/ExactMethod.h"
#include "support/Fakes.h"
#include "support/Networks.h"

namespace {

class Series : public ::testing::Test {
protected:
    void SetUp() override {
        platform.clock.stepPerRead = 1;
        Platform().seedOverride = 1;
    }
    void TearDown() override { Platform().seedOverride.reset(); }

    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const auto& m : platform.dialogs.messages) texts.push_back(m.text);
        return texts;
    }
    bool Shown(const std::string& part) const {
        for (const auto& m : platform.dialogs.messages)
            if (m.text.find(part) != std::string::npos) return true;
        return false;
    }

    CFakePlatform platform;
    CFakeField time, final;
};

}  // namespace

TEST_F(Series, BoundedContinuousTestComparesEveryNetworkAndShowsTheStatistics) {
    auto doc = MakeDoc(KIND_NETWORK, 6);
    CTestSeries series(*doc, time, final);
    uint32_t seed = 100;
    series.m_fnBeforeRandom = [&] { Platform().seedOverride = seed++; };
    int problems = 0;
    series.m_fnProblemDone = [&](const CProblemRow&) { ++problems; };
    series.ContinuousTest(3);

    EXPECT_EQ(series.m_nProblems, 3);
    EXPECT_EQ(problems, 3);
    EXPECT_EQ(doc->m_nTests, 3);
    EXPECT_EQ(doc->m_nDiffSolutions, 0);
    EXPECT_EQ(doc->m_results.Stored(), 3);
    EXPECT_TRUE(Shown("3 networks were succesfully tested."));
    EXPECT_TRUE(Shown("Number of random tests: 3\r\n(3 network(s) with 1 random starts)\r\n"));
    EXPECT_EQ(final.text, "");
    EXPECT_NE(time.text.find(", 3 test(s)"), std::string::npos) << time.text;
}

TEST_F(Series, RandomStartsRunEachStartAndCountThem) {
    auto doc = MakeDoc(KIND_NETWORK, 7);
    doc->GenerateRandom();
    doc->m_strRandStarts = "4";
    doc->m_strFullTests = "4";
    CTestSeries series(*doc, time, final);
    int draws = 0;
    series.m_fnBeforeRandom = [&] { Platform().seedOverride = 50 + draws++; };
    series.PolynomialMethod();
    EXPECT_EQ(draws, 4);
    EXPECT_EQ(doc->m_nTests, 4);
    EXPECT_EQ(doc->m_results.Stored(), 1);
    EXPECT_EQ(doc->m_solver.m_nTestLevel, 2);
    EXPECT_TRUE(Shown("(1 network(s) with 4 random starts)"));
}

TEST_F(Series, CompareTwiceOnlyReportsTheSecondTime) {
    auto doc = MakeDoc(KIND_NETWORK, 6);
    doc->GenerateRandom();
    CTestSeries series(*doc, time, final);
    series.Compare();
    EXPECT_EQ(doc->m_results.Stored(), 3);
    ASSERT_FALSE(platform.dialogs.messages.empty());
    EXPECT_EQ(platform.dialogs.messages.back().text, "Polyn. method has found a correct route.");
    const int tests = doc->m_nTests, diff = doc->m_nDiffSolutions;
    series.Compare();
    EXPECT_EQ(platform.dialogs.messages.back().text,
              "Comparing of the current network has already been completed.");
    EXPECT_EQ(doc->m_nTests, tests);
    EXPECT_EQ(doc->m_nDiffSolutions, diff);
}

TEST_F(Series, EscapeDuringTheExactMethodReportsTheAbort) {
    auto doc = MakeDoc(KIND_NETWORK, 13);  // long enough that the workers see the stop
    doc->GenerateRandom();
    platform.events.queue.push_back("Escape");
    CTestSeries series(*doc, time, final);
    series.ExactMethod();
    EXPECT_EQ(doc->m_results.Stored(), 0);
    ASSERT_FALSE(platform.dialogs.messages.empty());
    EXPECT_EQ(platform.dialogs.messages.back().text, "Testing is aborted by user...");
    // The best cycle so far is shown whole, as the polynomial method's abort shows it.
    EXPECT_EQ(final.text, doc->CycleText(doc->m_solver.m_aCycle));
    EXPECT_EQ(final.text.rfind("( ", 0), 0u) << final.text;
    EXPECT_NE(final.text.find("-1"), std::string::npos) << final.text;
}

TEST_F(Series, ContinuousTestStopsAtTheFirstAbortWithoutCountingIt) {
    auto doc = MakeDoc(KIND_NETWORK, 10);
    doc->m_strFullTests = "0";               // polynomial method only
    platform.events.queue.assign(400, "x");  // about two and a half problems' polls
    platform.events.queue.push_back("Escape");
    CTestSeries series(*doc, time, final);
    int rows = 0;
    series.m_fnProblemDone = [&](const CProblemRow&) { ++rows; };
    series.ContinuousTest(0);
    // The interrupted problem has no row: every row is a counted test.
    ASSERT_GE(series.m_nProblems, 2);
    EXPECT_EQ(rows, series.m_nProblems - 1);
    EXPECT_EQ(doc->m_nTests, rows);
    EXPECT_EQ(series.m_summary.Tests(), rows);
    EXPECT_EQ(doc->m_results.Stored(), 0);  // the interrupted cycle is no result
    EXPECT_EQ(final.text, "");
}

TEST_F(Series, AnInterruptedPolynomialPhaseIsNeverCountedAsCompared) {
    // Eight nodes: the exact method ends before its first poll, so the Escape comes while the
    // polynomial method runs on some later network.
    auto doc = MakeDoc(KIND_NETWORK, 8);
    CCycleSolver& s = doc->m_solver;
    CTestSeries series(*doc, time, final);
    uint32_t seed = 300;
    series.m_fnBeforeRandom = [&] { Platform().seedOverride = seed++; };
    int rows = 0;
    series.m_fnProblemDone = [&](const CProblemRow& row) { rows += row.bCompared && row.bAgree; };
    platform.events.queue.assign(2000, "x");  // about three problems' polls
    platform.events.queue.push_back("Escape");
    series.ContinuousTest(0);

    ASSERT_GE(series.m_nProblems, 3) << platform.events.polls << " polls";
    EXPECT_EQ(rows, series.m_nProblems - 1);
    EXPECT_EQ(doc->m_nTests, rows);
    // The network it ended on holds its exact result only, as the current and best cycle.
    EXPECT_EQ(doc->m_results.Stored(), 2);
    EXPECT_EQ(CycleOf(s, s.m_aBest), CycleOf(s, s.m_aSaved));
    EXPECT_EQ(CycleOf(s, s.m_aCycle), CycleOf(s, s.m_aSaved));
    EXPECT_EQ(s.m_nBestCost, s.CycleCostOf(s.m_aSaved));
    const std::vector<std::string> texts = Messages();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], "Testing is aborted by user...");
    EXPECT_EQ(texts[1], std::to_string(rows) + " networks were succesfully tested.");
    EXPECT_EQ(texts[2].rfind("Number of random tests: " + std::to_string(rows) + "\r\n", 0), 0u);

    // So Compare compares that network, and the statistics of the series are still there.
    series.Statistics();
    EXPECT_EQ(Messages().back().rfind("Number of random tests:", 0), 0u);
    series.Compare();
    EXPECT_EQ(Messages().back(), "Polyn. method has found a correct route.");
    EXPECT_EQ(doc->m_results.Stored(), 3);
}

TEST_F(Series, RandomStartsEndTheContinuousTestAtTheFirstDisagreement) {
    // Graphs of 20 nodes and degree 4, three random starts each: the starts on the third graph
    // disagree (one finds a Hamiltonian cycle, another not).
    auto doc = MakeDoc(KIND_GRAPH, 20);
    doc->m_strRandStarts = "3";
    doc->m_strAmplitude = "4";
    CTestSeries series(*doc, time, final);
    uint32_t seed = 500;
    series.m_fnBeforeRandom = [&] { Platform().seedOverride = seed++; };
    std::vector<int> differentAfter;
    series.m_fnProblemDone = [&](const CProblemRow&) { differentAfter.push_back(doc->m_nDiffSolutions); };
    series.ContinuousTest(10);

    ASSERT_FALSE(series.m_bStartsAgreed);
    ASSERT_EQ(static_cast<int>(differentAfter.size()), series.m_nProblems);
    EXPECT_LT(series.m_nProblems, 10);
    differentAfter.pop_back();  // the last graph's starts disagreed, and no earlier one's
    EXPECT_EQ(differentAfter, std::vector<int>(differentAfter.size(), 0));
    EXPECT_EQ(doc->m_nDiffSolutions, 1);
}

TEST_F(Series, GraphContinuousTestUsesGener2AndCountsFoundCycles) {
    auto doc = MakeDoc(KIND_GRAPH, 8);
    doc->m_strAmplitude = "4";
    CTestSeries series(*doc, time, final);
    uint32_t seed = 7;
    series.m_fnBeforeRandom = [&] { Platform().seedOverride = seed++; };
    series.ContinuousTest(3);
    EXPECT_GE(series.m_nProblems, 1);
    EXPECT_LE(doc->m_nCyclesFound, doc->m_nTests);
    EXPECT_TRUE(Shown("graph(s) with 1 random starts"));
}

// Problems run out of order on another copy of the document and folded in order give the series
// that runs them one after another: counters, summary, boxes and statistics.
TEST_F(Series, ProblemsRunElsewhereAndFoldedInOrderGiveTheSameSeries) {
    struct CCase {
        int kind, nodes;
        const char *starts, *full;
        int tests;
        int polls;  // an Escape after so many polls (0: none); then the problems run in order
    };
    // The single loop polls the same number of times in every run, so the Escape lands alike.
    const int threads = g_nExactThreads;
    g_nExactThreads = 1;
    int cyclesFound = 0;
    bool startsDisagreed = false;
    for (const CCase& c : {CCase{KIND_NETWORK, 12, "3", "0", 20, 0}, CCase{KIND_NETWORK, 9, "1", "1", 12, 0},
                           CCase{KIND_GRAPH, 9, "1", "0", 12, 0}, CCase{KIND_GRAPH, 20, "3", "0", 40, 0},
                           CCase{KIND_NETWORK, 11, "1", "1", 12, 3000}, CCase{KIND_NETWORK, 10, "1", "1", 12, 2500}}) {
        auto make = [&] {
            auto doc = MakeDoc(c.kind, c.nodes);
            doc->m_strRandStarts = c.starts;
            doc->m_strFullTests = c.full;
            // Graphs of degree 3, and of degree 4 at 20 nodes, where random starts can disagree.
            const int amplitude = c.kind != KIND_GRAPH ? 100 : c.nodes == 20 ? 4 : 3;
            doc->m_strAmplitude = std::to_string(amplitude);
            doc->m_solver.m_nAmplitude = amplitude;
            return doc;
        };
        const int draws = 1 + (std::string(c.starts) == "1" ? 0 : 3);
        auto escape = [&] {
            platform.events.queue.assign(static_cast<std::size_t>(c.polls), "x");
            if (c.polls != 0) platform.events.queue.push_back("Escape");
        };
        escape();
        auto one = make();
        CTestSeries sequential(*one, time, final);
        sequential.m_seeds.emplace(5, draws);
        sequential.ContinuousTest(c.tests);
        const std::vector<std::string> boxes = Messages();
        // Starts that disagree on a graph end the test with the warning that a start missed a cycle.
        if (!sequential.m_bStartsAgreed && c.kind == KIND_GRAPH) {
            EXPECT_TRUE(Shown("ERROR: Polyn. method has NOT found a correct solution."));
        }
        platform.dialogs.messages.clear();

        auto folded = make(), worker = make();
        CTestSeries fold(*folded, time, final), run(*worker, time, final);
        fold.m_seeds.emplace(5, draws);
        run.m_seeds.emplace(5, draws);
        ASSERT_TRUE(fold.BeginContinuous(c.tests));
        ASSERT_TRUE(run.BeginContinuous(c.tests));
        std::vector<CProblemRecord> records(static_cast<std::size_t>(c.tests));
        escape();
        for (int k = 0; k < c.tests; ++k) {
            const int i = c.polls != 0 ? k + 1 : c.tests - k;
            records[static_cast<std::size_t>(i - 1)] = run.RunProblem(i);
        }
        EXPECT_TRUE(platform.dialogs.messages.empty());  // a problem's boxes wait for its fold
        for (const CProblemRecord& record : records)
            if (!fold.FoldProblem(record)) break;
        fold.FinishContinuous();

        SCOPED_TRACE(std::string(c.kind == KIND_GRAPH ? "graph" : "network") + " starts " + c.starts);
        EXPECT_EQ(Messages(), boxes);
        EXPECT_EQ(fold.m_nProblems, sequential.m_nProblems);
        EXPECT_EQ(folded->m_nTests, one->m_nTests);
        EXPECT_EQ(folded->m_nDiffSolutions, one->m_nDiffSolutions);
        EXPECT_EQ(folded->m_nCyclesFound, one->m_nCyclesFound);
        // The folded document holds no problem's cycles, so no method result either.
        EXPECT_EQ(folded->m_results.Bits(), one->m_results.Bits() & ~(RESULT_POLYN | RESULT_EXACT | RESULT_OPTIMUM));
        EXPECT_EQ(fold.m_summary.Tests(), sequential.m_summary.Tests());
        EXPECT_EQ(fold.m_summary.Agreements(), sequential.m_summary.Agreements());
        EXPECT_EQ(fold.m_summary.Gaps(), sequential.m_summary.Gaps());
        EXPECT_EQ(fold.m_summary.WorstProblem(), sequential.m_summary.WorstProblem());
        EXPECT_EQ(fold.m_summary.PolynMs(), sequential.m_summary.PolynMs());
        EXPECT_STREQ(folded->BuildStatistics(0), one->BuildStatistics(0));
        EXPECT_EQ(fold.m_bStartsAgreed, sequential.m_bStartsAgreed);
        cyclesFound += one->m_nCyclesFound;
        startsDisagreed = startsDisagreed || !sequential.m_bStartsAgreed;
        platform.dialogs.messages.clear();
    }
    // The cases reach the fold's rarer paths: graphs with cycles found, and starts that disagree.
    EXPECT_GT(cyclesFound, 0);
    EXPECT_TRUE(startsDisagreed);
    g_nExactThreads = threads;
}
