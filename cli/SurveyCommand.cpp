// quira-cli survey: the polynomial method (and, where it is feasible, the exact method) over many
// published instances, one row per instance with its gap to the published optimum, and a summary.
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliCommon.h"
#include "cli/Jobs.h"
#include "cli/ShardFile.h"
#include "cli/Commands.h"
#include "cli/Commands.h"
#include "cli/ConsolePlatform.h"
#include "cli/DocCommon.h"
#include "cli/MethodRuns.h"
#include "cli/OptimumRun.h"
#include "cli/RunLimits.h"
#include "document/MainDoc.h"
#include "document/Outcome.h"
#include "document/SurveyInput.h"
#include "solver/CycleSolver.h"
#include "solver/ExactEstimate.h"
#include "solver/ExactShard.h"
#include "solver/ExactMethod.h"

namespace fs = std::filesystem;

namespace {

// The exact method is considered up to this many nodes: beyond it (n-1)! orders are out of reach
// on any machine, and the estimate's measuring run is not worth its time.
constexpr int kExactMaxNodes = 20;
// The header of an instance file stands in its first few kilobytes.
constexpr std::size_t kHeadBytes = 16 << 10;

struct CSurveyOptions {
    std::vector<std::string> inputs;
    std::string optima;
    std::string level = "short";
    std::string method = "polyn";
    std::optional<int> maxNodes;
    double exactLimit = 30.0;
    bool json = false;
    bool csv = false;
    int jobs = 0;  // 0: every hardware thread, or 1 with --progress
    std::string shard;     // K/N of the instances
    std::string shardOut;  // the shard's new result file
    std::string resume;    // the shard's result file to continue
};

enum class EState { Ran, Skipped, Failed, Interrupted };

const char* StateName(EState state) {
    switch (state) {
        case EState::Ran:
            return "ran";
        case EState::Skipped:
            return "skipped";
        case EState::Failed:
            return "failed";
        default:
            return "interrupted";
    }
}

struct CSurveyRow {
    std::string path;
    std::string file;  // the file name, as the optima table names it
    std::string stem;  // the file name without its extension: the row's label
    std::string name;  // the instance's NAME, or the stem
    std::string type;  // the distance type, empty when unknown
    int n = -1;        // -1: unknown
    EState state = EState::Failed;
    std::string reason;  // why the row was skipped or failed
    int cost = 0;
    std::optional<int> optimum;
    double gap = NAN;  // NaN without an optimum
    uint32_t ms = 0;
    int passes = 0;
    double loadMs = 0;
    // --method both
    bool exactRan = false;
    bool exactAborted = false;
    int exactCost = 0;
    uint32_t exactMs = 0;
    bool exactAgrees = false;  // the Compare verdict of the two methods
    std::string exactSkipped;  // why the exact method did not run
};

double MsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

std::string ReadHead(const std::string& path) {
    return ReadFileHead(path, kHeadBytes);
}

bool HasTspExtension(const fs::path& path) {
    std::string ext = path.extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".tsp";
}

// The instance files of the arguments, in order; a folder gives its instance files sorted by name:
// those named *.tsp and other text files that open as an instance (tour files excepted). The optima
// table is never an instance.
std::vector<std::string> CollectInstances(const CSurveyOptions& o) {
    std::vector<std::string> files;
    std::error_code error;
    const fs::path table = o.optima.empty() ? fs::path() : fs::weakly_canonical(o.optima, error);
    for (const std::string& input : o.inputs) {
        if (fs::is_directory(input, error)) {
            std::vector<fs::path> found;
            for (const fs::directory_entry& entry : fs::directory_iterator(input, error)) {
                if (!entry.is_regular_file(error)) continue;
                if (!table.empty() && fs::weakly_canonical(entry.path(), error) == table) continue;
                if (HasTspExtension(entry.path())) {
                    found.push_back(entry.path());
                    continue;
                }
                const CInstanceHeader header = ReadInstanceHeader(ReadHead(entry.path().string()));
                if (header.instanceText && !IsTourType(header.type)) found.push_back(entry.path());
            }
            if (error) throw CInputError(input + ": cannot read the folder: " + error.message());
            std::sort(found.begin(), found.end(),
                      [](const fs::path& a, const fs::path& b) { return a.filename() < b.filename(); });
            for (const fs::path& path : found) files.push_back(path.string());
        } else if (fs::exists(input, error)) {
            files.push_back(input);
        } else {
            throw CInputError(input + ": no such file or folder; expected instance files or folders of them");
        }
    }
    if (files.empty())
        throw CInputError("survey: no instance files found; expected *.tsp files or folders of them");
    return files;
}

// The reason of a CInputError about a file, without the file name it opens with.
std::string ReasonOf(const CInputError& e, const std::string& path) {
    std::string text = e.what();
    if (text.rfind(path + ": ", 0) == 0) text.erase(0, path.size() + 2);
    return text;
}

std::string Seconds(double ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f s", ms / 1000.0);
    return text;
}

// A gap in percent; a gap to an optimum of 0 has none.
std::string Percent(double gap) {
    if (std::isnan(gap)) return "none";
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", gap);
    return text;
}

// The progress of one instance on standard error: "[3/33] berlin52 (52 nodes) ..." once it is
// loaded, and its result. On a pipe or file without --progress the two halves make one line; on a
// terminal the time field's line replaces the first half while a method runs, so the whole line is
// written again at the end; with --progress on a pipe the first half is a line of its own, followed
// by the once-a-second lines of the run.
class CSurveyProgress {
public:
    // With capture (a worker of --jobs) the text is kept there, in the form of a pipe without
    // --progress, for the command to write as it takes the row.
    CSurveyProgress(std::string tag, bool progress, std::string* capture = nullptr)
        : m_tag(std::move(tag)),
          m_bTerminal(capture == nullptr && isatty(STDERR_FILENO) != 0),
          m_bLines(progress && !m_bTerminal && capture == nullptr),
          m_pCapture(capture) {}
    void Announce(int nodes) {
        m_announced = m_tag + " (" + std::to_string(nodes) + " nodes) ...";
        Write(m_bLines ? m_announced + "\n" : m_announced);
    }
    void Result(const std::string& result) {
        if (m_announced.empty())
            Write(m_tag + " ... " + result + "\n");
        else if (m_bTerminal || m_bLines)
            Write((m_bTerminal ? "\r\033[K" : "") + m_announced + " " + result + "\n");
        else
            Write(" " + result + "\n");
    }
    // The label of the time field's line while a method runs.
    std::string Label(const char* method) const { return m_tag + " " + method; }

private:
    void Write(const std::string& text) {
        if (m_pCapture) {
            *m_pCapture += text;
            return;
        }
        std::fputs(text.c_str(), stderr);
        std::fflush(stderr);
    }

