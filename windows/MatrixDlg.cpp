// The matrix editor.
#include "windows/MatrixDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <fstream>

#include "document/FieldAcceptance.h"
#include "document/TextMatrix.h"
#include "solver/CycleSolver.h"
#include "solver/Platform.h"
#include "windows/NumEdit.h"

int CMatrixDlg::s_nFirstRow = 1;
int CMatrixDlg::s_nFirstColumn = 1;

CMatrixDlg::CMatrixDlg(CSquareMatrix<int32_t>& working, int nodes, int kind, QWidget* parent)
    : QDialog(parent), m_work(working), m_nNodes(nodes), m_nKind(kind) {
    s_nFirstRow = s_nFirstColumn = 1;
    setWindowTitle(QStringLiteral("Matrix Editor"));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    for (int c = 0; c < MATRIX_GRID_COLUMNS; ++c) {
        m_apColumnLabels[c] = new QLabel(this);
        m_apColumnLabels[c]->setAlignment(Qt::AlignCenter);
        grid->addWidget(m_apColumnLabels[c], 0, c + 1);
    }
    for (int r = 0; r < MATRIX_GRID_ROWS; ++r) {
        m_apRowLabels[r] = new QLabel(this);
        m_apRowLabels[r]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(m_apRowLabels[r], r + 1, 0);
        for (int c = 0; c < MATRIX_GRID_COLUMNS; ++c) {
            auto* cell = new CNumEdit(MATRIX_FIRST_CELL_ID + MATRIX_GRID_COLUMNS * r + c, this);
            cell->setObjectName(QStringLiteral("cell%1").arg(cell->Id()));
            cell->setFixedWidth(cell->fontMetrics().horizontalAdvance(QStringLiteral("-000000")) + 8);
            cell->setAccessibleName(QStringLiteral("Row %1, column %2").arg(r + 1).arg(c + 1));
            cell->m_fnArrow = [this](CNumEdit& e, int key) { OnArrow(e, key); };
            cell->m_fnLostFocus = [this](CNumEdit& e) { OnLostFocus(e); };
            m_apCells[r][c] = cell;
            grid->addWidget(cell, r + 1, c + 1);
        }
    }

    auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
    buttons->addButton(QDialogButtonBox::Ok);
    buttons->addButton(QDialogButtonBox::Cancel);
    m_pLoad = buttons->addButton(QStringLiteral("&Load file"), QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CMatrixDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_pLoad, &QPushButton::clicked, this, &CMatrixDlg::LoadFile);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    Redisplay();
    m_apCells[0][0]->setFocus();
}

int CMatrixDlg::ShownRows() const {
    return std::min(m_nNodes, MATRIX_GRID_ROWS);
}
int CMatrixDlg::ShownColumns() const {
    return std::min(m_nNodes, MATRIX_GRID_COLUMNS);
}

void CMatrixDlg::Redisplay() {
    const int rows = ShownRows(), columns = ShownColumns();
    const int lo = m_nKind == KIND_GRAPH ? 0 : -MAX_CELL_WEIGHT,
              hi = m_nKind == KIND_GRAPH ? 1 : MAX_CELL_WEIGHT;
    for (int r = 0; r < MATRIX_GRID_ROWS; ++r)
        for (int c = 0; c < MATRIX_GRID_COLUMNS; ++c) {
            CNumEdit* cell = m_apCells[r][c];
            if (r >= rows || c >= columns) {
                cell->Detach();
                continue;
            }
            const bool top = r == 0, bottom = r == rows - 1, left = c == 0, right = c == columns - 1;
            int edge = EDGE_INTERIOR;
            if (top && left)
                edge = EDGE_TOP_LEFT;
            else if (top && right)
                edge = EDGE_TOP_RIGHT;
            else if (bottom && left)
                edge = EDGE_BOTTOM_LEFT;
            else if (bottom && right)
                edge = EDGE_BOTTOM_RIGHT;
            else if (top)
                edge = EDGE_TOP;
            else if (bottom)
                edge = EDGE_BOTTOM;
            else if (left)
                edge = EDGE_LEFT;
            else if (right)
                edge = EDGE_RIGHT;
            cell->Attach(lo, hi, MATRIX_GRID_COLUMNS, m_work[s_nFirstRow + r][s_nFirstColumn + c], edge);
        }
    for (int c = 0; c < MATRIX_GRID_COLUMNS; ++c)
        m_apColumnLabels[c]->setText(c < columns ? QString::number(s_nFirstColumn + c) : QString());
    for (int r = 0; r < MATRIX_GRID_ROWS; ++r)
        m_apRowLabels[r]->setText(r < rows ? QString::number(s_nFirstRow + r) : QString());
}

