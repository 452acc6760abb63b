// The text form of a cycle.
#include "document/CycleText.h"

#include <cstdio>

#include "solver/CycleSolver.h"

std::string FormatCycleText(const CCycleSolver& solver, const int* cycle) {
    char head[32];
    std::snprintf(head, sizeof head, "( %d) 1", solver.CycleCostOf(cycle));
    std::string text = head;
    for (int k = 2; k <= solver.m_nNodes && text.size() <= 4990; ++k) {
        text += '-';
        text += std::to_string(cycle[k]);
    }
    text += "-1";
    return text;
}
