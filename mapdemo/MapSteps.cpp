// The map window's steps over its document.
#include "mapdemo/MapSteps.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "document/FieldAcceptance.h"
#include "document/MainDoc.h"
#include "document/Messages.h"

namespace {

constexpr int kMinCapitals = 4;

CCapitalSelection SelectionOf(const CCycleSolver& s) {
    CCapitalSelection selection{};
    std::copy(std::begin(s.m_bCapitalSelected), std::end(s.m_bCapitalSelected), selection.begin());
    return selection;
}

}  // namespace

int RebuildMapNetwork(CMainDoc& doc, int useKm, int random, const CCapitalSelection* previous) {
    CCycleSolver& s = doc.m_solver;
    const int oldNodes = s.m_nNodes;
    doc.m_results.Clear();
    const int newNodes = s.CountCapitals();
    s.m_nNodes = oldNodes;
    int ok = 1;
    if (!doc.SetNodeCount(newNodes)) {
        WarningBox(IDS_NO_MEMORY_FOR_NODES);
        // The old network comes back with the selection it was built from: the new one would
        // not fit it.
        if (previous) std::copy(previous->begin(), previous->end(), s.m_bCapitalSelected);
        doc.SetNodeCount(oldNodes);
        ok = 0;
    }
    if (s.m_ppWeight.Size() == 0) return 0;  // not even the old size could be had
    s.BuildMapNetwork(useKm);
    s.MakeInitialCycle(1, random);
    return ok;
}

int ResetMapSelection(CMainDoc& doc, int useKm) {
    const CCapitalSelection previous = SelectionOf(doc.m_solver);
    doc.m_solver.SelectAllCapitals();
    return RebuildMapNetwork(doc, useKm, 0, &previous);
}

int AcceptMapSelection(CMainDoc& doc, const std::vector<int>& positions, int useKm) {
    CCycleSolver& s = doc.m_solver;
    std::set<int> keep;  // the nodes shown at the picked positions
    for (int position : positions)
        if (position >= 1 && position <= s.m_nNodes) keep.insert(s.m_aCycle[position]);
    if (static_cast<int>(keep.size()) < kMinCapitals) {
        WarningBox(IDS_SELECT_FOUR_CAPITALS);
        return 0;
    }
    const CCapitalSelection previous = SelectionOf(s);
    for (int k = 1; k <= MAP_CAPITALS; ++k)
        if (s.m_bCapitalSelected[k] != 0 && !keep.count(s.m_bCapitalSelected[k])) s.m_bCapitalSelected[k] = 0;
    s.RenumberCapitals();
    RebuildMapNetwork(doc, useKm, 0, &previous);
    return 1;
}

int ApplyMapOptions(CMainDoc& doc, int maximum, int useKm, int oldUseKm) {
    CCycleSolver& s = doc.m_solver;
    if ((maximum != 0) != (s.m_bMaximum != 0)) {
        doc.m_results.Clear();
        s.m_bMaximum = maximum != 0;
    }
    if ((useKm != 0) == (oldUseKm != 0)) return 0;
    s.BuildMapNetwork(useKm);
    return 1;
}

void AcceptMapCounts(CMainDoc& doc, std::string& randStarts, std::string& fullTests) {
    if (doc.m_solver.m_bBusy) {
        randStarts = doc.m_strRandStarts;
        fullTests = doc.m_strFullTests;
        return;
    }
    if (AcceptRandStartsText(doc, randStarts, &fullTests).state == EFieldState::Refused) return;
    AcceptFullTestsText(doc, fullTests, randStarts);
}

std::string MapRouteLine(const CCycleSolver& s, int position) {
    const int node = s.m_aCycle[position];
    char line[2 * MAP_NAME_CHARS + 16];
    std::snprintf(line, sizeof line, "%2d:%s (%s)", position, s.m_szCapitalName[node], s.m_szStateName[node]);
    return line;
}

std::string MapLengthText(CCycleSolver& s, int useKm) {
    if (s.m_ppWeight.Size() == 0) return {};  // no network could be allocated
    char text[32];
    std::snprintf(text, sizeof text, "%d %s", s.CycleCostAdjusted(0, nullptr), useKm ? "km" : "ml");
    return text;
}
