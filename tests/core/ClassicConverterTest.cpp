#include "core/ClassicConverter.h"

#include "core/LanguageIds.h"
#include "core/LanguageModule.h"

#include <gtest/gtest.h>

using namespace mivarelo;

namespace {

const std::string Start = "reset\nleft 90\n";

struct Converted {
    std::vector<ConvertedProcedure> procedures;
    ConversionReport report;
};

Converted Convert(const std::string& text) {
    Converted c;
    c.procedures = ClassicConverter("main").Convert(text, c.report);
    return c;
}

std::string Body(const Converted& c, std::size_t i) {
    return i < c.procedures.size() ? c.procedures[i].body : "(none)";
}

std::string Header(const Converted& c, std::size_t i) {
    return i < c.procedures.size() ? c.procedures[i].header : "(none)";
}

} // namespace

TEST(ClassicConverterTest, TopLevelLinesBecomeTheMainProcedureStartingFacingUp) {
    const Converted c =
        Convert("to sq :a\nrepeat 4 [fd :a rt 90]\nend\nsq 50\nclearscreen fd 10\n");
    ASSERT_EQ(c.procedures.size(), 2u);
    EXPECT_EQ(Header(c, 0), "main");
    EXPECT_EQ(Body(c, 0), Start + "sq 50\nclearscreen\nleft 90\nforward 10\n");
    EXPECT_EQ(Header(c, 1), "sq :a");
    EXPECT_EQ(Body(c, 1), "repeat 4 [ forward :a ; right 90 ]\n");
    EXPECT_FALSE(c.report.AnyDropped());
}

TEST(ClassicConverterTest, InputsAreReadByCountWithInfixArithmeticAndNegatives) {
    const Converted c = Convert("to walk :a :b\nfd :a rt 90 fd :b\nend\n"
                                "walk 30 40\nwalk 30 -40\nwalk 10 - 5 2\nwalk (3 + 4) * 2 -:a\n"
                                "walk :a-1 sqrt 16 + 9\n");
    EXPECT_EQ(Body(c, 0), Start +
                              "walk 30, 40\nwalk 30, -40\nwalk 10 - 5, 2\nwalk (3 + 4) * 2, -a\n"
                              "walk a - 1, sqrt(16 + 9)\n");
    EXPECT_EQ(Body(c, 1), "forward :a\nright 90\nforward :b\n");
}

TEST(ClassicConverterTest, ConditionsCompareWithDoubleEqualsAndIfelseBecomesTest) {
    const Converted c = Convert("to down :n\nif :n = 0 [stop]\nifelse :n > 2 [fd 10] [bk 10]\n"
                                "down :n - 1\nend\n");
    EXPECT_EQ(Body(c, 1), "if :n == 0 [ stop ]\ntest :n > 2\niftrue [ forward 10 ]\n"
                          "iffalse [ back 10 ]\ndown :n - 1\n");
}

TEST(ClassicConverterTest, WrittenOrderHoldsWithHelpersNamedAfterTheirProcedure) {
    const Converted c =
        Convert("to side :len\nfd :len\nend\n"
                "to square :len\nrepeat 4 [side :len rt 90]\nside :len rt 90\nend\n");
    ASSERT_EQ(c.procedures.size(), 4u);
    EXPECT_EQ(Body(c, 2), "repeat 4 [ square_1 :len ]\nside :len\nright 90\n");
    EXPECT_EQ(Header(c, 3), "square_1 :len");
    EXPECT_EQ(Body(c, 3), "side :len\nright 90\n");
}

TEST(ClassicConverterTest, AStopAfterAListLeavesTheProcedureNotAHelper) {
    const Converted c = Convert("to tri :s :l\nif :l = 0 [repeat 3 [fd :s rt 120] stop]\n"
                                "tri :s / 2 :l - 1\nend\n");
    EXPECT_EQ(Body(c, 1), "test :l == 0\niftrue [ tri_1 :s, :l ]\n"
                          "iftrue [ stop ]\ntri :s / 2, :l - 1\n");
    EXPECT_EQ(Body(c, 2), "repeat 3 [ forward :s ; right 120 ]\ntest 1 == 1\n");
}

