// The triangle-inequality test of a map network: every triangle of nodes in which one side is longer
// than the other two together, as the lines of the "Test Triangle Inequality Violations" list.
#pragma once

#include <string>
#include <vector>

class CCycleSolver;

// The line shown when no triangle violates the inequality.
inline constexpr const char* NO_VIOLATION_TEXT = "No violation of the triangle inequality has been found.";

struct CTriangleTestResult {
    int nViolations = 0;
    // One line per violation, in the order found ("%4d:%s-%s-%s" with the count and the capital
    // names of nodes a < b < d), or the single NO_VIOLATION_TEXT line.
    std::vector<std::string> lines;
};

// Tests every triple of nodes a < b < d of the solver's network; reads the weights, the selection
// and, during a maximum run, undoes the negation of the weights. Changes nothing.
CTriangleTestResult TestTriangleInequality(const CCycleSolver& solver);
