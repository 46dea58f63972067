#include "core/LineParser.h"

#include "core/ExpressionHook.h"
#include "core/GlobalSettings.h"
#include "core/LanguageModule.h"
#include "core/ProcedureStore.h"
#include "core/VariableStore.h"
#include "support/Recorders.h"
#include "support/SplitResult.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace mivarelo {
namespace {

using support::RecordingErrorList;
using support::RecordingNotifier;
using support::ScopedVariableStore;
using support::SplitResult;
using support::SplitWith;

// The number of blanks in normalized text carries no meaning, so outputs are
// compared with every run of blanks collapsed into one.
std::string Collapse(const std::string& s) {
    std::string out;
    for (char c : s)
        if (c != ' ' || out.empty() || out.back() != ' ') out += c;
    return out;
}

std::string ExpectedErrorLine(const std::string& word, int line) {
    return GetLanguageString(7713) + ": '" + word + "'" + " ( " + GetLanguageString(7714) + " = " +
           std::to_string(line) + " ) ";
}

long Count(const std::string& s, char c) {
    return std::count(s.begin(), s.end(), c);
}

class LineParserTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        LoadLanguageModule();
        store.AddProcedure("AnaEkran", "");
        store.AddProcedure("kare :a", "ileri :a\n");
    }
    void TearDown() override { ResetGlobals(); }
    std::string Normalize(const std::string& text) { return Collapse(NormalizeLine(text, &store)); }

    ProcedureStore store;
    RecordingErrorList errors;
    RecordingNotifier notifier;
};

TEST_F(LineParserTest, BlankSeparatedCommandsBecomeSeparateCommands) {
    EXPECT_EQ(NormalizeLine("ileri 10 sag 90", &store), "ileri  10 ;  sag  90 ; ");
    EXPECT_EQ(Normalize("yaz ileri"), "yaz ; ileri ; ");
    EXPECT_EQ(Normalize("ileri 10; sag 90"), "ileri 10 ; sag 90 ; ");
    EXPECT_EQ(Normalize("ig 10 rt 90 fd 5"), "ig 10 ; rt 90 ; fd 5 ; ");
    EXPECT_EQ(Normalize("ileri(10) sag (45 + 45)"), "ileri (10) ; sag (45 + 45) ; ");
    EXPECT_EQ(NormalizeLine("", &store), "");
    EXPECT_TRUE(errors.lines.empty());
}

TEST_F(LineParserTest, ArgumentsBeforeTheFirstCommandStayWithIt) {
    EXPECT_EQ(Normalize("10 ileri"), "ileri 10 ; ");
    EXPECT_EQ(Normalize("10 20 ileri sag 5"), "ileri 10 20 ; sag 5 ; ");
}

TEST_F(LineParserTest, AssignmentStaysOneCommandWithEmptyWord) {
    EXPECT_EQ(NormalizeLine("x := 5", &store), "  x := 5 ; ");
    EXPECT_TRUE(errors.lines.empty());
    EXPECT_EQ(notifier.beeps, 0);
}

TEST_F(LineParserTest, ProceduresOfTheStoreAreCommands) {
    EXPECT_EQ(Normalize("kare 50 ileri 10"), "kare 50 ; ileri 10 ; ");
    EXPECT_EQ(Normalize("KARE 50"), "KARE 50 ; ");
    EXPECT_TRUE(errors.lines.empty());
}

