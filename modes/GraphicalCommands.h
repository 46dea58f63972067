#pragma once
// The command lines that the graphical mode's buttons write, built as text in
// the interface language (Windows-1254 bytes) without any window: the words
// come from the language texts, the numbers from the caller. The window asks
// the user and reads the turtle; these functions only assemble the lines.
#include <array>
#include <string>
#include <vector>

namespace mivarelo {

class GraphicalCommands {
public:
    // The angles of the four diagonal buttons: [0] up-left, [1] down-left,
    // [2] up-right, [3] down-right.
    using DiagonalAngles = std::array<float, 4>;

    // The ways a direction button may turn the turtle (the main window's
    // Turn Command Type): set the heading, the closer way, always left,
    // always right.
    enum TurnType { SetHeading = 0, Closest = 1, AlwaysLeft = 2, AlwaysRight = 3 };

    // How the turtle stands and which turn the next direction command writes.
    struct Turning {
        bool useDirections = false;
        int turnType = Closest;
        // The turtle's heading, truncated to whole degrees.
        int heading = 0;
        // Write a turn even when none seems needed (after a free command).
        bool forceTurn = false;
    };

    // The grid code of direction button 1..9 (up-left 0, left 1, down-left
    // 2, up 3, home 4, down 5, up-right 6, right 7, down-right 8); -1 for any
    // other number.
    static int GridCodeOfButton(int button);
    // How far to turn left, relative to the turtle, for a grid code.
    static int LeftTurnFor(int code, const DiagonalAngles& angles);
    // The absolute heading a grid code names.
    static int AbsoluteHeadingFor(int code, const DiagonalAngles& angles);
    // The left turn from heading `from` to `to`: 360 when they are equal.
    static int LeftTurnBetween(int from, int to);
    // The right turn from heading `from` to `to`: 360 when they are equal.
    static int RightTurnBetween(int from, int to);

    // The line of a direction button (grid code other than 4): the turn, when
    // one is needed, then the forward word and the step variable's name. No
    // line break.
    static std::string DirectionCommand(int code, const DiagonalAngles& angles,
                                        const Turning& turning);
    // The left or right word, a blank and `amount`.
    static std::string TurnText(bool left, const std::string& amount);
    // The arc: a repeat of trunc(arcAngle / step) turns of `step` degrees,
    // each followed by a move of length·2/12 (one decimal).
    static std::string ArcCommand(bool left, float length, float arcAngle, int step);
    // The line that starts every drawing: the reset word, then the step
    // length set to 40 and the arc angle to 360, with its line break.
    static std::string StartupLine();
    static std::string ForwardCommand();
    static std::string BackCommand();

    // The language text id that names button n (0..41): the paint-mode
    // button by its state, the nine grid buttons by the relative names when
    // directions are not in use.
    static int ButtonNameId(int n, bool paintMode, bool useDirections);

    // A number as a dialog shows it: the shortest text that reads back as
    // the same float ("40", "6.5").
    static std::string PlainNumber(float value);

    // A procedure body cut into history items at its line breaks; the part
    // after the last line break counts only when it is not empty.
    static std::vector<std::string> SplitLines(const std::string& body);
};

} // namespace mivarelo
