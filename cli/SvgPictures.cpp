// The pictures of quira-cli --svg.
#include "cli/SvgPictures.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>

#include "cli/CliCommon.h"
#include "document/Outcome.h"
#include "document/SafeSave.h"
#include "mapdemo/MapData.h"
#include "mapdemo/MapOutline.h"
#include "solver/CycleSolver.h"

// The outline text of resources/map/us-states.outline, compiled in (MapOutlineText.cpp is made by
// CMake from that file).
const char* MapOutlineText();

namespace {

constexpr const char* kCycleColour = "#d62728";
constexpr const char* kPolynColour = "#1f77b4";
constexpr const char* kExactColour = "#e6850e";

// The title band's height for its lines.
double BandHeight(std::size_t lines) {
    return lines == 0 ? 10 : 40 + 19.0 * static_cast<double>(lines - 1);
}

// The title band: the first line larger and bold. Returns the band's height.
double TitleBand(CSvgWriter& svg, const std::vector<std::string>& lines, double left) {
    double y = 8;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        y += k == 0 ? 22 : 19;
        svg.Text(left, y, lines[k],
                 k == 0 ? "font-size=\"17\" font-weight=\"bold\" fill=\"#222\""
                        : "font-size=\"14\" fill=\"#333\"");
    }
    return BandHeight(lines.size());
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "; ") + line;
    return text;
}

// A step of 1, 2 or 5 times a power of ten that cuts span into about `parts` pieces.
double NiceStep(double span, int parts) {
    if (!(span > 0)) return 1;
    const double raw = span / parts;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    const double unit = raw / power;
    return (unit < 1.5 ? 1 : unit < 3.5 ? 2 : unit < 7.5 ? 5 : 10) * power;
}

// A number for a tick label, with as many decimals as the step needs.
std::string TickText(double value, double step) {
    const int decimals = step >= 1 ? 0 : std::min(6, static_cast<int>(std::ceil(-std::log10(step) - 1e-9)));
    if (std::abs(value) < step / 1e6) value = 0;
    char text[64];
    const auto [end, error] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return error == std::errc() ? std::string(text, end) : "?";
}

// A panel with its frame, ticks and labels, mapping data (x, y) into its box.
struct CPanel {
    double left, top, width, height;
    double x0, x1, y0, y1;  // the data range shown
    double X(double x) const { return left + (x - x0) / (x1 - x0) * width; }
    double Y(double y) const { return top + height - (y - y0) / (y1 - y0) * height; }
};

void DrawAxes(CSvgWriter& svg, const CPanel& p, double xStep, double yStep, const std::string& yLabel,
              const std::string& xLabel) {
    svg.Rect(p.left, p.top, p.width, p.height, "fill=\"#fcfcfc\" stroke=\"#888\" stroke-width=\"1\"");
    for (double y = std::ceil(p.y0 / yStep) * yStep; y <= p.y1 + yStep * 1e-9; y += yStep) {
        const double py = p.Y(y);
        svg.Line(p.left, py, p.left + p.width, py, "stroke=\"#e4e4e4\" stroke-width=\"1\"");
        svg.Line(p.left - 5, py, p.left, py, "stroke=\"#555\" stroke-width=\"1\"");
        svg.Text(p.left - 8, py, TickText(y, yStep),
                 "font-size=\"11\" text-anchor=\"end\" dy=\"0.35em\" fill=\"#333\"");
    }
    for (double x = std::ceil(p.x0 / xStep) * xStep; x <= p.x1 + xStep * 1e-9; x += xStep) {
        const double px = p.X(x);
        svg.Line(px, p.top + p.height, px, p.top + p.height + 5, "stroke=\"#555\" stroke-width=\"1\"");
        svg.Text(px, p.top + p.height + 18, TickText(x, xStep),
                 "font-size=\"11\" text-anchor=\"middle\" fill=\"#333\"");
    }
    svg.Text(p.left - 48, p.top + p.height / 2, yLabel,
             "font-size=\"12\" text-anchor=\"middle\" fill=\"#222\" transform=\"rotate(-90 " +
                 SvgNumber(p.left - 48) + " " + SvgNumber(p.top + p.height / 2) + ")\"");
    if (!xLabel.empty())
        svg.Text(p.left + p.width / 2, p.top + p.height + 36, xLabel,
                 "font-size=\"12\" text-anchor=\"middle\" fill=\"#222\"");
}

