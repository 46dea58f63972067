#include "engine/Conditions.h"

#include "core/TextOps.h"
#include "engine/Evaluator.h"

#include <array>

namespace mivarelo {

namespace {

// The comparison operators in the order they are tried; the kind is the
// position plus one. Two-character operators come first so that ">=" is not
// taken for ">".
constexpr std::array<std::string_view, 6> Operators = {">=", "<=", "<>", "==", ">", "<"};

// A side of blanks only counts as missing, as an empty one does: the text
// before a condition's list ends in a blank, so "x > [fd 10]" has one there.
bool IsMissing(std::string_view side) {
    return side.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

} // namespace

bool SplitComparison(std::string_view condition, ComparisonPair& pair) {
    for (std::size_t k = 0; k < Operators.size(); ++k) {
        if (!SplitAtOperator(condition, Operators[k], pair.Left, pair.Right)) continue;
        if (IsMissing(pair.Left) || IsMissing(pair.Right)) continue;
        pair.Operator = Operators[k];
        pair.Kind = static_cast<unsigned char>(k + 1);
        return true;
    }
    return false;
}

bool ComparisonHolds(unsigned char kind, float left, float right) {
    switch (kind) {
    case 1: return left >= right;
    case 2: return left <= right;
    case 3: return left != right;
    case 4: return left == right;
    case 5: return left > right;
    case 6: return left < right;
    default: return false;
    }
}

// Both sides are rounded to 32-bit floats before they are compared, so that
// "0.1+0.2 == 0.3" holds.
int CompareText(std::string_view condition) {
    if (condition.empty()) return 0;
    ComparisonPair pair;
    if (!SplitComparison(condition, pair)) return 0;
    const auto left = static_cast<float>(evaluate(pair.Left));
    const auto right = static_cast<float>(evaluate(pair.Right));
    return ComparisonHolds(pair.Kind, left, right) ? 1 : 0;
}

// "(a > b) rest" compares only what stands inside the first parentheses.
std::string_view ComparedPart(std::string_view text) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) return {};
    text.remove_prefix(start);
    if (text.front() == '(') {
        text.remove_prefix(1);
        text = text.substr(0, text.find(')'));
    }
    return text;
}

int ConditionValue(Cursor& cursor) {
    if (cursor.AtEnd()) return 0;
    const std::string text = ReadUntil(cursor, '[', false);
    return CompareText(ComparedPart(text));
}

} // namespace mivarelo
