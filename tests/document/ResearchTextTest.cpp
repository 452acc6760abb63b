// The research answers of the core: CSV rows as quira-cli prints them, the reference optimum found
// beside an instance (or typed, or proven), each method's gap to it after later methods replaced
// the result cycle, and the matrix text read back by the strict reader.
#include <gtest/gtest.h>

#include "DocSupport.h"
#include "document/ResearchText.h"
#include "document/Series.h"
#include "document/TextMatrix.h"
#include "support/Fakes.h"

TEST(ResearchText, CsvRowsWithAndWithoutAReference) {
    EXPECT_EQ(SeriesCsvHeader("exact"), "problem,seed,polyn_cost,polyn_ms,exact_cost,exact_ms,agree,gap");
    CProblemRow row{3, 120, 15, true, 100, 40, false, 20.0};
    EXPECT_EQ(SeriesCsvRow(row, 77), "3,77,120,15,100,40,no,20.0000");
    row.bCompared = false;
    EXPECT_EQ(SeriesCsvRow(row, 77), "3,77,120,15,,,,");
    row = {1, -50, 2, true, -50, 9, true, kNoGap};  // a graph's row: compared, without a gap
    EXPECT_EQ(SeriesCsvRow(row, 5), "1,5,-50,2,-50,9,yes,");
}

TEST(ResearchText, TheReferenceIsTypedElseTheTableBesideTheInstanceElseAProvenOptimum) {
    CFakePlatform platform;
    CTempDir dir("research");
    auto doc = MakeDoc(KIND_NETWORK, 5);
    doc->m_layout.source = (dir.path / "five.tsp").string();
    const std::string header = "file\tdimension\tedge_weight_type\tedge_weight_format\toptimal_length\thas_opt_tour\n";
    WriteFileBytes(dir.path / "OPTIMA.tsv", header + "five.tsp\t5\tEUC_2D\t-\t123\tno\n");
    CGapReference ref = FindGapReference(*doc, std::nullopt);
    ASSERT_TRUE(ref.bFound);
    EXPECT_EQ(ref.nCost, 123);
    EXPECT_EQ(ref.strSource, (dir.path / "OPTIMA.tsv").string());
    EXPECT_EQ(FindGapReference(*doc, 99).nCost, 99);

    // A row of another size is not this network's optimum: said, and not used.
    WriteFileBytes(dir.path / "OPTIMA.tsv", header + "five.tsp\t6\tEUC_2D\t-\t123\tno\n");
    ref = FindGapReference(*doc, std::nullopt);
    EXPECT_FALSE(ref.bFound);
    EXPECT_NE(ref.strError.find("OPTIMA.tsv:2 gives 6 nodes; the network has 5"), std::string::npos) << ref.strError;

    // A proven optimum stands in; a stopped one does not.
    doc->m_results.Add(RESULT_OPTIMUM);
    doc->m_optimum.nCost = 40;
    EXPECT_FALSE(FindGapReference(*doc, std::nullopt).bFound);
    doc->m_optimum.bProven = true;
    ref = FindGapReference(*doc, std::nullopt);
    EXPECT_TRUE(ref.bFound);
    EXPECT_EQ(ref.nCost, 40);
}

TEST(ResearchText, EachMethodKeepsItsOwnCostAfterTheOptimumTakesTheResultCycle) {
    CFakePlatform platform;
    Platform().seedOverride = 7;
    auto doc = MakeDoc(KIND_NETWORK, 9);
    doc->GenerateRandom();
    Platform().seedOverride.reset();
    CFakeField time, final;
    CTestSeries series(*doc, time, final);
    doc->m_strRandStarts = "1";
    series.PolynomialMethod();
    // A worse polynomial result than the optimum, as the method may leave one: its own cost must
    // be the one measured, not the optimum's that replaces the result cycle.
    doc->m_nPolynCost += 10;
    const int polyn = doc->m_nPolynCost;
    series.ExactMethod();
    series.OptimumMethod();
    // The optimum's cycle replaced the result cycle: the file and the report must no longer label it
    // the polynomial method's, whose cost differs; the exact method's, of the same cost, stays.
    ASSERT_TRUE(doc->m_results.Has(RESULT_EXACT | RESULT_OPTIMUM));
    EXPECT_FALSE(doc->m_results.Has(RESULT_POLYN));
    EXPECT_EQ(doc->m_results.Stored(), 2);
    const int optimum = doc->m_optimum.nCost;
    EXPECT_EQ(doc->m_nExactCost, optimum);
    const std::vector<CMethodGap> gaps = MethodGaps(*doc, optimum);
    ASSERT_EQ(gaps.size(), 3u);
    EXPECT_STREQ(gaps[0].szMethod, "Polyn. Method");
    EXPECT_EQ(gaps[0].nCost, polyn);
    EXPECT_DOUBLE_EQ(gaps[0].dGap, GapToReference(polyn, optimum, false));
    EXPECT_EQ(gaps[2].dGap, 0.0);
    const std::string text = MethodGapsText(*doc, {true, optimum, "typed", ""});
    EXPECT_NE(text.find("Proven optimum: " + std::to_string(optimum) + ", gap 0.000%"), std::string::npos) << text;

    // A new network (Reset) holds no results, so no stale cost is shown.
    series.Reset();
    EXPECT_TRUE(MethodGaps(*doc, optimum).empty());
}

TEST(ResearchText, TheMatrixTextIsTheReportsRowsAndReadsBack) {
    auto doc = MakeDoc(KIND_NETWORK, 12);
    doc->GenerateRandom();
    const std::string text = MatrixText(*doc);
    EXPECT_EQ(text.substr(0, 14), "Node    1    2");
    const CStrictMatrix read = ReadStrictMatrix(text, "clip", 0, 0, 512);
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(read.nodes, 12);
    for (int i = 1; i <= 12; ++i)
        for (int j = i + 1; j <= 12; ++j) EXPECT_EQ(read.weights[i * 13 + j], doc->m_solver.m_ppWeight[i][j]);
    EXPECT_NE(doc->ReportText(0).find("\r\n" + MatrixRowLine(doc->m_solver, 12, 4) + "\r\n"), std::string::npos);
}
