// The graph test window's form (CGraphView) and the check-a-given-cycle window's form
// (CInputView3) driven through their fields and buttons, and one document of each kind saved and
// reopened through the main frame.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "document/MainDoc.h"
#include "document/Messages.h"
#include "document/Switches.h"
#include "gui/GuiTestMain.h"
#include "support/Fakes.h"
#include "windows/ChildFrame.h"
#include "windows/GraphView.h"
#include "windows/InputView3.h"
#include "windows/MainFrame.h"

namespace {

void Type(CFormViewBase& form, QLineEdit* edit, const char* text) {
    edit->setText(QString::fromLatin1(text));
    form.CommitFields();
}

template <typename Form>
void Click(Form& form, const char* caption) {
    QPushButton* button = form.Button(QString::fromLatin1(caption));
    ASSERT_NE(button, nullptr) << caption;
    button->click();
}

// The length in a cycle text "( 17) 1-3-2-4-1".
int LengthOf(const QString& cycleText) {
    return LeadingInt(cycleText.mid(cycleText.indexOf(QLatin1Char('(')) + 1).toStdString());
}

// Makes the weights: w for the ring 1-2-...-n-1, other for every other pair.
void RingWeights(CCycleSolver& s, int ring, int other) {
    const int n = s.m_nNodes;
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j)
            s.m_ppWeight[i][j] = (j == i + 1 || (i == 1 && j == n)) ? ring : other;
}

class FormTest : public ::testing::Test {
protected:
    void SetUp() override {
        GuiApp();
        g_bWriteParamsOnClose = 0;
        g_bShowStatistics = 0;
        platform.clock.stepPerRead = 1;
        doc.OnNewDocument();
    }
    void TearDown() override { g_bShowStatistics = 1; }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& m : platform.dialogs.messages) texts.push_back(m.text);
        return texts;
    }
    bool Shown(int id) const {
        for (const auto& m : platform.dialogs.messages)
            if (m.text == MessageText(id)) return true;
        return false;
    }

    CFakePlatform platform;
    CMainDoc doc;
};

// ---- Graph window -------------------------------------------------------------------------------------

class GraphFormTest : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        form = std::make_unique<CGraphView>(doc);
        form->OnInitialUpdate();
    }
    void TearDown() override {
        form.reset();
        FormTest::TearDown();
    }
    // Only the ring 1-2-...-n-1 as edges (its one Hamiltonian cycle), or no edges at all.
    void RingGraph(bool withRing) {
        RingWeights(doc.m_solver, withRing ? 0 : 1, 1);
        form->Series().Refresh(1);
    }
    std::unique_ptr<CGraphView> form;
};

TEST_F(GraphFormTest, NodesUpTo1024AndDegreeFrom1ToNMinus1) {
    EXPECT_EQ(form->DegreeField()->text(), QStringLiteral("3"));
    Type(*form, form->NodesField(), "1024");
    EXPECT_EQ(doc.m_solver.m_nNodes, 1024);
    EXPECT_TRUE(platform.dialogs.messages.empty());
    Type(*form, form->NodesField(), "1025");
    EXPECT_EQ(doc.m_solver.m_nNodes, 1024);
    EXPECT_EQ(form->NodesField()->text(), QStringLiteral("1024"));
    ASSERT_EQ(platform.dialogs.messages.size(), 1u);
    EXPECT_EQ(platform.dialogs.messages[0].kind, EBoxKind::Error);
    EXPECT_EQ(platform.dialogs.messages[0].text,
              "A number of the nodes is invalid.\nThe valid range: 4...1024");

    Type(*form, form->NodesField(), "8");
    platform.dialogs.messages.clear();
    for (const char* refused : {"0", "8"}) {
        Type(*form, form->DegreeField(), refused);
        EXPECT_EQ(form->DegreeField()->text(), QStringLiteral("3")) << refused;
        EXPECT_EQ(doc.m_strAmplitude, "3");
    }
    EXPECT_EQ(Texts(), std::vector<std::string>(2, MessageText(IDS_DEGREE_INVALID)));
    for (const char* accepted : {"1", "7"}) {
        Type(*form, form->DegreeField(), accepted);
        EXPECT_EQ(doc.m_solver.m_nAmplitude, LeadingInt(accepted));
    }
    EXPECT_EQ(platform.dialogs.messages.size(), 2u);
}

