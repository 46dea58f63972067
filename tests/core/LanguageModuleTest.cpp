#include "core/LanguageModule.h"

#include "core/CaseFold.h"
#include "core/ConversionReport.h"
#include "core/GlobalSettings.h"
#include "core/Keywords.h"
#include "core/LanguageIds.h"
#include "core/ProcedureStore.h"
#include "core/VariableStore.h"
#include "support/Recorders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <vector>

using namespace mivarelo;

namespace {

namespace fs = std::filesystem;

// Every id the program asks for. 7531-7534 are absent on purpose: the four
// angle buttons keep their angle captions.
std::vector<int> UsedIds() {
    std::vector<int> ids;
    auto range = [&ids](int first, int last) {
        for (int id = first; id <= last; ++id)
            ids.push_back(id);
    };
    range(7401, 7447);
    range(7449, 7460);
    range(7466, 7473);
    range(7500, 7520);
    range(7522, 7530);
    range(7535, 7540);
    range(7560, 7561);
    range(7580, 7589);
    for (int id : {1201, 1204, 1205, 1206, 1207, 1208, 1209, 1210, 1211, 1213, 1214, 1215, 1221,
                   1226, 1229, 1230, 1231, 1232, 1320})
        ids.push_back(id);
    range(1301, 1317);
    range(7600, 7640);
    ids.push_back(7701);
    range(7703, 7717);
    range(7720, 7721);
    range(7801, 7815);
    range(7901, 7909);
    range(7980, 7995);
    return ids;
}

std::vector<std::string> Texts(int first, int last) {
    std::vector<std::string> texts;
    for (int id = first; id <= last; ++id)
        texts.push_back(GetLanguageString(id));
    return texts;
}

class LanguageModuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        SetLanguageDirectory("");
        temp_ =
            fs::temp_directory_path() /
            ("mivarelo-lang-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(temp_);
        fs::create_directories(temp_);
    }
    void TearDown() override {
        // Leave no module behind for other tests.
        SetLanguageDirectory((temp_ / "none").string());
        LoadLanguageModule();
        SetLanguageDirectory("");
        ResetGlobals();
        fs::remove_all(temp_);
    }
    void WriteFile(const std::string& name, const std::string& content) {
        std::ofstream(temp_ / name, std::ios::binary) << content;
    }
    bool LoadReal(bool english) {
        SetLanguageDirectory("");
        Globals().EnglishInterface = english;
        return LoadLanguageModule();
    }
    bool LoadTemp(bool english) {
        SetLanguageDirectory(temp_.string());
        Globals().EnglishInterface = english;
        return LoadLanguageModule();
    }
    fs::path temp_;
};

TEST_F(LanguageModuleTest, BothFilesHoldEveryUsedId) {
    for (bool english : {false, true}) {
        ASSERT_TRUE(LoadReal(english)) << LanguageFileName(english);
        for (int id : UsedIds())
            EXPECT_FALSE(GetLanguageString(id).empty()) << LanguageFileName(english) << " " << id;
        for (int id = 7531; id <= 7534; ++id)
            EXPECT_EQ(GetLanguageString(id), "") << id;
    }
}

// Every id the code names in core/LanguageIds.h has a text in both files.
TEST_F(LanguageModuleTest, BothFilesHoldEveryNamedId) {
    for (bool english : {false, true}) {
        ASSERT_TRUE(LoadReal(english)) << LanguageFileName(english);
        for (const NamedLanguageId& named : AllLanguageIds)
            EXPECT_FALSE(GetLanguageString(named.id).empty())
                << LanguageFileName(english) << " " << named.name << " " << named.id;
    }
}

