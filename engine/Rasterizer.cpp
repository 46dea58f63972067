#include "engine/Rasterizer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

namespace mivarelo {

namespace {

using Wide = __int128;
using i64 = std::int64_t;

Wide FloorDiv(Wide a, Wide b) {
    Wide q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

Wide CeilDiv(Wide a, Wide b) {
    return -FloorDiv(-a, b);
}

// One axis of a line: start, direction of travel (+1/-1) and image size.
struct Axis {
    i64 start;
    int step;
    int size;

    // The range of step counts k for which start + step * k lies inside [0, size).
    std::pair<i64, i64> InsideRange() const {
        if (step > 0) return {-start, size - 1 - start};
        return {start - (size - 1), start};
    }
};

// Parameters of a line for walking it: L steps along the major axis, M along
// the minor one; minor offset of step i is floor((2iM + L - 1) / 2L).
struct LineWalk {
    Axis major;
    Axis minor;
    i64 L;
    i64 M;

    i64 MinorAt(i64 i) const {
        return static_cast<i64>(FloorDiv(Wide(2) * i * M + L - 1, Wide(2) * L));
    }
    // The steps i in [0, L) whose pixel lies inside the image; empty when first > last.
    std::pair<i64, i64> VisibleSteps() const {
        auto [majorLo, majorHi] = major.InsideRange();
        i64 first = std::max<i64>(0, majorLo);
        i64 last = std::min<i64>(L - 1, majorHi);
        auto [kLo, kHi] = minor.InsideRange();
        if (M == 0) {
            if (kLo > 0 || kHi < 0) return {1, 0};
            return {first, last};
        }
        const Wide firstK = CeilDiv(Wide(2) * L * kLo - L + 1, Wide(2) * M);
        const Wide lastK = FloorDiv(Wide(2) * L * (Wide(kHi) + 1) - L, Wide(2) * M);
        first = static_cast<i64>(std::max<Wide>(first, firstK));
        last = static_cast<i64>(std::min<Wide>(last, lastK));
        return {first, last};
    }
};

LineWalk MakeWalk(QPoint from, QPoint to, int width, int height) {
    const i64 dx = std::llabs(i64(to.x()) - from.x());
    const i64 dy = std::llabs(i64(to.y()) - from.y());
    const int sx = to.x() >= from.x() ? 1 : -1;
    const int sy = to.y() >= from.y() ? 1 : -1;
    const Axis ax{from.x(), sx, width};
    const Axis ay{from.y(), sy, height};
    if (dx >= dy) return {ax, ay, dx, dy};
    return {ay, ax, dy, dx};
}

QRect PointsRect(QPoint a, QPoint b) {
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

} // namespace

QRect RasterLine(const SpanWriter& pen, QPoint from, QPoint to) {
    if (from == to) return {};
    const bool xMajor = std::llabs(i64(to.x()) - from.x()) >= std::llabs(i64(to.y()) - from.y());
    const LineWalk walk = MakeWalk(from, to, pen.Width(), pen.Height());
    const auto [first, last] = walk.VisibleSteps();
    if (first > last) return {};

    i64 minor = walk.MinorAt(first);
    // Remainder of (2iM + L - 1) modulo 2L, kept in step with `minor`.
    i64 rest = static_cast<i64>((Wide(2) * first * walk.M + walk.L - 1) - Wide(2) * walk.L * minor);
    const int majorAt = static_cast<int>(walk.major.start + walk.major.step * first);
    const int minorAt = static_cast<int>(walk.minor.start + walk.minor.step * minor);
    const int x0 = xMajor ? majorAt : minorAt;
    const int y0 = xMajor ? minorAt : majorAt;
    const std::ptrdiff_t majorStep = xMajor ? walk.major.step : walk.major.step * pen.Stride();
    const std::ptrdiff_t minorStep = xMajor ? walk.minor.step * pen.Stride() : walk.minor.step;

    QRgb* p = pen.Row(y0) + x0;
    const i64 twoL = 2 * walk.L;
    const i64 twoM = 2 * walk.M;
    i64 lastMinor = minor;
    for (i64 i = first;; ++i) {
        pen.Put(p);
        lastMinor = minor;
        if (i == last) break;
        p += majorStep;
        rest += twoM;
        if (rest >= twoL) {
            rest -= twoL;
            ++minor;
            p += minorStep;
        }
    }
    const int majorEnd = static_cast<int>(walk.major.start + walk.major.step * last);
    const int minorEnd = static_cast<int>(walk.minor.start + walk.minor.step * lastMinor);
    const QPoint end = xMajor ? QPoint(majorEnd, minorEnd) : QPoint(minorEnd, majorEnd);
    return PointsRect(QPoint(x0, y0), end);
}

namespace {

constexpr double Tolerance = 1e-7;

// A closed interval of x; empty when lo > hi.
struct Interval {
    double lo = 1.0;
    double hi = 0.0;
    bool Empty() const { return lo > hi; }
    static Interval All() { return {-HUGE_VAL, HUGE_VAL}; }
    Interval Meet(Interval o) const { return {std::max(lo, o.lo), std::min(hi, o.hi)}; }
    Interval Join(Interval o) const {
        if (Empty()) return o;
        if (o.Empty()) return *this;
        return {std::min(lo, o.lo), std::max(hi, o.hi)};
    }
};

// The x for which low <= a * x + b <= high.
Interval LinearBand(double a, double b, double low, double high) {
    if (a == 0.0)
        return (b >= low - Tolerance && b <= high + Tolerance) ? Interval::All() : Interval{};
    double x0 = (low - b) / a;
    double x1 = (high - b) / a;
    if (x0 > x1) std::swap(x0, x1);
    return {x0, x1};
}

Interval DiscRow(double cx, double cy, double r, double y) {
    const double dy = y - cy;
    if (std::abs(dy) > r + Tolerance) return {};
    const double t = r * r - dy * dy;
    if (t < -Tolerance) return {};
    const double half = std::sqrt(std::max(t, 0.0));
    return {cx - half, cx + half};
}

// The round-capped stroke around segment a-b, cut by row y.
class Capsule {
public:
    Capsule(double ax, double ay, double bx, double by, double r)
        : ax_(ax), ay_(ay), bx_(bx), by_(by), r_(r), dx_(bx - ax), dy_(by - ay),
          lengthSquared_(dx_ * dx_ + dy_ * dy_), reach_(r * std::sqrt(lengthSquared_)) {}

    double Top() const { return std::min(ay_, by_) - r_; }
    double Bottom() const { return std::max(ay_, by_) + r_; }

    Interval Row(double y) const {
        Interval row = DiscRow(ax_, ay_, r_, y).Join(DiscRow(bx_, by_, r_, y));
        if (lengthSquared_ == 0.0) return row;
        // Projection onto the segment within [0, L^2], distance from its line within r.
        const Interval along = LinearBand(dx_, dy_ * (y - ay_) - dx_ * ax_, 0.0, lengthSquared_);
        const Interval across = LinearBand(-dy_, dx_ * (y - ay_) + dy_ * ax_, -reach_, reach_);
        return row.Join(along.Meet(across));
    }

private:
    double ax_, ay_, bx_, by_, r_, dx_, dy_, lengthSquared_, reach_;
};

// Writes the whole pixels of x in row y; returns the rectangle written.
QRect FillInterval(const SpanWriter& w, int y, Interval x) {
    if (x.Empty()) return {};
    const double lo = std::max(std::ceil(x.lo - Tolerance), 0.0);
    const double hi = std::min(std::floor(x.hi + Tolerance), double(w.Width() - 1));
    if (lo > hi) return {};
    w.Span(y, static_cast<i64>(lo), static_cast<i64>(hi));
    return QRect(QPoint(static_cast<int>(lo), y), QPoint(static_cast<int>(hi), y));
}

} // namespace

QRect RasterStroke(const SpanWriter& pen, QPoint from, QPoint to, int width) {
    const double shift = width % 2 == 0 ? -0.5 : 0.0;
    const Capsule c(from.x() + shift, from.y() + shift, to.x() + shift, to.y() + shift,
                    width / 2.0);
    const double top = std::floor(c.Top());
    const double bottom = std::ceil(c.Bottom());
    const int y0 = static_cast<int>(std::max(top, 0.0));
    const int y1 = static_cast<int>(std::min(bottom, double(pen.Height() - 1)));
    QRect changed;
    for (int y = y0; y <= y1; ++y)
        changed |= FillInterval(pen, y, c.Row(y));
    return changed;
}

namespace {

// Whole-pixel spans of an axis-parallel ellipse with centre (cx, cy) and
// semi-axes (a, b); rows outside it, or a negative semi-axis, give none.
struct EllipseRows {
    double cx, cy, a, b;

    std::optional<std::pair<i64, i64>> Row(i64 y) const {
        if (a < 0.0 || b < 0.0) return std::nullopt;
        const double dy = std::abs(double(y) - cy);
        if (dy > b + Tolerance) return std::nullopt;
        const double t = b > 0.0 ? 1.0 - (dy / b) * (dy / b) : 1.0;
        const double half = a * std::sqrt(std::max(t, 0.0));
        const i64 lo = static_cast<i64>(std::ceil(cx - half - Tolerance));
        const i64 hi = static_cast<i64>(std::floor(cx + half + Tolerance));
        if (lo > hi) return std::nullopt;
        return std::make_pair(lo, hi);
    }
    // The pixels of row y whose four neighbours all belong to the ellipse.
    std::optional<std::pair<i64, i64>> InnerRow(i64 y) const {
        const auto row = Row(y), above = Row(y - 1), below = Row(y + 1);
        if (!row || !above || !below) return std::nullopt;
        const i64 lo = std::max({row->first + 1, above->first, below->first});
        const i64 hi = std::min({row->second - 1, above->second, below->second});
        if (lo > hi) return std::nullopt;
        return std::make_pair(lo, hi);
    }
};

} // namespace

QRect RasterEllipse(const SpanWriter* brush, const SpanWriter& pen, qint64 left, qint64 top,
                    qint64 right, qint64 bottom, int penWidth) {
    if (right <= left || bottom <= top) return {};
    const double cx = (double(left) + double(right) - 1.0) / 2.0;
    const double cy = (double(top) + double(bottom) - 1.0) / 2.0;
    // Semi-axes of the continuous ellipse filling the rectangle; a pixel
    // belongs to it when its centre does, so the widest row and column reach
    // the rectangle's edges.
    const double a = (double(right) - double(left)) / 2.0;
    const double b = (double(bottom) - double(top)) / 2.0;
    const double h = (std::max(penWidth, 1) - 1) / 2.0;
    const EllipseRows outer{cx, cy, a + h, b + h};
    const EllipseRows inner{cx, cy, a - h, b - h};

    const i64 y0 = std::max<i64>(static_cast<i64>(std::floor(cy - b - h)), 0);
    const i64 y1 = std::min<i64>(static_cast<i64>(std::ceil(cy + b + h)), pen.Height() - 1);
    QRect changed;
    for (i64 y = y0; y <= y1; ++y) {
        const auto ring = outer.Row(y);
        if (!ring) continue;
        const int row = static_cast<int>(y);
        const auto hole = inner.InnerRow(y);
        if (!hole) {
            pen.Span(row, ring->first, ring->second);
        } else {
            pen.Span(row, ring->first, hole->first - 1);
            pen.Span(row, hole->second + 1, ring->second);
            if (brush) brush->Span(row, hole->first, hole->second);
        }
        const i64 from = std::max<i64>(ring->first, 0);
        const i64 to = std::min<i64>(ring->second, pen.Width() - 1);
        if (from <= to) changed |= QRect(int(from), row, int(to - from + 1), 1);
    }
    return changed;
}

QRect RasterBorderFill(const SpanWriter& brush, QPoint start, ColorValue border) {
    const int width = brush.Width();
    const int height = brush.Height();
    if (start.x() < 0 || start.y() < 0 || start.x() >= width || start.y() >= height) return {};
    const QRgb stop = ToPixel(border);
    std::vector<std::uint8_t> done(static_cast<std::size_t>(width) * height, 0);
    auto open = [&](int x, int y) {
        return !done[std::size_t(y) * width + x] && (brush.Row(y)[x] | 0xFF000000u) != stop;
    };

    QRect changed;
    std::vector<QPoint> seeds{start};
    while (!seeds.empty()) {
        const QPoint s = seeds.back();
        seeds.pop_back();
        const int y = s.y();
        if (!open(s.x(), y)) continue;
        int x0 = s.x();
        int x1 = s.x();
        while (x0 > 0 && open(x0 - 1, y))
            --x0;
        while (x1 < width - 1 && open(x1 + 1, y))
            ++x1;
        std::fill_n(done.begin() + std::ptrdiff_t(y) * width + x0, x1 - x0 + 1, 1);
        brush.Span(y, x0, x1);
        changed |= QRect(x0, y, x1 - x0 + 1, 1);
        for (int ny : {y - 1, y + 1}) {
            if (ny < 0 || ny >= height) continue;
            for (int x = x0; x <= x1; ++x) {
                if (!open(x, ny)) continue;
                seeds.push_back(QPoint(x, ny));
                while (x < x1 && open(x + 1, ny))
                    ++x;
            }
        }
    }
    return changed;
}

} // namespace mivarelo
