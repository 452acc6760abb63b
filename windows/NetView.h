// The network drawing: the left-hand pane of the network, graph and check windows. The nodes sit on
// a ring, or, for a network read from a published instance, at the instance's coordinates fitted
// to the pane. The plain edges are black and the current cycle's edges red, drawn after them and
// thicker; the nodes lie over every line, numbered and filled yellow where their numbers fit (a
// node whose number would cover another's is a small dot); with Show Weights (up to 30 nodes)
// each cycle edge carries its weight where the label covers no node and no other label. Above 30
// nodes only the cycle's edges are drawn.
//
// The picture is rendered off-screen and copied to the screen in one step; the form repaints it
// at once at every improvement during a run, and improvements that come faster than the screen
// refreshes (16 ms) are drawn together at the end of that frame. The nodes are drawn once per size
// and layout into a layer of their own, so a repaint draws only the edges under that layer.
#pragma once

#include <QElapsedTimer>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <vector>

class CMainDoc;

class CNetView : public QWidget {
    Q_OBJECT
public:
    explicit CNetView(CMainDoc& doc, QWidget* parent = nullptr);

    // The drawing of the whole view as it is painted on the screen (for tests and screenshots).
    QImage Render(QSize size, qreal devicePixelRatio = 1.0);
    // 0-based node k's position in the off-screen surface, and the surface's place in the view
    // (after a render).
    QPoint NodePos(int k) const;
    QPoint Origin() const { return m_origin; }
    // Half the side of the ring's square (the shorter half side of the view).
    int Half() const { return m_nHalf; }
    // The last render placed the nodes at the instance's coordinates (else on the ring).
    bool AtCoordinates() const { return m_bAtCoordinates; }
    // How many nodes carry their number in the last render.
    int NumberedNodes() const { return m_nNumbered; }
    // Their ellipses, which never overlap.
    const std::vector<QRect>& NumberedRects() const { return m_numberRects; }
    // How many weight labels the last render drew.
    int WeightLabels() const { return m_nWeightLabels; }

    // The surface as it was last drawn (what the screen shows of it).
    const QImage& LastPicture() const { return m_surface; }

    // The banner line written at the bottom of the view.
    static QString Banner();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Places the nodes for a view of this size: at the instance's coordinates when the document's
    // layout places its nodes, else on the ring. Sets the surface's size and place.
    void PlaceNodes(QSize size, int nodes);
    void PlaceOnRing(int nodes);
    void PlaceAtCoordinates(QSize size, int nodes);
    // Draws the network into the surface.
    void DrawSurface(QPainter& painter, qreal dpr);
    // The nodes over transparency, remade when the surface, its density or the places change.
    const QImage& NodeLayer(qreal dpr);
    void DrawWeights(QPainter& painter);
    // Paints the whole view: the surface drawn anew, the background around it, the banner.
    void PaintView(QPainter& painter, QSize size, qreal dpr);
    // Paints the surface as it was last drawn, the background around it and the banner.
    void PaintSurface(QPainter& painter, QSize size);

    CMainDoc& m_doc;
    QFont m_font;
    short m_nHalf = 0;
    short m_nRadius = 0;
    QPoint m_origin;
    QSize m_surfaceSize;
    std::vector<QPoint> m_points;  // node k (0-based) in the surface
    bool m_bAtCoordinates = false;
    QImage m_surface;
    // The node layer and what it was drawn for.
    QImage m_nodeLayer;
    std::vector<QPoint> m_layerPoints;
    std::vector<QRect> m_numberRects;  // the numbered nodes' ellipses, which weight labels avoid
    std::vector<QRect> m_layerParts;   // where the layer has nodes
    int m_nNumbered = 0;
    int m_nWeightLabels = 0;
    // The last picture drawn during a run, and the end of its frame (the screen's refresh).
    static constexpr qint64 kFrameMs = 16;
    QElapsedTimer m_lastRender;
    QSize m_renderedSize;
    QTimer m_frameTimer;
};
