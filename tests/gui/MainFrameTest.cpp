// The main frame: its menus and toolbar, the document templates, File New/Open/Save As, the recent
// files, the Options switches, the can-close query and the frames of each kind.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>

#include "document/MainDoc.h"
#include "document/Switches.h"
#include "gui/GuiTestMain.h"
#include "gui/MainFrameFixture.h"
#include "support/Fakes.h"
#include "windows/ChildFrame.h"
#include "windows/DialogExec.h"
#include "windows/DocTemplate.h"
#include "windows/MainFrame.h"
#include "windows/NewDocDlg.h"
#include "windows/TestForm.h"

namespace {

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class MainFrameTest : public CMainFrameTest {
protected:
    void SetUp() override {
        CMainFrameTest::SetUp();
        frame->resize(1000, 700);
    }
    void TearDown() override {
        CMainFrameTest::TearDown();
        g_bAsciiSave = 0;
        g_bShowStatistics = 1;
        g_bStopShortTesting = 0;
    }
    CChildFrame* SaveActiveAs(const QString& path) {
        platform.dialogs.fileToSave = path.toStdString();
        frame->Command(ID_FILE_SAVE_AS)->trigger();
        return frame->ActiveFrame();
    }
};

}  // namespace

TEST_F(MainFrameTest, MenusToolbarAndStatusBarAreThereFromTheStart) {
    EXPECT_EQ(frame->windowTitle(), QString::fromLatin1(kMainFrameTitle));
    QStringList menus;
    for (QAction* action : frame->menuBar()->actions()) menus << action->text();
    EXPECT_EQ(menus, QStringList({"&File", "&View", "&Options", "&Research", "&Window", "&Help"}));
    QList<int> slotIds;
    for (QAction* action : frame->ToolBar()->actions())
        slotIds << (action->isSeparator() ? 0 : action->data().toInt());
    EXPECT_EQ(slotIds, QList<int>({ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE_AS, 0, ID_NEW_QUIRA_WINDOW,
                                   ID_NEW_GRAPH_WINDOW, ID_NEW_CHECK_WINDOW, ID_NEW_USA_MAP, 0, ID_FILE_PRINT,
                                   0, ID_APP_ABOUT, ID_CONTEXT_HELP}));
    EXPECT_EQ(frame->ToolBar()->allowedAreas(), Qt::AllToolBarAreas);
    EXPECT_EQ(frame->Command(ID_NEW_GRAPH_WINDOW)->toolTip(), QStringLiteral("Graph Window"));
    EXPECT_EQ(frame->Command(ID_NEW_GRAPH_WINDOW)->statusTip(), QStringLiteral("New Graph Window"));
    EXPECT_EQ(frame->Command(ID_FILE_NEW)->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    EXPECT_EQ(frame->Command(ID_FILE_SAVE)->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    EXPECT_EQ(frame->Command(ID_CONTEXT_HELP)->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F1));
    EXPECT_EQ(frame->statusBar()->currentMessage(), QStringLiteral("Ready"));
    EXPECT_EQ(frame->Indicator(0)->text(), QStringLiteral("CAP"));
    EXPECT_EQ(frame->Indicator(2)->text(), QStringLiteral("SCRL"));
    frame->Command(ID_VIEW_STATUS_BAR)->trigger();
    EXPECT_FALSE(frame->statusBar()->isVisible());
    frame->Command(ID_VIEW_TOOLBAR)->trigger();
    EXPECT_FALSE(frame->ToolBar()->isVisible());
}

TEST_F(MainFrameTest, FileNewListsTheFourKindsInOrderAndCancelOpensNothing) {
    QStringList listed;
    {
        CDialogExecHook hook([&](QDialog& dialog) {
            auto& chooser = static_cast<CNewDocDlg&>(dialog);
            for (int k = 0; k < chooser.List()->count(); ++k) listed << chooser.List()->item(k)->text();
            return int(QDialog::Rejected);
        });
        EXPECT_EQ(frame->OnFileNew(), nullptr);
    }
    EXPECT_EQ(listed, QStringList({"QUIRA Test Window", "Graph Test Window (Cycle Existence)",
                                   "Check the Given Cycle Test Window", "USA Map Test Window"}));
    EXPECT_TRUE(frame->Frames().isEmpty());
    CDialogExecHook choose([](QDialog& dialog) {
        static_cast<CNewDocDlg&>(dialog).List()->setCurrentRow(2);
        return int(QDialog::Accepted);
    });
    CChildFrame* child = frame->OnFileNew();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->Doc().m_nDocKind, KIND_CHECK);
    EXPECT_TRUE(child->Title().startsWith(QStringLiteral("CHECK_MIN"))) << child->Title().toStdString();
}

