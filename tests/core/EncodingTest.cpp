#include "core/Encoding.h"

#include <gtest/gtest.h>

using namespace mivarelo;

TEST(Encoding, EveryByteRoundTrips) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    int replaced = -1;
    EXPECT_EQ(Utf8ToCp1254(Cp1254ToUtf8(all), &replaced), all);
    EXPECT_EQ(replaced, 0);
}

TEST(Encoding, TurkishLettersMapToTheirBytes) {
    EXPECT_EQ(Utf8ToCp1254("ğĞıİşŞçÇöÖüÜ"),
              "\xF0\xD0\xFD\xDD\xFE\xDE\xE7\xC7\xF6\xD6\xFC\xDC");
    EXPECT_EQ(Cp1254ToUtf8("\xE9"), "é");
    EXPECT_EQ(Cp1254ToUtf8("\x80"), "€");
}

TEST(Encoding, UnmappableAndMalformedBecomeQuestionMarks) {
    int replaced = 0;
    EXPECT_EQ(Utf8ToCp1254("a\xE2\x88\x9E" "b", &replaced), "a?b"); // infinity sign
    EXPECT_EQ(replaced, 1);
    EXPECT_EQ(Utf8ToCp1254("x\xC3", &replaced), "x?"); // truncated sequence
    EXPECT_EQ(replaced, 1);
    EXPECT_EQ(Utf8ToCp1254("\xF0\x9F\x98\x80", &replaced), "?"); // emoji
    EXPECT_EQ(replaced, 1);
    EXPECT_EQ(Utf8ToCp1254("\xC0\xAF", &replaced), "??"); // overlong form
    EXPECT_EQ(replaced, 2);
}

TEST(Encoding, Utf8Validity) {
    EXPECT_TRUE(IsValidUtf8("ileri ğüşıöç"));
    EXPECT_FALSE(IsValidUtf8("ileri \xFE"));
    EXPECT_FALSE(HasNonAscii("fd 10"));
    EXPECT_TRUE(HasNonAscii("sa\xF0"));
}
