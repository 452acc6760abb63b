// The Edges List dialog.
#include "windows/EdgesListDlg.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "document/Series.h"
#include "solver/CycleSolver.h"

CEdgesListDlg::CEdgesListDlg(const CCycleSolver& solver, QWidget* parent)
    : QDialog(parent), m_pList(new QPlainTextEdit(this)), m_pSecondLine(new QLabel(this)) {
    setWindowTitle(QStringLiteral("Edges List"));
    m_pList->setReadOnly(true);
    m_pList->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_pList->setPlainText(QString::fromStdString(EdgesListText(solver)).remove(QLatin1Char('\r')));
    m_pList->setAccessibleName(QStringLiteral("Edges"));
    m_pList->setMinimumSize(340, 240);
    m_pSecondLine->setText(solver.m_bMaximum
                               ? QStringLiteral("maximum cycle and may be decreased without affecting it")
                               : QStringLiteral("minimum cycle and may be increased without affecting it"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pList);
    layout->addWidget(new QLabel(QStringLiteral("The edges displayed are those that belong to the"), this));
    layout->addWidget(m_pSecondLine);
    layout->addWidget(buttons);
}