TEST_F(MainFrameTest, NewWindowCommandsOpenTheirKindsAndTheMapTakesTheLastTemplate) {
    const std::pair<int, int> commands[] = {{ID_NEW_QUIRA_WINDOW, KIND_NETWORK},
                                            {ID_NEW_GRAPH_WINDOW, KIND_GRAPH},
                                            {ID_NEW_CHECK_WINDOW, KIND_CHECK},
                                            {ID_NEW_USA_MAP, KIND_MAP}};
    for (const auto& [id, kind] : commands) {
        frame->Command(id)->trigger();
        ASSERT_NE(frame->ActiveFrame(), nullptr);
        EXPECT_EQ(frame->ActiveFrame()->Doc().m_nDocKind, kind) << id;
        EXPECT_EQ(frame->ActiveFrame()->Doc().m_solver.m_nNodes, kind == KIND_MAP ? MAP_CAPITALS : 8);
    }
    EXPECT_NE(qobject_cast<CSplitterFrame2*>(frame->Frames()[1]), nullptr);
    EXPECT_NE(qobject_cast<CSplitterFrame3*>(frame->Frames()[2]), nullptr);
    EXPECT_EQ(qobject_cast<CSplitterFrame*>(frame->Frames()[3]), nullptr);  // the map's plain frame
    EXPECT_EQ(frame->windowTitle(),
              QString::fromLatin1(kMainFrameTitle) + QStringLiteral(" - ") + frame->ActiveFrame()->Title());
    EXPECT_TRUE(frame->ActiveFrame()->Title().startsWith(QStringLiteral("USA_MAP")));
}

TEST_F(MainFrameTest, SplitterFrameShowsTheDrawingLeftAtItsIdealWidthAndTheFormActive) {
    frame->Command(ID_NEW_QUIRA_WINDOW)->trigger();
    auto* child = qobject_cast<CSplitterFrame*>(frame->ActiveFrame());
    ASSERT_NE(child, nullptr);
    QApplication::processEvents();
    EXPECT_EQ(child->Splitter()->widget(0), child->DrawingPane());
    EXPECT_EQ(child->Splitter()->widget(1), child->Form());
    EXPECT_EQ(child->Splitter()->sizes().value(0), 232);
    EXPECT_EQ(child->DrawingPane()->minimumWidth(), 50);
    EXPECT_EQ(child->Form()->DrawingPane(), child->DrawingPane());
    EXPECT_EQ(child->Form()->Frame(), child);
    EXPECT_TRUE(child->Form()->hasFocus() || child->Form()->isAncestorOf(QApplication::focusWidget()));
}

TEST_F(MainFrameTest, OptionsAndPrintNeedAnActiveWindowAndToggleTheirSwitches) {
    for (int id : {ID_OPTIONS_ASCII_SAVE, ID_OPTIONS_SHOW_STATISTICS, ID_OPTIONS_STOP_SHORT_TESTING,
                   ID_FILE_PRINT, ID_FILE_SAVE_AS})
        EXPECT_FALSE(frame->Command(id)->isEnabled()) << id;
    EXPECT_TRUE(frame->Command(ID_OPTIONS_SHOW_STATISTICS)->isChecked());
    frame->Command(ID_NEW_GRAPH_WINDOW)->trigger();
    for (int id : {ID_OPTIONS_ASCII_SAVE, ID_OPTIONS_SHOW_STATISTICS, ID_OPTIONS_STOP_SHORT_TESTING,
                   ID_FILE_PRINT, ID_FILE_SAVE_AS})
        EXPECT_TRUE(frame->Command(id)->isEnabled()) << id;
    frame->Command(ID_OPTIONS_ASCII_SAVE)->trigger();
    frame->Command(ID_OPTIONS_SHOW_STATISTICS)->trigger();
    frame->Command(ID_OPTIONS_STOP_SHORT_TESTING)->trigger();
    EXPECT_EQ(g_bAsciiSave, 1);
    EXPECT_EQ(g_bShowStatistics, 0);
    EXPECT_EQ(g_bStopShortTesting, 1);
    EXPECT_TRUE(frame->Command(ID_OPTIONS_ASCII_SAVE)->isChecked());
    EXPECT_FALSE(frame->Command(ID_OPTIONS_SHOW_STATISTICS)->isChecked());
    frame->ActiveFrame()->CloseConfirmed();
    QApplication::processEvents();
    EXPECT_FALSE(frame->Command(ID_OPTIONS_ASCII_SAVE)->isEnabled());
}

