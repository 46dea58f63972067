#pragma once
// Pixel-exact rasterisers of the picture. Each clips to the image before it
// visits pixels, so the cost depends on the visible part only, and returns
// the rectangle of the pixels it may have changed (empty when none).
#include "engine/SpanWriter.h"

#include <QPoint>
#include <QRect>

namespace mivarelo {

// The Bresenham line from `from` towards `to` without its end pixel. Pixel i
// (0 <= i < L, L the longer axis distance) lies i steps along the longer
// axis and round(i * M / L) steps along the other (M its distance), halves
// rounded towards the start.
QRect RasterLine(const SpanWriter& pen, QPoint from, QPoint to);

// A round-capped stroke of `width` pixels (>= 2): every pixel whose centre
// lies within width / 2 of the segment. For even widths the segment is moved
// half a pixel up and left so that the stroke covers exactly `width` rows
// or columns.
QRect RasterStroke(const SpanWriter& pen, QPoint from, QPoint to, int width);

// The ellipse inscribed in [left, right) x [top, bottom): its inside (the
// pixels whose four neighbours are all inside) with `brush` when given, the
// rest of an outline `penWidth` pixels wide (centred on the edge) with `pen`.
QRect RasterEllipse(const SpanWriter* brush, const SpanWriter& pen, qint64 left, qint64 top,
                    qint64 right, qint64 bottom, int penWidth);

// Paints every pixel 4-connected to `start` whose colour is not `border`,
// iteratively (scanline spans on an explicit stack).
QRect RasterBorderFill(const SpanWriter& brush, QPoint start, ColorValue border);

} // namespace mivarelo
