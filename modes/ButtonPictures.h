#pragma once
// The pictures of the graphical mode's buttons, drawn as scalable pictures
// so that they stay crisp at any size and screen density. The eight
// direction buttons and forward/back show an arrow turned to a heading: one
// arrow picture, turned in steps of 5 degrees (72 pictures).
#include <QIcon>

namespace mivarelo {

class ButtonPictures {
public:
    static constexpr int DirectionCount = 72;

    // The direction picture of an angle in degrees: 360 is added once when
    // it is negative, 360 taken away while it is 360 or more, then divided
    // by 5 and kept within 0..71.
    static int PictureIndex(int angle);
    // Picture k: the arrow pointing along heading 5·k (0 right, 90 down,
    // 180 left, 270 up, as the turtle turns on the screen).
    static QIcon DirectionPicture(int index);
    // The arrow of direction button n (1-4, 6-9) or of forward or back (37,
    // 38) when the turtle heads `heading`: each points its own way, turned
    // with the turtle. A null icon for the other buttons.
    static QIcon ArrowPicture(int n, int heading);
    // The picture of button n (1..38) for the buttons that show no
    // direction; a null icon for a button without a picture.
    // The direction buttons (1-4, 6-9) and forward and back (37, 38) get
    // their arrows as they stand still, "up" pointing up: forward up, back
    // down. The mirror-image buttons (turn and arc right, the angles of the
    // left and lower diagonals) share one picture with their partners.
    // A null icon for the restart button 25 and for numbers outside 1..38.
    static QIcon ButtonPicture(int n);
};

} // namespace mivarelo
