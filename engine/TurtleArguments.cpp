#include "engine/TurtleArguments.h"

#include "core/TextReaders.h"
#include "engine/Evaluator.h"
#include "engine/TurtleState.h"

#include <cmath>
#include <string>

namespace mivarelo {

double ArgumentValue(std::string_view argument) {
    if (argument.empty()) return 0.0;
    return evaluate(argument);
}

namespace {

// The low 8 bits of the truncated value as a 64-bit integer would hold them
// (256 gives 0, -1 gives 255, 2^32 gives 0). The remainder of the truncated
// value by 256 is exactly that for every finite value, including those beyond
// the 64-bit range, whose low bits are all zero; anything else gives 0.
int ComponentValue(const std::string& token) {
    const double value = std::trunc(ArgumentValue(token));
    if (!std::isfinite(value)) return 0;
    const auto low = static_cast<int>(std::fmod(value, 256.0));
    return low < 0 ? low + 256 : low;
}

} // namespace

ColorValue ParseColor(std::string_view argument) {
    Cursor c(argument);
    SkipSpaces(c);
    if (c.AtEnd()) return BlackColor;
    std::string inner;
    if (c.Peek() == '[') {
        c.Advance();
        inner = ReadUntil(c, ']', false);
        if (inner.empty()) return BlackColor;
        c = Cursor(inner);
    }
    const int red = ComponentValue(ReadArgument(c));
    const int green = ComponentValue(ReadArgument(c));
    const int blue = ComponentValue(ReadArgument(c));
    return MakeColor(red, green, blue);
}

QPoint ParsePosition(std::string_view argument) {
    Cursor c(argument);
    SkipSpaces(c);
    if (c.AtEnd()) return {0, 0};
    std::string xText;
    std::string yText;
    if (c.Peek() == '[') {
        // The normalizer writes a list as "[ 100 200 ; ]": blanks after the
        // bracket must not leave x empty.
        c.Advance();
        SkipSpaces(c);
        xText = ReadUntil(c, ' ', false);
        SkipSpaces(c);
        yText = ReadUntil(c, ']', false);
    } else {
        xText = ReadUntil(c, ',', true);
        SkipSpaces(c);
        yText = ReadUntil(c, ',', false);
    }
    return {TruncToInt(ArgumentValue(xText)), TruncToInt(ArgumentValue(yText))};
}

int ParseCoordinate(std::string_view argument) {
    Cursor c(argument);
    SkipSpaces(c);
    if (c.AtEnd()) return 0;
    std::string text;
    if (c.Peek() == '[') {
        c.Advance();
        text = ReadUntil(c, ']', false);
    } else {
        text = ReadUntil(c, ',', false);
    }
    return TruncToInt(ArgumentValue(text));
}

} // namespace mivarelo