// One data series of a panel: a thin line through the points that have a value, broken where one
// is missing, and a mark at each.
void DrawSeries(CSvgWriter& svg, const CPanel& p, const std::vector<CSeriesPoint>& points,
                double CSeriesPoint::*value, double scale, const char* colour, const char* cls) {
    std::vector<CSvgPoint> run;
    auto flush = [&] {
        if (run.size() > 1)
            svg.Polyline(run, std::string("fill=\"none\" stroke=\"") + colour + "\" stroke-width=\"1.2\"");
        run.clear();
    };
    const double radius = points.size() > 200 ? 1.5 : 3;
    for (const CSeriesPoint& point : points) {
        const double v = point.*value;
        if (!std::isfinite(v)) {
            flush();
            continue;
        }
        run.push_back({p.X(point.problem), p.Y(v * scale)});
    }
    flush();
    for (const CSeriesPoint& point : points) {
        const double v = point.*value;
        if (std::isfinite(v))
            svg.Circle(p.X(point.problem), p.Y(v * scale), radius,
                       std::string("class=\"") + cls + "\" fill=\"" + colour + "\"");
    }
}

}  // namespace

std::vector<CSvgPoint> RingPositions(int n) {
    std::vector<CSvgPoint> at(static_cast<std::size_t>(std::max(n, 0)) + 1);
    const double step = n > 0 ? 2 * std::numbers::pi / n : 0;
    for (int k = 0; k < n; ++k)
        at[static_cast<std::size_t>(k) + 1] = {std::cos(step * k), std::sin(step * k)};
    return at;
}

std::vector<std::pair<int, int>> GraphEdges(const CCycleSolver& solver) {
    std::vector<std::pair<int, int>> edges;
    for (int i = 1; i <= solver.m_nNodes; ++i)
        for (int j = i + 1; j <= solver.m_nNodes; ++j)
            if (solver.m_ppWeight[i][j] == 0) edges.emplace_back(i, j);
    return edges;
}

std::string CyclePictureSvg(const CCyclePicture& picture) {
    const int n = static_cast<int>(picture.at.size()) - 1;
    constexpr double kWidth = 800, kBox = 700, kMargin = 50;
    const double band = BandHeight(picture.titleLines.size());
    double minX = std::numeric_limits<double>::max(), maxX = -minX, minY = minX, maxY = -minX;
    for (int k = 1; k <= n; ++k) {
        minX = std::min(minX, picture.at[k].x);
        maxX = std::max(maxX, picture.at[k].x);
        minY = std::min(minY, picture.at[k].y);
        maxY = std::max(maxY, picture.at[k].y);
    }
    if (n < 1) minX = maxX = minY = maxY = 0;
    // The nodes fill the box's width or its height; a wide picture is less high.
    const double span = std::max(maxX - minX, maxY - minY);
    const double scale = span > 0 ? kBox / span : 1;
    const double boxHeight = std::max((maxY - minY) * scale, kBox / 3);
    const double height = band + boxHeight + 2 * kMargin;
    CSvgWriter svg(kWidth, height, Joined(picture.titleLines));
    svg.Rect(0, 0, kWidth, height, "fill=\"#ffffff\"");
    TitleBand(svg, picture.titleLines, 20);
    if (n < 1) return svg.Finish();
    const double left = kMargin + (kBox - (maxX - minX) * scale) / 2;
    const double top = band + kMargin + (boxHeight - (maxY - minY) * scale) / 2;
    const double centreX = kMargin + kBox / 2, centreY = band + kMargin + boxHeight / 2;
    auto at = [&](int node) {
        return CSvgPoint{left + (picture.at[node].x - minX) * scale,
                         top + (picture.at[node].y - minY) * scale};
    };

    if (!picture.edges.empty()) {
        svg.BeginGroup("class=\"edges\" stroke=\"#b8b8b8\" stroke-width=\"1\"");
        for (const auto& [a, b] : picture.edges) {
            if (a < 1 || a > n || b < 1 || b > n) continue;
            const CSvgPoint p = at(a), q = at(b);
            svg.Line(p.x, p.y, q.x, q.y, "class=\"edge\"");
        }
        svg.EndGroup();
    }
    if (!picture.cycle.empty()) {
        std::vector<CSvgPoint> path;
        for (const int node : picture.cycle)
            if (node >= 1 && node <= n) path.push_back(at(node));
        svg.Polyline(path, std::string("class=\"cycle\" fill=\"none\" stroke=\"") + kCycleColour +
                               "\" stroke-width=\"" + (n > 200 ? "1.2" : "2") +
                               "\" stroke-linejoin=\"round\"");
    }
    const double radius = n <= 30 ? 4.5 : n <= kSvgLabelLimit ? 3 : 2;
    const char* fontSize = n <= 30 ? "13" : n <= 60 ? "11" : "9";
    svg.BeginGroup("fill=\"#1a1a1a\"");
    for (int k = 1; k <= n; ++k) {
        const CSvgPoint p = at(k);
        svg.Circle(p.x, p.y, radius, "class=\"node\"");
    }
    svg.EndGroup();
    if (n <= kSvgLabelLimit) {
        // Each number stands off its node, away from the middle of the picture.
        svg.BeginGroup(std::string("font-size=\"") + fontSize +
                       "\" text-anchor=\"middle\" fill=\"#0b3d91\" stroke=\"#ffffff\" stroke-width=\"3\" "
                       "paint-order=\"stroke\"");
        for (int k = 1; k <= n; ++k) {
            const CSvgPoint p = at(k);
            const double dx = p.x - centreX, dy = p.y - centreY, length = std::hypot(dx, dy);
            const double ux = length > 0 ? dx / length : 0, uy = length > 0 ? dy / length : -1;
            const double off = radius + (n <= 30 ? 10 : 7);
            svg.Text(p.x + ux * off, p.y + uy * off, std::to_string(k), "dy=\"0.35em\"");
        }
        svg.EndGroup();
    }
    return svg.Finish();
}

