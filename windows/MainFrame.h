// The main frame of QUIRA1: a multi-document area holding the test windows, with the menu bar,
// the status bar and the window menu.
#pragma once

#include <QMainWindow>

class QMdiArea;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);

    QMdiArea* MdiArea() const { return m_pMdiArea; }

private:
    void CreateMenus();
    void CreateStatusBar();

    QMdiArea* m_pMdiArea;
};

// The main frame's title.
inline constexpr const char* kMainFrameTitle = "QUIRA-1 (Traveling SalesMan Problem), Research version";
