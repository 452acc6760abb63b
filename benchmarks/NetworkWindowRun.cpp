// One polynomial-method run from the network test window, as the Polyn. Method button makes it:
// the document is read from a file into the real form and drawing (shown, so every improvement
// repaints), the button's command runs with the Qt event pump polling, and the process ends.
// benchmarks/network_window_speed.sh times it against quira-cli solve on the same document.
//
//   netwin_run FILE.tsp      prints the final cycle's text and the run's milliseconds
#include <QApplication>
#include <QLineEdit>
#include <QSplitter>
#include <cstdio>
#include <iostream>

#include "document/MainDoc.h"
#include "document/Switches.h"
#include "windows/InputView.h"
#include "windows/NetView.h"
#include "windows/QtPlatform.h"

namespace {
// Boxes go to the standard error stream; nothing waits for an answer.
class CStderrDialogs : public IDialogHost {
public:
    void ShowMessage(EBoxKind, std::string_view text) override { std::cerr << text << '\n'; }
    bool AskYesNo(std::string_view) override { return true; }
    std::string ChooseFileToOpen(std::string_view, std::string_view) override { return {}; }
    void SetWaitCursor(bool wait) override { m_host.SetWaitCursor(wait); }

private:
    QtDialogHost m_host;
};
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: netwin_run FILE.tsp\n";
        return 2;
    }
    QApplication app(argc, argv);
    g_bWriteParamsOnClose = 0;
    g_bShowStatistics = 0;
    QtClock clock;
    QtEventPump events;
    CStderrDialogs dialogs;
    CPlatformScope platform(&clock, &events, &dialogs);

    CMainDoc doc;
    if (!doc.OnOpenDocument(argv[1])) return 1;
    QSplitter window;
    auto* view = new CNetView(doc);
    auto* form = new CInputView(doc);
    form->SetDrawingPane(view);
    window.addWidget(view);
    window.addWidget(form);
    form->OnInitialUpdate();
    window.resize(1000, 600);
    window.show();
    QApplication::processEvents();

    form->OnPolynMethod();
    std::cout << form->FinalField()->text().left(12).toStdString() << " ms " << doc.m_dwPolynMs << '\n';
    return 0;
}
