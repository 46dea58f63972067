// mivarelo-run with and without its fast paths, and the picture it saves
// whether or not a label made it start Qt's platform on the way.
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

TEST(FastPathRunnerTest, TheSwitchChangesNoResult) {
    const QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QStringList program = {"--english", "--define",
                                 "step :n",   "x := x + :n / 3 * 3000\nfd :n / 7 rt 45",
                                 "-e",        "for [i := 1; i / 3 < 9; i := i + 0.5] [step i]",
                                 "-e",        "k := 0",
                                 "-e",        "while [k * 0.1 < 1] [k := k + 1 ; y = k / 7 * 700]",
                                 "-e",        "zz 4",
                                 "-e",        "label done",
                                 "--state",   "--png"};
    const RunResult fast = RunRunner(program + QStringList{dir.filePath("fast.png")});
    const RunResult slow =
        RunRunner(program + QStringList{dir.filePath("slow.png"), "--no-fast-paths"});
    EXPECT_EQ(fast.exitCode, 1) << fast.err.toStdString();
    EXPECT_EQ(slow.exitCode, fast.exitCode);
    EXPECT_EQ(slow.out, fast.out);
    EXPECT_EQ(slow.err, fast.err);
    EXPECT_FALSE(StateOf(fast)["globals"].toObject()["x"].toString().isEmpty());
    const QByteArray picture = ReadBytes(dir.filePath("fast.png"));
    EXPECT_FALSE(picture.isEmpty());
    EXPECT_EQ(ReadBytes(dir.filePath("slow.png")), picture);
}

// A label starts Qt's platform before the picture is saved; without one it
// starts only for the saving. The picture has the resolution of the
// platform's screen either way: 96 dots per inch (3780 per metre) on the
// offscreen platform.
TEST(FastPathRunnerTest, ThePictureHasTheScreensResolutionWithOrWithoutLabels) {
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
