#include "cli/HeadlessRunner.h"

#include "cli/StateReport.h"
#include "cli/Thumbnail.h"
#include "core/AtomicFile.h"
#include "core/ConversionReport.h"
#include "core/Encoding.h"
#include "core/GlobalSettings.h"
#include "core/LanguageIds.h"
#include "core/LanguageModule.h"
#include "core/ProgramFiles.h"
#include "core/ProgramIO.h"
#include "core/Translation.h"
#include "engine/ColorValue.h"
#include "engine/Evaluator.h"
#include "engine/LogoEngine.h"
#include "engine/SvgWriter.h"

#include "widgets/ProgramHtml.h"

#include <QBuffer>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

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

// Standard input larger than this is refused: no program comes near it.
constexpr std::size_t StandardInputSizeLimit = 32 * 1024 * 1024;

// Standard input cannot be sized beforehand, so it is read in pieces and
// refused as soon as it passes the limit: endless input (/dev/zero) then
// ends the runner at once instead of filling the memory.
bool ReadStandardInput(std::string& text) {
    std::vector<char> piece(64 * 1024);
    text.clear();
    for (;;) {
        const std::size_t got = std::fread(piece.data(), 1, piece.size(), stdin);
        text.append(piece.data(), got);
        if (text.size() > StandardInputSizeLimit) return false;
        if (got < piece.size()) return true;
    }
}

// The whole text is written, whatever bytes it holds.
void PrintLine(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fputc('\n', stream);
}

} // namespace

void HeadlessRunner::Print(std::string_view text) {
    PrintLine(stdout, Cp1254ToUtf8(text));
}

namespace {

// The file is replaced only once the whole image is written; false with
// errno telling why.
bool WritePng(const QImage& image, const std::string& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        errno = ENOMEM;
        return false;
    }
    return WriteFileAtomically(path, std::string_view(bytes.constData(), bytes.size()));
}

// What the state reports of a run that ended early.
std::string StopText(Interpreter::StopReason reason) {
    switch (reason) {
    case Interpreter::StopReason::LineLimit: return "line budget";
    case Interpreter::StopReason::TimeLimit: return "time limit";
    case Interpreter::StopReason::NestingLimit: return "nesting";
    case Interpreter::StopReason::None: break;
    }
    return {};
}

// The interface text of a runner's message, in the language --english chose,
// as UTF-8.
std::string Text(int id) {
    return Cp1254ToUtf8(GetLanguageString(id));
}

// Why a file could not be read or written, from the errno value the file
// functions leave: the common reasons in the interface language, any other
// in the system's words.
std::string FileErrorReason(int error) {
    switch (error) {
    case EACCES:
    case EPERM: return Text(NoPermissionId);
    case ENOSPC:
    case EDQUOT: return Text(NoSpaceId);
    case EISDIR:
    case ENODEV: return Text(NotRegularFileId);
    case ENOENT:
    case ENOTDIR: return Text(NoSuchFileId);
    case EROFS: return Text(ReadOnlyId);
    case EFBIG: return Text(LogoFileTooLargeId);
    default: return std::strerror(error);
    }
}

