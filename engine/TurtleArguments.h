#pragma once
// Readers of the argument forms of the turtle commands. Every number inside
// is evaluated as an expression; malformed parts count as 0.
#include "engine/ColorValue.h"

#include <QPoint>

#include <string_view>

namespace mivarelo {

// "[r g b]", "[r,g,b]" or "r,g,b": three expressions, each truncated and
// reduced to its low 8 bits without capping, first red. Missing parts are 0.
ColorValue ParseColor(std::string_view argument);
// "[x y]" or "x,y"; (0, 0) for an empty or blank argument.
QPoint ParsePosition(std::string_view argument);
// "[x]" or "x" (up to a comma); 0 for an empty or blank argument.
int ParseCoordinate(std::string_view argument);
// The expression value of the argument, 0 when empty or malformed.
double ArgumentValue(std::string_view argument);

} // namespace mivarelo
