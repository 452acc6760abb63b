// quira-cli check: judges a typed cycle as the check window does: is it a minimum (maximum) cycle
// by the exact method, by the polynomial method, or by both with a comparison of their verdicts.
#include <iostream>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/ConsolePlatform.h"
#include "cli/DocCommon.h"
#include "cli/OptimumRun.h"
#include "cli/MethodRuns.h"
#include "cli/RunLimits.h"
#include "document/GivenCycleCheck.h"
#include "document/MainDoc.h"
#include "document/Messages.h"

namespace {

struct CCheckOptions {
    std::string matrix;
    std::string instance;
    std::string doc;
    bool random = false;
    int nodes = kNodesUnset;
    int amplitude = 100;
    uint32_t seed = 1;
    std::string cycle;
    std::string tour;
    bool maximum = false;
    std::string method = "both";
    bool json = false;
    bool force = false;
};

// The check document from the chosen input, sized and bound to the check kind.
std::unique_ptr<CMainDoc> LoadProblem(const CCheckOptions& o) {
    const int inputs = !o.matrix.empty() + !o.doc.empty() + o.random + !o.instance.empty();
    if (inputs != 1)
        throw CInputError(
            "check: expected exactly one of --matrix FILE, --doc FILE, --instance FILE, --random");
    std::unique_ptr<CMainDoc> doc;
    if (!o.doc.empty()) {
        doc = OpenConsoleDocument(o.doc);
        if (doc->m_nDocKind == KIND_GRAPH)
            throw CInputError(o.doc + ": a graph document; expected a network, map or check document");
    } else {
        doc = NewConsoleDocument();
        doc->m_solver.m_nKind = KIND_CHECK;
        if (!o.instance.empty()) {
            LoadInstanceInto(doc->m_solver, o.instance);
        } else if (o.random) {
            doc = MakeRandomDocument(KIND_CHECK, o.nodes == kNodesUnset ? 8 : o.nodes, o.amplitude);
        } else {
            LoadMatrixInto(doc->m_solver, o.matrix, MatrixNodesOption(o.nodes));
        }
        doc->m_bFromFile = 1;  // the problem is given: binding to the kind keeps it
    }
    doc->m_nDocKind = KIND_CHECK;
    doc->m_solver.m_nKind = KIND_CHECK;
    doc->InitKind(KIND_CHECK, doc->m_solver.m_nNodes);
    doc->m_strNodes = std::to_string(doc->m_solver.m_nNodes);
    doc->m_solver.m_bMaximum = o.maximum ? 1 : 0;
    return doc;
}

const char* VerdictName(int verdict) {
    return verdict == VERDICT_OPTIMAL ? "optimal" : verdict == VERDICT_NOT_OPTIMAL ? "not_optimal" : "none";
}

int RunCheck(const CCheckOptions& o) {
    if (o.method != "exact" && o.method != "polyn" && o.method != "both" && o.method != "optimum")
        throw CInputError("--method " + o.method + ": expected exact, polyn, both or optimum");
    CConsoleSession session(o.seed);
    auto doc = LoadProblem(o);
    CCycleSolver& s = doc->m_solver;
    if (!o.tour.empty() && !o.cycle.empty())
        throw CInputError("--tour: expected either --cycle TEXT or --tour FILE, not both");
    const std::string given = o.tour.empty() ? o.cycle : ReadTourAsCycleText(o.tour, s.m_nNodes);
    if (!given.empty() && doc->ParseGivenCycle(given) != 0)
        throw CInputError((o.tour.empty() ? "--cycle '" + o.cycle + "'" : "--tour " + o.tour) + ": " +
                          session.dialogs.messages.back() + " Expected the nodes 1.." +
                          std::to_string(s.m_nNodes) +
                          " joined by '-' from node 1, each once, for example 1-3-2-4-1");
    s.MakeInitialCycle(0, 0);
    if (o.method == "exact" || o.method == "both") RefuseHopelessExactRun(s, o.force, "--method " + o.method);

    if (o.method == "polyn" || o.method == "both") RequireInsertTable(s);
    CConsoleTimeField timeField(ProgressAsked());
    CTextField comments;
    CGivenCycleCheck check(*doc, timeField, comments);
    nlohmann::json out = {
        {"nodes", s.m_nNodes},
        {"maximum", o.maximum},
        {"given", {{"cost", s.CycleCostOf(s.m_aInitial)}, {"cycle", CycleJson(s, s.m_aInitial)}}}};
    std::string text = std::string("Given cycle: ") + doc->CycleText(s.m_aInitial) + "\n";
    bool aborted = false;
    std::string
        found;  // each method's cycle, after the verdicts, so that equal verdicts never hide two costs
    auto record = [&](const char* name, const char* label, int verdict, bool ran) {
        nlohmann::json method = {{"aborted", !ran}, {"verdict", VerdictName(verdict)}};
        // The best cycle the method found, also when Ctrl+C stopped it.
        const int cost = s.CycleCostOf(s.m_aBest);
        if (ran) method["cost"] = cost;
        if (ran) method["cycle"] = CycleJson(s, s.m_aBest);
        method["found"] = {{"cost", cost}, {"cycle", CycleJson(s, s.m_aBest)}};
        out[name] = method;
        text += std::string(label) + (ran ? check.VerdictText(verdict) : kTextTestingAborted) + "\n";
        found += std::string(label) + (ran ? "found " : "best so far ") + doc->CycleText(s.m_aBest) + "\n";
        aborted = aborted || !ran;
    };
    if (o.method == "optimum") {
        const COptimumOutcome run = RunOptimum(*doc, ProgressAsked());
        const int verdict = JudgeGivenByOptimum(s.CycleCostOf(s.m_aInitial), run, s.m_bMaximum != 0);
        record("optimum", "Optimum: ", verdict, !run.bAborted);
        out["optimum"].update(OptimumJson(s, run, s.m_aBest));
    } else if (o.method == "exact") {
        check.ExactMethod();
        record("exact", "Exp. Method: ", check.m_nVerdict, doc->m_results.Has(RESULT_EXACT));
    } else if (o.method == "polyn") {
        check.PolynomialMethod();
        record("polyn", "Polyn. Method: ", check.m_nVerdict, doc->m_results.Has(RESULT_POLYN));
    } else {
        check.ExactMethod();
        const int exactVerdict = check.m_nVerdict;
        const bool exactRan = doc->m_results.Has(RESULT_EXACT);
        record("exact", "Exp. Method: ", exactVerdict, exactRan);
        if (exactRan) {
            check.PolynomialMethod();
            const bool polynRan = doc->m_results.Has(RESULT_POLYN);
            record("polyn", "Polyn. Method: ", check.m_nVerdict, polynRan);
            if (polynRan) {
                const CVerdict agreement = CheckCompareVerdict(check.m_nVerdict, exactVerdict);
                out["agree"] = agreement.bAgree;
                text += std::string(MessageText(agreement.nMessage)) + "\n";
            }
        }
    }
    if (o.json)
        std::cout << JsonText(out) << '\n';
    else
        std::cout << text << found;
    return aborted && CConsoleEvents::Interrupted() ? EXIT_INTERRUPTED : EXIT_OK;
}

}  // namespace

