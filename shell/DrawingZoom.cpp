#include "shell/DrawingZoom.h"

#include "core/GlobalSettings.h"
#include "shell/TLogoEkranForm.h"

#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace mivarelo {

DrawingZoom::DrawingZoom(QScrollArea* area, TLogoEkranForm* drawing, QObject* parent)
    : QObject(parent), area_(area), drawing_(drawing) {
    connect(drawing_, &TLogoEkranForm::WheelZoom, this, &DrawingZoom::Step);
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
