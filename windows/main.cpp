// QUIRA1: the windowed research program.
//
// Start-up: test windows open maximised on a narrow screen; the main frame reads params.dat and
// shows maximised; files named on the command line (as the desktop passes them) are opened,
// otherwise File New asks for the kind of the first test window. Cancelling leaves the empty main
// window.
#include <QApplication>
#include <QScreen>

#include "document/SafeSave.h"
#include "document/Switches.h"
#include "windows/MainFrame.h"
#include "windows/QtPlatform.h"
#include "windows/ShellIcons.h"

int main(int argc, char** argv) {
    // Under a file-size limit a save (or the recent-file list) then fails with "File too large"
    // instead of ending the program with every window's unsaved work.
    IgnoreFileSizeSignal();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QUIRA-1"));
    QApplication::setOrganizationName(QStringLiteral("QUIRA-1"));
    QApplication::setWindowIcon(ProgramIcon());
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen) g_nMaximizeChildren = MaximizeChildrenForScreenWidth(screen->geometry().width());

    QtClock clock;
    QtEventPump events;
    QtDialogHost dialogs;
    CPlatformScope platform(&clock, &events, &dialogs);

    CMainFrame frame;
    dialogs.SetParent(&frame);
    if (screen) frame.setGeometry(screen->availableGeometry());  // where no window manager maximises
    frame.showMaximized();

    const QStringList files = QApplication::arguments().mid(1);
    if (files.isEmpty())
        frame.OnFileNew();
    else
        for (const QString& file : files) frame.OpenFile(file);
    return app.exec();
}
