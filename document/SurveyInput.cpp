// The optima table and the header look of a survey.
#include "document/SurveyInput.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <istream>

#include "document/InstanceFileCheck.h"

namespace {

constexpr std::array<std::string_view, 6> kColumns = {
    "file", "dimension", "edge_weight_type", "edge_weight_format", "optimal_length", "has_opt_tour"};

std::string_view Trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    for (;;) {
        const std::size_t tab = line.find('\t');
        fields.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos) return fields;
        line.remove_prefix(tab + 1);
    }
}

// A whole decimal integer (an optional sign, digits, nothing else) in [lo, hi].
bool ParseWhole(std::string_view text, long long lo, long long hi, long long& value) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
    const auto parsed = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && parsed.ec == std::errc() && parsed.ptr == text.data() + text.size() &&
           value >= lo && value <= hi;
}

// The keyword at the start of a line (after blanks), when a blank, ':' or the line end follows it;
// rest is what follows the keyword.
bool IsKeyword(std::string_view line, std::string_view keyword, std::string_view* rest = nullptr) {
    line = line.substr(std::min(line.find_first_not_of(" \t"), line.size()));
    if (line.substr(0, keyword.size()) != keyword) return false;
    line.remove_prefix(keyword.size());
    if (!line.empty() && line.front() != ' ' && line.front() != '\t' && line.front() != ':') return false;
    if (rest) *rest = line;
    return true;
}

std::string_view KeywordValue(std::string_view rest) {
    rest = Trim(rest);
    if (!rest.empty() && rest.front() == ':') rest.remove_prefix(1);
    return Trim(rest);
}

}  // namespace

const COptimaRow* COptimaTable::Find(std::string_view file) const {
    for (const COptimaRow& row : rows)
        if (row.file == file) return &row;
    return nullptr;
}

COptimaTable ReadOptimaTable(std::string_view text, std::string_view name) {
    COptimaTable table;
    int lineNo = 0;
    bool header = false;
    auto fail = [&](const std::string& what) {
        table.rows.clear();
        table.error = std::string(name) + ":" + std::to_string(lineNo) + ": " + what;
        return table;
    };
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (Trim(line).empty()) continue;
        const std::vector<std::string_view> fields = SplitTabs(line);
        if (!header) {
            bool same = fields.size() == kColumns.size();
            for (std::size_t k = 0; same && k < kColumns.size(); ++k) same = Trim(fields[k]) == kColumns[k];
            if (!same)
                return fail(
                    "expected the header line 'file, dimension, edge_weight_type, edge_weight_format, "
                    "optimal_length, has_opt_tour' separated by tabs");
            header = true;
            continue;
        }
        if (fields.size() != kColumns.size())
            return fail(std::to_string(fields.size()) + " fields; expected 6 separated by tabs (file, " +
                        "dimension, edge_weight_type, edge_weight_format, optimal_length, has_opt_tour)");
        COptimaRow row;
        row.line = lineNo;
        row.file = std::string(Trim(fields[0]));
        if (row.file.empty()) return fail("no file name; expected the instance's file name first");
        long long number = 0;
        if (!ParseWhole(Trim(fields[1]), 1, INT_MAX, number))
            return fail("dimension '" + std::string(fields[1]) + "'; expected a positive node count");
        row.dimension = static_cast<int>(number);
        row.type = std::string(Trim(fields[2]));
        row.format = std::string(Trim(fields[3]));
        if (row.type.empty() || row.format.empty())
            return fail("an empty edge_weight_type or edge_weight_format; expected a word or '-'");
        if (!ParseWhole(Trim(fields[4]), INT_MIN, INT_MAX, number))
            return fail("optimal_length '" + std::string(fields[4]) +
                        "'; expected a whole number in the 32-bit range");
        row.optimum = static_cast<int>(number);
        const std::string_view tour = Trim(fields[5]);
        if (tour != "yes" && tour != "no")
            return fail("has_opt_tour '" + std::string(tour) + "'; expected yes or no");
        row.hasOptTour = tour == "yes";
        if (const COptimaRow* first = table.Find(row.file))
            return fail(row.file + " listed again; expected each file once (first at line " +
                        std::to_string(first->line) + ")");
        table.rows.push_back(std::move(row));
    }
    if (!header) return fail("an empty table; expected the header line and a row per instance");
    return table;
}

namespace {

// Takes one line of an instance's header into header; false at the first section or EOF line.
bool HeaderLine(std::string_view line, CInstanceHeader& header) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::string_view rest;
    const std::string_view word = Trim(line).substr(0, Trim(line).find_first_of(" \t:"));
    if (word == "EOF" || word.ends_with("_SECTION")) return false;
    if (IsKeyword(line, "TYPE", &rest)) {
        header.type = std::string(KeywordValue(rest));
    } else if (IsKeyword(line, "EDGE_WEIGHT_TYPE", &rest)) {
        header.weightType = std::string(KeywordValue(rest));
    } else if (IsKeyword(line, "DIMENSION", &rest)) {
        const std::string value(KeywordValue(rest));
        char* stop = nullptr;
        const long long n = std::strtoll(value.c_str(), &stop, 10);
        header.dimension = stop == value.c_str() || n < 0 ? -1 : n;
    }
    return true;
}

}  // namespace

CInstanceHeader ReadInstanceHeader(std::string_view head) {
    CInstanceHeader header;
    header.instanceText = IsInstanceFileText(head);
    if (!header.instanceText) return header;
    while (!head.empty()) {
        const std::size_t end = head.find('\n');
        const std::string_view line = head.substr(0, end);
        head.remove_prefix(end == std::string_view::npos ? head.size() : end + 1);
        if (!HeaderLine(line, header)) break;
    }
    return header;
}

CInstanceScan ScanInstanceFile(std::istream& in) {
    CInstanceScan header;
    std::string line;
    bool inHeader = true;
    int dimensionLine = 0;
    for (int lineNo = 1; std::getline(in, line); ++lineNo) {
        const bool dimension = IsKeyword(line, "DIMENSION");
        if (dimension && dimensionLine != 0) {
            header.error = "DIMENSION again at line " + std::to_string(lineNo) + " (first at line " +
                           std::to_string(dimensionLine) + "); expected the node count once";
            return header;
        }
        if (dimension) dimensionLine = lineNo;
        if (inHeader) {
            inHeader = HeaderLine(line, header);
        } else if (IsKeyword(line, "EOF")) {
            break;
        } else if (dimension) {
            header.error = "DIMENSION at line " + std::to_string(lineNo) +
                           " after the first section; expected it in the header";
            return header;
        }
    }
    return header;
}

bool IsTourType(std::string_view type) {
    return type.substr(0, 4) == "TOUR" &&
           (type.size() == 4 || !std::isalnum(static_cast<unsigned char>(type[4])));
}
