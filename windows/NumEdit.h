// A numeric cell of the matrix editor: takes digits and a minus sign (which negates a positive
// value), refuses every other character with a beep, checks its range when it loses the focus and
// hands the arrow keys to its dialog.
#pragma once

#include <QLineEdit>
#include <functional>

#include "document/FieldAcceptance.h"

// Where a cell lies in the grid: a corner belongs to both its row and its column.
enum ECellEdge {
    EDGE_INTERIOR = 0,
    EDGE_TOP = 1,
    EDGE_BOTTOM = 2,
    EDGE_LEFT = 3,
    EDGE_RIGHT = 4,
    EDGE_TOP_LEFT = 5,
    EDGE_TOP_RIGHT = 6,
    EDGE_BOTTOM_LEFT = 7,
    EDGE_BOTTOM_RIGHT = 8,
};

bool EdgeIsTop(int edge);
bool EdgeIsBottom(int edge);
bool EdgeIsLeft(int edge);
bool EdgeIsRight(int edge);

class CNumEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CNumEdit(int id, QWidget* parent = nullptr);

    // Attaches the cell to a grid position: range, row step, value and edge code; shows the value.
    void Attach(int minimum, int maximum, int rowStep, int value, int edge);
    void Detach();  // an empty cell outside the shown block
    void SetValue(int value);
    // The leave step: an in-range text becomes the value (changed() tells whether it differs from
    // the last valid one); otherwise the last valid value returns and the "Error" box names the
    // range. Returns true when the value was accepted.
    bool Leave();

    int Id() const { return m_nId; }
    int Value() const { return m_nValue; }
    int Edge() const { return m_nEdge; }
    int RowStep() const { return m_nRowStep; }
    bool Changed() const { return m_bChanged; }
    int Minimum() const { return m_nMin; }
    int Maximum() const { return m_nMax; }
    int RefusedCount() const { return m_nRefused; }

    // The dialog's answers: the arrow keys (Qt::Key_Left ...), the lost-focus notification, and
    // the refused-character notification (beep unless it answers -1).
    std::function<void(CNumEdit&, int key)> m_fnArrow;
    std::function<void(CNumEdit&)> m_fnLostFocus;
    std::function<int(CNumEdit&)> m_fnRefused;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int m_nId;
    int m_nValue = 0;
    int m_nLastValid = 0;
    int m_nMin = -MAX_CELL_WEIGHT;
    int m_nMax = MAX_CELL_WEIGHT;
    int m_nEdge = EDGE_INTERIOR;
    int m_nRowStep = 9;
    bool m_bChanged = false;
    bool m_bLeaving = false;
    int m_nRefused = 0;
};
