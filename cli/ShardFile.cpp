// The result file of a shard and the shard a process runs.
#include "cli/ShardFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>

#include "cli/CliCommon.h"
#include "solver/ExactShard.h"

namespace {

constexpr std::size_t kMaxShardFileBytes = std::size_t(1) << 30;

// A whole number of the given text, or nothing.
std::optional<long long> WholeNumber(const char* text) {
    if (!text || !*text) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text, &end, 10);
    if (errno != 0 || *end != '\0') return std::nullopt;
    return value;
}

std::optional<long long> SlurmValue(const char* name) {
    const char* text = std::getenv(name);
    if (!text) return std::nullopt;
    const auto value = WholeNumber(text);
    if (!value) throw CInputError(std::string(name) + " '" + text + "': expected a whole number");
    return value;
}

bool IsCount(const nlohmann::json& j) {
    return j.is_number_unsigned() || (j.is_number_integer() && j.get<long long>() >= 0);
}

std::string Where(const std::string& path, int line) {
    return path + ":" + std::to_string(line);
}

// The leaves of a JSON object by dotted path (arrays are leaves).
void Flatten(const nlohmann::json& j, const std::string& prefix, std::map<std::string, nlohmann::json>& out) {
    if (!j.is_object()) {
        out[prefix] = j;
        return;
    }
    for (const auto& [key, value] : j.items()) Flatten(value, prefix.empty() ? key : prefix + "." + key, out);
}

std::string PartsText(const std::string& unit, uint64_t first, uint64_t end) {
    // A series numbers its problems from 1, as its rows do; the enumeration's blocks from 0.
    const uint64_t from = unit == "problems" ? 1 : 0;
    return unit + " " + std::to_string(first + from) +
           (end - first > 1 ? "-" + std::to_string(end - 1 + from) : "");
}

}  // namespace

CShardChoice ParseShardOption(const std::string& text) {
    const std::size_t slash = text.find('/');
    const auto k = slash == std::string::npos ? std::nullopt : WholeNumber(text.substr(0, slash).c_str());
    const auto n = slash == std::string::npos ? std::nullopt : WholeNumber(text.substr(slash + 1).c_str());
    if (!k || !n || *n < 1 || *n > 1000000000 || *k < 1 || *k > *n)
        throw CInputError("--shard " + text + ": expected K/N with 1 <= K <= N, for example 2/8");
    return {static_cast<int>(*k), static_cast<int>(*n)};
}

std::optional<CShardChoice> ShardFromSlurm() {
    const auto id = SlurmValue("SLURM_ARRAY_TASK_ID");
    if (!id) return std::nullopt;
    const long long low = SlurmValue("SLURM_ARRAY_TASK_MIN").value_or(0);
    const auto high = SlurmValue("SLURM_ARRAY_TASK_MAX");
    const auto count = SlurmValue("SLURM_ARRAY_TASK_COUNT");
    if (!count && !high)
        throw CInputError("SLURM_ARRAY_TASK_ID is set, but neither SLURM_ARRAY_TASK_COUNT nor SLURM_ARRAY_TASK_MAX; "
                          "expected both, or --shard K/N");
    const long long n = count ? *count : *high - low + 1;
    if (count && high && *count != *high - low + 1)
        throw CInputError("the Slurm array of " + std::to_string(*count) + " tasks from " + std::to_string(low) +
                          " to " + std::to_string(*high) +
                          " has gaps; expected a contiguous array (--array=0-N-1 or 1-N), or --shard K/N");
    const long long k = *id - low + 1;
    if (n < 1 || n > 1000000000 || k < 1 || k > n)
        throw CInputError("SLURM_ARRAY_TASK_ID " + std::to_string(*id) + ": expected " + std::to_string(low) +
                          " to " + std::to_string(low + n - 1) + " (the array's tasks)");
    return CShardChoice{static_cast<int>(k), static_cast<int>(n)};
}

nlohmann::json ShardHeader(const std::string& command, const CShardChoice& shard, const std::string& unit,
                           uint64_t parts, uint64_t first, uint64_t end, const nlohmann::json& fields) {
    nlohmann::json header = fields;
    header["format"] = kShardFormat;
    header["version"] = kShardVersion;
    header["command"] = command;
    header["shard"] = {{"index", shard.index}, {"count", shard.count}};
    header["parts"] = {{"unit", unit}, {"count", parts}, {"first", first}, {"end", end}};
    return header;
}

namespace {
void ReadShardLine(CShardFile& file, const nlohmann::json& j, int line);
}  // namespace

