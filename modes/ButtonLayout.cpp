#include "modes/ButtonLayout.h"

#include <algorithm>

namespace mivarelo {

namespace {

// Buttons from this number on are the narrow ones (the angle buttons, the
// macro buttons, forward and back).
constexpr int FirstNarrowButton = 31;
constexpr int NarrowWidth = 60;
// The last angle button always ends its row.
constexpr int LastAngleButton = 34;

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

} // namespace mivarelo
