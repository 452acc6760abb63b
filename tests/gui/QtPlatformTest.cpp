// The Qt event pump reports an Escape press during a poll and swallows it; other keys reach their
// widget. The clock moves forward.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include "gui/GuiTestMain.h"
#include "windows/QtPlatform.h"

namespace {
void PostKey(QWidget* target, int key) {
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier,
                                                      key == Qt::Key_A ? QStringLiteral("a") : QString()));
}
}  // namespace

TEST(QtEventPump, EscapeIsReportedAndSwallowedOtherKeysAreDelivered) {
    GuiApp();
    QtEventPump pump;
    QLineEdit edit;
    edit.show();
    PostKey(&edit, Qt::Key_Escape);
    EXPECT_TRUE(pump.ServiceOne());
    PostKey(&edit, Qt::Key_A);
    EXPECT_FALSE(pump.ServiceOne());
    EXPECT_EQ(edit.text(), QStringLiteral("a"));
    EXPECT_FALSE(pump.ServiceOne());  // nothing pending
}

TEST(QtLineEditTarget, WritesAndReadsTheField) {
    GuiApp();
    auto* edit = new QLineEdit;
    QtLineEditTarget target(edit);
    target.SetText("3 sec (1.50 min)");
    EXPECT_EQ(target.GetText(), "3 sec (1.50 min)");
    delete edit;  // the window went away: the target must not touch it
    target.SetText("4 sec");
    EXPECT_EQ(target.GetText(), "");
}

TEST(QtClock, NeverReadsZeroAndMovesForward) {
    GuiApp();
    QtClock clock;
    const uint32_t a = clock.NowMs();
    QTest::qWait(5);
    EXPECT_GT(a, 0u);
    EXPECT_GE(clock.NowMs(), a + 4);
}
