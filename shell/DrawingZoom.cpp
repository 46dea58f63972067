#include "shell/DrawingZoom.h"

#include "core/GlobalSettings.h"
#include "engine/PaintedArea.h"
#include "engine/TurtleScreen.h"
#include "shell/DrawingWindow.h"

#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace mivarelo {

// The picture lies on a canvas with half a view of margin on every side, so
// that any picture point, the corners too, can stand in the middle of the
// view.
DrawingZoom::DrawingZoom(QScrollArea* area, DrawingWindow* drawing, QObject* parent)
    : QObject(parent), area_(area), drawing_(drawing), canvas_(new QWidget) {
    canvas_->setObjectName(QStringLiteral("Canvas"));
    canvas_->setBackgroundRole(QPalette::Dark);
    drawing_->setParent(canvas_);
    area_->setWidget(canvas_);
    connect(drawing_, &DrawingWindow::WheelZoom, this, &DrawingZoom::Step);
    area_->viewport()->installEventFilter(this);
    drawing_->installEventFilter(this);
    LayOutCanvas();
}

void DrawingZoom::LayOutCanvas() {
    const QSize margin = area_->viewport()->size() / 2;
    canvas_->resize(drawing_->size() + 2 * margin);
    drawing_->move(margin.width(), margin.height());
}

// A new view size keeps the picture point in the middle of the view; a new
// picture size (the zoom) only sizes the canvas again.
bool DrawingZoom::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Resize) return QObject::eventFilter(watched, event);
    if (watched == drawing_) {
        LayOutCanvas();
    } else if (watched == area_->viewport()) {
        const auto* resize = static_cast<QResizeEvent*>(event);
        const QSize old = resize->oldSize().isValid() ? resize->oldSize() : resize->size();
        const QPointF middle =
            drawing_->mapFrom(area_->viewport(), QPoint(old.width() / 2, old.height() / 2));
        LayOutCanvas();
        ScrollTo(middle, QPointF(resize->size().width() / 2.0, resize->size().height() / 2.0));
    }
    return QObject::eventFilter(watched, event);
}

// Drawing window point `windowPoint` goes to `viewPoint` of the view.
void DrawingZoom::ScrollTo(QPointF windowPoint, QPointF viewPoint) {
    const QPointF now = QPointF(drawing_->mapTo(area_->viewport(), QPoint(0, 0))) + windowPoint;
    const QPointF by = now - viewPoint;
    QScrollBar* h = area_->horizontalScrollBar();
    QScrollBar* v = area_->verticalScrollBar();
    h->setValue(h->value() + static_cast<int>(std::lround(by.x())));
    v->setValue(v->value() + static_cast<int>(std::lround(by.y())));
}

QRect DrawingZoom::VisiblePicture() const {
    const QRect shown =
        QRect(drawing_->mapFrom(area_->viewport(), QPoint(0, 0)), area_->viewport()->size()) &
        drawing_->rect();
    if (shown.isEmpty()) return QRect();
    const QRect picture(0, 0, Globals().ScreenWidth, Globals().ScreenHeight);
    // A window pixel shows every picture pixel it covers, at least in part.
    const QPoint topLeft = drawing_->ToPicture(QPointF(shown.topLeft()));
    const QPointF end(shown.x() + shown.width(), shown.y() + shown.height());
    const QPoint last(static_cast<int>(std::ceil(end.x() / drawing_->Zoom())) - 1,
                      static_cast<int>(std::ceil(end.y() / drawing_->Zoom())) - 1);
    return QRect(topLeft, last) & picture;
}

void DrawingZoom::PlaceAt(QPoint point, QPointF viewPoint) {
    ScrollTo(QPointF(drawing_->ToWindow(point)), viewPoint);
}

void DrawingZoom::CentreOn(QPoint point) {
    CentreOn(QPointF(point) + QPointF(0.5, 0.5));
}

void DrawingZoom::CentreOn(QPointF point) {
    ScrollTo(point * drawing_->Zoom(), QRectF(area_->viewport()->rect()).center());
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
    const QPoint at = drawing_->mapTo(area_->viewport(), drawing_->ToWindow(point));
    if (area_->viewport()->rect().adjusted(margin, margin, -margin, -margin).contains(at))
        return false;
    CentreOn(point);
    return true;
}

// The whole picture in the view, in its middle.
void DrawingZoom::Fit() {
    const QSize view = area_->viewport()->size();
    const double factor = std::min(static_cast<double>(view.width()) / Globals().ScreenWidth,
                                   static_cast<double>(view.height()) / Globals().ScreenHeight);
    drawing_->SetZoom(factor);
    CentreOn(QPointF(Globals().ScreenWidth / 2.0, Globals().ScreenHeight / 2.0));
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
    return QPointF(drawing_->mapFrom(area_->viewport(), area_->viewport()->rect().center()));
}

// The window point moves with the picture; the scroll bars then bring it back
// to the place in the view where it was.
void DrawingZoom::SetAround(double factor, QPointF windowPoint) {
    const double before = drawing_->Zoom();
    const QPointF inView = QPointF(drawing_->mapTo(area_->viewport(), QPoint(0, 0))) + windowPoint;
    drawing_->SetZoom(factor);
    ScrollTo(windowPoint * (drawing_->Zoom() / before), inView);
}

QRect DrawingZoom::PaintedBox(const TurtleScreen& screen) {
    return MeasurePaintedArea(screen.Surface().Image(), screen.State().ScreenColor).box;
}

QRect DrawingZoom::WithMargin(const QRect& box) {
    return box.adjusted(-DrawingMargin, -DrawingMargin, DrawingMargin, DrawingMargin) &
           QRect(0, 0, Globals().ScreenWidth, Globals().ScreenHeight);
}

} // namespace mivarelo
