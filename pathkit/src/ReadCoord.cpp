// TSPData::ReadCoord: the body of a NODE_COORD_SECTION or DISPLAY_DATA_SECTION.
//
// Each line holds a node number and two (or three) coordinates. Nodes may come in any order; a node
// that no line gives keeps POS_UNSET in its coordinates, which Load reports.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <new>
#include <string>

#include "LineReader.h"
#include "Memory.h"
#include "Report.h"
#include "pathkit/TSPData.h"

using namespace pathkit;

namespace {

// Reads count finite numbers from text into values; false when one is missing or not finite.
bool ReadNumbers(const char* text, double* values, int count) {
    for (int k = 0; k < count; ++k) {
        char* end = nullptr;
        values[k] = std::strtod(text, &end);
        if (end == text || !std::isfinite(values[k])) return false;
        text = end;
    }
    return true;
}

}  // namespace

bool TSPData::ReadCoord(EDGE_WEIGHT_TYPE type, FILE* file) {
    bool threeD;
    switch (type) {
        case EWT_EUC_3D:
        case EWT_MAX_3D:
        case EWT_MAN_3D:
        case EWT_XRAY1:
        case EWT_XRAY2:
            threeD = true;
            break;
        case EWT_EXPLICIT:
        case EWT_EUC_2D:
        case EWT_MAX_2D:
        case EWT_MAN_2D:
        case EWT_CEIL_2D:
        case EWT_GEO:
        case EWT_ATT:
            threeD = false;
            break;
        default:
            return false;
    }
    if (dim <= 0 || !file) return false;

    const std::size_t n = static_cast<std::size_t>(dim);
    pos2D.reset();
    pos3D.reset();
    if (threeD) {
        pos3D.reset(new (std::nothrow) POS_3D[n]);
        if (pos3D) std::fill_n(pos3D.get(), n, POS_3D{POS_UNSET, POS_UNSET, POS_UNSET});
    } else {
        pos2D.reset(new (std::nothrow) POS_2D[n]);
        if (pos2D) std::fill_n(pos2D.get(), n, POS_2D{POS_UNSET, POS_UNSET});
    }
    if (!pos2D && !pos3D) {
        Report(NoMemoryMessage(dim));
        return false;
    }

    std::string line;
    for (int k = 0; k < dim; ++k) {
        // A section cut short leaves its last nodes unset.
        if (!ReadLine(file, line) || IsKeyword(line, "EOF")) break;
        // The node number is decimal, so leading zeros ("0001") do not change it; it is a whole
        // number ("1.5" is no node 1 at x = .5).
        char* end = nullptr;
        const long node = std::strtol(line.c_str(), &end, 10);
        const bool whole = *end == '\0' || std::isspace(static_cast<unsigned char>(*end));
        if (end == line.c_str() || !whole || node < 1 || node > dim) {
            Report("Error in NODE_COORD_SECTION: bad node.");
            return false;
        }
        double c[3];
        if (!ReadNumbers(end, c, threeD ? 3 : 2)) return false;
        if (threeD)
            pos3D[node - 1] = POS_3D{c[0], c[1], c[2]};
        else
            pos2D[node - 1] = POS_2D{c[0], c[1]};
    }
    return true;
}