TEST_F(LineParserTest, ListsAreNormalizedRecursively) {
    EXPECT_EQ(Normalize("tekrar 4 [ileri 10 sag 90]"), "tekrar 4 [ ileri 10 ; sag 90 ; ] ; ");
    EXPECT_EQ(Normalize("tekrar 4[ileri 10 sag 90] ileri 50 sol 30"),
              "tekrar 4 [ ileri 10 ; sag 90 ; ] ; ileri 50 ; sol 30 ; ");
    EXPECT_EQ(Normalize("tekrar 2 [tekrar 3 [ileri 10 sag 120] sol 90]"),
              "tekrar 2 [ tekrar 3 [ ileri 10 ; sag 120 ; ] ; sol 90 ; ] ; ");
    EXPECT_EQ(Normalize("for [i := 1; i < 3; i := i + 1] [fd 10]"),
              "for [ i := 1 ; i < 3 ; i := i + 1 ; ] [ fd 10 ; ] ; ");
    EXPECT_EQ(Normalize("if 1 < 2 {ileri 10}"), "if 1 < 2 { ileri 10 ; } ; ");
    EXPECT_EQ(Normalize("tekrar 3 []"), "tekrar 3 [ ] ; ");
    // A list of blanks is as empty as "[]": no empty command inside.
    EXPECT_EQ(Normalize("kadar [  ] [ ]"), "kadar [ ] [ ] ; ");
}

TEST_F(LineParserTest, LineBreaksAndClosingBracketsStayInTheArguments) {
    EXPECT_EQ(Normalize("ileri 10\nsag 90"), "ileri 10\n ; sag 90 ; ");
    EXPECT_EQ(Normalize("ileri 10\r\n"), "ileri 10\r\n ; ");
}

TEST_F(LineParserTest, UnbalancedBracketsAreNotReported) {
    // A missing closing bracket makes the list run to the end of the text.
    EXPECT_EQ(Normalize("tekrar 4 [ileri 10 sag 90"), "tekrar 4 [ ileri 10 ; sag 90 ; ] ; ");
    // A stray closing bracket stays in the argument text.
    EXPECT_EQ(Normalize("ileri 10 ] sag 90"), "ileri 10] ; sag 90 ; ");
    EXPECT_TRUE(errors.lines.empty());
}

// Every level is normalized however deep; the levels do not use the call
// stack, so a hundred thousand open brackets normalize without overflowing.
TEST_F(LineParserTest, ListsOfAnyDepthAreNormalized) {
    const int depth = 5000;
    const std::string text = std::string(depth, '[') + "ileri10" + std::string(depth, ']');
    const std::string out = NormalizeLine(text, &store);
    // Each level ends its one command with " ; ", and the innermost glued
    // command is split as at the top.
    EXPECT_EQ(Count(out, ';'), depth + 1);
    EXPECT_NE(out.find("[ ileri 10 ;   ]"), std::string::npos);
    EXPECT_EQ(Count(out, '['), depth);
    EXPECT_EQ(Count(out, ']'), depth);

    const std::string open(100000, '[');
    const std::string unclosed = NormalizeLine(open, &store);
    EXPECT_EQ(Count(unclosed, '['), 100000);
    // Every level closes its list at the end of the text.
    EXPECT_EQ(Count(unclosed, ']'), 100000);
    EXPECT_EQ(Count(unclosed, ';'), 100000);
}

TEST_F(LineParserTest, GluedKeywordIsSplitAndReported) {
    Globals().CurrentLineNumber = 7;
    EXPECT_EQ(NormalizeLine("ileri100", &store), "ileri 100 ; ");
    ASSERT_EQ(errors.lines.size(), 1u);
    EXPECT_EQ(errors.lines[0], ExpectedErrorLine("ileri100", 7));
    EXPECT_EQ(notifier.beeps, 1);
    EXPECT_EQ(Globals().LastErrorLine, 7);
}

TEST_F(LineParserTest, ErrorLineWithTheTurkishTexts) {
    if (!LoadLanguageModule()) GTEST_SKIP() << "language files are not beside the test program";
    Globals().CurrentLineNumber = 2;
    NormalizeLine("sag90", &store);
    ASSERT_EQ(errors.lines.size(), 1u);
    // "sat\xFDr" is "satır" in Windows-1254.
    EXPECT_EQ(errors.lines[0], "Bilinmeyen komut: 'sag90' ( sat\xFDr = 2 ) ");
}

TEST_F(LineParserTest, EverySplitBeforeTheFirstCommandIsReported) {
    Globals().CurrentLineNumber = 3;
    EXPECT_EQ(Normalize("ileri100 sag90"), "ileri 100 ; sag 90 ; ");
    ASSERT_EQ(errors.lines.size(), 2u);
    EXPECT_EQ(errors.lines[0], ExpectedErrorLine("ileri100", 3));
    EXPECT_EQ(errors.lines[1], ExpectedErrorLine("sag90", 3));
    EXPECT_EQ(notifier.beeps, 2);
}

