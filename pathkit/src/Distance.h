// The table of distance functions of the instance-file format and its lookup by EDGE_WEIGHT_TYPE text.
#pragma once

#include "pathkit/Types.h"

namespace pathkit {

// The first entry of the table whose name occurs anywhere in text; null when none does ("SPECIAL" has
// no entry).
const DIST_TYPE* FindDistType(const char* text);

// The matrix entry for a distance: truncated toward zero, saturated to the 32-bit range (NaN gives 0).
int ToEntry(long double distance);

}  // namespace pathkit
