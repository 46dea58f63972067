#pragma once
// An ordered list of texts and its counted encoding "1", s, count, s, items...
// An absent list is a null pointer.
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace mivarelo {

using StringList = std::vector<std::string>;

// First index whose text equals `text` ignoring case (platform lower-casing), or -1.
int IndexOfText(const StringList& list, std::string_view text);

// "1" s count s item s item ... ; an empty list is "1" s "0" s; absent is "0".
std::string CountedListText(const StringList* list, char s);
// File form: as above, but the separator after the count only when an item
// follows. False (nothing written) when the list or the stream is absent.
bool WriteCountedList(const StringList* list, std::ostream* out, char s);
// Reads bytes up to `s` (consumed, not stored) or the end of the stream.
std::string ReadToken(std::istream* in, char s);
// Reads a flag token; non-zero: count token, then that many item tokens.
// False only when the list or the stream is absent. `complete` (when given)
// tells whether the stream held the count and every item it names; an
// absent list is complete.
bool ReadCountedList(StringList* list, std::istream* in, char s, bool* complete = nullptr);

} // namespace mivarelo
