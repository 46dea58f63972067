#include "shell/RunWatcher.h"

#include "core/GlobalSettings.h"
#include "core/LanguageIds.h"
#include "engine/Interpreter.h"
#include "modes/TextCommandWindow.h"
#include "shell/DrawingWindow.h"
#include "shell/MainActions.h"
#include "shell/MainWindow.h"
#include "shell/TurtleWalk.h"
#include "shell/VariableInspector.h"
#include "widgets/QtText.h"
#include "widgets/SvgIconEngine.h"

#include <QAction>
#include <QSettings>
#include <QToolBar>

#include <algorithm>

namespace mivarelo {

namespace {

// The inspector follows a run at frame rate.
constexpr int InspectorRefreshMs = 33;
const QString SpeedKey = QStringLiteral("RunSpeed");
// How fast the turtle walks at the speeds that show its walk.
constexpr double NormalWalk = 400.0;
constexpr double SlowWalk = 150.0;

QIcon ToolIcon(const char* name) {
    return QIcon(new SvgIconEngine(QStringLiteral(":/toolbar/%1.svg").arg(QLatin1String(name))));
}

} // namespace

RunWatcher::RunWatcher(MainWindow& window, RunDriver& driver)
    : QObject(&window), window_(window), driver_(driver) {
    inspector_ = new VariableInspector(&window_);
    // Below the picture the dock has the window's width for long headers
    // and values; beside it, the status bar's panels would squeeze it.
    window_.addDockWidget(Qt::BottomDockWidgetArea, inspector_);
    inspector_->hide();
    walk_ = new TurtleWalk(*window_.Drawing(), this);
    window_.Drawing()->SetWalk(walk_);
    BuildToolBar();
    ConnectActions();
    const int saved = QSettings().value(SpeedKey, 0).toInt();
    SetSpeed(static_cast<RunSpeed>(std::clamp(saved, 0, 4)));
}

RunWatcher::~RunWatcher() {
    window_.Drawing()->SetWalk(nullptr);
}

void RunWatcher::BuildToolBar() {
    MainActions& a = window_.Actions();
    a.RunProcedureAction->setIcon(ToolIcon("run"));
    a.StopAction->setIcon(ToolIcon("stop"));
    a.PauseAction->setIcon(ToolIcon("pause"));
    a.StepAction->setIcon(ToolIcon("step"));
    toolBar_ = window_.addToolBar(QString());
    toolBar_->setObjectName(QStringLiteral("RunToolBar"));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolBar_->addActions({a.RunProcedureAction, a.StopAction, a.PauseAction, a.StepAction});
}

void RunWatcher::ConnectActions() {
    MainActions& a = window_.Actions();
    for (RunSpeed speed :
         {RunSpeed::Full, RunSpeed::Fast, RunSpeed::Normal, RunSpeed::Slow, RunSpeed::StepByStep})
        connect(SpeedAction(speed), &QAction::triggered, this, [this, speed] { SetSpeed(speed); });
    connect(a.PauseAction, &QAction::triggered, this, &RunWatcher::PauseExecute);
    connect(a.StepAction, &QAction::triggered, this, &RunWatcher::StepExecute);
    connect(a.InspectorAction, &QAction::toggled, inspector_, &QWidget::setVisible);
    // The dock's own close button unticks the action.
    connect(inspector_, &QDockWidget::visibilityChanged, this, [this] {
        const bool shown = !inspector_->isHidden();
        window_.Actions().InspectorAction->setChecked(shown);
        if (shown) RefreshInspector();
    });
    connect(&driver_, &RunDriver::LineReady, this, &RunWatcher::MarkRunningLine);
    connect(&driver_, &RunDriver::SliceDone, this, &RunWatcher::SliceDone);
    connect(&driver_, &RunDriver::PausedChanged, this, [this](bool paused) {
        window_.Actions().PauseAction->setChecked(paused);
        emit WatchingChanged();
    });
    connect(&driver_, &RunDriver::LineAboutToRun, this, &RunWatcher::BeginWalk);
    connect(&driver_, &RunDriver::LineRan, this, &RunWatcher::StartWalk);
    connect(a.StopAction, &QAction::triggered, walk_, &TurtleWalk::Finish);
    connect(a.RunProcedureAction, &QAction::triggered, walk_, &TurtleWalk::Finish);
    connect(a.ResetAction, &QAction::triggered, walk_, &TurtleWalk::Finish);
    connect(&window_, &MainWindow::RunEnded, this, &RunWatcher::RunEnded);
}

QAction* RunWatcher::SpeedAction(RunSpeed speed) const {
    MainActions& a = window_.Actions();
    switch (speed) {
    case RunSpeed::Fast: return a.FastSpeedAction;
    case RunSpeed::Normal: return a.NormalSpeedAction;
    case RunSpeed::Slow: return a.SlowSpeedAction;
    case RunSpeed::StepByStep: return a.StepSpeedAction;
    case RunSpeed::Full: break;
    }
    return a.FullSpeedAction;
}

bool RunWatcher::Watching() const {
    return driver_.Speed() != RunSpeed::Full || driver_.Paused();
}

// Step by Step chosen during a run holds it at once.
void RunWatcher::SetSpeed(RunSpeed speed) {
    driver_.SetSpeed(speed);
    SpeedAction(speed)->setChecked(true);
    QSettings().setValue(SpeedKey, static_cast<int>(speed));
    if (speed == RunSpeed::StepByStep) driver_.Pause();
    emit WatchingChanged();
}

void RunWatcher::ApplyLanguage() {
    toolBar_->setWindowTitle(LanguageText(RunToolBarId));
    inspector_->ApplyLanguage();
    RefreshInspector();
}

void RunWatcher::PauseExecute() {
    if (driver_.Paused())
        driver_.Continue();
    else
        driver_.Pause();
    window_.Actions().PauseAction->setChecked(driver_.Paused());
}

// At rest, Step starts the program in the editor and holds it before its
// first line.
void RunWatcher::StepExecute() {
    if (window_.Engine().Runner().Busy()) {
        driver_.StepOnce();
        return;
    }
    if (!window_.TextWindow() || !window_.Actions().RunProcedureAction->isEnabled()) return;
    window_.Run();
    driver_.Pause();
}

// The editor shows the procedure the line belongs to, with the line and
// the running command marked.
void RunWatcher::MarkRunningLine() {
    RefreshInspector();
    TextCommandWindow* text = window_.TextWindow();
    if (!text || !Watching()) return;
    const GlobalSettings& g = Globals();
    // A line typed into the console or run from the help lies in no body.
    if (g.RunningProcedure < 0) {
        ClearMarks();
        return;
    }
    if (shownBefore_ < 0) shownBefore_ = std::max(0, g.CurrentProcedure);
    if (g.RunningProcedure != g.CurrentProcedure) window_.ShowProcedure(g.RunningProcedure);
    const LogoThread* thread = window_.Engine().Runner().ShownThread();
    const std::string_view listLine = thread && !thread->OwnLines()
                                          ? std::string_view(thread->CurrentLine())
                                          : std::string_view();
    if (!text->MarkRunningLine(g.CurrentLineNumber, listLine)) {
        ClearMarks();
        return;
    }
    markedLine_ = g.CurrentLineNumber;
}

void RunWatcher::ClearMarks() {
    markedLine_ = 0;
    if (TextCommandWindow* text = window_.TextWindow()) text->ClearMarks();
}

// Below Fast the turtle walks each line's moves; Step by Step at Normal's pace.
void RunWatcher::BeginWalk() {
    walking_ = driver_.Speed() >= RunSpeed::Normal;
    if (!walking_) return;
    const TurtleScreen& screen = window_.Engine().Screen();
    walk_->Begin(screen.Surface().Image(), screen.State());
}

void RunWatcher::StartWalk() {
    if (!walking_) return;
    walking_ = false;
    const TurtleScreen& screen = window_.Engine().Screen();
    const double speed = driver_.Speed() == RunSpeed::Slow ? SlowWalk : NormalWalk;
    driver_.HoldFor(
        walk_->Walk(screen.Surface().Image(), screen.Surface().DirtyRect(), screen.State(), speed));
}

// The walk of the last line goes on after the run; Stop or the next Run end it.
void RunWatcher::RunEnded() {
    ClearMarks();
    if (shownBefore_ >= 0 && shownBefore_ != Globals().CurrentProcedure)
        window_.ShowProcedure(shownBefore_);
    shownBefore_ = -1;
    window_.Actions().PauseAction->setChecked(false);
    RefreshInspector();
}

void RunWatcher::SliceDone() {
    if (inspectorClock_.isValid() && inspectorClock_.elapsed() < InspectorRefreshMs) return;
    RefreshInspector();
}

void RunWatcher::RefreshInspector() {
    inspectorClock_.restart();
    inspector_->Refresh(window_.Engine().Runner(), window_.Engine().Procedures());
}

} // namespace mivarelo
