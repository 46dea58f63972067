// mivarelo-run with program files: running native and plain Logo files,
// lines appended with -e, dialect translation, the printed program, saving
// in both formats, conversion without a run, and unreadable or unsavable
// files.
#include "RunnerProcess.h"

#include <QDir>
#include <QJsonArray>
#include <QList>
#include <QTemporaryDir>

namespace {

using namespace runner_test;

// A counted list of the native format: "1", 0xE9, the count, then each item
// after a 0xE9.
QByteArray CountedList(const QList<QByteArray>& items) {
    QByteArray list = "1\xE9" + QByteArray::number(items.size());
    for (const QByteArray& item : items)
        list += "\xE9" + item;
    return list;
}

// A native program file (Windows-1254 text, line feeds stored as CR LF).
QByteArray NativeFile(const QList<QByteArray>& headers, const QList<QByteArray>& bodies) {
    QByteArray data = CountedList(headers) + "\xE9" + CountedList(bodies);
    data.replace("\n", "\r\n");
    return data;
}

class ProgramFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString Path(const QString& name) const { return dir_.filePath(name); }

    // Writes a file into the test folder and returns its path.
    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = Path(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        EXPECT_TRUE(WriteBytes(path, bytes)) << path.toStdString();
        return path;
    }

    // ana: "kare 30"; kare :a: a square of side :a, then a step of :a.
    QString SquareProgram(const QString& name = "kare.elg") {
        return Write(name, NativeFile({"ana", "kare :a"},
                                      {"kare 30\n", "tekrar 4 [ileri :a sa\xF0 90]\nileri :a\n"}));
    }

    QTemporaryDir dir_;
};

TEST_F(ProgramFileTest, NativeFileRunsItsMainProcedure) {
    // Standard input is not read when a program file is given.
    const RunResult r = RunRunner({SquareProgram(), "--state"}, "fd 100\n");
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    const QJsonObject s = StateOf(r);
    EXPECT_EQ(s["x"].toInt(), 530);
    EXPECT_EQ(s["y"].toInt(), 500);
    EXPECT_EQ(s["painted_box"].toArray(), QJsonArray({500, 500, 530, 530}));
}