TEST(ClassicConverterTest, AnIfelseBranchThatCallsSetsTheTestBackForTheOtherBranch) {
    const Converted c = Convert("to t :n\nifelse :n < 1 [fd 5] [t :n - 1 rt 10]\nend\n");
    EXPECT_EQ(Body(c, 1), "test :n < 1\niftrue [ forward 5 ]\niffalse [ t_1 :n ]\n");
    EXPECT_EQ(Body(c, 2), "t :n - 1\nright 10\ntest 1 == 0\n");
}

TEST(ClassicConverterTest, VariablesPositionsAndHeadingsChangeFrame) {
    const Converted c = Convert("to p :x1\nlocal \"y\nmake \"y :x1 * 2\nsetxy :x1 :y\nmake \"g 3\n"
                                "end\nmake \"g 1\np 5\nsetxy 10 -20\nsetx xcor + 5\nsety ycor\n"
                                "seth 0\nseth 45 + :g\nhome\nsetpos [3 4]\n");
    EXPECT_EQ(Header(c, 1), "p :x_b :y");
    EXPECT_EQ(Body(c, 1), ":y := :x_b * 2\nsetpos 500 + :x_b, 500 - :y\ng := 3\n");
    EXPECT_EQ(Body(c, 0), Start +
                              "g := 1\np 5, 0\nsetpos 510, 520\nsetx 500 + (_nerdex - 500 + 5)\n"
                              "sety 500 - (500 - _nerdey)\nseth 270\nseth 45 + g - 90\n"
                              "setpos 500, 500\nseth 270\nsetpos 503, 496\n");
}

TEST(ClassicConverterTest, ListsOverSeveralLinesCommentsAndCapitalsAreRead) {
    const Converted c = Convert("REPEAT 2 [ ; twice\n  FD 10 ; up\n  RT 90\n]\nFd 5;done\n");
    EXPECT_EQ(Body(c, 0), Start + "repeat 2 [ forward 10 ; right 90 ]\nforward 5\n");
    EXPECT_FALSE(c.report.AnyDropped());
}

TEST(ClassicConverterTest, ColoursAndPenSizeMapToThisSystemsValues) {
    const Converted c = Convert("setpc 4\nsetpencolor [100 50 0]\nsetpensize 3\nsetbg 1\n"
                                "setpencolor [200 40 40]\n");
    EXPECT_EQ(Body(c, 0), Start + "setpencolor [255 0 0]\nsetpencolor [255 128 0]\n"
                                  "setpenwidth 3\nsetscreencolor [0 0 255]\n"
                                  "setpencolor [200 40 40]\n");
}

TEST(ClassicConverterTest, WhatCannotBeConvertedIsReportedWithItsLine) {
    const Converted c = Convert("fd 10\nprint first :x\nto f :a\noutput :a * 2\nend\nfd f 3\n"
                                "frobnicate 1 2\nrt 90\nseth distance [0 0]\nsetpc :c\n"
                                "if :a + 1 [fd 1]\n(make \"a) fd 2\nrepeat 2 [fd 1\n");
    EXPECT_EQ(Body(c, 0), Start + "forward 10\nforward f(3)\nright 90\nforward 2\n");
    EXPECT_EQ(Body(c, 1), "output :a * 2\n");
    const std::vector<ConversionEntry>& d = c.report.Dropped();
    ASSERT_EQ(d.size(), 7u);
    const std::vector<std::tuple<int, std::string, ConversionText>> expected = {
        {2, "print first :x", NoCounterpartText},
        {7, "frobnicate 1 2", UnknownClassicWordText},
        {9, "seth distance [ 0 0 ]", UnknownClassicWordText},
        {10, "setpc :c", ColourExpectedText},
        {11, "if :a + 1 [ fd 1 ]", OneComparisonText},
        {12, "( make \"a )", MissingInputText},
        {13, "repeat 2 [fd 1", UnbalancedBracketsText},
    };
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(d[k].line, std::get<0>(expected[k])) << k;
        EXPECT_EQ(d[k].text, std::get<1>(expected[k])) << k;
        EXPECT_EQ(d[k].reason, std::get<2>(expected[k])) << k;
    }
}

