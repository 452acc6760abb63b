// The shell's small duties: a click anywhere on a background test window makes it the active one
// (so that File > Close closes the window clicked); the main title names the active window once,
// in brackets while it is maximised, and follows Save As; the Print command's prompt.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QTest>

#include "gui/MainFrameFixture.h"
#include "windows/TestForm.h"

namespace {

class ShellFaultsTest : public CMainFrameTest {
protected:
    QString Title(const QString& rest) const { return QString::fromLatin1(kMainFrameTitle) + rest; }
};

}  // namespace

TEST_F(ShellFaultsTest, AClickOnALabelOfABackgroundWindowActivatesItAndCloseClosesThatOne) {
    frame->Command(ID_NEW_QUIRA_WINDOW)->trigger();
    CChildFrame* back = frame->ActiveFrame();
    frame->Command(ID_NEW_GRAPH_WINDOW)->trigger();
    CChildFrame* front = frame->ActiveFrame();
    ASSERT_NE(back, front);
    QLabel* label = back->Form()->findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(frame->ActiveFrame(), back);
    QTest::mouseClick(front->Form(), Qt::LeftButton, {}, QPoint(2, 2));  // the form's background
    EXPECT_EQ(frame->ActiveFrame(), front);

    QTest::mouseClick(label, Qt::LeftButton);
    frame->Command(ID_FILE_CLOSE)->trigger();
    QApplication::processEvents();
    ASSERT_EQ(frame->Frames().size(), 1);
    EXPECT_EQ(frame->Frames()[0], front);
}

TEST_F(ShellFaultsTest, TheMainTitleNamesTheActiveWindowOnceAndFollowsSaveAs) {
    frame->Command(ID_NEW_GRAPH_WINDOW)->trigger();
    CChildFrame* child = frame->ActiveFrame();
    const QString name = child->Title();
    EXPECT_EQ(frame->windowTitle(), Title(" - " + name));
    child->showMaximized();
    QApplication::processEvents();
    EXPECT_EQ(frame->windowTitle(), Title(" - [" + name + "]"));
    child->showNormal();
    QApplication::processEvents();
    EXPECT_EQ(frame->windowTitle(), Title(" - " + name));

    platform.dialogs.fileToSave = dir.filePath(QStringLiteral("renamed.grp")).toStdString();
    frame->Command(ID_FILE_SAVE_AS)->trigger();
    EXPECT_EQ(frame->windowTitle(), Title(QStringLiteral(" - renamed.grp")));
    child->showMaximized();
    QApplication::processEvents();
    EXPECT_EQ(frame->windowTitle(), Title(QStringLiteral(" - [renamed.grp]")));
}

TEST_F(ShellFaultsTest, PrintPromptsForANet) {
    EXPECT_EQ(frame->Command(ID_FILE_PRINT)->statusTip(), QStringLiteral("Print a net"));
    EXPECT_EQ(frame->Command(ID_FILE_PRINT)->toolTip(), QStringLiteral("Print a net"));
}
