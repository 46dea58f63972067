// The turtle engine: commands looked up by keyword and run by the executor,
// with the state, the picture and the process-wide values they change.
#include "engine/TurtleScreen.h"

#include "core/Encoding.h"
#include "core/GlobalSettings.h"
#include "core/Keywords.h"
#include "core/TextReaders.h"
#include "core/VariableStore.h"
#include "engine/Evaluator.h"
#include "engine/TurtleArguments.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace mivarelo;

namespace {

constexpr ColorValue Red = 0x0000FF;
constexpr ColorValue Green = 0x00FF00;
constexpr ColorValue Blue = 0xFF0000;
constexpr ColorValue Yellow = 0x00FFFF;

class TurtleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        Globals().ScreenWidth = Globals().ScreenHeight = pictureSize_;
        InstallEvaluator();
        previousStore_ = SetVariableStore(&store_);
        screen_ = std::make_unique<TurtleScreen>();
        store_.AttachScreen(screen_.get());
    }
    void TearDown() override {
        store_.AttachScreen(nullptr);
        SetVariableStore(previousStore_);
        ResetGlobals();
    }

    // One command as the line dispatcher hands it over: the keyword's code
    // and the rest of the text after the keyword, unchanged.
    bool Run(const std::string& utf8Command) {
        const std::string text = Utf8ToCp1254(utf8Command);
        Cursor c(text);
        const std::string word = ReadCommandWord(c);
        const CommandCode code = LookupCommand(word);
        EXPECT_NE(code, UnknownCode) << utf8Command;
        return screen_->ExecuteTurtleCommand(code, c.Rest());
    }
    void RunAll(const std::vector<std::string>& commands) {
        for (const std::string& command : commands)
            Run(command);
    }

    const TurtleState& State() const { return screen_->State(); }
    ColorValue Pixel(int x, int y) const { return screen_->Surface().PixelColor(x, y); }
    int CountPixels(ColorValue c, const QRect& area) const {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += Pixel(x, y) == c;
        return n;
    }
    QRect InkBounds(ColorValue c, const QRect& area) const {
        QRect r;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (Pixel(x, y) == c) r |= QRect(x, y, 1, 1);
        return r;
    }

    int pictureSize_ = 2000;
    VariableStore store_;
    VariableStore* previousStore_ = nullptr;
    std::unique_ptr<TurtleScreen> screen_;
};

} // namespace

TEST_F(TurtleTest, StartsWithTheResetState) {
    EXPECT_EQ(State().TurtleX, 500);
    EXPECT_EQ(State().TurtleY, 500);
    EXPECT_EQ(State().Heading, 0.0f);
    EXPECT_TRUE(State().PenIsDown);
    EXPECT_TRUE(State().TurtleVisible);
    EXPECT_EQ(State().PenWidth, 1);
    EXPECT_EQ(State().ScreenColor, 0xFFFFFFu);
    EXPECT_EQ(State().PenColor, 0u);
    EXPECT_EQ(State().FillColor, 0x00FFFFu);
    EXPECT_EQ(State().FontName, "Times New Roman");
    EXPECT_EQ(State().FontSize, 12.0f);
    EXPECT_EQ(State().HomeX, 500);
    EXPECT_EQ(State().HomeY, 500);
    EXPECT_EQ(screen_->Surface().Width(), 2000);
    EXPECT_EQ(screen_->Surface().Height(), 2000);
    EXPECT_EQ(screen_->Surface().BrushColor(), WhiteColor);
    EXPECT_EQ(screen_->TurtleX(), 500);
    EXPECT_EQ(screen_->TurtleY(), 500);
    EXPECT_EQ(screen_->Selection().left, -1);
}

TEST(TurtleMovePoint, UsesTheGivenConstantsAndTruncation) {
    EXPECT_EQ(MovePoint({0, 0}, 1, 180.0f), QPoint(0, 0));
    EXPECT_EQ(MovePoint({0, 0}, 2, 180.0f), QPoint(-1, 0));
    EXPECT_EQ(MovePoint({0, 0}, 3, 180.0f), QPoint(-2, 0));
    EXPECT_EQ(MovePoint({500, 500}, 100, 90.0f), QPoint(500, 600));
    EXPECT_EQ(MovePoint({500, 500}, 100, 270.0f), QPoint(500, 400));
    EXPECT_EQ(MovePoint({500, 500}, 100, 45.0f), QPoint(571, 571));
    EXPECT_EQ(MovePoint({500, 500}, 10, 30.0f), QPoint(509, 505));
    EXPECT_EQ(MovePoint({0, 0}, 1, 60.0f), QPoint(1, 1));
}

TEST(TurtleMovePoint, SaturatesInsteadOfOverflowing) {
    EXPECT_EQ(MovePoint({2147483000, 0}, 2147483647, 0.0f).x(), 2147483647);
    EXPECT_EQ(MovePoint({-2147483000, 0}, 2147483647, 180.0f).x(), -2147483647 - 1);
    EXPECT_EQ(TruncToInt(10.9), 10);
    EXPECT_EQ(TruncToInt(-10.9), -10);
    EXPECT_EQ(TruncToInt(1e300), 2147483647);
    EXPECT_EQ(TruncToInt(0.0 / 0.0), 0);
}

