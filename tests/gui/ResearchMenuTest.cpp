// The Research menu: from a fresh start to berlin52's proven optimum and its gap in four actions;
// a stopped optimum keeps its best cycle; a typed optimum; the seeded series' table, plot and CSV;
// the clipboard copies.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>

#include "document/CycleText.h"
#include "document/ResearchText.h"
#include "document/Series.h"
#include "document/TextMatrix.h"
#include "gui/MainFrameFixture.h"
#include "windows/DialogExec.h"
#include "windows/InputView.h"
#include "windows/NetView.h"
#include "windows/ResearchMenu.h"

namespace {

class ResearchMenuTest : public CMainFrameTest {
protected:
    QString Copy(const QString& name) {
        const QString copy = Path(name);
        QFile::copy(QStringLiteral(QUIRA_INSTANCES "/") + name, copy);
        return copy;
    }
    QAction* Research(CResearchMenu::ECommand c) const { return frame->Research()->Command(c); }
    const std::string& LastMessage() const { return platform.dialogs.messages.back().text; }
    // A new network window of `nodes` nodes; the Polyn. Method run when asked.
    CChildFrame* NetworkWindow(int nodes, bool polyn) {
        frame->Command(ID_NEW_QUIRA_WINDOW)->trigger();
        CChildFrame* child = frame->ActiveFrame();
        auto* form = qobject_cast<CInputView*>(child->Form());
        form->NodesField()->setText(QString::number(nodes));
        form->CommitFields();
        if (polyn) form->Button(QStringLiteral("&Polyn. Method"))->click();
        return child;
    }
};

}  // namespace

// The manual's count: File > Open, the pick in the chooser, Research > Proven Optimum, Research >
// Gap to Optimum: four actions from a fresh start.
TEST_F(ResearchMenuTest, FourActionsFromAFreshStartToBerlin52sProvenOptimumAndGapZero) {
    const QString berlin = Copy(QStringLiteral("berlin52.tsp"));
    Copy(QStringLiteral("OPTIMA.tsv"));
    platform.dialogs.fileToOpen = berlin.toStdString();  // 2: the pick

    frame->Command(ID_FILE_OPEN)->trigger();             // 1
    Research(CResearchMenu::PROVEN_OPTIMUM)->trigger();  // 3
    Research(CResearchMenu::GAP)->trigger();             // 4

    CChildFrame* child = frame->ActiveFrame();
    ASSERT_NE(child, nullptr);
    const CMainDoc& doc = child->Doc();
    EXPECT_TRUE(doc.m_optimum.bProven);
    EXPECT_EQ(doc.m_optimum.nCost, 7542);
    EXPECT_EQ(doc.m_solver.CycleCostOf(doc.m_solver.m_aCycle), 7542) << "the drawing's cycle is the optimum";
    EXPECT_TRUE(qobject_cast<CInputView*>(child->Form())->FinalField()->text().startsWith(QStringLiteral("( 7542) 1-")));
    auto* drawing = qobject_cast<CNetView*>(child->DrawingPane());
    drawing->Render(QSize(600, 500));
    EXPECT_TRUE(drawing->AtCoordinates());
    ASSERT_EQ(platform.dialogs.messages.size(), 1u);
    EXPECT_EQ(LastMessage(), "Reference: 7542 (" + Path("OPTIMA.tsv").toStdString() +
                                 ")\nProven optimum: 7542, gap 0.000%");
}

TEST_F(ResearchMenuTest, EscapeStopsTheOptimumWithItsBestCycleShownAndNothingProven) {
    CChildFrame* child = NetworkWindow(120, false);
    platform.clock.stepPerRead = 1;
    platform.events.queue.push_back("Escape");
    Research(CResearchMenu::PROVEN_OPTIMUM)->trigger();
    const CMainDoc& doc = child->Doc();
    EXPECT_TRUE(doc.m_optimum.bAborted);
    EXPECT_FALSE(doc.m_results.Has(RESULT_OPTIMUM));
    const int best = doc.m_solver.CycleCostOf(doc.m_solver.m_aCycle);
    EXPECT_EQ(best, doc.m_optimum.nCost);
    EXPECT_EQ(qobject_cast<CInputView*>(child->Form())->FinalField()->text().toStdString(),
              FormatCycleText(doc.m_solver, doc.m_solver.m_aCycle));
    EXPECT_TRUE(frame->statusBar()->currentMessage().contains(QStringLiteral("not proven (stopped)")))
        << frame->statusBar()->currentMessage().toStdString();
}

