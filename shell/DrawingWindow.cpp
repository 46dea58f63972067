#include "shell/DrawingWindow.h"

#include "core/GlobalSettings.h"
#include "shell/TurtleWalk.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRect>
#include <QRubberBand>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace mivarelo {

DrawingWindow::DrawingWindow(LogoEngine& engine, QWidget* parent)
    : QWidget(parent), engine_(engine), rubberBand_(new QRubberBand(QRubberBand::Rectangle, this)) {
    setFixedSize(Globals().ScreenWidth, Globals().ScreenHeight);
    // Every paint copies the picture over the whole painted area, so the
    // background is never erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void DrawingWindow::RefreshWindow(bool force) {
    if (!force && (Globals().QuickCommands || Globals().RefreshSuspended)) return;
    const TurtleState& state = engine_.Screen().State();
    const QRect changed = engine_.Screen().Surface().TakeDirtyRect();
    overlay_.Update(state);
    const QRect turtle = WindowRect(overlay_.Bounds(state));
    if (force) {
        update();
    } else {
        update(turtleShown_.united(WindowRect(changed)).united(turtle));
    }
    turtleShown_ = QRegion(turtle);
}

const SelectionRect& DrawingWindow::Selection() const {
    return engine_.Screen().Selection();
}

void DrawingWindow::SetZoom(double factor) {
    zoom_ = std::clamp(factor, MinZoom, MaxZoom);
    setFixedSize(static_cast<int>(std::ceil(Globals().ScreenWidth * zoom_)),
                 static_cast<int>(std::ceil(Globals().ScreenHeight * zoom_)));
    turtleShown_ = QRegion();
    update();
}

QPoint DrawingWindow::ToPicture(QPointF windowPoint) const {
    return QPoint(static_cast<int>(std::floor(windowPoint.x() / zoom_)),
                  static_cast<int>(std::floor(windowPoint.y() / zoom_)));
}

QPoint DrawingWindow::ToWindow(QPoint picturePoint) const {
    return QPoint(static_cast<int>(std::floor(picturePoint.x() * zoom_)),
                  static_cast<int>(std::floor(picturePoint.y() * zoom_)));
}

// One pixel more on every side: smoothing at a reduced size reaches into
// the neighbouring window pixels.
QRect DrawingWindow::WindowRect(const QRect& r) const {
    if (r.isEmpty()) return QRect();
    if (zoom_ == 1.0) return r;
    const QRectF scaled(r.x() * zoom_, r.y() * zoom_, r.width() * zoom_, r.height() * zoom_);
    return scaled.toAlignedRect().adjusted(-1, -1, 1, 1);
}

// The painter works in picture pixels: the exposed window area is turned into
// the picture rectangle behind it, and the turtle is drawn at its own size
// times the zoom.
void DrawingWindow::paintEvent(QPaintEvent* event) {
    const QRect area = event->rect();
    const bool walking = walk_ && walk_->Active();
    const TurtleState& state = walking ? walk_->Turtle() : engine_.Screen().State();
    const QImage& picture = engine_.Screen().Surface().Image();
    QPainter painter(this);
    if (zoom_ == 1.0) {
        painter.drawImage(area.topLeft(), picture, area);
        if (walking) walk_->Paint(painter, area);
    } else {
        painter.fillRect(area, palette().dark());
        const QRect source =
            QRectF(area.x() / zoom_, area.y() / zoom_, area.width() / zoom_, area.height() / zoom_)
                .toAlignedRect()
                .intersected(picture.rect());
        painter.setRenderHint(QPainter::SmoothPixmapTransform, zoom_ < 1.0);
        painter.scale(zoom_, zoom_);
        painter.drawImage(source, picture, source);
        if (walking) walk_->Paint(painter, source);
    }
    overlay_.Draw(painter, state);
    const QRect turtle = WindowRect(overlay_.Bounds(state));
    if (turtle.intersects(area)) turtleShown_ += turtle;
}

void DrawingWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragging_ = true;
    dragStart_ = ToPicture(event->position());
    rubberBand_->setGeometry(QRect(event->position().toPoint(), QSize()));
    rubberBand_->show();
}

void DrawingWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = ToPicture(event->position());
    emit MouseMoved(at);
    if (dragging_)
        rubberBand_->setGeometry(
            QRect(ToWindow(dragStart_), event->position().toPoint()).normalized());
}

void DrawingWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_ || event->button() != Qt::LeftButton) return;
    const QPoint end = ToPicture(event->position());
    dragging_ = false;
    rubberBand_->hide();
    engine_.Screen().Selection() = SelectionRect{dragStart_.x(), dragStart_.y(), end.x(), end.y()};
    emit SelectionMade();
}

// A wheel notch is 120 units; touch pads send less at a time, which adds up.
void DrawingWindow::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    wheelRest_ += event->angleDelta().y();
    const int steps = wheelRest_ / 120;
    wheelRest_ %= 120;
    if (steps != 0) emit WheelZoom(steps, event->position());
    event->accept();
}

} // namespace mivarelo
