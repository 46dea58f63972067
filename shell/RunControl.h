#pragma once
// Starts runs and hears the interpreter on the window's behalf: the
// procedure the Run action chose, a line of the console or the reference, a
// line the graphical mode appends to the main procedure. It collects the
// picture's refresh requests line by line, so that the window repaints once
// per slice, and turns the interpreter's calls into signals.
#include "engine/RunListener.h"
#include "engine/TurtleScreen.h"

#include <QObject>

#include <string>

namespace mivarelo {

class LogoEngine;
class RunDriver;

class RunControl : public QObject, public RunListener {
    Q_OBJECT
public:
    RunControl(LogoEngine& engine, RunDriver& driver, QObject* parent);
    ~RunControl() override;

    // Runs procedure `index`, driven in slices at the chosen speed.
    void RunProcedure(int index);
    // Runs `text` at once without adding it to the program; false, with a
    // beep, while a run is going on.
    bool RunText(const std::string& text);
    // Appends `text` to the main procedure and runs that text alone.
    bool RunAppended(const std::string& text);
    // The strongest refresh the lines since the last call asked for.
    RefreshRequest TakeRefresh();

    bool ExecuteLine(LineDispatcher& dispatcher, std::string_view line) override;
    void ThreadFinished(bool runEnded) override;
    void ThreadRunningChanged(bool running) override;
    void Print(std::string_view text) override;

signals:
    // A run has begun: its first list is running.
    void RunBegan();
    // The interpreter's running state changed (also between the lists of
    // one run).
    void RunningChanged(bool running);
    // The whole run has ended; `textRun` when it was a line of RunText.
    void RunFinished(bool textRun);
    // A line that "print" wrote.
    void Printed(const QString& line);

private:
    LogoEngine& engine_;
    RunDriver& driver_;
    RefreshRequest pendingRefresh_ = RefreshRequest::None;
    // A run has started and not yet ended.
    bool runGoing_ = false;
    // The run going on is a line of RunText.
    bool textRun_ = false;
};

} // namespace mivarelo
