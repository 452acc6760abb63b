// The text report: its lines for each kind and result, and the printer's bands.
#include <gtest/gtest.h>

#include "DocSupport.h"
#include "support/Fakes.h"

namespace {

const std::string kBanner = "\r\nQUIRA-1, ver.1.0, research tool for the TSP and Hamiltonian cycles";

std::unique_ptr<CMainDoc> ThreeNodes(int kind) {
    auto doc = MakeDoc(kind, 3);
    auto& w = doc->m_solver.m_ppWeight;
    w[1][2] = 12;
    w[1][3] = 13;
    w[2][3] = 23;
    return doc;
}

const std::string kMatrix3 =
    "\r\nNode    1    2    3"
    "\r\n 1:     0   12   13"
    "\r\n 2:     0    0   23"
    "\r\n 3:     0    0    0"
    "\r\n";

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

}  // namespace

TEST(Report, NetworkBeforeAnyRun) {
    auto doc = ThreeNodes(KIND_NETWORK);
    EXPECT_EQ(doc->ReportText(0), kBanner + " (QUIRA Test)" + kMatrix3 +
                                      "\r\nNodes: 3\r\nAmplitude: 100\r\nInitial Cycle  : ( 48) 1-2-3-1");
}

TEST(Report, NetworkAfterBothMethodsEndsWithItsStatistics) {
    auto doc = ThreeNodes(KIND_NETWORK);
    doc->m_results = CResults::FromStored(3);
    doc->m_nTests = 1;
    doc->m_dwPolynMs = 20;
    SetCycle(doc->m_solver.m_aBest, {1, 3, 2});
    const std::string statistics = doc->BuildStatistics(0);
    EXPECT_EQ(doc->ReportText(0), kBanner + " (QUIRA Test)" + kMatrix3 +
                                      "\r\nNodes: 3\r\nAmplitude: 100\r\nInitial Cycle  : ( 48) 1-2-3-1"
                                      "\r\nBy Both Methods:\r\nMinimum Cycle  : ( 48) 1-3-2-1\r\n\r\n" +
                                      statistics);
    EXPECT_NE(statistics.find("Number of random tests: 1"), std::string::npos);
}

