#pragma once
// The drawing surface of the turtle: a picture of 0xffRRGGBB pixels with its
// own current pen, brush, font colour and copy mode. Commands change these
// attributes one by one; drawing always uses what the surface holds, which
// may differ from the turtle's own colours (after clearing, the brush holds
// the screen colour).
//
// Rasterisation is done here, pixel-exact and without antialiasing:
// - width-1 lines are Bresenham lines that leave their end pixel unset;
// - wider pens draw round-capped strokes of that width, end cap included;
// - everything is clipped to the picture before pixels are visited.
#include "engine/ColorValue.h"
#include "engine/DrawingList.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>

namespace mivarelo {

// How a drawn pixel combines with the one below it.
enum class CopyMode {
    SourceCopy, // the drawn colour replaces the pixel
    AndSource,  // the pixel keeps the bitwise and of both colours
};

// A label font request: face name, em height in pixels and the direction of
// the text in tenths of a degree, counter-clockwise from the x axis.
struct LabelFont {
    QString face;
    int pixelHeight = 16;
    int escapement = 0;
};

class Picture {
public:
    // A new surface is white, with a black pen of width 1 and a solid white brush.
    Picture(int width, int height);

    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    const QImage& Image() const;

    ColorValue PenColor() const { return penColor_; }
    void SetPenColor(ColorValue c) { penColor_ = c; }
    int PenWidth() const { return penWidth_; }
    void SetPenWidth(int width) { penWidth_ = width; }
    ColorValue BrushColor() const { return brushColor_; }
    // Setting the brush colour makes a hollow brush solid again.
    void SetBrushColor(ColorValue c);
    bool BrushHollow() const { return brushHollow_; }
    void SetBrushHollow() { brushHollow_ = true; }
    ColorValue FontColor() const { return fontColor_; }
    void SetFontColor(ColorValue c) { fontColor_ = c; }
    CopyMode Mode() const { return copyMode_; }
    void SetCopyMode(CopyMode mode) { copyMode_ = mode; }

    // The pixel colour, or InvalidColor outside the picture.
    ColorValue PixelColor(int x, int y) const;

    // A line with the pen from `from` towards `to` (see the rules above).
    void DrawLine(QPoint from, QPoint to);
    // Fills the rectangle with the brush colour, even when the brush is hollow.
    void FillRect(const QRect& rect);
    // Paints with the brush every pixel 4-connected to `start` that is not of
    // the border colour; nothing when the brush is hollow or `start` lies
    // outside or on the border colour.
    void FloodFillBorder(QPoint start, ColorValue border);
    // The ellipse inscribed in the rectangle with corners (left, top) and
    // (right, bottom), in either order; the smaller coordinates are included,
    // the larger ones not. The inside is painted with the brush (unless
    // hollow), the outline with the pen.
    void DrawEllipse(qint64 left, qint64 top, qint64 right, qint64 bottom);
    // Text in the font colour with no background, its top-left corner at
    // `origin`, rotated by the font's escapement around that corner.
    void DrawLabel(QPoint origin, const QString& text, const LabelFont& font);
    // Labels need the fonts of a QGuiApplication. A program that starts
    // without one (the headless runner) installs a function that creates it;
    // it is called before every label is drawn.
    static void SetFontSetUp(void (*setUp)());

    // The list of what was drawn, kept beside the pixels unless switched off
    // (see DrawingList). Switching it off forgets it; switching it on again
    // starts it from a patch of the current picture.
    const DrawingList& Drawing() const { return drawing_; }
    bool KeepsDrawing() const { return keepDrawing_; }
    void SetKeepDrawing(bool keep);
    void SetDrawingBudget(std::size_t bytes) { drawing_.SetBudget(bytes); }

    // The bounding rectangle of every pixel changed since the last call.
    QRect TakeDirtyRect();
    QRect DirtyRect() const { return dirty_; }

private:
    void MarkDirty(const QRect& rect);
    // Writes the pending fill into the pixels (see pendingFill_).
    void Materialise() const;
    // Runs `draw` and enters what it drew into the list: the shape `make`
    // returns when it is `exact` and the copy mode is plain, otherwise the
    // pixels it changed inside `reach`.
    template <typename MakeShape, typename Draw>
    void Record(bool exact, const QRect& reach, MakeShape make, Draw draw);
    // Runs `draw` and enters the pixels it changed inside `reach`.
    template <typename Draw> void RecordChange(const QRect& reach, Draw draw);
    void Enter(DrawnItem item);
    // The pixels of the picture inside `before`'s place that differ from it.
    DrawnPatch ChangedPixels(const QImage& before, QPoint at) const;
    // The pixels of `colour` inside `rect`, as a patch.
    DrawnPatch PixelsOf(ColorValue colour, const QRect& rect) const;

    // The picture's memory is written only once something reads or draws
    // on it: while every pixel is of one value (a new or cleared picture)
    // that value is kept here instead, so that a program that never draws
    // never touches the picture's pages.
    mutable QImage image_;
    mutable std::optional<QRgb> pendingFill_;
    ColorValue penColor_ = BlackColor;
    int penWidth_ = 1;
    ColorValue brushColor_ = WhiteColor;
    bool brushHollow_ = false;
    ColorValue fontColor_ = BlackColor;
    CopyMode copyMode_ = CopyMode::SourceCopy;
    QRect dirty_;
    DrawingList drawing_;
    bool keepDrawing_ = true;
};

} // namespace mivarelo
