// Whole-word replacement: the word classes of Windows-1254, the text helper,
// the procedure store's replacement and the interface language switch that
// renames the generated words in a user's program.
#include "core/GlobalSettings.h"
#include "core/LanguageModule.h"
#include "core/ProcedureStore.h"
#include "core/TextOps.h"
#include "support/Recorders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mivarelo {
namespace {

TEST(WordReplaceTest, WordCharactersAreLettersDigitsAndUnderscore) {
    // a z A Z 0 9 _ and ç ğ ı ö ş ü Ç Ğ İ Ö Ş Ü, À ÿ, Š Œ š œ Ÿ.
    for (char c : std::string("azAZ09_\xE7\xF0\xFD\xF6\xFE\xFC\xC7\xD0\xDD\xD6\xDE\xDC\xC0\xFF"
                              "\x8A\x8C\x9A\x9C\x9F"))
        EXPECT_TRUE(IsWordChar(c)) << static_cast<int>(static_cast<unsigned char>(c));
    // Blanks, signs, brackets, the multiplication and division signs × ÷,
    // the euro sign, the non-breaking space and the bytes around the letters.
    for (char c : std::string(" \t\n:;=+-*/'\"[](){}@`\xD7\xF7\x80\xA0\xBF\x8B\x9B\x9E"))
        EXPECT_FALSE(IsWordChar(c)) << static_cast<int>(static_cast<unsigned char>(c));
    EXPECT_FALSE(IsWordChar('\0'));
}

TEST(WordReplaceTest, OnlyWholeWordsAreReplaced) {
    std::string text = "setuzunluk 25\nileri :uzunluk\nuzunluk2 := uzunluk*2\n_uzunluk uzunluk";
    EXPECT_TRUE(ReplaceWholeWords(text, "uzunluk", "steplength"));
    EXPECT_EQ(text, "setuzunluk 25\nileri :steplength\nuzunluk2 := steplength*2\n_uzunluk "
                    "steplength");
    // Turkish letters are letters: "yeniev", "evç" and "İev" hold no word "ev".
    text = "yeniev ev\xE7 \xDD"
           "ev ev;ev[ev]";
    EXPECT_TRUE(ReplaceWholeWords(text, "ev", "home"));
    EXPECT_EQ(text, "yeniev ev\xE7 \xDD"
                    "ev home;home[home]");
}

TEST(WordReplaceTest, BoundariesAreJudgedInTheOriginalText) {
    // Each "a" stands alone although its replacement ends in a letter.
    std::string text = "a a,a";
    EXPECT_TRUE(ReplaceWholeWords(text, "a", "ab"));
    EXPECT_EQ(text, "ab ab,ab");
    // Occurrences do not overlap: the second "a a" starts inside the first.
    text = "a a a";
    EXPECT_TRUE(ReplaceWholeWords(text, "a a", "b"));
    EXPECT_EQ(text, "b a");
}

TEST(WordReplaceTest, NothingToReplaceLeavesTheTextAndReportsFalse) {
    std::string text = "setuzunluk uzunluk2";
    EXPECT_FALSE(ReplaceWholeWords(text, "uzunluk", "steplength"));
    EXPECT_EQ(text, "setuzunluk uzunluk2");
    EXPECT_FALSE(ReplaceWholeWords(text, "", "x"));
    std::string empty;
    EXPECT_FALSE(ReplaceWholeWords(empty, "uzunluk", "x"));
    EXPECT_EQ(empty, "");
}

TEST(WordReplaceTest, StoreReplacesWordsInEveryBodyAndSaysWhetherOneChanged) {
    ProcedureStore store;
    ASSERT_TRUE(store.AddProcedure("AnaEkran", "ileri uzunluk\nyeniev\n"));
    ASSERT_TRUE(store.AddProcedure("kare :uzunluk", "tekrar 4 [ileri :uzunluk sag 90]\n"));
    ASSERT_TRUE(store.AddProcedure("bos", ""));
    EXPECT_FALSE(store.ReplaceWordInBodies("", "steplength"));
    EXPECT_FALSE(store.ReplaceWordInBodies("uzunluk", ""));
    EXPECT_FALSE(store.ReplaceWordInBodies("yeni", "new"));
    EXPECT_TRUE(store.ReplaceWordInBodies("uzunluk", "steplength"));
    EXPECT_EQ(store.GetBody(0), "ileri steplength\nyeniev\n");
    EXPECT_EQ(store.GetBody(1), "tekrar 4 [ileri :steplength sag 90]\n");
    EXPECT_EQ(store.GetBody(2), "");
    // Headers are no bodies: the argument name stays.
    EXPECT_EQ(store.GetHeader(1), "kare :uzunluk");
    EXPECT_FALSE(store.ReplaceWordInBodies("uzunluk", "steplength"));
}

// The interface language switch with the real language files: the module
// renames the two predefined variables, and the main window then renames the
// thirty generated words (7611-7640) one by one in id order.
class LanguageSwitchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        SetLanguageDirectory("");
        if (!LoadLanguageModule()) GTEST_SKIP() << "language files are not beside the test program";
    }
    void TearDown() override {
        SetLanguageDirectory("/nonexistent-mivarelo-language-folder");
        LoadLanguageModule();
        SetLanguageDirectory("");
        ResetGlobals();
    }

    static std::vector<std::string> GeneratedWords() {
        std::vector<std::string> words;
        for (int id = 7611; id <= 7640; ++id)
            words.push_back(GetLanguageString(id));
        return words;
    }

    // Switches the module only (the variable names).
    void SwitchModule(bool english) {
        Globals().EnglishInterface = english;
        ASSERT_TRUE(LoadLanguageModule(&store_));
    }

    // The whole switch as the main window makes it.
    void SwitchInterface(bool english) {
        const std::vector<std::string> before = GeneratedWords();
        SwitchModule(english);
        const std::vector<std::string> after = GeneratedWords();
        for (std::size_t k = 0; k < before.size(); ++k)
            store_.ReplaceWordInBodies(before[k], after[k]);
    }

    support::ScopedVariableStore variables_;
    ProcedureStore store_;
};

