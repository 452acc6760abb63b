// The pictures quira-cli draws for --svg: a cycle on its nodes (at an instance's positions or on
// the network window's ring), a route on the state map, and a series' gaps and times per problem.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "document/InstanceLoad.h"
#include "document/ResearchText.h"
#include "document/SvgWriter.h"

class CCycleSolver;
class CSeriesSummary;

// Above this many nodes the cycle picture leaves the node numbers out.
constexpr int kSvgLabelLimit = 120;

// What the cycle picture shows: node k (1..n) at at[k] (at[0] unused) in drawing units with y
// growing downwards; the cycle as n + 1 nodes from node 1 back to it, or empty when there is none
// to show; light edges under it (a graph's edges).
struct CCyclePicture {
    std::vector<std::string> titleLines;
    std::vector<CSvgPoint> at;
    std::vector<int> cycle;
    std::vector<std::pair<int, int>> edges;
};

// Node k of n on the network window's ring: angle 2*pi*(k-1)/n, x = cos and y = sin in screen
// coordinates (y down), as the network window lays its nodes out (NetView's FillUnitVectors and
// NodePos). Index 0 unused.
std::vector<CSvgPoint> RingPositions(int n);
// The edges of a graph: the pairs i < j of weight 0.
std::vector<std::pair<int, int>> GraphEdges(const CCycleSolver& solver);

// The cycle picture: the nodes fitted into a square keeping their aspect, marks with class "node",
// the cycle as one polyline of class "cycle", the edges as lines of class "edge".
std::string CyclePictureSvg(const CCyclePicture& picture);

// The map window's picture at twice its large size: water, the states' land, borders and coast,
// every capital as a dot, and the route through the solver's chosen capitals (cycle: n nodes from
// position 1) in red, numbered by node.
std::string MapPictureSvg(const CCycleSolver& solver, const int* cycle,
                          const std::vector<std::string>& titleLines);

// The titles of a solve picture: the problem's name, the method whose cycle it is, its cost, the
// optimum it is measured against (when given) and the instance's positions (when it has them).
struct CSolvePicture {
    std::string name;
    std::string method;
    std::optional<long long> optimum;
    const CInstancePositions* positions = nullptr;
    long long cost = 0;
};
// solve --svg: a graph's edges under its Hamiltonian cycle (or the title says none was found); a
// map document's route on the map; else the cycle (n + 1 nodes from cycle[0] unused, cycle[1] the
// first) on the instance's positions or on the ring.
std::string SolvePictureSvg(const CCycleSolver& solver, const int* cycle, const CSolvePicture& picture);

// One problem of a series: its number from 1, the gap of the polynomial result to the exact one in
// percent (NaN when not both ran or the exact cost is 0), and both methods' times in milliseconds
// (NaN for a method that did not run).
struct CSeriesPoint {
    int problem = 0;
    double gap = 0;
    double polynMs = 0;
    double exactMs = 0;
};
// Two panels over the problem number: the gap in percent, and both methods' times, with axes,
// ticks and a legend. reference names the method the gap is measured against ("exact method").
std::string SeriesPlotSvg(const std::vector<std::string>& titleLines, const std::vector<CSeriesPoint>& points,
                          const std::string& reference);

// Writes a picture safely, or throws CWriteError naming the file.
void WriteSvgFile(const std::string& path, const std::string& svg);
