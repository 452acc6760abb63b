// The graph test window's form: the size and maximum degree of a random graph, the random starts
// of the polynomial method, the Time field, the initial and the final cycle, and the thirteen
// commands. The question is whether the graph has a Hamiltonian cycle (a cycle of length 0); every
// test step is the core's (CTestSeries).
#pragma once

#include "windows/FormViewBase.h"

class QLineEdit;
class QPushButton;

class CGraphView : public CFormViewBase {
    Q_OBJECT
public:
    explicit CGraphView(CMainDoc& doc, QWidget* parent = nullptr);

    // ---- Commands (the buttons) --------------------------------------------------------------------
    void OnExpMethod();
    void OnPolynMethod();
    void OnEditor();
    void OnEstimate();
    void OnGener2();

    // ---- Fields, for the frame and the tests ------------------------------------------------------
    QLineEdit* NodesField() const { return m_pNodes; }
    QLineEdit* DegreeField() const { return m_pDegree; }
    QLineEdit* RandStartsField() const { return m_pRandStarts; }
    QLineEdit* InitialField() const { return m_pInitial; }
    QPushButton* Button(const QString& caption) const { return CommandButton(caption); }

private:
    QLineEdit* m_pNodes;
    QLineEdit* m_pDegree;
    QLineEdit* m_pRandStarts;
    QLineEdit* m_pInitial;
};
