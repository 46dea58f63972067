#include "modes/ButtonLayout.h"

#include <algorithm>
#include <cstdlib>

namespace mivarelo {

namespace {

// Buttons from this number on are the narrow ones (the angle buttons, the
// macro buttons, forward and back).
constexpr int FirstNarrowButton = 31;
constexpr int NarrowWidth = 60;
// The last angle button always ends its row.
constexpr int LastAngleButton = 34;
constexpr int TurtleMargin = 25;
constexpr int ScreenMargin = 50;

} // namespace

std::array<QRect, ButtonLayout::ButtonCount> ButtonLayout::Arrange(int width, int screenHeight,
                                                                   int top) {
    std::array<QRect, ButtonCount> rects;
    const int height = screenHeight / 25;
    const int wide = std::max(100, width / 4);
    int x = Left;
    int y = top;
    for (int n = 1; n <= ButtonCount; ++n) {
        const int w = n >= FirstNarrowButton ? NarrowWidth : wide;
        rects[n - 1] = QRect(x, y, w, height);
        x += w;
        if ((x + w >= width || n == LastAngleButton) && n != ButtonCount) {
            x = Left;
            y += height + RowGap;
        }
    }
    return rects;
}

std::optional<int> ButtonLayout::DockLeftAwayFrom(int turtleX, const QRect& frame,
                                                  const QRect& area) {
    if (turtleX < frame.left() - TurtleMargin || turtleX > frame.right() + 1 + TurtleMargin)
        return std::nullopt;
    const int right = area.right() + 1 - (frame.width() + frame.left());
    if (frame.left() - area.left() >= std::abs(right)) return area.left();
    return area.right() + 1 - frame.width() - ScreenMargin;
}

} // namespace mivarelo
