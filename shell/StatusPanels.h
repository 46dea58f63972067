#pragma once
// The panels of the status bar: the turtle's place, home, pen, heading and
// colours, and the mouse's place over the picture. Their texts are printf
// formats from the interface language filled with the turtle's numbers; a
// format whose conversions do not match what the panel passes is shown as it
// stands, never expanded.
#include <QPoint>
#include <QString>

#include <array>
#include <initializer_list>
#include <string>

class QLabel;
class QStatusBar;

namespace mivarelo {

struct TurtleState;

class StatusPanels {
public:
    // Eight panels added to `bar`.
    explicit StatusPanels(QStatusBar* bar);

    void Refresh(const TurtleState& turtle);
    // Each panel as wide as its longest text in the interface language, so
    // that the numbers never jump and nothing is cut off.
    void SizePanels();
    void ShowMouse(QPoint position);

    // The format of `id` with two integers (%d %d), one text (%s) or nothing.
    static QString Format(int id, std::initializer_list<int> numbers, const std::string& text = {});
    // A heading with one decimal.
    static std::string Heading(float heading);

private:
    std::array<QLabel*, 8> panels_{};
};

} // namespace mivarelo
