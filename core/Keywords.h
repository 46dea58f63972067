#pragma once
// The command vocabulary: 122 keywords of the four dialects in one ordered
// table. A command code is a keyword's position plus one.
#include <array>
#include <string>
#include <string_view>

namespace mivarelo {

class ProcedureStore;

using CommandCode = int;
constexpr CommandCode UnknownCode = 0;
constexpr CommandCode AssignmentCode = 124;
constexpr CommandCode ProcedureCodeBase = 1000;
constexpr int KeywordCount = 122;

// The keywords in table order, lower case, Windows-1254.
extern const std::array<const char*, KeywordCount> KeywordTable;

// The keyword of a code 1..122, or the empty text.
std::string KeywordOf(CommandCode code);

// Procedures of `store` first (when given), then the keyword table; 0 when
// neither. The word is lower-cased the Turkish way ("İLERİ" is "ileri"); a
// word with a capital I that finds nothing so is tried with the platform
// lower-casing as well ("RIGHT" is "right").
CommandCode LookupCommand(std::string_view word, const ProcedureStore* store = nullptr);

// The member of the code's row for the target dialect; untranslated rows and
// codes outside the table map to themselves.
CommandCode TranslateCode(CommandCode code, bool toTurkish, bool toLong);

} // namespace mivarelo
