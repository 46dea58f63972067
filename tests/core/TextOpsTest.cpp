#include "core/TextOps.h"

#include "support/SplitResult.h"

#include <gtest/gtest.h>

namespace mivarelo {
namespace {

using support::SplitResult;

SplitResult SplitAt(std::string_view text, std::string_view op) {
    return support::SplitWith(
        [op](auto t, auto& left, auto& right) { return SplitAtOperator(t, op, left, right); },
        text);
}

TEST(SplitAtOperatorTest, SplitsAtTheFirstOccurrenceKeepingBlanks) {
    EXPECT_EQ(SplitAt("3 >= 3", ">="), (SplitResult{true, "3 ", " 3"}));
    EXPECT_EQ(SplitAt("x:=:x+1", ":="), (SplitResult{true, "x", ":x+1"}));
    EXPECT_EQ(SplitAt(">5", ">"), (SplitResult{true, "", "5"}));
}

TEST(SplitAtOperatorTest, OnlyTheFirstOccurrenceOfTheFirstCharacterIsTried) {
    EXPECT_EQ(SplitAt("a <x <= b", "<="), SplitResult{});
    EXPECT_FALSE(SplitAt("2 <> 3", "<=").found);
    EXPECT_FALSE(SplitAt("1 >", ">=").found); // the rest of the operator runs past the end
}

TEST(SplitAtOperatorTest, FailsWithoutOperatorTextOrRightPart) {
    EXPECT_FALSE(SplitAt("5 >", ">").found);
    EXPECT_FALSE(SplitAt("", ">").found);
    EXPECT_FALSE(SplitAt("a > b", "").found);
    EXPECT_FALSE(SplitAt("x = 5", "==").found);
    EXPECT_TRUE(SplitAt("5 > ", ">").found); // a blank right part is not empty
}

TEST(ReplaceAllTest, ReplacesNonOverlappingOccurrencesLeftToRight) {
    std::string text = "aaa";
    EXPECT_TRUE(ReplaceAll(text, "aa", "b"));
    EXPECT_EQ(text, "ba");
    text = "aba";
    EXPECT_TRUE(ReplaceAll(text, "a", "aa"));
    EXPECT_EQ(text, "aabaa");
    text = "kare 10\nkare 20";
    EXPECT_TRUE(ReplaceAll(text, "kare", "daire"));
    EXPECT_EQ(text, "daire 10\ndaire 20");
    text = "abcab";
    EXPECT_TRUE(ReplaceAll(text, "ab", ""));
    EXPECT_EQ(text, "c");
}

TEST(ReplaceAllTest, UnchangedWithoutOccurrence) {
    std::string text = "abc";
    EXPECT_FALSE(ReplaceAll(text, "cd", "x"));
    EXPECT_EQ(text, "abc");
    EXPECT_FALSE(ReplaceAll(text, "", "x"));
    EXPECT_EQ(text, "abc");
    std::string empty;
    EXPECT_FALSE(ReplaceAll(empty, "a", "x"));
    EXPECT_EQ(empty, "");
}

} // namespace
} // namespace mivarelo
