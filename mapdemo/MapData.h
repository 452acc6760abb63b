// The built-in data of the map documents: the 51 state capitals of the USA (with its capital
// district) and the road distances between them in miles.
//
// A capital is addressed by its table index 1..51, the fixed order of the table. Its position is in
// pixels on the large map picture (536 x 335, origin at the top left; Alaska and Hawaii are insets at
// the left edge).
#pragma once

#include <cstdint>

#include "solver/CycleSolver.h"

struct CCapitalEntry {
    const char* szName;   // the capital
    const char* szState;  // its state
    int x, y;             // position on the large map picture
};

// The capital of a table index, or null outside 1..51.
const CCapitalEntry* MapCapital(int index);

// D[i][j]: the distance in miles between capitals i and j for i < j (always positive), and 0 for
// i >= j or an index outside 1..51. The table holds only its upper triangle.
int MapDistance(int i, int j);

// Miles to kilometres, as the map documents convert them.
constexpr double KM_PER_MILE = 1.609344;
