#include "engine/Functions.h"
#include "engine/Random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace mivarelo {
namespace {

double Apply(std::string_view name, double x) {
    bool failed = false;
    const double value = ApplyFunctionByName(name, x, failed);
    EXPECT_FALSE(failed) << name << " " << x;
    return value;
}

bool Fails(std::string_view name, double x) {
    bool failed = false;
    const double value = ApplyFunctionByName(name, x, failed);
    EXPECT_EQ(value, 0.0);
    return failed;
}

TEST(FunctionsTest, BothNameTablesGiveTheSameNumbers) {
    const char* pairs[][2] = {
        {"sin", "sin\xFCs"},   {"cos", "kosin\xFCs"},  {"tan", "tanjant"},   {"cot", "kotenjant"},
        {"asin", "arcsinus"},  {"acos", "arccosinus"}, {"atan", "atan"},     {"sqrt", "k\xF6k"},
        {"abs", "mutlak"},     {"log", "log"},         {"ln", "ln"},         {"exp", "exp"},
        {"birler", "birler"},  {"onlar", "onlar"},     {"yuzler", "yuzler"}, {"binler", "binler"},
        {"degil", "not"},      {"boler", "divides"},   {"mod", "mod"},       {"rastgele", "random"},
        {"tamsay\xFD", "int"}, {"yuvarla", "round"}};
    for (int i = 0; i < 22; ++i) {
        EXPECT_EQ(FunctionNumber(pairs[i][0]), i + 1) << pairs[i][0];
        EXPECT_EQ(FunctionNumber(pairs[i][1]), i + 1) << pairs[i][1];
    }
}

TEST(FunctionsTest, NamesAreMatchedAfterLowerCasing) {
    EXPECT_EQ(FunctionNumber("SIN"), 1);
    EXPECT_EQ(FunctionNumber("Random"), 20);
    EXPECT_EQ(FunctionNumber("K\xD6K"), 8);      // "KÖK"
    EXPECT_EQ(FunctionNumber("S\xDDN\xDCS"), 1); // "SİNÜS": 'İ' lowers to 'i'
    EXPECT_EQ(FunctionNumber(""), 0);
    EXPECT_EQ(FunctionNumber("sinx"), 0);
    EXPECT_EQ(FunctionNumber("si"), 0);
    EXPECT_EQ(FunctionNumber("arccosinusx"), 0);
    EXPECT_EQ(FunctionNumber(" sin"), 0);
}

TEST(FunctionsTest, TrigonometryTakesAndGivesDegrees) {
    EXPECT_DOUBLE_EQ(Apply("sin", 90), 1.0);
    EXPECT_NEAR(Apply("sin", 30), 0.5, 1e-15);
    EXPECT_NEAR(Apply("cos", 60), 0.5, 1e-15);
    EXPECT_NEAR(Apply("tan", 45), 1.0, 1e-15);
    EXPECT_NEAR(Apply("cot", 45), 1.0, 1e-15);
    EXPECT_NEAR(Apply("atan", 1), 45.0, 1e-13);
    EXPECT_NEAR(Apply("asin", 0.5), 30.0, 1e-13);
    EXPECT_NEAR(Apply("asin", -1), -90.0, 1e-13);
}

TEST(FunctionsTest, ArccosineIsFoldedIntoZeroToNinety) {
    EXPECT_NEAR(Apply("acos", -0.5), 60.0, 1e-13);
    EXPECT_NEAR(Apply("acos", 0.5), 60.0, 1e-13);
    EXPECT_NEAR(Apply("acos", -1), 0.0, 1e-13);
    EXPECT_NEAR(Apply("acos", 0), 90.0, 1e-13);
    EXPECT_EQ(Apply("acos", 2), 0.0);
    EXPECT_EQ(Apply("acos", -1.0000001), 0.0);
}

TEST(FunctionsTest, DomainFailuresAreReported) {
    EXPECT_TRUE(Fails("sqrt", -1));
    EXPECT_TRUE(Fails("asin", 1.5));
    EXPECT_TRUE(Fails("asin", -1.0000001));
    EXPECT_TRUE(Fails("cot", -10));
    bool failed = false;
    ApplyFunction(8, 4, failed);
    EXPECT_FALSE(failed);
    failed = true; // a success leaves an earlier failure standing
    EXPECT_DOUBLE_EQ(ApplyFunction(8, 4, failed), 2.0);
    EXPECT_TRUE(failed);
}

TEST(FunctionsTest, RootsLogarithmsAndPowers) {
    EXPECT_DOUBLE_EQ(Apply("sqrt", 16), 4.0);
    EXPECT_DOUBLE_EQ(Apply("log", 1000), 3.0);
    EXPECT_DOUBLE_EQ(Apply("ln", 1), 0.0);
    EXPECT_NEAR(Apply("ln", std::exp(2.0)), 2.0, 1e-15);
    EXPECT_DOUBLE_EQ(Apply("exp", 0), 1.0);
    EXPECT_TRUE(std::isinf(Apply("log", 0)));
}

TEST(FunctionsTest, AbsoluteValueOfTheTruncatedNumber) {
    EXPECT_EQ(Apply("abs", -2.7), 2.0);
    EXPECT_EQ(Apply("abs", 3.9), 3.0);
    EXPECT_EQ(Apply("mutlak", -0.5), 0.0);
    EXPECT_GT(Apply("abs", -1e30), 9e18); // saturates instead of overflowing
}

TEST(FunctionsTest, WholePartTowardZeroAndRoundingHalvesAwayFromZero) {
    EXPECT_EQ(Apply("int", -2.7), -2.0);
    EXPECT_EQ(Apply("tamsay\xFD", 3.9), 3.0);
    EXPECT_EQ(Apply("round", 2.5), 3.0);
    EXPECT_EQ(Apply("yuvarla", -2.5), -3.0);
    EXPECT_EQ(Apply("round", -2.4), -2.0);
}

TEST(FunctionsTest, DigitsOfTheTruncatedNumber) {
    EXPECT_EQ(Apply("birler", 123), 3.0);
    EXPECT_EQ(Apply("onlar", 123), 2.0);
    EXPECT_EQ(Apply("yuzler", 123), 1.0);
    EXPECT_EQ(Apply("binler", 123), 0.0);
    EXPECT_EQ(Apply("binler", 12345), 2.0);
    EXPECT_EQ(Apply("birler", 129.99), 9.0);
    EXPECT_EQ(Apply("birler", -123), -3.0);
    EXPECT_EQ(Apply("onlar", -123), -2.0);
}

TEST(FunctionsTest, FixedValueFunctions) {
    EXPECT_EQ(Apply("degil", 0), 1.0);
    EXPECT_EQ(Apply("not", 5), 0.0);
    EXPECT_EQ(Apply("not", 1e-300), 0.0); // compared with the full 64-bit value
    EXPECT_EQ(Apply("mod", 7), 5.0);
    EXPECT_EQ(Apply("divides", 9), 0.0);
    bool failed = false;
    EXPECT_EQ(ApplyFunction(0, 5, failed), 0.0);
    EXPECT_EQ(ApplyFunction(23, 5, failed), 0.0);
    EXPECT_EQ(ApplyFunctionByName("nothing", 5, failed), 0.0);
    EXPECT_FALSE(failed);
}

TEST(FunctionsTest, RandomStaysBelowTheAbsoluteBound) {
    std::set<double> seen;
    for (int i = 0; i < 600; ++i) {
        const double up = Apply("random", 6);
        const double down = Apply("rastgele", -6.9);
        EXPECT_TRUE(up >= 0 && up <= 5 && up == std::trunc(up)) << up;
        EXPECT_TRUE(down >= 0 && down <= 5 && down == std::trunc(down)) << down;
        seen.insert(up);
    }
    EXPECT_EQ(seen.size(), 6u);
    EXPECT_EQ(Apply("random", 0), 0.0);
    EXPECT_EQ(Apply("random", 0.9), 0.0);
}

TEST(FunctionsTest, UnseededGeneratorRepeatsItsSequence) {
    Random a;
    Random b;
    std::set<std::int32_t> distinct;
    for (int i = 0; i < 1000; ++i) {
        const std::int32_t value = a.Next();
        EXPECT_EQ(value, b.Next());
        EXPECT_GE(value, 0);
        distinct.insert(value);
    }
    EXPECT_GT(distinct.size(), 990u);
}

} // namespace
} // namespace mivarelo
