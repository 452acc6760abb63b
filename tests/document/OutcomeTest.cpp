// The outcome model's answers where a wrong one would pass unnoticed elsewhere: the sense of
// "better", the verdicts of each kind, the summary's mean and worst over the rows that have a gap,
// the optimum's bound before there is one, what the file stores, and the series' seeds.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "DocSupport.h"
#include "document/Messages.h"
#include "document/Outcome.h"
#include "document/Series.h"
#include "solver/OptimumMethod.h"

TEST(Outcome, BetterAndTheGivenCycleVerdictFollowTheSense) {
    EXPECT_TRUE(IsBetter(3, 5, false));
    EXPECT_FALSE(IsBetter(5, 5, false));
    EXPECT_TRUE(IsBetter(5, 3, true));
    // The minimum cycle (cost 3) found from it is no better: optimal; sought as a maximum, the
    // method's dearer cycle makes it not optimal.
    EXPECT_EQ(JudgeGivenCycle(3, 3, false), VERDICT_OPTIMAL);
    EXPECT_EQ(JudgeGivenCycle(3, 9, true), VERDICT_NOT_OPTIMAL);
    EXPECT_STREQ(GivenCycleVerdictText(VERDICT_NOT_OPTIMAL, true), "The given cycle is not a maximum one.");
    EXPECT_STREQ(GivenCycleVerdictText(VERDICT_OPTIMAL, false), "The given cycle is a minimum cycle.");

    COptimumOutcome optimum;
    optimum.nCost = 10;
    EXPECT_EQ(JudgeGivenByOptimum(10, optimum, false), VERDICT_NONE);  // met, but nothing proven
    optimum.bProven = true;
    EXPECT_EQ(JudgeGivenByOptimum(10, optimum, false), VERDICT_OPTIMAL);
    EXPECT_EQ(JudgeGivenByOptimum(12, optimum, false), VERDICT_NOT_OPTIMAL);
}

TEST(Outcome, EachKindHasItsVerdictAndNotice) {
    const CVerdict same = CompareVerdictOf(KIND_NETWORK, 17, 17);
    EXPECT_TRUE(same.bAgree);
    EXPECT_EQ(same.nMessage, IDS_CORRECT_ROUTE);
    const CVerdict other = CompareVerdictOf(KIND_MAP, 18, 17);
    EXPECT_FALSE(other.bAgree);
    EXPECT_EQ(other.nMessage, IDS_NOT_CORRECT_SOLUTION);
    EXPECT_EQ(other.box, EBoxKind::Warning);
    // Graphs: by whether each method found a cycle of cost 0, whatever the other costs are.
    EXPECT_EQ(CompareVerdictOf(KIND_GRAPH, 0, 0).nMessage, IDS_BOTH_ZERO_CYCLE);
    EXPECT_EQ(CompareVerdictOf(KIND_GRAPH, 3, 1).nMessage, IDS_BOTH_NO_ZERO_CYCLE);
    EXPECT_TRUE(CompareVerdictOf(KIND_GRAPH, 3, 1).bAgree);
    const CVerdict missed = CompareVerdictOf(KIND_GRAPH, 2, 0);
    EXPECT_FALSE(missed.bAgree);
    EXPECT_EQ(missed.nMessage, IDS_NO_ZERO_CYCLE_FOUND);
    EXPECT_EQ(CheckCompareVerdict(VERDICT_OPTIMAL, VERDICT_NOT_OPTIMAL).nMessage, IDS_POLYN_WRONG);
}

