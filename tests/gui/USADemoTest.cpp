// The map window driven as a user would: new map, Options, Accept, the counts, Compare, the
// triangle and distance dialogs, the picture sizes, and a saved map document opened again.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>
#include <string>

#include "document/MainDoc.h"
#include "document/Switches.h"
#include "gui/GuiTestMain.h"
#include "mapdemo/MapOutline.h"
#include "solver/MethodParams.h"
#include "support/Fakes.h"
#include "windows/ChildFrame.h"
#include "windows/DialogExec.h"
#include "windows/DistanceDlg.h"
#include "windows/MainFrame.h"
#include "windows/MapOptionsDlg.h"
#include "windows/MapPane.h"
#include "windows/TriangleDlg.h"
#include "windows/USADemo.h"

namespace {

// Also lets a test look at the window while a box is up.
struct CWatchingDialogs : CFakeDialogs {
    std::function<void()> onMessage;
    void ShowMessage(EBoxKind kind, std::string_view text) override {
        CFakeDialogs::ShowMessage(kind, text);
        if (onMessage) onMessage();
    }
};

struct MapWindow : ::testing::Test {
    CWatchingDialogs dialogs;
    CPlatformScope scope{nullptr, nullptr, &dialogs};
    std::unique_ptr<CMainDoc> doc;
    std::unique_ptr<CUSADemo> form;

    void SetUp() override {
        GuiApp();
        g_bWriteParamsOnClose = 0;
        g_bShowStatistics = 0;
        g_nMaximizeChildren = 2;
        Open(std::make_unique<CMainDoc>());
    }
    void TearDown() override {
        form.reset();
        doc.reset();
    }
    void Open(std::unique_ptr<CMainDoc> d) {
        form.reset();
        doc = std::move(d);
        if (!doc->m_bFromFile) doc->OnNewDocument();
        form = std::make_unique<CUSADemo>(*doc);
        form->OnInitialUpdate();
        form->show();
    }
    template <typename T>
    T* Find(const char* name) const {
        return form->findChild<T*>(QLatin1String(name));
    }
    void Click(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }
    QListWidget* Route() const { return Find<QListWidget>("route"); }
    QString Length() const { return Find<QLineEdit>("length")->text(); }
    // Opens the Options and sets the three check boxes as given (-1 leaves one as it is).
    void SetOptions(int showDistances, int useKm, int maximum) {
        CDialogExecHook hook([&](QDialog& dialog) {
            auto set = [&](const char* name, int on) {
                if (on >= 0) dialog.findChild<QCheckBox*>(QLatin1String(name))->setChecked(on != 0);
            };
            set("showDistances", showDistances);
            set("useKilometers", useKm);
            set("maximumRoute", maximum);
            return int(QDialog::Accepted);
        });
        Click("options");
    }
    void Pick(std::initializer_list<int> rows) {
        Route()->clearSelection();
        for (int row : rows) Route()->item(row)->setSelected(true);
    }
    int RedPixels() const {
        const QImage image = form->MapPane()->grab().toImage();
        int red = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                red += c.red() > 200 && c.green() < 60 && c.blue() < 60;
            }
        return red;
    }
};

TEST_F(MapWindow, NewMapSelectsAllCapitalsInMiles) {
    ASSERT_EQ(Route()->count(), 51);
    EXPECT_EQ(Route()->item(0)->text(), QStringLiteral(" 1:Albany (New York)"));
    EXPECT_EQ(Route()->item(50)->text(), QStringLiteral("51:Washington (Washington, DC)"));
    EXPECT_EQ(Find<QLineEdit>("nodes")->text(), QStringLiteral("51"));
    EXPECT_TRUE(Length().endsWith(QStringLiteral(" ml"))) << Length().toStdString();
    EXPECT_EQ(form->MapPane()->size(), QSize(536, 335));
    EXPECT_EQ(CMapPane::Outline().m_aStates.size(), 51u);  // the outline resource is compiled in
    EXPECT_GT(RedPixels(), 500);                           // the route is drawn in red over the picture
}

TEST_F(MapWindow, UseKilometersRebuildsTheWeightsAndTheLength) {
    const int miles = Length().section(QLatin1Char(' '), 0, 0).toInt();
    SetOptions(-1, 1, -1);
    EXPECT_EQ(doc->m_solver.m_ppWeight[1][2], 467);
    EXPECT_TRUE(Length().endsWith(QStringLiteral(" km"))) << Length().toStdString();
    EXPECT_NEAR(Length().section(QLatin1Char(' '), 0, 0).toInt(), miles * 1.609344, 30);
    SetOptions(-1, 0, -1);
    EXPECT_EQ(doc->m_solver.m_ppWeight[1][2], 290);
    EXPECT_TRUE(Length().endsWith(QStringLiteral(" ml")));
}