TEST(TurtleTurning, CorrectsTheHeadingOnceAsDescribed) {
    EXPECT_EQ(TurnRight(0.0f, -90), -90.0f);
    EXPECT_EQ(TurnLeft(10.0f, 30), 340.0f);
    EXPECT_EQ(TurnRight(0.0f, 400), 40.0f);
    EXPECT_EQ(TurnRight(0.0f, 800), 440.0f);
    EXPECT_EQ(TurnRight(360.0f, 0), 360.0f);
    EXPECT_EQ(TurnRight(350.0f, 10), 360.0f);
    EXPECT_EQ(TurnLeft(0.0f, 400), -40.0f);
    EXPECT_EQ(TurnLeft(0.0f, -400), 40.0f);
    EXPECT_EQ(TurnLeft(0.0f, -800), 440.0f);
}

// A heading or font size beyond the 32-bit float range cannot be stored:
// the field keeps its value, so the turtle never loses its direction.
TEST(TurtleTurning, ATurnBeyondTheFloatRangeKeepsTheHeading) {
    EXPECT_EQ(TurnRight(30.0f, 1e50), 30.0f);
    EXPECT_EQ(TurnLeft(30.0f, -1e50), 30.0f);
    EXPECT_EQ(TurnRight(30.0f, 0.0 / 0.0), 30.0f);
    EXPECT_EQ(TurnLeft(3e38f, -3e38), 3e38f);
    EXPECT_EQ(TurnRight(0.0f, 3e38), 3e38f);
    // Refused turns leave even a heading above 360 uncorrected.
    EXPECT_EQ(TurnRight(400.0f, 1e50), 400.0f);
    EXPECT_EQ(TurnLeft(-30.0f, 1e50), -30.0f);
}

TEST_F(TurtleTest, HeadingsAndFontSizesBeyondTheFloatRangeAreRefused) {
    const std::string huge = "1" + std::string(50, '0');
    RunAll({"rt 30", "seth " + huge, "rt " + huge, "lt " + huge, "fs " + huge});
    EXPECT_EQ(State().Heading, 30.0f);
    EXPECT_EQ(State().FontSize, 12.0f);
    Run("fd 10");
    EXPECT_EQ(State().Position(), QPoint(509, 505));
}

TEST_F(TurtleTest, ForwardAndBackMoveByTruncatedDistances) {
    Run("fd 10.9");
    EXPECT_EQ(State().Position(), QPoint(510, 500));
    Run("fd -10");
    EXPECT_EQ(State().Position(), QPoint(500, 500));
    Run("bk 10");
    EXPECT_EQ(State().Position(), QPoint(490, 500));
    EXPECT_EQ(State().Heading, 0.0f);
    Run("fd");
    EXPECT_EQ(State().Position(), QPoint(490, 500));
}

TEST_F(TurtleTest, TurnsThenMovesAlongTheHeading) {
    Run("rt 90");
    Run("fd 100");
    EXPECT_EQ(State().Position(), QPoint(500, 600));
    Run("cs");
    Run("lt 90");
    Run("fd 100");
    EXPECT_EQ(State().Position(), QPoint(500, 400));
    EXPECT_EQ(State().Heading, 270.0f);
    Run("seth 180");
    Run("fd 2");
    EXPECT_EQ(State().Position(), QPoint(498, 400));
    Run("seth -720.5");
    EXPECT_EQ(State().Heading, -720.5f);
}

TEST_F(TurtleTest, ForwardDrawsALineWithoutItsEndPixel) {
    screen_->Surface().TakeDirtyRect();
    Run("fd 10");
    EXPECT_EQ(Pixel(500, 500), BlackColor);
    EXPECT_EQ(Pixel(509, 500), BlackColor);
    EXPECT_EQ(Pixel(510, 500), WhiteColor);
    EXPECT_EQ(Pixel(499, 500), WhiteColor);
    EXPECT_EQ(CountPixels(BlackColor, QRect(480, 480, 50, 50)), 10);
    EXPECT_EQ(screen_->Surface().DirtyRect(), QRect(500, 500, 10, 1));
    Run("pu");
    Run("fd 10");
    EXPECT_EQ(Pixel(515, 500), WhiteColor);
    Run("pd");
    Run("bk 5");
    EXPECT_EQ(Pixel(520, 500), BlackColor);
    EXPECT_EQ(Pixel(516, 500), BlackColor);
    EXPECT_EQ(Pixel(515, 500), WhiteColor);
}

TEST_F(TurtleTest, HugeMovesAreClippedWithTheSameVisibleLine) {
    Run("fd 1000000");
    EXPECT_EQ(State().Position(), QPoint(1000500, 500));
    EXPECT_EQ(CountPixels(BlackColor, QRect(0, 499, 2000, 3)), 1500);
    EXPECT_EQ(Pixel(1999, 500), BlackColor);
    Run("rt 90");
    Run("fd 2147483647");
    EXPECT_EQ(State().Position(), QPoint(1000500, 2147483647));
    Run("setpos [-5000 -5000]");
    EXPECT_EQ(State().Position(), QPoint(-5000, -5000));
}

