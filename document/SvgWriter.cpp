// The SVG writer.
#include "document/SvgWriter.h"

#include <charconv>
#include <cmath>

std::string SvgNumber(double value) {
    if (!std::isfinite(value)) return "0";
    // Rounded to hundredths first, so that -0.001 is written as 0 and not as -0.
    double rounded = std::round(value * 100.0) / 100.0;
    if (rounded == 0) rounded = 0;
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, 2);
    if (error != std::errc()) return "0";
    std::string text(buffer, end);
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
}

namespace {

// The length of the well-formed UTF-8 sequence at text[at], or 0 when the bytes there are not one.
std::size_t Utf8Length(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(at);
    const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || at + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((byte(at + k) & 0xC0) != 0x80) return 0;
    // No overlong forms, surrogates or code points beyond U+10FFFF.
    const unsigned char second = byte(at + 1);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
        return 0;
    return length;
}

}  // namespace

std::string XmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                if (static_cast<unsigned char>(c) >= 0x80) {
                    // A byte that is not part of well-formed UTF-8 (a Latin-1 name) becomes '?'.
                    const std::size_t length = Utf8Length(text, k);
                    if (length == 0) {
                        out += '?';
                    } else {
                        out.append(text.substr(k, length));
                        k += length - 1;
                    }
                } else if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n') {
                    out += c;
                }
        }
    }
    return out;
}

CSvgWriter::CSvgWriter(double width, double height, std::string_view title) {
    const std::string w = SvgNumber(width), h = SvgNumber(height);
    m_text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
        w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h +
        "\" font-family=\"DejaVu Sans, Arial, sans-serif\">\n<title>" + XmlEscape(title) + "</title>\n";
}

void CSvgWriter::Rect(double x, double y, double w, double h, std::string_view style) {
    m_text += "<rect x=\"" + SvgNumber(x) + "\" y=\"" + SvgNumber(y) + "\" width=\"" + SvgNumber(w) +
              "\" height=\"" + SvgNumber(h) + "\" " + std::string(style) + "/>\n";
}

void CSvgWriter::Line(double x1, double y1, double x2, double y2, std::string_view style) {
    m_text += "<line x1=\"" + SvgNumber(x1) + "\" y1=\"" + SvgNumber(y1) + "\" x2=\"" + SvgNumber(x2) +
              "\" y2=\"" + SvgNumber(y2) + "\" " + std::string(style) + "/>\n";
}

void CSvgWriter::Circle(double cx, double cy, double r, std::string_view style) {
    m_text += "<circle cx=\"" + SvgNumber(cx) + "\" cy=\"" + SvgNumber(cy) + "\" r=\"" + SvgNumber(r) +
              "\" " + std::string(style) + "/>\n";
}

void CSvgWriter::Polyline(const std::vector<CSvgPoint>& points, std::string_view style) {
    m_text += "<polyline points=\"";
    for (std::size_t k = 0; k < points.size(); ++k) {
        if (k != 0) m_text += k % 8 == 0 ? '\n' : ' ';
        m_text += SvgNumber(points[k].x) + "," + SvgNumber(points[k].y);
    }
    m_text += "\" " + std::string(style) + "/>\n";
}

void CSvgWriter::Rings(const std::vector<std::vector<CSvgPoint>>& rings, std::string_view style) {
    m_text += "<path fill-rule=\"evenodd\" d=\"";
    for (const std::vector<CSvgPoint>& ring : rings) {
        if (ring.empty()) continue;
        for (std::size_t k = 0; k < ring.size(); ++k)
            m_text += (k == 0       ? "M"
                       : k % 8 == 0 ? "\n"
                                    : " ") +
                      SvgNumber(ring[k].x) + "," + SvgNumber(ring[k].y);
        m_text += "Z\n";
    }
    m_text += "\" " + std::string(style) + "/>\n";
}

void CSvgWriter::Text(double x, double y, std::string_view text, std::string_view style) {
    m_text += "<text x=\"" + SvgNumber(x) + "\" y=\"" + SvgNumber(y) + "\" " + std::string(style) + ">" +
              XmlEscape(text) + "</text>\n";
}

void CSvgWriter::BeginGroup(std::string_view style) {
    m_text += "<g " + std::string(style) + ">\n";
    ++m_nOpenGroups;
}

void CSvgWriter::EndGroup() {
    if (m_nOpenGroups == 0) return;
    m_text += "</g>\n";
    --m_nOpenGroups;
}

std::string CSvgWriter::Finish() {
    while (m_nOpenGroups > 0) EndGroup();
    m_text += "</svg>\n";
    return std::move(m_text);
}
