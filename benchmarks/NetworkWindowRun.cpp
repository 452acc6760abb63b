// One polynomial-method run from the network test window, as the Polyn. Method button makes it:
// the document is read from a file into the real form and drawing (shown, so every improvement
// repaints), the button's command runs with the Qt event pump polling, and the process ends.
// benchmarks/network_window_speed.sh times it against quira-cli solve on the same document.
//
//   netwin_run FILE [--inactive]       FILE: a network document or a published instance
//       prints the final cycle's text and the run's milliseconds, then how often the drawing was
//       painted and the processor time it took. --inactive: as while another program is active,
//       when the method does not show its improvements.
#include <time.h>

#include <QApplication>
#include <QLineEdit>
#include <QSplitter>
#include <cstdio>
#include <iostream>
#include <string>

#include "document/InstanceFileCheck.h"
#include "document/MainDoc.h"
#include "document/Switches.h"
#include "solver/MethodParams.h"
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

double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The window's showing of an improvement (the drawing, the Final field, the copy to the screen),
// with its processor time counted.
class CTimedOwnerView : public IOwnerView {
public:
    explicit CTimedOwnerView(IOwnerView& shown) : m_shown(shown) {}
    std::string RandStartsText() const override { return m_shown.RandStartsText(); }
    int TestsSoFar() const override { return m_shown.TestsSoFar(); }
    uint32_t SeriesStartMs() const override { return m_shown.SeriesStartMs(); }
    uint32_t CampaignStartMs() const override { return m_shown.CampaignStartMs(); }
    void RedrawNow(EDrawingPane pane) override {
        const double start = ThreadCpuMs();
        m_shown.RedrawNow(pane);
        m_dMs += ThreadCpuMs() - start;
        ++m_nCalls;
    }
    int m_nCalls = 0;
    double m_dMs = 0;

private:
    IOwnerView& m_shown;
};

// The drawing, with the processor time of its paints counted.
class CTimedNetView : public CNetView {
public:
    using CNetView::CNetView;
    int m_nPaints = 0;
    double m_dPaintMs = 0;

protected:
    void paintEvent(QPaintEvent* event) override {
        const double start = ThreadCpuMs();
        CNetView::paintEvent(event);
        m_dPaintMs += ThreadCpuMs() - start;
        ++m_nPaints;
    }
};
}  // namespace

int main(int argc, char** argv) {
    const bool inactive = argc == 3 && std::string(argv[2]) == "--inactive";
    if (argc != 2 && !inactive) {
        std::cerr << "usage: netwin_run FILE [--inactive]\n";
        return 2;
    }
    QApplication app(argc, argv);
    g_bWriteParamsOnClose = 0;
    g_bShowStatistics = 0;
    // The program is the active application, as while the user watches: the method shows every
    // improvement (an inactive program is not redrawn during a run).
    g_bAppActive = inactive ? 0 : 1;
    QtClock clock;
    QtEventPump events;
    CStderrDialogs dialogs;
    CPlatformScope platform(&clock, &events, &dialogs);

    CMainDoc doc;
    // A published instance opens as File Open opens it, at its coordinates.
    if (IsInstanceFileText(ReadFileHead(argv[1], 256))) {
        doc.OnNewDocument();
        if (!doc.OpenInstance(argv[1])) return 1;
    } else {
        if (!doc.OnOpenDocument(argv[1])) return 1;
        doc.OpenLayoutBeside(argv[1]);
    }
    QSplitter window;
    auto* view = new CTimedNetView(doc);
    auto* form = new CInputView(doc);
    form->SetDrawingPane(view);
    window.addWidget(view);
    window.addWidget(form);
    form->OnInitialUpdate();
    // A maximised window on a screen of 1280 x 800: the drawing takes what the form leaves.
    window.resize(1280, 760);
    window.setSizes({1280 - form->sizeHint().width(), form->sizeHint().width()});
    window.show();
    QApplication::processEvents();

    CTimedOwnerView shown(*doc.m_solver.m_pOwnerView);
    doc.m_solver.m_pOwnerView = &shown;
    const double start = ThreadCpuMs();
    view->m_nPaints = 0;
    view->m_dPaintMs = 0;
    form->OnPolynMethod();
    const double run = ThreadCpuMs() - start;
    std::cout << form->FinalField()->text().left(12).toStdString() << " ms " << doc.m_dwPolynMs << '\n';
    std::printf(
        "drawing %dx%d: %d improvements shown in %.0f ms, %d paints of the drawing in %.0f ms, of "
        "%.0f ms processor time in all (%.2f %% showing, %.2f %% painting the drawing)\n",
        view->width(), view->height(), shown.m_nCalls, shown.m_dMs, view->m_nPaints, view->m_dPaintMs, run,
        100 * shown.m_dMs / run, 100 * view->m_dPaintMs / run);
    return 0;
}
