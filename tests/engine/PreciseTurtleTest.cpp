// The precise turtle keeps its position in real numbers and does not
// truncate distances; the picture and "_nerdex"/"_nerdey" stay in whole
// pixels. Without it every move is rounded to a pixel as before.
#include "InterpreterFixture.h"

#include <QImage>

namespace mivarelo {
namespace {

class PreciseTurtleTest : public testing::InterpreterFixture {
protected:
    // The bounding box of the pixels that are not white.
    QRect PaintedBox() const {
        const QImage& picture = engine_->Screen().Surface().Image();
        QRect box;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if ((picture.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) box |= QRect(x, y, 1, 1);
        return box;
    }
};

TEST_F(PreciseTurtleTest, FractionsOfAPixelAddUpAndReadExactly) {
    Globals().PreciseTurtle = true;
    Run("fd 10.75\nx := _nerdex\nfd 0.25\nfd 0.5\n");
    EXPECT_DOUBLE_EQ(engine_->Screen().State().ExactX, 511.5);
    EXPECT_EQ(X(), 512); // halves round up
    EXPECT_EQ(Y(), 500);
    EXPECT_EQ(Var("x"), 510.75); // drawn at pixel 511, read as it is
    EXPECT_EQ(Var("_nerdex"), 511.5);
}

// Variables, procedure inputs and every step of an expression keep the
// double's digits with the option; without it a variable keeps one decimal
// and a computed step three, as they always did.
TEST_F(PreciseTurtleTest, NumbersKeepTheirDigitsOnlyWithTheOption) {
    const std::string program = "third := 1/3\nwhole := third * 3\nsixth third / 2\n";
    Define("sixth :a", "half := :a\n");
    Globals().PreciseTurtle = true;
    Run(program);
    EXPECT_DOUBLE_EQ(Var("third"), 1.0 / 3.0);
    EXPECT_EQ(Var("whole"), 1.0);
    EXPECT_DOUBLE_EQ(Var("half"), 1.0 / 6.0);
    Globals().PreciseTurtle = false;
    Run(program);
    EXPECT_EQ(Var("third"), 0.3f);
    EXPECT_EQ(Var("whole"), 0.9f);
    EXPECT_EQ(Var("half"), 0.2f);
}

TEST_F(PreciseTurtleTest, TruncatedDistancesStayWithoutTheOption) {
    Run("fd 10.7\nfd 0.4\nfd 0.4\n");
    EXPECT_EQ(X(), 510);
    EXPECT_DOUBLE_EQ(engine_->Screen().State().ExactX, 510.0);
}

TEST_F(PreciseTurtleTest, ACircleOfSmallStepsCloses) {
    Globals().PreciseTurtle = true;
    Run("repeat 360 [fd 1 ; rt 1]\n");
    const QPointF end = engine_->Screen().State().ExactPosition();
    EXPECT_NEAR(end.x(), 500.0, 1e-6);
    EXPECT_NEAR(end.y(), 500.0, 1e-6);
    EXPECT_EQ(X(), 500);
    EXPECT_EQ(Y(), 500);
    // A circle of circumference 360 is 114.6 pixels across: from x 442.7
    // to 557.3 and from y 500 to 614.6, drawn in the nearest pixels.
    EXPECT_EQ(PaintedBox(), QRect(QPoint(443, 500), QPoint(558, 615)));
}

TEST_F(PreciseTurtleTest, ACircleOfSmallStepsDriftsWithoutTheOption) {
    Run("repeat 360 [fd 1 ; rt 1]\n");
    // Rounded after every step, each step of one pixel goes to one of the
    // eight neighbouring pixels: the figure is an octagon, wider than the
    // circle.
    EXPECT_EQ(PaintedBox(), QRect(QPoint(441, 500), QPoint(561, 620)));
}

TEST_F(PreciseTurtleTest, WholePixelCommandsRestartTheRealPosition) {
    Globals().PreciseTurtle = true;
    Run("fd 0.4\nsetpos 100,100\nfd 0.4\nfd 0.4\ncs\nbk 2.5\n");
    EXPECT_EQ(X(), 498);
    EXPECT_DOUBLE_EQ(engine_->Screen().State().ExactPosition().x(), 497.5);
}

} // namespace
} // namespace mivarelo
