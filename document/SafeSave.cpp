// The safe save of documents, reports, params.dat and the console's outputs.
//
// What the save replaces is always a regular file: a symbolic link is followed to the file it
// names (the temporary file goes beside that file and the rename lands on it, so the link stays a
// link), and a device or FIFO is written directly, since renaming over it would put a plain file
// in its place.
#include "document/SafeSave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <istream>
#include <string>

namespace {

std::string Reason(int error) {
    return std::strerror(error);
}

// Writes all bytes to fd, retrying short writes and interrupted calls. 0 or the errno.
int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (written == 0) return EIO;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// The path with every symbolic link at its end followed to the name it points to (relative link
// texts are read from the link's folder). A link to a file not yet there gives that file's name.
// Empty when the links loop.
std::string FollowLinks(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat link {};
        if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
        std::string text(4096, '\0');
        const ssize_t length = ::readlink(path.c_str(), text.data(), text.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= text.size()) return path;
        text.resize(static_cast<std::size_t>(length));
        const std::size_t slash = path.find_last_of('/');
        path = text.front() == '/' || slash == std::string::npos ? text : path.substr(0, slash + 1) + text;
    }
    return {};
}

// A device or FIFO takes the bytes as they come: no temporary file, no rename. A FIFO that no
// process reads is refused at once instead of waiting for a reader that may never come; a reader
// that leaves early is a failed write (EPIPE), not the end of the program.
std::string WriteDirectly(const std::string& path, bool fifo, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | (fifo ? O_NONBLOCK : 0));
    if (fd < 0) return errno == ENXIO && fifo ? std::string("no process reads the FIFO") : Reason(errno);
    if (fifo) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    struct sigaction ignore {};
    struct sigaction old {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGPIPE, &ignore, &old);
    int error = WriteAll(fd, bytes);
    ::sigaction(SIGPIPE, &old, nullptr);
    if (::close(fd) != 0 && error == 0) error = errno;
    return error == 0 ? std::string() : Reason(error);
}

}  // namespace

bool IsRegularOrNew(const std::string& path) {
    struct stat target {};
    return ::stat(path.c_str(), &target) != 0 || S_ISREG(target.st_mode);
}

std::string WriteFileSafely(const std::string& given, std::string_view bytes) {
    if (given.empty()) return "no file name";
    struct stat target {};
    if (::stat(given.c_str(), &target) == 0) {
        if (S_ISDIR(target.st_mode)) return Reason(EISDIR);
        if (!S_ISREG(target.st_mode)) return WriteDirectly(given, S_ISFIFO(target.st_mode), bytes);
    }
    const std::string path = FollowLinks(given);
    if (path.empty()) return Reason(ELOOP);
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string temp = (slash == std::string::npos ? std::string() : folder) + "." + name + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return Reason(errno);
    // A new file gets the usual permissions (mkstemp makes 0600); a replaced file keeps its own.
    mode_t mode = 0666;
    if (::stat(path.c_str(), &target) == 0) {
        mode = target.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    int error = WriteAll(fd, bytes);
    if (error == 0 && ::fchmod(fd, mode) != 0) error = errno;
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temp.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        return Reason(error);
    }
    return {};
}

void ReadStreamText(std::istream& in, std::string& text) {
    char block[1 << 16];
    while (in.read(block, sizeof block) || in.gcount() > 0)
        text.append(block, static_cast<std::size_t>(in.gcount()));
}

void IgnoreFileSizeSignal() {
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}
