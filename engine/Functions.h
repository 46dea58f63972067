#pragma once
// The one-argument functions of expressions, each under two names. Angles are
// in degrees, both in and out.
#include <string_view>

namespace mivarelo {

// 1..20 for a function name (matched after platform lower-casing), else 0.
int FunctionNumber(std::string_view name);
// The function's value at x; 0 for a number outside 1..20. The domain
// failures (square root of a negative number, arcsine outside -1..1,
// cotangent of a negative angle) set `failed` and give 0; `failed` is left
// alone otherwise.
double ApplyFunction(int number, double x, bool& failed);
double ApplyFunctionByName(std::string_view name, double x, bool& failed);

} // namespace mivarelo
