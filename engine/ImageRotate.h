#pragma once
// Turning a turtle picture to the turtle's heading: a rotation by whole
// degrees with nearest-pixel inverse mapping into a bitmap that grows to hold
// the turned corners. Pixels that no source pixel maps to keep the colour of
// the source's top-left pixel, the background that is drawn transparent.
// Results are Format_RGB32 images (0xffRRGGBB).
#include <QImage>
#include <QSize>
#include <QString>

namespace mivarelo {

// The size of a w x h bitmap turned by `theta` radians: the corners (+-w/2,
// +-h/2) are turned, truncated toward zero, and the largest distances from
// the centre doubled plus 2. An angle of exactly 0, or an empty side, keeps
// the size.
QSize RotatedSize(double theta, int w, int h);

// Turns `source` clockwise on the screen (y downwards) by `angle` degrees into
// `target`. The angle becomes radians as a 32-bit float with 6.2832 for a full
// turn, so 360 degrees is not quite the identity. Returns false, leaving the
// target alone, when the source is empty.
bool RotateBitmap(const QImage& source, int angle, QImage& target);

// The rotation angle of a turtle picture for a heading: heading + 180, less
// 360 when that exceeds 360. The pictures look to the left, so a heading of 0
// turns them to face right.
int PictureAngle(int heading);

// The compiled-in turtle picture `id` (9000 to 9003).
QString ResourcePicturePath(int id);

// Loads the compiled-in picture `id` or the bitmap file at `path` and turns
// it by PictureAngle(heading) into `target`. Returns false, leaving the target
// alone, when the picture is missing, unreadable or empty.
bool RotateResourcePicture(int id, int heading, QImage& target);
bool RotateFilePicture(const QString& path, int heading, QImage& target);

} // namespace mivarelo
