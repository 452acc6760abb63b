// Qt implementations of the platform interfaces.
#include "windows/QtPlatform.h"

#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>

QtEventPump::QtEventPump() { qApp->installEventFilter(this); }

QtEventPump::~QtEventPump() {
    if (qApp) qApp->removeEventFilter(this);
}

bool QtEventPump::eventFilter(QObject* watched, QEvent* event) {
    if (m_bPolling && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        m_bEscapeSeen = true;
        return true;  // swallowed: no window sees it
    }
    return QObject::eventFilter(watched, event);
}

bool QtEventPump::ServiceOne() {
    m_bEscapeSeen = false;
    m_bPolling = true;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    m_bPolling = false;
    return m_bEscapeSeen;
}

void QtDialogHost::ShowMessage(EBoxKind kind, std::string_view text) {
    const QString message = QString::fromUtf8(text.data(), static_cast<int>(text.size()));
    if (kind == EBoxKind::Warning)
        QMessageBox::warning(m_pParent, QStringLiteral("Warning"), message);
    else
        QMessageBox::information(m_pParent, QStringLiteral("Information"), message);
}

bool QtDialogHost::AskYesNo(std::string_view text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Warning"),
                    QString::fromUtf8(text.data(), static_cast<int>(text.size())),
                    QMessageBox::Yes | QMessageBox::No, m_pParent);
    return box.exec() == QMessageBox::Yes;
}

std::string QtDialogHost::ChooseFileToOpen(std::string_view filter, std::string_view defaultExt) {
    QFileDialog dialog(m_pParent);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QString::fromUtf8(filter.data(), static_cast<int>(filter.size())));
    dialog.setDefaultSuffix(QString::fromUtf8(defaultExt.data(), static_cast<int>(defaultExt.size())));
    dialog.setOption(QFileDialog::ReadOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first().toStdString();
}

void QtDialogHost::SetWaitCursor(bool wait) {
    if (wait)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else if (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

void QtLineEditTarget::SetText(std::string_view text) {
    if (m_pEdit) m_pEdit->setText(QString::fromUtf8(text.data(), static_cast<int>(text.size())));
}

std::string QtLineEditTarget::GetText() const { return m_pEdit ? m_pEdit->text().toStdString() : std::string(); }
