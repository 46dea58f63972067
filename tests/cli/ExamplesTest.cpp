// Every sample program in examples/ runs headless without an error and
// draws a picture that lies inside the 2000 x 2000 surface, in the dialect
// it was written in and translated into each of the four dialects.
#include "RunnerProcess.h"

#include <QDir>
#include <QJsonArray>

namespace {

using namespace runner_test;

TEST(ExamplesTest, EveryExampleDrawsInsideThePictureWithoutErrors) {
    const QStringList programs = ExamplePrograms();
    ASSERT_GE(programs.size(), 10);
    for (const QString& program : programs) {
        SCOPED_TRACE(program.toStdString());
        const RunResult r = RunRunner({"--no-wait", program, "--state"});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
        const QJsonObject s = StateOf(r);
        EXPECT_TRUE(s["errors"].toArray().isEmpty());
        EXPECT_GT(s["painted_pixels"].toInt(), 30000);
        // Nothing reaches the picture's edge, so nothing was cut off.
        const QJsonArray box = s["painted_box"].toArray();
        ASSERT_EQ(box.size(), 4);
        EXPECT_GT(box[0].toInt(), 0);
        EXPECT_GT(box[1].toInt(), 0);
        EXPECT_LT(box[2].toInt(), 1999);
        EXPECT_LT(box[3].toInt(), 1999);
        for (const char* dialect : {"tr-long", "tr-short", "en-long", "en-short"}) {
            const RunResult translated =
                RunRunner({"--no-wait", program, "--dialect", dialect, "--state"});
            EXPECT_EQ(translated.exitCode, 0) << dialect << translated.err.toStdString();
            EXPECT_EQ(StateOf(translated), s) << dialect;
        }
    }
}

// The Examples menu names every program of the folder, and each program's
// main procedure opens with a comment line that says what it teaches.
TEST(ExamplesTest, EveryExampleIsListedAndSaysWhatItTeaches) {
    QFile index(QStringLiteral(MIVARELO_SOURCE_DIR "/examples/examples.txt"));
    ASSERT_TRUE(index.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList listed;
    for (const QString& line : QString::fromUtf8(index.readAll()).split('\n')) {
        if (line.isEmpty() || line.startsWith('#')) continue;
        const QStringList fields = line.split('\t');
        ASSERT_EQ(fields.size(), 3) << line.toStdString();
        EXPECT_FALSE(fields[1].isEmpty() || fields[2].isEmpty()) << line.toStdString();
        listed << QStringLiteral(MIVARELO_SOURCE_DIR "/examples/") + fields[0];
    }
    QStringList programs = ExamplePrograms();
    listed.sort();
    programs.sort();
    EXPECT_EQ(listed, programs);
    for (const QString& program : programs) {
        const RunResult r = RunRunner({program, "--print-program", "--max-lines", "0"});
        ASSERT_EQ(r.exitCode, 0) << program.toStdString();
        const QList<QByteArray> lines = r.out.split('\n');
        ASSERT_GE(lines.size(), 2);
        EXPECT_TRUE(lines[1].startsWith("; ")) << program.toStdString();
        EXPECT_GT(lines[1].size(), 30) << program.toStdString();
    }
}

} // namespace
