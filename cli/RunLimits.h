// The console's limits on a run: --time-limit for the subcommands that run methods, and the refusal
// of an exact run whose estimate is a day or more (unless --force).
#pragma once

#include <CLI/CLI.hpp>
#include <string>

class CCycleSolver;

// Adds --time-limit SECONDS to cmd: when the time is up, the run stops as after Ctrl+C (the method
// stops at its next poll and keeps its best result), and the exit status is 124.
void AddTimeLimitOption(CLI::App* cmd);

// Throws CInputError naming the estimate when the exact method on the solver's network would run a
// day or more (the estimate's unit is days, months or years), unless force. A graph is never
// refused: its estimate is an upper bound, since its search ends at the first Hamiltonian cycle.
// option names the option the refusal is about ("--method both"); share is the part of the whole
// enumeration that is to run (a shard's blocks).
void RefuseHopelessExactRun(CCycleSolver& solver, bool force, const std::string& option, double share = 1.0);
