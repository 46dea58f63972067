#pragma once
// The zoom of the drawing window inside the main window's scroll area: fixed
// factors, fitting the whole picture into the view, and stepping in or out
// around a point that stays where it is on the screen (the view's centre for
// the menu, the mouse for Ctrl and the wheel); bringing a part of the
// picture into view. The picture point at the view's centre stays there
// when the view changes its size (a dock resized, the window maximized).
// The drawing window lies on a canvas that the scroll area shows.
#include <QObject>
#include <QPointF>
#include <QRect>
#include <QSize>

class QScrollArea;
class QWidget;

namespace mivarelo {

class DrawingWindow;
class TurtleScreen;

class DrawingZoom : public QObject {
    Q_OBJECT
public:
    // Each step in or out multiplies or divides the factor by this.
    static constexpr double StepFactor = 1.25;

    // The margin kept around a drawing brought into view or exported.
    static constexpr int DrawingMargin = 20;

    DrawingZoom(QScrollArea* area, DrawingWindow* drawing, QObject* parent = nullptr);

    // The pixels that differ from the screen colour; null when there are none.
    static QRect PaintedBox(const TurtleScreen& screen);
    // `box` with the margin kept around a drawing, within the picture.
    static QRect WithMargin(const QRect& box);

    // The factor at which the whole picture fits into the view, centred.
    void Fit();
    // A fixed factor, keeping the picture point at the view's centre.
    void Set(double factor);
    // `steps` steps in (positive) or out, keeping the picture point under
    // `windowPoint` (a point of the drawing window) where it is.
    void Step(int steps, QPointF windowPoint);
    // One step in or out around the view's centre.
    void StepAtCentre(int steps);

    // The part of the picture the view shows, in picture pixels.
    QRect VisiblePicture() const;
    // Scrolls picture pixel `point` to `viewPoint` of the view.
    void PlaceAt(QPoint point, QPointF viewPoint);
    // Scrolls picture pixel `point` to the middle of the view.
    void CentreOn(QPoint point);
    // The same for a point in picture coordinates.
    void CentreOn(QPointF point);
    // When `area` (picture pixels) is not all in view: zooms out as far as
    // it needs to fit, never in, and to at most 100 % once it must zoom,
    // then centres it. True when the view changed.
    bool KeepInView(const QRect& area);
    // Centres on `point` when it lies outside the view or within `margin`
    // view pixels of its edge. True when the view changed.
    bool Follow(QPoint point, int margin);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LayOutCanvas();
    void ScrollTo(QPointF windowPoint, QPointF viewPoint);
    QPointF ViewCentre() const;
    void SetAround(double factor, QPointF windowPoint);

    QScrollArea* area_;
    DrawingWindow* drawing_;
    // Holds the drawing window with a margin of half the view around it.
    QWidget* canvas_;
};

} // namespace mivarelo
