#include "engine/Functions.h"

#include "core/CaseFold.h"
#include "engine/Random.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace mivarelo {

namespace {

constexpr int FunctionCount = 22;
using NameTable = std::array<std::string_view, FunctionCount + 1>;

// Index = function number; both tables map to the same numbers.
constexpr NameTable FirstNames = {"",      "sin",    "cos",      "tan",        "cot",    "asin",
                                  "acos",  "atan",   "sqrt",     "abs",        "log",    "ln",
                                  "exp",   "birler", "onlar",    "yuzler",     "binler", "degil",
                                  "boler", "mod",    "rastgele", "tamsay\xFD", "yuvarla"};
constexpr NameTable SecondNames = {
    "",       "sin\xFCs", "kosin\xFCs", "tanjant", "kotenjant", "arcsinus", "arccosinus", "atan",
    "k\xF6k", "mutlak",   "log",        "ln",      "exp",       "birler",   "onlar",      "yuzler",
    "binler", "not",      "divides",    "mod",     "random",    "int",      "round"};
constexpr std::size_t LongestName = 10; // "arccosinus"

enum Function {
    Sin = 1,
    Cos,
    Tan,
    Cot,
    Asin,
    Acos,
    Atan,
    Sqrt,
    Abs,
    Log,
    Ln,
    Exp,
    Units,
    Tens,
    Hundreds,
    Thousands,
    Not,
    Divides,
    Mod,
    RandomNumber,
    Whole,
    Rounded
};

int IndexIn(const NameTable& table, std::string_view name) {
    for (int i = 1; i <= FunctionCount; ++i)
        if (table[i].size() == name.size() && table[i].front() == name.front() && table[i] == name)
            return i;
    return 0;
}

// Every function name starts with an ASCII letter.
bool IsNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Degrees to radians with the constant 1/180 kept in extended precision.
long double Radians(double degrees) {
    return degrees * 3.141592653589793L * (1.0L / 180.0L);
}

double Degrees(long double radians) {
    return static_cast<double>(radians * 180.0L * 0.3183098861837907L);
}

// Truncation toward zero into a 64-bit integer; values beyond its range
// saturate and a NaN gives 0, so no conversion is ever undefined.
std::int64_t Truncate(double x) {
    if (std::isnan(x)) return 0;
    if (x >= 9.2e18) return INT64_MAX;
    if (x <= -9.2e18) return INT64_MIN + 1;
    return static_cast<std::int64_t>(x);
}

// The digit of trunc(x) at `place` (1, 10, 100, 1000); negative numbers give
// negative digits.
double Digit(double x, std::int64_t place) {
    const std::int64_t d = Truncate(x);
    const std::int64_t next = place * 10;
    return static_cast<double>((d - (d / next) * next) / place);
}

double RandomBelow(double x) {
    const std::int64_t n = Truncate(x);
    if (n == 0) return 0;
    return static_cast<double>(SharedRandom().Next() % n);
}

double Arccosine(double x) {
    if (x < -1.0 || x > 1.0) return 0;
    const double result = Degrees(std::acos(static_cast<long double>(x)));
    return result > 90.0 ? 180.0 - result : result;
}

double Fail(bool& failed) {
    failed = true;
    return 0;
}

} // namespace

// Numbers and most names are turned away by their length or first byte
// before any table is searched.
int FunctionNumber(std::string_view name) {
    if (name.empty() || name.size() > LongestName || !IsNameStart(name.front())) return 0;
    char buffer[LongestName];
    for (std::size_t i = 0; i < name.size(); ++i)
        buffer[i] = PlatformLowerChar(name[i]);
    const std::string_view lower(buffer, name.size());
    const int first = IndexIn(FirstNames, lower);
    return first != 0 ? first : IndexIn(SecondNames, lower);
}

double ApplyFunction(int number, double x, bool& failed) {
    switch (number) {
    case Sin: return static_cast<double>(std::sin(Radians(x)));
    case Cos: return static_cast<double>(std::cos(Radians(x)));
    case Tan: return static_cast<double>(std::tan(Radians(x)));
    case Cot: return x < 0 ? Fail(failed) : static_cast<double>(1.0L / std::tan(Radians(x)));
    case Asin:
        return x < -1.0 || x > 1.0 ? Fail(failed) : Degrees(std::asin(static_cast<long double>(x)));
    case Acos: return Arccosine(x);
    case Atan: return Degrees(std::atan(static_cast<long double>(x)));
    case Sqrt: return x < 0 ? Fail(failed) : std::sqrt(x);
    case Abs: return std::fabs(static_cast<double>(Truncate(x)));
    case Log: return std::log10(x);
    case Ln: return std::log(x);
    case Exp: return std::exp(x);
    case Units: return Digit(x, 1);
    case Tens: return Digit(x, 10);
    case Hundreds: return Digit(x, 100);
    case Thousands: return Digit(x, 1000);
    case Not: return x == 0 ? 1 : 0;
    case Divides: return 0;
    case Mod: return 5;
    case RandomNumber: return RandomBelow(x);
    // The whole part, toward zero; the nearest whole number, halves away
    // from zero.
    case Whole: return std::trunc(x);
    case Rounded: return std::round(x);
    default: return 0;
    }
}

double ApplyFunctionByName(std::string_view name, double x, bool& failed) {
    return ApplyFunction(FunctionNumber(name), x, failed);
}

} // namespace mivarelo
