// Assistive technology finds every control of every window by its caption: each button, check
// box, field and list of a test window, and each toolbar button, has an accessible name without
// the mnemonic '&'. What's This answers for every control, caption label, group and drawing of a
// test window and for every command.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleInterface>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTextEdit>
#include <QToolBar>
#include <QWhatsThis>

#include "document/Switches.h"
#include "gui/GuiTestMain.h"
#include "support/Fakes.h"
#include "windows/ChildFrame.h"
#include "windows/MainFrame.h"
#include "windows/TestForm.h"

namespace {

QString AccessibleName(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

// In What's This mode a click sends this event; a widget without a text ignores it (and the click
// showed nothing).
bool AnswersWhatsThis(QWidget* widget) {
    QHelpEvent event(QEvent::WhatsThis, QPoint(1, 1), widget->mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(widget, &event);
    QWhatsThis::hideText();
    return event.isAccepted();
}

// The controls of a window that a user reaches: buttons, check boxes, fields and lists.
QList<QWidget*> Controls(QWidget* window) {
    QList<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window)) continue;
        if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
            qobject_cast<QListWidget*>(w) || qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w))
            controls << w;
    }
    return controls;
}

}  // namespace

TEST(Accessibility, EveryControlOfEveryKindOfWindowIsNamedByItsCaptionAndAnswersWhatsThis) {
    GuiApp();
    CFakePlatform platform;
    QSettings(QStringLiteral("QUIRA-1"), QStringLiteral("QUIRA1")).clear();
    g_bWriteParamsOnClose = 0;
    CMainFrame frame;
    frame.resize(1200, 800);
    frame.show();
    for (int id : {ID_NEW_QUIRA_WINDOW, ID_NEW_GRAPH_WINDOW, ID_NEW_CHECK_WINDOW, ID_NEW_USA_MAP}) {
        frame.Command(id)->trigger();
        CChildFrame* child = frame.ActiveFrame();
        ASSERT_NE(child, nullptr);
        if (id == ID_NEW_QUIRA_WINDOW || id == ID_NEW_USA_MAP) {
            EXPECT_GE(Controls(child).size(), 15);
        }
        for (QWidget* control : Controls(child)) {
            const QString name = AccessibleName(control);
            EXPECT_FALSE(name.trimmed().isEmpty()) << child->Title().toStdString() << ": a "
                                                   << control->metaObject()->className() << " has no name";
            EXPECT_FALSE(name.contains(QLatin1Char('&'))) << name.toStdString();
            EXPECT_TRUE(AnswersWhatsThis(control))
                << child->Title().toStdString() << ": " << name.toStdString();
        }
        // What stands around the controls tells too: caption labels, groups, the form, the drawing.
        for (QWidget* w : child->widget()->findChildren<QWidget*>()) {
            const auto* label = qobject_cast<QLabel*>(w);
            const bool around = (label && label->buddy()) || qobject_cast<QGroupBox*>(w) ||
                                qobject_cast<CTestForm*>(w) || w == child->DrawingPane();
            if (!around) continue;
            EXPECT_TRUE(AnswersWhatsThis(w))
                << child->Title().toStdString() << ": " << w->metaObject()->className();
        }
    }
    for (QAction* action : frame.actions()) {
        if (action->isSeparator()) continue;
        EXPECT_FALSE(action->whatsThis().isEmpty()) << action->text().toStdString();
    }
    for (QWidget* control : Controls(frame.ToolBar())) {
        const QString name = AccessibleName(control);
        EXPECT_FALSE(name.isEmpty()) << control->metaObject()->className();
        EXPECT_FALSE(name.contains(QLatin1Char('&'))) << name.toStdString();
    }
    for (CChildFrame* child : frame.Frames()) child->CloseConfirmed();
}

TEST(Accessibility, AFieldWithoutItsLabelAsBuddyHasNoName) {
    GuiApp();
    QWidget window;
    auto* field = new QLineEdit(&window);
    EXPECT_TRUE(AccessibleName(field).isEmpty());  // so the test above can fail
}
