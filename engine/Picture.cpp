#include "engine/Picture.h"

#include "engine/Rasterizer.h"
#include "engine/SpanWriter.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QTransform>

namespace mivarelo {

namespace {

void (*fontSetUp)() = nullptr;

} // namespace

Picture::Picture(int width, int height)
    : image_(width, height, QImage::Format_RGB32), pendingFill_(ToPixel(WhiteColor)) {}

void Picture::SetFontSetUp(void (*setUp)()) {
    fontSetUp = setUp;
}

const QImage& Picture::Image() const {
    Materialise();
    return image_;
}

void Picture::Materialise() const {
    if (!pendingFill_) return;
    image_.fill(*pendingFill_);
    pendingFill_.reset();
}

void Picture::SetBrushColor(ColorValue c) {
    brushColor_ = c;
    brushHollow_ = false;
}

ColorValue Picture::PixelColor(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return InvalidColor;
    if (pendingFill_) return FromPixel(*pendingFill_);
    return FromPixel(reinterpret_cast<const QRgb*>(image_.constScanLine(y))[x]);
}

void Picture::DrawLine(QPoint from, QPoint to) {
    Materialise();
    const SpanWriter pen(image_, penColor_, copyMode_);
    if (penWidth_ <= 1)
        MarkDirty(RasterLine(pen, from, to));
    else
        MarkDirty(RasterStroke(pen, from, to, penWidth_));
}

void Picture::FillRect(const QRect& rect) {
    const QRect visible = rect.intersected(image_.rect());
    if (visible.isEmpty()) return;
    // The whole picture in one colour stays a pending fill.
    if (visible == image_.rect() && (copyMode_ == CopyMode::SourceCopy || pendingFill_)) {
        const QRgb pixel = ToPixel(brushColor_);
        pendingFill_ = copyMode_ == CopyMode::SourceCopy ? pixel : *pendingFill_ & pixel;
        MarkDirty(visible);
        return;
    }
    Materialise();
    const SpanWriter brush(image_, brushColor_, copyMode_);
    for (int y = visible.top(); y <= visible.bottom(); ++y)
        brush.Span(y, visible.left(), visible.right());
    MarkDirty(visible);
}

void Picture::FloodFillBorder(QPoint start, ColorValue border) {
    if (brushHollow_) return;
    Materialise();
    const SpanWriter brush(image_, brushColor_, copyMode_);
    MarkDirty(RasterBorderFill(brush, start, border));
}

void Picture::DrawEllipse(qint64 left, qint64 top, qint64 right, qint64 bottom) {
    Materialise();
    const SpanWriter pen(image_, penColor_, copyMode_);
    const SpanWriter brush(image_, brushColor_, copyMode_);
    MarkDirty(RasterEllipse(brushHollow_ ? nullptr : &brush, pen, std::min(left, right),
                            std::min(top, bottom), std::max(left, right), std::max(top, bottom),
                            penWidth_));
}

void Picture::DrawLabel(QPoint origin, const QString& text, const LabelFont& font) {
    if (fontSetUp) fontSetUp();
    QFont face(font.face);
    face.setPixelSize(font.pixelHeight);
    face.setWeight(QFont::Normal);
    face.setStyleStrategy(QFont::NoAntialias);
    const QFontMetrics metrics(face);

    QTransform place;
    place.translate(origin.x(), origin.y());
    place.rotate(-(font.escapement / 10.0));

    // The reach of the text is worked out in floating point and clipped to
    // the picture before it becomes whole pixels: integer rectangles of a
    // label far outside would overflow. Such a label is not drawn at all.
    const QRectF cell = QRectF(metrics.boundingRect(text)).translated(0, metrics.ascent());
    const QRect reach = place.mapRect(cell)
                            .adjusted(-2, -2, 2, 2)
                            .intersected(QRectF(image_.rect()))
                            .toAlignedRect();
    if (reach.isEmpty()) return;

    Materialise();
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setCompositionMode(copyMode_ == CopyMode::SourceCopy
                                   ? QPainter::CompositionMode_SourceOver
                                   : QPainter::RasterOp_SourceAndDestination);
    painter.setFont(face);
    painter.setPen(QColor::fromRgb(ToPixel(fontColor_)));
    painter.setTransform(place);
    painter.drawText(QPoint(0, metrics.ascent()), text);
    painter.end();
    MarkDirty(reach);
}

QRect Picture::TakeDirtyRect() {
    const QRect taken = dirty_;
    dirty_ = QRect();
    return taken;
}

void Picture::MarkDirty(const QRect& rect) {
    dirty_ |= rect.intersected(image_.rect());
}

} // namespace mivarelo
