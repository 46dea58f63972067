#pragma once
// An assignment analysed once: the text split into the variable's name and
// an expression program. Running it does exactly what ExecuteAssignment does
// with the same text.
#include "engine/ExpressionProgram.h"

#include <string>
#include <string_view>

namespace mivarelo {

class AssignmentProgram {
public:
    explicit AssignmentProgram(std::string_view text);

    // Stores the expression's value in the variable; false, storing nothing,
    // when the text is no assignment.
    bool Run() const;

private:
    std::string name_;
    ExpressionProgram expression_;
    bool isAssignment_ = false;
};

} // namespace mivarelo
