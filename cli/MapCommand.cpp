// quira-cli map: the state-capital demonstration on the chosen capitals (all 51 by default): the
// route list, the Distance Matrix text, the triangle-inequality list and the methods' runs.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/ConsolePlatform.h"
#include "cli/MethodRuns.h"
#include "cli/OptimumRun.h"
#include "cli/RunLimits.h"
#include "cli/SvgPictures.h"
#include "document/CycleText.h"
#include "document/Messages.h"
#include "document/Params.h"
#include "document/Series.h"
#include "mapdemo/DistanceMatrixText.h"
#include "mapdemo/TriangleTest.h"
#include "solver/CycleSolver.h"

namespace {

constexpr int kMinCapitals = 4;

struct CMapOptions {
    std::string select;
    bool selectGiven = false;
    bool km = false;
    bool matrix = false;
    bool triangle = false;
    std::string method;  // empty: no run
    std::string level = "full";
    std::string params;
    bool maximum = false;
    bool json = false;
    std::string svg;
};

// Marks the capitals of a comma-separated list of table indices as selected, numbered in table
// order. Throws CInputError for anything but distinct indices 1..51, at least four of them.
void ParseSelection(const std::string& list, int* selected) {
    const std::string option = "--select " + list;
    std::fill(selected, selected + MAP_CAPITALS + 1, 0);
    int count = 0;
    std::size_t from = 0;
    for (;;) {
        const std::size_t comma = list.find(',', from);
        std::string token = list.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
        const std::size_t first = token.find_first_not_of(' ');
        const std::size_t last = token.find_last_not_of(' ');
        token = first == std::string::npos ? "" : token.substr(first, last - first + 1);
        int index = 0;
        const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), index);
        if (token.empty() || error != std::errc() || end != token.data() + token.size() || index < 1 ||
            index > MAP_CAPITALS)
            throw CInputError(option + ": '" + token +
                              "' is not a capital; expected table indices 1 to 51, comma-separated");
        if (selected[index] != 0) throw CInputError(option + ": capital " + token + " is listed twice");
        selected[index] = 1;
        ++count;
        if (comma == std::string::npos) break;
        from = comma + 1;
    }
    if (count < kMinCapitals)
        throw CInputError(option + ": You must select at least 4 state capital cities.");
}

// The methods the map runs; each has its key in JSON and its title in text output.
enum class EMapMethod { Exact, Polyn };

// The methods a --method value runs, in the order the Compare button runs them.
std::vector<EMapMethod> MethodsOf(const std::string& method) {
    if (method.empty()) return {};
    if (method == "exact") return {EMapMethod::Exact};
    if (method == "polyn") return {EMapMethod::Polyn};
    if (method == "both") return {EMapMethod::Exact, EMapMethod::Polyn};
    throw CInputError("--method " + method + ": expected exact, polyn or both");
}

const char* MethodKey(EMapMethod method) {
    return method == EMapMethod::Exact ? "exact" : "polyn";
}
const char* MethodTitle(EMapMethod method) {
    return method == EMapMethod::Exact ? "Exp. Method" : "Polyn. Method";
}

CMethodResult RunMethod(CCycleSolver& solver, EMapMethod method) {
    CConsoleTimeField timeField(ProgressAsked());
    CTextField lengthField;
    const CMethodResult run = method == EMapMethod::Exact ? RunExact(solver, timeField, lengthField)
                                                          : RunPolyn(solver, 0, timeField, lengthField);
    solver.m_pTimeCtrl = nullptr;
    solver.m_pCostCtrl = nullptr;
    return run;
}

// The map window's route list: one line per route position, "%2d:%s (%s)".
void PrintRoute(const CCycleSolver& solver, const int* cycle) {
    for (int k = 1; k <= solver.m_nNodes; ++k) {
        char line[2 * MAP_NAME_CHARS + 16];
        std::snprintf(line, sizeof line, "%2d:%s (%s)", k, solver.m_szCapitalName[cycle[k]],
                      solver.m_szStateName[cycle[k]]);
        std::cout << line << '\n';
    }
}

// The map window's Length field.
std::string LengthText(const CCycleSolver& solver, const int* cycle) {
    return std::to_string(solver.CycleCostOf(cycle)) + (solver.m_bUseKilometers ? " km" : " ml");
}

// The dialog's text with console line ends.
std::string ConsoleLines(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != '\r') out += c;
    return out + '\n';
}

nlohmann::json CapitalsJson(const CCycleSolver& solver) {
    nlohmann::json capitals = nlohmann::json::array();
    for (int k = 1; k <= MAP_CAPITALS; ++k) {
        const int node = solver.m_bCapitalSelected[k];
        if (node == 0) continue;
        capitals.push_back({{"node", node},
                            {"index", k},
                            {"name", solver.m_szCapitalName[node]},
                            {"state", solver.m_szStateName[node]}});
    }
    return capitals;
}

// Row i holds the weights from node i to nodes i+1..n.
nlohmann::json WeightsJson(const CCycleSolver& solver) {
    nlohmann::json rows = nlohmann::json::array();
    for (int i = 1; i < solver.m_nNodes; ++i) {
        nlohmann::json row = nlohmann::json::array();
        for (int j = i + 1; j <= solver.m_nNodes; ++j) row.push_back(solver.m_ppWeight[i][j]);
        rows.push_back(row);
    }
    return rows;
}

