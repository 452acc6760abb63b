// Plain types of the pathkit interface: the edge-weight type and format codes of the instance-file
// format, node positions, and one entry of the table of distance functions.
#pragma once

#include <cstdint>

// The "EDGE_WEIGHT_TYPE" of an instance; the comment gives the keyword that selects each code.
enum EDGE_WEIGHT_TYPE : int32_t {
    EWT_NONE = -1,     // not determined
    EWT_EXPLICIT = 0,  // "EXPLICIT"
    EWT_EUC_2D = 1,    // "EUC_2D"
    EWT_EUC_3D = 2,    // "EUC_3D"
    EWT_MAX_2D = 3,    // "MAX_2D"
    EWT_MAX_3D = 4,    // "MAX_3D"
    EWT_MAN_2D = 5,    // "MAN_2D"
    EWT_MAN_3D = 6,    // "MAN_3D"
    EWT_CEIL_2D = 7,   // "CEIL_2D"
    EWT_GEO = 8,       // "GEO"
    EWT_ATT = 9,       // "ATT"
    EWT_XRAY1 = 10,    // "XRAY1"
    EWT_XRAY2 = 11,    // "XRAY2"
    EWT_SPECIAL = 12,  // "SPECIAL" (no distance function)
};

// The "EDGE_WEIGHT_FORMAT" of an explicit matrix.
enum EDGE_WEIGHT_FORMAT : int32_t {
    EWF_NONE = -1,           // not determined
    EWF_FUNCTION = 0,        // "FUNCTION": weights come from coordinates
    EWF_FULL_MATRIX = 1,     // "FULL_MATRIX"
    EWF_UPPER_ROW = 2,       // "UPPER_ROW"
    EWF_LOWER_ROW = 3,       // "LOWER_ROW"
    EWF_UPPER_DIAG_ROW = 4,  // "UPPER_DIAG_ROW"
    EWF_LOWER_DIAG_ROW = 5,  // "LOWER_DIAG_ROW"
    EWF_UPPER_COL = 6,       // "UPPER_COL"
    EWF_LOWER_COL = 7,       // "LOWER_COL"
    EWF_UPPER_DIAG_COL = 8,  // "UPPER_DIAG_COL"
    EWF_LOWER_DIAG_COL = 9,  // "LOWER_DIAG_COL"
};

struct POS_2D {
    double x, y;
};

struct POS_3D {
    double x, y, z;
};

// Every coordinate of a node that no coordinate line has given holds this value.
constexpr double POS_UNSET = 1.0e30;

// One entry of the table of distance functions. Exactly one of the two functions is set; the result
// is a floating value that the matrix computation truncates to an integer.
struct DIST_TYPE {
    const char* name;  // the "EDGE_WEIGHT_TYPE" keyword, e.g. "EUC_2D"
    long double (*dist2D)(const POS_2D& a, const POS_2D& b);
    long double (*dist3D)(const POS_3D& a, const POS_3D& b);
    EDGE_WEIGHT_TYPE type;
};
