#include "core/TextReaders.h"

namespace mivarelo {

namespace {

bool IsOpeningBracket(char c) {
    return c == '(' || c == '[' || c == '{';
}
bool IsClosingBracket(char c) {
    return c == ')' || c == ']' || c == '}';
}

// Takes characters off the cursor while `keep` holds for them. Reading from
// Rest() keeps a cursor placed past the end harmless.
template <class Predicate> std::string ReadWhile(Cursor& c, Predicate keep) {
    const std::string_view rest = c.Rest();
    std::size_t n = 0;
    while (n < rest.size() && keep(rest[n]))
        ++n;
    c.pos += n;
    return std::string(rest.substr(0, n));
}

void SkipIf(Cursor& c, char expected) {
    if (!c.AtEnd() && c.Peek() == expected) c.Advance();
}

} // namespace

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

bool IsWordEnd(char c) {
    switch (c) {
    case '\n':
    case '\r':
    case ' ':
    case ';':
    case '[':
    case ']':
    case '{':
    case '}': return true;
    default: return false;
    }
}

void SkipSpaces(Cursor& c) {
    while (!c.AtEnd() && c.Peek() == ' ')
        c.Advance();
}

std::string ReadWord(Cursor& c, char* terminator) {
    std::string word = ReadWhile(c, [](char ch) { return !IsWordEnd(ch); });
    if (terminator) *terminator = c.Peek();
    return word;
}

std::string ReadUntil(Cursor& c, char delimiter, bool consume) {
    std::string part = ReadWhile(c, [delimiter](char ch) { return ch != delimiter; });
    if (consume) SkipIf(c, delimiter);
    return part;
}

// Brackets of all three kinds share one depth counter. A delimiter stops the
// read only at depth zero or below; when the delimiter is itself a closing
// bracket, a nested pair of the same kind is taken whole. The loop works on
// the bare text, since a list nested deeply is scanned once per level.
std::size_t BalancedEnd(std::string_view text, std::size_t from, char delimiter) {
    int depth = 0;
    std::size_t i = from;
    for (; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == delimiter && depth <= 0) break;
        if (IsOpeningBracket(ch) && ch != delimiter) ++depth;
        if (IsClosingBracket(ch) && !(ch == delimiter && depth == 0)) --depth;
    }
    return i;
}

BracketMatches MatchBrackets(std::string_view text) {
    BracketMatches matches(text.size(), 0);
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsOpeningBracket(text[i])) {
            open.push_back(i);
        } else if (IsClosingBracket(text[i]) && !open.empty()) {
            matches[open.back()] = static_cast<std::uint32_t>(i - open.back());
            open.pop_back();
        }
    }
    return matches;
}

// Inside a list the depth is above zero, where no delimiter stops the read,
// so the list is skipped whole; a list left open runs to the end. A closing
// bracket that takes the depth below zero is left to the plain reading.
std::size_t BalancedEnd(std::string_view text, std::size_t from, char delimiter,
                        const std::uint32_t* matches) {
    std::size_t i = from;
    while (i < text.size()) {
        const char ch = text[i];
        if (ch == delimiter) return i;
        if (IsOpeningBracket(ch)) {
            const std::uint32_t distance = matches[i];
            if (distance == 0 || distance >= text.size() - i) return text.size();
            i += distance + 1;
            continue;
        }
        if (IsClosingBracket(ch)) return BalancedEnd(text, from, delimiter);
        ++i;
    }
    return i;
}

std::string ReadUntilBalanced(Cursor& c, char delimiter, bool consume) {
    const std::size_t start = c.pos;
    if (c.AtEnd()) return {};
    c.pos = BalancedEnd(c.text, start, delimiter);
    std::string part(c.text.substr(start, c.pos - start));
    if (consume) SkipIf(c, delimiter);
    return part;
}

std::string ReadCommandWord(Cursor& c) {
    return ReadWhile(c, [](char ch) { return ch != '[' && ch != '(' && ch != '{' && ch != ' '; });
}

std::string ReadArgument(Cursor& c) {
    SkipSpaces(c);
    std::string argument =
        ReadWhile(c, [](char ch) { return ch != ' ' && ch != ',' && ch != ';'; });
    if (!c.AtEnd() && (c.Peek() == ' ' || c.Peek() == ',')) c.Advance();
    return argument;
}

} // namespace mivarelo
