#include "cli/PictureLikeness.h"

#include <QPoint>

#include <algorithm>
#include <vector>

namespace mivarelo {

namespace {

// The drawn pixels of `picture` within `width` x `height`, row by row.
std::vector<char> DrawnMask(const QImage& picture, QRgb screen, int width, int height) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const QRgb background = screen & 0xFFFFFF;
    std::vector<char> mask(static_cast<std::size_t>(width) * height, 0);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x)
            mask[static_cast<std::size_t>(y) * width + x] = (row[x] & 0xFFFFFF) != background;
    }
    return mask;
}

// Every pixel within `reach` (a disc) of a drawn pixel of `mask`.
std::vector<char> Widened(const std::vector<char>& mask, int width, int height, int reach) {
    std::vector<QPoint> disc;
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if (dx * dx + dy * dy <= reach * reach) disc.emplace_back(dx, dy);
    std::vector<char> wide(mask.size(), 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (!mask[static_cast<std::size_t>(y) * width + x]) continue;
            for (const QPoint& d : disc) {
                const int nx = x + d.x();
                const int ny = y + d.y();
                if (nx >= 0 && ny >= 0 && nx < width && ny < height)
                    wide[static_cast<std::size_t>(ny) * width + nx] = 1;
            }
        }
    return wide;
}

// The share of the drawn pixels of `mask` that `near` holds.
double ShareNear(const std::vector<char>& mask, const std::vector<char>& near) {
    std::size_t drawn = 0;
    std::size_t close = 0;
    for (std::size_t i = 0; i < mask.size(); ++i) {
        if (!mask[i]) continue;
        ++drawn;
        close += near[i] ? 1 : 0;
    }
    return drawn == 0 ? 0.0 : static_cast<double>(close) / static_cast<double>(drawn);
}

} // namespace

Likeness CompareDrawings(const QImage& drawing, QRgb drawingScreen, const QImage& model,
                         QRgb modelScreen, int reach) {
    const int width = std::min(drawing.width(), model.width());
    const int height = std::min(drawing.height(), model.height());
    if (width <= 0 || height <= 0) return {};
    const std::vector<char> drawn = DrawnMask(drawing, drawingScreen, width, height);
    const std::vector<char> modelDrawn = DrawnMask(model, modelScreen, width, height);
    Likeness likeness;
    likeness.modelCovered = ShareNear(modelDrawn, Widened(drawn, width, height, reach));
    likeness.drawingOnModel = ShareNear(drawn, Widened(modelDrawn, width, height, reach));
    return likeness;
}

} // namespace mivarelo
