#include "core/TextOps.h"

#include <gtest/gtest.h>

namespace mivarelo {
namespace {

struct Split {
    bool ok;
    std::string left;
    std::string right;
};

Split SplitAt(std::string_view text, std::string_view op) {
    Split s{false, "stale", "stale"};
    s.ok = SplitAtOperator(text, op, s.left, s.right);
    return s;
}

TEST(SplitAtOperatorTest, SplitsAtTheFirstOccurrenceKeepingBlanks) {
    const Split s = SplitAt("3 >= 3", ">=");
    EXPECT_TRUE(s.ok);
    EXPECT_EQ(s.left, "3 ");
    EXPECT_EQ(s.right, " 3");
    const Split assignment = SplitAt("x:=:x+1", ":=");
    EXPECT_TRUE(assignment.ok);
    EXPECT_EQ(assignment.left, "x");
    EXPECT_EQ(assignment.right, ":x+1");
    const Split emptyLeft = SplitAt(">5", ">");
    EXPECT_TRUE(emptyLeft.ok);
    EXPECT_EQ(emptyLeft.left, "");
    EXPECT_EQ(emptyLeft.right, "5");
}

TEST(SplitAtOperatorTest, OnlyTheFirstOccurrenceOfTheFirstCharacterIsTried) {
    const Split s = SplitAt("a <x <= b", "<=");
    EXPECT_FALSE(s.ok);
    EXPECT_EQ(s.left, "");
    EXPECT_EQ(s.right, "");
    EXPECT_FALSE(SplitAt("2 <> 3", "<=").ok);
    EXPECT_FALSE(SplitAt("1 >", ">=").ok); // the rest of the operator runs past the end
}

TEST(SplitAtOperatorTest, FailsWithoutOperatorTextOrRightPart) {
    EXPECT_FALSE(SplitAt("5 >", ">").ok);
    EXPECT_FALSE(SplitAt("", ">").ok);
    EXPECT_FALSE(SplitAt("a > b", "").ok);
    EXPECT_FALSE(SplitAt("x = 5", "==").ok);
    EXPECT_TRUE(SplitAt("5 > ", ">").ok); // a blank right part is not empty
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
