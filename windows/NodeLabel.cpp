// A numbered node.
#include "windows/NodeLabel.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

struct CLabelShape {
    int rx, ry, dx;  // half-axes, and the text's shift right inside a circle
};

CLabelShape ShapeOf(const QFontMetrics& metrics, const QString& text) {
    int rx = metrics.horizontalAdvance(text) / 2 + 4;
    const int ry = metrics.height() / 2 + 2;
    int dx = 0;
    if (ry > rx) {
        dx = (ry - rx) / 2;
        rx = ry;
    }
    return {rx, ry, dx};
}

}  // namespace

QRect NodeLabelRect(const QFontMetrics& metrics, int number, int x, int y) {
    const CLabelShape shape = ShapeOf(metrics, QString::number(number));
    return QRect(QPoint(x - shape.rx, y - shape.ry), QPoint(x + shape.rx, y + shape.ry));
}

int DrawNodeLabel(QPainter& painter, int number, int x, int y, const QColor& fill) {
    if (!painter.isActive()) return 0;
    const QString text = QString::number(number);
    const QFontMetrics metrics = painter.fontMetrics();
    const CLabelShape shape = ShapeOf(metrics, text);
    painter.save();
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(fill);
    painter.drawEllipse(QRect(QPoint(x - shape.rx, y - shape.ry), QPoint(x + shape.rx, y + shape.ry)));
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.drawText(QPoint(x + shape.dx - shape.rx + 4, y - shape.ry + 2 + metrics.ascent()), text);
    painter.restore();
    return 1;
}
