#include "engine/LoopElement.h"

#include "core/LineParser.h"
#include "engine/Conditions.h"

namespace mivarelo {

// The condition is read as ConditionValue reads it: up to the first '['.
void LoopElement::Analyse() {
    const std::string_view condition = Condition;
    conditionPlan_.emplace(ComparedPart(condition.substr(0, condition.find('['))));
    initPlan_.emplace(Init);
    stepPlan_.emplace(Step);
}

bool LoopElement::CheckLoop() const {
    if (Condition.empty()) return false;
    if (conditionPlan_) return (conditionPlan_->Value() != 0) == ContinueWhen;
    Cursor cursor(Condition);
    return (ConditionValue(cursor) != 0) == ContinueWhen;
}

void LoopElement::RunInit() const {
    if (initPlan_)
        initPlan_->Run();
    else
        ExecuteAssignment(Init);
}

void LoopElement::RunStep() const {
    if (stepPlan_)
        stepPlan_->Run();
    else
        ExecuteAssignment(Step);
}

} // namespace mivarelo
