// "Matrix Editor": a window of 12 rows by 9 columns of numeric cells over a working copy of the
// weight matrix (up to 1024 nodes, both triangles and the diagonal), scrolled with the arrow keys
// at the grid's edges, and Load file with the text-matrix reader. A cell's value is stored into
// the working copy when it loses the focus; the caller copies the working copy back on OK.
#pragma once

#include <QDialog>
#include <cstdint>

#include "solver/Matrix.h"

class CNumEdit;
class QLabel;
class QPushButton;

constexpr int MATRIX_GRID_ROWS = 12;
constexpr int MATRIX_GRID_COLUMNS = 9;
constexpr int MATRIX_FIRST_CELL_ID = 1081;

class CMatrixDlg : public QDialog {
    Q_OBJECT
public:
    // kind: 1 network, 2 graph (cells take 0 and 1 only), 4 check. Resets the window origin to 1.
    CMatrixDlg(CSquareMatrix<int32_t>& working, int nodes, int kind, QWidget* parent = nullptr);

    CNumEdit* Cell(int row, int column) const { return m_apCells[row][column]; }
    QLabel* RowLabel(int row) const { return m_apRowLabels[row]; }
    QLabel* ColumnLabel(int column) const { return m_apColumnLabels[column]; }
    QPushButton* LoadButton() const { return m_pLoad; }
    int ShownRows() const;
    int ShownColumns() const;

    // The window origin: the matrix row and column of the top-left cell (program-wide).
    static int s_nFirstRow;
    static int s_nFirstColumn;

    // Asks for a "*.txt" file and reads it into the working copy.
    void LoadFile();

public slots:
    void accept() override;

private:
    void Redisplay();
    void OnArrow(CNumEdit& cell, int key);
    void OnLostFocus(CNumEdit& cell);
    void FindCell(const CNumEdit& cell, int& row, int& column) const;

    CSquareMatrix<int32_t>& m_work;
    int m_nNodes;
    int m_nKind;
    int m_nChangedCell = 0;
    CNumEdit* m_apCells[MATRIX_GRID_ROWS][MATRIX_GRID_COLUMNS]{};
    QLabel* m_apRowLabels[MATRIX_GRID_ROWS]{};
    QLabel* m_apColumnLabels[MATRIX_GRID_COLUMNS]{};
    QPushButton* m_pLoad = nullptr;
};
