// The research side's answers: a series' CSV rows, the reference optimum and the methods' gaps to
// it, and the weight matrix's rows as the report writes them.
#include "document/ResearchText.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "document/MainDoc.h"
#include "document/SafeSave.h"
#include "document/SurveyInput.h"
#include "solver/CycleSolver.h"

// ---- A series' rows as CSV ------------------------------------------------------------------------

std::string SeriesCsvHeader(const char* reference) {
    return std::string("problem,seed,polyn_cost,polyn_ms,") + reference + "_cost," + reference + "_ms,agree,gap";
}

std::string CsvNumber(double x) {
    if (std::isnan(x)) return "";
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", x);
    return text;
}

std::string SeriesCsvRow(const CProblemRow& r, uint32_t seed) {
    std::string row = std::to_string(r.nProblem) + ',' + std::to_string(seed) + ',' + std::to_string(r.nPolynCost) +
                      ',' + std::to_string(r.dwPolynMs) + ',';
    if (r.bCompared)
        row += std::to_string(r.nReferenceCost) + ',' + std::to_string(r.dwReferenceMs) + ',' +
               (r.bAgree ? "yes" : "no") + ',' + CsvNumber(r.dGap);
    else
        row += ",,,";
    return row;
}

std::string SeriesGapSummary(const CSeriesSummary& summary, const std::string& reference) {
    if (summary.Gaps() == 0) return "no gap to the " + reference;
    char text[160];
    std::snprintf(text, sizeof text, "gap to the %s: %d of %d problems at 0 %%, mean %.3f %%, worst %.3f %%",
                  reference.c_str(), summary.AtZero(), summary.Gaps(), summary.MeanGap(), summary.WorstGap());
    return text;
}

// ---- The proven optimum's texts ---------------------------------------------------------------------

std::string BoundGapText(int64_t best, int64_t bound) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f%%", BoundGapPercent(best, bound));
    return text;
}

std::string OptimumProgressText(uint32_t ms, int best, int64_t bound, bool hasBound) {
    std::string elapsed;
    FormatDuration(elapsed, ms / 1000.0);
    return elapsed + "  best (" + std::to_string(best) + ")  bound " + (hasBound ? std::to_string(bound) : "-") +
           "  gap " + (hasBound ? BoundGapText(best, bound) : "-");
}

std::string OptimumOutcomeText(const COptimumOutcome& o) {
    if (o.bNoMemory) return "Proven optimum: not enough memory for the dynamic programme";
    if (o.bNoCycle) return "Proven optimum: no cycle can use every fixed edge";
    std::string time;
    FormatDuration(time, o.dwMs / 1000.0);
    if (o.bProven) return "Proven optimum: " + std::to_string(o.nCost) + " (" + time + ")";
    std::string text = "Best " + std::to_string(o.nCost);
    if (o.bHasBound) text += ", bound " + std::to_string(o.nBound) + " (gap " + BoundGapText(o.nCost, o.nBound) + ")";
    return text + ", not proven" + (o.bAborted ? " (stopped)" : "") + " (" + time + ")";
}

// ---- The gap of each method's result to a reference optimum -----------------------------------------

CGapReference FindGapReference(const CMainDoc& doc, std::optional<int> typed) {
    CGapReference ref;
    if (typed) {
        ref.bFound = true;
        ref.nCost = *typed;
        ref.strSource = "typed";
        return ref;
    }
    const std::string table = OptimaTableBeside(doc.m_layout);
    if (!table.empty()) {
        std::ifstream in(table, std::ios::binary);
        std::string text;
        ReadStreamText(in, text);
        const COptimaTable optima = ReadOptimaTable(text, table);
        const std::string file = std::filesystem::path(doc.m_layout.source).filename().string();
        if (!optima.error.empty()) {
            ref.strError = optima.error;
        } else if (const COptimaRow* row = optima.Find(file)) {
            if (row->dimension == doc.m_solver.m_nNodes) {
                ref.bFound = true;
                ref.nCost = row->optimum;
                ref.strSource = table;
                return ref;
            }
            ref.strError = table + ":" + std::to_string(row->line) + " gives " + std::to_string(row->dimension) +
                           " nodes; the network has " + std::to_string(doc.m_solver.m_nNodes);
        }
    }
    if (doc.m_results.Has(RESULT_OPTIMUM) && doc.m_optimum.bProven) {
        ref.bFound = true;
        ref.nCost = doc.m_optimum.nCost;
        ref.strSource = "proven optimum";
    }
    return ref;
}

