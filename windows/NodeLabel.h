// A numbered node: an ellipse with a black outline around its number, as the network drawing
// draws its nodes and weight labels and the map its distances.
#pragma once

class QColor;
class QPainter;

// Draws the number centred on (x, y) in the painter's current font. The ellipse's half-axes are
// half the text's width plus 4 and half its height plus 2; a narrow number gets a circle, with
// the text moved right to keep it centred. Returns 1 (0 when nothing could be drawn).
int DrawNodeLabel(QPainter& painter, int number, int x, int y, const QColor& fill);
