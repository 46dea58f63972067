#include "core/Encoding.h"

#include <cstdint>

namespace mivarelo {

namespace {

// Code points of bytes 0x80-0x9F; unassigned bytes keep their own value.
constexpr char16_t kHigh80[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x008E, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x009E, 0x0178,
};

// Bytes 0xA0-0xFF are Latin-1 except the six Turkish letters.
char32_t ByteToCodePoint(unsigned char b) {
    if (b < 0x80) return b;
    if (b < 0xA0) return kHigh80[b - 0x80];
    switch (b) {
    case 0xD0: return 0x011E; // Ğ
    case 0xDD: return 0x0130; // İ
    case 0xDE: return 0x015E; // Ş
    case 0xF0: return 0x011F; // ğ
    case 0xFD: return 0x0131; // ı
    case 0xFE: return 0x015F; // ş
    default: return b;
    }
}

// The byte of a code point, or -1 when Windows-1254 has none.
int CodePointToByte(char32_t cp) {
    if (cp < 0x80) return static_cast<int>(cp);
    for (int b = 0x80; b <= 0xFF; ++b)
        if (ByteToCodePoint(static_cast<unsigned char>(b)) == cp) return b;
    return -1;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at `i`; returns false for a malformed one.
// On success `i` moves past it; on failure past its first byte.
bool DecodeUtf8(std::string_view s, std::size_t& i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    int extra = 0;
    char32_t min = 0;
    if (b0 < 0x80) { cp = b0; ++i; return true; }
    if ((b0 & 0xE0) == 0xC0) { extra = 1; cp = b0 & 0x1F; min = 0x80; }
    else if ((b0 & 0xF0) == 0xE0) { extra = 2; cp = b0 & 0x0F; min = 0x800; }
    else if ((b0 & 0xF8) == 0xF0) { extra = 3; cp = b0 & 0x07; min = 0x10000; }
    else { ++i; return false; }
    if (i + extra >= s.size()) { ++i; return false; }
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) { ++i; return false; }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) { ++i; return false; }
    i += extra + 1;
    return true;
}

} // namespace

std::string Cp1254ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char c : bytes) AppendUtf8(out, ByteToCodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf8ToCp1254(std::string_view utf8, int* replaced) {
    std::string out;
    out.reserve(utf8.size());
    int count = 0;
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = 0;
        const int b = DecodeUtf8(utf8, i, cp) ? CodePointToByte(cp) : -1;
        if (b < 0) ++count;
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    if (replaced) *replaced = count;
    return out;
}

bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    char32_t cp = 0;
    while (i < text.size())
        if (!DecodeUtf8(text, i, cp)) return false;
    return true;
}

bool HasNonAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
}

} // namespace mivarelo