TEST_F(MainFrameTest, NarrowScreenMaximisesTestWindows) {
    EXPECT_EQ(MaximizeChildrenForScreenWidth(640), 1);
    EXPECT_EQ(MaximizeChildrenForScreenWidth(699), 1);
    EXPECT_EQ(MaximizeChildrenForScreenWidth(700), 2);
    EXPECT_EQ(MaximizeChildrenForScreenWidth(800), 2);
    frame->Command(ID_NEW_QUIRA_WINDOW)->trigger();
    EXPECT_FALSE(frame->ActiveFrame()->isMaximized());
    g_nMaximizeChildren = 1;
    frame->Command(ID_NEW_QUIRA_WINDOW)->trigger();
    EXPECT_TRUE(frame->ActiveFrame()->isMaximized());
}

TEST_F(MainFrameTest, EveryKindSavesClosesAndReopensByteIdentically) {
    const struct {
        int command;
        QString file;
    } kinds[] = {{ID_NEW_QUIRA_WINDOW, "n.tsp"},
                 {ID_NEW_GRAPH_WINDOW, "g.grp"},
                 {ID_NEW_CHECK_WINDOW, "c.chk"},
                 {ID_NEW_USA_MAP, "m.map"}};
    for (const auto& kind : kinds) {
        frame->Command(kind.command)->trigger();
        CChildFrame* saved = SaveActiveAs(Path(kind.file));
        EXPECT_EQ(saved->Title(), kind.file);
        const QByteArray bytes = FileBytes(Path(kind.file));
        ASSERT_FALSE(bytes.isEmpty()) << kind.file.toStdString();
        const int docKind = saved->Doc().m_nDocKind;
        saved->close();
        QApplication::processEvents();
        EXPECT_TRUE(frame->Frames().isEmpty()) << "an unchanged document closes without a question";

        platform.dialogs.fileToOpen = Path(kind.file).toStdString();
        frame->Command(ID_FILE_OPEN)->trigger();
        CChildFrame* opened = frame->ActiveFrame();
        ASSERT_NE(opened, nullptr) << (platform.dialogs.messages.empty() ? ""
                                                                         : platform.dialogs.messages[0].text);
        EXPECT_EQ(opened->Doc().m_nDocKind, docKind);
        EXPECT_EQ(opened->Template().nKind, docKind);
        SaveActiveAs(Path("again-" + kind.file));
        EXPECT_EQ(FileBytes(Path("again-" + kind.file)), bytes) << kind.file.toStdString();
        opened->close();
        QApplication::processEvents();
    }
    EXPECT_TRUE(platform.dialogs.questions.empty());
    EXPECT_TRUE(platform.dialogs.messages.empty());
}