int RunMap(const CMapOptions& o) {
    const std::vector<EMapMethod> methods = MethodsOf(o.method);
    auto solver = std::make_unique<CCycleSolver>();
    if (o.selectGiven)
        ParseSelection(o.select, solver->m_bCapitalSelected);
    else
        solver->SelectAllCapitals();
    solver->RenumberCapitals();
    solver->m_nKind = KIND_MAP;
    solver->m_bMap = 1;
    solver->m_nRunMode = 0;
    solver->m_bMaximum = o.maximum ? 1 : 0;
    SizeSolver(*solver, solver->CountCapitals(), "map");
    solver->BuildMapNetwork(o.km ? 1 : 0);
    solver->MakeInitialCycle(1, 0);

    // Every option is checked before anything is printed.
    solver->m_nTestLevel = ParseLevel(o.level);
    if (!o.params.empty()) LoadParamsFile(o.params);

    nlohmann::json out;
    out["nodes"] = solver->m_nNodes;
    out["units"] = o.km ? "km" : "miles";
    out["maximum"] = o.maximum;
    out["capitals"] = CapitalsJson(*solver);
    out["weights"] = WeightsJson(*solver);
    out["initial"] = CycleJson(*solver, solver->m_aInitial);

    const bool showRoute = !o.matrix && !o.triangle && methods.empty();
    if (showRoute && !o.json) {
        PrintRoute(*solver, solver->m_aCycle);
        std::cout << "Length: " << LengthText(*solver, solver->m_aCycle) << '\n';
    }
    if (o.matrix) {
        const std::string text = DistanceMatrixText(*solver);
        if (o.json)
            out["matrix"] = text;
        else
            std::cout << ConsoleLines(text);
    }
    const CTriangleTestResult triangle = TestTriangleInequality(*solver);
    nlohmann::json violations = nlohmann::json::array();
    if (triangle.nViolations > 0)
        for (const std::string& line : triangle.lines) violations.push_back(line);
    out["violations"] = violations;
    if (o.triangle && !o.json)
        for (const std::string& line : triangle.lines) std::cout << line << '\n';

    int status = EXIT_OK;
    CMethodResult exact;
    // The route for --svg: the current one, or the best a method found (the first of equals).
    std::vector<int> route(solver->m_aCycle, solver->m_aCycle + solver->m_nNodes + 1);
    std::string routeBy = "the route as listed";
    bool routeRun = false;
    for (const EMapMethod method : methods) {
        if (method == EMapMethod::Polyn) solver->MakeInitialCycle(0, 0);  // from the initial route
        const CMethodResult run = RunMethod(*solver, method);
        if (method == EMapMethod::Exact) {
            exact = run;
            solver->SaveOrCompareBest(0);
        }
        out[MethodKey(method)] = {{"cost", run.cost},
                                  {"cycle", CycleJson(*solver, solver->m_aBest)},
                                  {"aborted", run.aborted},
                                  {"ms", run.ms}};
        if (!o.json) {
            std::string time;
            FormatDuration(time, run.ms / 1000.0);
            std::cout << MethodTitle(method) << ": " << FormatCycleText(*solver, solver->m_aBest) << '\n';
            PrintRoute(*solver, solver->m_aBest);
            std::cout << "Length: " << LengthText(*solver, solver->m_aBest) << '\n';
            if (run.aborted) std::cout << MessageText(IDS_ABORTED_BY_USER) << '\n';
            std::cout << "Time: " << time << '\n';
        }
        const int cost = solver->CycleCostOf(route.data());
        const bool better = IsBetter(run.cost, cost, solver->m_bMaximum != 0);
        const char* title = method == EMapMethod::Exact ? "exact method" : "polynomial method";
        if (!routeRun || better) {
            route.assign(solver->m_aBest, solver->m_aBest + solver->m_nNodes + 1);
            routeBy = title;
        } else if (run.cost == cost) {
            routeBy = "both methods";
        }
        routeRun = true;
        if (run.aborted) {
            status = EXIT_INTERRUPTED;
            break;
        }
        if (methods.size() == 2 && method == EMapMethod::Polyn) {
            const CVerdict verdict = CompareVerdictOf(KIND_MAP, run.cost, exact.cost);
            out["agree"] = verdict.bAgree;
            if (!o.json) std::cout << MessageText(verdict.nMessage) << '\n';
        }
    }
    if (!o.svg.empty()) {
        const std::vector<std::string> lines = {"State capitals - " + std::to_string(solver->m_nNodes) +
                                                    " capitals" + (o.maximum ? ", longest route" : ""),
                                                routeBy + ": length " + LengthText(*solver, route.data())};
        WriteSvgFile(o.svg, MapPictureSvg(*solver, route.data(), lines));
    }
    if (o.json) std::cout << JsonText(out) << '\n';
    return status;
}

}  // namespace

void AddMapCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<CMapOptions>();
    CLI::App* cmd = app.add_subcommand("map", "The state-capital map: distances, triangle test, runs");
    CLI::Option* select = cmd->add_option("--select", options->select,
                                          "Capitals by table index, comma-separated (default: all 51)");
    cmd->add_flag("--km", options->km, "Distances in kilometres instead of miles");
    cmd->add_flag("--matrix", options->matrix, "Print the Distance Matrix text");
    cmd->add_flag("--triangle", options->triangle, "Print the triangle-inequality violations");
    cmd->add_option("--method", options->method, "exact|polyn|both: run the methods on the chosen capitals");
    cmd->add_option("--level", options->level,
                    "short|full: the polynomial method's test level (default full)");
    cmd->add_option("--params", options->params, "A params.dat file with the method parameters");
    cmd->add_flag("--maximum", options->maximum, "Seek the longest route");
    cmd->add_flag("--json", options->json, "Print one JSON object");
    cmd->add_option("--svg", options->svg, "Draw the route on the map as an SVG picture");
    AddThreadsOption(cmd);
    AddProgressOption(cmd);
    AddTimeLimitOption(cmd);
    cmd->callback([options, select, &status] {
        options->selectGiven = select->count() > 0;
        status = RunMap(*options);
    });
}