    std::string m_tag;
    std::string m_announced;
    bool m_bTerminal;
    bool m_bLines;
    std::string* m_pCapture;
};

// The console's time field with the survey's label: the instance and its best cost so far.
class CSurveyTimeField : public CConsoleTimeField {
public:
    CSurveyTimeField(bool progress, const CCycleSolver& solver)
        : CConsoleTimeField(progress), m_solver(solver) {}
    // exact: the line also tells the share of the orders done and the time left.
    void SetLabel(std::string label, bool exact) {
        m_label = std::move(label);
        m_bExact = exact;
    }
    void SetText(std::string_view text) override {
        SetProgressLine(m_label, [this] {
            std::string detail = "best (" + std::to_string(m_solver.m_nBestCost) + ")";
            if (m_bExact)
                detail += "  " + ExactShareText(m_solver.m_nOrdersDone, m_solver.m_nNodes,
                                                (NowMs() - m_solver.m_dwRunStart) / 1000.0);
            return detail;
        });
        CConsoleTimeField::SetText(text);
    }

private:
    const CCycleSolver& m_solver;
    std::string m_label;
    bool m_bExact = false;
};

// Loads and runs one instance.
void SurveyOne(CSurveyRow& row, const CSurveyOptions& o, const COptimaTable& table, int level,
               CSurveyProgress& progress) {
    const auto start = std::chrono::steady_clock::now();
    std::error_code error;
    if (!fs::is_regular_file(row.path, error)) {  // a FIFO would wait for a writer
        row.reason = "not a regular file; expected an instance file";
        return;
    }
    const CInstanceHeader header = ReadInstanceHeader(ReadHead(row.path));
    row.type = header.weightType;
    if (header.dimension >= 0 && header.dimension <= INT_MAX) row.n = static_cast<int>(header.dimension);
    auto fail = [&](EState state, const std::string& reason) {
        row.state = state;
        row.reason = reason;
        row.loadMs = MsSince(start);
    };
    if (IsTourType(header.type))
        return fail(EState::Failed, "a tour file (TYPE : " + header.type + "); expected an instance file");
    if (!header.type.empty() && header.type.substr(0, header.type.find_first_of(" \t(")) != "TSP")
        return fail(EState::Failed, "TYPE " + header.type + "; expected TSP, the symmetric problem");
    if (o.maxNodes && header.dimension > *o.maxNodes)
        return fail(EState::Skipped, std::to_string(header.dimension) + " nodes; more than --max-nodes " +
                                         std::to_string(*o.maxNodes));
    if (header.dimension > MAX_SOLVER_NODES)
        return fail(EState::Failed, std::to_string(header.dimension) + " nodes; expected at most " +
                                        std::to_string(MAX_SOLVER_NODES) + " (the solver's limit)");
    auto doc = NewConsoleDocument();
    CCycleSolver& solver = doc->m_solver;
    doc->m_nDocKind = solver.m_nKind = KIND_NETWORK;
    try {
        row.name = LoadInstanceInto(solver, row.path, &row.type);
    } catch (const CInputError& e) {
        return fail(EState::Failed, ReasonOf(e, row.path));
    }
    row.loadMs = MsSince(start);
    row.n = solver.m_nNodes;
    progress.Announce(row.n);
    if (o.maxNodes && row.n > *o.maxNodes)
        return fail(EState::Skipped,
                    std::to_string(row.n) + " nodes; more than --max-nodes " + std::to_string(*o.maxNodes));
    if (const COptimaRow* entry = table.Find(row.file)) {
        if (entry->dimension != row.n) {
            row.state = EState::Failed;
            row.reason = o.optima + ":" + std::to_string(entry->line) + " gives " +
                         std::to_string(entry->dimension) + " nodes; the instance has " +
                         std::to_string(row.n);
            return;
        }
        row.optimum = entry->optimum;
    }

    // As `solve --instance` runs it: a minimum, amplitude 100, the identity cycle, mode 1.
    solver.m_bMaximum = 0;
    solver.m_nAmplitude = 100;
    solver.m_bGraphView = 0;
    solver.m_nTestLevel = level;
    solver.MakeInitialCycle(0, 0);
    CSurveyTimeField timeField(ProgressAsked(), solver);
    CTextField costField;
    timeField.SetLabel(progress.Label("polyn"), false);
    if (!solver.EnsureInsertTable()) {
        row.state = EState::Failed;
        row.reason = "the polynomial method needs more memory than may be taken: " + solver.m_strMemoryRefusal;
        return;
    }
    const CMethodResult r = RunPolyn(solver, 1, timeField, costField);
    row.cost = r.cost;
    row.ms = r.ms;
    row.passes = solver.m_nPassesRun;
    if (row.optimum) row.gap = GapToReference(row.cost, *row.optimum, false);
    row.state = r.aborted ? EState::Interrupted : EState::Ran;
    if (o.method != "both" || r.aborted) return;

    if (row.n > kExactMaxNodes) {
        row.exactSkipped = std::to_string(row.n) + " nodes; the exact method is tried up to " +
                           std::to_string(kExactMaxNodes);
        return;
    }
    // The estimate of the run as --jobs 1 makes it, so that the rows do not depend on --jobs.
    const int threads = g_nExactThreads;
    g_nExactThreads = AskedExactThreads();
    const double estimate = EstimateExactRunSeconds(solver);
    g_nExactThreads = threads;
    if (estimate > o.exactLimit) {
        std::string text, limit;
        FormatDuration(text, estimate);
        FormatDuration(limit, o.exactLimit);
        row.exactSkipped = "estimate " + text + " exceeds --exact-limit " + limit;
        return;
    }
    timeField.SetLabel(progress.Label("exact"), true);
    const CMethodResult e = RunExact(solver, timeField, costField);
    row.exactRan = true;
    row.exactAborted = e.aborted;
    row.exactCost = e.cost;
    row.exactMs = e.ms;
    row.exactAgrees = !e.aborted && CompareVerdictOf(KIND_NETWORK, row.cost, e.cost).bAgree;
    if (e.aborted) row.state = EState::Interrupted;
}

// The progress line's result part.
std::string ProgressResult(const CSurveyRow& row) {
    if (row.state == EState::Skipped || row.state == EState::Failed)
        return std::string(StateName(row.state)) + ": " + row.reason;
    std::string text = std::to_string(row.cost);
    if (row.optimum)
        text += " (optimum " + std::to_string(*row.optimum) + ", gap " + Percent(row.gap) + " %)";
    text += ", " + Seconds(row.ms) + ", passes " + std::to_string(row.passes);
    if (row.exactRan)
        text += "; exact " + std::to_string(row.exactCost) + ", " + Seconds(row.exactMs);
    else if (!row.exactSkipped.empty())
        text += "; exact skipped: " + row.exactSkipped;
    if (row.state == EState::Interrupted) text += "; interrupted";
    return text;
}

struct CSummary {
    int instances = 0, ran = 0, skipped = 0, failed = 0, withOptimum = 0, reached = 0;
    int exactRuns = 0, agreements = 0;
    double meanGap = NAN, worstGap = NAN;
    std::string worstName;
    double totalMs = 0, polynMs = 0, exactMs = 0, loadMs = 0;
    bool interrupted = false;
    double LoadShare() const { return totalMs > 0 ? 100.0 * loadMs / totalMs : 0.0; }
};

// The summary of the rows that ran: the gaps to the published optima, and the exact method's runs
// with their agreements, each fed to the core's series summary in the rows' order.
CSummary Summarize(const std::vector<CSurveyRow>& rows, double totalMs, bool interrupted) {
    CSummary s;
    s.instances = static_cast<int>(rows.size());
    s.totalMs = totalMs;
    s.interrupted = interrupted;
    CSeriesSummary gaps, exact;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const CSurveyRow& row = rows[k];
        s.loadMs += row.loadMs;
        if (row.state == EState::Skipped) ++s.skipped;
        if (row.state == EState::Failed) ++s.failed;
        if (row.state != EState::Ran && row.state != EState::Interrupted) continue;
        CProblemRow gap;
        gap.nProblem = static_cast<int>(k) + 1;
        gap.nPolynCost = row.cost;
        gap.dwPolynMs = row.ms;
        gap.bCompared = row.optimum && !std::isnan(row.gap);
        gap.nReferenceCost = row.optimum.value_or(0);
        gap.dGap = gap.bCompared ? row.gap : kNoGap;
        gaps.Add(gap);
        if (!row.exactRan) continue;
        CProblemRow run;
        run.nProblem = gap.nProblem;
        run.bCompared = true;
        run.bAgree = row.exactAgrees;
        run.dwReferenceMs = row.exactMs;
        exact.Add(run);
    }
    s.ran = gaps.Tests();
    s.polynMs = static_cast<double>(gaps.PolynMs());
    s.withOptimum = gaps.Gaps();
    s.reached = gaps.Reached();
    s.meanGap = gaps.MeanGap();
    s.worstGap = gaps.WorstGap();
    if (gaps.Gaps() != 0 && gaps.WorstGap() > 0)
        s.worstName = rows[static_cast<std::size_t>(gaps.WorstProblem() - 1)].stem;
    s.exactRuns = exact.Compared();
    s.agreements = exact.Agreements();
    s.exactMs = static_cast<double>(exact.ReferenceMs());
    return s;
}

