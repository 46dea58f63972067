#pragma once
// The drawing window: shows the engine's picture (the main window scrolls over
// it) with the turtle drawn on top, and lets the user pick a rectangle of the
// picture with the mouse. The turtle is never drawn into the picture itself.
// The picture is shown enlarged or reduced by the zoom factor; everything the
// window reports (mouse position, selection) is in picture pixels whatever
// the zoom.
#include "engine/LogoEngine.h"
#include "engine/TurtleOverlay.h"

#include <QPoint>
#include <QRegion>
#include <QWidget>

class QRubberBand;

namespace mivarelo {

class TurtleWalk;

class DrawingWindow : public QWidget {
    Q_OBJECT
public:
    explicit DrawingWindow(LogoEngine& engine, QWidget* parent = nullptr);

    // After commands ran. Does nothing while QuickCommands or RefreshSuspended
    // is on, unless `force`. Otherwise schedules a repaint of the picture's
    // changed area and of the old and new turtle area; `force` schedules the
    // whole window. Qt merges these requests into the next frame.
    void RefreshWindow(bool force);
    // The rectangle last chosen with the mouse; left = -1 when there is none.
    const SelectionRect& Selection() const;
    // While `walk` is active the window shows it instead of the finished line.
    void SetWalk(const TurtleWalk* walk) { walk_ = walk; }
    // Schedules a repaint of a rectangle given in picture coordinates.
    void UpdatePictureArea(const QRect& area) { update(WindowRect(area)); }

    // Shows the picture `factor` times its size (clamped to MinZoom..MaxZoom).
    void SetZoom(double factor);
    double Zoom() const { return zoom_; }
    static constexpr double MinZoom = 0.1;
    static constexpr double MaxZoom = 8.0;
    // Picture pixel under a window point, and the window point of a picture
    // pixel's top-left corner.
    QPoint ToPicture(QPointF windowPoint) const;
    QPoint ToWindow(QPoint picturePoint) const;

signals:
    // Every mouse move over the window, in picture coordinates.
    void MouseMoved(const QPoint& picturePosition);
    // A mouse drag ended and Selection holds its rectangle.
    void SelectionMade();
    // Ctrl and the mouse wheel: `steps` notches (positive away from the
    // user) at `windowPoint`.
    void WheelZoom(int steps, QPointF windowPoint);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // The window area that shows the picture rectangle `r`.
    QRect WindowRect(const QRect& r) const;

    LogoEngine& engine_;
    TurtleOverlay overlay_;
    const TurtleWalk* walk_ = nullptr;
    // Where a turtle was drawn since the last refresh; repainted at the next
    // one so that no old turtle stays on the screen.
    QRegion turtleShown_;
    QRubberBand* rubberBand_;
    bool dragging_ = false;
    QPoint dragStart_;
    double zoom_ = 1.0;
    int wheelRest_ = 0;
};

} // namespace mivarelo
