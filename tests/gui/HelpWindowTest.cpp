// Help: the compiled-in manual in one help window that is reused and never modal; Using Help opens
// the manual at its section on the help. The program's icons are compiled in and render.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>

#include "gui/GuiTestMain.h"
#include "windows/HelpWindow.h"
#include "windows/ShellIcons.h"

TEST(HelpWindow, OneNonModalWindowShowsTheManualAndUsingHelpItsSection) {
    GuiApp();
    QWidget frame;
    frame.resize(400, 300);
    frame.show();
    ASSERT_EQ(CHelpWindow::Current(), nullptr);

    ShowHelpIndex(&frame);
    CHelpWindow* window = CHelpWindow::Current();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isWindow());
    EXPECT_EQ(window->windowModality(), Qt::NonModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    const QString text = window->Browser()->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("User manual"))) << text.left(40).toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8(kUsingHelpHeading)));

    window->hide();
    ShowUsingHelp(&frame);
    EXPECT_EQ(CHelpWindow::Current(), window);  // the same window, shown again
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->Browser()->textCursor().block().text(), QString::fromUtf8(kUsingHelpHeading));
    EXPECT_GT(window->Browser()->verticalScrollBar()->value(), 0);

    EXPECT_FALSE(window->ShowSection(QStringLiteral("No such heading")));
    EXPECT_EQ(window->Browser()->verticalScrollBar()->value(), 0);

    window->close();  // deleted on close; the next request opens a new one
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(CHelpWindow::Current(), nullptr);
}

TEST(ShellIcons, EveryToolbarIconAndTheProgramIconRender) {
    GuiApp();
    for (const char* name : {"file-new", "file-open", "file-saveas", "new-network", "new-graph", "new-check",
                             "new-map", "print", "about", "context-help", "quira1"}) {
        const QImage image = ShellIcon(QLatin1String(name)).pixmap(QSize(24, 24)).toImage();
        ASSERT_FALSE(image.isNull()) << name << ": is Qt's SVG plugin installed?";
        int painted = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) painted += qAlpha(image.pixel(x, y)) > 0;
        EXPECT_GT(painted, 24 * 24 / 5) << name;
    }
    const QIcon program = ProgramIcon();
    for (const int size : {16, 32, 48, 256}) EXPECT_EQ(program.pixmap(QSize(size, size)).width(), size);
}