std::string MapPictureSvg(const CCycleSolver& solver, const int* cycle,
                          const std::vector<std::string>& titleLines) {
    static const CMapOutline outline = [] {
        CMapOutline o;
        o.Parse(MapOutlineText());
        return o;
    }();
    constexpr double kScale = 2;  // the large picture, twice
    const double width = 536 * kScale, mapHeight = 335 * kScale;
    // A little more room under the title for the numbers of the capitals at the top edge.
    const double band = BandHeight(titleLines.size()) + 12;
    CSvgWriter svg(width, band + mapHeight, Joined(titleLines));
    svg.Rect(0, 0, width, band, "fill=\"#ffffff\"");
    TitleBand(svg, titleLines, 16);
    svg.Rect(0, band, width, mapHeight, "fill=\"#dce9f2\"");
    const double unit = kScale / std::max(outline.m_nUnits, 1);
    auto points = [&](const CMapLine& line) {
        std::vector<CSvgPoint> out;
        out.reserve(line.size());
        for (const CMapPoint& p : line) out.push_back({p.x * unit, band + p.y * unit});
        return out;
    };
    std::vector<std::vector<CSvgPoint>> land;
    for (const CMapState& state : outline.m_aStates)
        for (const CMapLine& ring : state.aRings) land.push_back(points(ring));
    svg.Rings(land, "fill=\"#f4f0de\" stroke=\"none\"");
    svg.BeginGroup("fill=\"none\" stroke=\"#b4aa8e\" stroke-width=\"1.2\"");
    for (const CMapLine& line : outline.m_aBorders) svg.Polyline(points(line), "");
    svg.EndGroup();
    svg.BeginGroup("fill=\"none\" stroke=\"#5d7c94\" stroke-width=\"1.4\"");
    for (const CMapLine& line : outline.m_aCoasts) svg.Polyline(points(line), "");
    svg.EndGroup();
    svg.BeginGroup("fill=\"#3c3c46\"");
    for (int i = 1; i <= MAP_CAPITALS; ++i) {
        const CCapitalEntry* c = MapCapital(i);
        svg.Circle(c->x * kScale, band + c->y * kScale, 2.5, "class=\"capital\"");
    }
    svg.EndGroup();

    const int n = solver.m_nNodes;
    // The window draws the route between the capitals' whole pixels of the large picture.
    auto at = [&](int node) {
        return CSvgPoint{solver.CapitalX(node, MAP_SCALE_LARGE) * kScale,
                         band + solver.CapitalY(node, MAP_SCALE_LARGE) * kScale};
    };
    if (cycle && n >= 2) {
        std::vector<CSvgPoint> route;
        for (int k = 1; k <= n; ++k) route.push_back(at(cycle[k]));
        route.push_back(at(cycle[1]));
        svg.Polyline(route, std::string("class=\"cycle\" fill=\"none\" stroke=\"") + kCycleColour +
                                "\" stroke-width=\"2\" stroke-linejoin=\"round\"");
    }
    svg.BeginGroup(
        "font-size=\"11\" fill=\"#0b3d91\" stroke=\"#ffffff\" stroke-width=\"3\" paint-order=\"stroke\"");
    for (int node = 1; node <= n; ++node) {
        const CSvgPoint p = at(node);
        svg.Circle(p.x, p.y, 3.5, "class=\"node\" fill=\"#1a1a1a\" stroke=\"none\"");
        svg.Text(p.x + 5, p.y - 4, std::to_string(node), "");
    }
    svg.EndGroup();
    return svg.Finish();
}

