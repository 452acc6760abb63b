// The outcome model: the answers on results that every face reads.
#include "document/Outcome.h"

#include <algorithm>
#include <cmath>

#include "document/Messages.h"
#include "solver/CycleSolver.h"
#include "solver/OptimumMethod.h"

bool IsBetter(int cost, int other, bool maximum) {
    return maximum ? cost > other : cost < other;
}

// ---- Verdicts ---------------------------------------------------------------------------------------

CVerdict CompareVerdictOf(int kind, int polynCost, int referenceCost) {
    if (kind == KIND_GRAPH) {
        const bool polynFound = polynCost == 0, referenceFound = referenceCost == 0;
        if (polynFound == referenceFound)
            return {true, polynFound ? IDS_BOTH_ZERO_CYCLE : IDS_BOTH_NO_ZERO_CYCLE, EBoxKind::Information};
        return {false, IDS_NO_ZERO_CYCLE_FOUND, EBoxKind::Information};
    }
    if (polynCost == referenceCost) return {true, IDS_CORRECT_ROUTE, EBoxKind::Information};
    return {false, IDS_NOT_CORRECT_SOLUTION, EBoxKind::Warning};
}

CVerdict CheckCompareVerdict(int polynVerdict, int exactVerdict) {
    if (polynVerdict == exactVerdict) return {true, IDS_SAME_SOLUTION, EBoxKind::Information};
    return {false, IDS_POLYN_WRONG, EBoxKind::Warning};
}

void ShowVerdict(const CVerdict& verdict) {
    Platform().pDialogs->ShowMessage(verdict.box, MessageText(verdict.nMessage));
}

int JudgeGivenCycle(int given, int found, bool maximum) {
    return IsBetter(found, given, maximum) ? VERDICT_NOT_OPTIMAL : VERDICT_OPTIMAL;
}

int JudgeGivenByOptimum(int given, const COptimumOutcome& optimum, bool maximum) {
    if (IsBetter(optimum.nCost, given, maximum)) return VERDICT_NOT_OPTIMAL;
    return optimum.bProven ? VERDICT_OPTIMAL : VERDICT_NONE;
}

const char* GivenCycleVerdictText(int verdict, bool maximum) {
    if (verdict == VERDICT_OPTIMAL)
        return maximum ? "The given cycle is a maximum cycle." : "The given cycle is a minimum cycle.";
    if (verdict == VERDICT_NOT_OPTIMAL)
        return maximum ? "The given cycle is not a maximum one." : "The given cycle is not a minimum one.";
    return "";
}

// ---- Gaps -------------------------------------------------------------------------------------------

double GapToReference(int cost, int reference, bool maximum) {
    return GapPercent(cost, reference, maximum);
}

double BoundGapPercent(int64_t best, int64_t bound) {
    if (best == 0) return 0.0;
    return std::fabs(static_cast<double>(best - bound)) * 100.0 / std::fabs(static_cast<double>(best));
}

// ---- The proven optimum -----------------------------------------------------------------------------

COptimumOutcome OptimumOutcomeOf(const COptimumResult& r, const CCycleSolver& s, uint32_t ms) {
    COptimumOutcome o;
    o.bAborted = r.aborted;
    o.bProven = r.proven;
    o.bNoMemory = r.noMemory;
    o.bNoCycle = r.noCycle;
    o.aCuts = r.cuts;
    o.nCost = r.cost;
    o.nWay = r.way;
    o.nBranches = r.branches;
    o.dwMs = ms;
    if (r.hasBound && IsPossibleBound(CycleCostRange(s), r.bound, r.cost, s.m_bMaximum != 0)) {
        o.bHasBound = true;
        o.nBound = r.bound;
    }
    return o;
}

CCostRange CycleCostRange(const CCycleSolver& s) {
    const int n = s.m_nNodes;
    CCostRange range;
    bool any = false;
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j) {
            const int64_t w = s.m_ppWeight[i][j];
            range.nLeast = any ? std::min(range.nLeast, w) : w;
            range.nMost = any ? std::max(range.nMost, w) : w;
            any = true;
        }
    range.nLeast *= n;
    range.nMost *= n;
    return range;
}

bool IsPossibleBound(const CCostRange& range, int64_t bound, int64_t best, bool maximum) {
    if (bound < range.nLeast || bound > range.nMost) return false;
    return maximum ? bound >= best : bound <= best;
}

// ---- A series of problems ---------------------------------------------------------------------------

void CSeriesSummary::Add(const CProblemRow& row) {
    ++m_nTests;
    m_nPolynMs += row.dwPolynMs;
    if (!row.bCompared) return;
    ++m_nCompared;
    if (row.bAgree) ++m_nAgreements;
    m_nReferenceMs += row.dwReferenceMs;
    if (std::isnan(row.dGap)) return;
    ++m_nGaps;
    m_dGapSum += row.dGap;
    if (row.dGap <= 0) ++m_nReached;
    if (row.dGap == 0) ++m_nAtZero;
    if (m_nGaps == 1 || row.dGap >= m_dWorstGap) {
        m_dWorstGap = row.dGap;
        m_nWorstProblem = row.nProblem;
    }
}