TEST_F(MapWindow, AcceptNeedsFourCapitalsAndKeepsThePickedOnes) {
    Pick({0, 3, 8});
    Click("accept");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "You must select at least 4 state capital cities.");
    EXPECT_EQ(Route()->count(), 51);
    EXPECT_EQ(doc->m_solver.m_nNodes, 51);

    Pick({0, 3, 8, 14});  // Albany, Augusta, Boston, Concord
    Click("accept");
    ASSERT_EQ(Route()->count(), 4);
    EXPECT_EQ(Route()->item(3)->text(), QStringLiteral(" 4:Concord (New Hampshire)"));
    EXPECT_EQ(Find<QLineEdit>("nodes")->text(), QStringLiteral("4"));
    EXPECT_EQ(Length(), QStringLiteral("%1 ml").arg(230 + 149 + 65 + 120));

    CDialogExecHook hook([](QDialog& dialog) {
        const QString text = dialog.findChild<QPlainTextEdit*>(QStringLiteral("distanceText"))->toPlainText();
        EXPECT_EQ(text.toStdString(),
                  "   Capital (State)                 1    2    3    4"
                  "\n 1:Albany (New York)               0  230  141  120"
                  "\n 2:Augusta (Maine)               230    0  149  114"
                  "\n 3:Boston (Massachusetts)        141  149    0   65"
                  "\n 4:Concord (New Hampshire)       120  114   65    0");
        return int(QDialog::Accepted);
    });
    Click("matrix");

    Click("reset");
    EXPECT_EQ(Route()->count(), 51);
}

TEST_F(MapWindow, RandStartsSetFullTestsAndMoreFullTestsAreRefused) {
    auto* starts = Find<QLineEdit>("randStarts");
    auto* full = Find<QLineEdit>("fullTests");
    starts->setText(QStringLiteral("5"));
    emit starts->editingFinished();
    EXPECT_EQ(full->text(), QStringLiteral("5"));
    EXPECT_EQ(doc->m_strFullTests, "5");
    full->setText(QStringLiteral("6"));
    emit full->editingFinished();
    EXPECT_EQ(full->text(), QStringLiteral("5"));
    EXPECT_EQ(doc->m_strFullTests, "5");
}

TEST_F(MapWindow, ChangingMaximumRouteClearsTheResultsSoCompareRunsBothAgain) {
    Pick({0, 1, 2, 3, 4, 5});
    Click("accept");
    Click("compare");
    ASSERT_EQ(doc->m_results.Stored(), 3);
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages.back().text, "Polyn. method has found a correct route.");
    Click("compare");
    EXPECT_EQ(dialogs.messages.back().text, "Comparing of the current network has already been completed.");

    SetOptions(-1, -1, 1);
    EXPECT_EQ(doc->m_results.Stored(), 0);
    dialogs.messages.clear();
    Click("compare");
    EXPECT_EQ(doc->m_results.Stored(), 3);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Polyn. method has found a correct route.");
    // The longest route of the six, shown as a length and drawn on the map.
    EXPECT_TRUE(Length().endsWith(QStringLiteral(" ml")));
    EXPECT_FALSE(Find<QLineEdit>("time")->text().isEmpty());
}

TEST_F(MapWindow, EscapeStopsARunAndBusyCommandsDoNothing) {
    CFakeEvents events;
    events.queue.push_back("Escape");
    CPlatformScope withEscape(nullptr, &events, nullptr);
    QString lengthDuringBox;
    dialogs.onMessage = [&] { lengthDuringBox = Length(); };
    Click("polynMethod");
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages.back().text, "Testing is aborted by user...");
    EXPECT_EQ(doc->m_results.Stored() & 1, 0);
    // The Length field shows a length, never the network window's cycle text.
    EXPECT_TRUE(lengthDuringBox.endsWith(QStringLiteral(" ml"))) << lengthDuringBox.toStdString();

    Pick({0, 1, 2, 3});
    doc->m_solver.m_bBusy = 1;  // as when a click is serviced inside a run
    Click("accept");
    Click("reset");
    Click("randInitial");
    doc->m_solver.m_bBusy = 0;
    EXPECT_EQ(Route()->count(), 51);
    EXPECT_EQ(Route()->item(1)->text(), QStringLiteral(" 2:Annapolis (Maryland)"));
}

