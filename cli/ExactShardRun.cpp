// `quira-cli solve --method exact` in shards, and their merge.
#include "cli/ExactShardRun.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <optional>

#include "cli/CliCommon.h"
#include "cli/ConsolePlatform.h"
#include "cli/MethodRuns.h"
#include "cli/OptimumRun.h"
#include "cli/RunLimits.h"
#include "document/CycleText.h"
#include "solver/CycleSolver.h"
#include "solver/ExactShard.h"

namespace {

// Pieces of about 2^26 orders (0.1 s of one core) per line, and no more than this many lines in a
// shard's file, so that a campaign of millions of blocks keeps its files small.
constexpr double kOrdersPerLine = 67108864.0;
constexpr uint64_t kMaxLinesPerShard = 10000;

// FNV-1a over the node count and the upper triangle: two files of the same digest hold shards of
// the same network.
std::string WeightsDigest(const CCycleSolver& s) {
    uint64_t hash = 14695981039346656037ull;
    auto add = [&hash](uint32_t value) {
        for (int k = 0; k < 4; ++k) {
            hash ^= (value >> (8 * k)) & 0xffu;
            hash *= 1099511628211ull;
        }
    };
    add(static_cast<uint32_t>(s.m_nNodes));
    for (int i = 1; i <= s.m_nNodes; ++i)
        for (int j = i + 1; j <= s.m_nNodes; ++j) add(static_cast<uint32_t>(s.m_ppWeight[i][j]));
    char text[32];
    std::snprintf(text, sizeof text, "fnv1a64:%016llx", static_cast<unsigned long long>(hash));
    return text;
}

nlohmann::json ItemJson(const CExactPiece& piece, uint32_t ms) {
    return {{"first", piece.blocks.first}, {"end", piece.blocks.end}, {"cost", piece.cost},
            {"block", piece.block},        {"cycle", piece.cycle},     {"ms", ms}};
}

// An item line of a file as a piece, checked: a cost, a block of the item's, a cycle of the n nodes
// from node 1, the milliseconds.
CExactPiece PieceOfItem(const nlohmann::json& item, int nodes, const std::string& where, uint32_t* ms) {
    CExactPiece piece;
    bool sound = false;
    try {
        piece.blocks = {item.at("first").get<uint64_t>(), item.at("end").get<uint64_t>()};
        piece.cost = item.at("cost").get<int>();
        piece.block = item.at("block").get<uint64_t>();
        piece.cycle = item.at("cycle").get<std::vector<int>>();
        *ms = item.at("ms").get<uint32_t>();
        std::vector<int> sorted = piece.cycle;
        std::sort(sorted.begin(), sorted.end());
        sound = piece.block >= piece.blocks.first && piece.block < piece.blocks.end &&
                static_cast<int>(sorted.size()) == nodes && piece.cycle.front() == 1;
        for (int k = 0; sound && k < nodes; ++k) sound = sorted[static_cast<std::size_t>(k)] == k + 1;
    } catch (const nlohmann::json::exception&) {
        sound = false;
    }
    if (!sound)
        throw CInputError(where + ": expected \"cost\", \"block\" (of the line's blocks), \"cycle\" (the " +
                          std::to_string(nodes) + " nodes from node 1) and \"ms\"");
    return piece;
}

std::string BlocksText(CBlockRange r) {
    return r.Size() == 0 ? std::string("no blocks")
                         : "blocks " + std::to_string(r.first) + "-" + std::to_string(r.end - 1);
}

}  // namespace

nlohmann::json ExactShardFields(const CCycleSolver& solver, const std::string& source, const std::string& level,
                                const nlohmann::json& initial, const nlohmann::json& optimum,
                                const nlohmann::json& optimumTour) {
    nlohmann::json options = {{"level", level}, {"initial", initial}};
    if (!optimum.is_null()) options["optimum"] = optimum;
    if (!optimumTour.is_null()) options["optimum_tour"] = optimumTour;
    return {{"problem",
             {{"nodes", solver.m_nNodes},
              {"kind", KindName(solver.m_nKind)},
              {"maximum", solver.m_bMaximum != 0},
              {"weights", WeightsDigest(solver)},
              {"source", source}}},
            {"options", options}};
}

