// Procedures that give a value with "output": a call "name(arguments)"
// among a command's arguments runs as a context of its own, and the rest of
// the line goes on with its value.
#include "InterpreterFixture.h"

#include "core/LanguageIds.h"
#include "core/LineParser.h"

namespace mivarelo::testing {
namespace {

using OutputTest = InterpreterFixture;

TEST_F(OutputTest, ValuesGoWhereANumberIsExpectedInEveryDialect) {
    Define("fib :n", "if :n < 2 [output :n]\noutput fib(:n - 1) + fib(:n - 2)\n");
    Define("iki_kat\xFD :a", "sonu\xE7 :a * 2\n");
    Define("neg :a", "op 0 - :a\n");
    // The calls of one line run from the left, innermost first, and the
    // line's later commands wait for them: the turtle turns after moving.
    Run("x := fib(20)\nfd iki_kat\xFD(fib(5)) ; rt 90 ; fd 10 - neg(3)\n"
        "repeat 3 [s := s + fib(repcount)]\n");
    EXPECT_EQ(Var("x"), 6765.0);
    EXPECT_EQ(X(), 510);
    EXPECT_EQ(Y(), 513);
    EXPECT_EQ(Var("s"), 4.0);
    EXPECT_TRUE(errors_.lines.empty());
    EXPECT_EQ(Runner().Depth(), 0u);
    EXPECT_EQ(FrameCount(), 0);
}

// "output" inside a repeat ends the procedure there; a procedure called as a
// command gives its value to nobody; one that ends without "output" fails
// the line that called it, and the run goes on with the next line.
TEST_F(OutputTest, OutputLeavesTheProcedureAndAMissingValueIsAnError) {
    Define("first_over :limit", "repeat 100 [k := repcount ; if k * k > :limit [output k]]\n");
    Define("nothing :a", "fd :a\n");
    Run("y := first_over(50)\nfirst_over 10\nz := nothing(3) + 1\nfd 1\n");
    EXPECT_EQ(Var("y"), 8.0);
    EXPECT_EQ(Var("z"), 0.0);
    EXPECT_EQ(X(), 504);
    ASSERT_EQ(errors_.lines.size(), 1u);
    EXPECT_EQ(errors_.lines[0], ErrorLineText(NoOutputId, "nothing", 3));
}

// A recursion without end through values meets the nesting limit like any
// other, and Stop ends a run that waits for a value.
TEST_F(OutputTest, EndlessRecursionForAValueStopsAtTheNestingLimit) {
    Define("deeper :n", "output deeper(:n + 1)\n");
    Runner().SetNestingLimit(500);
    Run("x := deeper(1)\n");
    EXPECT_EQ(Runner().LastStopReason(), Interpreter::StopReason::NestingLimit);
    EXPECT_FALSE(Runner().Busy());
    EXPECT_EQ(FrameCount(), 0);
    Runner().SetNestingLimit(Interpreter::DefaultNestingLimit);
    Start("x := deeper(1)\n");
    for (int k = 0; k < 50; ++k)
        Runner().Step();
    EXPECT_GT(Runner().Depth(), 10u);
    Runner().RequestStop();
    Runner().RunToEnd(false);
    EXPECT_FALSE(Runner().Busy());
    EXPECT_EQ(FrameCount(), 0);
}

} // namespace
} // namespace mivarelo::testing
