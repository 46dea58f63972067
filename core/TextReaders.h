#pragma once
// Readers that take words, arguments and bracketed parts off the front of a
// Windows-1254 text. A Cursor is a read position; every reader moves it past
// what it consumed. Empty texts give empty results without moving.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mivarelo {

struct Cursor {
    std::string_view text;
    std::size_t pos = 0;

    Cursor() = default;
    explicit Cursor(std::string_view t, std::size_t p = 0) : text(t), pos(p) {}
    bool AtEnd() const { return pos >= text.size(); }
    // The byte under the cursor, or 0 at the end.
    char Peek() const { return AtEnd() ? '\0' : text[pos]; }
    void Advance() {
        if (!AtEnd()) ++pos;
    }
    std::string_view Rest() const { return AtEnd() ? std::string_view() : text.substr(pos); }
};

// Line feed, carriage return, blank, ';', '[', ']', '{', '}'.
bool IsWordEnd(char c);
// Whether the text is empty or holds blanks (0x20) only. The normalizer pads
// arguments and lists with blanks, so the commands treat such a text as empty.
bool IsBlank(std::string_view text);

// Skips blanks (0x20 only).
void SkipSpaces(Cursor& c);
// Reads up to the first word end; the cursor stays on it. The terminator is
// that character, or 0 at the end of the text.
std::string ReadWord(Cursor& c, char* terminator = nullptr);
std::string ReadUntil(Cursor& c, char delimiter, bool consume);
std::string ReadUntilBalanced(Cursor& c, char delimiter, bool consume);
// Where ReadUntilBalanced from `from` stops: the delimiter that ends the read,
// or the end of the text.
std::size_t BalancedEnd(std::string_view text, std::size_t from, char delimiter);

// For every opening bracket of a text, how far on the bracket is that brings
// the shared depth counter back to where it was before it (the one that
// closes it, whatever its kind); 0 for a bracket left open and for every
// other character. Distances do not depend on where a part of the text
// starts, so the table of a text serves each of its parts.
using BracketMatches = std::vector<std::uint32_t>;
BracketMatches MatchBrackets(std::string_view text);
// BalancedEnd for a part of a text whose table is `matches`, which points at
// the entry of the part's first character: a bracketed list is jumped over
// instead of read, so a list nested deeply costs its own length only. The
// delimiter is no opening bracket.
std::size_t BalancedEnd(std::string_view text, std::size_t from, char delimiter,
                        const std::uint32_t* matches);
// Reads up to '[', '(', '{', a blank or the end; the cursor stays there.
std::string ReadCommandWord(Cursor& c);
// Skips blanks, reads up to a blank, ',' or ';'. A blank or ',' under the
// cursor is skipped afterwards; a ';' is left in place.
std::string ReadArgument(Cursor& c);

} // namespace mivarelo
