// The network drawing view.
#include "windows/NetView.h"

#include <QPainter>
#include <cmath>
#include <numbers>

#include "document/MainDoc.h"
#include "windows/NodeLabel.h"

namespace {

// Entries 0, 12, 14 and 15 of the program's colour table.
const QColor kBlack(0, 0, 0);
const QColor kRed(255, 0, 0);
const QColor kYellow(255, 255, 0);
const QColor kWhite(255, 255, 255);

constexpr int kMaxPositions = 2050;

}  // namespace

CNetView::CNetView(CMainDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc) {
    m_font = QFont(QStringLiteral("Arial"));
    m_font.setPixelSize(14);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(120, 120);
}

QString CNetView::Banner() {
    return QStringLiteral("QUIRA-1 version 1.0, (c) 2026");
}

void CNetView::FillUnitVectors(int nodes) {
    const int n = std::min(nodes, kMaxPositions);
    m_aCos.assign(n, 0.0);
    m_aSin.assign(n, 0.0);
    if (n <= 0) return;
    const double step = 2 * std::numbers::pi / n;
    double angle = 0;
    for (int k = 0; k < n; ++k, angle += step) {
        m_aCos[k] = std::cos(angle);
        m_aSin[k] = std::sin(angle);
    }
}

QPoint CNetView::NodePos(int k) const {
    return {static_cast<int>(std::floor(m_nRadius * m_aCos[k])) + m_nHalf,
            static_cast<int>(std::floor(m_nRadius * m_aSin[k])) + m_nHalf};
}

void CNetView::DrawSquare(QPainter& p) {
    const CCycleSolver& s = m_doc.m_solver;
    const int n = std::min(s.m_ppWeight ? s.m_nNodes : 0, kMaxPositions);
    FillUnitVectors(n);
    p.fillRect(QRect(0, 0, 2 * m_nHalf, 2 * m_nHalf), kWhite);
    p.setFont(m_font);
    p.setBackgroundMode(Qt::TransparentMode);
    if (n < 1) return;
    const int* c = s.m_aCycle;
    const bool graph = m_doc.m_nDocKind == KIND_GRAPH;

    // Next and previous node of each node along the cycle, to test a pair in constant time.
    std::vector<int> next(n + 1, 0), prev(n + 1, 0);
    for (int k = 1; k <= n; ++k) {
        const int a = c[k], b = c[k == n ? 1 : k + 1];
        if (a < 1 || a > n || b < 1 || b > n) continue;
        next[a] = b;
        prev[b] = a;
    }
    auto cycleEdge = [&](int a, int b) { return next[a] == b || prev[a] == b; };

    const QPen black(kBlack, 0), red(kRed, 0);
    for (int i = 0; i < n; ++i) {
        const QPoint pi = NodePos(i);
        for (int j = i + 1; j < n; ++j) {
            const bool onCycle = cycleEdge(i + 1, j + 1);
            if (graph && s.m_ppWeight[i + 1][j + 1] > 0 && !onCycle) continue;
            if (n > 30 && !onCycle) continue;
            p.setPen(onCycle ? red : black);
            p.drawLine(pi, NodePos(j));
        }
        p.setRenderHint(QPainter::Antialiasing, true);  // round nodes, crisp thin lines
        DrawNodeLabel(p, i + 1, pi.x(), pi.y(), kYellow);
        p.setRenderHint(QPainter::Antialiasing, false);
    }

    p.setBackgroundMode(Qt::OpaqueMode);
    if (m_doc.m_bShowWeights && n <= 30) {
        const bool negated = s.m_bMaximum && s.m_bBusy;
        for (int k = 1; k <= n; ++k) {
            const int a = k == 1 ? c[1] : c[k - 1];
            const int b = k == 1 ? c[n] : c[k];
            if (a < 1 || a > n || b < 1 || b > n) continue;
            int w = s.m_ppWeight[std::min(a, b)][std::max(a, b)];
            if (negated) w = -w;
            const QPoint pa = NodePos(a - 1), pb = NodePos(b - 1);
            p.setRenderHint(QPainter::Antialiasing, true);
            DrawNodeLabel(p, w, (pa.x() + pb.x()) / 2, (pa.y() + pb.y()) / 2, kWhite);
        }
    }
}

QImage CNetView::Render(QSize size, qreal dpr) {
    QImage image(size * dpr, QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    const int cx = size.width() / 2, cy = size.height() / 2;
    m_nHalf = static_cast<short>(std::min(cx, cy));
    m_nRadius = static_cast<short>(m_nHalf - 20);

    QImage square(QSize(2 * m_nHalf, 2 * m_nHalf) * dpr, QImage::Format_RGB32);
    square.setDevicePixelRatio(dpr);
    {
        QPainter p(&square);
        p.setRenderHint(QPainter::TextAntialiasing);
        DrawSquare(p);
    }
    QPainter screen(&image);
    screen.fillRect(QRect(QPoint(0, 0), size), palette().color(QPalette::Window));
    screen.drawImage(QPoint(cx - m_nHalf, cy - m_nHalf), square);
    screen.setFont(m_font);
    screen.setPen(kBlack);
    screen.drawText(QPoint(6, size.height() - 16 + QFontMetrics(m_font).ascent()), Banner());
    return image;
}

void CNetView::paintEvent(QPaintEvent*) {
    const QImage image = Render(size(), devicePixelRatioF());
    QPainter p(this);
    p.drawImage(QPoint(0, 0), image);
}
