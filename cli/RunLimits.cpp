// The console's limits on a run.
#include "cli/RunLimits.h"

#include <cmath>
#include <string>

#include "cli/CliCommon.h"
#include "cli/ConsolePlatform.h"
#include "solver/CycleSolver.h"
#include "solver/ExactEstimate.h"

namespace {
constexpr int kDaysUnit = 4;  // FormatDuration's unit class of days
}  // namespace

void AddTimeLimitOption(CLI::App* cmd) {
    cmd->add_option_function<double>(
        "--time-limit",
        [](double seconds) {
            if (!(seconds > 0) || !std::isfinite(seconds))
                throw CLI::ValidationError("--time-limit", "expected a positive number of seconds");
            CConsoleEvents::SetTimeLimit(seconds);
        },
        "Stop as Ctrl+C does after SECONDS (the best result so far is printed; exit status 124)");
}

void RefuseHopelessExactRun(CCycleSolver& solver, bool force, const std::string& option, double share) {
    if (force || solver.m_nKind == KIND_GRAPH) return;
    std::string text;
    if (FormatDuration(text, EstimateExactRunSeconds(solver, share)) < kDaysUnit) return;
    const std::string what = share < 1.0 ? "its share of the exact method's estimate" : "the exact method's estimate";
    throw CInputError(option + ": " + what + " for " + std::to_string(solver.m_nNodes) + " nodes is " + text +
                      ", more than a day; expected --force to run it anyway" +
                      (share < 1.0 ? ", or more shards" : ", or --method optimum for a proven optimum"));
}
