// The Research menu of the main frame: commands for the active network window that stand beside
// its form and never change it. Proven Optimum runs the core's optimum method on the window's
// network (its progress in the Time field and the status bar, Escape keeps the best cycle and the
// bound); Gap to Optimum tells each method's gap to a known optimum (typed, or from the optima
// table beside the instance file, or the proven one); Series opens the series table and plot;
// Copy Cycle and Copy Matrix put the window's texts on the clipboard.
#pragma once

#include <QObject>
#include <QPointer>

#include "windows/SeriesDialog.h"

class CChildFrame;
class CMainFrame;
class QAction;
class QMenu;

class CResearchMenu : public QObject {
    Q_OBJECT
public:
    enum ECommand { PROVEN_OPTIMUM, GAP, KNOWN_OPTIMUM, SERIES, COPY_CYCLE, COPY_MATRIX, COMMAND_COUNT };

    // Creates the menu's commands; the frame puts Menu() into its menu bar.
    explicit CResearchMenu(CMainFrame& frame);

    QMenu* Menu() const { return m_pMenu; }
    QAction* Command(ECommand command) const { return m_pCommands[command]; }
    // The series dialog, once opened.
    CSeriesDialog* SeriesDialog() const { return m_pSeries; }

    // Enables the commands for the active window (the network window's; the copies for any window
    // with a network).
    void UpdateActions();

    void OnProvenOptimum();
    void OnGap();
    // Asks for a known optimum of the active window's network; false when cancelled. An empty
    // answer forgets the typed one.
    bool OnKnownOptimum();
    void OnSeries();
    void OnCopyCycle();
    void OnCopyMatrix();

private:
    // The active network window whose commands may run now (none while a method runs).
    CChildFrame* NetworkFrame(bool quiet = false) const;

    CMainFrame& m_frame;
    QMenu* m_pMenu;
    QAction* m_pCommands[COMMAND_COUNT]{};
    QPointer<CSeriesDialog> m_pSeries;
};

// The property of a network window's frame that keeps the optimum typed for it.
inline constexpr const char* kKnownOptimumProperty = "quiraKnownOptimum";