TEST_F(TurtleTest, SetPosAcceptsBothFormsAndDrawsWithThePenDown) {
    Run("pu");
    Run("setpos [100 200]");
    EXPECT_EQ(State().Position(), QPoint(100, 200));
    Run("setpos 300,400");
    EXPECT_EQ(State().Position(), QPoint(300, 400));
    screen_->ExecuteTurtleCommand(LookupCommand("setpos"), "");
    EXPECT_EQ(State().Position(), QPoint(300, 400));
    Run("setpos");
    EXPECT_EQ(State().Position(), QPoint(300, 400));
    Run("setpos   [7   8]");
    EXPECT_EQ(State().Position(), QPoint(7, 8));
    Run("pd");
    Run("setpos [10+10 2*4]");
    EXPECT_EQ(State().Position(), QPoint(20, 8));
    EXPECT_EQ(Pixel(6, 8), WhiteColor);
    EXPECT_EQ(Pixel(7, 8), BlackColor);
    EXPECT_EQ(Pixel(19, 8), BlackColor);
    EXPECT_EQ(Pixel(20, 8), WhiteColor);
}

TEST_F(TurtleTest, SetXAndSetYMoveOneCoordinate) {
    Run("setx 600");
    EXPECT_EQ(State().Position(), QPoint(600, 500));
    EXPECT_EQ(Pixel(599, 500), BlackColor);
    Run("sety [450]");
    EXPECT_EQ(State().Position(), QPoint(600, 450));
    EXPECT_EQ(Pixel(600, 451), BlackColor);
    EXPECT_EQ(Pixel(600, 450), WhiteColor);
    Run("kurx 10,99");
    EXPECT_EQ(State().TurtleX, 10);
    Run("setx");
    EXPECT_EQ(State().TurtleX, 0);
}

TEST_F(TurtleTest, ParsesColoursAndPositions) {
    EXPECT_EQ(ParseColor(" [255 0 0]"), 0x0000FFu);
    EXPECT_EQ(ParseColor("[300 0 0]"), 44u);
    EXPECT_EQ(ParseColor("[255,0,0]"), 0x0000FFu);
    EXPECT_EQ(ParseColor(" 0,255,0"), 0x00FF00u);
    EXPECT_EQ(ParseColor("[0 0 255"), 0xFF0000u);
    EXPECT_EQ(ParseColor("[-1 256 0]"), 0x0000FFu);
    EXPECT_EQ(ParseColor("[10]"), 10u);
    EXPECT_EQ(ParseColor("[]"), 0u);
    EXPECT_EQ(ParseColor(""), 0u);
    EXPECT_EQ(ParseColor("   "), 0u);
    EXPECT_EQ(ParseColor("[100+100 2*3 1]"), MakeColor(200, 6, 1));
    EXPECT_EQ(ParsePosition(" 100, 200"), QPoint(100, 200));
    EXPECT_EQ(ParsePosition(""), QPoint(0, 0));
    EXPECT_EQ(ParsePosition("[-3   4]"), QPoint(-3, 4));
    EXPECT_EQ(ParsePosition("[  100 200 ;  ]"), QPoint(100, 200));
    EXPECT_EQ(ParseCoordinate(" [12.9]"), 12);
    EXPECT_EQ(ParseCoordinate(" -7,5"), -7);
    EXPECT_EQ(ParseCoordinate("  "), 0);
}

TEST_F(TurtleTest, PenColourSetsStateSurfacePenAndFontColour) {
    Run("setpc [300 0 0]");
    EXPECT_EQ(State().PenColor, 44u);
    Run("setpc [255 0 0]");
    EXPECT_EQ(State().PenColor, 0x0000FFu);
    EXPECT_EQ(screen_->Surface().PenColor(), Red);
    EXPECT_EQ(screen_->Surface().FontColor(), Red);
    Run("fd 5");
    EXPECT_EQ(Pixel(502, 500), Red);
    EXPECT_EQ(screen_->Surface().Image().pixel(502, 500), qRgb(255, 0, 0));
}

TEST_F(TurtleTest, FillColourSetsOnlyTheBrush) {
    Run("setfc [0 0 255]");
    EXPECT_EQ(State().FillColor, Blue);
    EXPECT_EQ(screen_->Surface().BrushColor(), Blue);
    EXPECT_EQ(screen_->Surface().PenColor(), BlackColor);
    EXPECT_EQ(Pixel(500, 500), WhiteColor);
}

TEST_F(TurtleTest, ScreenColourErasesTheDrawingAndPaintsIt) {
    Run("fd 100");
    Run("setsc [0 0 255]");
    EXPECT_EQ(State().ScreenColor, Blue);
    EXPECT_EQ(Pixel(550, 500), Blue);
    EXPECT_EQ(Pixel(0, 0), Blue);
    EXPECT_EQ(Pixel(1999, 1999), Blue);
    EXPECT_EQ(screen_->Surface().BrushColor(), Blue);
    EXPECT_EQ(State().Position(), QPoint(600, 500));
}

TEST_F(TurtleTest, ClearScreenReturnsToTheStartNotHome) {
    Run("pu");
    Run("setpos [100 100]");
    Run("sethome");
    Run("setpos [300 300]");
    Run("pd");
    Run("rt 45");
    Run("fd 50");
    Run("cs");
    EXPECT_EQ(State().Position(), QPoint(500, 500));
    EXPECT_EQ(State().Heading, 0.0f);
    EXPECT_EQ(CountPixels(BlackColor, QRect(290, 290, 60, 60)), 0);
    EXPECT_EQ(screen_->TakeRefreshRequest(), RefreshRequest::Forced);
    Run("rt 90");
    Run("home");
    EXPECT_EQ(State().Position(), QPoint(100, 100));
    EXPECT_EQ(State().Heading, 90.0f);
    EXPECT_EQ(CountPixels(BlackColor, QRect(0, 0, 600, 600)), 0);
}

