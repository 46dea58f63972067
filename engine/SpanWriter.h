#pragma once
// Writes one colour into the pixels of a 32-bit image, honouring the copy
// mode. It writes straight into the scanlines; callers clip first.
#include "engine/ColorValue.h"
#include "engine/Picture.h"

#include <QImage>

#include <algorithm>
#include <cstdint>

namespace mivarelo {

class SpanWriter {
public:
    SpanWriter(QImage& image, ColorValue colour, CopyMode mode)
        : bits_(reinterpret_cast<QRgb*>(image.bits())),
          stride_(image.bytesPerLine() / static_cast<int>(sizeof(QRgb))), width_(image.width()),
          height_(image.height()), pixel_(ToPixel(colour)), mode_(mode) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Stride() const { return stride_; }
    QRgb* Row(int y) const { return bits_ + static_cast<std::ptrdiff_t>(y) * stride_; }

    void Put(QRgb* p) const {
        if (mode_ == CopyMode::SourceCopy)
            *p = pixel_;
        else
            *p &= pixel_;
    }
    // Pixels x0..x1 of row y, clipped to the image; x0 > x1 writes nothing.
    void Span(int y, std::int64_t x0, std::int64_t x1) const {
        if (y < 0 || y >= height_) return;
        const int from = static_cast<int>(std::max<std::int64_t>(x0, 0));
        const int to = static_cast<int>(std::min<std::int64_t>(x1, width_ - 1));
        if (from > to) return;
        QRgb* row = Row(y);
        if (mode_ == CopyMode::SourceCopy) {
            std::fill(row + from, row + to + 1, pixel_);
            return;
        }
        for (int x = from; x <= to; ++x)
            row[x] &= pixel_;
    }

private:
    QRgb* bits_;
    int stride_;
    int width_;
    int height_;
    QRgb pixel_;
    CopyMode mode_;
};

} // namespace mivarelo