TEST(Outcome, SummaryTakesMeanAndWorstOnlyOverRowsWithAGap) {
    CSeriesSummary summary;
    EXPECT_TRUE(std::isnan(summary.MeanGap()));
    EXPECT_TRUE(std::isnan(summary.WorstGap()));
    auto row = [](int problem, bool compared, double gap, bool agree) {
        CProblemRow r;
        r.nProblem = problem;
        r.bCompared = compared;
        r.dGap = gap;
        r.bAgree = agree;
        r.dwPolynMs = 2;
        r.dwReferenceMs = compared ? 5 : 0;
        return r;
    };
    summary.Add(row(1, true, -4.0, true));
    summary.Add(row(2, false, kNoGap, false));  // no reference ran: no gap, no verdict
    summary.Add(row(3, true, kNoGap, true));    // a graph: a verdict but no gap
    summary.Add(row(4, true, -1.0, false));
    summary.Add(row(5, true, -1.0, true));
    EXPECT_EQ(summary.Tests(), 5);
    EXPECT_EQ(summary.Compared(), 4);
    EXPECT_EQ(summary.Agreements(), 3);
    EXPECT_EQ(summary.Disagreements(), 1);
    EXPECT_EQ(summary.Gaps(), 3);
    EXPECT_DOUBLE_EQ(summary.MeanGap(), -2.0);
    EXPECT_DOUBLE_EQ(summary.WorstGap(), -1.0);  // the worst of negative gaps, not 0
    EXPECT_EQ(summary.WorstProblem(), 5);        // the later of equals
    EXPECT_EQ(summary.Reached(), 3);
    EXPECT_EQ(summary.AtZero(), 0);
    EXPECT_EQ(summary.PolynMs(), 10u);
    EXPECT_EQ(summary.ReferenceMs(), 20u);
}

TEST(Outcome, AnOptimumHasNoBoundBeforeThereIsAPossibleOne) {
    auto doc = MakeDoc(KIND_NETWORK, 6);
    CCycleSolver& s = doc->m_solver;
    for (int i = 1; i <= 6; ++i)
        for (int j = i + 1; j <= 6; ++j) s.m_ppWeight[i][j] = 10 + i + j;  // cycles cost 90 to 130
    COptimumResult r;
    r.cost = 100;
    r.hasBound = true;
    r.bound = INT64_MIN;  // what a search stopped before its first relaxation may hold
    EXPECT_FALSE(OptimumOutcomeOf(r, s, 0).bHasBound);
    r.bound = 95;
    EXPECT_TRUE(OptimumOutcomeOf(r, s, 0).bHasBound);
    EXPECT_EQ(OptimumOutcomeOf(r, s, 0).nBound, 95);
    r.bound = 101;  // past the cycle found: no lower bound
    EXPECT_FALSE(OptimumOutcomeOf(r, s, 0).bHasBound);
    s.m_bMaximum = 1;  // an upper bound now
    EXPECT_TRUE(OptimumOutcomeOf(r, s, 0).bHasBound);
    r.bound = INT64_MAX;
    EXPECT_FALSE(OptimumOutcomeOf(r, s, 0).bHasBound);
    EXPECT_DOUBLE_EQ(BoundGapPercent(200, 150), 25.0);
}

TEST(Outcome, TheFileStoresOnlyThePolynomialAndTheExactResult) {
    CResults r;
    r.Add(RESULT_OPTIMUM | RESULT_SERIES);
    EXPECT_EQ(r.Stored(), 0);
    EXPECT_EQ(r.StatisticsValue(), 1);  // an ended series counts as polynomial results
    r.Add(RESULT_EXACT);
    EXPECT_EQ(r.Stored(), 2);
    EXPECT_TRUE(r.IsOnly(RESULT_EXACT | RESULT_OPTIMUM));
    EXPECT_EQ(CResults::FromStored(3).Bits(), unsigned{RESULT_POLYN | RESULT_EXACT});
}

TEST(Outcome, ProblemSeedsFollowFromTheSeedAndTheProblemAlone) {
    // The console's stream: each draw the generator's next state.
    std::vector<uint32_t> stream;
    uint32_t state = 2026;
    for (int k = 0; k < 40; ++k) stream.push_back(state = state * 214013u + 2531011u);
    const CSeriesSeeds seeds(2026, 4);  // a network and three random starts per problem
    EXPECT_EQ(seeds.Draw(1, 1), stream[0]);
    EXPECT_EQ(seeds.Draw(3, 2), stream[9]);
    EXPECT_EQ(seeds.Draw(10, 4), stream[39]);
}