CShardFile ReadShardFile(const std::string& path, bool allowMissing) {
    CShardFile file;
    file.path = path;
    std::error_code error;
    if (allowMissing && (!std::filesystem::exists(path, error) || std::filesystem::file_size(path, error) == 0))
        return file;
    const std::string text = ReadInputFile(path, "a shard file", kMaxShardFileBytes);
    if (text.empty()) throw CInputError(path + ": empty; expected a shard file (its header line)");
    std::size_t at = 0;
    int line = 0;
    while (at < text.size()) {
        const std::size_t eol = text.find('\n', at);
        ++line;
        if (eol == std::string::npos) {  // killed while writing its last line
            file.tornTail = true;
            break;
        }
        const std::string_view content(text.data() + at, eol - at);
        at = eol + 1;
        const nlohmann::json j = nlohmann::json::parse(content, nullptr, false);
        if (j.is_discarded() || !j.is_object())
            throw CInputError(Where(path, line) + ": not a JSON object; expected a line of a shard file");
        try {
            ReadShardLine(file, j, line);
        } catch (const nlohmann::json::exception&) {
            throw CInputError(Where(path, line) + ": a field of the wrong type; expected a line of a shard file");
        }
        file.soundBytes = at;
    }
    // Killed while writing its header: nothing to continue, so a resumed shard starts afresh.
    if (file.header.is_null() && !allowMissing)
        throw CInputError(path + ": its header line was cut off; expected a shard file (start it again)");
    return file;
}

namespace {
void ReadShardLine(CShardFile& file, const nlohmann::json& j, int line) {
    const std::string& path = file.path;
    {
        if (line == 1) {
            if (j.value("format", "") != kShardFormat)
                throw CInputError(Where(path, 1) + ": no \"format\": \"" + kShardFormat +
                                  "\"; expected the header of a shard file");
            if (j.value("version", 0) != kShardVersion)
                throw CInputError(Where(path, 1) + ": version " + j.value("version", nlohmann::json()).dump() +
                                  "; expected version " + std::to_string(kShardVersion));
            const nlohmann::json& shard = j.value("shard", nlohmann::json());
            const nlohmann::json& parts = j.value("parts", nlohmann::json());
            const bool sound = j.value("command", nlohmann::json()).is_string() && shard.is_object() &&
                               parts.is_object() && shard.value("index", nlohmann::json()).is_number_integer() &&
                               shard.value("count", nlohmann::json()).is_number_integer() &&
                               IsCount(parts.value("count", nlohmann::json())) &&
                               IsCount(parts.value("first", nlohmann::json())) &&
                               IsCount(parts.value("end", nlohmann::json()));
            if (!sound)
                throw CInputError(Where(path, 1) +
                                  ": expected a header with \"command\", \"shard\" (index, count) and \"parts\" "
                                  "(count, first, end)");
            file.shard = {shard["index"].get<int>(), shard["count"].get<int>()};
            file.parts = parts["count"].get<uint64_t>();
            file.first = parts["first"].get<uint64_t>();
            file.end = parts["end"].get<uint64_t>();
            if (file.first > file.end || file.end > file.parts || file.shard.index < 1 ||
                file.shard.index > file.shard.count)
                throw CInputError(Where(path, 1) + ": shard " + std::to_string(file.shard.index) + "/" +
                                  std::to_string(file.shard.count) + " of parts " + std::to_string(file.first) +
                                  " to " + std::to_string(file.end) + " of " + std::to_string(file.parts) +
                                  "; expected a shard within the run");
            file.header = j;
        } else {
            const nlohmann::json& first = j.value("first", nlohmann::json());
            const nlohmann::json& end = j.value("end", nlohmann::json());
            if (!IsCount(first) || !IsCount(end) || first.get<uint64_t>() >= end.get<uint64_t>() ||
                first.get<uint64_t>() < file.first || end.get<uint64_t>() > file.end)
                throw CInputError(Where(path, line) + ": expected \"first\" and \"end\" of parts within the shard's " +
                                  std::to_string(file.first) + " to " + std::to_string(file.end));
            file.items.push_back(j);
            file.itemLines.push_back(line);
        }
    }
}
}  // namespace

std::string HeaderDifference(const nlohmann::json& a, const nlohmann::json& b) {
    std::map<std::string, nlohmann::json> fa, fb;
    Flatten(a, "", fa);
    Flatten(b, "", fb);
    for (auto* f : {&fa, &fb})
        for (const char* key : {"shard.index", "shard.count", "parts.first", "parts.end", "problem.source"})
            f->erase(key);
    for (const auto& [key, value] : fa) {
        const auto other = fb.find(key);
        if (other == fb.end() || other->second != value) return key;
    }
    for (const auto& [key, value] : fb)
        if (!fa.count(key)) return key;
    return {};
}

CShardWriter::CShardWriter(const std::string& path, bool resume, std::size_t keepBytes) : m_path(path) {
    struct stat info {};
    if (!resume && ::stat(path.c_str(), &info) == 0 && info.st_size > 0)
        throw CInputError(path + ": the file exists; expected a new file, or --resume " + path + " to continue it");
    m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (m_fd < 0 || ::ftruncate(m_fd, static_cast<off_t>(keepBytes)) != 0)
        throw CWriteError(path + ": cannot write the shard file: " + std::strerror(errno));
}

