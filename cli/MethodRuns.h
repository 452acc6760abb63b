// One run of a method from the console, timed and shown as the windows show it: shared by the
// subcommands that run methods (solve, map).
#pragma once

#include <nlohmann/json.hpp>

#include "solver/CycleSolver.h"

// One method's result as the windows would show it.
struct CMethodResult {
    int cost = 0;
    bool aborted = false;
    uint32_t ms = 0;
    bool found = false;  // graphs: a Hamiltonian cycle was found
};

// Runs the exact method of the solver's kind (graph or network), with the time on the terminal.
CMethodResult RunExact(CCycleSolver& solver, ITextTarget& timeField, ITextTarget& costField);
// Runs the polynomial method of the solver's kind; mode is the network method's mode.
CMethodResult RunPolyn(CCycleSolver& solver, int mode, ITextTarget& timeField, ITextTarget& costField);

// "cost", "cycle" (the best cycle), "aborted", "ms".
nlohmann::json MethodJson(const CCycleSolver& solver, const CMethodResult& r);
// "<name>: ( 17) 1-3-2-4-1", an abort line when aborted, "Time: ...".
void PrintMethod(const char* name, const CCycleSolver& solver, const CMethodResult& r, bool noCycle);
