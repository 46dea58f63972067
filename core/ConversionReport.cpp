#include "core/ConversionReport.h"

#include "core/LanguageModule.h"

#include <algorithm>
#include <utility>

namespace mivarelo {

void ConversionReport::Drop(int line, std::string text, ConversionText reason) {
    dropped_.push_back({line, std::move(text), reason});
}

void ConversionReport::Note(ConversionText text) {
    notes_.push_back(text);
}

void ConversionReport::SortByLine() {
    std::stable_sort(
        dropped_.begin(), dropped_.end(),
        [](const ConversionEntry& a, const ConversionEntry& b) { return a.line < b.line; });
}

std::vector<std::string> ConversionReport::Lines() const {
    std::vector<std::string> lines;
    for (ConversionText note : notes_)
        lines.push_back(GetLanguageString(note));
    for (const ConversionEntry& entry : dropped_)
        lines.push_back(GetLanguageString(NotConvertedLineText) + " " + std::to_string(entry.line) +
                        ": '" + entry.text + "' (" + GetLanguageString(entry.reason) + ")");
    return lines;
}

} // namespace mivarelo
