// The network drawing view.
#include "windows/NetView.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "document/InstanceLoad.h"
#include "document/MainDoc.h"
#include "windows/NodeLabel.h"

namespace {

// Entries 0, 12, 14 and 15 of the program's colour table.
const QColor kBlack(0, 0, 0);
const QColor kRed(255, 0, 0);
const QColor kYellow(255, 255, 0);
const QColor kWhite(255, 255, 255);

constexpr int kMaxPositions = 2050;
// Above this many nodes only the cycle is drawn, and no weights.
constexpr int kAllEdgesLimit = 30;
// Room around nodes at coordinates, and under them for the banner line.
constexpr int kMargin = 22;
constexpr int kBannerRoom = 16;
// A node whose number does not fit.
constexpr int kDotRadius = 3;

// The cycle's pen: thicker than the plain edges' hairlines, so that it shows over them and among
// hundreds of nodes.
QPen CyclePen(int nodes) {
    QPen pen(kRed, nodes <= kAllEdgesLimit ? 3.0 : 2.0);
    pen.setCapStyle(Qt::FlatCap);  // round caps make antialiased strokes many times dearer
    return pen;
}

bool Overlaps(const QRect& rect, const std::vector<QRect>& placed) {
    return std::any_of(placed.begin(), placed.end(),
                       [&](const QRect& other) { return rect.intersects(other); });
}

}  // namespace

