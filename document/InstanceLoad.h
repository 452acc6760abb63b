// Reading a published instance file (the keyword/section TSP format) through pathkit into a
// network: the one step behind quira-cli's --instance and survey and the windows' opening of an
// instance file. Each caller states its limits: the console takes what the solver holds, the
// network window what its documents hold. Also the instance's node positions, and how a drawing
// lays them out.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "document/SvgWriter.h"

class CCycleSolver;

// The positions an instance gives its nodes (NODE_COORD_SECTION, or DISPLAY_DATA_SECTION of an
// explicit matrix): node k at index k - 1; empty when it gives none. A 3-D instance gives its x and y.
struct CInstancePositions {
    std::vector<double> x, y;
    bool geo = false;  // GEO: x is the latitude and y the longitude, both in degrees.minutes
};

// What a reader of instances accepts, and whose limit it is (named in the refusals).
struct CInstanceLimits {
    int minNodes = 1;
    int maxNodes = 0;
    // The largest |weight|; 0 when only the cycle's cost must stay in 32 bits (n * |weight| < 2^31).
    int maxWeight = 0;
    std::string holder;  // "the solver's limit", ...
};
// Everything the solver holds: 1 to MAX_SOLVER_NODES nodes, weights whose n-fold stays in 32 bits.
CInstanceLimits SolverInstanceLimits();
// What a network window's document holds: its node range and the document file's weight range.
CInstanceLimits NetworkWindowInstanceLimits();

struct CInstanceRead {
    std::string reason;        // empty when read; otherwise what is wrong and what was expected
    std::string name;          // NAME, or the file name without its extension when there is none
    std::string distanceType;  // "EUC_2D", "GEO", ..., "EXPLICIT"
    CInstancePositions positions;
};

// Reads the instance as a network within the limits: every distance type and matrix format pathkit
// reads, a TYPE of TSP (or none). Sizes the solver (its m_nKind set by the caller) and makes the
// identity cycle the initial one. A refused file leaves the solver as it was, unless the refusal
// is the solver's own (not enough memory for the node count).
CInstanceRead ReadInstanceInto(CCycleSolver& solver, const std::string& path, const CInstanceLimits& limits);

// The FIXED_EDGES_SECTION of an instance file (node numbers; none when it has no such section).
// Returns false and the reason when the file cannot be read or the section is malformed.
bool ReadInstanceFixedEdges(const std::string& path, std::vector<std::pair<int, int>>& edges, std::string& reason);

// The first bytes of a file (fewer when it is shorter; empty when it cannot be read).
std::string ReadFileHead(const std::string& path, std::size_t bytes);

// An instance's positions in drawing units: x to the right and y down, so that the instance's y
// (up) is flipped; GEO positions (degrees.minutes) become longitude to the right and latitude up
// (north up). Index 0 unused. Empty when the instance gives none.
std::vector<CSvgPoint> InstanceDrawingPositions(const CInstancePositions& positions);