TEST_F(GraphFormTest, Gener2WithDegreeOneNeverGivesANodeTwoEdges) {
    Type(*form, form->NodesField(), "4");
    Type(*form, form->DegreeField(), "1");
    const CCycleSolver& s = doc.m_solver;
    int edges = 0;
    for (int round = 0; round < 40; ++round) {
        platform.clock.now += 1000;  // a new seed (the time in seconds)
        Click(*form, "Gener2");
        for (int i = 1; i <= 4; ++i) {
            int degree = 0;
            for (int j = 1; j <= 4; ++j)
                if (j != i && s.m_ppWeight[std::min(i, j)][std::max(i, j)] == 0) ++degree;
            EXPECT_LE(degree, 1) << "round " << round << " node " << i;
            edges += degree;
        }
    }
    EXPECT_GT(edges, 0);
    EXPECT_EQ(form->InitialField()->text().toStdString(), doc.CycleText(s.m_aCycle));
}

TEST_F(GraphFormTest, EstimateIsAnUpperBoundBelow172NodesAndALowerOneFrom172) {
    Type(*form, form->NodesField(), "171");
    Click(*form, "&By Exp. Method");
    EXPECT_TRUE(form->TimeField()->text().startsWith(QStringLiteral("<= ")))
        << form->TimeField()->text().toStdString();
    EXPECT_FALSE(form->TimeField()->text().contains(QStringLiteral("INF")));  // 170! fits a double
    Type(*form, form->NodesField(), "172");
    Click(*form, "&By Exp. Method");
    EXPECT_TRUE(form->TimeField()->text().startsWith(QStringLiteral("> ")))
        << form->TimeField()->text().toStdString();
    EXPECT_TRUE(platform.dialogs.questions.empty());
}

TEST_F(GraphFormTest, OnlyOneCycleSaysNothingWithoutAHamiltonianCycleAndNamesTheOnlyOne) {
    RingGraph(false);
    Click(*form, "On&ly One Cycle?");
    EXPECT_TRUE(platform.dialogs.messages.empty()) << platform.dialogs.messages[0].text;
    EXPECT_EQ(doc.m_results.Stored(), 0);
    EXPECT_EQ(form->FinalField()->text(), QStringLiteral("Cycle in the graph does not exist."));

    RingGraph(true);
    Click(*form, "On&ly One Cycle?");
    EXPECT_EQ(Texts(), std::vector<std::string>{MessageText(IDS_ONLY_ONE_GRAPH_CYCLE)});
}

TEST_F(GraphFormTest, CompareGivesAZeroCycleVerdictAlsoWhenOnlyThePolynomialResultIsKnown) {
    RingGraph(true);
    Click(*form, "&Polyn. Method");
    ASSERT_EQ(doc.m_results.Stored(), 1);
    Click(*form, "&Compare");
    EXPECT_EQ(Texts(), std::vector<std::string>{MessageText(IDS_BOTH_ZERO_CYCLE)});
    EXPECT_EQ(doc.m_results.Stored(), 3);
    EXPECT_EQ(LengthOf(form->FinalField()->text()), 0);

    platform.dialogs.messages.clear();
    RingGraph(false);
    Click(*form, "&Compare");
    EXPECT_EQ(Texts(), std::vector<std::string>{MessageText(IDS_BOTH_NO_ZERO_CYCLE)});
    EXPECT_EQ(form->FinalField()->text(), QStringLiteral("Cycle in the graph does not exist."));
    Click(*form, "&Compare");
    EXPECT_EQ(Texts().back(), MessageText(IDS_ALREADY_COMPARED));
}

