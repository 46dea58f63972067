#include "engine/ListCommandPlan.h"

#include "core/TextReaders.h"
#include "engine/Conditions.h"
#include "engine/TurtleState.h"

namespace mivarelo {

// The count or the condition is the text before the first '['; the list is
// what the first balanced pair of brackets after it holds.
ListCommandPlan::ListCommandPlan(Kind kind, std::string_view argument)
    : kind_(kind), condition_({}), argumentBlank_(IsBlank(argument)) {
    Cursor c(argument);
    const std::string head = ReadUntil(c, '[', false);
    if (kind == Kind::Repeat)
        count_ = ExpressionProgram(head);
    else
        condition_ = ConditionProgram(ComparedPart(head));
    c.Advance();
    list_ = ReadUntilBalanced(c, ']', true);
    listBlank_ = IsBlank(list_);
}

int ListCommandPlan::Count() const {
    return TruncToInt(count_.Evaluate());
}

} // namespace mivarelo
