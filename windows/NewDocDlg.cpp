// The "New" dialog of File New.
#include "windows/NewDocDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "windows/DialogExec.h"
#include "windows/DocTemplate.h"

CNewDocDlg::CNewDocDlg(QWidget* parent) : QDialog(parent), m_pList(new QListWidget(this)) {
    setWindowTitle(tr("New"));
    auto* label = new QLabel(tr("&New"), this);
    label->setBuddy(m_pList);
    for (const CDocTemplate& t : DocTemplates()) m_pList->addItem(t.strFileNewName);
    m_pList->setCurrentRow(0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_pList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_pList);
    layout->addWidget(buttons);
}

int CNewDocDlg::Choice() const {
    return m_pList->currentRow();
}

int AskNewDocumentKind(QWidget* parent) {
    CNewDocDlg dialog(parent);
    return ExecDialog(dialog) == QDialog::Accepted ? dialog.Choice() : -1;
}
