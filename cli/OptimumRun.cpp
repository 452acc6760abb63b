// quira-cli: --threads, the optimum method and `series --reference optimum`.
#include "cli/OptimumRun.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <limits>
#include <vector>

#include "cli/CliCommon.h"
#include "cli/ConsolePlatform.h"
#include "cli/DocCommon.h"
#include "cli/MethodRuns.h"
#include "cli/SvgPictures.h"
#include "document/CycleText.h"
#include "document/MainDoc.h"
#include "pathkit/TSPData.h"
#include "solver/CycleSolver.h"
#include "solver/ExactMethod.h"

void AddThreadsOption(CLI::App* cmd) {
    cmd->add_option_function<int>(
           "--threads", [](int n) { g_nExactThreads = n; },
           "Worker threads of the exact methods (default: one per hardware thread; 1: the single loop)")
        ->check(CLI::Range(0, 256));
}

void AddLpOption(CLI::App* cmd) {
    cmd->add_option_function<std::string>(
           "--lp",
           [](const std::string& name) {
               if (!ParseLpKind(name, g_eOptimumLp)) throw CLI::ValidationError("--lp", name + ": expected glpk or clp");
           },
           "LP solver of the optimum method's branch and cut: clp (default) or glpk")
        ->check(CLI::IsMember({"glpk", "clp"}));
}

namespace {
std::vector<const CLI::App*> g_progressCommands;  // the commands whose --progress ProgressAsked reads
bool g_bProgressFlag = false;                     // storage of the flag where it is added here
}  // namespace

void AddProgressOption(CLI::App* cmd) {
    if (!cmd->get_option_no_throw("--progress"))
        cmd->add_flag("--progress", g_bProgressFlag,
                      "One progress line per second on standard error, even when it is not a terminal");
    g_progressCommands.push_back(cmd);
}

bool ProgressAsked() {
    for (const CLI::App* cmd : g_progressCommands) {
        const CLI::Option* option = cmd->get_option_no_throw("--progress");
        if (option && option->count() > 0) return true;
    }
    return false;
}

namespace {
std::string GapText(int64_t best, int64_t bound) {
    char text[32];
    const double gap = best == 0 ? 0.0
                                 : std::fabs(static_cast<double>(best - bound)) * 100.0 /
                                       std::fabs(static_cast<double>(best));
    std::snprintf(text, sizeof text, "%.2f%%", gap);
    return text;
}
}  // namespace

std::vector<std::pair<int, int>> InstanceFixedEdges(const std::string& path) {
    TSPData data;
    std::ostringstream messages;  // pathkit reports on std::cerr; its lines become the reason
    std::streambuf* old = std::cerr.rdbuf(messages.rdbuf());
    std::vector<std::pair<int, int>> edges;
    const bool ok = data.Load(path.c_str()) && data.ReadFixedEdges(path.c_str(), edges);
    std::cerr.rdbuf(old);
    if (!ok) {
        std::string reason = messages.str();
        while (!reason.empty() && reason.back() == '\n') reason.pop_back();
        throw CInputError(path + ": " + reason);
    }
    return edges;
}

COptimumRun RunOptimum(CCycleSolver& solver, bool progress, const std::vector<std::pair<int, int>>& fixedEdges) {
    COptimumRun run;
    // The progress line takes the place of the Time field's echo.
    CTextField timeField, costField;
    solver.m_pTimeCtrl = &timeField;
    solver.m_pCostCtrl = &costField;
    solver.m_dwRunStart = NowMs();
    solver.m_nLastSecond = 0;
    const uint32_t start = solver.m_dwRunStart;
    const bool show = progress || isatty(STDERR_FILENO) != 0;
    OptimumProgressFn line;
    if (show)
        line = [](uint32_t ms, int best, int64_t bound, bool hasBound) {
            std::string elapsed;
            FormatDuration(elapsed, ms / 1000.0);
            std::fprintf(stderr, "%s  best (%d)  bound %s  gap %s\n", elapsed.c_str(), best,
                         hasBound ? std::to_string(bound).c_str() : "-",
                         hasBound ? GapText(best, bound).c_str() : "-");
        };
    const int rc = OptimumMethodNet(solver, OPTIMUM_AUTO, run.result, line, fixedEdges);
    run.ms = NowMs() - start;
    run.fixedEdges = static_cast<int>(fixedEdges.size());
    if (rc == 3) {
        solver.m_pTimeCtrl = solver.m_pCostCtrl = nullptr;
        throw CInputError("fixed edges: no cycle can use all " + std::to_string(fixedEdges.size()) +
                          " of them (a node on three, or a closed ring of fewer than all nodes)");
    }
    solver.m_pTimeCtrl = solver.m_pCostCtrl = nullptr;
    return run;
}

