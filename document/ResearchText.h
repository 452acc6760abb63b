// The research side's answers over the outcome model, shared by the windows' Research menu and
// quira-cli: a series' per-problem rows as CSV, the reference optimum of the current problem (a
// typed one, the optima table beside its instance file, or the proven optimum) and the gap of each
// method's result to it, and the weight matrix as the report writes its rows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/Outcome.h"

class CCycleSolver;
class CMainDoc;

// ---- A series' rows as CSV ------------------------------------------------------------------------

// "problem,seed,polyn_cost,polyn_ms,<reference>_cost,<reference>_ms,agree,gap" (reference "exact"
// or "optimum"), without the line end.
std::string SeriesCsvHeader(const char* reference);
// One row: the problem, its seed, the polynomial cost and time, and when compared the reference's
// cost and time, "yes"/"no" and the gap with four decimals (empty where there is none).
std::string SeriesCsvRow(const CProblemRow& row, uint32_t seed);
// The line under a series' table or plot: the count of problems with a gap, how many reached the
// reference (gap 0), the mean and the worst gap, from the series' summary.
std::string SeriesGapSummary(const CSeriesSummary& summary, const std::string& reference);
// A number of a CSV row: four decimals, empty for none (NaN).
std::string CsvNumber(double x);

// ---- The proven optimum's texts ---------------------------------------------------------------------

// A search's gap to its bound, "1.88%" (BoundGapPercent).
std::string BoundGapText(int64_t best, int64_t bound);
// The once-a-second progress of the optimum method: "12.0 sec  best (7542)  bound 7400  gap 1.88%"
// ("bound -  gap -" while there is none).
std::string OptimumProgressText(uint32_t elapsedMs, int best, int64_t bound, bool hasBound);
// What the optimum method gave, in one line: "Proven optimum: 7542 (0.030 sec)", or for a stop "Best
// 7600, bound 7400 (gap 2.63%), not proven (stopped)", or why nothing was found.
std::string OptimumOutcomeText(const COptimumOutcome& outcome);

// ---- The gap of each method's result to a reference optimum -----------------------------------------

struct CGapReference {
    bool bFound = false;
    int nCost = 0;
    std::string strSource;  // where it came from: "typed", the table's path, "proven optimum"
    std::string strError;   // an optima table that could not be read or does not fit the network
};
// The reference of the document's current problem: a typed optimum first; else the row of the
// instance's file in the optima table beside it (document/InstanceLayout.h), whose node count must
// be the network's; else the optimum method's result when it is proven. Not found otherwise.
CGapReference FindGapReference(const CMainDoc& doc, std::optional<int> typed);

struct CMethodGap {
    const char* szMethod;  // "Polyn. Method", "Exp. Method", "Proven optimum"
    int nCost;
    double dGap;  // GapToReference
};
// The gaps of the results the document holds on its current problem, in that order.
std::vector<CMethodGap> MethodGaps(const CMainDoc& doc, int reference);
// "Reference: 7542 (source)" and a line per held result, "Polyn. Method: 7542, gap 0.000%"; a line
// saying that no method has a result yet when none does.
std::string MethodGapsText(const CMainDoc& doc, const CGapReference& reference);

// ---- The matrix as the report writes it ------------------------------------------------------------

// The report's matrix lines: "Node" with the column numbers, then "NN: " and each row's weights,
// every number in a field of `width`. Import and quira-cli --matrix read them back.
std::string MatrixHeaderLine(int nodes, int width);
std::string MatrixRowLine(const CCycleSolver& solver, int row, int width);
// The whole matrix of the document as the report has it (width 4, 3 for a graph), lines ended by
// line end.
std::string MatrixText(const CMainDoc& doc, const char* lineEnd = "\n");
