// The network drawing: red cycle edges, thick and over black plain edges, only the cycle above 30
// nodes, the graph's non-edges, weight labels, a ring that follows the shorter side of the view,
// an instance's nodes at their coordinates, and labels left out where they would overlap.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <algorithm>
#include <iterator>

#include "document/MainDoc.h"
#include "document/Switches.h"
#include "gui/GuiTestMain.h"
#include "support/Fakes.h"
#include "windows/NetView.h"

namespace {

const QRgb kRedPixel = qRgb(255, 0, 0);
const QRgb kBlackPixel = qRgb(0, 0, 0);
const QRgb kWhitePixel = qRgb(255, 255, 255);

class NetViewTest : public ::testing::Test {
protected:
    void Make(int nodes, int kind = KIND_NETWORK) {
        GuiApp();
        g_bWriteParamsOnClose = 0;
        doc.m_nDocKind = kind;
        doc.m_solver.m_nKind = kind;
        doc.InitKind(kind, nodes);
        doc.m_solver.MakeInitialCycle(1, 0);  // 1-2-...-n
        doc.m_bShowWeights = 0;
        view = std::make_unique<CNetView>(doc);
    }
    // The colour found near the point a third of the way from node a to node b (1-based): red or
    // black when such a pixel lies within one pixel of it, else the pixel itself.
    QRgb Along(const QImage& image, int a, int b) const {
        const QPoint offset((image.width() - 2 * view->Half()) / 2, (image.height() - 2 * view->Half()) / 2);
        const QPoint pa = view->NodePos(a - 1), pb = view->NodePos(b - 1);
        const QPoint p = pa + (pb - pa) / 3 + offset;
        for (QRgb wanted : {kRedPixel, kBlackPixel})
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy)
                    if (image.pixel(p.x() + dx, p.y() + dy) == wanted) return wanted;
        return image.pixel(p);
    }

    CFakePlatform platform;
    CMainDoc doc;
    std::unique_ptr<CNetView> view;
};

}  // namespace

TEST_F(NetViewTest, FourNodesDrawFourRedCycleEdgesAndTwoBlackOnes) {
    Make(4);
    const QImage image = view->Render(QSize(300, 300));
    int red = 0, black = 0;
    for (int i = 1; i <= 4; ++i)
        for (int j = i + 1; j <= 4; ++j) {
            const QRgb c = Along(image, i, j);
            red += c == kRedPixel;
            black += c == kBlackPixel;
        }
    EXPECT_EQ(red, 4);
    EXPECT_EQ(black, 2);
    EXPECT_EQ(Along(image, 1, 3), kBlackPixel);
    EXPECT_EQ(Along(image, 1, 4), kRedPixel);
    // Nodes lie over the lines: the yellow fill beside node 1's number.
    const QPoint node = view->NodePos(0);
    EXPECT_EQ(image.pixel(node.x() - 7, node.y()), qRgb(255, 255, 0));
}

TEST_F(NetViewTest, ThirtyOneNodesDrawOnlyTheCycleAndNoWeights) {
    Make(31);
    doc.m_bShowWeights = 1;
    const QImage image = view->Render(QSize(500, 500));
    for (int k = 1; k <= 31; ++k) EXPECT_EQ(Along(image, k, k % 31 + 1), kRedPixel) << k;
    EXPECT_EQ(Along(image, 1, 16), kWhitePixel);
    // No label at the middle of a cycle edge: the red line runs through it.
    const QPoint a = view->NodePos(4), b = view->NodePos(5);
    const QPoint mid((a.x() + b.x()) / 2, (a.y() + b.y()) / 2);
    bool redNearMiddle = false;
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            redNearMiddle |= image.pixel(mid.x() + dx, mid.y() + dy) == kRedPixel;
    EXPECT_TRUE(redNearMiddle);
}

TEST_F(NetViewTest, WeightLabelsSitOnTheCycleEdges) {
    Make(5);
    doc.m_bShowWeights = 1;
    const QImage image = view->Render(QSize(400, 400));
    const QPoint a = view->NodePos(0), b = view->NodePos(1);
    const QPoint mid((a.x() + b.x()) / 2, (a.y() + b.y()) / 2);
    // The white label covers the red line near its middle, left of its number.
    EXPECT_EQ(image.pixel(mid.x() - 9, mid.y()), kWhitePixel);
}

TEST_F(NetViewTest, GraphDrawsItsEdgesAndOnlyTheNonEdgesOfTheCycle) {
    Make(6, KIND_GRAPH);
    CCycleSolver& s = doc.m_solver;
    for (int i = 1; i <= 6; ++i)
        for (int j = i + 1; j <= 6; ++j) s.m_ppWeight[i][j] = 1;  // no edges at all
    s.m_ppWeight[1][3] = 0;                                       // one edge off the cycle
    const QImage image = view->Render(QSize(300, 300));
    EXPECT_EQ(Along(image, 1, 3), kBlackPixel);
    EXPECT_EQ(Along(image, 2, 5), kWhitePixel);
    EXPECT_EQ(Along(image, 1, 2), kRedPixel);  // a non-edge the cycle uses
}