// A conversion report says each reason and note in the words of its own text.
TEST_F(LanguageModuleTest, ConversionReportGivesEachReasonItsText) {
    ASSERT_TRUE(LoadReal(true));
    ConversionReport report;
    report.Note(PreciseTurnedOnText);
    report.Rename("step", "v_step");
    const ConversionText reasons[] = {
        NoCounterpartText,  UnknownClassicWordText, MissingInputText,
        NumberExpectedText, OneComparisonText,      UnbalancedBracketsText,
        ColourExpectedText, OutsideProcedureText,   CallerInputText};
    for (ConversionText reason : reasons)
        report.Drop(7, "x", reason);
    const std::string dropped = "Not converted, line 7: 'x' (";
    EXPECT_EQ(
        report.Lines(),
        (std::vector<std::string>{
            "Classic Logo program converted; the precise turtle is turned on.",
            "The variable 'step' is called 'v_step' in the converted program: its name is, or "
            "begins with, a command or a procedure",
            dropped + "no counterpart in this language)", dropped + "unknown procedure or command)",
            dropped + "an input is missing)", dropped + "only a number can be used here)",
            dropped + "the condition must be one comparison)", dropped + "a bracket is not closed)",
            dropped + "a colour must be a number from 0 to 15 or a list of three numbers)",
            dropped + "outside any \"to ... end\" block)",
            dropped + "it reads an input of a procedure that called it; pass the value on as an "
                      "input)"}));
}

TEST_F(LanguageModuleTest, TurkishTextsComeBackInWindows1254) {
    ASSERT_TRUE(LoadReal(false));
    EXPECT_EQ(GetLanguageString(7412), "\xC7\xFDk\xFD\xFE"); // Çıkış
    EXPECT_EQ(GetLanguageString(7468), "\xDD\xE7indekiler"); // İçindekiler
    EXPECT_EQ(GetLanguageString(7617), "kalema\xFE"
                                       "a\xF0\xFD"); // kalemaşağı
    EXPECT_EQ(GetLanguageString(7619), "g\xF6sterkaplumba\xF0"
                                       "a");        // gösterkaplumbağa
    EXPECT_EQ(GetLanguageString(7808), "Hay\xFDr"); // Hayır
    EXPECT_EQ(GetLanguageString(7713), "Bilinmeyen komut");
    ASSERT_TRUE(LoadReal(true));
    EXPECT_EQ(GetLanguageString(7438), "Turkish (T\xFCrk\xE7"
                                       "e)");
}

// Each word of the list is the interface language's keyword for the role
// that the graphical mode writes it for.
TEST_F(LanguageModuleTest, WordListNamesKeywordsOfTheirRoles) {
    const std::map<int, std::set<CommandCode>> roles = {
        {7611, {1, 88}},          {7612, {22, 29, 31}},     {7613, {23, 24, 30, 32}},
        {7614, {18, 20, 25, 27}}, {7615, {42, 74}},         {7616, {43, 67, 16, 17, 65, 66}},
        {7617, {14, 55, 92, 94}}, {7618, {15, 56, 93, 95}}, {7619, {37, 39, 69, 71}},
        {7620, {38, 40, 70, 72}}, {7622, {44, 75}},         {7626, {19, 21, 26, 28}},
        {7627, {4, 5, 6, 7}},     {7628, {57, 58, 59, 60}}, {7629, {45, 76}},
        {7632, {50, 53, 81, 84}}, {7633, {41, 73}},
    };
    const std::set<CommandCode> penOrScreenColour = {49, 52, 80, 83, 51, 54, 82, 85};
    for (bool english : {false, true}) {
        ASSERT_TRUE(LoadReal(english));
        const bool turkish = !english;
        for (int id = 7611; id <= 7640; ++id) {
            if (id >= 7623 && id <= 7625) continue;
            const std::string word = GetLanguageString(id);
            const CommandCode code = LookupCommand(TurkishLower(word));
            ASSERT_NE(code, UnknownCode) << id << " " << word;
            EXPECT_EQ(KeywordOf(code), word) << id; // written in table form
            const bool ofLanguage = TranslateCode(code, turkish, true) == code ||
                                    TranslateCode(code, turkish, false) == code;
            // 7634-7640 are the fixed words written alike in every language.
            EXPECT_TRUE(ofLanguage || id >= 7634) << id << " " << word;
            if (roles.contains(id)) {
                EXPECT_TRUE(roles.at(id).contains(code)) << id << " " << word;
            }
        }
        const CommandCode colourA = LookupCommand(GetLanguageString(7630));
        const CommandCode colourB = LookupCommand(GetLanguageString(7631));
        EXPECT_TRUE(penOrScreenColour.contains(colourA));
        EXPECT_TRUE(penOrScreenColour.contains(colourB));
        EXPECT_NE(TranslateCode(colourA, true, true), TranslateCode(colourB, true, true));
    }
}

