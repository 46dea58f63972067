#include "engine/PaintedArea.h"

#include <algorithm>

namespace mivarelo {

PaintedArea MeasurePaintedArea(const QImage& picture, ColorValue background) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const QRgb ground = ToPixel(background);
    PaintedArea area;
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((row[x] | 0xFF000000u) == ground) continue;
            ++area.pixels;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = y;
        }
    }
    if (area.pixels > 0) area.box = QRect(QPoint(left, top), QPoint(right, bottom));
    return area;
}

} // namespace mivarelo