CNetView::CNetView(CMainDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc) {
    m_font = QFont(QStringLiteral("Arial"));
    m_font.setPixelSize(14);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(120, 120);
    m_frameTimer.setSingleShot(true);
    connect(&m_frameTimer, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

QString CNetView::Banner() {
    return QStringLiteral("QUIRA-1 version 1.0, (c) 2026");
}

QPoint CNetView::NodePos(int k) const {
    return k >= 0 && k < static_cast<int>(m_points.size()) ? m_points[k] : QPoint();
}

void CNetView::PlaceNodes(QSize size, int nodes) {
    const int cx = size.width() / 2, cy = size.height() / 2;
    m_nHalf = static_cast<short>(std::min(cx, cy));
    m_nRadius = static_cast<short>(m_nHalf - 20);
    m_bAtCoordinates = m_doc.m_layout.PlacesNodes(nodes) && nodes <= kMaxPositions;
    if (m_bAtCoordinates) {
        m_origin = QPoint(0, 0);
        m_surfaceSize = size;
        PlaceAtCoordinates(size, nodes);
    } else {
        m_origin = QPoint(cx - m_nHalf, cy - m_nHalf);
        m_surfaceSize = QSize(2 * m_nHalf, 2 * m_nHalf);
        PlaceOnRing(nodes);
    }
}

void CNetView::PlaceOnRing(int nodes) {
    // Node k at the angle 2 pi k / n, the angle accumulated node by node.
    const int n = std::min(nodes, kMaxPositions);
    m_points.assign(std::max(n, 0), QPoint());
    const double step = n > 0 ? 2 * std::numbers::pi / n : 0;
    double angle = 0;
    for (int k = 0; k < n; ++k, angle += step)
        m_points[k] = QPoint(static_cast<int>(std::floor(m_nRadius * std::cos(angle))) + m_nHalf,
                             static_cast<int>(std::floor(m_nRadius * std::sin(angle))) + m_nHalf);
}

void CNetView::PlaceAtCoordinates(QSize size, int nodes) {
    const std::vector<CSvgPoint> at = InstanceDrawingPositions(m_doc.m_layout.positions);
    double minX = std::numeric_limits<double>::max(), maxX = -minX, minY = minX, maxY = -minX;
    for (int k = 1; k <= nodes; ++k) {
        minX = std::min(minX, at[k].x);
        maxX = std::max(maxX, at[k].x);
        minY = std::min(minY, at[k].y);
        maxY = std::max(maxY, at[k].y);
    }
    // The nodes keep their aspect and fill the room's width or its height, centred in it.
    const double roomW = std::max(size.width() - 2 * kMargin, 1);
    const double roomH = std::max(size.height() - 2 * kMargin - kBannerRoom, 1);
    const double spanX = maxX - minX, spanY = maxY - minY;
    double scale = 1;
    if (spanX > 0 && spanY > 0)
        scale = std::min(roomW / spanX, roomH / spanY);
    else if (spanX > 0)
        scale = roomW / spanX;
    else if (spanY > 0)
        scale = roomH / spanY;
    const double left = kMargin + (roomW - spanX * scale) / 2;
    const double top = kMargin + (roomH - spanY * scale) / 2;
    m_points.assign(nodes, QPoint());
    for (int k = 0; k < nodes; ++k)
        m_points[k] = QPoint(static_cast<int>(std::lround(left + (at[k + 1].x - minX) * scale)),
                             static_cast<int>(std::lround(top + (at[k + 1].y - minY) * scale)));
}

const QImage& CNetView::NodeLayer(qreal dpr) {
    const QSize pixels = m_surfaceSize * dpr;
    if (m_nodeLayer.size() == pixels && m_nodeLayer.devicePixelRatio() == dpr && m_layerPoints == m_points)
        return m_nodeLayer;
    m_layerPoints = m_points;
    m_nodeLayer = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    m_nodeLayer.setDevicePixelRatio(dpr);
    m_nodeLayer.fill(Qt::transparent);
    QPainter p(&m_nodeLayer);
    p.setRenderHint(QPainter::Antialiasing, true);  // round nodes
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setFont(m_font);
    const QFontMetrics metrics(m_font);
    // In node order, a node is numbered when its ellipse covers no numbered node before it.
    m_numberRects.clear();
    std::vector<int> numbered;
    std::vector<int> dots;
    for (int k = 0; k < static_cast<int>(m_points.size()); ++k) {
        const QRect rect = NodeLabelRect(metrics, k + 1, m_points[k].x(), m_points[k].y());
        if (Overlaps(rect, m_numberRects)) {
            dots.push_back(k);
        } else {
            m_numberRects.push_back(rect);
            numbered.push_back(k);
        }
    }
    p.setPen(QPen(kBlack, 0));
    p.setBrush(kYellow);
    m_layerParts.clear();
    for (int k : dots) {
        p.drawEllipse(QPointF(m_points[k]), kDotRadius, kDotRadius);
        const QPoint at = m_points[k];
        m_layerParts.emplace_back(at - QPoint(kDotRadius + 1, kDotRadius + 1),
                                  at + QPoint(kDotRadius + 1, kDotRadius + 1));
    }
    for (int k : numbered) DrawNodeLabel(p, k + 1, m_points[k].x(), m_points[k].y(), kYellow);
    for (const QRect& rect : m_numberRects) m_layerParts.push_back(rect.adjusted(-1, -1, 1, 1));
    m_nNumbered = static_cast<int>(numbered.size());
    return m_nodeLayer;
}

void CNetView::DrawSurface(QPainter& p, qreal dpr) {
    const CCycleSolver& s = m_doc.m_solver;
    const int n = std::min(s.m_ppWeight ? s.m_nNodes : 0, kMaxPositions);
    p.fillRect(QRect(QPoint(0, 0), m_surfaceSize), kWhite);
    m_nWeightLabels = 0;
    if (n < 1) return;
    const int* c = s.m_aCycle;
    const bool graph = m_doc.m_nDocKind == KIND_GRAPH;

    // Next and previous node of each node along the cycle, to test a pair in constant time.
    std::vector<int> next(n + 1, 0), prev(n + 1, 0);
    std::vector<QLine> cycle;
    cycle.reserve(n);
    for (int k = 1; k <= n; ++k) {
        const int a = c[k], b = c[k == n ? 1 : k + 1];
        if (a < 1 || a > n || b < 1 || b > n) continue;
        next[a] = b;
        prev[b] = a;
        cycle.emplace_back(NodePos(a - 1), NodePos(b - 1));
    }

    if (n <= kAllEdgesLimit) {
        // The plain edges (a graph's edges only) as hairlines under the cycle.
        p.setPen(QPen(kBlack, 0));
        for (int i = 1; i <= n; ++i)
            for (int j = i + 1; j <= n; ++j) {
                if (next[i] == j || prev[i] == j) continue;
                if (graph && s.m_ppWeight[i][j] > 0) continue;
                p.drawLine(NodePos(i - 1), NodePos(j - 1));
            }
    }
    // Smooth strokes cost many times more than plain ones; above the few edges of a small network
    // they would slow the method down, which repaints at every improvement.
    p.setRenderHint(QPainter::Antialiasing, n <= kAllEdgesLimit);
    p.setPen(CyclePen(n));
    p.drawLines(cycle.data(), static_cast<int>(cycle.size()));
    // The layer's nodes, part by part: most of the layer is transparent.
    const QImage& layer = NodeLayer(dpr);
    for (const QRect& part : m_layerParts)
        p.drawImage(QRectF(part), layer,
                    QRectF(part.x() * dpr, part.y() * dpr, part.width() * dpr, part.height() * dpr));
    if (m_doc.m_bShowWeights && n <= kAllEdgesLimit) DrawWeights(p);
}

void CNetView::DrawWeights(QPainter& p) {
    const CCycleSolver& s = m_doc.m_solver;
    const int n = s.m_nNodes;
    const int* c = s.m_aCycle;
    const bool negated = s.m_bMaximum && s.m_bBusy;  // a maximum run holds the weights negated
    const QFontMetrics metrics(m_font);
    p.setFont(m_font);
    // A label that would cover a node or another label is left out: labels beside the ring's
    // nodes cannot be read where they overlap.
    std::vector<QRect> placed;
    for (int k = 1; k <= n; ++k) {
        const int a = k == 1 ? c[1] : c[k - 1];
        const int b = k == 1 ? c[n] : c[k];
        if (a < 1 || a > n || b < 1 || b > n) continue;
        int w = s.m_ppWeight[std::min(a, b)][std::max(a, b)];
        if (negated) w = -w;
        const QPoint pa = NodePos(a - 1), pb = NodePos(b - 1);
        const int x = (pa.x() + pb.x()) / 2, y = (pa.y() + pb.y()) / 2;
        const QRect rect = NodeLabelRect(metrics, w, x, y);
        if (Overlaps(rect, m_numberRects) || Overlaps(rect, placed)) continue;
        placed.push_back(rect);
        DrawNodeLabel(p, w, x, y, kWhite);
    }
    m_nWeightLabels = static_cast<int>(placed.size());
}

void CNetView::PaintView(QPainter& screen, QSize size, qreal dpr) {
    const CCycleSolver& s = m_doc.m_solver;
    PlaceNodes(size, s.m_ppWeight ? s.m_nNodes : 0);
    const QSize pixels = m_surfaceSize * dpr;
    if (m_surface.size() != pixels || m_surface.devicePixelRatio() != dpr) {
        m_surface = QImage(pixels, QImage::Format_RGB32);
        m_surface.setDevicePixelRatio(dpr);
    }
    {
        QPainter p(&m_surface);
        p.setRenderHint(QPainter::TextAntialiasing);
        DrawSurface(p, dpr);
    }
    m_renderedSize = size;
    PaintSurface(screen, size);
}

void CNetView::PaintSurface(QPainter& screen, QSize size) {
    if (m_surfaceSize != size) {
        // Around the ring's square, the window's own colour.
        const QRect square(m_origin, m_surfaceSize);
        const QRegion around = QRegion(QRect(QPoint(0, 0), size)).subtracted(square);
        for (const QRect& part : around) screen.fillRect(part, palette().color(QPalette::Window));
    }
    screen.drawImage(m_origin, m_surface);
    screen.setFont(m_font);
    screen.setPen(kBlack);
    screen.drawText(QPoint(6, size.height() - 16 + QFontMetrics(m_font).ascent()), Banner());
}

QImage CNetView::Render(QSize size, qreal dpr) {
    QImage image(size * dpr, QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    QPainter screen(&image);
    PaintView(screen, size, dpr);
    return image;
}

void CNetView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // While a method runs it repaints the drawing at every improvement. Improvements that come
    // faster than the screen refreshes are shown together: within a frame of the last picture that
    // picture is painted again, and the newest cycle is drawn as soon as the frame is over.
    const qint64 since = m_lastRender.isValid() ? m_lastRender.elapsed() : kFrameMs;
    if (m_doc.m_solver.m_bBusy && since < kFrameMs && m_renderedSize == size() &&
        m_surface.devicePixelRatio() == devicePixelRatioF()) {
        PaintSurface(p, size());
        if (!m_frameTimer.isActive()) m_frameTimer.start(static_cast<int>(kFrameMs - since));
        return;
    }
    PaintView(p, size(), devicePixelRatioF());
    m_lastRender.start();
}
