#pragma once
// Rewriting command text into one keyword dialect, and the word colouring
// with which a command window echoes an editor line.
//
// Translation changes command words only. Whatever it cannot translate (a
// procedure call, an assignment, a repeat without a whole-number count or
// without a list, an unknown word, a line without any keyword command) is
// kept exactly as written, so translating into one dialect and back gives
// the same commands.
#include "core/Keywords.h"
#include "core/StringList.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mivarelo {

class ProcedureStore;

// Word colours, red in the low byte.
constexpr std::uint32_t ProcedureColor = 0x0000FF;  // red
constexpr std::uint32_t KeywordColor = 0x000080;    // dark red
constexpr std::uint32_t PunctuationBlue = 0xFF0000; // blue
constexpr std::uint32_t PlainColor = 0x000000;      // black

// One command of a text and the code of its first word.
struct CommandPiece {
    CommandCode code = UnknownCode;
    std::string text;
};

// The commands of a text: it is cut at ';' outside brackets and, within each
// part, before every word outside brackets that is a keyword or a procedure
// of `store` (may be null). Text before the first command word of a part is
// a piece of its own with code 0. Pieces carry their text as written, without
// the blanks around it; bracketed lists are never cut.
std::vector<CommandPiece> SplitCommands(std::string_view text, const ProcedureStore* store);

// One command in the target dialect: the keyword's member of its row, then
// the arguments; a repeat's list is translated too (its commands separated
// as with `spaceSeparated` in TranslateText). A procedure of `store` or
// anything that is not a keyword comes back unchanged, without the blanks
// around it.
std::string TranslateCommand(std::string_view command, bool toTurkish, bool toLong,
                             bool spaceSeparated, const ProcedureStore* store = nullptr);
// Every command of the text translated. At the top level each command is
// followed by a line feed; inside a list (`inner`) by ';', or a blank with
// `spaceSeparated`. A top-level text without any keyword command comes back
// unchanged, followed by a line feed. An empty text gives the empty text.
std::string TranslateText(std::string_view text, bool toTurkish, bool toLong, bool inner,
                          bool spaceSeparated, const ProcedureStore* store = nullptr);
// Translates every line of every non-empty body in place; headers stay.
// Empty lines stay as empty lines.
void TranslateProgram(ProcedureStore& store, bool toTurkish, bool toLong, bool spaceSeparated);

// Procedure red, keyword dark red, anything else black.
std::uint32_t ClassifyWord(std::string_view word, const ProcedureStore* store);
// Blue for ( ) + , - ; [ ] { }, black for everything else.
std::uint32_t PunctuationColor(char c);

// Where a coloured line is shown (a rich-text box in the GUI).
class ColorSink {
public:
    virtual ~ColorSink() = default;
    virtual void Clear() = 0;
    virtual void AppendColored(const std::string& text, std::uint32_t colour) = 0;
};

// Nothing for an absent sink or an empty text.
void AppendColored(ColorSink* sink, const std::string& text, std::uint32_t colour);
// Shows line `index` of `lines` in `sink` word by word in colour: each word
// in its class colour, each separator character (line feed, carriage return,
// blank and the punctuation above) on its own in its punctuation colour.
void ColorizeLine(const StringList* lines, int index, const ProcedureStore* store, ColorSink* sink);

} // namespace mivarelo
