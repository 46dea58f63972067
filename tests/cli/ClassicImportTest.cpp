// mivarelo-run with plain Logo files of both kinds: classic programs are
// converted, what is left out is listed on standard error and makes the exit
// status 1; the program's own exports import back byte for byte; the two
// options force either kind; --precise keeps real positions.
#include "RunnerProcess.h"

#include <QImage>
#include <QTemporaryDir>

namespace {

using namespace runner_test;

class ClassicImportTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        EXPECT_TRUE(WriteBytes(path, bytes));
        return path;
    }

    QTemporaryDir dir_;
};

const QByteArray Classic = "to walk :a :b\r\n"
                           "  fd :a rt 90 fd :b ; two inputs, blank-separated\r\n"
                           "end\r\n"
                           "walk 30 40\r\n"
                           "print first [a b]\r\n"
                           "setxy 100 -50\r\n"
                           "ifelse xcor > 50 [fd 10] [bk 10]\r\n"
                           "output 5\r\n";

TEST_F(ClassicImportTest, AClassicFileRunsConvertedAndListsWhatWasLeftOut) {
    const QString path = Write("walk.lgo", Classic);
    const RunResult r = RunRunner({path, "--english", "--state"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "mivarelo-run: warning: Classic Logo program converted; the precise turtle "
                     "is turned on.\n"
                     "mivarelo-run: warning: Not converted, line 5: 'print first [ a b ]' (no "
                     "counterpart in this language)\n");
    const QJsonObject s = StateOf(r);
    // Classic (110, -50) facing right is the pixel (610, 550) at heading 0.
    EXPECT_EQ(s["x"].toInt(), 610);
    EXPECT_EQ(s["y"].toInt(), 550);
    EXPECT_EQ(static_cast<int>(s["heading"].toDouble()) % 360, 0);
}

// Printed values go to standard output in the order of the run, calls for
// a value included; a label is written level though the turtle is turned,
// and a text holding a command word is reported rather than run.
TEST_F(ClassicImportTest, PrintWritesLinesAndLabelsStayLevel) {
    const QString path = Write("prints.lgo", "to half :n\n"
                                             "  output :n / 2\n"
                                             "end\n"
                                             "make \"x 7\n"
                                             "print :x\n"
                                             "print [seven and one more]\n"
                                             "show 3 / 2\n"
                                             "type \"done\n"
                                             "print half 9\n"
                                             "print sum :x 0.25\n"
                                             "rt 45\n"
                                             "label [Level text here]\n"
                                             "print [go forward]\n");
    const RunResult r = RunRunner({path, "--english", "--png", dir_.filePath("p.png")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "7\nseven and one more\n1.5\ndone\n4.5\n7.25\n");
    EXPECT_TRUE(r.err.endsWith("Not converted, line 13: 'print [ go forward ]' (a word of the "
                               "text is a command here)\n"))
        << r.err.toStdString();
    const QImage picture(dir_.filePath("p.png"));
    QRect drawn;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) != qRgb(255, 255, 255)) drawn |= QRect(x, y, 1, 1);
    EXPECT_GE(drawn.top(), 500);
    EXPECT_GE(drawn.left(), 500);
    EXPECT_GT(drawn.width(), 4 * drawn.height());
}

TEST_F(ClassicImportTest, AFileWithNothingLeftOutEndsCleanInTurkishToo) {
    const QString path =
        Write("square.lgo", "to square :s\nrepeat 4 [fd :s rt 90]\nend\nsquare 50\n");
    const RunResult r = RunRunner({path, "--print-program", "--max-lines", "0"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(QString::fromUtf8(r.err),
              QString::fromUtf8("mivarelo-run: warning: Klasik Logo programı dönüştürüldü; "
                                "hassas kaplumbağa açıldı.\n"));
    EXPECT_EQ(r.out, "AnaEkran\nreset\nleft 90\nsquare 50\n\n"
                     "square :s\nrepeat 4 [ forward :s ; right 90 ]\n");
}

TEST_F(ClassicImportTest, OwnExportsImportBackByteForByte) {
    const QString first = dir_.filePath("first.lgo");
    const QString second = dir_.filePath("second.lgo");
    RunResult r = RunRunner({"--english", "--define", "box :a", "repeat 4 [fd :a rt 90]", "-e",
                             "box 20", "-e", "cs", "--save", first, "--max-lines", "0"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = RunRunner({first, "--english", "--save", second, "--max-lines", "0"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    EXPECT_EQ(ReadBytes(second), ReadBytes(first));
    EXPECT_TRUE(ReadBytes(first).startsWith("; Bu dosya"));
}

TEST_F(ClassicImportTest, TheKindCanBeForcedEitherWay) {
    const QString path = Write("walk.lgo", Classic);
    // Read as an own export: lines outside "to ... end" are left out, and
    // now said so.
    RunResult r = RunRunner({path, "--english", "--import-native", "--max-lines", "0"});
    EXPECT_EQ(r.exitCode, 1);
    const QByteArray outside = "' (outside any \"to ... end\" block)\n";
    EXPECT_EQ(r.err,
              "mivarelo-run: warning: Not converted, line 4: 'walk 30 40" + outside +
                  "mivarelo-run: warning: Not converted, line 5: 'print first [a b]" + outside +
                  "mivarelo-run: warning: Not converted, line 6: 'setxy 100 -50" + outside +
                  "mivarelo-run: warning: Not converted, line 7: 'ifelse xcor > 50 [fd 10] "
                  "[bk 10]" +
                  outside + "mivarelo-run: warning: Not converted, line 8: 'output 5" + outside);
    // A file with the export's comment lines is taken for an own export
    // unless told otherwise.
    const QString own = Write("own.lgo", "; Bu dosya Mivarelo ile olu\xFEturuldu.\n"
                                         "; This file was created by Mivarelo.\n\nfd 10\n");
    r = RunRunner({own, "--english", "--state"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.startsWith("mivarelo-run: warning: Not converted, line 4: 'fd 10' (outside "
                                 "any \"to ... end\" block)\n"))
        << r.err.toStdString();
    EXPECT_EQ(StateOf(r)["y"].toInt(), 500);
    r = RunRunner({own, "--english", "--import-classic", "--state"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(StateOf(r)["y"].toInt(), 490); // converted: the turtle starts facing up
}

TEST_F(ClassicImportTest, PreciseKeepsFractionsOfAPixel) {
    const QStringList steps = {"-e", "fd 10.5", "-e", "fd 0.25", "-e", "fd 0.25", "--state"};
    EXPECT_EQ(StateOf(RunRunner(steps))["x"].toInt(), 510);
    EXPECT_EQ(StateOf(RunRunner(QStringList{"--precise"} + steps))["x"].toInt(), 511);
}

} // namespace
