// Published instances in a network document: the window's limits, the node layout that goes with
// the network (dropped when the network is replaced, kept beside the file), and an import that
// asks before it cuts a larger matrix.
#include <gtest/gtest.h>

#include "document/DocSupport.h"
#include "document/InstanceLayout.h"
#include "support/Fakes.h"

namespace {

// A six-node instance on two rows three apart: (0,0) (4,0) (8,0) / (0,3) (4,3) (8,3).
const char* kSix =
    "NAME : six\nTYPE : TSP\nDIMENSION : 6\nEDGE_WEIGHT_TYPE : EUC_2D\nNODE_COORD_SECTION\n"
    "1 0 0\n2 4 0\n3 8 0\n4 0 3\n5 4 3\n6 8 3\nEOF\n";

std::string Instance(const std::string& type, int n, double spread) {
    std::string text = "NAME : t\nTYPE : " + type + "\nDIMENSION : " + std::to_string(n) +
                       "\nEDGE_WEIGHT_TYPE : EUC_2D\nNODE_COORD_SECTION\n";
    for (int k = 1; k <= n; ++k) text += std::to_string(k) + " " + std::to_string(k * spread) + " 0\n";
    return text + "EOF\n";
}

class InstanceLayoutTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& text) {
        const auto path = dir.path / name;
        WriteFileBytes(path, text);
        return path.string();
    }
    CFakePlatform platform;
    CTempDir dir{"layout"};
};

}  // namespace

TEST_F(InstanceLayoutTest, OpenInstanceMakesANetworkOfItsSizeWithItsPositions) {
    auto doc = std::make_unique<CMainDoc>();
    doc->OnNewDocument();
    const std::string path = Write("six.tsp", kSix);
    ASSERT_EQ(doc->OpenInstance(path), 1);
    const CCycleSolver& s = doc->m_solver;
    EXPECT_EQ(doc->m_nDocKind, KIND_NETWORK);
    EXPECT_EQ(s.m_nNodes, 6);
    EXPECT_EQ(doc->m_strNodes, "6");
    EXPECT_EQ(doc->m_bFromFile, 1);
    EXPECT_EQ(s.m_ppWeight[1][5], 5);  // 4 across, 3 up
    EXPECT_EQ(s.m_ppWeight[5][1], 0);  // the upper triangle only
    EXPECT_EQ(doc->m_layout.name, "six");
    EXPECT_EQ(doc->m_layout.source, path);
    EXPECT_TRUE(doc->m_layout.PlacesNodes(6));
    EXPECT_EQ(doc->m_layout.positions.y[4], 3);
    EXPECT_TRUE(platform.dialogs.messages.empty());
}

TEST_F(InstanceLayoutTest, TheWindowRefusesWhatItsDocumentsCannotHoldAndSaysWhy) {
    const struct {
        std::string text;
        const char* reason;
    } cases[] = {
        {Instance("TSP", 3, 1), "3 nodes; expected 4 to 512 (the network window's limit)"},
        {Instance("TSP", 513, 1), "513 nodes; expected 4 to 512 (the network window's limit)"},
        {Instance("ATSP", 5, 1), "TYPE ATSP; expected TSP, the symmetric problem"},
        {Instance("TOUR", 5, 1), "a tour file (TYPE : TOUR); expected an instance file"},
        {Instance("TSP", 5, 10000), "weight 40000; expected weights of at most 32767 in magnitude"},
    };
    for (const auto& c : cases) {
        platform.dialogs.messages.clear();
        auto doc = MakeDoc(KIND_NETWORK, 8);
        const std::string path = Write("t.tsp", c.text);
        EXPECT_EQ(doc->OpenInstance(path), 0) << c.reason;
        EXPECT_EQ(doc->m_solver.m_nNodes, 8) << "a refused file leaves the network as it was";
        ASSERT_EQ(platform.dialogs.messages.size(), 1u) << c.reason;
        EXPECT_NE(platform.dialogs.messages[0].text.find(c.reason), std::string::npos)
            << platform.dialogs.messages[0].text;
        EXPECT_EQ(platform.dialogs.messages[0].text.rfind("Cannot open " + path, 0), 0u);
    }
    // The console takes what the solver holds.
    CCycleSolver solver;
    solver.m_nKind = KIND_NETWORK;
    EXPECT_EQ(
        ReadInstanceInto(solver, Write("big.tsp", Instance("TSP", 600, 1)), SolverInstanceLimits()).reason,
        "");
    EXPECT_EQ(solver.m_nNodes, 600);
}

TEST_F(InstanceLayoutTest, TheLayoutGoesWhenTheNetworkIsReplaced) {
    const std::string six = Write("six.tsp", kSix);
    const std::string matrix = Write("m.txt",
                                     "1: 0 1 2 3 4 5\n2: 1 0 1 2 3 4\n3: 2 1 0 1 2 3\n"
                                     "4: 3 2 1 0 1 2\n5: 4 3 2 1 0 1\n6: 5 4 3 2 1 0\n");
    auto doc = std::make_unique<CMainDoc>();
    doc->OnNewDocument();
    ASSERT_EQ(doc->OpenInstance(six), 1);
    doc->m_solver.MakeInitialCycle(1, 1);  // a random start keeps the network
    EXPECT_TRUE(doc->m_layout.PlacesNodes(6));
    doc->GenerateRandom();
    EXPECT_TRUE(doc->m_layout.Empty());

    ASSERT_EQ(doc->OpenInstance(six), 1);
    EXPECT_EQ(doc->ImportTextMatrixFrom(matrix), 1);
    EXPECT_TRUE(doc->m_layout.Empty());

    ASSERT_EQ(doc->OpenInstance(six), 1);
    doc->SetNodeCount(7);
    EXPECT_TRUE(doc->m_layout.Empty());
}

