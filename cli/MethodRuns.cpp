// One run of a method from the console.
#include "cli/MethodRuns.h"

#include <iostream>

#include "cli/CliCommon.h"
#include "document/CycleText.h"

namespace {
void StartTiming(CCycleSolver& solver, ITextTarget& timeField, ITextTarget& costField) {
    solver.m_pTimeCtrl = &timeField;
    solver.m_pCostCtrl = &costField;
    solver.m_dwRunStart = NowMs();
    solver.m_nLastSecond = 0;
}

}  // namespace

CMethodResult RunExact(CCycleSolver& solver, ITextTarget& timeField, ITextTarget& costField) {
    CMethodResult r;
    StartTiming(solver, timeField, costField);
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
    return r;
}

CMethodResult RunPolyn(CCycleSolver& solver, int mode, ITextTarget& timeField, ITextTarget& costField) {
    CMethodResult r;
    StartTiming(solver, timeField, costField);
    const uint32_t start = solver.m_dwRunStart;
    const int aborted =
        solver.m_nKind == KIND_GRAPH ? solver.PolynMethodGraph() : solver.PolynMethodNet(mode, 0);
    r.ms = NowMs() - start;
    r.aborted = aborted != 0;
    r.cost = solver.m_nBestCost;
    r.found = solver.m_nKind == KIND_GRAPH && r.cost == 0;
    return r;
}

nlohmann::json MethodJson(const CCycleSolver& solver, const CMethodResult& r) {
    return {
        {"cost", r.cost}, {"cycle", CycleJson(solver, solver.m_aBest)}, {"aborted", r.aborted}, {"ms", r.ms}};
}

void PrintMethod(const char* name, const CCycleSolver& solver, const CMethodResult& r, bool noCycle) {
    std::string time;
    FormatDuration(time, r.ms / 1000.0);
    if (noCycle)
        std::cout << name << ": Cycle in the graph does not exist.\n";
    else
        std::cout << name << ": " << FormatCycleText(solver, solver.m_aBest) << '\n';
    if (r.aborted) std::cout << "Testing aborted by user.\n";
    std::cout << "Time: " << time << '\n';
}
