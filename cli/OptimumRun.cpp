// quira-cli: --threads and the optimum method.
#include "cli/OptimumRun.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <sstream>

#include "cli/CliCommon.h"
#include "cli/ConsolePlatform.h"
#include "document/CycleText.h"
#include "document/InstanceLoad.h"
#include "document/MainDoc.h"
#include "document/ResearchText.h"
#include "document/Messages.h"
#include "document/Series.h"
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

OptimumProgressFn OptimumProgressLine(bool progress) {
    if (!progress && isatty(STDERR_FILENO) == 0) return {};
    return [](uint32_t ms, int best, int64_t bound, bool hasBound) {
        std::fprintf(stderr, "%s\n", OptimumProgressText(ms, best, bound, hasBound).c_str());
    };
}

std::vector<std::pair<int, int>> InstanceFixedEdges(const std::string& path) {
    std::vector<std::pair<int, int>> edges;
    std::string reason;
    if (!ReadInstanceFixedEdges(path, edges, reason)) throw CInputError(path + ": " + reason);
    return edges;
}

COptimumOutcome RunOptimum(CMainDoc& doc, bool progress, const std::vector<std::pair<int, int>>& fixedEdges) {
    // The progress line takes the place of the Time field's echo.
    CTextField timeField, costField;
    CTestSeries series(doc, timeField, costField);
    series.m_fnOptimumProgress = OptimumProgressLine(progress);
    series.m_aFixedEdges = fixedEdges;
    series.OptimumMethod();
    if (doc.m_optimum.bNoCycle)
        throw CInputError("fixed edges: no cycle can use all " + std::to_string(fixedEdges.size()) +
                          " of them (a node on three, or a closed ring of fewer than all nodes)");
    return doc.m_optimum;
}

nlohmann::json OptimumJson(const CCycleSolver& solver, const COptimumOutcome& o, const int* cycle, int fixedEdges) {
    nlohmann::json out = {{"cost", o.nCost},
                          {"cycle", CycleJson(solver, cycle)},
                          {"proven", o.bProven},
                          {"bound", o.bHasBound ? nlohmann::json(o.nBound) : nlohmann::json(nullptr)},
                          {"aborted", o.bAborted},
                          {"ms", o.dwMs},
                          {"way", o.nWay == OPTIMUM_DYNAMIC ? "dynamic" : "bounds"},
                          {"branches", o.nBranches},
                          {"cuts", {{"subtour", o.aCuts[0]}, {"blossom", o.aCuts[1]}, {"comb", o.aCuts[2]}}}};
    if (fixedEdges > 0) out["fixed_edges"] = fixedEdges;
    return out;
}

void PrintOptimum(const CCycleSolver& solver, const COptimumOutcome& o, int fixedEdges) {
    std::string time;
    FormatDuration(time, o.dwMs / 1000.0);
    std::cout << "Optimum: " << FormatCycleText(solver, solver.m_aBest) << '\n';
    if (fixedEdges > 0) std::cout << "Fixed edges: " << fixedEdges << " (every cycle uses them)\n";
    if (o.bAborted) std::cout << kTextTestingAborted << '\n';
    if (o.bProven)
        std::cout << "Proven optimal.\n";
    else if (o.bHasBound)
        std::cout << "Bound: " << o.nBound << " (gap " << BoundGapText(o.nCost, o.nBound) << ")\n";
    std::cout << "Time: " << time << '\n';
}
