// mivarelo-run --gallery on a class folder: one card and one summary entry
// per program, in file-name order, with the status its run ended in; a page
// that needs nothing outside its folder; the likeness to a model.
#include "RunnerProcess.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

namespace {

using namespace runner_test;

class GalleryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(QDir(dir_.path()).mkpath("class/late"));
    }

    QString Path(const QString& name) const { return dir_.filePath(name); }

    // A native program file made by the runner itself from main lines.
    void Save(const QString& name, const QStringList& lines) {
        QStringList args;
        for (const QString& line : lines)
            args << "-e" << line;
        const RunResult r = RunRunner(args + QStringList{"--save", Path(name), "--max-lines", "0"});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    }

    // summary.json's programs by file name.
    QMap<QString, QJsonObject> Summary(const QString& out) const {
        QFile file(out + "/summary.json");
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QMap<QString, QJsonObject> programs;
        for (const QJsonValue& p : QJsonDocument::fromJson(file.readAll())["programs"].toArray())
            programs[p["file"].toString()] = p.toObject();
        return programs;
    }

    QTemporaryDir dir_;
};

TEST_F(GalleryTest, AClassFolderGivesEachProgramItsCardAndStatus) {
    Save("class/clean.elg", {"tekrar 4 [ileri 50; sağ 90]"});
    Save("class/errors.elg", {"ileri 10", "bilinmez 1", "sağ 90", "xyz 2", "abc 3", "def 4"});
    Save("class/endless.elg", {"tekrar 1000000000 [ileri 1; sağ 1]"});
    ASSERT_TRUE(WriteBytes(Path("class/damaged.elg"), QByteArray("\x00\x01\xFF damaged", 11)));
    ASSERT_TRUE(WriteBytes(Path("class/late/classic.lgo"),
                           "to box\nrepeat 4 [fd 50 rt 90]\nend\nbox\nfrobnicate 3\n"));
    ASSERT_TRUE(WriteBytes(Path("class/notes.txt"), "not a program"));
    const QString out = Path("out");
    const RunResult r =
        RunRunner({"--gallery", out, Path("class"), Path("missing.elg"), "--english",
                   "--time-limit", "1", "--max-lines", "100000000", "--jobs", "3"});
    // One file could not be read: 2, though the others ran.
    EXPECT_EQ(r.exitCode, 2) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("6/6 ")) << r.err.toStdString();

    const QMap<QString, QJsonObject> programs = Summary(out);
    ASSERT_EQ(programs.keys(), (QStringList{"classic.lgo", "clean.elg", "damaged.elg",
                                            "endless.elg", "errors.elg", "missing.elg"}));
    EXPECT_EQ(programs["clean.elg"]["status"].toString(), "clean");
    EXPECT_EQ(programs["clean.elg"]["procedures"].toInt(), 1);
    EXPECT_EQ(programs["clean.elg"]["lines"].toInt(), 1);
    EXPECT_EQ(programs["classic.lgo"]["status"].toString(), "errors");
    EXPECT_EQ(programs["classic.lgo"]["errors"].toArray(),
              QJsonArray({"Not converted, line 5: 'frobnicate 3' (unknown procedure or command)"}));
    EXPECT_EQ(programs["endless.elg"]["status"].toString(), "time limit");
    EXPECT_LT(programs["endless.elg"]["seconds"].toDouble(), 8.0);
    EXPECT_EQ(programs["errors.elg"]["status"].toString(), "errors");
    EXPECT_EQ(programs["errors.elg"]["errors"].toArray().size(), 4);
    EXPECT_EQ(programs["damaged.elg"]["status"].toString(), "errors");
    EXPECT_EQ(programs["missing.elg"]["status"].toString(), "unreadable");
    EXPECT_FALSE(programs["missing.elg"].contains("png"));

    QFile page(out + "/index.html");
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    EXPECT_EQ(html.count("<article"), 6);
    // Cards in file-name order, with the errors shown.
    EXPECT_LT(html.indexOf("<h2>classic.lgo</h2>"), html.indexOf("<h2>clean.elg</h2>"));
    EXPECT_LT(html.indexOf("<h2>errors.elg</h2>"), html.indexOf("<h2>missing.elg</h2>"));
    EXPECT_TRUE(html.contains("stopped: time limit"));
    EXPECT_TRUE(html.contains("and 1 more"));
    // Everything the page points at is a file of its own folder.
    const QRegularExpression reference(QStringLiteral("(?:src|href)=\"([^\"]*)\""));
    QSet<QString> targets;
    for (const auto& match : reference.globalMatch(html))
        targets << match.captured(1);
    EXPECT_GT(targets.size(), 10);
    for (const QString& target : targets) {
        EXPECT_FALSE(target.contains('/') || target.contains(':')) << target.toStdString();
        EXPECT_TRUE(QFile::exists(out + "/" + target)) << target.toStdString();
    }
    EXPECT_FALSE(html.contains("http"));
}

TEST_F(GalleryTest, LikenessIsWholeForTheModelAndLowForAnotherDrawing) {
    Save("class/square.elg", {"tekrar 4 [ileri 100; sağ 90]"});
    Save("class/shifted.elg",
         {"kalemyukarı", "ileri 1", "kalemaşağı", "tekrar 4 [ileri 100; sağ 90]"});
    Save("class/far.elg",
         {"kalemyukarı", "geri 300", "kalemaşağı", "tekrar 36 [ileri 20; sağ 10]"});
    const QString out = Path("out");
    const RunResult r =
        RunRunner({"--gallery", out, Path("class"), "--reference", Path("class/square.elg")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QMap<QString, QJsonObject> programs = Summary(out);
    EXPECT_EQ(programs["square.elg"]["model_covered"].toDouble(), 1.0);
    EXPECT_EQ(programs["square.elg"]["drawing_on_model"].toDouble(), 1.0);
    // A pixel off is within reach.
    EXPECT_EQ(programs["shifted.elg"]["model_covered"].toDouble(), 1.0);
    EXPECT_LT(programs["far.elg"]["model_covered"].toDouble(), 0.05);
    EXPECT_LT(programs["far.elg"]["drawing_on_model"].toDouble(), 0.05);
    QFile page(out + "/index.html");
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    EXPECT_TRUE(html.contains("<b>100 %</b>"));
    EXPECT_TRUE(html.contains("sortCards('score')"));
}

} // namespace
