#include "core/CaseFold.h"

#include <gtest/gtest.h>

#include <clocale>

using namespace mivarelo;

namespace {

std::string AllBytes() {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    return all;
}

// The bytes that `fold` changes, as pairs "from to".
std::string ChangedBytes(std::string (*fold)(std::string_view)) {
    const std::string all = AllBytes();
    const std::string folded = fold(all);
    std::string changes;
    for (std::size_t i = 0; i < all.size(); ++i)
        if (folded[i] != all[i]) changes += {all[i], folded[i]};
    return changes;
}

} // namespace

TEST(CaseFold, PlatformLowerChangesExactlyTheCapitals) {
    std::string expected;
    for (char c = 'A'; c <= 'Z'; ++c)
        expected += {c, static_cast<char>(c + 32)};
    expected += "\x8A\x9A\x8C\x9C\x9F\xFF";
    for (int b = 0xC0; b <= 0xDE; ++b) {
        if (b == 0xD7) continue;
        expected += static_cast<char>(b);
        expected += b == 0xDD ? 'i' : static_cast<char>(b + 0x20);
    }
    EXPECT_EQ(ChangedBytes(&PlatformLower), expected);
}

TEST(CaseFold, PlatformLowerOfTurkishWords) {
    EXPECT_EQ(PlatformLower("\xDDLER\xDD"), "ileri"); // İLERİ
    EXPECT_EQ(PlatformLower("ILERI"), "ileri");
    EXPECT_EQ(PlatformLower("\xC7\x49\xD0\xDE\xD6\xDC"), "\xE7i\xF0\xFE\xF6\xFC"); // ÇIĞŞÖÜ
    EXPECT_EQ(PlatformLower("\xFD\xF0"), "\xFD\xF0");                              // already lower
    EXPECT_EQ(PlatformLowerChar('\xD7'), '\xD7');
    EXPECT_TRUE(PlatformEqualsIgnoreCase("Kare", "KARE"));
    EXPECT_TRUE(PlatformEqualsIgnoreCase("\xDE"
                                         "EK\xDDL",
                                         "\xFE"
                                         "ekil")); // ŞEKİL
    EXPECT_FALSE(PlatformEqualsIgnoreCase("kare", "kare "));
    EXPECT_FALSE(PlatformEqualsIgnoreCase("\xFDsik", "isik")); // ı and i stay apart
}

TEST(CaseFold, TurkishLowerFoldsIToDotlessI) {
    std::string expected;
    for (char c = 'A'; c <= 'Z'; ++c)
        expected += {c, c == 'I' ? '\xFD' : static_cast<char>(c + 32)};
    expected += "\xC7\xE7\xD0\xF0\xD6\xF6\xDC\xFC\xDD\x69\xDE\xFE";
    EXPECT_EQ(ChangedBytes(&TurkishLower), expected);
    EXPECT_EQ(TurkishLower("ILERI"), "\xFDler\xFD");
    EXPECT_EQ(TurkishLower("\xDDLER\xDD"), "ileri");
    EXPECT_EQ(TurkishLower("RIGHT"), "r\xFDght");
    EXPECT_EQ(TurkishLower("Right"), "right");
    EXPECT_EQ(TurkishLower("\xC0\x8A"), "\xC0\x8A"); // other accented capitals stay
}

TEST(CaseFold, FoldsIgnoreTheProcessLocale) {
    if (!std::setlocale(LC_ALL, "tr_TR.ISO-8859-9") && !std::setlocale(LC_ALL, "tr_TR.UTF-8"))
        GTEST_SKIP() << "no Turkish locale is installed";
    const std::string platform = PlatformLower("IKL\xDD");
    const std::string turkish = TurkishLower("IKL\xDD");
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(platform, "ikli");
    EXPECT_EQ(turkish, "\xFDkli");
}
