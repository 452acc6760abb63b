// quira-cli solve: runs one or both methods on one problem.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/ConsolePlatform.h"
#include "cli/DocCommon.h"
#include "cli/ExactShardRun.h"
#include "cli/MethodRuns.h"
#include "cli/OptimumRun.h"
#include "cli/RunLimits.h"
#include "cli/SvgPictures.h"
#include "document/CycleParse.h"
#include "document/CycleText.h"
#include "document/ExactBound.h"
#include "document/MainDoc.h"
#include "document/Messages.h"
#include "document/Params.h"
#include "document/Series.h"
#include "solver/CycleSolver.h"
#include "solver/ExactEstimate.h"
#include "solver/MethodParams.h"
#include "solver/OptimumMethod.h"

namespace {

struct CSolveOptions {
    std::string matrix;
    std::string doc;
    std::string instance;
    std::optional<long long> optimum;
    std::string optimumTour;
    std::string tourOut;
    std::string svg;
    std::string initialTour;
    bool random = false;
    bool randomStart = false;
    std::optional<int> degree;
    uint32_t seed = 1;
    std::string kind;  // empty: network, or the document's kind
    std::string method = "both";
    std::string level = "short";
    std::string initial;
    std::string params;
    int nodes = kNodesUnset;
    std::optional<int> amplitude;
    std::optional<int> mode;
    std::optional<int> target;
    std::optional<int> firstLoop, secondLoop;
    std::optional<double> param1, param2;
    bool maximum = false;
    bool json = false;
    bool force = false;
    std::string shard;     // K/N of the exact enumeration's blocks
    std::string shardOut;  // the shard's new result file
    std::string resume;    // the shard's result file to continue
    uint64_t blocksPerLine = 0;
};

// The shard this solve runs, when it was asked for one: --shard K/N, or a Slurm array task's
// variables when only the result file is given (so a plain solve in an array task stays one run).
std::optional<CExactShardRun> ShardRunOf(const CSolveOptions& o) {
    if (o.shard.empty() && o.shardOut.empty() && o.resume.empty()) {
        if (o.blocksPerLine != 0) throw CInputError("--blocks-per-line: expected --shard-out FILE or --resume FILE");
        return std::nullopt;
    }
    if (o.method != "exact")
        throw CInputError("--shard: the shards are of an exact enumeration; expected --method exact");
    if (!o.shardOut.empty() && !o.resume.empty())
        throw CInputError("--resume: expected either --shard-out FILE (a new shard) or --resume FILE, not both");
    CExactShardRun run;
    run.file = o.resume.empty() ? o.shardOut : o.resume;
    run.resume = !o.resume.empty();
    if (run.file.empty())
        throw CInputError("--shard " + o.shard + ": expected --shard-out FILE (or --resume FILE) for its results");
    const std::optional<CShardChoice> choice = o.shard.empty() ? ShardFromSlurm() : ParseShardOption(o.shard);
    if (!choice)
        throw CInputError((run.resume ? "--resume " : "--shard-out ") + run.file +
                          ": expected --shard K/N, or the variables of a Slurm array task (SLURM_ARRAY_TASK_ID)");
    run.shard = *choice;
    if (!o.svg.empty() || !o.tourOut.empty())
        throw CInputError(std::string(o.svg.empty() ? "--tour-out" : "--svg") +
                          ": a shard holds part of the enumeration; expected it without --shard");
    run.blocksPerLine = o.blocksPerLine;
    run.json = o.json;
    run.force = o.force;
    return run;
}

void ApplyParameters(const CSolveOptions& o, int kind) {
    if (!o.params.empty()) LoadParamsFile(o.params);
    CheckParameterOverrides(o.firstLoop, o.secondLoop, o.param1, o.param2);
    const bool map = kind == KIND_MAP;
    if (o.firstLoop) (map ? g_nMapFirstLoop : g_nFirstLoop) = *o.firstLoop;
    if (o.secondLoop) (map ? g_nMapSecondLoop : g_nSecondLoop) = *o.secondLoop;
    if (o.param1) (map ? g_dMapParam1 : g_dParam1) = *o.param1;
    if (o.param2) (map ? g_dMapParam2 : g_dParam2) = *o.param2;
}

// The problem to solve, from a matrix text, a QUIRA1 document or the program's generators.
// An instance's node positions go to positions.
std::unique_ptr<CMainDoc> LoadProblem(const CSolveOptions& o, CInstancePositions& positions) {
    const int inputs = !o.matrix.empty() + !o.doc.empty() + o.random + !o.instance.empty();
    if (inputs != 1)
        throw CInputError(
            "solve: expected exactly one input: --matrix FILE, --doc FILE, --instance FILE or --random");
    if (!o.instance.empty()) {
        if (!o.kind.empty() && o.kind != "network")
            throw CInputError("--kind " + o.kind +
                              ": an instance is read as a network; expected --kind network");
        auto doc = NewConsoleDocument();
        doc->m_nDocKind = doc->m_solver.m_nKind = KIND_NETWORK;
        // The name, kept for --tour-out; the positions for --svg.
        doc->m_strNodes = LoadInstanceInto(doc->m_solver, o.instance, nullptr, &positions);
        doc->m_solver.m_bMaximum = o.maximum ? 1 : 0;
        doc->m_solver.m_nAmplitude = o.amplitude.value_or(100);
        return doc;
    }
    if (!o.doc.empty()) {
        auto doc = OpenConsoleDocument(o.doc);
        if (!o.kind.empty()) {
            const int kind = ParseKind(o.kind);
            // A graph and a network keep tables of different widths; one cannot stand for the other.
            if ((kind == KIND_GRAPH) != (doc->m_nDocKind == KIND_GRAPH))
                throw CInputError("--kind " + o.kind + ": " + o.doc + " is a " + KindName(doc->m_nDocKind) +
                                  " document; expected --kind " +
                                  (doc->m_nDocKind == KIND_GRAPH ? "graph" : "network, check or map"));
            doc->m_nDocKind = doc->m_solver.m_nKind = kind;
        }
        if (o.maximum) doc->m_solver.m_bMaximum = 1;
        if (o.amplitude) doc->m_solver.m_nAmplitude = *o.amplitude;
        return doc;
    }
    const int kind = o.kind.empty() ? KIND_NETWORK : ParseKind(o.kind);
    if (o.random) {
        if (kind == KIND_MAP) throw CInputError("--random: expected --kind network, graph or check");
        const int value = kind == KIND_GRAPH ? o.degree.value_or(3) : o.amplitude.value_or(100);
        auto doc = MakeRandomDocument(kind, o.nodes == kNodesUnset ? 8 : o.nodes, value);
        doc->m_solver.m_bMaximum = o.maximum ? 1 : 0;
        return doc;
    }
    auto doc = NewConsoleDocument();
    doc->m_nDocKind = doc->m_solver.m_nKind = kind;
    doc->m_solver.m_bGraphView = kind == KIND_GRAPH;
    LoadMatrixInto(doc->m_solver, o.matrix, MatrixNodesOption(o.nodes));
    doc->m_solver.m_bMaximum = o.maximum ? 1 : 0;
    doc->m_solver.m_nAmplitude = o.amplitude.value_or(100);
    return doc;
}

int RunSolve(const CSolveOptions& o) {
    const bool exact = o.method == "exact" || o.method == "both";
    const bool polyn = o.method == "polyn" || o.method == "both" || o.method == "edges";
    if (!exact && !polyn && o.method != "estimate" && o.method != "optimum")
        throw CInputError("--method " + o.method +
                          ": expected exact, polyn, both, edges, estimate or optimum");
    const int level = ParseLevel(o.level);
    if (o.optimum && (*o.optimum < INT32_MIN || *o.optimum > INT32_MAX))
        throw CInputError("--optimum " + std::to_string(*o.optimum) +
                          ": expected a cost in the 32-bit range");
    if (o.mode && (*o.mode < -2 || *o.mode > 1)) throw CInputError("--mode: expected 1, 0, -1 or -2");
    if (o.randomStart && !o.initial.empty())
        throw CInputError("--random-start: expected either --initial TEXT or --random-start, not both");
    if (!o.tourOut.empty() && o.method == "estimate")
        throw CInputError("--tour-out: --method estimate finds no cycle to write; expected exact, polyn, "
                          "both, edges or optimum");

    CConsoleSession session(o.seed);
    CInstancePositions positions;
    auto doc = LoadProblem(o, positions);
    const std::string problemName =
        !o.instance.empty() ? doc->m_strNodes
                            : std::filesystem::path(!o.doc.empty() ? o.doc : o.matrix).stem().string();
    if (!o.instance.empty()) doc->m_strNodes = std::to_string(doc->m_solver.m_nNodes);
    CCycleSolver* solver = &doc->m_solver;
    solver->m_bGraphView = solver->m_nKind == KIND_GRAPH;
    if (o.method == "edges" && solver->m_nKind == KIND_GRAPH)
        throw CInputError(
            "--method edges: the edges list is for networks; expected --kind network, check or map");
    solver->m_nTestLevel = level;
    if (o.target) solver->m_nTargetCost = *o.target;
    ApplyParameters(o, solver->m_nKind);
    if (!o.initialTour.empty() && !o.initial.empty())
        throw CInputError("--initial-tour: expected either --initial TEXT or --initial-tour FILE, not both");
    const std::string initial =
        o.initialTour.empty() ? o.initial : ReadTourAsCycleText(o.initialTour, solver->m_nNodes);
    if (!initial.empty() && ParseGivenCycleInto(*solver, initial) != 0)
        throw CInputError("--initial '" + o.initial + "': " + session.dialogs.messages.back() +
                          " Expected the nodes 1.." + std::to_string(solver->m_nNodes) +
                          " joined by '-' from node 1, for example 1-3-2-4-1");
    if (o.randomStart) solver->MakeInitialCycle(1, 1);
    solver->MakeInitialCycle(0, 0);
    // The optimum the gaps are measured to: given, or the cost of a published tour on this problem.
    if (!o.optimumTour.empty() && o.optimum)
        throw CInputError("--optimum-tour: expected either --optimum COST or --optimum-tour FILE, not both");
    if (!o.optimumTour.empty() && solver->m_nKind == KIND_GRAPH)
        throw CInputError("--optimum-tour: the gap is for networks; expected --kind network, check or map");
    const std::optional<long long> optimum =
        o.optimumTour.empty() ? o.optimum : std::optional<long long>(TourFileCost(o.optimumTour, *solver));
    const int mode = o.mode                          ? *o.mode
                     : solver->m_nKind == KIND_MAP   ? 0
                     : solver->m_nKind == KIND_CHECK ? -1
                                                     : 1;

    if (std::optional<CExactShardRun> run = ShardRunOf(o)) {
        if (solver->m_nKind == KIND_GRAPH)
            throw CInputError("--shard: the shards are of a network's enumeration; expected --kind network, check or map");
        if (solver->m_nNodes < 5)
            throw CInputError("--shard: " + std::to_string(solver->m_nNodes) +
                              " nodes are too few to cut; expected 5 nodes or more");
        const std::string source = !o.instance.empty() ? "--instance " + o.instance
                                   : !o.doc.empty()    ? "--doc " + o.doc
                                   : o.random ? "--random --nodes " + std::to_string(solver->m_nNodes) + " --seed " +
                                                    std::to_string(o.seed)
                                              : "--matrix " + o.matrix;
        nlohmann::json tour;
        if (!o.optimumTour.empty()) tour = {{"file", o.optimumTour}, {"cost", *optimum}};
        run->fields = ExactShardFields(*solver, source, o.level, CycleJson(*solver, solver->m_aInitial),
                                       o.optimum ? nlohmann::json(*o.optimum) : nlohmann::json(), tour);
        return RunExactShard(*solver, *run);
    }
    if (exact) RefuseHopelessExactRun(*solver, o.force, "--method " + o.method);

    nlohmann::json out;
    out["nodes"] = solver->m_nNodes;
    out["kind"] = KindName(solver->m_nKind);
    out["maximum"] = solver->m_bMaximum != 0;
    out["level"] = o.level;
    out["initial"] = CycleJson(*solver, solver->m_aInitial);
    if (!o.optimumTour.empty()) out["optimum_tour"] = {{"file", o.optimumTour}, {"cost", *optimum}};
    if (!o.optimumTour.empty() && !o.json)
        std::cout << "Optimum tour: (" << *optimum << ") " << o.optimumTour << '\n';

    CConsoleTimeField timeField(ProgressAsked());
    CTextField costField;
    int status = EXIT_OK;
    // The optimum method's cycle for --svg (the methods' best cycle is kept below).
    std::vector<int> svgCycle;
    long long svgCost = 0;
    std::string svgMethod;
    const bool graph = solver->m_nKind == KIND_GRAPH;
    if (o.method == "estimate") {
        const double seconds = EstimateExactRunSeconds(*solver);
        std::string text;
        FormatDuration(text, seconds);
        // The graph and check windows show the estimate as a bound.
        if (graph || solver->m_nKind == KIND_CHECK) text = ExactBoundText(text, solver->m_nNodes, graph);
        // JSON has no infinity: an estimate beyond the double range is the largest double.
        const double shown = std::isfinite(seconds) ? seconds : std::numeric_limits<double>::max();
        out["estimate"] = {{"seconds", shown}, {"text", text}};
        if (!o.json) std::cout << "Estimate: " << text << '\n';
    }
    if (o.method == "optimum") {
        if (graph)
            throw CInputError(
                "--method optimum: the optimum is for networks; expected --kind network, check or map");
        const std::vector<std::pair<int, int>> fixed =
            o.instance.empty() ? std::vector<std::pair<int, int>>{} : InstanceFixedEdges(o.instance);
        const COptimumOutcome run = RunOptimum(*doc, ProgressAsked(), fixed);
        const int fixedCount = static_cast<int>(fixed.size());
        out["optimum"] = OptimumJson(*solver, run, solver->m_aBest, fixedCount);
        // The optimum's cycle is the one --svg draws and --tour-out writes.
        if (!run.bNoMemory) {
            svgCycle.assign(solver->m_aBest, solver->m_aBest + solver->m_nNodes + 1);
            svgCost = run.nCost;
            svgMethod = run.bProven ? "optimum method, proven optimal" : "optimum method";
        }
        if (!o.json) PrintOptimum(*solver, run, fixedCount);
        if (run.bAborted) status = EXIT_INTERRUPTED;
    }
    // The gap to a given optimum, in the text and as "gap" in JSON.
    auto addGap = [&](nlohmann::json& method, const CMethodResult& r) {
        AddGap(method, r.cost, optimum, solver->m_bMaximum != 0, !o.json);
    };
    // The best cycle any method found, for --tour-out and --svg, and which method found it.
    std::vector<int> bestCycle;
    long long bestCost = 0;
    std::string bestMethod;
    auto keep = [&](const CMethodResult& r, const char* method) {
        const bool better = IsBetter(r.cost, static_cast<int>(bestCost), solver->m_bMaximum != 0);
        if (bestCycle.empty() || better) {
            bestCycle.assign(solver->m_aBest, solver->m_aBest + solver->m_nNodes + 1);
            bestCost = r.cost;
            bestMethod = method;
        } else if (r.cost == bestCost) {
            bestMethod = "both methods";
        }
    };
    CMethodResult exactResult;
    if (exact) {
        exactResult = RunExact(*solver, timeField, costField);
        nlohmann::json e = MethodJson(*solver, exactResult);
        if (graph) e["found"] = exactResult.found;
        keep(exactResult, "exact method");
        if (!o.json)
            PrintMethod("Exp. Method", *solver, exactResult,
                        graph && !exactResult.found && !exactResult.aborted);
        addGap(e, exactResult);
        out["exact"] = e;
        if (exactResult.aborted) status = EXIT_INTERRUPTED;
        solver->SaveOrCompareBest(0);
        solver->MakeInitialCycle(0, 0);
    }
    if (polyn && status == EXIT_OK) {
        const CMethodResult r = RunPolyn(*solver, mode, timeField, costField);
        nlohmann::json p = MethodJson(*solver, r);
        p["passes"] = graph ? 1 : solver->m_nPassesRun;
        keep(r, level == 2 ? "polynomial method, full test" : "polynomial method, short test");
        if (!o.json) PrintMethod("Polyn. Method", *solver, r, false);
        addGap(p, r);
        out["polyn"] = p;
        if (r.aborted) status = EXIT_INTERRUPTED;
        if (exact && status == EXIT_OK) {
            // The Compare button's verdict for the kind.
            const CVerdict verdict = CompareVerdictOf(solver->m_nKind, r.cost, exactResult.cost);
            out["agree"] = verdict.bAgree;
            if (!o.json) std::cout << MessageText(verdict.nMessage) << '\n';
        }
        if (o.method == "edges" && status == EXIT_OK) {
            std::copy(solver->m_aBest, solver->m_aBest + solver->m_nNodes + 1, solver->m_aCycle);
            if (solver->EdgesList() != 0) status = EXIT_INTERRUPTED;
            const std::vector<CListedEdge> listed = ListedEdges(*solver);
            nlohmann::json edges = nlohmann::json::array();
            for (const CListedEdge& e : listed) edges.push_back({{"i", e.i}, {"j", e.j}, {"value", e.value}});
            out["edges"] = edges;
            if (!o.json) {
                if (status != EXIT_OK)
                    std::cout << MessageText(IDS_ABORTED_BY_USER) << '\n';
                else if (listed.empty())
                    std::cout << kTextNoSuchEdges << '\n';
                else
                    std::cout << ConsoleText(EdgesListText(*solver));
            }
        }
    }
    if (!o.tourOut.empty()) {
        // The optimum method's cycle is the one to keep when it ran.
        const std::vector<int>& tour = !svgCycle.empty() ? svgCycle : bestCycle;
        if (!tour.empty())
            WriteTourFile(o.tourOut, problemName, *solver, tour.data());
        else
            std::cerr << "quira-cli: --tour-out " << o.tourOut << ": no cycle was found; nothing written\n";
    }
    if (!o.svg.empty()) {
        if (svgCycle.empty() && !bestCycle.empty()) {
            svgCycle = bestCycle;
            svgCost = bestCost;
            svgMethod = bestMethod;
        }
        const std::string shownName = !problemName.empty() ? problemName
                                      : o.random ? std::string("random ") + KindName(solver->m_nKind) +
                                                       " (seed " + std::to_string(o.seed) + ")"
                                                 : "standard input";
        CSolvePicture picture{shownName, svgMethod, o.optimum, &positions};
        if (svgCycle.empty()) {
            // Nothing ran that finds a cycle (--method estimate): the initial cycle is drawn.
            svgCycle.assign(solver->m_aInitial, solver->m_aInitial + solver->m_nNodes + 1);
            svgCost = solver->CycleCostOf(solver->m_aInitial);
            picture.method = "initial cycle";
        }
        picture.cost = svgCost;
        WriteSvgFile(o.svg, SolvePictureSvg(*solver, svgCycle.data(), picture));
    }
    if (o.json) std::cout << JsonText(out) << '\n';
    return status;
}

}  // namespace

void AddSolveCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<CSolveOptions>();
    CLI::App* cmd = app.add_subcommand("solve", "Run one or both methods on one problem");
    cmd->add_option("--matrix", options->matrix, "Matrix text file ('-' for standard input)");
    cmd->add_option("--doc", options->doc, "A QUIRA1 document (.tsp, .grp, .map, .chk)");
    cmd->add_option("--instance", options->instance, "A published instance file, read as a network");
    cmd->add_option("--optimum", options->optimum,
                    "The optimum cost: each result reports its gap in percent");
    cmd->add_option("--optimum-tour", options->optimumTour,
                    "A published optimal tour file: its cost on the problem is the optimum of the gaps");
    cmd->add_option("--tour-out", options->tourOut, "Write the best cycle as a published tour file");
    cmd->add_option("--svg", options->svg,
                    "Draw the best cycle as an SVG picture (instance coordinates, else the ring)");
    cmd->add_option("--initial-tour", options->initialTour, "A published tour file as the initial cycle");
    cmd->add_flag("--random", options->random, "A random problem: --nodes, --amplitude or --degree, --seed");
    cmd->add_option("--degree", options->degree, "Maximum degree of a random graph (default 3)");
    cmd->add_flag("--random-start", options->randomStart,
                  "A random initial cycle, as Randomized Start makes it");
    cmd->add_option("--seed", options->seed, "Seed of the random generator (default 1)");
    cmd->add_option("--kind", options->kind,
                    "network|graph|check|map (default network, or the document's kind)");
    cmd->add_option("--method", options->method, "exact|polyn|both|edges|estimate|optimum");
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
    cmd->add_flag("--force", options->force, "Run the exact method even when its estimate is a day or more");
    cmd->add_option("--shard", options->shard,
                    "K/N: run shard K of N of the exact enumeration (default: a Slurm array task's)");
    cmd->add_option("--shard-out", options->shardOut, "The shard's result file, new (merge the files with 'merge')");
    cmd->add_option("--resume", options->resume, "Continue the shard whose result file this is (or start it)");
    cmd->add_option("--blocks-per-line", options->blocksPerLine,
                    "Blocks of the enumeration per line of the shard's file (default: about 0.1 s of work)");
    AddThreadsOption(cmd);
    AddLpOption(cmd);
    AddProgressOption(cmd);
    AddTimeLimitOption(cmd);
    cmd->callback([options, &status] { status = RunSolve(*options); });
}
