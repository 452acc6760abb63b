// CMapPane: the map of the map window. The outline picture of the states (drawn once into a pixmap
// at the picture size in use), the capitals, and over them the current route in red, from the
// first position around and back; with Show Distances on, the distance of every leg in a white
// label at its midpoint.
#pragma once

#include <QPixmap>
#include <QWidget>

class CCycleSolver;
class CMapOutline;

class CMapPane : public QWidget {
    Q_OBJECT
public:
    explicit CMapPane(QWidget* parent = nullptr);

    // The solver whose route is drawn.
    void Attach(CCycleSolver* solver) { m_pSolver = solver; }
    // The picture of the frame size: the large one (536 x 335) when maximizeChildren is 2, else the
    // small one (428 x 256); the capital positions are scaled to match.
    void LoadPicture(int maximizeChildren);
    double Scale() const { return m_dScale; }
    QSize sizeHint() const override { return m_picture.size() / m_picture.devicePixelRatio(); }

    // The outline map resource, read once (empty outline when the resource is missing).
    static const CMapOutline& Outline();

    int m_bShowDistances = 0;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CCycleSolver* m_pSolver = nullptr;
    double m_dScale = 1.0;
    QPixmap m_picture;
};
