// The text form of a cycle, as every window shows it: "( 17) 1-3-2-4-1".
#pragma once

#include <string>
#include <vector>

class CCycleSolver;

// The cost of the cycle in parentheses, then its nodes from position 1 joined by '-', closed by
// "-1". A very long cycle is cut once the text passes 4990 characters (and still closed by "-1").
std::string FormatCycleText(const CCycleSolver& solver, const int* cycle);
// The same text of a cycle given as its cost and its nodes in order from node 1.
std::string FormatCycleText(int cost, const std::vector<int>& nodes);
