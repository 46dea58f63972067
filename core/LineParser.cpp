#include "core/LineParser.h"

#include "core/ErrorList.h"
#include "core/ExpressionHook.h"
#include "core/GlobalSettings.h"
#include "core/LanguageIds.h"
#include "core/LanguageModule.h"
#include "core/Notifier.h"
#include "core/Numbers.h"
#include "core/TextOps.h"
#include "core/VariableStore.h"

#include <algorithm>
#include <cstring>
#include <deque>

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

// A list whose contents are to be normalized: its text, the bracket table
// from its first character, and the string its normalized text goes onto.
struct OpenList {
    std::string_view text;
    const std::uint32_t* matches = nullptr;
    std::string* out = nullptr;
};

// The normalizer of one nesting level, writing onto the end of `out`, which
// the levels of one line share. Holds the command being collected (word and
// argument text). Once a command holds a nested list the command is written
// straight into `out` ("open"), and the list's level writes its text after
// it: a deeply nested line is then written once, not copied into each
// enclosing level's text.
class Normalizer {
public:
    Normalizer(const ProcedureStore* store, std::string_view text, const std::uint32_t* matches,
               std::string& out)
        : store_(store), c_(text), matches_(matches), out_(out), start_(out.size()) {}
    // Reads on until a list with contents opens (returned in `list`, true)
    // or the text ends (false).
    bool Next(OpenList& list);
    // Writes the end of the list Next returned, once its level is done.
    void CloseList();

private:
    bool StartList(char open, const std::string& tok, OpenList& list);
    void TakeWord(const std::string& tok, std::string_view after);
    bool NamesAssignment(const std::string& tok, std::string_view after) const;
    void StartCommand(const std::string& word, const std::string& rest);
    void FinishCommand();
    void AppendToArgs(std::string_view tok);
    void OpenCommand();
    std::string& Args();

    const ProcedureStore* store_;
    Cursor c_;
    // The bracket table of the text being normalized, from its first character.
    const std::uint32_t* matches_;
    std::string& out_;
    // Where this level's commands begin in `out_`.
    std::size_t start_;
    std::string cmd_;
    std::string args_;
    // The bracket that ends the list being normalized one level deeper.
    char close_ = 0;
    // Whether cmd_ and its arguments so far are written into out_ already,
    // and whether that command has arguments there.
    bool open_ = false;
    bool openHasArgs_ = false;
    // Set once a word was recognised as a command; from then on unknown words
    // are arguments and no longer candidates for prefix splitting.
    bool seenCommand_ = false;
};

bool Normalizer::Next(OpenList& list) {
    while (!c_.AtEnd()) {
        SkipSpaces(c_);
        char t = 0;
        const std::string tok = ReadWord(c_, &t);
        if (t == '[' || t == '{') {
            c_.Advance();
            if (StartList(t, tok, list)) return true;
            continue;
        }
        if (t != 0) c_.Advance();
        TakeWord(tok, t == ' ' ? c_.Rest() : std::string_view());
        if (t == ';')
            FinishCommand();
        else if (t == '\n' || t == '\r' || t == ']' || t == '}')
            Args() += t;
    }
    FinishCommand();
    return false;
}

// A bracketed list goes into the argument text whole, its contents normalized
// one level deeper. A list of blanks only stays empty, as "[]" does, instead
// of becoming one empty command: the list commands must see it as empty. The
// list's end comes from the bracket table, so each level reads only its own
// text. A list before any command word of its level is collected apart,
// since the word, once it comes, is written before it.
bool Normalizer::StartList(char open, const std::string& tok, OpenList& list) {
    close_ = MatchingBracket(open);
    if (!tok.empty()) AppendToArgs(tok);
    if (!cmd_.empty()) OpenCommand();
    std::string& args = Args();
    args += ' ';
    args += open;
    args += ' ';
    const std::size_t start = std::min(c_.pos, c_.text.size());
    c_.pos = BalancedEnd(c_.text, start, close_, matches_);
    const std::string_view inner = c_.text.substr(start, c_.pos - start);
    c_.Advance();
    if (IsBlank(inner)) {
        CloseList();
        return false;
    }
    list = {inner, matches_ + start, &args};
    return true;
}

void Normalizer::CloseList() {
    std::string& args = Args();
    args += "  ";
    args += close_;
}

// Writes the command word and its arguments so far into out_: a blank
// unless the command is its level's first, the word (which may be empty),
// then a blank and the arguments when there are any. FinishCommand ends it
// with " ; ", where the parser cuts commands.
void Normalizer::OpenCommand() {
    if (open_) return;
    if (out_.size() > start_) out_ += ' ';
    out_ += cmd_;
    openHasArgs_ = !args_.empty();
    if (openHasArgs_) {
        out_ += ' ';
        out_ += args_;
    }
    args_.clear();
    open_ = true;
}

// Where argument text goes: straight into out_ once the command is open.
std::string& Normalizer::Args() {
    if (!open_) return args_;
    if (!openHasArgs_) {
        out_ += ' ';
        openHasArgs_ = true;
    }
    return out_;
}

// `after` is the text that follows the word on its line (empty when the
// word ended the command). A variable's name is never repaired: neither the
// repeat counter nor a variable that exists, nor the name of an assignment,
// whose expression words are then its arguments, as the words after a
// command are.
void Normalizer::TakeWord(const std::string& tok, std::string_view after) {
    std::string word;
    std::string rest;
    if (const CommandCode code = SplitCommandWord(store_, tok, word, rest); code != UnknownCode) {
        if (seenCommand_ && IsValueCall(code, rest)) {
            AppendToArgs(tok);
            return;
        }
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
    FinishCommand();
    args_ = rest;
    cmd_ = word;
}

void Normalizer::FinishCommand() {
    if (open_) {
        out_ += " ; ";
        open_ = false;
    } else if (!cmd_.empty() || !args_.empty()) {
        OpenCommand();
        out_ += " ; ";
        open_ = false;
    }
    cmd_.clear();
    args_.clear();
}

void Normalizer::AppendToArgs(std::string_view tok) {
    std::string& args = Args();
    args += ' ';
    args += tok;
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

// The levels of open lists are kept on a stack of their own, not on the
// call stack, so a line nests as deeply as it likes.
std::string NormalizeLine(std::string_view text, const ProcedureStore* store) {
    std::string normalized;
    if (text.empty()) return normalized;
    const BracketMatches matches = MatchBrackets(text);
    std::deque<Normalizer> levels;
    levels.emplace_back(store, text, matches.data(), normalized);
    while (!levels.empty()) {
        OpenList list;
        if (levels.back().Next(list)) {
            levels.emplace_back(store, list.text, list.matches, *list.out);
            continue;
        }
        levels.pop_back();
        if (!levels.empty()) levels.back().CloseList();
    }
    return normalized;
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
    return ErrorLineText(UnknownCommandId, word, lineNumber);
}

bool IsValueCall(CommandCode code, std::string_view rest) {
    return code >= ProcedureCodeBase && rest.starts_with('(');
}

std::string ErrorLineText(int textId, std::string_view word, int lineNumber) {
    std::string line = GetLanguageString(textId);
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
    SetVariable(name, EvaluateExpression(expression));
    return true;
}

} // namespace mivarelo
