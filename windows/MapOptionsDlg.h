// "USA Map Options": Show Distances, Use Kilometers and Maximum Route of the map window. Works like
// a function call: the caller fills the three switches, runs it, and on OK reads them back.
#pragma once

#include <QDialog>

class QCheckBox;

class CMapOptionsDlg : public QDialog {
    Q_OBJECT
public:
    CMapOptionsDlg(int showDistances, int useKilometers, int maximum, QWidget* parent = nullptr);
    int ShowDistances() const;
    int UseKilometers() const;
    int Maximum() const;

private:
    QCheckBox* m_pShowDistances;
    QCheckBox* m_pUseKilometers;
    QCheckBox* m_pMaximum;
};
