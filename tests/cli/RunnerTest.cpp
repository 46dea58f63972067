// mivarelo-run end to end: the state JSON, exit statuses, error lines,
// standard input, expression values and the saved picture.
#include "RunnerProcess.h"

#include <QJsonArray>
#include <QTemporaryDir>

namespace {

using namespace runner_test;

TEST(RunnerTest, StatePrintsTheFinalTurtleAndVariables) {
    const RunResult r = RunRunner({"-e", "setkalemkalınlık 4", "-e", "fd 100; rt 90", "-e",
                                   "x := 1/3", "-e", "setpc [255 0 0]", "--state"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject s = StateOf(r);
    const QStringList keys = {"x",
                              "y",
                              "heading",
                              "pen_down",
                              "turtle_visible",
                              "pen_width",
                              "pen_color",
                              "fill_color",
                              "screen_color",
                              "font_name",
                              "font_size",
                              "home",
                              "test_result",
                              "globals",
                              "errors",
                              "painted_pixels",
                              "painted_box",
                              "procedures",
                              "program_lines",
                              "stopped"};
    EXPECT_EQ(s.keys().size(), keys.size());
    for (const QString& key : keys)
        EXPECT_TRUE(s.contains(key)) << key.toStdString();
    EXPECT_EQ(s["x"].toInt(), 600);
    EXPECT_EQ(s["y"].toInt(), 500);
    EXPECT_EQ(s["heading"].toDouble(), 90.0);
    EXPECT_TRUE(s["pen_down"].toBool());
    EXPECT_TRUE(s["turtle_visible"].toBool());
    EXPECT_EQ(s["pen_width"].toInt(), 4);
    EXPECT_EQ(s["pen_color"].toInt(), 0x0000FF);
    EXPECT_EQ(s["fill_color"].toInt(), 0x00FFFF);
    EXPECT_EQ(s["screen_color"].toInt(), 0xFFFFFF);
    EXPECT_EQ(s["font_name"].toString(), "Times New Roman");
    EXPECT_EQ(s["font_size"].toDouble(), 12.0);
    EXPECT_EQ(s["home"].toArray(), QJsonArray({500, 500}));
    EXPECT_EQ(s["test_result"].toInt(), 0);
    const QJsonObject globals = s["globals"].toObject();
    EXPECT_EQ(globals["x"].toString(), "0.3");
    EXPECT_EQ(globals["uzunluk"].toString(), "40.0");
    EXPECT_EQ(globals["döngüno"].toString(), "1.0");
    EXPECT_TRUE(s["errors"].toArray().isEmpty());
    EXPECT_EQ(s["procedures"].toInt(), 1);
    EXPECT_EQ(s["program_lines"].toInt(), 4);
    EXPECT_TRUE(s["stopped"].isNull());
}

TEST(RunnerTest, StateCountsThePaintedPixels) {
    RunResult r = RunRunner({"-e", "pu fd 100", "--state"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QJsonObject s = StateOf(r);
    EXPECT_EQ(s["painted_pixels"].toInt(), 0);
    EXPECT_TRUE(s["painted_box"].isNull());
    // A width-1 line leaves its end pixel unset.
    r = RunRunner({"-e", "fd 10", "--state"});
    s = StateOf(r);
    EXPECT_EQ(s["painted_pixels"].toInt(), 10);
    EXPECT_EQ(s["painted_box"].toArray(), QJsonArray({500, 500, 509, 500}));
    // Pixels are counted against the screen colour, whatever it is.
    r = RunRunner({"-e", "setsc [0 0 255]", "-e", "rt 90", "-e", "fd 7", "-e", "pu", "-e",
                   "setpos 3,1990", "-e", "pd", "-e", "fd 2", "--state"});
    s = StateOf(r);
    EXPECT_EQ(s["screen_color"].toInt(), 0xFF0000);
    EXPECT_EQ(s["painted_pixels"].toInt(), 9);
    EXPECT_EQ(s["painted_box"].toArray(), QJsonArray({3, 500, 500, 1991}));
}

TEST(RunnerTest, TextsInTheStateAreUtf8AndEscaped) {
    const RunResult r = RunRunner(
        {"--no-accept-space", "-e", "setfontname Çiçek \"ş\\ı\"", "-e", "test 2 > 1", "--state"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject s = StateOf(r);
    EXPECT_EQ(s["font_name"].toString(), QString::fromUtf8("Çiçek \"ş\\ı\""));
    EXPECT_EQ(s["test_result"].toInt(), 1);
}

TEST(RunnerTest, ErrorLinesGiveStatusOneAndGoToStandardError) {
    const RunResult r = RunRunner(
        {"--no-accept-space", "--no-autocorrect", "-e", "fd 10", "-e", "qq 5", "--state"});
    EXPECT_EQ(r.exitCode, 1);
    const QString line = QString::fromUtf8("Bilinmeyen komut: 'qq 5' ( satır = 2 ) ");
    EXPECT_EQ(QString::fromUtf8(r.err), line + "\n");
    EXPECT_EQ(StateOf(r)["errors"].toArray(), QJsonArray({line}));
    const RunResult english =
        RunRunner({"--english", "--no-accept-space", "--no-autocorrect", "-e", "qq 5"});
    EXPECT_EQ(english.exitCode, 1);
    EXPECT_EQ(english.err, "Unknown command: 'qq 5' ( line = 1 ) \n");
}

TEST(RunnerTest, OptionFlagsReachTheInterpreter) {
    // Auto-correction runs fd with "d 10": d is 2.
    RunResult r = RunRunner({"--no-accept-space", "-e", "d := 2", "-e", "fdd 10", "--state"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(StateOf(r)["x"].toInt(), 520);
    r = RunRunner({"--no-accept-space", "--no-autocorrect", "-e", "fdd 10", "--state"});
    EXPECT_EQ(StateOf(r)["x"].toInt(), 500);
    // Stop at errors ends the main procedure at its failing line.
    const QStringList program = {"--no-autocorrect", "-e", "fd 1", "-e", "qq", "-e", "fd 10",
                                 "--state"};
    r = RunRunner(QStringList{"--stop-at-errors"} + program);
    EXPECT_EQ(StateOf(r)["x"].toInt(), 501);
    r = RunRunner(program);
    EXPECT_EQ(StateOf(r)["x"].toInt(), 511);
}

TEST(RunnerTest, EnglishInterfaceNamesThePredefinedVariables) {
    const RunResult r = RunRunner({"--english", "-e", "setuzunluk 25", "--state"});
    ASSERT_EQ(r.exitCode, 0);
    const QJsonObject globals = StateOf(r)["globals"].toObject();
    EXPECT_EQ(globals["steplength"].toString(), "25.0");
    EXPECT_EQ(globals["arcangle"].toString(), "360.0");
    EXPECT_FALSE(globals.contains("uzunluk"));
}

TEST(RunnerTest, StandardInputIsTheMainProcedure) {
    const RunResult r = RunRunner({"--state"}, "fd 10\r\nrt 90\nfd 5");
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject s = StateOf(r);
    EXPECT_EQ(s["x"].toInt(), 510);
    EXPECT_EQ(s["y"].toInt(), 505);
}

TEST(RunnerTest, DefinedProceduresCanBeCalled) {
    const RunResult r = RunRunner(
        {"--define", "kare :a", "repeat 4 [fd :a rt 90]\nfd :a", "-e", "kare 30", "--state"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(StateOf(r)["x"].toInt(), 530);
}

TEST(RunnerTest, EvalPrintsSixDecimalsWithAPointInAnyLocale) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "tr_TR.UTF-8");
    const RunResult r =
        RunRunner({"-e", "x := 2.5", "--eval", "1/3", "--eval", "x * 2", "--eval", "-7"}, {}, env);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    // Arithmetic results are rounded to 0.001 by the evaluator.
    EXPECT_EQ(r.out, "0.333000\n5.000000\n-7.000000\n");
}

TEST(RunnerTest, LineLimitStopsWithStatusThree) {
    RunResult r = RunRunner({"--max-lines", "3", "-e", "repeat 10 [fd 1]", "--state"});
    EXPECT_EQ(r.exitCode, 3);
    const QJsonObject s = StateOf(r);
    EXPECT_EQ(s["x"].toInt(), 502);
    EXPECT_EQ(s["errors"].toArray().size(), 1);
    EXPECT_EQ(s["stopped"].toString(), "line budget");
    // An endless run stops at its time limit, drawn so far and reported.
    r = RunRunner(
        {"--time-limit", "0.3", "--english", "-e", "repeat 2000000000 [fd 1 rt 1]", "--state"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(StateOf(r)["stopped"].toString(), "time limit");
    EXPECT_EQ(StateOf(r)["errors"].toArray(), QJsonArray({"Stopped: the time limit was reached"}));
    EXPECT_GT(StateOf(r)["painted_pixels"].toInt(), 0);
    // No line at all: the program is not run, which is no stop.
    r = RunRunner({"--max-lines", "0", "-e", "fd 1", "--state"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(StateOf(r)["x"].toInt(), 500);
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    r = RunRunner({"--max-lines", "2", "-e", "fd 1", "-e", "fd 1"});
    EXPECT_EQ(r.exitCode, 0);
}

TEST(RunnerTest, UsageErrorsGiveStatusTwoWithOneLine) {
    for (const QStringList& args :
         {QStringList{"--max-lines"}, QStringList{"--max-lines", "-1"},
          QStringList{"--max-lines", "12x"}, QStringList{"--bogus"}, QStringList{"-e"},
          QStringList{"--define", "p"}, QStringList{"a.elg", "b.elg"}, QStringList{"--dialect"},
          QStringList{"--dialect", "de-long"}, QStringList{"--dialect", "TR-LONG", "-e", "fd 1"},
          QStringList{"--save"}}) {
        const RunResult r = RunRunner(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    const RunResult dialect = RunRunner({"--dialect", "de-long"});
    EXPECT_TRUE(dialect.err.contains("unknown dialect: de-long")) << dialect.err.toStdString();
}

TEST(RunnerTest, HelpAndVersion) {
    RunResult r = RunRunner({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.startsWith("Usage: mivarelo-run"));
    r = RunRunner({"--version"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.startsWith("mivarelo-run "));
}

// Width and height from the PNG header, after checking the signature.
bool PngSize(const QByteArray& png, quint32& width, quint32& height) {
    static const QByteArray signature("\x89PNG\r\n\x1a\n", 8);
    if (!png.startsWith(signature) || png.size() < 24 || png.mid(12, 4) != "IHDR") return false;
    const auto be32 = [&png](int at) {
        quint32 v = 0;
        for (int k = 0; k < 4; ++k)
            v = v << 8 | static_cast<quint8>(png[at + k]);
        return v;
    };
    width = be32(16);
    height = be32(20);
    return true;
}

TEST(RunnerTest, PngHoldsThePicture) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString drawn = dir.filePath("drawn.png");
    const QString again = dir.filePath("again.png");
    const QString blank = dir.filePath("blank.png");
    const QStringList square = {"-e", "repeat 4 [fd 100 rt 90]", "--png"};
    ASSERT_EQ(RunRunner(square + QStringList{drawn}).exitCode, 0);
    ASSERT_EQ(RunRunner(square + QStringList{again}).exitCode, 0);
    ASSERT_EQ(RunRunner({"-e", "pu fd 100", "--png", blank}).exitCode, 0);
    QFile drawnFile(drawn), againFile(again), blankFile(blank);
    ASSERT_TRUE(drawnFile.open(QIODevice::ReadOnly));
    ASSERT_TRUE(againFile.open(QIODevice::ReadOnly));
    ASSERT_TRUE(blankFile.open(QIODevice::ReadOnly));
    const QByteArray png = drawnFile.readAll();
    quint32 width = 0, height = 0;
    ASSERT_TRUE(PngSize(png, width, height));
    EXPECT_EQ(width, 2000u);
    EXPECT_EQ(height, 2000u);
    EXPECT_EQ(png, againFile.readAll());
    EXPECT_NE(png, blankFile.readAll());
    const RunResult unwritable =
        RunRunner({"-e", "fd 1", "--png", dir.filePath("missing/folder/x.png")});
    EXPECT_EQ(unwritable.exitCode, 2);
}

TEST(RunnerTest, WaitsAreKeptOrSkipped) {
    EXPECT_EQ(RunRunner({"-e", "wait 3", "-e", "fd 1"}).exitCode, 0);
    EXPECT_EQ(RunRunner({"--no-wait", "-e", "wait 600000", "-e", "fd 1"}).exitCode, 0);
}

} // namespace
