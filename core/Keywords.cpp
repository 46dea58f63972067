#include "core/Keywords.h"

#include "core/CaseFold.h"
#include "core/ProcedureStore.h"

namespace mivarelo {

namespace {

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
    const CommandRow* row = RowOf(code);
    if (!row || row->translation == TranslationRule::KeptAsWritten) return code;
    using enum DialectColumn;
    const DialectColumn column =
        toTurkish ? (toLong ? TurkishLong : TurkishShort) : (toLong ? EnglishLong : EnglishShort);
    return CodeOf(row->Target(column));
}

} // namespace mivarelo
