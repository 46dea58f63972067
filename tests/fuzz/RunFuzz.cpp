// A whole run of one program on the headless engine, with a line budget and
// a nesting budget so that endless programs end. The first byte chooses the
// settings; the rest is the program: lines between "to <header>" and "end"
// form a procedure, every other line goes to the main procedure.
#include "FuzzEnvironment.h"
#include "FuzzTarget.h"

#include "core/GlobalSettings.h"
#include "core/ProcedureStore.h"
#include "engine/LogoEngine.h"

#include <string_view>

using namespace mivarelo;
using namespace mivarelo::fuzz;

namespace {

// The sanitizers and the coverage counters make a line twenty to fifty times
// slower; this many lines of the slowest kind still end within the time
// limit of one input.
constexpr std::uint64_t LineBudget = 2'000;
constexpr std::size_t NestingBudget = 2'000;
// A fill or a wide pen costs time in proportion to the picture; on the
// full-size picture a few thousand fills, legitimate and each quick, would
// take the sanitized run past its time limit. The drawing code is the same
// for every size.
constexpr int PictureSide = 32;

struct ProgramText {
    std::string main;
    std::vector<std::pair<std::string, std::string>> procedures;
};

ProgramText SplitProcedures(std::string_view text) {
    ProgramText program;
    std::string* body = &program.main;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (line.starts_with("to ")) {
            program.procedures.emplace_back(std::string(line.substr(3)), std::string());
            body = &program.procedures.back().second;
        } else if (line == "end") {
            body = &program.main;
        } else {
            *body += std::string(line) + "\n";
        }
    }
    return program;
}

void ApplySettings(LogoEngine& engine, std::uint8_t flags) {
    GlobalSettings& g = Globals();
    g.AcceptSpace = (flags & 1) != 0;
    g.AutoCorrectErrors = (flags & 2) != 0;
    g.StopAtErrors = (flags & 4) != 0;
    g.PreciseTurtle = (flags & 8) != 0;
    engine.Dispatcher().SetFastPaths((flags & 16) == 0);
    engine.Screen().Surface().SetKeepDrawing((flags & 32) != 0);
}

} // namespace

int FuzzOne(const std::uint8_t* data, std::size_t size) {
    FuzzEnvironment::Prepare();
    if (size == 0) return 0;
    Globals().ScreenWidth = PictureSide;
    Globals().ScreenHeight = PictureSide;
    LogoEngine engine;
    engine.NewProgram();
    ApplySettings(engine, data[0]);
    const ProgramText program = SplitProcedures(InputText(data + 1, size - 1));
    ProcedureStore& store = engine.Procedures();
    store.SetBody(0, program.main);
    for (const auto& [header, body] : program.procedures)
        store.AddProcedure(header, body);
    Interpreter& runner = engine.Runner();
    runner.SetLineLimit(LineBudget);
    runner.SetNestingLimit(NestingBudget);
    Globals().Running = true;
    engine.StartRun(0);
    runner.RunToEnd(false);
    Require(!runner.Busy(), "the run ended with contexts left");
    Require(runner.LinesRun() <= LineBudget + 1, "the run went past its line budget");
    return 0;
}
