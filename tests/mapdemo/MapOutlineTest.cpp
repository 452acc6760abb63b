// The outline map resource and its reader: every capital of the table lies in its own state.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "mapdemo/MapData.h"
#include "mapdemo/MapOutline.h"

namespace {

std::string ReadWhole(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(MapOutline, EveryCapitalLiesInItsOwnStateAndNoOther) {
    CMapOutline outline;
    ASSERT_EQ(outline.Parse(ReadWhole(QUIRA_MAP_OUTLINE)), 1) << outline.m_strError;
    EXPECT_EQ(outline.m_nWidth, 536);
    EXPECT_EQ(outline.m_nHeight, 335);
    ASSERT_EQ(outline.m_aStates.size(), 51u);
    EXPECT_FALSE(outline.m_aBorders.empty());
    EXPECT_FALSE(outline.m_aCoasts.empty());
    for (int i = 1; i <= MAP_CAPITALS; ++i) {
        const CCapitalEntry* capital = MapCapital(i);
        ASSERT_NE(outline.StateOf(i), nullptr) << capital->szName;
        EXPECT_EQ(outline.StateContains(i, capital->x, capital->y), 1) << capital->szName;
        for (int j = 1; j <= MAP_CAPITALS; ++j) {
            if (j == i) continue;
            EXPECT_EQ(outline.StateContains(j, capital->x, capital->y), 0) << capital->szName << " in " << j;
        }
    }
    EXPECT_EQ(outline.StateOf(1)->strName, "New York");
    EXPECT_EQ(outline.StateOf(51)->strName, "District of Columbia");
}

TEST(MapOutline, RingsCountOddEvenAndFaultsAreRefused) {
    CMapOutline outline;
    // A square state with a square hole (a lake), in tenths of a pixel.
    ASSERT_EQ(outline.Parse("# comment\nOUTLINE 10 10 10\nSTATE 1 Square\nRING 4 0 0 100 0 100 100 0 100\n"
                            "RING 4 40 40 60 40 60 60 40 60\nCOAST 2 0 0 100 0\n"),
              1);
    EXPECT_EQ(outline.StateContains(1, 2, 2), 1);
    EXPECT_EQ(outline.StateContains(1, 5, 5), 0);   // in the lake
    EXPECT_EQ(outline.StateContains(1, 11, 5), 0);  // outside
    EXPECT_EQ(outline.StateContains(2, 2, 2), 0);   // no such state

    for (const char* bad : {"STATE 1 A\n", "OUTLINE 10 10 10\nRING 3 0 0 1 1 2 0\n",
                            "OUTLINE 10 10 10\nSTATE 1 A\nRING 3 0 0 1 1\n",
                            "OUTLINE 10 10 10\nSTATE 1 A\nRING 3 0 0 1 1 2 0 7\n",
                            "OUTLINE 10 10 10\nSTATE 1 A\nRING 999999999 0 0 1 1 2 0\n",
                            "OUTLINE 10 10 10\nLAKE 2 0 0 1 1\n", ""}) {
        EXPECT_EQ(outline.Parse(bad), 0) << bad;
        EXPECT_FALSE(outline.m_strError.empty());
        EXPECT_TRUE(outline.m_aStates.empty());
    }
}

}  // namespace
