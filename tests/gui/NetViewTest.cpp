// The network drawing: red cycle edges over black plain edges, only the cycle above 30 nodes, the
// graph's non-edges, weight labels, and a ring that follows the shorter side of the view.
#include <gtest/gtest.h>

#include <QImage>

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
}
