#pragma once
// The drawn part of a picture: the pixels that differ from its background.
#include "engine/ColorValue.h"

#include <QImage>
#include <QRect>

namespace mivarelo {

// How many pixels differ from the background colour, and the smallest
// rectangle holding them (null when there are none).
struct PaintedArea {
    long long pixels = 0;
    QRect box;
};

PaintedArea MeasurePaintedArea(const QImage& picture, ColorValue background);

} // namespace mivarelo
