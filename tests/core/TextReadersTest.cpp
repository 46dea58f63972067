#include "core/TextReaders.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>

using namespace mivarelo;

TEST(TextReaders, WordEndsAreExactlyTheEightSeparators) {
    std::string ends;
    for (int b = 0; b < 256; ++b)
        if (IsWordEnd(static_cast<char>(b))) ends += static_cast<char>(b);
    EXPECT_EQ(ends, "\n\r ;[]{}");
}

// An empty text, and a cursor placed past the end of a text, give empty
// results without moving.
TEST(TextReaders, NothingToReadGivesEmptyResultsWithoutMoving) {
    for (Cursor c : {Cursor(""), Cursor("abc", 7)}) {
        const std::size_t start = c.pos;
        char terminator = 'x';
        EXPECT_EQ(ReadWord(c, &terminator), "");
        EXPECT_EQ(terminator, '\0');
        EXPECT_EQ(ReadUntil(c, ';', true), "");
        EXPECT_EQ(ReadUntilBalanced(c, ';', true), "");
        EXPECT_EQ(ReadCommandWord(c), "");
        EXPECT_EQ(ReadArgument(c), "");
        SkipSpaces(c);
        EXPECT_EQ(c.pos, start);
        EXPECT_EQ(c.Rest(), "");
    }
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

using Taken = std::pair<std::string, std::string>;

// What one reader takes off the front of `text`, beside what it leaves.
template <class Reader> Taken TakeFrom(std::string_view text, Reader read) {
    Cursor c(text);
    std::string part = read(c);
    return {part, std::string(c.Rest())};
}

Taken Balanced(std::string_view text, char delimiter, bool consume) {
    return TakeFrom(text, [=](Cursor& c) { return ReadUntilBalanced(c, delimiter, consume); });
}

Taken CommandWord(std::string_view text) {
    return TakeFrom(text, [](Cursor& c) { return ReadCommandWord(c); });
}

TEST(TextReaders, ReadUntilBalancedKeepsBracketedDelimiters) {
    EXPECT_EQ(Balanced("tekrar 4 [ileri 10; sag 90]; geri 5", ';', true),
              Taken("tekrar 4 [ileri 10; sag 90]", " geri 5"));
    EXPECT_EQ(Balanced("a(b;c);d", ';', false), Taken("a(b;c)", ";d"));
}

TEST(TextReaders, ReadUntilBalancedWithClosingDelimiterTakesNestedPairsWhole) {
    EXPECT_EQ(Balanced("a [b] c] d", ']', true), Taken("a [b] c", " d"));
    EXPECT_EQ(Balanced("x [y [z]] w] v", ']', false), Taken("x [y [z]] w", "] v"));
}

TEST(TextReaders, ReadUntilBalancedCountsAllBracketKindsAlike) {
    // '(' opened and ']' closed cancel each other.
    EXPECT_EQ(Balanced("(a];b", ';', true), Taken("(a]", "b"));
    // An unopened closing bracket drives the depth negative; a delimiter
    // still stops the read there.
    EXPECT_EQ(Balanced("a)[b;c];d", ';', true), Taken("a)[b", "c];d"));
    EXPECT_EQ(Balanced("[a;b", ';', true), Taken("[a;b", ""));
}

TEST(TextReaders, ReadCommandWordStopsBeforeBrackets) {
    EXPECT_EQ(CommandWord("ileri(10)"), Taken("ileri", "(10)"));
    EXPECT_EQ(CommandWord("tekrar[4]"), Taken("tekrar", "[4]"));
    EXPECT_EQ(CommandWord("a{b"), Taken("a", "{b"));
    EXPECT_EQ(CommandWord("fd;10 x"), Taken("fd;10", " x"));
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

// The bracket table jumps over whole lists; wherever a part of a text starts
// and whichever closing bracket or ';' ends the read, it must stop where the
// plain reading stops. Every text of up to six characters from brackets of
// all kinds, ';' and a letter is tried, from every start.
TEST(TextReaders, BalancedEndWithTheBracketTableStopsWhereThePlainReadingStops) {
    const std::string alphabet = "[](){};a";
    int compared = 0;
    for (std::size_t length = 0; length <= 6; ++length) {
        std::size_t count = 1;
        for (std::size_t k = 0; k < length; ++k)
            count *= alphabet.size();
        for (std::size_t n = 0; n < count; ++n) {
            std::string text;
            for (std::size_t k = 0, rest = n; k < length; ++k, rest /= alphabet.size())
                text += alphabet[rest % alphabet.size()];
            const BracketMatches matches = MatchBrackets(text);
            for (std::size_t from = 0; from <= text.size(); ++from) {
                const std::string_view part = std::string_view(text).substr(from);
                for (const char delimiter : {';', ']', ')', '}'}) {
                    ASSERT_EQ(BalancedEnd(part, 0, delimiter, matches.data() + from),
                              BalancedEnd(part, 0, delimiter))
                        << text << " from " << from << " to " << delimiter;
                    ++compared;
                }
            }
        }
    }
    EXPECT_GT(compared, 1000000);
}
