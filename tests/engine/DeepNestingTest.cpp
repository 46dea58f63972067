// Lists nested thousands of levels deep run as their flat counterparts do:
// the nested lists share the text of the line that holds them, normalized
// once at every depth, so every level must still be cut into its commands
// and draw its part.
#include "InterpreterFixture.h"

#include "engine/Picture.h"
#include "engine/TurtleScreen.h"

#include <QImage>

#include <algorithm>
#include <string>
#include <vector>

namespace mivarelo::testing {
namespace {

// `open` repeated `levels` times, then `middle`, then the brackets that
// close every '[' of the opening parts.
std::string Nested(const std::string& open, int levels, const std::string& middle) {
    std::string text;
    for (int k = 0; k < levels; ++k)
        text += open;
    text += middle;
    const auto perLevel = static_cast<std::size_t>(std::count(open.begin(), open.end(), '['));
    text.append(perLevel * static_cast<std::size_t>(levels), ']');
    return text;
}

struct Drawn {
    int x = 0;
    int y = 0;
    float heading = 0;
    QImage image;
    int painted = 0;
    float n = 0; // the variable n after the run
    std::vector<std::string> errors;
};

class DeepNestingTest : public InterpreterFixture {
protected:
    // Runs `body` as the main procedure of a fresh engine.
    Drawn Draw(const std::string& body) {
        TearDown();
        SetUp();
        Run(body);
        Drawn d;
        d.x = X();
        d.y = Y();
        d.heading = Heading();
        d.image = engine_->Screen().Surface().Image();
        const QRgb blank = QColor(Qt::white).rgb();
        for (int y = 0; y < d.image.height(); ++y)
            for (int x = 0; x < d.image.width(); ++x)
                if (d.image.pixel(x, y) != blank) ++d.painted;
        d.n = Var("n");
        d.errors = errors_.lines;
        return d;
    }
};

// Every level draws a step, its commands separated by blanks only, so that
// each level must be cut into four commands.
TEST_F(DeepNestingTest, EveryLevelOfEighteenHundredDrawsItsStep) {
    constexpr int Levels = 1800;
    const std::string start = "pu\nsetpos 100,100\npd\n";
    const Drawn nested =
        Draw(start + Nested("repeat 1 [fd 1 rt 90 fd 1 lt 90 ", Levels, "fd 1 rt 90 fd 1 lt 90"));
    const Drawn flat =
        Draw(start + "repeat " + std::to_string(Levels + 1) + " [fd 1 rt 90 fd 1 lt 90]");
    EXPECT_TRUE(nested.errors.empty());
    EXPECT_EQ(nested.x, 100 + Levels + 1);
    EXPECT_EQ(nested.y, 100 + Levels + 1);
    EXPECT_EQ(nested.heading, 0.0f);
    EXPECT_EQ(nested.x, flat.x);
    EXPECT_EQ(nested.y, flat.y);
    EXPECT_GE(nested.painted, 2 * (Levels + 1));
    EXPECT_EQ(nested.painted, flat.painted);
    EXPECT_TRUE(nested.image == flat.image);
}

// The innermost list, two thousand levels down, runs once per pass of the
// outermost repeat: a square, drawn from the shared text four times.
TEST_F(DeepNestingTest, InnermostListOfTwoThousandLevelsRunsOncePerOuterPass) {
    const Drawn nested = Draw("repeat 4 [" + Nested("repeat 1 [", 2000, "fd 100 rt 90") + "]");
    const Drawn flat = Draw("repeat 4 [fd 100 rt 90]");
    EXPECT_TRUE(nested.errors.empty());
    EXPECT_EQ(nested.x, 500);
    EXPECT_EQ(nested.y, 500);
    EXPECT_EQ(nested.heading, flat.heading);
    EXPECT_EQ(nested.painted, 400);
    EXPECT_TRUE(nested.image == flat.image);
}

// Levels that alternate repeat and if, each with an assignment first (a
// piece that starts with no command word, cut off by ';'), count every
// level once.
TEST_F(DeepNestingTest, AssignmentsAndConditionsAtEveryLevelCountEachLevelOnce) {
    const Drawn nested =
        Draw(Nested("repeat 1 [n := n + 1 ; if n > 0 [", 600, "repeat 3 [fd 50 rt 120]"));
    const Drawn flat = Draw("repeat 3 [fd 50 rt 120]");
    EXPECT_TRUE(nested.errors.empty());
    EXPECT_EQ(nested.n, 600.0f);
    EXPECT_EQ(nested.x, flat.x);
    EXPECT_EQ(nested.y, flat.y);
    EXPECT_TRUE(nested.image == flat.image);
    EXPECT_GT(flat.painted, 100);
}

} // namespace
} // namespace mivarelo::testing
