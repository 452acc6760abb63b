// One run of a method from the console, timed and shown as the windows show it: shared by the
// subcommands that run methods (solve, map).
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "cli/ConsolePlatform.h"
#include "solver/CycleSolver.h"

// One method's result as the windows would show it.
struct CMethodResult {
    int cost = 0;
    bool aborted = false;
    uint32_t ms = 0;
    bool found = false;  // graphs: a Hamiltonian cycle was found
};

// Points the solver's Time and result fields at the console's and starts the run's clock.
void StartTiming(CCycleSolver& solver, CConsoleTimeField& timeField, ITextTarget& costField);

// Runs the exact method of the solver's kind (graph or network). The time field's progress line
// shows the best cost so far and, for networks, the share of the (n-1)! orders done and the time
// left; it is erased before the function returns.
CMethodResult RunExact(CCycleSolver& solver, CConsoleTimeField& timeField, ITextTarget& costField);
// Runs the polynomial method of the solver's kind; mode is the network method's mode. The progress
// line shows the best cost so far.
CMethodResult RunPolyn(CCycleSolver& solver, int mode, CConsoleTimeField& timeField, ITextTarget& costField);
// The polynomial method's insertion table, allocated now, or CInputError naming the sizes and the
// limit (console problems get it only for a method that needs it). RunPolyn calls it.
void RequireInsertTable(CCycleSolver& solver);

// The exact network method's progress after elapsedSeconds: "12.5% of 362880 orders, about 41 sec
// left" (the share alone while nothing is done or the rest cannot be told).
std::string ExactShareText(uint64_t done, int nodes, double elapsedSeconds);
// The same for done orders of a given total.
std::string OrdersShareText(uint64_t done, double total, double elapsedSeconds);
// "best (-906)": the best cost so far, as the Cost field shows it.
std::string BestText(const CCycleSolver& solver);

// "cost", "cycle" (the best cycle), "aborted", "ms".
nlohmann::json MethodJson(const CCycleSolver& solver, const CMethodResult& r);
// The same of a cycle given as its nodes in order from node 1.
nlohmann::json MethodJson(int cost, const std::vector<int>& cycle, bool aborted, uint32_t ms);
// "<name>: ( 17) 1-3-2-4-1", an abort line when aborted, "Time: ...".
void PrintMethod(const char* name, const CCycleSolver& solver, const CMethodResult& r, bool noCycle);
// The same lines with the result's text given ("( 17) 1-3-2-4-1").
void PrintMethodLines(const char* name, const std::string& text, bool aborted, uint32_t ms);
// The gap of a method's cost to a given optimum, (found - optimum) / |optimum| in percent with the
// sign turned for a maximum: "gap" in the method's JSON object (null when it cannot be told), and
// with text also the line "Gap to the optimum 7542: 0.0000 %" on standard output.
void AddGap(nlohmann::json& method, int cost, std::optional<long long> optimum, bool maximum, bool text);