std::string SolvePictureSvg(const CCycleSolver& solver, const int* cycle, const CSolvePicture& picture) {
    const int n = solver.m_nNodes;
    const bool graph = solver.m_nKind == KIND_GRAPH;
    std::vector<std::string> lines;
    lines.push_back(picture.name + " - " + std::to_string(n) + (n == 1 ? " node" : " nodes") +
                    (graph               ? ", graph"
                     : solver.m_bMaximum ? ", maximum cycle"
                                         : ""));
    std::string result = picture.method + ": cost " + std::to_string(picture.cost);
    if (graph) {
        result = picture.cost == 0 ? "Hamiltonian cycle found (" + picture.method + ")"
                                   : "no Hamiltonian cycle was found (" + picture.method + ")";
    } else if (picture.optimum) {
        const double gap = GapToReference(static_cast<int>(picture.cost), static_cast<int>(*picture.optimum),
                                          solver.m_bMaximum != 0);
        char text[96];
        if (std::isfinite(gap))
            std::snprintf(text, sizeof text, ", gap %.2f %% to the optimum %lld", gap, *picture.optimum);
        else
            std::snprintf(text, sizeof text, ", no percentage gap to the optimum %lld", *picture.optimum);
        result += text;
    }
    lines.push_back(result);

    // A map document's capitals are drawn where they are.
    bool onMap = solver.m_nKind == KIND_MAP && n >= 2;
    for (int node = 1; onMap && node <= n; ++node)
        onMap = std::count(solver.m_bCapitalSelected + 1, solver.m_bCapitalSelected + MAP_CAPITALS + 1,
                           node) == 1;
    if (onMap) return MapPictureSvg(solver, cycle, lines);

    CCyclePicture drawing;
    if (picture.positions) drawing.at = InstanceDrawingPositions(*picture.positions);
    std::string layout;
    if (static_cast<int>(drawing.at.size()) == n + 1) {
        layout = picture.positions->geo ? "nodes at the instance's longitude (right) and latitude (up)"
                                        : "nodes at the instance's coordinates";
    } else {
        drawing.at = RingPositions(n);
        layout = "nodes on the network window's ring";
    }
    if (n > kSvgLabelLimit)
        layout += "; node numbers left out above " + std::to_string(kSvgLabelLimit) + " nodes";
    lines.push_back(layout);
    drawing.titleLines = lines;
    if (graph) drawing.edges = GraphEdges(solver);
    if (!graph || picture.cost == 0) {
        drawing.cycle.assign(cycle + 1, cycle + n + 1);
        drawing.cycle.push_back(cycle[1]);
    }
    return CyclePictureSvg(drawing);
}

