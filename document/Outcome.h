// The outcome model: which results a test holds, and the answers every face asks of them. Is one
// cost better than another; do two methods agree, and which notice says so (network, map, graph,
// check); how far a cost lies from a reference; what the proven optimum gave; and the summary of a
// series of problems. The windows, CTestSeries, CGivenCycleCheck, every quira-cli command and its
// pictures read these answers; none of them derives a verdict, a gap or a summary of its own.
#pragma once

#include <array>
#include <climits>
#include <cstdint>
#include <limits>

#include "solver/Platform.h"

class CCycleSolver;
struct COptimumOutcome;
struct COptimumResult;

// ---- Better -----------------------------------------------------------------------------------------

// cost is strictly better than other: lower when the minimum is sought, higher for the maximum.
bool IsBetter(int cost, int other, bool maximum);

// ---- Which results a test holds ---------------------------------------------------------------------

enum EResult : unsigned {
    RESULT_POLYN = 1,    // the polynomial method's result on the current problem
    RESULT_EXACT = 2,    // the exact method's result on the current problem
    RESULT_OPTIMUM = 4,  // the optimum method's result on the current problem (see COptimumOutcome)
    // The counters sum up the polynomial runs of a continuous test that has ended, also when the
    // problem it ended on holds no polynomial result (its run was interrupted).
    RESULT_SERIES = 8,
};

class CResults {
public:
    // All of the flags are held.
    bool Has(unsigned flags) const { return (m_bits & flags) == flags; }
    // Exactly the given method results are held (the series mark aside).
    bool IsOnly(unsigned flags) const { return (m_bits & ~RESULT_SERIES) == flags; }
    bool Empty() const { return m_bits == 0; }
    unsigned Bits() const { return m_bits; }
    void Add(unsigned flags) { m_bits |= flags; }
    void Remove(unsigned flags) { m_bits &= ~flags; }
    void Clear() { m_bits = 0; }

    // The results value of the document file (and of the windows' rules that test it): bit 0 a
    // polynomial result, bit 1 an exact one. The optimum and the series mark have no place there.
    int Stored() const { return static_cast<int>(m_bits & (RESULT_POLYN | RESULT_EXACT)); }
    static bool IsStoredValue(int value) { return value >= 0 && value <= 3; }
    static CResults FromStored(int value) {
        CResults r;
        r.m_bits = static_cast<unsigned>(value) & (RESULT_POLYN | RESULT_EXACT);
        return r;
    }
    // The value the statistics and the report read: the stored value, with the counters of an
    // ended series counted as polynomial results.
    int StatisticsValue() const { return Stored() | (Has(RESULT_SERIES) ? 1 : 0); }
    // Only the four flags above are ever set.
    bool InRange() const { return (m_bits & ~15u) == 0; }

    bool operator==(const CResults& other) const { return m_bits == other.m_bits; }

private:
    unsigned m_bits = 0;
};

// ---- Verdicts ---------------------------------------------------------------------------------------

// Whether two results agree and the notice that says so, in its box.
struct CVerdict {
    bool bAgree = true;
    int nMessage = 0;  // a string-table id (document/Messages.h)
    EBoxKind box = EBoxKind::Information;
};

// Compare on a problem of the document kind: the polynomial result's cost against the reference's
// (the exact method's or the optimum's). Networks and maps agree on the same length (the same
// cycle has it too); graphs agree when both or neither found a cycle of cost 0.
CVerdict CompareVerdictOf(int kind, int polynCost, int referenceCost);
// Compare in the check window: the polynomial method's verdict on the given cycle against the
// exact method's.
CVerdict CheckCompareVerdict(int polynVerdict, int exactVerdict);
// Shows the verdict's notice in its box.
void ShowVerdict(const CVerdict& verdict);

// The check window's verdict on a given cycle.
enum ECheckVerdict { VERDICT_NONE = 0, VERDICT_NOT_OPTIMAL = 1, VERDICT_OPTIMAL = 2 };
// A method found a cycle of cost found from the given cycle of cost given: the given cycle is not
// optimal when found is better.
int JudgeGivenCycle(int given, int found, bool maximum);
// The optimum method's verdict on the given cycle: not optimal when the optimum's cycle is better,
// optimal when the optimum is proven and no better, else none (a stop before the proof).
int JudgeGivenByOptimum(int given, const COptimumOutcome& optimum, bool maximum);
// "The given cycle is a minimum cycle." and the like; empty for VERDICT_NONE.
const char* GivenCycleVerdictText(int verdict, bool maximum);

