#pragma once
// Drives the interpreter from the event loop: a run advances in slices of a
// few milliseconds, and between slices Qt paints and takes input, so the
// window never freezes and Stop is seen at once. A wait sleeps on a timer
// until its deadline instead of blocking the loop.
//
// Below full speed the run goes one line at a time: the next line is
// prepared and announced (LineReady) before it runs, and runs after the
// speed's pause, or at a press of Step when the run is paused.
#include <QObject>
#include <QTimer>

#include <array>
#include <chrono>

namespace mivarelo {

class Interpreter;

enum class RunSpeed { Full, Fast, Normal, Slow, StepByStep };

class RunDriver : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds Slice{8};

    RunDriver(Interpreter& interpreter, QObject* parent = nullptr);

    // Runs the contexts now on the interpreter's stack, slice after slice
    // or line after line; Step by Step starts paused at the first line.
    void Start();
    // The same at full speed whatever the setting (the graphical mode's
    // lines, which replay a whole history at an undo).
    void StartAtFullSpeed();
    // Every context ends after its current line; a wait ends at once. The
    // run unwinds at full speed whatever the setting, paused or not.
    void Stop();
    bool Active() const { return timer_.isActive() || paused_; }

    void SetSpeed(RunSpeed speed);
    RunSpeed Speed() const { return speed_; }
    // The pause after each line at `speed` (tests shorten them).
    void SetLinePause(RunSpeed speed, std::chrono::milliseconds pause);
    std::chrono::milliseconds LinePause(RunSpeed speed) const;
    // Pause holds the run before its next line, which is announced; Continue
    // goes on at the speed's pace.
    void Pause();
    void Continue();
    bool Paused() const { return paused_; }
    // While paused: runs the announced line and announces the next one.
    // While running: pauses first. Nothing when no run is going on.
    void StepOnce();
    // The next line starts no sooner than `delay` from now (the window's
    // animation of the line that just ran).
    void HoldFor(std::chrono::milliseconds delay);

signals:
    // After every slice or line: the window shows what was drawn.
    void SliceDone();
    // The next line is prepared and has not run yet.
    void LineReady();
    // The announced line runs now; then it has run.
    void LineAboutToRun();
    void LineRan();
    void PausedChanged(bool paused);

private:
    void RunSlice();
    void RunFullSlice();
    void RunPacedLine();
    // Runs the announced line, if any, then prepares and announces the next
    // one. False when the run has ended.
    bool Advance();
    void SetPaused(bool paused);
    // The time until the wait in progress ends; zero when none lasts.
    int WaitLeftMs() const;

    Interpreter& interpreter_;
    QTimer timer_;
    RunSpeed speed_ = RunSpeed::Full;
    std::array<std::chrono::milliseconds, 5> pauses_;
    std::chrono::milliseconds hold_{0};
    bool paused_ = false;
    // The run now going was started at full speed.
    bool fullSpeedRun_ = false;
};

} // namespace mivarelo