// "<what> <path>: <reason>".
std::string FileError(int what, const std::string& path, const std::string& reason) {
    return Text(what) + " " + path + ": " + reason;
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
    if (holdMessages_) {
        heldMessage_ = Cp1254ToUtf8(text);
        return;
    }
    PrintLine(stderr,
              "mivarelo-run: " + Cp1254ToUtf8(caption.empty() ? text : caption + ": " + text));
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
    if (!AppendMainLines(engine, error)) return false;
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
// What the import left out, and a native file that ends early, make the
// run end with status 1.
bool HeadlessRunner::LoadProgramFile(LogoEngine& engine, std::string& error) {
    if (!options_.programFile) return true;
    const std::string& path = *options_.programFile;
    ProcedureStore& store = engine.Procedures();
    ConversionReport report;
    ProgramDamage damage;
    if (!ReadProgramFile(store, path, &report, options_.logoKind, &damage)) {
        // A native file has a limit of its own, larger than plain Logo's.
        const int reason = errno;
        const bool nativeTooLarge = reason == EFBIG && !IsLogoTextPath(path);
        error = FileError(CannotReadProgramId, path,
                          nativeTooLarge ? Text(ProgramTooLargeId) : FileErrorReason(reason));
        return false;
    }
    for (const std::string& line : report.Lines())
        PrintLine(stderr, "mivarelo-run: warning: " + Cp1254ToUtf8(line));
    incompleteProgram_ = report.AnyDropped() || damage.truncated;
    if (damage.truncated) {
        std::string names;
        for (const std::string& name : damage.procedures)
            names += (names.empty() ? "" : ", ") + Cp1254ToUtf8(name);
        PrintLine(stderr,
                  "mivarelo-run: warning: " + path + ": " + Text(FileEndsEarlyId) + " " + names);
    }
    if (!CompleteProcedures(store)) {
        PrintLine(stderr, "mivarelo-run: " + path + " " + Text(NoProcedureId));
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
bool HeadlessRunner::AppendMainLines(LogoEngine& engine, std::string& error) const {
    std::string lines;
    if (!options_.execLines.empty()) {
        for (const std::string& line : options_.execLines)
            lines += BodyLines(line.empty() ? std::string("\n") : line);
    } else if (!options_.programFile) {
        std::string input;
        if (!ReadStandardInput(input)) {
            error = Text(CannotReadInputId) + ": " + Text(ProgramTooLargeId);
            return false;
        }
        lines = BodyLines(input);
    }
    ProcedureStore& store = engine.Procedures();
    const std::string body = store.GetBody(0);
    if (!lines.empty() && !body.empty() && body.back() != '\n') store.AppendToBody(0, "\n");
    store.AppendToBody(0, lines);
    return true;
}

// A save refused for the program's content says why in the held message.
bool HeadlessRunner::SaveProgramFile(LogoEngine& engine, std::string& error) {
    if (options_.savePath.empty()) return true;
    holdMessages_ = true;
    heldMessage_.clear();
    int keptAsWritten = 0;
    const bool saved = WriteProgramFile(engine.Procedures(), options_.savePath, &keptAsWritten);
    const int reason = errno;
    holdMessages_ = false;
    if (saved) {
        if (keptAsWritten > 0)
            PrintLine(stderr, "mivarelo-run: warning: " + options_.savePath + ": " +
                                  Text(KeptAsWrittenId) + " " + std::to_string(keptAsWritten));
        return true;
    }
    error = FileError(CannotSaveProgramId, options_.savePath,
                      heldMessage_.empty() ? FileErrorReason(reason) : heldMessage_);
    return false;
}

// --max-lines 0 asks for no run at all: the program is only prepared.
int HeadlessRunner::RunProgram(LogoEngine& engine) {
    if (options_.maxLines != std::uint64_t{0}) {
        if (options_.timeLimit)
            engine.Runner().SetDeadline(Interpreter::Clock::now() +
                                        std::chrono::duration_cast<Interpreter::Clock::duration>(
                                            std::chrono::duration<double>(*options_.timeLimit)));
        Globals().Running = true;
        engine.StartRun(0);
        engine.Runner().RunToEnd(!options_.noWait);
    }
    return Report(engine);
}

// A picture made before the application existed has the resolution of no
// screen; it takes the one every picture made now gets. The file is
// replaced only once the whole picture is written.
bool HeadlessRunner::SavePicture(const QImage& picture) const {
    if (startApplication_) startApplication_();
    QImage saved = picture;
    const QImage probe(1, 1, saved.format());
    saved.setDotsPerMeterX(probe.dotsPerMeterX());
    saved.setDotsPerMeterY(probe.dotsPerMeterY());
    return WritePng(saved, options_.pngPath);
}

// The program page, titled with the program file's name, lists the run's
// errors after the program.
bool HeadlessRunner::SaveHtml(LogoEngine& engine) const {
    if (startApplication_) startApplication_();
    QStringList errors;
    for (const std::string& line : errors_)
        errors << QString::fromStdString(Cp1254ToUtf8(line));
    const QString title = options_.programFile
                              ? QFileInfo(QString::fromStdString(*options_.programFile)).fileName()
                              : QStringLiteral("mivarelo-run");
    const QByteArray bytes = ProgramHtml(engine.Procedures(), title, errors).toUtf8();
    return WriteFileAtomically(options_.htmlPath,
                               std::string_view(bytes.constData(), bytes.size()));
}

// A picture with nothing drawn has no thumbnail.
bool HeadlessRunner::SaveThumbnail(const QImage& picture, QRect drawn, ColorValue screen) const {
    const QImage thumbnail = DrawnThumbnail(picture, drawn, ToPixel(screen));
    return thumbnail.isNull() || WritePng(thumbnail, options_.thumbnailPath);
}

bool HeadlessRunner::SaveSvg(const Picture& surface) const {
    const QByteArray bytes = SvgWriter::Document(surface);
    return WriteFileAtomically(options_.svgPath, std::string_view(bytes.constData(), bytes.size()));
}

// Reported even after a stopped run: what was drawn and set up to the stop.
int HeadlessRunner::Report(LogoEngine& engine) {
    int status = errors_.empty() && !incompleteProgram_ ? ExitClean : ExitErrorLines;
    // The picture is asked for only when it is reported: until then a
    // program that drew nothing has not touched its memory.
    const Picture& surface = engine.Screen().Surface();
    if (!options_.pngPath.empty() && !SavePicture(surface.Image())) {
        PrintLine(stderr, "mivarelo-run: " + FileError(CannotWritePictureId, options_.pngPath,
                                                       FileErrorReason(errno)));
        status = ExitUsage;
    }
    // The drawn part is measured once, for the thumbnail and the state.
    const TurtleState& state = engine.Screen().State();
    std::optional<PaintedArea> painted;
    if (!options_.thumbnailPath.empty() || options_.printState)
        painted = MeasurePaintedArea(surface.Image(), state.ScreenColor);
    if (!options_.thumbnailPath.empty() &&
        !SaveThumbnail(surface.Image(), painted->box, state.ScreenColor)) {
        PrintLine(stderr, "mivarelo-run: " + FileError(CannotWritePictureId, options_.thumbnailPath,
                                                       FileErrorReason(errno)));
        status = ExitUsage;
    }
    if (!options_.htmlPath.empty() && !SaveHtml(engine)) {
        PrintLine(stderr, "mivarelo-run: " + FileError(CannotSaveProgramId, options_.htmlPath,
                                                       FileErrorReason(errno)));
        status = ExitUsage;
    }
    if (!options_.svgPath.empty() && !SaveSvg(surface)) {
        PrintLine(stderr, "mivarelo-run: " + FileError(CannotWritePictureId, options_.svgPath,
                                                       FileErrorReason(errno)));
        status = ExitUsage;
    }
    if (options_.printState) {
        const RunSummary run{Globals().TestResult, StopText(engine.Runner().LastStopReason())};
        const std::string json = StateJson(state, run, engine.Variables().Globals(), errors_,
                                           *painted, engine.Procedures());
        PrintLine(stdout, json);
    }
    for (const std::string& expression : options_.evalExpressions)
        PrintLine(stdout, SixDecimals(evaluate(Utf8ToCp1254(expression))));
    if (engine.Runner().LastStopReason() != Interpreter::StopReason::None) return ExitStopped;
    return status;
}

} // namespace mivarelo
