#include "core/Keywords.h"

#include "core/CaseFold.h"
#include "core/ProcedureStore.h"

namespace mivarelo {

// Windows-1254 bytes; the Turkish letters are written as escapes, and a
// string is split where an escape is followed by a hexadecimal letter.
// clang-format off
const std::array<const char*, KeywordCount> KeywordTable = {
    "s\xFD" "f\xFDrla", // 1 sıfırla
    "arc", // 2
    "yay", // 3
    "setkalemkal\xFDnl\xFDk", // 4 setkalemkalınlık
    "setpenwidth", // 5
    "kk", // 6
    "spw", // 7
    "bye", // 8
    "ho\xFE\xE7" "akal", // 9 hoşçakal
    "stop", // 10
    "durdur", // 11
    "setev", // 12
    "sethome", // 13
    "pd", // 14
    "pu", // 15
    "et", // 16
    "ekrantemizle", // 17
    "ileri", // 18
    "geri", // 19
    "ig", // 20
    "gg", // 21
    "sol", // 22
    "sa\xF0", // 23 sağ
    "sag", // 24
    "fd", // 25
    "bk", // 26
    "forward", // 27
    "back", // 28
    "lt", // 29
    "rt", // 30
    "left", // 31
    "right", // 32
    "ppt", // 33
    "pe", // 34
    "px", // 35
    "bekle", // 36
    "g\xF6sterkaplumba\xF0" "a", // 37 gösterkaplumbağa
    "saklakaplumba\xF0" "a", // 38 saklakaplumbağa
    "gk", // 39
    "sk", // 40
    "tekrar", // 41
    "ev", // 42
    "temizle", // 43
    "doldur", // 44
    "yaz", // 45
    "kurx", // 46
    "kury", // 47
    "kurpos", // 48
    "de\xF0i\xFEtirkalemrenk", // 49 değiştirkalemrenk
    "de\xF0i\xFEtirdolgurenk", // 50 değiştirdolgurenk
    "de\xF0i\xFEtirekranrenk", // 51 değiştirekranrenk
    "degkr", // 52
    "degdr", // 53
    "deger", // 54
    "ka", // 55
    "ky", // 56
    "setfontsize", // 57
    "setyaziboyu", // 58
    "fs", // 59
    "yb", // 60
    "setfontname", // 61
    "setyaz\xFD" "ad\xFD", // 62 setyazıadı
    "fn", // 63
    "ya", // 64
    "clearscreen", // 65
    "cs", // 66
    "clean", // 67
    "wait", // 68
    "showturtle", // 69
    "hideturtle", // 70
    "st", // 71
    "ht", // 72
    "repeat", // 73
    "home", // 74
    "fill", // 75
    "label", // 76
    "setx", // 77
    "sety", // 78
    "setpos", // 79
    "setpencolor", // 80
    "setfillcolor", // 81
    "setscreencolor", // 82
    "setpc", // 83
    "setfc", // 84
    "setsc", // 85
    "seth", // 86
    "boya", // 87
    "reset", // 88
    "if", // 89
    "e\xF0" "er", // 90 eğer
    "elips", // 91
    "pendown", // 92
    "penup", // 93
    "kalema\xFE" "a\xF0\xFD", // 94 kalemaşağı
    "kalemyukar\xFD", // 95 kalemyukarı
    "dene", // 96
    "test", // 97
    "iftrue", // 98
    "e\xF0" "erdo\xF0ru", // 99 eğerdoğru
    "iffalse", // 100
    "e\xF0" "eryanl\xFD\xFE", // 101 eğeryanlış
    "make", // 102
    "yap", // 103
    "until", // 104
    "kadar", // 105
    "while", // 106
    "iken", // 107
    "dountil", // 108
    "yapkadar", // 109
    "dowhile", // 110
    "yapiken", // 111
    "for", // 112
    "d\xF6ng\xFC", // 113 döngü
    "setuzunluk", // 114
    "setyayaci", // 115
    "yond", // 116
    "degev", // 117
    "modc", // 118
    "mods", // 119
    "modt", // 120
    "setsh", // 121
    "degresim", // 122
};
// clang-format on

namespace {

// One group of synonyms: its members and, per target dialect, the member that
// translation produces (Turkish long, Turkish short, English long, English
// short). Groups whose keywords stay as written in every dialect are absent.
struct DialectRow {
    std::array<CommandCode, 4> members;
    std::array<CommandCode, 4> targets;
};

constexpr DialectRow DialectRows[] = {
    {{2, 3, 0, 0}, {3, 3, 2, 2}},          // yay / yay / arc / arc
    {{4, 5, 6, 7}, {4, 6, 5, 7}},          // setkalemkalınlık / kk / setpenwidth / spw
    {{8, 9, 0, 0}, {9, 9, 8, 8}},          // hoşçakal / hoşçakal / bye / bye
    {{10, 11, 0, 0}, {11, 11, 10, 10}},    // durdur / durdur / stop / stop
    {{14, 55, 92, 94}, {94, 55, 92, 14}},  // kalemaşağı / ka / pendown / pd
    {{15, 56, 93, 95}, {95, 56, 93, 15}},  // kalemyukarı / ky / penup / pu
    {{16, 17, 65, 66}, {17, 16, 65, 66}},  // ekrantemizle / et / clearscreen / cs
    {{18, 20, 25, 27}, {18, 20, 27, 25}},  // ileri / ig / forward / fd
    {{19, 21, 26, 28}, {19, 21, 28, 26}},  // geri / gg / back / bk
    {{22, 29, 31, 0}, {22, 22, 31, 29}},   // sol / sol / left / lt
    {{23, 24, 30, 32}, {23, 23, 32, 30}},  // sağ / sağ / right / rt
    {{36, 68, 0, 0}, {36, 36, 68, 68}},    // bekle / bekle / wait / wait
    {{37, 39, 69, 71}, {37, 39, 69, 71}},  // gösterkaplumbağa / gk / showturtle / st
    {{38, 40, 70, 72}, {38, 40, 70, 72}},  // saklakaplumbağa / sk / hideturtle / ht
    {{41, 73, 0, 0}, {41, 41, 73, 73}},    // tekrar / tekrar / repeat / repeat
    {{42, 74, 0, 0}, {42, 42, 74, 74}},    // ev / ev / home / home
    {{43, 67, 0, 0}, {43, 43, 67, 67}},    // temizle / temizle / clean / clean
    {{44, 75, 0, 0}, {44, 44, 75, 75}},    // doldur / doldur / fill / fill
    {{45, 76, 0, 0}, {45, 45, 76, 76}},    // yaz / yaz / label / label
    {{46, 77, 0, 0}, {46, 46, 77, 77}},    // kurx / kurx / setx / setx
    {{47, 78, 0, 0}, {47, 47, 78, 78}},    // kury / kury / sety / sety
    {{48, 79, 0, 0}, {48, 48, 79, 79}},    // kurpos / kurpos / setpos / setpos
    {{49, 52, 80, 83}, {49, 52, 80, 83}},  // değiştirkalemrenk / degkr / setpencolor / setpc
    {{50, 53, 81, 84}, {50, 53, 81, 84}},  // değiştirdolgurenk / degdr / setfillcolor / setfc
    {{51, 54, 82, 85}, {51, 54, 82, 85}},  // değiştirekranrenk / deger / setscreencolor / setsc
    {{57, 58, 59, 60}, {58, 60, 57, 59}},  // setyaziboyu / yb / setfontsize / fs
    {{61, 62, 63, 64}, {62, 64, 61, 63}},  // setyazıadı / ya / setfontname / fn
    {{86, 116, 0, 0}, {116, 116, 86, 86}}, // yond / yond / seth / seth
    {{89, 90, 0, 0}, {90, 90, 89, 89}},    // eğer / eğer / if / if
    {{96, 97, 0, 0}, {96, 96, 97, 97}},    // dene / dene / test / test
    {{98, 99, 0, 0}, {99, 99, 98, 98}},    // eğerdoğru / eğerdoğru / iftrue / iftrue
    {{100, 101, 0, 0}, {101, 101, 100, 100}}, // eğeryanlış / eğeryanlış / iffalse / iffalse
    {{102, 103, 0, 0}, {103, 103, 102, 102}}, // yap / yap / make / make
    {{104, 105, 0, 0}, {105, 105, 104, 104}}, // kadar / kadar / until / until
    {{106, 107, 0, 0}, {107, 107, 106, 106}}, // iken / iken / while / while
    {{108, 109, 0, 0}, {109, 109, 108, 108}}, // yapkadar / yapkadar / dountil / dountil
    {{110, 111, 0, 0}, {111, 111, 110, 110}}, // yapiken / yapiken / dowhile / dowhile
};

CommandCode KeywordCode(std::string_view folded) {
    for (int p = 0; p < KeywordCount; ++p)
        if (folded == KeywordTable[p]) return p + 1;
    return UnknownCode;
}

} // namespace

std::string KeywordOf(CommandCode code) {
    if (code < 1 || code > KeywordCount) return std::string();
    return KeywordTable[code - 1];
}

CommandCode LookupCommand(std::string_view word, const ProcedureStore* store) {
    const std::size_t start = word.find_first_not_of(' ');
    if (start == std::string_view::npos) return UnknownCode;
    const std::string_view typed = word.substr(start);
    const std::string folded = TurkishLower(typed);
    // The Turkish fold makes 'I' a dotless 'ı'. Names written with a capital
    // I are therefore tried once more with the platform lower-casing ('I' ->
    // 'i'), so that "RIGHT" is "right" while "İLERİ" and "SIFIRLA" keep their
    // Turkish reading. Apart from 'I' the two foldings agree on every letter
    // of the keyword table.
    const bool hasCapitalI = typed.find('I') != std::string_view::npos;
    // A procedure named like a keyword hides that keyword.
    if (store) {
        int index = store->FindProcedure(folded);
        if (index < 0 && hasCapitalI) index = store->FindProcedure(typed);
        if (index >= 0) return ProcedureCodeBase + index;
    }
    const CommandCode code = KeywordCode(folded);
    if (code != UnknownCode || !hasCapitalI) return code;
    return KeywordCode(PlatformLower(typed));
}

CommandCode TranslateCode(CommandCode code, bool toTurkish, bool toLong) {
    const int column = (toTurkish ? 0 : 2) + (toLong ? 0 : 1);
    for (const DialectRow& row : DialectRows)
        for (CommandCode member : row.members)
            if (member == code && member != UnknownCode) return row.targets[column];
    return code;
}

} // namespace mivarelo
