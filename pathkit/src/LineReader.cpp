// Reading instance files line by line.
#include "LineReader.h"

#include <sys/stat.h>

namespace pathkit {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

bool ReadLine(FILE* file, std::string& line) {
    line.clear();
    int c;
    while ((c = getc_unlocked(file)) != EOF) {
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            line.push_back('\n');
            return true;
        }
        line.push_back(static_cast<char>(c));
    }
    return !line.empty();
}

bool IsKeyword(std::string_view line, std::string_view keyword, std::string_view* rest) {
    std::size_t i = 0;
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (line.substr(i, keyword.size()) != keyword) return false;
    i += keyword.size();
    if (i < line.size()) {
        const char next = line[i];
        if (!IsBlank(next) && next != ':' && next != '\n' && next != '\r') return false;
    }
    if (rest) *rest = line.substr(i);
    return true;
}

std::string_view KeywordValue(std::string_view rest) {
    std::size_t i = 0;
    while (i < rest.size() && IsBlank(rest[i])) ++i;
    if (i < rest.size() && rest[i] == ':') {
        ++i;
        while (i < rest.size() && IsBlank(rest[i])) ++i;
    }
    return rest.substr(i);
}

uint64_t RemainingBytes(FILE* file) {
    struct stat info;
    if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) return UINT64_MAX;
    const long position = std::ftell(file);
    if (position < 0 || position > info.st_size) return UINT64_MAX;
    return static_cast<uint64_t>(info.st_size - position);
}

}  // namespace pathkit