nlohmann::json Number(double value) {
    return std::isfinite(value) ? nlohmann::json(value) : nlohmann::json(nullptr);
}

nlohmann::json RowJson(const CSurveyRow& row, bool both) {
    nlohmann::json j = {{"file", row.file},
                        {"name", row.name},
                        {"n", row.n >= 0 ? nlohmann::json(row.n) : nlohmann::json(nullptr)},
                        {"type", row.type.empty() ? nlohmann::json(nullptr) : nlohmann::json(row.type)},
                        {"status", StateName(row.state)},
                        {"load_ms", row.loadMs}};
    if (row.state == EState::Skipped || row.state == EState::Failed) {
        j["reason"] = row.reason;
        return j;
    }
    j["cost"] = row.cost;
    j["optimum"] = row.optimum ? nlohmann::json(*row.optimum) : nlohmann::json(nullptr);
    j["gap"] = Number(row.gap);
    j["ms"] = row.ms;
    j["passes"] = row.passes;
    if (both) {
        if (row.exactRan)
            j["exact"] = {{"cost", row.exactCost},
                          {"ms", row.exactMs},
                          {"aborted", row.exactAborted},
                          {"agree", row.exactAgrees}};
        else if (!row.exactSkipped.empty())
            j["exact"] = {{"skipped", row.exactSkipped}};
    }
    return j;
}

