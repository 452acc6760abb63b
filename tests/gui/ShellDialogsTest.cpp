// The About and Introduction dialogs: their captions and texts, and OK closes them.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>

#include "gui/GuiTestMain.h"
#include "windows/AboutDlg.h"
#include "windows/DialogExec.h"
#include "windows/IntroDlg.h"

namespace {

// Runs one Show... function; the hook looks at the dialog and presses its OK button.
template <class Look>
void ShowAndPressOk(void (*show)(QWidget*), Look look) {
    int shown = 0;
    CDialogExecHook hook([&](QDialog& dialog) {
        ++shown;
        look(dialog);
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        EXPECT_NE(buttons, nullptr);
        if (buttons) buttons->button(QDialogButtonBox::Ok)->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        return dialog.result();
    });
    show(nullptr);
    EXPECT_EQ(shown, 1);
}

QString LabelText(const QDialog& dialog, const char* name) {
    auto* label = dialog.findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("(missing)");
}

}  // namespace

TEST(AboutDlg, ShowsTheProgramsNamesIconSeparatorAndNotices) {
    GuiApp();
    ShowAndPressOk(ShowAboutDialog, [](QDialog& dialog) {
        EXPECT_NE(qobject_cast<CAboutDlg*>(&dialog), nullptr);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("About  QUIRA-1"));
        EXPECT_EQ(LabelText(dialog, "productName"), QStringLiteral("QUIRA-1, Research version"));
        EXPECT_EQ(LabelText(dialog, "productPurpose"),
                  QStringLiteral("Traveling SalesMan Problem and Cycle in The Graph Problem"));
        EXPECT_FALSE(LabelText(dialog, "notices").isEmpty());
        auto* icon = dialog.findChild<QLabel*>(QStringLiteral("programIcon"));
        ASSERT_NE(icon, nullptr);
        EXPECT_FALSE(icon->pixmap().isNull());
        auto* line = dialog.findChild<QFrame*>(QStringLiteral("separator"));
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->frameShape(), QFrame::HLine);
    });
}

TEST(IntroDlg, ShowsTheLetterCentredReadOnlyWithoutScrollBar) {
    GuiApp();
    ShowAndPressOk(ShowIntroductionDialog, [](QDialog& dialog) {
        auto* intro = qobject_cast<CIntroDlg*>(&dialog);
        ASSERT_NE(intro, nullptr);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Introduction"));
        QTextEdit* letter = intro->Letter();
        EXPECT_TRUE(letter->isReadOnly());
        EXPECT_EQ(letter->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        EXPECT_EQ(letter->font().family(), QStringLiteral("Times New Roman"));
        EXPECT_TRUE(letter->toPlainText().startsWith(QStringLiteral("Dear reader,")));
        int lines = 0;
        for (QTextBlock b = letter->document()->begin(); b.isValid(); b = b.next(), ++lines)
            EXPECT_EQ(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter) << lines;
        EXPECT_GT(lines, 10);
    });
}
