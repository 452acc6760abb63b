// The network test window's form against the real widgets: defaults, field acceptance and its
// messages, the commands through their buttons, the dialogs it opens, and save and reopen.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

#include "document/MainDoc.h"
#include "document/Switches.h"
#include "gui/GuiTestMain.h"
#include "solver/MethodParams.h"
#include "support/Fakes.h"
#include "support/Networks.h"
#include "windows/ChildFrame.h"
#include "windows/DialogExec.h"
#include "windows/DocTemplate.h"
#include "windows/EdgesListDlg.h"
#include "windows/InputView.h"
#include "windows/MainFrame.h"
#include "windows/NetView.h"
#include "windows/NewDocDlg.h"
#include "windows/SuperUserDlg.h"

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

// A network window without its frame: the drawing and the form over one document.
struct CNetworkWindow {
    explicit CNetworkWindow(CMainDoc& doc) : view(doc), form(doc) {
        form.SetDrawingPane(&view);
        form.OnInitialUpdate();
    }
    CNetView view;
    CInputView form;
};

class NetworkWindow : public ::testing::Test {
protected:
    NetworkWindow() {
        GuiApp();
        g_bWriteParamsOnClose = 0;
        platform.clock.stepPerRead = 1;
        Platform().seedOverride = 1;
        doc.OnNewDocument();
        window = std::make_unique<CNetworkWindow>(doc);
    }
    ~NetworkWindow() override {
        window.reset();
        Platform().seedOverride.reset();
        ResetMethodParams();
    }

    CInputView& Form() { return window->form; }
    // Types the text into the field and moves the focus away from it.
    void Leave(QLineEdit* edit, const QString& text) {
        edit->setText(text);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(edit, &out);
    }
    void Click(const char* caption) {
        QPushButton* button = Form().Button(QString::fromLatin1(caption));
        ASSERT_NE(button, nullptr) << caption;
        button->click();
    }
    std::string LastMessage() const {
        return platform.dialogs.messages.empty() ? std::string() : platform.dialogs.messages.back().text;
    }
    bool Shown(const std::string& part) const {
        return std::any_of(platform.dialogs.messages.begin(), platform.dialogs.messages.end(),
                           [&](const auto& m) { return m.text.find(part) != std::string::npos; });
    }
    // The only minimum cycle is the ring 1-2-...-n.
    void RingNetwork(int ring, int other) {
        CCycleSolver& s = doc.m_solver;
        for (int i = 1; i <= s.m_nNodes; ++i)
            for (int j = i + 1; j <= s.m_nNodes; ++j)
                s.m_ppWeight[i][j] = (j == i + 1 || (i == 1 && j == s.m_nNodes)) ? ring : other;
    }

    CFakePlatform platform;
    CMainDoc doc;
    std::unique_ptr<CNetworkWindow> window;
};

}  // namespace

