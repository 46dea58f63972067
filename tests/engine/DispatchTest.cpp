// The line dispatcher: command lookup and dispatch, ';' and blank splitting,
// assignments, unknown commands with their error lines and the retry.
#include "InterpreterFixture.h"

#include "core/Keywords.h"

#include <tuple>
#include <utility>

namespace mivarelo::testing {
namespace {

using DispatchTest = InterpreterFixture;

TEST_F(DispatchTest, EverySynonymOfForwardAndRightReachesTheExecutor) {
    // ileri, ig, forward, fd: 10 pixels each to the right.
    for (const char* word : {"ileri", "ig", "forward", "fd"})
        EXPECT_TRUE(Dispatcher().RunCommandText(std::string(word) + " 10")) << word;
    EXPECT_EQ(X(), 540);
    // sağ, sag, right, rt: 10 degrees each.
    for (const char* word : {"sa\xF0", "sag", "right", "rt"})
        EXPECT_TRUE(Dispatcher().RunCommandText(std::string(word) + " 10")) << word;
    EXPECT_FLOAT_EQ(Heading(), 40.0f);
    // Upper case is folded the Turkish way: "İLERİ" is "ileri".
    EXPECT_TRUE(Dispatcher().RunCommandText("\xDDLER\xDD 0"));
    EXPECT_EQ(X(), 540);
}

TEST_F(DispatchTest, DispatchCodeRoutesKeywordsAndProcedures) {
    EXPECT_TRUE(Dispatcher().DispatchCode(LookupCommand("fd"), " 25"));
    EXPECT_EQ(X(), 525);
    Define("jump :d", "pu\nfd :d\npd\n");
    EXPECT_TRUE(Dispatcher().DispatchCode(ProcedureCodeBase + 1, "15"));
    // The call is only started; its lines run under the scheduler.
    EXPECT_EQ(X(), 525);
    EXPECT_EQ(Runner().Depth(), 1u);
    Runner().RunToEnd(false);
    EXPECT_EQ(X(), 540);
    EXPECT_TRUE(engine_->Screen().State().PenIsDown);
    EXPECT_EQ(FrameCount(), 0);
}

TEST_F(DispatchTest, AProcedureNamedLikeAKeywordHidesTheKeyword) {
    Define("fd :n", "rt :n\n");
    Run("fd 30\n");
    EXPECT_EQ(X(), 500);
    EXPECT_FLOAT_EQ(Heading(), 30.0f);
}

TEST_F(DispatchTest, SemicolonsSplitALineButNotInsideBrackets) {
    Run("fd 10; rt 90; fd 10\n");
    EXPECT_EQ(X(), 510);
    EXPECT_EQ(Y(), 510);
    Run("for [i := 1; i < 3; i := i + 1] [fd 10]\n");
    EXPECT_EQ(Y(), 540);
    EXPECT_TRUE(errors_.lines.empty());
}

TEST_F(DispatchTest, AcceptSpaceSplitsCommandsSeparatedByBlanksOnly) {
    Run("fd 10 rt 90 fd 20\n");
    EXPECT_EQ(X(), 510);
    EXPECT_EQ(Y(), 520);
    Globals().AcceptSpace = false;
    // Without it "45 fd 20" is all rt's argument: fd never runs.
    Run("rt 45 fd 20\n");
    EXPECT_EQ(X(), 510);
    EXPECT_EQ(Y(), 520);
}

TEST_F(DispatchTest, ListArgumentsSurviveTheNormalizer) {
    Run("pu setpos [100 200] setpc [255 0 0]\n");
    EXPECT_EQ(X(), 100);
    EXPECT_EQ(Y(), 200);
    EXPECT_EQ(engine_->Screen().State().PenColor, 0x0000FFu);
}

TEST_F(DispatchTest, AssignmentForms) {
    EXPECT_TRUE(Dispatcher().RunCommandText("x := 5"));
    EXPECT_FLOAT_EQ(Var("x"), 5.0f);
    EXPECT_TRUE(Dispatcher().RunCommandText("y = 2 * 3"));
    EXPECT_FLOAT_EQ(Var("y"), 6.0f);
    EXPECT_TRUE(Dispatcher().RunCommandText("z := 1/3"));
    EXPECT_FLOAT_EQ(Var("z"), 0.3f);
    EXPECT_TRUE(errors_.lines.empty());
}

TEST_F(DispatchTest, AnAssignmentWithoutAValueFails) {
    Globals().AutoCorrectErrors = false;
    EXPECT_TRUE(Dispatcher().RunCommandText("x := 5"));
    // As a command text it is an unknown command.
    EXPECT_FALSE(Dispatcher().RunCommandText("x :="));
    EXPECT_EQ(errors_.lines.size(), 1u);
    // As the assignment code it fails without a message.
    EXPECT_FALSE(Dispatcher().DispatchCode(AssignmentCode, "x :="));
    EXPECT_FALSE(Dispatcher().DispatchCode(AssignmentCode, "x"));
    EXPECT_EQ(errors_.lines.size(), 1u);
    EXPECT_FLOAT_EQ(Var("x"), 5.0f);
}

TEST_F(DispatchTest, UnknownCommandIsReportedWithItsLineNumber) {
    Globals().AcceptSpace = false;
    Globals().AutoCorrectErrors = false;
    Run("fd 1\n\nfdd 10\nfd 2\n");
    ASSERT_EQ(errors_.lines.size(), 1u);
    EXPECT_EQ(errors_.lines[0], "Unknown command: 'fdd 10' ( line = 3 ) ");
    EXPECT_EQ(Globals().LastErrorLine, 3);
    // The failing line does not stop the list without StopAtErrors.
    EXPECT_EQ(X(), 503);
}

TEST_F(DispatchTest, AutoCorrectionRunsTheShortestKeywordPrefix) {
    Globals().AcceptSpace = false;
    // fd gets the argument "d 10", which is d times 10.
    Run("d := 2\nfdd 10\n");
    ASSERT_EQ(errors_.lines.size(), 1u);
    EXPECT_EQ(errors_.lines[0], "Unknown command: 'fdd 10' ( line = 2 ) ");
    EXPECT_EQ(X(), 520);
    // No prefix of "qq 10" is a command: the command fails.
    EXPECT_FALSE(Dispatcher().RunCommandText("qq 10"));
    EXPECT_TRUE(Dispatcher().AutoSplitCommand("   "));
    EXPECT_TRUE(Dispatcher().AutoSplitCommand("  rt90"));
    EXPECT_FLOAT_EQ(Heading(), 90.0f);
}

TEST_F(DispatchTest, AFalseCommandSkipsTheRestOfItsLineOnly) {
    Globals().AcceptSpace = false;
    Globals().AutoCorrectErrors = false;
    Run("qq; fd 10\nfd 5\n");
    EXPECT_EQ(X(), 505);
    EXPECT_EQ(errors_.lines.size(), 1u);
}

TEST_F(DispatchTest, CommentsSemicolonLinesAndEmptyLines) {
    Globals().AutoCorrectErrors = false;
    Run("fd 10 'a comment: fd 100\n;fd 100\n'fd 100\n\nqq\n");
    EXPECT_EQ(X(), 510);
    ASSERT_EQ(errors_.lines.size(), 1u);
    // Skipped lines still count: qq stands on line 5.
    EXPECT_EQ(errors_.lines[0], "Unknown command: 'qq' ( line = 5 ) ");
}

TEST_F(DispatchTest, StopSkipsTheRestOfTheLine) {
    Define("p", "fd 1; stop; fd 10\nfd 100\n");
    Run("p\nfd 1000\n");
    EXPECT_EQ(X(), 1501);
    EXPECT_FALSE(Globals().StopRequested);
}

TEST_F(DispatchTest, ListCommandsWithoutListsDoNothing) {
    for (const char* text : {"repeat 3", "repeat", "repeat 3 []", "if 1 < 2", "if", "test",
                             "iftrue", "while [1 < 2]", "while [] [fd 1]",
                             "for [i := 1; i < 3; "
                             "i := i + 1]",
                             "dowhile [fd 1]", "until"})
        EXPECT_TRUE(Dispatcher().RunCommandText(text)) << text;
    EXPECT_EQ(Runner().Depth(), 0u);
    EXPECT_EQ(X(), 500);
}

TEST_F(DispatchTest, TestSetsAndClearsTheTestResult) {
    EXPECT_TRUE(Dispatcher().RunCommandText("test 2 > 1"));
    EXPECT_EQ(Globals().TestResult, 1);
    EXPECT_TRUE(Dispatcher().RunCommandText("dene"));
    EXPECT_EQ(Globals().TestResult, 0);
    EXPECT_TRUE(Dispatcher().RunCommandText("test 2 > 1"));
    EXPECT_TRUE(Dispatcher().RunCommandText("if 1 > 2 [fd 1]"));
    EXPECT_EQ(Globals().TestResult, 1);
}

TEST_F(DispatchTest, APrefixSplitIsReportedEachTimeItsLineRuns) {
    Define("p", "ileri10\n");
    Run("repeat 3 [p]\n");
    EXPECT_EQ(X(), 530);
    ASSERT_EQ(errors_.lines.size(), 3u);
    EXPECT_EQ(errors_.lines[2], "Unknown command: 'ileri10' ( line = 1 ) ");
}

TEST_F(DispatchTest, ALineSeesTheProceduresOfItsOwnRun) {
    Globals().AutoCorrectErrors = false;
    Run("zz 5\n");
    EXPECT_EQ(errors_.lines.size(), 1u);
    Define("zz :n", "fd :n\n");
    Run("zz 5\n");
    EXPECT_EQ(X(), 505);
    EXPECT_EQ(errors_.lines.size(), 1u);
    engine_->Procedures().SetHeader(1, "yy :n");
    Run("zz 5\n");
    EXPECT_EQ(errors_.lines.size(), 2u);
    EXPECT_EQ(X(), 505);
}

// The parsed pieces kept during a run must follow the procedure store: a
// procedure defined, deleted or renamed while the run goes on changes what
// the same line runs on its next pass.
TEST_F(DispatchTest, ProceduresChangedDuringARunChangeWhatALineRuns) {
    Globals().AutoCorrectErrors = false;
    Define("a", "fd 1\n");
    Define("b", "rt 90\n");
    Start("repeat 3 [b; zz 5]\n");
    // Pass 1: b is started, zz is unknown and fails the line.
    while (errors_.lines.empty() && Runner().Step()) {
    }
    ASSERT_EQ(errors_.lines.size(), 1u);
    Define("zz :n", "fd :n\n");
    engine_->Procedures().DeleteProcedure(1);
    // Pass 2: zz moves down, then b (now at index 1) turns again.
    while (Y() == 500 && Runner().Step()) {
    }
    engine_->Procedures().SetHeader(1, "c");
    // Pass 3: b no longer exists.
    Runner().RunToEnd(false);
    ASSERT_EQ(errors_.lines.size(), 2u);
    EXPECT_EQ(errors_.lines[1], "Unknown command: 'b' ( line = 1 ) ");
    EXPECT_FLOAT_EQ(Heading(), 180.0f);
    EXPECT_EQ(X(), 500);
    EXPECT_EQ(Y(), 505);
}

// Switching AcceptSpace off during a run changes how the same line is cut
// on its next pass.
TEST_F(DispatchTest, AcceptSpaceSwitchedDuringARunChangesHowALineIsCut) {
    Define("p", "fd 10 rt 90\n");
    Start("p\np\n");
    while (Heading() == 0.0f && Runner().Step()) {
    }
    EXPECT_EQ(X(), 510);
    // Now "10 rt 90" is all fd's argument: 10 times rt times 90 is 0.
    Globals().AcceptSpace = false;
    Runner().RunToEnd(false);
    EXPECT_FLOAT_EQ(Heading(), 90.0f);
    EXPECT_EQ(X(), 510);
    EXPECT_EQ(Y(), 500);
}

// Blanks that the normalizer writes for an empty list or a missing argument
// change nothing, and keywords written in capitals are found: every case runs
// with AcceptSpace on and off, once with the English keywords in capitals and
// once with the Turkish ones.
class BlankAndCapitalTest : public InterpreterFixture,
                            public ::testing::WithParamInterface<std::tuple<bool, bool>> {
protected:
    void SetUp() override {
        InterpreterFixture::SetUp();
        if (IsSkipped()) return;
        Globals().AcceptSpace = std::get<0>(GetParam());
        // A loop that never ends is stopped here instead of hanging the test.
        Runner().SetLineLimit(1000);
    }

    std::string Say(const char* english, const char* turkish) const {
        return std::get<1>(GetParam()) ? english : turkish;
    }
};

TEST_P(BlankAndCapitalTest, ListCommandsWithAnEmptyGroupDoNothing) {
    const std::pair<const char*, const char*> lines[] = {
        {"UNTIL [] [FD 10]", "kadar [] [ileri 10]"},
        {"UNTIL [1 > 2] []", "kadar [1 > 2] []"},
        {"WHILE [] [FD 10]", "iken [] [ileri 10]"},
        {"WHILE [1 < 2] []", "iken [1 < 2] []"},
        {"DOUNTIL [] [1 > 2]", "yapkadar [] [1 > 2]"},
        {"DOUNTIL [FD 10] []", "yapkadar [ileri 10] []"},
        {"DOWHILE [] [1 < 2]", "yapiken [] [1 < 2]"},
        {"DOWHILE [FD 10; x := x + 1] []", "yapiken [ileri 10; x := x + 1] []"},
        {"FOR [] [FD 10]", "d\xF6ng\xFC [] [ileri 10]"},
        {"FOR [i := 1; i < 3; i := i + 1] []", "d\xF6ng\xFC [i := 1; i < 3; i := i + 1] []"},
        {"REPEAT 3 []", "tekrar 3 []"},
        {"IF 1 < 2 [ ]", "e\xF0"
                         "er 1 < 2 [ ]"},
        {"TEST 1 < 2; IFTRUE []", "dene 1 < 2; e\xF0"
                                  "erdo\xF0ru []"},
    };
    for (const auto& [english, turkish] : lines) {
        const std::string line = Say(english, turkish);
        EXPECT_TRUE(Dispatcher().RunCommandLine(line)) << line;
        EXPECT_EQ(Runner().Depth(), 0u) << line;
        Run(line + "\n");
        EXPECT_EQ(Runner().LastStopReason(), Interpreter::StopReason::None) << line;
        EXPECT_EQ(Runner().LinesRun(), 1u) << line;
        // The main procedure's own pass; a list run would count on.
        EXPECT_FLOAT_EQ(Var("repcount"), 1.0f) << line;
    }
    EXPECT_EQ(X(), 500);
    EXPECT_FLOAT_EQ(Var("x"), 0.0f);
    EXPECT_FLOAT_EQ(Var("i"), 0.0f);
    EXPECT_TRUE(errors_.lines.empty());
}

TEST_P(BlankAndCapitalTest, CommandsWithoutAnArgumentChangeNothing) {
    Globals().TurtleLook = 1;
    Run(Say("x := 7\nSETPOS\nSPW\nLABEL\nSETSH\nx :=\nFD x\n",
            "x := 7\nkurpos\nkk\nyaz\ndegresim\nx :=\nileri x\n"));
    EXPECT_EQ(X(), 507);
    EXPECT_EQ(Y(), 500);
    EXPECT_EQ(engine_->Screen().State().PenWidth, 1);
    EXPECT_EQ(engine_->Screen().Surface().PixelColor(503, 500), BlackColor);
    EXPECT_FALSE(engine_->Screen().Surface().BrushHollow());
    EXPECT_EQ(Globals().TurtleLook, 1);
    // The assignment without a value fails and is reported; x keeps its value.
    EXPECT_FLOAT_EQ(Var("x"), 7.0f);
    ASSERT_EQ(errors_.lines.size(), 1u);
    EXPECT_EQ(errors_.lines[0], "Unknown command: 'x :=' ( line = 6 ) ");
}

TEST_P(BlankAndCapitalTest, KeywordsInCapitalsAreFound) {
    // The last line is glued and found by auto-correction, with its report.
    Run(Say("SETFC [255 0 0]\nRIGHT 90\nIF 1 < 2 [FD 10]\nFILL\nRIGHT90\n",
            "DE\xD0\xDD\xDET\xDDRDOLGURENK [255 0 0]\nSA\xD0 90\nE\xD0"
            "ER 1 < 2 [\xDDLER\xDD 10]\nDOLDUR\nSA\xD0"
            "90\n"));
    EXPECT_EQ(X(), 500);
    EXPECT_EQ(Y(), 510);
    EXPECT_FLOAT_EQ(Heading(), 180.0f);
    EXPECT_EQ(engine_->Screen().Surface().PixelColor(1, 1), 0x0000FFu);
    ASSERT_EQ(errors_.lines.size(), 1u);
    EXPECT_EQ(errors_.lines[0], "Unknown command: '" +
                                    Say("RIGHT90", "SA\xD0"
                                                   "90") +
                                    "' ( line = 5 ) ");
}

// Each part keeps the low 8 bits of its truncated value, however large.
TEST_P(BlankAndCapitalTest, ColourPartsWrapInsteadOfBeingCapped) {
    Run(Say("SETPC [4294967296 2147483904 -4294967041]\n",
            "de\xF0i\xFEtirkalemrenk [4294967296 2147483904 -4294967041]\n"));
    EXPECT_EQ(engine_->Screen().State().PenColor, MakeColor(0, 0, 255));
}

INSTANTIATE_TEST_SUITE_P(AcceptSpaceAndDialect, BlankAndCapitalTest,
                         ::testing::Combine(::testing::Bool(), ::testing::Bool()));

} // namespace
} // namespace mivarelo::testing
