// What's This (Shift+F1, or the toolbar's arrow with the question mark, then a click): a short text
// for every control of the test windows, found by the control's caption and the window's kind. A
// caption label tells what its field tells; the form's background and the drawing tell what the
// window is for. The main frame's commands tell their status prompt (CMainFrame sets that).
#pragma once

#include <QString>

class QWidget;

// The text for the control with this caption (without '&') in a window of the kind; empty when
// there is none.
QString WhatsThisText(int kind, const QString& caption);

// Gives every control under the window (a form and its drawing) its text.
void AssignWhatsThis(QWidget* window, int kind);
