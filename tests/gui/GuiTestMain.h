// A QApplication for the GUI tests, created once on the offscreen platform.
#pragma once

#include <QApplication>
#include <QStandardPaths>

inline QApplication& GuiApp() {
    static int argc = 1;
    static char name[] = "gui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QStandardPaths::setTestModeEnabled(true);
        return new QApplication(argc, argv);
    }();
    return *app;
}
