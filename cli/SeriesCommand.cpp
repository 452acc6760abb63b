// quira-cli series: the windows' continuous test, bounded to a number of problems: random networks
// (or graphs made by Gener2), each solved by the polynomial method with its random starts and,
// when asked, by the exact method too; then the statistics text of the windows.
#include <cmath>
#include <iostream>
#include <limits>
#include <vector>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/ConsolePlatform.h"
#include "cli/DocCommon.h"
#include "cli/OptimumRun.h"
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

nlohmann::json MethodJson(const CCycleSolver& s, const int* cycle) {
    return {{"cost", s.CycleCostOf(cycle)}, {"cycle", CycleJson(s, cycle)}};
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
    CConsoleSession session(o.seed);
    CSeedStream seeds(o.seed);
    const int kind = o.graph ? KIND_GRAPH : KIND_NETWORK;
    auto doc = NewConsoleDocument();
    doc->m_solver.m_nKind = kind;
    doc->InitKind(kind, o.nodes);
    if (!doc->m_solver.m_bAllocated)
        throw CInputError("--nodes " + std::to_string(o.nodes) + ": not enough memory");
    doc->AttachView(nullptr);
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
    // A problem's time runs from its first random draw (the problem) to its end, so the exact
    // method's time is the rest beside the polynomial method's.
    uint32_t problemStart = 0;
    bool problemOpen = false;
    series.m_fnBeforeRandom = [&] {
        if (!problemOpen) problemStart = NowMs();
        problemOpen = true;
        Platform().seedOverride = seeds.Next();
    };
    const bool compared = o.graph ? o.starts == 1 : o.starts == 1 && FullTests(o) != 0;
    nlohmann::json runs = nlohmann::json::array();
    std::vector<CSeriesPoint> points;  // for --svg
    int polynCycles = 0;               // graphs: Hamiltonian cycles the polynomial method found, for --svg
    series.m_fnProblemDone = [&] {
        if (!o.svg.empty()) {
            const CCycleSolver& s = doc->m_solver;
            const double none = std::numeric_limits<double>::quiet_NaN();
            const double polynMs = doc->m_dwPolynMs;
            const double gap = compared && !o.graph ? GapPercent(s.CycleCostOf(s.m_aBest),
                                                                 s.CycleCostOf(s.m_aSaved), s.m_bMaximum != 0)
                                                    : none;
            polynCycles += s.CycleCostOf(s.m_aBest) == 0;
            points.push_back({static_cast<int>(points.size()) + 1, std::isfinite(gap) ? gap : none, polynMs,
                              compared ? std::max(0.0, (NowMs() - problemStart) - polynMs) : none});
        }
        problemOpen = false;
        if (!o.json) return;  // the runs are output only in JSON; a long text series keeps its memory flat
        const CCycleSolver& s = doc->m_solver;
        nlohmann::json run = {{"polyn", MethodJson(s, s.m_aBest)}};
        if (compared) run["exact"] = MethodJson(s, s.m_aSaved);
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
        std::cout << out.dump() << '\n';
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
    cmd->add_option("--svg", o->svg, "Plot each problem's gap and times as an SVG picture");
    cmd->add_option("--reference", o->reference,
                    "optimum: compare each polynomial result with the proven optimum (networks, --starts 1)");
    AddThreadsOption(cmd);
    AddProgressOption(cmd);
    cmd->callback([o, &status] { status = RunSeries(*o); });
}
