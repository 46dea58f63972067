#pragma once
// Arithmetic expressions written as text.
#include <string>
#include <string_view>
#include <vector>

namespace mivarelo {

// The value of an expression; 0 for an empty or malformed one. Division by
// zero and domain failures make the whole expression 0.
double evaluate(std::string_view expression);
// Installs `evaluate` as the core's expression evaluator.
void InstallEvaluator();

// The operator that applies the function named by its left operand to its
// right operand. The tokeniser inserts it after every function name.
constexpr char ApplyOperator = '\xC4';
// The prefix operator that negates its operand. The tokeniser puts it in
// place of a '-' that stands where an operand is expected ("-5", "2*-3",
// "(-3)", "sin -30"); read as a binary minus, such a sign would take the
// wrong left operand or none. It binds tighter than '*', '/', '%', '+' and
// '-' but looser than '^' and function application, so "-2^2" is -4 and
// "-sin 30" is -0.5. The character cannot come from the text as an operator.
constexpr char NegateOperator = '~';

// One token in the order the evaluation works them off: an operand text
// (a number or a name) when `op` is 0, else an operator: '+', '-', '*', '/',
// '^', '%', ApplyOperator, NegateOperator, or a stray bracket.
struct PostfixToken {
    std::string operand;
    char op = 0;
};

// The tokens of `expression` in postfix order, exactly as `evaluate` reads
// them.
std::vector<PostfixToken> PostfixTokens(std::string_view expression);

} // namespace mivarelo
