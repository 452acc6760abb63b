// "Super User": the four parameters of the polynomial method, for the network windows' set or the
// map window's own set. The fields are filled with the current values; on OK the set takes the
// integer and floating-point values of the texts, without any range check; Cancel changes nothing.
#pragma once

#include <QDialog>

class QLineEdit;

// The parameter set a dialog edits (the variables themselves).
struct CMethodParamSet {
    int& firstLoop;
    int& secondLoop;
    double& param1;
    double& param2;
};

// The network windows' set (g_nFirstLoop, g_nSecondLoop, g_dParam1, g_dParam2) and the map's.
CMethodParamSet NetworkParamSet();
CMethodParamSet MapParamSet();

class CSuperUserDlg : public QDialog {
    Q_OBJECT
public:
    CSuperUserDlg(const CMethodParamSet& set, QWidget* parent = nullptr);

    // Puts the four texts into the set (what OK does).
    void ApplyTo(const CMethodParamSet& set) const;

    QLineEdit* FirstLoop() const { return m_pFirst; }
    QLineEdit* SecondLoop() const { return m_pSecond; }
    QLineEdit* Param1() const { return m_pParam1; }
    QLineEdit* Param2() const { return m_pParam2; }

private:
    QLineEdit* m_pFirst;
    QLineEdit* m_pSecond;
    QLineEdit* m_pParam1;
    QLineEdit* m_pParam2;
};

// Opens the dialog on the set and, on OK, stores the values. Returns the dialog's result.
int EditMethodParams(const CMethodParamSet& set, QWidget* parent);
