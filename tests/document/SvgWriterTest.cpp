// The SVG writer: numbers as SVG reads them, text that stays well-formed XML.
#include <gtest/gtest.h>

#include <cmath>

#include "document/SvgWriter.h"

TEST(SvgWriter, NumbersHaveTwoDecimalsAtMostAndNoExponentOrMinusZero) {
    EXPECT_EQ(SvgNumber(1234.5678), "1234.57");
    EXPECT_EQ(SvgNumber(3.0), "3");
    EXPECT_EQ(SvgNumber(-2.5), "-2.5");
    EXPECT_EQ(SvgNumber(-0.001), "0");
    EXPECT_EQ(SvgNumber(1e7), "10000000");
    EXPECT_EQ(SvgNumber(NAN), "0");
    EXPECT_EQ(SvgNumber(INFINITY), "0");
}

TEST(SvgWriter, TextIsEscapedAndKeptValidUtf8) {
    EXPECT_EQ(XmlEscape("a<b&c>\"d'"), "a&lt;b&amp;c&gt;&quot;d&apos;");
    // Latin-1 é is no UTF-8; the UTF-8 é stays; a control character goes.
    EXPECT_EQ(XmlEscape("\xE9t\xC3\xA9\x01!"), "?t\xC3\xA9!");
    // A lead byte whose sequence is cut short, and an overlong form.
    EXPECT_EQ(XmlEscape("x\xE2\x82"), "x??");
    EXPECT_EQ(XmlEscape("\xC0\xAF"), "??");
}

TEST(SvgWriter, DocumentClosesItsGroupsAndEscapesTheTitle) {
    CSvgWriter svg(10, 20.5, "a & b");
    svg.BeginGroup("fill=\"red\"");
    svg.Polyline({{0, 0}, {1.004, 2}}, "class=\"cycle\"");
    svg.Text(1, 2, "<x>", "");
    const std::string text = svg.Finish();
    EXPECT_NE(text.find("width=\"10\" height=\"20.5\" viewBox=\"0 0 10 20.5\""), std::string::npos);
    EXPECT_NE(text.find("<title>a &amp; b</title>"), std::string::npos);
    EXPECT_NE(text.find("<polyline points=\"0,0 1,2\" class=\"cycle\"/>"), std::string::npos);
    EXPECT_NE(text.find(">&lt;x&gt;</text>"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 12), "</g>\n</svg>\n");
}
