// quira-cli series: the windows' continuous test, bounded to a number of problems: random networks
// (or graphs made by Gener2), each solved by the polynomial method with its random starts and,
// when asked, by the exact method too; then the statistics text of the windows.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <limits>
#include <vector>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/ConsolePlatform.h"
#include "cli/DocCommon.h"
#include "cli/OptimumRun.h"
#include "cli/RunLimits.h"
#include "cli/SvgPictures.h"
#include "document/MainDoc.h"
#include "document/Series.h"
#include "solver/OptimumMethod.h"
#include "solver/Platform.h"

namespace {

struct CSeriesOptions {
    int nodes = 8;
    int amplitude = 100;
    bool graph = false;
    int degree = 3;
    int tests = 10;
    int starts = 1;
    int full = -1;  // -1: from --level and --compare
    bool compare = false;
    std::string level = "short";
    uint32_t seed = 1;
    bool json = false;
    bool csv = false;
    std::string reference;  // "optimum": compare with the proven optimum instead
    std::string svg;
};

void Check(const CSeriesOptions& o) {
    const int kind = o.graph ? KIND_GRAPH : KIND_NETWORK;
    auto range = [](const std::string& option, int value, int lo, int hi) {
        if (value < lo || value > hi)
            throw CInputError(option + " " + std::to_string(value) + ": expected " + std::to_string(lo) +
                              " to " + std::to_string(hi));
    };
    range("--nodes", o.nodes, MIN_DOC_NODES, MaxNodesOfKind(kind));
    if (o.graph)
        range("--degree", o.degree, 1, o.nodes - 1);
    else
        range("--amplitude", o.amplitude, 0, 32000);
    range("--tests", o.tests, 1, 2147483647);
    range("--starts", o.starts, 1, 32767);
    if (o.full != -1) range("--full", o.full, 0, o.starts);
    ParseLevel(o.level);
    if (o.compare && o.starts != 1)
        throw CInputError("--compare: expected with --starts 1 (as the windows compare)");
    if (o.compare && !o.graph && o.full == 0)
        throw CInputError("--full 0: the exact comparison runs with full tests; expected --full 1");
}

// Full Tests as the windows keep it: 0 means short tests only; a network is compared with the
// exact method when Rand.Starts is 1 and Full Tests is not 0.
int FullTests(const CSeriesOptions& o) {
    if (o.full != -1) return o.full;
    if (o.compare || o.level == "full") return o.starts;
    return 0;
}

nlohmann::json MethodJson(const CCycleSolver& s, const int* cycle, uint32_t ms) {
    return {{"cost", s.CycleCostOf(cycle)}, {"cycle", CycleJson(s, cycle)}, {"ms", ms}};
}

// One problem of a series as a researcher reads it: its seed, both methods' costs and times,
// whether they agree and the polynomial result's gap to the exact one.
struct CProblemRow {
    int problem = 0;
    uint32_t seed = 0;
    int polynCost = 0;
    uint32_t polynMs = 0;
    bool compared = false;
    int exactCost = 0;
    uint32_t exactMs = 0;
    bool agree = false;
    double gap = std::nan("");  // percent; none for graphs, whose exact cost is 0 or not
};

// The totals over the rows of a compared series.
struct CSeriesTotals {
    int agreements = 0, disagreements = 0, gaps = 0;
    double gapSum = 0, worstGap = std::nan("");
    uint64_t exactMs = 0;

