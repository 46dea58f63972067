#pragma once
// Readers that take words, arguments and bracketed parts off the front of a
// Windows-1254 text. A Cursor is a read position; every reader moves it past
// what it consumed. Empty texts give empty results without moving.
#include <cstddef>
#include <string>
#include <string_view>

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
// Reads up to '[', '(', '{', a blank or the end; the cursor stays there.
std::string ReadCommandWord(Cursor& c);
// Skips blanks, reads up to a blank, ',' or ';'. A blank or ',' under the
// cursor is skipped afterwards; a ';' is left in place.
std::string ReadArgument(Cursor& c);

} // namespace mivarelo
