// "Test Triangle Inequality Violations": every triangle of the map network in which one side is
// longer than the other two together. The test runs when the dialog opens and on Start Testing.
#pragma once

#include <QDialog>

class CCycleSolver;
class QListWidget;

class CTriangleDlg : public QDialog {
    Q_OBJECT
public:
    explicit CTriangleDlg(const CCycleSolver& solver, QWidget* parent = nullptr);
    QListWidget* List() const { return m_pList; }

public slots:
    void OnStartTesting();

private:
    const CCycleSolver& m_solver;
    QListWidget* m_pList;
};
