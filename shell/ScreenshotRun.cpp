#include "shell/ScreenshotRun.h"

#include "core/GlobalSettings.h"
#include "core/ProcedureStore.h"
#include "core/ProgramIO.h"
#include "modes/ButtonCommandWindow.h"
#include "modes/GraphicalCommands.h"
#include "shell/DrawingView.h"
#include "shell/DrawingWindow.h"
#include "shell/ErrorNavigator.h"
#include "shell/MainActions.h"
#include "shell/MainWindow.h"
#include "shell/ProgramDocument.h"
#include "shell/RunDriver.h"
#include "shell/RunWatcher.h"
#include "shell/UnattendedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace mivarelo {

namespace {

// A program that does not end by itself is stopped after this long.
constexpr int RunLimitMs = 120'000;
// Time for the focus timer and the last frames after the run.
constexpr int SettleMs = 150;
// The period of the timer that tells whether the window answers.
constexpr int TickMs = 20;

void Pause(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

ScreenshotRun::ScreenshotRun(MainWindow& window, Options options, const QElapsedTimer& clock)
    : window_(window), options_(std::move(options)), clock_(clock) {
    window_.Drawing()->installEventFilter(this);
    ticker_.setInterval(TickMs);
    QObject::connect(&ticker_, &QTimer::timeout, &ticker_, [this] {
        const qint64 now = clock_.elapsed();
        longestTickGapMs_ = std::max(longestTickGapMs_, now - lastTickMs_);
        lastTickMs_ = now;
    });
}

// Nobody answers a question here: the unattended dialogs stand in for the
// whole run.
int ScreenshotRun::Exec() {
    UnattendedDialogs unattended;
    Dialogs* previous = SetDialogs(&unattended);
    const int status = ShowRunAndShoot();
    SetDialogs(previous);
    return status;
}

int ScreenshotRun::ShowRunAndShoot() {
    window_.showMaximized();
    if (options_.steps > 0) return StepAndShoot() ? Clean : Unreadable;
    if (options_.graphical) {
        if (!RecordInGraphicalMode()) {
            std::fprintf(stderr, "mivarelo: cannot read %s\n", qPrintable(options_.program));
            return Unreadable;
        }
    } else if (!options_.program.isEmpty()) {
        runStartMs_ = clock_.elapsed();
        lastTickMs_ = runStartMs_;
        ticker_.start();
        const bool opened =
            window_.Document().OpenPath(options_.program) && !window_.Document().LastOpenDamaged();
        openMs_ = clock_.elapsed() - runStartMs_;
        if (!opened) {
            std::fprintf(stderr, "mivarelo: cannot read %s\n", qPrintable(options_.program));
            return Unreadable;
        }
        WaitForRunEnd();
        runEndMs_ = clock_.elapsed();
        ticker_.stop();
    }
    Pause(SettleMs);
    window_.View().KeepDrawingInView();
    Pause(30);
    if (!SavePicture()) {
        std::fprintf(stderr, "mivarelo: cannot write %s\n", qPrintable(options_.target));
        return Unreadable;
    }
    if (options_.report) Report();
    return window_.Errors().Entries().isEmpty() ? Clean : WithErrors;
}

void ScreenshotRun::WaitForRunEnd() {
    if (!window_.Running()) return;
    QEventLoop loop;
    QObject::connect(&window_, &MainWindow::RunEnded, &loop, &QEventLoop::quit);
    const int stopAfter = options_.stopAfterMs > 0 ? options_.stopAfterMs : RunLimitMs;
    QTimer::singleShot(stopAfter, &window_, [this] {
        stopMs_ = clock_.elapsed();
        window_.StopRun();
    });
    loop.exec();
}

// The editor follows the run into the procedure it has reached; after the
// picture the run is stopped.
bool ScreenshotRun::StepAndShoot() {
    window_.Watcher().SetSpeed(RunSpeed::StepByStep);
    window_.Actions().InspectorAction->setChecked(true);
    window_.Actions().RunWhenOpenedAction->setChecked(true);
    if (!window_.Document().OpenPath(options_.program)) {
        std::fprintf(stderr, "mivarelo: cannot read %s\n", qPrintable(options_.program));
        return false;
    }
    for (int k = 0; k < options_.steps && window_.Running(); ++k)
        window_.Driver().StepOnce();
    Pause(SettleMs);
    window_.View().KeepDrawingInView();
    Pause(30);
    const bool saved = SavePicture();
    if (!saved) std::fprintf(stderr, "mivarelo: cannot write %s\n", qPrintable(options_.target));
    window_.StopRun();
    WaitForRunEnd();
    return saved;
}

// The program's other procedures join the window's procedure list; its main
// procedure's lines are recorded as if typed into the free command line.
bool ScreenshotRun::RecordInGraphicalMode() {
    ProcedureStore program;
    if (!options_.program.isEmpty() && !ReadProgramFile(program, options_.program.toStdString()))
        return false;
    window_.SwitchToGraphicalMode();
    WaitForRecordedLine();
    auto* form = qobject_cast<ButtonCommandWindow*>(window_.CurrentCommandWindow());
    if (!form) return false;
    if (program.ProcedureCount() == 0) return true;
    for (int i = 1; i < program.ProcedureCount(); ++i)
        window_.AddProcedureWithBody(program.GetHeader(i), program.GetBody(i));
    form->RefreshProcedures();
    for (const std::string& line : GraphicalCommands::SplitLines(program.GetBody(0))) {
        if (line.empty()) continue;
        form->RecordAndRun(line + '\n');
        WaitForRecordedLine();
    }
    form->RefreshStatus();
    return true;
}

void ScreenshotRun::WaitForRecordedLine() {
    if (!Globals().RunActive) return;
    QEventLoop loop;
    QObject::connect(&window_, &MainWindow::RunEnded, &loop, &QEventLoop::quit);
    QTimer::singleShot(RunLimitMs, &window_, [this] { window_.StopRun(); });
    loop.exec();
}

// Frames are the paints of the drawing window; the gaps count during the run.
bool ScreenshotRun::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        const qint64 now = clock_.elapsed();
        if (firstFrameMs_ < 0) firstFrameMs_ = now;
        if (runStartMs_ >= 0 && runEndMs_ < 0 && lastFrameMs_ >= runStartMs_)
            longestGapMs_ = std::max(longestGapMs_, now - lastFrameMs_);
        lastFrameMs_ = now;
    }
    return QObject::eventFilter(watched, event);
}

