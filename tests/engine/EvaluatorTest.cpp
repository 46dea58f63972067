#include "engine/Evaluator.h"
#include "core/VariableStore.h"
#include "core/ExpressionHook.h"
#include "engine/TextStack.h"
#include "support/Recorders.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace mivarelo {
namespace {

// Each test gets a fresh process-wide variable store and the real evaluator.
class EvaluatorTest : public ::testing::Test {
protected:
    void SetUp() override { InstallEvaluator(); }

    support::ScopedVariableStore variables_;
};

TEST(TextStackTest, PushPopTopAndItems) {
    TextStack stack;
    EXPECT_TRUE(stack.IsEmpty());
    EXPECT_EQ(stack.Top(), nullptr);
    EXPECT_FALSE(stack.Pop());
    for (int i = 0; i < 25; ++i)
        stack.Push(std::to_string(i));
    EXPECT_EQ(stack.Count(), 25);
    EXPECT_EQ(*stack.Top(), "24");
    EXPECT_EQ(stack.Pop(), "24");
    EXPECT_EQ(*stack.Top(), "23");
    for (int i = 23; i >= 0; --i)
        EXPECT_EQ(stack.Pop(), std::to_string(i));
    EXPECT_TRUE(stack.IsEmpty());
    stack.Push("a");
    stack.Clear();
    EXPECT_TRUE(stack.IsEmpty());
    EXPECT_EQ(stack.Count(), 0);
}

TEST_F(EvaluatorTest, IntermediateResultsCarryThreeDecimals) {
    EXPECT_DOUBLE_EQ(evaluate("1/3"), 0.333);
    EXPECT_DOUBLE_EQ(evaluate("1/3*3"), 0.999);
    EXPECT_DOUBLE_EQ(evaluate("2/3"), 0.667);
    EXPECT_DOUBLE_EQ(evaluate("0.1+0.2"), 0.3);
    EXPECT_DOUBLE_EQ(evaluate("2+3"), 5.0);
    EXPECT_DOUBLE_EQ(evaluate("1.23456"), 1.23456); // a lone operand is not rounded
}

TEST_F(EvaluatorTest, PrecedenceAndAssociativity) {
    EXPECT_DOUBLE_EQ(evaluate("2+3*4"), 14.0);
    EXPECT_DOUBLE_EQ(evaluate("2^3^2"), 512.0);
    EXPECT_DOUBLE_EQ(evaluate("2*3^2"), 18.0);
    EXPECT_DOUBLE_EQ(evaluate("10-2-3"), 5.0);
    EXPECT_DOUBLE_EQ(evaluate("100/10/5"), 2.0);
    EXPECT_DOUBLE_EQ(evaluate("(2+3)*4"), 20.0);
    EXPECT_DOUBLE_EQ(evaluate("[2+3]*4"), 20.0);
    EXPECT_DOUBLE_EQ(evaluate("{2+3}*4"), 20.0);
    EXPECT_DOUBLE_EQ(evaluate("((1+2)*(3+4))"), 21.0);
    EXPECT_DOUBLE_EQ(evaluate("2+6 % 3"), 3.0);    // '%' binds tighter than '+'
    EXPECT_DOUBLE_EQ(evaluate("2*6 % 4"), 1.0);    // and looser than '*'
    EXPECT_DOUBLE_EQ(evaluate("12 % 4 * 3"), 1.0); // 12 % 12, on either side
    EXPECT_DOUBLE_EQ(evaluate("12 % 4 / 2"), 1.0); // 12 % 2
    EXPECT_DOUBLE_EQ(evaluate("5 % 3 % 2"), 1.0);  // left to right: (5 % 3) % 2
}

TEST_F(EvaluatorTest, ImplicitMultiplication) {
    SetVariable("x", 4.0f);
    EXPECT_DOUBLE_EQ(evaluate("2 3"), 6.0);
    EXPECT_DOUBLE_EQ(evaluate("2x"), 8.0);
    EXPECT_DOUBLE_EQ(evaluate("x 3"), 12.0);
    EXPECT_DOUBLE_EQ(evaluate("2 sin 30"), 1.0);
    EXPECT_DOUBLE_EQ(evaluate("x2"), 0.0); // a digit after a name belongs to the name
}

TEST_F(EvaluatorTest, FunctionApplicationInEveryForm) {
    EXPECT_DOUBLE_EQ(evaluate("sin 30"), 0.5);
    EXPECT_DOUBLE_EQ(evaluate("sin(30)"), 0.5);
    EXPECT_DOUBLE_EQ(evaluate("sin30"), 0.5);
    EXPECT_DOUBLE_EQ(evaluate("SIN 90"), 1.0);
    EXPECT_DOUBLE_EQ(evaluate("sin 30 + 1"), 1.5);
    EXPECT_DOUBLE_EQ(evaluate("sqrt 16 * 2"), 8.0);
    EXPECT_DOUBLE_EQ(evaluate("sqrt(9+7)"), 4.0);
    EXPECT_DOUBLE_EQ(evaluate("sin cos 0 * 90"), 1.53); // sin(cos 0) * 90 = 0.017 * 90
    EXPECT_DOUBLE_EQ(evaluate("sin(cos(0)*90)"), 1.0);
    EXPECT_DOUBLE_EQ(evaluate("-sin 30"), -0.5);
    EXPECT_DOUBLE_EQ(evaluate("acos 2"), 0.0);
    EXPECT_DOUBLE_EQ(evaluate("mod 7"), 5.0);
}

TEST_F(EvaluatorTest, FunctionsKeepANegativeArgument) {
    SetVariable("a", 30.0f);
    EXPECT_DOUBLE_EQ(evaluate("sin -30"), -0.5);
    EXPECT_DOUBLE_EQ(evaluate("sin - 30"), -0.5);
    EXPECT_DOUBLE_EQ(evaluate("acos -0.5"), 60.0);
    EXPECT_DOUBLE_EQ(evaluate("abs -2.7"), 2.0);
    EXPECT_DOUBLE_EQ(evaluate("sin(-30)"), -0.5);
    EXPECT_DOUBLE_EQ(evaluate("sin[-30]"), -0.5);
    EXPECT_DOUBLE_EQ(evaluate("sin -a"), -0.5);
    EXPECT_DOUBLE_EQ(evaluate("sin -(a)"), -0.5);
    EXPECT_DOUBLE_EQ(evaluate("sin(-(15+15))"), -0.5);
    EXPECT_DOUBLE_EQ(evaluate("sin(-60+30)"), -0.5);
    EXPECT_DOUBLE_EQ(evaluate("sin -30 + 1"), 0.5);
    EXPECT_DOUBLE_EQ(evaluate("2 * sin -30"), -1.0);
    EXPECT_DOUBLE_EQ(evaluate("sin --30"), 0.5);
    EXPECT_DOUBLE_EQ(evaluate("sin +30"), 0.5);
    EXPECT_DOUBLE_EQ(evaluate("abs -sqrt 16"), 4.0);
    EXPECT_DOUBLE_EQ(evaluate("birler -123"), -3.0);
}

TEST_F(EvaluatorTest, SignsAndVariables) {
    PushFrame("4", ":x");
    EXPECT_DOUBLE_EQ(evaluate("-5+2"), -3.0);
    EXPECT_DOUBLE_EQ(evaluate("-:x"), -4.0);
    EXPECT_DOUBLE_EQ(evaluate("+:x"), 4.0);
    EXPECT_DOUBLE_EQ(evaluate(":x * 2 + 10"), 18.0);
    EXPECT_DOUBLE_EQ(evaluate("_x/8"), 0.5);
    EXPECT_DOUBLE_EQ(evaluate(":unknown + 1"), 1.0);
    EXPECT_DOUBLE_EQ(evaluate("unknown"), 0.0);
    SetVariable("big", -20000.0f);
    EXPECT_DOUBLE_EQ(evaluate("big"), 0.0); // reads as absent
}

TEST_F(EvaluatorTest, SignWhereAnOperandIsExpectedBelongsToThatOperand) {
    PushFrame("4", ":x");
    EXPECT_DOUBLE_EQ(evaluate("2*-3"), -6.0);
    EXPECT_DOUBLE_EQ(evaluate("2*(-3)"), -6.0);
    EXPECT_DOUBLE_EQ(evaluate("(-3)*2"), -6.0);
    EXPECT_DOUBLE_EQ(evaluate("10/-4"), -2.5);
    EXPECT_DOUBLE_EQ(evaluate("2+-3"), -1.0);
    EXPECT_DOUBLE_EQ(evaluate("5--3"), 8.0);
    EXPECT_DOUBLE_EQ(evaluate("10 % -5"), 1.0);
    EXPECT_DOUBLE_EQ(evaluate("-5+2"), -3.0);
    EXPECT_DOUBLE_EQ(evaluate("-(2+3)"), -5.0);
    EXPECT_DOUBLE_EQ(evaluate("--3"), 3.0);
    EXPECT_DOUBLE_EQ(evaluate("---3"), -3.0);
    EXPECT_DOUBLE_EQ(evaluate("-:x"), -4.0);
    EXPECT_DOUBLE_EQ(evaluate("2*-:x"), -8.0);
    EXPECT_DOUBLE_EQ(evaluate("2*+3"), 6.0);
    EXPECT_DOUBLE_EQ(evaluate("-+3"), -3.0);
    EXPECT_DOUBLE_EQ(evaluate("- 5"), -5.0);
}

TEST_F(EvaluatorTest, NegationBindsLooserThanPowerAndFunctionsTighterThanTheRest) {
    EXPECT_DOUBLE_EQ(evaluate("-2^2"), -4.0);
    EXPECT_DOUBLE_EQ(evaluate("2^-1"), 0.5);
    EXPECT_DOUBLE_EQ(evaluate("-2^-2"), -0.25);
    EXPECT_DOUBLE_EQ(evaluate("2^-1*3"), 1.5);
    EXPECT_DOUBLE_EQ(evaluate("-sin 30"), -0.5);
    EXPECT_DOUBLE_EQ(evaluate("-sin 30 * 4"), -2.0);
    EXPECT_DOUBLE_EQ(evaluate("-2*3+1"), -5.0);
    EXPECT_DOUBLE_EQ(evaluate("-6 % 3 + 1"), 2.0);
    EXPECT_DOUBLE_EQ(evaluate("sin -30 * 2"), -1.0);
}

TEST_F(EvaluatorTest, MinusAfterAnOperandStaysBinary) {
    EXPECT_DOUBLE_EQ(evaluate("2 -3"), -1.0);
    EXPECT_DOUBLE_EQ(evaluate("2 - 3"), -1.0);
    EXPECT_DOUBLE_EQ(evaluate("10-2-3"), 5.0);
    EXPECT_DOUBLE_EQ(evaluate("(5)-2"), 3.0);
    EXPECT_DOUBLE_EQ(evaluate("sin 30 - 1"), -0.5);
}

TEST_F(EvaluatorTest, SignOnAPlainOperandKeepsAllItsDigits) {
    EXPECT_EQ(evaluate("-1.23456"), -1.23456);
    EXPECT_EQ(evaluate("--1.23456"), 1.23456);
    EXPECT_EQ(evaluate("-(1.23456)"), -1.23456);
    // Only the product is rounded to three decimals, not the factor.
    EXPECT_DOUBLE_EQ(evaluate("1000000 * -0.0001234"), -123.4);
    EXPECT_DOUBLE_EQ(evaluate("-(1/3)"), -0.333);
}

TEST_F(EvaluatorTest, BracketAfterAFunctionNameAndABlankHoldsTheArgument) {
    EXPECT_EQ(evaluate("sin (30)"), 0.5);
    EXPECT_EQ(evaluate("sin ( 30 )"), 0.5);
    EXPECT_EQ(evaluate("sin (30 )"), 0.5);
    EXPECT_EQ(evaluate("sin [30]"), 0.5);
    EXPECT_EQ(evaluate("sin (-30)"), -0.5);
    EXPECT_DOUBLE_EQ(evaluate("sin (30+60)"), 1.0);
    EXPECT_DOUBLE_EQ(evaluate("sqrt (9+7) * 2"), 8.0);
    EXPECT_DOUBLE_EQ(evaluate("sin (cos (0) * 90)"), 1.0);
    EXPECT_DOUBLE_EQ(evaluate("sin ( cos ( 0 ) * 90 )"), 1.0);
}

TEST_F(EvaluatorTest, BracketsBalanceWhateverTheBlanks) {
    EXPECT_DOUBLE_EQ(evaluate("2 (3)"), 6.0);
    EXPECT_DOUBLE_EQ(evaluate("2 (3+4)"), 14.0);
    EXPECT_DOUBLE_EQ(evaluate("( 30 )"), 30.0);
    EXPECT_DOUBLE_EQ(evaluate("(2+3 )*4"), 20.0);
    EXPECT_DOUBLE_EQ(evaluate("( 2 + 3 ) * ( 1 + 1 )"), 10.0);
    EXPECT_DOUBLE_EQ(evaluate("sin( 30 )"), 0.5);
    EXPECT_DOUBLE_EQ(evaluate("[ 2 + 3 ] * 4"), 20.0);
    // A closing bracket that closes nothing is still skipped after a blank.
    EXPECT_DOUBLE_EQ(evaluate("2 ) + 1"), 3.0);
}

TEST_F(EvaluatorTest, NumberTexts) {
    EXPECT_DOUBLE_EQ(evaluate("1,5"), 1.5);
    EXPECT_DOUBLE_EQ(evaluate("1.5*2"), 3.0);
    EXPECT_DOUBLE_EQ(evaluate(".5"), 0.5);
    EXPECT_DOUBLE_EQ(evaluate("1.2.3"), 1.3); // a second separator restarts the fraction
    EXPECT_DOUBLE_EQ(evaluate("007"), 7.0);
    EXPECT_DOUBLE_EQ(evaluate("12345678"), 12345678.0);
}

TEST_F(EvaluatorTest, DivisibilityTest) {
    EXPECT_DOUBLE_EQ(evaluate("10 % 5"), 1.0);
    EXPECT_DOUBLE_EQ(evaluate("10 % 4"), 0.0);
    EXPECT_DOUBLE_EQ(evaluate("7 % 0"), 0.0);
    EXPECT_DOUBLE_EQ(evaluate("12 % 4.5"), 0.0);
}

TEST_F(EvaluatorTest, FailuresMakeTheWholeExpressionZero) {
    EXPECT_EQ(evaluate("1/0"), 0.0);
    EXPECT_EQ(evaluate("5 + 1/0"), 0.0);
    EXPECT_EQ(evaluate("100 - 4/(2-2)"), 0.0);
    EXPECT_EQ(evaluate("sqrt -4"), 0.0);
    EXPECT_EQ(evaluate("2 + sqrt(-4)"), 0.0);
    EXPECT_EQ(evaluate("asin 2 + 7"), 0.0);
    EXPECT_EQ(evaluate("cot -45"), 0.0);
    EXPECT_DOUBLE_EQ(evaluate("sqrt 4 + 1/2"), 2.5); // no failure, no change
}

TEST_F(EvaluatorTest, EmptyMalformedAndUnknownTextsGiveNumbersWithoutFailing) {
    EXPECT_EQ(evaluate(""), 0.0);
    EXPECT_EQ(evaluate("   "), 0.0);
    EXPECT_EQ(evaluate("*5"), 0.0);
    EXPECT_EQ(evaluate("()"), 0.0);
    EXPECT_EQ(evaluate("sin"), 0.0);
    EXPECT_DOUBLE_EQ(evaluate("1$2"), 12.0); // unknown characters are skipped
    EXPECT_DOUBLE_EQ(evaluate("2 @ 3"), 6.0);
    EXPECT_DOUBLE_EQ(evaluate("(2+3"), 5.0);
    EXPECT_DOUBLE_EQ(evaluate("\t7\n"), 7.0);
}

TEST_F(EvaluatorTest, ResultsAreAlwaysFinite) {
    EXPECT_EQ(evaluate("((0-8)^0.5"), 0.0); // NaN
    EXPECT_EQ(evaluate("((10^400"), 0.0);   // infinite
    EXPECT_EQ(evaluate("10^40"), 0.0);      // beyond a 32-bit float, "inf" on the stack
    EXPECT_EQ(evaluate("(1/cot 0"), 0.0);
    EXPECT_DOUBLE_EQ(evaluate("((10^30"), 1e30);
}

// An overflowing or undefined intermediate result would reach the operand
// stack as the text "inf" or "nan"; it must never be read as a variable.
TEST_F(EvaluatorTest, OverflowIsAFailureNotAVariableName) {
    SetVariable("inf", 7.0f);
    SetVariable("nan", 3.0f);
    EXPECT_EQ(evaluate("10^40"), 0.0);
    EXPECT_EQ(evaluate("10^400"), 0.0);
    EXPECT_EQ(evaluate("1 + 10^40"), 0.0);
    EXPECT_EQ(evaluate("-(10^40)"), 0.0);
    EXPECT_EQ(evaluate("(0-8)^0.5"), 0.0);
    EXPECT_EQ(evaluate("(-8)^0.5 * 2"), 0.0);
    EXPECT_DOUBLE_EQ(evaluate("inf + nan"), 10.0);
    EXPECT_DOUBLE_EQ(evaluate("10^38 / 10^37"), 10.0);
}

TEST_F(EvaluatorTest, PathologicalTextsDoNotCrash) {
    const std::string deep = std::string(50000, '(') + "1+2" + std::string(50000, ')');
    EXPECT_DOUBLE_EQ(evaluate(deep), 3.0);
    // A stray bracket left over as an operator drops its operand.
    EXPECT_EQ(evaluate(std::string(50000, '(') + "4"), 0.0);
    EXPECT_EQ(evaluate(std::string(50000, ')') + "4"), 0.0);
    std::string sum = "1";
    for (int i = 0; i < 20000; ++i)
        sum += "+1";
    EXPECT_DOUBLE_EQ(evaluate(sum), 20001.0);
    EXPECT_EQ(evaluate(std::string(100000, '-')), 0.0);
    EXPECT_EQ(evaluate(std::string(100000, '\xC4')), 0.0);
    EXPECT_EQ(evaluate(std::string(100000, '9')), 0.0); // does not fit a float
    std::string everyByte;
    for (int i = 0; i < 256; ++i)
        everyByte += static_cast<char>(i);
    std::string mixed;
    for (int round = 0; round < 2000; ++round)
        for (int i = 0; i < 256; i += 7)
            mixed += everyByte[(i * 31 + round * 17) % 256];
    for (std::size_t length = 0; length < mixed.size(); length += 97)
        EXPECT_TRUE(std::isfinite(evaluate(std::string_view(mixed).substr(length, 200))));
}

TEST_F(EvaluatorTest, InstalledEvaluatorServesTheCore) {
    EXPECT_DOUBLE_EQ(EvaluateExpression("2+3*4"), 14.0);
    PushFrame("1+2, 10/4, sin 30", ":a :b :c");
    EXPECT_FLOAT_EQ(GetVariable(":a"), 3.0f);
    EXPECT_FLOAT_EQ(GetVariable(":b"), 2.5f);
    EXPECT_FLOAT_EQ(GetVariable(":c"), 0.5f);
    // Values are evaluated in the caller's frame.
    PushFrame(":a * 2", ":a");
    EXPECT_FLOAT_EQ(GetVariable(":a"), 6.0f);
}

} // namespace
} // namespace mivarelo