TEST(Report, MaximumCycleLabelAndExactOnlyRunWithoutStatistics) {
    auto doc = ThreeNodes(KIND_NETWORK);
    doc->m_results = CResults::FromStored(2);
    doc->m_solver.m_bMaximum = 1;
    SetCycle(doc->m_solver.m_aBest, {1, 2, 3});
    const std::string text = doc->ReportText(0);
    EXPECT_NE(text.find("\r\nBy Exp. Method:\r\nMaximum Cycle  : ( 48) 1-2-3-1\r\n\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 4), "\r\n\r\n");  // nothing follows: no statistics
}

TEST(Report, GraphUsesMaxDegreeAndNarrowNumbers) {
    auto doc = MakeDoc(KIND_GRAPH, 3);
    doc->m_strAmplitude = "2";
    doc->m_solver.m_ppWeight[1][3] = 1;
    doc->m_results = CResults::FromStored(1);
    doc->m_solver.m_nBestCost = 1;
    const std::string text = doc->ReportText(0);
    EXPECT_NE(text.find(" (Graph Test)\r\nNode   1   2   3\r\n 1:    0   0   1\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nNodes: 3\r\nMax.Degree: 2\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nBy Polyn. Method:\r\nCycle does not exist\r\n\r\n"), std::string::npos);
}

TEST(Report, MapHasNoAmplitudeLine) {
    auto doc = MakeDoc(KIND_MAP, 4);
    const std::string text = doc->ReportText(0);
    EXPECT_NE(text.find(" (USA Map)"), std::string::npos);
    EXPECT_NE(text.find("\r\nNodes: 4\r\n\r\nInitial Cycle  : "), std::string::npos);
    EXPECT_EQ(text.find("Amplitude"), std::string::npos);
}

TEST(Report, CheckEndsWithTheVerdictAndNoStatistics) {
    auto doc = ThreeNodes(KIND_CHECK);
    doc->m_solver.m_ppWeight[1][2] = 50;  // 1-2-3-1 costs 86, 1-3-2-1 the same: a minimum
    doc->m_results = CResults::FromStored(3);
    SetCycle(doc->m_solver.m_aBest, {1, 3, 2});
    std::string text = doc->ReportText(0);
    EXPECT_NE(text.find(" (Check the Given Cycle)"), std::string::npos);
    EXPECT_EQ(text.substr(text.find("By Both")),
              "By Both Methods:\r\nThe given cycle is a minimum cycle.\r\n\r\n");

    auto four = MakeDoc(KIND_CHECK, 4);
    auto& w = four->m_solver.m_ppWeight;
    w[1][2] = w[3][4] = 10;  // 1-2-3-4-1 costs 22, 1-3-2-4-1 costs 4
    w[2][3] = w[1][4] = 1;
    w[1][3] = w[2][4] = 1;
    four->m_results = CResults::FromStored(1);
    SetCycle(four->m_solver.m_aBest, {1, 3, 2, 4});
    EXPECT_NE(four->ReportText(0).find("\r\nThe given cycle is not a minimum one.\r\n"), std::string::npos);
    four->m_solver.m_bMaximum = 1;
    EXPECT_NE(four->ReportText(0).find("\r\nThe given cycle is a maximum cycle.\r\n"), std::string::npos);
}

TEST(ReportPrinting, TwelveNodesMakeOnePageEndingInAFormFeed) {
    auto doc = MakeDoc(KIND_NETWORK, 12);
    const std::string printed = doc->ReportText(1);
    EXPECT_EQ(printed, doc->ReportText(0) + "\f");
}

TEST(ReportPrinting, TwentyNodesMakeTwoBandsOfColumns) {
    auto doc = MakeDoc(KIND_NETWORK, 20);
    for (int j = 2; j <= 20; ++j) doc->m_solver.m_ppWeight[1][j] = 100 + j;
    const std::string printed = doc->ReportText(1);
    EXPECT_EQ(Count(printed, "\f"), 2u);
    EXPECT_EQ(printed.back(), '\f');
    const std::string first = printed.substr(0, printed.find("\f"));
    const std::string second = printed.substr(printed.find("\f") + 3);

    // Band 1: columns 1..15, each line CR LF + 79 characters.
    EXPECT_NE(first.find("\r\nNode    1    2"), std::string::npos);
    EXPECT_NE(first.find("  114  115\r\n 2:"), std::string::npos);
    EXPECT_EQ(first.find("  116"), std::string::npos);
    EXPECT_NE(first.find("\r\nNodes: 20\r\nAmplitude: 100"), std::string::npos);

    // Band 2: columns 16..20 only, no parameters again.
    EXPECT_NE(second.find("\r\n   16   17   18   19   20\r\n  116  117  118  119  120\r\n"),
              std::string::npos);
    EXPECT_EQ(second.find("Node"), std::string::npos);
    EXPECT_EQ(second.find("Nodes:"), std::string::npos);
    for (std::size_t at = 0; (at = printed.find("\r\n", at + 1)) != std::string::npos;) {
        const std::size_t next = printed.find("\r\n", at + 2);
        const std::size_t length = (next == std::string::npos ? printed.size() : next) - at;
        EXPECT_LE(length, 81u + 1u);  // a line and, at most, the page's form feed
    }
}

TEST(ReportPrinting, LongInitialCycleLineIsCutToItsBand) {
    std::string out;
    CMainDoc::WriteReportLine(out, "\r\n" + std::string(200, 'x'), 1, 1);
    EXPECT_EQ(out.size(), 81u);
    out.clear();
    CMainDoc::WriteReportLine(out, "\r\n" + std::string(79, 'a') + std::string(79, 'b') + "cc", 1, 2);
    EXPECT_EQ(out, "\r\n" + std::string(79, 'b'));
    out.clear();
    CMainDoc::WriteReportLine(out, "\r\nshort", 1, 2);
    EXPECT_EQ(out, "\r\n");
    out.clear();
    CMainDoc::WriteReportLine(out, "\r\n" + std::string(100, 'a'), 1, 3);  // nothing left for band 3
    EXPECT_EQ(out, "\r\n");
}

TEST(ReportFile, WrittenWithCrLfAndNoTrailingNul) {
    CTempDir dir("report");
    auto doc = ThreeNodes(KIND_NETWORK);
    ASSERT_EQ(doc->WriteReport((dir.path / "r.txt").string()), 1);
    const std::string bytes = ReadFileBytes(dir.path / "r.txt");
    EXPECT_EQ(bytes, doc->ReportText(0));
    EXPECT_NE(bytes.back(), '\0');
    EXPECT_EQ(doc->WriteReport((dir.path / "no-such-folder" / "r.txt").string()), 0);
}
