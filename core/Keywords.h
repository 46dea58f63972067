#pragma once
// The keyword lookup: from a typed word to its command code, from a code to
// its spelling, and from a code to its word in another dialect, all read
// from the command table.
#include "core/CommandTable.h"

#include <string>
#include <string_view>

namespace mivarelo {

class ProcedureStore;

// The keyword of a code 1..KeywordCount, or the empty text.
std::string KeywordOf(CommandCode code);

// Procedures of `store` first (when given), then the keyword table; 0 when
// neither. The word is lower-cased the Turkish way ("İLERİ" is "ileri"); a
// word with a capital I that finds nothing so is tried with the platform
// lower-casing as well ("RIGHT" is "right").
CommandCode LookupCommand(std::string_view word, const ProcedureStore* store = nullptr);

// The word of the code's row for the target dialect; words of rows kept as
// written and codes outside the table map to themselves.
CommandCode TranslateCode(CommandCode code, bool toTurkish, bool toLong);

} // namespace mivarelo
