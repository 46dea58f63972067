#include "modes/GraphicalCommands.h"

#include "core/GlobalSettings.h"
#include "core/Keywords.h"
#include "core/LanguageIds.h"
#include "core/LanguageModule.h"
#include "core/Numbers.h"
#include "engine/TurtleState.h"

#include <charconv>

namespace mivarelo {

namespace {

constexpr int PaintModeButton = 21;
constexpr int HomeCode = 4;

// Buttons 1..9 in the order of the grid on the window.
constexpr std::array<int, 9> GridCodes = {0, 3, 6, 1, 4, 7, 2, 5, 8};

// The turn a relative direction command writes before its move; empty for none.
std::string RelativeTurn(int left, const GraphicalCommands::Turning& turning) {
    if (left == 0 && !turning.forceTurn) return {};
    const int right = 360 - left;
    switch (turning.turnType) {
    case GraphicalCommands::Closest:
        if (left == 0 || right == 0) return {};
        return left < right ? GraphicalCommands::TurnText(true, IntToText(left))
                            : GraphicalCommands::TurnText(false, IntToText(right));
    case GraphicalCommands::AlwaysRight:
        return right == 0 ? std::string() : GraphicalCommands::TurnText(false, IntToText(right));
    default: return left == 0 ? std::string() : GraphicalCommands::TurnText(true, IntToText(left));
    }
}

// The turn a directions-mode command writes before its move; empty for none.
std::string AbsoluteTurn(int target, const GraphicalCommands::Turning& turning) {
    if (turning.heading == target && !turning.forceTurn) return {};
    const int left = GraphicalCommands::LeftTurnBetween(turning.heading, target);
    const int right = GraphicalCommands::RightTurnBetween(turning.heading, target);
    switch (turning.turnType) {
    case GraphicalCommands::SetHeading:
        return KeywordOf(CodeOf(Keyword::SetHeading)) + ' ' + IntToText(target);
    case GraphicalCommands::Closest:
        if (left == 0 || right == 0) return {};
        return left < right ? GraphicalCommands::TurnText(true, IntToText(left))
                            : GraphicalCommands::TurnText(false, IntToText(right));
    case GraphicalCommands::AlwaysLeft:
        return left == 0 ? std::string() : GraphicalCommands::TurnText(true, IntToText(left));
    default:
        return right == 0 ? std::string() : GraphicalCommands::TurnText(false, IntToText(right));
    }
}

} // namespace

int GraphicalCommands::GridCodeOfButton(int button) {
    if (button < 1 || button > 9) return -1;
    return GridCodes[button - 1];
}

int GraphicalCommands::LeftTurnFor(int code, const DiagonalAngles& angles) {
    switch (code) {
    case 0: return TruncToInt(angles[0]);
    case 1: return 90;
    case 2: return TruncToInt(90.0L + angles[1]);
    case 5: return 180;
    case 6: return TruncToInt(360.0L - angles[2]);
    case 7: return 270;
    case 8: return TruncToInt(270.0L - angles[3]);
    default: return 0;
    }
}

int GraphicalCommands::AbsoluteHeadingFor(int code, const DiagonalAngles& angles) {
    switch (code) {
    case 0: return TruncToInt(180.0L + angles[0]);
    case 1: return 180;
    case 2: return TruncToInt(180.0L - angles[1]);
    case 5: return 90;
    case 6: return TruncToInt(360.0L - angles[2]);
    case 7: return 0;
    case 8: return TruncToInt(angles[3]);
    default: return 270;
    }
}

int GraphicalCommands::LeftTurnBetween(int from, int to) {
    const int turn = from - to;
    return turn > 0 ? turn : turn + 360;
}

int GraphicalCommands::RightTurnBetween(int from, int to) {
    const int turn = to - from;
    return turn > 0 ? turn : turn + 360;
}

std::string GraphicalCommands::DirectionCommand(int code, const DiagonalAngles& angles,
                                                const Turning& turning) {
    if (code == HomeCode) return GetLanguageString(HomeWordId);
    std::string text = turning.useDirections
                           ? AbsoluteTurn(AbsoluteHeadingFor(code, angles), turning)
                           : RelativeTurn(LeftTurnFor(code, angles), turning);
    if (!text.empty()) text += ' ';
    return text + GetLanguageString(ForwardWordId) + ' ' + Globals().LengthVariableName;
}

std::string GraphicalCommands::TurnText(bool left, const std::string& amount) {
    return GetLanguageString(left ? LeftWordId : RightWordId) + ' ' + amount;
}

std::string GraphicalCommands::ArcCommand(bool left, float length, float arcAngle, int step) {
    const int count = step == 0 ? 0 : TruncToInt(static_cast<long double>(arcAngle) / step);
    const std::string move = FloatToText(length * 2.0f / 12.0f, 1);
    return GetLanguageString(RepeatWordId) + ' ' + IntToText(count) + " [ " +
           GetLanguageString(left ? LeftWordId : RightWordId) + ' ' + IntToText(step) + "  " +
           GetLanguageString(ForwardWordId) + ' ' + move + " ] ";
}

std::string GraphicalCommands::StartupLine() {
    return GetLanguageString(ResetWordId) + " ; " + GetLanguageString(StepLengthVariableId) +
           " = 40 ; " + GetLanguageString(ArcAngleVariableId) + " = 360 ; \n";
}

std::string GraphicalCommands::ForwardCommand() {
    return GetLanguageString(ForwardWordId) + ' ' + Globals().LengthVariableName + '\n';
}

std::string GraphicalCommands::BackCommand() {
    return GetLanguageString(BackWordId) + ' ' + Globals().LengthVariableName + '\n';
}

int GraphicalCommands::ButtonNameId(int n, bool paintMode, bool useDirections) {
    if (n == PaintModeButton) return paintMode ? EraserOnId : EraserOffId;
    return (!useDirections && n <= 9 ? RelativeButtonNameFirstId : ButtonNameFirstId) + n;
}

std::string GraphicalCommands::PlainNumber(float value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::vector<std::string> GraphicalCommands::SplitLines(const std::string& body) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < body.size()) {
        const std::size_t end = body.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(body.substr(start));
            break;
        }
        lines.push_back(body.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

} // namespace mivarelo
