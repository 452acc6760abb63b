// The About dialog: program icon, name and purpose, a separator line, the notices, OK.
#include "windows/AboutDlg.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "windows/DialogExec.h"
#include "windows/ShellIcons.h"

namespace {

constexpr const char* kNotices =
    "QUIRA-1 puts two methods side by side on the same problem: the exact method, which tries "
    "every cycle, and the program's own polynomial method, a fast local search.\n\n"
    "This research version is meant for experiments. Its results are offered as they are, "
    "without any warranty; check what matters to you with the exact method.";

QLabel* AddLabel(QVBoxLayout* layout, const QString& text, const char* objectName) {
    auto* label = new QLabel(text);
    label->setObjectName(QLatin1String(objectName));
    layout->addWidget(label);
    return label;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About  QUIRA-1"));
    setWindowIcon(ProgramIcon());

    auto* icon = new QLabel;
    icon->setObjectName(QStringLiteral("programIcon"));
    icon->setPixmap(ProgramIcon().pixmap(QSize(48, 48)));
    icon->setAlignment(Qt::AlignTop);

    auto* names = new QVBoxLayout;
    AddLabel(names, QStringLiteral("QUIRA-1, Research version"), "productName");
    AddLabel(names, QStringLiteral("Traveling SalesMan Problem and Cycle in The Graph Problem"),
             "productPurpose");
    names->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(8);
    top->addLayout(names, 1);

    auto* line = new QFrame;
    line->setObjectName(QStringLiteral("separator"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(line);
    QLabel* notices = AddLabel(layout, QString::fromUtf8(kNotices), "notices");
    notices->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    setFixedWidth(sizeHint().width() < 420 ? 420 : sizeHint().width());
}

void ShowAboutDialog(QWidget* parent) {
    CAboutDlg dialog(parent);
    ExecDialog(dialog);
}
