// Help > Introduction: a short letter that introduces the program to its reader.
#pragma once

#include <QDialog>

class QTextEdit;

class CIntroDlg : public QDialog {
    Q_OBJECT
public:
    explicit CIntroDlg(QWidget* parent = nullptr);
    QTextEdit* Letter() const { return m_pLetter; }

private:
    QTextEdit* m_pLetter;
};

// Shows the Introduction dialog modally (through ExecDialog).
void ShowIntroductionDialog(QWidget* parent);