void CMatrixDlg::FindCell(const CNumEdit& cell, int& row, int& column) const {
    const int index = cell.Id() - MATRIX_FIRST_CELL_ID;
    row = index / MATRIX_GRID_COLUMNS;
    column = index % MATRIX_GRID_COLUMNS;
}

void CMatrixDlg::OnLostFocus(CNumEdit& cell) {
    m_nChangedCell = cell.Changed() ? cell.Id() : 0;
    int r = 0, c = 0;
    FindCell(cell, r, c);
    if (m_nChangedCell == cell.Id() && r < ShownRows() && c < ShownColumns())
        m_work[s_nFirstRow + r][s_nFirstColumn + c] = cell.Value();
}

void CMatrixDlg::OnArrow(CNumEdit& cell, int key) {
    int r = 0, c = 0;
    FindCell(cell, r, c);
    const int edge = cell.Edge();
    const int rows = ShownRows(), columns = ShownColumns();
    auto scroll = [&](int& origin, int step) {
        // What was typed into the cell is kept before the grid shows other matrix entries.
        cell.Leave();
        OnLostFocus(cell);
        origin += step;
        Redisplay();
    };
    switch (key) {
        case Qt::Key_Left:
            if (!EdgeIsLeft(edge))
                m_apCells[r][c - 1]->setFocus();
            else if (s_nFirstColumn >= 2)
                scroll(s_nFirstColumn, -1);
            break;
        case Qt::Key_Right:
            if (!EdgeIsRight(edge))
                m_apCells[r][c + 1]->setFocus();
            else if (s_nFirstColumn + columns - 1 < m_nNodes)
                scroll(s_nFirstColumn, 1);
            break;
        case Qt::Key_Up:
            if (!EdgeIsTop(edge))
                m_apCells[r - 1][c]->setFocus();
            else if (s_nFirstRow >= 2)
                scroll(s_nFirstRow, -1);
            break;
        case Qt::Key_Down:
            if (!EdgeIsBottom(edge))
                m_apCells[r + 1][c]->setFocus();
            else if (s_nFirstRow + rows - 1 < m_nNodes)
                scroll(s_nFirstRow, 1);
            break;
        default:
            break;
    }
}

void CMatrixDlg::LoadFile() {
    const std::string path = Platform().pDialogs->ChooseFileToOpen("*.txt", "txt");
    if (path.empty()) return;
    std::ifstream file(path);
    if (!file) {
        Platform().pDialogs->ShowMessage(EBoxKind::Warning, "Cannot open the file " + path + " for reading.");
        return;
    }
    ReadTextMatrix(file, m_nNodes, m_nKind == KIND_GRAPH ? 1 : 0, m_work);
    s_nFirstRow = s_nFirstColumn = 1;
    Redisplay();
    m_apCells[0][0]->setFocus();
}

void CMatrixDlg::accept() {
    // Enter in a cell closes the dialog without moving the focus: the cell's value is stored first.
    if (auto* cell = qobject_cast<CNumEdit*>(QApplication::focusWidget()); cell && cell->isEnabled()) {
        if (!cell->Leave()) return;
        OnLostFocus(*cell);
    }
    QDialog::accept();
}
