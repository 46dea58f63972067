// The drawing surface: attributes, pixel-exact lines and strokes, clipping,
// rectangles, border fills, ellipses and the dirty rectangle.
#include "engine/Picture.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

using namespace mivarelo;

namespace {

constexpr ColorValue Red = 0x0000FF;
constexpr ColorValue Green = 0x00FF00;
constexpr ColorValue Blue = 0xFF0000;

// Every pixel of the given colour.
std::set<std::pair<int, int>> PixelsOf(const Picture& p, ColorValue c) {
    std::set<std::pair<int, int>> found;
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x)
            if (p.PixelColor(x, y) == c) found.insert({x, y});
    return found;
}

// The classic incremental Bresenham line (error term, a step along the minor
// axis when the error turns positive), walked in full without clipping; the
// end pixel is left out. Only pixels inside width x height are kept.
std::set<std::pair<int, int>> ReferenceLine(long long x0, long long y0, long long x1, long long y1,
                                            int width, int height) {
    const long long dx = std::llabs(x1 - x0), dy = std::llabs(y1 - y0);
    const int sx = x1 >= x0 ? 1 : -1, sy = y1 >= y0 ? 1 : -1;
    const bool xMajor = dx >= dy;
    const long long L = xMajor ? dx : dy, M = xMajor ? dy : dx;
    long long x = x0, y = y0, d = 2 * M - L;
    std::set<std::pair<int, int>> pixels;
    for (long long i = 0; i < L; ++i) {
        if (x >= 0 && y >= 0 && x < width && y < height) pixels.insert({int(x), int(y)});
        if (d > 0) {
            if (xMajor)
                y += sy;
            else
                x += sx;
            d -= 2 * L;
        }
        d += 2 * M;
        if (xMajor)
            x += sx;
        else
            y += sy;
    }
    return pixels;
}

} // namespace

TEST(PictureSurface, NewSurfaceIsWhiteWithBlackPenAndSolidWhiteBrush) {
    Picture p(30, 20);
    EXPECT_EQ(p.Width(), 30);
    EXPECT_EQ(p.Height(), 20);
    EXPECT_EQ(PixelsOf(p, WhiteColor).size(), 600u);
    EXPECT_EQ(p.PenColor(), BlackColor);
    EXPECT_EQ(p.PenWidth(), 1);
    EXPECT_EQ(p.BrushColor(), WhiteColor);
    EXPECT_FALSE(p.BrushHollow());
    EXPECT_EQ(p.FontColor(), BlackColor);
    EXPECT_EQ(p.Mode(), CopyMode::SourceCopy);
    EXPECT_EQ(p.PixelColor(-1, 0), InvalidColor);
    EXPECT_EQ(p.PixelColor(30, 0), InvalidColor);
    EXPECT_EQ(p.PixelColor(0, 20), InvalidColor);
}