nlohmann::json SummaryJson(const CSummary& s) {
    return {{"instances", s.instances},
            {"ran", s.ran},
            {"skipped", s.skipped},
            {"failed", s.failed},
            {"with_optimum", s.withOptimum},
            {"optimum_reached", s.reached},
            {"mean_gap", Number(s.meanGap)},
            {"worst_gap", Number(s.worstGap)},
            {"worst", s.worstName.empty() ? nlohmann::json(nullptr) : nlohmann::json(s.worstName)},
            {"total_ms", s.totalMs},
            {"polyn_ms", s.polynMs},
            {"exact_runs", s.exactRuns},
            {"exact_agreements", s.agreements},
            {"exact_ms", s.exactMs},
            {"load_ms", s.loadMs},
            {"load_share", s.LoadShare()},
            {"interrupted", s.interrupted}};
}

// A CSV field, quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\n\r") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

void PrintCsv(const std::vector<CSurveyRow>& rows, const CSummary& s, bool both) {
    std::cout << "file,name,n,type,status,cost,optimum,gap,ms,passes,load_ms,reason";
    if (both) std::cout << ",exact_cost,exact_ms,agree";
    std::cout << '\n';
    char load[32];
    for (const CSurveyRow& row : rows) {
        const bool ran = row.state == EState::Ran || row.state == EState::Interrupted;
        std::snprintf(load, sizeof load, "%.3f", row.loadMs);
        std::cout << CsvField(row.file) << ',' << CsvField(row.name) << ','
                  << (row.n >= 0 ? std::to_string(row.n) : "") << ',' << CsvField(row.type) << ','
                  << StateName(row.state) << ',' << (ran ? std::to_string(row.cost) : "") << ','
                  << (ran && row.optimum ? std::to_string(*row.optimum) : "") << ','
                  << (ran && row.optimum && !std::isnan(row.gap) ? Percent(row.gap) : "") << ','
                  << (ran ? std::to_string(row.ms) : "") << ',' << (ran ? std::to_string(row.passes) : "")
                  << ',' << load << ','
                  << CsvField(ran ? row.exactSkipped.empty() ? "" : "exact skipped: " + row.exactSkipped
                                  : row.reason);
        if (both) {
            if (row.exactRan)
                std::cout << ',' << row.exactCost << ',' << row.exactMs << ','
                          << (row.exactAgrees ? "yes" : "no");
            else
                std::cout << ",,,";
        }
        std::cout << '\n';
    }
    // The summary is one comment line after the rows, so that the table stays one kind of row.
    char line[512];
    std::snprintf(line, sizeof line,
                  "# summary: instances=%d ran=%d skipped=%d failed=%d with_optimum=%d optimum_reached=%d "
                  "mean_gap=%s worst_gap=%s total_ms=%.0f load_ms=%.3f load_share=%.3f",
                  s.instances, s.ran, s.skipped, s.failed, s.withOptimum, s.reached,
                  std::isnan(s.meanGap) ? "" : Percent(s.meanGap).c_str(),
                  std::isnan(s.worstGap) ? "" : Percent(s.worstGap).c_str(), s.totalMs, s.loadMs,
                  s.LoadShare());
    std::cout << line;
    if (both) std::cout << " exact_runs=" << s.exactRuns << " exact_agreements=" << s.agreements;
    if (s.interrupted) std::cout << " interrupted=yes";
    std::cout << '\n';
}

