// The USA Map Options dialog.
#include "windows/MapOptionsDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

CMapOptionsDlg::CMapOptionsDlg(int showDistances, int useKilometers, int maximum, QWidget* parent)
    : QDialog(parent),
      m_pShowDistances(new QCheckBox(tr("&Show Distances"), this)),
      m_pUseKilometers(new QCheckBox(tr("&Use Kilometers"), this)),
      m_pMaximum(new QCheckBox(tr("&Maximum Route"), this)) {
    setWindowTitle(tr("USA Map Options"));
    m_pShowDistances->setObjectName(QStringLiteral("showDistances"));
    m_pUseKilometers->setObjectName(QStringLiteral("useKilometers"));
    m_pMaximum->setObjectName(QStringLiteral("maximumRoute"));
    m_pShowDistances->setChecked(showDistances != 0);
    m_pUseKilometers->setChecked(useKilometers != 0);
    m_pMaximum->setChecked(maximum != 0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pShowDistances);
    layout->addWidget(m_pUseKilometers);
    layout->addWidget(m_pMaximum);
    layout->addWidget(buttons);
}

int CMapOptionsDlg::ShowDistances() const {
    return m_pShowDistances->isChecked() ? 1 : 0;
}
int CMapOptionsDlg::UseKilometers() const {
    return m_pUseKilometers->isChecked() ? 1 : 0;
}
int CMapOptionsDlg::Maximum() const {
    return m_pMaximum->isChecked() ? 1 : 0;
}
