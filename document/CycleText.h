// The text form of a cycle, as every window shows it: "( 17) 1-3-2-4-1".
#pragma once

#include <string>

class CCycleSolver;

// The cost of the cycle in parentheses, then its nodes from position 1 joined by '-', closed by
// "-1". A very long cycle is cut once the text passes 4990 characters (and still closed by "-1").
std::string FormatCycleText(const CCycleSolver& solver, const int* cycle);
