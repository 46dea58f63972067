#pragma once
// What happens to one program line: it is cut into commands at ';' (and,
// with AcceptSpace, wherever the normalizer finds a command word), each
// command's first word is looked up (procedures before keywords), keyword
// codes go to the turtle executor, procedure codes start a call, assignments
// are stored, and unknown words are reported and optionally retried as a
// keyword prefix. The commands that run nested lists (repeat, if, test,
// iftrue, iffalse, the loops) come back here from the executor and start
// contexts on the interpreter.
#include "core/Keywords.h"
#include "engine/CommandCache.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mivarelo {

class Interpreter;
class LogoThread;
class TurtleScreen;

class LineDispatcher {
public:
    // Installs itself as the control-flow handler of `screen`.
    LineDispatcher(TurtleScreen& screen, Interpreter& interpreter);
    ~LineDispatcher();
    LineDispatcher(const LineDispatcher&) = delete;
    LineDispatcher& operator=(const LineDispatcher&) = delete;

    // Runs every command of the line; false as soon as one fails (the rest of
    // the line is skipped). A stop also skips the rest of the line.
    bool RunCommandLine(std::string_view line);
    // Runs one command text.
    bool RunCommandText(std::string_view text);
    // A keyword code goes to the executor, a procedure code starts a call.
    bool DispatchCode(CommandCode code, std::string_view argument);
    // The retry of an unknown command: the shortest prefix that names a
    // command is run with the rest of the text as its argument ("fdd 10"
    // runs fd with "d 10"). False when no prefix matches.
    bool AutoSplitCommand(std::string_view text);
    // repeat, if, test, iftrue, iffalse, the loops and assignment.
    bool RunControlFlow(CommandCode code, std::string_view argument);
    // With fast paths (the default) the commands kept for a run, and the
    // loops, keep their expressions, conditions and assignments analysed
    // (see ExpressionProgram) instead of reading their texts at every pass.
    // Every result is the same either way; the switch is there to compare.
    void SetFastPaths(bool on) { fastPaths_ = on; }

private:
    // A call of a procedure for its value inside a piece: the procedure, its
    // argument text, and where the call stands in the piece.
    struct ValueCall {
        int procedure = -1;
        std::string arguments;
        std::size_t start = 0;
        std::size_t end = 0;
    };

    // `skipWord`: the piece's first word is its command, not a call.
    std::optional<ValueCall> FindValueCall(std::string_view piece, bool skipWord = true) const;
    static std::size_t ClosingParenthesis(std::string_view text, std::size_t from);
    static bool IsWordChar(char c);
    // `line` holds the piece; a call for a value takes the rest of it along.
    bool RunPiece(std::string_view piece, std::string_view line);
    // The running list that holds `piece`, when that list is known to be in
    // the normalizer's form; otherwise null.
    const LogoThread* NormalizedList(std::string_view piece) const;
    // Whether `part` lies inside the text of `list`.
    static bool Within(std::string_view part, const LogoThread& list);
    // The commands of a piece of such a list, cut without normalizing it
    // again; null when the piece must be normalized after all.
    const ParsedPiece* NormalizedPiece(std::string_view piece);
    ParsedPiece ParsePiece(std::string_view piece, bool& reported) const;
    void AddCommand(ParsedPiece& commands, std::string_view text) const;
    // Analyses the list commands; their lists are known to be in the
    // normalizer's form for `normalizedLevels` levels (0: not known).
    // `ownerMatches`, when given, is the bracket table of the commands' owner.
    static void Analyse(ParsedPiece& commands, int normalizedLevels,
                        const BracketMatches* ownerMatches);
    // The command `text`, a part of `owner`; without an owner the command
    // keeps a copy of the text.
    ParsedCommand Parse(std::string_view text, SharedText owner) const;
    bool RunCommands(const ParsedPiece& commands);
    bool RunCommand(const ParsedCommand& command);
    bool Repeat(std::string_view argument);
    bool If(std::string_view argument, bool isTest);
    // The plan of the command being dispatched, when it was made for this
    // very argument text; it is taken once.
    const ListCommandPlan* TakePlan(std::string_view argument);
    bool RunRepeat(const ListCommandPlan& plan);
    bool RunIf(const ListCommandPlan& plan, bool isTest);
    bool IfTestResult(std::string_view argument, bool wanted);
    bool ConditionLoop(std::string_view argument, bool bodyFirst, bool continueWhen);
    bool For(std::string_view argument);

    TurtleScreen& screen_;
    Interpreter& interpreter_;
    CommandCache cache_;
    bool fastPaths_ = true;
    // The analysed form of the command on its way through the turtle
    // screen's control-flow handler back to RunControlFlow, with the
    // argument text it belongs to.
    const ListCommandPlan* plan_ = nullptr;
    std::string_view planArgument_;
    // Whether the levels of normalized form that the running lists carry
    // still hold: not once an option or a procedure header changed during
    // the run (the cache forgot), until the next run.
    std::uint64_t trustedRun_ = 0;
    bool levelsTrusted_ = true;
};

} // namespace mivarelo
