#include "core/Keywords.h"

#include "core/CaseFold.h"
#include "core/Encoding.h"
#include "core/ProcedureStore.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace mivarelo;

namespace {

// The vocabulary in table order, written in UTF-8 and converted, so that the
// byte escapes of the table are checked against the readable words.
const char* const KeywordsInOrder[] = {
    "sıfırla",
    "arc",
    "yay",
    "setkalemkalınlık",
    "setpenwidth",
    "kk",
    "spw",
    "bye",
    "hoşçakal",
    "stop",
    "durdur",
    "setev",
    "sethome",
    "pd",
    "pu",
    "et",
    "ekrantemizle",
    "ileri",
    "geri",
    "ig",
    "gg",
    "sol",
    "sağ",
    "sag",
    "fd",
    "bk",
    "forward",
    "back",
    "lt",
    "rt",
    "left",
    "right",
    "ppt",
    "pe",
    "px",
    "bekle",
    "gösterkaplumbağa",
    "saklakaplumbağa",
    "gk",
    "sk",
    "tekrar",
    "ev",
    "temizle",
    "doldur",
    "yaz",
    "kurx",
    "kury",
    "kurpos",
    "değiştirkalemrenk",
    "değiştirdolgurenk",
    "değiştirekranrenk",
    "degkr",
    "degdr",
    "deger",
    "ka",
    "ky",
    "setfontsize",
    "setyaziboyu",
    "fs",
    "yb",
    "setfontname",
    "setyazıadı",
    "fn",
    "ya",
    "clearscreen",
    "cs",
    "clean",
    "wait",
    "showturtle",
    "hideturtle",
    "st",
    "ht",
    "repeat",
    "home",
    "fill",
    "label",
    "setx",
    "sety",
    "setpos",
    "setpencolor",
    "setfillcolor",
    "setscreencolor",
    "setpc",
    "setfc",
    "setsc",
    "seth",
    "boya",
    "reset",
    "if",
    "eğer",
    "elips",
    "pendown",
    "penup",
    "kalemaşağı",
    "kalemyukarı",
    "dene",
    "test",
    "iftrue",
    "eğerdoğru",
    "iffalse",
    "eğeryanlış",
    "make",
    "yap",
    "until",
    "kadar",
    "while",
    "iken",
    "dountil",
    "yapkadar",
    "dowhile",
    "yapiken",
    "for",
    "döngü",
    "setuzunluk",
    "setyayaci",
    "yond",
    "degev",
    "modc",
    "mods",
    "modt",
    "setsh",
    "degresim",
    "sonuç",
    "sn",
    "output",
    "op",
    "yazdır",
    "yd",
    "print",
    "pr",
};

struct Row {
    std::vector<const char*> members;
    // Turkish long, Turkish short, English long, English short.
    std::vector<const char*> targets;
};

const Row TranslatedRows[] = {
    {{"arc", "yay"}, {"yay", "yay", "arc", "arc"}},
    {{"sonuç", "sn", "output", "op"}, {"sonuç", "sn", "output", "op"}},
    {{"yazdır", "yd", "print", "pr"}, {"yazdır", "yd", "print", "pr"}},
    {{"setkalemkalınlık", "setpenwidth", "kk", "spw"},
     {"setkalemkalınlık", "kk", "setpenwidth", "spw"}},
    {{"bye", "hoşçakal"}, {"hoşçakal", "hoşçakal", "bye", "bye"}},
    {{"stop", "durdur"}, {"durdur", "durdur", "stop", "stop"}},
    {{"pd", "ka", "pendown", "kalemaşağı"}, {"kalemaşağı", "ka", "pendown", "pd"}},
    {{"pu", "ky", "penup", "kalemyukarı"}, {"kalemyukarı", "ky", "penup", "pu"}},
    {{"et", "ekrantemizle", "clearscreen", "cs"}, {"ekrantemizle", "et", "clearscreen", "cs"}},
    {{"ileri", "ig", "fd", "forward"}, {"ileri", "ig", "forward", "fd"}},
    {{"geri", "gg", "bk", "back"}, {"geri", "gg", "back", "bk"}},
    {{"sol", "lt", "left"}, {"sol", "sol", "left", "lt"}},
    {{"sağ", "sag", "rt", "right"}, {"sağ", "sağ", "right", "rt"}},
    {{"bekle", "wait"}, {"bekle", "bekle", "wait", "wait"}},
    {{"gösterkaplumbağa", "gk", "showturtle", "st"},
     {"gösterkaplumbağa", "gk", "showturtle", "st"}},
    {{"saklakaplumbağa", "sk", "hideturtle", "ht"}, {"saklakaplumbağa", "sk", "hideturtle", "ht"}},
    {{"tekrar", "repeat"}, {"tekrar", "tekrar", "repeat", "repeat"}},
    {{"ev", "home"}, {"ev", "ev", "home", "home"}},
    {{"temizle", "clean"}, {"temizle", "temizle", "clean", "clean"}},
    {{"doldur", "fill"}, {"doldur", "doldur", "fill", "fill"}},
    {{"yaz", "label"}, {"yaz", "yaz", "label", "label"}},
    {{"kurx", "setx"}, {"kurx", "kurx", "setx", "setx"}},
    {{"kury", "sety"}, {"kury", "kury", "sety", "sety"}},
    {{"kurpos", "setpos"}, {"kurpos", "kurpos", "setpos", "setpos"}},
    {{"değiştirkalemrenk", "degkr", "setpencolor", "setpc"},
     {"değiştirkalemrenk", "degkr", "setpencolor", "setpc"}},
    {{"değiştirdolgurenk", "degdr", "setfillcolor", "setfc"},
     {"değiştirdolgurenk", "degdr", "setfillcolor", "setfc"}},
    {{"değiştirekranrenk", "deger", "setscreencolor", "setsc"},
     {"değiştirekranrenk", "deger", "setscreencolor", "setsc"}},
    {{"setfontsize", "setyaziboyu", "fs", "yb"}, {"setyaziboyu", "yb", "setfontsize", "fs"}},
    {{"setfontname", "setyazıadı", "fn", "ya"}, {"setyazıadı", "ya", "setfontname", "fn"}},
    {{"seth", "yond"}, {"yond", "yond", "seth", "seth"}},
    {{"if", "eğer"}, {"eğer", "eğer", "if", "if"}},
    {{"dene", "test"}, {"dene", "dene", "test", "test"}},
    {{"iftrue", "eğerdoğru"}, {"eğerdoğru", "eğerdoğru", "iftrue", "iftrue"}},
    {{"iffalse", "eğeryanlış"}, {"eğeryanlış", "eğeryanlış", "iffalse", "iffalse"}},
    {{"make", "yap"}, {"yap", "yap", "make", "make"}},
    {{"until", "kadar"}, {"kadar", "kadar", "until", "until"}},
    {{"while", "iken"}, {"iken", "iken", "while", "while"}},
    {{"dountil", "yapkadar"}, {"yapkadar", "yapkadar", "dountil", "dountil"}},
    {{"dowhile", "yapiken"}, {"yapiken", "yapiken", "dowhile", "dowhile"}},
};

const CommandCode UntranslatedCodes[] = {1,   88, 12, 13,  117, 33,  118, 34,  119, 35,
                                         120, 87, 91, 112, 113, 114, 115, 121, 122};

CommandCode CodeOf(const char* utf8) {
    return LookupCommand(Utf8ToCp1254(utf8));
}

} // namespace

