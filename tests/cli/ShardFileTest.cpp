// Shard files: the shard of a Slurm array task, a file cut off while its last line was written,
// and which header differences make two files shards of different runs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "cli/CliCommon.h"
#include "cli/ShardFile.h"

namespace {
// Sets the Slurm array variables for the life of the object (unset for the empty ones).
class CSlurmArray {
public:
    CSlurmArray(const char* id, const char* low, const char* high, const char* count) {
        Set("SLURM_ARRAY_TASK_ID", id), Set("SLURM_ARRAY_TASK_MIN", low);
        Set("SLURM_ARRAY_TASK_MAX", high), Set("SLURM_ARRAY_TASK_COUNT", count);
    }
    ~CSlurmArray() {
        for (const char* name : {"SLURM_ARRAY_TASK_ID", "SLURM_ARRAY_TASK_MIN", "SLURM_ARRAY_TASK_MAX",
                                 "SLURM_ARRAY_TASK_COUNT"})
            unsetenv(name);
    }

private:
    static void Set(const char* name, const char* value) {
        if (*value) setenv(name, value, 1);
        else unsetenv(name);
    }
};

std::string Shard(const char* id, const char* low, const char* high, const char* count) {
    const CSlurmArray array(id, low, high, count);
    try {
        const auto shard = ShardFromSlurm();
        return shard ? std::to_string(shard->index) + "/" + std::to_string(shard->count) : "none";
    } catch (const CInputError&) {
        return "refused";
    }
}
}  // namespace

TEST(ShardFiles, ASlurmArrayTaskIsOneShard) {
    EXPECT_EQ(Shard("", "", "", ""), "none");
    EXPECT_EQ(Shard("0", "0", "7", "8"), "1/8");
    EXPECT_EQ(Shard("8", "1", "8", "8"), "8/8");
    EXPECT_EQ(Shard("2", "", "", "4"), "3/4");  // no MIN: the array starts at 0
    EXPECT_EQ(Shard("9", "1", "8", "8"), "refused");
    EXPECT_EQ(Shard("3", "1", "7", "4"), "refused");  // --array=1-7:2 leaves gaps
    EXPECT_EQ(Shard("3", "", "", ""), "refused");
    EXPECT_EQ(Shard("x", "0", "3", "4"), "refused");
}

TEST(ShardFiles, ACutOffLastLineIsLeftOutAndOverwrittenOnResume) {
    const std::string path = (std::filesystem::temp_directory_path() / "quira-shard-test.jsonl").string();
    const nlohmann::json header = ShardHeader("test", {2, 3}, "parts", 9, 3, 6, {{"problem", {{"source", "a"}}}});
    {
        std::ofstream out(path, std::ios::trunc);
        out << header.dump() << "\n{\"first\":3,\"end\":4}\n{\"first\":4,\"e";
    }
    const CShardFile file = ReadShardFile(path);
    EXPECT_TRUE(file.tornTail);
    ASSERT_EQ(file.items.size(), 1u);
    EXPECT_EQ(file.shard.index, 2);
    {
        CShardWriter writer(path, true, file.soundBytes);
        writer.WriteLine({{"first", 4}, {"end", 6}});
    }
    const CShardFile resumed = ReadShardFile(path);
    EXPECT_FALSE(resumed.tornTail);
    EXPECT_EQ(resumed.items.size(), 2u);
    EXPECT_THROW(CShardWriter(path, false, 0), CInputError);  // a new shard never overwrites one
    {
        std::ofstream out(path, std::ios::trunc);
        out << "{\"format\":\"quira-";  // killed while writing the header
    }
    EXPECT_TRUE(ReadShardFile(path, true).header.is_null());  // --resume starts afresh
    EXPECT_THROW(ReadShardFile(path), CInputError);           // merge says what is wrong
    std::filesystem::remove(path);
}

TEST(ShardFiles, HeadersOfOneRunDifferOnlyInTheirShard) {
    const nlohmann::json fields = {{"problem", {{"nodes", 12}, {"maximum", false}, {"source", "--matrix a"}}}};
    nlohmann::json other = fields;
    other["problem"]["source"] = "--matrix /elsewhere/a";
    EXPECT_EQ(HeaderDifference(ShardHeader("c", {1, 4}, "blocks", 990, 0, 247, fields),
                               ShardHeader("c", {3, 8}, "blocks", 990, 371, 495, other)),
              "");
    other["problem"]["maximum"] = true;
    EXPECT_EQ(HeaderDifference(ShardHeader("c", {1, 4}, "blocks", 990, 0, 247, fields),
                               ShardHeader("c", {1, 4}, "blocks", 990, 0, 247, other)),
              "problem.maximum");
    EXPECT_EQ(HeaderDifference(ShardHeader("c", {1, 4}, "blocks", 990, 0, 247, fields),
                               ShardHeader("c", {1, 4}, "blocks", 991, 0, 247, fields)),
              "parts.count");
}
