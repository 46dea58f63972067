#pragma once
// What the owner of a run (the headless runner, later the main window) hears
// from the interpreter. Every call comes from the thread that drives the
// scheduler.
#include "engine/LineDispatcher.h"

#include <string_view>

namespace mivarelo {

class RunListener {
public:
    virtual ~RunListener() = default;
    // Runs one line of a running list and returns its result. The default
    // hands it to the line dispatcher; a window refreshes its picture after.
    virtual bool ExecuteLine(LineDispatcher& dispatcher, std::string_view line) {
        return dispatcher.RunCommandLine(line);
    }
    // A list has ended and its context was popped; `runEnded` when it was
    // the last one of the run.
    virtual void ThreadFinished(bool runEnded) { (void)runEnded; }
    // RunActive changed: true when a context is created while it was false,
    // false when a context that is not nested ends and when the run ends.
    virtual void ThreadRunningChanged(bool running) { (void)running; }
    // A line that "print" writes, Windows-1254, without its line end.
    virtual void Print(std::string_view text) { (void)text; }
};

} // namespace mivarelo
