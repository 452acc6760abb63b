// The map pane: the outline picture and the route on it.
#include "windows/MapPane.h"

#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "mapdemo/MapData.h"
#include "mapdemo/MapOutline.h"
#include "solver/CycleSolver.h"
#include "windows/NodeLabel.h"

namespace {

constexpr QSize kLargePicture(536, 335);
constexpr QSize kSmallPicture(428, 256);

// Calm colours under the red route.
const QColor kWater(0xdc, 0xe9, 0xf2);
const QColor kLand(0xf4, 0xf0, 0xde);
const QColor kBorder(0xb4, 0xaa, 0x8e);
const QColor kCoast(0x5d, 0x7c, 0x94);
const QColor kCapital(0x3c, 0x3c, 0x46);

QPolygonF ToPolygon(const CMapLine& line, double unit) {
    QPolygonF polygon;
    polygon.reserve(static_cast<int>(line.size()));
    for (const CMapPoint& p : line) polygon << QPointF(p.x * unit, p.y * unit);
    return polygon;
}

// The outline picture at the given scale of the large picture.
QPixmap DrawPicture(QSize size, double scale, qreal pixelRatio) {
    QPixmap picture(size * pixelRatio);
    picture.setDevicePixelRatio(pixelRatio);
    picture.fill(kWater);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const CMapOutline& outline = CMapPane::Outline();
    const double unit = scale / outline.m_nUnits;
    QPainterPath land;
    for (const CMapState& state : outline.m_aStates)
        for (const CMapLine& ring : state.aRings) land.addPolygon(ToPolygon(ring, unit));
    painter.fillPath(land, kLand);
    painter.setPen(QPen(kBorder, 0.8));
    for (const CMapLine& line : outline.m_aBorders) painter.drawPolyline(ToPolygon(line, unit));
    painter.setPen(QPen(kCoast, 0.9));
    for (const CMapLine& line : outline.m_aCoasts) painter.drawPolyline(ToPolygon(line, unit));
    painter.setPen(Qt::NoPen);
    painter.setBrush(kCapital);
    for (int i = 1; i <= MAP_CAPITALS; ++i) {
        const CCapitalEntry* c = MapCapital(i);
        painter.drawEllipse(
            QPointF(static_cast<int>(c->x * scale) + 0.5, static_cast<int>(c->y * scale) + 0.5), 2.0, 2.0);
    }
    return picture;
}

}  // namespace

CMapPane::CMapPane(QWidget* parent) : QWidget(parent) {
    LoadPicture(2);
}

const CMapOutline& CMapPane::Outline() {
    static const CMapOutline outline = [] {
        CMapOutline o;
        QFile file(QStringLiteral(":/map/us-states.outline"));
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray text = file.readAll();
            o.Parse(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
        }
        return o;
    }();
    return outline;
}

void CMapPane::LoadPicture(int maximizeChildren) {
    const bool large = maximizeChildren == 2;
    m_dScale = large ? MAP_SCALE_LARGE : MAP_SCALE_SMALL;
    const QSize size = large ? kLargePicture : kSmallPicture;
    m_picture = DrawPicture(size, m_dScale, devicePixelRatioF());
    setFixedSize(size);
    update();
}

void CMapPane::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
    const CCycleSolver* s = m_pSolver;
    if (!s || s->m_ppWeight.Size() == 0 || s->m_nNodes < 2) return;

    painter.setPen(QPen(Qt::red, 1));
    if (m_bShowDistances) {
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(12);
        painter.setFont(font);
    }
    // While a method runs its best route so far, else the current one.
    const int* route = s->m_bBusy ? s->m_aBest : s->m_aCycle;
    const int n = s->m_nNodes;
    const int sign = s->m_bMaximum && s->m_bBusy ? -1 : 1;
    auto at = [&](int node) { return QPoint(s->CapitalX(node, m_dScale), s->CapitalY(node, m_dScale)); };
    auto leg = [&](int a, int b) {
        const QPoint p = at(a), q = at(b);
        painter.drawLine(p, q);
        if (m_bShowDistances)
            DrawNodeLabel(painter, sign * s->m_ppWeight[std::min(a, b)][std::max(a, b)], (p.x() + q.x()) / 2,
                          (p.y() + q.y()) / 2, Qt::white);
    };
    for (int k = 2; k <= n; ++k) leg(route[k - 1], route[k]);
    leg(route[n], route[1]);
}
