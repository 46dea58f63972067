#pragma once
// Paints a drawing list onto any QPainter at any scale, shape by shape, so
// that a printed page is as sharp as the printer allows: lines, ellipses
// and labels are drawn at the device's resolution, only raster patches
// (fills) keep the picture's pixels.
#include <QRectF>

class QPainter;

namespace mivarelo {

class DrawingList;

class DrawingPainter {
public:
    // Paints `list` into `target`, a rectangle in the painter's coordinates
    // that stands for the whole picture; nothing is drawn outside it.
    static void Paint(const DrawingList& list, QPainter& painter, const QRectF& target);
};

} // namespace mivarelo
