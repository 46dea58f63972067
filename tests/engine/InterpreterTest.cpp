// The interpreter: order of execution, repetition and loops, stop, errors,
// waits, the nesting limit and deep recursion, and the run-state callbacks.
#include "InterpreterFixture.h"

#include "engine/RunListener.h"

#include <chrono>

namespace mivarelo::testing {
namespace {

using InterpreterTest = InterpreterFixture;

TEST_F(InterpreterTest, AListStartedByALineRunsAfterTheRestOfTheLine) {
    // rt 90 comes first, so both moves go down.
    Run("repeat 2 [fd 10]; rt 90\n");
    EXPECT_EQ(X(), 500);
    EXPECT_EQ(Y(), 520);
}

TEST_F(InterpreterTest, TheCallerGoesOnAfterTheListHasFinished) {
    Run("repeat 2 [fd 10]\nrt 90\nfd 5\n");
    EXPECT_EQ(X(), 520);
    EXPECT_EQ(Y(), 505);
}

TEST_F(InterpreterTest, RepcountCountsTheIterations) {
    Run("s := 0\nrepeat 3 [s := s * 10 + repcount]\n");
    EXPECT_FLOAT_EQ(Var("s"), 123.0f);
    EXPECT_FLOAT_EQ(Var("repcount"), 3.0f);
    EXPECT_FLOAT_EQ(Var("d\xF6ng\xFCno"), 3.0f);
}

TEST_F(InterpreterTest, RepeatZeroOrNegativeRunsNothing) {
    Run("repeat 0 [fd 10]\nrepeat -2 [fd 10]\nrepeat 0.9 [fd 10]\n");
    EXPECT_EQ(X(), 500);
    // The main procedure's own single iteration is the only count set.
    EXPECT_FLOAT_EQ(Var("repcount"), 1.0f);
}

TEST_F(InterpreterTest, IfRunsItsListOnlyForATrueComparison) {
    Run("if 1 < 2 [fd 10]\n");
    EXPECT_EQ(X(), 510);
    // A single '=' is no comparison.
    Run("if 1 = 1 [fd 10]\nif 2 < 1 [fd 10]\n");
    EXPECT_EQ(X(), 510);
    Run("if (3 >= 3) [fd 5]\n");
    EXPECT_EQ(X(), 515);
}

TEST_F(InterpreterTest, TestThenIftrueOrIffalse) {
    Run("test 1 > 2\niffalse [fd 10]\niftrue [fd 100]\n");
    EXPECT_EQ(X(), 510);
    EXPECT_EQ(Globals().TestResult, 0);
    Run("test 2 > 1 [rt 90]\niftrue [fd 10]\niffalse [fd 100]\n");
    EXPECT_EQ(Globals().TestResult, 1);
    EXPECT_EQ(Y(), 510);
}

TEST_F(InterpreterTest, ForRunsTheBodyUpToAndIncludingTheFailingTest) {
    // The test comes after each iteration, before the step.
    Run("n := 0\nfor [i := 1; i < 4; i := i + 1] [n := n * 10 + i]\n");
    EXPECT_FLOAT_EQ(Var("n"), 1234.0f);
    EXPECT_FLOAT_EQ(Var("i"), 5.0f);
    // i is left at 5, yet a second run starts from its own initial value.
    Run("n := 0\nfor [i := 1; i < 4; i := i + 1] [n := n * 10 + i]\n");
    EXPECT_FLOAT_EQ(Var("n"), 1234.0f);
}

TEST_F(InterpreterTest, WhileAndUntilTestFirst) {
    Run("k := 0\nwhile [k < 3] [k := k + 1]\n");
    EXPECT_FLOAT_EQ(Var("k"), 3.0f);
    Run("k := 5\nwhile [k < 3] [k := k + 1]\n");
    EXPECT_FLOAT_EQ(Var("k"), 5.0f);
    Run("k := 0\nuntil [k > 3] [k := k + 1]\n");
    EXPECT_FLOAT_EQ(Var("k"), 4.0f);
    Run("k := 9\nuntil [k > 3] [k := k + 1]\n");
    EXPECT_FLOAT_EQ(Var("k"), 9.0f);
}

TEST_F(InterpreterTest, DowhileAndDountilRunTheBodyFirst) {
    Run("k := 5\ndowhile [k := k + 1] [k < 3]\n");
    EXPECT_FLOAT_EQ(Var("k"), 6.0f);
    Run("k := 0\ndowhile [k := k + 1] [k < 3]\n");
    EXPECT_FLOAT_EQ(Var("k"), 3.0f);
    Run("k := 0\ndountil [k := k + 1] [k > 4]\n");
    EXPECT_FLOAT_EQ(Var("k"), 5.0f);
    // Turkish keywords: döngü, yapiken.
    Run("k := 0\nd\xF6ng\xFC [j := 1; j < 3; j := j + 1] [k := k + j]\n");
    EXPECT_FLOAT_EQ(Var("k"), 6.0f);
}

TEST_F(InterpreterTest, StopInsideARepeatEndsTheProcedureAndTheCallerGoesOn) {
    Define("p", "repeat 5 [fd 10; if repcount == 2 [stop]]\nfd 100\n");
    Run("p\nrt 90\nfd 1\n");
    EXPECT_EQ(X(), 520);
    EXPECT_EQ(Y(), 501);
    EXPECT_FALSE(Globals().StopRequested);
    EXPECT_EQ(FrameCount(), 0);
}

TEST_F(InterpreterTest, StopInTheMainProcedureEndsTheRun) {
    Run("fd 1\nrepeat 3 [fd 1; stop]\nfd 100\n");
    EXPECT_EQ(X(), 502);
    EXPECT_FALSE(Runner().Busy());
}

TEST_F(InterpreterTest, StopAtErrorsEndsOnlyTheListOfTheFailingLine) {
    Globals().AcceptSpace = false;
    Globals().AutoCorrectErrors = false;
    Define("p", "fd 10\nqq\nfd 100\n");
    Globals().StopAtErrors = true;
    Run("p\nfd 1\n");
    EXPECT_EQ(X(), 511);
    Globals().StopAtErrors = false;
    Run("p\nfd 1\n");
    EXPECT_EQ(X(), 511 + 111);
    EXPECT_EQ(errors_.lines.size(), 2u);
}

TEST_F(InterpreterTest, ProcedureArgumentsAreEvaluatedInTheCallersFrame) {
    Define("p :a :b", "fd :a\nrt 90\nfd :b\n");
    Define("q :a", "p :a * 2, :a + 1\n");
    Run("q 10\n");
    EXPECT_EQ(X(), 520);
    EXPECT_EQ(Y(), 511);
    EXPECT_EQ(FrameCount(), 0);
}

TEST_F(InterpreterTest, TheRestOfACallingLineKeepsTheCallersVariables) {
    // After "p 5" starts, "fd :n" on the same line still reads q's :n.
    Define("p :a", "fd :a\n");
    Define("q :n", "p 5; fd :n\n");
    Run("q 7\n");
    EXPECT_EQ(X(), 512);
    EXPECT_EQ(FrameCount(), 0);
    // A flower: each square is followed on its line by a turn of 360/:adet.
    Define("kare :a", "repeat 4 [fd :a rt 90]\n");
    Define("cicek :adet :boy", "repeat :adet [kare :boy; toplam := toplam + 360/:adet]\n");
    Run("toplam := 0\ncicek 4, 10\n");
    EXPECT_FLOAT_EQ(Var("toplam"), 360.0f);
    // Two calls on one line each get their own frame.
    Define("ileri2 :n", "fd :n\n");
    Run("ileri2 3 ileri2 4\n");
    EXPECT_EQ(X(), 519);
    EXPECT_EQ(FrameCount(), 0);
}

TEST_F(InterpreterTest, AProcedureEditedBetweenRunsRunsItsNewBody) {
    Define("p", "fd 10\n");
    Run("p\n");
    EXPECT_EQ(X(), 510);
    engine_->Procedures().SetBody(1, "fd 1\n");
    Run("p\n");
    EXPECT_EQ(X(), 511);
    engine_->Procedures().SetHeader(1, "p :n");
    Run("p 5\n");
    EXPECT_EQ(X(), 512);
}

TEST_F(InterpreterTest, AListMarkedWithHashAbsorbsAStopWithoutTouchingTheFrame) {
    Define("p :a", "repeat 2 [#stop]\nfd :a\n");
    Run("p 7\n");
    EXPECT_EQ(X(), 507);
    EXPECT_EQ(FrameCount(), 0);
}

TEST_F(InterpreterTest, WaitPausesTheSchedulerUntilItsDeadline) {
    using Clock = Interpreter::Clock;
    Clock::time_point now{};
    Runner().SetClock([&now] { return now; });
    Start("fd 10\nwait 60\nfd 10\nwait 0\nfd 10\n");
    EXPECT_TRUE(Runner().RunFor(std::chrono::milliseconds(50)));
    EXPECT_EQ(X(), 510);
    ASSERT_TRUE(Runner().WaitDeadline().has_value());
    EXPECT_EQ(*Runner().WaitDeadline(), now + std::chrono::milliseconds(1000));
    now += std::chrono::milliseconds(999);
    EXPECT_TRUE(Runner().RunFor(std::chrono::milliseconds(50)));
    EXPECT_EQ(X(), 510);
    now += std::chrono::milliseconds(1);
    // wait 0 ends at once.
    EXPECT_FALSE(Runner().RunFor(std::chrono::milliseconds(50)));
    EXPECT_EQ(X(), 530);
}

TEST_F(InterpreterTest, RunForReturnsWhenItsTimeSliceIsUsedUp) {
    // Every look at the clock costs a millisecond.
    Interpreter::Clock::time_point now{};
    Runner().SetClock([&now] { return now += std::chrono::milliseconds(1); });
    Start("repeat 100 [fd 1]\n");
    EXPECT_TRUE(Runner().RunFor(std::chrono::milliseconds(10)));
    EXPECT_GT(X(), 500);
    EXPECT_LT(X(), 515);
    EXPECT_TRUE(Runner().Busy());
    while (Runner().RunFor(std::chrono::milliseconds(10))) {
    }
    EXPECT_EQ(X(), 600);
}

TEST_F(InterpreterTest, StopEndsAWaitAndTheRun) {
    Interpreter::Clock::time_point now{};
    Runner().SetClock([&now] { return now; });
    Start("repeat 5 [fd 10; wait 600]\nfd 100\n");
    EXPECT_TRUE(Runner().RunFor(std::chrono::milliseconds(50)));
    EXPECT_EQ(X(), 510);
    Runner().RequestStop();
    EXPECT_FALSE(Runner().WaitDeadline().has_value());
    EXPECT_FALSE(Runner().RunFor(std::chrono::milliseconds(50)));
    EXPECT_EQ(X(), 510);
    EXPECT_FALSE(Globals().StopRequested);
    EXPECT_FALSE(Globals().AbortRequested);
    EXPECT_FALSE(Globals().RunActive);
    EXPECT_EQ(FrameCount(), 0);
}

TEST_F(InterpreterTest, TheNestingLimitStopsTheRunAndLeavesEverythingClean) {
    Runner().SetNestingLimit(50);
    Define("down :n", "if :n > 0 [down :n - 1]\nfd 1\n");
    Run("down 100\nfd 1000\n");
    ASSERT_EQ(errors_.lines.size(), 1u);
    EXPECT_EQ(errors_.lines[0], "Nesting too deep");
    EXPECT_EQ(Runner().LastStopReason(), Interpreter::StopReason::NestingLimit);
    // Every context ended after its line: no fd ran.
    EXPECT_EQ(X(), 500);
    EXPECT_EQ(Runner().Depth(), 0u);
    EXPECT_EQ(FrameCount(), 0);
    EXPECT_FALSE(Globals().StopRequested);
    EXPECT_FALSE(Globals().AbortRequested);
    EXPECT_FALSE(Globals().RunActive);
    // The next run starts afresh.
    Run("down 10\n");
    EXPECT_EQ(X(), 511);
    EXPECT_EQ(Runner().LastStopReason(), Interpreter::StopReason::None);
    EXPECT_EQ(errors_.lines.size(), 1u);
}

// Without a limit of its own a recursion without end stops at the default
// one: each level through a bracketed list holds two contexts, the call and
// its list, so the run ends after half a million levels, quickly and with the
// same error line.
TEST_F(InterpreterTest, RecursionWithoutEndStopsAtTheDefaultNestingLimit) {
    Define("down :n", "c := c + 1\nif :n > 0 [down :n + 1]\n");
    Run("c := 0\ndown 1\nfd 1\n");
    EXPECT_EQ(errors_.lines, std::vector<std::string>{"Nesting too deep"});
    EXPECT_EQ(Runner().LastStopReason(), Interpreter::StopReason::NestingLimit);
    EXPECT_EQ(Var("c"), static_cast<float>(Interpreter::DefaultNestingLimit / 2));
    EXPECT_GE(Var("c"), 400'000.0f);
    EXPECT_LE(Var("c"), 500'000.0f);
    EXPECT_EQ(X(), 500);
    EXPECT_EQ(Runner().Depth(), 0u);
    EXPECT_EQ(FrameCount(), 0);
}

TEST_F(InterpreterTest, RecursionOneHundredThousandCallsDeepCompletes) {
    Define("down :n", "c := c + 1\nif :n > 0 [down :n - 1]\n");
    Run("c := 0\ndown 100000\nfd 1\n");
    EXPECT_FLOAT_EQ(Var("c"), 100001.0f);
    EXPECT_EQ(X(), 501);
    EXPECT_TRUE(errors_.lines.empty());
    EXPECT_EQ(FrameCount(), 0);
    EXPECT_EQ(Runner().Depth(), 0u);
}

TEST_F(InterpreterTest, TheLineLimitStopsTheRun) {
    Runner().SetLineLimit(3);
    Run("repeat 10 [fd 1]\nfd 100\n");
    // The repeat line and two of its iterations.
    EXPECT_EQ(X(), 502);
    EXPECT_EQ(Runner().LinesRun(), 3u);
    EXPECT_EQ(Runner().LastStopReason(), Interpreter::StopReason::LineLimit);
    ASSERT_EQ(errors_.lines.size(), 1u);
    EXPECT_EQ(errors_.lines[0], "Stopped after the maximum number of lines");
    Runner().SetLineLimit(0);
    Run("fd 1\n");
    EXPECT_EQ(X(), 502);
}

TEST_F(InterpreterTest, IterationsThatRunNoLineCountTowardTheLineLimit) {
    // The body holds only a skipped line: without the limit the loop would
    // never end and no line would ever run.
    Runner().SetLineLimit(1000);
    Start("while [1 < 2] [;]\nfd 100\n");
    for (int step = 0; step < 100000 && Runner().Step(); ++step) {
    }
    EXPECT_FALSE(Runner().Busy());
    EXPECT_EQ(Runner().LastStopReason(), Interpreter::StopReason::LineLimit);
    EXPECT_EQ(X(), 500);
    // The while line and 999 empty iterations fill the limit; the next empty
    // iteration stops the run.
    EXPECT_EQ(Runner().LinesRun(), 1u);
    EXPECT_FLOAT_EQ(Var("repcount"), 1000.0f);
}

class RecordingListener : public RunListener {
public:
    bool ExecuteLine(LineDispatcher& dispatcher, std::string_view line) override {
        events.push_back("line:" + std::string(line));
        return RunListener::ExecuteLine(dispatcher, line);
    }
    void ThreadFinished(bool runEnded) override {
        events.push_back(runEnded ? "finished:end" : "finished");
    }
    void ThreadRunningChanged(bool running) override {
        events.push_back(running ? "running" : "idle");
    }
    std::vector<std::string> events;
};

TEST_F(InterpreterTest, TheListenerHearsLinesFinishesAndRunningChanges) {
    RecordingListener listener;
    Runner().SetListener(&listener);
    Globals().AcceptSpace = false;
    // repeat is nested: its end leaves the run active; if is not.
    Run("repeat 2 [fd 1]\nif 1 < 2 [fd 2]\n");
    // The main procedure's end no longer changes RunActive; the run's end is
    // the last ThreadFinished.
    const std::vector<std::string> expected = {
        "running",  "line:repeat 2 [fd 1]", "line:fd 1", "line:fd 1",
        "finished", "line:if 1 < 2 [fd 2]", "line:fd 2", "finished",
        "idle",     "finished:end"};
    EXPECT_EQ(listener.events, expected);
    Runner().SetListener(nullptr);
}

TEST_F(InterpreterTest, LineNumbersAreThoseOfTheRunningList) {
    Globals().AcceptSpace = false;
    Globals().AutoCorrectErrors = false;
    Define("p", "\nqq\n");
    Run("fd 1\n\n\np\nqq\n");
    ASSERT_EQ(errors_.lines.size(), 2u);
    EXPECT_EQ(errors_.lines[0], "Unknown command: 'qq' ( line = 2 ) ");
    EXPECT_EQ(errors_.lines[1], "Unknown command: 'qq' ( line = 5 ) ");
}

TEST_F(InterpreterTest, GraphicalModeLineIsAppendedAndRun) {
    engine_->Procedures().SetBody(0, "fd 1\n");
    EXPECT_TRUE(engine_->SetMainProcedureAndRun("fd 20\n"));
    Runner().RunToEnd(false);
    EXPECT_EQ(X(), 520);
    EXPECT_EQ(engine_->Procedures().GetBody(0), "fd 1\nfd 20\n");
    EXPECT_EQ(FrameCount(), 0);
}

TEST_F(InterpreterTest, PrepareLineShowsTheNextLineBeforeItRuns) {
    Define("p :a :b", "repeat 2 [fd :a]\nrt :b\n");
    Start("fd 1\np 7, 90\n");
    ASSERT_TRUE(Runner().PrepareLine());
    EXPECT_EQ(Globals().CurrentLineNumber, 1);
    EXPECT_EQ(Runner().ShownThread()->CurrentLine(), "fd 1");
    EXPECT_EQ(X(), 500);
    // Preparing again keeps the same line; the step runs it once.
    ASSERT_TRUE(Runner().PrepareLine());
    Runner().Step();
    EXPECT_EQ(X(), 501);
    ASSERT_TRUE(Runner().PrepareLine());
    Runner().Step();
    // The call's frame is on the stack as soon as its first line is prepared.
    ASSERT_TRUE(Runner().PrepareLine());
    EXPECT_EQ(Globals().RunningProcedure, 1);
    EXPECT_EQ(Globals().CurrentLineNumber, 1);
    const std::vector<CallView> calls = Runner().Calls(10);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].procedure, 1);
    EXPECT_EQ(calls[0].bodyLine, 1);
    EXPECT_EQ(calls[0].frame->Describe(), engine_->Variables().Frames().Top()->Describe());
    EXPECT_EQ(calls[0].frame->GetValue("a"), 7.0f);
    EXPECT_EQ(calls[0].frame->GetValue("b"), 90.0f);
    EXPECT_EQ(calls[1].procedure, 0);
    EXPECT_EQ(calls[1].bodyLine, 2);
    EXPECT_EQ(Runner().Calls(1).size(), 1u);
    Runner().Step();
    // A list's line lies on the body line that started it.
    ASSERT_TRUE(Runner().PrepareLine());
    EXPECT_EQ(X(), 501);
    EXPECT_FALSE(Runner().ShownThread()->OwnLines());
    EXPECT_EQ(Globals().CurrentLineNumber, 1);
    Runner().RunToEnd(false);
    EXPECT_EQ(X(), 515);
    EXPECT_FALSE(Runner().PrepareLine());
}

} // namespace
} // namespace mivarelo::testing