TEST_F(ProgramFileTest, ExecLinesGoToTheEndOfTheMainProcedure) {
    RunResult r = RunRunner({SquareProgram(), "-e", "sağ 90", "-e", "ileri 5", "--state"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QJsonObject s = StateOf(r);
    EXPECT_EQ(s["x"].toInt(), 530);
    EXPECT_EQ(s["y"].toInt(), 505);
    EXPECT_EQ(s["heading"].toDouble(), 90.0);
    // A main procedure whose last line has no line feed gets one first.
    const QString open = Write("open.elg", NativeFile({"ana"}, {"ileri 10"}));
    r = RunRunner({open, "-e", "ileri 5", "--print-program", "--max-lines", "0"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "ana\nileri 10\nileri 5\n");
    r = RunRunner({open, "-e", "ileri 5", "--state"});
    EXPECT_EQ(StateOf(r)["x"].toInt(), 515);
}

TEST_F(ProgramFileTest, PrintProgramShowsHeadersAndBodiesInUtf8) {
    const QString path = Write("print.elg", NativeFile({"ana", "bo\xFE", "kare :a"},
                                                       {"ileri 10\n", "", "ileri :a\nsa\xF0 90"}));
    const RunResult r = RunRunner({path, "--define", "üçgen :s", "repeat 3 [fd :s rt 120]",
                                   "--print-program", "--max-lines", "0"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(r.out), QString::fromUtf8("ana\nileri 10\n"
                                                          "\n"
                                                          "boş\n"
                                                          "\n"
                                                          "kare :a\nileri :a\nsağ 90\n"
                                                          "\n"
                                                          "üçgen :s\nrepeat 3 [fd :s rt 120]\n"));
    // The listing comes before the run's own output.
    const RunResult run = RunRunner({path, "--print-program", "--eval", "2+3"});
    EXPECT_TRUE(run.out.endsWith("sa\xC4\x9F 90\n5.000000\n")) << run.out.toStdString();
}

TEST_F(ProgramFileTest, PlainLogoFileIsImported) {
    // UTF-8 with Turkish letters, CR LF line ends, capital extension, a
    // folder with a blank; the first procedure becomes the main procedure.
    const QString path = Write("logo files/Örnek.LGO", "; Türkçe bir örnek\r\n"
                                                       "to başla\r\n"
                                                       "  cs\r\n"
                                                       "  çiz 40\r\n"
                                                       "  setfontname Şişli\r\n"
                                                       "end\r\n"
                                                       "\r\n"
                                                       "TO ÇİZ :boy\r\n"
                                                       "repeat 4 [fd :boy rt 90]\r\n"
                                                       "fd :boy\r\n"
                                                       "END\r\n");
    RunResult r = RunRunner({path, "--import-native", "--print-program", "--max-lines", "0"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(r.out), QString::fromUtf8("başla\n"
                                                          "et;pd;sol 90;\n"
                                                          "çiz 40\n"
                                                          "setfontname Şişli\n"
                                                          "\n"
                                                          "ÇİZ :boy\n"
                                                          "tekrar 4 [ fd :boy ; rt 90 ]\n"
                                                          "fd :boy\n"));
    r = RunRunner({path, "--import-native", "--state"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject s = StateOf(r);
    EXPECT_EQ(s["x"].toInt(), 500);
    EXPECT_EQ(s["y"].toInt(), 460);
    EXPECT_EQ(s["heading"].toDouble(), 270.0);
    EXPECT_TRUE(s["font_name"].toString().startsWith(QString::fromUtf8("Şişli")));
    EXPECT_EQ(s["painted_box"].toArray(), QJsonArray({500, 460, 540, 500}));
}

TEST_F(ProgramFileTest, PathsWithLgoAnywhereAreImportedAsPlainLogo) {
    // A native file in a folder named *.lgo.d is read as plain Logo text,
    // finds no procedure and leaves an empty main procedure; its lines are
    // listed as left out.
    const QString path = SquareProgram("old.lgo.d/kare.elg");
    const RunResult r = RunRunner({path, "--english", "--import-native", "-e", "fd 3", "--state"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(StateOf(r)["x"].toInt(), 503);
    const QByteArray outside = "' (outside any \"to ... end\" block)\n";
    EXPECT_EQ(r.err,
              "mivarelo-run: warning: Not converted, line 1: '1\xC3\xA9"
              "2\xC3\xA9"
              "ana\xC3\xA9kare :a\xC3\xA9"
              "1\xC3\xA9"
              "2\xC3\xA9kare 30" +
                  outside +
                  "mivarelo-run: warning: Not converted, line 2: '\xC3\xA9tekrar 4 [ileri :a "
                  "sa\xC4\x9F 90]" +
                  outside + "mivarelo-run: warning: Not converted, line 3: 'ileri :a" + outside +
                  "mivarelo-run: " + path.toUtf8() +
                  " holds no procedure; the program starts with an empty main procedure\n");
}

TEST_F(ProgramFileTest, EveryDialectRewritesTheProgramAndRunsTheSame) {
    const QString path =
        Write("mixed.elg", NativeFile({"ana", "kare :a"},
                                      {"forward 10 rt 90\nkare 20\nx := 3\n",
                                       "tekrar 4 [ig :a sa\xF0 90]\nkalemyukar\xFD; fd :a; pd\n"}));
    const QList<QPair<QString, QString>> expected = {
        {"tr-long", "ana\nileri 10\nsağ 90\nkare 20\nx := 3\n\nkare :a\n"
                    "tekrar 4 [ ileri :a;sağ 90; ]\nkalemyukarı\nileri :a\nkalemaşağı\n"},
        {"tr-short", "ana\nig 10\nsağ 90\nkare 20\nx := 3\n\nkare :a\n"
                     "tekrar 4 [ ig :a;sağ 90; ]\nky\nig :a\nka\n"},
        {"en-long", "ana\nforward 10\nright 90\nkare 20\nx := 3\n\nkare :a\n"
                    "repeat 4 [ forward :a;right 90; ]\npenup\nforward :a\npendown\n"},
        {"en-short", "ana\nfd 10\nrt 90\nkare 20\nx := 3\n\nkare :a\n"
                     "repeat 4 [ fd :a;rt 90; ]\npu\nfd :a\npd\n"},
    };
    // Translation may join or split lines; what runs stays the same.
    QJsonObject original = StateOf(RunRunner({path, "--state"}));
    original.remove("program_lines");
    EXPECT_EQ(original["y"].toInt(), 520);
    for (const auto& [dialect, listing] : expected) {
        RunResult r =
            RunRunner({path, "--dialect", dialect, "--print-program", "--max-lines", "0"});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(QString::fromUtf8(r.out), listing) << dialect.toStdString();
        r = RunRunner({path, "--dialect", dialect, "--state"});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        QJsonObject state = StateOf(r);
        state.remove("program_lines");
        EXPECT_EQ(state, original) << dialect.toStdString();
    }
}

TEST_F(ProgramFileTest, SaveWritesTheNativeFormat) {
    const QString source = Write("source.elg", NativeFile({"ana"}, {"ileri 10\n"}));
    const QString saved = Path("saved.elg");
    RunResult r = RunRunner({source, "-e", "sağ 90", "--save", saved, "--max-lines", "0"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray bytes = "1\xE9"
                             "1\xE9"
                             "ana\xE9"
                             "1\xE9"
                             "1\xE9"
                             "ileri 10\r\nsa\xF0 90\r\n";
    EXPECT_EQ(ReadBytes(saved), bytes);
    // Saving the saved file again changes nothing; the save comes before the run.
    const QString again = Path("again.elg");
    r = RunRunner({saved, "--save", again, "--state"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(ReadBytes(again), bytes);
    EXPECT_EQ(StateOf(r)["heading"].toDouble(), 90.0);
    EXPECT_EQ(StateOf(r)["x"].toInt(), 510);
}

TEST_F(ProgramFileTest, SaveToLgoWritesPlainLogoInEnglish) {
    const QString source =
        Write("source.elg", NativeFile({"ana", "kare :a"}, {"kare 30\nsa\xF0 45\n",
                                                            "tekrar 4 [ileri :a sa\xF0 90]\n"}));
    const QString saved = Path("OUT.LGO");
    const RunResult r = RunRunner({source, "--save", saved, "--max-lines", "0"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray text = ReadBytes(saved);
    EXPECT_TRUE(text.startsWith("; ")) << text.toStdString();
    EXPECT_TRUE(text.endsWith("\r\n\r\nto ana\r\nkare 30\r\nright 45\r\nend\r\n\r\n\r\n"
                              "to kare_:a\r\nrepeat 4 [ forward :a right 90 ]\r\nend\r\n\r\n\r\n"))
        << text.toStdString();
}

TEST_F(ProgramFileTest, PlainLogoRoundTripRunsTheSame) {
    const QString source =
        Write("source.elg", NativeFile({"ana", "kare"}, {"kare\nsa\xF0 45\nileri 7\n",
                                                         "tekrar 4 [ileri 30 sa\xF0 90]\n"}));
    const QString saved = Path("round.lgo");
    ASSERT_EQ(RunRunner({source, "--save", saved, "--max-lines", "0"}).exitCode, 0);
    const RunResult original = RunRunner({source, "--state"});
    const RunResult imported = RunRunner({saved, "--state"});
    ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    EXPECT_EQ(StateOf(imported), StateOf(original));
    // The square's 120 pixels and 4 more of the diagonal step of 7.
    EXPECT_EQ(StateOf(imported)["painted_pixels"].toInt(), 124);
}

TEST_F(ProgramFileTest, MaxLinesZeroConvertsWithoutRunning) {
    const QString converted = Path("converted.elg");
    RunResult r = RunRunner({SquareProgram(), "--dialect", "en-short", "--save", converted,
                             "--max-lines", "0", "--state"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject s = StateOf(r);
    EXPECT_EQ(s["x"].toInt(), 500);
    EXPECT_EQ(s["painted_pixels"].toInt(), 0);
    r = RunRunner({converted, "--print-program", "--max-lines", "0"});
    EXPECT_EQ(r.out, "ana\nkare 30\n\nkare :a\nrepeat 4 [ fd :a;rt 90; ]\nfd :a\n");
}

TEST_F(ProgramFileTest, UnreadableFileIsAUsageErrorNamingItAndWhy) {
    const QByteArray missing = ": no such file or folder\n";
    const QList<std::pair<QString, QByteArray>> cases = {
        {Path("missing.elg"), missing},
        {Path("missing.lgo"), missing},
        {dir_.path(), ": not a regular file\n"},
    };
    for (const auto& [path, reason] : cases) {
        const RunResult r = RunRunner({path, "--english", "--state", "-e", "fd 1"});
        EXPECT_EQ(r.exitCode, 2) << path.toStdString();
        EXPECT_EQ(r.err, "mivarelo-run: cannot read the program file " + path.toUtf8() + reason);
        EXPECT_TRUE(r.out.isEmpty());
    }
    // Without --english the runner speaks Turkish.
    const RunResult r = RunRunner({Path("missing.elg")});
    EXPECT_EQ(r.err, QString("mivarelo-run: program dosyası okunamadı: %1: böyle bir dosya ya da "
                             "klasör yok\n")
                         .arg(Path("missing.elg"))
                         .toUtf8());
}

TEST_F(ProgramFileTest, FileWithoutProceduresStartsAnEmptyMainProcedure) {
    const QString empty = Write("empty.elg", "");
    RunResult r = RunRunner({empty, "--english", "-e", "fd 10", "--state"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(StateOf(r)["x"].toInt(), 510);
    EXPECT_EQ(r.err.count('\n'), 1);
    EXPECT_TRUE(r.err.contains(empty.toUtf8() + " holds no procedure")) << r.err.toStdString();
    // More headers than bodies: every header gets an empty body.
    const QString damaged = Write("damaged.elg", NativeFile({"ana", "kare"}, {"fd 5\n"}));
    r = RunRunner({damaged, "-e", "fd 1", "--print-program"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "ana\nfd 5\nfd 1\n\nkare\n");
}

TEST_F(ProgramFileTest, FailedSaveIsAUsageErrorAndNothingRuns) {
    const QString unreachable = Path("no/such/folder/out.elg");
    RunResult r = RunRunner({SquareProgram(), "--english", "--save", unreachable, "--state"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "mivarelo-run: cannot save the program to " + unreachable.toUtf8() +
                         ": no such file or folder\n");
    EXPECT_TRUE(r.out.isEmpty());
    // The separator byte of the native format cannot be saved; the old file
    // stays, and the refusal speaks the interface language.
    const QString kept = Write("kept.elg", "old");
    r = RunRunner({"--english", "-e", "label [café]", "--save", kept, "--state"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "mivarelo-run: cannot save the program to " + kept.toUtf8() +
                         ": Program not saved: procedure 'MainScreen' holds the character 'é', "
                         "which a program file cannot store.\n");
    r = RunRunner({"-e", "yaz café", "--save", kept});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "mivarelo-run: program kaydedilemedi: " + kept.toUtf8() +
                         ": Program kaydedilmedi: 'AnaEkran' yordamında 'é' karakteri var; bu "
                         "karakter program dosyasında saklanamaz.\n");
    EXPECT_EQ(ReadBytes(kept), "old");
    EXPECT_TRUE(r.out.isEmpty());
}

} // namespace
