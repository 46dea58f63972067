#pragma once
// Conditions: one comparison of two expressions.
#include "core/TextReaders.h"

#include <string>
#include <string_view>

namespace mivarelo {

struct ComparisonPair {
    std::string Left;
    std::string Right;
    std::string Operator;
    unsigned char Kind = 0; // 1 ">=", 2 "<=", 3 "<>", 4 "==", 5 ">", 6 "<"
};

// The comparison a condition holds: the first of the operators, in the order
// ">=", "<=", "<>", "==", ">", "<", whose first character's first occurrence
// starts it with something on both sides. False when there is none.
bool SplitComparison(std::string_view condition, ComparisonPair& pair);
// Whether `left` and `right` stand in the relation of `kind`.
bool ComparisonHolds(unsigned char kind, float left, float right);
// 1 when the comparison holds, 0 when not or when there is none.
int CompareText(std::string_view condition);
// What the comparison is read from in the text before a condition's list:
// the text after leading blanks, or inside a leading '(' up to the first ')'.
std::string_view ComparedPart(std::string_view text);
// Reads the condition up to the first '[' (the cursor stops on it).
int ConditionValue(Cursor& cursor);

} // namespace mivarelo
