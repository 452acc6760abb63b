// The statistics text of a series.
#include <gtest/gtest.h>

#include "DocSupport.h"
#include "support/Fakes.h"

TEST(Statistics, SevenTestsOfThreeStartsWithTwoFullTests) {
    auto doc = MakeDoc(KIND_NETWORK, 5);
    doc->m_nTests = 7;
    doc->m_strRandStarts = "3";
    doc->m_strFullTests = "2";
    doc->m_results = CResults::FromStored(1);
    doc->m_dwPolynMs = 700;
    EXPECT_STREQ(doc->BuildStatistics(0),
                 "Number of random tests: 7\r\n"
                 "(2 network(s) with 3 random starts\n and 1 network with 1 random start(s))\r\n"
                 "Full tests: 5, shorten tests: 2\r\n"
                 "Average time of polyn.method: 0.100 sec\r\n"
                 "Total time of polyn.method: 0.700 sec");
}

TEST(Statistics, ExactOnlyWithoutTestsHasNoAverageLine) {
    auto doc = MakeDoc(KIND_NETWORK, 5);
    doc->m_nTests = 0;
    doc->m_strRandStarts = "1";
    doc->m_strFullTests = "0";
    doc->m_results = CResults::FromStored(2);
    doc->m_dwSeriesTime = 2500;
    EXPECT_STREQ(doc->BuildStatistics(0),
                 "Number of random tests: 0\r\n"
                 "(0 network(s) with 1 random starts)\r\n"
                 "Short tests: 0, shorten tests: 0\r\n"
                 "Total time of polyn.method: 2.50 sec");
}

TEST(Statistics, BothMethodsWithSeveralStartsCountTheStartsAsTests) {
    auto doc = MakeDoc(KIND_NETWORK, 5);
    doc->m_nTests = 1;
    doc->m_strRandStarts = "4";
    doc->m_strFullTests = "9";  // more full tests than starts: no line
    doc->m_results = CResults::FromStored(3);
    doc->m_nDiffSolutions = 2;
    const std::string text = doc->BuildStatistics(0);
    EXPECT_EQ(doc->m_nTests, 4);
    EXPECT_EQ(text.find("Full tests"), std::string::npos);
    EXPECT_NE(text.find("Number of random tests: 4\r\n(1 network(s) with 4 random starts)\r\n"),
              std::string::npos);
    EXPECT_EQ(text.substr(text.find("\r\nDifferent")), "\r\nDifferent solutions were found 2 times.");
}

TEST(Statistics, GraphSeriesCountsFoundCyclesAndIsShownWhenAsked) {
    CFakePlatform platform;
    auto doc = MakeDoc(KIND_GRAPH, 6);
    doc->m_nTests = 3;
    doc->m_nCyclesFound = 2;
    doc->m_results = CResults::FromStored(1);
    const std::string text = doc->BuildStatistics(1);
    EXPECT_NE(text.find("(3 graph(s) with 1 random starts)\r\nCycle  was  found  in  2  graph(s).\r\n"),
              std::string::npos);
    ASSERT_EQ(platform.dialogs.messages.size(), 1u);
    EXPECT_EQ(platform.dialogs.messages[0].kind, EBoxKind::Information);
    EXPECT_EQ(platform.dialogs.messages[0].text, text);
}

TEST(Statistics, RandomStartsTextBelowOneDoesNotDivideByZero) {
    auto doc = MakeDoc(KIND_NETWORK, 5);
    doc->m_strRandStarts = "0";
    doc->m_nTests = 2;
    doc->m_results = CResults::FromStored(1);
    EXPECT_NE(std::string(doc->BuildStatistics(0)).find("(2 network(s) with 1 random starts)"),
              std::string::npos);
}
