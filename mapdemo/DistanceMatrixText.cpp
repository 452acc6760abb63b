// The text of the "Distance Matrix" dialog.
//
// Header: "   Capital (State)" left-aligned in 31 characters, then " %4d" with the selection number of
// every selected capital. Each row: "\r\n%2d:%s (%s) " padded with spaces to 33 characters (the line
// break included, so the numbers stand under the header's), then " %4d" with the weight to every
// selected capital, read from the upper triangle; the diagonal shows the matrix's diagonal entry.
#include "mapdemo/DistanceMatrixText.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "mapdemo/MapData.h"
#include "solver/CycleSolver.h"

namespace {

constexpr std::size_t kRowHeadWidth = 33;

void AppendNumber(std::string& text, int value) {
    char cell[16];
    std::snprintf(cell, sizeof cell, " %4d", value);
    text += cell;
}

}  // namespace

std::string DistanceMatrixText(const CCycleSolver& solver) {
    std::vector<int> selected;  // table indices in table order; node p is selected[p - 1]
    for (int k = 1; k <= MAP_CAPITALS; ++k)
        if (solver.m_bCapitalSelected[k] != 0) selected.push_back(k);
    // Nodes beyond the allocated network show 0.
    const int limit = std::min(solver.m_nNodes, static_cast<int>(solver.m_ppWeight.Dim()) - 1);
    auto weight = [&](int p, int q) {
        if (p > q) std::swap(p, q);
        return q <= limit ? solver.m_ppWeight[p][q] : 0;
    };

    char head[64];
    std::snprintf(head, sizeof head, "%-31s", "   Capital (State)");
    std::string text = head;
    for (int k : selected) AppendNumber(text, solver.m_bCapitalSelected[k]);

    const int count = static_cast<int>(selected.size());
    for (int p = 1; p <= count; ++p) {
        const int k = selected[p - 1];
        const CCapitalEntry& capital = *MapCapital(k);
        char row[2 * MAP_NAME_CHARS];
        std::snprintf(row, sizeof row, "\r\n%2d:%s (%s) ", solver.m_bCapitalSelected[k], capital.szName,
                      capital.szState);
        std::string line = row;
        if (line.size() < kRowHeadWidth) line.append(kRowHeadWidth - line.size(), ' ');
        for (int q = 1; q <= count; ++q) AppendNumber(line, weight(p, q));
        text += line;
    }
    return text;
}