std::string SummaryText(const CSummary& s, bool both) {
    std::ostringstream text;
    text << "Survey: " << s.instances << " instances, " << s.ran << " run, " << s.skipped << " skipped, "
         << s.failed << " failed";
    if (s.interrupted) text << ", interrupted";
    text << "; optimum reached on " << s.reached << " of " << s.withOptimum << " with an optimum";
    if (s.withOptimum > 0)
        text << "; mean gap " << Percent(s.meanGap) << " %, worst " << Percent(s.worstGap) << " %"
             << (s.worstGap > 0 ? " (" + s.worstName + ")" : "");
    if (both) text << "; exact method on " << s.exactRuns << ", agreeing on " << s.agreements;
    char share[32];
    std::snprintf(share, sizeof share, "%.2f %%", s.LoadShare());
    text << "; total " << Seconds(s.totalMs) << ", loading " << Seconds(s.loadMs) << " (" << share << ")";
    return text.str();
}

void PrintText(const std::vector<CSurveyRow>& rows, const CSummary& s, bool both) {
    std::size_t width = 8;
    for (const CSurveyRow& row : rows) width = std::max(width, row.stem.size());
    const int w = static_cast<int>(width);
    char line[256];
    std::snprintf(line, sizeof line, "%-*s %5s  %-9s %10s %10s %9s %10s %6s", w, "instance", "n", "type",
                  "cost", "optimum", "gap %", "time", "passes");
    std::cout << line;
    if (both) std::cout << "  exact";
    std::cout << '\n';
    for (const CSurveyRow& row : rows) {
        const std::string n = row.n >= 0 ? std::to_string(row.n) : "-";
        const std::string type = row.type.empty() ? "-" : row.type;
        if (row.state == EState::Skipped || row.state == EState::Failed) {
            std::snprintf(line, sizeof line, "%-*s %5s  %-9s ", w, row.stem.c_str(), n.c_str(), type.c_str());
            std::cout << line << StateName(row.state) << ": " << row.reason << '\n';
            continue;
        }
        std::snprintf(line, sizeof line, "%-*s %5s  %-9s %10d %10s %9s %10s %6d", w, row.stem.c_str(),
                      n.c_str(), type.c_str(), row.cost,
                      row.optimum ? std::to_string(*row.optimum).c_str() : "-",
                      row.optimum ? Percent(row.gap).c_str() : "-", Seconds(row.ms).c_str(), row.passes);
        std::cout << line;
        if (both) {
            if (row.exactRan)
                std::cout << "  " << row.exactCost << " in " << Seconds(row.exactMs)
                          << (row.exactAborted  ? ", interrupted"
                              : row.exactAgrees ? ", agrees"
                                                : ", differs");
            else if (!row.exactSkipped.empty())
                std::cout << "  skipped: " << row.exactSkipped;
        }
        if (row.state == EState::Interrupted) std::cout << "  (interrupted)";
        std::cout << '\n';
    }
    std::cout << SummaryText(s, both) << '\n';
}

