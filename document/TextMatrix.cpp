// Reading a weight matrix from text rows.
#include "document/TextMatrix.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

constexpr std::size_t kPiece = 4999;  // characters taken from a line at a time

// Reads the next piece of a line (without its line end). False at the end of the stream.
bool ReadPiece(std::istream& in, std::string& piece) {
    piece.clear();
    if (!in.good()) return false;
    bool any = false;
    int c;
    while (piece.size() < kPiece && (c = in.get()) != EOF) {
        any = true;
        if (c == '\n') return true;
        piece.push_back(static_cast<char>(c));
    }
    if (piece.size() >= kPiece) return true;
    return any;
}

int32_t ToEntry(double value, int graph) {
    double v = std::trunc(value);
    if (std::isnan(v)) v = 0;
    if (v > 32767) v = 32767;
    if (v < -32768) v = -32768;
    const int32_t entry = static_cast<int32_t>(v);
    if (graph) return entry > 0 ? 1 : 0;
    return entry;
}

}  // namespace

int ReadTextMatrix(std::istream& in, int nodes, int graph, CSquareMatrix<int32_t>& weight) {
    for (int i = 1; i <= nodes; ++i)
        for (int j = 1; j <= nodes; ++j) weight[i][j] = 0;

    std::string line;
    int row = 0;
    while (row < nodes && ReadPiece(in, line)) {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        ++row;
        const char* cursor = line.c_str() + colon + 1;
        for (int column = 1; column <= nodes; ++column) {
            char* end = nullptr;
            const double value = std::strtod(cursor, &end);
            // strtod yields 0 where no number stands; the rest of the row then reads as 0 too.
            cursor = end;
            if (column > row) weight[row][column] = ToEntry(value, graph);
        }
    }
    return row;
}

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// The label as a row number, or -1 when it is not a plain positive integer.
long long LabelNumber(std::string_view label) {
    label = Trim(label);
    if (label.empty() || label.size() > 9) return -1;
    long long value = 0;
    for (char c : label) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

struct CRowLine {
    std::size_t line = 0;
    std::string_view text;  // after the ':'
};

}  // namespace

CStrictMatrix ReadStrictMatrix(std::string_view text, std::string_view name, int nodes, int graph,
                               int maxNodes) {
    CStrictMatrix result;
    const std::string file(name);
    auto fail = [&](std::size_t line, const std::string& what) {
        result.error = file + (line ? ":" + std::to_string(line) : std::string()) + ": " + what;
        result.nodes = 0;
        result.weights.clear();
        return result;
    };
    if (nodes < 0 || nodes > maxNodes)
        return fail(0, "--nodes " + std::to_string(nodes) + ": expected 1 to " + std::to_string(maxNodes));

    std::vector<CRowLine> rows;
    std::size_t lineNo = 0;
    std::size_t lastLine = 0;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(at, end - at);
        at = end + 1;
        ++lineNo;
        lastLine = lineNo;
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        if (LabelNumber(line.substr(0, colon)) != static_cast<long long>(rows.size()) + 1) continue;
        rows.push_back({lineNo, line.substr(colon + 1)});
        if (nodes > 0 && static_cast<int>(rows.size()) == nodes) break;
        if (static_cast<int>(rows.size()) > maxNodes) break;
    }
    const int n = nodes > 0 ? nodes : static_cast<int>(rows.size());
    if (rows.empty())
        return fail(0, "no matrix rows; expected lines of the form 'i: w1 w2 ... wn' numbered from 1");
    if (n > maxNodes)
        return fail(rows.back().line, "more than " + std::to_string(maxNodes) + " rows; expected at most " +
                                          std::to_string(maxNodes) + " nodes");
    if (static_cast<int>(rows.size()) < n)
        return fail(lastLine, std::to_string(rows.size()) + " rows; expected " + std::to_string(n) +
                                  " (--nodes), the next row labelled " + std::to_string(rows.size() + 1));

    const std::size_t dim = static_cast<std::size_t>(n) + 1;
    result.weights.assign(dim * dim, 0);
    long long largest = 0;
    std::size_t largestLine = 0;
    for (int i = 1; i <= n; ++i) {
        const CRowLine& row = rows[static_cast<std::size_t>(i) - 1];
        std::string_view rest = row.text;
        int count = 0;
        for (;;) {
            while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t' || rest.front() == '\r'))
                rest.remove_prefix(1);
            if (rest.empty()) break;
            std::size_t len = 0;
            while (len < rest.size() && rest[len] != ' ' && rest[len] != '\t' && rest[len] != '\r') ++len;
            const std::string_view token = rest.substr(0, len);
            rest.remove_prefix(len);
            long long value = 0;
            const auto parsed = std::from_chars(token.data() + (token.front() == '+' ? 1 : 0),
                                                token.data() + token.size(), value);
            const std::string shown(token.substr(0, 20));
            if (parsed.ec == std::errc::result_out_of_range ||
                (parsed.ec == std::errc() && parsed.ptr == token.data() + token.size() &&
                 (value > INT32_MAX || value < -INT32_MAX)))
                return fail(row.line, "row " + std::to_string(i) + ": '" + shown +
                                          "' is out of range; expected an integer of 32 bits");
            if (parsed.ec != std::errc() || parsed.ptr != token.data() + token.size())
                return fail(row.line, "row " + std::to_string(i) + ": '" + shown +
                                          "' is not an integer; expected " + std::to_string(n) +
                                          " integers after the ':'");
            ++count;
            if (count > n) {
                if (nodes > 0) continue;  // a larger matrix cut to --nodes
                return fail(row.line, "row " + std::to_string(i) + " holds more than " + std::to_string(n) +
                                          " numbers; expected a square matrix of " + std::to_string(n) +
                                          " rows");
            }
            if (graph && value != 0 && value != 1)
                return fail(row.line, "row " + std::to_string(i) + ": weight " + std::to_string(value) +
                                          "; expected 0 or 1 in a graph");
            if (count > i) {
                result.weights[static_cast<std::size_t>(i) * dim + static_cast<std::size_t>(count)] =
                    static_cast<int32_t>(value);
                const long long magnitude = value < 0 ? -value : value;
                if (magnitude > largest) {
                    largest = magnitude;
                    largestLine = row.line;
                }
            }
        }
        if (count < n)
            return fail(row.line, "row " + std::to_string(i) + " holds " + std::to_string(count) +
                                      " numbers; expected " + std::to_string(n));
    }
    if (largest * n >= (1LL << 31))
        return fail(largestLine,
                    "weight " + std::to_string(largest) + " times " + std::to_string(n) +
                        " nodes leaves the 32-bit range of a cycle's cost; expected weights of at most " +
                        std::to_string(((1LL << 31) - 1) / n) + " in magnitude");
    result.nodes = n;
    return result;
}