TEST(Keywords, TableHoldsEveryKeywordAtItsCode) {
    ASSERT_EQ(std::size(KeywordsInOrder), static_cast<std::size_t>(KeywordCount));
    for (int p = 0; p < KeywordCount; ++p) {
        const std::string word = Utf8ToCp1254(KeywordsInOrder[p]);
        EXPECT_EQ(KeywordTable[p], word) << "code " << p + 1;
        EXPECT_EQ(KeywordOf(p + 1), word);
        EXPECT_EQ(LookupCommand(word), p + 1) << KeywordsInOrder[p];
    }
    EXPECT_EQ(KeywordOf(0), "");
    EXPECT_EQ(KeywordOf(KeywordCount + 1), "");
    EXPECT_EQ(KeywordOf(ProcedureCodeBase), "");
}

TEST(Keywords, KeywordsAreDistinctAndFoldedAlready) {
    std::set<std::string> seen;
    for (const char* word : KeywordTable) {
        EXPECT_TRUE(seen.insert(word).second) << word;
        EXPECT_EQ(TurkishLower(word), word);
    }
}

TEST(Keywords, LookupFoldsTheTurkishWayThenThePlainWay) {
    EXPECT_EQ(CodeOf("İLERİ"), 18);
    EXPECT_EQ(CodeOf("ileri"), 18);
    // "ılerı" and "rıght" are no keywords; the plain fold gives "ileri" and "right".
    EXPECT_EQ(CodeOf("ILERI"), 18);
    EXPECT_EQ(CodeOf("FD"), 25);
    EXPECT_EQ(CodeOf("RIGHT"), 32);
    EXPECT_EQ(CodeOf("IF"), 89);
    EXPECT_EQ(CodeOf("FILL"), 75);
    EXPECT_EQ(CodeOf("ıf"), 0); // a typed dotless ı stays one
    EXPECT_EQ(CodeOf("Right"), 32);
    EXPECT_EQ(CodeOf("sag"), 24);
    EXPECT_EQ(CodeOf("sağ"), 23);
    EXPECT_EQ(CodeOf("SAĞ"), 23);
    EXPECT_EQ(CodeOf("KALEMAŞAĞI"), 94);
    EXPECT_EQ(CodeOf("SIFIRLA"), 1);
}

