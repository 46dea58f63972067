#include "shell/RunDriver.h"

#include "engine/Interpreter.h"

namespace mivarelo {

RunDriver::RunDriver(Interpreter& interpreter, QObject* parent)
    : QObject(parent), interpreter_(interpreter) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &RunDriver::RunSlice);
}

void RunDriver::Start() {
    if (interpreter_.Busy()) timer_.start(0);
}

void RunDriver::Stop() {
    interpreter_.RequestStop();
    Start();
}

// A zero-interval timer hands control back to the event loop after each
// slice; during a wait the next slice is due at the wait's deadline.
void RunDriver::RunSlice() {
    const bool more = interpreter_.RunFor(Slice);
    emit SliceDone();
    if (!more) return;
    int delay = 0;
    if (const auto deadline = interpreter_.WaitDeadline()) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(*deadline - Interpreter::Clock::now());
        delay = static_cast<int>(std::max<std::chrono::milliseconds::rep>(0, left.count()));
    }
    timer_.start(delay);
}

} // namespace mivarelo
