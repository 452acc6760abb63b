// `quira-cli solve --method exact` in shards: one shard's blocks of the enumeration run into its
// result file (continued with --resume), and the merge of the files of all shards into what the
// single run prints.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/ShardFile.h"

class CCycleSolver;

// The command a header of these shards names.
constexpr const char* kExactShardCommand = "solve --method exact";

// One shard of an exact enumeration, as solve was asked for it.
struct CExactShardRun {
    CShardChoice shard;
    std::string file;
    bool resume = false;          // continue the file (or start it when it is missing or empty)
    uint64_t blocksPerLine = 0;   // 0: pieces of about 0.1 s of work
    nlohmann::json fields;        // "problem" and "options" of the header (ExactShardFields)
    bool json = false;
    bool force = false;           // run even when the shard's share of the estimate is a day or more
};

// The header's fields: the problem (node count, kind, maximum mode, a digest of the weights, and
// where it came from) and the options that shape the single run's output (level, initial cycle,
// the optimum or optimum tour of the gap).
nlohmann::json ExactShardFields(const CCycleSolver& solver, const std::string& source, const std::string& level,
                                const nlohmann::json& initial, const nlohmann::json& optimum,
                                const nlohmann::json& optimumTour);

// Runs the shard's blocks that its file does not hold yet, writing a line per finished piece, and
// prints the shard's account (its best cycle, how far it got). Returns the exit status.
int RunExactShard(CCycleSolver& solver, const CExactShardRun& run);

// Prints what the single `solve --method exact` run prints, from the files of all its shards (read,
// of one run, covering every block once): the cheapest cycle, of equal ones the one from the lowest
// block, and the shards' times summed.
int MergeExactShards(const std::vector<CShardFile>& files, bool json);
