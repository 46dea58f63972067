#pragma once
// The turtle drawn over the picture: a turned turtle picture with a marker at
// the turtle's pixel, the circle turtle, or the user's own picture, in the
// look chosen by the global settings (TurtleLook, TurtlePicturePath). It is
// drawn on a window, in picture coordinates, and never into the picture.
#include "engine/TurtleState.h"

#include <QImage>
#include <QRect>
#include <QString>

class QPainter;

namespace mivarelo {

class TurtleOverlay {
public:
    // Brings TurtleImage up to date for the state and the current look. The
    // picture is turned again only when the picture to show or its angle
    // changed; an empty or unreadable picture keeps the previous image.
    void Update(const TurtleState& state);
    // Updates TurtleImage and draws the turtle of `state`; nothing when it is
    // hidden.
    void Draw(QPainter& painter, const TurtleState& state);
    // The area Draw can cover for `state` with the current TurtleImage (call
    // Update first): a generous square around the turtle and the picture's
    // own rectangle. Empty when the turtle is hidden.
    QRect Bounds(const TurtleState& state) const;

    // The last turned picture (Format_RGB32; its top-left colour is the
    // background that is not drawn). Null until a picture was turned.
    const QImage& TurtleImage() const { return turtleImage_; }

private:
    void SetImage(const QImage& turned);
    QPoint ImageCorner(const TurtleState& state) const;
    static void DrawCircleTurtle(QPainter& painter, const TurtleState& state);
    static void DrawMarker(QPainter& painter, QPoint at);

    QImage turtleImage_;
    // TurtleImage with its background made transparent, ready to draw.
    QImage sprite_;
    // What TurtleImage shows: a resource id (0 for a file) or a file path,
    // turned by `angle_`.
    int pictureId_ = 0;
    QString picturePath_;
    int angle_ = 0;
};

} // namespace mivarelo
