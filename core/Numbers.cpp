#include "core/Numbers.h"

#include "core/Notifier.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>

namespace mivarelo {

namespace {

const char* const ConversionFailure = "Float ceviri hatasi";
const char* const ErrorCaption = "Hata";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The white space that the C conversions skip in the "C" locale.
bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::size_t SkipCSpaces(std::string_view text, std::size_t i) {
    while (i < text.size() && IsCSpace(text[i]))
        ++i;
    return i;
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && IsDigit(text[i]))
        ++i;
    return i;
}

// An unsigned decimal number as the lenient C conversion reads it: digits, an
// optional '.', digits (at least one digit in all), then an exponent that
// counts only when digits follow its 'e' and optional sign.
struct DecimalNumber {
    std::string_view text;   // empty when no number starts here
    long long leadPower = 0; // power of ten of the first non-zero digit
    bool isZero = true;
};

long long ExponentValue(std::string_view digits, bool negative) {
    long long value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (result.ec == std::errc::result_out_of_range) value = LLONG_MAX / 2;
    return negative ? -value : value;
}

// Sets the power of ten of the first non-zero digit among text[0, end),
// where the decimal point (if any) stands at `point`.
void FindLeadingDigit(DecimalNumber& number, std::string_view text, std::size_t point,
                      std::size_t end) {
    for (std::size_t i = 0; i < end; ++i) {
        if (text[i] == '.' || text[i] == '0') continue;
        const long long index = static_cast<long long>(i);
        const long long pointIndex = static_cast<long long>(point);
        number.leadPower = i < point ? pointIndex - index - 1 : pointIndex - index;
        number.isZero = false;
        return;
    }
}

// The end of an exponent starting at `end`, or `end` when none follows;
// its value is added to the leading digit's power.
std::size_t ScanExponent(DecimalNumber& number, std::string_view text, std::size_t end) {
    if (end >= text.size() || (text[end] != 'e' && text[end] != 'E')) return end;
    std::size_t e = end + 1;
    const bool negative = e < text.size() && text[e] == '-';
    if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
    const std::size_t exponentEnd = SkipDigits(text, e);
    if (exponentEnd == e) return end;
    number.leadPower += ExponentValue(text.substr(e, exponentEnd - e), negative);
    return exponentEnd;
}

DecimalNumber ScanDecimal(std::string_view text) {
    DecimalNumber number;
    const std::size_t integerEnd = SkipDigits(text, 0);
    std::size_t end = integerEnd;
    if (end < text.size() && text[end] == '.') end = SkipDigits(text, end + 1);
    const std::size_t digitCount = end > integerEnd ? end - 1 : end;
    if (digitCount == 0) return number;
    FindLeadingDigit(number, text, integerEnd, end);
    number.text = text.substr(0, ScanExponent(number, text, end));
    return number;
}

// "%.0f", "%.1f", "%.2f" and "%.6f" exist; every other count means "%.3f".
int FixedPrecisionOf(int decimals) {
    return decimals == 0 || decimals == 1 || decimals == 2 || decimals == 6 ? decimals : 3;
}

// A whole number below 2^63 in magnitude, written without the general
// conversion: its digits are exact, and every decimal place is a zero. The
// sign comes from the sign bit, so -0 gives "-0" as the general conversion
// does. Null for any other value; else the end of the text in `buffer`,
// which has room for 32 characters.
char* WholeNumberText(float value, int precision, char* buffer) {
    constexpr float Limit = 9.2e18f;
    if (!(value > -Limit && value < Limit) || std::trunc(value) != value) return nullptr;
    const auto magnitude = static_cast<std::uint64_t>(std::fabs(value));
    char* end = buffer;
    if (std::signbit(value)) *end++ = '-';
    end = std::to_chars(end, buffer + 32, magnitude).ptr;
    if (precision > 0) {
        *end++ = '.';
        end = std::fill_n(end, precision, '0');
    }
    return end;
}

// A plain decimal: an optional sign, digits, an optional '.' and digits, and
// nothing else, with at most 15 digits in all. Its digits form a whole number
// below 2^53 and the decimal places a power of ten below 10^22, both exact
// doubles, so their quotient is the correctly rounded value, which the
// general conversion gives as well. False for any other text.
bool PlainDecimal(std::string_view text, double& value) {
    constexpr double Powers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) i = 1;
    std::uint64_t digits = 0;
    int count = 0;
    int places = -1; // no '.' yet
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            if (++count > 15) return false;
            digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
            if (places >= 0) ++places;
        } else if (c == '.' && places < 0) {
            places = 0;
        } else {
            return false;
        }
    }
    if (count == 0) return false;
    const double magnitude = static_cast<double>(digits) / Powers[places < 0 ? 0 : places];
    value = negative ? -magnitude : magnitude;
    return true;
}

} // namespace

