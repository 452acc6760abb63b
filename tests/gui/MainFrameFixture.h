// A main frame for a GUI test, shown with fresh settings and a fake platform; every test window it
// holds is closed without questions at the end.
#pragma once

#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>
#include <memory>

#include "document/MainDoc.h"
#include "document/Switches.h"
#include "gui/GuiTestMain.h"
#include "support/Fakes.h"
#include "windows/ChildFrame.h"
#include "windows/MainFrame.h"

class CMainFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        GuiApp();
        QSettings(QStringLiteral("QUIRA-1"), QStringLiteral("QUIRA1")).clear();
        g_bWriteParamsOnClose = 0;
        g_nMaximizeChildren = 2;
        frame = std::make_unique<CMainFrame>();
        frame->resize(1200, 800);
        frame->show();
    }
    void TearDown() override {
        for (CChildFrame* child : frame->Frames()) {
            child->Doc().m_solver.m_bBusy = 0;
            child->CloseConfirmed();
        }
        frame.reset();
    }
    QString Path(const QString& name) const { return dir.filePath(name); }

    CFakePlatform platform;
    QTemporaryDir dir;
    std::unique_ptr<CMainFrame> frame;
};
