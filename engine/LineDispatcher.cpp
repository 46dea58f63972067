#include "engine/LineDispatcher.h"

#include "core/CommandTable.h"
#include "core/ErrorList.h"
#include "core/GlobalSettings.h"
#include "core/Keywords.h"
#include "core/LineParser.h"
#include "core/ProcedureStore.h"
#include "core/TextReaders.h"
#include "core/VariableStore.h"
#include "engine/AssignmentProgram.h"
#include "engine/Conditions.h"
#include "engine/Evaluator.h"
#include "engine/Interpreter.h"
#include "engine/ListCommandPlan.h"
#include "engine/LoopElement.h"
#include "engine/TextValues.h"
#include "engine/TurtleScreen.h"
#include "engine/TurtleState.h"

#include <algorithm>
#include <memory>
#include <string>

namespace mivarelo {

namespace {

bool Halted() {
    const GlobalSettings& g = Globals();
    return g.AbortRequested || g.StopRequested;
}

// What a character means to the cutting of a line into pieces.
enum class PieceChar : unsigned char { Plain, Open, Close, End };

struct PieceCharTable {
    PieceChar of[256];
    constexpr PieceCharTable() : of() {
        for (const unsigned char c : {'(', '[', '{'})
            of[c] = PieceChar::Open;
        for (const unsigned char c : {')', ']', '}'})
            of[c] = PieceChar::Close;
        of[static_cast<unsigned char>(';')] = PieceChar::End;
    }
};

constexpr PieceCharTable PieceChars;

// The text up to the next ';' outside brackets, as ReadUntilBalanced reads
// it, without a copy; the cursor moves past the ';'.
std::string_view NextPiece(Cursor& c) {
    const std::string_view text = c.text;
    const std::size_t start = c.pos;
    std::size_t end = start;
    int depth = 0;
    for (; end < text.size(); ++end) {
        const PieceChar kind = PieceChars.of[static_cast<unsigned char>(text[end])];
        if (kind == PieceChar::Plain) continue;
        if (kind == PieceChar::End && depth <= 0) break;
        depth += kind == PieceChar::Open ? 1 : kind == PieceChar::Close ? -1 : 0;
    }
    c.pos = end < text.size() ? end + 1 : end;
    return text.substr(start, end - start);
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Counts the error lines written while it is installed, passing each on to
// the error list it replaced.
class ErrorLineCounter : public ErrorList {
public:
    ErrorLineCounter() : previous_(SetCurrentErrorList(this)) {}
    ~ErrorLineCounter() override { SetCurrentErrorList(previous_); }
    ErrorLineCounter(const ErrorLineCounter&) = delete;
    ErrorLineCounter& operator=(const ErrorLineCounter&) = delete;

    void AddErrorLine(const std::string& line) override {
        ++count_;
        if (previous_) previous_->AddErrorLine(line);
    }
    int Count() const { return count_; }

private:
    ErrorList* previous_;
    int count_ = 0;
};

} // namespace

LineDispatcher::LineDispatcher(TurtleScreen& screen, Interpreter& interpreter)
    : screen_(screen), interpreter_(interpreter) {
    screen_.SetControlFlowHandler([this](CommandCode code, std::string_view argument) {
        return RunControlFlow(code, argument);
    });
}

LineDispatcher::~LineDispatcher() {
    screen_.SetControlFlowHandler(nullptr);
}

// A long line of a list the normalizer wrote (a list nested deeply) is cut
// with the bracket table of its text, which jumps over the nested lists
// instead of reading them; short lines are read as they are.
bool LineDispatcher::RunCommandLine(std::string_view line) {
    if (line.empty()) return true;
    constexpr std::size_t LongLine = 1024;
    std::shared_ptr<const BracketMatches> matches;
    const std::uint32_t* lineMatches = nullptr;
    const LogoThread* list = interpreter_.CurrentThread();
    if (line.size() > LongLine && list && list->NormalizedLevels() > 0 && Within(line, *list)) {
        matches = cache_.MatchesOf(list->Owner());
        lineMatches = matches->data() + (line.data() - list->Owner()->data());
    }
    Cursor c(line);
    while (!Halted() && !c.AtEnd()) {
        // A piece of blanks holds no command (the normalizer ends every
        // command with " ; ", so one follows most lines); it is not looked up.
        std::string_view piece;
        if (lineMatches) {
            const std::size_t end = BalancedEnd(line, c.pos, ';', lineMatches);
            piece = line.substr(c.pos, end - c.pos);
            c.pos = end < line.size() ? end + 1 : end;
        } else {
            piece = NextPiece(c);
        }
        if (IsBlank(piece)) continue;
        if (!RunPiece(piece, line)) return false;
        // A call for a value took the rest of the line along; it runs once
        // the value is there.
        const LogoThread* running = interpreter_.CurrentThread();
        if (running && running->AwaitingValue()) return true;
    }
    return true;
}

// A procedure's name right before '(' in a command's arguments, outside
// its lists, calls the procedure for its value: "fd double(50)". Of calls
// inside the arguments of another the innermost goes first, and of calls
// side by side the leftmost, so "fib(n - 1) + fib(n - 2)" calls from the left.
std::optional<LineDispatcher::ValueCall> LineDispatcher::FindValueCall(std::string_view piece,
                                                                       bool skipWord) const {
    if (piece.find('(') == std::string_view::npos) return std::nullopt;
    std::size_t pos = 0;
    if (skipWord) {
        pos = piece.find_first_not_of(' ');
        while (pos < piece.size() && IsWordChar(piece[pos]))
            ++pos;
    }
    int lists = 0;
    for (; pos < piece.size(); ++pos) {
        const char c = piece[pos];
        if (c == '[' || c == '{') ++lists;
        if ((c == ']' || c == '}') && lists > 0) --lists;
        if (c != '(' || lists > 0) continue;
        std::size_t start = pos;
        while (start > 0 && IsWordChar(piece[start - 1]))
            --start;
        if (start == pos || (piece[start] >= '0' && piece[start] <= '9')) continue;
        const int procedure = screen_.Procedures().FindProcedure(piece.substr(start, pos - start));
        if (procedure < 0) continue;
        const std::size_t open = pos + 1;
        const std::size_t close = ClosingParenthesis(piece, open);
        if (close == std::string_view::npos) return std::nullopt;
        const std::string_view inside = piece.substr(open, close - open);
        if (const std::optional<ValueCall> inner = FindValueCall(inside, false)) {
            ValueCall call = *inner;
            call.start += open;
            call.end += open;
            return call;
        }
        return ValueCall{procedure, std::string(inside), start, close + 1};
    }
    return std::nullopt;
}

// The ')' that closes the '(' before `from`, or npos.
std::size_t LineDispatcher::ClosingParenthesis(std::string_view text, std::size_t from) {
    int depth = 1;
    for (std::size_t k = from; k < text.size(); ++k) {
        depth += text[k] == '(' ? 1 : text[k] == ')' ? -1 : 0;
        if (depth == 0) return k;
    }
    return std::string_view::npos;
}

bool LineDispatcher::IsWordChar(char c) {
    return IsNameChar(c) || (c >= '0' && c <= '9');
}

// During a run a piece is parsed once and then taken from the cache: by its
// place when it is a part of the running list's shared text (no copy of it
// is kept), else by its text.
bool LineDispatcher::RunPiece(std::string_view piece, std::string_view line) {
    // The rest of a line that waited for a value holds the value as text;
    // its pieces differ from call to call and are not kept.
    const LogoThread* running = interpreter_.CurrentThread();
    const bool cacheable = interpreter_.Busy() && !(running && running->ResumedLine());
    const LogoThread* list = running && Within(piece, *running) ? running : nullptr;
    if (cacheable) {
        const GlobalSettings& g = Globals();
        const std::uint64_t run = interpreter_.RunSerial();
        const bool forgot = cache_.Validate(run, g.AcceptSpace, g.AutoCorrectErrors,
                                            screen_.Procedures().Headers());
        if (run != trustedRun_) {
            trustedRun_ = run;
            levelsTrusted_ = true;
        } else if (forgot) {
            levelsTrusted_ = false;
        }
        if (const ParsedPiece* commands = list ? cache_.FindAt(piece) : cache_.Find(piece))
            return RunCommands(*commands);
    }
    // A piece that calls a procedure for its value is never kept, so a kept
    // piece is not searched for such a call again.
    if (const std::optional<ValueCall> call = FindValueCall(piece))
        return interpreter_.CallForValue(call->procedure, call->arguments,
                                         std::string(line.substr(piece.data() - line.data())),
                                         call->start, call->end);
    if (cacheable)
        if (const ParsedPiece* commands = NormalizedPiece(piece)) return RunCommands(*commands);
    bool reported = false;
    ParsedPiece commands = ParsePiece(piece, reported);
    if (!cacheable || reported) return RunCommands(commands);
    if (fastPaths_) Analyse(commands, Globals().AcceptSpace ? AllLevelsNormalized : 0, nullptr);
    return RunCommands(list ? cache_.StoreAt(piece, list->Owner(), std::move(commands))
                            : cache_.Store(piece, std::move(commands)));
}

// A list that the normalizer wrote, inside a piece it normalized, is in its
// form already: normalizing one of its pieces that starts with a command
// word again would give the same command (blanks aside, which carry no
// meaning). Such a piece is therefore cut and looked up once, by its place
// in the shared text, without being read again; this keeps a deeply nested
// list from being normalized (and copied) once per level. A piece that
// starts with another word goes the ordinary way: alone, its first word may
// be repaired, where after an earlier command of its list it was not. So
// does every list once an option or a procedure header changed during the
// run.
const LogoThread* LineDispatcher::NormalizedList(std::string_view piece) const {
    const LogoThread* list = interpreter_.CurrentThread();
    if (!levelsTrusted_ || !list || list->NormalizedLevels() <= 0 || !Globals().AcceptSpace ||
        !Within(piece, *list))
        return nullptr;
    return list;
}

bool LineDispatcher::Within(std::string_view part, const LogoThread& list) {
    const std::string_view text = list.Text();
    return part.data() >= text.data() && part.data() + part.size() <= text.data() + text.size();
}

// The piece holds one command: the line was cut at every ';' outside
// brackets, which is where the normalizer ends its commands.
const ParsedPiece* LineDispatcher::NormalizedPiece(std::string_view piece) {
    const LogoThread* list = NormalizedList(piece);
    if (!list) return nullptr;
    ParsedPiece commands;
    commands.push_back(Parse(piece, list->Owner()));
    if (commands.front().code == UnknownCode) return nullptr;
    if (fastPaths_)
        Analyse(commands, list->NormalizedLevels() - 1, cache_.MatchesOf(list->Owner()).get());
    return &cache_.StoreAt(piece, list->Owner(), std::move(commands));
}

void LineDispatcher::Analyse(ParsedPiece& commands, int normalizedLevels,
                             const BracketMatches* ownerMatches) {
    for (ParsedCommand& command : commands) {
        const std::uint32_t* matches =
            ownerMatches
                ? ownerMatches->data() + (command.Argument().data() - command.owner->data())
                : nullptr;
        if (command.code == UnknownCode) {
            command.assignment = std::make_shared<const AssignmentProgram>(command.text);
            continue;
        }
        const CommandRow* row = RowOf(command.code);
        if (!row) continue;
        switch (row->argument) {
        case ArgumentKind::CountAndList:
            command.listPlan = std::make_shared<const ListCommandPlan>(
                ListCommandPlan::Kind::Repeat, command.Argument(), command.owner, normalizedLevels,
                matches);
            break;
        case ArgumentKind::ConditionAndList:
            command.listPlan = std::make_shared<const ListCommandPlan>(
                ListCommandPlan::Kind::Condition, command.Argument(), command.owner,
                normalizedLevels, matches);
            break;
        default: break;
        }
    }
}

// With AcceptSpace the piece runs in its normalized form, in which every
// command ends with " ; ". Without it the normalizer would change nothing
// and is not asked.
ParsedPiece LineDispatcher::ParsePiece(std::string_view piece, bool& reported) const {
    ParsedPiece commands;
    if (!Globals().AcceptSpace) {
        AddCommand(commands, piece);
        return commands;
    }
    std::string normalized;
    {
        const ErrorLineCounter counter;
        normalized = NormalizeLine(piece, &screen_.Procedures());
        reported = counter.Count() > 0;
    }
    if (normalized == piece) {
        AddCommand(commands, piece);
        return commands;
    }
    const SharedText owner = std::make_shared<const std::string>(std::move(normalized));
    const std::string_view text = *owner;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = BalancedEnd(text, start, ';');
        if (const std::string_view command = text.substr(start, end - start); !IsBlank(command))
            commands.push_back(Parse(command, owner));
        start = end < text.size() ? end + 1 : end;
    }
    return commands;
}

void LineDispatcher::AddCommand(ParsedPiece& commands, std::string_view text) const {
    if (!IsBlank(text)) commands.push_back(Parse(text, nullptr));
}

// The command word is what SplitCommandWord takes: after leading blanks, up
// to '[', '(', '{' or a blank.
ParsedCommand LineDispatcher::Parse(std::string_view text, SharedText owner) const {
    ParsedCommand command;
    if (owner) {
        command.owner = std::move(owner);
        command.text = text;
    } else {
        command.owner = std::make_shared<const std::string>(text);
        command.text = *command.owner;
    }
    if (command.text.empty()) return command;
    const std::size_t start = std::min(command.text.find_first_not_of(' '), command.text.size());
    const std::size_t end =
        std::min(command.text.find_first_of("[({ ", start), command.text.size());
    command.code = LookupCommand(command.text.substr(start, end - start), &screen_.Procedures());
    command.argumentStart = end;
    return command;
}

// A stop skips the remaining commands; a failing command fails the line.
bool LineDispatcher::RunCommands(const ParsedPiece& commands) {
    for (const ParsedCommand& command : commands) {
        if (Halted()) break;
        if (!RunCommand(command)) return false;
    }
    return true;
}

bool LineDispatcher::RunCommandText(std::string_view text) {
    if (IsBlank(text)) return true;
    return RunCommand(Parse(text, nullptr));
}

// A word that is no command may still start an assignment; otherwise it is
// reported and, with AutoCorrectErrors, retried as a keyword prefix.
bool LineDispatcher::RunCommand(const ParsedCommand& command) {
    if (command.code != UnknownCode) {
        if (!fastPaths_ || !command.listPlan) return DispatchCode(command.code, command.Argument());
        plan_ = command.listPlan.get();
        planArgument_ = command.Argument();
        const bool ok = DispatchCode(command.code, command.Argument());
        plan_ = nullptr;
        return ok;
    }
    if ((fastPaths_ && command.assignment) ? command.assignment->Run()
                                           : ExecuteAssignment(command.text))
        return true;
    ReportUnknownWord(Trimmed(command.text));
    return Globals().AutoCorrectErrors && AutoSplitCommand(command.text);
}

bool LineDispatcher::DispatchCode(CommandCode code, std::string_view argument) {
    if (code < ProcedureCodeBase) return screen_.ExecuteTurtleCommand(code, argument);
    return interpreter_.RunProcedure(code - ProcedureCodeBase, argument, false, 1);
}

namespace {

// A prefix longer than every keyword and every procedure name cannot be a
// command word, so the search below stops there: a long unknown word then
// costs no more than a short one.
std::size_t LongestCommandWord(const ProcedureStore& store) {
    static const std::size_t longestKeyword = [] {
        std::size_t longest = 0;
        for (const char* keyword : KeywordTable)
            longest = std::max(longest, std::string_view(keyword).size());
        return longest;
    }();
    std::size_t longest = longestKeyword;
    for (const std::string& header : store.Headers())
        longest = std::max(longest, FirstWordOf(header).size());
    return longest;
}

} // namespace

bool LineDispatcher::AutoSplitCommand(std::string_view text) {
    if (IsBlank(text)) return true;
    const std::string_view rest = text.substr(text.find_first_not_of(' '));
    const std::size_t longest = std::min(rest.size(), LongestCommandWord(screen_.Procedures()));
    for (std::size_t length = 1; length <= longest; ++length) {
        if (Halted()) return false;
        const CommandCode code = LookupCommand(rest.substr(0, length), &screen_.Procedures());
        if (code != UnknownCode) return DispatchCode(code, rest.substr(length));
    }
    return false;
}

bool LineDispatcher::RunControlFlow(CommandCode code, std::string_view argument) {
    const ListCommandPlan* plan = TakePlan(argument);
    const bool repeatPlan = plan && plan->Type() == ListCommandPlan::Kind::Repeat;
    const bool conditionPlan = plan && plan->Type() == ListCommandPlan::Kind::Condition;
    if (code == AssignmentCode) return ExecuteAssignment(argument);
    const CommandRow* row = RowOf(code);
    if (!row) return true;
    switch (row->Name()) {
    case Keyword::Repeat: return repeatPlan ? RunRepeat(*plan) : Repeat(argument);
    case Keyword::If: return conditionPlan ? RunIf(*plan, false) : If(argument, false);
    case Keyword::Test: return conditionPlan ? RunIf(*plan, true) : If(argument, true);
    case Keyword::IfTrue: return IfTestResult(argument, true);
    case Keyword::IfFalse: return IfTestResult(argument, false);
    case Keyword::Until: return ConditionLoop(argument, false, false);
    case Keyword::While: return ConditionLoop(argument, false, true);
    case Keyword::DoUntil: return ConditionLoop(argument, true, false);
    case Keyword::DoWhile: return ConditionLoop(argument, true, true);
    case Keyword::For: return For(argument);
    case Keyword::Output: interpreter_.Output(evaluate(argument)); return true;
    case Keyword::Print: interpreter_.Print(TextWithValues(Trimmed(argument))); return true;
    default: return true;
    }
}

// "repeat COUNT [LIST]": the count is everything before the '['; a count of
// zero or less runs nothing. Here and in the other list commands an argument,
// a list or a loop part of blanks only counts as missing, since the
// normalizer leaves blanks where nothing was written.
bool LineDispatcher::Repeat(std::string_view argument) {
    if (IsBlank(argument)) return true;
    Cursor c(argument);
    const int count = TruncToInt(evaluate(ReadUntil(c, '[', false)));
    if (count <= 0) return true;
    c.Advance();
    const std::string list = ReadUntilBalanced(c, ']', true);
    if (IsBlank(list)) return true;
    return interpreter_.RunText(list, count, nullptr, true);
}

const ListCommandPlan* LineDispatcher::TakePlan(std::string_view argument) {
    const ListCommandPlan* plan = plan_;
    plan_ = nullptr;
    if (!plan || argument.data() != planArgument_.data() || argument.size() != planArgument_.size())
        return nullptr;
    return plan;
}

// Repeat from the analysed form: the same steps on the same parts.
bool LineDispatcher::RunRepeat(const ListCommandPlan& plan) {
    if (plan.ArgumentBlank()) return true;
    const int count = plan.Count();
    if (count <= 0 || plan.ListBlank()) return true;
    return interpreter_.RunList(plan.Owner(), plan.List(), plan.NormalizedLevels(), count, true);
}

// "if CONDITION [LIST]" and "test CONDITION [LIST]"; there is no else branch.
// test also keeps the condition's value for iftrue and iffalse.
bool LineDispatcher::If(std::string_view argument, bool isTest) {
    GlobalSettings& g = Globals();
    if (isTest) g.TestResult = 0;
    if (IsBlank(argument)) return true;
    Cursor c(argument);
    const int result = ConditionValue(c);
    if (isTest) g.TestResult = result;
    if (result == 0) return true;
    ReadUntil(c, '[', true);
    const std::string list = ReadUntilBalanced(c, ']', true);
    if (IsBlank(list)) return true;
    return interpreter_.RunText(list, 1, nullptr, false);
}

// If and test from the analysed form: the same steps on the same parts.
bool LineDispatcher::RunIf(const ListCommandPlan& plan, bool isTest) {
    GlobalSettings& g = Globals();
    if (isTest) g.TestResult = 0;
    if (plan.ArgumentBlank()) return true;
    const int result = plan.ConditionValue();
    if (isTest) g.TestResult = result;
    if (result == 0 || plan.ListBlank()) return true;
    return interpreter_.RunList(plan.Owner(), plan.List(), plan.NormalizedLevels(), 1, false);
}

bool LineDispatcher::IfTestResult(std::string_view argument, bool wanted) {
    if ((Globals().TestResult != 0) != wanted) return true;
    const std::string list = FirstBlock(argument);
    if (IsBlank(list)) return true;
    return interpreter_.RunText(list, 1, nullptr, true);
}

// "while [CONDITION] [BODY]" and "until [CONDITION] [BODY]" test before the
// first iteration; "dowhile [BODY] [CONDITION]" and "dountil [BODY]
// [CONDITION]" run the body first. The loop goes on while the condition's
// result equals continueWhen.
bool LineDispatcher::ConditionLoop(std::string_view argument, bool bodyFirst, bool continueWhen) {
    if (IsBlank(argument)) return true;
    std::string first;
    std::string second;
    TwoBlocks(argument, first, second);
    std::string& condition = bodyFirst ? second : first;
    std::string& body = bodyFirst ? first : second;
    if (IsBlank(condition) || IsBlank(body)) return true;
    auto loop = std::make_unique<LoopElement>();
    loop->Condition = std::move(condition);
    loop->ContinueWhen = continueWhen;
    loop->TestFirst = !bodyFirst;
    if (fastPaths_) loop->Analyse();
    return interpreter_.RunText(body, bodyFirst ? -1 : 1, std::move(loop), false);
}

// "for [INIT; CONDITION; STEP] [BODY]": the condition is tested after each
// iteration before the step, so "i := 1; i < 4; i := i + 1" runs with
// i = 1, 2, 3 and 4.
bool LineDispatcher::For(std::string_view argument) {
    if (IsBlank(argument)) return true;
    std::string header;
    std::string body;
    TwoBlocks(argument, header, body);
    if (IsBlank(header) || IsBlank(body)) return true;
    auto loop = std::make_unique<LoopElement>();
    Cursor c(header);
    loop->Init = ReadUntil(c, ';', true);
    loop->Condition = ReadUntil(c, ';', true);
    loop->Step = ReadUntil(c, ';', true);
    loop->ContinueWhen = true;
    loop->TestFirst = true;
    if (fastPaths_) loop->Analyse();
    return interpreter_.RunText(body, -1, std::move(loop), false);
}

} // namespace mivarelo
