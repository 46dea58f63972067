#include "shell/CommandDocks.h"

#include "core/GlobalSettings.h"
#include "modes/CommandWindow.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QScrollArea>
#include <QSettings>

namespace mivarelo {

namespace {

const char* const GeometryKey = "Window/Geometry";
const char* const DockStateKey = "Window/Docks";

} // namespace

// The right-hand dock reaches down to the window's bottom.
CommandDocks::CommandDocks(QMainWindow* window)
    : QObject(window), window_(window), textDock_(NewDock("CommandDock", Qt::BottomDockWidgetArea)),
      graphicalDock_(NewDock("GraphicalDock", Qt::RightDockWidgetArea)) {
    window->setCorner(Qt::BottomRightCorner, Qt::RightDockWidgetArea);
}

QDockWidget* CommandDocks::NewDock(const char* name, int area) {
    auto* dock = new QDockWidget(window_);
    dock->setObjectName(QLatin1String(name));
    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    window_->addDockWidget(static_cast<Qt::DockWidgetArea>(area), dock);
    dock->hide();
    return dock;
}

QDockWidget* CommandDocks::Current() const {
    return Globals().CommandMode == 1 ? graphicalDock_ : textDock_;
}

// The dock carries the panel's title in the interface language. The button
// panel scrolls when the window is lower than all its buttons.
void CommandDocks::Place(CommandWindow* form, bool graphical) {
    QDockWidget* dock = graphical ? graphicalDock_ : textDock_;
    if (QWidget* previous = dock->widget()) previous->deleteLater();
    if (graphical) {
        auto* scroll = new QScrollArea(dock);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scroll->setWidgetResizable(true);
        scroll->setWidget(form);
        scroll->setFocusPolicy(Qt::NoFocus);
        scroll->setFocusProxy(form);
        dock->setWidget(scroll);
    } else {
        dock->setWidget(form);
    }
    dock->setWindowTitle(form->windowTitle());
    connect(form, &QWidget::windowTitleChanged, dock, &QWidget::setWindowTitle);
}

void CommandDocks::ShowCurrent(bool shown) {
    (Current() == textDock_ ? graphicalDock_ : textDock_)->hide();
    Current()->setVisible(shown);
}

bool CommandDocks::Restore() {
    const QSettings settings;
    window_->restoreState(settings.value(DockStateKey).toByteArray());
    return window_->restoreGeometry(settings.value(GeometryKey).toByteArray());
}

void CommandDocks::Save() const {
    QSettings settings;
    settings.setValue(GeometryKey, window_->saveGeometry());
    settings.setValue(DockStateKey, window_->saveState());
}

} // namespace mivarelo
