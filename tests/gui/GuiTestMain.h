// A QApplication for the GUI tests, created once on the offscreen platform.
#pragma once

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

inline QApplication& GuiApp() {
    static int argc = 1;
    static char name[] = "gui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QStandardPaths::setTestModeEnabled(true);
        auto* created = new QApplication(argc, argv);
        // The settings of each test process in a folder of its own: CTest runs the tests in
        // parallel processes, which would otherwise share (and clear) one settings file.
        static QTemporaryDir settings;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
        return created;
    }();
    return *app;
}