std::string SeriesPlotSvg(const std::vector<std::string>& titleLines, const std::vector<CSeriesPoint>& points,
                          const std::string& reference) {
    constexpr double kWidth = 820, kLeft = 78, kRight = 24, kPanel = 220, kGapBetween = 64;
    const double band = BandHeight(titleLines.size());
    const double height = band + 2 * kPanel + kGapBetween + 62;
    CSvgWriter svg(kWidth, height, Joined(titleLines));
    svg.Rect(0, 0, kWidth, height, "fill=\"#ffffff\"");
    TitleBand(svg, titleLines, 20);

    const int problems =
        points.empty() ? 1 : std::max_element(points.begin(), points.end(), [](auto& a, auto& b) {
                                 return a.problem < b.problem;
                             })->problem;
    const double x0 = 0.5, x1 = std::max(problems, 1) + 0.5;
    const double xStep = std::max(1.0, NiceStep(problems, 10));
    double maxGap = 0, maxMs = 0;
    bool anyGap = false, anyExact = false;
    for (const CSeriesPoint& p : points) {
        if (std::isfinite(p.gap)) {
            anyGap = true;
            maxGap = std::max(maxGap, p.gap);
        }
        if (std::isfinite(p.exactMs)) anyExact = true;
        for (const double ms : {p.polynMs, p.exactMs})
            if (std::isfinite(ms)) maxMs = std::max(maxMs, ms);
    }
    double minGap = 0;
    for (const CSeriesPoint& p : points)
        if (std::isfinite(p.gap)) minGap = std::min(minGap, p.gap);

    // The gap panel.
    // All gaps 0 (the usual case) show on an axis of 0 to 1 %.
    const double gapSpan = maxGap - minGap > 0 ? maxGap - minGap : 1.0;
    const double gapStep = NiceStep(gapSpan, 5);
    const CPanel gap{kLeft,
                     band + 8,
                     kWidth - kLeft - kRight,
                     kPanel,
                     x0,
                     x1,
                     std::floor(minGap / gapStep) * gapStep,
                     maxGap > 0   ? std::max(gapStep, std::ceil(maxGap / gapStep) * gapStep)
                     : minGap < 0 ? 0
                                  : 1.0};
    DrawAxes(svg, gap, xStep, gapStep, "gap to the " + reference + " (%)", "");
    if (anyGap) {
        DrawSeries(svg, gap, points, &CSeriesPoint::gap, 1, kPolynColour, "gap");
    } else {
        svg.Text(gap.left + gap.width / 2, gap.top + gap.height / 2,
                 anyExact ? "no gap: the methods are judged by whether they found a cycle of cost 0"
                          : "no gap: the " + reference + " did not run",
                 "font-size=\"13\" text-anchor=\"middle\" fill=\"#666\"");
    }

    // The time panel, in milliseconds or, for longer runs, seconds.
    const bool seconds = maxMs >= 2000;
    const double scale = seconds ? 0.001 : 1;
    const double timeStep = NiceStep(std::max(maxMs * scale, seconds ? 1.0 : 1.0), 5);
    const CPanel time{kLeft,     gap.top + kPanel + kGapBetween,
                      gap.width, kPanel,
                      x0,        x1,
                      0,         std::max(timeStep, std::ceil(maxMs * scale / timeStep) * timeStep)};
    DrawAxes(svg, time, xStep, timeStep, seconds ? "time (s)" : "time (ms)", "problem");
    DrawSeries(svg, time, points, &CSeriesPoint::polynMs, scale, kPolynColour, "polyn");
    if (anyExact) DrawSeries(svg, time, points, &CSeriesPoint::exactMs, scale, kExactColour, "exact");

    // The legend, above the time panel at its right.
    double lx = time.left + time.width - (anyExact ? 300 : 150);
    const double ly = time.top - 14;
    auto legend = [&](const char* colour, const char* text) {
        svg.Line(lx, ly, lx + 22, ly, std::string("stroke=\"") + colour + "\" stroke-width=\"1.2\"");
        svg.Circle(lx + 11, ly, 3, std::string("fill=\"") + colour + "\"");
        svg.Text(lx + 28, ly, text, "font-size=\"12\" dy=\"0.35em\" fill=\"#222\"");
        lx += 150;
    };
    legend(kPolynColour, "polynomial method");
    if (anyExact) legend(kExactColour, reference.c_str());
    return svg.Finish();
}

void WriteSvgFile(const std::string& path, const std::string& svg) {
    const std::string reason = WriteFileSafely(path, svg);
    if (!reason.empty()) throw CWriteError(path + ": cannot write the picture: " + reason);
}
