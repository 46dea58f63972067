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
// bracket, a nested pair of the same kind is taken whole.
std::string ReadUntilBalanced(Cursor& c, char delimiter, bool consume) {
    const std::string_view rest = c.Rest();
    const std::size_t start = c.pos;
    int depth = 0;
    while (!c.AtEnd()) {
        const char ch = c.Peek();
        if (ch == delimiter && depth <= 0) break;
        if (IsOpeningBracket(ch) && ch != delimiter) ++depth;
        if (IsClosingBracket(ch) && !(ch == delimiter && depth == 0)) --depth;
        c.Advance();
    }
    std::string part(rest.substr(0, c.pos - start));
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
