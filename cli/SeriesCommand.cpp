// quira-cli series: the windows' continuous test (the core's CTestSeries), bounded to a number of
// problems: random networks (or graphs made by Gener2), each solved by the polynomial method with
// its random starts and, when asked, by the exact method or the proven optimum too; then the
// statistics text of the windows, or the summary against the optimum.
#include <algorithm>
#include <cmath>
#include <optional>
#include <cstdio>
#include <iostream>
#include <vector>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/ConsolePlatform.h"
#include "cli/DocCommon.h"
#include "cli/Jobs.h"
#include "cli/MethodRuns.h"
#include "cli/OptimumRun.h"
#include "cli/RunLimits.h"
#include "cli/ShardFile.h"
#include "cli/SvgPictures.h"
#include "document/FieldAcceptance.h"
#include "document/MainDoc.h"
#include "document/Messages.h"
#include "document/ResearchText.h"
#include "document/Series.h"
#include "solver/ExactShard.h"
#include "solver/Platform.h"

namespace {

struct CSeriesOptions {
    int nodes = 8;
    int amplitude = 100;
    bool graph = false;
    int degree = 3;
    int tests = 10;
    int starts = 1;
    int full = -1;  // -1: from --level and --compare
    bool compare = false;
    std::string level = "short";
    uint32_t seed = 1;
    bool json = false;
    bool csv = false;
    std::string reference;  // "optimum": compare with the proven optimum instead
    std::string svg;
    int jobs = DefaultJobs();
    std::string shard;     // K/N of the problems
    std::string shardOut;  // the shard's new result file
    std::string resume;    // the shard's result file to continue
};

// The command a header of these shards names.
constexpr const char* kSeriesShardCommand = "series";

// The options that shape the series' problems and output, as a shard's header keeps them.
nlohmann::json SeriesFields(const CSeriesOptions& o) {
    return {{"options",
             {{"nodes", o.nodes},
              {"amplitude", o.amplitude},
              {"graph", o.graph},
              {"degree", o.degree},
              {"tests", o.tests},
              {"starts", o.starts},
              {"full", o.full},
              {"compare", o.compare},
              {"level", o.level},
              {"seed", o.seed},
              {"reference", o.reference}}}};
}

CSeriesOptions SeriesOptionsOf(const nlohmann::json& header) {
    const nlohmann::json& f = header.at("options");
    CSeriesOptions o;
    o.nodes = f.at("nodes");
    o.amplitude = f.at("amplitude");
    o.graph = f.at("graph");
    o.degree = f.at("degree");
    o.tests = f.at("tests");
    o.starts = f.at("starts");
    o.full = f.at("full");
    o.compare = f.at("compare");
    o.level = f.at("level");
    o.seed = f.at("seed");
    o.reference = f.at("reference");
    return o;
}

// The shard this series runs, when it was asked for one: --shard K/N or a Slurm array task's.
std::optional<CShardChoice> SeriesShardOf(const CSeriesOptions& o) {
    if (o.shard.empty() && o.shardOut.empty() && o.resume.empty()) return std::nullopt;
    if (!o.shardOut.empty() && !o.resume.empty())
        throw CInputError("--resume: expected either --shard-out FILE (a new shard) or --resume FILE, not both");
    if (o.shardOut.empty() && o.resume.empty())
        throw CInputError("--shard " + o.shard + ": expected --shard-out FILE (or --resume FILE) for its results");
    if (o.json || o.csv || !o.svg.empty())
        throw CInputError("--shard: a shard writes its file; expected --json, --csv and --svg with merge");
    const std::optional<CShardChoice> choice = o.shard.empty() ? ShardFromSlurm() : ParseShardOption(o.shard);
    if (!choice)
        throw CInputError((o.resume.empty() ? "--shard-out " + o.shardOut : "--resume " + o.resume) +
                          ": expected --shard K/N, or the variables of a Slurm array task (SLURM_ARRAY_TASK_ID)");
    return choice;
}

void Check(const CSeriesOptions& o) {
    const int kind = o.graph ? KIND_GRAPH : KIND_NETWORK;
    RequireRange("--nodes", o.nodes, MIN_DOC_NODES, MaxNodesOfKind(kind));
    if (o.graph)
        RequireRange("--degree", o.degree, MIN_DEGREE, o.nodes - 1);
    else
        RequireRange("--amplitude", o.amplitude, MIN_AMPLITUDE, MAX_AMPLITUDE);
    RequireRange("--tests", o.tests, 1, 2147483647);
    RequireRange("--starts", o.starts, MIN_RAND_STARTS, MAX_RAND_STARTS);
    if (o.full != -1) RequireRange("--full", o.full, 0, o.starts);
    ParseLevel(o.level);
    if (!o.reference.empty()) {
        if (o.reference != "optimum") throw CInputError("--reference " + o.reference + ": expected optimum");
        if (o.graph || o.compare || o.starts != 1)
            throw CInputError(
                "--reference optimum: expected a network series with --starts 1 and without --compare");
        return;
    }
    if (o.compare && o.starts != 1)
        throw CInputError("--compare: expected with --starts 1 (as the windows compare)");
    if (o.compare && !o.graph && o.full == 0)
        throw CInputError("--full 0: the exact comparison runs with full tests; expected --full 1");
}

// Full Tests as the windows keep it: 0 means short tests only; a network is compared with the
// exact method when Rand.Starts is 1 and Full Tests is not 0. Against the optimum the level alone
// chooses it.
int FullTests(const CSeriesOptions& o) {
    if (o.full != -1) return o.full;
    if (!o.reference.empty()) return o.level == "full" ? 1 : 0;
    if (o.compare || o.level == "full") return o.starts;
    return 0;
}

nlohmann::json MethodJson(const CCycleSolver& s, const int* cycle, uint32_t ms) {
    return {{"cost", s.CycleCostOf(cycle)}, {"cycle", CycleJson(s, cycle)}, {"ms", ms}};
}

std::string TextPercent(double x) {
    if (std::isnan(x)) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.3f%%", x);
    return text;
}

nlohmann::json JsonNumber(double x) {
    return std::isfinite(x) ? nlohmann::json(x) : nlohmann::json(nullptr);
}

// series --reference optimum: what the series against the proven optimum prints.
void PrintOptimumSeries(const CSeriesOptions& o, const CSeriesSummary& summary, const nlohmann::json& runs) {
    if (o.json) {
        nlohmann::json out = {{"tests", summary.Tests()},
                              {"different_solutions", summary.Disagreements()},
                              {"optimum_found", summary.Agreements()},
                              {"mean_gap", JsonNumber(summary.MeanGap())},
                              {"worst_gap", JsonNumber(summary.WorstGap())},
                              {"total_ms", summary.PolynMs()},
                              {"optimum_ms", summary.ReferenceMs()},
                              {"runs", runs}};
        std::cout << JsonText(out) << '\n';
        return;
    }
    std::cout << "Tests: " << summary.Tests() << "\nOptimum found: " << summary.Agreements()
              << "\nDifferent solutions: " << summary.Disagreements()
              << "\nMean gap: " << TextPercent(summary.MeanGap())
              << "\nWorst gap: " << TextPercent(summary.WorstGap()) << '\n';
    std::string polynTime, optimumTime;
    FormatDuration(polynTime, static_cast<double>(summary.PolynMs()) / 1000.0);
    FormatDuration(optimumTime, static_cast<double>(summary.ReferenceMs()) / 1000.0);
    std::cout << "Polyn. Method time: " << polynTime << "\nOptimum time: " << optimumTime << '\n';
    if (CConsoleEvents::Interrupted()) std::cout << kTextTestingAborted << '\n';
}

// A problem's record as a worker of --jobs sends it.
std::string RecordText(const CProblemRecord& r) {
    nlohmann::json boxes = nlohmann::json::array();
    for (const CProblemRecord::CBox& box : r.aBoxes) boxes.push_back({static_cast<int>(box.kind), box.text});
    const CProblemRow& row = r.row;
    return nlohmann::json{{"row",
                           {row.nProblem, row.nPolynCost, row.dwPolynMs, row.bCompared, row.nReferenceCost,
                            row.dwReferenceMs, row.bAgree, JsonNumber(row.dGap)}},
                          {"done", {r.bReferenceDone, r.bPolynRan, r.bPolynDone, r.bStartsAgreed}},
                          {"counts", {r.nTests, r.nDiffSolutions, r.nCyclesFound, r.nAuxCount, r.dwPolynMs, r.nResults}},
                          {"boxes", boxes},
                          {"detail", r.strDetail}}
        .dump();
}

CProblemRecord RecordOf(const std::string& text) {
    const nlohmann::json j = nlohmann::json::parse(text);
    CProblemRecord r;
    const nlohmann::json& row = j.at("row");
    r.row = {row[0], row[1], row[2], row[3], row[4], row[5], row[6],
             row[7].is_null() ? kNoGap : row[7].get<double>()};
    const nlohmann::json& done = j.at("done");
    r.bReferenceDone = done[0];
    r.bPolynRan = done[1];
    r.bPolynDone = done[2];
    r.bStartsAgreed = done[3];
    const nlohmann::json& counts = j.at("counts");
    r.nTests = counts[0];
    r.nDiffSolutions = counts[1];
    r.nCyclesFound = counts[2];
    r.nAuxCount = counts[3];
    r.dwPolynMs = counts[4];
    r.nResults = counts[5];
    for (const nlohmann::json& box : j.at("boxes")) r.aBoxes.push_back({static_cast<EBoxKind>(box[0].get<int>()), box[1]});
    r.strDetail = j.at("detail");
    return r;
}

// One shard's problems into its file, each line written as the problem ends; the problems the
// file holds already are not run again. A stopped problem is not written.
int RunSeriesShard(CTestSeries& series, const CSeriesOptions& o, const CShardChoice& shard) {
    const bool resume = !o.resume.empty();
    const std::string file = resume ? o.resume : o.shardOut;
    const CBlockRange range = ShardBlocks(static_cast<uint64_t>(o.tests), shard.index, shard.count);
    const nlohmann::json header = ShardHeader(kSeriesShardCommand, shard, "problems", static_cast<uint64_t>(o.tests),
                                              range.first, range.end, SeriesFields(o));
    const CShardFile held = ReadHeldShard(file, resume, shard, header);
    std::vector<bool> done(static_cast<std::size_t>(o.tests) + 1, false);
    for (const nlohmann::json& item : held.items) done[item.at("end").get<std::size_t>()] = true;
    CShardWriter writer(file, resume, held.header.is_null() ? 0 : held.soundBytes);
    if (held.header.is_null()) writer.WriteLine(header);
    int count = static_cast<int>(held.items.size());
    bool stopped = false;
    if (series.BeginContinuous(o.tests, o.reference.empty() ? EReference::Exact : EReference::Optimum)) {
        for (int i = static_cast<int>(range.first) + 1; i <= static_cast<int>(range.end) && !stopped; ++i) {
            if (done[static_cast<std::size_t>(i)]) continue;
            const CProblemRecord record = series.RunProblem(i);
            stopped = CConsoleEvents::Interrupted();
            if (stopped) break;
            writer.WriteLine({{"first", i - 1}, {"end", i}, {"record", nlohmann::json::parse(RecordText(record))}});
            ++count;
        }
    }
    PrintShardAccount(shard, "problems", range.first, range.end, static_cast<uint64_t>(o.tests),
                      static_cast<uint64_t>(count), file);
    return stopped ? EXIT_INTERRUPTED : EXIT_OK;
}

// The series: here one problem after another, in worker processes (--jobs), as one shard into its
// file, or, with merged, from the files of all shards; then what the single run prints.
int RunSeries(const CSeriesOptions& o, const std::vector<CShardFile>* merged = nullptr) {
    Check(o);
    const std::optional<CShardChoice> shard = merged ? std::nullopt : SeriesShardOf(o);
    if (o.json && o.csv) throw CInputError("--csv: expected either --json or --csv, not both");
    const bool optimum = !o.reference.empty();
    if (optimum && o.csv) throw CInputError("--csv: expected without --reference optimum");
    CConsoleSession session(o.seed);
    const int kind = o.graph ? KIND_GRAPH : KIND_NETWORK;
    auto doc = NewConsoleDocument();
    doc->m_solver.m_nKind = kind;
    doc->InitKind(kind, o.nodes);
    if (!doc->m_solver.m_bAllocated)
        throw CInputError("--nodes " + std::to_string(o.nodes) + ": not enough memory: " +
                          doc->m_solver.m_strMemoryRefusal);
    RequireInsertTable(doc->m_solver);
    doc->AttachView(nullptr);
    // The identity cycle is the initial one, as a new window's document has it (a graph series
    // starts its polynomial method from it; no random start replaces it there).
    doc->m_solver.MakeInitialCycle(1, 0);
    doc->m_strNodes = std::to_string(o.nodes);
    doc->m_strAmplitude = std::to_string(o.graph ? o.degree : o.amplitude);
    doc->m_solver.m_nAmplitude = o.graph ? o.degree : o.amplitude;
    doc->m_strRandStarts = std::to_string(o.starts);
    doc->m_strFullTests = std::to_string(FullTests(o));

    CConsoleTimeField timeField(ProgressAsked());
    timeField.SetProgressLine("", [&doc, &o] {
        return std::to_string(doc->m_nTests) + " of " + std::to_string(o.tests) + " tests done";
    });
    CTextField finalField;
    CTestSeries series(*doc, timeField, finalField);
    // A problem's seed is its first draw: the one its random network or graph is made from (each
    // random start draws one more).
    series.m_seeds.emplace(o.seed, 1 + (o.starts > 1 ? o.starts : 0));
    if (optimum) series.m_fnOptimumProgress = OptimumProgressLine(ProgressAsked());
    const bool compared = optimum || (o.graph ? o.starts == 1 : o.starts == 1 && FullTests(o) != 0);
    nlohmann::json runs = nlohmann::json::array();
    std::vector<CSeriesPoint> points;  // for --svg
    int polynCycles = 0;               // graphs: Hamiltonian cycles the polynomial method found, for --svg
    if (o.csv) std::cout << SeriesCsvHeader("exact") << '\n';
    // The cycles of a problem are read while its solver holds them (in a worker with --jobs);
    // the rest as its record is folded, in the order of the problems.
    series.m_fnProblemDetail = [&](const CProblemRow& row) -> std::string {
        if (!o.json && !shard) return {};  // the runs are kept only for JSON
        const CCycleSolver& s = doc->m_solver;
        if (optimum)
            return nlohmann::json{{"polyn", MethodJson(s, s.m_aBest, row.dwPolynMs)},
                                  {"optimum", OptimumJson(s, doc->m_optimum, s.m_aSaved)},
                                  {"gap", JsonNumber(row.dGap)}}
                .dump();
        nlohmann::json run = {{"problem", row.nProblem},
                              {"seed", series.m_seeds->Draw(row.nProblem, 1)},
                              {"polyn", MethodJson(s, s.m_aBest, row.dwPolynMs)}};
        if (row.bCompared) {
            run["exact"] = MethodJson(s, s.m_aSaved, row.dwReferenceMs);
            run["agree"] = row.bAgree;
            run["gap"] = JsonNumber(row.dGap);
        }
        return run.dump();
    };
    series.m_fnProblemFolded = [&](const CProblemRecord& record) {
        const CProblemRow& row = record.row;
        if (!o.svg.empty()) {
            polynCycles += row.nPolynCost == 0;
            points.push_back({row.nProblem, row.dGap, static_cast<double>(row.dwPolynMs),
                              row.bCompared ? static_cast<double>(row.dwReferenceMs) : kNoGap});
        }
        if (o.csv) std::cout << SeriesCsvRow(row, series.m_seeds->Draw(row.nProblem, 1)) << '\n';  // streamed: memory stays flat
        if (o.json) runs.push_back(nlohmann::json::parse(record.strDetail));
    };
    const EReference against = optimum ? EReference::Optimum : EReference::Exact;
    if (shard) return RunSeriesShard(series, o, *shard);
    if (merged) {
        if (series.BeginContinuous(o.tests, against)) {
            for (const nlohmann::json* item : ItemsInOrder(*merged))
                if (!series.FoldProblem(RecordOf(item->at("record").dump()))) break;
            series.FinishContinuous();
        }
    } else if (o.jobs == 1) {
        series.ContinuousTest(o.tests, against);
    } else if (series.BeginContinuous(o.tests, against)) {
        RunInJobs(
            o.jobs, o.tests, [&](int i) { return RecordText(series.RunProblem(i)); },
            [&](int, const std::string& text) { return series.FoldProblem(RecordOf(text)); });
        series.FinishContinuous();
    }
    const CSeriesSummary& totals = series.m_summary;

    const std::string reference = optimum ? "optimum method" : "exact method";
    if (!o.svg.empty()) {
        const std::string what =
            o.graph ? "graphs of " + std::to_string(o.nodes) + " nodes, degree " + std::to_string(o.degree)
                    : "networks of " + std::to_string(o.nodes) + " nodes, amplitude " +
                          std::to_string(o.amplitude);
        const std::string tests = optimum ? o.level + " test"
                                          : std::to_string(o.starts) +
                                                (o.starts == 1 ? " start, " : " starts, ") +
                                                (FullTests(o) != 0 ? "full tests" : "short tests");
        WriteSvgFile(o.svg, SeriesPlotSvg({"series - " + std::to_string(points.size()) + " random " + what +
                                               ", seed " + std::to_string(o.seed),
                                           "polynomial method, " + tests,
                                           compared && !o.graph ? SeriesGapSummary(totals, reference)
                                           : o.graph ? "Hamiltonian cycles found by the polynomial method: " +
                                                           std::to_string(polynCycles) + " of " +
                                                           std::to_string(points.size()) + " graphs"
                                                     : "no exact method: times only"},
                                          points, reference));
    }
    if (optimum) {
        PrintOptimumSeries(o, totals, runs);
        return CConsoleEvents::Interrupted() ? EXIT_INTERRUPTED : EXIT_OK;
    }
    const std::string statistics = ConsoleText(doc->BuildStatistics(0));
    if (o.json) {
        nlohmann::json out = {{"tests", doc->m_nTests},
                              {"different_solutions", doc->m_nDiffSolutions},
                              {"cycles_found", doc->m_nCyclesFound},
                              {"total_ms", doc->m_dwPolynMs},
                              {"statistics", statistics},
                              {"aborted", CConsoleEvents::Interrupted()},
                              {"runs", runs}};
        if (compared)
            out.update({{"agreements", totals.Agreements()},
                        {"disagreements", totals.Disagreements()},
                        {"mean_gap", JsonNumber(totals.MeanGap())},
                        {"worst_gap", JsonNumber(totals.WorstGap())},
                        {"exact_ms", totals.ReferenceMs()}});
        std::cout << JsonText(out) << '\n';
    } else if (o.csv) {
        // The totals are one comment line after the rows, as in the survey's table.
        std::cout << "# summary: tests=" << doc->m_nTests << " polyn_ms=" << doc->m_dwPolynMs;
        if (compared)
            std::cout << " agreements=" << totals.Agreements() << " disagreements=" << totals.Disagreements()
                      << " mean_gap=" << CsvNumber(totals.MeanGap())
                      << " worst_gap=" << CsvNumber(totals.WorstGap())
                      << " exact_ms=" << totals.ReferenceMs();
        if (CConsoleEvents::Interrupted()) std::cout << " interrupted=yes";
        std::cout << '\n';
        for (const std::string& message : session.dialogs.messages)
            if (message != statistics) std::cerr << message << '\n';
    } else {
        // The boxes the windows would show, except the statistics box: its text closes the output.
        for (const std::string& message : session.dialogs.messages)
            if (message != statistics) std::cout << message << '\n';
        std::cout << statistics << '\n';
    }
    return CConsoleEvents::Interrupted() ? EXIT_INTERRUPTED : EXIT_OK;
}

}  // namespace