TEST_F(ResearchMenuTest, WithoutATableTheGapAsksForAKnownOptimumAndMeasuresEachMethod) {
    CChildFrame* child = NetworkWindow(9, true);
    const int polyn = child->Doc().m_nPolynCost;
    const int known = polyn - 5;
    int asked = 0;
    CDialogExecHook hook([&](QDialog& dialog) {
        ++asked;
        dialog.findChild<QLineEdit*>()->setText(QString::number(known));
        return int(QDialog::Accepted);
    });
    Research(CResearchMenu::GAP)->trigger();
    EXPECT_EQ(asked, 1);
    char gap[64];
    std::snprintf(gap, sizeof gap, "Polyn. Method: %d, gap %.3f%%", polyn, GapToReference(polyn, known, false));
    EXPECT_EQ(LastMessage(), "Reference: " + std::to_string(known) + " (typed)\n" + gap);
    // Kept for the window: asked once.
    Research(CResearchMenu::GAP)->trigger();
    EXPECT_EQ(asked, 1);

    // A graph window has no research commands but the copies.
    frame->Command(ID_NEW_GRAPH_WINDOW)->trigger();
    frame->Research()->UpdateActions();
    EXPECT_FALSE(Research(CResearchMenu::PROVEN_OPTIMUM)->isEnabled());
    EXPECT_TRUE(Research(CResearchMenu::COPY_MATRIX)->isEnabled());
}

TEST_F(ResearchMenuTest, SeededSeriesFillsTheTableAndPlotAndExportsTheCoresCsvRows) {
    CChildFrame* child = NetworkWindow(8, false);
    Research(CResearchMenu::SERIES)->trigger();
    CSeriesDialog* dialog = frame->Research()->SeriesDialog();
    ASSERT_NE(dialog, nullptr);
    dialog->SeedField()->setText(QStringLiteral("5"));
    dialog->ProblemsField()->setText(QStringLiteral("3"));
    dialog->OnRun();

    ASSERT_EQ(dialog->Table()->rowCount(), 3);
    const CSeriesSeeds seeds(5, 1);
    for (int k = 0; k < 3; ++k) {
        const CSeriesEntry& e = dialog->Entries()[k];
        EXPECT_EQ(e.seed, seeds.Draw(k + 1, 1));
        EXPECT_EQ(dialog->Table()->item(k, 1)->text().toUInt(), e.seed);
        EXPECT_TRUE(e.row.bCompared);
        EXPECT_FALSE(std::isnan(e.row.dGap));
        EXPECT_EQ(dialog->Table()->item(k, 4)->text().toInt(), e.row.nReferenceCost);
    }
    EXPECT_FALSE(qobject_cast<CInputView*>(child->Form())->Series().m_seeds) << "the window's own test is unseeded";
    EXPECT_TRUE(dialog->Summary()->text().startsWith(QStringLiteral("3 problems; gap to the proven optimum")));

    // The same seed gives the same problems.
    const std::vector<CSeriesEntry> first = dialog->Entries();
    dialog->OnRun();
    for (int k = 0; k < 3; ++k) EXPECT_EQ(dialog->Entries()[k].row.nReferenceCost, first[k].row.nReferenceCost);

    const QImage plot = dialog->Plot()->grab().toImage();
    EXPECT_GT(plot.width(), 100);

    platform.dialogs.fileToSave = Path("rows.csv").toStdString();
    dialog->OnExport();
    QFile csv(Path("rows.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const std::string text = csv.readAll().toStdString();
    EXPECT_EQ(text, dialog->CsvText());
    EXPECT_EQ(text.substr(0, text.find('\n')), SeriesCsvHeader("optimum"));
    EXPECT_NE(text.find("\n" + SeriesCsvRow(first[2].row, first[2].seed) + "\n"), std::string::npos);

    // Every field has its caption's name and a What's This text.
    for (QWidget* w : {static_cast<QWidget*>(dialog->SeedField()), static_cast<QWidget*>(dialog->ProblemsField()),
                       static_cast<QWidget*>(dialog->Table())}) {
        EXPECT_FALSE(w->accessibleName().isEmpty());
        EXPECT_FALSE(w->whatsThis().isEmpty());
    }
    dialog->close();
}

TEST_F(ResearchMenuTest, CopiesPutTheCycleTextAndTheReportsMatrixRowsOnTheClipboard) {
    CChildFrame* child = NetworkWindow(10, true);
    const CCycleSolver& s = child->Doc().m_solver;
    Research(CResearchMenu::COPY_CYCLE)->trigger();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), FormatCycleText(s, s.m_aCycle));
    Research(CResearchMenu::COPY_MATRIX)->trigger();
    const CStrictMatrix read = ReadStrictMatrix(QApplication::clipboard()->text().toStdString(), "clip", 0, 0, 512);
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(read.nodes, 10);
    for (int i = 1; i <= 10; ++i)
        for (int j = i + 1; j <= 10; ++j) EXPECT_EQ(read.weights[i * 11 + j], s.m_ppWeight[i][j]);
}