TEST_F(NetViewTest, ATallViewGetsARingAsWideAsTheView) {
    Make(8);
    const QImage image = view->Render(QSize(200, 400));
    EXPECT_EQ(view->Half(), 100);
    EXPECT_EQ(view->NodePos(0), QPoint(180, 100));
    EXPECT_EQ(image.pixel(180 - 7, 200), qRgb(255, 255, 0));  // node 1 in the middle of the height
    const QImage sharp = view->Render(QSize(200, 400), 2.0);
    EXPECT_EQ(sharp.size(), QSize(400, 800));  // drawn in device pixels on a high-density screen
    EXPECT_EQ(sharp.pixel(2 * (180 - 7), 2 * 200), qRgb(255, 255, 0));  // the nodes' layer too
}

TEST_F(NetViewTest, TheCycleIsDrawnThickAndOverThePlainEdgesThatCrossIt) {
    Make(6);
    const int order[] = {0, 1, 4, 2, 5, 3, 6, 1};
    std::copy(std::begin(order), std::end(order), doc.m_solver.m_aCycle);
    const QImage image = view->Render(QSize(300, 300));
    // The plain edge 2-6 crosses the cycle's diameter 1-4 at half the radius right of the centre.
    const QPoint crossing(view->Half() + (view->NodePos(0).x() - view->Half()) / 2, view->Half());
    EXPECT_EQ(image.pixel(crossing + view->Origin()), kRedPixel);
    // Across the cycle edge 1-4 the red is more than a hairline wide.
    int red = 0;
    for (int dy = -4; dy <= 4; ++dy)
        red += image.pixel(view->Origin() + QPoint(view->Half() - 40, view->Half() + dy)) == kRedPixel;
    EXPECT_GE(red, 2);
}

TEST_F(NetViewTest, InstanceNodesStandAtTheirCoordinatesNorthUpAndFitThePane) {
    Make(4);
    doc.m_layout.positions = {{0, 100, 100, 0}, {0, 0, 50, 50}, false};
    view->Render(QSize(400, 300));
    ASSERT_TRUE(view->AtCoordinates());
    EXPECT_EQ(view->Origin(), QPoint(0, 0));
    // The width is the tighter side: 100 units across the pane less its margins of 22.
    EXPECT_EQ(view->NodePos(0), QPoint(22, 231));
    EXPECT_EQ(view->NodePos(1), QPoint(378, 231));
    EXPECT_EQ(view->NodePos(3), QPoint(22, 53));  // y grows upwards
    // GEO gives latitude (x) and longitude (y): north up, east right.
    doc.m_layout.positions = {{10, 20, 20, 10}, {5, 5, 15, 15}, true};
    view->Render(QSize(400, 300));
    EXPECT_LT(view->NodePos(1).y(), view->NodePos(0).y());
    EXPECT_EQ(view->NodePos(1).x(), view->NodePos(0).x());
    EXPECT_GT(view->NodePos(3).x(), view->NodePos(0).x());
    // Positions of another node count do not place this network: the ring.
    doc.m_layout.positions.x.pop_back();
    view->Render(QSize(400, 300));
    EXPECT_FALSE(view->AtCoordinates());
}

TEST_F(NetViewTest, NumbersAndWeightsThatDoNotFitAreLeftOutRatherThanDrawnOverEachOther) {
    Make(512);
    view->Render(QSize(500, 500));
    const std::vector<QRect>& rects = view->NumberedRects();
    EXPECT_EQ(view->NumberedNodes(), static_cast<int>(rects.size()));
    EXPECT_GT(rects.size(), 20u);
    EXPECT_LT(rects.size(), 512u);
    for (std::size_t i = 0; i < rects.size(); ++i)
        for (std::size_t j = i + 1; j < rects.size(); ++j)
            ASSERT_FALSE(rects[i].intersects(rects[j])) << i << " " << j;

    Make(24);
    doc.m_bShowWeights = 1;
    view->Render(QSize(232, 232));
    EXPECT_LT(view->WeightLabels(), 24);
    view->Render(QSize(900, 900));
    EXPECT_EQ(view->WeightLabels(), 24);
    EXPECT_EQ(view->NumberedNodes(), 24);
}

TEST_F(NetViewTest, ImprovementsFasterThanTheScreenAreDrawnTogetherAndTheLastAlways) {
    Make(6);
    view->resize(300, 300);
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    doc.m_solver.m_bBusy = 1;  // a run repaints at every improvement
    view->repaint();
    const int better[] = {0, 1, 3, 2, 4, 5, 6, 1};
    std::copy(std::begin(better), std::end(better), doc.m_solver.m_aCycle);
    view->repaint();  // within the frame of the last picture: drawn when the frame is over
    QTest::qWait(60);
    // What the screen shows now, without a paint of the test's own.
    EXPECT_EQ(Along(view->LastPicture(), 1, 3), kRedPixel);
    EXPECT_NE(Along(view->LastPicture(), 1, 2), kRedPixel);
    doc.m_solver.m_bBusy = 0;
}
