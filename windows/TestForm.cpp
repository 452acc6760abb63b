// The form of a test window: what every kind's form shares with the frame.
#include "windows/TestForm.h"

#include <QMdiSubWindow>

QMdiSubWindow* CTestForm::Frame() const {
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* frame = qobject_cast<QMdiSubWindow*>(w)) return frame;
    return nullptr;
}