void AddCheckCommand(CLI::App& app, int& status) {
    auto o = std::make_shared<CCheckOptions>();
    CLI::App* cmd = app.add_subcommand("check", "Judge a typed cycle as the check window does");
    cmd->add_option("--matrix", o->matrix, "Matrix text file ('-' for standard input)");
    cmd->add_option("--doc", o->doc, "A QUIRA1 network, map or check document");
    cmd->add_option("--instance", o->instance, "A published instance file, read as a network");
    cmd->add_flag("--random", o->random, "A random network (--nodes, --amplitude, --seed)");
    cmd->add_option("--nodes", o->nodes, "Node count (random: default 8; matrix: default the rows)");
    cmd->add_option("--amplitude", o->amplitude, "Weights in -A..A of a random network (default 100)");
    cmd->add_option("--seed", o->seed, "Seed of the random generator (default 1)");
    cmd->add_option("--cycle", o->cycle, "The given cycle, e.g. 1-3-2-4-1 (default: the initial cycle)");
    cmd->add_option("--tour", o->tour, "A published tour file as the given cycle");
    cmd->add_flag("--maximum", o->maximum, "Is it a maximum cycle?");
    cmd->add_option("--method", o->method, "exact|polyn|both|optimum (default both)");
    cmd->add_flag("--json", o->json, "Print one JSON object");
    cmd->add_flag("--force", o->force, "Run the exact method even when its estimate is a day or more");
    AddThreadsOption(cmd);
    AddProgressOption(cmd);
    AddTimeLimitOption(cmd);
    cmd->callback([o, &status] { status = RunCheck(*o); });
}
