// The list of what was drawn beside the picture: its entries, their SVG
// text, the patches of fills and of drawing in the AND copy mode, clearing,
// the memory budget, and painting the list back.
#include "engine/DrawingList.h"
#include "engine/DrawingPainter.h"
#include "engine/Picture.h"
#include "engine/SvgWriter.h"

#include <QPainter>

#include <gtest/gtest.h>

using namespace mivarelo;

namespace {

constexpr ColorValue Red = 0x0000FF;
constexpr ColorValue Green = 0x00FF00;
constexpr ColorValue Blue = 0xFF0000;

// The list painted onto a new image `scale` times the picture's size.
QImage Painted(const Picture& picture, int scale) {
    QImage image(picture.Width() * scale, picture.Height() * scale, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    DrawingPainter::Paint(picture.Drawing(), painter, QRectF(image.rect()));
    painter.end();
    return image;
}

// The outline of the square with corners (2, 2) and (10, 10).
void DrawSquare(Picture& p) {
    const QPoint corners[] = {{2, 2}, {10, 2}, {10, 10}, {2, 10}, {2, 2}};
    for (int i = 0; i < 4; ++i)
        p.DrawLine(corners[i], corners[i + 1]);
}

TEST(DrawingListTest, SvgOfEachShapeInDrawingOrder) {
    Picture p(20, 12);
    p.SetPenColor(Red);
    p.DrawLine(QPoint(1, 1), QPoint(9, 5));
    p.SetPenWidth(4);
    p.DrawLine(QPoint(3, 8), QPoint(13, 8));
    p.SetPenWidth(1);
    p.SetBrushColor(Green);
    p.DrawEllipse(14, 2, 18, 10);
    p.SetBrushHollow();
    p.SetPenWidth(3);
    p.DrawEllipse(0, 0, 6, 4);
    p.SetBrushColor(Blue);
    p.FillRect(QRect(4, 1, 3, 2));
    EXPECT_EQ(SvgWriter::Document(p).toStdString(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<svg xmlns=\"http://www.w3.org/2000/svg\" "
              "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\" width=\"20\" "
              "height=\"12\" viewBox=\"0 0 20 12\" shape-rendering=\"crispEdges\" "
              "text-rendering=\"optimizeSpeed\">\n"
              "<rect x=\"0\" y=\"0\" width=\"20\" height=\"12\" fill=\"#ffffff\"/>\n"
              "<line x1=\"1\" y1=\"1.25\" x2=\"9\" y2=\"5.25\" stroke=\"#ff0000\" "
              "stroke-width=\"0.904427191\" stroke-linecap=\"butt\"/>\n"
              "<line x1=\"3\" y1=\"8\" x2=\"13\" y2=\"8\" stroke=\"#ff0000\" "
              "stroke-width=\"4.01\" stroke-linecap=\"round\"/>\n"
              "<ellipse cx=\"16\" cy=\"6\" rx=\"1.5\" ry=\"3.5\" fill=\"#00ff00\" "
              "stroke=\"#ff0000\" stroke-width=\"1.01\"/>\n"
              "<ellipse cx=\"3\" cy=\"2\" rx=\"2.5\" ry=\"1.5\" fill=\"none\" "
              "stroke=\"#ff0000\" stroke-width=\"3.01\"/>\n"
              "<rect x=\"4\" y=\"1\" width=\"3\" height=\"2\" fill=\"#0000ff\"/>\n"
              "</svg>\n");
}

TEST(DrawingListTest, LabelIsTextTurnedAroundItsTopLeftCorner) {
    Picture p(200, 200);
    p.SetFontColor(Blue);
    p.DrawLabel(QPoint(50, 60), QStringLiteral("a<b & \"c\""),
                LabelFont{QStringLiteral("DejaVu Sans"), 20, 900});
    ASSERT_EQ(p.Drawing().Items().size(), 2u);
    const auto& label = std::get<DrawnLabel>(p.Drawing().Items()[1]);
    EXPECT_EQ(label.family, QStringLiteral("DejaVu Sans"));
    EXPECT_GT(label.ascent, 10);
    EXPECT_LT(label.ascent, 20);
    const QByteArray svg = SvgWriter::Document(p);
    EXPECT_TRUE(svg.contains("<text x=\"0\" y=\"" + QByteArray::number(label.ascent) +
                             "\" transform=\"translate(50 60) rotate(-90)\" "
                             "font-family=\"'DejaVu Sans'\" font-size=\"20\" fill=\"#0000ff\" "
                             "xml:space=\"preserve\">a&lt;b &amp; &quot;c&quot;</text>\n"))
        << svg.toStdString();
}

// Fills and drawing in the AND mode are kept as the pixels they changed.
// Painted four times larger, as on a printer, the list gives every pixel
// of the picture as a sharp block (axis-parallel lines have exact shapes).
TEST(DrawingListTest, PatchesAndShapesPaintTheSamePictureLarger) {
    Picture p(16, 14);
    DrawSquare(p);
    p.SetBrushColor(Green);
    p.FloodFillBorder(QPoint(5, 5), BlackColor);
    const auto& fill = std::get<DrawnPatch>(p.Drawing().Items().back());
    EXPECT_EQ(QRect(fill.at, fill.image.size()), QRect(3, 3, 7, 7));
    p.SetCopyMode(CopyMode::AndSource);
    p.SetPenColor(Red);
    p.DrawLine(QPoint(15, 12), QPoint(0, 12));
    p.SetBrushColor(Blue | Green);
    p.FillRect(QRect(4, 4, 8, 8));
    const auto& rect = std::get<DrawnPatch>(p.Drawing().Items().back());
    // Only the pixels that changed: the white ones, not the green fill.
    EXPECT_EQ(qAlpha(rect.image.pixel(1, 1)), 0);
    EXPECT_EQ(rect.image.pixel(7, 7), ToPixel(Blue | Green));
    p.SetBrushColor(Blue);
    p.FloodFillBorder(QPoint(1, 1), BlackColor);
    EXPECT_EQ(p.Drawing().Items().size(), 9u);
    EXPECT_EQ(Painted(p, 4), p.Image().scaled(64, 56));
}

// A clear is the whole list; without the list the SVG is one image, and a
// list switched on again starts from the picture as it is.
TEST(DrawingListTest, ClearingOrSwitchingOffForgetsWhatWasDrawn) {
    Picture p(8, 6);
    DrawSquare(p);
    p.SetBrushColor(Blue);
    p.FillRect(QRect(-5, -5, 100, 100));
    ASSERT_EQ(p.Drawing().Items().size(), 1u);
    EXPECT_EQ(std::get<DrawnRect>(p.Drawing().Items()[0]).rect, QRect(0, 0, 8, 6));
    p.SetKeepDrawing(false);
    p.DrawLine(QPoint(0, 0), QPoint(8, 6));
    EXPECT_TRUE(p.Drawing().Items().empty());
    const QByteArray svg = SvgWriter::Document(p);
    EXPECT_EQ(svg.count("<image x=\"0\" y=\"0\" width=\"8\" height=\"6\""), 1);
    EXPECT_EQ(svg.count("<line") + svg.count("<rect"), 0);
    p.SetKeepDrawing(true);
    ASSERT_EQ(p.Drawing().Items().size(), 1u);
    EXPECT_EQ(Painted(p, 1), p.Image());
}

// Over its budget the list becomes one picture of everything drawn so far
// and goes on from there: its size stays bounded and nothing is lost.
TEST(DrawingListTest, OverBudgetTheListFoldsIntoOnePatch) {
    Picture p(64, 64);
    const std::size_t budget = 64 * 64 * 4 + 40 * sizeof(DrawnItem);
    p.SetDrawingBudget(budget);
    for (int i = 0; i < 1000; ++i)
        p.DrawLine(QPoint(i % 64, 0), QPoint(63 - i % 64, 63));
    const DrawingList& list = p.Drawing();
    EXPECT_GE(list.Collapses(), 4);
    EXPECT_LE(list.Bytes(), budget);
    const auto& whole = std::get<DrawnPatch>(list.Items()[0]);
    EXPECT_EQ(whole.at, QPoint(0, 0));
    EXPECT_EQ(whole.image.size(), QSize(64, 64));
    for (std::size_t k = 1; k < list.Items().size(); ++k)
        EXPECT_TRUE(std::holds_alternative<DrawnLine>(list.Items()[k]));
    const auto& last = std::get<DrawnLine>(list.Items().back());
    EXPECT_EQ(last.from, QPoint(999 % 64, 0));
}

} // namespace
