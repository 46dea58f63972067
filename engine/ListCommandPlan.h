#pragma once
// A repeat, if or test command analysed once, kept beside the command in
// the command cache: its count or condition as a program and its list cut
// out of the argument. The line dispatcher runs it with exactly the effects
// the argument text has when it is read at every pass.
#include "engine/CommandCache.h"
#include "engine/ConditionProgram.h"
#include "engine/ExpressionProgram.h"

#include <string>
#include <string_view>

namespace mivarelo {

class ListCommandPlan {
public:
    enum class Kind { Repeat, Condition };

    // "COUNT [LIST]" for Repeat, "CONDITION [LIST]" for Condition; the
    // argument is a part of `owner`, and so is the list, which is kept as
    // that part. `normalizedLevels` is what LogoThread takes for the list.
    // `matches`, when given, is the bracket table of the argument (see
    // MatchBrackets), with which the list's end is found without reading it.
    ListCommandPlan(Kind kind, std::string_view argument, SharedText owner, int normalizedLevels,
                    const std::uint32_t* matches);

    Kind Type() const { return kind_; }
    // The argument holds blanks only: the command does nothing.
    bool ArgumentBlank() const { return argumentBlank_; }
    // The number of repetitions, truncated toward zero.
    int Count() const;
    // 1 when the condition holds, else 0.
    int ConditionValue() const { return condition_.Value(); }
    std::string_view List() const { return list_; }
    const SharedText& Owner() const { return owner_; }
    int NormalizedLevels() const { return normalizedLevels_; }
    bool ListBlank() const { return listBlank_; }

private:
    Kind kind_;
    ExpressionProgram count_;
    ConditionProgram condition_;
    SharedText owner_;
    std::string_view list_;
    int normalizedLevels_;
    bool argumentBlank_ = false;
    bool listBlank_ = false;
};

} // namespace mivarelo