TEST_F(TurtleTest, CleanKeepsTheTurtle) {
    Run("rt 90");
    Run("fd 30");
    Run("clean");
    EXPECT_EQ(State().Position(), QPoint(500, 530));
    EXPECT_EQ(State().Heading, 90.0f);
    EXPECT_EQ(Pixel(500, 510), WhiteColor);
    EXPECT_EQ(screen_->TakeRefreshRequest(), RefreshRequest::Forced);
}

TEST_F(TurtleTest, FillOnAFreshPicturePaintsWithTheWhiteBrushLeftByClearing) {
    Run("fill");
    EXPECT_EQ(Pixel(500, 500), WhiteColor);
    EXPECT_EQ(Pixel(0, 0), WhiteColor);
    Run("setfc [255 0 0]");
    Run("fill");
    EXPECT_EQ(Pixel(500, 500), Red);
    EXPECT_EQ(Pixel(0, 0), Red);
    EXPECT_EQ(Pixel(1999, 1999), Red);
}

TEST_F(TurtleTest, ClosedSquareHasNoGapForTheFill) {
    for (int i = 0; i < 4; ++i)
        RunAll({"fd 100", "rt 90"});
    RunAll({"pu", "setpos [550 550]", "setfc [0 255 0]", "fill"});
    EXPECT_EQ(Pixel(550, 550), Green);
    EXPECT_EQ(Pixel(501, 501), Green);
    EXPECT_EQ(Pixel(599, 599), Green);
    EXPECT_EQ(Pixel(500, 500), BlackColor);
    EXPECT_EQ(Pixel(600, 550), BlackColor);
    EXPECT_EQ(Pixel(550, 600), BlackColor);
    EXPECT_EQ(Pixel(450, 450), WhiteColor);
    EXPECT_EQ(Pixel(601, 550), WhiteColor);
    EXPECT_EQ(CountPixels(Green, QRect(400, 400, 300, 300)), 99 * 99);
}

TEST_F(TurtleTest, SlantedTriangleHoldsTheFill) {
    RunAll({"fd 200", "rt 120", "fd 200", "rt 120", "fd 200"});
    EXPECT_EQ(State().Position(), QPoint(500, 500));
    RunAll({"pu", "rt 150", "fd 60", "setfc [0 0 255]", "fill"});
    EXPECT_EQ(State().Position(), QPoint(552, 530));
    EXPECT_EQ(Pixel(552, 530), Blue);
    EXPECT_EQ(Pixel(600, 670), Blue);
    EXPECT_EQ(Pixel(600, 674), WhiteColor);
    EXPECT_EQ(Pixel(500, 600), WhiteColor);
    EXPECT_EQ(Pixel(700, 600), WhiteColor);
    EXPECT_EQ(Pixel(400, 400), WhiteColor);
    EXPECT_EQ(Pixel(1000, 1000), WhiteColor);
    EXPECT_EQ(Pixel(0, 0), WhiteColor);
}

TEST_F(TurtleTest, FillWithAnArgumentUsesItAsTheBorder) {
    RunAll({"setpc [255 0 0]", "pu", "setpos [400 400]", "pd"});
    RunAll({"setx 700", "sety 700", "setx 400", "sety 400"});
    RunAll({"pu", "setpos [450 450]", "setpc [0 0 0]", "pd", "setx 650", "pu"});
    RunAll({"setpos [500 500]", "setfc [0 0 255]", "fill [255 0 0]"});
    EXPECT_EQ(Pixel(500, 500), Blue);
    EXPECT_EQ(Pixel(600, 450), Blue);
    EXPECT_EQ(Pixel(500, 420), Blue);
    EXPECT_EQ(Pixel(300, 300), WhiteColor);
    Run("fill   ");
    EXPECT_EQ(Pixel(300, 300), WhiteColor);
}

TEST_F(TurtleTest, FindBorderColorLooksLeftRightUpDown) {
    EXPECT_EQ(screen_->FindBorderColor(), BlackColor);
    RunAll({"pu", "setpos [600 0]", "setpc [0 255 0]", "pd", "sety 1000"});
    RunAll({"pu", "setpos [0 700]", "setpc [0 0 255]", "pd", "setx 1000"});
    RunAll({"pu", "setpos [500 500]"});
    EXPECT_EQ(screen_->FindBorderColor(), Green);
    RunAll({"setpos [450 0]", "setpc [255 0 0]", "pd", "sety 1000", "pu", "setpos [500 500]"});
    EXPECT_EQ(screen_->FindBorderColor(), Red);
    RunAll({"setpos [1500 700]"});
    EXPECT_EQ(screen_->FindBorderColor(), Blue);
    RunAll({"setpos [300 1500]"});
    EXPECT_EQ(screen_->FindBorderColor(), Blue);
    RunAll({"setpos [300 200]"});
    EXPECT_EQ(screen_->FindBorderColor(), Red);
    RunAll({"setpos [1500 1500]"});
    EXPECT_EQ(screen_->FindBorderColor(), BlackColor);
    RunAll({"cs", "pu", "setpos [0 0]", "pd", "sety 2000", "pu", "setpos [50 50]"});
    EXPECT_EQ(screen_->FindBorderColor(), BlackColor);
}

