// Reading a weight matrix from text rows.
#include <gtest/gtest.h>

#include <sstream>

#include "document/TextMatrix.h"
#include "support/Networks.h"

TEST(TextMatrix, ReadsRowsAfterTheirColonAndKeepsTheUpperTriangle) {
    auto s = MakeSolver(3);
    s->m_ppWeight[2][1] = 99;  // cleared first
    std::istringstream text(
        "\r\nQUIRA-1 banner line\r\nNode    1    2    3\r\n 1:    0   12   13\r\n 2:   12    0   23\r\n"
        " 3:   13   23    0\r\n\r\nNodes: 3\r\n");
    EXPECT_EQ(ReadTextMatrix(text, 3, 0, s->m_ppWeight), 3);
    EXPECT_EQ(s->m_ppWeight[1][2], 12);
    EXPECT_EQ(s->m_ppWeight[1][3], 13);
    EXPECT_EQ(s->m_ppWeight[2][3], 23);
    EXPECT_EQ(s->m_ppWeight[2][1], 0);
    EXPECT_EQ(s->m_ppWeight[3][1], 0);
}

TEST(TextMatrix, TruncatesClampsAndCodesGraphs) {
    auto s = MakeSolver(3);
    std::istringstream text("a: 0 7.9 -40000\nb: 0 0 1e9\nc: 0 0 0\n");
    ReadTextMatrix(text, 3, 0, s->m_ppWeight);
    EXPECT_EQ(s->m_ppWeight[1][2], 7);
    EXPECT_EQ(s->m_ppWeight[1][3], -32768);
    EXPECT_EQ(s->m_ppWeight[2][3], 32767);
    std::istringstream graph("1: 0 5 -2\n2: 5 0 0.5\n");
    ReadTextMatrix(graph, 3, 1, s->m_ppWeight);
    EXPECT_EQ(s->m_ppWeight[1][2], 1);
    EXPECT_EQ(s->m_ppWeight[1][3], 0);
    EXPECT_EQ(s->m_ppWeight[2][3], 0);  // 0.5 truncates to 0
}

TEST(TextMatrix, ShortFilesLeaveTheRestZero) {
    auto s = MakeSolver(4);
    s->m_ppWeight[3][4] = 5;
    std::istringstream text("only: 0 1 2 3\nno colon here 9 9 9\n");
    EXPECT_EQ(ReadTextMatrix(text, 4, 0, s->m_ppWeight), 1);
    EXPECT_EQ(s->m_ppWeight[1][4], 3);
    EXPECT_EQ(s->m_ppWeight[3][4], 0);
}

TEST(TextMatrix, LongLinesAreReadInPieces) {
    auto s = MakeSolver(2);
    // A line of 6000 characters: its second piece holds a ':' and counts as the next row.
    std::string line = "1: 0 4" + std::string(5200, ' ') + "x: 0 9";
    std::istringstream text(line + "\n");
    EXPECT_EQ(ReadTextMatrix(text, 2, 0, s->m_ppWeight), 2);
    EXPECT_EQ(s->m_ppWeight[1][2], 4);
}
