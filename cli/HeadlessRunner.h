#pragma once
// One run of mivarelo-run: sets the options, builds the program (loading,
// translating, printing and saving it as asked), runs it to the end and
// reports (picture, state, expression values, exit status). It is the run's
// error list, echoing each line to standard error, hears the run's state
// like the main window does, and shows the core's messages on standard
// error.
#include "cli/RunnerOptions.h"
#include "core/ErrorList.h"
#include "core/Notifier.h"
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

class HeadlessRunner : public ErrorList, public RunListener, public Notifier {
public:
    explicit HeadlessRunner(const RunnerOptions& options) : options_(options) {}
    // Needs a QGuiApplication (labels are drawn with the system fonts).
    int Run();

    void AddErrorLine(const std::string& line) override;
    void ThreadFinished(bool runEnded) override;
    void ShowMessage(const std::string& text, const std::string& caption) override;
    void Beep() override {}

private:
    void ApplyOptions() const;
    // Everything before the run; on failure `error` is the line to show.
    bool PrepareProgram(LogoEngine& engine, std::string& error);
    bool LoadProgramFile(LogoEngine& engine, std::string& error) const;
    void DefineProcedures(LogoEngine& engine) const;
    void AppendMainLines(LogoEngine& engine) const;
    bool SaveProgramFile(LogoEngine& engine, std::string& error);
    int RunProgram(LogoEngine& engine);
    int Report(LogoEngine& engine);

    const RunnerOptions& options_;
    std::vector<std::string> errors_;
    // While a save runs its refusal message is kept for the failure line.
    bool holdMessages_ = false;
    std::string heldMessage_;
};

} // namespace mivarelo