TEST_F(InstanceLayoutTest, CompanionFileKeepsTheLayoutAndBadOnesAreLeftAsideWithTheirLine) {
    auto doc = std::make_unique<CMainDoc>();
    doc->OnNewDocument();
    ASSERT_EQ(doc->OpenInstance(Write("six.tsp", kSix)), 1);
    doc->m_layout.positions.x[1] = 0.1 + 0.2;  // a value that needs every digit
    const std::string saved = (dir.path / "saved.tsp").string();
    ASSERT_EQ(doc->OnSaveDocument(saved), 1);
    ASSERT_EQ(doc->SaveLayoutBeside(saved), 1);
    EXPECT_EQ(LayoutPathFor(saved), saved + ".layout");

    auto back = std::make_unique<CMainDoc>();
    ASSERT_EQ(back->OnOpenDocument(saved), 1);
    ASSERT_EQ(back->OpenLayoutBeside(saved), 1);
    EXPECT_EQ(back->m_layout.name, "six");
    EXPECT_EQ(back->m_layout.source, doc->m_layout.source);
    EXPECT_EQ(back->m_layout.positions.x, doc->m_layout.positions.x);
    EXPECT_EQ(back->m_layout.positions.y, doc->m_layout.positions.y);

    // Saved again without positions, the companion goes: it would place another network's nodes.
    back->GenerateRandom();
    ASSERT_EQ(back->SaveLayoutBeside(saved), 1);
    EXPECT_FALSE(std::filesystem::exists(saved + ".layout"));

    const struct {
        std::string text;
        const char* error;
    } bad[] = {
        {"NAME : x\nDIMENSION : 6\nNODE_COORD_SECTION\n1 0 0\n3 0 0\n", ":5: expected node 2 at the start"},
        {"DIMENSION : 6\nNODE_COORD_SECTION\n1 0\n", ":3: expected node 1 and its two coordinates"},
        {"GEO : maybe\n", ":1: GEO 'maybe'; expected yes or no"},
        {"NAME : x\n", ":1: no NODE_COORD_SECTION"},
        {"DIMENSION : 2\nNODE_COORD_SECTION\n1 0 0\n2 1 1\n", "2 node positions; the document has 6 nodes"},
    };
    for (const auto& b : bad) {
        platform.dialogs.messages.clear();
        WriteFileBytes(saved + ".layout", b.text);
        auto reopened = std::make_unique<CMainDoc>();
        ASSERT_EQ(reopened->OnOpenDocument(saved), 1);
        EXPECT_EQ(reopened->OpenLayoutBeside(saved), 0) << b.error;
        EXPECT_TRUE(reopened->m_layout.Empty());
        ASSERT_EQ(platform.dialogs.messages.size(), 1u);
        EXPECT_NE(platform.dialogs.messages[0].text.find(b.error), std::string::npos)
            << platform.dialogs.messages[0].text;
    }
}

TEST_F(InstanceLayoutTest, ImportOfALargerMatrixAsksBeforeTakingItsCorner) {
    std::string rows;
    for (int i = 1; i <= 10; ++i) {
        rows += std::to_string(i) + ":";
        for (int j = 1; j <= 10; ++j) rows += " " + std::to_string(i * 100 + j);
        rows += "\n";
    }
    const std::string path = Write("ten.txt", rows);
    auto doc = MakeDoc(KIND_NETWORK, 8);
    platform.dialogs.answerYes = false;
    ASSERT_EQ(doc->ImportTextMatrixFrom(path), 1);
    ASSERT_EQ(platform.dialogs.questions.size(), 1u);
    EXPECT_NE(platform.dialogs.questions[0].find("a matrix of 10 nodes; the window has 8"),
              std::string::npos);
    EXPECT_EQ(doc->m_solver.m_nNodes, 8);
    EXPECT_EQ(doc->m_solver.m_ppWeight[7][8], 708);

    platform.dialogs.answerYes = true;
    ASSERT_EQ(doc->ImportTextMatrixFrom(path), 1);
    EXPECT_EQ(doc->m_solver.m_nNodes, 10);
    EXPECT_EQ(doc->m_strNodes, "10");
    EXPECT_EQ(doc->m_solver.m_ppWeight[9][10], 910);
    EXPECT_EQ(doc->m_solver.m_aInitial[10], 10);

    // A matrix no larger than the window is taken without a question.
    platform.dialogs.questions.clear();
    ASSERT_EQ(doc->ImportTextMatrixFrom(path), 1);
    EXPECT_TRUE(platform.dialogs.questions.empty());
}
