#include "core/LineParser.h"

#include "core/VariableStore.h"
#include "core/ErrorList.h"
#include "core/ExpressionHook.h"
#include "core/GlobalSettings.h"
#include "core/LanguageIds.h"
#include "core/LanguageModule.h"
#include "core/Notifier.h"
#include "core/Numbers.h"
#include "core/TextOps.h"

#include <algorithm>
#include <cstring>

namespace mivarelo {

namespace {

// No keyword is longer than this, so a longer prefix can never match one.
std::size_t LongestKeywordLength() {
    static const std::size_t longest = [] {
        std::size_t n = 0;
        for (const char* k : KeywordTable)
            n = std::max(n, std::strlen(k));
        return n;
    }();
    return longest;
}

// One normalizer run over the text of one nesting level. Holds the command
// being collected (word and argument text) and the commands finished so far.
class Normalizer {
public:
    Normalizer(const ProcedureStore* store, int depth, const std::uint32_t* matches)
        : store_(store), depth_(depth), matches_(matches) {}
    std::string Run(std::string_view text);

private:
    void AppendList(Cursor& c, char open, const std::string& tok);
    void TakeWord(const std::string& tok, std::string_view after);
    bool NamesAssignment(const std::string& tok, std::string_view after) const;
    void StartCommand(const std::string& word, const std::string& rest);
    void FinishCommand();
    void AppendToArgs(const std::string& tok);

