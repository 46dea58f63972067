#include "shell/TLogoEkranForm.h"

#include "core/GlobalSettings.h"
#include "shell/TurtleWalk.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRect>
#include <QRubberBand>

namespace mivarelo {

TLogoEkranForm::TLogoEkranForm(LogoEngine& engine, QWidget* parent)
    : QWidget(parent), engine_(engine), rubberBand_(new QRubberBand(QRubberBand::Rectangle, this)) {
    setFixedSize(Globals().ScreenWidth, Globals().ScreenHeight);
    // Every paint copies the picture over the whole painted area, so the
    // background is never erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void TLogoEkranForm::RefreshWindow(bool force) {
    if (!force && (Globals().QuickCommands || Globals().RefreshSuspended)) return;
    const TurtleState& state = engine_.Screen().State();
    const QRect changed = engine_.Screen().Surface().TakeDirtyRect();
    overlay_.Update(state);
    const QRect turtle = overlay_.Bounds(state);
    if (force) {
        update();
    } else {
        update(turtleShown_.united(changed).united(turtle));
    }
    turtleShown_ = QRegion(turtle);
}

const SelectionRect& TLogoEkranForm::Selection() const {
    return engine_.Screen().Selection();
}

void TLogoEkranForm::paintEvent(QPaintEvent* event) {
    const QRect area = event->rect();
    const bool walking = walk_ && walk_->Active();
    const TurtleState& state = walking ? walk_->Turtle() : engine_.Screen().State();
    QPainter painter(this);
    painter.drawImage(area.topLeft(), engine_.Screen().Surface().Image(), area);
    if (walking) walk_->Paint(painter, area);
    overlay_.Draw(painter, state);
    const QRect turtle = overlay_.Bounds(state);
    if (turtle.intersects(area)) turtleShown_ += turtle;
}

void TLogoEkranForm::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragging_ = true;
    dragStart_ = event->position().toPoint();
    rubberBand_->setGeometry(QRect(dragStart_, QSize()));
    rubberBand_->show();
}

void TLogoEkranForm::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit MouseMoved(at);
    if (dragging_) rubberBand_->setGeometry(QRect(dragStart_, at).normalized());
}

void TLogoEkranForm::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_ || event->button() != Qt::LeftButton) return;
    const QPoint end = event->position().toPoint();
    dragging_ = false;
    rubberBand_->hide();
    engine_.Screen().Selection() = SelectionRect{dragStart_.x(), dragStart_.y(), end.x(), end.y()};
    emit SelectionMade();
}

} // namespace mivarelo
