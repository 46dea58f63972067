#pragma once
// Text helpers shared by conditions, assignments, the procedure store and the
// main window.
#include <string>
#include <string_view>

namespace mivarelo {

// Splits at the first occurrence of op's first character, which must be
// followed by the rest of op. Fails for an empty op or text, and for an empty
// right part. Blanks stay part of both sides.
bool SplitAtOperator(std::string_view text, std::string_view op, std::string& left,
                     std::string& right);
// Replaces every non-overlapping occurrence, left to right. True when at
// least one was replaced.
bool ReplaceAll(std::string& text, std::string_view search, std::string_view replacement);
// A character that belongs to a word: an ASCII letter or digit, '_', or a
// Windows-1254 letter (0xC0-0xFF except the signs 0xD7 and 0xF7, and
// Š Œ š œ Ÿ at 0x8A 0x8C 0x9A 0x9C 0x9F).
bool IsWordChar(char c);
// Replaces every non-overlapping occurrence of `word` that stands as a whole
// word, with no word character (IsWordChar) right before or after it in the
// original text. True when at least one was replaced.
bool ReplaceWholeWords(std::string& text, std::string_view word, std::string_view replacement);

} // namespace mivarelo
