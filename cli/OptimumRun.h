// quira-cli's side of the exact methods at scale: the --threads option of the exact methods, the
// optimum method (--method optimum of solve and check) with its progress line, and
// `series --reference optimum`.
#pragma once

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "solver/OptimumMethod.h"

class CCycleSolver;

// Adds --threads N (the exact methods' workers; 0 or absent: one per hardware thread) to cmd.
void AddThreadsOption(CLI::App* cmd);
// Adds --lp glpk|clp (the optimum method's LP solver) to cmd.
void AddLpOption(CLI::App* cmd);
// Adds --progress to cmd unless the command has it already. Call after the command's own options.
void AddProgressOption(CLI::App* cmd);
// True when --progress was given to a command that AddProgressOption saw.
bool ProgressAsked();

struct COptimumRun {
    COptimumResult result;
    uint32_t ms = 0;
    int fixedEdges = 0;  // edges every cycle had to use
};

// Runs the optimum method on the solver's network; the progress line (elapsed, best, bound, gap)
// goes to standard error once a second when it is a terminal or progress is set.
// fixedEdges: edges every cycle must use (an instance's FIXED_EDGES_SECTION); a set no cycle can
// hold is refused with CInputError.
COptimumRun RunOptimum(CCycleSolver& solver, bool progress, const std::vector<std::pair<int, int>>& fixedEdges = {});
// The FIXED_EDGES_SECTION of an instance file (node numbers), read through pathkit.
std::vector<std::pair<int, int>> InstanceFixedEdges(const std::string& path);
// "cost", "cycle", "proven", "bound" (null without one), "ms", "way", "branches", "cuts" by kind,
// and "fixed_edges" when the instance had some.
nlohmann::json OptimumJson(const CCycleSolver& solver, const COptimumRun& run);
// "Optimum: ( 17) 1-3-2-4-1", the bound or the abort line, "Time: ...".
void PrintOptimum(const CCycleSolver& solver, const COptimumRun& run);

// `series --reference optimum`: the options it reads from the series command.
struct COptimumSeriesOptions {
    int nodes = 8;
    int amplitude = 100;
    int tests = 10;
    std::string level = "short";
    uint32_t seed = 1;
    bool json = false;
    std::string svg;  // the plot of gaps and times, when not empty
};
int RunOptimumSeries(const COptimumSeriesOptions& o);
