// "Distance Matrix" of the map window: the selected capitals and the distance between every two of
// them, in a fixed-pitch font, read from the solver when the dialog opens.
#pragma once

#include <QDialog>

class CCycleSolver;
class QPlainTextEdit;

class CDistanceDlg : public QDialog {
    Q_OBJECT
public:
    explicit CDistanceDlg(const CCycleSolver& solver, QWidget* parent = nullptr);
    QString Text() const;

private:
    QPlainTextEdit* m_pText;
};
