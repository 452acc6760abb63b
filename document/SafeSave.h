// Writing a file so that it is never lost: the bytes go to a temporary file in the target's
// folder, which is flushed, synced and then renamed over the target. When any step fails (disk
// full, file-size limit, permissions, a folder that vanished) the target keeps its old bytes and
// the temporary file is removed.
//
// A symbolic link is written through: the file it names is replaced and the link stays. A device
// or FIFO is written directly (a FIFO without a reader is refused); nothing but a regular file is
// ever replaced.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

// Writes bytes to path safely. Returns an empty text on success, otherwise the reason of the
// failure (as the system words it, e.g. "No space left on device").
std::string WriteFileSafely(const std::string& path, std::string_view bytes);

// True when path names a regular file (through any links) or nothing yet: a save there makes or
// replaces a file, so files beside it (a document's report) belong there too.
bool IsRegularOrNew(const std::string& path);

// Appends what is left of the stream to text, in blocks; the stream's state tells a read error
// (bad) from the end of the file (eof).
void ReadStreamText(std::istream& in, std::string& text);

// Ignores SIGXFSZ, so that a file-size limit makes a write fail (and be reported) instead of
// ending the process with a half-written temporary file. Called once by the programs' mains.
void IgnoreFileSizeSignal();