TEST_F(TurtleTest, PaintUsesTheGivenColourOnceAndRestoresTheBrush) {
    for (int i = 0; i < 4; ++i)
        RunAll({"fd 100", "rt 90"});
    RunAll({"setfc [0 255 0]", "pu", "setpos [550 550]", "boya [255 0 0]"});
    EXPECT_EQ(Pixel(550, 550), Red);
    EXPECT_EQ(Pixel(450, 450), WhiteColor);
    EXPECT_EQ(State().FillColor, Green);
    EXPECT_EQ(screen_->Surface().BrushColor(), Green);
    // After a label the brush is hollow; boya sets and restores its colour,
    // which leaves it solid again, so the next fill paints.
    RunAll({"pu", "setpos [300 300]", "label x", "setpos [550 550]", "boya [0 0 255]"});
    EXPECT_EQ(Pixel(550, 550), Blue);
    EXPECT_FALSE(screen_->Surface().BrushHollow());
    Run("fill");
    EXPECT_EQ(Pixel(550, 550), Green);
}

TEST_F(TurtleTest, EraseAndDrawModes) {
    Run("fd 20");
    RunAll({"pe", "bk 20"});
    // The erasing line leaves its own end pixel, the start of the first line.
    EXPECT_EQ(CountPixels(BlackColor, QRect(490, 490, 40, 20)), 1);
    EXPECT_EQ(Pixel(500, 500), BlackColor);
    EXPECT_EQ(screen_->Surface().PenColor(), WhiteColor);
    EXPECT_EQ(screen_->Surface().BrushColor(), WhiteColor);
    EXPECT_EQ(screen_->Surface().FontColor(), WhiteColor);
    RunAll({"setpc [0 0 255]", "setsc [0 255 0]", "pe", "ppt"});
    EXPECT_EQ(screen_->Surface().PenColor(), Blue);
    EXPECT_EQ(screen_->Surface().FontColor(), Blue);
    EXPECT_EQ(screen_->Surface().BrushColor(), Green);
    EXPECT_EQ(screen_->Surface().Mode(), CopyMode::SourceCopy);
}

TEST_F(TurtleTest, PenWidthSetsStateAndSurface) {
    Run("spw 5");
    EXPECT_EQ(State().PenWidth, 5);
    EXPECT_EQ(screen_->Surface().PenWidth(), 5);
    Run("spw");
    EXPECT_EQ(State().PenWidth, 5);
    Run("rt 90");
    Run("fd 50");
    EXPECT_EQ(CountPixels(BlackColor, QRect(480, 520, 40, 1)), 5);
    // Blanks only are no argument either.
    Run("spw  ");
    EXPECT_EQ(State().PenWidth, 5);
    Run("spw 0");
    EXPECT_EQ(State().PenWidth, 0);
    Run("setpenwidth 2.9");
    EXPECT_EQ(State().PenWidth, 2);
}

TEST_F(TurtleTest, FontNameAndSize) {
    Run("fn   Arial  ");
    EXPECT_EQ(State().FontName, "Arial  ");
    Run("fn    ");
    EXPECT_EQ(State().FontName, "Arial  ");
    Run("fs 10.5");
    EXPECT_EQ(State().FontSize, 10.5f);
    Run("setyaziboyu 2*12");
    EXPECT_EQ(State().FontSize, 24.0f);
}

TEST_F(TurtleTest, LabelDrawsInkOfTheFontColourWithoutABox) {
    RunAll({"setsc [0 0 255]", "setpc [255 0 0]", "fn DejaVu Sans", "label Mivarelo"});
    const QRect area(400, 400, 400, 200);
    const int red = CountPixels(Red, area);
    EXPECT_GT(red, 50);
    EXPECT_EQ(red + CountPixels(Blue, area), 400 * 200);
    const QRect ink = InkBounds(Red, area);
    EXPECT_GE(ink.left(), 500);
    EXPECT_GE(ink.top(), 500);
    EXPECT_LE(ink.bottom(), 516);
    EXPECT_GT(ink.right(), 540);
    EXPECT_EQ(State().Position(), QPoint(500, 500));
    EXPECT_TRUE(screen_->Surface().BrushHollow());
    Run("setfc [0 255 0]");
    EXPECT_FALSE(screen_->Surface().BrushHollow());
}

TEST_F(TurtleTest, LabelRunsAlongTheHeading) {
    RunAll({"fn DejaVu Sans", "rt 90", "label Mivarelo"});
    const QRect ink = InkBounds(BlackColor, QRect(400, 400, 200, 200));
    EXPECT_LE(ink.right(), 500);
    EXPECT_GE(ink.left(), 500 - 17);
    EXPECT_GE(ink.top(), 500);
    EXPECT_GT(ink.bottom(), 540);
}

TEST_F(TurtleTest, LabelSizeFollowsTheFontSizeAtNinetySixPixelsPerInch) {
    RunAll({"fn DejaVu Sans", "label H"});
    const int small = InkBounds(BlackColor, QRect(490, 490, 100, 100)).height();
    RunAll({"cs", "fs 48", "label H"});
    const int large = InkBounds(BlackColor, QRect(490, 490, 100, 100)).height();
    // A capital is about 0.73 em: 16 pixels at 12 points, 64 at 48.
    EXPECT_GE(small, 10);
    EXPECT_LE(small, 13);
    EXPECT_GE(large, 44);
    EXPECT_LE(large, 49);
}

TEST_F(TurtleTest, LabelTextIsConvertedFromTheCodePage) {
    RunAll({"fn DejaVu Sans", "label ĞŞİ"});
    EXPECT_GT(CountPixels(BlackColor, QRect(490, 490, 100, 40)), 40);
}

