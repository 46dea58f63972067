#pragma once
// The core stores variables and assignments but the expression evaluator
// lives in the engine. The engine installs its evaluator here once; without
// one, expressions read as their leading number.
#include <string_view>

namespace mivarelo {

using EvaluateFunction = double (*)(std::string_view expression);

void SetExpressionEvaluator(EvaluateFunction fn);
double EvaluateExpression(std::string_view expression);

} // namespace mivarelo
