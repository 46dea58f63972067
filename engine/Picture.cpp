#include "engine/Picture.h"

#include "engine/Rasterizer.h"
#include "engine/SpanWriter.h"

#include <QColor>
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QTransform>

#include <algorithm>

namespace mivarelo {

namespace {

void (*fontSetUp)() = nullptr;

// Shapes reaching further than this are kept as pixels: renderers of the
// list work in limited precision.
constexpr qint64 ShapeReach = 1 << 20;

bool Near(qint64 v) {
    return v > -ShapeReach && v < ShapeReach;
}

bool Near(QPoint p) {
    return Near(p.x()) && Near(p.y());
}

// The rectangle from (left, top) to (right, bottom), grown by `margin` and
// cut to `bounds` before it becomes whole numbers.
QRect Around(qint64 left, qint64 top, qint64 right, qint64 bottom, qint64 margin,
             const QRect& bounds) {
    const auto cut = [](qint64 v, int lo, int hi) {
        return static_cast<int>(std::clamp<qint64>(v, lo - 1, hi + 1));
    };
    const QRect grown(QPoint(cut(left - margin, bounds.left(), bounds.right()),
                             cut(top - margin, bounds.top(), bounds.bottom())),
                      QPoint(cut(right + margin, bounds.left(), bounds.right()),
                             cut(bottom + margin, bounds.top(), bounds.bottom())));
    return grown.intersected(bounds);
}

} // namespace

Picture::Picture(int width, int height)
    : image_(width, height, QImage::Format_RGB32), pendingFill_(ToPixel(WhiteColor)),
      drawing_(width, height) {
    drawing_.Add(DrawnRect{image_.rect(), WhiteColor});
}

void Picture::SetKeepDrawing(bool keep) {
    if (keep == keepDrawing_) return;
    keepDrawing_ = keep;
    drawing_.Clear();
    if (!keep) return;
    if (pendingFill_)
        drawing_.Add(DrawnRect{image_.rect(), FromPixel(*pendingFill_)});
    else
        drawing_.Collapse(image_);
}

template <typename Draw> void Picture::RecordChange(const QRect& reach, Draw draw) {
    const QRect region = reach.intersected(image_.rect());
    const QImage before = image_.copy(region);
    draw();
    if (!region.isEmpty()) Enter(ChangedPixels(before, region.topLeft()));
}

template <typename MakeShape, typename Draw>
void Picture::Record(bool exact, const QRect& reach, MakeShape make, Draw draw) {
    if (!keepDrawing_) {
        draw();
    } else if (exact && copyMode_ == CopyMode::SourceCopy) {
        draw();
        Enter(make());
    } else {
        RecordChange(reach, draw);
    }
}

void Picture::Enter(DrawnItem item) {
    if (drawing_.Add(std::move(item))) drawing_.Collapse(Image());
}

DrawnPatch Picture::ChangedPixels(const QImage& before, QPoint at) const {
    QImage patch(before.size(), QImage::Format_ARGB32);
    patch.fill(Qt::transparent);
    for (int y = 0; y < before.height(); ++y) {
        const auto* was = reinterpret_cast<const QRgb*>(before.constScanLine(y));
        const auto* now = reinterpret_cast<const QRgb*>(image_.constScanLine(at.y() + y)) + at.x();
        auto* out = reinterpret_cast<QRgb*>(patch.scanLine(y));
        for (int x = 0; x < before.width(); ++x)
            if (was[x] != now[x]) out[x] = now[x] | 0xFF000000u;
    }
    return DrawnPatch{at, patch};
}

DrawnPatch Picture::PixelsOf(ColorValue colour, const QRect& rect) const {
    const QRgb pixel = ToPixel(colour);
    QImage patch(rect.size(), QImage::Format_ARGB32);
    patch.fill(Qt::transparent);
    for (int y = 0; y < rect.height(); ++y) {
        const auto* row =
            reinterpret_cast<const QRgb*>(image_.constScanLine(rect.top() + y)) + rect.left();
        auto* out = reinterpret_cast<QRgb*>(patch.scanLine(y));
        for (int x = 0; x < rect.width(); ++x)
            if ((row[x] | 0xFF000000u) == pixel) out[x] = pixel;
    }
    return DrawnPatch{rect.topLeft(), patch};
}

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
    if (penWidth_ <= 1 && from == to) return;
    Materialise();
    const SpanWriter pen(image_, penColor_, copyMode_);
    const QRect reach =
        Around(std::min(from.x(), to.x()), std::min(from.y(), to.y()), std::max(from.x(), to.x()),
               std::max(from.y(), to.y()), penWidth_ / 2 + 2, image_.rect());
    Record(
        Near(from) && Near(to), reach,
        [&] {
            return DrawnLine{from, to, std::max(penWidth_, 1), penColor_};
        },
        [&] {
            if (penWidth_ <= 1)
                MarkDirty(RasterLine(pen, from, to));
            else
                MarkDirty(RasterStroke(pen, from, to, penWidth_));
        });
}