TEST_F(MapWindow, TriangleDialogListsTheViolationsOrNone) {
    int shown = 0;
    CDialogExecHook hook([&](QDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("violations"));
        if (shown++ == 0) {
            EXPECT_EQ(list->count(), 245);
            EXPECT_EQ(list->item(0)->text(), QStringLiteral("   1:Albany-Annapolis-Richmond"));
            EXPECT_EQ(list->item(244)->text(), QStringLiteral(" 245:Springfield-Topeka-Trenton"));
        } else {
            EXPECT_EQ(list->count(), 1);
            if (list->count() == 1) {
                EXPECT_EQ(list->item(0)->text(),
                          QStringLiteral("No violation of the triangle inequality has been found."));
            }
        }
        return int(QDialog::Accepted);
    });
    Click("triangleInequality");
    CCycleSolver& s = doc->m_solver;
    for (int i = 1; i <= s.m_nNodes; ++i)
        for (int j = i + 1; j <= s.m_nNodes; ++j) s.m_ppWeight[i][j] = 100;
    Click("triangleInequality");
    EXPECT_EQ(shown, 2);
}

TEST_F(MapWindow, ShowDistancesLabelsTheLegsAndTheSmallPictureScalesThePositions) {
    Pick({0, 1, 2, 3, 4, 5, 6, 7});
    Click("accept");
    const QImage plain = form->MapPane()->grab().toImage();
    SetOptions(1, -1, -1);
    EXPECT_EQ(form->MapPane()->m_bShowDistances, 1);
    EXPECT_NE(form->MapPane()->grab().toImage(), plain);

    g_nMaximizeChildren = 1;
    Open(std::make_unique<CMainDoc>());
    EXPECT_EQ(form->MapPane()->size(), QSize(428, 256));
    EXPECT_DOUBLE_EQ(form->MapPane()->Scale(), 0.8);
    EXPECT_GT(RedPixels(), 400);
}

TEST_F(MapWindow, TimeByExpMethodEditsTheMapParameterSet) {
    const int networkSecond = g_nSecondLoop, mapSecond = g_nMapSecondLoop;
    CDialogExecHook hook([](QDialog& dialog) {
        auto* second = dialog.findChild<QLineEdit*>(QStringLiteral("secondLoop"));
        EXPECT_EQ(second->text(), QString::number(g_nMapSecondLoop));
        second->setText(QStringLiteral("7"));
        return int(QDialog::Accepted);
    });
    Click("timeByExpMethod");
    EXPECT_EQ(g_nMapSecondLoop, 7);
    EXPECT_EQ(g_nSecondLoop, networkSecond);
    g_nMapSecondLoop = mapSecond;
}

TEST_F(MapWindow, SavedMapOpensWithItsSelectionRouteAndUnit) {
    Pick({0, 2, 4, 6, 8, 10});
    Click("accept");
    SetOptions(-1, 1, -1);
    Click("randInitial");
    QStringList lines;
    for (int row = 0; row < Route()->count(); ++row) lines << Route()->item(row)->text();
    const QString length = Length();

    QTemporaryDir dir;
    const std::string path = QDir(dir.path()).filePath(QStringLiteral("six.map")).toStdString();
    ASSERT_EQ(doc->OnSaveDocument(path), 1);
    auto reopened = std::make_unique<CMainDoc>();
    ASSERT_EQ(reopened->OnOpenDocument(path), 1);
    Open(std::move(reopened));
    ASSERT_EQ(Route()->count(), 6);
    for (int row = 0; row < 6; ++row) EXPECT_EQ(Route()->item(row)->text(), lines[row]);
    EXPECT_EQ(Length(), length);
    EXPECT_EQ(Find<QLineEdit>("nodes")->text(), QStringLiteral("6"));

    // The program opens the file into a map window of its own.
    form.reset();
    CMainFrame frame;
    CChildFrame* child = frame.OpenFile(QString::fromStdString(path));
    ASSERT_NE(child, nullptr);
    auto* map = qobject_cast<CUSADemo*>(child->Form());
    ASSERT_NE(map, nullptr);
    auto* route = map->findChild<QListWidget*>(QStringLiteral("route"));
    ASSERT_EQ(route->count(), 6);
    EXPECT_EQ(route->item(5)->text(), lines[5]);
    EXPECT_EQ(map->findChild<QLineEdit*>(QStringLiteral("length"))->text(), length);
}

}  // namespace
