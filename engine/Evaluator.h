#pragma once
// Arithmetic expressions written as text.
#include <string_view>

namespace mivarelo {

// The value of an expression; 0 for an empty or malformed one. Division by
// zero and domain failures make the whole expression 0.
double evaluate(std::string_view expression);
// Installs `evaluate` as the core's expression evaluator.
void InstallEvaluator();

} // namespace mivarelo
