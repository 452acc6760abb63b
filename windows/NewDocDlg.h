// The "New" dialog of File New: the new-file names of the templates in registration order.
#pragma once

#include <QDialog>

class QListWidget;

class CNewDocDlg : public QDialog {
    Q_OBJECT
public:
    explicit CNewDocDlg(QWidget* parent = nullptr);
    QListWidget* List() const { return m_pList; }
    // The chosen template's position, or -1.
    int Choice() const;

private:
    QListWidget* m_pList;
};

// Runs the dialog; the chosen template's position, or -1 when the user cancelled.
int AskNewDocumentKind(QWidget* parent);
