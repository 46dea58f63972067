// The pictures of the graphical mode's buttons: the direction index of an
// angle, arrows rendered and measured in every quarter, full resolution on
// high-density screens, and a picture for every button that has one.
#include "modes/ButtonPictures.h"
#include "widgets/SvgIconEngine.h"

#include <QImage>
#include <QPixmap>
#include <QtTest>

#include <cmath>

using namespace mivarelo;

namespace {

QImage Render(const QIcon& icon, int side, qreal ratio = 1.0, QIcon::Mode mode = QIcon::Normal) {
    return icon.pixmap(QSize(side, side), ratio, mode)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

int OpaqueCount(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 128) ++count;
    return count;
}

// The tip of an arrow: the mean of the opaque pixels lying farthest from the
// centre (within 1.5 pixels of the farthest), relative to the centre.
QPointF Tip(const QImage& image) {
    const QPointF centre(image.width() / 2.0, image.height() / 2.0);
    auto distance = [&](int x, int y) {
        return std::hypot(x + 0.5 - centre.x(), y + 0.5 - centre.y());
    };
    double farthest = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 128) farthest = std::max(farthest, distance(x, y));
    QPointF sum;
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 128 && distance(x, y) >= farthest - 1.5) {
                sum += QPointF(x + 0.5, y + 0.5) - centre;
                ++count;
            }
    return count ? sum / count : QPointF();
}

// The largest difference of any channel between two images of one size,
// compared premultiplied: the colour of an almost transparent pixel is
// rounding noise that nobody sees.
int LargestDifference(const QImage& a, const QImage& b) {
    const QImage p = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage q = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int largest = 0;
    for (int y = 0; y < p.height(); ++y) {
        const auto* lineP = reinterpret_cast<const QRgb*>(p.constScanLine(y));
        const auto* lineQ = reinterpret_cast<const QRgb*>(q.constScanLine(y));
        for (int x = 0; x < p.width(); ++x)
            for (int shift : {0, 8, 16, 24})
                largest = std::max(largest, std::abs(int((lineP[x] >> shift) & 0xFF) -
                                                     int((lineQ[x] >> shift) & 0xFF)));
    }
    return largest;
}

} // namespace

class ButtonPicturesTest : public QObject {
    Q_OBJECT

private slots:
    void pictureIndexOfAngles_data() {
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("index");
        QTest::newRow("zero") << 0 << 0;
        QTest::newRow("just below a step") << 4 << 0;
        QTest::newRow("one step") << 5 << 1;
        QTest::newRow("up") << 270 << 54;
        QTest::newRow("350") << 350 << 70;
        QTest::newRow("359") << 359 << 71;
        QTest::newRow("full turn") << 360 << 0;
        QTest::newRow("two turns") << 720 << 0;
        QTest::newRow("440 less a turn") << 440 << 16;
        QTest::newRow("1000 less two turns") << 1000 << 56;
        QTest::newRow("minus five") << -5 << 71;
        QTest::newRow("minus one") << -1 << 71;
        QTest::newRow("minus a full turn") << -360 << 0;
        QTest::newRow("below minus a turn is kept at 0") << -400 << 0;
    }
    void pictureIndexOfAngles() {
        QFETCH(int, angle);
        QFETCH(int, index);
        QCOMPARE(ButtonPictures::PictureIndex(angle), index);
    }

    void arrowPointsAlongItsHeading_data() {
        QTest::addColumn<int>("index");
        QTest::newRow("right") << 0;
        QTest::newRow("down-right") << 9;
        QTest::newRow("down") << 18;
        QTest::newRow("left") << 36;
        QTest::newRow("up") << 54;
        QTest::newRow("slightly up of right") << 70;
    }
    void arrowPointsAlongItsHeading() {
        QFETCH(int, index);
        const QImage image = Render(ButtonPictures::DirectionPicture(index), 64);
        QCOMPARE(image.size(), QSize(64, 64));
        const QPointF tip = Tip(image);
        QVERIFY2(std::hypot(tip.x(), tip.y()) > 24, "the tip lies near the edge");
        double degrees = std::atan2(tip.y(), tip.x()) * 180 / M_PI;
        if (degrees < 0) degrees += 360;
        const double expected = 5.0 * index;
        double off = std::abs(degrees - expected);
        off = std::min(off, 360 - off);
        QVERIFY2(off <= 3, qPrintable(QStringLiteral("tip at %1 degrees").arg(degrees)));
    }

    void turningKeepsTheArrowsSize() {
        const int straight = OpaqueCount(Render(ButtonPictures::DirectionPicture(0), 48));
        QVERIFY(straight > 48 * 48 / 6);
        for (int index : {9, 18, 31, 54, 70}) {
            const int turned = OpaqueCount(Render(ButtonPictures::DirectionPicture(index), 48));
            QVERIFY2(std::abs(turned - straight) <= straight / 20,
                     qPrintable(QString::number(index)));
        }
    }

    void directionIndexOutsideTheRangeHasNoPicture() {
        QVERIFY(ButtonPictures::DirectionPicture(-1).isNull());
        QVERIFY(ButtonPictures::DirectionPicture(ButtonPictures::DirectionCount).isNull());
        QVERIFY(!ButtonPictures::DirectionPicture(ButtonPictures::DirectionCount - 1).isNull());
    }

