// The Distance Matrix dialog.
#include "windows/DistanceDlg.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "mapdemo/DistanceMatrixText.h"

CDistanceDlg::CDistanceDlg(const CCycleSolver& solver, QWidget* parent)
    : QDialog(parent), m_pText(new QPlainTextEdit(this)) {
    setWindowTitle(tr("Distance Matrix"));
    QFont font(QStringLiteral("Courier New"), 8);
    font.setStyleHint(QFont::TypeWriter);
    if (!QFontInfo(font).fixedPitch()) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSize(8);
    }
    m_pText->setObjectName(QStringLiteral("distanceText"));
    m_pText->setFont(font);
    m_pText->setReadOnly(true);
    m_pText->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The core's text breaks its lines with CR LF, as the original text box wants them.
    m_pText->setPlainText(QString::fromStdString(DistanceMatrixText(solver)).remove(QLatin1Char('\r')));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pText);
    layout->addWidget(buttons);
    resize(640, 420);
}

QString CDistanceDlg::Text() const {
    return m_pText->toPlainText();
}
