#pragma once
// One run of mivarelo-run: sets the options, builds the program, runs it to
// the end and reports (picture, state, expression values, exit status). It
// is the run's error list, echoing each line to standard error, and hears
// the run's state like the main window does.
#include "cli/RunnerOptions.h"
#include "core/ErrorList.h"
#include "engine/RunListener.h"

#include <string>
#include <vector>

namespace mivarelo {

class LogoEngine;

// Exit statuses of mivarelo-run.
enum RunnerExit {
    ExitClean = 0,
    ExitErrorLines = 1,
    ExitUsage = 2,
    ExitStopped = 3,
};

class HeadlessRunner : public ErrorList, public RunListener {
public:
    explicit HeadlessRunner(const RunnerOptions& options) : options_(options) {}
    // Needs a QGuiApplication (labels are drawn with the system fonts).
    int Run();

    void AddErrorLine(const std::string& line) override;
    void ThreadFinished(bool runEnded) override;

private:
    void ApplyOptions() const;
    bool LoadProgram(LogoEngine& engine, std::string& error) const;
    void DefineProcedures(LogoEngine& engine) const;
    int Report(LogoEngine& engine);

    const RunnerOptions& options_;
    std::vector<std::string> errors_;
};

} // namespace mivarelo
