// Reading a typed cycle ("1-5-3-2-4-1", or a pasted cycle text with its length in front) into a
// solver, as the windows' cycle boxes read it.
#pragma once

#include <string_view>

class CCycleSolver;

// Makes the text the solver's current and initial cycle (canonical form) when it names every node
// 1..n exactly once, and returns 0. Otherwise shows the reason in an "Information" box, leaves the
// cycles unchanged and returns 1 (no "1-" in the text), 2 (a node out of range), 3 (a node named
// twice) or 4 (not n nodes). Texts of any length are read.
int ParseGivenCycleInto(CCycleSolver& solver, std::string_view text);