TEST_F(LineParserTest, NoSplittingOnceACommandWasSeen) {
    EXPECT_EQ(Normalize("ileri 10 sag90"), "ileri 10 sag90 ; ");
    EXPECT_EQ(Normalize("ileri 10 ; sag90"), "ileri 10 ; sag90 ; ");
    EXPECT_TRUE(errors.lines.empty());
    EXPECT_EQ(notifier.beeps, 0);
}

TEST_F(LineParserTest, ListContentsAreSplitOnTheirOwn) {
    EXPECT_EQ(Normalize("tekrar 4 [ileri100]"), "tekrar 4 [ ileri 100 ; ] ; ");
    ASSERT_EQ(errors.lines.size(), 1u);
    EXPECT_EQ(errors.lines[0], ExpectedErrorLine("ileri100", 0));
}

TEST_F(LineParserTest, SplittingNeedsBothFlags) {
    Globals().AcceptSpace = false;
    EXPECT_EQ(Normalize("kare10"), " kare10 ; ");
    EXPECT_EQ(Normalize("ileri100"), " ileri100 ; ");
    Globals().AcceptSpace = true;
    Globals().AutoCorrectErrors = false;
    EXPECT_EQ(Normalize("kare10"), " kare10 ; ");
    EXPECT_TRUE(errors.lines.empty());
    EXPECT_EQ(notifier.beeps, 0);

    // With both flags on, the unknown word splits at its shortest keyword prefix.
    Globals().AutoCorrectErrors = true;
    EXPECT_EQ(Normalize("kare10"), "ka re10 ; ");
    EXPECT_EQ(errors.lines.size(), 1u);
}

TEST_F(LineParserTest, WithoutStoreProcedureNamesAreUnknownWords) {
    EXPECT_EQ(Collapse(NormalizeLine("kare 50", nullptr)), "ka re 50 ; ");
    ASSERT_EQ(errors.lines.size(), 1u);
    EXPECT_EQ(errors.lines[0], ExpectedErrorLine("kare", 0));
}

// The exact text, blanks included: the parser cuts at " ; " and the lists'
// ends are found by their blanks. A list before the command word of its
// level goes after the word, as its argument.
TEST_F(LineParserTest, NormalizedTextIsExactWhateverWhereTheListStands) {
    EXPECT_EQ(NormalizeLine("repeat 2 [fd 1 rt 90]", &store),
              "repeat  2 [ fd  1 ;  rt  90 ;   ] ; ");
    EXPECT_EQ(NormalizeLine("x [fd 1] ileri 5", &store), "ileri  x [ fd  1 ;   ] 5 ; ");
    EXPECT_EQ(NormalizeLine("[fd 1] rt 9", &store), "rt  [ fd  1 ;   ] 9 ; ");
}

TEST(MatchingBracketTest, ClosesTheThreeBracketKinds) {
    EXPECT_EQ(MatchingBracket('('), ')');
    EXPECT_EQ(MatchingBracket('['), ']');
    EXPECT_EQ(MatchingBracket('{'), '}');
    EXPECT_EQ(MatchingBracket(']'), ']');
    EXPECT_EQ(MatchingBracket('a'), 'a');
}

SplitResult Prefix(std::string_view word) {
    return SplitWith([](auto w, auto& k, auto& r) { return SplitKeywordPrefix(w, k, r); }, word);
}

TEST(SplitKeywordPrefixTest, ShortestKeywordPrefixWins) {
    EXPECT_EQ(Prefix("ileri100"), (SplitResult{true, "ileri", "100"}));
    EXPECT_EQ(Prefix("sag90"), (SplitResult{true, "sag", "90"}));
    // "seth" is no prefix of "setpenwidth2"; the first keyword prefix is the whole word.
    EXPECT_EQ(Prefix("setpenwidth2"), (SplitResult{true, "setpenwidth", "2"}));
    // The shorter "seth" wins over "sethome".
    EXPECT_EQ(Prefix("sethome5"), (SplitResult{true, "seth", "ome5"}));
    EXPECT_EQ(Prefix("  fd"), (SplitResult{true, "fd", ""}));
}

