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
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
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
    WriteMatrixFile(path);
}

// The table goes to a temporary file beside the target, which is flushed, synced and renamed over it;
// on any failure the temporary file is removed and the target keeps its old bytes.
bool TSPData::WriteMatrixFile(const char* path) {
    const std::string target = path ? path : "";
    const std::size_t slash = target.find_last_of('/');
    std::string temp = target.substr(0, slash == std::string::npos ? 0 : slash + 1) + "." +
                       target.substr(slash == std::string::npos ? 0 : slash + 1) + ".XXXXXX";
    struct stat info {};
    const int fd = target.empty() || (::stat(target.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
                       ? -1
                       : ::mkstemp(temp.data());
    if (fd < 0) {
        Report("Can't create file " + target +
               (target.empty() ? "" : ": " + std::string(std::strerror(errno ? errno : EISDIR))));
        return false;
    }
    int error = 0;
    WriteTable(dim, matrix.get(), [fd, &error](std::string_view text) {
        while (!text.empty()) {
            const ssize_t written = ::write(fd, text.data(), text.size());
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) {
                error = written < 0 ? errno : EIO;
                return false;
            }
            text.remove_prefix(static_cast<std::size_t>(written));
        }
        return true;
    });
    mode_t mode = 0666;
    if (::stat(target.c_str(), &info) == 0) {
        mode = info.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    if (error == 0 && ::fchmod(fd, mode) != 0) error = errno;
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        Report("Can't write file " + target + ": " + std::strerror(error));
        return false;
    }
    return true;
}

void TSPData::StoreMatrix(std::ostream& out) {
    WriteTable(dim, matrix.get(), [&out](std::string_view text) {
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        return static_cast<bool>(out);
    });
}
