// Modal dialogs through one replaceable call.
#include "windows/DialogExec.h"

#include <QDialog>

namespace {
std::function<int(QDialog&)>& Hook() {
    static std::function<int(QDialog&)> hook;
    return hook;
}
}  // namespace

int ExecDialog(QDialog& dialog) {
    return Hook() ? Hook()(dialog) : dialog.exec();
}

CDialogExecHook::CDialogExecHook(std::function<int(QDialog&)> hook) : m_saved(std::move(Hook())) {
    Hook() = std::move(hook);
}

CDialogExecHook::~CDialogExecHook() {
    Hook() = std::move(m_saved);
}
