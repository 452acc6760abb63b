// The matrix editor on a working copy: the grid over small and large matrices, scrolling with the
// arrow keys, the minus-sign rule, the range check, storing on focus loss, and Load file.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "gui/GuiTestMain.h"
#include "solver/CycleSolver.h"
#include "support/Fakes.h"
#include "windows/MatrixDlg.h"
#include "windows/NumEdit.h"

namespace {

class MatrixEditor : public ::testing::Test {
protected:
    void Open(int nodes, int kind = KIND_NETWORK) {
        GuiApp();
        work.Allocate(nodes);
        for (int i = 1; i <= nodes; ++i)
            for (int j = 1; j <= nodes; ++j) work[i][j] = 100 * i + j;
        dialog = std::make_unique<CMatrixDlg>(work, nodes, kind);
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }
    CNumEdit* Focused() const { return qobject_cast<CNumEdit*>(QApplication::focusWidget()); }
    void Press(int key, int times = 1) {
        for (int k = 0; k < times; ++k) QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    }

    CFakePlatform platform;
    CSquareMatrix<int32_t> work;
    std::unique_ptr<CMatrixDlg> dialog;
};

}  // namespace

TEST_F(MatrixEditor, FourNodesShowAFourByFourGridThatDoesNotScroll) {
    Open(4);
    EXPECT_EQ(dialog->windowTitle(), "Matrix Editor");
    EXPECT_EQ(Focused(), dialog->Cell(0, 0));
    EXPECT_EQ(dialog->Cell(0, 0)->Id(), 1081);
    EXPECT_EQ(dialog->Cell(11, 8)->Id(), 1188);
    EXPECT_EQ(dialog->Cell(2, 1)->text(), "302");  // both triangles and the diagonal
    EXPECT_EQ(dialog->Cell(1, 1)->text(), "202");
    EXPECT_FALSE(dialog->Cell(0, 4)->isEnabled());
    EXPECT_TRUE(dialog->Cell(4, 0)->text().isEmpty());
    EXPECT_EQ(dialog->ColumnLabel(3)->text(), "4");
    EXPECT_EQ(dialog->RowLabel(4)->text(), "");

    Press(Qt::Key_Right, 5);
    EXPECT_EQ(Focused(), dialog->Cell(0, 3));
    Press(Qt::Key_Down, 5);
    EXPECT_EQ(Focused(), dialog->Cell(3, 3));
    EXPECT_EQ(CMatrixDlg::s_nFirstRow, 1);
    EXPECT_EQ(CMatrixDlg::s_nFirstColumn, 1);
    EXPECT_EQ(dialog->Cell(3, 3)->text(), "404");
    Press(Qt::Key_Left);
    EXPECT_EQ(Focused(), dialog->Cell(3, 2));
    Press(Qt::Key_Up);
    EXPECT_EQ(Focused(), dialog->Cell(2, 2));
}

TEST_F(MatrixEditor, TwentyNodesScrollBothWaysToTheEnds) {
    Open(20);
    Press(Qt::Key_Down, 11);
    EXPECT_EQ(Focused(), dialog->Cell(11, 0));
    Press(Qt::Key_Down, 20);
    EXPECT_EQ(CMatrixDlg::s_nFirstRow, 9);
    EXPECT_EQ(dialog->RowLabel(11)->text(), "20");
    EXPECT_EQ(dialog->Cell(11, 0)->text(), "2001");
    Press(Qt::Key_Right, 30);
    EXPECT_EQ(CMatrixDlg::s_nFirstColumn, 12);
    EXPECT_EQ(dialog->ColumnLabel(8)->text(), "20");
    EXPECT_EQ(dialog->Cell(11, 8)->text(), "2020");
    Press(Qt::Key_Up, 40);
    EXPECT_EQ(CMatrixDlg::s_nFirstRow, 1);
    EXPECT_EQ(dialog->RowLabel(0)->text(), "1");
    Press(Qt::Key_Left, 40);
    EXPECT_EQ(CMatrixDlg::s_nFirstColumn, 1);
    EXPECT_EQ(Focused(), dialog->Cell(0, 0));
    EXPECT_EQ(dialog->Cell(0, 0)->text(), "101");
}

