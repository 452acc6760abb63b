// Help > About QUIRA-1: the program's name, what it is for, and its notices.
#pragma once

#include <QDialog>

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

// Shows the About dialog modally (through ExecDialog).
void ShowAboutDialog(QWidget* parent);
