#include "engine/TurtleScreen.h"

#include "core/CommandTable.h"
#include "core/Encoding.h"
#include "core/GlobalSettings.h"
#include "core/LanguageIds.h"
#include "core/LanguageModule.h"
#include "core/TextReaders.h"
#include "engine/TextValues.h"
#include "engine/TurtleArguments.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <exception>
#include <initializer_list>
#include <string>

namespace mivarelo {

namespace {

constexpr int HighestCode = AssignmentCode;
// Screen pixels per inch of the picture, for point sizes of labels.
constexpr int PicturePixelsPerInch = 96;
// Longest face name a font request takes.
constexpr std::size_t MaxFaceNameLength = 31;

// n * numerator / denominator rounded half away from zero, as a font request
// scales point sizes.
int MulDiv(int n, int numerator, int denominator) {
    const long long product = static_cast<long long>(n) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

// The em height of a label font: 0 points asks for the default 12, and sizes
// are capped at twice the picture so a typo cannot exhaust memory.
int LabelPixelHeight(float fontSize) {
    constexpr int MaxPixels = 4000;
    const int points = std::clamp(TruncToInt(fontSize), -MaxPixels, MaxPixels);
    const int pixels = std::abs(MulDiv(points, PicturePixelsPerInch, 72));
    if (pixels == 0) return MulDiv(12, PicturePixelsPerInch, 72);
    return std::min(pixels, MaxPixels);
}

} // namespace

bool IsControlFlowCode(CommandCode code) {
    if (code == AssignmentCode) return true;
    const CommandRow* row = RowOf(code);
    return row && row->controlFlow;
}

// Each handler serves every word of the rows it names. Rows without one
// (arc, make, px) do nothing; the control-flow rows go to the dispatcher.
const TurtleScreen::Handler* TurtleScreen::HandlerTable() {
    struct Group {
        std::initializer_list<Keyword> commands;
        Handler handler;
    };
    static const std::array<Handler, HighestCode + 1> table = [] {
        using enum Keyword;
        const Group groups[] = {
            {{Reset}, &TurtleScreen::Reset},
            {{SetPenWidth}, &TurtleScreen::SetPenWidth},
            {{Bye, Stop}, &TurtleScreen::Stop},
            {{SetHome}, &TurtleScreen::SetHome},
            {{PenDown}, &TurtleScreen::PenDown},
            {{PenUp}, &TurtleScreen::PenUp},
            {{ClearScreen}, &TurtleScreen::ClearScreen},
            {{Forward}, &TurtleScreen::Forward},
            {{Back}, &TurtleScreen::Back},
            {{Left}, &TurtleScreen::Left},
            {{Right}, &TurtleScreen::Right},
            {{PenPaint}, &TurtleScreen::DrawMode},
            {{PenErase}, &TurtleScreen::EraseMode},
            {{Wait}, &TurtleScreen::Wait},
            {{ShowTurtle}, &TurtleScreen::ShowTurtle},
            {{HideTurtle}, &TurtleScreen::HideTurtle},
            {{Home}, &TurtleScreen::Home},
            {{Clean}, &TurtleScreen::Clean},
            {{Fill}, &TurtleScreen::Fill},
            {{Label}, &TurtleScreen::Label},
            {{SetX}, &TurtleScreen::SetX},
            {{SetY}, &TurtleScreen::SetY},
            {{SetPos}, &TurtleScreen::SetPos},
            {{SetPenColor}, &TurtleScreen::SetPenColor},
            {{SetFillColor}, &TurtleScreen::SetFillColor},
            {{SetScreenColor}, &TurtleScreen::SetScreenColor},
            {{SetFontSize}, &TurtleScreen::SetFontSize},
            {{SetFontName}, &TurtleScreen::SetFontName},
            {{SetHeading}, &TurtleScreen::SetHeading},
            {{PaintTr}, &TurtleScreen::Paint},
            {{EllipseTr}, &TurtleScreen::Ellipse},
            {{SetLengthVariableTr}, &TurtleScreen::SetLengthVariable},
            {{SetAngleVariableTr}, &TurtleScreen::SetAngleVariable},
            {{SetShape}, &TurtleScreen::SetTurtlePicture},
        };
        std::array<Handler, HighestCode + 1> t{};
        for (const Group& g : groups)
            for (const Keyword command : g.commands)
                for (CommandCode code = 1; code <= KeywordCount; ++code)
                    if (IsCommand(code, command)) t[code] = g.handler;
        return t;
    }();
    return table.data();
}

TurtleScreen::TurtleScreen() : picture_(Globals().ScreenWidth, Globals().ScreenHeight) {
    ResetTurtle();
}

bool TurtleScreen::ExecuteTurtleCommand(CommandCode code, std::string_view argument) {
    try {
        if (IsControlFlowCode(code)) return controlFlow_ ? controlFlow_(code, argument) : true;
        picture_.SetCopyMode(CopyMode::SourceCopy);
        if (code > 0 && code <= HighestCode) {
            const Handler handler = HandlerTable()[code];
            if (handler) (this->*handler)(argument);
        }
        RequestRefresh(false);
        return true;
    } catch (const std::exception&) {
        // Out of memory while drawing; the command fails and stops its line.
        return false;
    }
}

double TurtleScreen::TurtleXValue() const {
    return Globals().PreciseTurtle ? state_.ExactPosition().x() : state_.TurtleX;
}

double TurtleScreen::TurtleYValue() const {
    return Globals().PreciseTurtle ? state_.ExactPosition().y() : state_.TurtleY;
}

void TurtleScreen::ResetTurtle() {
    state_.Reset();
    // Without a language module the names would become empty and the two
    // step variables unreachable, so the previous names are kept then.
    const std::string lengthName = GetLanguageString(StepLengthVariableId);
    const std::string angleName = GetLanguageString(ArcAngleVariableId);
    if (!lengthName.empty()) Globals().LengthVariableName = lengthName;
    if (!angleName.empty()) Globals().AngleVariableName = angleName;
    selection_ = SelectionRect();
    Globals().PaintMode = 0;
    picture_.SetPenWidth(state_.PenWidth);
    ClearPicture();
    RequestRefresh(false);
}

void TurtleScreen::ClearPicture() {
    picture_.SetBrushColor(state_.ScreenColor);
    picture_.FillRect(QRect(0, 0, picture_.Width(), picture_.Height()));
}

ColorValue TurtleScreen::FindBorderColor() const {
    const int x0 = state_.TurtleX;
    const int y0 = state_.TurtleY;
    const ColorValue here = picture_.PixelColor(x0, y0);
    auto differs = [&](int x, int y) { return picture_.PixelColor(x, y) != here; };
    for (int x = std::min(x0, picture_.Width()); x >= 1; --x)
        if (differs(x, y0)) return picture_.PixelColor(x, y0);
    for (int x = std::max(x0, 1); x <= picture_.Width() - 1; ++x)
        if (differs(x, y0)) return picture_.PixelColor(x, y0);
    for (int y = std::min(y0, picture_.Height()); y >= 1; --y)
        if (differs(x0, y)) return picture_.PixelColor(x0, y);
    for (int y = std::max(y0, 1); y <= picture_.Height() - 1; ++y)
        if (differs(x0, y)) return picture_.PixelColor(x0, y);
    return BlackColor;
}

int TurtleScreen::TakePendingWaitMs() {
    const int ms = pendingWaitMs_;
    pendingWaitMs_ = 0;
    return ms;
}

RefreshRequest TurtleScreen::TakeRefreshRequest() {
    const RefreshRequest r = refresh_;
    refresh_ = RefreshRequest::None;
    return r;
}

void TurtleScreen::RequestRefresh(bool force) {
    if (force)
        refresh_ = RefreshRequest::Forced;
    else if (refresh_ == RefreshRequest::None)
        refresh_ = RefreshRequest::Normal;
}

void TurtleScreen::MoveTo(QPoint target) {
    if (state_.PenIsDown) picture_.DrawLine(state_.Position(), target);
    state_.TurtleX = target.x();
    state_.TurtleY = target.y();
    state_.ExactX = target.x();
    state_.ExactY = target.y();
}

void TurtleScreen::Reset(std::string_view) {
    ResetTurtle();
    picture_.SetPenColor(state_.PenColor);
    picture_.SetBrushColor(state_.FillColor);
    picture_.SetFontColor(state_.PenColor);
}

void TurtleScreen::SetPenWidth(std::string_view argument) {
    if (IsBlank(argument)) return;
    state_.PenWidth = TruncToInt(ArgumentValue(argument));
    picture_.SetPenWidth(state_.PenWidth);
}

void TurtleScreen::Stop(std::string_view) {
    Globals().StopRequested = true;
}

void TurtleScreen::SetHome(std::string_view) {
    state_.HomeX = state_.TurtleX;
    state_.HomeY = state_.TurtleY;
}

void TurtleScreen::PenDown(std::string_view) {
    state_.PenIsDown = true;
}

void TurtleScreen::PenUp(std::string_view) {
    state_.PenIsDown = false;
}

void TurtleScreen::ClearScreen(std::string_view) {
    ClearPicture();
    state_.TurtleX = StartX;
    state_.TurtleY = StartY;
    state_.Heading = 0.0f;
    RequestRefresh(true);
}

void TurtleScreen::Forward(std::string_view argument) {
    if (Globals().PreciseTurtle) return MoveExactly(ArgumentValue(argument), state_.Heading);
    const int distance = TruncToInt(ArgumentValue(argument));
    MoveTo(MovePoint(state_.Position(), distance, state_.Heading));
}

void TurtleScreen::Back(std::string_view argument) {
    if (Globals().PreciseTurtle)
        return MoveExactly(ArgumentValue(argument), state_.Heading - 180.0f);
    const int distance = TruncToInt(ArgumentValue(argument));
    MoveTo(MovePoint(state_.Position(), distance, state_.Heading - 180.0f));
}

// The precise turtle keeps its position in real numbers and draws between
// the nearest pixels.
void TurtleScreen::MoveExactly(long double distance, float heading) {
    const QPointF target = MovePointExactly(state_.ExactPosition(), distance, heading);
    MoveTo(NearestPixel(target));
    state_.ExactX = target.x();
    state_.ExactY = target.y();
}

void TurtleScreen::Left(std::string_view argument) {
    state_.Heading = TurnLeft(state_.Heading, ArgumentValue(argument));
}

void TurtleScreen::Right(std::string_view argument) {
    state_.Heading = TurnRight(state_.Heading, ArgumentValue(argument));
}

// The paint-mode flag follows the last draw or erase command, so that the
// graphical mode's eraser button tells the truth after a replay.
void TurtleScreen::DrawMode(std::string_view) {
    Globals().PaintMode = 0;
    picture_.SetPenColor(state_.PenColor);
    picture_.SetFontColor(state_.PenColor);
    picture_.SetBrushColor(state_.ScreenColor);
}

void TurtleScreen::EraseMode(std::string_view) {
    Globals().PaintMode = 1;
    picture_.SetPenColor(WhiteColor);
    picture_.SetFontColor(WhiteColor);
    picture_.SetBrushColor(WhiteColor);
}

// Several waits on one line add up.
void TurtleScreen::Wait(std::string_view argument) {
    const long long ms = static_cast<long long>(TruncToInt(ArgumentValue(argument))) * 1000 / 60;
    if (ms <= 0) return;
    pendingWaitMs_ = static_cast<int>(std::min<long long>(pendingWaitMs_ + ms, INT_MAX));
}

void TurtleScreen::ShowTurtle(std::string_view) {
    state_.TurtleVisible = true;
}

void TurtleScreen::HideTurtle(std::string_view) {
    state_.TurtleVisible = false;
}

void TurtleScreen::Home(std::string_view) {
    state_.TurtleX = state_.HomeX;
    state_.TurtleY = state_.HomeY;
}

void TurtleScreen::Clean(std::string_view) {
    ClearPicture();
    RequestRefresh(true);
}

void TurtleScreen::Fill(std::string_view argument) {
    const ColorValue border = IsBlank(argument) ? FindBorderColor() : ParseColor(argument);
    picture_.FloodFillBorder(state_.Position(), border);
}

// A text of blanks only is no label; any other text is drawn as given,
// blanks included, with the values of its bracketed expressions.
void TurtleScreen::Label(std::string_view argument) {
    if (IsBlank(argument)) return;
    const std::string text = TextWithValues(argument);
    picture_.SetBrushHollow();
    std::string face = state_.FontName.empty() ? DefaultFontName : state_.FontName;
    if (face.size() > MaxFaceNameLength) face.resize(MaxFaceNameLength);
    LabelFont font;
    font.face = QString::fromStdString(Cp1254ToUtf8(face));
    font.pixelHeight = LabelPixelHeight(state_.FontSize);
    font.escapement = TruncToInt((360.0L - state_.Heading) * 10.0L);
    picture_.DrawLabel(state_.Position(), QString::fromStdString(Cp1254ToUtf8(text)), font);
}

void TurtleScreen::SetX(std::string_view argument) {
    MoveTo(QPoint(ParseCoordinate(argument), state_.TurtleY));
}

void TurtleScreen::SetY(std::string_view argument) {
    MoveTo(QPoint(state_.TurtleX, ParseCoordinate(argument)));
}

void TurtleScreen::SetPos(std::string_view argument) {
    if (IsBlank(argument)) return;
    MoveTo(ParsePosition(argument));
}

void TurtleScreen::SetPenColor(std::string_view argument) {
    state_.PenColor = ParseColor(argument);
    picture_.SetFontColor(state_.PenColor);
    picture_.SetPenColor(state_.PenColor);
}

void TurtleScreen::SetFillColor(std::string_view argument) {
    state_.FillColor = ParseColor(argument);
    picture_.SetBrushColor(state_.FillColor);
}

void TurtleScreen::SetScreenColor(std::string_view argument) {
    state_.ScreenColor = ParseColor(argument);
    ClearPicture();
}

void TurtleScreen::SetFontSize(std::string_view argument) {
    const double size = ArgumentValue(argument);
    if (FitsFloat(size)) state_.FontSize = static_cast<float>(size);
}

void TurtleScreen::SetFontName(std::string_view argument) {
    if (argument.empty()) return;
    const std::size_t start = argument.find_first_not_of(' ');
    if (start == std::string_view::npos) return;
    state_.FontName = std::string(argument.substr(start));
}

void TurtleScreen::SetHeading(std::string_view argument) {
    const double heading = ArgumentValue(argument);
    if (FitsFloat(heading)) state_.Heading = static_cast<float>(heading);
}

// Fills the region under the turtle in the given colour for this one fill;
// the brush gets its previous colour back, the fill colour is not changed.
void TurtleScreen::Paint(std::string_view argument) {
    const ColorValue border = FindBorderColor();
    const ColorValue previous = picture_.BrushColor();
    picture_.SetBrushColor(ParseColor(argument));
    picture_.FloodFillBorder(state_.Position(), border);
    picture_.SetBrushColor(previous);
}

// "A,B": an ellipse B pixels across the heading and sqrt(A^2 + B^2) along it,
// starting at the turtle; drawn only with the pen down.
void TurtleScreen::Ellipse(std::string_view argument) {
    if (argument.empty()) return;
    Cursor c(argument);
    const int a = TruncToInt(ArgumentValue(ReadUntil(c, ',', true)));
    const int b = TruncToInt(ArgumentValue(ReadUntil(c, ',', false)));
    const double along = std::sqrt(static_cast<double>(a) * a + static_cast<double>(b) * b);
    const int side = TruncToInt(b * 0.5);
    const QPoint p1 = MovePoint(state_.Position(), side, state_.Heading + 90.0f);
    const QPoint p2 = MovePoint(state_.Position(), side, state_.Heading - 90.0f);
    const QPoint p4 = MovePoint(p2, TruncToInt(along), state_.Heading);
    if (state_.PenIsDown) picture_.DrawEllipse(p1.x(), p1.y(), p4.x(), p4.y());
}

void TurtleScreen::SetLengthVariable(std::string_view argument) {
    SetVariable(Globals().LengthVariableName,
                static_cast<float>(TruncToInt(ArgumentValue(argument))));
}

void TurtleScreen::SetAngleVariable(std::string_view argument) {
    SetVariable(Globals().AngleVariableName,
                static_cast<float>(TruncToInt(ArgumentValue(argument))));
}

// The file name is the text between the first two double quotes.
void TurtleScreen::SetTurtlePicture(std::string_view argument) {
    if (IsBlank(argument)) return;
    std::string path;
    const std::size_t open = argument.find('"');
    if (open != std::string_view::npos) {
        const std::size_t close = argument.find('"', open + 1);
        if (close != std::string_view::npos) path = argument.substr(open + 1, close - open - 1);
    }
    Globals().TurtlePicturePath = path;
    Globals().TurtleLook = 4;
}

} // namespace mivarelo
