#pragma once
// Keeps the drawing in view: the zoom entries of the Options menu, the Keep
// Drawing in View setting, the view brought over the drawing when a run
// ends, the turtle followed during a watched run or in graphical mode, and
// the user's own scrolling or zooming, which holds the view still until the
// run ends.
#include <QObject>
#include <QPoint>
#include <QRect>

class QAction;
class QScrollArea;

namespace mivarelo {

class DrawingWindow;
class DrawingZoom;
class MainActions;
class TurtleScreen;

class DrawingView : public QObject {
    Q_OBJECT
public:
    DrawingView(QScrollArea* area, DrawingWindow* drawing, const TurtleScreen& screen,
                QObject* parent);

    void ConnectActions(const MainActions& actions);
    DrawingZoom& Zoom() { return *zoom_; }
    // The zoom factor of the drawing window.
    double Factor() const;
    // The part of the picture the view shows, in picture pixels.
    QRect VisiblePicture() const;

    // The drawn part of the picture and the turtle, brought into view when
    // they are not all in it; true when the view moved.
    bool KeepDrawingInView();
    // The turtle in the middle of the view.
    void CentreOnTurtle();
    // Whether a run or a call above has placed the view yet.
    bool Placed() const { return placed_; }
    // While a run goes on: after the turtle when it leaves the view
    // (`watched`: the run is watched, or it is a line of graphical mode).
    void FollowDuringRun(bool watched);
    // Trace Mouse: the turtle near the view's lower right corner.
    void TraceTurtle();
    // A run has ended: the drawing is brought into view (with Keep Drawing
    // in View), and the user's moves no longer hold the view.
    void RunEnded();
    // Reset: 100 % around the turtle, once the view has been placed.
    void Reset();

private:
    DrawingZoom* zoom_;
    QScrollArea* area_;
    DrawingWindow* drawing_;
    const TurtleScreen& screen_;
    QAction* keepInView_ = nullptr;
    // The user scrolled or zoomed during the run.
    bool userMoved_ = false;
    bool placed_ = false;
};

} // namespace mivarelo
