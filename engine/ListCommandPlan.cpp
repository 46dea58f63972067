#include "engine/ListCommandPlan.h"

#include "core/TextReaders.h"
#include "engine/Conditions.h"
#include "engine/TurtleState.h"

#include <algorithm>

namespace mivarelo {

// The count or the condition is the text before the first '['; the list is
// what the first balanced pair of brackets after it holds.
ListCommandPlan::ListCommandPlan(Kind kind, std::string_view argument, SharedText owner,
                                 int normalizedLevels, const std::uint32_t* matches)
    : kind_(kind), condition_({}), owner_(std::move(owner)), normalizedLevels_(normalizedLevels),
      argumentBlank_(IsBlank(argument)) {
    Cursor c(argument);
    const std::string head = ReadUntil(c, '[', false);
    if (kind == Kind::Repeat)
        count_ = ExpressionProgram(head);
    else
        condition_ = ConditionProgram(ComparedPart(head));
    c.Advance();
    const std::size_t start = std::min(c.pos, argument.size());
    const std::size_t end =
        matches ? BalancedEnd(argument, start, ']', matches) : BalancedEnd(argument, start, ']');
    list_ = argument.substr(start, end - start);
    listBlank_ = IsBlank(list_);
}

int ListCommandPlan::Count() const {
    return TruncToInt(count_.Evaluate());
}

} // namespace mivarelo
