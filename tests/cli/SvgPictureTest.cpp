// The SVG picture of a run, rendered by an independent SVG renderer
// (rsvg-convert), shows the same picture as the PNG of the same run: every
// example and a few programs that use each kind of drawing.
#include "RunnerProcess.h"

#include <QDir>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <iostream>
#include <set>
#include <vector>

namespace {

using namespace runner_test;

// Renderers differ in which pixel a shape's border falls on, so a pixel of
// the rendering may differ from the PNG only within two pixels of a colour
// edge of the PNG, and only with a colour the PNG uses: a wrong colour, a
// blended one or a missing shape is not explained so.
struct Comparison {
    int differing = 0;   // pixels of another colour
    int unexplained = 0; // of those, the ones away from edges or of a foreign colour
};

std::vector<bool> NearEdges(const QImage& png, int reach) {
    const int w = png.width();
    const int h = png.height();
    std::vector<bool> near(std::size_t(w) * h, false);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb p = png.pixel(x, y);
            if ((x + 1 >= w || png.pixel(x + 1, y) == p) &&
                (y + 1 >= h || png.pixel(x, y + 1) == p))
                continue;
            for (int ny = std::max(y - reach, 0); ny <= std::min(y + 1 + reach, h - 1); ++ny)
                for (int nx = std::max(x - reach, 0); nx <= std::min(x + 1 + reach, w - 1); ++nx)
                    near[std::size_t(ny) * w + nx] = true;
        }
    return near;
}

Comparison Compare(const QImage& png, const QImage& rendered) {
    std::set<QRgb> colours;
    for (int y = 0; y < png.height(); ++y)
        for (int x = 0; x < png.width(); ++x)
            colours.insert(png.pixel(x, y) | 0xFF000000u);
    const std::vector<bool> nearEdge = NearEdges(png, 2);
    Comparison c;
    for (int y = 0; y < png.height(); ++y)
        for (int x = 0; x < png.width(); ++x) {
            const QRgb shown = rendered.pixel(x, y) | 0xFF000000u;
            if ((png.pixel(x, y) | 0xFF000000u) == shown) continue;
            ++c.differing;
            if (!nearEdge[std::size_t(y) * png.width() + x] || !colours.contains(shown))
                ++c.unexplained;
        }
    return c;
}

class SvgPictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        renderer_ = QStandardPaths::findExecutable(QStringLiteral("rsvg-convert"));
        ASSERT_FALSE(renderer_.isEmpty()) << "rsvg-convert (librsvg2-bin) is not installed";
        ASSERT_TRUE(dir_.isValid());
    }

    // Runs `args` with --png and --svg and compares the rendered SVG with the PNG.
    void ExpectSamePicture(const QString& name, QStringList args) {
        SCOPED_TRACE(name.toStdString());
        const QString png = dir_.filePath(name + ".png");
        const QString svg = dir_.filePath(name + ".svg");
        const QString rendered = dir_.filePath(name + "-svg.png");
        args << "--no-wait"
             << "--png" << png << "--svg" << svg;
        const RunResult r = RunRunner(args);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        QProcess render;
        render.start(renderer_, {svg, "-o", rendered});
        ASSERT_TRUE(render.waitForFinished(120000));
        ASSERT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();
        const QImage expected(png);
        const QImage actual(rendered);
        ASSERT_EQ(actual.size(), expected.size());
        const Comparison c = Compare(expected, actual);
        std::cout << "[ svg     ] " << name.toStdString() << ": " << c.differing
                  << " pixels differ, " << c.unexplained << " of them unexplained\n";
        EXPECT_EQ(c.unexplained, 0) << c.differing << " pixels differ";
    }

    QString renderer_;
    QTemporaryDir dir_;
};

// The Turkish and English versions of an example draw the same picture, so
// one language covers them.
TEST_F(SvgPictureTest, EveryExampleLooksTheSame) {
    const QStringList programs = ExamplePrograms("tr");
    ASSERT_FALSE(programs.isEmpty());
    for (const QString& program : programs)
        ExpectSamePicture(QFileInfo(program).baseName(), {program});
}

TEST_F(SvgPictureTest, FillsLabelsWidePensEllipsesAndScreenColoursLookTheSame) {
    // A square filled inside, a fill with another colour around a circle.
    ExpectSamePicture("fills", {"-e", "repeat 4 [fd 200 rt 90]", "-e", "pu rt 45 fd 20 pd", "-e",
                                "setfc [0 160 0] fill", "-e", "pu setpos 900,900 pd", "-e",
                                "repeat 36 [fd 30 rt 10]", "-e", "pu rt 90 fd 60 pd", "-e",
                                "boya [200 0 200]"});
    ExpectSamePicture("labels", {"-e", "setfontsize 24 label Mivarelo", "-e",
                                 "rt 30 setpc [0 0 255] label Açı 30", "-e",
                                 "rt 120 setfontname \"DejaVu Sans\" label ters"});
    ExpectSamePicture("pens", {"-e", "spw 6 fd 300 rt 123 fd 200", "-e",
                               "spw 9 setpc [255 128 0] rt 40 fd 250", "-e",
                               "spw 1 rt 17 fd 400 rt 71 fd 333"});
    ExpectSamePicture("ellipses", {"-e", "setfc [255 255 0] elips 200,120", "-e",
                                   "pu fd 300 pd spw 5 elips 90,160", "-e",
                                   "pu setpos 200,1500 pd spw 1 elips 41,41"});
    ExpectSamePicture("screen", {"-e", "fd 100", "-e", "setsc [20 40 200]", "-e",
                                 "setpc [255 255 255] rt 90 fd 150"});
}

} // namespace
