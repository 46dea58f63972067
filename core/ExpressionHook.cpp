#include "core/ExpressionHook.h"

#include "core/Numbers.h"

namespace mivarelo {

namespace {
EvaluateFunction evaluator = nullptr;
}

void SetExpressionEvaluator(EvaluateFunction fn) { evaluator = fn; }

double EvaluateExpression(std::string_view expression) {
    return evaluator ? evaluator(expression) : TextToFloat(expression);
}

} // namespace mivarelo
