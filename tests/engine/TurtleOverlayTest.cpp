// The turtle overlay drawn on a white canvas: the picture of each look, the
// marker, the circle turtle, the user's own picture, and the reuse of the
// last turned picture.
#include "engine/TurtleOverlay.h"

#include "core/Encoding.h"
#include "core/GlobalSettings.h"
#include "engine/ImageRotate.h"

#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <set>

using namespace mivarelo;

namespace {

constexpr QRgb White = 0xffffffff;
constexpr QRgb Red = 0xffff0000;
constexpr QRgb Blue = 0xff0000ff;
constexpr QRgb Black = 0xff000000;
constexpr QRgb ShellGreen = 0xff288232; // picture 9000
constexpr QRgb PaleShell = 0xffc8e6be;  // picture 9003
constexpr QRgb PictureMagenta = 0xffff00ff;

class TurtleOverlayTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        state_.TurtleX = 100;
        state_.TurtleY = 80;
    }
    void TearDown() override { ResetGlobals(); }

    QImage Draw() {
        QImage canvas(200, 160, QImage::Format_RGB32);
        canvas.fill(White);
        QPainter painter(&canvas);
        overlay_.Draw(painter, state_);
        return canvas;
    }
    static std::set<QRgb> ColoursOf(const QImage& image) {
        std::set<QRgb> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                colours.insert(image.pixel(x, y));
        return colours;
    }

    TurtleState state_;
    TurtleOverlay overlay_;
};

} // namespace

TEST_F(TurtleOverlayTest, TurtlePictureWithMarkerAndTransparentBackground) {
    const QImage canvas = Draw();
    for (int y = 78; y <= 82; ++y)
        for (int x = 98; x <= 102; ++x)
            EXPECT_EQ(canvas.pixel(x, y), x == 100 && y == 80 ? Blue : Red) << x << "," << y;
    EXPECT_NE(canvas.pixel(97, 80), Red);
    EXPECT_NE(canvas.pixel(100, 83), Red);

    // Heading 0 turns 9000 by 180 degrees into 34 x 34 with its corner at
    // (100 - 17, 80 - 17); outside that square the canvas stays white.
    EXPECT_EQ(overlay_.TurtleImage().size(), QSize(34, 34));
    const QRect picture(83, 63, 34, 34);
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            if (!picture.contains(x, y)) {
                ASSERT_EQ(canvas.pixel(x, y), White) << x << "," << y;
            }
        }
    }
    const std::set<QRgb> colours = ColoursOf(canvas);
    EXPECT_TRUE(colours.count(ShellGreen));
    EXPECT_TRUE(colours.count(White)); // corners of the picture show through
    EXPECT_FALSE(colours.count(PictureMagenta));
    EXPECT_TRUE(overlay_.Bounds(state_).contains(picture));
}

TEST_F(TurtleOverlayTest, HiddenTurtleDrawsNothingAndCoversNothing) {
    state_.TurtleVisible = false;
    for (const int look : {0, 3, 4}) {
        Globals().TurtleLook = look;
        EXPECT_EQ(ColoursOf(Draw()), std::set<QRgb>{White}) << look;
        EXPECT_TRUE(overlay_.Bounds(state_).isEmpty()) << look;
    }
}

TEST_F(TurtleOverlayTest, PenUpShowsThePaleTurtleForTheThreePictureLooks) {
    state_.PenIsDown = false;
    for (const int look : {0, 1, 2}) {
        Globals().TurtleLook = look;
        const std::set<QRgb> colours = ColoursOf(Draw());
        EXPECT_TRUE(colours.count(PaleShell)) << look;
        EXPECT_FALSE(colours.count(ShellGreen)) << look;
        EXPECT_EQ(overlay_.TurtleImage().size(), QSize(34, 34)) << look;
    }
    state_.PenIsDown = true;
    Globals().TurtleLook = 2;
    Draw();
    // The car (35 x 22) turned by 180 degrees.
    EXPECT_EQ(overlay_.TurtleImage().size(), QSize(36, 24));
}

TEST_F(TurtleOverlayTest, TurnsThePictureAgainOnlyWhenItsAngleOrLookChanges) {
    Draw();
    const qint64 first = overlay_.TurtleImage().cacheKey();
    state_.TurtleX = 60;
    state_.Heading = 0.7f; // same whole degree
    Draw();
    EXPECT_EQ(overlay_.TurtleImage().cacheKey(), first);

    state_.Heading = 360.0f; // angle 540 less 360: 180 again
    Draw();
    EXPECT_EQ(overlay_.TurtleImage().cacheKey(), first);

    state_.Heading = 90.0f;
    Draw();
    const qint64 turned = overlay_.TurtleImage().cacheKey();
    EXPECT_NE(turned, first);
    state_.PenIsDown = false;
    Draw();
    EXPECT_NE(overlay_.TurtleImage().cacheKey(), turned);
}

TEST_F(TurtleOverlayTest, CircleTurtleIsADiscWithAnArrowAlongTheHeading) {
    Globals().TurtleLook = 3;
    QImage canvas = Draw();
    EXPECT_EQ(canvas.pixel(105, 80), Blue); // centre to tip, heading 0
    EXPECT_EQ(canvas.pixel(95, 86), Red);   // disc fill
    EXPECT_EQ(canvas.pixel(90, 80), Black); // outline at x - r
    EXPECT_EQ(canvas.pixel(89, 80), White);
    EXPECT_EQ(canvas.pixel(100, 90), White); // the disc ends at y + r - 1

    state_.Heading = 90.0f;
    state_.PenIsDown = false;
    canvas = Draw();
    EXPECT_EQ(canvas.pixel(100, 85), Blue); // arrow points down
    EXPECT_EQ(canvas.pixel(95, 86), White); // hollow when the pen is up
    EXPECT_EQ(canvas.pixel(90, 80), Black);
    EXPECT_FALSE(ColoursOf(canvas).count(Red));
}

TEST_F(TurtleOverlayTest, OwnPictureHasItsCornerTenPixelsUpAndLeftWithoutMarker) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QString::fromUtf8("kaplumbağa.bmp"));
    QImage own(8, 6, QImage::Format_RGB32);
    own.fill(0xff00ff00);
    own.setPixel(0, 0, PictureMagenta);
    own.setPixel(7, 5, Blue);
    ASSERT_TRUE(own.save(path, "BMP"));

    Globals().TurtleLook = 4;
    Globals().TurtlePicturePath = Utf8ToCp1254(path.toStdString());
    state_.Heading = -180.0f; // angle 0: not turned
    QImage canvas = Draw();
    EXPECT_EQ(canvas.pixel(90, 70), White); // background left out
    EXPECT_EQ(canvas.pixel(91, 70), 0xff00ff00);
    EXPECT_EQ(canvas.pixel(97, 75), Blue);
    EXPECT_EQ(canvas.pixel(98, 76), White);
    EXPECT_EQ(canvas.pixel(100, 80), White); // no marker
    EXPECT_EQ(overlay_.Bounds(state_), QRect(68, 48, 65, 65));

    // An empty path, or one that cannot be read, keeps the last picture.
    for (const char* other : {"", "missing.bmp"}) {
        Globals().TurtlePicturePath = other;
        state_.TurtleX = 40;
        canvas = Draw();
        EXPECT_EQ(canvas.pixel(37, 75), Blue) << other;
        EXPECT_EQ(canvas.pixel(31, 70), 0xff00ff00) << other;
    }
}
