#include "cli/HeadlessRunner.h"

#include "cli/StateReport.h"
#include "core/ConversionReport.h"
#include "core/Encoding.h"
#include "core/GlobalSettings.h"
#include "core/LanguageModule.h"
#include "core/ProgramFiles.h"
#include "core/ProgramIO.h"
#include "core/Translation.h"
#include "engine/Evaluator.h"
#include "engine/LogoEngine.h"
#include "engine/SvgWriter.h"

#include <QString>

#include <cstdio>
#include <iostream>
#include <iterator>

namespace mivarelo {

namespace {

// Windows-1254 lines, each ended by a line feed, from UTF-8 text that may
// hold several lines; carriage returns are dropped.
std::string BodyLines(const std::string& utf8) {
    std::string body = Utf8ToCp1254(utf8);
    std::erase(body, '\r');
    if (!body.empty() && body.back() != '\n') body += '\n';
    return body;
}

std::string ReadStandardInput() {
    return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
}

void PrintLine(std::FILE* stream, const std::string& text) {
    std::fputs(text.c_str(), stream);
    std::fputc('\n', stream);
}

} // namespace

void HeadlessRunner::AddErrorLine(const std::string& line) {
    errors_.push_back(line);
    PrintLine(stderr, Cp1254ToUtf8(line));
}

void HeadlessRunner::ThreadFinished(bool runEnded) {
    if (runEnded) Globals().Running = false;
}

void HeadlessRunner::ShowMessage(const std::string& text, const std::string& caption) {
    const std::string message = Cp1254ToUtf8(caption.empty() ? text : caption + ": " + text);
    if (holdMessages_)
        heldMessage_ = message;
    else
        PrintLine(stderr, "mivarelo-run: " + message);
}

int HeadlessRunner::Run() {
    ApplyOptions();
    LogoEngine engine;
    ErrorList* previousList = SetCurrentErrorList(this);
    Notifier* previousNotifier = SetNotifier(this);
    engine.Runner().SetListener(this);
    engine.Runner().SetLineLimit(options_.maxLines);
    engine.Dispatcher().SetFastPaths(options_.fastPaths);
    engine.Screen().Surface().SetKeepDrawing(options_.drawingList);
    if (!LoadLanguageModule(&engine.Procedures()))
        PrintLine(stderr, "mivarelo-run: no language files in " + LanguageDirectory() +
                              "; interface texts stay empty");
    std::string error;
    int status = ExitUsage;
    if (PrepareProgram(engine, error))
        status = RunProgram(engine);
    else
        PrintLine(stderr, "mivarelo-run: " + error);
    engine.Runner().SetListener(nullptr);
    SetNotifier(previousNotifier);
    SetCurrentErrorList(previousList);
    return status;
}

void HeadlessRunner::ApplyOptions() const {
    GlobalSettings& g = Globals();
    g.EnglishInterface = options_.english;
    g.AcceptSpace = options_.acceptSpace;
    g.AutoCorrectErrors = options_.autoCorrect;
    g.StopAtErrors = options_.stopAtErrors;
    g.PreciseTurtle = options_.precise;
    g.Running = false;
}

bool HeadlessRunner::PrepareProgram(LogoEngine& engine, std::string& error) {
    engine.NewProgram();
    if (!LoadProgramFile(engine, error)) return false;
    DefineProcedures(engine);
    AppendMainLines(engine);
    if (const auto dialect = options_.dialect)
        TranslateProgram(engine.Procedures(), dialect->toTurkish, dialect->toLong, false);
    if (options_.printProgram) {
        std::fputs(ProgramListing(engine.Procedures()).c_str(), stdout);
        std::fflush(stdout);
    }
    return SaveProgramFile(engine, error);
}

// A file without any procedure leaves the new program (an empty main
// procedure) in place, so that -e lines still have a procedure to go to.
bool HeadlessRunner::LoadProgramFile(LogoEngine& engine, std::string& error) {
    if (!options_.programFile) return true;
    const std::string& path = *options_.programFile;
    Prosedurler& store = engine.Procedures();
    ConversionReport report;
    if (!ReadProgramFile(store, path, &report, options_.logoKind)) {
        error = "cannot read the program file " + path;
        if (IsLogoTextPath(path) && LogoTextTooLarge(path))
            error += ": it is larger than 2 MB, far larger than any Logo program";
        return false;
    }
    // What the import left out makes the run end with status 1.
    for (const std::string& line : report.Lines())
        PrintLine(stderr, "mivarelo-run: warning: " + Cp1254ToUtf8(line));
    droppedLines_ = report.AnyDropped();
    if (!CompleteProcedures(store)) {
        PrintLine(stderr, "mivarelo-run: " + path +
                              " holds no procedure; the program starts with an empty main "
                              "procedure");
        engine.NewProgram();
    }
    return true;
}

void HeadlessRunner::DefineProcedures(LogoEngine& engine) const {
    for (const auto& [header, body] : options_.procedures)
        engine.Procedures().AddProcedure(Utf8ToCp1254(header), BodyLines(body));
}

// The -e lines go to the end of the main procedure. Without them, and
// without a program file, the main procedure is read from standard input.
void HeadlessRunner::AppendMainLines(LogoEngine& engine) const {
    std::string lines;
    if (!options_.execLines.empty()) {
        for (const std::string& line : options_.execLines)
            lines += BodyLines(line.empty() ? std::string("\n") : line);
    } else if (!options_.programFile) {
        lines = BodyLines(ReadStandardInput());
    }
    Prosedurler& store = engine.Procedures();
    const std::string body = store.GetBody(0);
    if (!lines.empty() && !body.empty() && body.back() != '\n') store.AppendToBody(0, "\n");
    store.AppendToBody(0, lines);
}

bool HeadlessRunner::SaveProgramFile(LogoEngine& engine, std::string& error) {
    if (options_.savePath.empty()) return true;
    holdMessages_ = true;
    heldMessage_.clear();
    const bool saved = WriteProgramFile(engine.Procedures(), options_.savePath);
    holdMessages_ = false;
    if (saved) return true;
    error = "cannot save the program to " + options_.savePath;
    if (!heldMessage_.empty()) error += " (" + heldMessage_ + ")";
    return false;
}

// --max-lines 0 asks for no run at all: the program is only prepared.
int HeadlessRunner::RunProgram(LogoEngine& engine) {
    if (options_.maxLines != std::uint64_t{0}) {
        Globals().Running = true;
        engine.StartRun(0);
        engine.Runner().RunToEnd(!options_.noWait);
    }
    return Report(engine);
}

// A picture made before the application existed has the resolution of no
// screen; it takes the one every picture made now gets.
bool HeadlessRunner::SavePicture(const QImage& picture) const {
    if (startApplication_) startApplication_();
    QImage saved = picture;
    const QImage probe(1, 1, saved.format());
    saved.setDotsPerMeterX(probe.dotsPerMeterX());
    saved.setDotsPerMeterY(probe.dotsPerMeterY());
    return saved.save(QString::fromStdString(options_.pngPath), "PNG");
}

// Reported even after a stopped run: what was drawn and set up to the stop.
int HeadlessRunner::Report(LogoEngine& engine) {
    int status = errors_.empty() && !droppedLines_ ? ExitClean : ExitErrorLines;
    // The picture is asked for only when it is reported: until then a
    // program that drew nothing has not touched its memory.
    const Picture& surface = engine.Screen().Surface();
    if (!options_.pngPath.empty() && !SavePicture(surface.Image())) {
        PrintLine(stderr, "mivarelo-run: cannot write the picture to " + options_.pngPath);
        status = ExitUsage;
    }
    if (!options_.svgPath.empty() &&
        !SvgWriter::Save(surface, QString::fromStdString(options_.svgPath))) {
        PrintLine(stderr, "mivarelo-run: cannot write the picture to " + options_.svgPath);
        status = ExitUsage;
    }
    if (options_.printState) {
        const TurtleState& state = engine.Screen().State();
        const std::string json =
            StateJson(state, Globals().TestResult, engine.Variables().Globals(), errors_,
                      MeasurePaintedArea(surface.Image(), state.ScreenColor));
        PrintLine(stdout, json);
    }
    for (const std::string& expression : options_.evalExpressions)
        PrintLine(stdout, SixDecimals(evaluate(Utf8ToCp1254(expression))));
    if (engine.Runner().LastStopReason() != Interpreter::StopReason::None) return ExitStopped;
    return status;
}

} // namespace mivarelo
