// TSPData::ReadMatrix: the body of an EDGE_WEIGHT_SECTION in any of the nine explicit formats.
//
// The section is a stream of whole numbers separated by white space; how they are spread over lines
// does not matter (published files wrap rows at fixed widths). Reading stops after the last number
// the format needs, and the rest of that line is dropped. A section that ends early (end of file, an
// EOF line) or holds anything else than a number fails, so no entry is left unread.
//
// Entry (r, c) of a lower format is edge {c, r}. For a symmetric matrix each column format lists the
// same numbers as a row format: UPPER_COL as LOWER_ROW, LOWER_COL as UPPER_ROW, UPPER_DIAG_COL as
// LOWER_DIAG_ROW and LOWER_DIAG_COL as UPPER_DIAG_ROW.
#include <charconv>
#include <cstdint>
#include <string>

#include "LineReader.h"
#include "pathkit/TSPData.h"

using namespace pathkit;

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The numbers of a section, one at a time, across line ends.
class NumberStream {
public:
    explicit NumberStream(FILE* source) : file(source) {}

    // The next number; false at the end of the file, at an EOF line, or at a token that is not a
    // whole number of 32 bits.
    bool Next(int& value) {
        for (;;) {
            while (pos < line.size() && IsSpace(line[pos])) ++pos;
            if (pos < line.size()) break;
            if (!ReadLine(file, line) || IsKeyword(line, "EOF")) return false;
            pos = 0;
        }
        const char* begin = line.data() + pos;
        const char* end = line.data() + line.size();
        const auto [stop, error] = std::from_chars(begin, end, value);
        if (error != std::errc() || (stop != end && !IsSpace(*stop))) return false;
        pos = static_cast<std::size_t>(stop - line.data());
        return true;
    }

private:
    FILE* file;
    std::string line;
    std::size_t pos = 0;
};

enum class Layout { kFull, kUpper, kUpperDiag, kLower, kLowerDiag, kNone };

Layout LayoutOf(EDGE_WEIGHT_FORMAT format) {
    switch (format) {
        case EWF_FULL_MATRIX:
            return Layout::kFull;
        case EWF_UPPER_ROW:
        case EWF_LOWER_COL:
            return Layout::kUpper;
        case EWF_UPPER_DIAG_ROW:
        case EWF_LOWER_DIAG_COL:
            return Layout::kUpperDiag;
        case EWF_LOWER_ROW:
        case EWF_UPPER_COL:
            return Layout::kLower;
        case EWF_LOWER_DIAG_ROW:
        case EWF_UPPER_DIAG_COL:
            return Layout::kLowerDiag;
        default:
            return Layout::kNone;
    }
}

uint64_t NumberCount(Layout layout, uint64_t n) {
    switch (layout) {
        case Layout::kFull:
            return n * n;
        case Layout::kUpper:
        case Layout::kLower:
            return n * (n - 1) / 2;
        default:
            return n * (n + 1) / 2;
    }
}

}  // namespace

bool TSPData::ReadMatrix(EDGE_WEIGHT_FORMAT format, FILE* file) {
    const Layout layout = LayoutOf(format);
    if (layout == Layout::kNone || dim <= 0 || !file) return false;

    // Each number takes at least one digit and one separator: a file too short to hold the section
    // fails before its matrix is allocated.
    const uint64_t count = NumberCount(layout, static_cast<uint64_t>(dim));
    if (count > 0 && RemainingBytes(file) < 2 * count - 1) return false;
    if (!AllocMatrix()) return false;

    NumberStream numbers(file);
    int value;
    const int n = dim;
    switch (layout) {
        case Layout::kFull:
            for (int i = 1; i <= n; ++i)
                for (int j = 1; j <= n; ++j) {
                    if (!numbers.Next(value)) return false;
                    if (j > i) SetCost(i, j, value);
                }
            break;
        case Layout::kUpper:
        case Layout::kUpperDiag: {
            const int first = layout == Layout::kUpper ? 1 : 0;  // offset of the row's first column
            for (int i = 1; i <= n; ++i)
                for (int j = i + first; j <= n; ++j) {
                    if (!numbers.Next(value)) return false;
                    if (j != i) SetCost(i, j, value);
                }
            break;
        }
        case Layout::kLower:
        case Layout::kLowerDiag: {
            const int last = layout == Layout::kLower ? 1 : 0;  // columns end this far before the row
            for (int r = 1; r <= n; ++r)
                for (int c = 1; c <= r - last; ++c) {
                    if (!numbers.Next(value)) return false;
                    if (c != r) SetCost(c, r, value);
                }
            break;
        }
        case Layout::kNone:
            break;
    }
    return true;
}