// The docks are part of the main window's picture.
bool ScreenshotRun::SavePicture() const {
    return window_.grab().save(options_.target, "PNG");
}

// One JSON line on standard output: the timings, the part of the picture in
// view (picture pixels, right and bottom inclusive), the zoom, and how many
// top-level windows are shown.
void ScreenshotRun::Report() const {
    const QRect visible = window_.View().VisiblePicture();
    int windows = 0;
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = widget->windowType();
        if (widget->isVisible() && (type == Qt::Window || type == Qt::Dialog || type == Qt::Tool))
            ++windows;
    }
    QJsonObject report{
        {"first_frame_ms", firstFrameMs_},
        {"longest_frame_gap_ms", longestGapMs_},
        {"visible", QJsonArray{visible.left(), visible.top(), visible.right(), visible.bottom()}},
        {"zoom", window_.View().Factor()},
        {"windows", windows}};
    if (runStartMs_ >= 0) report.insert("run_ms", runEndMs_ - runStartMs_);
    if (stopMs_ >= 0) report.insert("stop_latency_ms", runEndMs_ - stopMs_);
    if (openMs_ >= 0) {
        report.insert("open_ms", openMs_);
        report.insert("longest_tick_gap_ms", longestTickGapMs_);
    }
    std::printf("%s\n", QJsonDocument(report).toJson(QJsonDocument::Compact).constData());
    std::fflush(stdout);
}

} // namespace mivarelo
