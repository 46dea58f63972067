#include "engine/SvgWriter.h"

#include "engine/DrawingList.h"
#include "engine/Picture.h"

#include <QBuffer>
#include <QSaveFile>

namespace mivarelo {

namespace {

// The raster rules count a pixel whose centre lies exactly on the border of
// a stroke as covered, renderers of SVG do not: strokes are written this
// much wider so that such pixels are covered there too.
constexpr double TieMargin = 0.01;

QByteArray Number(double v) {
    return QByteArray::number(v, 'g', 12);
}

QByteArray Colour(ColorValue c) {
    return "#" + QByteArray::number(ToPixel(c) & 0xFFFFFF, 16).rightJustified(6, '0');
}

// Text as XML character data or attribute value. Control characters other
// than the tab are not allowed in XML and are left out.
QByteArray Escaped(const QString& text) {
    QString out;
    for (const QChar c : text) {
        if (c == u'&')
            out += u"&amp;";
        else if (c == u'<')
            out += u"&lt;";
        else if (c == u'>')
            out += u"&gt;";
        else if (c == u'"')
            out += u"&quot;";
        else if (c.unicode() >= 0x20 || c == u'\t')
            out += c;
    }
    return out.toUtf8();
}

QByteArray Element(const DrawnLine& line) {
    const QLineF centre = line.CentreLine();
    return "<line x1=\"" + Number(centre.x1()) + "\" y1=\"" + Number(centre.y1()) + "\" x2=\"" +
           Number(centre.x2()) + "\" y2=\"" + Number(centre.y2()) + "\" stroke=\"" +
           Colour(line.colour) + "\" stroke-width=\"" + Number(line.StrokeWidth() + TieMargin) +
           "\" stroke-linecap=\"" + (line.RoundCaps() ? "round" : "butt") + "\"/>\n";
}

QByteArray Element(const DrawnRect& rect) {
    return "<rect x=\"" + Number(rect.rect.x()) + "\" y=\"" + Number(rect.rect.y()) +
           "\" width=\"" + Number(rect.rect.width()) + "\" height=\"" + Number(rect.rect.height()) +
           "\" fill=\"" + Colour(rect.colour) + "\"/>\n";
}

QByteArray Element(const DrawnEllipse& ellipse) {
    const QPointF centre = ellipse.Centre();
    return "<ellipse cx=\"" + Number(centre.x()) + "\" cy=\"" + Number(centre.y()) + "\" rx=\"" +
           Number(ellipse.RadiusX()) + "\" ry=\"" + Number(ellipse.RadiusY()) + "\" fill=\"" +
           (ellipse.brush ? Colour(*ellipse.brush) : QByteArray("none")) + "\" stroke=\"" +
           Colour(ellipse.pen) + "\" stroke-width=\"" + Number(ellipse.penWidth + TieMargin) +
           "\"/>\n";
}

// The font that drew the picture, then the requested face for a viewer
// that lacks it; quotes inside names cannot be written and are left out.
QByteArray FontFamilies(const DrawnLabel& label) {
    const auto quoted = [](QString name) { return "'" + name.remove(u'\'') + "'"; };
    QString families = quoted(label.family);
    if (label.face.compare(label.family, Qt::CaseInsensitive) != 0)
        families += ", " + quoted(label.face);
    return Escaped(families);
}

// The baseline lies `ascent` below the turned top-left corner.
QByteArray Element(const DrawnLabel& label) {
    return "<text x=\"0\" y=\"" + Number(label.ascent) + "\" transform=\"translate(" +
           Number(label.origin.x()) + " " + Number(label.origin.y()) + ") rotate(" +
           Number(-label.escapement / 10.0) + ")\" font-family=\"" + FontFamilies(label) +
           "\" font-size=\"" + Number(label.pixelHeight) + "\" fill=\"" + Colour(label.colour) +
           "\" xml:space=\"preserve\">" + Escaped(label.text) + "</text>\n";
}

QByteArray Element(const DrawnPatch& patch) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    patch.image.save(&buffer, "PNG");
    return "<image x=\"" + Number(patch.at.x()) + "\" y=\"" + Number(patch.at.y()) + "\" width=\"" +
           Number(patch.image.width()) + "\" height=\"" + Number(patch.image.height()) +
           "\" image-rendering=\"optimizeSpeed\" xlink:href=\"data:image/png;base64," +
           png.toBase64() + "\"/>\n";
}

// The document shows `view` of the picture, at the picture's scale.
QByteArray Header(const QRect& view) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" "
           "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\" width=\"" +
           Number(view.width()) + "\" height=\"" + Number(view.height()) + "\" viewBox=\"" +
           Number(view.x()) + " " + Number(view.y()) + " " + Number(view.width()) + " " +
           Number(view.height()) +
           "\" shape-rendering=\"crispEdges\" text-rendering=\"optimizeSpeed\">\n";
}

} // namespace

QByteArray SvgWriter::Document(const DrawingList& list, QRect area) {
    if (area.isNull()) area = QRect(0, 0, list.Width(), list.Height());
    QByteArray svg = Header(area);
    for (const DrawnItem& item : list.Items())
        svg += std::visit([](const auto& entry) { return Element(entry); }, item);
    return svg + "</svg>\n";
}

QByteArray SvgWriter::Document(const Picture& picture, QRect area) {
    if (picture.KeepsDrawing()) return Document(picture.Drawing(), area);
    if (area.isNull()) area = QRect(0, 0, picture.Width(), picture.Height());
    QByteArray svg = Header(area);
    svg += Element(DrawnPatch{QPoint(0, 0), picture.Image()});
    return svg + "</svg>\n";
}

bool SvgWriter::Save(const Picture& picture, const QString& path, const QRect& area) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(Document(picture, area));
    return file.commit();
}

} // namespace mivarelo
