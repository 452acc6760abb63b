// Telling a published instance file from a QUIRA1 document.
#include "document/InstanceFileCheck.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

// The keywords that can stand on the first line of an instance file.
constexpr std::array<std::string_view, 16> kKeywords = {
    "NAME",
    "TYPE",
    "COMMENT",
    "DIMENSION",
    "CAPACITY",
    "EDGE_WEIGHT_TYPE",
    "EDGE_WEIGHT_FORMAT",
    "EDGE_DATA_FORMAT",
    "NODE_COORD_TYPE",
    "DISPLAY_DATA_TYPE",
    "NODE_COORD_SECTION",
    "EDGE_WEIGHT_SECTION",
    "DISPLAY_DATA_SECTION",
    "TOUR_SECTION",
    "EDGE_DATA_SECTION",
    "DEPOT_SECTION",
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

bool IsInstanceFileText(std::string_view head) {
    std::size_t k = 0;
    while (k < head.size() && IsBlank(head[k])) ++k;
    std::size_t end = k;
    while (end < head.size() && (std::isupper(static_cast<unsigned char>(head[end])) || head[end] == '_'))
        ++end;
    if (end == k || (end < head.size() && head[end] != ':' && head[end] != ' ' && head[end] != '\t'))
        return false;
    const std::string_view word = head.substr(k, end - k);
    return std::find(kKeywords.begin(), kKeywords.end(), word) != kKeywords.end();
}

std::string InstanceFileRefusal() {
    return "it is an instance file of the published TSP format, not a QUIRA1 document; TOURCHK turns "
           "it into a matrix table, which Import reads";
}