int RunExactShard(CCycleSolver& s, const CExactShardRun& run) {
    const int n = s.m_nNodes;
    const bool maximum = s.m_bMaximum != 0;
    const uint64_t blocks = ExactBlockCount(n);
    const CBlockRange range = ShardBlocks(blocks, run.shard.index, run.shard.count);
    const nlohmann::json header =
        ShardHeader(kExactShardCommand, run.shard, "blocks", blocks, range.first, range.end, run.fields);
    const std::string shardName = std::to_string(run.shard.index) + "/" + std::to_string(run.shard.count);

    // What the file holds already.
    const CShardFile held = ReadHeldShard(run.file, run.resume, run.shard, header);
    std::vector<CExactPiece> pieces;
    if (!held.header.is_null()) {
        for (std::size_t k = 0; k < held.items.size(); ++k) {
            uint32_t ms = 0;
            pieces.push_back(PieceOfItem(held.items[k], n, run.file + ":" + std::to_string(held.itemLines[k]), &ms));
        }
    }
    // The shard's blocks its file does not hold.
    std::vector<CBlockRange> heldRanges;
    for (const CExactPiece& p : pieces) heldRanges.push_back(p.blocks);
    std::sort(heldRanges.begin(), heldRanges.end(),
              [](const CBlockRange& a, const CBlockRange& b) { return a.first < b.first; });
    std::vector<CBlockRange> rest;
    uint64_t next = range.first;
    for (const CBlockRange& r : heldRanges) {
        if (r.first > next) rest.push_back({next, r.first});
        next = std::max(next, r.end);
    }
    if (next < range.end) rest.push_back({next, range.end});
    uint64_t restBlocks = 0;
    for (const CBlockRange& r : rest) restBlocks += r.Size();
    if (restBlocks > 0)
        RefuseHopelessExactRun(s, run.force, "--shard " + shardName,
                               static_cast<double>(restBlocks) / static_cast<double>(blocks));

    CShardWriter writer(run.file, run.resume, held.header.is_null() ? 0 : held.soundBytes);
    if (held.header.is_null()) writer.WriteLine(header);

    const double perBlock = ExactOrdersPerBlock(n);
    const uint64_t perLine =
        run.blocksPerLine > 0
            ? run.blocksPerLine
            : std::max<uint64_t>({1, static_cast<uint64_t>(std::ceil(kOrdersPerLine / perBlock)),
                                  (range.Size() + kMaxLinesPerShard - 1) / kMaxLinesPerShard});

    CConsoleTimeField timeField(ProgressAsked());
    CTextField costField;
    StartTiming(s, timeField, costField);
    const double restOrders = perBlock * static_cast<double>(restBlocks);
    timeField.SetProgressLine("Exp. Method, shard " + shardName, [&s, restOrders] {
        const double elapsed = (NowMs() - s.m_dwRunStart) / 1000.0;
        return BestText(s) + "  " + OrdersShareText(s.m_nOrdersDone, restOrders, elapsed);
    });
    const uint32_t start = s.m_dwRunStart;
    uint32_t lastLine = start;
    const int aborted = ExpMethodNetBlocks(s, rest, perLine, [&](const CExactPiece& piece) {
        const uint32_t now = NowMs();
        writer.WriteLine(ItemJson(piece, now - lastLine));
        lastLine = now;
        pieces.push_back(piece);
    });
    const uint32_t ms = NowMs() - start;
    timeField.Erase();

    const CExactPiece* best = nullptr;
    uint64_t done = 0;
    for (const CExactPiece& p : pieces) {
        done += p.blocks.Size();
        if (!best || PieceWins(p, *best, maximum)) best = &p;
    }
    if (run.json) {
        nlohmann::json out = {{"shard",
                               {{"index", run.shard.index},
                                {"count", run.shard.count},
                                {"first", range.first},
                                {"end", range.end},
                                {"blocks", blocks},
                                {"done", done},
                                {"file", run.file}}},
                              {"aborted", aborted != 0},
                              {"ms", ms}};
        out["best"] = best ? nlohmann::json{{"cost", best->cost}, {"block", best->block}, {"cycle", best->cycle}}
                           : nlohmann::json(nullptr);
        std::cout << out.dump() << '\n';
    } else {
        std::cout << "Shard " << shardName << " (" << BlocksText(range) << " of " << blocks << "): " << done
                  << " of " << range.Size() << " blocks done, in " << run.file << '\n';
        PrintMethodLines("Best of the shard", best ? FormatCycleText(best->cost, best->cycle) : "none yet",
                         aborted != 0, ms);
        if (done < range.Size()) std::cout << "Continue it with --resume " << run.file << '\n';
    }
    return aborted != 0 ? EXIT_INTERRUPTED : EXIT_OK;
}

