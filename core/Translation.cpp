#include "core/Translation.h"

#include "core/LineParser.h"
#include "core/Numbers.h"
#include "core/ProcedureStore.h"
#include "core/TextReaders.h"

namespace mivarelo {

namespace {

// Lists nested deeper than this are kept as they stand, so that
// pathological input cannot exhaust the stack.
constexpr int TranslateDepthLimit = 100;

struct Target {
    bool toTurkish;
    bool toLong;
    bool spaceSeparated;
    const ProcedureStore* store;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsKeywordCode(CommandCode code) {
    return AsKeyword(code).has_value();
}

// The end of the blank-delimited token starting at `start`; a bracketed part
// belongs to the token whole.
std::size_t TokenEnd(std::string_view text, std::size_t start) {
    int depth = 0;
    std::size_t i = start;
    for (; i < text.size() && !(text[i] == ' ' && depth <= 0); ++i) {
        if (text[i] == '[' || text[i] == '(' || text[i] == '{') ++depth;
        if (text[i] == ']' || text[i] == ')' || text[i] == '}') --depth;
    }
    return i;
}

CommandCode CodeOfToken(std::string_view token, const ProcedureStore* store) {
    std::string word, rest;
    return SplitCommandWord(store, token, word, rest);
}

// A token that starts a command of its own: a command word, but not a call
// for a procedure's value among the arguments of an open piece.
bool StartsCommand(std::string_view token, const ProcedureStore* store, bool open) {
    std::string word, rest;
    const CommandCode code = SplitCommandWord(store, token, word, rest);
    return code != UnknownCode && !(open && IsValueCall(code, rest));
}

// Cuts one ';'-free part before every command word. A part that starts
// with an assignment stays whole: its expression may use a variable named
// like a keyword.
void SplitPart(std::string_view part, const ProcedureStore* store, std::vector<CommandPiece>& out) {
    const std::string_view trimmed = Trim(part);
    if (trimmed.empty()) return;
    if (trimmed.find('=') != std::string_view::npos && CodeOfToken(trimmed, store) == UnknownCode) {
        out.push_back({UnknownCode, std::string(trimmed)});
        return;
    }
    bool open = false;
    CommandCode pieceCode = UnknownCode;
    std::size_t pieceStart = 0;
    std::size_t pieceEnd = 0;
    const auto closePiece = [&] {
        if (open)
            out.push_back(
                {pieceCode, std::string(Trim(part.substr(pieceStart, pieceEnd - pieceStart)))});
    };
    for (std::size_t i = 0; i < part.size();) {
        if (part[i] == ' ') {
            ++i;
            continue;
        }
        const std::size_t end = TokenEnd(part, i);
        const std::string_view token = part.substr(i, end - i);
        if (StartsCommand(token, store, open) || !open) {
            closePiece();
            pieceCode = CodeOfToken(token, store);
            pieceStart = i;
            open = true;
        }
        pieceEnd = end;
        i = end;
    }
    closePiece();
}

std::string TranslateListText(std::string_view text, const Target& target, int depth);

// "n [ list ]" with a whole, non-zero count and a closed, non-empty list;
// anything else has no translation and gives the empty text.
std::string TranslateRepeat(const std::string& name, std::string_view rest, const Target& target,
                            int depth) {
    Cursor c(rest);
    const std::string countText = ReadUntil(c, '[', false);
    const std::string_view count = Trim(countText);
    if (c.AtEnd() || TextToInt(count) == 0 || depth >= TranslateDepthLimit) return {};
    c.Advance();
    const std::string block = ReadUntilBalanced(c, ']', false);
    if (c.AtEnd() || Trim(block).empty()) return {};
    c.Advance();
    std::string result = name + " " + std::string(count) + " [ " +
                         TranslateListText(block, target, depth + 1) + " ]";
    const std::string_view after = Trim(c.Rest());
    if (!after.empty()) result += " " + std::string(after);
    return result;
}

// A procedure named like a keyword hides that keyword, so a keyword is never
// turned into such a word: the target language's other form is taken
// instead, then the other language's forms. The choice depends only on the
// command and the target, so a round trip through any dialect comes back to
// the same word. When every form is hidden the word stays as written.
CommandCode VisibleTranslation(CommandCode code, const Target& target) {
    const bool forms[4][2] = {{target.toTurkish, target.toLong},
                              {target.toTurkish, !target.toLong},
                              {!target.toTurkish, target.toLong},
                              {!target.toTurkish, !target.toLong}};
    for (const auto& [toTurkish, toLong] : forms) {
        const CommandCode translated = TranslateCode(code, toTurkish, toLong);
        if (IsKeywordCode(LookupCommand(KeywordOf(translated), target.store))) return translated;
    }
    return UnknownCode;
}

std::string TranslateCommandAt(std::string_view command, const Target& target, int depth) {
    const std::string_view trimmed = Trim(command);
    Cursor c(trimmed);
    const std::string word = ReadCommandWord(c);
    const CommandCode code = LookupCommand(word, target.store);
    if (!IsKeywordCode(code)) return std::string(trimmed);
    const CommandCode translated = VisibleTranslation(code, target);
    if (translated == UnknownCode) return std::string(trimmed);
    const std::string name = KeywordOf(translated);
    const std::string_view rest = Trim(c.Rest());
    if (IsCommand(translated, Keyword::Repeat)) {
        std::string repeat = TranslateRepeat(name, rest, target, depth);
        return repeat.empty() ? std::string(trimmed) : repeat;
    }
    return rest.empty() ? name : name + " " + std::string(rest);
}

// With blanks as separators a command that is not a keyword would become an
// argument of its neighbour, so ';' stays on both sides of such a command.
std::string TranslateListText(std::string_view text, const Target& target, int depth) {
    const std::vector<CommandPiece> pieces = SplitCommands(text, target.store);
    std::string result;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const bool nextIsKeyword = i + 1 == pieces.size() || IsKeywordCode(pieces[i + 1].code);
        const bool blank = target.spaceSeparated && IsKeywordCode(pieces[i].code) && nextIsKeyword;
        result += TranslateCommandAt(pieces[i].text, target, depth);
        result += blank ? ' ' : ';';
    }
    return result;
}

} // namespace

std::vector<CommandPiece> SplitCommands(std::string_view text, const ProcedureStore* store) {
    std::vector<CommandPiece> pieces;
    Cursor c(text);
    while (!c.AtEnd())
        SplitPart(ReadUntilBalanced(c, ';', true), store, pieces);
    return pieces;
}

std::string TranslateCommand(std::string_view command, bool toTurkish, bool toLong,
                             bool spaceSeparated, const ProcedureStore* store) {
    return TranslateCommandAt(command, Target{toTurkish, toLong, spaceSeparated, store}, 0);
}

// A comment is never translated: its words are no commands, and taken apart
// at keywords it would turn into lines that run. A line whose first non-blank
// character is ';' stays as written; the part of a line from its first
// apostrophe on is put back after the translated commands.
std::string TranslateText(std::string_view text, bool toTurkish, bool toLong, bool inner,
                          bool spaceSeparated, const ProcedureStore* store) {
    if (text.empty()) return {};
    const Target target{toTurkish, toLong, spaceSeparated, store};
    if (inner) return TranslateListText(text, target, 0);
    const std::size_t first = text.find_first_not_of(' ');
    if (first != std::string_view::npos && text[first] == ';') return std::string(text) + "\n";
    const std::size_t apostrophe = text.find('\'');
    if (apostrophe != std::string_view::npos) {
        const std::string_view commands = text.substr(0, apostrophe);
        const std::size_t lastWord = commands.find_last_not_of(' ');
        const std::size_t blanks =
            lastWord == std::string_view::npos ? 0 : commands.size() - lastWord - 1;
        // The blanks before the comment are put back once: text that is kept
        // as written would otherwise carry them twice, more on every pass.
        std::string code = TranslateText(commands.substr(0, commands.size() - blanks), toTurkish,
                                         toLong, false, spaceSeparated, store);
        if (!code.empty()) code.pop_back();
        return code + std::string(blanks, ' ') + std::string(text.substr(apostrophe)) + "\n";
    }
    // A line whose brackets do not pair up cannot be cut safely: it stays.
    if (!ClosingBracketsMatch(text)) return std::string(text) + "\n";
    const std::vector<CommandPiece> pieces = SplitCommands(text, store);
    bool anyKeyword = false;
    for (const CommandPiece& piece : pieces)
        anyKeyword = anyKeyword || IsKeywordCode(piece.code);
    if (!anyKeyword) return std::string(text) + "\n";
    std::string result;
    for (const CommandPiece& piece : pieces)
        result += TranslateCommandAt(piece.text, target, 0) + "\n";
    return result;
}

void TranslateProgram(ProcedureStore& store, bool toTurkish, bool toLong, bool spaceSeparated) {
    for (int i = 0; i < store.ProcedureCount(); ++i) {
        const std::string body = store.GetBody(i);
        if (body.empty()) continue;
        std::string translated;
        Cursor c(body);
        while (!c.AtEnd()) {
            const std::string line = ReadUntil(c, '\n', true);
            const std::string text =
                TranslateText(line, toTurkish, toLong, false, spaceSeparated, &store);
            translated += text.empty() ? "\n" : text;
        }
        store.SetBody(i, translated);
    }
}

std::uint32_t ClassifyWord(std::string_view word, const ProcedureStore* store) {
    if (word.empty()) return PlainColor;
    const CommandCode code = LookupCommand(word, store);
    if (code >= ProcedureCodeBase) return ProcedureColor;
    return code > 0 ? KeywordColor : PlainColor;
}

std::uint32_t PunctuationColor(char c) {
    switch (c) {
    case '(':
    case ')':
    case '+':
    case ',':
    case '-':
    case ';':
    case '[':
    case ']':
    case '{':
    case '}': return PunctuationBlue;
    default: return PlainColor;
    }
}

void AppendColored(ColorSink* sink, const std::string& text, std::uint32_t colour) {
    if (sink && !text.empty()) sink->AppendColored(text, colour);
}

void ColorizeLine(const StringList* lines, int index, const ProcedureStore* store,
                  ColorSink* sink) {
    if (!lines) return;
    if (sink) sink->Clear();
    if (index < 0 || index >= static_cast<int>(lines->size())) return;
    std::string word;
    for (char c : (*lines)[static_cast<std::size_t>(index)]) {
        const bool separator =
            c == '\n' || c == '\r' || c == ' ' || PunctuationColor(c) != PlainColor;
        if (!separator) {
            word += c;
            continue;
        }
        AppendColored(sink, word, ClassifyWord(word, store));
        AppendColored(sink, std::string(1, c), PunctuationColor(c));
        word.clear();
    }
    AppendColored(sink, word, ClassifyWord(word, store));
}

} // namespace mivarelo
