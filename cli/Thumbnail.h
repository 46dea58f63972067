#pragma once
// The small picture a gallery card shows: the part of the picture a program
// drew, square, with a margin, scaled down to fit.
#include <QImage>
#include <QRect>

namespace mivarelo {

// `drawn` is the rectangle of the drawn pixels; a null one gives a null image.
QImage DrawnThumbnail(const QImage& picture, QRect drawn, QRgb screen, int size = 240);

} // namespace mivarelo
