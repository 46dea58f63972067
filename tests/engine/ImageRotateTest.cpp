// Turning pictures: the turned size, where a marked source pixel lands for
// the headings that matter, the compiled-in turtle pictures facing along the
// heading, and loading pictures from files.
#include "engine/ImageRotate.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <utility>
#include <vector>

using namespace mivarelo;

namespace {

constexpr QRgb Background = 0xffff00ff;
constexpr QRgb Body = 0xff208020;
constexpr QRgb Mark = 0xff0000ff;

// A w x h picture: background in row 0, body elsewhere, one marked pixel.
QImage MarkedPicture(int w, int h, QPoint mark) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Body);
    for (int x = 0; x < w; ++x)
        image.setPixel(x, 0, Background);
    image.setPixel(mark, Mark);
    return image;
}

std::vector<QPoint> PixelsOf(const QImage& image, QRgb colour) {
    std::vector<QPoint> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour) found.push_back({x, y});
    return found;
}

} // namespace

TEST(RotatedSize, KeepsTheSizeForNoTurnAndGrowsToHoldTheTurnedCorners) {
    EXPECT_EQ(RotatedSize(0.0, 35, 21), QSize(35, 21));
    EXPECT_EQ(RotatedSize(1.0, 0, 21), QSize(0, 21));
    // Corners 22.6 pixels from the centre: 2 * 22 + 2.
    EXPECT_EQ(RotatedSize(M_PI / 4, 32, 32), QSize(46, 46));
    // Halves of odd sides are not truncated: the corner (17.5, 10.5) turns
    // to (10.5, -17.5).
    EXPECT_EQ(RotatedSize(M_PI / 2, 35, 21), QSize(22, 36));
}

TEST(RotateBitmap, AngleZeroCopiesAndAFullTurnKeepsTheOrientation) {
    const QImage source = MarkedPicture(32, 32, {24, 6});
    QImage target;
    ASSERT_TRUE(RotateBitmap(source, 0, target));
    EXPECT_EQ(target.format(), QImage::Format_RGB32);
    EXPECT_EQ(target, source);

    // 6.2832 radians is a hair more than a full turn: the picture grows by a
    // border of one pixel and keeps its orientation.
    ASSERT_TRUE(RotateBitmap(source, 360, target));
    EXPECT_EQ(target.size(), QSize(34, 34));
    EXPECT_EQ(PixelsOf(target, Mark), std::vector<QPoint>{QPoint(25, 7)});
}

TEST(RotateBitmap, UncoveredPixelsTakeTheTopLeftColour) {
    QImage source = MarkedPicture(32, 32, {24, 6});
    QImage target;
    ASSERT_TRUE(RotateBitmap(source, 45, target));
    EXPECT_EQ(target.size(), QSize(46, 46));
    EXPECT_EQ(target.pixel(0, 0), Background);
    EXPECT_EQ(target.pixel(45, 45), Background);
    EXPECT_EQ(target.pixel(23, 23), Body);
    EXPECT_EQ(PixelsOf(target, Mark).size(), 1u);

    const QImage untouched = target;
    EXPECT_FALSE(RotateBitmap(QImage(), 45, target));
    EXPECT_EQ(target, untouched);
}

TEST(RotateBitmap, HeadingsTurnThePictureClockwiseFromFacingLeft) {
    EXPECT_EQ(PictureAngle(0), 180);
    EXPECT_EQ(PictureAngle(90), 270);
    EXPECT_EQ(PictureAngle(180), 360);
    EXPECT_EQ(PictureAngle(270), 90);
    EXPECT_EQ(PictureAngle(-180), 0);
    EXPECT_EQ(PictureAngle(720), 540);
    EXPECT_EQ(PictureAngle(INT_MAX), INT_MAX - 180);

    // A pixel near the left (front) edge of a 32 x 32 picture.
    const QImage source = MarkedPicture(32, 32, {4, 10});
    const std::vector<std::pair<int, QPoint>> cases = {
        {0, {28, 22}},  // front to the right
        {90, {11, 28}}, // front down
        {270, {22, 5}}, // front up
    };
    for (const auto& [heading, expected] : cases) {
        QImage target;
        ASSERT_TRUE(RotateBitmap(source, PictureAngle(heading), target));
        EXPECT_EQ(target.size(), QSize(34, 34)) << heading;
        EXPECT_EQ(PixelsOf(target, Mark), std::vector<QPoint>{expected}) << heading;
    }
}

TEST(TurtlePictures, AreCompiledInWithTheirSizesAndFaceAlongTheHeading) {
    struct Picture {
        int id;
        QSize size;
        QRgb front; // a colour found only at the front of the picture
    };
    const std::vector<Picture> pictures = {
        {9000, {32, 32}, 0xff000000}, // eyes
        {9001, {35, 21}, 0xff464650}, // pencil tip
        {9002, {35, 22}, 0xffffe146}, // headlights
        {9003, {32, 32}, 0xff000000}, // eyes
    };
    for (const Picture& p : pictures) {
        const QImage loaded(ResourcePicturePath(p.id));
        ASSERT_EQ(loaded.size(), p.size) << p.id;
        EXPECT_EQ(loaded.pixel(0, 0), Background) << p.id;

        for (const int heading : {0, 90, 180, 270}) {
            QImage turned;
            ASSERT_TRUE(RotateResourcePicture(p.id, heading, turned)) << p.id;
            // The turtle's own pixel sits at the centre of the turned picture.
            const QPoint centre(turned.width() / 2, turned.height() / 2);
            const std::vector<QPoint> front = PixelsOf(turned, p.front);
            ASSERT_FALSE(front.empty()) << p.id;
            for (const QPoint& f : front) {
                const QPoint d = f - centre;
                const int ahead = heading == 0     ? d.x()
                                  : heading == 90  ? d.y()
                                  : heading == 180 ? -d.x()
                                                   : -d.y();
                EXPECT_GE(ahead, 8) << p.id << " heading " << heading;
            }
        }
    }
}

TEST(RotateFilePicture, TurnsAReadableFileAndKeepsTheTargetOtherwise) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString good = dir.filePath("own.bmp");
    ASSERT_TRUE(MarkedPicture(20, 10, {2, 5}).save(good, "BMP"));
    const QString broken = dir.filePath("broken.bmp");
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a picture");
    }

    QImage target;
    ASSERT_TRUE(RotateFilePicture(good, 270, target)); // angle 90
    EXPECT_EQ(target.size(), QSize(12, 22));
    const QImage kept = target;
    EXPECT_FALSE(RotateFilePicture(dir.filePath("missing.bmp"), 0, target));
    EXPECT_FALSE(RotateFilePicture(broken, 0, target));
    EXPECT_FALSE(RotateFilePicture(QString(), 0, target));
    EXPECT_EQ(target, kept);
}
