// The network drawing: the left-hand pane of the network, graph and check windows. The nodes sit on
// a ring, numbered and filled yellow over every line; the plain edges are black and the current
// cycle's edges red; with Show Weights (up to 30 nodes) each cycle edge carries its weight. Above
// 30 nodes only the cycle's edges are drawn. The picture is rendered off-screen and copied to the
// screen in one step; the form repaints it at once at every improvement during a run.
#pragma once

#include <QFont>
#include <QImage>
#include <QWidget>
#include <vector>

class CMainDoc;

class CNetView : public QWidget {
    Q_OBJECT
public:
    explicit CNetView(CMainDoc& doc, QWidget* parent = nullptr);

    // The drawing of the whole view as it is painted on the screen (for tests and screenshots).
    QImage Render(QSize size, qreal devicePixelRatio = 1.0);
    // The ring's node position of 0-based node k, in the off-screen square (after a render).
    QPoint NodePos(int k) const;
    int Half() const { return m_nHalf; }

    // The banner line written at the bottom of the view.
    static QString Banner();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void FillUnitVectors(int nodes);
    // Draws the network into a white square of side 2 * half.
    void DrawSquare(QPainter& painter);

    CMainDoc& m_doc;
    std::vector<double> m_aCos, m_aSin;  // unit vectors of the node positions
    short m_nHalf = 0;
    short m_nRadius = 0;
    QFont m_font;
};
