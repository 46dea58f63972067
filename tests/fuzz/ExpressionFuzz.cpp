// The expression evaluator and the conditions. The analysed forms
// (ExpressionProgram, ConditionProgram) must give exactly the values of the
// text evaluators on every input, and assignments must store what the
// evaluator computes.
#include "FuzzEnvironment.h"
#include "FuzzTarget.h"

#include "core/VariableStore.h"
#include "core/LineParser.h"
#include "engine/ConditionProgram.h"
#include "engine/Conditions.h"
#include "engine/Evaluator.h"
#include "engine/ExpressionProgram.h"
#include "engine/Random.h"

#include <cmath>
#include <cstring>

using namespace mivarelo;
using namespace mivarelo::fuzz;

namespace {

// Both evaluations draw from the shared random generator; each starts from
// the same state so that "random" gives both the same numbers.
void RestartRandom() {
    SharedRandom() = Random();
}

bool SameValue(double a, double b) {
    if (std::isnan(a) && std::isnan(b)) return true;
    return std::memcmp(&a, &b, sizeof a) == 0 || a == b;
}

void CheckExpression(const std::string& text) {
    RestartRandom();
    const double byText = evaluate(text);
    RestartRandom();
    const double byProgram = ExpressionProgram(text).Evaluate();
    Require(SameValue(byText, byProgram), "expression program differs from evaluate");
    PostfixTokens(text);
}

void CheckCondition(const std::string& text) {
    RestartRandom();
    const int byText = CompareText(text);
    RestartRandom();
    const int byProgram = ConditionProgram(text).Value();
    Require(byText == byProgram, "condition program differs from CompareText");
    Require(byText == 0 || byText == 1, "a condition is 0 or 1");
    Cursor cursor(text);
    ConditionValue(cursor);
    Require(cursor.pos <= text.size(), "condition cursor stays inside the text");
}

void CheckAssignment(const std::string& text) {
    std::string name, expression;
    if (!SplitAssignment(text, name, expression)) return;
    ExecuteAssignment(text);
}

} // namespace

int FuzzOne(const std::uint8_t* data, std::size_t size) {
    FuzzEnvironment::Prepare();
    VariableStore variables;
    VariableStore* previous = SetVariableStore(&variables);
    variables.SetVariable("a", 3.5f);
    variables.SetVariable("uzunluk", 40.0f);
    variables.SetVariable("sayi", -7.0f);
    const std::string text = InputText(data, size);
    CheckExpression(text);
    CheckCondition(text);
    CheckAssignment(text);
    SetVariableStore(previous);
    return 0;
}