TEST_F(NetworkWindow, NewWindowShowsTheDefaultsAndAcceptsFieldsInTheirRanges) {
    EXPECT_EQ(Form().NodesField()->text(), "8");
    EXPECT_EQ(Form().AmplitudeField()->text(), "100");
    EXPECT_EQ(Form().RandStartsField()->text(), "1");
    EXPECT_EQ(Form().FullTestsField()->text(), "1");
    EXPECT_TRUE(Form().ShowWeightsBox()->isChecked());
    EXPECT_FALSE(Form().MaximumBox()->isChecked());
    EXPECT_TRUE(Form().InitialField()->text().endsWith(") 1-2-3-4-5-6-7-8-1"))
        << Form().InitialField()->text().toStdString();
    EXPECT_EQ(Form().NodesField()->accessibleName(), "Nodes");
    EXPECT_EQ(Form().RandStartsField()->accessibleName(), "Rand.Starts");

    for (const char* refused : {"3", "513"}) {
        Leave(Form().NodesField(), QString::fromLatin1(refused));
        EXPECT_EQ(Form().NodesField()->text(), "8");
        ASSERT_FALSE(platform.dialogs.messages.empty());
        EXPECT_EQ(platform.dialogs.messages.back().kind, EBoxKind::Error);
        EXPECT_EQ(LastMessage(), "A number of the nodes is invalid.\nThe valid range: 4...512");
        platform.dialogs.messages.clear();
    }
    for (int nodes : {4, 512, 9}) {
        Leave(Form().NodesField(), QString::number(nodes));
        EXPECT_EQ(doc.m_solver.m_nNodes, nodes);
        EXPECT_EQ(doc.m_strNodes, std::to_string(nodes));
    }
    EXPECT_TRUE(platform.dialogs.messages.empty());
    EXPECT_TRUE(Form().InitialField()->text().endsWith("-9-1"));

    Form().AmplitudeField()->clear();
    QTest::keyClicks(Form().AmplitudeField(), QStringLiteral("320001"));
    EXPECT_EQ(Form().AmplitudeField()->text(), "32000");  // a sixth character cannot be typed
    Leave(Form().AmplitudeField(), QStringLiteral("32000"));
    EXPECT_EQ(doc.m_solver.m_nAmplitude, 32000);
    Leave(Form().AmplitudeField(), QStringLiteral("32001"));
    EXPECT_EQ(LastMessage(), "New amplitude value is invalid\nThe valid range: 0...32000");
    EXPECT_EQ(Form().AmplitudeField()->text(), "32000");
    Leave(Form().AmplitudeField(), QStringLiteral("0"));
    EXPECT_EQ(doc.m_solver.m_nAmplitude, 0);

    platform.dialogs.messages.clear();
    Form().RandStartsField()->clear();
    QTest::keyClicks(Form().RandStartsField(), QStringLiteral("7x"));
    EXPECT_EQ(Form().RandStartsField()->text(), "7");  // digits only
    Leave(Form().RandStartsField(), QStringLiteral("7"));
    EXPECT_EQ(Form().FullTestsField()->text(), "7");
    EXPECT_EQ(doc.m_strFullTests, "7");
    Leave(Form().FullTestsField(), QStringLiteral("8"));
    EXPECT_EQ(Form().FullTestsField()->text(), "7");
    Leave(Form().FullTestsField(), QStringLiteral("0"));
    EXPECT_EQ(doc.m_strFullTests, "0");
    EXPECT_TRUE(platform.dialogs.messages.empty());  // both silently

    Form().MaximumBox()->click();
    EXPECT_EQ(doc.m_solver.m_bMaximum, 1);
    Form().ShowWeightsBox()->click();
    EXPECT_EQ(doc.m_bShowWeights, 0);
}

TEST_F(NetworkWindow, TypedInitialCycleIsParsedOrPutBack) {
    Leave(Form().InitialField(), QStringLiteral("1-3-2-4-5-6-7-8-1"));
    EXPECT_FALSE(Form().ParseFailed());
    EXPECT_EQ(doc.m_solver.m_aInitial[2], 3);
    EXPECT_TRUE(Form().InitialField()->text().endsWith(") 1-3-2-4-5-6-7-8-1"));
    Leave(Form().InitialField(), QStringLiteral("1-3-3-4-5-6-7-8-1"));
    EXPECT_TRUE(Form().ParseFailed());
    EXPECT_EQ(LastMessage(), "One node was entered twice.");
    EXPECT_EQ(Form().InitialField()->text(), "1-3-2-4-5-6-7-8-1");  // the last accepted text
}

TEST_F(NetworkWindow, CompareTwiceOnlyReportsTheSecondTime) {
    Click("&Compare");
    EXPECT_EQ(LastMessage(), "Polyn. method has found a correct route.");
    EXPECT_EQ(doc.m_results.Stored(), 3);
    EXPECT_FALSE(Form().TimeField()->text().isEmpty());
    EXPECT_TRUE(Form().FinalField()->text().startsWith("("));
    const std::size_t shown = platform.dialogs.messages.size();
    const int tests = doc.m_nTests, diff = doc.m_nDiffSolutions, aux = doc.m_nAuxCount;
    Click("&Compare");
    ASSERT_EQ(platform.dialogs.messages.size(), shown + 1);
    EXPECT_EQ(LastMessage(), "Comparing of the current network has already been completed.");
    EXPECT_EQ(doc.m_nTests, tests);
    EXPECT_EQ(doc.m_nDiffSolutions, diff);
    EXPECT_EQ(doc.m_nAuxCount, aux);
}

