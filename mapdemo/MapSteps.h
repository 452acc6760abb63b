// The steps of the map window over its document: rebuild the network after a change of the
// selection, Reset, Accept a picked part of the route, the Options, the Rand.Starts and Full Tests
// counts, and the texts of the route list and the Length field. The window calls these from its
// buttons, so every step is the core's and can be tested without a window.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "solver/CycleSolver.h"

class CMainDoc;

using CCapitalSelection = std::array<int, MAP_CAPITALS + 1>;

// Rebuild(random): the results are cleared, the selected capitals counted, the network re-allocated
// for them and built (in kilometres when useKm), and a new initial cycle made (1..n, shuffled when
// random). When the new size cannot be allocated: message 32793, the old node count and (when
// given) the previous selection come back, and the old network is rebuilt. 1, or 0 in that case.
int RebuildMapNetwork(CMainDoc& doc, int useKm, int random, const CCapitalSelection* previous = nullptr);

// Reset: all 51 capitals, then Rebuild(0).
int ResetMapSelection(CMainDoc& doc, int useKm);

// Accept: the capitals shown at the picked route positions (1..n) stay selected, renumbered in table
// order, and the network is rebuilt. Fewer than 4 distinct positions: message 32784 and nothing
// changes (0). Positions outside 1..n are ignored.
int AcceptMapSelection(CMainDoc& doc, const std::vector<int>& positions, int useKm);

// The USA Map Options: a changed Maximum Route clears the results; a changed unit rebuilds the
// weights in place. Returns 1 when the weights were rebuilt.
int ApplyMapOptions(CMainDoc& doc, int maximum, int useKm, int oldUseKm);

// The Rand.Starts and Full Tests fields losing focus: the texts are checked and stored in the
// document, or put back to the document's (while a method runs, or out of range). A new Rand.Starts
// text is also given to Full Tests. Both texts are updated in place to what the fields show.
void AcceptMapCounts(CMainDoc& doc, std::string& randStarts, std::string& fullTests);

// "%2d:%s (%s)": the route position and the capital and state of the node at that position of the
// current cycle.
std::string MapRouteLine(const CCycleSolver& solver, int position);
// "%d ml" or "%d km": the true length of the current cycle (empty without a network).
std::string MapLengthText(CCycleSolver& solver, int useKm);
