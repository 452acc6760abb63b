// Error reporting of the library through std::cerr, so that a host program can redirect it.
#include "Report.h"

#include <iostream>

namespace pathkit {

void Report(std::string_view text, bool lineBreak) {
    std::cerr << text;
    if (lineBreak) std::cerr << '\n';
    std::cerr.flush();
}

}  // namespace pathkit