TEST_F(NetworkWindow, EscapeDuringALongExactRunEndsItAndKeepsTheBestCycle) {
    const CExactThreadsScope single(
        1);  // the single loop polls every 20,000 orders: 11 nodes take long enough
    Leave(Form().NodesField(), QStringLiteral("11"));
    platform.events.queue = {"x", "x", "Escape"};
    Click("E&xp. Method");
    EXPECT_EQ(LastMessage(), "Testing is aborted by user...");
    EXPECT_TRUE(platform.events.queue.empty());
    EXPECT_EQ(doc.m_results.Stored() & 2, 0);
    EXPECT_EQ(doc.m_solver.m_bBusy, 0);
    std::vector<int> best(doc.m_solver.m_aBest + 1, doc.m_solver.m_aBest + 12);
    std::sort(best.begin(), best.end());
    for (int k = 0; k < 11; ++k) EXPECT_EQ(best[k], k + 1);  // a whole cycle was kept
}

// A click in another window during a run is refused with a message: a run started there would
// suspend this one, and one Escape would stop both. The running window's fields take no typing.
TEST_F(NetworkWindow, ARunRefusesToStartAnotherInAnotherWindowAndItsFieldsTakeNoTyping) {
    const CExactThreadsScope single(1);
    Leave(Form().NodesField(), QStringLiteral("11"));
    CMainDoc otherDoc;
    otherDoc.OnNewDocument();
    CNetworkWindow other(otherDoc);
    bool readOnly = false;
    platform.events.onDeliver = [&](const std::string& event) {
        if (event == "other") other.form.Button(QStringLiteral("Continuous &Test"))->click();
        if (event == "type") readOnly = Form().InitialField()->isReadOnly() && Form().NodesField()->isReadOnly();
    };
    platform.events.queue = {"other", "type", "x", "Escape"};
    Click("E&xp. Method");
    platform.events.onDeliver = nullptr;
    ASSERT_GE(platform.dialogs.messages.size(), 2u);
    EXPECT_EQ(platform.dialogs.messages[platform.dialogs.messages.size() - 2].text,
              "A method is running in another window.\nWait until it ends, or stop it with Esc, before you "
              "start another.");
    EXPECT_EQ(LastMessage(), "Testing is aborted by user...");  // the one Escape stopped this run
    EXPECT_EQ(otherDoc.m_nTests, 0);
    EXPECT_EQ(otherDoc.m_solver.m_bContinuous, 0);
    EXPECT_TRUE(readOnly);
    EXPECT_FALSE(Form().InitialField()->isReadOnly());
    EXPECT_TRUE(Form().TimeField()->isReadOnly());  // what was read-only before stays so
}

TEST_F(NetworkWindow, CommandsDoNothingWhileAMethodRuns) {
    doc.m_solver.m_bBusy = 1;
    const QString initial = Form().InitialField()->text();
    Click("&Reset");
    Click("&Compare");
    Leave(Form().NodesField(), QStringLiteral("10"));
    EXPECT_EQ(Form().NodesField()->text(), "8");  // put back from the document
    EXPECT_EQ(doc.m_solver.m_nNodes, 8);
    EXPECT_EQ(Form().InitialField()->text(), initial);
    EXPECT_TRUE(platform.dialogs.messages.empty());
    doc.m_solver.m_bBusy = 0;
}

TEST_F(NetworkWindow, OnlyOneCycleOnAUniqueOptimum) {
    RingNetwork(1, 50);
    Click("On&ly One Cycle?");
    EXPECT_EQ(LastMessage(), "The network has only ONE minimum cycle.");
    Form().MaximumBox()->click();
    RingNetwork(50, 1);
    Click("On&ly One Cycle?");
    EXPECT_EQ(LastMessage(), "The network has only ONE maximum cycle.");
}

