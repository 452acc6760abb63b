// A small writer of SVG 1.1 pictures, for the console program's drawings: plain text, numbers in
// the "C" locale whatever the process locale is, every text and attribute value XML-escaped.
//
// Coordinates are user units with the origin at the top left and y growing downwards, as in the
// windows. Styles are given as presentation attributes ("stroke=\"#c00\" fill=\"none\""), which the
// caller composes from fixed texts; only text content and the title go through the escaping.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct CSvgPoint {
    double x = 0, y = 0;
};

// A number as SVG reads it: at most two decimals, no trailing zeros, "." as the separator, never
// an exponent; not-finite values become 0.
std::string SvgNumber(double value);
// Text with &, <, >, " and ' replaced by their entities, bytes that are not well-formed UTF-8 as
// '?', and control characters other than tab and line feed (which XML 1.0 does not allow) dropped.
std::string XmlEscape(std::string_view text);

class CSvgWriter {
public:
    // A picture of width x height user units; title becomes the document's <title>.
    CSvgWriter(double width, double height, std::string_view title);

    void Rect(double x, double y, double w, double h, std::string_view style);
    void Line(double x1, double y1, double x2, double y2, std::string_view style);
    void Circle(double cx, double cy, double r, std::string_view style);
    // A polyline through the points in order (closed by the caller repeating the first point).
    void Polyline(const std::vector<CSvgPoint>& points, std::string_view style);
    // One path of closed rings ("M ... Z" each), filled by the even-odd rule so that a ring inside
    // another is a hole.
    void Rings(const std::vector<std::vector<CSvgPoint>>& rings, std::string_view style);
    // Text at (x, y); style typically holds font-size and text-anchor.
    void Text(double x, double y, std::string_view text, std::string_view style);
    // <g style>...</g> around what follows until EndGroup.
    void BeginGroup(std::string_view style);
    void EndGroup();

    // The finished document (closes open groups and the <svg> element). The writer stays usable
    // for nothing after it.
    std::string Finish();

private:
    std::string m_text;
    int m_nOpenGroups = 0;
};
