// "Edges List": the edges of the optimum cycle whose weight may grow (for a maximum cycle: fall)
// without changing the cycle, with the amount, one line per edge.
#pragma once

#include <QDialog>

class CCycleSolver;
class QLabel;
class QPlainTextEdit;

class CEdgesListDlg : public QDialog {
    Q_OBJECT
public:
    explicit CEdgesListDlg(const CCycleSolver& solver, QWidget* parent = nullptr);

    QPlainTextEdit* List() const { return m_pList; }
    QLabel* SecondLine() const { return m_pSecondLine; }

private:
    QPlainTextEdit* m_pList;
    QLabel* m_pSecondLine;
};
