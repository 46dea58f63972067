#include "core/StringList.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace mivarelo;

namespace {

const char E = '\xE9'; // 'é', the program file separator

std::istringstream Bytes(const std::string& data) {
    return std::istringstream(data, std::ios::in | std::ios::binary);
}

} // namespace

TEST(StringList, IndexOfTextIgnoresCase) {
    const StringList list{"ana", "Kare", "kare",
                          "\xFE"
                          "ekil"};
    EXPECT_EQ(IndexOfText(list, "KARE"), 1);
    EXPECT_EQ(IndexOfText(list, "\xDE"
                                "EK\xDDL"),
              3);
    EXPECT_EQ(IndexOfText(list, "kar"), -1);
    EXPECT_EQ(IndexOfText({}, ""), -1);
}

TEST(StringList, CountedListText) {
    const StringList two{"a", "b"};
    const StringList empty;
    EXPECT_EQ(CountedListText(&two, E), "1\xE9"
                                        "2\xE9"
                                        "a\xE9"
                                        "b");
    EXPECT_EQ(CountedListText(&empty, E), "1\xE9"
                                          "0\xE9");
    EXPECT_EQ(CountedListText(nullptr, E), "0");
    const StringList one{""};
    EXPECT_EQ(CountedListText(&one, '|'), "1|1|");
}

TEST(StringList, WriteCountedListFileForm) {
    const StringList two{"kare :a", "ileri 10\r\n"};
    std::ostringstream out(std::ios::out | std::ios::binary);
    EXPECT_TRUE(WriteCountedList(&two, &out, E));
    EXPECT_EQ(out.str(), "1\xE9"
                         "2\xE9"
                         "kare :a\xE9"
                         "ileri 10\r\n");

    const StringList empty;
    std::ostringstream emptyOut;
    EXPECT_TRUE(WriteCountedList(&empty, &emptyOut, E));
    EXPECT_EQ(emptyOut.str(), "1\xE9"
                              "0");
}

TEST(StringList, WriteCountedListRefusesAbsentTargetsAndFailedStreams) {
    const StringList list{"a"};
    std::ostringstream out;
    EXPECT_FALSE(WriteCountedList(nullptr, &out, E));
    EXPECT_EQ(out.str(), "");
    EXPECT_FALSE(WriteCountedList(&list, nullptr, E));
    out.setstate(std::ios::badbit);
    EXPECT_FALSE(WriteCountedList(&list, &out, E));
}

TEST(StringList, ReadTokenKeepsEveryOtherByte) {
    auto in = Bytes(std::string("a\xFF\0b", 4) + E + "\xFF" + E + E + "tail");
    EXPECT_EQ(ReadToken(&in, E), std::string("a\xFF\0b", 4));
    EXPECT_EQ(ReadToken(&in, E), "\xFF");
    EXPECT_EQ(ReadToken(&in, E), "");
    EXPECT_EQ(ReadToken(&in, E), "tail");
    EXPECT_EQ(ReadToken(&in, E), "");
    EXPECT_EQ(ReadToken(nullptr, E), "");

    auto ff = Bytes("x\xFFy\xFFz");
    EXPECT_EQ(ReadToken(&ff, '\xFF'), "x");
    EXPECT_EQ(ReadToken(&ff, '\xFF'), "y");
}

TEST(StringList, WrittenListsReadBack) {
    const StringList headers{"ana", "kare :a"};
    const StringList bodies{"ileri 10\r\n", "\xFF"};
    const StringList none;
    std::ostringstream out(std::ios::out | std::ios::binary);
    WriteCountedList(&headers, &out, E);
    out << E;
    WriteCountedList(&none, &out, E);
    out << E;
    WriteCountedList(&bodies, &out, E);

    auto in = Bytes(out.str());
    StringList a{"old"}, b{"old"}, c;
    EXPECT_TRUE(ReadCountedList(&a, &in, E));
    EXPECT_TRUE(ReadCountedList(&b, &in, E));
    EXPECT_TRUE(ReadCountedList(&c, &in, E));
    EXPECT_EQ(a, headers);
    EXPECT_EQ(b, none);
    EXPECT_EQ(c, bodies);
}

TEST(StringList, ReadCountedListFlagAndCount) {
    StringList list{"old"};
    auto zero = Bytes("0\xE9"
                      "1\xE9"
                      "x");
    EXPECT_TRUE(ReadCountedList(&list, &zero, E));
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(ReadToken(&zero, E), "1"); // nothing beyond the flag was read

    list = {"old"};
    auto emptyFile = Bytes("");
    EXPECT_TRUE(ReadCountedList(&list, &emptyFile, E));
    EXPECT_TRUE(list.empty());

    // A damaged count reads as 0, so the items are left for the next field.
    auto damaged = Bytes("1\xE9"
                         "2x\xE9"
                         "a\xE9"
                         "b");
    EXPECT_TRUE(ReadCountedList(&list, &damaged, E));
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(ReadToken(&damaged, E), "a");

    auto empties = Bytes("1\xE9"
                         "3\xE9"
                         "\xE9");
    EXPECT_TRUE(ReadCountedList(&list, &empties, E));
    EXPECT_EQ(list, (StringList{"", ""}));

    auto huge = Bytes("1\xE9"
                      "2000000000\xE9"
                      "a");
    EXPECT_TRUE(ReadCountedList(&list, &huge, E));
    EXPECT_EQ(list, StringList{"a"});

    auto in = Bytes("1\xE9"
                    "0");
    EXPECT_FALSE(ReadCountedList(nullptr, &in, E));
    EXPECT_FALSE(ReadCountedList(&list, nullptr, E));
}
