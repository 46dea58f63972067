#pragma once
// The one-argument functions of expressions, each under two names.
#include <string_view>

namespace mivarelo {

// 1..20 for a function name (matched after platform lower-casing), else 0.
int FunctionNumber(std::string_view name);
double ApplyFunction(int number, double x);
double ApplyFunctionByName(std::string_view name, double x);

} // namespace mivarelo
