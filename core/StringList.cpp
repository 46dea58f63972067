#include "core/StringList.h"

#include "core/CaseFold.h"
#include "core/Numbers.h"

#include <algorithm>

namespace mivarelo {

namespace {

// The items with `s` between consecutive items and none after the last.
void AppendItems(std::string& text, const StringList& list, char s) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0) text += s;
        text += list[i];
    }
}

// Reads one token and tells whether it ended at the separator (true) or at
// the end of the stream (false).
bool ReadTokenInto(std::istream& in, char s, std::string& token) {
    const auto separator = std::char_traits<char>::to_int_type(s);
    for (auto b = in.get(); b != std::char_traits<char>::eof(); b = in.get()) {
        if (b == separator) return true;
        token += std::char_traits<char>::to_char_type(b);
    }
    return false;
}

} // namespace

int IndexOfText(const StringList& list, std::string_view text) {
    // Texts of another length never match, whatever their case.
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].size() == text.size() && PlatformEqualsIgnoreCase(list[i], text))
            return static_cast<int>(i);
    return -1;
}

std::string CountedListText(const StringList* list, char s) {
    if (!list) return "0";
    std::string text = "1";
    text += s;
    text += IntToText(static_cast<long long>(list->size()));
    text += s;
    AppendItems(text, *list, s);
    return text;
}

bool WriteCountedList(const StringList* list, std::ostream* out, char s) {
    if (!list || !out) return false;
    std::string text = "1";
    text += s;
    *out << text;
    text = IntToText(static_cast<long long>(list->size()));
    if (!list->empty()) text += s;
    AppendItems(text, *list, s);
    *out << text;
    return static_cast<bool>(*out);
}

std::string ReadToken(std::istream* in, char s) {
    std::string token;
    if (in) ReadTokenInto(*in, s, token);
    return token;
}

// Items are read until the count is reached or an item ends at the end of
// the stream, so a damaged count cannot fill the list with endless empties.
bool ReadCountedList(StringList* list, std::istream* in, char s, bool* complete) {
    if (complete) *complete = true;
    if (!list || !in) return false;
    list->clear();
    if (TextToLong(ReadToken(in, s)) == 0) return true;
    const std::string countText = ReadToken(in, s);
    const int count = TextToInt(countText);
    bool more = true;
    for (int i = 0; i < count && more; ++i) {
        std::string item;
        more = ReadTokenInto(*in, s, item);
        list->push_back(std::move(item));
    }
    if (complete)
        *complete =
            !countText.empty() && list->size() >= static_cast<std::size_t>(std::max(count, 0));
    return true;
}

} // namespace mivarelo
