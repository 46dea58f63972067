#pragma once
// Where the graphical mode's 38 buttons stand for a target window width: rows
// from the left, a new row when the next button would not fit, the four
// angle buttons ending their own row. Heights follow the screen: one
// twenty-fifth of its height.
#include <QRect>

#include <array>

namespace mivarelo {

class ButtonLayout {
public:
    static constexpr int ButtonCount = 38;
    static constexpr int Left = 10;
    static constexpr int RowGap = 2;

    // The buttons' rectangles (index n - 1 for button n) for a window of
    // `width` on a screen `screenHeight` pixels high, rows starting at `top`.
    static std::array<QRect, ButtonCount> Arrange(int width, int screenHeight, int top);
};

} // namespace mivarelo
