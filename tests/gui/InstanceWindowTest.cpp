// Published instances in the windows: opened by content from File Open, the recent files and drops
// into a network window of their size, drawn at their coordinates, saved with their layout and
// never over the instance itself; Import taking a larger matrix; the drawing taking the room of a
// growing window.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSplitter>

#include "gui/MainFrameFixture.h"
#include "windows/InputView.h"
#include "windows/NetView.h"

namespace {

class InstanceWindowTest : public CMainFrameTest {
protected:
    // A copy of a published instance in the test's folder, so that no test can touch the original.
    QString Copy(const QString& name) {
        const QString copy = Path(name);
        QFile::copy(QStringLiteral(QUIRA_INSTANCES "/") + name, copy);
        return copy;
    }
    QString Write(const QString& name, const QByteArray& text) {
        QFile file(Path(name));
        file.open(QIODevice::WriteOnly);
        file.write(text);
        return Path(name);
    }
    static CInputView* Form(CChildFrame* child) { return qobject_cast<CInputView*>(child->Form()); }
    CNetView* Drawing(CChildFrame* child) const { return qobject_cast<CNetView*>(child->DrawingPane()); }
};

}  // namespace

TEST_F(InstanceWindowTest, FileOpenRecentFilesAndDropsOpenAnInstanceAtItsCoordinates) {
    const QString berlin = Copy(QStringLiteral("berlin52.tsp"));
    platform.dialogs.fileToOpen = berlin.toStdString();
    frame->Command(ID_FILE_OPEN)->trigger();
    CChildFrame* child = frame->ActiveFrame();
    ASSERT_NE(child, nullptr) << (platform.dialogs.messages.empty() ? "" : platform.dialogs.messages[0].text);
    EXPECT_EQ(child->Title(), QStringLiteral("berlin52"));
    EXPECT_TRUE(child->PathName().isEmpty()) << "a new test: Save asks where to keep it";
    EXPECT_EQ(child->Doc().m_nDocKind, KIND_NETWORK);
    EXPECT_EQ(child->Doc().m_solver.m_nNodes, 52);
    EXPECT_EQ(child->Doc().m_solver.m_ppWeight[1][2], 666);  // (565,575) to (25,185)
    EXPECT_EQ(Form(child)->NodesField()->text(), QStringLiteral("52"));
    Drawing(child)->Render(QSize(600, 500));
    EXPECT_TRUE(Drawing(child)->AtCoordinates());
    EXPECT_EQ(frame->RecentFiles(), QStringList({berlin}));
    EXPECT_FALSE(child->IsModified());

    // The same file again, from the recent files or dropped, brings the same window forward.
    frame->Command(ID_NEW_QUIRA_WINDOW)->trigger();
    frame->Command(ID_FILE_MRU_FILE1)->trigger();
    EXPECT_EQ(frame->ActiveFrame(), child);
    frame->Command(ID_NEW_QUIRA_WINDOW)->trigger();
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(berlin)});
    frame->OpenDroppedFiles(dropped);
    EXPECT_EQ(frame->ActiveFrame(), child);
    EXPECT_EQ(frame->Frames().size(), 3);
    EXPECT_TRUE(platform.dialogs.messages.empty());
}