// A row as a worker of --jobs sends it: every field, so that the row printed is the one made.
std::string RowText(const CSurveyRow& r) {
    return nlohmann::json{r.path, r.file, r.stem, r.name, r.type, r.n, static_cast<int>(r.state), r.reason,
                          r.cost, r.optimum ? nlohmann::json(*r.optimum) : nlohmann::json(nullptr),
                          Number(r.gap), r.ms, r.passes, r.loadMs, r.exactRan, r.exactAborted, r.exactCost,
                          r.exactMs, r.exactAgrees, r.exactSkipped}
        .dump();
}

CSurveyRow RowOf(const std::string& text) {
    const nlohmann::json j = nlohmann::json::parse(text);
    CSurveyRow r;
    r.path = j[0];
    r.file = j[1];
    r.stem = j[2];
    r.name = j[3];
    r.type = j[4];
    r.n = j[5];
    r.state = static_cast<EState>(j[6].get<int>());
    r.reason = j[7];
    r.cost = j[8];
    if (!j[9].is_null()) r.optimum = j[9].get<int>();
    r.gap = j[10].is_null() ? NAN : j[10].get<double>();
    r.ms = j[11];
    r.passes = j[12];
    r.loadMs = j[13];
    r.exactRan = j[14];
    r.exactAborted = j[15];
    r.exactCost = j[16];
    r.exactMs = j[17];
    r.exactAgrees = j[18];
    r.exactSkipped = j[19];
    return r;
}

// The options and instances that shape a survey's rows, as a shard's header keeps them.
nlohmann::json SurveyFields(const CSurveyOptions& o, const std::vector<std::string>& files) {
    return {{"options",
             {{"optima", o.optima},
              {"level", o.level},
              {"method", o.method},
              {"max_nodes", o.maxNodes ? nlohmann::json(*o.maxNodes) : nlohmann::json(nullptr)},
              {"exact_limit", o.exactLimit},
              {"files", files}}}};
}

