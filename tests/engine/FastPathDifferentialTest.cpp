// Every program runs twice, with the dispatcher's fast paths on and off, in
// a fresh engine each time; the two runs must end alike: the turtle, the
// picture, the global variables, the error lines, the lines run and why the
// run stopped. The programs are the sample programs, the benchmark programs
// (with smaller counts) and generated ones that mix loops, assignments,
// conditions, procedure calls with arguments and local variables, turtle
// commands and mistakes in all four dialects.
#include "core/GlobalSettings.h"
#include "core/LanguageModule.h"
#include "core/ProgramIO.h"
#include "engine/LogoEngine.h"
#include "support/Recorders.h"

#include <QImage>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace mivarelo {
namespace {

struct Program {
    std::string file; // a program file, or else:
    std::vector<std::pair<std::string, std::string>> procedures;
    std::string main;
};

struct Outcome {
    std::vector<std::string> errors;
    std::string globals;
    TurtleState turtle;
    QImage picture;
    Interpreter::StopReason stop = Interpreter::StopReason::None;
    std::uint64_t lines = 0;
    int testResult = 0;
    int lastErrorLine = 0;
    int frames = 0;
};

// Generated programs may loop for ever; they stop after this many lines.
constexpr std::uint64_t GeneratedLineLimit = 400;

std::filesystem::path SourceFolder() {
    return std::filesystem::path(MIVARELO_SOURCE_DIR);
}

// Null when the language files are missing.
std::unique_ptr<Outcome> RunOnce(const Program& program, bool fastPaths,
                                 std::optional<std::uint64_t> lineLimit) {
    ResetGlobals();
    SetLanguageDirectory("");
    Globals().EnglishInterface = true;
    auto outcome = std::make_unique<Outcome>();
    support::RecordingErrorList errors;
    support::RecordingNotifier notifier;
    {
        LogoEngine engine;
        if (!LoadLanguageModule(&engine.Procedures())) return nullptr;
        engine.NewProgram();
        ProcedureStore& store = engine.Procedures();
        if (!program.file.empty()) {
            EXPECT_TRUE(ReadProgramFile(store, program.file)) << program.file;
            CompleteProcedures(store);
        } else {
            for (const auto& [header, body] : program.procedures)
                store.AddProcedure(header, body);
            store.SetBody(0, program.main);
        }
        engine.Dispatcher().SetFastPaths(fastPaths);
        engine.Runner().SetLineLimit(lineLimit);
        engine.StartRun(0);
        engine.Runner().RunToEnd(false);
        outcome->globals = engine.Variables().Globals().Describe();
        outcome->turtle = engine.Screen().State();
        outcome->picture = engine.Screen().Surface().Image();
        outcome->stop = engine.Runner().LastStopReason();
        outcome->lines = engine.Runner().LinesRun();
        outcome->frames = engine.Variables().Frames().Count();
    }
    outcome->errors = errors.lines;
    outcome->testResult = Globals().TestResult;
    outcome->lastErrorLine = Globals().LastErrorLine;
    ResetGlobals();
    return outcome;
}

// Runs both ways and compares; false when the language files are missing.
bool ExpectSameOutcome(const Program& program, const std::string& label,
                       std::optional<std::uint64_t> lineLimit = std::nullopt) {
    const std::unique_ptr<Outcome> fast = RunOnce(program, true, lineLimit);
    const std::unique_ptr<Outcome> slow = RunOnce(program, false, lineLimit);
    if (!fast || !slow) return false;
    EXPECT_EQ(fast->errors, slow->errors) << label;
    EXPECT_EQ(fast->globals, slow->globals) << label;
    EXPECT_EQ(fast->turtle.TurtleX, slow->turtle.TurtleX) << label;
    EXPECT_EQ(fast->turtle.TurtleY, slow->turtle.TurtleY) << label;
    EXPECT_EQ(fast->turtle.Heading, slow->turtle.Heading) << label;
    EXPECT_EQ(fast->turtle.PenIsDown, slow->turtle.PenIsDown) << label;
    EXPECT_EQ(fast->turtle.PenColor, slow->turtle.PenColor) << label;
    EXPECT_EQ(fast->turtle.PenWidth, slow->turtle.PenWidth) << label;
    EXPECT_TRUE(fast->picture == slow->picture) << label;
    EXPECT_EQ(fast->stop, slow->stop) << label;
    EXPECT_EQ(fast->lines, slow->lines) << label;
    EXPECT_EQ(fast->testResult, slow->testResult) << label;
    EXPECT_EQ(fast->lastErrorLine, slow->lastErrorLine) << label;
    EXPECT_EQ(fast->frames, slow->frames) << label;
    return true;
}

TEST(FastPathDifferential, SamplePrograms) {
    int compared = 0;
    // The Turkish and the English versions, in examples/tr and examples/en.
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(SourceFolder() / "examples")) {
        if (entry.path().extension() != ".elg") continue;
        Program program;
        program.file = entry.path().string();
        if (!ExpectSameOutcome(program, program.file)) GTEST_SKIP() << "no language files";
        ++compared;
    }
    EXPECT_EQ(compared, 24);
}

