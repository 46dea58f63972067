#pragma once
// A repeat, if or test command analysed once, kept beside the command in
// the command cache: its count or condition as a program and its list cut
// out of the argument. The line dispatcher runs it with exactly the effects
// the argument text has when it is read at every pass.
#include "engine/ConditionProgram.h"
#include "engine/ExpressionProgram.h"

#include <string>
#include <string_view>

namespace mivarelo {

class ListCommandPlan {
public:
    enum class Kind { Repeat, Condition };

    // "COUNT [LIST]" for Repeat, "CONDITION [LIST]" for Condition.
    ListCommandPlan(Kind kind, std::string_view argument);

    Kind Type() const { return kind_; }
    // The argument holds blanks only: the command does nothing.
    bool ArgumentBlank() const { return argumentBlank_; }
    // The number of repetitions, truncated toward zero.
    int Count() const;
    // 1 when the condition holds, else 0.
    int ConditionValue() const { return condition_.Value(); }
    const std::string& List() const { return list_; }
    bool ListBlank() const { return listBlank_; }

private:
    Kind kind_;
    ExpressionProgram count_;
    ConditionProgram condition_;
    std::string list_;
    bool argumentBlank_ = false;
    bool listBlank_ = false;
};

} // namespace mivarelo
