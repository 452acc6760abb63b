// One run of a method from the console.
#include "cli/MethodRuns.h"

#include <cmath>
#include <cstdio>
#include <iostream>

#include "cli/CliCommon.h"
#include "document/CycleText.h"
#include "document/Messages.h"
#include "document/Outcome.h"

void StartTiming(CCycleSolver& solver, CConsoleTimeField& timeField, ITextTarget& costField) {
    solver.m_pTimeCtrl = &timeField;
    solver.m_pCostCtrl = &costField;
    solver.m_dwRunStart = NowMs();
    solver.m_nLastSecond = 0;
}

std::string BestText(const CCycleSolver& solver) {
    const int cost = solver.m_bMaximum == 1 ? Negated(solver.m_nBestCost) : solver.m_nBestCost;
    return "best (" + std::to_string(cost) + ")";
}

std::string ExactShareText(uint64_t done, int nodes, double elapsedSeconds) {
    double total = 1;
    for (int k = 2; k < nodes; ++k) total *= k;
    return OrdersShareText(done, total, elapsedSeconds);
}

std::string OrdersShareText(uint64_t done, double total, double elapsedSeconds) {
    const double share = static_cast<double>(done) / total;
    char text[160];
    // The count in full while a double holds it exactly, else to six figures.
    std::snprintf(text, sizeof text, total < 1e15 ? "%.4g%% of %.0f orders" : "%.4g%% of %.6g orders",
                  100 * share, total);
    std::string line = text;
    if (done == 0 || !std::isfinite(total)) return line;
    const double left = elapsedSeconds * (total - static_cast<double>(done)) / static_cast<double>(done);
    if (!std::isfinite(left)) return line;
    std::string duration;
    FormatDuration(duration, left);
    return line + ", about " + duration + " left";
}

CMethodResult RunExact(CCycleSolver& solver, CConsoleTimeField& timeField, ITextTarget& costField) {
    CMethodResult r;
    StartTiming(solver, timeField, costField);
    const bool network = solver.m_nKind != KIND_GRAPH;
    timeField.SetProgressLine("Exp. Method", [&solver, network] {
        if (!network) return std::string();  // a graph's search has no best cost before its end
        const double elapsed = (NowMs() - solver.m_dwRunStart) / 1000.0;
        return BestText(solver) + "  " + ExactShareText(solver.m_nOrdersDone, solver.m_nNodes, elapsed);
    });
    const uint32_t start = solver.m_dwRunStart;
    int aborted = 0;
    if (solver.m_nKind == KIND_GRAPH) {
        r.found = solver.ExpMethodGraph(&aborted) == 0;
        r.cost = solver.CycleCostOf(solver.m_aCycle);
        r.found = r.found && !aborted && r.cost == 0;
    } else {
        r.cost = solver.ExpMethodNet(0, &aborted);
    }
    r.ms = NowMs() - start;
    r.aborted = aborted != 0;
    timeField.Erase();
    return r;
}

void RequireInsertTable(CCycleSolver& solver) {
    if (!solver.EnsureInsertTable())
        throw CInputError("the polynomial method needs more memory than may be taken: " + solver.m_strMemoryRefusal);
}

CMethodResult RunPolyn(CCycleSolver& solver, int mode, CConsoleTimeField& timeField, ITextTarget& costField) {
    RequireInsertTable(solver);
    CMethodResult r;
    StartTiming(solver, timeField, costField);
    timeField.SetProgressLine("Polyn. Method", [&solver] { return BestText(solver); });
    const uint32_t start = solver.m_dwRunStart;
    const int aborted =
        solver.m_nKind == KIND_GRAPH ? solver.PolynMethodGraph() : solver.PolynMethodNet(mode, 0);
    r.ms = NowMs() - start;
    r.aborted = aborted != 0;
    r.cost = solver.m_nBestCost;
    r.found = solver.m_nKind == KIND_GRAPH && r.cost == 0;
    timeField.Erase();
    return r;
}

nlohmann::json MethodJson(const CCycleSolver& solver, const CMethodResult& r) {
    return {
        {"cost", r.cost}, {"cycle", CycleJson(solver, solver.m_aBest)}, {"aborted", r.aborted}, {"ms", r.ms}};
}

nlohmann::json MethodJson(int cost, const std::vector<int>& cycle, bool aborted, uint32_t ms) {
    return {{"cost", cost}, {"cycle", cycle}, {"aborted", aborted}, {"ms", ms}};
}

void PrintMethod(const char* name, const CCycleSolver& solver, const CMethodResult& r, bool noCycle) {
    PrintMethodLines(name, noCycle ? kTextNoGraphCycle : FormatCycleText(solver, solver.m_aBest), r.aborted, r.ms);
}

void PrintMethodLines(const char* name, const std::string& text, bool aborted, uint32_t ms) {
    std::string time;
    FormatDuration(time, ms / 1000.0);
    std::cout << name << ": " << text << '\n';
    if (aborted) std::cout << kTextTestingAborted << '\n';
    std::cout << "Time: " << time << '\n';
}

void AddGap(nlohmann::json& method, int cost, std::optional<long long> optimum, bool maximum, bool text) {
    if (!optimum) return;
    const double gap = GapToReference(cost, static_cast<int>(*optimum), maximum);
    method["gap"] = std::isfinite(gap) ? nlohmann::json(gap) : nlohmann::json(nullptr);
    if (text) {
        char line[96];
        if (std::isfinite(gap))
            std::snprintf(line, sizeof line, "Gap to the optimum %lld: %.4f %%\n", *optimum, gap);
        else
            std::snprintf(line, sizeof line, "Gap to the optimum %lld: no percentage (a gap to 0 has none)\n",
                          *optimum);
        std::cout << line;
    }
}
