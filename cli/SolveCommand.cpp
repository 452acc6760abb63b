// quira-cli solve: runs one or both methods on one problem.
#include <iostream>
#include <memory>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/ConsolePlatform.h"
#include "document/CycleText.h"
#include "solver/CycleSolver.h"
#include "solver/ExactEstimate.h"

namespace {

struct CSolveOptions {
    std::string matrix;
    std::string kind = "network";
    std::string method = "both";
    int nodes = 0;
    bool maximum = false;
    bool json = false;
};

// One method's result as the windows would show it.
struct CMethodResult {
    int cost = 0;
    bool aborted = false;
    uint32_t ms = 0;
    bool found = false;  // graphs: a Hamiltonian cycle was found
};

CMethodResult RunExact(CCycleSolver& solver, ITextTarget& timeField, ITextTarget& costField) {
    CMethodResult r;
    solver.m_pTimeCtrl = &timeField;
    solver.m_pCostCtrl = &costField;
    const uint32_t start = NowMs();
    solver.m_dwRunStart = start;
    solver.m_nLastSecond = 0;
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

int RunSolve(const CSolveOptions& o) {
    if (o.matrix.empty()) throw CInputError("solve: an input is required; expected --matrix FILE");
    if (o.method != "exact" && o.method != "estimate" && o.method != "both")
        throw CInputError("--method " + o.method + ": expected exact or estimate");
    auto solver = std::make_unique<CCycleSolver>();
    solver->m_nKind = ParseKind(o.kind);
    solver->m_bGraphView = solver->m_nKind == KIND_GRAPH;
    LoadMatrixInto(*solver, o.matrix, o.nodes);
    solver->m_bMaximum = o.maximum ? 1 : 0;

    nlohmann::json out;
    out["nodes"] = solver->m_nNodes;
    out["kind"] = KindName(solver->m_nKind);
    out["maximum"] = o.maximum;
    out["initial"] = CycleJson(*solver, solver->m_aInitial);

    CConsoleTimeField timeField;
    CTextField costField;
    int status = EXIT_OK;
    if (o.method == "estimate") {
        const double seconds = EstimateExactRunSeconds(*solver);
        std::string text;
        FormatDuration(text, seconds);
        out["estimate"] = {{"seconds", seconds}, {"text", text}};
        if (!o.json) std::cout << "Estimate: " << text << '\n';
    } else {
        const CMethodResult r = RunExact(*solver, timeField, costField);
        nlohmann::json exact = {{"cost", r.cost},
                                {"cycle", CycleJson(*solver, solver->m_aBest)},
                                {"aborted", r.aborted},
                                {"ms", r.ms}};
        if (solver->m_nKind == KIND_GRAPH) exact["found"] = r.found;
        out["exact"] = exact;
        if (!o.json) {
            std::string time;
            FormatDuration(time, r.ms / 1000.0);
            if (solver->m_nKind == KIND_GRAPH && !r.found && !r.aborted)
                std::cout << "Exp. Method: Cycle in the graph does not exist.\n";
            else
                std::cout << "Exp. Method: " << FormatCycleText(*solver, solver->m_aBest) << '\n';
            if (r.aborted) std::cout << "Testing aborted by user.\n";
            std::cout << "Time: " << time << '\n';
        }
        if (r.aborted) status = EXIT_INTERRUPTED;
    }
    if (o.json) std::cout << out.dump() << '\n';
    return status;
}

}  // namespace

void AddSolveCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<CSolveOptions>();
    CLI::App* cmd = app.add_subcommand("solve", "Run one or both methods on one problem");
    cmd->add_option("--matrix", options->matrix, "Matrix text file ('-' for standard input)");
    cmd->add_option("--kind", options->kind, "network|graph|check|map");
    cmd->add_option("--method", options->method, "exact|estimate");
    cmd->add_option("--nodes", options->nodes, "Node count (default: the number of matrix rows)");
    cmd->add_flag("--maximum", options->maximum, "Seek the maximum cycle");
    cmd->add_flag("--json", options->json, "Print one JSON object");
    cmd->callback([options, &status] { status = RunSolve(*options); });
}
