#include "engine/ImageRotate.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace mivarelo {

QSize RotatedSize(double theta, int w, int h) {
    if (theta == 0.0 || w == 0 || h == 0) return {w, h};
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    const double halfW = w / 2.0;
    const double halfH = h / 2.0;
    int maxX = 0;
    int maxY = 0;
    for (const double X : {-halfW, halfW}) {
        for (const double Y : {-halfH, halfH}) {
            maxX = std::max(maxX, std::abs(static_cast<int>(std::trunc(X * c + Y * s))));
            maxY = std::max(maxY, std::abs(static_cast<int>(std::trunc(Y * c - X * s))));
        }
    }
    return {2 * maxX + 2, 2 * maxY + 2};
}

bool RotateBitmap(const QImage& source, int angle, QImage& target) {
    if (source.isNull()) return false;
    const QImage src = source.convertToFormat(QImage::Format_RGB32);
    const int w = src.width();
    const int h = src.height();

    // The angle in radians is held as a 32-bit float, and so are its cosine
    // and sine (std::cos of a float is a float); the mapping below multiplies
    // those exact values out in double precision.
    const float theta = static_cast<float>(static_cast<double>(angle) * 6.2832 * (1.0 / 360.0));
    const double c = std::cos(theta);
    const double s = std::sin(theta);

    // Where the three corners other than the origin land; the smallest
    // coordinates shift the turned picture into the positive quadrant.
    const double p1x = -h * s, p1y = h * c;
    const double p2x = w * c - h * s, p2y = h * c + w * s;
    const double p3x = w * c, p3y = w * s;
    const double minX = std::min({0.0, p1x, p2x, p3x});
    const double minY = std::min({0.0, p1y, p2y, p3y});

    const QSize size = RotatedSize(theta, w, h);
    QImage turned(size, QImage::Format_RGB32);
    turned.fill(src.pixel(0, 0));
    for (int y = 0; y < size.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(turned.scanLine(y));
        const double Y = y + minY;
        for (int x = 0; x < size.width(); ++x) {
            const double X = x + minX;
            const double sx = std::trunc(X * c + Y * s);
            const double sy = std::trunc(Y * c - X * s);
            if (sx >= 0 && sx < w && sy >= 0 && sy < h)
                row[x] = src.pixel(static_cast<int>(sx), static_cast<int>(sy));
        }
    }
    target = turned;
    return true;
}

int PictureAngle(int heading) {
    // In 64 bits: a heading near the int32 limit must not overflow.
    long long angle = static_cast<long long>(heading) + 180;
    if (angle > 360) angle -= 360;
    return static_cast<int>(angle);
}

QString ResourcePicturePath(int id) {
    return QStringLiteral(":/pictures/%1.bmp").arg(id);
}

bool RotateResourcePicture(int id, int heading, QImage& target) {
    return RotateBitmap(QImage(ResourcePicturePath(id)), PictureAngle(heading), target);
}

bool RotateFilePicture(const QString& path, int heading, QImage& target) {
    if (path.isEmpty()) return false;
    return RotateBitmap(QImage(path), PictureAngle(heading), target);
}

} // namespace mivarelo