TEST_F(NetworkWindow, ContinuousTestWithOneStartAndNoFullTestsNeverShowsTheClosingBox) {
    Leave(Form().FullTestsField(), QStringLiteral("0"));
    g_bShowStatistics = 0;
    platform.events.queue.assign(3000, "x");
    platform.events.queue.push_back("Escape");
    Click("Continuous &Test");
    g_bShowStatistics = 1;
    EXPECT_GE(doc.m_nTests, 2) << platform.events.polls << " polls";
    EXPECT_FALSE(Shown("networks were succesfully tested"));
    EXPECT_TRUE(platform.dialogs.messages.empty());
    EXPECT_EQ(Form().FinalField()->text(), "");
}

TEST_F(NetworkWindow, FinalToInitialAndRandomizedStart) {
    Click("&Final to Initial");
    EXPECT_EQ(LastMessage(),
              "A minimum (maximum) cycle is unknown because initial\ndata set has been changed.");
    Click("&Polyn. Method");
    const QString final = Form().FinalField()->text();
    ASSERT_TRUE(final.startsWith("("));
    Click("&Final to Initial");
    EXPECT_EQ(Form().InitialField()->text(), final);
    EXPECT_EQ(Form().FinalField()->text(), "");
    Click("Randomi&zed Start");
    EXPECT_EQ(doc.m_results.Stored(), 0);
    EXPECT_EQ(Form().InitialField()->text().toStdString(), doc.CycleText(doc.m_solver.m_aInitial));
}

TEST_F(NetworkWindow, SuperUserEditsTheNetworkParameterSet) {
    g_nFirstLoop = 2;
    g_dParam1 = 0.017;
    QStringList texts;
    {
        CDialogExecHook hook([&](QDialog& d) {
            auto& dialog = dynamic_cast<CSuperUserDlg&>(d);
            texts = {dialog.FirstLoop()->text(), dialog.SecondLoop()->text(), dialog.Param1()->text(),
                     dialog.Param2()->text()};
            dialog.FirstLoop()->setText(QStringLiteral("abc"));
            dialog.Param1()->setText(QStringLiteral("0.5"));
            return int(QDialog::Rejected);
        });
        Click("&By Exp. Method");
    }
    EXPECT_EQ(texts, (QStringList{"2", "20", "0.017", "0.475"}));
    EXPECT_EQ(g_nFirstLoop, 2);  // Cancel changes nothing
    {
        CDialogExecHook hook([&](QDialog& d) {
            auto& dialog = dynamic_cast<CSuperUserDlg&>(d);
            dialog.FirstLoop()->setText(QStringLiteral("abc"));
            dialog.Param1()->setText(QStringLiteral("0.5"));
            return int(QDialog::Accepted);
        });
        Click("&By Exp. Method");
    }
    EXPECT_EQ(g_nFirstLoop, 0);
    EXPECT_DOUBLE_EQ(g_dParam1, 0.5);
}

TEST_F(NetworkWindow, EdgesListOpensTheDialogOnTheResult) {
    int opened = 0;
    QString text, second;
    CDialogExecHook hook([&](QDialog& d) {
        auto& dialog = dynamic_cast<CEdgesListDlg&>(d);
        ++opened;
        text = dialog.List()->toPlainText();
        second = dialog.SecondLine()->text();
        return int(QDialog::Accepted);
    });
    for (uint32_t seed = 1; seed <= 40 && opened == 0; ++seed) {
        Platform().seedOverride = seed;
        Click("&Reset");
        Click("Ed&ges List");
    }
    ASSERT_EQ(opened, 1);
    EXPECT_TRUE(text.startsWith("No    Edges    Values\n 1:   C(")) << text.toStdString();
    EXPECT_EQ(second, "minimum cycle and may be increased without affecting it");
    doc.m_solver.m_bMaximum = 1;
    CEdgesListDlg maximum(doc.m_solver);
    EXPECT_EQ(maximum.SecondLine()->text(), "maximum cycle and may be decreased without affecting it");
}

TEST_F(NetworkWindow, EditorChangesTheMatrixOnlyOnOk) {
    const int before = doc.m_solver.m_ppWeight[1][2];
    for (int result : {int(QDialog::Rejected), int(QDialog::Accepted)}) {
        CDialogExecHook hook([&](QDialog&) {
            doc.m_solver.m_ppGain[1][2] = before + 5;  // what the editor's cells store
            return result;
        });
        Click("&Editor");
        EXPECT_EQ(doc.m_solver.m_ppWeight[1][2], result == QDialog::Accepted ? before + 5 : before);
    }
}

