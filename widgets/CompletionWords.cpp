#include "widgets/CompletionWords.h"

#include "core/GlobalSettings.h"
#include "core/Keywords.h"
#include "core/ProcedureStore.h"
#include "widgets/QtText.h"

#include <algorithm>

namespace mivarelo {

namespace {

// A keyword belongs to a dialect when translating into that dialect keeps
// it; the keywords that are never translated belong to all four.
bool InDialect(CommandCode code, int dialect) {
    const bool turkish = dialect < 2;
    const bool isLong = dialect % 2 == 0;
    return TranslateCode(code, turkish, isLong) == code;
}

bool Offered(CommandCode code) {
    const int dialect = Globals().CommandDialect;
    if (dialect >= 0) return InDialect(code, dialect);
    const int longOne = Globals().EnglishInterface ? 2 : 0;
    return InDialect(code, longOne) || InDialect(code, longOne + 1);
}

} // namespace

std::vector<CompletionWord> CompletionWords(const ProcedureStore* store) {
    std::vector<CompletionWord> words;
    for (CommandCode code = 1; code <= KeywordCount; ++code) {
        if (!Offered(code)) continue;
        const QString word = ToQt(KeywordOf(code));
        words.push_back({word, word});
    }
    for (int i = 1; store && i < store->ProcedureCount(); ++i) {
        const QString header = ToQt(store->GetHeader(i)).simplified();
        words.push_back({header, header.section(u' ', 0, 0)});
    }
    std::ranges::sort(words, [](const CompletionWord& a, const CompletionWord& b) {
        return QString::compare(a.shown, b.shown, Qt::CaseInsensitive) < 0;
    });
    return words;
}

} // namespace mivarelo