TEST(SplitKeywordPrefixTest, KeywordComesInTableForm) {
    // "\xDD" is the capital dotted I of Windows-1254; it folds to 'i'.
    EXPECT_EQ(Prefix("\xDDLER\xDD"
                     "5"),
              (SplitResult{true, "ileri", "5"}));
    EXPECT_EQ(Prefix("FD20"), (SplitResult{true, "fd", "20"}));
}

TEST(SplitKeywordPrefixTest, NoKeywordPrefixEmptiesTheOutputs) {
    EXPECT_EQ(Prefix("xyz"), SplitResult{});
    EXPECT_EQ(Prefix(""), SplitResult{});
    EXPECT_EQ(Prefix(std::string(200000, 'x') + "ileri"), SplitResult{});
}

TEST_F(LineParserTest, ReportUnknownWordWritesTheErrorLine) {
    Globals().CurrentLineNumber = 12;
    ReportUnknownWord("fdd");
    ASSERT_EQ(errors.lines.size(), 1u);
    EXPECT_EQ(errors.lines[0], ExpectedErrorLine("fdd", 12));
    EXPECT_EQ(notifier.beeps, 1);
    EXPECT_EQ(Globals().LastErrorLine, 12);
}

TEST_F(LineParserTest, ReportUnknownWordWithoutErrorListStillBeeps) {
    SetCurrentErrorList(nullptr);
    Globals().CurrentLineNumber = 4;
    ReportUnknownWord("fdd");
    EXPECT_EQ(notifier.beeps, 1);
    EXPECT_EQ(Globals().LastErrorLine, 4);
    EXPECT_TRUE(errors.lines.empty());
}

TEST_F(LineParserTest, SplitCommandWordLooksUpTheFirstWord) {
    std::string word;
    std::string rest;
    EXPECT_EQ(SplitCommandWord(&store, "  kare(5) 6", word, rest), ProcedureCodeBase + 1);
    EXPECT_EQ(word, "kare");
    EXPECT_EQ(rest, "(5) 6");
    EXPECT_EQ(SplitCommandWord(&store, "ileri 10", word, rest), 18);
    EXPECT_EQ(word, "ileri");
    EXPECT_EQ(rest, " 10");
    EXPECT_EQ(SplitCommandWord(&store, "tekrar[ileri]", word, rest), 41);
    EXPECT_EQ(rest, "[ileri]");
    EXPECT_EQ(SplitCommandWord(&store, "xyz 1", word, rest), UnknownCode);
    EXPECT_EQ(word, "xyz");
    EXPECT_EQ(rest, " 1");
    EXPECT_EQ(SplitCommandWord(nullptr, "kare 5", word, rest), UnknownCode);
}

TEST(SplitCommandWordTest, EmptyTextLeavesTheOutputs) {
    std::string word = "keep";
    std::string rest = "keep";
    EXPECT_EQ(SplitCommandWord(nullptr, "", word, rest), UnknownCode);
    EXPECT_EQ(word, "keep");
    EXPECT_EQ(rest, "keep");
}

SplitResult Blocks(std::string_view text) {
    return SplitWith(
        [](auto t, auto& first, auto& second) {
            TwoBlocks(t, first, second);
            return true;
        },
        text);
}

TEST(BlockTest, TwoBlocksTakesNestedListsWhole) {
    EXPECT_EQ(Blocks("[a] [b [c]]"), (SplitResult{true, "a", "b [c]"}));
    EXPECT_EQ(Blocks("[:x > 5] [fd 10 rt 5]"), (SplitResult{true, ":x > 5", "fd 10 rt 5"}));
    EXPECT_EQ(Blocks("[a]"), (SplitResult{true, "a", ""}));
    EXPECT_EQ(Blocks(""), (SplitResult{true, "", ""}));
}

