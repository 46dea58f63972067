#pragma once
// Conditions: one comparison of two expressions.
#include "core/TextReaders.h"

#include <string>
#include <string_view>

namespace mivarelo {

struct KarsilastirmaPair {
    std::string Left;
    std::string Right;
    std::string Operator;
    unsigned char Kind = 0; // 1 ">=", 2 "<=", 3 "<>", 4 "==", 5 ">", 6 "<"
};

int CompareText(std::string_view condition);
// Reads the condition up to the first '[' (the cursor stops on it).
int ConditionValue(Cursor& cursor);

} // namespace mivarelo
