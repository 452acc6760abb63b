// Every modal dialog of the windows is run through ExecDialog, so a GUI test can drive the real
// dialog (fill its fields, press its buttons) instead of waiting for ever on an offscreen exec().
#pragma once

#include <functional>

class QDialog;

// Runs the dialog modally and returns its result (QDialog::Accepted or Rejected).
int ExecDialog(QDialog& dialog);

// Replaces ExecDialog for the life of the object: the hook receives the dialog, acts on it as a
// user would and returns the result. Scopes nest; the previous hook comes back afterwards.
class CDialogExecHook {
public:
    explicit CDialogExecHook(std::function<int(QDialog&)> hook);
    ~CDialogExecHook();
    CDialogExecHook(const CDialogExecHook&) = delete;
    CDialogExecHook& operator=(const CDialogExecHook&) = delete;

private:
    std::function<int(QDialog&)> m_saved;
};