nlohmann::json OptimumJson(const CCycleSolver& solver, const COptimumRun& run) {
    const COptimumResult& r = run.result;
    nlohmann::json out = {{"cost", r.cost},
            {"cycle", CycleJson(solver, solver.m_aBest)},
            {"proven", r.proven},
            {"bound", r.hasBound ? nlohmann::json(r.bound) : nlohmann::json(nullptr)},
            {"aborted", r.aborted},
            {"ms", run.ms},
            {"way", r.way == OPTIMUM_DYNAMIC ? "dynamic" : "bounds"},
            {"branches", r.branches},
            {"cuts", {{"subtour", r.cuts[0]}, {"blossom", r.cuts[1]}, {"comb", r.cuts[2]}}}};
    if (run.fixedEdges > 0) out["fixed_edges"] = run.fixedEdges;
    return out;
}

void PrintOptimum(const CCycleSolver& solver, const COptimumRun& run) {
    const COptimumResult& r = run.result;
    std::string time;
    FormatDuration(time, run.ms / 1000.0);
    std::cout << "Optimum: " << FormatCycleText(solver, solver.m_aBest) << '\n';
    if (run.fixedEdges > 0) std::cout << "Fixed edges: " << run.fixedEdges << " (every cycle uses them)\n";
    if (r.aborted) std::cout << "Testing aborted by user.\n";
    if (r.proven)
        std::cout << "Proven optimal.\n";
    else if (r.hasBound)
        std::cout << "Bound: " << r.bound << " (gap " << GapText(r.cost, r.bound) << ")\n";
    std::cout << "Time: " << time << '\n';
}

