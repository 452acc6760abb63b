// The help window: a QTextBrowser over the manual (Markdown, compiled in under :/help), with Back,
// Forward, Contents and Close. Links between the compiled-in pages are followed inside the window;
// links to the web open in the desktop's browser.
#include "windows/HelpWindow.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
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

// The manual's browser, whose pictures are figures.
class CManualBrowser : public QTextBrowser {
public:
    QVariant loadResource(int type, const QUrl& name) override {
        QVariant resource = QTextBrowser::loadResource(type, name);
        if (type != QTextDocument::ImageResource) return resource;
        QImage picture;
        if (resource.canConvert<QImage>())
            picture = resource.value<QImage>();
        else if (resource.canConvert<QByteArray>())
            picture.loadFromData(resource.toByteArray());
        return picture.isNull() ? resource : QVariant(CHelpWindow::Figure(picture));
    }
};

}  // namespace

QImage CHelpWindow::Figure(const QImage& picture) {
    constexpr int kMargin = 8;
    const QImage shown = picture.width() > kFigureWidth - 2 * kMargin
                             ? picture.scaledToWidth(kFigureWidth - 2 * kMargin, Qt::SmoothTransformation)
                             : picture;
    QImage figure(shown.size() + QSize(2 * kMargin, 2 * kMargin), QImage::Format_RGB32);
    figure.fill(QColor(224, 224, 224));
    QPainter p(&figure);
    p.drawImage(QPoint(kMargin, kMargin), shown);
    p.setPen(QColor(128, 128, 128));
    p.drawRect(QRect(QPoint(kMargin - 1, kMargin - 1), shown.size() + QSize(1, 1)));
    return figure;
}

CHelpWindow::CHelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_pBrowser(new CManualBrowser),
      m_pClose(new QPushButton(QStringLiteral("C&lose"))) {
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
    connect(m_pClose, &QPushButton::clicked, this, &QWidget::close);
    connect(m_pBrowser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_pBrowser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();
    buttons->addWidget(m_pClose);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_pBrowser);
    // 760 x 640, but never larger than nine tenths of the screen.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableSize() * 9 / 10 : QSize(760, 640);
    resize(QSize(760, 640).boundedTo(room));
}

void CHelpWindow::keyPressEvent(QKeyEvent* event) {
    // Escape closes the window, as it closes a dialog; the browser passes it on.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
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
