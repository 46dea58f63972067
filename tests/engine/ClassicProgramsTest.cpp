// Classic Logo programs, imported through the plain Logo import and run to
// the end, draw what a classic Logo draws. Each program in tests/data/classic
// has an .expected file with the final position and heading (classic frame)
// and every line a classic Logo drew for it, checked by hand against a
// classic interpreter. The run must end within half a pixel and a hundredth
// of a degree of that; every point of every classic line must have a painted
// pixel within two pixels, and every painted pixel must lie within three
// pixels (a wide pen included) of a classic line.
#include "InterpreterFixture.h"
#include "core/ConversionReport.h"
#include "core/ProgramIO.h"

#include <QImage>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace mivarelo {
namespace {

struct Segment {
    double x1, y1, x2, y2;
};

struct Expected {
    double x = 0, y = 0, heading = 0;
    std::vector<Segment> lines;
};

std::filesystem::path ClassicFolder() {
    return std::filesystem::path(MIVARELO_SOURCE_DIR) / "tests" / "data" / "classic";
}

Expected ReadExpected(const std::string& name) {
    Expected e;
    std::ifstream in(ClassicFolder() / (name + ".expected"));
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string kind;
        words >> kind;
        if (kind == "final") words >> e.x >> e.y >> e.heading;
        Segment s{};
        if (kind == "line" && words >> s.x1 >> s.y1 >> s.x2 >> s.y2) e.lines.push_back(s);
    }
    return e;
}

double DistanceToSegment(double px, double py, const Segment& s) {
    const double dx = s.x2 - s.x1, dy = s.y2 - s.y1;
    const double length2 = dx * dx + dy * dy;
    double t = length2 == 0 ? 0 : ((px - s.x1) * dx + (py - s.y1) * dy) / length2;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (s.x1 + t * dx), py - (s.y1 + t * dy));
}

// Picture pixel of a classic point: the origin is the start pixel, y up.
int PixelX(double x) {
    return static_cast<int>(std::lround(StartX + x));
}
int PixelY(double y) {
    return static_cast<int>(std::lround(StartY - y));
}

class ClassicProgramsTest : public testing::InterpreterFixture,
                            public ::testing::WithParamInterface<const char*> {
protected:
    bool Painted(const QImage& picture, int x, int y) const {
        return picture.rect().contains(x, y) &&
               (picture.pixel(x, y) & 0xFFFFFF) != (white_ & 0xFFFFFF);
    }

    // Points of the classic lines with no painted pixel near them.
    int MissedPoints(const QImage& picture, const Expected& e) const {
        int missed = 0;
        for (const Segment& s : e.lines) {
            const int steps = std::max(1, static_cast<int>(std::hypot(s.x2 - s.x1, s.y2 - s.y1)));
            for (int k = 0; k <= steps; ++k) {
                const double t = static_cast<double>(k) / steps;
                const int x = PixelX(s.x1 + (s.x2 - s.x1) * t);
                const int y = PixelY(s.y1 + (s.y2 - s.y1) * t);
                bool near = false;
                for (int dx = -2; dx <= 2 && !near; ++dx)
                    for (int dy = -2; dy <= 2 && !near; ++dy)
                        near = Painted(picture, x + dx, y + dy);
                missed += near ? 0 : 1;
            }
        }
        return missed;
    }

    // Painted pixels that no classic line explains.
    int StrayPixels(const QImage& picture, const Expected& e, int& painted) const {
        int stray = 0;
        painted = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                if (!Painted(picture, x, y)) continue;
                ++painted;
                double best = 1e9;
                for (const Segment& s : e.lines)
                    best = std::min(best, DistanceToSegment(x - StartX, StartY - y, s));
                stray += best <= 3.0 ? 0 : 1;
            }
        return stray;
    }

    QRgb white_ = 0xFFFFFFFF;
};

TEST_P(ClassicProgramsTest, DrawsWhatAClassicLogoDraws) {
    const std::string name = GetParam();
    const Expected expected = ReadExpected(name);
    ASSERT_FALSE(expected.lines.empty()) << name;
    ConversionReport report;
    ASSERT_TRUE(ReadProgramFile(engine_->Procedures(), (ClassicFolder() / (name + ".lgo")).string(),
                                &report));
    EXPECT_FALSE(report.AnyDropped()) << name;
    EXPECT_TRUE(Globals().PreciseTurtle);
    engine_->StartRun(0);
    Runner().RunToEnd(false);
    EXPECT_TRUE(errors_.lines.empty()) << name << ": " << errors_.lines.front();

    const TurtleState& t = engine_->Screen().State();
    EXPECT_NEAR(t.ExactPosition().x() - StartX, expected.x, 0.5) << name;
    EXPECT_NEAR(StartY - t.ExactPosition().y(), expected.y, 0.5) << name;
    EXPECT_NEAR(std::fmod(std::fmod(t.Heading + 90.0, 360.0) + 360.0, 360.0), expected.heading,
                0.01)
        << name;
    const QImage& picture = engine_->Screen().Surface().Image();
    EXPECT_EQ(MissedPoints(picture, expected), 0) << name;
    int painted = 0;
    EXPECT_EQ(StrayPixels(picture, expected, painted), 0) << name;
    EXPECT_GT(painted, 0) << name;
}

INSTANTIATE_TEST_SUITE_P(Suite, ClassicProgramsTest,
                         ::testing::Values("arcs", "capitals", "ccurve", "circle", "comments",
                                           "dragon", "flower", "fordown", "forloop", "heading",
                                           "headings", "homes", "house", "ifelsecount", "koch",
                                           "locals", "logic", "loops", "makecounter", "multiline",
                                           "names", "outputs", "penarc", "polyspiral", "precise",
                                           "repcount", "repcountnest", "sierpinski", "squares",
                                           "squarespiral", "star", "towards", "tree", "walk"));

} // namespace
} // namespace mivarelo
