// TSPData::StoreMatrix: the matrix as a text table with node numbers as column headers and row labels.
//
//   <empty line>
//   <banner: library and version, without a ':' so that importers that take every line with a ':'
//    as a matrix row see the rows only>
//   Node    1     2  ...          header, "%5d " per column
//     1:    0     7  ...          "%3d:" row label, then "%5d " per column; 0 on and below the diagonal
//   -1
//   EOF                           (no line break after it)
//
// The table is formatted into a buffer of about a megabyte that is handed to the output whole, so
// that a 5,000-node table (25 million numbers) takes seconds.
#include <charconv>
#include <cstdio>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

#include "Report.h"
#include "pathkit/TSPData.h"
#include "pathkit/Version.h"

using namespace pathkit;

namespace {

constexpr std::size_t kChunk = 1 << 20;
constexpr const char* kBanner = "PATHKIT " PATHKIT_VERSION_STRING " distance matrix table";

// Appends value right-aligned in width characters; a wider value is written in full.
void AppendNumber(std::string& out, int value, std::size_t width) {
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    const std::size_t length = static_cast<std::size_t>(result.ptr - digits);
    if (length < width) out.append(width - length, ' ');
    out.append(digits, length);
}

// Writes the table of n nodes whose packed matrix is given (null: every entry 0) through write, which
// returns false when the output fails. False when a write failed.
bool WriteTable(int n, const int* matrix, const std::function<bool(std::string_view)>& write) {
    std::string buffer;
    buffer.reserve(kChunk + 4096);
    auto flushIfFull = [&] {
        if (buffer.size() < kChunk) return true;
        const bool ok = write(buffer);
        buffer.clear();
        return ok;
    };

    buffer += '\n';
    buffer += kBanner;
    buffer += "\nNode";
    for (int c = 1; c <= n; ++c) {
        AppendNumber(buffer, c, 5);
        buffer += ' ';
    }
    buffer += '\n';
    for (int r = 1; r <= n; ++r) {
        AppendNumber(buffer, r, 3);
        buffer += ':';
        for (int c = 1; c <= n; ++c) {
            // Row r's entries right of the diagonal follow one another in the packed matrix.
            AppendNumber(buffer, c > r && matrix ? *matrix++ : 0, 5);
            buffer += ' ';
        }
        buffer += '\n';
        if (!flushIfFull()) return false;
    }
    buffer += "-1\nEOF";
    return write(buffer);
}

}  // namespace

void TSPData::StoreMatrix(const char* path) {
    FILE* file = path ? std::fopen(path, "w") : nullptr;
    if (!file) {
        Report(std::string("Can't create file ") + (path ? path : ""));
        return;
    }
    bool ok = WriteTable(dim, matrix.get(), [file](std::string_view text) {
        return std::fwrite(text.data(), 1, text.size(), file) == text.size();
    });
    ok = std::fclose(file) == 0 && ok;
    if (!ok) Report(std::string("Can't write file ") + path);
}

void TSPData::StoreMatrix(std::ostream& out) {
    WriteTable(dim, matrix.get(), [&out](std::string_view text) {
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        return static_cast<bool>(out);
    });
}
