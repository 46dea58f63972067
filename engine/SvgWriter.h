#pragma once
// Writes what was drawn into a picture as an SVG 1.1 document of the
// picture's size: one element per entry of its drawing list, in drawing
// order. Shapes are rendered without antialiasing ("crispEdges") so that a
// renderer sets the pixels the raster rules set; raster patches become
// embedded PNG images.
#include <QByteArray>
#include <QString>

namespace mivarelo {

class DrawingList;
class Picture;

class SvgWriter {
public:
    // The document of `list`.
    static QByteArray Document(const DrawingList& list);
    // The document of `picture`: its drawing list, or, when it keeps none,
    // the whole picture as one image.
    static QByteArray Document(const Picture& picture);
    // Writes Document(picture) to `path`; false when the file cannot be written.
    static bool Save(const Picture& picture, const QString& path);
};

} // namespace mivarelo