TEST(Keywords, LookupTakesOneWord) {
    EXPECT_EQ(LookupCommand(""), UnknownCode);
    EXPECT_EQ(LookupCommand("   "), UnknownCode);
    EXPECT_EQ(LookupCommand("  fd"), 25);
    EXPECT_EQ(LookupCommand("fd "), UnknownCode);
    EXPECT_EQ(LookupCommand("fd 10"), UnknownCode);
    EXPECT_EQ(LookupCommand("\tfd"), UnknownCode);
    EXPECT_EQ(LookupCommand("forwar"), UnknownCode);
}

TEST(Keywords, ProceduresComeBeforeKeywords) {
    ProcedureStore store;
    store.AddProcedure("ana", "");
    store.AddProcedure("kare :a", "fd :a\n");
    store.AddProcedure("ileri", "fd 1\n");
    EXPECT_EQ(LookupCommand("ileri", &store), ProcedureCodeBase + 2);
    EXPECT_EQ(LookupCommand("ileri"), 18);
    EXPECT_EQ(LookupCommand("KARE", &store), ProcedureCodeBase + 1);
    EXPECT_EQ(LookupCommand("ana", &store), ProcedureCodeBase);
    EXPECT_EQ(LookupCommand("fd", &store), 25);
    EXPECT_EQ(LookupCommand("kare :a", &store), UnknownCode);
    ProcedureStore empty;
    EXPECT_EQ(LookupCommand("", &empty), UnknownCode);
}

TEST(Keywords, ProcedureNamedWithACapitalICallsItself) {
    ProcedureStore store;
    store.AddProcedure("ana", "");
    store.AddProcedure("IKI :n", "fd :n\n");
    store.AddProcedure("k\xFDrm\xFDz\xFD", "fd 1\n"); // kırmızı
    EXPECT_EQ(LookupCommand("IKI", &store), ProcedureCodeBase + 1);
    EXPECT_EQ(LookupCommand("iki", &store), ProcedureCodeBase + 1);
    EXPECT_EQ(LookupCommand("KIRMIZI", &store), ProcedureCodeBase + 2);
    // Keywords come after the procedures, with both folds.
    EXPECT_EQ(LookupCommand("ILERI", &store), 18);
    store.AddProcedure("r\xFDght", "fd 1\n"); // rıght
    EXPECT_EQ(LookupCommand("RIGHT", &store), ProcedureCodeBase + 3);
}

TEST(Keywords, TranslationPicksEachRowsDialectMember) {
    const bool turkish[] = {true, true, false, false};
    const bool longForm[] = {true, false, true, false};
    for (const Row& row : TranslatedRows) {
        for (const char* member : row.members) {
            for (int column = 0; column < 4; ++column) {
                EXPECT_EQ(TranslateCode(CodeOf(member), turkish[column], longForm[column]),
                          CodeOf(row.targets[column]))
                    << member << " into column " << column;
            }
        }
    }
}

TEST(Keywords, UntranslatedCodesStay) {
    std::set<CommandCode> covered(std::begin(UntranslatedCodes), std::end(UntranslatedCodes));
    for (const Row& row : TranslatedRows)
        for (const char* member : row.members)
            covered.insert(CodeOf(member));
    EXPECT_EQ(covered.size(), static_cast<std::size_t>(KeywordCount)); // every code has a row

    for (CommandCode code : UntranslatedCodes)
        for (bool toTurkish : {true, false})
            for (bool toLong : {true, false})
                EXPECT_EQ(TranslateCode(code, toTurkish, toLong), code);
    for (CommandCode code : {0, KeywordCount + 1, AssignmentCode, 1000, 1005, -1})
        EXPECT_EQ(TranslateCode(code, true, false), code);
}

TEST(Keywords, TranslationExamples) {
    EXPECT_EQ(TranslateCode(20, false, true), 27); // ig -> forward
    EXPECT_EQ(TranslateCode(24, true, false), 23); // sag -> sağ
    EXPECT_EQ(TranslateCode(24, true, true), 23);
    EXPECT_EQ(TranslateCode(24, false, true), 32);  // sag -> right
    EXPECT_EQ(TranslateCode(24, false, false), 30); // sag -> rt
    EXPECT_EQ(TranslateCode(88, false, false), 88);
}
