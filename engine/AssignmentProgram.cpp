#include "engine/AssignmentProgram.h"

#include "core/LineParser.h"
#include "core/VariableStore.h"

namespace mivarelo {

AssignmentProgram::AssignmentProgram(std::string_view text) {
    std::string expression;
    isAssignment_ = SplitAssignment(text, name_, expression);
    if (isAssignment_) expression_ = ExpressionProgram(expression);
}

bool AssignmentProgram::Run() const {
    if (!isAssignment_) return false;
    SetVariable(name_, expression_.Evaluate());
    return true;
}

} // namespace mivarelo