int MergeExactShards(const std::vector<CShardFile>& files, bool json) {
    const nlohmann::json& header = files.front().header;
    int n = 0;
    bool maximum = false;
    nlohmann::json options;
    std::string kind;
    try {
        n = header.at("problem").at("nodes").get<int>();
        maximum = header.at("problem").at("maximum").get<bool>();
        kind = header.at("problem").at("kind").get<std::string>();
        options = header.at("options");
        options.at("level").get<std::string>();
        options.at("initial").get<std::vector<int>>();
    } catch (const nlohmann::json::exception&) {
        throw CInputError(files.front().path +
                          ":1: expected \"problem\" (nodes, kind, maximum) and \"options\" (level, initial)");
    }
    if (n < 5 || n > MAX_SOLVER_NODES || ExactBlockCount(n) != files.front().parts)
        throw CInputError(files.front().path + ":1: " + std::to_string(files.front().parts) + " blocks of " +
                          std::to_string(n) + " nodes; expected the " + std::to_string(ExactBlockCount(n)) +
                          " blocks of this quira-cli's enumeration");

    std::optional<CExactPiece> best;
    uint64_t ms = 0;
    for (const CShardFile& file : files) {
        for (std::size_t k = 0; k < file.items.size(); ++k) {
            uint32_t itemMs = 0;
            const CExactPiece piece =
                PieceOfItem(file.items[k], n, file.path + ":" + std::to_string(file.itemLines[k]), &itemMs);
            ms += itemMs;
            if (!best || PieceWins(piece, *best, maximum)) best = piece;
        }
    }
    const auto shownMs = static_cast<uint32_t>(std::min<uint64_t>(ms, UINT32_MAX));
    std::optional<long long> optimum;
    if (options.contains("optimum")) optimum = options["optimum"].get<long long>();
    if (options.contains("optimum_tour")) optimum = options["optimum_tour"].at("cost").get<long long>();

    // What `solve --method exact` prints, in its order.
    nlohmann::json out = {{"nodes", n},
                          {"kind", kind},
                          {"maximum", maximum},
                          {"level", options["level"]},
                          {"initial", options["initial"]}};
    if (options.contains("optimum_tour")) {
        out["optimum_tour"] = options["optimum_tour"];
        if (!json)
            std::cout << "Optimum tour: (" << *optimum << ") " << options["optimum_tour"].at("file").get<std::string>()
                      << '\n';
    }
    nlohmann::json exact = MethodJson(best->cost, best->cycle, false, shownMs);
    if (!json) PrintMethodLines("Exp. Method", FormatCycleText(best->cost, best->cycle), false, shownMs);
    AddGap(exact, best->cost, optimum, maximum, !json);
    out["exact"] = exact;
    if (json) std::cout << out.dump() << '\n';
    return EXIT_OK;
}