TEST_F(LanguageModuleTest, FixedWordsReadTheSameInBothLanguages) {
    ASSERT_TRUE(LoadReal(false));
    const std::vector<std::string> turkish = Texts(7634, 7640);
    ASSERT_TRUE(LoadReal(true));
    EXPECT_EQ(Texts(7634, 7640), turkish);
}

TEST_F(LanguageModuleTest, WordsThatAreNotKeywordsAreUsableNames) {
    for (bool english : {false, true}) {
        ASSERT_TRUE(LoadReal(english));
        for (int id : {7623, 7624, 7625}) {
            const std::string name = GetLanguageString(id);
            ASSERT_FALSE(name.empty()) << id;
            EXPECT_EQ(LookupCommand(TurkishLower(name)), UnknownCode) << name;
            for (char c : name)
                EXPECT_TRUE(IsNameChar(c)) << name;
        }
        EXPECT_NE(GetLanguageString(7623), GetLanguageString(7624));
    }
    ASSERT_TRUE(LoadReal(false));
    EXPECT_EQ(GetLanguageString(7623), "uzunluk");
    EXPECT_EQ(GetLanguageString(7624), "yabci");
    EXPECT_EQ(GetLanguageString(7625), "AnaEkran");
}

// The error-list line is "<7713>: '<text>' ( <7714> = <n> ) " and is parsed
// back at the apostrophes and the '='.
TEST_F(LanguageModuleTest, ErrorLineWordsKeepTheLineParseable) {
    for (bool english : {false, true}) {
        ASSERT_TRUE(LoadReal(english));
        EXPECT_EQ(GetLanguageString(7713).find('\''), std::string::npos);
        EXPECT_EQ(GetLanguageString(7714).find_first_of("'=)"), std::string::npos);
    }
}

// A language switch renames the variables (LoadLanguageModule) and then
// replaces each word 7611-7640 by its counterpart in id order, as plain text.
// A procedure holding every generated word must come out holding exactly the
// other language's words, in both directions.
TEST_F(LanguageModuleTest, LanguageSwitchTranslatesEveryGeneratedWord) {
    ASSERT_TRUE(LoadReal(true));
    const std::vector<std::string> english = Texts(7611, 7640);
    ASSERT_TRUE(LoadReal(false));
    const std::vector<std::string> turkish = Texts(7611, 7640);
    auto body = [](const std::vector<std::string>& words) {
        std::string text;
        for (const std::string& w : words)
            text += w + " 1 ;\n";
        return text;
    };
    for (bool toEnglish : {true, false}) {
        const std::vector<std::string>& from = toEnglish ? turkish : english;
        const std::vector<std::string>& to = toEnglish ? english : turkish;
        ProcedureStore store;
        ASSERT_TRUE(store.AddProcedure("p", body(from)));
        Globals().EnglishInterface = toEnglish;
        ASSERT_TRUE(LoadLanguageModule(&store));
        for (std::size_t k = 0; k < from.size(); ++k)
            store.ReplaceInBodies(from[k], to[k]);
        EXPECT_EQ(store.GetBody(0), body(to));
    }
}

