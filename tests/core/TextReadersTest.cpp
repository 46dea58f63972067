#include "core/TextReaders.h"

#include <gtest/gtest.h>

using namespace mivarelo;

TEST(TextReaders, WordEndsAreExactlyTheEightSeparators) {
    std::string ends;
    for (int b = 0; b < 256; ++b)
        if (IsWordEnd(static_cast<char>(b))) ends += static_cast<char>(b);
    EXPECT_EQ(ends, "\n\r ;[]{}");
}

TEST(TextReaders, EmptyTextGivesEmptyResultsWithoutMoving) {
    Cursor c{""};
    char terminator = 'x';
    EXPECT_EQ(ReadWord(c, &terminator), "");
    EXPECT_EQ(terminator, '\0');
    EXPECT_EQ(ReadUntil(c, ';', true), "");
    EXPECT_EQ(ReadUntilBalanced(c, ';', true), "");
    EXPECT_EQ(ReadCommandWord(c), "");
    EXPECT_EQ(ReadArgument(c), "");
    SkipSpaces(c);
    EXPECT_EQ(c.pos, 0u);
}

TEST(TextReaders, CursorPastTheEndReadsNothing) {
    Cursor c("abc", 7);
    char terminator = 'x';
    EXPECT_EQ(ReadWord(c, &terminator), "");
    EXPECT_EQ(terminator, '\0');
    EXPECT_EQ(ReadUntil(c, ';', true), "");
    EXPECT_EQ(ReadUntilBalanced(c, ';', true), "");
    EXPECT_EQ(ReadCommandWord(c), "");
    EXPECT_EQ(ReadArgument(c), "");
    EXPECT_TRUE(c.AtEnd());
    EXPECT_EQ(c.Rest(), "");
}

TEST(TextReaders, SkipSpacesSkipsBlanksButNotTabs) {
    Cursor c{"  \tx"};
    SkipSpaces(c);
    EXPECT_EQ(c.pos, 2u);
    Cursor all{"   "};
    SkipSpaces(all);
    EXPECT_TRUE(all.AtEnd());
}

TEST(TextReaders, ReadWordStopsOnWordEndAndReportsIt) {
    Cursor c{"ileri(10)"};
    char terminator = 'x';
    EXPECT_EQ(ReadWord(c, &terminator), "ileri(10)");
    EXPECT_EQ(terminator, '\0');
    EXPECT_TRUE(c.AtEnd());

    Cursor bracket{"tekrar[4]"};
    EXPECT_EQ(ReadWord(bracket, &terminator), "tekrar");
    EXPECT_EQ(terminator, '[');
    EXPECT_EQ(bracket.pos, 6u);

    Cursor comma{"a,b;c"};
    EXPECT_EQ(ReadWord(comma, &terminator), "a,b");
    EXPECT_EQ(terminator, ';');

    Cursor line{"fd\r\n"};
    EXPECT_EQ(ReadWord(line), "fd");
    EXPECT_EQ(line.Peek(), '\r');

    Cursor leading{" x"};
    EXPECT_EQ(ReadWord(leading, &terminator), "");
    EXPECT_EQ(terminator, ' ');
    EXPECT_EQ(leading.pos, 0u);
}

TEST(TextReaders, ReadUntilConsumesOnlyTheDelimiter) {
    Cursor c{"ab;cd;"};
    EXPECT_EQ(ReadUntil(c, ';', false), "ab");
    EXPECT_EQ(c.pos, 2u);
    EXPECT_EQ(ReadUntil(c, ';', true), "");
    EXPECT_EQ(c.pos, 3u);
    EXPECT_EQ(ReadUntil(c, ';', true), "cd");
    EXPECT_TRUE(c.AtEnd());

    Cursor none{"[a;b]"};
    EXPECT_EQ(ReadUntil(none, ';', true), "[a");
    EXPECT_EQ(ReadUntil(none, '!', true), "b]");
    EXPECT_TRUE(none.AtEnd());
}

TEST(TextReaders, ReadUntilBalancedKeepsBracketedDelimiters) {
    Cursor c{"tekrar 4 [ileri 10; sag 90]; geri 5"};
    EXPECT_EQ(ReadUntilBalanced(c, ';', true), "tekrar 4 [ileri 10; sag 90]");
    EXPECT_EQ(c.Rest(), " geri 5");

    Cursor kept{"a(b;c);d"};
    EXPECT_EQ(ReadUntilBalanced(kept, ';', false), "a(b;c)");
    EXPECT_EQ(kept.Peek(), ';');
}

TEST(TextReaders, ReadUntilBalancedWithClosingDelimiterTakesNestedPairsWhole) {
    Cursor c{"a [b] c] d"};
    EXPECT_EQ(ReadUntilBalanced(c, ']', true), "a [b] c");
    EXPECT_EQ(c.Rest(), " d");

    Cursor deep{"x [y [z]] w] v"};
    EXPECT_EQ(ReadUntilBalanced(deep, ']', false), "x [y [z]] w");
    EXPECT_EQ(deep.Peek(), ']');
}

TEST(TextReaders, ReadUntilBalancedCountsAllBracketKindsAlike) {
    // '(' opened and ']' closed cancel each other.
    Cursor mixed{"(a];b"};
    EXPECT_EQ(ReadUntilBalanced(mixed, ';', true), "(a]");
    EXPECT_EQ(mixed.Rest(), "b");

    // An unopened closing bracket drives the depth negative; a delimiter
    // still stops the read there.
    Cursor negative{"a)[b;c];d"};
    EXPECT_EQ(ReadUntilBalanced(negative, ';', true), "a)[b");
    EXPECT_EQ(negative.Rest(), "c];d");

    Cursor unclosed{"[a;b"};
    EXPECT_EQ(ReadUntilBalanced(unclosed, ';', true), "[a;b");
    EXPECT_TRUE(unclosed.AtEnd());
}

TEST(TextReaders, ReadCommandWordStopsBeforeBrackets) {
    Cursor c{"ileri(10)"};
    EXPECT_EQ(ReadCommandWord(c), "ileri");
    EXPECT_EQ(c.Peek(), '(');

    Cursor list{"tekrar[4]"};
    EXPECT_EQ(ReadCommandWord(list), "tekrar");
    EXPECT_EQ(list.Peek(), '[');

    Cursor brace{"a{b"};
    EXPECT_EQ(ReadCommandWord(brace), "a");
    EXPECT_EQ(brace.Peek(), '{');

    Cursor blank{"fd;10 x"};
    EXPECT_EQ(ReadCommandWord(blank), "fd;10");
    EXPECT_EQ(blank.Peek(), ' ');
}

TEST(TextReaders, ReadArgumentSkipsOneFollowingBlankOrComma) {
    Cursor c{"  10, 20"};
    EXPECT_EQ(ReadArgument(c), "10");
    EXPECT_EQ(c.Rest(), " 20");
    EXPECT_EQ(ReadArgument(c), "20");
    EXPECT_TRUE(c.AtEnd());

    Cursor semicolon{"5;fd 1"};
    EXPECT_EQ(ReadArgument(semicolon), "5");
    EXPECT_EQ(semicolon.Peek(), ';');

    Cursor blanks{"a  b"};
    EXPECT_EQ(ReadArgument(blanks), "a");
    EXPECT_EQ(blanks.Rest(), " b");

    Cursor parens{"(1+2)*3 x"};
    EXPECT_EQ(ReadArgument(parens), "(1+2)*3");
}
