// The runs that use worker threads, as the windows and quira-cli start them through the core: a
// compared continuous test whose exact method runs on workers and is stopped in the middle, and a
// series against the proven optimum with its progress. Run under ThreadSanitizer (label threads).
#include <gtest/gtest.h>

#include "document/DocSupport.h"
#include "document/Series.h"
#include "solver/ExactMethod.h"
#include "support/Fakes.h"
#include "support/Networks.h"

TEST(ThreadedRuns, AContinuousTestOnWorkersStopsCleanlyAtAnEscape) {
    CFakePlatform platform;
    platform.clock.stepPerRead = 1;
    const CExactThreadsScope two(2);
    auto doc = MakeDoc(KIND_NETWORK, 11);
    CFakeField time, final;
    CTestSeries series(*doc, time, final);
    series.m_seeds.emplace(7, 1);
    platform.events.queue.assign(300, "x");
    platform.events.queue.push_back("Escape");
    series.ContinuousTest(20);
    // Where the Escape lands depends on the workers' pace; wherever it does, no worker is left and
    // only finished problems are counted.
    EXPECT_EQ(ExactWorkersAlive(), 0);
    EXPECT_EQ(doc->m_solver.m_bBusy, 0);
    EXPECT_GE(series.m_summary.Tests(), series.m_nProblems - 1);
    EXPECT_EQ(series.m_summary.Tests(), doc->m_nTests);
}

TEST(ThreadedRuns, ASeriesAgainstTheOptimumShowsItsProgress) {
    CFakePlatform platform;
    platform.clock.stepPerRead = 700;  // time runs fast: the progress shows at once
    auto doc = MakeDoc(KIND_NETWORK, 70);  // long enough for the progress's 20 ms poll, mostly
    doc->m_strFullTests = "0";
    CFakeField time, final;
    CTestSeries series(*doc, time, final);
    series.m_seeds.emplace(11, 1);
    series.m_fnOptimumProgress = [&](uint32_t, int best, int64_t bound, bool hasBound) {
        EXPECT_TRUE(!hasBound || bound <= best);
    };
    series.ContinuousTest(3, EReference::Optimum);
    EXPECT_EQ(series.m_summary.Tests(), 3);
    EXPECT_EQ(series.m_summary.Compared(), 3);
    EXPECT_EQ(doc->m_solver.m_bBusy, 0);
}
