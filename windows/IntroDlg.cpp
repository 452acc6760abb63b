// The Introduction dialog: inside a frame, a read-only box of centred lines that scrolls with its
// caret (no scroll bar), and OK. The letter is put into the box when the dialog is made.
#include "windows/IntroDlg.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QTextEdit>
#include <QVBoxLayout>

#include "windows/DialogExec.h"

namespace {

constexpr const char* kLetter =
    "Dear reader,\n"
    "\n"
    "QUIRA-1 is a workbench for two old questions:\n"
    "which closed route through every town of a network is the cheapest,\n"
    "and does a graph hold a cycle through all of its nodes?\n"
    "\n"
    "For each question the program offers two methods.\n"
    "The exact method tries every cycle; it is always right,\n"
    "but its time grows with the factorial of the node count.\n"
    "The polynomial method is our own local search under adjusted weights;\n"
    "it answers in moments, even for hundreds of nodes.\n"
    "\n"
    "Build a problem, import one, or let the program draw a random one,\n"
    "run either method or both, and compare their cycles and their times.\n"
    "Long series of random tests are summed up in statistics,\n"
    "and before a long exact run the program tells you how long it would take.\n"
    "\n"
    "You can also check whether a cycle of your own is optimal,\n"
    "ask which edges of the optimum may change without harm,\n"
    "and follow the methods on a map of the 51 state capitals of the USA.\n"
    "\n"
    "File > New Test Window opens the first test; Help > Index opens the manual.\n"
    "\n"
    "Enjoy your experiments!";

}  // namespace

CIntroDlg::CIntroDlg(QWidget* parent) : QDialog(parent), m_pLetter(new QTextEdit) {
    setWindowTitle(QStringLiteral("Introduction"));

    QFont font(QStringLiteral("Times New Roman"), 10);
    font.setStyleHint(QFont::Serif);
    m_pLetter->setObjectName(QStringLiteral("letter"));
    m_pLetter->setAccessibleName(QStringLiteral("Introduction"));
    m_pLetter->setFont(font);
    m_pLetter->setReadOnly(true);
    m_pLetter->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_pLetter->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pLetter->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pLetter->setFrameShape(QFrame::NoFrame);
    m_pLetter->setAcceptRichText(false);
    // The letter replaces the box's empty selection; every line is centred.
    m_pLetter->textCursor().insertText(QString::fromUtf8(kLetter));
    QTextCursor all(m_pLetter->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    all.mergeBlockFormat(centred);
    m_pLetter->moveCursor(QTextCursor::Start);

    auto* frame = new QGroupBox;
    auto* inner = new QVBoxLayout(frame);
    inner->addWidget(m_pLetter);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(buttons);
    resize(600, 460);
}

void ShowIntroductionDialog(QWidget* parent) {
    CIntroDlg dialog(parent);
    ExecDialog(dialog);
}
