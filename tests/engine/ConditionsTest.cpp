#include "engine/Conditions.h"
#include "core/VariableStore.h"
#include "engine/Evaluator.h"
#include "support/Recorders.h"

#include <gtest/gtest.h>

namespace mivarelo {
namespace {

class ConditionsTest : public ::testing::Test {
protected:
    void SetUp() override { InstallEvaluator(); }

    support::ScopedVariableStore variables_;
};

TEST_F(ConditionsTest, EveryComparisonKind) {
    EXPECT_EQ(CompareText("3 >= 3"), 1);
    EXPECT_EQ(CompareText("2 >= 3"), 0);
    EXPECT_EQ(CompareText("3 <= 3"), 1);
    EXPECT_EQ(CompareText("4 <= 3"), 0);
    EXPECT_EQ(CompareText("2 <> 3"), 1);
    EXPECT_EQ(CompareText("3 <> 3"), 0);
    EXPECT_EQ(CompareText("2 == 2.0"), 1);
    EXPECT_EQ(CompareText("2 == 3"), 0);
    EXPECT_EQ(CompareText("3 > 3"), 0);
    EXPECT_EQ(CompareText("4 > 3"), 1);
    EXPECT_EQ(CompareText("2 < 3"), 1);
    EXPECT_EQ(CompareText("3 < 3"), 0);
}

TEST_F(ConditionsTest, SidesAreExpressionsRoundedToFloat) {
    SetVariable("x", 7.0f);
    EXPECT_EQ(CompareText("x*2 > 10+3"), 1);
    EXPECT_EQ(CompareText("0.1+0.2 == 0.3"), 1);
    EXPECT_EQ(CompareText("1/3 == 0.333"), 1);
    EXPECT_EQ(CompareText("sin -30 < 0"), 1);
}

TEST_F(ConditionsTest, KindsAreTriedInTableOrder) {
    // Split at '>': the left side "1 < 2 " skips '<' and multiplies to 2.
    EXPECT_EQ(CompareText("1 < 2 > 0"), 1);
    EXPECT_EQ(CompareText("1 < 2 > 3"), 0);
    // Split at "<=": the left side "5 > 4 " skips ">" and multiplies to 20.
    EXPECT_EQ(CompareText("5 > 4 <= 1"), 0);
}

TEST_F(ConditionsTest, MissingOperatorOrSideIsFalse) {
    EXPECT_EQ(CompareText(""), 0);
    EXPECT_EQ(CompareText("5 = 5"), 0);
    EXPECT_EQ(CompareText("5"), 0);
    EXPECT_EQ(CompareText("5 >"), 0);
    EXPECT_EQ(CompareText("> 5"), 0);
    // A side of blanks only is as missing as an empty one: trailing blanks
    // never change what a condition means.
    EXPECT_EQ(CompareText("5 > "), 0);
    EXPECT_EQ(CompareText("-5 < \t"), 0);
    EXPECT_EQ(CompareText("5 >= "), CompareText("5 >="));
    EXPECT_EQ(CompareText("-5 <= "), CompareText("-5 <="));
    EXPECT_EQ(CompareText(" < 5"), 0);
    EXPECT_EQ(CompareText("0 == \n"), 0);
}

// The text before the list always ends in the blank that separates the two,
// so a condition whose right side is missing arrives with a blank there.
TEST_F(ConditionsTest, MissingSideBeforeTheListIsFalse) {
    SetVariable("x", 7.0f);
    Cursor missing(std::string_view("x > [fd 10]"));
    EXPECT_EQ(ConditionValue(missing), 0);
    EXPECT_EQ(missing.Peek(), '[');
    Cursor bracketed(std::string_view("( x <> ) [fd 10]"));
    EXPECT_EQ(ConditionValue(bracketed), 0);
    Cursor present(std::string_view("x > 0 [fd 10]"));
    EXPECT_EQ(ConditionValue(present), 1);
}

TEST_F(ConditionsTest, ConditionValueStopsAtTheList) {
    SetVariable("x", 7.0f);
    const std::string text = "x > 5 [fd 10]";
    Cursor cursor(text);
    EXPECT_EQ(ConditionValue(cursor), 1);
    EXPECT_EQ(cursor.Peek(), '[');
    EXPECT_EQ(cursor.pos, 6u);
    Cursor bracketed(std::string_view("(x > 5) [fd 10]"));
    EXPECT_EQ(ConditionValue(bracketed), 1);
    EXPECT_EQ(bracketed.Peek(), '[');
    Cursor blankFirst(std::string_view("  (x < 5) [fd 10]"));
    EXPECT_EQ(ConditionValue(blankFirst), 0);
}

TEST_F(ConditionsTest, OnlyTheFirstParenthesesCount) {
    SetVariable("x", 7.0f);
    SetVariable("y", 1.0f);
    Cursor both(std::string_view("(x > 5) ve (y > 2) [fd 10]"));
    EXPECT_EQ(ConditionValue(both), 1);
    Cursor unclosed(std::string_view("(x > 5 [fd 10]"));
    EXPECT_EQ(ConditionValue(unclosed), 1);
}

TEST_F(ConditionsTest, EmptyConditionsAreFalse) {
    Cursor empty(std::string_view(""));
    EXPECT_EQ(ConditionValue(empty), 0);
    Cursor listOnly(std::string_view("[fd 10]"));
    EXPECT_EQ(ConditionValue(listOnly), 0);
    EXPECT_EQ(listOnly.Peek(), '[');
    Cursor blanks(std::string_view("   [fd 10]"));
    EXPECT_EQ(ConditionValue(blanks), 0);
    Cursor atEnd(std::string_view("x > 1"), 5);
    EXPECT_EQ(ConditionValue(atEnd), 0);
}

} // namespace
} // namespace mivarelo
