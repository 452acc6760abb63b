// A numbered node.
#include "windows/NodeLabel.h"

#include <QFontMetrics>
#include <QPainter>

int DrawNodeLabel(QPainter& painter, int number, int x, int y, const QColor& fill) {
    if (!painter.isActive()) return 0;
    const QString text = QString::number(number);
    const QFontMetrics metrics = painter.fontMetrics();
    const int cx = metrics.horizontalAdvance(text);
    const int cy = metrics.height();
    int rx = cx / 2 + 4;
    const int ry = cy / 2 + 2;
    int dx = 0;
    if (ry > rx) {
        dx = (ry - rx) / 2;
        rx = ry;
    }
    painter.save();
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(fill);
    painter.drawEllipse(QRect(QPoint(x - rx, y - ry), QPoint(x + rx, y + ry)));
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.drawText(QPoint(x + dx - rx + 4, y - ry + 2 + metrics.ascent()), text);
    painter.restore();
    return 1;
}
