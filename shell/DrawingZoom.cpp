#include "shell/DrawingZoom.h"

#include "core/GlobalSettings.h"
#include "shell/TLogoEkranForm.h"

#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace mivarelo {

DrawingZoom::DrawingZoom(QScrollArea* area, TLogoEkranForm* drawing, QObject* parent)
    : QObject(parent), area_(area), drawing_(drawing) {
    connect(drawing_, &TLogoEkranForm::WheelZoom, this, &DrawingZoom::Step);
    area_->viewport()->installEventFilter(this);
}

// Half of the change in size goes to each side, so the centre stays.
bool DrawingZoom::eventFilter(QObject* watched, QEvent* event) {
    if (watched == area_->viewport() && event->type() == QEvent::Resize) {
        const auto* resize = static_cast<QResizeEvent*>(event);
        if (resize->oldSize().isValid()) {
            const QSize grown = resize->size() - resize->oldSize();
            QScrollBar* h = area_->horizontalScrollBar();
            QScrollBar* v = area_->verticalScrollBar();
            h->setValue(h->value() - grown.width() / 2);
            v->setValue(v->value() - grown.height() / 2);
        }
    }
    return QObject::eventFilter(watched, event);
}

QRect DrawingZoom::VisiblePicture() const {
    const QRect shown =
        QRect(-drawing_->pos(), area_->viewport()->size()) & drawing_->rect();
    if (shown.isEmpty()) return QRect();
    const QRect picture(0, 0, Globals().ScreenWidth, Globals().ScreenHeight);
    const QPoint topLeft = drawing_->ToPicture(QPointF(shown.topLeft()));
    const QPoint bottomRight = drawing_->ToPicture(QPointF(shown.bottomRight()));
    return QRect(topLeft, bottomRight) & picture;
}

void DrawingZoom::CentreOn(QPoint point) {
    CentreOn(QPointF(point) + QPointF(0.5, 0.5));
}

void DrawingZoom::CentreOn(QPointF point) {
    const double zoom = drawing_->Zoom();
    const QSize view = area_->viewport()->size();
    area_->horizontalScrollBar()->setValue(
        static_cast<int>(std::lround(point.x() * zoom - view.width() / 2.0)));
    area_->verticalScrollBar()->setValue(
        static_cast<int>(std::lround(point.y() * zoom - view.height() / 2.0)));
}

bool DrawingZoom::KeepInView(const QRect& area) {
    if (area.isEmpty() || VisiblePicture().contains(area)) return false;
    // Two view pixels spare absorb the rounding of the picture's edges.
    const QSize view = area_->viewport()->size() - QSize(2, 2);
    const double fit = std::min(static_cast<double>(view.width()) / area.width(),
                                static_cast<double>(view.height()) / area.height());
    if (fit < drawing_->Zoom()) drawing_->SetZoom(std::min(fit, 1.0));
    CentreOn(QRectF(area).center());
    return true;
}

bool DrawingZoom::Follow(QPoint point, int margin) {
    const QPoint at = drawing_->ToWindow(point) + drawing_->pos();
    if (area_->viewport()->rect().adjusted(margin, margin, -margin, -margin).contains(at))
        return false;
    CentreOn(point);
    return true;
}

void DrawingZoom::Fit() {
    const QSize view = area_->maximumViewportSize();
    const double factor = std::min(static_cast<double>(view.width()) / Globals().ScreenWidth,
                                   static_cast<double>(view.height()) / Globals().ScreenHeight);
    SetAround(factor, ViewCentre());
}

void DrawingZoom::Set(double factor) {
    SetAround(factor, ViewCentre());
}

void DrawingZoom::Step(int steps, QPointF windowPoint) {
    SetAround(drawing_->Zoom() * std::pow(StepFactor, steps), windowPoint);
}

void DrawingZoom::StepAtCentre(int steps) {
    Step(steps, ViewCentre());
}

QPointF DrawingZoom::ViewCentre() const {
    return QPointF(area_->viewport()->rect().center() - drawing_->pos());
}

// The window point moves with the picture; the scroll bars then bring it back
// to the place in the view where it was.
void DrawingZoom::SetAround(double factor, QPointF windowPoint) {
    const double before = drawing_->Zoom();
    const QPointF inView = windowPoint + drawing_->pos();
    drawing_->SetZoom(factor);
    const QPointF moved = windowPoint * (drawing_->Zoom() / before);
    area_->horizontalScrollBar()->setValue(static_cast<int>(std::lround(moved.x() - inView.x())));
    area_->verticalScrollBar()->setValue(static_cast<int>(std::lround(moved.y() - inView.y())));
}

} // namespace mivarelo
