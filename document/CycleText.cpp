// The text form of a cycle.
#include "document/CycleText.h"

#include <cstdio>

#include "solver/CycleSolver.h"

namespace {
std::string CycleText(int cost, const int* nodes, int n) {
    char head[32];
    std::snprintf(head, sizeof head, "( %d) 1", cost);
    std::string text = head;
    for (int k = 1; k < n && text.size() <= 4990; ++k) {
        text += '-';
        text += std::to_string(nodes[k]);
    }
    text += "-1";
    return text;
}
}  // namespace

std::string FormatCycleText(const CCycleSolver& solver, const int* cycle) {
    return CycleText(solver.CycleCostOf(cycle), cycle + 1, solver.m_nNodes);
}

std::string FormatCycleText(int cost, const std::vector<int>& nodes) {
    return CycleText(cost, nodes.data(), static_cast<int>(nodes.size()));
}