TEST_F(TurtleTest, EmptyLabelDrawsNothingButRefreshes) {
    screen_->TakeRefreshRequest();
    screen_->ExecuteTurtleCommand(LookupCommand("label"), "");
    EXPECT_EQ(CountPixels(BlackColor, QRect(400, 400, 300, 200)), 0);
    EXPECT_FALSE(screen_->Surface().BrushHollow());
    EXPECT_EQ(screen_->TakeRefreshRequest(), RefreshRequest::Normal);
}

TEST_F(TurtleTest, EllipseLiesAheadOfTheTurtle) {
    RunAll({"setfc [255 0 0]", "elips 40,20"});
    EXPECT_EQ(State().Position(), QPoint(500, 500));
    // Rectangle x 500..543, y 490..509.
    EXPECT_EQ(Pixel(500, 499), BlackColor);
    EXPECT_EQ(Pixel(499, 499), WhiteColor);
    EXPECT_EQ(Pixel(543, 500), BlackColor);
    EXPECT_EQ(Pixel(544, 500), WhiteColor);
    EXPECT_EQ(Pixel(521, 490), BlackColor);
    EXPECT_EQ(Pixel(521, 489), WhiteColor);
    EXPECT_EQ(Pixel(521, 509), BlackColor);
    EXPECT_EQ(Pixel(521, 510), WhiteColor);
    EXPECT_EQ(Pixel(521, 500), Red);
    RunAll({"cs", "pu", "elips 40,20"});
    EXPECT_EQ(CountPixels(BlackColor, QRect(480, 480, 80, 40)), 0);
    // Heading down: the rectangle x 495..504, y 500..509, a circle.
    RunAll({"pd", "rt 90", "elips 0,10"});
    EXPECT_EQ(Pixel(495, 504), BlackColor);
    EXPECT_EQ(Pixel(494, 504), WhiteColor);
    EXPECT_EQ(Pixel(504, 505), BlackColor);
    EXPECT_EQ(Pixel(505, 505), WhiteColor);
    EXPECT_EQ(Pixel(499, 500), BlackColor);
    EXPECT_EQ(Pixel(499, 499), WhiteColor);
    EXPECT_EQ(Pixel(500, 509), BlackColor);
    EXPECT_EQ(Pixel(500, 510), WhiteColor);
    RunAll({"cs", "elips 10,0"});
    EXPECT_EQ(CountPixels(BlackColor, QRect(480, 480, 80, 40)), 0);
}

TEST_F(TurtleTest, WaitRecordsTheIntervalForTheScheduler) {
    EXPECT_EQ(screen_->TakePendingWaitMs(), 0);
    Run("wait 60");
    EXPECT_EQ(screen_->TakePendingWaitMs(), 1000);
    EXPECT_EQ(screen_->TakePendingWaitMs(), 0);
    Run("bekle 1");
    EXPECT_EQ(screen_->TakePendingWaitMs(), 16);
    Run("wait 0");
    Run("wait -5");
    Run("wait 0.9");
    EXPECT_EQ(screen_->TakePendingWaitMs(), 0);
    Run("wait 3");
    Run("wait 3");
    EXPECT_EQ(screen_->TakePendingWaitMs(), 100);
    Run("wait 99999999999");
    EXPECT_EQ(screen_->TakePendingWaitMs(), 2147483647);
}

TEST_F(TurtleTest, StopSetsTheStopFlag) {
    for (const char* word : {"stop", "durdur", "bye", "hoşçakal"}) {
        Globals().StopRequested = false;
        EXPECT_TRUE(Run(word));
        EXPECT_TRUE(Globals().StopRequested) << word;
    }
}

TEST_F(TurtleTest, TurtlePictureTakesTheQuotedName) {
    Run("setsh \"c:\\kaplumbaga.bmp\" rest");
    EXPECT_EQ(Globals().TurtlePicturePath, "c:\\kaplumbaga.bmp");
    EXPECT_EQ(Globals().TurtleLook, 4);
    Globals().TurtleLook = 1;
    Run("degresim noquotes");
    EXPECT_EQ(Globals().TurtlePicturePath, "");
    EXPECT_EQ(Globals().TurtleLook, 4);
    Globals().TurtleLook = 1;
    Globals().TurtlePicturePath = "x.bmp";
    screen_->ExecuteTurtleCommand(LookupCommand("setsh"), "");
    EXPECT_EQ(Globals().TurtleLook, 1);
    EXPECT_EQ(Globals().TurtlePicturePath, "x.bmp");
}

TEST_F(TurtleTest, StepVariablesAreSetAsWholeNumbers) {
    Run("setuzunluk 25.7");
    EXPECT_EQ(GetVariable(Globals().LengthVariableName), 25.0f);
    Run("setyayaci -45.5");
    EXPECT_EQ(GetVariable(Globals().AngleVariableName), -45.0f);
}

TEST_F(TurtleTest, TurtlePositionIsReadableThroughTheVariableStore) {
    RunAll({"pu", "setpos [123 456]"});
    EXPECT_EQ(GetVariable("_nerdex"), 123.0f);
    EXPECT_EQ(GetVariable("_nerdey"), 456.0f);
}

