#include "engine/DrawingPainter.h"

#include "engine/DrawingList.h"

#include <QFont>
#include <QPainter>
#include <QPen>

namespace mivarelo {

namespace {

QColor Colour(ColorValue c) {
    return QColor::fromRgb(ToPixel(c));
}

void Draw(QPainter& painter, const DrawnLine& line) {
    QPen pen(Colour(line.colour), line.StrokeWidth(), Qt::SolidLine,
             line.RoundCaps() ? Qt::RoundCap : Qt::FlatCap);
    painter.setPen(pen);
    const QLineF centre = line.CentreLine();
    // A stroke of no length is the round dot of a wide pen.
    if (centre.p1() == centre.p2())
        painter.drawPoint(centre.p1());
    else
        painter.drawLine(centre);
}

void Draw(QPainter& painter, const DrawnRect& rect) {
    painter.fillRect(QRectF(rect.rect), Colour(rect.colour));
}

void Draw(QPainter& painter, const DrawnEllipse& ellipse) {
    painter.setPen(QPen(Colour(ellipse.pen), ellipse.penWidth));
    painter.setBrush(ellipse.brush ? QBrush(Colour(*ellipse.brush)) : QBrush(Qt::NoBrush));
    painter.drawEllipse(ellipse.Centre(), ellipse.RadiusX(), ellipse.RadiusY());
}

void Draw(QPainter& painter, const DrawnLabel& label) {
    QFont font(label.family);
    font.setPixelSize(label.pixelHeight);
    font.setWeight(QFont::Normal);
    painter.save();
    painter.setFont(font);
    painter.setPen(Colour(label.colour));
    painter.translate(label.origin);
    painter.rotate(-label.escapement / 10.0);
    painter.drawText(QPointF(0, label.ascent), label.text);
    painter.restore();
}

// Patches keep their pixels square at every scale.
void Draw(QPainter& painter, const DrawnPatch& patch) {
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(patch.at, patch.image);
    painter.restore();
}

} // namespace

void DrawingPainter::Paint(const DrawingList& list, QPainter& painter, const QRectF& target) {
    if (list.Width() <= 0 || list.Height() <= 0) return;
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(target.width() / list.Width(), target.height() / list.Height());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const DrawnItem& item : list.Items())
        std::visit([&painter](const auto& entry) { Draw(painter, entry); }, item);
    painter.restore();
}

} // namespace mivarelo