TEST(FastPathDifferential, BenchmarkPrograms) {
    std::vector<Program> programs = {
        {{}, {}, "repeat 2000 [x := repcount]\n"},
        {{}, {}, "for [i := 1; i < 2001; i := i + 1] [x := x + i]\n"},
        {{}, {{"inc", "x := x + 1\n"}}, "repeat 1000 [inc]\n"},
        {{}, {}, "repeat 2000 [fd repcount rt 91]\n"},
    };
    Program tree;
    tree.file = (SourceFolder() / "bench" / "programs" / "tree.elg").string();
    programs.push_back(tree);
    for (const Program& program : programs)
        if (!ExpectSameOutcome(program, program.file + program.main))
            GTEST_SKIP() << "no language files";
}

// ---- generated programs ----

class Generator {
public:
    explicit Generator(unsigned seed) : random_(seed) {}

    Program Make() {
        Program program;
        depth_ = 0;
        inProcedure_ = true;
        program.procedures.emplace_back("p1 :a :b", Lines(3));
        program.procedures.emplace_back("p2 :a", Lines(2));
        inProcedure_ = false;
        program.main = Lines(4);
        return program;
    }

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    template <class T> const T& OneOf(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Pick(static_cast<int>(items.size())))];
    }

    // One of the four dialect forms of a command (Turkish long and short,
    // English long and short).
    std::string Word(const std::vector<std::string>& forms) { return OneOf(forms); }

    std::string Variable() {
        std::vector<std::string> names = {"x", "y", "i", "X", "_t", "k"};
        if (inProcedure_) names.insert(names.end(), {":a", ":b", "a", "_a"});
        return OneOf(names);
    }

    std::string Number() {
        static const std::vector<std::string> numbers = {"0",   "1",    "2",  "3",  "7",   "10",
                                                         "0.5", "2.25", "45", "90", "120", "1000"};
        return OneOf(numbers);
    }

    std::string Expression(int depth = 0) {
        switch (depth > 2 ? Pick(2) : Pick(11)) {
        case 0: return Number();
        case 1: return Variable();
        case 2:
            return Variable() + " " + OneOf<std::string>({"+", "-", "*", "/", "%"}) + " " +
                   Number();
        case 3: return "(" + Expression(depth + 1) + ") * " + Expression(depth + 1);
        case 4: return "-" + Variable();
        case 5: return OneOf<std::string>({"sin ", "cos ", "abs ", "sqrt ", "mod "}) + Variable();
        case 6: return Expression(depth + 1) + " / (" + Variable() + " - " + Number() + ")";
        case 7: return Expression(depth + 1) + "+" + Expression(depth + 1);
        case 8: return Variable() + " ^ 2 " + OneOf<std::string>({"-", "+"}) + " " + Number();
        // Every computed value is rounded to three decimals on the way;
        // scaled up, that rounding shows in the one decimal a variable keeps.
        case 9: return "(" + Expression(depth + 1) + ") / 7 * 7000";
        default: return Variable() + " / 3 * 3 - " + Variable();
        }
    }

    std::string Condition() {
        return Expression(1) + " " + OneOf<std::string>({"<", ">", "<=", ">=", "==", "<>"}) + " " +
               Expression(1);
    }

    std::string List(int statements) {
        ++depth_;
        std::string list = "[";
        for (int n = 0; n < statements; ++n)
            list += (n ? OneOf<std::string>({" ", " ; "}) : "") + Statement();
        --depth_;
        return list + "]";
    }

    std::string Statement() {
        const int kinds = depth_ > 2 ? 6 : 15;
        switch (Pick(kinds)) {
        case 0:
        case 1: return Variable() + OneOf<std::string>({" := ", " = ", ":="}) + Expression();
        case 2: return Word({"ileri", "ig", "forward", "fd"}) + " " + Expression();
        case 3: return Word({"sa\xF0", "rt", "right", "sol", "lt", "left"}) + " " + Expression();
        case 4: return Word({"kalemyukar\xFD", "ky", "penup", "pu", "pd", "pendown"});
        case 5:
            return OneOf<std::string>({"p1 " + Expression() + ", " + Expression(),
                                       "p2 " + Expression(), "zzz 4", "fdd 5", "x := "});
        case 6: return Word({"tekrar", "repeat"}) + " " + Number() + " " + List(1 + Pick(3));
        case 7:
            return Word({"d\xF6ng\xFC", "for"}) + " [i := " + Number() + "; " + "i < " + Number() +
                   "; i := i + " + OneOf<std::string>({"1", "2", "0.5"}) + "] " + List(1 + Pick(2));
        case 8:
            return Word({"e\xF0"
                         "er",
                         "if"}) +
                   " " + Condition() + " " + List(1 + Pick(2));
        case 9:
            return Word({"dene", "test"}) + " " + Condition() + " " + List(1) + "\n" +
                   Word({"e\xF0"
                         "erdo\xF0ru",
                         "iftrue"}) +
                   " " + List(1) + "\n" +
                   Word({"e\xF0"
                         "eryanl\xFD\xFE",
                         "iffalse"}) +
                   " " + List(1);
        case 10:
            return "k := 0\n" + Word({"iken", "while"}) + " [k / 3 * 3 < " + Number() +
                   "] [k := k + 1 " + Statement() + "]";
        case 11:
            return "k := 0\n" + Word({"kadar", "until"}) + " [k > " + Number() + "] [k := k + 1 " +
                   Statement() + "]";
        case 12:
            return "k := 0\n" + Word({"yapiken", "dowhile", "yapkadar", "dountil"}) +
                   " [k := k + 1 " + Statement() + "] [k < " + Number() + "]";
        case 13:
            return inProcedure_ ? Word({"e\xF0"
                                        "er",
                                        "if"}) +
                                      " :a > 3 [" + Word({"durdur", "stop"}) + "]"
                                : "x := x + 1";
        default: return Variable() + " := " + Variable() + " + 1 ; " + Statement();
        }
    }

    std::string Lines(int count) {
        std::string text;
        for (int n = 0; n < count; ++n)
            text += Statement() + (Pick(6) == 0 ? " ' a comment" : "") + "\n";
        return text;
    }

    std::mt19937 random_;
    int depth_ = 0;
    bool inProcedure_ = false;
};

TEST(FastPathDifferential, GeneratedPrograms) {
    Generator generator(20261208);
    for (int n = 0; n < 300; ++n) {
        const Program program = generator.Make();
        std::string label = "program " + std::to_string(n) + ":\n";
        for (const auto& [header, body] : program.procedures)
            label += header + "\n" + body;
        label += program.main;
        if (!ExpectSameOutcome(program, label, GeneratedLineLimit))
            GTEST_SKIP() << "no language files";
        if (::testing::Test::HasFailure()) break;
    }
}

} // namespace
} // namespace mivarelo
