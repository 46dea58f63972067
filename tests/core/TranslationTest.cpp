#include "core/Translation.h"

#include "core/ErrorList.h"
#include "core/GlobalSettings.h"
#include "core/ProcedureStore.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace mivarelo;

namespace {

struct Dialect {
    bool toTurkish;
    bool toLong;
};
const Dialect TurkishLong{true, true};
const Dialect TurkishShort{true, false};
const Dialect EnglishLong{false, true};
const Dialect EnglishShort{false, false};
const Dialect AllDialects[] = {TurkishLong, TurkishShort, EnglishLong, EnglishShort};

std::string Line(std::string_view text, Dialect d, const ProcedureStore* store = nullptr) {
    return TranslateText(text, d.toTurkish, d.toLong, false, false, store);
}

class RecordingErrorList : public ErrorList {
public:
    void AddErrorLine(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

class RecordingSink : public ColorSink {
public:
    void Clear() override { calls.emplace_back("<clear>", 0); }
    void AppendColored(const std::string& text, std::uint32_t colour) override {
        calls.emplace_back(text, colour);
    }
    std::vector<std::pair<std::string, std::uint32_t>> calls;
};

TEST(Translation, SpecExamples) {
    EXPECT_EQ(Line("ig 10", EnglishShort), "fd 10\n");
    EXPECT_EQ(Line("tekrar 4 [ileri 10 sag 90]", EnglishLong),
              "repeat 4 [ forward 10;right 90; ]\n");
}

TEST(Translation, EveryCommandOfALineGoesToEachDialect) {
    const std::string line = "ig 10 right 90 kalema\xFE"
                             "a\xF0\xFD bk 5;sag 1";
    EXPECT_EQ(Line(line, TurkishLong), "ileri 10\nsa\xF0 90\nkalema\xFE"
                                       "a\xF0\xFD\ngeri 5\nsa\xF0 1\n");
    EXPECT_EQ(Line(line, TurkishShort), "ig 10\nsa\xF0 90\nka\ngg 5\nsa\xF0 1\n");
    EXPECT_EQ(Line(line, EnglishLong), "forward 10\nright 90\npendown\nback 5\nright 1\n");
    EXPECT_EQ(Line(line, EnglishShort), "fd 10\nrt 90\npd\nbk 5\nrt 1\n");
    // English keywords in capitals are found although the Turkish fold makes
    // their 'I' a dotless one.
    EXPECT_EQ(Line("RIGHT 90 FILL REPEAT 2 [FD 10]", TurkishLong),
              "sa\xF0 90\ndoldur\ntekrar 2 [ ileri 10; ]\n");
    // Rows without dialect members keep their word, in table form.
    EXPECT_EQ(Line("SIFIRLA; setev", EnglishShort), "s\xFD"
                                                    "f\xFDrla\nsetev\n");
}

TEST(Translation, NestedListsAreTranslatedWithTheirSeparators) {
    const std::string line = "tekrar 2 [ileri 10 tekrar 4 [sag 90 fd 5] pu]";
    EXPECT_EQ(Line(line, EnglishShort), "repeat 2 [ fd 10;repeat 4 [ rt 90;fd 5; ];pu; ]\n");
    EXPECT_EQ(Line(line, TurkishLong),
              "tekrar 2 [ ileri 10;tekrar 4 [ sa\xF0 90;ileri 5; ];kalemyukar\xFD; ]\n");
    EXPECT_EQ(TranslateText("ileri 10 x := 1 ; sag 5; y = 2", false, true, true, false, nullptr),
              "forward 10 x := 1;right 5;y = 2;");
    // With blanks as separators, commands that are not keywords keep their ';'.
    EXPECT_EQ(TranslateText("ileri 10 ; sag 5; y = 2; geri 1", false, true, true, true, nullptr),
              "forward 10 right 5;y = 2;back 1 ");
}

TEST(Translation, UntranslatableTextIsKeptAsWritten) {
    const std::vector<std::string> kept = {
        "tekrar 0 [ileri 10]",
        "tekrar [ileri 10]",
        "tekrar 4 []",
        "tekrar 4 [  ]",
        "tekrar 4",
        "tekrar 4 [ileri 10",
        "tekrar :n [ileri 1]",
        "tekrar 4.5 [ileri 1]",
    };
    for (const std::string& text : kept)
        EXPECT_EQ(Line(text, EnglishLong), text + "\n");
    // Lines without any keyword command come back byte for byte.
    for (const std::string text :
         {"kare 10", "x = x + 1", "x:=5", "; bir yorum", "  [a b]  ", "x := ileri + 1"})
        EXPECT_EQ(Line(text, EnglishShort), text + "\n");
    // Beside a keyword, the other commands keep their text.
    EXPECT_EQ(Line("y := 5;  ileri y", EnglishShort), "y := 5\nfd y\n");
    EXPECT_EQ(Line("y = sag * 2; sag y", EnglishShort), "y = sag * 2\nrt y\n");
    EXPECT_EQ(Line("kare  10 ileri 20", EnglishShort), "kare  10\nfd 20\n");
    EXPECT_EQ(Line("tekrar 4 [ileri 10] 5", EnglishShort), "repeat 4 [ fd 10; ] 5\n");
    EXPECT_EQ(Line("", EnglishShort), "");
}

// A closing bracket of another kind, or one with nothing open, would end a
// list early for the readers: translated, such a line would be cut in two.
TEST(Translation, LinesWhoseBracketsDoNotPairUpAreKept) {
    for (const std::string text : {"tekrar 5 [ ileri 1); ]", "tekrar 5 [ fd 1) ; sag 90 ]",
                                   "ileri 10) ; sag 90 [", "sol (1 ] ; ileri 2"})
        EXPECT_EQ(Line(text, EnglishShort), text + "\n");
    EXPECT_EQ(Line("ileri (1 + 2) sag [3]", EnglishShort), "fd (1 + 2)\nrt [3]\n");
}

// Comments hold words, not commands: translated they would lose their ';'
// and their keywords would become lines of their own that run.
TEST(Translation, CommentsAreKeptAsWritten) {
    const std::string comment = "; Teaches: label, in a size set with setfontsize and fd";
    EXPECT_EQ(Line(comment, TurkishLong), comment + "\n");
    EXPECT_EQ(Line("  ; ileri 10 sag 90", EnglishShort), "  ; ileri 10 sag 90\n");
    // Text kept as written keeps its blanks before the comment, once.
    EXPECT_EQ(Line("kare  'draw it", EnglishShort), "kare  'draw it\n");
    EXPECT_EQ(Line("kare 5 ; ig 10   'a", EnglishLong), "kare 5\nforward 10   'a\n");
    EXPECT_EQ(Line("ileri 10 'go forward then right", EnglishShort),
              "fd 10 'go forward then right\n");
    EXPECT_EQ(Line("ileri 10 sag 90 'ileri", EnglishLong), "forward 10\nright 90 'ileri\n");
    EXPECT_EQ(Line("'only a comment fd 1", TurkishShort), "'only a comment fd 1\n");
}

TEST(Translation, ProceduresAreNeverTranslatedOrSplit) {
    Globals().AcceptSpace = true;
    Globals().AutoCorrectErrors = true;
    RecordingErrorList errors;
    ErrorList* previous = SetCurrentErrorList(&errors);
    ProcedureStore store;
    store.AddProcedure("ileri :n", "");
    store.AddProcedure("ileriGit", "");
    // A procedure named like a keyword hides the keyword.
    EXPECT_EQ(Line("ileri 10", EnglishLong, &store), "ileri 10\n");
    EXPECT_EQ(Line("ileri 10", EnglishLong), "forward 10\n");
    EXPECT_EQ(Line("sag 5 ileri 10", EnglishLong, &store), "right 5\nileri 10\n");
    // Names that begin with a keyword are not cut at the keyword.
    EXPECT_EQ(Line("ileriGit 3", EnglishLong, &store), "ileriGit 3\n");
    EXPECT_EQ(Line("ileriGit 3", EnglishLong), "ileriGit 3\n");
    EXPECT_EQ(Line("ileri100 sag90", EnglishLong), "ileri100 sag90\n");
    // No keyword is turned into a word that calls a procedure: the target
    // language's other form stands in, whatever the dialect written.
    store.AddProcedure("setpc", "");
    EXPECT_EQ(Line("degkr [1 2 3]", EnglishShort, &store), "setpencolor [1 2 3]\n");
    EXPECT_EQ(Line("setpencolor [1 2 3]", EnglishShort, &store), "setpencolor [1 2 3]\n");
    EXPECT_EQ(Line("sag 5 ig 10", TurkishLong, &store), "sa\xF0 5\nig 10\n");
    EXPECT_TRUE(errors.lines.empty());
    SetCurrentErrorList(previous);
}

TEST(Translation, SingleCommands) {
    EXPECT_EQ(TranslateCommand("  sag 90  ", false, false, false), "rt 90");
    EXPECT_EQ(TranslateCommand("ileri(10)", false, false, false), "fd (10)");
    EXPECT_EQ(TranslateCommand(" kare 5 ", false, false, false), "kare 5");
    EXPECT_EQ(TranslateCommand("tekrar 3 [ig 1; sk]", false, true, true),
              "repeat 3 [ forward 1 hideturtle  ]");
    EXPECT_EQ(TranslateCommand("", true, true, false), "");
}

TEST(Translation, ProgramRoundTripsThroughEveryDialect) {
    ProcedureStore store;
    store.AddProcedure("AnaEkran", "ig 10 right 90\n"
                                   "kare 20\n"
                                   "x = x + 1\n"
                                   "y := 5; ileri y\n"
                                   "tekrar 2 [ileri 10 tekrar 4 [sag 90 fd 5] pu]\n"
                                   "; bir yorum sat\xFDr\xFD\n"
                                   "ileriGit 3\n"
                                   "tekrar :n [ileri 1]\n"
                                   "\n"
                                   "s\xFD"
                                   "f\xFDrla\n"
                                   "kare 5 kalema\xFE"
                                   "a\xF0\xFD");
    store.AddProcedure("kare :a", "tekrar 4 [ileri :a sag 90]\n");
    store.AddProcedure("ileriGit :k", "");
    store.AddProcedure("bos", "");

    TranslateProgram(store, false, true, false);
    EXPECT_EQ(store.GetBody(0), "forward 10\nright 90\n"
                                "kare 20\n"
                                "x = x + 1\n"
                                "y := 5\nforward y\n"
                                "repeat 2 [ forward 10;repeat 4 [ right 90;forward 5; ];penup; ]\n"
                                "; bir yorum sat\xFDr\xFD\n"
                                "ileriGit 3\n"
                                "tekrar :n [ileri 1]\n"
                                "\n"
                                "s\xFD"
                                "f\xFDrla\n"
                                "kare 5\npendown\n");
    EXPECT_EQ(store.GetBody(1), "repeat 4 [ forward :a;right 90; ]\n");
    EXPECT_EQ(store.Headers(), (StringList{"AnaEkran", "kare :a", "ileriGit :k", "bos"}));
    EXPECT_EQ(store.GetBody(3), "");

    for (const Dialect first : AllDialects) {
        TranslateProgram(store, first.toTurkish, first.toLong, false);
        const StringList once = store.Bodies();
        for (const Dialect other : AllDialects) {
            TranslateProgram(store, other.toTurkish, other.toLong, false);
            EXPECT_NE(store.GetBody(0).find("x = x + 1\ny := 5\n"), std::string::npos);
            TranslateProgram(store, first.toTurkish, first.toLong, false);
            EXPECT_EQ(store.Bodies(), once);
        }
    }
}

TEST(Translation, DeepNestingKeepsTheInnermostListsAsWritten) {
    std::string line;
    for (int i = 0; i < 300; ++i)
        line += "tekrar 1 [";
    line += "ileri 1" + std::string(300, ']');
    const std::string translated = Line(line, EnglishLong);
    EXPECT_TRUE(translated.starts_with("repeat 1 [ repeat 1 [ "));
    EXPECT_NE(translated.find("tekrar 1 [ileri 1]"), std::string::npos);
}

TEST(Colouring, WordsAndSeparatorsOfARepeatLine) {
    const StringList lines = {"ileri 5", "tekrar 4 [ileri 10]"};
    RecordingSink sink;
    ColorizeLine(&lines, 1, nullptr, &sink);
    const std::vector<std::pair<std::string, std::uint32_t>> expected = {
        {"<clear>", 0},  {"tekrar", 0x000080}, {" ", 0}, {"4", 0},  {" ", 0},
        {"[", 0xFF0000}, {"ileri", 0x000080},  {" ", 0}, {"10", 0}, {"]", 0xFF0000},
    };
    EXPECT_EQ(sink.calls, expected);
}

TEST(Colouring, ProceduresPunctuationAndMissingLines) {
    ProcedureStore store;
    store.AddProcedure("kare :a", "");
    const StringList lines = {"KARE(a+b,-c);{x}\r", ""};
    RecordingSink sink;
    ColorizeLine(&lines, 0, &store, &sink);
    const std::vector<std::pair<std::string, std::uint32_t>> expected = {
        {"<clear>", 0},  {"KARE", 0x0000FF}, {"(", 0xFF0000}, {"a", 0},        {"+", 0xFF0000},
        {"b", 0},        {",", 0xFF0000},    {"-", 0xFF0000}, {"c", 0},        {")", 0xFF0000},
        {";", 0xFF0000}, {"{", 0xFF0000},    {"x", 0},        {"}", 0xFF0000}, {"\r", 0},
    };
    EXPECT_EQ(sink.calls, expected);

    for (int index : {1, 2, -1}) {
        sink.calls.clear();
        ColorizeLine(&lines, index, &store, &sink);
        EXPECT_EQ(sink.calls, (std::vector<std::pair<std::string, std::uint32_t>>{{"<clear>", 0}}));
    }
    sink.calls.clear();
    ColorizeLine(nullptr, 0, &store, &sink);
    EXPECT_TRUE(sink.calls.empty());
    ColorizeLine(&lines, 0, &store, nullptr); // no box: nothing to show, nothing fails
    AppendColored(&sink, "", 0x0000FF);
    EXPECT_TRUE(sink.calls.empty());
}

TEST(Colouring, WordClassesAndPunctuation) {
    ProcedureStore store;
    store.AddProcedure("ileri", "");
    EXPECT_EQ(ClassifyWord("ileri", &store), 0x0000FFu);
    EXPECT_EQ(ClassifyWord("ileri", nullptr), 0x000080u);
    EXPECT_EQ(ClassifyWord("FD", nullptr), 0x000080u);
    EXPECT_EQ(ClassifyWord("10", &store), 0u);
    EXPECT_EQ(ClassifyWord("", &store), 0u);
    for (char c : std::string("()+,-;[]{}"))
        EXPECT_EQ(PunctuationColor(c), 0xFF0000u) << c;
    for (char c : std::string(" \n\r*/=:a"))
        EXPECT_EQ(PunctuationColor(c), 0u) << c;
}

} // namespace
