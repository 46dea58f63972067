// The rows of the command table, the keyword spellings by code derived from
// them, and the lookup of a code's row. The checks at compile time keep the
// table whole: every code 1..KeywordCount is exactly one word of one row.
#include "core/CommandTable.h"

namespace mivarelo {

namespace {

using enum Keyword;
using A = ArgumentKind;
constexpr TranslationRule ByColumn = TranslationRule::ByColumn;
constexpr TranslationRule Kept = TranslationRule::KeptAsWritten;
constexpr bool Flow = true;
constexpr bool Turtle = false;

// Spellings are Windows-1254 bytes; the Turkish letters are written as
// escapes, and a string is split where an escape is followed by a
// hexadecimal letter. Columns: Turkish long, Turkish short, English long,
// English short; then a further spelling, translation, argument, who runs it.
// clang-format off
constexpr CommandRow Rows[] = {
    {{{{ArcTr, "yay"}, {}, {Arc, "arc"}, {}}},
     {}, ByColumn, A::Ignored, Turtle},
    {{{{SetPenWidthTr, "setkalemkal\xFDnl\xFDk"}, {SetPenWidthTrShort, "kk"}, {SetPenWidth, "setpenwidth"}, {SetPenWidthShort, "spw"}}},
     {}, ByColumn, A::Number, Turtle},
    {{{{ByeTr, "ho\xFE\xE7" "akal"}, {}, {Bye, "bye"}, {}}},
     {}, ByColumn, A::None, Turtle},
    {{{{StopTr, "durdur"}, {}, {Stop, "stop"}, {}}},
     {}, ByColumn, A::None, Turtle},
    {{{{PenDownTr, "kalema\xFE" "a\xF0\xFD"}, {PenDownTrShort, "ka"}, {PenDown, "pendown"}, {PenDownShort, "pd"}}},
     {}, ByColumn, A::None, Turtle},
    {{{{PenUpTr, "kalemyukar\xFD"}, {PenUpTrShort, "ky"}, {PenUp, "penup"}, {PenUpShort, "pu"}}},
     {}, ByColumn, A::None, Turtle},
    {{{{ClearScreenTr, "ekrantemizle"}, {ClearScreenTrShort, "et"}, {ClearScreen, "clearscreen"}, {ClearScreenShort, "cs"}}},
     {}, ByColumn, A::None, Turtle},
    {{{{ForwardTr, "ileri"}, {ForwardTrShort, "ig"}, {Forward, "forward"}, {ForwardShort, "fd"}}},
     {}, ByColumn, A::Number, Turtle},
    {{{{BackTr, "geri"}, {BackTrShort, "gg"}, {Back, "back"}, {BackShort, "bk"}}},
     {}, ByColumn, A::Number, Turtle},
    {{{{LeftTr, "sol"}, {}, {Left, "left"}, {LeftShort, "lt"}}},
     {}, ByColumn, A::Number, Turtle},
    {{{{RightTr, "sa\xF0"}, {}, {Right, "right"}, {RightShort, "rt"}}},
     {RightTrAlias, "sag"}, ByColumn, A::Number, Turtle},
    {{{{WaitTr, "bekle"}, {}, {Wait, "wait"}, {}}},
     {}, ByColumn, A::Number, Turtle},
    {{{{ShowTurtleTr, "g\xF6sterkaplumba\xF0" "a"}, {ShowTurtleTrShort, "gk"}, {ShowTurtle, "showturtle"}, {ShowTurtleShort, "st"}}},
     {}, ByColumn, A::None, Turtle},
    {{{{HideTurtleTr, "saklakaplumba\xF0" "a"}, {HideTurtleTrShort, "sk"}, {HideTurtle, "hideturtle"}, {HideTurtleShort, "ht"}}},
     {}, ByColumn, A::None, Turtle},
    {{{{RepeatTr, "tekrar"}, {}, {Repeat, "repeat"}, {}}},
     {}, ByColumn, A::CountAndList, Flow},
    {{{{HomeTr, "ev"}, {}, {Home, "home"}, {}}},
     {}, ByColumn, A::None, Turtle},
    {{{{CleanTr, "temizle"}, {}, {Clean, "clean"}, {}}},
     {}, ByColumn, A::None, Turtle},
    {{{{FillTr, "doldur"}, {}, {Fill, "fill"}, {}}},
     {}, ByColumn, A::OptionalColour, Turtle},
    {{{{LabelTr, "yaz"}, {}, {Label, "label"}, {}}},
     {}, ByColumn, A::Text, Turtle},
    {{{{SetXTr, "kurx"}, {}, {SetX, "setx"}, {}}},
     {}, ByColumn, A::Number, Turtle},
    {{{{SetYTr, "kury"}, {}, {SetY, "sety"}, {}}},
     {}, ByColumn, A::Number, Turtle},
    {{{{SetPosTr, "kurpos"}, {}, {SetPos, "setpos"}, {}}},
     {}, ByColumn, A::Position, Turtle},
    {{{{SetPenColorTr, "de\xF0i\xFEtirkalemrenk"}, {SetPenColorTrShort, "degkr"}, {SetPenColor, "setpencolor"}, {SetPenColorShort, "setpc"}}},
     {}, ByColumn, A::Colour, Turtle},
    {{{{SetFillColorTr, "de\xF0i\xFEtirdolgurenk"}, {SetFillColorTrShort, "degdr"}, {SetFillColor, "setfillcolor"}, {SetFillColorShort, "setfc"}}},
     {}, ByColumn, A::Colour, Turtle},
    {{{{SetScreenColorTr, "de\xF0i\xFEtirekranrenk"}, {SetScreenColorTrShort, "deger"}, {SetScreenColor, "setscreencolor"}, {SetScreenColorShort, "setsc"}}},
     {}, ByColumn, A::Colour, Turtle},
    {{{{SetFontSizeTr, "setyaziboyu"}, {SetFontSizeTrShort, "yb"}, {SetFontSize, "setfontsize"}, {SetFontSizeShort, "fs"}}},
     {}, ByColumn, A::Number, Turtle},
    {{{{SetFontNameTr, "setyaz\xFD" "ad\xFD"}, {SetFontNameTrShort, "ya"}, {SetFontName, "setfontname"}, {SetFontNameShort, "fn"}}},
     {}, ByColumn, A::Text, Turtle},
    {{{{SetHeadingTr, "yond"}, {}, {SetHeading, "seth"}, {}}},
     {}, ByColumn, A::Number, Turtle},
    {{{{IfTr, "e\xF0" "er"}, {}, {If, "if"}, {}}},
     {}, ByColumn, A::ConditionAndList, Flow},
    {{{{TestTr, "dene"}, {}, {Test, "test"}, {}}},
     {}, ByColumn, A::ConditionAndList, Flow},
    {{{{IfTrueTr, "e\xF0" "erdo\xF0ru"}, {}, {IfTrue, "iftrue"}, {}}},
     {}, ByColumn, A::List, Flow},
    {{{{IfFalseTr, "e\xF0" "eryanl\xFD\xFE"}, {}, {IfFalse, "iffalse"}, {}}},
     {}, ByColumn, A::List, Flow},
    {{{{MakeTr, "yap"}, {}, {Make, "make"}, {}}},
     {}, ByColumn, A::Ignored, Turtle},
    {{{{UntilTr, "kadar"}, {}, {Until, "until"}, {}}},
     {}, ByColumn, A::ConditionThenList, Flow},
    {{{{WhileTr, "iken"}, {}, {While, "while"}, {}}},
     {}, ByColumn, A::ConditionThenList, Flow},
    {{{{DoUntilTr, "yapkadar"}, {}, {DoUntil, "dountil"}, {}}},
     {}, ByColumn, A::ListThenCondition, Flow},
    {{{{DoWhileTr, "yapiken"}, {}, {DoWhile, "dowhile"}, {}}},
     {}, ByColumn, A::ListThenCondition, Flow},
    {{{{ForTr, "d\xF6ng\xFC"}, {}, {For, "for"}, {}}},
     {}, Kept, A::LoopHeaderAndList, Flow},
    {{{{ResetTr, "s\xFD" "f\xFDrla"}, {}, {Reset, "reset"}, {}}},
     {}, Kept, A::None, Turtle},
    {{{{SetHomeTr, "setev"}, {}, {SetHome, "sethome"}, {}}},
     {SetHomeTrAlias, "degev"}, Kept, A::None, Turtle},
    {{{{PenPaintTr, "modc"}, {}, {PenPaint, "ppt"}, {}}},
     {}, Kept, A::None, Turtle},
    {{{{PenEraseTr, "mods"}, {}, {PenErase, "pe"}, {}}},
     {}, Kept, A::None, Turtle},
    {{{{PenReverseTr, "modt"}, {}, {PenReverse, "px"}, {}}},
     {}, Kept, A::Ignored, Turtle},
    {{{{PaintTr, "boya"}, {}, {}, {}}},
     {}, Kept, A::Colour, Turtle},
    {{{{EllipseTr, "elips"}, {}, {}, {}}},
     {}, Kept, A::NumberPair, Turtle},
    {{{{SetLengthVariableTr, "setuzunluk"}, {}, {}, {}}},
     {}, Kept, A::Number, Turtle},
    {{{{SetAngleVariableTr, "setyayaci"}, {}, {}, {}}},
     {}, Kept, A::Number, Turtle},
    {{{{SetShapeTr, "degresim"}, {}, {SetShape, "setsh"}, {}}},
     {}, Kept, A::QuotedFileName, Turtle},
    {{{{OutputTr, "sonu\xE7"}, {OutputTrShort, "sn"}, {Output, "output"}, {OutputShort, "op"}}},
     {}, ByColumn, A::Number, Flow},
    {{{{PrintTr, "yazd\xFDr"}, {PrintTrShort, "yd"}, {Print, "print"}, {PrintShort, "pr"}}},
     {}, ByColumn, A::Text, Flow},
};
// clang-format on

constexpr int RowCount = static_cast<int>(std::size(Rows));

// Calls `visit` with every word of the row, its alias included.
template <typename Visit> constexpr void ForEachWord(const CommandRow& row, Visit visit) {
    for (const CommandWord& word : row.words)
        if (word.Present()) visit(word);
    if (row.alias.Present()) visit(row.alias);
}

// Per code, the index of its row plus one; 0 for a code that no row holds
// and for a code held twice, which the check below rejects.
constexpr std::array<int, KeywordCount + 1> BuildRowIndex() {
    std::array<int, KeywordCount + 1> index{};
    std::array<int, KeywordCount + 1> seen{};
    for (int r = 0; r < RowCount; ++r) {
        ForEachWord(Rows[r], [&](const CommandWord& word) {
            const CommandCode code = CodeOf(word.code);
            if (code >= 1 && code <= KeywordCount && ++seen[code] == 1) index[code] = r + 1;
        });
    }
    for (int code = 1; code <= KeywordCount; ++code)
        if (seen[code] != 1) index[code] = 0;
    return index;
}

constexpr std::array<int, KeywordCount + 1> RowIndex = BuildRowIndex();

constexpr bool EveryCodeInOneRow() {
    for (int code = 1; code <= KeywordCount; ++code)
        if (RowIndex[code] == 0) return false;
    return true;
}

// Translation by column needs both long words to fall back on.
constexpr bool TranslatedRowsHaveLongWords() {
    for (const CommandRow& row : Rows)
        if (row.translation == TranslationRule::ByColumn &&
            (!row.Word(DialectColumn::TurkishLong).Present() ||
             !row.Word(DialectColumn::EnglishLong).Present()))
            return false;
    return true;
}

static_assert(EveryCodeInOneRow(), "every keyword code is exactly one word of one row");
static_assert(TranslatedRowsHaveLongWords());

constexpr std::array<const char*, KeywordCount> BuildKeywordTable() {
    std::array<const char*, KeywordCount> table{};
    for (const CommandRow& row : Rows)
        ForEachWord(row,
                    [&](const CommandWord& word) { table[CodeOf(word.code) - 1] = word.spelling; });
    return table;
}

} // namespace

constinit const std::array<const char*, KeywordCount> KeywordTable = BuildKeywordTable();

std::span<const CommandRow> CommandRows() {
    return Rows;
}

const CommandRow* RowOf(CommandCode code) {
    if (code < 1 || code > KeywordCount) return nullptr;
    return &Rows[RowIndex[code] - 1];
}

const CommandRow& RowOf(Keyword keyword) {
    return *RowOf(CodeOf(keyword));
}

bool IsCommand(CommandCode code, Keyword keyword) {
    const CommandRow* row = RowOf(code);
    return row && row == &RowOf(keyword);
}

} // namespace mivarelo