TEST_F(TurtleTest, ResetRestoresDefaultsButKeepsHomeAndLook) {
    RunAll({"pu", "setpos [100 100]", "sethome", "rt 33", "ht", "spw 7", "setpc [1 2 3]",
            "setfc [4 5 6]", "setsc [7 8 9]", "fn Arial", "fs 30"});
    Globals().TurtleLook = 3;
    Globals().TestResult = 1;
    screen_->Selection() = SelectionRect{1, 2, 3, 4};
    Globals().PaintMode = 1;
    Run("reset");
    EXPECT_EQ(State().Position(), QPoint(500, 500));
    EXPECT_EQ(State().Heading, 0.0f);
    EXPECT_TRUE(State().PenIsDown);
    EXPECT_TRUE(State().TurtleVisible);
    EXPECT_EQ(State().PenWidth, 1);
    EXPECT_EQ(State().PenColor, 0u);
    EXPECT_EQ(State().FillColor, Yellow);
    EXPECT_EQ(State().ScreenColor, WhiteColor);
    EXPECT_EQ(State().FontName, "Times New Roman");
    EXPECT_EQ(State().FontSize, 12.0f);
    EXPECT_EQ(State().HomeX, 100);
    EXPECT_EQ(State().HomeY, 100);
    EXPECT_EQ(Globals().TurtleLook, 3);
    EXPECT_EQ(Globals().TestResult, 1);
    EXPECT_EQ(Globals().PaintMode, 0);
    EXPECT_EQ(screen_->Selection().left, -1);
    EXPECT_EQ(Pixel(0, 0), WhiteColor);
    EXPECT_EQ(screen_->Surface().PenColor(), BlackColor);
    EXPECT_EQ(screen_->Surface().PenWidth(), 1);
    EXPECT_EQ(screen_->Surface().FontColor(), BlackColor);
    EXPECT_EQ(screen_->Surface().BrushColor(), Yellow);
    Run("fill");
    EXPECT_EQ(Pixel(0, 0), Yellow);
}

TEST_F(TurtleTest, RefreshIsRequestedOncePerCommandAndForcedByClearing) {
    EXPECT_EQ(screen_->TakeRefreshRequest(), RefreshRequest::Normal);
    EXPECT_EQ(screen_->TakeRefreshRequest(), RefreshRequest::None);
    Run("rt 10");
    EXPECT_EQ(screen_->TakeRefreshRequest(), RefreshRequest::Normal);
    RunAll({"cs", "fd 10"});
    EXPECT_EQ(screen_->TakeRefreshRequest(), RefreshRequest::Forced);
}

TEST_F(TurtleTest, ControlFlowCodesGoToTheHandlerWithoutRefresh) {
    screen_->TakeRefreshRequest();
    EXPECT_TRUE(screen_->ExecuteTurtleCommand(LookupCommand("repeat"), " 4 [fd 10]"));
    EXPECT_EQ(screen_->TakeRefreshRequest(), RefreshRequest::None);
    std::vector<std::pair<CommandCode, std::string>> seen;
    screen_->SetControlFlowHandler([&](CommandCode code, std::string_view argument) {
        seen.emplace_back(code, std::string(argument));
        return code != AssignmentCode;
    });
    EXPECT_TRUE(screen_->ExecuteTurtleCommand(LookupCommand("tekrar"), " 4 [fd 10]"));
    EXPECT_FALSE(screen_->ExecuteTurtleCommand(AssignmentCode, "x"));
    EXPECT_TRUE(screen_->ExecuteTurtleCommand(LookupCommand("test"), " 1 > 2"));
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], std::make_pair(CommandCode(41), std::string(" 4 [fd 10]")));
    EXPECT_EQ(seen[1].first, AssignmentCode);
    EXPECT_EQ(seen[2].first, 97);
    EXPECT_EQ(State().Position(), QPoint(500, 500));
    EXPECT_EQ(screen_->TakeRefreshRequest(), RefreshRequest::None);
    for (CommandCode code :
         {41,  73,  89,  90,  96,  97,  98,  99,  100, 101, 104, 105, 106, 107,           108,
          109, 110, 111, 112, 113, 123, 124, 125, 126, 127, 128, 129, 130, AssignmentCode})
        EXPECT_TRUE(IsControlFlowCode(code)) << code;
    for (CommandCode code : {0, 1, 18, 36, 87, 102, 114, 121, 122, 199})
        EXPECT_FALSE(IsControlFlowCode(code)) << code;
}

namespace {

// Everything a command can change, for comparing synonyms.
struct Fingerprint {
    TurtleState state;
    ColorValue pen, brush, font;
    int penWidth;
    bool hollow;
    QImage picture;
    bool stop;
    int look;
    std::string path;
    int waitMs;
    double length, angle;

    bool operator==(const Fingerprint& o) const {
        const TurtleState& a = state;
        const TurtleState& b = o.state;
        return a.TurtleX == b.TurtleX && a.TurtleY == b.TurtleY && a.Heading == b.Heading &&
               a.PenIsDown == b.PenIsDown && a.TurtleVisible == b.TurtleVisible &&
               a.PenWidth == b.PenWidth && a.ScreenColor == b.ScreenColor &&
               a.PenColor == b.PenColor && a.FillColor == b.FillColor && a.FontName == b.FontName &&
               a.FontSize == b.FontSize && a.HomeX == b.HomeX && a.HomeY == b.HomeY &&
               pen == o.pen && brush == o.brush && font == o.font && penWidth == o.penWidth &&
               hollow == o.hollow && picture == o.picture && stop == o.stop && look == o.look &&
               path == o.path && waitMs == o.waitMs && length == o.length && angle == o.angle;
    }
};

} // namespace