int RunOptimumSeries(const COptimumSeriesOptions& o) {
    const int level = ParseLevel(o.level);
    if (o.nodes < MIN_DOC_NODES || o.nodes > MaxNodesOfKind(KIND_NETWORK))
        throw CInputError("--nodes " + std::to_string(o.nodes) + ": expected " +
                          std::to_string(MIN_DOC_NODES) + " to " +
                          std::to_string(MaxNodesOfKind(KIND_NETWORK)));
    if (o.amplitude < 0 || o.amplitude > 32000)
        throw CInputError("--amplitude " + std::to_string(o.amplitude) + ": expected 0 to 32000");
    if (o.tests < 1) throw CInputError("--tests " + std::to_string(o.tests) + ": expected 1 or more");
    CConsoleSession session(o.seed);
    CSeedStream seeds(o.seed);
    auto doc = NewConsoleDocument();
    doc->m_solver.m_nKind = KIND_NETWORK;
    doc->InitKind(KIND_NETWORK, o.nodes);
    if (!doc->m_solver.m_bAllocated)
        throw CInputError("--nodes " + std::to_string(o.nodes) + ": not enough memory: " +
                          doc->m_solver.m_strMemoryRefusal);
    RequireInsertTable(doc->m_solver);
    doc->AttachView(nullptr);
    doc->m_strNodes = std::to_string(o.nodes);
    doc->m_strAmplitude = std::to_string(o.amplitude);
    doc->m_strRandStarts = "1";
    doc->m_strFullTests = level == 2 ? "1" : "0";
    CCycleSolver& s = doc->m_solver;
    s.m_nAmplitude = o.amplitude;

    CConsoleTimeField timeField(ProgressAsked());
    CTextField finalField;
    nlohmann::json runs = nlohmann::json::array();
    int tests = 0, different = 0;
    timeField.SetProgressLine("", [&tests, &o] {
        return std::to_string(tests) + " of " + std::to_string(o.tests) + " tests done";
    });
    double gapSum = 0, gapWorst = 0;
    int gaps = 0;
    uint64_t polynMs = 0, optimumMs = 0;
    bool interrupted = false;
    std::vector<CSeriesPoint> points;  // for --svg
    for (int t = 0; t < o.tests && !interrupted; ++t) {
        Platform().seedOverride = seeds.Next();
        doc->GenerateRandom();
        s.m_nTestLevel = level;
        s.m_nTargetCost = s.m_nRefCost = NO_COST;
        s.MakeInitialCycle(0, 0);
        doc->RunPolynomial(&timeField, &finalField, 0);
        if ((doc->m_nResults & 1) == 0) {
            interrupted = true;
            break;
        }
        polynMs += doc->m_dwPolynMs;
        const int polynCost = s.CycleCostOf(s.m_aBest);
        const nlohmann::json polyn = {
            {"cost", polynCost}, {"cycle", CycleJson(s, s.m_aBest)}, {"ms", doc->m_dwPolynMs}};
        const COptimumRun run = RunOptimum(s, ProgressAsked());
        if (run.result.aborted) {
            interrupted = true;
            break;
        }
        optimumMs += run.ms;
        ++tests;
        const double gap = GapPercent(polynCost, run.result.cost, s.m_bMaximum != 0);
        if (polynCost != run.result.cost) ++different;
        if (std::isfinite(gap)) {  // an optimum of 0 gives no percentage
            gapSum += gap;
            gapWorst = std::max(gapWorst, gap);
            ++gaps;
        }
        runs.push_back({{"polyn", polyn}, {"optimum", OptimumJson(s, run)}, {"gap", gap}});
        points.push_back({tests, std::isfinite(gap) ? gap : std::numeric_limits<double>::quiet_NaN(),
                          static_cast<double>(doc->m_dwPolynMs), static_cast<double>(run.ms)});
    }
    const double mean = gaps ? gapSum / gaps : 0.0;
    if (!o.svg.empty())
        WriteSvgFile(
            o.svg,
            SeriesPlotSvg(
                {"series - " + std::to_string(tests) + " random networks of " + std::to_string(o.nodes) +
                     " nodes, amplitude " + std::to_string(o.amplitude) + ", seed " + std::to_string(o.seed),
                 "polynomial method, " + o.level + " test", SeriesGapSummary(points, "optimum method")},
                points, "optimum method"));
    if (o.json) {
        nlohmann::json out = {{"tests", tests},
                              {"different_solutions", different},
                              {"optimum_found", tests - different},
                              {"mean_gap", mean},
                              {"worst_gap", gapWorst},
                              {"total_ms", polynMs},
                              {"optimum_ms", optimumMs},
                              {"runs", runs}};
        std::cout << JsonText(out) << '\n';
    } else {
        char text[256];
        std::snprintf(
            text, sizeof text,
            "Tests: %d\nOptimum found: %d\nDifferent solutions: %d\nMean gap: %.3f%%\nWorst gap: %.3f%%\n",
            tests, tests - different, different, mean, gapWorst);
        std::cout << text;
        std::string polynTime, optimumTime;
        FormatDuration(polynTime, polynMs / 1000.0);
        FormatDuration(optimumTime, optimumMs / 1000.0);
        std::cout << "Polyn. Method time: " << polynTime << "\nOptimum time: " << optimumTime << '\n';
        if (interrupted) std::cout << "Testing aborted by user.\n";
    }
    return interrupted ? EXIT_INTERRUPTED : EXIT_OK;
}
