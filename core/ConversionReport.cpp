#include "core/ConversionReport.h"

#include "core/LanguageIds.h"
#include "core/LanguageModule.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace mivarelo {

void ConversionReport::Drop(int line, std::string text, ConversionText reason) {
    dropped_.push_back({line, std::move(text), reason});
}

void ConversionReport::Note(ConversionText text) {
    notes_.push_back(text);
}

void ConversionReport::Rename(std::string from, std::string to) {
    renamed_.emplace_back(std::move(from), std::move(to));
}

void ConversionReport::SortByLine() {
    std::stable_sort(
        dropped_.begin(), dropped_.end(),
        [](const ConversionEntry& a, const ConversionEntry& b) { return a.line < b.line; });
}

namespace {

// A binary or damaged file can hold a "line" of megabytes; quoted whole, it
// would make the error list take seconds to draw. The quote keeps its first
// 100 bytes. A NUL byte is shown as "\0": kept, it would end the text
// wherever the text is handed on as a C string.
constexpr std::size_t QuoteLimit = 100;

std::string Quoted(const std::string& text) {
    std::string quoted;
    for (const char c : std::string_view(text).substr(0, QuoteLimit)) {
        if (c == '\0')
            quoted += "\\0";
        else
            quoted += c;
    }
    return text.size() <= QuoteLimit ? quoted : quoted + "...";
}

int TextId(ConversionText text) {
    switch (text) {
    case NoCounterpartText: return NoCounterpartId;
    case UnknownClassicWordText: return UnknownClassicWordId;
    case MissingInputText: return MissingInputId;
    case NumberExpectedText: return NumberExpectedId;
    case OneComparisonText: return OneComparisonId;
    case UnbalancedBracketsText: return UnclosedBracketId;
    case ColourExpectedText: return ColourExpectedId;
    case PreciseTurnedOnText: return PreciseTurnedOnId;
    case OutsideProcedureText: return OutsideProcedureId;
    case CallerInputText: return CallerInputId;
    case CommandWordInText: return CommandWordInTextId;
    }
    return NoCounterpartId;
}

// `text` with "%1" and "%2" replaced by the two names.
std::string WithNames(std::string text, const std::string& first, const std::string& second) {
    for (const auto& [mark, name] : {std::pair{"%1", &first}, std::pair{"%2", &second}})
        if (const std::size_t at = text.find(mark); at != std::string::npos)
            text.replace(at, 2, *name);
    return text;
}

} // namespace

std::vector<std::string> ConversionReport::Lines() const {
    std::vector<std::string> lines;
    for (ConversionText note : notes_)
        lines.push_back(GetLanguageString(TextId(note)));
    for (const auto& [from, to] : renamed_)
        lines.push_back(WithNames(GetLanguageString(VariableRenamedId), from, to));
    for (const ConversionEntry& entry : dropped_)
        lines.push_back(GetLanguageString(NotConvertedLineId) + " " + std::to_string(entry.line) +
                        ": '" + Quoted(entry.text) + "' (" +
                        GetLanguageString(TextId(entry.reason)) + ")");
    return lines;
}

} // namespace mivarelo
