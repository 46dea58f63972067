// The analysed forms of expressions, conditions and assignments against the
// text evaluation they replace: the same value, bit for bit, for hand-picked
// and generated texts.
#include "engine/ExpressionProgram.h"
#include "core/VariableStore.h"
#include "core/LineParser.h"
#include "engine/AssignmentProgram.h"
#include "engine/ConditionProgram.h"
#include "engine/Conditions.h"
#include "engine/Evaluator.h"
#include "engine/Random.h"
#include "support/Recorders.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace mivarelo {
namespace {

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

class ExpressionProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallEvaluator();
        variables_.store.SetVariable("x", 7.5f);
        variables_.store.SetVariable("i", -3.0f);
        variables_.store.SetVariable("big", 3.0e38f);
        variables_.store.SetVariable("zero", 0.0f);
        variables_.store.PushFrame("2.25, 40", "a :b");
    }

    // Evaluates both ways from the same random state and compares the values
    // and the states left behind.
    void ExpectSame(const std::string& text) {
        const ExpressionProgram program(text);
        const Random before = SharedRandom();
        const double analysed = program.Evaluate();
        const Random afterProgram = SharedRandom();
        SharedRandom() = before;
        const double read = evaluate(text);
        EXPECT_TRUE(SameBits(analysed, read))
            << "'" << text << "': " << analysed << " against " << read;
        Random left = afterProgram;
        EXPECT_EQ(left.Next(), SharedRandom().Next()) << "'" << text << "'";
    }

    support::ScopedVariableStore variables_;
};

TEST_F(ExpressionProgramTest, HandPickedExpressionsGiveTheTextValue) {
    const std::vector<std::string> texts = {
        "",
        "   ",
        "5",
        "-5",
        "x",
        "-x",
        "x + i",
        "x - -i",
        "2 * 3 + 4",
        "2 + 3 * 4",
        "2 ^ 3 ^ 2",
        "-2 ^ 2",
        "10 / 4",
        "1 / 3",
        "2 / 0",
        "5 / zero",
        "7 % 2",
        "9 % 3",
        "2 3",
        "2x",
        "x i",
        "(1 + 2) * 3",
        "2 (3 + 4)",
        "((x))",
        "sin 30",
        "-sin 30",
        "cos(60)",
        "sqrt -4",
        "sqrt 16 + 1",
        "abs i * 2",
        "big * 10",
        "big + big",
        "0.1 + 0.2",
        "1.5.5",
        "3,25 * 2",
        ".5",
        "a + :b",
        ":a * b",
        "_a",
        "2 )",
        "( 2",
        ")",
        "+",
        "- -",
        "* 3",
        "3 *",
        "sin",
        "1 + sin",
        "x y z",
        "rastgele 100 + rastgele 10",
        "random 5 * 0",
        "123456789012345678901234567890123",
        "-0",
        "0 * -1",
        "x / -big",
        "2 ^ 0.5",
        "-8 ^ 0.5",
        "3 sin 30",
        "(-3)",
        "[1 + 2] * {3}",
        "1e5",
    };
    for (const std::string& text : texts)
        ExpectSame(text);
}

TEST_F(ExpressionProgramTest, CommonExpressionsAreAnalysed) {
    EXPECT_TRUE(ExpressionProgram("x + i").Analysed());
    EXPECT_TRUE(ExpressionProgram("-(x * 2) / sin 30").Analysed());
    EXPECT_TRUE(ExpressionProgram("").Analysed());
    EXPECT_FALSE(ExpressionProgram("( 2").Analysed());
    EXPECT_FALSE(ExpressionProgram("3 *").Analysed());
    EXPECT_FALSE(ExpressionProgram("sin").Analysed());
}

// Texts made of the pieces the tokeniser distinguishes, so that odd
// sequences (stray brackets, signs in a row, names after numbers) come up
// as often as ordinary ones.
std::string GeneratedText(std::mt19937& random) {
    static const std::vector<std::string> pieces = {
        "x", "i", ":a", "b", "big",  "zero", "2",    "3",    "0.5",       "10",  "7.25",
        ".", ",", "+",  "-", "*",    "/",    "^",    "%",    "(",         ")",   "[",
        "]", " ", " ",  " ", "sin ", "sqrt", "abs ", "mod ", "rastgele ", "1000"};
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(1, 12);
    std::string text;
    for (int n = length(random); n > 0; --n)
        text += pieces[pick(random)];
    return text;
}

TEST_F(ExpressionProgramTest, GeneratedExpressionsGiveTheTextValue) {
    std::mt19937 random(1234);
    int analysed = 0;
    for (int n = 0; n < 20000; ++n) {
        const std::string text = GeneratedText(random);
        ExpectSame(text);
        if (ExpressionProgram(text).Analysed()) ++analysed;
    }
    // A good share of the texts takes the analysed road.
    EXPECT_GT(analysed, 4000);
}

TEST_F(ExpressionProgramTest, ConditionsGiveTheTextValue) {
    std::mt19937 random(99);
    const std::vector<std::string> operators = {
        " < ", ">", " >= ", "<=", " == ", "<>", " = ", "=="};
    std::uniform_int_distribution<std::size_t> pick(0, operators.size() - 1);
    for (int n = 0; n < 5000; ++n) {
        std::string text = GeneratedText(random) + operators[pick(random)];
        if (n % 7 != 0) text += GeneratedText(random);
        const ConditionProgram program(text);
        const Random before = SharedRandom();
        const int analysed = program.Value();
        SharedRandom() = before;
        EXPECT_EQ(analysed, CompareText(text)) << "'" << text << "'";
    }
    EXPECT_EQ(ConditionProgram("x > 7").Value(), 1);
    EXPECT_EQ(ConditionProgram("0.1 + 0.2 == 0.3").Value(), 1);
    EXPECT_EQ(ConditionProgram("x").Value(), 0);
}

TEST_F(ExpressionProgramTest, AssignmentsStoreWhatTheTextStores) {
    std::mt19937 random(7);
    // Names that the generated expressions do not read, so that both runs
    // see the same variables.
    const std::vector<std::string> names = {"v", " v ", "_v", ":w", "V", "v2"};
    std::uniform_int_distribution<std::size_t> pick(0, names.size() - 1);
    for (int n = 0; n < 3000; ++n) {
        const std::string text =
            names[pick(random)] + (n % 2 ? " := " : " = ") + GeneratedText(random);
        const AssignmentProgram program(text);
        VariableStore& store = variables_.store;
        const Random before = SharedRandom();
        const bool analysed = program.Run();
        const std::string stored = store.Globals().Describe() + store.DescribeTopFrame();
        SharedRandom() = before;
        EXPECT_EQ(analysed, ExecuteAssignment(text)) << text;
        EXPECT_EQ(stored, store.Globals().Describe() + store.DescribeTopFrame()) << text;
    }
    EXPECT_FALSE(AssignmentProgram("x :=").Run());
    EXPECT_FALSE(AssignmentProgram("fd 10").Run());
}

} // namespace
} // namespace mivarelo
