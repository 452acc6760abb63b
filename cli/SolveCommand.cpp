// quira-cli solve: runs one or both methods on one problem.
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <vector>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/ConsolePlatform.h"
#include "document/CycleText.h"
#include "document/Params.h"
#include "solver/CycleSolver.h"
#include "solver/ExactEstimate.h"
#include "solver/MethodParams.h"

namespace {

struct CSolveOptions {
    std::string matrix;
    std::string kind = "network";
    std::string method = "both";
    std::string level = "short";
    std::string initial;
    std::string params;
    int nodes = 0;
    int amplitude = 100;
    std::optional<int> mode;
    std::optional<int> target;
    std::optional<int> firstLoop, secondLoop;
    std::optional<double> param1, param2;
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

void StartTiming(CCycleSolver& solver, ITextTarget& timeField, ITextTarget& costField) {
    solver.m_pTimeCtrl = &timeField;
    solver.m_pCostCtrl = &costField;
    solver.m_dwRunStart = NowMs();
    solver.m_nLastSecond = 0;
}

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

// A typed cycle such as "1-3-2-4-1" (the closing node may be left out; a leading "( cost)" as in
// the windows' cycle texts is skipped). It must name every node 1..n exactly once.
std::vector<int> ParseTypedCycle(const std::string& text, int n) {
    std::string body = text;
    if (!body.empty() && body.front() == '(') {
        const auto close = body.find(')');
        body = close == std::string::npos ? std::string() : body.substr(close + 1);
    }
    const std::string expected = "; expected a permutation of the nodes 1.." + std::to_string(n) +
                                 " joined by '-', for example 1-3-2-4-1";
    std::vector<int> nodes;
    std::istringstream in(body);
    std::string token;
    while (std::getline(in, token, '-')) {
        const auto first = token.find_first_not_of(" \t");
        const auto last = token.find_last_not_of(" \t");
        if (first == std::string::npos) throw CInputError("--initial '" + text + "': empty node" + expected);
        token = token.substr(first, last - first + 1);
        if (token.size() > 5 || token.find_first_not_of("0123456789") != std::string::npos)
            throw CInputError("--initial '" + text + "': '" + token + "' is not a node number" + expected);
        nodes.push_back(std::stoi(token));
    }
    if (static_cast<int>(nodes.size()) == n + 1 && nodes.front() == nodes.back()) nodes.pop_back();
    std::vector<bool> seen(static_cast<std::size_t>(n) + 1, false);
    bool ok = static_cast<int>(nodes.size()) == n;
    for (int node : nodes) {
        if (!ok) break;
        if (node < 1 || node > n || seen[static_cast<std::size_t>(node)])
            ok = false;
        else
            seen[static_cast<std::size_t>(node)] = true;
    }
    if (!ok) throw CInputError("--initial '" + text + "': not a cycle through all nodes" + expected);
    return nodes;
}

void ApplyParameters(const CSolveOptions& o, int kind) {
    if (!o.params.empty() && ReadParams(o.params) < 0)
        throw CInputError("--params " + o.params + ": cannot open the parameter file");
    const bool map = kind == KIND_MAP;
    if (o.firstLoop) (map ? g_nMapFirstLoop : g_nFirstLoop) = *o.firstLoop;
    if (o.secondLoop) (map ? g_nMapSecondLoop : g_nSecondLoop) = *o.secondLoop;
    if (o.param1) (map ? g_dMapParam1 : g_dParam1) = *o.param1;
    if (o.param2) (map ? g_dMapParam2 : g_dParam2) = *o.param2;
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

int RunSolve(const CSolveOptions& o) {
    if (o.matrix.empty()) throw CInputError("solve: an input is required; expected --matrix FILE");
    const bool exact = o.method == "exact" || o.method == "both";
    const bool polyn = o.method == "polyn" || o.method == "both" || o.method == "edges";
    if (!exact && !polyn && o.method != "estimate")
        throw CInputError("--method " + o.method + ": expected exact, polyn, both, edges or estimate");
    if (o.level != "short" && o.level != "full")
        throw CInputError("--level " + o.level + ": expected short or full");
    if (o.mode && (*o.mode < -2 || *o.mode > 1)) throw CInputError("--mode: expected 1, 0, -1 or -2");

    auto solver = std::make_unique<CCycleSolver>();
    solver->m_nKind = ParseKind(o.kind);
    solver->m_bGraphView = solver->m_nKind == KIND_GRAPH;
    if (o.method == "edges" && solver->m_nKind == KIND_GRAPH)
        throw CInputError(
            "--method edges: the edges list is for networks; expected --kind network, check or map");
    LoadMatrixInto(*solver, o.matrix, o.nodes);
    solver->m_bMaximum = o.maximum ? 1 : 0;
    solver->m_nAmplitude = o.amplitude;
    solver->m_nTestLevel = o.level == "full" ? 2 : 1;
    if (o.target) solver->m_nTargetCost = *o.target;
    ApplyParameters(o, solver->m_nKind);
    if (!o.initial.empty()) {
        const std::vector<int> cycle = ParseTypedCycle(o.initial, solver->m_nNodes);
        std::copy(cycle.begin(), cycle.end(), solver->m_aCycle + 1);
        solver->NormalizeCycle();
        std::copy(solver->m_aCycle, solver->m_aCycle + solver->m_nNodes + 2, solver->m_aInitial);
    }
    const int mode = o.mode                          ? *o.mode
                     : solver->m_nKind == KIND_MAP   ? 0
                     : solver->m_nKind == KIND_CHECK ? -1
                                                     : 1;

    nlohmann::json out;
    out["nodes"] = solver->m_nNodes;
    out["kind"] = KindName(solver->m_nKind);
    out["maximum"] = o.maximum;
    out["level"] = o.level;
    out["initial"] = CycleJson(*solver, solver->m_aInitial);

    CConsoleTimeField timeField;
    CTextField costField;
    int status = EXIT_OK;
    const bool graph = solver->m_nKind == KIND_GRAPH;
    if (o.method == "estimate") {
        const double seconds = EstimateExactRunSeconds(*solver);
        std::string text;
        FormatDuration(text, seconds);
        out["estimate"] = {{"seconds", seconds}, {"text", text}};
        if (!o.json) std::cout << "Estimate: " << text << '\n';
    }
    CMethodResult exactResult;
    if (exact) {
        exactResult = RunExact(*solver, timeField, costField);
        nlohmann::json e = MethodJson(*solver, exactResult);
        if (graph) e["found"] = exactResult.found;
        out["exact"] = e;
        if (!o.json)
            PrintMethod("Exp. Method", *solver, exactResult,
                        graph && !exactResult.found && !exactResult.aborted);
        if (exactResult.aborted) status = EXIT_INTERRUPTED;
        solver->SaveOrCompareBest(0);
        solver->MakeInitialCycle(0, 0);
    }
    if (polyn && status == EXIT_OK) {
        const CMethodResult r = RunPolyn(*solver, mode, timeField, costField);
        nlohmann::json p = MethodJson(*solver, r);
        p["passes"] = graph ? 1 : solver->m_nPassesRun;
        out["polyn"] = p;
        if (!o.json) PrintMethod("Polyn. Method", *solver, r, false);
        if (r.aborted) status = EXIT_INTERRUPTED;
        if (exact && status == EXIT_OK) {
            // The Compare button's rule: the same cycle or the same length; for graphs, both or
            // neither method found a cycle of cost 0.
            const bool agree = graph ? r.found == exactResult.found : solver->SaveOrCompareBest(1) != 0;
            out["agree"] = agree;
            if (!o.json) {
                if (!graph)
                    std::cout << (agree ? "Polyn. method has found a correct route."
                                        : "ERROR: Polyn. method has NOT found a correct solution.")
                              << '\n';
                else if (r.found && exactResult.found)
                    std::cout << "Both methods have found a zero cycle.\n";
                else if (!r.found && !exactResult.found)
                    std::cout << "Both methods have not found any zero cycle.\n";
                else
                    std::cout << "ERROR: Polyn. method has NOT found a zero cycle.\n";
            }
        }
        if (o.method == "edges" && status == EXIT_OK) {
            std::copy(solver->m_aBest, solver->m_aBest + solver->m_nNodes + 1, solver->m_aCycle);
            if (solver->EdgesList() != 0) status = EXIT_INTERRUPTED;
            nlohmann::json edges = nlohmann::json::array();
            std::ostringstream text;
            int count = 0;
            for (int i = 1; i <= solver->m_nNodes; ++i) {
                for (int j = i + 1; j <= solver->m_nNodes; ++j) {
                    const int value = solver->m_ppAdjust[i][j];
                    if (value <= 0) continue;
                    edges.push_back({{"i", i}, {"j", j}, {"value", value}});
                    char line[64];
                    std::snprintf(line, sizeof line, "%2d:   C(%2d,%2d)     %d\n", ++count, i, j, value);
                    text << line;
                }
            }
            out["edges"] = edges;
            if (!o.json) {
                if (status != EXIT_OK)
                    std::cout << "Testing is aborted by user...\n";
                else if (count == 0)
                    std::cout << "There are no such edges.\n";
                else
                    std::cout << "No    Edges    Values\n" << text.str();
            }
        }
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
    cmd->add_option("--method", options->method, "exact|polyn|both|edges|estimate");
    cmd->add_option("--level", options->level, "short|full: the polynomial method's test level");
    cmd->add_option("--initial", options->initial, "Initial cycle, for example 1-3-2-4-1");
    cmd->add_option("--amplitude", options->amplitude, "Amplitude of the network (default 100)");
    cmd->add_option("--mode", options->mode, "Polynomial method's mode: 1, 0, -1 or -2 (default by kind)");
    cmd->add_option("--target", options->target, "Target cost: stop when the best cost reaches it");
    cmd->add_option("--params", options->params, "A params.dat file with the eight method parameters");
    cmd->add_option("--first-loop", options->firstLoop, "Passes before the restart (full test)");
    cmd->add_option("--second-loop", options->secondLoop, "Pass limit after the restart (full test)");
    cmd->add_option("--param1", options->param1, "Budget factor of search A (full test)");
    cmd->add_option("--param2", options->param2, "Budget factor of search B (full test)");
    cmd->add_option("--nodes", options->nodes, "Node count (default: the number of matrix rows)");
    cmd->add_flag("--maximum", options->maximum, "Seek the maximum cycle");
    cmd->add_flag("--json", options->json, "Print one JSON object");
    cmd->callback([options, &status] { status = RunSolve(*options); });
}
