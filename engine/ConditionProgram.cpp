#include "engine/ConditionProgram.h"

#include "engine/Conditions.h"

namespace mivarelo {

ConditionProgram::ConditionProgram(std::string_view condition) {
    ComparisonPair pair;
    if (condition.empty() || !SplitComparison(condition, pair)) return;
    kind_ = pair.Kind;
    left_ = ExpressionProgram(pair.Left);
    right_ = ExpressionProgram(pair.Right);
}

// The left side is evaluated first, as CompareText does: a random function
// on both sides draws its numbers in the same order.
int ConditionProgram::Value() const {
    if (kind_ == 0) return 0;
    const auto left = static_cast<float>(left_.Evaluate());
    const auto right = static_cast<float>(right_.Evaluate());
    return ComparisonHolds(kind_, left, right) ? 1 : 0;
}

} // namespace mivarelo