int TextToInt(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && text[start] == ' ')
        ++start;
    const std::size_t end = std::min(text.find(' ', start), text.size());
    std::string_view word = text.substr(start, end - start);
    // from_chars takes '-' but not '+'; a '+' may only stand before a digit.
    if (!word.empty() && word.front() == '+') {
        word.remove_prefix(1);
        if (word.empty() || !IsDigit(word.front())) return 0;
    }
    int value = 0;
    const auto result = std::from_chars(word.data(), word.data() + word.size(), value);
    if (result.ec != std::errc() || result.ptr != word.data() + word.size()) return 0;
    return value;
}

long TextToLong(std::string_view text) {
    std::size_t i = SkipCSpaces(text, 0);
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t end = SkipDigits(text, i);
    // Accumulating toward the sign keeps LONG_MIN representable; overflow
    // saturates as strtol does.
    long value = 0;
    for (std::size_t k = i; k < end; ++k) {
        const int digit = text[k] - '0';
        if (negative) {
            if (value < (LONG_MIN + digit) / 10) return LONG_MIN;
            value = value * 10 - digit;
        } else {
            if (value > (LONG_MAX - digit) / 10) return LONG_MAX;
            value = value * 10 + digit;
        }
    }
    return value;
}

double TextToFloat(std::string_view text) {
    if (double plain = 0; PlainDecimal(text, plain)) return plain;
    std::size_t i = SkipCSpaces(text, 0);
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const DecimalNumber number = ScanDecimal(text.substr(i));
    if (number.text.empty()) return 0.0;
    double value = 0.0;
    const char* first = number.text.data();
    const auto result = std::from_chars(first, first + number.text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small rounds to zero as in C; too large has no value at all.
        if (number.isZero || number.leadPower < 0) return negative ? -0.0 : 0.0;
        ShowMessage(ConversionFailure, ErrorCaption);
        return 0.0;
    }
    if (result.ec != std::errc()) return 0.0;
    return negative ? -value : value;
}

std::string_view DoubleText(double value, char (&buffer)[FloatTextRoom]) {
    const auto result = std::to_chars(buffer, buffer + FloatTextRoom, value);
    return std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer));
}

std::string FloatToText(float value, int decimals) {
    char buffer[FloatTextRoom];
    return std::string(FormatFloat(value, decimals, buffer));
}

std::string_view FormatFloat(float value, int decimals, char (&buffer)[FloatTextRoom]) {
    const int precision = FixedPrecisionOf(decimals);
    // A float has at most 39 integer digits; infinities and NaNs are short.
    if (const char* end = WholeNumberText(value, precision, buffer))
        return std::string_view(buffer, static_cast<std::size_t>(end - buffer));
    const auto result = std::to_chars(buffer, buffer + FloatTextRoom, static_cast<double>(value),
                                      std::chars_format::fixed, precision);
    if (result.ec != std::errc()) {
        ShowMessage(ConversionFailure, ErrorCaption);
        return {};
    }
    return std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer));
}

std::string IntToText(long long value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string ColorToListText(std::uint32_t colour) {
    const auto component = [colour](int shift) { return IntToText((colour >> shift) & 0xFF); };
    return " [ " + component(0) + " " + component(8) + " " + component(16) + " ] ";
}

void SpacesToUnderscores(std::string& text) {
    for (char& c : text)
        if (c == ' ') c = '_';
}

} // namespace mivarelo
