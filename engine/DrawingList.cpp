#include "engine/DrawingList.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace mivarelo {

namespace {

// The centre of pixel p.
QPointF Centre(QPoint p) {
    return QPointF(p.x() + 0.5, p.y() + 0.5);
}

double Steps(QPoint from, QPoint to) {
    return std::max(std::abs(double(to.x()) - from.x()), std::abs(double(to.y()) - from.y()));
}

} // namespace

QLineF DrawnLine::CentreLine() const {
    if (width > 1) {
        const double shift = width % 2 == 0 ? -0.5 : 0.0;
        return QLineF(Centre(from) + QPointF(shift, shift), Centre(to) + QPointF(shift, shift));
    }
    const double steps = Steps(from, to);
    if (steps == 0.0) return QLineF(Centre(from), Centre(from));
    const QPointF step = QPointF(to - from) / steps;
    return QLineF(Centre(from) - step * 0.5, Centre(to) - step * 0.5);
}

double DrawnLine::StrokeWidth() const {
    if (width > 1) return width;
    const double length = std::hypot(double(to.x()) - from.x(), double(to.y()) - from.y());
    return length == 0.0 ? 1.0 : Steps(from, to) / length;
}

QPointF DrawnEllipse::Centre() const {
    return QPointF((double(left) + double(right)) / 2.0, (double(top) + double(bottom)) / 2.0);
}

double DrawnEllipse::RadiusX() const {
    return std::max((double(right) - double(left)) / 2.0 - 0.5, 0.0);
}

double DrawnEllipse::RadiusY() const {
    return std::max((double(bottom) - double(top)) / 2.0 - 0.5, 0.0);
}

bool DrawingList::Add(DrawnItem item) {
    bytes_ += BytesOf(item);
    items_.push_back(std::move(item));
    return bytes_ > budget_;
}

void DrawingList::Collapse(const QImage& picture) {
    DrawnPatch whole{QPoint(0, 0), picture.convertToFormat(QImage::Format_ARGB32)};
    Clear();
    ++collapses_;
    bytes_ = BytesOf(whole);
    items_.push_back(std::move(whole));
    items_.shrink_to_fit();
}

void DrawingList::Clear() {
    items_.clear();
    bytes_ = 0;
}

std::size_t DrawingList::BytesOf(const DrawnItem& item) {
    std::size_t bytes = sizeof(DrawnItem);
    if (const auto* label = std::get_if<DrawnLabel>(&item))
        bytes += std::size_t(label->text.size() + label->face.size() + label->family.size()) *
                 sizeof(QChar);
    if (const auto* patch = std::get_if<DrawnPatch>(&item))
        bytes += std::size_t(patch->image.sizeInBytes());
    return bytes;
}

} // namespace mivarelo
