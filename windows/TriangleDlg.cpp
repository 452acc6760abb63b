// The triangle-inequality dialog over the core's test.
#include "windows/TriangleDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "mapdemo/TriangleTest.h"

CTriangleDlg::CTriangleDlg(const CCycleSolver& solver, QWidget* parent)
    : QDialog(parent), m_solver(solver), m_pList(new QListWidget(this)) {
    setWindowTitle(tr("Test Triangle Inequality Violations"));
    auto* label = new QLabel(tr("Triangle Inequality Violations"), this);
    label->setBuddy(m_pList);
    m_pList->setObjectName(QStringLiteral("violations"));
    m_pList->setAccessibleName(label->text());
    m_pList->setSortingEnabled(true);
    QFont font = m_pList->font();
    font.setStyleHint(QFont::TypeWriter);
    font.setFamily(QStringLiteral("Courier New"));
    m_pList->setFont(font);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton* start = buttons->addButton(tr("Start Testing"), QDialogButtonBox::ActionRole);
    start->setObjectName(QStringLiteral("startTesting"));
    start->setAutoDefault(false);
    connect(start, &QPushButton::clicked, this, &CTriangleDlg::OnStartTesting);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_pList);
    layout->addWidget(buttons);
    resize(420, 360);
    OnStartTesting();
}

void CTriangleDlg::OnStartTesting() {
    m_pList->clear();
    for (const std::string& line : TestTriangleInequality(m_solver).lines)
        m_pList->addItem(QString::fromStdString(line));
}