TEST_F(MainFrameTest, RecentFilesKeepTheLastFourNewestFirstAndAnOpenFileComesToTheFront) {
    for (int k = 1; k <= 5; ++k) {
        frame->Command(ID_NEW_QUIRA_WINDOW)->trigger();
        SaveActiveAs(Path(QStringLiteral("r%1.tsp").arg(k)));
        if (k == 4) {
            EXPECT_EQ(frame->RecentFiles(),
                      QStringList({Path("r4.tsp"), Path("r3.tsp"), Path("r2.tsp"), Path("r1.tsp")}));
        }
    }
    EXPECT_EQ(frame->RecentFiles(),
              QStringList({Path("r5.tsp"), Path("r4.tsp"), Path("r3.tsp"), Path("r2.tsp")}));
    EXPECT_EQ(frame->Command(ID_FILE_MRU_FILE1 + 1)->text(), QStringLiteral("&2 r4.tsp"));
    CMainFrame second;  // the list lives in the settings
    EXPECT_EQ(second.RecentFiles(), frame->RecentFiles());

    const auto open = frame->Frames().size();
    CChildFrame* r4 = frame->Frames()[3];
    frame->Command(ID_FILE_MRU_FILE1 + 1)->trigger();
    EXPECT_EQ(frame->Frames().size(), open);
    EXPECT_EQ(frame->ActiveFrame(), r4);
}

// An instance file cut short (its coordinates missing) opens nothing and names itself.
TEST_F(MainFrameTest, AnUnreadableInstanceFileIsRefusedWithItsName) {
    QFile file(Path("berlin52.tsp"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("NAME: berlin52\nTYPE: TSP\nDIMENSION: 52\nEDGE_WEIGHT_TYPE: EUC_2D\nNODE_COORD_SECTION\n");
    file.close();
    EXPECT_EQ(frame->OpenFile(Path("berlin52.tsp")), nullptr);
    EXPECT_TRUE(frame->Frames().isEmpty());
    ASSERT_EQ(platform.dialogs.messages.size(), 1u);
    const std::string& text = platform.dialogs.messages[0].text;
    EXPECT_NE(text.find("berlin52.tsp"), std::string::npos) << text;
    EXPECT_NE(text.find("instance file"), std::string::npos) << text;
    EXPECT_TRUE(frame->RecentFiles().isEmpty());
}

TEST_F(MainFrameTest, RunningWindowRefusesToCloseAndAChangedOneAsks) {
    frame->Command(ID_NEW_QUIRA_WINDOW)->trigger();
    CChildFrame* child = frame->ActiveFrame();
    child->Doc().m_solver.m_bBusy = 1;
    EXPECT_FALSE(child->close());
    EXPECT_EQ(frame->Frames().size(), 1);
    child->Doc().m_solver.m_bBusy = 0;

    child->Doc().m_solver.m_ppWeight[1][2] += 7;  // the user edited a weight
    platform.dialogs.answerYesNoCancel = EAnswer::Cancel;
    EXPECT_FALSE(child->close());
    ASSERT_EQ(platform.dialogs.questions.size(), 1u);
    EXPECT_EQ(platform.dialogs.questions[0], "Save changes to " + child->Title().toStdString() + "?");

    platform.dialogs.answerYesNoCancel = EAnswer::Yes;
    platform.dialogs.fileToSave.clear();  // ... then cancels the file chooser
    EXPECT_FALSE(child->close());
    platform.dialogs.fileToSave = Path("kept.tsp").toStdString();
    EXPECT_TRUE(child->close());
    EXPECT_FALSE(FileBytes(Path("kept.tsp")).isEmpty());
    QApplication::processEvents();

    frame->Command(ID_NEW_QUIRA_WINDOW)->trigger();
    frame->ActiveFrame()->Doc().m_solver.m_ppWeight[1][2] += 7;
    platform.dialogs.answerYesNoCancel = EAnswer::No;
    EXPECT_TRUE(frame->ActiveFrame()->close());
}

TEST_F(MainFrameTest, DroppedFilesOpenAsFileOpenDoes) {
    frame->Command(ID_NEW_GRAPH_WINDOW)->trigger();
    SaveActiveAs(Path("drop.grp"));
    frame->ActiveFrame()->close();
    QApplication::processEvents();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(Path("drop.grp"))});
    frame->OpenDroppedFiles(data);
    ASSERT_EQ(frame->Frames().size(), 1);
    EXPECT_EQ(frame->ActiveFrame()->Doc().m_nDocKind, KIND_GRAPH);
    EXPECT_EQ(frame->ActiveFrame()->Title(), QStringLiteral("drop.grp"));
}
