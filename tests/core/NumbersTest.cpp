#include "core/Numbers.h"

#include "support/Recorders.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace mivarelo;
using support::RecordingNotifier;

TEST(Numbers, TextToIntNeedsTheWholeFirstWord) {
    EXPECT_EQ(TextToInt(""), 0);
    EXPECT_EQ(TextToInt("   "), 0);
    EXPECT_EQ(TextToInt("42"), 42);
    EXPECT_EQ(TextToInt("  -17 rest"), -17);
    EXPECT_EQ(TextToInt("+8"), 8);
    EXPECT_EQ(TextToInt("12abc"), 0);
    EXPECT_EQ(TextToInt("1.5"), 0);
    EXPECT_EQ(TextToInt("-"), 0);
    EXPECT_EQ(TextToInt("+-3"), 0);
    EXPECT_EQ(TextToInt("\t5"), 0);
    EXPECT_EQ(TextToInt("2147483647"), 2147483647);
    EXPECT_EQ(TextToInt("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(TextToInt("2147483648"), 0);
}

TEST(Numbers, TextToLongTakesTheLeadingDigits) {
    EXPECT_EQ(TextToLong(""), 0);
    EXPECT_EQ(TextToLong("12abc"), 12);
    EXPECT_EQ(TextToLong(" \t-34x"), -34);
    EXPECT_EQ(TextToLong("+7"), 7);
    EXPECT_EQ(TextToLong("abc"), 0);
    EXPECT_EQ(TextToLong("- 5"), 0);
    EXPECT_EQ(TextToLong("1.9"), 1);
    EXPECT_EQ(TextToLong("99999999999999999999999"), std::numeric_limits<long>::max());
    EXPECT_EQ(TextToLong("-99999999999999999999999"), std::numeric_limits<long>::min());
}

TEST(Numbers, TextToFloatIsLenient) {
    EXPECT_EQ(TextToFloat(""), 0.0);
    EXPECT_EQ(TextToFloat(" 3.5x"), 3.5);
    EXPECT_EQ(TextToFloat("+2.25"), 2.25);
    EXPECT_EQ(TextToFloat("-.5"), -0.5);
    EXPECT_EQ(TextToFloat("5."), 5.0);
    EXPECT_EQ(TextToFloat("1e3"), 1000.0);
    EXPECT_EQ(TextToFloat("2.5E-1"), 0.25);
    EXPECT_EQ(TextToFloat("7e"), 7.0);
    EXPECT_EQ(TextToFloat("7e+x"), 7.0);
    EXPECT_EQ(TextToFloat("12,5"), 12.0);
    EXPECT_EQ(TextToFloat("."), 0.0);
    EXPECT_EQ(TextToFloat("abc"), 0.0);
    EXPECT_EQ(TextToFloat("+-1"), 0.0);
    EXPECT_EQ(TextToFloat("0x10"), 0.0);
    EXPECT_EQ(TextToFloat("inf"), 0.0);
    EXPECT_EQ(TextToFloat("\n\t 0.1"), 0.1);
}

TEST(Numbers, TextToFloatReportsOnlyOverflow) {
    RecordingNotifier notifier;
    EXPECT_EQ(TextToFloat("1e-400"), 0.0);
    EXPECT_EQ(TextToFloat("0.0000e999999999999999999999"), 0.0);
    EXPECT_EQ(TextToFloat("1e-99999999999999999999"), 0.0);
    EXPECT_TRUE(notifier.messages.empty());
    EXPECT_EQ(TextToFloat("1e400"), 0.0);
    EXPECT_EQ(TextToFloat("-0.001e99999999999999999999"), 0.0);
    EXPECT_EQ(TextToFloat(std::string(400, '9')), 0.0);
    EXPECT_EQ(notifier.messages, std::vector<std::string>(3, "Hata: Float ceviri hatasi"));
}

// Plain decimals take a shorter road than the general conversion; the
// values must be the same, bit for bit, as those of the C conversion.
TEST(Numbers, TextToFloatReadsPlainDecimalsAsTheGeneralConversion) {
    std::mt19937 random(5);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> length(0, 17);
    const std::vector<std::string> signs = {"", "-", "+"};
    for (int n = 0; n < 20000; ++n) {
        std::string text = signs[static_cast<std::size_t>(n % 3)];
        for (int k = length(random); k > 0; --k)
            text += static_cast<char>('0' + digit(random));
        if (n % 4 != 0) text += '.';
        for (int k = length(random); k > 0; --k)
            text += static_cast<char>('0' + digit(random));
        const double expected = std::strtod(text.c_str(), nullptr);
        const double read = TextToFloat(text);
        EXPECT_EQ(std::memcmp(&read, &expected, sizeof read), 0) << text;
    }
    EXPECT_EQ(TextToFloat("12.5"), 12.5);
    EXPECT_TRUE(std::signbit(TextToFloat("-0.0")));
}

// Whole numbers take a shorter road than the general conversion; the texts
// must be the same.
TEST(Numbers, FloatToTextWritesWholeNumbersAsTheGeneralConversion) {
    std::vector<float> values = {
        0.0f,    -0.0f,   1.0f,        -1.0f,       9.0f,        10.0f,
        99.0f,   100.0f,  16777216.0f, 16777217.0f, -2000000.0f, 1.0e10f,
        9.1e18f, 9.3e18f, -9.3e18f,    3.4e38f,     -3.4e38f,    std::numeric_limits<float>::max()};
    for (float v = 1.0f; v < 1.0e30f; v *= 3.7f)
        values.push_back(std::trunc(v));
    for (int i = -300; i <= 300; ++i)
        values.push_back(static_cast<float>(i));
    for (const float value : values) {
        for (const int decimals : {0, 1, 2, 3, 6}) {
            char buffer[80];
            const auto end =
                std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                              std::chars_format::fixed, decimals)
                    .ptr;
            EXPECT_EQ(FloatToText(value, decimals), std::string(buffer, end))
                << value << " with " << decimals;
        }
    }
}

TEST(Numbers, FloatToTextUsesTheFixedDecimalChoices) {
    EXPECT_EQ(FloatToText(2.25f, 4), "2.250");
    EXPECT_EQ(FloatToText(2.25f, 0), "2");
    EXPECT_EQ(FloatToText(2.5f, 0), "2");
    EXPECT_EQ(FloatToText(3.5f, 0), "4");
    EXPECT_EQ(FloatToText(2.25f, 1), "2.2");
    EXPECT_EQ(FloatToText(0.1f, 1), "0.1");
    // 0.1f is 0.100000001490116...; the float, not the decimal, is printed.
    EXPECT_EQ(FloatToText(0.1f, 6), "0.100000");
    EXPECT_EQ(FloatToText(1.005f, 2), "1.00");
    EXPECT_EQ(FloatToText(-1.5f, 2), "-1.50");
    EXPECT_EQ(FloatToText(1.0f / 3.0f, 3), "0.333");
    EXPECT_EQ(FloatToText(1.0f / 3.0f, 5), "0.333");
    EXPECT_EQ(FloatToText(1.0f / 3.0f, 7), "0.333");
    EXPECT_EQ(FloatToText(1.0f / 3.0f, -1), "0.333");
    EXPECT_EQ(FloatToText(16777217.0f, 1), "16777216.0");
    EXPECT_EQ(FloatToText(std::numeric_limits<float>::max(), 0),
              "340282346638528859811704183484516925440");
}

TEST(Numbers, FloatToTextOfNonFiniteValuesMatchesC) {
    RecordingNotifier notifier;
    EXPECT_EQ(FloatToText(std::numeric_limits<float>::infinity(), 1), "inf");
    EXPECT_EQ(FloatToText(-std::numeric_limits<float>::infinity(), 6), "-inf");
    EXPECT_EQ(FloatToText(std::numeric_limits<float>::quiet_NaN(), 2), "nan");
    EXPECT_TRUE(notifier.messages.empty());
}

TEST(Numbers, IntAndColourTexts) {
    EXPECT_EQ(IntToText(0), "0");
    EXPECT_EQ(IntToText(-45), "-45");
    EXPECT_EQ(IntToText(1234567890123LL), "1234567890123");
    EXPECT_EQ(ColorToListText(0x00FF8001u), " [ 1 128 255 ] ");
    EXPECT_EQ(ColorToListText(0xFF000000u), " [ 0 0 0 ] ");
}

TEST(Numbers, SpacesToUnderscoresChangesOnlyBlanks) {
    std::string header = "kare :a  :b\t";
    SpacesToUnderscores(header);
    EXPECT_EQ(header, "kare_:a__:b\t");
    std::string empty;
    SpacesToUnderscores(empty);
    EXPECT_EQ(empty, "");
}

TEST(Numbers, ConversionsIgnoreTheProcessLocale) {
    if (!std::setlocale(LC_ALL, "tr_TR.UTF-8")) GTEST_SKIP() << "tr_TR.UTF-8 is not installed";
    const std::string localePoint = std::localeconv()->decimal_point;
    const std::string floatText = FloatToText(2.5f, 1);
    const double parsed = TextToFloat("3.5");
    const std::string colour = ColorToListText(0x030201u);
    std::setlocale(LC_ALL, "C");
    ASSERT_EQ(localePoint, ",") << "the Turkish locale should use a decimal comma";
    EXPECT_EQ(floatText, "2.5");
    EXPECT_EQ(parsed, 3.5);
    EXPECT_EQ(colour, " [ 1 2 3 ] ");
}
