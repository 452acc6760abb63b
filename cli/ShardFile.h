// The result file of a shard (docs/file-formats.md): one JSON object per line, a header line naming
// the command, the shard, the parts of the whole run and the problem with the options that shape
// its output, then one line per finished item, each holding the parts [first, end) it covers and
// what the merge needs of them. The file is written line by line, so a shard that is killed loses
// at most the item in progress; its torn last line, if any, is left out when the file is read.
//
// Which shard a process runs: --shard K/N, or a Slurm array task's variables.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

// Shard k (1 to count) of a run.
struct CShardChoice {
    int index = 1;
    int count = 1;
};

// "K/N" with 1 <= K <= N, or CInputError naming the option and what was expected.
CShardChoice ParseShardOption(const std::string& text);
// The shard of a Slurm array task: SLURM_ARRAY_TASK_ID less SLURM_ARRAY_TASK_MIN (0 when unset)
// plus one, of SLURM_ARRAY_TASK_COUNT (or MAX - MIN + 1) shards. Nothing when no array task id is
// set; CInputError for values that make no contiguous array of shards.
std::optional<CShardChoice> ShardFromSlurm();

// A shard file as read.
struct CShardFile {
    std::string path;
    nlohmann::json header;
    CShardChoice shard;
    uint64_t parts = 0;           // of the whole run
    uint64_t first = 0, end = 0;  // the shard's parts
    std::vector<nlohmann::json> items;
    std::vector<int> itemLines;  // the line of each item, for messages
    bool tornTail = false;       // the last line was cut off (the shard was killed while writing it)
    std::size_t soundBytes = 0;  // the bytes up to the last whole line
};

// The format's name and version in every header.
constexpr const char* kShardFormat = "quira-shard";
constexpr int kShardVersion = 1;

// A header: format, version, the command, the shard, the parts ({"unit", "count", "first", "end"})
// and the command's own fields (problem, options).
nlohmann::json ShardHeader(const std::string& command, const CShardChoice& shard, const std::string& unit,
                           uint64_t parts, uint64_t first, uint64_t end, const nlohmann::json& fields);

// Reads a shard file: the header and every whole item line, each item's parts within the shard's.
// A fault is CInputError naming FILE:LINE and what was expected. An empty or missing file, or one
// whose header line was cut off, is an error unless allowMissing, which gives a file of no header
// (header null).
CShardFile ReadShardFile(const std::string& path, bool allowMissing = false);

// The file a shard continues (--resume) as read, checked to be of this shard and of the run this
// header describes; a file of no header (header null) when it is missing or empty, or without resume.
CShardFile ReadHeldShard(const std::string& path, bool resume, const CShardChoice& shard,
                         const nlohmann::json& header);

// The first field of a header (a dotted path) in which another header differs, ignoring the shard,
// the shard's parts and the problem's source; empty when they describe the same run.
std::string HeaderDifference(const nlohmann::json& a, const nlohmann::json& b);

// Appends lines to a shard file, each with one write and flushed at once.
class CShardWriter {
public:
    // Creates the file (refused when it exists and is not empty) or, with resume, opens it for
    // appending after cutting it to keepBytes (a torn last line is dropped). CWriteError on failure.
    CShardWriter(const std::string& path, bool resume, std::size_t keepBytes);
    ~CShardWriter();
    CShardWriter(const CShardWriter&) = delete;
    CShardWriter& operator=(const CShardWriter&) = delete;
    void WriteLine(const nlohmann::json& line);

private:
    std::string m_path;
    int m_fd = -1;
};

// The items of all files in the order of their parts (the files cover them once).
std::vector<const nlohmann::json*> ItemsInOrder(const std::vector<CShardFile>& files);
// A shard's account of items counted from 1 ("problems", "instances"): its parts, how many of them
// are done, and how to continue it when some are not.
void PrintShardAccount(const CShardChoice& shard, const std::string& unit, uint64_t first, uint64_t end,
                       uint64_t count, uint64_t done, const std::string& file);

// Checks that the items of the files cover the parts [0, count) of the run exactly once, or throws
// CInputError naming what overlaps (both files) or what is missing (the shards it belongs to and
// whether a file of them was given).
void CheckShardCoverage(const std::vector<CShardFile>& files, const std::string& unit);