TEST_F(InstanceWindowTest, SavedInstanceWindowKeepsItsLayoutAndNeverOverwritesTheInstance) {
    const QString berlin = Copy(QStringLiteral("berlin52.tsp"));
    const QByteArray original = [&] {
        QFile file(berlin);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    CChildFrame* child = frame->OpenFile(berlin);
    ASSERT_NE(child, nullptr);

    platform.dialogs.fileToSave = berlin.toStdString();
    EXPECT_FALSE(child->Save(true));
    ASSERT_EQ(platform.dialogs.messages.size(), 1u);
    EXPECT_NE(platform.dialogs.messages[0].text.find("is the instance file this window was read from"),
              std::string::npos);
    QFile after(berlin);
    after.open(QIODevice::ReadOnly);
    EXPECT_EQ(after.readAll(), original);

    platform.dialogs.fileToSave = Path("b52.tsp").toStdString();
    ASSERT_TRUE(child->Save(true));
    EXPECT_TRUE(QFile::exists(Path("b52.tsp.layout")));
    child->close();
    QApplication::processEvents();
    ASSERT_TRUE(frame->Frames().isEmpty());

    CChildFrame* again = frame->OpenFile(Path("b52.tsp"));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Doc().m_layout.name, "berlin52");
    Drawing(again)->Render(QSize(600, 500));
    EXPECT_TRUE(Drawing(again)->AtCoordinates());
    // Reset makes a random network: its nodes go back to the ring.
    Form(again)->Button(QStringLiteral("&Reset"))->click();
    Drawing(again)->Render(QSize(600, 500));
    EXPECT_FALSE(Drawing(again)->AtCoordinates());
}

TEST_F(InstanceWindowTest, AnInstanceTheWindowCannotHoldIsRefusedWithTheReason) {
    QByteArray text =
        "NAME : big\nTYPE : TSP\nDIMENSION : 600\nEDGE_WEIGHT_TYPE : EUC_2D\nNODE_COORD_SECTION\n";
    for (int k = 1; k <= 600; ++k) text += QByteArray::number(k) + " " + QByteArray::number(k) + " 0\n";
    const QString big = Write(QStringLiteral("big.tsp"), text + "EOF\n");
    EXPECT_EQ(frame->OpenFile(big), nullptr);
    EXPECT_TRUE(frame->Frames().isEmpty());
    EXPECT_TRUE(frame->RecentFiles().isEmpty());
    ASSERT_EQ(platform.dialogs.messages.size(), 1u);
    EXPECT_NE(
        platform.dialogs.messages[0].text.find("600 nodes; expected 4 to 512 (the network window's limit)"),
        std::string::npos)
        << platform.dialogs.messages[0].text;
}

TEST_F(InstanceWindowTest, ImportTakingTheWholeLargerMatrixShowsItsNodeCount) {
    QByteArray rows;
    for (int i = 1; i <= 12; ++i) {
        rows += QByteArray::number(i) + ":";
        for (int j = 1; j <= 12; ++j) rows += " " + QByteArray::number(i + j);
        rows += "\n";
    }
    platform.dialogs.fileToOpen = Write(QStringLiteral("m.txt"), rows).toStdString();
    platform.dialogs.answerYes = true;
    frame->Command(ID_NEW_QUIRA_WINDOW)->trigger();
    CChildFrame* child = frame->ActiveFrame();
    Form(child)->Button(QStringLiteral("Import"))->click();
    EXPECT_EQ(platform.dialogs.questions.size(), 1u);
    EXPECT_EQ(child->Doc().m_solver.m_nNodes, 12);
    EXPECT_EQ(Form(child)->NodesField()->text(), QStringLiteral("12"));
    // Leaving the field keeps the imported network.
    child->Form()->CommitFields();
    EXPECT_EQ(child->Doc().m_solver.m_ppWeight[11][12], 23);
}

TEST_F(InstanceWindowTest, TheDrawingTakesTheRoomOfAGrowingWindowAndTheFormKeepsItsWidth) {
    frame->Command(ID_NEW_QUIRA_WINDOW)->trigger();
    auto* child = qobject_cast<CSplitterFrame*>(frame->ActiveFrame());
    ASSERT_NE(child, nullptr);
    QApplication::processEvents();
    const QList<int> before = child->Splitter()->sizes();
    child->resize(child->width() + 300, child->height() + 200);
    QApplication::processEvents();
    const QList<int> after = child->Splitter()->sizes();
    EXPECT_EQ(after[0], before[0] + 300);
    EXPECT_EQ(after[1], before[1]);
}
