#pragma once
// A condition analysed once: its comparison operator found and both sides
// made expression programs. Its value is exactly that of CompareText on the
// same text.
#include "engine/ExpressionProgram.h"

#include <string_view>

namespace mivarelo {

class ConditionProgram {
public:
    // `condition` as CompareText takes it (see ComparedPart).
    explicit ConditionProgram(std::string_view condition);

    // 1 when the comparison holds, 0 when not or when there is none.
    int Value() const;

private:
    ExpressionProgram left_;
    ExpressionProgram right_;
    unsigned char kind_ = 0; // 0 for no comparison
};

} // namespace mivarelo
