#pragma once
// The turtle: position in picture pixels (origin top-left, y downwards),
// heading in degrees (0 right, growing clockwise on the screen), pen and
// label settings, and the arithmetic of moving and turning.
#include "engine/ColorValue.h"

#include <QPoint>
#include <QPointF>

#include <string>

namespace mivarelo {

constexpr int StartX = 500;
constexpr int StartY = 500;
constexpr const char* DefaultFontName = "Times New Roman";

struct TurtleState {
    int TurtleX = StartX;
    int TurtleY = StartY;
    float Heading = 0.0f;
    bool PenIsDown = true;
    bool TurtleVisible = true;
    int PenWidth = 1;
    ColorValue ScreenColor = WhiteColor;
    ColorValue PenColor = BlackColor;
    ColorValue FillColor = 0x00FFFF;
    std::string FontName = DefaultFontName;
    float FontSize = 12.0f;
    // Changed only by the set-home command; Reset leaves them alone.
    int HomeX = StartX;
    int HomeY = StartY;
    // The position in real numbers kept by the precise turtle; TurtleX and
    // TurtleY are its nearest pixel.
    double ExactX = StartX;
    double ExactY = StartY;

    // Every field above except the home back to its start value.
    void Reset();
    QPoint Position() const { return {TurtleX, TurtleY}; }
    // The real position when it still belongs to the turtle's pixel; a
    // command that placed the turtle on a whole pixel since makes it that
    // pixel.
    QPointF ExactPosition() const;
};

// A number truncated toward zero to int32; saturates out of range, NaN gives 0.
int TruncToInt(long double value);

// The point `distance` pixels from `from` along `heading`: each coordinate is
// trunc(component + start + 0.5) in extended precision, so positive results
// round half up and results between -1 and 0 become 0. Saturates at the
// int32 range instead of overflowing.
QPoint MovePoint(QPoint from, int distance, float heading);

// The point `distance` away from `from` along `heading`, in real numbers:
// the precise turtle's move.
QPointF MovePointExactly(QPointF from, long double distance, float heading);
// The nearest pixel (halves round up); saturates at the int32 range.
QPoint NearestPixel(QPointF point);

// Whether the value is a number within the 32-bit float range. A heading
// outside it would have no direction at all, so none is ever stored.
bool FitsFloat(long double value);

// heading - angle; above 360 loses 360 once, then below 0 gains 360 once.
// A result beyond the float range leaves the heading as it was.
float TurnLeft(float heading, double angle);
// heading + angle; above 360 loses 360 once; a negative result stays.
// A result beyond the float range leaves the heading as it was.
float TurnRight(float heading, double angle);

} // namespace mivarelo
