// The per-run store of parsed pieces: what it finds, and that it forgets
// everything, its last answer included, whenever the run, an option or the
// procedure headers change or it grows too large.
#include "engine/CommandCache.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

namespace mivarelo {
namespace {

ParsedPiece OneCommand(const std::string& text) {
    ParsedCommand command;
    command.owner = std::make_shared<const std::string>(text);
    command.text = *command.owner;
    return ParsedPiece{command};
}

TEST(CommandCacheTest, ForgetsOnEveryChangeOfRunOptionsOrHeaders) {
    CommandCache cache;
    StringList headers = {"main"};
    const auto storeAndAsk = [&cache] {
        cache.Store("x := 1", OneCommand("x := 1"));
        return cache.Find("x := 1") != nullptr;
    };
    cache.Validate(1, true, true, headers);
    ASSERT_TRUE(storeAndAsk());
    cache.Validate(2, true, true, headers);
    EXPECT_EQ(cache.Find("x := 1"), nullptr);
    ASSERT_TRUE(storeAndAsk());
    cache.Validate(2, false, true, headers);
    EXPECT_EQ(cache.Find("x := 1"), nullptr);
    ASSERT_TRUE(storeAndAsk());
    cache.Validate(2, false, false, headers);
    EXPECT_EQ(cache.Find("x := 1"), nullptr);
    ASSERT_TRUE(storeAndAsk());
    headers.push_back("square :a");
    cache.Validate(2, false, false, headers);
    EXPECT_EQ(cache.Find("x := 1"), nullptr);
}

TEST(CommandCacheTest, StartsAfreshWhenFull) {
    CommandCache cache;
    cache.Validate(1, true, true, {});
    cache.Store("first", OneCommand("first"));
    ASSERT_NE(cache.Find("first"), nullptr);
    for (int n = 0; n < 5000; ++n)
        cache.Store("piece " + std::to_string(n), OneCommand("p"));
    EXPECT_EQ(cache.Find("first"), nullptr);
    EXPECT_NE(cache.Find("piece 4999"), nullptr);
    EXPECT_EQ(cache.Find("piece 0"), nullptr);
}

// A piece kept by its place is found at that place only, not by its text
// nor at another place of the same text, and is forgotten as the others are.
TEST(CommandCacheTest, PiecesKeptByPlaceAreFoundAtThatPlaceOnly) {
    CommandCache cache;
    cache.Validate(1, true, true, {});
    const SharedText text = std::make_shared<const std::string>("fd 1 ; fd 1");
    const std::string_view first = std::string_view(*text).substr(0, 4);
    const std::string_view second = std::string_view(*text).substr(7, 4);
    ASSERT_EQ(first, second);
    cache.StoreAt(first, text, OneCommand("fd 1"));
    ASSERT_NE(cache.FindAt(first), nullptr);
    EXPECT_EQ(cache.FindAt(second), nullptr);
    EXPECT_EQ(cache.FindAt(first.substr(0, 3)), nullptr);
    EXPECT_EQ(cache.Find("fd 1"), nullptr);
    cache.Validate(2, true, true, {});
    EXPECT_EQ(cache.FindAt(first), nullptr);
}

// The bracket table of a text is made once, and tells for each opening
// bracket where the bracket that closes it stands.
TEST(CommandCacheTest, KeepsOneBracketTablePerText) {
    CommandCache cache;
    cache.Validate(1, true, true, {});
    const SharedText text = std::make_shared<const std::string>("a [b (c)] d");
    const std::shared_ptr<const BracketMatches> matches = cache.MatchesOf(text);
    EXPECT_EQ(cache.MatchesOf(text), matches);
    ASSERT_EQ(matches->size(), text->size());
    EXPECT_EQ((*matches)[2], 6u);
    EXPECT_EQ((*matches)[5], 2u);
    EXPECT_EQ((*matches)[0], 0u);
}

} // namespace
} // namespace mivarelo
