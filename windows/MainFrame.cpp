// The main frame.
#include "windows/MainFrame.h"

#include <QApplication>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent), m_pMdiArea(new QMdiArea(this)) {
    setWindowTitle(QString::fromLatin1(kMainFrameTitle));
    setCentralWidget(m_pMdiArea);
    CreateMenus();
    CreateStatusBar();
}

void CMainFrame::CreateMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("E&xit"), qApp, &QApplication::closeAllWindows);
    QMenu* window = menuBar()->addMenu(tr("&Window"));
    window->addAction(tr("&Cascade"), m_pMdiArea, &QMdiArea::cascadeSubWindows);
    window->addAction(tr("&Tile"), m_pMdiArea, &QMdiArea::tileSubWindows);
    menuBar()->addMenu(tr("&Help"));
}

void CMainFrame::CreateStatusBar() { statusBar()->showMessage(tr("Ready")); }