class TurtleSynonymTest : public TurtleTest {
protected:
    // A smaller picture keeps the many resets of this test quick.
    TurtleSynonymTest() { pictureSize_ = 700; }
    Fingerprint Take() {
        const Picture& p = screen_->Surface();
        return {State(),
                p.PenColor(),
                p.BrushColor(),
                p.FontColor(),
                p.PenWidth(),
                p.BrushHollow(),
                p.Image().copy(),
                Globals().StopRequested,
                Globals().TurtleLook,
                Globals().TurtlePicturePath,
                screen_->TakePendingWaitMs(),
                GetVariable(Globals().LengthVariableName),
                GetVariable(Globals().AngleVariableName)};
    }
    // A known starting point; `prelude` then makes the command's effect visible.
    void Prepare(const std::vector<std::string>& prelude = {}) {
        Globals().StopRequested = false;
        Globals().TurtleLook = 0;
        Globals().TurtlePicturePath.clear();
        store_.SetVariable(Globals().LengthVariableName, 0.0f);
        store_.SetVariable(Globals().AngleVariableName, 0.0f);
        screen_->State().HomeX = 300;
        screen_->State().HomeY = 300;
        RunAll({"reset", "setpc [200 0 0]", "setsc [250 250 250]", "rt 30", "fd 40", "pu",
                "setpos [530 520]"});
        RunAll(prelude);
        screen_->TakePendingWaitMs();
    }
};

TEST_F(TurtleSynonymTest, EveryKeywordOfAGroupHasTheSameEffect) {
    struct Group {
        std::vector<std::string> keywords;
        std::string argument;
        std::vector<std::string> prelude;
    };
    const std::vector<Group> groups{
        {{"sıfırla", "reset"}, "", {}},
        {{"setkalemkalınlık", "setpenwidth", "kk", "spw"}, " 4", {}},
        {{"bye", "hoşçakal", "stop", "durdur"}, "", {}},
        {{"setev", "sethome", "degev"}, "", {}},
        {{"pd", "ka", "pendown", "kalemaşağı"}, "", {}},
        {{"pu", "ky", "penup", "kalemyukarı"}, "", {"pd"}},
        {{"et", "ekrantemizle", "clearscreen", "cs"}, "", {}},
        {{"ileri", "ig", "fd", "forward"}, " 25", {"pd"}},
        {{"geri", "gg", "bk", "back"}, " 25", {"pd"}},
        {{"sol", "lt", "left"}, " 20", {}},
        {{"sağ", "sag", "rt", "right"}, " 20", {}},
        {{"ppt", "modc"}, "", {"pe"}},
        {{"pe", "mods"}, "", {}},
        {{"bekle", "wait"}, " 30", {}},
        {{"gösterkaplumbağa", "gk", "showturtle", "st"}, "", {"ht"}},
        {{"saklakaplumbağa", "sk", "hideturtle", "ht"}, "", {}},
        {{"ev", "home"}, "", {}},
        {{"temizle", "clean"}, "", {}},
        {{"doldur", "fill"}, "", {"setfc [0 0 200]"}},
        {{"yaz", "label"}, " abc", {}},
        {{"kurx", "setx"}, " 600", {"pd"}},
        {{"kury", "sety"}, " 600", {"pd"}},
        {{"kurpos", "setpos"}, " [10 20]", {"pd"}},
        {{"değiştirkalemrenk", "degkr", "setpencolor", "setpc"}, " [1 2 3]", {}},
        {{"değiştirdolgurenk", "degdr", "setfillcolor", "setfc"}, " [4 5 6]", {}},
        {{"değiştirekranrenk", "deger", "setscreencolor", "setsc"}, " [7 8 9]", {}},
        {{"setfontsize", "setyaziboyu", "fs", "yb"}, " 20", {}},
        {{"setfontname", "setyazıadı", "fn", "ya"}, " Courier", {}},
        {{"seth", "yond"}, " 77", {}},
        {{"boya"}, " [0 255 0]", {}},
        {{"elips"}, " 30,20", {"pd", "seth 0"}},
        {{"setuzunluk"}, " 15", {}},
        {{"setyayaci"}, " 15", {}},
        {{"setsh", "degresim"}, " \"t.bmp\"", {}},
    };
    const std::vector<std::string> noEffect{"arc", "yay", "px", "modt", "make", "yap"};

    for (const Group& g : groups) {
        Prepare(g.prelude);
        const Fingerprint before = Take();
        std::vector<Fingerprint> effects;
        for (const std::string& k : g.keywords) {
            Prepare(g.prelude);
            EXPECT_TRUE(Run(k + g.argument)) << k;
            effects.push_back(Take());
        }
        EXPECT_FALSE(effects.front() == before) << g.keywords.front() << " changed nothing";
        for (std::size_t i = 1; i < effects.size(); ++i)
            EXPECT_TRUE(effects[i] == effects.front())
                << g.keywords[i] << " differs from " << g.keywords.front();
    }

    Prepare();
    const Fingerprint before = Take();
    for (const std::string& k : noEffect) {
        Prepare();
        EXPECT_TRUE(Run(k + " 10 20")) << k;
        EXPECT_TRUE(Take() == before) << k;
    }
    Prepare();
    EXPECT_TRUE(screen_->ExecuteTurtleCommand(199, " 1"));
    EXPECT_TRUE(screen_->ExecuteTurtleCommand(0, " 1"));
    EXPECT_TRUE(Take() == before);
}
