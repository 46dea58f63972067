#pragma once
// Reading classic Logo text (Berkeley-style: "to ... end", inputs separated by
// blanks, ';' comments) into logical lines and tokens.
#include "core/ConversionReport.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mivarelo {

struct ClassicToken {
    enum Kind {
        Word,     // a procedure or primitive name
        Number,   // 12, 3.5
        Variable, // :size (text without the colon)
        Quoted,   // "size (text without the quote)
        Open,     // [
        Close,    // ]
        LeftParen,
        RightParen,
        Operator, // + - * / = < > <= >= <>
        Negate,   // a minus sign that makes a number negative
    };
    Kind kind = Word;
    std::string text;
    int line = 0; // 1-based line in the file
};

// One instruction line: physical lines joined while a '[' is open, or ended
// by '~'; comments removed.
struct ClassicLine {
    int line = 0; // the first physical line
    std::vector<ClassicToken> tokens;
};

// The lines of a file (Windows-1254, line feeds). A list still open at the
// end of the file is reported and its line left out.
std::vector<ClassicLine> ReadClassicLines(std::string_view text, ConversionReport& report);

// The token texts joined by blanks, for the report.
std::string TokensText(std::span<const ClassicToken> tokens, std::size_t first, std::size_t last);

// ASCII letters lower-cased; classic Logo names ignore letter case.
std::string FoldCase(std::string_view word);

} // namespace mivarelo
