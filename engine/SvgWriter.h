#pragma once
// Writes what was drawn into a picture as an SVG 1.1 document of the
// picture's size: one element per entry of its drawing list, in drawing
// order. Shapes are rendered without antialiasing ("crispEdges") so that a
// renderer sets the pixels the raster rules set; raster patches become
// embedded PNG images.
#include <QByteArray>
#include <QRect>
#include <QString>

namespace mivarelo {

class DrawingList;
class Picture;

class SvgWriter {
public:
    // The document of `list`, showing `area` of it (null: all of it).
    static QByteArray Document(const DrawingList& list, QRect area = QRect());
    // The document of `picture`: its drawing list, or, when it keeps none,
    // the whole picture as one image; it shows `area` (null: all of it).
    static QByteArray Document(const Picture& picture, QRect area = QRect());
    // Writes Document(picture, area) to `path`; false when the file cannot
    // be written.
    static bool Save(const Picture& picture, const QString& path, const QRect& area = QRect());
};

} // namespace mivarelo
