#include "core/CaseFold.h"

namespace mivarelo {

namespace {

constexpr unsigned char CapitalDottedI = 0xDD; // 'İ'
constexpr unsigned char Multiplication = 0xD7; // '×' sits among the capitals

unsigned char Byte(char c) {
    return static_cast<unsigned char>(c);
}
char Char(unsigned int b) {
    return static_cast<char>(static_cast<unsigned char>(b));
}

constexpr unsigned char LowerByte(unsigned char b) {
    if (b >= 'A' && b <= 'Z') return static_cast<unsigned char>(b + 0x20);
    if (b == CapitalDottedI) return 'i';
    if (b >= 0xC0 && b <= 0xDE && b != Multiplication) return static_cast<unsigned char>(b + 0x20);
    switch (b) {
    case 0x8A: return 0x9A; // 'Š'
    case 0x8C: return 0x9C; // 'Œ'
    case 0x9F: return 0xFF; // 'Ÿ'
    default: return b;
    }
}

// The lower case of every byte, looked up instead of worked out: names are
// compared ignoring case at every variable access.
struct LowerTable {
    unsigned char bytes[256];
    constexpr LowerTable() : bytes() {
        for (unsigned int b = 0; b < 256; ++b)
            bytes[b] = LowerByte(static_cast<unsigned char>(b));
    }
};

constexpr LowerTable Lower;

} // namespace

char PlatformLowerChar(char c) {
    return Char(Lower.bytes[Byte(c)]);
}

std::string PlatformLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = PlatformLowerChar(c);
    return lower;
}

bool PlatformEqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && Lower.bytes[Byte(a[i])] != Lower.bytes[Byte(b[i])]) return false;
    return true;
}

// The Turkish capitals are tested before A-Z so that 'I' folds to the dotless
// 'ı' (0xFD) and never to 'i'.
std::string TurkishLower(std::string_view text) {
    static constexpr std::string_view upper = "\xC7\xD0\xD6\xDE\xDC\xDD"
                                              "I";
    static constexpr std::string_view lower = "\xE7\xF0\xF6\xFE\xFC"
                                              "i\xFD";
    std::string folded(text);
    for (char& c : folded) {
        const std::size_t k = upper.find(c);
        if (k != std::string_view::npos)
            c = lower[k];
        else if (c >= 'A' && c <= 'Z')
            c = Char(Byte(c) + 0x20);
    }
    return folded;
}

} // namespace mivarelo
