#include "shell/RunDriver.h"

#include "core/GlobalSettings.h"
#include "engine/Interpreter.h"

#include <algorithm>

namespace mivarelo {

using std::chrono::milliseconds;

namespace {

// The pause after a line, by speed: Fast just lets the eye follow, Normal
// and Slow let the turtle's walk be seen. A Step by Step run that is
// continued goes at Normal's pace.
constexpr std::array<milliseconds, 5> DefaultPauses = {
    milliseconds(0), milliseconds(40), milliseconds(250), milliseconds(700), milliseconds(250)};

} // namespace

RunDriver::RunDriver(Interpreter& interpreter, QObject* parent)
    : QObject(parent), interpreter_(interpreter), pauses_(DefaultPauses) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &RunDriver::RunSlice);
}

void RunDriver::Start() {
    fullSpeedRun_ = false;
    if (!interpreter_.Busy()) return;
    if (speed_ == RunSpeed::StepByStep && !paused_ && !Globals().AbortRequested) {
        Pause();
        return;
    }
    if (!paused_) timer_.start(0);
}

void RunDriver::StartAtFullSpeed() {
    fullSpeedRun_ = true;
    if (interpreter_.Busy() && !paused_) timer_.start(0);
}

void RunDriver::Stop() {
    interpreter_.RequestStop();
    SetPaused(false);
    if (interpreter_.Busy()) timer_.start(0);
}

void RunDriver::SetSpeed(RunSpeed speed) {
    speed_ = speed;
}

void RunDriver::SetLinePause(RunSpeed speed, milliseconds pause) {
    pauses_[static_cast<std::size_t>(speed)] = pause;
}

milliseconds RunDriver::LinePause(RunSpeed speed) const {
    return pauses_[static_cast<std::size_t>(speed)];
}

// The line that runs next is announced at once (at full speed it is
// prepared first), so that the window can show where the run stands.
void RunDriver::Pause() {
    if (!interpreter_.Busy() || paused_) return;
    timer_.stop();
    SetPaused(true);
    if (interpreter_.LinePrepared()) return;
    const bool more = interpreter_.PrepareLine();
    emit SliceDone();
    if (more)
        emit LineReady();
    else
        SetPaused(false);
}

void RunDriver::Continue() {
    if (!paused_) return;
    SetPaused(false);
    timer_.start(0);
}

// A wait in progress ends at the press: the user asked for the next line.
void RunDriver::StepOnce() {
    if (!interpreter_.Busy()) return;
    if (!paused_) {
        Pause();
        return;
    }
    interpreter_.EndWait();
    if (!Advance()) SetPaused(false);
}

void RunDriver::HoldFor(milliseconds delay) {
    hold_ = std::max(hold_, delay);
}

void RunDriver::SetPaused(bool paused) {
    if (paused_ == paused) return;
    paused_ = paused;
    emit PausedChanged(paused);
}

void RunDriver::RunSlice() {
    if (speed_ == RunSpeed::Full || fullSpeedRun_ || Globals().AbortRequested)
        RunFullSlice();
    else
        RunPacedLine();
}

// A zero-interval timer hands control back to the event loop after each
// slice; during a wait the next slice is due at the wait's deadline.
void RunDriver::RunFullSlice() {
    const bool more = interpreter_.RunFor(Slice);
    emit SliceDone();
    if (more) timer_.start(WaitLeftMs());
}

void RunDriver::RunPacedLine() {
    if (interpreter_.StillWaiting()) {
        timer_.start(WaitLeftMs());
        return;
    }
    if (!Advance()) return;
    timer_.start(static_cast<int>((LinePause(speed_) + hold_).count()));
}

bool RunDriver::Advance() {
    hold_ = milliseconds(0);
    if (interpreter_.LinePrepared()) {
        emit LineAboutToRun();
        interpreter_.Step();
        emit LineRan();
    }
    const bool more = interpreter_.PrepareLine();
    emit SliceDone();
    if (more) emit LineReady();
    return more;
}

int RunDriver::WaitLeftMs() const {
    const auto deadline = interpreter_.WaitDeadline();
    if (!deadline) return 0;
    const auto left = std::chrono::ceil<milliseconds>(*deadline - Interpreter::Clock::now());
    return static_cast<int>(std::max<milliseconds::rep>(0, left.count()));
}

} // namespace mivarelo