TEST_F(LanguageSwitchTest, VariableNamesAreRenamedAsWholeWordsOnly) {
    const std::string turkish = "setuzunluk 25\nileri :uzunluk\nuzunluk2 := uzunluk + 1\n"
                                "yeniev\nsol :yabci ; yabci3 := 1\n";
    ASSERT_TRUE(store_.AddProcedure("AnaEkran", turkish));
    ASSERT_TRUE(store_.AddProcedure("kare", "setuzunluk uzunluk*2\n"));
    SwitchModule(true);
    EXPECT_EQ(store_.GetBody(0), "setuzunluk 25\nileri :steplength\nuzunluk2 := steplength + 1\n"
                                 "yeniev\nsol :arcangle ; yabci3 := 1\n");
    EXPECT_EQ(store_.GetBody(1), "setuzunluk steplength*2\n");
    SwitchModule(false);
    EXPECT_EQ(store_.GetBody(0), turkish);
    EXPECT_EQ(store_.GetBody(1), "setuzunluk uzunluk*2\n");
}

TEST_F(LanguageSwitchTest, GraphicalModeLinesComeBackByteForByte) {
    // ileri, sağ, sol, ev, setev, kalemaşağı, tekrar, doldur, setkalemkalınlık.
    const std::string turkish = "ileri :uzunluk\nsa\xF0 :yabci\nsag :yabci\nsol 90\nev\n"
                                "setev\nkalema\xFE"
                                "a\xF0\xFD\ntekrar 4 [ileri :uzunluk sa\xF0 90]\n"
                                "doldur\nsetkalemkal\xFDnl\xFDk 3\nyeniev\nsetuzunluk 10\n";
    ASSERT_TRUE(store_.AddProcedure("AnaEkran", turkish));
    SwitchInterface(true);
    // "sag" is no generated word; "yeniev" and "setuzunluk" hold none.
    EXPECT_EQ(store_.GetBody(0), "forward :steplength\nright :arcangle\nsag :arcangle\nleft 90\n"
                                 "home\nsethome\npendown\nrepeat 4 [forward :steplength right 90]\n"
                                 "fill\nsetpenwidth 3\nyeniev\nsetuzunluk 10\n");
    SwitchInterface(false);
    EXPECT_EQ(store_.GetBody(0), turkish);
}

} // namespace
} // namespace mivarelo
