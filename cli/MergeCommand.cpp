// quira-cli merge: the result files of the shards of one run, merged into what the single run
// prints. The files must be of one run (the same command, problem and options) and cover its parts
// once; the command in their header decides how their items are merged.
#include <iostream>
#include <memory>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/ExactShardRun.h"
#include "cli/ShardFile.h"

namespace {

struct CMergeOptions {
    std::vector<std::string> files;
    bool json = false;
    bool csv = false;
};

int RunMerge(const CMergeOptions& o) {
    std::vector<CShardFile> files;
    for (const std::string& path : o.files) {
        files.push_back(ReadShardFile(path));
        const CShardFile& file = files.back();
        if (file.tornTail)
            std::cerr << "quira-cli: " << path << ":" << file.items.size() + 2
                      << ": the last line was cut off (the shard was stopped while writing it) and is left out\n";
    }
    const CShardFile& first = files.front();
    for (const CShardFile& file : files) {
        if (const std::string field = HeaderDifference(first.header, file.header); !field.empty())
            throw CInputError("merge: " + file.path + " is of another run than " + first.path + " (its " + field +
                              " differs); expected the shards of one run");
    }
    const std::string command = first.header["command"].get<std::string>();
    if (command != kExactShardCommand && command != "series" && command != "survey")
        throw CInputError(first.path + ":1: command '" + command + "'; expected '" + kExactShardCommand +
                          "', 'series' or 'survey', the shards this quira-cli merges");
    if (o.json && o.csv) throw CInputError("--csv: expected either --json or --csv, not both");
    if (o.csv && command == kExactShardCommand)
        throw CInputError("--csv: expected with the shards of a series or a survey");
    CheckShardCoverage(files, first.header["parts"].value("unit", std::string("parts")));
    if (command == "series") return MergeSeriesShards(files, o.json, o.csv);
    if (command == "survey") return MergeSurveyShards(files, o.json, o.csv);
    return MergeExactShards(files, o.json);
}

}  // namespace

void AddMergeCommand(CLI::App& app, int& status) {
    auto o = std::make_shared<CMergeOptions>();
    CLI::App* cmd = app.add_subcommand(
        "merge", "Merge the result files of a run's shards into what the single run prints");
    cmd->add_option("files", o->files, "The result files of the shards (--shard-out, --resume)")->required();
    cmd->add_flag("--json", o->json, "Print one JSON object, as the single run does");
    cmd->add_flag("--csv", o->csv, "Print CSV, as the single series does");
    cmd->callback([o, &status] { status = RunMerge(*o); });
}
