#include "cli/Thumbnail.h"

#include <QPainter>

#include <algorithm>

namespace mivarelo {

namespace {

// Space kept round what a program drew, so that its edge lines show.
constexpr int Margin = 12;

} // namespace

QImage DrawnThumbnail(const QImage& picture, QRect drawn, QRgb screen, int size) {
    if (picture.isNull() || drawn.isNull()) return {};
    const int side = std::max(drawn.width(), drawn.height()) + 2 * Margin;
    QRect square(0, 0, side, side);
    square.moveCenter(drawn.center());
    QImage part(side, side, QImage::Format_RGB32);
    part.fill(screen);
    {
        QPainter painter(&part);
        const QRect inside = square.intersected(picture.rect());
        painter.drawImage(inside.topLeft() - square.topLeft(), picture, inside);
    }
    if (side <= size) return part;
    return part.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace mivarelo
