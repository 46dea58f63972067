// The picture mivarelo-run saves, whether or not a label made it start Qt's
// platform on the way.
#include "RunnerProcess.h"

#include <QTemporaryDir>

namespace {

using namespace runner_test;

// The value of the picture's pHYs chunk (pixels per metre and unit), or
// empty when there is none.
QByteArray PhysChunk(const QByteArray& png) {
    const int at = png.indexOf("pHYs");
    return at < 0 ? QByteArray() : png.mid(at + 4, 9);
}

// A label starts Qt's platform before the picture is saved; without one it
// starts only for the saving. The picture has the resolution of the
// platform's screen either way: 96 dots per inch (3780 per metre) on the
// offscreen platform.
TEST(SavedPictureTest, ThePictureHasTheScreensResolutionWithOrWithoutLabels) {
    const QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    const QString plain = dir.filePath("plain.png");
    const QString labelled = dir.filePath("labelled.png");
    ASSERT_EQ(RunRunner({"--english", "-e", "fd 10", "--png", plain}, {}, env).exitCode, 0);
    ASSERT_EQ(RunRunner({"--english", "-e", "label a", "-e", "fd 10", "--png", labelled}, {}, env)
                  .exitCode,
              0);
    const QByteArray perMetre = QByteArray::fromHex("00000ec400000ec401");
    EXPECT_EQ(PhysChunk(ReadBytes(plain)).toHex(), perMetre.toHex());
    EXPECT_EQ(PhysChunk(ReadBytes(labelled)).toHex(), perMetre.toHex());
}

} // namespace
