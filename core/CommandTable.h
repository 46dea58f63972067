#pragma once
// The command table: every command of the language in one row, with its
// words in the four dialects, how translation treats them, the argument the
// command takes and whether it steers the run. Each word has a fixed command
// code, named by the enumeration Keyword; the keyword lookup, translation,
// the turtle's handlers and the line dispatcher all read this one table.
//
// Naming of the Keyword enumerators: the command's meaning in English, with
// a suffix for the dialect column the word fills:
//   (none)   English long   Forward         "forward"
//   Short    English short  ForwardShort    "fd"
//   Tr       Turkish long   ForwardTr       "ileri"
//   TrShort  Turkish short  ForwardTrShort  "ig"
//   TrAlias  a further Turkish spelling that translation never produces
//            (RightTrAlias "sag", SetHomeTrAlias "degev").
// A command with a single English word has it in the long column even when
// the word is an abbreviation (SetHeading "seth", PenPaint "ppt").
//
// How to add a command: give each of its words the next free code as a
// Keyword enumerator, add its row to the table in CommandTable.cpp, give it
// a handler in TurtleScreen (or a case in the line dispatcher when it is
// control flow), and add its line to both resources/help/commands-*.txt.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace mivarelo {

// A command code: a keyword's code (1..KeywordCount), AssignmentCode, or
// ProcedureCodeBase plus a procedure's index; UnknownCode for none.
using CommandCode = int;
constexpr CommandCode UnknownCode = 0;
constexpr CommandCode AssignmentCode = 200;
constexpr CommandCode ProcedureCodeBase = 1000;
constexpr int KeywordCount = 130;

// clang-format off
enum class Keyword : CommandCode {
    ResetTr = 1,              // sıfırla
    Arc = 2,                  // arc
    ArcTr = 3,                // yay
    SetPenWidthTr = 4,        // setkalemkalınlık
    SetPenWidth = 5,          // setpenwidth
    SetPenWidthTrShort = 6,   // kk
    SetPenWidthShort = 7,     // spw
    Bye = 8,                  // bye
    ByeTr = 9,                // hoşçakal
    Stop = 10,                // stop
    StopTr = 11,              // durdur
    SetHomeTr = 12,           // setev
    SetHome = 13,             // sethome
    PenDownShort = 14,        // pd
    PenUpShort = 15,          // pu
    ClearScreenTrShort = 16,  // et
    ClearScreenTr = 17,       // ekrantemizle
    ForwardTr = 18,           // ileri
    BackTr = 19,              // geri
    ForwardTrShort = 20,      // ig
    BackTrShort = 21,         // gg
    LeftTr = 22,              // sol
    RightTr = 23,             // sağ
    RightTrAlias = 24,        // sag
    ForwardShort = 25,        // fd
    BackShort = 26,           // bk
    Forward = 27,             // forward
    Back = 28,                // back
    LeftShort = 29,           // lt
    RightShort = 30,          // rt
    Left = 31,                // left
    Right = 32,               // right
    PenPaint = 33,            // ppt
    PenErase = 34,            // pe
    PenReverse = 35,          // px
    WaitTr = 36,              // bekle
    ShowTurtleTr = 37,        // gösterkaplumbağa
    HideTurtleTr = 38,        // saklakaplumbağa
    ShowTurtleTrShort = 39,   // gk
    HideTurtleTrShort = 40,   // sk
    RepeatTr = 41,            // tekrar
    HomeTr = 42,              // ev
    CleanTr = 43,             // temizle
    FillTr = 44,              // doldur
    LabelTr = 45,             // yaz
    SetXTr = 46,              // kurx
    SetYTr = 47,              // kury
    SetPosTr = 48,            // kurpos
    SetPenColorTr = 49,       // değiştirkalemrenk
    SetFillColorTr = 50,      // değiştirdolgurenk
    SetScreenColorTr = 51,    // değiştirekranrenk
    SetPenColorTrShort = 52,  // degkr
    SetFillColorTrShort = 53, // degdr
    SetScreenColorTrShort = 54, // deger
    PenDownTrShort = 55,      // ka
    PenUpTrShort = 56,        // ky
    SetFontSize = 57,         // setfontsize
    SetFontSizeTr = 58,       // setyaziboyu
    SetFontSizeShort = 59,    // fs
    SetFontSizeTrShort = 60,  // yb
    SetFontName = 61,         // setfontname
    SetFontNameTr = 62,       // setyazıadı
    SetFontNameShort = 63,    // fn
    SetFontNameTrShort = 64,  // ya
    ClearScreen = 65,         // clearscreen
    ClearScreenShort = 66,    // cs
    Clean = 67,               // clean
    Wait = 68,                // wait
    ShowTurtle = 69,          // showturtle
    HideTurtle = 70,          // hideturtle
    ShowTurtleShort = 71,     // st
    HideTurtleShort = 72,     // ht
    Repeat = 73,              // repeat
    Home = 74,                // home
    Fill = 75,                // fill
    Label = 76,               // label
    SetX = 77,                // setx
    SetY = 78,                // sety
    SetPos = 79,              // setpos
    SetPenColor = 80,         // setpencolor
    SetFillColor = 81,        // setfillcolor
    SetScreenColor = 82,      // setscreencolor
    SetPenColorShort = 83,    // setpc
    SetFillColorShort = 84,   // setfc
    SetScreenColorShort = 85, // setsc
    SetHeading = 86,          // seth
    PaintTr = 87,             // boya
    Reset = 88,               // reset
    If = 89,                  // if
    IfTr = 90,                // eğer
    EllipseTr = 91,           // elips
    PenDown = 92,             // pendown
    PenUp = 93,               // penup
    PenDownTr = 94,           // kalemaşağı
    PenUpTr = 95,             // kalemyukarı
    TestTr = 96,              // dene
    Test = 97,                // test
    IfTrue = 98,              // iftrue
    IfTrueTr = 99,            // eğerdoğru
    IfFalse = 100,            // iffalse
    IfFalseTr = 101,          // eğeryanlış
    Make = 102,               // make
    MakeTr = 103,             // yap
    Until = 104,              // until
    UntilTr = 105,            // kadar
    While = 106,              // while
    WhileTr = 107,            // iken
    DoUntil = 108,            // dountil
    DoUntilTr = 109,          // yapkadar
    DoWhile = 110,            // dowhile
    DoWhileTr = 111,          // yapiken
    For = 112,                // for
    ForTr = 113,              // döngü
    SetLengthVariableTr = 114, // setuzunluk
    SetAngleVariableTr = 115, // setyayaci
    SetHeadingTr = 116,       // yond
    SetHomeTrAlias = 117,     // degev
    PenPaintTr = 118,         // modc
    PenEraseTr = 119,         // mods
    PenReverseTr = 120,       // modt
    SetShape = 121,           // setsh
    SetShapeTr = 122,         // degresim
    OutputTr = 123,           // sonuç
    OutputTrShort = 124,      // sn
    Output = 125,             // output
    OutputShort = 126,        // op
    PrintTr = 127,            // yazdır
    PrintTrShort = 128,       // yd
    Print = 129,              // print
    PrintShort = 130,         // pr
};
// clang-format on

