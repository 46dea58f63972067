#include "modes/ButtonPictures.h"

#include "widgets/SvgIconEngine.h"

#include <algorithm>
#include <array>

namespace mivarelo {

namespace {

// The heading at which the direction buttons stand still: "up" points up.
constexpr int StillHeading = 270;

// How a button's picture is made from one of the pictures of the resources.
struct Glyph {
    const char* file; // nullptr: the button has no picture of its own
    bool mirrorLeftRight = false;
    bool mirrorUpDown = false;
};

// Buttons 1..38 by number. The direction buttons (1-4, 6-9) and forward and
// back (37, 38) show the arrow, entered here with no file; the turn and arc
// buttons to the right, and three of the four diagonal-angle buttons, are the
// mirror images of one picture.
const std::array<Glyph, 39> Glyphs = {{
    {nullptr},                  // 0: no button
    {nullptr},                  // 1 up-left
    {nullptr},                  // 2 up
    {nullptr},                  // 3 up-right
    {nullptr},                  // 4 left
    {"home.svg"},               // 5 home
    {nullptr},                  // 6 right
    {nullptr},                  // 7 down-left
    {nullptr},                  // 8 down
    {nullptr},                  // 9 down-right
    {"pen-down.svg"},           // 10 puts the pen down
    {"pen-up.svg"},             // 11 lifts the pen
    {"pen-colour.svg"},         // 12 pen colour
    {"show-turtle.svg"},        // 13 show the turtle
    {"hide-turtle.svg"},        // 14 hide the turtle
    {"set-home.svg"},           // 15 home becomes the turtle's place
    {"clean.svg"},              // 16 clear the picture
    {"screen-colour.svg"},      // 17 screen colour
    {"fill.svg"},               // 18 fill
    {"turn-left.svg"},          // 19 turn left by an angle
    {"turn-left.svg", true},    // 20 turn right by an angle
    {"eraser.svg"},             // 21 paint mode
    {"arc-left.svg"},           // 22 arc to the left
    {"arc-left.svg", true},     // 23 arc to the right
    {"arc-angle.svg"},          // 24 arc angle
    {nullptr},                  // 25 restart: no picture
    {"pen-width.svg"},          // 26 pen width
    {"ruler.svg"},              // 27 step length
    {"label.svg"},              // 28 write a label
    {"repeat.svg"},             // 29 repeat the last command
    {"font-size.svg"},          // 30 font size
    {"angle.svg", true},        // 31 angle of up-left
    {"angle.svg", true, true},  // 32 angle of down-left
    {"angle.svg"},              // 33 angle of up-right
    {"angle.svg", false, true}, // 34 angle of down-right
    {"record.svg"},             // 35 start a macro
    {"stop.svg"},               // 36 finish the macro
    {nullptr},                  // 37 forward
    {nullptr},                  // 38 back
}};

// The heading, relative to the turtle's, that the arrow of a direction
// button shows; -1 for the other buttons.
int ArrowTurn(int n) {
    switch (n) {
    case 1: return 315;
    case 2: return 0;
    case 3: return 45;
    case 4: return 270;
    case 6: return 90;
    case 7: return 225;
    case 8: return 180;
    case 9: return 135;
    case 37: return 0;
    case 38: return 180;
    default: return -1;
    }
}

QIcon Picture(const Glyph& glyph) {
    return QIcon(new SvgIconEngine(QStringLiteral(":/buttons/") + QLatin1String(glyph.file), 0,
                                   glyph.mirrorLeftRight, glyph.mirrorUpDown));
}

} // namespace

int ButtonPictures::PictureIndex(int angle) {
    if (angle < 0) angle += 360;
    while (angle >= 360)
        angle -= 360;
    return std::clamp(angle / 5, 0, DirectionCount - 1);
}

QIcon ButtonPictures::DirectionPicture(int index) {
    if (index < 0 || index >= DirectionCount) return QIcon();
    return QIcon(new SvgIconEngine(QStringLiteral(":/buttons/arrow.svg"), 5 * index));
}

QIcon ButtonPictures::ArrowPicture(int n, int heading) {
    const int turn = ArrowTurn(n);
    if (turn < 0) return QIcon();
    return DirectionPicture(PictureIndex(heading + turn));
}

QIcon ButtonPictures::ButtonPicture(int n) {
    if (n < 1 || n >= int(Glyphs.size())) return QIcon();
    if (ArrowTurn(n) >= 0) return ArrowPicture(n, StillHeading);
    if (!Glyphs[n].file) return QIcon();
    return Picture(Glyphs[n]);
}

} // namespace mivarelo