    void Add(const CProblemRow& r) {
        if (!r.compared) return;
        ++(r.agree ? agreements : disagreements);
        exactMs += r.exactMs;
        if (std::isnan(r.gap)) return;
        ++gaps;
        gapSum += r.gap;
        worstGap = std::isnan(worstGap) ? r.gap : std::max(worstGap, r.gap);
    }
    double MeanGap() const { return gaps ? gapSum / gaps : std::nan(""); }
};

std::string CsvNumber(double x) {
    if (std::isnan(x)) return "";
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", x);
    return text;
}

nlohmann::json JsonNumber(double x) {
    return std::isfinite(x) ? nlohmann::json(x) : nlohmann::json(nullptr);
}

void PrintCsvRow(const CProblemRow& r) {
    std::cout << r.problem << ',' << r.seed << ',' << r.polynCost << ',' << r.polynMs << ',';
    if (r.compared)
        std::cout << r.exactCost << ',' << r.exactMs << ',' << (r.agree ? "yes" : "no") << ',' << CsvNumber(r.gap);
    else
        std::cout << ",,,";
    std::cout << '\n';
}

int RunSeries(const CSeriesOptions& o) {
    if (!o.reference.empty()) {
        if (o.reference != "optimum") throw CInputError("--reference " + o.reference + ": expected optimum");
        if (o.graph || o.compare || o.starts != 1)
            throw CInputError(
                "--reference optimum: expected a network series with --starts 1 and without --compare");
        return RunOptimumSeries({o.nodes, o.amplitude, o.tests, o.level, o.seed, o.json, o.svg});
    }
    Check(o);
    if (o.json && o.csv) throw CInputError("--csv: expected either --json or --csv, not both");
    CConsoleSession session(o.seed);
    CSeedStream seeds(o.seed);
    const int kind = o.graph ? KIND_GRAPH : KIND_NETWORK;
    auto doc = NewConsoleDocument();
    doc->m_solver.m_nKind = kind;
    doc->InitKind(kind, o.nodes);
    if (!doc->m_solver.m_bAllocated)
        throw CInputError("--nodes " + std::to_string(o.nodes) + ": not enough memory");
    doc->AttachView(nullptr);
    // The identity cycle is the initial one, as a new window's document has it (a graph series
    // starts its polynomial method from it; no random start replaces it there).
    doc->m_solver.MakeInitialCycle(1, 0);
    doc->m_strNodes = std::to_string(o.nodes);
    doc->m_strAmplitude = std::to_string(o.graph ? o.degree : o.amplitude);
    doc->m_solver.m_nAmplitude = o.graph ? o.degree : o.amplitude;
    doc->m_strRandStarts = std::to_string(o.starts);
    doc->m_strFullTests = std::to_string(FullTests(o));

    CConsoleTimeField timeField(ProgressAsked());
    timeField.SetProgressLine("", [&doc, &o] {
        return std::to_string(doc->m_nTests) + " of " + std::to_string(o.tests) + " tests done";
    });
    CTextField finalField;
    CTestSeries series(*doc, timeField, finalField);
    const bool compared = o.graph ? o.starts == 1 : o.starts == 1 && FullTests(o) != 0;
    // The seed of a problem is the first one drawn after the previous problem: the one its random
    // network or graph was made from (the random starts draw the next ones).
    uint32_t problemSeed = 0;
    bool awaitingProblem = true;
    series.m_fnBeforeRandom = [&] {
        const uint32_t seed = seeds.Next();
        Platform().seedOverride = seed;
        if (awaitingProblem) problemSeed = seed, awaitingProblem = false;
    };
    nlohmann::json runs = nlohmann::json::array();
    CSeriesTotals totals;
    std::vector<CSeriesPoint> points;  // for --svg
    int polynCycles = 0;               // graphs: Hamiltonian cycles the polynomial method found, for --svg
    if (o.csv) std::cout << "problem,seed,polyn_cost,polyn_ms,exact_cost,exact_ms,agree,gap\n";
    series.m_fnProblemDone = [&] {
        const CCycleSolver& s = doc->m_solver;
        CProblemRow row;
        row.problem = series.m_nProblems;
        row.seed = problemSeed;
        awaitingProblem = true;
        row.polynCost = s.CycleCostOf(s.m_aBest);
        row.polynMs = doc->m_dwPolynMs;
        // A problem whose methods did not both end (Ctrl+C) has no comparison.
        row.compared = compared && doc->m_nResults == 3;
        if (row.compared) {
            row.exactCost = s.CycleCostOf(s.m_aSaved);
            row.exactMs = series.m_dwLastExactMs;
            row.agree = o.graph ? (row.polynCost == 0) == (row.exactCost == 0) : row.polynCost == row.exactCost;
            if (!o.graph) row.gap = GapPercent(row.polynCost, row.exactCost, false);
            if (!std::isfinite(row.gap)) row.gap = std::nan("");
        }
        totals.Add(row);
        if (!o.svg.empty()) {
            const double none = std::numeric_limits<double>::quiet_NaN();
            polynCycles += row.polynCost == 0;
            points.push_back({row.problem, row.gap, static_cast<double>(row.polynMs),
                              row.compared ? static_cast<double>(row.exactMs) : none});
        }
        if (o.csv) PrintCsvRow(row);  // streamed: a long series keeps its memory flat
        if (!o.json) return;          // the runs are kept only for JSON
        nlohmann::json run = {{"problem", row.problem}, {"seed", row.seed},
                              {"polyn", MethodJson(s, s.m_aBest, row.polynMs)}};
        if (row.compared) {
            run["exact"] = MethodJson(s, s.m_aSaved, row.exactMs);
            run["agree"] = row.agree;
            run["gap"] = JsonNumber(row.gap);
        }
        runs.push_back(run);
    };
    if (o.graph)
        series.GraphContinuousTest(o.tests);
    else
        series.ContinuousTest(o.tests);

    const std::string statistics = ConsoleText(doc->BuildStatistics(0));
    if (!o.svg.empty()) {
        const std::string what =
            o.graph ? "graphs of " + std::to_string(o.nodes) + " nodes, degree " + std::to_string(o.degree)
                    : "networks of " + std::to_string(o.nodes) + " nodes, amplitude " +
                          std::to_string(o.amplitude);
        const std::string tests = FullTests(o) != 0 ? "full tests" : "short tests";
        WriteSvgFile(o.svg, SeriesPlotSvg({"series - " + std::to_string(points.size()) + " random " + what +
                                               ", seed " + std::to_string(o.seed),
                                           "polynomial method, " + std::to_string(o.starts) +
                                               (o.starts == 1 ? " start, " : " starts, ") + tests,
                                           compared && !o.graph ? SeriesGapSummary(points, "exact method")
                                           : o.graph ? "Hamiltonian cycles found by the polynomial method: " +
                                                           std::to_string(polynCycles) + " of " +
                                                           std::to_string(points.size()) + " graphs"
                                                     : "no exact method: times only"},
                                          points, "exact method"));
    }
    if (o.json) {
        nlohmann::json out = {{"tests", doc->m_nTests},
                              {"different_solutions", doc->m_nDiffSolutions},
                              {"cycles_found", doc->m_nCyclesFound},
                              {"total_ms", doc->m_dwPolynMs},
                              {"statistics", statistics},
                              {"aborted", CConsoleEvents::Interrupted()},
                              {"runs", runs}};
        if (compared)
            out.update({{"agreements", totals.agreements},
                        {"disagreements", totals.disagreements},
                        {"mean_gap", JsonNumber(totals.MeanGap())},
                        {"worst_gap", JsonNumber(totals.worstGap)},
                        {"exact_ms", totals.exactMs}});
        std::cout << out.dump() << '\n';
    } else if (o.csv) {
        // The totals are one comment line after the rows, as in the survey's table.
        std::cout << "# summary: tests=" << doc->m_nTests << " polyn_ms=" << doc->m_dwPolynMs;
        if (compared)
            std::cout << " agreements=" << totals.agreements << " disagreements=" << totals.disagreements
                      << " mean_gap=" << CsvNumber(totals.MeanGap()) << " worst_gap=" << CsvNumber(totals.worstGap)
                      << " exact_ms=" << totals.exactMs;
        if (CConsoleEvents::Interrupted()) std::cout << " interrupted=yes";
        std::cout << '\n';
        for (const std::string& message : session.dialogs.messages)
            if (message != statistics) std::cerr << message << '\n';
    } else {
        // The boxes the windows would show, except the statistics box: its text closes the output.
        for (const std::string& message : session.dialogs.messages)
            if (message != statistics) std::cout << message << '\n';
        std::cout << statistics << '\n';
    }
    return CConsoleEvents::Interrupted() ? EXIT_INTERRUPTED : EXIT_OK;
}

}  // namespace

