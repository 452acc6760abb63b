// The subcommands of quira-cli. Each adds itself to the application; its callback stores the exit
// status in `status` and throws CInputError for bad input.
#pragma once

#include <vector>

#include <CLI/CLI.hpp>

void AddSolveCommand(CLI::App& app, int& status);
void AddRandomCommand(CLI::App& app, int& status);
void AddSeriesCommand(CLI::App& app, int& status);
void AddDocCommand(CLI::App& app, int& status);
void AddCheckCommand(CLI::App& app, int& status);
void AddMapCommand(CLI::App& app, int& status);
void AddSurveyCommand(CLI::App& app, int& status);
void AddMergeCommand(CLI::App& app, int& status);

// What `series` prints, from the result files of all its shards (read, of one run, covering every
// problem once): the problems' records folded in order.
struct CShardFile;
int MergeSeriesShards(const std::vector<CShardFile>& files, bool json, bool csv);
// What `survey` prints, from the result files of all its shards: their rows in order.
int MergeSurveyShards(const std::vector<CShardFile>& files, bool json, bool csv);
