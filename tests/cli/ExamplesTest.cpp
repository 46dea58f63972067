// Every sample program exists in Turkish (examples/tr) and in English
// (examples/en) under a file name that examples/examples.txt lists. Both
// versions run headless without an error, in the dialect they were written
// in and translated into each of the four dialects, and draw the same
// picture, pixel for pixel, inside the 2000 x 2000 surface.
#include "RunnerProcess.h"

#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

using namespace runner_test;

struct Language {
    QString folder;
    const char* mainProcedure;
    const char* teaches;
};

const Language Languages[] = {{"tr", "AnaEkran", "; Öğrettiği: "},
                              {"en", "MainScreen", "; Teaches: "}};

// The file names of examples.txt in name order; every line names a file and
// its Turkish and English menu names.
QStringList ListedFiles() {
    QFile index(QStringLiteral(MIVARELO_SOURCE_DIR "/examples/examples.txt"));
    EXPECT_TRUE(index.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList listed;
    for (const QString& line : QString::fromUtf8(index.readAll()).split('\n')) {
        if (line.isEmpty() || line.startsWith('#')) continue;
        const QStringList fields = line.split('\t');
        EXPECT_EQ(fields.size(), 3) << line.toStdString();
        EXPECT_FALSE(fields.value(1).isEmpty() || fields.value(2).isEmpty()) << line.toStdString();
        listed << fields[0];
    }
    listed.sort();
    return listed;
}

// The words (runs of letters) of every line the runner printed.
QList<QStringList> WordsOf(const RunResult& printed) {
    static const QRegularExpression word(QStringLiteral("\\p{L}+"));
    QList<QStringList> lines;
    for (const QString& line : QString::fromUtf8(printed.out).split('\n')) {
        QStringList words;
        for (const QRegularExpressionMatch& m : word.globalMatch(line))
            words << m.captured();
        lines << words;
    }
    return lines;
}

TEST(ExamplesTest, BothVersionsRunWithoutErrorsAndDrawTheSamePicture) {
    const QStringList listed = ListedFiles();
    ASSERT_EQ(listed.size(), 12);
    for (const Language& language : Languages) {
        QStringList files;
        for (const QString& program : ExamplePrograms(language.folder))
            files << QFileInfo(program).fileName();
        EXPECT_EQ(files, listed) << language.folder.toStdString();
    }
    QTemporaryDir dir;
    for (const QString& file : listed) {
        SCOPED_TRACE(file.toStdString());
        QList<QImage> pictures;
        QList<QJsonObject> states;
        for (const Language& language : Languages) {
            const QString program =
                QStringLiteral(MIVARELO_SOURCE_DIR "/examples/") + language.folder + '/' + file;
            const QString png = dir.filePath(language.folder + '-' + file + ".png");
            const RunResult r = RunRunner({"--no-wait", program, "--png", png, "--state"});
            ASSERT_EQ(r.exitCode, 0) << program.toStdString() << r.err.toStdString();
            EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
            // The texts of the versions and dialects differ in lines, not
            // in what they draw.
            QJsonObject s = StateOf(r);
            s.remove("program_lines");
            EXPECT_TRUE(s["errors"].toArray().isEmpty());
            for (const char* dialect : {"tr-long", "tr-short", "en-long", "en-short"}) {
                const RunResult translated =
                    RunRunner({"--no-wait", program, "--dialect", dialect, "--state"});
                EXPECT_EQ(translated.exitCode, 0) << dialect << translated.err.toStdString();
                QJsonObject state = StateOf(translated);
                state.remove("program_lines");
                EXPECT_EQ(state, s) << program.toStdString() << ' ' << dialect;
            }
            states << s;
            pictures << QImage(png);
        }
        EXPECT_EQ(states[0], states[1]);
        ASSERT_EQ(pictures[0].size(), QSize(2000, 2000));
        EXPECT_TRUE(pictures[0] == pictures[1]) << "the two versions draw different pictures";
        EXPECT_GT(states[0]["painted_pixels"].toInt(), 30000);
        // Nothing reaches the picture's edge, so nothing was cut off.
        const QJsonArray box = states[0]["painted_box"].toArray();
        ASSERT_EQ(box.size(), 4);
        EXPECT_GT(box[0].toInt(), 0);
        EXPECT_GT(box[1].toInt(), 0);
        EXPECT_LT(box[2].toInt(), 1999);
        EXPECT_LT(box[3].toInt(), 1999);
    }
}

// Each version names its main procedure in its language and opens with a
// comment line, in its language, that says what it teaches. Every word of it
// is kept by the translation into the long or the short dialect of its
// language: a keyword of the other language would be rewritten by both.
TEST(ExamplesTest, EachVersionIsWrittenInItsLanguageAndSaysWhatItTeaches) {
    for (const Language& language : Languages) {
        for (const QString& program : ExamplePrograms(language.folder)) {
            SCOPED_TRACE(program.toStdString());
            const QStringList print = {program, "--print-program", "--max-lines", "0"};
            const RunResult r = RunRunner(print);
            ASSERT_EQ(r.exitCode, 0);
            const QList<QByteArray> lines = r.out.split('\n');
            ASSERT_GE(lines.size(), 2);
            EXPECT_EQ(lines[0], language.mainProcedure);
            EXPECT_TRUE(lines[1].startsWith(language.teaches)) << lines[1].toStdString();
            EXPECT_GT(lines[1].size(), 30);
            const QList<QStringList> written = WordsOf(r);
            const QList<QStringList> asLong =
                WordsOf(RunRunner(print + QStringList{"--dialect", language.folder + "-long"}));
            const QList<QStringList> asShort =
                WordsOf(RunRunner(print + QStringList{"--dialect", language.folder + "-short"}));
            ASSERT_EQ(asLong.size(), written.size());
            ASSERT_EQ(asShort.size(), written.size());
            for (qsizetype line = 0; line < written.size(); ++line) {
                ASSERT_EQ(asLong[line].size(), written[line].size()) << line;
                ASSERT_EQ(asShort[line].size(), written[line].size()) << line;
                for (qsizetype k = 0; k < written[line].size(); ++k) {
                    const QString& w = written[line][k];
                    EXPECT_TRUE(w == asLong[line][k] || w == asShort[line][k])
                        << "line " << line << ": " << w.toStdString();
                }
            }
        }
    }
}

} // namespace
