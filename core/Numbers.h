#pragma once
// Number conversions. All of them ignore the process locale: the decimal
// point is always '.'.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace mivarelo {

// Strict: the first blank-delimited word must be a whole integer, else 0.
int TextToInt(std::string_view text);
// Lenient C-style: leading blanks, optional sign, digits up to the first non-digit.
long TextToLong(std::string_view text);
// Lenient C-style double conversion; no number gives 0.
double TextToFloat(std::string_view text);
// Formats a 32-bit float with 0, 1, 2 or 6 decimals; any other count gives 3.
std::string FloatToText(float value, int decimals);
// The room FormatFloat writes into.
constexpr std::size_t FloatTextRoom = 64;
// FloatToText written into `buffer` instead of a new text; the result views
// the buffer.
std::string_view FormatFloat(float value, int decimals, char (&buffer)[FloatTextRoom]);
// The shortest text that reads back as exactly `value`, in `buffer`.
std::string_view DoubleText(double value, char (&buffer)[FloatTextRoom]);
std::string IntToText(long long value);
// " [ r g b ] " of a colour value with red in the low byte.
std::string ColorToListText(std::uint32_t colour);
void SpacesToUnderscores(std::string& text);

} // namespace mivarelo
