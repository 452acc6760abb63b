// The network of a map document: which capitals are selected, their names and map positions, and
// the weight matrix built from the distance table in miles or kilometres.
//
// The selected capitals are the network's nodes, numbered 1..n in table order: entry k of
// m_bCapitalSelected holds capital k's node number, or 0 when it is not part of the network.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

#include "mapdemo/MapData.h"
#include "solver/CycleSolver.h"

namespace {

// A selection of nothing still sizes the network for this many nodes.
constexpr int kNodesWhenNoneSelected = 20;

// The table index of the capital whose selection entry is node, or 0.
int TableIndexOfNode(const int* selected, int node) {
    if (node < 1) return 0;  // unselected capitals hold 0; node 0 is none of them
    for (int k = 1; k <= MAP_CAPITALS; ++k)
        if (selected[k] == node) return k;
    return 0;
}

}  // namespace

void CCycleSolver::SelectAllCapitals() {
    for (int k = 1; k <= MAP_CAPITALS; ++k) m_bCapitalSelected[k] = k;
}

void CCycleSolver::RenumberCapitals() {
    int next = 0;
    for (int k = 1; k <= MAP_CAPITALS; ++k)
        if (m_bCapitalSelected[k] != 0) m_bCapitalSelected[k] = ++next;
}

int CCycleSolver::CountCapitals() {
    int count = 0;
    for (int k = 1; k <= MAP_CAPITALS; ++k)
        if (m_bCapitalSelected[k] != 0) ++count;
    m_nNodes = count == 0 ? kNodesWhenNoneSelected : count;
    return m_nNodes;
}

int CCycleSolver::BuildMapNetwork(int useKm) {
    m_bUseKilometers = useKm;
    // Nodes 1..limit exist in the allocated network. After a failed re-allocation the network can be
    // smaller than the selection; the capitals beyond it are then left out rather than written past
    // the matrix.
    const int limit = std::min(m_nNodes, static_cast<int>(m_ppWeight.Dim()) - 1);
    int fits = 1;
    int r = 0;
    for (int i = 1; i <= MAP_CAPITALS; ++i) {
        if (m_bCapitalSelected[i] == 0) continue;
        ++r;
        const CCapitalEntry& capital = *MapCapital(i);
        std::snprintf(m_szCapitalName[r], MAP_NAME_CHARS, "%s", capital.szName);
        std::snprintf(m_szStateName[r], MAP_NAME_CHARS, "%s", capital.szState);
        if (r > limit) {
            fits = 0;
            continue;
        }
        int32_t* row = m_ppWeight[r];
        int c = 0;
        for (int j = 1; j <= MAP_CAPITALS && c < limit; ++j) {
            if (m_bCapitalSelected[j] == 0) continue;
            ++c;
            const int miles = MapDistance(i, j);  // 0 on the diagonal and below it
            row[c] = useKm == 0 ? miles : RoundHalfUp(miles * KM_PER_MILE);
        }
    }
    // Names of an earlier, larger selection are not left behind.
    for (int k = r + 1; k <= MAP_CAPITALS; ++k) m_szCapitalName[k][0] = m_szStateName[k][0] = '\0';
    return fits;
}

const char* CCycleSolver::CapitalName(int node) const {
    const int k = TableIndexOfNode(m_bCapitalSelected, node);
    return k == 0 ? nullptr : MapCapital(k)->szName;
}

int CCycleSolver::CapitalX(int node, double scale) const {
    const int k = TableIndexOfNode(m_bCapitalSelected, node);
    return k == 0 ? 0 : static_cast<int>(MapCapital(k)->x * scale);
}

int CCycleSolver::CapitalY(int node, double scale) const {
    const int k = TableIndexOfNode(m_bCapitalSelected, node);
    return k == 0 ? 0 : static_cast<int>(MapCapital(k)->y * scale);
}

int CCycleSolver::RoundHalfUp(double v) {
    if (std::isnan(v)) return 0;
    const double down = std::floor(v);
    const double rounded = v - down < 0.5 ? down : std::ceil(v);
    if (rounded <= static_cast<double>(INT_MIN)) return INT_MIN;
    if (rounded >= static_cast<double>(INT_MAX)) return INT_MAX;
    return static_cast<int>(rounded);
}