TEST(BlockTest, FirstBlockSkipsTheTextBeforeTheBracket) {
    EXPECT_EQ(FirstBlock("if 1 < 2 [fd 10] [x]"), "fd 10");
    EXPECT_EQ(FirstBlock("[a [b]"), "a [b]");
    EXPECT_EQ(FirstBlock("a (b] c) d] e"), "a (b] c) d");
    EXPECT_EQ(FirstBlock(""), "");
}

TEST(BlockTest, ReadBlockLeavesTheCursorAfterTheList) {
    const std::string text = "  [x [y]] rest";
    Cursor c(text);
    EXPECT_EQ(ReadBlock(c), "x [y]");
    EXPECT_EQ(c.Rest(), " rest");
    EXPECT_EQ(ReadBlock(c), " rest");
    EXPECT_TRUE(c.AtEnd());
    EXPECT_EQ(ReadBlock(c), "");
}

SplitResult Assignment(std::string_view text) {
    return SplitWith([](auto t, auto& name, auto& e) { return SplitAssignment(t, name, e); }, text);
}

TEST(SplitAssignmentTest, SplitsAtColonEqualsThenAtEquals) {
    EXPECT_EQ(Assignment("x := 5"), (SplitResult{true, "x ", " 5"}));
    EXPECT_EQ(Assignment("y = 2 * 3"), (SplitResult{true, "y ", " 2 * 3"}));
    EXPECT_EQ(Assignment("x:=y=2"), (SplitResult{true, "x", "y=2"}));
    // The first ':' is no ":=", so the split falls back to the '='.
    EXPECT_EQ(Assignment(":x := 5"), (SplitResult{true, ":x :", " 5"}));
}

TEST(SplitAssignmentTest, FailsWithoutOperatorOrRightSide) {
    EXPECT_EQ(Assignment("x :="), SplitResult{});
    // Blanks right of the operator are no value, for either operator.
    EXPECT_EQ(Assignment("  x :=  "), SplitResult{});
    EXPECT_EQ(Assignment("x = "), SplitResult{});
    EXPECT_EQ(Assignment("ileri 10"), SplitResult{});
    EXPECT_EQ(Assignment(""), SplitResult{});
}

class ExecuteAssignmentTest : public ::testing::Test {
protected:
    void TearDown() override { SetExpressionEvaluator(nullptr); }
    ScopedVariableStore variables;
};

TEST_F(ExecuteAssignmentTest, StoresTheEvaluatedValue) {
    EXPECT_TRUE(ExecuteAssignment("x := 5"));
    EXPECT_FLOAT_EQ(GetVariable("x"), 5.0f);
    EXPECT_TRUE(ExecuteAssignment("y = 7.5"));
    EXPECT_FLOAT_EQ(GetVariable("y"), 7.5f);
    EXPECT_TRUE(ExecuteAssignment("x := -3"));
    EXPECT_FLOAT_EQ(GetVariable("x"), -3.0f);
}

TEST_F(ExecuteAssignmentTest, FailedSplitStoresNothing) {
    EXPECT_TRUE(ExecuteAssignment("x := 4"));
    EXPECT_FALSE(ExecuteAssignment("x :="));
    EXPECT_FALSE(ExecuteAssignment("x"));
    EXPECT_FALSE(ExecuteAssignment(""));
    EXPECT_FLOAT_EQ(GetVariable("x"), 4.0f);
}

std::string lastEvaluated;
double RecordingEvaluator(std::string_view expression) {
    lastEvaluated = std::string(expression);
    return 1.0 / 3.0;
}

TEST_F(ExecuteAssignmentTest, EvaluatesThroughTheInstalledEvaluator) {
    SetExpressionEvaluator(&RecordingEvaluator);
    EXPECT_TRUE(ExecuteAssignment("z := 1/3"));
    EXPECT_EQ(lastEvaluated, " 1/3");
    // Stored values keep one decimal.
    EXPECT_FLOAT_EQ(GetVariable("z"), 0.3f);
}

} // namespace
} // namespace mivarelo
