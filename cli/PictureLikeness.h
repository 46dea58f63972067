#pragma once
// How close a drawing is to a model drawing, for the class gallery.
#include <QImage>

namespace mivarelo {

// Both shares run from 0 to 1. A pixel is drawn when it differs from its
// picture's screen colour.
struct Likeness {
    // Of the model's drawn pixels, those with a drawn pixel of the drawing
    // within the reach.
    double modelCovered = 0;
    // Of the drawing's drawn pixels, those with a drawn pixel of the model
    // within the reach.
    double drawingOnModel = 0;

    // What the gallery sorts by: a drawing must both cover the model and
    // stay on it.
    double Score() const { return modelCovered < drawingOnModel ? modelCovered : drawingOnModel; }
};

// Pictures of different sizes are compared over the part they share. The
// reach is a distance in pixels: 2 forgives a line drawn a pixel or two off.
Likeness CompareDrawings(const QImage& drawing, QRgb drawingScreen, const QImage& model,
                         QRgb modelScreen, int reach = 2);

} // namespace mivarelo
