// The outline map under the map window's route: the states' outlines, their inner borders and
// their coast (with the land borders to the neighbouring countries), in pixels of the large map
// picture (536 x 335), read from the text resource resources/map/us-states.outline that
// tools/mapoutline/build.mjs writes. The window draws it at either picture size; the tests check
// on it that every capital of the table lies in its own state.
//
// The text, line by line ('#' starts a comment line):
//   OUTLINE width height units        coordinates below are pixels times units
//   STATE index name                  a state; index is its capital's table index 1..51
//   RING n x1 y1 ... xn yn            a closed ring of the last STATE (islands are rings of their own)
//   BORDER n x1 y1 ...                a line between two states
//   COAST n x1 y1 ...                 a line of the coast or the country's land border
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct CMapPoint {
    int x, y;  // pixels times m_nUnits
};
using CMapLine = std::vector<CMapPoint>;

struct CMapState {
    int nCapital = 0;  // table index of the state's capital
    std::string strName;
    std::vector<CMapLine> aRings;
};

class CMapOutline {
public:
    // Reads the text. 1 on success; 0 with the fault in m_strError (and the outline emptied) when
    // a line is not one of the forms above or a count disagrees with its coordinates.
    int Parse(std::string_view text);
    // Whether the point (in pixels of the large picture) lies inside the state's outline (an odd
    // number of its rings around it). 0 for a table index without a state.
    int StateContains(int capital, double x, double y) const;
    // The state of a capital's table index, or null.
    const CMapState* StateOf(int capital) const;

    int m_nWidth = 0, m_nHeight = 0, m_nUnits = 1;
    std::vector<CMapState> m_aStates;
    std::vector<CMapLine> m_aBorders;
    std::vector<CMapLine> m_aCoasts;
    std::string m_strError;
};
