#pragma once
// What was drawn into the picture, in drawing order, in a form that can be
// drawn again at any scale: lines, filled rectangles, ellipses and labels,
// and raster patches for what has no exact shape (a flood fill, drawing that
// combines with the pixels below). Painting the entries in order onto a
// picture of the list's size gives the raster picture again, up to the
// pixels on which a renderer puts the border of a slanted or round shape.
//
// Geometry is given in picture coordinates where pixel (x, y) covers the
// square [x, x + 1) x [y, y + 1): the shapes describe the pixels the
// raster rules set, so a renderer that fills a pixel when its centre lies
// inside a shape reproduces them.
#include "engine/ColorValue.h"

#include <QImage>
#include <QLineF>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QString>

#include <cstddef>
#include <deque>
#include <optional>
#include <variant>

namespace mivarelo {

// A pen stroke from `from` towards `to`.
struct DrawnLine {
    QPoint from;
    QPoint to;
    int width = 1;
    ColorValue colour = 0;

    // The centre line of the stroke. A width-1 line covers its pixels 0 to
    // L - 1 along the longer axis (L steps long); the centre line runs half
    // a step before the first pixel to half a step before the end point.
    // A wider pen is round-capped around the segment itself (moved half a
    // pixel up and left for even widths).
    QLineF CentreLine() const;
    // A width-1 line keeps one pixel per step of its longer axis: its stroke
    // is as thick across as one pixel is along the shorter axis.
    double StrokeWidth() const;
    bool RoundCaps() const { return width > 1; }
};

// A rectangle filled with one colour (clearing, screen colour changes).
struct DrawnRect {
    QRect rect;
    ColorValue colour = 0;
};

// The ellipse inscribed in [left, right) x [top, bottom): an outline of
// `penWidth` pixels on its edge and, unless hollow, a filled inside.
struct DrawnEllipse {
    qint64 left = 0;
    qint64 top = 0;
    qint64 right = 0;
    qint64 bottom = 0;
    int penWidth = 1;
    ColorValue pen = 0;
    std::optional<ColorValue> brush;

    QPointF Centre() const;
    // The radii of the outline's centre line: the raster outline lies just
    // inside the rectangle, so its centre line runs half a pixel in.
    double RadiusX() const;
    double RadiusY() const;
};

// A text drawn with no background, its top-left corner at `origin`, turned
// by `escapement` tenths of a degree counter-clockwise around that corner.
// `family` is the font the raster picture actually used for the requested
// `face` (the face itself when installed).
struct DrawnLabel {
    QPoint origin;
    QString text;
    QString face;
    QString family;
    int pixelHeight = 16;
    int escapement = 0;
    int ascent = 0;
    ColorValue colour = 0;
};

// Pixels with no shape: an ARGB image placed with its top-left corner at
// `at`, transparent where nothing changed.
struct DrawnPatch {
    QPoint at;
    QImage image;
};

using DrawnItem = std::variant<DrawnLine, DrawnRect, DrawnEllipse, DrawnLabel, DrawnPatch>;

class DrawingList {
public:
    // Above this many bytes the list is replaced by one patch of the whole
    // picture, so that a long run cannot take unbounded memory.
    static constexpr std::size_t DefaultBudget = 50u * 1024u * 1024u;

    DrawingList(int width, int height) : width_(width), height_(height) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::deque<DrawnItem>& Items() const { return items_; }
    // The bytes the entries hold, images and texts included.
    std::size_t Bytes() const { return bytes_; }
    void SetBudget(std::size_t bytes) { budget_ = bytes; }
    // How often the list was folded into one patch.
    int Collapses() const { return collapses_; }

    // Appends an entry; true when the list is now over its budget and
    // should be collapsed.
    bool Add(DrawnItem item);
    // Replaces every entry by one opaque patch of `picture`, the raster
    // that the entries drew.
    void Collapse(const QImage& picture);
    // Forgets everything: the next entry covers the whole picture.
    void Clear();

private:
    static std::size_t BytesOf(const DrawnItem& item);

    int width_;
    int height_;
    std::deque<DrawnItem> items_;
    std::size_t bytes_ = 0;
    std::size_t budget_ = DefaultBudget;
    int collapses_ = 0;
};

} // namespace mivarelo