TEST_F(MatrixEditor, MinusNegatesOnceAndOtherCharactersAreRefused) {
    Open(4);
    CNumEdit* cell = dialog->Cell(0, 0);
    cell->SetValue(25);
    QTest::keyClick(cell, '-');
    EXPECT_EQ(cell->text(), "-25");
    QTest::keyClick(cell, '-');
    EXPECT_EQ(cell->text(), "-25");
    QTest::keyClicks(cell, QStringLiteral("x."));
    QTest::keyClick(cell, Qt::Key_Backspace);
    EXPECT_EQ(cell->text(), "-25");
    EXPECT_EQ(cell->RefusedCount(), 3);
    QTest::keyClick(cell, '7');
    EXPECT_EQ(cell->text(), "-257");
}

TEST_F(MatrixEditor, GraphCellsTakeOnlyZeroAndOne) {
    Open(5, KIND_GRAPH);
    CNumEdit* cell = dialog->Cell(0, 1);
    cell->setFocus();
    cell->setText(QStringLiteral("2"));
    Press(Qt::Key_Tab);
    ASSERT_FALSE(platform.dialogs.messages.empty());
    EXPECT_EQ(platform.dialogs.messages.back().kind, EBoxKind::Error);
    EXPECT_EQ(platform.dialogs.messages.back().text, "Invalid value. The valid range is 0...1");
    EXPECT_EQ(cell->text(), "102");
    EXPECT_EQ(work[1][2], 102);  // nothing stored
}

TEST_F(MatrixEditor, LeavingACellByTabOrMouseStoresItsValueAtItsMatrixPosition) {
    Open(20);
    Press(Qt::Key_Down, 13);  // row origin 3
    Press(Qt::Key_Right, 9);  // column origin 2
    ASSERT_EQ(CMatrixDlg::s_nFirstRow, 3);
    ASSERT_EQ(CMatrixDlg::s_nFirstColumn, 2);
    CNumEdit* cell = dialog->Cell(1, 2);
    cell->setFocus();
    cell->setText(QStringLiteral("77"));
    Press(Qt::Key_Tab);
    EXPECT_EQ(work[4][4], 77);
    EXPECT_EQ(Focused(), dialog->Cell(1, 3));

    Focused()->setText(QStringLiteral("-5"));
    QTest::mouseClick(dialog->Cell(5, 5), Qt::LeftButton);
    EXPECT_EQ(work[4][5], -5);
    EXPECT_EQ(Focused(), dialog->Cell(5, 5));

    // Typed, then scrolled away with an arrow key: the value is kept too.
    Focused()->setText(QStringLiteral("9"));
    Press(Qt::Key_Down, 7);
    EXPECT_EQ(work[8][7], 9);
    EXPECT_EQ(work[1][2], 102);  // untouched cells keep their values
}

TEST_F(MatrixEditor, LoadFileReadsTheTextMatrixAndShowsItFromTheOrigin) {
    Open(4);
    Press(Qt::Key_Down, 3);
    QTemporaryDir dir;
    const std::string path = (dir.path() + "/m.txt").toStdString();
    std::ofstream(path) << "a header without colon\n1: 0 5 6 7\n2: 5 0 8 9\n3: 6 8 0 4\n4: 7 9 4 0\n";
    platform.dialogs.fileToOpen = path;
    dialog->LoadButton()->click();
    EXPECT_EQ(work[1][2], 5);
    EXPECT_EQ(work[3][4], 4);
    EXPECT_EQ(work[2][1], 0);  // the reader keeps the upper triangle
    EXPECT_EQ(dialog->Cell(0, 3)->text(), "7");
    EXPECT_EQ(Focused(), dialog->Cell(0, 0));

    platform.dialogs.fileToOpen.clear();  // cancelled: nothing happens
    work[1][2] = 55;
    dialog->LoadButton()->click();
    EXPECT_EQ(work[1][2], 55);
}