    const ProcedureStore* store_;
    int depth_;
    // The bracket table of the text being normalized, from its first character.
    const std::uint32_t* matches_;
    std::string result_;
    std::string cmd_;
    std::string args_;
    // Set once a word was recognised as a command; from then on unknown words
    // are arguments and no longer candidates for prefix splitting.
    bool seenCommand_ = false;
};

std::string NormalizeAtDepth(std::string_view text, const ProcedureStore* store, int depth,
                             const std::uint32_t* matches) {
    if (text.empty()) return {};
    return Normalizer(store, depth, matches).Run(text);
}

std::string Normalizer::Run(std::string_view text) {
    Cursor c(text);
    while (!c.AtEnd()) {
        SkipSpaces(c);
        char t = 0;
        const std::string tok = ReadWord(c, &t);
        if (t == '[' || t == '{') {
            c.Advance();
            AppendList(c, t, tok);
            continue;
        }
        if (t != 0) c.Advance();
        TakeWord(tok, t == ' ' ? c.Rest() : std::string_view());
        if (t == ';')
            FinishCommand();
        else if (t == '\n' || t == '\r' || t == ']' || t == '}')
            args_ += t;
    }
    FinishCommand();
    return std::move(result_);
}

// A bracketed list goes into the argument text whole, its contents normalized
// one level deeper. Past the depth limit the contents stay as written, which
// bounds the recursion however deeply the input nests. A list of blanks only
// stays empty, as "[]" does, instead of becoming one empty command: the list
// commands must see it as empty. The list's end comes from the bracket table,
// so each level reads only its own text.
void Normalizer::AppendList(Cursor& c, char open, const std::string& tok) {
    const char close = MatchingBracket(open);
    if (!tok.empty()) AppendToArgs(tok);
    args_ += ' ';
    args_ += open;
    const std::size_t start = std::min(c.pos, c.text.size());
    c.pos = BalancedEnd(c.text, start, close, matches_);
    const std::string_view inner = c.text.substr(start, c.pos - start);
    c.Advance();
    const int innerDepth = depth_ + 1;
    args_ += ' ';
    if (innerDepth > NormalizeDepthLimit)
        args_ += inner;
    else if (!IsBlank(inner))
        args_ += NormalizeAtDepth(inner, store_, innerDepth, matches_ + start);
    args_ += "  ";
    args_ += close;
}

// `after` is the text that follows the word on its line (empty when the
// word ended the command). A variable's name is never repaired: neither the
// repeat counter nor a variable that exists, nor the name of an assignment,
// whose expression words are then its arguments, as the words after a
// command are.
void Normalizer::TakeWord(const std::string& tok, std::string_view after) {
    std::string word;
    std::string rest;
    if (SplitCommandWord(store_, tok, word, rest) != UnknownCode) {
        seenCommand_ = true;
        StartCommand(word, rest);
        return;
    }
    if (seenCommand_) {
        if (!tok.empty()) AppendToArgs(tok);
        return;
    }
    if (!tok.empty() && NamesAssignment(tok, after)) {
        seenCommand_ = true;
        AppendToArgs(tok);
        return;
    }
    const GlobalSettings& g = Globals();
    std::string keyword;
    if (g.AcceptSpace && g.AutoCorrectErrors && !tok.empty() &&
        SplitKeywordPrefix(tok, keyword, rest) && !IsRepeatCounterName(tok) && !HasVariable(tok)) {
        ReportUnknownWord(tok);
        StartCommand(keyword, rest);
        return;
    }
    AppendToArgs(tok);
}

// Whether the unknown word `tok` is the name of an assignment: followed by
// "=" or ":=" ("yabci = 360", "step := 100"), or holding one after a name
// that is no command ("x=1", but not "ileri=5": a command glued to its
// argument). "==" compares: "denex == 3" is a glued "dene x == 3".
bool Normalizer::NamesAssignment(const std::string& tok, std::string_view after) const {
    const std::size_t start = after.find_first_not_of(' ');
    if (start != std::string_view::npos) {
        const std::string_view rest = after.substr(start);
        if ((rest.starts_with('=') && !rest.starts_with("==")) || rest.starts_with(":="))
            return true;
    }
    std::string name;
    std::string expression;
    return SplitAssignment(tok, name, expression) && !IsBlank(name) &&
           LookupCommand(name, store_) == UnknownCode;
}

// A new command word ends the command being collected. Arguments written
// before the very first command word stay with that command.
void Normalizer::StartCommand(const std::string& word, const std::string& rest) {
    if (cmd_.empty()) {
        cmd_ = word;
        if (!rest.empty()) args_ = rest;
        return;
    }
    AppendCommand(result_, cmd_, args_);
    args_ = rest;
    cmd_ = word;
}

void Normalizer::FinishCommand() {
    if (!cmd_.empty() || !args_.empty()) AppendCommand(result_, cmd_, args_);
    cmd_.clear();
    args_.clear();
}

void Normalizer::AppendToArgs(const std::string& tok) {
    args_ += ' ';
    args_ += tok;
}

// An expression of blanks only is no value: "x :=" gets one from the
// normalizer and must fail as it does without it.
bool SplitAt(std::string_view text, std::string_view op, std::string& name,
             std::string& expression) {
    if (SplitAtOperator(text, op, name, expression) && !IsBlank(expression)) return true;
    name.clear();
    expression.clear();
    return false;
}

} // namespace

std::string NormalizeLine(std::string_view text, const ProcedureStore* store) {
    const BracketMatches matches = MatchBrackets(text);
    return NormalizeAtDepth(text, store, 0, matches.data());
}

void AppendCommand(std::string& result, std::string_view cmd, std::string_view args) {
    if (!result.empty()) result += ' ';
    result += cmd;
    if (!args.empty()) {
        result += ' ';
        result += args;
    }
    result += " ; ";
}

char MatchingBracket(char c) {
    switch (c) {
    case '(': return ')';
    case '[': return ']';
    case '{': return '}';
    default: return c;
    }
}

bool ClosingBracketsMatch(std::string_view text) {
    std::string open;
    for (const char c : text) {
        if (c == '[' || c == '(' || c == '{') open += MatchingBracket(c);
        if (c != ']' && c != ')' && c != '}') continue;
        if (open.empty() || open.back() != c) return false;
        open.pop_back();
    }
    return true;
}

bool SplitKeywordPrefix(std::string_view word, std::string& keyword, std::string& rest) {
    keyword.clear();
    rest.clear();
    Cursor c(word);
    SkipSpaces(c);
    const std::string_view w = c.Rest();
    const std::size_t longest = std::min(w.size(), LongestKeywordLength());
    for (std::size_t n = 1; n <= longest; ++n) {
        const CommandCode code = LookupCommand(w.substr(0, n), nullptr);
        if (code != UnknownCode) {
            keyword = KeywordOf(code);
            rest = std::string(w.substr(n));
            return true;
        }
    }
    return false;
}

std::string UnknownWordText(std::string_view word, int lineNumber) {
    std::string line = GetLanguageString(UnknownCommandId);
    line += ": '";
    line += word;
    line += "' ( ";
    line += GetLanguageString(LineId);
    line += " = ";
    line += IntToText(lineNumber);
    line += " ) ";
    return line;
}

void ReportUnknownWord(std::string_view word) {
    GlobalSettings& g = Globals();
    const std::string line = UnknownWordText(word, g.CurrentLineNumber);
    Beep();
    g.LastErrorLine = g.CurrentLineNumber;
    if (ErrorList* list = CurrentErrorList()) list->AddErrorLine(line);
}

CommandCode SplitCommandWord(const ProcedureStore* store, std::string_view text, std::string& word,
                             std::string& rest) {
    if (text.empty()) return UnknownCode;
    Cursor c(text);
    SkipSpaces(c);
    word = ReadCommandWord(c);
    rest = std::string(c.Rest());
    return LookupCommand(word, store);
}

std::string ReadBlock(Cursor& c) {
    if (c.AtEnd()) return {};
    const std::size_t open = c.text.find('[', c.pos);
    if (open != std::string_view::npos) c.pos = open + 1;
    return ReadUntilBalanced(c, ']', true);
}

std::string FirstBlock(std::string_view text) {
    Cursor c(text);
    return ReadBlock(c);
}

void TwoBlocks(std::string_view text, std::string& first, std::string& second) {
    Cursor c(text);
    first = ReadBlock(c);
    second = ReadBlock(c);
}

bool SplitAssignment(std::string_view text, std::string& name, std::string& expression) {
    name.clear();
    expression.clear();
    if (text.empty()) return false;
    return SplitAt(text, ":=", name, expression) || SplitAt(text, "=", name, expression);
}

bool ExecuteAssignment(std::string_view text) {
    std::string name;
    std::string expression;
    if (!SplitAssignment(text, name, expression)) return false;
    SetVariable(name, static_cast<float>(EvaluateExpression(expression)));
    return true;
}

} // namespace mivarelo
