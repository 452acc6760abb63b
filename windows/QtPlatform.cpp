// Qt implementations of the platform interfaces.
#include "windows/QtPlatform.h"

#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>

namespace {
QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

QtEventPump::QtEventPump() {
    qApp->installEventFilter(this);
}

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
    const QString message = FromUtf8(text);
    if (kind == EBoxKind::Warning)
        QMessageBox::warning(m_pParent, QStringLiteral("Warning"), message);
    else if (kind == EBoxKind::Error)
        QMessageBox::warning(m_pParent, QStringLiteral("Error"), message);
    else
        QMessageBox::information(m_pParent, QStringLiteral("Information"), message);
}

bool QtDialogHost::AskYesNo(std::string_view text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Warning"), FromUtf8(text),
                    QMessageBox::Yes | QMessageBox::No, m_pParent);
    return box.exec() == QMessageBox::Yes;
}

EAnswer QtDialogHost::AskYesNoCancel(std::string_view text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Warning"), FromUtf8(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_pParent);
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return EAnswer::Yes;
        case QMessageBox::No:
            return EAnswer::No;
        default:
            return EAnswer::Cancel;
    }
}

namespace {
// One chooser for open and save; filters are separated by ";;".
std::string RunFileDialog(QWidget* parent, QFileDialog::AcceptMode mode, std::string_view filter,
                          std::string_view defaultExt, std::string_view startPath) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(FromUtf8(filter).split(QStringLiteral(";;")));
    dialog.setDefaultSuffix(FromUtf8(defaultExt));
    if (!startPath.empty()) dialog.selectFile(FromUtf8(startPath));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first().toStdString();
}
}  // namespace

std::string QtDialogHost::ChooseFileToOpen(std::string_view filter, std::string_view defaultExt) {
    return RunFileDialog(m_pParent, QFileDialog::AcceptOpen, filter, defaultExt, {});
}

std::string QtDialogHost::ChooseFileToSave(std::string_view filter, std::string_view defaultExt,
                                           std::string_view suggestedPath) {
    return RunFileDialog(m_pParent, QFileDialog::AcceptSave, filter, defaultExt, suggestedPath);
}

void QtDialogHost::SetWaitCursor(bool wait) {
    if (wait)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else if (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

void QtLineEditTarget::SetText(std::string_view text) {
    if (m_pEdit) m_pEdit->setText(FromUtf8(text));
}

std::string QtLineEditTarget::GetText() const {
    return m_pEdit ? m_pEdit->text().toStdString() : std::string();
}
