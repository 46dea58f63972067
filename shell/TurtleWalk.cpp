#include "shell/TurtleWalk.h"

#include "shell/DrawingWindow.h"

#include <QElapsedTimer>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace mivarelo {

namespace {

using std::chrono::milliseconds;

constexpr int FrameMs = 16;
// Half the side of the square that the turtle picture can cover.
constexpr int TurtleReach = 64;

} // namespace

TurtleWalk::TurtleWalk(DrawingWindow& view, QObject* parent) : QObject(parent), view_(view) {
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    now_ = [clock] { return milliseconds(clock->elapsed()); };
    timer_.setInterval(FrameMs);
    connect(&timer_, &QTimer::timeout, this, &TurtleWalk::Tick);
}

void TurtleWalk::Begin(const QImage& picture, const TurtleState& turtle) {
    Finish();
    before_ = picture;
    start_ = turtle;
}

// Each changed pixel is reached when the walk passes its foot on the path.
milliseconds TurtleWalk::Walk(const QImage& picture, QRect changed, const TurtleState& turtle,
                              double pixelsPerSecond) {
    const QPointF path = QPointF(turtle.Position() - start_.Position());
    length_ = static_cast<float>(std::hypot(path.x(), path.y()));
    changed = changed.intersected(picture.rect()).intersected(before_.rect());
    if (length_ < 1 || changed.isEmpty() || pixelsPerSecond <= 0) {
        before_ = QImage();
        return milliseconds(0);
    }
    const QPointF step = path / length_;
    pixels_.clear();
    for (int y = changed.top(); y <= changed.bottom(); ++y) {
        const auto* now = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        const auto* was = reinterpret_cast<const QRgb*>(before_.constScanLine(y));
        for (int x = changed.left(); x <= changed.right(); ++x) {
            if (now[x] == was[x]) continue;
            const QPointF offset = QPointF(x, y) - QPointF(start_.Position());
            const auto along = static_cast<float>(offset.x() * step.x() + offset.y() * step.y());
            pixels_.push_back({std::clamp(along, 0.0f, length_), {x, y}, now[x]});
        }
    }
    std::ranges::sort(pixels_, {}, &NewPixel::along);
    patch_ = before_.copy(changed);
    before_ = QImage();
    changed_ = changed;
    revealed_ = 0;
    end_ = turtle;
    turtle_ = start_;
    turtle_.Heading = turtle.Heading;
    duration_ = milliseconds(static_cast<long>(1000.0 * length_ / pixelsPerSecond));
    started_ = now_();
    timer_.start();
    return duration_;
}

void TurtleWalk::Finish() {
    before_ = QImage();
    if (!timer_.isActive()) return;
    timer_.stop();
    view_.UpdatePictureArea(changed_.united(TurtleArea()));
    patch_ = QImage();
    pixels_.clear();
}

void TurtleWalk::Tick() {
    const milliseconds elapsed = now_() - started_;
    if (elapsed >= duration_) {
        Finish();
        return;
    }
    const float share = static_cast<float>(elapsed.count()) / static_cast<float>(duration_.count());
    QRect dirty = TurtleArea();
    turtle_.TurtleX = start_.TurtleX + static_cast<int>((end_.TurtleX - start_.TurtleX) * share);
    turtle_.TurtleY = start_.TurtleY + static_cast<int>((end_.TurtleY - start_.TurtleY) * share);
    dirty = dirty.united(TurtleArea()).united(Reveal(share * length_));
    view_.UpdatePictureArea(dirty);
}

QRect TurtleWalk::Reveal(float distance) {
    QRect revealed;
    for (; revealed_ < pixels_.size() && pixels_[revealed_].along <= distance; ++revealed_) {
        const NewPixel& pixel = pixels_[revealed_];
        const QPoint inPatch = pixel.at - changed_.topLeft();
        patch_.setPixel(inPatch, pixel.colour);
        revealed = revealed.united(QRect(pixel.at, QSize(1, 1)));
    }
    return revealed;
}

QRect TurtleWalk::TurtleArea() const {
    return QRect(turtle_.Position() - QPoint(TurtleReach, TurtleReach),
                 QSize(2 * TurtleReach, 2 * TurtleReach));
}

void TurtleWalk::Paint(QPainter& painter, const QRect& area) const {
    if (!Active()) return;
    const QRect part = area.intersected(changed_);
    if (!part.isEmpty())
        painter.drawImage(part.topLeft(), patch_, part.translated(-changed_.topLeft()));
}

} // namespace mivarelo
