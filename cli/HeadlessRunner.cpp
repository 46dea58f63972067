#include "cli/HeadlessRunner.h"

#include "cli/StateReport.h"
#include "core/Encoding.h"
#include "core/GlobalSettings.h"
#include "core/LanguageModule.h"
#include "engine/Evaluator.h"
#include "engine/LogoEngine.h"

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

int HeadlessRunner::Run() {
    ApplyOptions();
    LogoEngine engine;
    ErrorList* previousList = SetCurrentErrorList(this);
    engine.Runner().SetListener(this);
    engine.Runner().SetLineLimit(options_.maxLines);
    if (!LoadLanguageModule(&engine.Procedures()))
        PrintLine(stderr, "mivarelo-run: no language files in " + LanguageDirectory() +
                              "; interface texts stay empty");
    engine.NewProgram();
    std::string error;
    if (!LoadProgram(engine, error)) {
        PrintLine(stderr, "mivarelo-run: " + error);
        SetCurrentErrorList(previousList);
        return ExitUsage;
    }
    Globals().Running = true;
    engine.StartRun(0);
    engine.Runner().RunToEnd(!options_.noWait);
    const int status = Report(engine);
    engine.Runner().SetListener(nullptr);
    SetCurrentErrorList(previousList);
    return status;
}

void HeadlessRunner::ApplyOptions() const {
    GlobalSettings& g = Globals();
    g.EnglishInterface = options_.english;
    g.AcceptSpace = options_.acceptSpace;
    g.AutoCorrectErrors = options_.autoCorrect;
    g.StopAtErrors = options_.stopAtErrors;
    g.Running = false;
}

// The main procedure's body comes from -e lines, else from standard input.
bool HeadlessRunner::LoadProgram(LogoEngine& engine, std::string& error) const {
    if (options_.programFile) {
        error = "program files are not supported yet: " + *options_.programFile;
        return false;
    }
    DefineProcedures(engine);
    std::string body;
    if (options_.execLines.empty()) {
        body = BodyLines(ReadStandardInput());
    } else {
        for (const std::string& line : options_.execLines)
            body += BodyLines(line.empty() ? std::string("\n") : line);
    }
    engine.Procedures().SetBody(0, body);
    return true;
}

void HeadlessRunner::DefineProcedures(LogoEngine& engine) const {
    for (const auto& [header, body] : options_.procedures)
        engine.Procedures().AddProcedure(Utf8ToCp1254(header), BodyLines(body));
}

// Reported even after a stopped run: what was drawn and set up to the stop.
int HeadlessRunner::Report(LogoEngine& engine) {
    int status = errors_.empty() ? ExitClean : ExitErrorLines;
    if (!options_.pngPath.empty() &&
        !engine.Screen().Surface().Image().save(QString::fromStdString(options_.pngPath), "PNG")) {
        PrintLine(stderr, "mivarelo-run: cannot write the picture to " + options_.pngPath);
        status = ExitUsage;
    }
    if (options_.printState) {
        const std::string json = StateJson(engine.Screen().State(), Globals().TestResult,
                                           engine.Variables().Globals(), errors_);
        PrintLine(stdout, json);
    }
    for (const std::string& expression : options_.evalExpressions)
        PrintLine(stdout, SixDecimals(evaluate(Utf8ToCp1254(expression))));
    if (engine.Runner().LastStopReason() != Interpreter::StopReason::None) return ExitStopped;
    return status;
}

} // namespace mivarelo
