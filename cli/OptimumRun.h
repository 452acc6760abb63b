// quira-cli's side of the exact methods at scale: the --threads option of the exact methods, and
// the optimum method (--method optimum of solve and check, series --reference optimum) with its
// progress line and its JSON.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "document/Outcome.h"
#include "solver/OptimumMethod.h"

class CCycleSolver;
class CMainDoc;

// Adds --threads N (the exact methods' workers; 0 or absent: one per hardware thread) to cmd.
void AddThreadsOption(CLI::App* cmd);
// Adds --lp glpk|clp (the optimum method's LP solver) to cmd.
void AddLpOption(CLI::App* cmd);
// Adds --progress to cmd unless the command has it already. Call after the command's own options.
void AddProgressOption(CLI::App* cmd);
// True when --progress was given to a command that AddProgressOption saw.
bool ProgressAsked();

// Runs the optimum method on the document's network (CTestSeries::OptimumMethod); the progress
// line (elapsed, best, bound, gap) goes to standard error once a second when it is a terminal or
// progress is set. The outcome is also left in doc.m_optimum, the cycle in m_aBest.
// fixedEdges: edges every cycle must use (an instance's FIXED_EDGES_SECTION); a set no cycle can
// hold is refused with CInputError.
COptimumOutcome RunOptimum(CMainDoc& doc, bool progress, const std::vector<std::pair<int, int>>& fixedEdges = {});
// The FIXED_EDGES_SECTION of an instance file (node numbers), read through pathkit.
std::vector<std::pair<int, int>> InstanceFixedEdges(const std::string& path);
// The progress line of the optimum method, for a series that runs it.
OptimumProgressFn OptimumProgressLine(bool progress);
// "cost", "cycle", "proven", "bound" (null without one), "aborted", "ms", "way", "branches", "cuts"
// by kind, and "fixed_edges" when the cycle had to use some.
nlohmann::json OptimumJson(const CCycleSolver& solver, const COptimumOutcome& outcome, const int* cycle,
                           int fixedEdges = 0);
// "Optimum: ( 17) 1-3-2-4-1", the bound or the abort line, "Time: ...".
void PrintOptimum(const CCycleSolver& solver, const COptimumOutcome& outcome, int fixedEdges = 0);