    void highDensityPixmapsAreFullResolution() {
        const QIcon arrow = ButtonPictures::DirectionPicture(9);
        const QPixmap dense = arrow.pixmap(QSize(32, 32), 2.0);
        QCOMPARE(dense.size(), QSize(64, 64));
        QCOMPARE(dense.devicePixelRatio(), 2.0);
        // Drawn afresh at 64 pixels, not a 32-pixel picture blown up.
        QCOMPARE(LargestDifference(dense.toImage().convertToFormat(QImage::Format_ARGB32),
                                   Render(arrow, 64)),
                 0);
        QVERIFY(LargestDifference(dense.toImage().convertToFormat(QImage::Format_ARGB32),
                                  Render(arrow, 32).scaled(64, 64)) > 64);
        const QPixmap house = ButtonPictures::ButtonPicture(5).pixmap(QSize(24, 24), 1.5);
        QCOMPARE(house.size(), QSize(36, 36));
    }

    void everyButtonButRestartHasAPicture() {
        for (int n = 1; n <= 38; ++n) {
            const QIcon icon = ButtonPictures::ButtonPicture(n);
            if (n == 25) {
                QVERIFY(icon.isNull());
                continue;
            }
            QVERIFY2(!icon.isNull(), qPrintable(QString::number(n)));
            const QImage image = Render(icon, 32);
            QCOMPARE(image.size(), QSize(32, 32));
            QVERIFY2(OpaqueCount(image) >= 32 * 32 / 12, qPrintable(QString::number(n)));
        }
        QVERIFY(ButtonPictures::ButtonPicture(0).isNull());
        QVERIFY(ButtonPictures::ButtonPicture(39).isNull());
    }

    void glyphsDifferFromEachOther() {
        const QList<int> glyphs = {5,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22,
                                   23, 24, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36};
        QList<QImage> images;
        for (int n : glyphs)
            images.append(Render(ButtonPictures::ButtonPicture(n), 32));
        for (int i = 0; i < images.size(); ++i)
            for (int j = i + 1; j < images.size(); ++j)
                QVERIFY2(images[i] != images[j],
                         qPrintable(QStringLiteral("%1 and %2").arg(glyphs[i]).arg(glyphs[j])));
    }

    void directionButtonsShowTheStandingArrows_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("index");
        QTest::newRow("up-left") << 1 << 45;
        QTest::newRow("up") << 2 << 54;
        QTest::newRow("up-right") << 3 << 63;
        QTest::newRow("left") << 4 << 36;
        QTest::newRow("right") << 6 << 0;
        QTest::newRow("down-left") << 7 << 27;
        QTest::newRow("down") << 8 << 18;
        QTest::newRow("down-right") << 9 << 9;
        QTest::newRow("forward") << 37 << 54;
        QTest::newRow("back") << 38 << 18;
    }
    void directionButtonsShowTheStandingArrows() {
        QFETCH(int, button);
        QFETCH(int, index);
        QCOMPARE(Render(ButtonPictures::ButtonPicture(button), 32),
                 Render(ButtonPictures::DirectionPicture(index), 32));
    }

    void rightHandedButtonsMirrorTheLeftHanded_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("model");
        QTest::addColumn<bool>("leftRight");
        QTest::addColumn<bool>("upDown");
        QTest::newRow("turn right") << 20 << 19 << true << false;
        QTest::newRow("arc right") << 23 << 22 << true << false;
        QTest::newRow("angle up-left") << 31 << 33 << true << false;
        QTest::newRow("angle down-left") << 32 << 33 << true << true;
        QTest::newRow("angle down-right") << 34 << 33 << false << true;
    }
    void rightHandedButtonsMirrorTheLeftHanded() {
        QFETCH(int, button);
        QFETCH(int, model);
        QFETCH(bool, leftRight);
        QFETCH(bool, upDown);
        const QImage mirrored =
            Render(ButtonPictures::ButtonPicture(model), 40).mirrored(leftRight, upDown);
        const QImage image = Render(ButtonPictures::ButtonPicture(button), 40);
        QVERIFY(LargestDifference(image, Render(ButtonPictures::ButtonPicture(model), 40)) > 64);
        QVERIFY(LargestDifference(image, mirrored) <= 8);
    }

    void disabledPicturesAreGrey() {
        const QImage image = Render(ButtonPictures::ButtonPicture(18), 32, 1.0, QIcon::Disabled);
        QVERIFY(OpaqueCount(Render(ButtonPictures::ButtonPicture(18), 32)) > 0);
        int seen = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                QVERIFY(qAlpha(p) <= 128);
                if (qAlpha(p) == 0) continue;
                QCOMPARE(qRed(p), qGreen(p));
                QCOMPARE(qGreen(p), qBlue(p));
                ++seen;
            }
        QVERIFY(seen > 32 * 32 / 12);
    }

    void missingPictureIsNull() {
        const QIcon missing(new SvgIconEngine(QStringLiteral(":/buttons/no-such-picture.svg")));
        QVERIFY(missing.isNull());
        QVERIFY(missing.pixmap(QSize(32, 32)).isNull());
    }
};

QTEST_MAIN(ButtonPicturesTest)
#include "ButtonPicturesTest.moc"
