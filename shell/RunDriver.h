#pragma once
// Drives the interpreter from the event loop: a run advances in slices of a
// few milliseconds, and between slices Qt paints and takes input, so the
// window never freezes and Stop is seen at once. A wait sleeps on a timer
// until its deadline instead of blocking the loop.
#include <QObject>
#include <QTimer>

#include <chrono>

namespace mivarelo {

class Interpreter;

class RunDriver : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds Slice{8};

    RunDriver(Interpreter& interpreter, QObject* parent = nullptr);

    // Runs the contexts now on the interpreter's stack, slice after slice.
    void Start();
    // Every context ends after its current line; a wait ends at once.
    void Stop();
    bool Active() const { return timer_.isActive(); }

signals:
    // After every slice: the window shows what the slice drew.
    void SliceDone();

private:
    void RunSlice();

    Interpreter& interpreter_;
    QTimer timer_;
};

} // namespace mivarelo
