// QUIRA1: the windowed research program.
#include <QApplication>

#include "windows/MainFrame.h"
#include "windows/QtPlatform.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QtClock clock;
    QtEventPump events;
    QtDialogHost dialogs;
    CPlatformScope platform(&clock, &events, &dialogs);

    CMainFrame frame;
    dialogs.SetParent(&frame);
    frame.showMaximized();
    return app.exec();
}