void Picture::FillRect(const QRect& rect) {
    const QRect visible = rect.intersected(image_.rect());
    if (visible.isEmpty()) return;
    // The whole picture in one colour stays a pending fill, and the drawing
    // list starts again: nothing drawn before shows any more.
    if (visible == image_.rect() && (copyMode_ == CopyMode::SourceCopy || pendingFill_)) {
        const QRgb pixel = ToPixel(brushColor_);
        pendingFill_ = copyMode_ == CopyMode::SourceCopy ? pixel : *pendingFill_ & pixel;
        MarkDirty(visible);
        if (!keepDrawing_) return;
        drawing_.Clear();
        Enter(DrawnRect{visible, FromPixel(*pendingFill_)});
        return;
    }
    Materialise();
    const SpanWriter brush(image_, brushColor_, copyMode_);
    Record(
        true, visible,
        [&] {
            return DrawnRect{visible, brushColor_};
        },
        [&] {
            for (int y = visible.top(); y <= visible.bottom(); ++y)
                brush.Span(y, visible.left(), visible.right());
        });
    MarkDirty(visible);
}

void Picture::FloodFillBorder(QPoint start, ColorValue border) {
    if (brushHollow_) return;
    Materialise();
    const SpanWriter brush(image_, brushColor_, copyMode_);
    if (!keepDrawing_) {
        MarkDirty(RasterBorderFill(brush, start, border));
        return;
    }
    if (copyMode_ != CopyMode::SourceCopy) {
        RecordChange(image_.rect(), [&] { MarkDirty(RasterBorderFill(brush, start, border)); });
        return;
    }
    // A fill has no shape. Every pixel of the brush colour inside what it
    // changed has that colour afterwards, whether painted now or before, so
    // a patch of those pixels puts exactly the fill back.
    const QRect changed = RasterBorderFill(brush, start, border);
    MarkDirty(changed);
    if (!changed.isEmpty()) Enter(PixelsOf(brushColor_, changed));
}

void Picture::DrawEllipse(qint64 left, qint64 top, qint64 right, qint64 bottom) {
    Materialise();
    const SpanWriter pen(image_, penColor_, copyMode_);
    const SpanWriter brush(image_, brushColor_, copyMode_);
    const DrawnEllipse shape{std::min(left, right),
                             std::min(top, bottom),
                             std::max(left, right),
                             std::max(top, bottom),
                             std::max(penWidth_, 1),
                             penColor_,
                             brushHollow_ ? std::nullopt : std::optional(brushColor_)};
    if (shape.right <= shape.left || shape.bottom <= shape.top) return;
    const bool near =
        Near(shape.left) && Near(shape.top) && Near(shape.right) && Near(shape.bottom);
    const QRect reach =
        Around(shape.left, shape.top, shape.right, shape.bottom, shape.penWidth + 2, image_.rect());
    Record(
        near, reach, [&] { return shape; },
        [&] {
            MarkDirty(RasterEllipse(brushHollow_ ? nullptr : &brush, pen, shape.left, shape.top,
                                    shape.right, shape.bottom, penWidth_));
        });
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
    const auto shape = [&] {
        return DrawnLabel{origin,           text,
                          font.face,        QFontInfo(face).family(),
                          font.pixelHeight, font.escapement,
                          metrics.ascent(), fontColor_};
    };
    Record(true, reach, shape, [&] {
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
    });
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