TEST_F(NetworkWindow, SavedTestReopensWithItsMatrixCyclesAndTime) {
    g_bShowStatistics = 0;
    Click("&Polyn. Method");
    g_bShowStatistics = 1;
    const QString time = Form().TimeField()->text(), final = Form().FinalField()->text();
    const QString initial = Form().InitialField()->text();
    QTemporaryDir dir;
    const std::string path = (dir.path() + "/net.tsp").toStdString();
    ASSERT_EQ(doc.OnSaveDocument(path), 1);

    CMainDoc reopened;
    ASSERT_EQ(reopened.OnOpenDocument(path), 1);
    CNetworkWindow again(reopened);
    // The same time; only the mark of a time just measured ("*") is not stored.
    EXPECT_EQ(again.form.TimeField()->text().toStdString(),
              QString(time).remove(QLatin1Char('*')).toStdString());
    EXPECT_EQ(again.form.FinalField()->text(), final);
    EXPECT_EQ(again.form.InitialField()->text(), initial);
    EXPECT_EQ(again.form.NodesField()->text(), "8");
    for (int i = 1; i <= 8; ++i)
        for (int j = i + 1; j <= 8; ++j)
            EXPECT_EQ(reopened.m_solver.m_ppWeight[i][j], doc.m_solver.m_ppWeight[i][j]);
}

TEST(NetworkWindowInTheProgram, SaveCloseAndReopenThroughTheFileMenu) {
    GuiApp();
    CFakePlatform platform;
    g_bWriteParamsOnClose = 0;
    g_bShowStatistics = 0;
    QTemporaryDir dir;
    auto frame = std::make_unique<CMainFrame>();
    frame->resize(1000, 700);
    frame->show();
    CDialogExecHook choose([](QDialog& dialog) {
        static_cast<CNewDocDlg&>(dialog).List()->setCurrentRow(0);
        return int(QDialog::Accepted);
    });
    CChildFrame* child = frame->OnFileNew();
    ASSERT_NE(child, nullptr);
    auto* form = dynamic_cast<CInputView*>(child->Form());
    ASSERT_NE(form, nullptr);
    EXPECT_NE(dynamic_cast<CNetView*>(child->DrawingPane()), nullptr);
    EXPECT_LE(child->width(), frame->MdiArea()->viewport()->width());
    form->OnPolynMethod();
    const QString time = form->TimeField()->text(), final = form->FinalField()->text();
    const std::vector<int32_t> weights(
        child->Doc().m_solver.m_ppWeight.Data(),
        child->Doc().m_solver.m_ppWeight.Data() + child->Doc().m_solver.m_ppWeight.Size());
    const QString path = dir.filePath(QStringLiteral("net.tsp"));
    platform.dialogs.fileToSave = path.toStdString();
    frame->Command(ID_FILE_SAVE_AS)->trigger();
    child->CloseConfirmed();
    QApplication::processEvents();
    ASSERT_TRUE(frame->Frames().isEmpty());

    platform.dialogs.fileToOpen = path.toStdString();
    frame->Command(ID_FILE_OPEN)->trigger();
    ASSERT_EQ(frame->Frames().size(), 1);
    CChildFrame* again = frame->Frames().first();
    auto* reopened = dynamic_cast<CInputView*>(again->Form());
    ASSERT_NE(reopened, nullptr);
    const CCycleSolver& s = again->Doc().m_solver;
    EXPECT_EQ(std::vector<int32_t>(s.m_ppWeight.Data(), s.m_ppWeight.Data() + s.m_ppWeight.Size()), weights);
    EXPECT_EQ(reopened->FinalField()->text(), final);
    EXPECT_EQ(reopened->TimeField()->text().toStdString(),
              QString(time).remove(QLatin1Char('*')).toStdString());
    EXPECT_FALSE(again->IsModified());
    again->CloseConfirmed();
    g_bShowStatistics = 1;
}
