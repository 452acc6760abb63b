// A numbered node: an ellipse with a black outline around its number, as the network drawing
// draws its nodes and weight labels and the map its distances.
#pragma once

#include <QRect>

class QColor;
class QFontMetrics;
class QPainter;

// The ellipse's bounds for the number centred on (x, y): half-axes of half the text's width plus 4
// and half its height plus 2; a narrow number gets a circle.
QRect NodeLabelRect(const QFontMetrics& metrics, int number, int x, int y);

// Draws the number centred on (x, y) in the painter's current font inside the ellipse of
// NodeLabelRect, the text moved right in a circle to keep it centred. Returns 1 (0 when nothing
// could be drawn).
int DrawNodeLabel(QPainter& painter, int number, int x, int y, const QColor& fill);