TEST(PictureSurface, ColoursKeepRedInTheLowByte) {
    Picture p(4, 4);
    p.SetBrushColor(Red);
    p.FillRect(QRect(0, 0, 1, 1));
    EXPECT_EQ(p.PixelColor(0, 0), Red);
    EXPECT_EQ(p.Image().pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(MakeColor(1, 2, 3), 0x030201u);
    EXPECT_EQ(FromPixel(ToPixel(0x123456)), 0x123456u);
}

TEST(PictureSurface, BrushColourMakesAHollowBrushSolid) {
    Picture p(4, 4);
    p.SetBrushHollow();
    EXPECT_TRUE(p.BrushHollow());
    p.SetBrushColor(Green);
    EXPECT_FALSE(p.BrushHollow());
    EXPECT_EQ(p.BrushColor(), Green);
}

TEST(PictureLine, LeavesItsEndPixelUnset) {
    Picture p(20, 20);
    p.DrawLine({2, 3}, {10, 3});
    std::set<std::pair<int, int>> expected;
    for (int x = 2; x <= 9; ++x)
        expected.insert({x, 3});
    EXPECT_EQ(PixelsOf(p, BlackColor), expected);

    Picture q(20, 20);
    q.DrawLine({5, 12}, {5, 4});
    EXPECT_EQ(q.PixelColor(5, 12), BlackColor);
    EXPECT_EQ(q.PixelColor(5, 5), BlackColor);
    EXPECT_EQ(q.PixelColor(5, 4), WhiteColor);
    EXPECT_EQ(PixelsOf(q, BlackColor).size(), 8u);
}

TEST(PictureLine, ZeroLengthLineDrawsNothing) {
    Picture p(10, 10);
    p.DrawLine({4, 4}, {4, 4});
    EXPECT_TRUE(PixelsOf(p, BlackColor).empty());
    EXPECT_TRUE(p.DirtyRect().isEmpty());
}

TEST(PictureLine, IsTheBresenhamLineWithHalvesRoundedTowardsTheStart) {
    Picture p(10, 10);
    p.DrawLine({0, 0}, {4, 2});
    const std::set<std::pair<int, int>> expected{{0, 0}, {1, 0}, {2, 1}, {3, 1}};
    EXPECT_EQ(PixelsOf(p, BlackColor), expected);

    Picture q(10, 10);
    q.DrawLine({2, 8}, {0, 3});
    const std::set<std::pair<int, int>> steep{{2, 8}, {2, 7}, {1, 6}, {1, 5}, {0, 4}};
    EXPECT_EQ(PixelsOf(q, BlackColor), steep);
}

TEST(PictureLine, MatchesTheReferenceInEveryDirection) {
    const std::vector<std::pair<QPoint, QPoint>> lines{
        {{3, 5}, {60, 17}},  {{60, 17}, {3, 5}},  {{10, 60}, {13, 2}}, {{40, 40}, {2, 39}},
        {{31, 2}, {31, 61}}, {{5, 50}, {55, 0}},  {{62, 62}, {0, 0}},  {{7, 33}, {50, 34}},
        {{20, 3}, {25, 60}}, {{63, 10}, {1, 12}},
    };
    for (const auto& [a, b] : lines) {
        Picture p(64, 64);
        p.DrawLine(a, b);
        EXPECT_EQ(PixelsOf(p, BlackColor), ReferenceLine(a.x(), a.y(), b.x(), b.y(), 64, 64))
            << a.x() << "," << a.y() << " -> " << b.x() << "," << b.y();
    }
}

TEST(PictureLine, FarEndsAreClippedToTheSameVisiblePixels) {
    const std::vector<std::pair<QPoint, QPoint>> lines{
        {{-1000000, 37}, {1000000, 63}}, {{50, 50}, {1000000, 333333}},
        {{-70000, -90000}, {90, 45}},    {{123456, -5000}, {-4000, 70}},
        {{30, -999999}, {60, 999999}},   {{-300, 120}, {120, -300}},
    };
    for (const auto& [a, b] : lines) {
        Picture p(100, 100);
        p.DrawLine(a, b);
        EXPECT_EQ(PixelsOf(p, BlackColor), ReferenceLine(a.x(), a.y(), b.x(), b.y(), 100, 100))
            << a.x() << "," << a.y() << " -> " << b.x() << "," << b.y();
    }
}

TEST(PictureLine, LinesOutsideThePictureChangeNothing) {
    Picture p(100, 100);
    p.DrawLine({-1000000, -5}, {1000000, -1});
    p.DrawLine({200, -100}, {300, 500});
    EXPECT_TRUE(PixelsOf(p, BlackColor).empty());
    EXPECT_TRUE(p.DirtyRect().isEmpty());
}

TEST(PictureLine, ExtremeEndsDoNotOverflow) {
    Picture p(100, 100);
    p.DrawLine({INT_MIN, INT_MIN}, {INT_MAX, INT_MAX});
    std::set<std::pair<int, int>> diagonal;
    for (int i = 0; i < 100; ++i)
        diagonal.insert({i, i});
    EXPECT_EQ(PixelsOf(p, BlackColor), diagonal);
}

TEST(PictureLine, UsesThePenColour) {
    Picture p(10, 10);
    p.SetPenColor(Blue);
    p.DrawLine({0, 1}, {5, 1});
    EXPECT_EQ(PixelsOf(p, Blue).size(), 5u);
}

TEST(PictureStroke, WidthThreeIsThreeRowsWithRoundCaps) {
    Picture p(40, 40);
    p.SetPenWidth(3);
    p.DrawLine({10, 10}, {20, 10});
    const auto black = PixelsOf(p, BlackColor);
    for (int x = 10; x <= 20; ++x)
        for (int y = 9; y <= 11; ++y)
            EXPECT_TRUE(black.count({x, y})) << x << "," << y;
    // Caps of radius 1.5: one pixel beyond each end, the corners included.
    EXPECT_TRUE(black.count({9, 10}));
    EXPECT_TRUE(black.count({9, 9}));
    EXPECT_TRUE(black.count({21, 11}));
    EXPECT_FALSE(black.count({8, 10}));
    EXPECT_FALSE(black.count({22, 10}));
    EXPECT_FALSE(black.count({15, 8}));
    EXPECT_FALSE(black.count({15, 12}));
    EXPECT_EQ(black.size(), 13u * 3u);
}

TEST(PictureStroke, EvenWidthCoversExactlyThatManyRows) {
    Picture p(40, 40);
    p.SetPenWidth(2);
    p.DrawLine({10, 10}, {20, 10});
    std::set<std::pair<int, int>> expected;
    for (int x = 9; x <= 20; ++x) {
        expected.insert({x, 9});
        expected.insert({x, 10});
    }
    EXPECT_EQ(PixelsOf(p, BlackColor), expected);

    Picture q(40, 40);
    q.SetPenWidth(4);
    q.DrawLine({20, 5}, {20, 30});
    const auto black = PixelsOf(q, BlackColor);
    for (int x = 18; x <= 21; ++x)
        EXPECT_TRUE(black.count({x, 17})) << x;
    EXPECT_FALSE(black.count({17, 17}));
    EXPECT_FALSE(black.count({22, 17}));
}

TEST(PictureStroke, DiagonalStrokeIsSymmetricAroundItsLine) {
    Picture p(40, 40);
    p.SetPenWidth(5);
    p.DrawLine({10, 10}, {30, 30});
    for (int i = 0; i < 40; ++i)
        for (int j = 0; j < 40; ++j)
            EXPECT_EQ(p.PixelColor(i, j), p.PixelColor(j, i)) << i << "," << j;
    // Distance of (20, 17) from the line is 3 / sqrt 2 = 2.12 <= 2.5; (20, 16) is 2.83 away.
    EXPECT_EQ(p.PixelColor(20, 17), BlackColor);
    EXPECT_EQ(p.PixelColor(20, 16), WhiteColor);
}

TEST(PictureStroke, FarStrokeIsClippedWithTheSameVisibleResult) {
    Picture p(100, 100);
    p.SetPenWidth(5);
    p.DrawLine({-1000000, 50}, {1000000, 50});
    std::set<std::pair<int, int>> expected;
    for (int y = 48; y <= 52; ++y)
        for (int x = 0; x < 100; ++x)
            expected.insert({x, y});
    EXPECT_EQ(PixelsOf(p, BlackColor), expected);
    EXPECT_EQ(p.DirtyRect(), QRect(0, 48, 100, 5));
}

TEST(PictureFill, FillRectUsesTheBrushAndIsClipped) {
    Picture p(10, 10);
    p.SetBrushColor(Green);
    p.FillRect(QRect(-5, 8, 100, 100));
    EXPECT_EQ(PixelsOf(p, Green).size(), 20u);
    EXPECT_EQ(p.PixelColor(0, 7), WhiteColor);
    p.SetBrushHollow();
    p.FillRect(QRect(0, 0, 10, 10));
    EXPECT_EQ(PixelsOf(p, Green).size(), 100u);
}

TEST(PictureFill, BorderFillStaysInsideAClosedOutline) {
    Picture p(40, 40);
    p.DrawLine({5, 5}, {30, 5});
    p.DrawLine({30, 5}, {30, 25});
    p.DrawLine({30, 25}, {5, 25});
    p.DrawLine({5, 25}, {5, 5});
    p.SetBrushColor(Green);
    p.FloodFillBorder({10, 10}, BlackColor);
    EXPECT_EQ(PixelsOf(p, Green).size(), 24u * 19u);
    EXPECT_EQ(p.PixelColor(6, 6), Green);
    EXPECT_EQ(p.PixelColor(29, 24), Green);
    EXPECT_EQ(p.PixelColor(5, 5), BlackColor);
    EXPECT_EQ(p.PixelColor(4, 10), WhiteColor);
    EXPECT_EQ(p.DirtyRect(), QRect(5, 5, 26, 21));
}

TEST(PictureFill, DiagonalLinesDoNotLetTheFillThrough) {
    Picture p(40, 40);
    p.DrawLine({0, 0}, {39, 39});
    p.DrawLine({39, 39}, {39, 40});
    p.SetBrushColor(Red);
    p.FloodFillBorder({0, 39}, BlackColor);
    EXPECT_EQ(p.PixelColor(30, 10), WhiteColor);
    EXPECT_EQ(p.PixelColor(10, 30), Red);
    EXPECT_EQ(PixelsOf(p, Red).size(), 39u * 40u / 2u);
}

TEST(PictureFill, WholePictureFillIsIterative) {
    Picture p(2000, 2000);
    p.SetBrushColor(Blue);
    p.FloodFillBorder({1000, 1000}, BlackColor);
    EXPECT_EQ(p.PixelColor(0, 0), Blue);
    EXPECT_EQ(p.PixelColor(1999, 1999), Blue);
    EXPECT_EQ(p.PixelColor(0, 1999), Blue);
    EXPECT_EQ(p.DirtyRect(), QRect(0, 0, 2000, 2000));
}

TEST(PictureFill, RegionsOfOtherColoursAreFilledUntilTheBorder) {
    Picture p(20, 20);
    p.SetBrushColor(Green);
    p.FillRect(QRect(0, 0, 10, 20));
    p.SetPenColor(Red);
    p.DrawLine({15, 0}, {15, 20});
    p.SetBrushColor(Blue);
    p.FloodFillBorder({2, 2}, Red);
    EXPECT_EQ(PixelsOf(p, Blue).size(), 15u * 20u);
    EXPECT_EQ(p.PixelColor(16, 3), WhiteColor);
}

TEST(PictureFill, NothingHappensOnTheBorderOutsideOrWithAHollowBrush) {
    Picture p(20, 20);
    p.SetBrushColor(Green);
    p.FloodFillBorder({3, 3}, WhiteColor);
    p.FloodFillBorder({-1, 3}, BlackColor);
    p.FloodFillBorder({3, 20}, BlackColor);
    p.SetBrushHollow();
    p.FloodFillBorder({3, 3}, BlackColor);
    EXPECT_TRUE(PixelsOf(p, Green).empty());
    EXPECT_TRUE(p.DirtyRect().isEmpty());
}

TEST(PictureCopyMode, AndModeKeepsTheCommonBits) {
    Picture p(10, 10);
    p.SetBrushColor(0x00FFFF);
    p.FillRect(QRect(0, 0, 10, 10));
    p.SetCopyMode(CopyMode::AndSource);
    p.SetPenColor(0xFF00FF);
    p.DrawLine({0, 0}, {5, 0});
    EXPECT_EQ(p.PixelColor(0, 0), Red);
    EXPECT_EQ(p.PixelColor(5, 0), 0x00FFFFu);
    p.SetBrushColor(0x0000F0);
    p.FillRect(QRect(0, 5, 10, 1));
    EXPECT_EQ(p.PixelColor(3, 5), 0x0000F0u);
}

TEST(PictureEllipse, FillsItsRectangleWithTheBrushInsideThePenOutline) {
    Picture p(40, 40);
    p.SetBrushColor(Green);
    p.DrawEllipse(21, 16, 10, 10);
    // Left edge column and widest rows, top row centred, right and bottom edges excluded.
    EXPECT_EQ(p.PixelColor(10, 12), BlackColor);
    EXPECT_EQ(p.PixelColor(10, 13), BlackColor);
    EXPECT_EQ(p.PixelColor(20, 12), BlackColor);
    EXPECT_EQ(p.PixelColor(9, 12), WhiteColor);
    EXPECT_EQ(p.PixelColor(21, 12), WhiteColor);
    EXPECT_EQ(p.PixelColor(15, 10), BlackColor);
    EXPECT_EQ(p.PixelColor(15, 15), BlackColor);
    EXPECT_EQ(p.PixelColor(15, 9), WhiteColor);
    EXPECT_EQ(p.PixelColor(15, 16), WhiteColor);
    EXPECT_EQ(p.PixelColor(10, 10), WhiteColor);
    EXPECT_EQ(p.PixelColor(15, 12), Green);
    EXPECT_EQ(p.PixelColor(11, 12), Green);
    EXPECT_EQ(p.DirtyRect(), QRect(10, 10, 11, 6));
    // Mirror symmetric around the rectangle's centre.
    for (int y = 10; y < 16; ++y)
        for (int x = 10; x < 21; ++x)
            EXPECT_EQ(p.PixelColor(x, y), p.PixelColor(30 - x, 25 - y)) << x << "," << y;
}

TEST(PictureEllipse, OutlineIsClosedAndAHollowBrushLeavesTheInside) {
    Picture p(60, 60);
    p.SetBrushHollow();
    p.DrawEllipse(5, 8, 50, 40);
    EXPECT_EQ(p.PixelColor(27, 24), WhiteColor);
    p.SetBrushColor(Red);
    p.FloodFillBorder({27, 24}, BlackColor);
    EXPECT_EQ(p.PixelColor(27, 24), Red);
    EXPECT_EQ(p.PixelColor(1, 1), WhiteColor);
    EXPECT_EQ(p.PixelColor(58, 58), WhiteColor);
}

TEST(PictureEllipse, WidePenOutlineIsCentredOnTheEdge) {
    Picture p(60, 60);
    p.SetPenWidth(5);
    p.SetBrushColor(Green);
    p.DrawEllipse(10, 10, 51, 51);
    EXPECT_EQ(p.PixelColor(8, 30), BlackColor);
    EXPECT_EQ(p.PixelColor(12, 30), BlackColor);
    EXPECT_EQ(p.PixelColor(7, 30), WhiteColor);
    EXPECT_EQ(p.PixelColor(13, 30), Green);
    EXPECT_EQ(p.PixelColor(30, 52), BlackColor);
    EXPECT_EQ(p.PixelColor(30, 53), WhiteColor);
}

TEST(PictureEllipse, EmptyAndFarRectangles) {
    Picture p(50, 50);
    p.DrawEllipse(10, 10, 10, 30);
    EXPECT_TRUE(PixelsOf(p, BlackColor).empty());
    p.DrawEllipse(-100000, -100000, 100000, 100000);
    EXPECT_TRUE(PixelsOf(p, BlackColor).empty());
    EXPECT_EQ(PixelsOf(p, WhiteColor).size(), 2500u);
}

TEST(PictureDirty, CollectsTheChangedRectangleUntilTaken) {
    Picture p(100, 100);
    p.DrawLine({10, 20}, {30, 25});
    p.DrawLine({50, 60}, {50, 70});
    EXPECT_EQ(p.TakeDirtyRect(), QRect(QPoint(10, 20), QPoint(50, 69)));
    EXPECT_TRUE(p.DirtyRect().isEmpty());
}

TEST(PictureLabel, DrawsOnlyInkInTheFontColourWithoutABox) {
    Picture p(200, 100);
    p.SetBrushColor(Blue);
    p.FillRect(QRect(0, 0, 200, 100));
    p.SetFontColor(Red);
    LabelFont font;
    font.face = "DejaVu Sans";
    font.pixelHeight = 20;
    p.DrawLabel({20, 30}, "Mivarelo", font);
    const auto red = PixelsOf(p, Red);
    EXPECT_GT(red.size(), 50u);
    EXPECT_EQ(red.size() + PixelsOf(p, Blue).size(), 200u * 100u);
    for (const auto& [x, y] : red) {
        EXPECT_GE(x, 20);
        EXPECT_GE(y, 30);
        EXPECT_LT(y, 30 + 25);
    }
    const QRect dirty = p.DirtyRect();
    for (const auto& [x, y] : red)
        EXPECT_TRUE(dirty.contains(x, y));
}

TEST(PictureLabel, LabelsAtTheEndsOfTheCoordinateRangeChangeNothing) {
    Picture p(100, 100);
    LabelFont font;
    font.face = "DejaVu Sans";
    font.pixelHeight = 20;
    for (const QPoint origin : {QPoint(INT_MIN, 50), QPoint(INT_MAX, 50), QPoint(50, INT_MIN),
                                QPoint(50, INT_MAX), QPoint(INT_MIN, INT_MIN)}) {
        for (const int escapement : {0, 450, 1800}) {
            font.escapement = escapement;
            p.DrawLabel(origin, "Mivarelo", font);
        }
    }
    EXPECT_TRUE(PixelsOf(p, BlackColor).empty());
    EXPECT_TRUE(p.DirtyRect().isEmpty());
    // Any escapement turns the text, the extremes of the range included.
    for (const int escapement : {INT_MIN, INT_MAX}) {
        font.escapement = escapement;
        p.DrawLabel({50, 50}, "Mivarelo", font);
    }
    EXPECT_FALSE(PixelsOf(p, BlackColor).empty());
    // Near the left edge the text still reaches into the picture.
    p.SetBrushColor(WhiteColor);
    p.FillRect(QRect(0, 0, 100, 100));
    p.TakeDirtyRect();
    font.escapement = 0;
    p.DrawLabel({-20, 10}, "Mivarelo", font);
    EXPECT_FALSE(PixelsOf(p, BlackColor).empty());
    EXPECT_EQ(p.DirtyRect().left(), 0);
}

// A new or wholly filled picture keeps its one colour without writing it;
// reading the image, a pixel, or drawing must all see that colour.
TEST(PicturePendingFill, WholeFillsAreSeenByEveryReaderAndDrawing) {
    Picture p(6, 5);
    EXPECT_EQ(p.PixelColor(5, 4), WhiteColor);
    p.SetBrushColor(Red);
    p.FillRect(QRect(-3, -3, 20, 20));
    EXPECT_EQ(p.PixelColor(0, 0), Red);
    EXPECT_EQ(p.DirtyRect(), QRect(0, 0, 6, 5));
    p.SetPenColor(Blue);
    p.DrawLine(QPoint(0, 2), QPoint(6, 2));
    EXPECT_EQ(PixelsOf(p, Blue).size(), 6u);
    EXPECT_EQ(PixelsOf(p, Red).size(), 24u);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(FromPixel(p.Image().pixel(x, y)), y == 2 ? Blue : Red) << x << "," << y;
}

TEST(PicturePendingFill, AndModeWholeFillsCombineWithWhatIsThere) {
    Picture p(4, 4);
    p.SetCopyMode(CopyMode::AndSource);
    p.SetBrushColor(Red | Green);
    p.FillRect(QRect(0, 0, 4, 4));
    EXPECT_EQ(p.PixelColor(3, 3), Red | Green);
    p.SetBrushColor(Green | Blue);
    p.FillRect(QRect(0, 0, 4, 4));
    EXPECT_EQ(FromPixel(p.Image().pixel(1, 1)), Green);
    // Once drawn on, the picture is no longer of one colour.
    p.SetCopyMode(CopyMode::SourceCopy);
    p.SetPenColor(Blue);
    p.DrawLine(QPoint(0, 0), QPoint(4, 0));
    p.SetCopyMode(CopyMode::AndSource);
    p.SetBrushColor(Green | Blue);
    p.FillRect(QRect(0, 0, 4, 4));
    EXPECT_EQ(p.PixelColor(2, 0), Blue);
    EXPECT_EQ(p.PixelColor(2, 1), Green);
}
