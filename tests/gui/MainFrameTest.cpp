// The main frame opens with its title, its multi-document area, menus and status bar.
#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>

#include "gui/GuiTestMain.h"
#include "windows/MainFrame.h"

TEST(MainFrame, OpensEmptyWithTitleMenusAndStatusBar) {
    GuiApp();
    CMainFrame frame;
    frame.show();
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("QUIRA-1 (Traveling SalesMan Problem), Research version"));
    ASSERT_NE(frame.MdiArea(), nullptr);
    EXPECT_TRUE(frame.MdiArea()->subWindowList().isEmpty());
    EXPECT_FALSE(frame.menuBar()->actions().isEmpty());
    EXPECT_NE(frame.statusBar(), nullptr);
}
