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
#include "engine/ColorValue.h"
#include "engine/RunListener.h"

#include <QImage>
#include <QRect>

#include <string>
#include <vector>

namespace mivarelo {

class LogoEngine;
class Picture;

// Exit statuses of mivarelo-run.
enum RunnerExit {
    ExitClean = 0,
    ExitErrorLines = 1,
    ExitUsage = 2,
    ExitStopped = 3,
};

class HeadlessRunner : public ErrorList, public RunListener, public Notifier {
public:
    // `startApplication` creates the QGuiApplication when there is none yet:
    // labels need its fonts (see Picture::SetFontSetUp) and the saved
    // picture its screen's resolution.
    HeadlessRunner(const RunnerOptions& options, void (*startApplication)())
        : options_(options), startApplication_(startApplication) {}
    int Run();

    void AddErrorLine(const std::string& line) override;
    void ThreadFinished(bool runEnded) override;
    // What "print" writes goes to standard output, one line each, before
    // the state and the values asked for.
    void Print(std::string_view text) override;
    void ShowMessage(const std::string& text, const std::string& caption) override;
    void Beep() override {}

private:
    void ApplyOptions() const;
    // Everything before the run; on failure `error` is the line to show.
    bool PrepareProgram(LogoEngine& engine, std::string& error);
    bool LoadProgramFile(LogoEngine& engine, std::string& error);
    void DefineProcedures(LogoEngine& engine) const;
    // False when standard input was too large; `error` then says so.
    bool AppendMainLines(LogoEngine& engine, std::string& error) const;
    bool SaveProgramFile(LogoEngine& engine, std::string& error);
    int RunProgram(LogoEngine& engine);
    int Report(LogoEngine& engine);

    // Saves the picture as PNG with the resolution of the application's
    // screen, and as SVG; false with errno telling why.
    bool SavePicture(const QImage& picture) const;
    bool SaveSvg(const Picture& surface) const;
    bool SaveHtml(LogoEngine& engine) const;
    bool SaveThumbnail(const QImage& picture, QRect drawn, ColorValue screen) const;

    const RunnerOptions& options_;
    void (*startApplication_)();
    std::vector<std::string> errors_;
    // The program file's import left lines or commands out, or the file
    // ended early.
    bool incompleteProgram_ = false;
    // While a save runs its refusal message is kept for the failure line.
    bool holdMessages_ = false;
    std::string heldMessage_;
};

} // namespace mivarelo
