#pragma once
// Where the graphical mode's 38 buttons stand for a target window width: rows
// from the left, a new row when the next button would not fit, the four
// angle buttons ending their own row. Heights follow the screen: one
// twenty-fifth of its height. Also where a floating panel steps aside to.
#include <QRect>

#include <array>
#include <optional>

namespace mivarelo {

class ButtonLayout {
public:
    static constexpr int ButtonCount = 38;
    static constexpr int Left = 10;
    static constexpr int RowGap = 2;

    // The buttons' rectangles (index n - 1 for button n) for a window of
    // `width` on a screen `screenHeight` pixels high, rows starting at `top`.
    static std::array<QRect, ButtonCount> Arrange(int width, int screenHeight, int top);
    // Where a floating panel with the outer rectangle `frame` moves, when
    // the turtle ended a run at screen column `turtleX` under it or within
    // 25 pixels of it: its new left edge, at the left of the screen's
    // `area` when that side has more room, else 50 pixels from the right.
    // None when the turtle is farther away.
    static std::optional<int> DockLeftAwayFrom(int turtleX, const QRect& frame, const QRect& area);
};

} // namespace mivarelo
