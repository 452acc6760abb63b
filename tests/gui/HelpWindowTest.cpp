// Help: the compiled-in manual in one help window that is reused and never modal, closed by Close
// and Escape, its pictures shown as figures; Using Help opens the manual at its section on the
// help; the manual starts with tasks and a glossary. The program's icons are compiled in and render.
#include <gtest/gtest.h>

#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
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

TEST(HelpWindow, CloseAndEscapeCloseItAndPicturesAreShownAsReducedFramedFigures) {
    GuiApp();
    QWidget frame;
    frame.show();
    ShowHelpIndex(&frame);
    QPointer<CHelpWindow> window = CHelpWindow::Current();
    ASSERT_NE(window, nullptr);
    QTest::keyClick(window->Browser(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull()) << "Escape closes the help window";

    ShowHelpIndex(&frame);
    window = CHelpWindow::Current();
    window->CloseButton()->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull()) << "Close closes it";

    QImage screenshot(1280, 800, QImage::Format_RGB32);
    screenshot.fill(Qt::white);
    const QImage figure = CHelpWindow::Figure(screenshot);
    EXPECT_EQ(figure.width(), CHelpWindow::kFigureWidth);
    EXPECT_NE(figure.pixel(2, 2), qRgb(255, 255, 255));  // a margin that no dialog has
    QImage icon(32, 32, QImage::Format_RGB32);
    icon.fill(Qt::white);
    EXPECT_EQ(CHelpWindow::Figure(icon).width(), 32 + 16) << "small pictures keep their size";
}

TEST(HelpWindow, TheManualStartsWithTasksAndAGlossaryAndHoldsNoBuildInstructions) {
    GuiApp();
    QFile file(QStringLiteral(":/help/manual.md"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString manual = QString::fromUtf8(file.readAll());
    QStringList headings;
    for (const QString& line : manual.split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("## "))) headings << line.mid(3);
    ASSERT_GE(headings.size(), 2);
    EXPECT_EQ(headings[0], QStringLiteral("Tasks"));
    EXPECT_EQ(headings[1], QStringLiteral("Glossary"));
    for (const char* task : {"### Build a problem", "### Compare the two methods", "### Run a series",
                             "### Open a published instance", "### Read the verdicts"})
        EXPECT_TRUE(manual.contains(QLatin1String(task))) << task;
    for (const char* build : {"run.sh", "cmake ", "apt-get"})
        EXPECT_FALSE(manual.contains(QLatin1String(build))) << build;
}