void AddSeriesCommand(CLI::App& app, int& status) {
    auto o = std::make_shared<CSeriesOptions>();
    CLI::App* cmd =
        app.add_subcommand("series", "A bounded continuous test of random problems, with its statistics");
    cmd->add_option("--nodes", o->nodes, "Node count (default 8)");
    cmd->add_option("--amplitude", o->amplitude, "Weights in -A..A (network, default 100)");
    cmd->add_flag("--graph", o->graph, "Random graphs (Gener2) instead of networks");
    cmd->add_option("--degree", o->degree, "Maximum degree of the graphs (default 3)");
    cmd->add_option("--tests", o->tests, "Number of problems (default 10)");
    cmd->add_option("--starts", o->starts, "Random starts per problem (default 1)");
    cmd->add_option("--full", o->full, "How many of the starts are full tests (0..starts)");
    cmd->add_flag("--compare", o->compare,
                  "Run the exact method on each problem too (needs --starts 1 and makes the tests full; "
                  "graphs with one start always compare)");
    cmd->add_option("--level", o->level,
                    "short|full: the test level of the polynomial method (default short)");
    cmd->add_option("--seed", o->seed, "Seed of the random generator (default 1)");
    cmd->add_flag("--json", o->json, "Print one JSON object");
    cmd->add_flag(
        "--csv", o->csv,
        "One CSV row per problem (seed, costs, times, agreement, gap), then a summary comment line");
    cmd->add_option("--svg", o->svg, "Plot each problem's gap and times as an SVG picture");
    cmd->add_option("--reference", o->reference,
                    "optimum: compare each polynomial result with the proven optimum (networks, --starts 1)");
    AddThreadsOption(cmd);
    AddJobsOption(cmd, o->jobs);
    cmd->add_option("--shard", o->shard, "K/N: run shard K of N of the problems (default: a Slurm array task's)");
    cmd->add_option("--shard-out", o->shardOut, "The shard's result file, new (merge the files with 'merge')");
    cmd->add_option("--resume", o->resume, "Continue the shard whose result file this is (or start it)");
    AddProgressOption(cmd);
    AddTimeLimitOption(cmd);
    cmd->callback([o, &status] { status = RunSeries(*o); });
}

int MergeSeriesShards(const std::vector<CShardFile>& files, bool json, bool csv) {
    CSeriesOptions o = SeriesOptionsOf(files.front().header);
    o.json = json;
    o.csv = csv;
    o.jobs = 1;
    return RunSeries(o, &files);
}