TEST_F(GraphFormTest, FinalToInitialWarnsWheneverNoResultIsKnown) {
    doc.m_bRan = 1;  // a run before the data changed does not count in the graph window
    Click(*form, "&Final to Initial");
    EXPECT_EQ(Texts(), std::vector<std::string>{MessageText(IDS_CYCLE_UNKNOWN)});
}

TEST_F(GraphFormTest, WhileAMethodRunsCommandsDoNothingAndFieldsTakeBackTheDocument) {
    const CCycleSolver& s = doc.m_solver;
    const std::vector<int32_t> weights(s.m_ppWeight.Data(), s.m_ppWeight.Data() + s.m_ppWeight.Size());
    doc.m_solver.m_bBusy = 1;
    Click(*form, "&Reset");
    Click(*form, "Gener2");
    Type(*form, form->NodesField(), "12");
    doc.m_solver.m_bBusy = 0;
    EXPECT_EQ(std::vector<int32_t>(s.m_ppWeight.Data(), s.m_ppWeight.Data() + s.m_ppWeight.Size()), weights);
    EXPECT_EQ(form->NodesField()->text(), QStringLiteral("8"));
    EXPECT_EQ(doc.m_solver.m_nNodes, 8);
}

// ---- Check window -------------------------------------------------------------------------------------

class CheckFormTest : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        form = std::make_unique<CInputView3>(doc);
        form->OnInitialUpdate();
        // The given identity cycle 1-2-...-8 is the only minimum cycle.
        RingWeights(doc.m_solver, 1, 100);
        form->Series().Refresh(1);
    }
    void TearDown() override {
        form.reset();
        FormTest::TearDown();
    }
    QString Comments() const { return form->CommentsField()->text(); }
    std::unique_ptr<CInputView3> form;
};

TEST_F(CheckFormTest, AnOptimalGivenCycleIsJudgedSoByBothMethodsAndCompareAgrees) {
    Click(*form, "E&xp. Method");
    EXPECT_EQ(Comments(), QStringLiteral("The given cycle is a minimum cycle."));
    Click(*form, "&Polyn. Method");
    EXPECT_EQ(Comments(), QStringLiteral("The given cycle is a minimum cycle."));
    EXPECT_TRUE(platform.dialogs.messages.empty());
    Click(*form, "&Compare");
    EXPECT_EQ(Texts(), std::vector<std::string>{MessageText(IDS_SAME_SOLUTION)});
    EXPECT_EQ(doc.m_results.Stored(), 3);
    EXPECT_EQ(doc.m_nDiffSolutions, 0);
}

TEST_F(CheckFormTest, TheMinimumCycleIsNotAMaximumOneAndChangingTheSenseMakesCompareRunAgain) {
    Click(*form, "&Compare");
    ASSERT_EQ(doc.m_results.Stored(), 3);
    form->MaximumBox()->click();
    EXPECT_EQ(doc.m_results.Stored(), 0);
    EXPECT_EQ(doc.m_solver.m_bMaximum, 1);
    platform.dialogs.messages.clear();
    Click(*form, "E&xp. Method");
    EXPECT_EQ(Comments(), QStringLiteral("The given cycle is not a maximum one."));
    Click(*form, "&Polyn. Method");
    EXPECT_EQ(Comments(), QStringLiteral("The given cycle is not a maximum one."));
    // The given cycle stays in its field after a "not optimal" verdict.
    EXPECT_EQ(LengthOf(form->GivenField()->text()), 8);
    form->MaximumBox()->click();
    Click(*form, "&Compare");
    EXPECT_EQ(Texts(), std::vector<std::string>{MessageText(IDS_SAME_SOLUTION)});
    EXPECT_EQ(doc.m_results.Stored(), 3);
}