void AddSeriesCommand(CLI::App& app, int& status) {
    auto o = std::make_shared<CSeriesOptions>();
    CLI::App* cmd =
        app.add_subcommand("series", "A bounded continuous test of random problems, with its statistics");
    cmd->add_option("--nodes", o->nodes, "Node count (default 8)");
    cmd->add_option("--amplitude", o->amplitude, "Weights in -A..A (network, default 100)");
    cmd->add_flag("--graph", o->graph, "Random graphs (Gener2) instead of networks");
    cmd->add_option("--degree", o->degree, "Maximum degree of the graphs (default 3)");
    cmd->add_option("--tests", o->tests, "Number of problems (default 10)");
    cmd->add_option("--starts", o->starts, "Random starts per problem (default 1)");
    cmd->add_option("--full", o->full, "How many of the starts are full tests (0..starts)");
    cmd->add_flag("--compare", o->compare,
                  "Run the exact method on each problem too (needs --starts 1 and makes the tests full; "
                  "graphs with one start always compare)");
    cmd->add_option("--level", o->level,
                    "short|full: the test level of the polynomial method (default short)");
    cmd->add_option("--seed", o->seed, "Seed of the random generator (default 1)");
    cmd->add_flag("--json", o->json, "Print one JSON object");
    cmd->add_flag("--csv", o->csv,
                  "One CSV row per problem (seed, costs, times, agreement, gap), then a summary comment line");
    cmd->add_option("--svg", o->svg, "Plot each problem's gap and times as an SVG picture");
    cmd->add_option("--reference", o->reference,
                    "optimum: compare each polynomial result with the proven optimum (networks, --starts 1)");
    AddThreadsOption(cmd);
    AddProgressOption(cmd);
    AddTimeLimitOption(cmd);
    cmd->callback([o, &status] { status = RunSeries(*o); });
}