constexpr CommandCode CodeOf(Keyword keyword) {
    return static_cast<CommandCode>(keyword);
}

// The keyword of a code 1..KeywordCount; nothing for other codes.
constexpr std::optional<Keyword> AsKeyword(CommandCode code) {
    if (code < 1 || code > KeywordCount) return std::nullopt;
    return static_cast<Keyword>(code);
}

// The columns of a row's words, in the order of the dialect numbers
// (0 Turkish long .. 3 English short).
enum class DialectColumn : std::uint8_t { TurkishLong, TurkishShort, EnglishLong, EnglishShort };
constexpr int DialectColumnCount = 4;

// How translation treats a row's words.
enum class TranslationRule : std::uint8_t {
    // Every word becomes the row's word of the target column; a language
    // without a short word gives its long word for short.
    ByColumn,
    // Every word stays as written in every dialect.
    KeptAsWritten,
};

// What follows the command word.
enum class ArgumentKind : std::uint8_t {
    None,              // nothing
    Ignored,           // anything; the command has no effect
    Number,            // one number
    Position,          // x,y or [x y]
    NumberPair,        // A,B
    Colour,            // [red green blue]
    OptionalColour,    // a colour or nothing
    Text,              // the rest of the command as written
    QuotedFileName,    // "file name"
    CountAndList,      // count [list]
    ConditionAndList,  // condition [list]
    List,              // [list]
    ConditionThenList, // [condition] [list]
    ListThenCondition, // [list] [condition]
    LoopHeaderAndList, // [start; condition; step] [list]
};

struct CommandWord {
    Keyword code{};
    // Lower case, Windows-1254; null when the row has no such word.
    const char* spelling = nullptr;

    constexpr bool Present() const { return spelling != nullptr; }
};

// One command: its words, how they translate, its argument, and whether the
// line dispatcher runs it (control flow) rather than the turtle.
struct CommandRow {
    // Indexed by DialectColumn.
    std::array<CommandWord, DialectColumnCount> words;
    CommandWord alias;
    TranslationRule translation;
    ArgumentKind argument;
    bool controlFlow;

    constexpr const CommandWord& Word(DialectColumn column) const {
        return words[static_cast<std::size_t>(column)];
    }
    // The keyword that names the row: its English long word, else the first
    // word it has of English short, Turkish long, Turkish short.
    constexpr Keyword Name() const {
        using enum DialectColumn;
        for (const DialectColumn column : {EnglishLong, EnglishShort, TurkishLong, TurkishShort})
            if (Word(column).Present()) return Word(column).code;
        return alias.code;
    }
    // The word that translation into `column` makes of any word of a row
    // translated by column.
    constexpr Keyword Target(DialectColumn column) const {
        using enum DialectColumn;
        if (Word(column).Present()) return Word(column).code;
        return Word(column == EnglishShort ? EnglishLong : TurkishLong).code;
    }
};

// Every command, one row each.
std::span<const CommandRow> CommandRows();

// The keywords' spellings by code: KeywordTable[code - 1].
extern const std::array<const char*, KeywordCount> KeywordTable;

// The row holding `code` among its words or as its alias; null for codes
// that are no keyword.
const CommandRow* RowOf(CommandCode code);
const CommandRow& RowOf(Keyword keyword);

// Whether `code` is a word of the same command as `keyword` (any dialect).
bool IsCommand(CommandCode code, Keyword keyword);

} // namespace mivarelo