// ---- Gaps -------------------------------------------------------------------------------------------

constexpr double kNoGap = std::numeric_limits<double>::quiet_NaN();

// Percent by which cost lies above the reference (below it for a maximum): the core's rule,
// GapPercent.
double GapToReference(int cost, int reference, bool maximum);
// A search's own gap between its best cost and its bound, in percent of the best (0 for a best of 0).
double BoundGapPercent(int64_t best, int64_t bound);

// ---- The proven optimum -----------------------------------------------------------------------------

// What the optimum method gave, as every face reports it. The bound is there only once the search
// has one that a cycle could meet: at least n times the smallest weight (at most n times the
// largest for a maximum) and not beyond the cycle's own cost. Before that there is none, whatever
// number the search held.
struct COptimumOutcome {
    bool bAborted = false;
    bool bProven = false;
    bool bHasBound = false;
    bool bNoMemory = false;
    bool bNoCycle = false;  // no cycle can use every fixed edge
    int nCost = 0;
    int64_t nBound = 0;
    int nWay = 0;
    int64_t nBranches = 0;
    std::array<int64_t, 3> aCuts{};  // cuts of the branch and cut: subtour, blossom, comb
    uint32_t dwMs = 0;
    // The polynomial and exact results on this problem whose cycle the optimum's replaced (their
    // costs, for the gaps; NO_COST when there was none or it cost the same and stays held).
    int nReplacedPolynCost = INT_MIN;  // the solver's NO_COST
    int nReplacedExactCost = INT_MIN;
};
COptimumOutcome OptimumOutcomeOf(const COptimumResult& result, const CCycleSolver& solver, uint32_t ms);
// What every cycle of the solver's network costs at least and at most: n times its smallest and
// its largest weight.
struct CCostRange {
    int64_t nLeast = 0;
    int64_t nMost = 0;
};
CCostRange CycleCostRange(const CCycleSolver& solver);
// A bound a search may show beside its best cost: inside the range, and not past the best cost
// (a lower bound for the minimum, an upper one for the maximum).
bool IsPossibleBound(const CCostRange& range, int64_t bound, int64_t best, bool maximum);

// ---- A series of problems ---------------------------------------------------------------------------

// One finished problem of a series: the polynomial method's cost and time and, when a reference ran
// to its end beside it (the exact method or the optimum), the reference's, the verdict and the gap.
struct CProblemRow {
    int nProblem = 0;  // from 1
    int nPolynCost = 0;
    uint32_t dwPolynMs = 0;
    bool bCompared = false;
    int nReferenceCost = 0;
    uint32_t dwReferenceMs = 0;
    bool bAgree = false;
    double dGap = kNoGap;  // none for graphs, and where no reference ran
};

// The summary of a series: tests, agreements and different solutions, the mean and the worst gap
// over the rows that have one, and the times. Rows are added in the order of their problems (from
// one source or several), so equal series give equal summaries.
class CSeriesSummary {
public:
    void Add(const CProblemRow& row);

    int Tests() const { return m_nTests; }
    int Compared() const { return m_nCompared; }
    int Agreements() const { return m_nAgreements; }
    int Disagreements() const { return m_nCompared - m_nAgreements; }
    // Rows with a gap; of them those whose cost is not worse than the reference's (gap <= 0), and
    // those that met it exactly (gap 0).
    int Gaps() const { return m_nGaps; }
    int Reached() const { return m_nReached; }
    int AtZero() const { return m_nAtZero; }
    double MeanGap() const { return m_nGaps != 0 ? m_dGapSum / m_nGaps : kNoGap; }
    double WorstGap() const { return m_nGaps != 0 ? m_dWorstGap : kNoGap; }
    // The problem of the worst gap (the later one of equals); 0 without gaps.
    int WorstProblem() const { return m_nWorstProblem; }
    uint64_t PolynMs() const { return m_nPolynMs; }
    uint64_t ReferenceMs() const { return m_nReferenceMs; }

private:
    int m_nTests = 0;
    int m_nCompared = 0;
    int m_nAgreements = 0;
    int m_nGaps = 0;
    int m_nReached = 0;
    int m_nAtZero = 0;
    double m_dGapSum = 0;
    double m_dWorstGap = 0;
    int m_nWorstProblem = 0;
    uint64_t m_nPolynMs = 0;
    uint64_t m_nReferenceMs = 0;
};