TEST_F(LanguageModuleTest, SwitchRenamesPredefinedVariablesAndKeepsTheirValues) {
    support::ScopedVariableStore scoped;
    const VariableStore& variables = scoped.store;
    ASSERT_TRUE(LoadReal(false));
    EXPECT_EQ(Globals().LengthVariableName, "uzunluk");
    EXPECT_EQ(GetVariable("uzunluk"), 40.0f); // 0 becomes the start value
    EXPECT_EQ(GetVariable("yabci"), 360.0f);
    SetVariable("uzunluk", 25.0f);
    ProcedureStore store;
    ASSERT_TRUE(store.AddProcedure("AnaEkran", "ileri uzunluk\nsol yabci\n"));

    Globals().EnglishInterface = true;
    ASSERT_TRUE(LoadLanguageModule(&store));
    EXPECT_EQ(Globals().OldLengthVariableName, "uzunluk");
    EXPECT_EQ(Globals().OldAngleVariableName, "yabci");
    // A second load of the same module finds the names in place: nothing changes.
    ASSERT_TRUE(LoadLanguageModule(&store));
    EXPECT_EQ(Globals().LengthVariableName, "steplength");
    EXPECT_EQ(Globals().AngleVariableName, "arcangle");
    EXPECT_EQ(Globals().OldLengthVariableName, "steplength");
    EXPECT_EQ(store.GetBody(0), "ileri steplength\nsol arcangle\n");
    EXPECT_EQ(GetVariable("steplength"), 25.0f);
    EXPECT_EQ(GetVariable("arcangle"), 360.0f);
    EXPECT_EQ(variables.Globals().IndexOf("uzunluk"), -1);
    EXPECT_EQ(variables.Globals().IndexOf("yabci"), -1);

    Globals().EnglishInterface = false;
    ASSERT_TRUE(LoadLanguageModule(&store));
    EXPECT_EQ(Globals().OldLengthVariableName, "steplength");
    EXPECT_EQ(Globals().OldAngleVariableName, "arcangle");
    EXPECT_EQ(Globals().LengthVariableName, "uzunluk");
    EXPECT_EQ(store.GetBody(0), "ileri uzunluk\nsol yabci\n");
    EXPECT_EQ(GetVariable("uzunluk"), 25.0f);
    EXPECT_EQ(variables.Globals().IndexOf("steplength"), -1);
    ASSERT_TRUE(variables.Globals().names.has_value());
    EXPECT_EQ(*variables.Globals().names, (StringList{"uzunluk", "yabci"}));
}

TEST_F(LanguageModuleTest, MissingFileGivesEmptyTextsAndKeepsVariableNames) {
    ASSERT_TRUE(LoadReal(false));
    ASSERT_FALSE(GetLanguageString(7401).empty());
    SetLanguageDirectory((temp_ / "absent").string());
    EXPECT_FALSE(LoadLanguageModule());
    EXPECT_FALSE(LanguageModuleLoaded());
    EXPECT_EQ(GetLanguageString(7401), "");
    EXPECT_EQ(GetLanguageString(7623), "");
    EXPECT_EQ(Globals().LengthVariableName, "uzunluk");
    EXPECT_EQ(Globals().AngleVariableName, "yabci");
    // A folder in place of the file is no module either.
    fs::create_directories(temp_ / "turkish.txt");
    EXPECT_FALSE(LoadTemp(false));
}

TEST_F(LanguageModuleTest, NewModuleReplacesEveryTextOfTheOldOne) {
    WriteFile("turkish.txt", "1\tbir\n2\tiki\n");
    WriteFile("english.txt", "1\tone\n");
    ASSERT_TRUE(LoadTemp(false));
    EXPECT_EQ(GetLanguageString(2), "iki");
    ASSERT_TRUE(LoadTemp(true));
    EXPECT_EQ(GetLanguageString(1), "one");
    EXPECT_EQ(GetLanguageString(2), "");
    ASSERT_TRUE(LoadTemp(false));
    EXPECT_EQ(GetLanguageString(1), "bir");
}

TEST_F(LanguageModuleTest, TextsAreCutTo499BytesAfterConversion) {
    std::string twoByteLetters;
    for (int i = 0; i < 550; ++i)
        twoByteLetters += "\xC4\x9F"; // ğ: 2 bytes in UTF-8, 1 in cp1254
    std::string threeHundred;
    for (int i = 0; i < 300; ++i)
        threeHundred += "\xC5\x9F"; // ş
    WriteFile("turkish.txt", "1\t" + std::string(600, 'a') + "\n2\t" + twoByteLetters + "\n3\t" +
                                 threeHundred + "\n4\t" + std::string(499, 'b') + "\n");
    ASSERT_TRUE(LoadTemp(false));
    EXPECT_EQ(GetLanguageString(1), std::string(499, 'a'));
    EXPECT_EQ(GetLanguageString(2), std::string(499, '\xF0'));
    EXPECT_EQ(GetLanguageString(3), std::string(300, '\xFE'));
    EXPECT_EQ(GetLanguageString(4), std::string(499, 'b'));
}

