// The node layout of a network from a published instance, and its companion file.
#include "document/InstanceLayout.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <system_error>

namespace {

std::string Number(double value) {
    char text[64];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return error == std::errc() ? std::string(text, end) : "0";
}

// A value on one line: line breaks would end it early.
std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// The next blank-separated word of text, taken off its front.
std::string_view NextWord(std::string_view& text) {
    text = Trimmed(text);
    std::size_t end = 0;
    while (end < text.size() && text[end] != ' ' && text[end] != '\t') ++end;
    const std::string_view word = text.substr(0, end);
    text.remove_prefix(end);
    return word;
}

template <typename T>
bool ParseWhole(std::string_view word, T& value) {
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc() && end == word.data() + word.size();
}

}  // namespace

std::string LayoutPathFor(const std::string& documentPath) {
    return documentPath + ".layout";
}

std::string LayoutFileText(const CInstanceLayout& layout) {
    std::string text = "NAME : " + OneLine(layout.name) + "\n";
    if (!layout.source.empty()) text += "SOURCE : " + OneLine(layout.source) + "\n";
    text += std::string("GEO : ") + (layout.positions.geo ? "yes" : "no") + "\n";
    text += "DIMENSION : " + std::to_string(layout.positions.x.size()) + "\nNODE_COORD_SECTION\n";
    for (std::size_t k = 0; k < layout.positions.x.size(); ++k)
        text += std::to_string(k + 1) + " " + Number(layout.positions.x[k]) + " " +
                Number(layout.positions.y[k]) + "\n";
    return text + "EOF\n";
}

CLayoutRead ReadLayoutText(std::string_view text, std::string_view name) {
    CLayoutRead read;
    CInstanceLayout& layout = read.layout;
    int lineNo = 0;
    long long dimension = -1;
    bool inSection = false;
    std::size_t nodes = 0;
    auto fail = [&](const std::string& what) {
        read.layout.Clear();
        read.error = std::string(name) + ":" + std::to_string(lineNo) + ": " + what;
        return read;
    };
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = Trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNo;
        if (line.empty()) continue;
        if (line == "EOF") break;
        if (inSection) {
            if (nodes == static_cast<std::size_t>(dimension))
                return fail("more node lines than DIMENSION " + std::to_string(dimension) + "; expected EOF");
            std::string_view rest = line;
            long long number = 0;
            double x = 0, y = 0;
            if (!ParseWhole(NextWord(rest), number) || number != static_cast<long long>(nodes) + 1)
                return fail("expected node " + std::to_string(nodes + 1) + " at the start of the line");
            if (!ParseWhole(NextWord(rest), x) || !ParseWhole(NextWord(rest), y) || !std::isfinite(x) ||
                !std::isfinite(y) || !Trimmed(rest).empty())
                return fail("expected node " + std::to_string(nodes + 1) + " and its two coordinates");
            layout.positions.x.push_back(x);
            layout.positions.y.push_back(y);
            ++nodes;
            continue;
        }
        if (line == "NODE_COORD_SECTION") {
            if (dimension < 1) return fail("NODE_COORD_SECTION before DIMENSION; expected DIMENSION first");
            inSection = true;
            continue;
        }
        const std::size_t colon = line.find(':');
        const std::string_view key = Trimmed(line.substr(0, colon));
        const std::string_view value = colon == std::string_view::npos ? "" : Trimmed(line.substr(colon + 1));
        if (key == "NAME") {
            layout.name = value;
        } else if (key == "SOURCE") {
            layout.source = value;
        } else if (key == "GEO") {
            if (value != "yes" && value != "no")
                return fail("GEO '" + std::string(value) + "'; expected yes or no");
            layout.positions.geo = value == "yes";
        } else if (key == "DIMENSION") {
            if (!ParseWhole(value, dimension) || dimension < 1)
                return fail("DIMENSION '" + std::string(value) + "'; expected a positive node count");
        }
    }
    if (!inSection) return fail("no NODE_COORD_SECTION; expected the node positions");
    if (nodes != static_cast<std::size_t>(dimension))
        return fail(std::to_string(nodes) + " node lines; expected DIMENSION " + std::to_string(dimension));
    return read;
}

std::string OptimaTableBeside(const CInstanceLayout& layout) {
    if (layout.source.empty()) return {};
    const std::filesystem::path table = std::filesystem::path(layout.source).parent_path() / "OPTIMA.tsv";
    std::error_code error;
    return std::filesystem::is_regular_file(table, error) ? table.string() : std::string();
}