CShardWriter::~CShardWriter() {
    if (m_fd < 0) return;
    ::fsync(m_fd);
    ::close(m_fd);
}

void CShardWriter::WriteLine(const nlohmann::json& line) {
    const std::string text = line.dump() + '\n';
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(m_fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0)
            throw CWriteError(m_path + ": cannot write the shard file: " + std::strerror(written < 0 ? errno : ENOSPC));
        done += static_cast<std::size_t>(written);
    }
}

void CheckShardCoverage(const std::vector<CShardFile>& files, const std::string& unit) {
    struct CItem {
        uint64_t first, end;
        std::size_t file;
        int line;
    };
    std::vector<CItem> items;
    for (std::size_t f = 0; f < files.size(); ++f)
        for (std::size_t k = 0; k < files[f].items.size(); ++k)
            items.push_back({files[f].items[k]["first"].get<uint64_t>(), files[f].items[k]["end"].get<uint64_t>(), f,
                             files[f].itemLines[k]});
    std::sort(items.begin(), items.end(), [](const CItem& a, const CItem& b) { return a.first < b.first; });
    const uint64_t count = files.front().parts;
    std::vector<CBlockRange> missing;
    uint64_t next = 0;
    const CItem* reach = nullptr;  // the item that reaches furthest so far
    for (const CItem& item : items) {
        if (item.first < next) {
            const uint64_t end = std::min(item.end, next);
            throw CInputError("merge: " + Where(files[reach->file].path, reach->line) + " and " +
                              Where(files[item.file].path, item.line) + " overlap: " +
                              PartsText(unit, item.first, end) + " are in both; expected each shard once");
        }
        if (item.first > next) missing.push_back({next, item.first});
        next = item.end;
        reach = &item;
    }
    if (next < count) missing.push_back({next, count});
    if (missing.empty()) return;

    // Name the shards the missing parts belong to, by the shard count of the files given.
    const int shards = files.front().shard.count;
    std::string text;
    for (std::size_t m = 0; m < missing.size() && m < 4; ++m) {
        const CBlockRange gap = missing[m];
        if (!text.empty()) text += "; ";
        text += PartsText(unit, gap.first, gap.end) + " of " + std::to_string(count) + " are missing (";
        std::string owners;
        for (int k = 1; k <= shards; ++k) {
            const CBlockRange r = ShardBlocks(count, k, shards);
            if (r.end <= gap.first || r.first >= gap.end) continue;
            if (!owners.empty()) owners += ", ";
            owners += "shard " + std::to_string(k) + "/" + std::to_string(shards);
            const auto given = std::find_if(files.begin(), files.end(), [&](const CShardFile& f) {
                return f.shard.index == k && f.shard.count == shards;
            });
            owners += given == files.end() ? ": no file given"
                                           : ": " + given->path + " stopped before its end; continue it with --resume " +
                                                 given->path;
        }
        text += owners.empty() ? "no shard of " + std::to_string(shards) + " holds them" : owners;
        text += ")";
    }
    if (missing.size() > 4) text += "; and " + std::to_string(missing.size() - 4) + " more gaps";
    throw CInputError("merge: " + text + "; expected the files of every shard, each run to its end");
}

CShardFile ReadHeldShard(const std::string& path, bool resume, const CShardChoice& shard,
                         const nlohmann::json& header) {
    CShardFile held = resume ? ReadShardFile(path, true) : CShardFile{};
    if (held.header.is_null()) return held;
    const std::string name = std::to_string(shard.index) + "/" + std::to_string(shard.count);
    if (held.shard.index != shard.index || held.shard.count != shard.count)
        throw CInputError(path + ": holds shard " + std::to_string(held.shard.index) + "/" +
                          std::to_string(held.shard.count) + "; expected shard " + name);
    if (const std::string field = HeaderDifference(held.header, header); !field.empty())
        throw CInputError(path + ": the shard file of another run (its " + field +
                          " differs); expected the file of this problem and these options");
    return held;
}

std::vector<const nlohmann::json*> ItemsInOrder(const std::vector<CShardFile>& files) {
    std::vector<const nlohmann::json*> items;
    for (const CShardFile& file : files)
        for (const nlohmann::json& item : file.items) items.push_back(&item);
    std::sort(items.begin(), items.end(), [](const nlohmann::json* a, const nlohmann::json* b) {
        return a->at("first").get<uint64_t>() < b->at("first").get<uint64_t>();
    });
    return items;
}

void PrintShardAccount(const CShardChoice& shard, const std::string& unit, uint64_t first, uint64_t end,
                       uint64_t count, uint64_t done, const std::string& file) {
    std::cout << "Shard " << shard.index << "/" << shard.count << " (" << unit << " " << first + 1 << "-" << end
              << " of " << count << "): " << done << " of " << end - first << " " << unit << " done, in " << file
              << '\n';
    if (done < end - first) std::cout << "Continue it with --resume " << file << '\n';
}