// The survey: here, in worker processes (--jobs), as one shard into its file, or, with merged, from
// the files of all shards (their rows in order, the shards' times summed); then its output.
int RunSurvey(const CSurveyOptions& o, const std::vector<CShardFile>* merged = nullptr) {
    const int level = ParseLevel(o.level);
    if (o.method != "polyn" && o.method != "both")
        throw CInputError("--method " + o.method + ": expected polyn or both");
    if (o.json && o.csv) throw CInputError("--csv: expected either --json or --csv, not both");
    if (o.maxNodes && *o.maxNodes < 1)
        throw CInputError("--max-nodes " + std::to_string(*o.maxNodes) + ": expected 1 or more");
    if (!(o.exactLimit >= 0) || !std::isfinite(o.exactLimit))
        throw CInputError("--exact-limit: expected a number of seconds of 0 or more");
    COptimaTable table;
    if (!o.optima.empty()) {
        table = ReadOptimaTable(ReadInputFile(o.optima, "an optima table", kMaxMatrixBytes), o.optima);
        if (!table.error.empty()) throw CInputError(table.error);
    }
    const std::vector<std::string> files =
        merged ? merged->front().header.at("options").at("files").get<std::vector<std::string>>() : CollectInstances(o);
    std::optional<CShardChoice> shard;
    if (!merged && (!o.shard.empty() || !o.shardOut.empty() || !o.resume.empty())) {
        if (o.shardOut.empty() == o.resume.empty())
            throw CInputError("--shard: expected either --shard-out FILE (a new shard) or --resume FILE");
        if (o.json || o.csv) throw CInputError("--shard: a shard writes its file; expected --json and --csv with merge");
        shard = o.shard.empty() ? ShardFromSlurm() : ParseShardOption(o.shard);
        if (!shard)
            throw CInputError("--shard-out/--resume: expected --shard K/N, or the variables of a Slurm array task "
                              "(SLURM_ARRAY_TASK_ID)");
    }

    CConsoleSession session(1);
    const auto start = std::chrono::steady_clock::now();
    std::vector<CSurveyRow> rows;
    bool interrupted = false;
    const int count = static_cast<int>(files.size());
    auto survey = [&](int k, std::string* capture) {  // instance k, from 0
        CSurveyRow row;
        row.path = files[static_cast<std::size_t>(k)];
        row.file = fs::path(row.path).filename().string();
        row.stem = row.name = fs::path(row.path).stem().string();
        CSurveyProgress progress("[" + std::to_string(k + 1) + "/" + std::to_string(count) + "] " + row.stem,
                                 ProgressAsked(), capture);
        SurveyOne(row, o, table, level, progress);
        progress.Result(ProgressResult(row));
        return row;
    };
    auto keep = [&](CSurveyRow row) {  // false once the survey ends
        interrupted = row.state == EState::Interrupted;
        rows.push_back(std::move(row));
        return !interrupted;
    };
    double shardMs = 0;  // merged: the shards' own times, summed
    // With --progress the once-a-second lines of one instance at a time, unless --jobs says otherwise.
    const int jobs = o.jobs != 0 ? o.jobs : ProgressAsked() ? 1 : DefaultJobs();
    if (shard) {
        const std::string file = o.resume.empty() ? o.shardOut : o.resume;
        const CBlockRange range = ShardBlocks(static_cast<uint64_t>(count), shard->index, shard->count);
        const nlohmann::json header = ShardHeader("survey", *shard, "instances", static_cast<uint64_t>(count),
                                                  range.first, range.end, SurveyFields(o, files));
        const CShardFile held = ReadHeldShard(file, !o.resume.empty(), *shard, header);
        std::vector<bool> done(static_cast<std::size_t>(count), false);
        for (const nlohmann::json& item : held.items) done[item.at("first").get<std::size_t>()] = true;
        CShardWriter writer(file, !o.resume.empty(), held.header.is_null() ? 0 : held.soundBytes);
        if (held.header.is_null()) writer.WriteLine(header);
        std::size_t finished = held.items.size();
        for (int k = static_cast<int>(range.first); k < static_cast<int>(range.end) && !interrupted; ++k) {
            if (done[static_cast<std::size_t>(k)]) continue;
            const auto itemStart = std::chrono::steady_clock::now();
            const CSurveyRow row = survey(k, nullptr);
            interrupted = row.state == EState::Interrupted || CConsoleEvents::Interrupted();
            if (interrupted) break;
            writer.WriteLine({{"first", k}, {"end", k + 1}, {"row", nlohmann::json::parse(RowText(row))},
                              {"ms", MsSince(itemStart)}});
            ++finished;
        }
        PrintShardAccount(*shard, "instances", range.first, range.end, static_cast<uint64_t>(count), finished,
                          file);
        return interrupted ? EXIT_INTERRUPTED : EXIT_OK;
    }
    if (merged) {
        for (const nlohmann::json* item : ItemsInOrder(*merged)) {
            shardMs += item->at("ms").get<double>();
            keep(RowOf(item->at("row").dump()));
        }
    } else if (jobs == 1 || count < 2) {
        for (int k = 0; k < count && !interrupted; ++k) {
            if (CConsoleEvents::Interrupted() || CConsoleEvents::InterruptPending()) {
                interrupted = true;
                break;
            }
            keep(survey(k, nullptr));
        }
    } else {
        // Each instance's line of progress is written as its row is taken, in the order of the rows.
        RunInJobs(
            jobs, count,
            [&](int i) {
                std::string progress;
                const CSurveyRow row = survey(i - 1, &progress);
                return nlohmann::json{{"row", nlohmann::json::parse(RowText(row))}, {"progress", progress}}.dump();
            },
            [&](int, const std::string& text) {
                const nlohmann::json j = nlohmann::json::parse(text);
                std::fputs(j.at("progress").get<std::string>().c_str(), stderr);
                std::fflush(stderr);
                return keep(RowOf(j.at("row").dump()));
            });
        // A worker stopped before its next instance: the survey was stopped there.
        if (!interrupted && static_cast<int>(rows.size()) < count) interrupted = true;
    }
    const CSummary summary = Summarize(rows, merged ? shardMs : MsSince(start), interrupted);
    const bool both = o.method == "both";
    if (o.json) {
        nlohmann::json out = {{"level", o.level}, {"method", o.method}, {"rows", nlohmann::json::array()}};
        for (const CSurveyRow& row : rows) out["rows"].push_back(RowJson(row, both));
        out["summary"] = SummaryJson(summary);
        std::cout << JsonText(out) << '\n';
    } else if (o.csv) {
        PrintCsv(rows, summary, both);
    } else {
        PrintText(rows, summary, both);
    }
    if (interrupted) return EXIT_INTERRUPTED;
    return summary.failed > 0 ? EXIT_ROWS_FAILED : EXIT_OK;
}

}  // namespace

