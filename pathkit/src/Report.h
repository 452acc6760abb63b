// Error reporting of the library: one message on the standard error stream, flushed at once.
#pragma once

#include <string_view>

namespace pathkit {

// Writes text and, unless lineBreak is false, a line break; then flushes.
void Report(std::string_view text, bool lineBreak = true);

}  // namespace pathkit
