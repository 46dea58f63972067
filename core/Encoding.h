#pragma once
// Conversion between Windows-1254 bytes (the text of the core and engine) and
// UTF-8 (Qt, the terminal, modern files). Every one of the 256 bytes
// round-trips; the seven bytes that Windows-1254 leaves unassigned map to the
// C1 control characters of the same value.
#include <string>
#include <string_view>

namespace mivarelo {

std::string Cp1254ToUtf8(std::string_view bytes);
// Characters with no Windows-1254 byte, and malformed UTF-8 sequences, become
// '?'; `replaced` (when given) receives how many.
std::string Utf8ToCp1254(std::string_view utf8, int* replaced = nullptr);
// True when the text is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);
// True when the text has a byte of 0x80 or above.
bool HasNonAscii(std::string_view text);

} // namespace mivarelo
