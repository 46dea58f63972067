#include "shell/DrawingView.h"

#include "core/GlobalSettings.h"
#include "engine/TurtleScreen.h"
#include "shell/DrawingWindow.h"
#include "shell/DrawingZoom.h"
#include "shell/MainActions.h"

#include <QAction>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>

namespace mivarelo {

namespace {

// View pixels from the edge at which a watched run's turtle is followed.
constexpr int FollowMargin = 30;
// Keep Drawing in View is an application setting, on until the user turns
// it off.
const char* const KeepInViewKey = "KeepDrawingInView";

} // namespace

DrawingView::DrawingView(QScrollArea* area, DrawingWindow* drawing, const TurtleScreen& screen,
                         QObject* parent)
    : QObject(parent), zoom_(new DrawingZoom(area, drawing, this)), area_(area), drawing_(drawing),
      screen_(screen) {}

void DrawingView::ConnectActions(const MainActions& a) {
    connect(a.ZoomFitAction, &QAction::triggered, zoom_, &DrawingZoom::Fit);
    connect(a.Zoom50Action, &QAction::triggered, zoom_, [this] { zoom_->Set(0.5); });
    connect(a.Zoom100Action, &QAction::triggered, zoom_, [this] { zoom_->Set(1.0); });
    connect(a.Zoom200Action, &QAction::triggered, zoom_, [this] { zoom_->Set(2.0); });
    connect(a.ZoomInAction, &QAction::triggered, zoom_, [this] { zoom_->StepAtCentre(1); });
    connect(a.ZoomOutAction, &QAction::triggered, zoom_, [this] { zoom_->StepAtCentre(-1); });
    // Scroll bar actions and the wheel come from the user only.
    const auto userMoved = [this] { userMoved_ = Globals().Running || Globals().RunActive; };
    for (QAction* action : {a.ZoomFitAction, a.Zoom50Action, a.Zoom100Action, a.Zoom200Action,
                            a.ZoomInAction, a.ZoomOutAction})
        connect(action, &QAction::triggered, this, userMoved);
    connect(drawing_, &DrawingWindow::WheelZoom, this, userMoved);
    connect(area_->horizontalScrollBar(), &QScrollBar::actionTriggered, this, userMoved);
    connect(area_->verticalScrollBar(), &QScrollBar::actionTriggered, this, userMoved);
    keepInView_ = a.KeepInViewAction;
    keepInView_->setChecked(QSettings().value(KeepInViewKey, true).toBool());
    connect(keepInView_, &QAction::toggled, this,
            [](bool on) { QSettings().setValue(KeepInViewKey, on); });
}

double DrawingView::Factor() const {
    return drawing_->Zoom();
}

QRect DrawingView::VisiblePicture() const {
    return zoom_->VisiblePicture();
}

bool DrawingView::KeepDrawingInView() {
    placed_ = true;
    const QRect turtle(screen_.State().Position(), QSize(1, 1));
    const QRect box = DrawingZoom::PaintedBox(screen_);
    return zoom_->KeepInView(DrawingZoom::WithMargin(box.isNull() ? turtle : box.united(turtle)));
}

void DrawingView::CentreOnTurtle() {
    placed_ = true;
    zoom_->CentreOn(screen_.State().Position());
}

// At full speed the view holds still during the run; watching a run, or in
// graphical mode, it goes after the turtle when the turtle leaves it.
void DrawingView::FollowDuringRun(bool watched) {
    if (userMoved_ || !keepInView_->isChecked() || !watched) return;
    zoom_->Follow(screen_.State().Position(), FollowMargin);
}

void DrawingView::TraceTurtle() {
    const QSize view = area_->viewport()->size();
    zoom_->PlaceAt(screen_.State().Position(), QPointF(view.width() - 100, view.height() - 100));
}

void DrawingView::RunEnded() {
    if (keepInView_->isChecked()) KeepDrawingInView();
    userMoved_ = false;
}

// At a zoom-out the picture's edge would keep home off-centre.
void DrawingView::Reset() {
    if (!placed_) return;
    zoom_->Set(1.0);
    CentreOnTurtle();
}

} // namespace mivarelo