void AddSurveyCommand(CLI::App& app, int& status) {
    auto o = std::make_shared<CSurveyOptions>();
    CLI::App* cmd = app.add_subcommand(
        "survey", "The polynomial method over many published instances, with the gap to each optimum");
    cmd->add_option("inputs", o->inputs, "Instance files, or folders of them (every *.tsp inside)")
        ->required();
    cmd->add_option("--optima", o->optima,
                    "A tab-separated table of published optima (the layout of OPTIMA.tsv)");
    cmd->add_option("--level", o->level, "short|full: the polynomial method's test level (default short)");
    cmd->add_option("--method", o->method,
                    "polyn|both: both adds the exact method where its estimate is within --exact-limit");
    cmd->add_option("--exact-limit", o->exactLimit,
                    "Seconds the exact method may take by its estimate (default 30; --method both)");
    cmd->add_option("--max-nodes", o->maxNodes, "Skip instances of more nodes");
    cmd->add_flag("--json", o->json, "Print one JSON object: rows and summary");
    cmd->add_flag("--csv", o->csv, "Print CSV: a header, one line per instance, a '#' summary line");
    AddThreadsOption(cmd);
    AddJobsOption(cmd, o->jobs);
    cmd->add_option("--shard", o->shard, "K/N: run shard K of N of the instances (default: a Slurm array task's)");
    cmd->add_option("--shard-out", o->shardOut, "The shard's result file, new (merge the files with 'merge')");
    cmd->add_option("--resume", o->resume, "Continue the shard whose result file this is (or start it)");
    AddProgressOption(cmd);
    AddTimeLimitOption(cmd);
    cmd->callback([o, &status] { status = RunSurvey(*o); });
}

int MergeSurveyShards(const std::vector<CShardFile>& files, bool json, bool csv) {
    const nlohmann::json& f = files.front().header.at("options");
    CSurveyOptions o;
    o.optima = f.at("optima");
    o.level = f.at("level");
    o.method = f.at("method");
    if (!f.at("max_nodes").is_null()) o.maxNodes = f.at("max_nodes").get<int>();
    o.exactLimit = f.at("exact_limit");
    o.json = json;
    o.csv = csv;
    return RunSurvey(o, &files);
}
