// The per-run store of parsed pieces: what it finds, and that it forgets
// everything, its last answer included, whenever the run, an option or the
// procedure headers change or it grows too large.
#include "engine/CommandCache.h"

#include <gtest/gtest.h>

#include <string>

namespace mivarelo {
namespace {

ParsedPiece OneCommand(const std::string& text) {
    ParsedCommand command;
    command.text = text;
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

} // namespace
} // namespace mivarelo