TEST_F(LanguageModuleTest, FileFormatEscapesCommentsAndMalformedLines) {
    WriteFile("turkish.txt", "\xEF\xBB\xBF"
                             "1\tfirst\n"
                             "# 2\tcomment\n"
                             "\n"
                             "3\ta\\nb\\tc\\\\d\\qe\\\n"
                             "4\t  spaced  \r\n"
                             "5\tx\ty\n"
                             "abc\tbad\n"
                             "6x\tbad\n"
                             "-7\tbad\n"
                             "0\tbad\n"
                             "8 no tab\n"
                             "9\told\n"
                             "9\tnew\n"
                             "10\t\xC3\n"
                             "11\t\n"
                             "12\tbefore\\0after");
    ASSERT_TRUE(LoadTemp(false));
    EXPECT_EQ(GetLanguageString(1), "first");
    EXPECT_EQ(GetLanguageString(2), "");
    EXPECT_EQ(GetLanguageString(3), "a\nb\tc\\d\\qe\\");
    EXPECT_EQ(GetLanguageString(4), "  spaced  ");
    EXPECT_EQ(GetLanguageString(5), "x\ty");
    EXPECT_EQ(GetLanguageString(6), "");
    EXPECT_EQ(GetLanguageString(-7), "");
    EXPECT_EQ(GetLanguageString(0), "");
    EXPECT_EQ(GetLanguageString(8), "");
    EXPECT_EQ(GetLanguageString(9), "new");
    EXPECT_EQ(GetLanguageString(10), "?"); // malformed UTF-8
    EXPECT_EQ(GetLanguageString(11), "");
    EXPECT_EQ(GetLanguageString(12), "before\\0after");
}

TEST_F(LanguageModuleTest, ZeroByteEndsAText) {
    WriteFile("turkish.txt", std::string("1\tab\0cd\n", 8));
    ASSERT_TRUE(LoadTemp(false));
    EXPECT_EQ(GetLanguageString(1), "ab");
}

TEST_F(LanguageModuleTest, StatusFormatsMustTakeTheirArguments) {
    WriteFile("turkish.txt", "7901\tX %d Y %i\n"
                             "7902\t%s %d\n"
                             "7903\t100%\n"
                             "7904\t100%%\n"
                             "7905\t%d\n"
                             "7906\t%-12.5s|\n"
                             "7907\t%*s\n"
                             "7908\t%ls\n"
                             "7909\t%d %d %d\n"
                             "100\t%n%s%s\n");
    ASSERT_TRUE(LoadTemp(false));
    EXPECT_EQ(GetLanguageString(7901), "X %d Y %i");
    EXPECT_EQ(GetLanguageString(7902), "");
    EXPECT_EQ(GetLanguageString(7903), "");
    EXPECT_EQ(GetLanguageString(7904), "100%%");
    EXPECT_EQ(GetLanguageString(7905), "");
    EXPECT_EQ(GetLanguageString(7906), "%-12.5s|");
    EXPECT_EQ(GetLanguageString(7907), "");
    EXPECT_EQ(GetLanguageString(7908), "");
    EXPECT_EQ(GetLanguageString(7909), "");
    EXPECT_EQ(GetLanguageString(100), "%n%s%s"); // only status formats are checked
}

TEST_F(LanguageModuleTest, StatusFormatCutInsideAConversionIsDropped) {
    // 498 bytes of text, then "%d%d": the cut at 499 leaves a lone '%'.
    WriteFile("turkish.txt",
              "7905\t" + std::string(497, 'x') + "%s\n7909\t" + std::string(498, 'y') + "%d%d\n");
    ASSERT_TRUE(LoadTemp(false));
    EXPECT_EQ(GetLanguageString(7905), std::string(497, 'x') + "%s");
    EXPECT_EQ(GetLanguageString(7909), "");
}

TEST(FormatConversions, LettersOfEachConversion) {
    std::string letters;
    EXPECT_TRUE(FormatConversions("a %05d b %-3s %% %.2s %+i % d", letters));
    EXPECT_EQ(letters, "dssdd");
    EXPECT_TRUE(FormatConversions("", letters));
    EXPECT_EQ(letters, "");
    EXPECT_TRUE(FormatConversions("%999d", letters));
    EXPECT_EQ(letters, "d");
    for (const char* bad : {"%", "ab%", "%1234d", "%.1000s", "%+s", "%0s", "%#d", "%f", "%u", "%x",
                            "%c", "%p", "%n", "%ld", "%hd", "%1$d", "%*d", "%.*s", "%5"})
        EXPECT_FALSE(FormatConversions(bad, letters)) << bad;
}

} // namespace