std::vector<CMethodGap> MethodGaps(const CMainDoc& doc, int reference) {
    const bool maximum = doc.m_solver.m_bMaximum != 0;
    std::vector<CMethodGap> gaps;
    auto add = [&](const char* method, int cost) {
        gaps.push_back({method, cost, GapToReference(cost, reference, maximum)});
    };
    // A method's cost counts while its result is held, or while the optimum that replaced its cycle is.
    auto cost = [&](unsigned flag, int held, int replaced) {
        if (doc.m_results.Has(flag)) return held;
        return doc.m_results.Has(RESULT_OPTIMUM) ? replaced : NO_COST;
    };
    const int polyn = cost(RESULT_POLYN, doc.m_nPolynCost, doc.m_optimum.nReplacedPolynCost);
    const int exact = cost(RESULT_EXACT, doc.m_nExactCost, doc.m_optimum.nReplacedExactCost);
    if (polyn != NO_COST) add("Polyn. Method", polyn);
    if (exact != NO_COST) add("Exp. Method", exact);
    if (doc.m_results.Has(RESULT_OPTIMUM)) add("Proven optimum", doc.m_optimum.nCost);
    return gaps;
}

std::string MethodGapsText(const CMainDoc& doc, const CGapReference& reference) {
    std::string text = "Reference: " + std::to_string(reference.nCost) + " (" + reference.strSource + ")";
    const std::vector<CMethodGap> gaps = MethodGaps(doc, reference.nCost);
    if (gaps.empty()) text += "\nNo method has a result on this network yet.";
    char line[96];
    for (const CMethodGap& g : gaps) {
        std::snprintf(line, sizeof line, "\n%s: %d, gap %.3f%%", g.szMethod, g.nCost, g.dGap);
        text += line;
    }
    if (doc.m_results.Has(RESULT_OPTIMUM) && !doc.m_optimum.bProven)
        text += doc.m_optimum.bHasBound ? "\n(the optimum method was stopped: not proven; bound " +
                                              std::to_string(doc.m_optimum.nBound) + ")"
                                        : std::string("\n(the optimum method was stopped: not proven)");
    return text;
}

// ---- The matrix as the report writes it ------------------------------------------------------------

std::string MatrixHeaderLine(int nodes, int width) {
    std::string line = "Node";
    char cell[32];
    for (int j = 1; j <= nodes; ++j) {
        std::snprintf(cell, sizeof cell, " %*d", width, j);
        line += cell;
    }
    return line;
}

std::string MatrixRowLine(const CCycleSolver& s, int i, int width) {
    char cell[32];
    std::snprintf(cell, sizeof cell, "%2d: ", i);
    std::string line = cell;
    for (int j = 1; j <= s.m_nNodes; ++j) {
        std::snprintf(cell, sizeof cell, " %*d", width, s.m_ppWeight[i][j]);
        line += cell;
    }
    return line;
}

std::string MatrixText(const CMainDoc& doc, const char* lineEnd) {
    const int width = doc.m_nDocKind == KIND_GRAPH ? 3 : 4;
    std::string text = MatrixHeaderLine(doc.m_solver.m_nNodes, width) + lineEnd;
    for (int i = 1; i <= doc.m_solver.m_nNodes; ++i) text += MatrixRowLine(doc.m_solver, i, width) + lineEnd;
    return text;
}
