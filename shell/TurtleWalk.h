#pragma once
// Shows the drawing of one line as a walk: the screen keeps the picture from
// before the line, and the line's new pixels appear along the turtle's path
// while the turtle moves along it, at a given number of pixels per second.
// The picture itself is complete at once; only what the drawing window shows
// lags behind it until the walk ends.
#include "engine/TurtleState.h"

#include <QImage>
#include <QObject>
#include <QRect>
#include <QTimer>

#include <chrono>
#include <functional>
#include <vector>

class QPainter;

namespace mivarelo {

class DrawingWindow;

class TurtleWalk : public QObject {
    Q_OBJECT
public:
    using Clock = std::function<std::chrono::milliseconds()>;

    // `view` is repainted as the walk goes on.
    TurtleWalk(DrawingWindow& view, QObject* parent);
    // The time source of the walk (tests pass a fake one).
    void SetClock(Clock clock) { now_ = std::move(clock); }

    // Before the line runs: the picture and the turtle as they are. The
    // picture is shared, not copied, until the line draws.
    void Begin(const QImage& picture, const TurtleState& turtle);
    // After the line ran: `changed` holds every pixel it drew. Starts the walk
    // from the turtle's old place to its new one and returns how long it
    // lasts; zero, and no walk, when the turtle did not move.
    std::chrono::milliseconds Walk(const QImage& picture, QRect changed, const TurtleState& turtle,
                                   double pixelsPerSecond);
    // The screen shows the finished picture now.
    void Finish();
    bool Active() const { return timer_.isActive(); }

    // Over the picture in `area` (picture coordinates): the changed part as
    // far as the walk got.
    void Paint(QPainter& painter, const QRect& area) const;
    // The turtle where the walk has got to.
    const TurtleState& Turtle() const { return turtle_; }

private:
    struct NewPixel {
        float along;
        QPoint at;
        QRgb colour;
    };

    void Tick();
    // Copies the new pixels up to `distance` along the path into the patch.
    QRect Reveal(float distance);
    QRect TurtleArea() const;

    DrawingWindow& view_;
    QTimer timer_;
    Clock now_;
    QImage before_;
    TurtleState start_;
    TurtleState end_;
    TurtleState turtle_;
    // The changed rectangle as the screen shows it, and its place.
    QImage patch_;
    QRect changed_;
    // The pixels the line changed, in the order the walk reaches them.
    std::vector<NewPixel> pixels_;
    std::size_t revealed_ = 0;
    std::chrono::milliseconds started_{0};
    std::chrono::milliseconds duration_{0};
    float length_ = 0;
};

} // namespace mivarelo
