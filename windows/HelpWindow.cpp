// The help window: a QTextBrowser over the manual (Markdown, compiled in under :/help), with Back,
// Forward and Contents. Links between the compiled-in pages are followed inside the window; links
// to the web open in the desktop's browser.
#include "windows/HelpWindow.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "windows/ShellIcons.h"

namespace {

const QUrl kManual(QStringLiteral("qrc:/help/manual.md"));

QPointer<CHelpWindow>& TheWindow() {
    static QPointer<CHelpWindow> window;
    return window;
}

CHelpWindow* OpenHelpWindow(QWidget* parent) {
    CHelpWindow* window = TheWindow();
    if (!window) {
        window = new CHelpWindow(parent);
        TheWindow() = window;
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace

CHelpWindow::CHelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), m_pBrowser(new QTextBrowser) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("QUIRA-1 Help"));
    setWindowIcon(ProgramIcon());
    setWindowModality(Qt::NonModal);

    m_pBrowser->setObjectName(QStringLiteral("manual"));
    m_pBrowser->setAccessibleName(QStringLiteral("Manual"));
    m_pBrowser->setOpenExternalLinks(true);

    auto* back = new QPushButton(QStringLiteral("&Back"));
    auto* forward = new QPushButton(QStringLiteral("&Forward"));
    auto* contents = new QPushButton(QStringLiteral("&Contents"));
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, m_pBrowser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_pBrowser, &QTextBrowser::forward);
    connect(contents, &QPushButton::clicked, this, &CHelpWindow::ShowIndex);
    connect(m_pBrowser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_pBrowser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_pBrowser);
    // 760 x 640, but never larger than nine tenths of the screen.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableSize() * 9 / 10 : QSize(760, 640);
    resize(QSize(760, 640).boundedTo(room));
}

void CHelpWindow::ShowIndex() {
    if (m_pBrowser->source() != kManual) m_pBrowser->setSource(kManual, QTextDocument::MarkdownResource);
    m_pBrowser->verticalScrollBar()->setValue(0);
}

bool CHelpWindow::ShowSection(const QString& heading) {
    ShowIndex();
    QTextDocument* doc = m_pBrowser->document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0 || block.text().trimmed() != heading) continue;
        m_pBrowser->setTextCursor(QTextCursor(block));
        const qreal top = doc->documentLayout()->blockBoundingRect(block).top();
        m_pBrowser->verticalScrollBar()->setValue(static_cast<int>(top));
        return true;
    }
    return false;
}

CHelpWindow* CHelpWindow::Current() {
    return TheWindow();
}

void ShowHelpIndex(QWidget* parent) {
    OpenHelpWindow(parent)->ShowIndex();
}

void ShowUsingHelp(QWidget* parent) {
    OpenHelpWindow(parent)->ShowSection(QString::fromUtf8(kUsingHelpHeading));
}
