// TSPData::ReadFixedEdges: the FIXED_EDGES_SECTION of an instance file, the edges every tour of the
// instance must use. Read apart from Load, so the loaded instance keeps its layout.
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <string>

#include "LineReader.h"
#include "Report.h"
#include "pathkit/TSPData.h"

using namespace pathkit;

namespace {
struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

// The next whole number in text from *pos, or false when there is none.
bool NextNumber(const std::string& text, std::size_t* pos, long* value) {
    const char* begin = text.c_str() + *pos;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(begin, &end, 10);
    if (end == begin || errno == ERANGE) return false;
    *pos += static_cast<std::size_t>(end - begin);
    *value = v;
    return true;
}
}  // namespace

bool TSPData::ReadFixedEdges(const char* path, std::vector<std::pair<int, int>>& edges) const {
    edges.clear();
    std::unique_ptr<FILE, FileCloser> file(path ? std::fopen(path, "r") : nullptr);
    if (!file) {
        Report(std::string("Can't open file ") + (path ? path : ""));
        return false;
    }
    std::string line;
    bool inSection = false;
    int lineNo = 0;
    while (ReadLine(file.get(), line)) {
        ++lineNo;
        if (!inSection) {
            if (IsKeyword(line, "EOF")) break;
            inSection = IsKeyword(line, "FIXED_EDGES_SECTION");
            continue;
        }
        // Pairs of node numbers, one pair a line, ended by -1.
        std::size_t pos = 0;
        long a = 0, b = 0;
        if (!NextNumber(line, &pos, &a)) {
            Report("FIXED_EDGES_SECTION, line " + std::to_string(lineNo) + ": expected two node numbers or -1");
            edges.clear();
            return false;
        }
        if (a == -1) return true;
        if (!NextNumber(line, &pos, &b) || a < 1 || b < 1 || a > dim || b > dim || a == b) {
            Report("FIXED_EDGES_SECTION, line " + std::to_string(lineNo) + ": expected two different node numbers 1 to " +
                   std::to_string(dim));
            edges.clear();
            return false;
        }
        edges.emplace_back(static_cast<int>(a), static_cast<int>(b));
    }
    if (inSection) {
        Report("FIXED_EDGES_SECTION: expected -1 at its end");
        edges.clear();
        return false;
    }
    return true;
}