// "and", "or" and "not" set a flag with nested ifs, asking the second part
// only when the first leaves the answer open; the flag is then tested. The
// reporters keep their classic meaning: remainder with the dividend's sign,
// modulo with the divisor's, abs without cutting.
TEST(ClassicConverterTest, AndOrNotSetAFlagAndReportersKeepTheirMeaning) {
    const Converted c = Convert("if and :a > 1 not :a = 3 [fd 1]\nfd remainder -7 3\n"
                                "fd modulo :a 3\nfd abs :a\n");
    EXPECT_EQ(Body(c, 0), Start + "cond_a := 0\nif a > 1 [ cond_a := 1 ]\n"
                                  "if cond_a == 1 [ main_1 ]\n"
                                  "if cond_a == 1 [ forward 1 ]\n"
                                  "forward (-7) - 3 * int((-7) / 3)\n"
                                  "forward a - 3 * int(a / 3) + 3 - 3 * int((a - 3 * int(a / 3) + "
                                  "3) / 3)\nforward sqrt(a * a)\n");
    EXPECT_EQ(Body(c, 1), "cond_a := 0\nif a == 3 [ cond_a := 1 ]\ncond_a := 1 - cond_a\n");
    EXPECT_FALSE(c.report.AnyDropped());
}

// A procedure that reads an input of its caller, as classic Logo allows, is
// reported with its line; a global set anywhere is read as usual.
TEST(ClassicConverterTest, AReadOfACallersInputIsReported) {
    const Converted c = Convert("to outer :size\ninner\nend\nto inner\nfd :size\nfd :g\n"
                                "end\nmake \"g 5\nouter 10\n");
    EXPECT_EQ(Body(c, 2), "forward g\n");
    ASSERT_EQ(c.report.Dropped().size(), 1u);
    EXPECT_EQ(c.report.Dropped()[0].line, 5);
    EXPECT_EQ(c.report.Dropped()[0].reason, CallerInputText);
}

// A binary file read as Logo is one "line" of megabytes; its report line
// quotes only the start, so that the error list stays quick to draw.
TEST(ClassicConverterTest, ReportLinesQuoteLongLinesByTheirStart) {
    ConversionReport report;
    report.Drop(1, "fd 10 ]", UnbalancedBracketsText);
    report.Drop(2, "BM" + std::string(12'000'000, '\xFF'), UnknownClassicWordText);
    const std::string prefix = GetLanguageString(NotConvertedLineId);
    EXPECT_EQ(report.Lines(),
              (std::vector<std::string>{prefix + " 1: 'fd 10 ]' (" +
                                            GetLanguageString(UnclosedBracketId) + ")",
                                        prefix + " 2: 'BM" + std::string(98, '\xFF') + "...' (" +
                                            GetLanguageString(UnknownClassicWordId) + ")"}));
}

TEST(ClassicConverterTest, DeepNestingIsReportedInsteadOfExhaustingTheStack) {
    std::string lists, parentheses;
    for (int i = 0; i < 5000; ++i) {
        lists += "repeat 2 [";
        parentheses += "(";
    }
    lists += "fd 1" + std::string(5000, ']') + "\nfd " + parentheses + "1" +
             std::string(5000, ')') + "\nrt 90\n";
    const Converted c = Convert(lists);
    EXPECT_TRUE(Body(c, 0).ends_with("right 90\n"));
    ASSERT_EQ(c.report.Dropped().size(), 2u);
    EXPECT_EQ(c.report.Dropped()[0].line, 1);
    EXPECT_EQ(c.report.Dropped()[1].line, 2);
}

// A classic "for" is a repeat of as many passes as it has values, each pass
// setting the counter first; without a step it counts towards the end, and
// when that direction is not known before the run both are written.
TEST(ClassicConverterTest, ForCountsWithALocalCounterTowardsItsEnd) {
    const Converted c = Convert("to fan :n\nfor [i 1 :n] [fd :i]\nend\nfor [k 10 2 -4] [fd :k]\n");
    EXPECT_EQ(Body(c, 0),
              Start +
                  "repeat (2 - 10) / (-4) + 1 [ k := 10 + (repcount - 1) * (-4) ; forward k ]\n");
    EXPECT_EQ(Header(c, 1), "fan :n :i");
    EXPECT_EQ(Body(c, 1), "test 1 <= :n\niftrue [ fan_1 :n, :i ]\niffalse [ fan_2 :n, :i ]\n");
    EXPECT_EQ(Body(c, 2), "repeat (:n - 1) / 1 + 1 [ :i := 1 + (repcount - 1) * 1 ; forward :i ]\n"
                          "test 1 == 1\n");
    EXPECT_EQ(Body(c, 3),
              "repeat (:n - 1) / (-1) + 1 [ :i := 1 + (repcount - 1) * (-1) ; forward :i ]\n"
              "test 1 == 0\n");
}