TEST_F(CheckFormTest, FinalToGivenOnAnOptimalCycleKeepsItsLength) {
    ASSERT_EQ(LengthOf(form->GivenField()->text()), 8);
    Click(*form, "&Final to Given");
    EXPECT_EQ(LengthOf(form->GivenField()->text()), 8);
    EXPECT_TRUE(platform.dialogs.messages.empty());
    EXPECT_EQ(platform.dialogs.waitCursorDepth, 0);

    // From a worse given cycle it finds the optimum.
    Type(*form, form->GivenField(), "1-3-2-4-5-6-7-8-1");
    ASSERT_GT(LengthOf(form->GivenField()->text()), 8);
    Click(*form, "&Final to Given");
    EXPECT_EQ(LengthOf(form->GivenField()->text()), 8);
}

TEST_F(CheckFormTest, AnAbortedPolynomialCheckSaysSo) {
    Type(*form, form->NodesField(), "60");
    for (int k = 0; k < 50; ++k) platform.events.queue.push_back("Escape");
    Click(*form, "&Polyn. Method");
    EXPECT_EQ(Comments(), QStringLiteral("Testing aborted by user."));
}

// ---- Files of both kinds ------------------------------------------------------------------------------

class GraphCheckFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        GuiApp();
        g_bWriteParamsOnClose = 0;
        g_bShowStatistics = 0;
        g_nMaximizeChildren = 2;
        platform.clock.stepPerRead = 1;
        frame = std::make_unique<CMainFrame>();
        frame->resize(1000, 700);
        frame->show();
    }
    void TearDown() override {
        for (CChildFrame* child : frame->Frames()) child->CloseConfirmed();
        frame.reset();
        g_bShowStatistics = 1;
    }
    CChildFrame* SaveAndReopen(const QString& name) {
        const QString path = dir.filePath(name);
        platform.dialogs.fileToSave = path.toStdString();
        frame->Command(ID_FILE_SAVE_AS)->trigger();
        CChildFrame* saved = frame->ActiveFrame();
        saved->CloseConfirmed();
        EXPECT_FALSE(frame->Frames().contains(saved));
        return frame->OpenFile(path);
    }
    CFakePlatform platform;
    QTemporaryDir dir;
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(GraphCheckFileTest, AGraphAndACheckDocumentReopenWithTheirResultsAndTimes) {
    frame->Command(ID_NEW_GRAPH_WINDOW)->trigger();
    auto* graph = qobject_cast<CGraphView*>(frame->ActiveFrame()->Form());
    ASSERT_NE(graph, nullptr);
    Click(*graph, "&Compare");
    const QString final = graph->FinalField()->text();
    const std::string initial = graph->InitialField()->text().toStdString();
    CChildFrame* reopened = SaveAndReopen(QStringLiteral("g.grp"));
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->Doc().m_nDocKind, KIND_GRAPH);
    graph = qobject_cast<CGraphView*>(reopened->Form());
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(reopened->Doc().m_results.Stored(), 3);
    EXPECT_EQ(graph->FinalField()->text(), final);
    EXPECT_EQ(graph->InitialField()->text().toStdString(), initial);
    EXPECT_FALSE(graph->TimeField()->text().isEmpty());

    frame->Command(ID_NEW_CHECK_WINDOW)->trigger();
    auto* check = qobject_cast<CInputView3*>(frame->ActiveFrame()->Form());
    ASSERT_NE(check, nullptr);
    Click(*check, "&Polyn. Method");
    const std::string given = check->GivenField()->text().toStdString();
    reopened = SaveAndReopen(QStringLiteral("c.chk"));
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->Doc().m_nDocKind, KIND_CHECK);
    check = qobject_cast<CInputView3*>(reopened->Form());
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(reopened->Doc().m_results.Stored(), 1);
    EXPECT_EQ(check->GivenField()->text().toStdString(), given);
    EXPECT_FALSE(check->TimeField()->text().isEmpty());
    EXPECT_FALSE(check->CommentsField()->text().isEmpty());
}

}  // namespace
