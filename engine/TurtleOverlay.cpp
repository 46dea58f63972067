#include "engine/TurtleOverlay.h"

#include "core/Encoding.h"
#include "core/GlobalSettings.h"
#include "engine/ImageRotate.h"

#include <QPainter>
#include <QPen>

#include <cstdlib>

namespace mivarelo {

namespace {

constexpr int CircleLook = 3;
constexpr int FileLook = 4;
constexpr int TurtlePicture = 9000;
constexpr int PencilPicture = 9001;
constexpr int CarPicture = 9002;
constexpr int PenUpPicture = 9003;

// The user's picture is drawn with its corner this far above and left of the turtle.
constexpr int FileCornerOffset = 10;
// Half the side of a square that holds every turned resource picture (at most
// 46 x 46), the circle turtle and the marker.
constexpr int OverlayReach = 32;
// A turtle farther out than this is nowhere near the window; it is not drawn,
// which also keeps the rectangle arithmetic far from the int range.
constexpr int FarAway = 1 << 24;

constexpr ColorValue MarkerColor = 0x0000FF;
constexpr ColorValue MarkerCentreColor = 0xFF0000;
constexpr ColorValue CircleColor = 0x0000FF;
constexpr ColorValue ArrowColor = 0xFF0000;

// The resource picture of a look, or 0 for the looks without one.
int PictureFor(int look, bool penIsDown) {
    if (look == CircleLook || look == FileLook) return 0;
    const bool ownPicture = look == 0 || look == 1 || look == 2;
    if (ownPicture && !penIsDown) return PenUpPicture;
    if (look == 1) return PencilPicture;
    if (look == 2) return CarPicture;
    return TurtlePicture;
}

bool IsFarAway(const TurtleState& state) {
    return std::abs(static_cast<long long>(state.TurtleX)) > FarAway ||
           std::abs(static_cast<long long>(state.TurtleY)) > FarAway;
}

QColor ToQColor(ColorValue c) {
    return QColor::fromRgb(ToPixel(c));
}

} // namespace

void TurtleOverlay::Update(const TurtleState& state) {
    const int look = Globals().TurtleLook;
    if (look == CircleLook) return;
    const int heading = TruncToInt(state.Heading);
    const int angle = PictureAngle(heading);
    QImage turned;
    if (look == FileLook) {
        const QString path = QString::fromStdString(Cp1254ToUtf8(Globals().TurtlePicturePath));
        if (path.isEmpty()) return;
        if (pictureId_ == 0 && path == picturePath_ && angle == angle_) return;
        // A file that cannot be read is not read again at every repaint;
        // the last picture stays.
        pictureId_ = 0;
        picturePath_ = path;
        if (!RotateFilePicture(path, heading, turned)) {
            angle_ = angle;
            return;
        }
    } else {
        const int id = PictureFor(look, state.PenIsDown);
        if (id == pictureId_ && angle == angle_) return;
        if (!RotateResourcePicture(id, heading, turned)) return;
        pictureId_ = id;
        picturePath_.clear();
    }
    angle_ = angle;
    SetImage(turned);
}

void TurtleOverlay::SetImage(const QImage& turned) {
    turtleImage_ = turned;
    sprite_ = turned.convertToFormat(QImage::Format_ARGB32);
    const QRgb background = sprite_.pixel(0, 0);
    for (int y = 0; y < sprite_.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(sprite_.scanLine(y));
        for (int x = 0; x < sprite_.width(); ++x)
            if (row[x] == background) row[x] = 0;
    }
}

QPoint TurtleOverlay::ImageCorner(const TurtleState& state) const {
    if (Globals().TurtleLook == FileLook)
        return {state.TurtleX - FileCornerOffset, state.TurtleY - FileCornerOffset};
    return {state.TurtleX - turtleImage_.width() / 2, state.TurtleY - turtleImage_.height() / 2};
}

void TurtleOverlay::Draw(QPainter& painter, const TurtleState& state) {
    if (!state.TurtleVisible || IsFarAway(state)) return;
    Update(state);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (Globals().TurtleLook == CircleLook) {
        DrawCircleTurtle(painter, state);
    } else if (!sprite_.isNull()) {
        painter.drawImage(ImageCorner(state), sprite_);
        if (Globals().TurtleLook != FileLook) DrawMarker(painter, state.Position());
    }
    painter.restore();
}

QRect TurtleOverlay::Bounds(const TurtleState& state) const {
    if (!state.TurtleVisible || IsFarAway(state)) return {};
    const QRect around(state.TurtleX - OverlayReach, state.TurtleY - OverlayReach,
                       2 * OverlayReach + 1, 2 * OverlayReach + 1);
    if (Globals().TurtleLook == CircleLook || turtleImage_.isNull()) return around;
    return around.united(QRect(ImageCorner(state), turtleImage_.size()));
}

void TurtleOverlay::DrawMarker(QPainter& painter, QPoint at) {
    // The 5 x 5 square (x +- 2, y +- 2) in red, its centre pixel in blue.
    painter.fillRect(QRect(at.x() - 2, at.y() - 2, 5, 5), ToQColor(MarkerColor));
    painter.fillRect(QRect(at, QSize(1, 1)), ToQColor(MarkerCentreColor));
}

void TurtleOverlay::DrawCircleTurtle(QPainter& painter, const TurtleState& state) {
    const int r = Globals().CircleTurtleSize / 2;
    const QPoint centre = state.Position();
    const QPoint tip = MovePoint(centre, r, state.Heading);
    const QPoint backLeft = MovePoint(centre, r / 3, state.Heading - 120.0f);
    const QPoint backRight = MovePoint(centre, r / 3, state.Heading + 120.0f);

    // The disc covers x - r .. x + r - 1 like a window-system ellipse with
    // exclusive right and bottom edges; a stroked QRect adds one pixel.
    painter.setPen(QPen(Qt::black, 1));
    if (state.PenIsDown)
        painter.setBrush(ToQColor(CircleColor));
    else
        painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRect(centre.x() - r, centre.y() - r, 2 * r - 1, 2 * r - 1));

    painter.setPen(QPen(ToQColor(ArrowColor), 2));
    painter.drawLine(centre, tip);
    painter.drawLine(backLeft, tip);
    painter.drawLine(backRight, tip);
}

} // namespace mivarelo
