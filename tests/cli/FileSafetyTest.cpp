// mivarelo-run and its files: a full disk keeps every old file, a native
// file that ends early is reported with the procedures it cut, and the plain
// Logo export keeps comments and the lines it cannot translate.
#include "RunnerProcess.h"

#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QTemporaryDir>

#include <sys/mount.h>

#include <cerrno>
#include <cstring>

namespace {

using namespace runner_test;

// A native program file: two counted lists with the separator 0xE9, line
// feeds stored as CR LF.
QByteArray NativeFile(const QList<QByteArray>& headers, const QList<QByteArray>& bodies) {
    QByteArray data;
    for (const QList<QByteArray>* list : {&headers, &bodies}) {
        if (!data.isEmpty()) data += "\xE9";
        data += "1\xE9" + QByteArray::number(list->size());
        for (const QByteArray& item : *list)
            data += "\xE9" + item;
    }
    data.replace("\n", "\r\n");
    return data;
}

class FileSafetyTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString Path(const QString& name) const { return dir_.filePath(name); }

    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = Path(name);
        EXPECT_TRUE(WriteBytes(path, bytes)) << path.toStdString();
        return path;
    }

    QTemporaryDir dir_;
};

// A 64 KB tmpfs over a folder, unmounted however the test ends.
class SmallDisk {
public:
    explicit SmallDisk(const QString& folder) : folder_(folder.toStdString()) {
        QDir().mkpath(folder);
        if (::mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=64k") == 0)
            mounted_ = true;
        else
            error_ = std::strerror(errno);
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return mounted_; }
    const std::string& Error() const { return error_; }

private:
    std::string folder_;
    bool mounted_ = false;
    std::string error_;
};

TEST_F(FileSafetyTest, AFullDiskKeepsEveryOldFileAndSaysWhy) {
    const QString folder = Path("disk");
    const SmallDisk disk(folder);
    if (!disk.Mounted())
        GTEST_SKIP() << "a tmpfs cannot be mounted here (" << disk.Error()
                     << "); the full-disk case needs root";
    const QDir d(folder);
    const QStringList kinds = {"elg", "lgo", "png", "svg"};
    for (const QString& kind : kinds)
        ASSERT_TRUE(WriteBytes(d.filePath("p." + kind), "old " + kind.toUtf8()));
    // Fill the disk to its last byte.
    QFile fill(d.filePath("fill"));
    ASSERT_TRUE(fill.open(QIODevice::WriteOnly));
    const QByteArray chunk(1024, 'x');
    while (fill.write(chunk) == chunk.size() && fill.flush()) {
    }
    fill.close();
    const QByteArray noSpace = ": no space left on the device\n";
    for (const QString& kind : {QString("elg"), QString("lgo")}) {
        const QString target = d.filePath("p." + kind);
        const RunResult r =
            RunRunner({"--english", "-e", "fd 100", "--save", target, "--max-lines", "0"});
        EXPECT_EQ(r.exitCode, 2) << kind.toStdString();
        EXPECT_EQ(r.err, "mivarelo-run: cannot save the program to " + target.toUtf8() + noSpace);
    }
    const QStringList pictureArgs = {"--english",         "-e",    "fd 100",           "--png",
                                     d.filePath("p.png"), "--svg", d.filePath("p.svg")};
    RunResult r = RunRunner(pictureArgs);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "mivarelo-run: cannot write the picture to " + d.filePath("p.png").toUtf8() +
                         noSpace + "mivarelo-run: cannot write the picture to " +
                         d.filePath("p.svg").toUtf8() + noSpace);
    for (const QString& kind : kinds)
        EXPECT_EQ(ReadBytes(d.filePath("p." + kind)), "old " + kind.toUtf8());
    // No temporary file is left behind.
    EXPECT_EQ(d.entryList(QDir::Files | QDir::Hidden, QDir::Name),
              QStringList({"fill", "p.elg", "p.lgo", "p.png", "p.svg"}));
    // With room again the same runs replace the files.
    ASSERT_TRUE(QFile::remove(d.filePath("fill")));
    r = RunRunner(pictureArgs + QStringList{"--save", d.filePath("p.elg")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(ReadBytes(d.filePath("p.png")).startsWith("\x89PNG\r\n"));
    EXPECT_TRUE(ReadBytes(d.filePath("p.svg")).startsWith("<?xml"));
    EXPECT_EQ(ReadBytes(d.filePath("p.elg")), QByteArray("1\xE9"
                                                         "1\xE9MainScreen\xE9"
                                                         "1\xE9"
                                                         "1\xE9"
                                                         "fd 100\r\n"));
}

TEST_F(FileSafetyTest, ANativeFileThatEndsEarlyNamesTheProceduresItCut) {
    const QByteArray full = NativeFile({"ana", "kare :a", "ucgen"},
                                       {"kare 30\n", "tekrar 4 [ileri :a sag 90]\n", "sol 120\n"});
    struct Case {
        int length;
        QByteArray names;
    };
    const QList<Case> cases = {
        {static_cast<int>(full.indexOf("tekrar")) + 6, "kare, ucgen"},         // inside a body
        {static_cast<int>(full.lastIndexOf("1\xE9")) + 2, "ana, kare, ucgen"}, // no body count
        {static_cast<int>(full.indexOf("kare :a")) + 4, "ana, kare"},          // inside the headers
        {static_cast<int>(full.indexOf("ucgen")) + 6, "ana, kare, ucgen"},     // no bodies at all
    };
    // A cut inside the last body cannot be told from a shorter body: the
    // last item always ends where the file does.
    for (const Case& c : cases) {
        const QString path = Write("cut.elg", full.left(c.length));
        const RunResult r = RunRunner({path, "--english", "--max-lines", "0"});
        EXPECT_EQ(r.exitCode, 1) << c.length;
        EXPECT_EQ(r.err, "mivarelo-run: warning: " + path.toUtf8() +
                             ": the file ends early; these procedures came back empty or cut "
                             "short: " +
                             c.names + "\n")
            << c.length;
    }
    const RunResult r = RunRunner({Write("whole.elg", full), "--english", "--max-lines", "0"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");
}

TEST_F(FileSafetyTest, ThePlainLogoExportKeepsCommentsAndUntranslatableLines) {
    const QString program =
        Write("notes.elg", NativeFile({"ana", "kare :a"}, {"; squares\nfd 10 ; foo 3\n' a note\n",
                                                           "repeat 4 [fd :a rt 90]\nend 5\n"}));
    const QString exported = Path("notes.lgo");
    RunResult r = RunRunner({program, "--english", "--save", exported, "--max-lines", "0"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "mivarelo-run: warning: " + exported.toUtf8() +
                         ": lines written as they stand, with no plain Logo counterpart: 2\n");
    EXPECT_EQ(ReadBytes(exported), "; Bu dosya Mivarelo ile olu\xFEturuldu.\r\n"
                                   "; This file was created by Mivarelo.\r\n"
                                   "\r\n"
                                   "to ana\r\n"
                                   "; squares\r\n"
                                   "forward 10\r\n"
                                   "foo 3\r\n"
                                   "; a note\r\n"
                                   "end\r\n\r\n\r\n"
                                   "to kare_:a\r\n"
                                   "repeat 4 [ forward :a right 90 ]\r\n"
                                   "; end 5\r\n"
                                   "end\r\n\r\n\r\n");
    // Read back, the comments stay and the kept line is reported, its NUL
    // byte shown as \0.
    QByteArray text = ReadBytes(exported);
    text.replace("foo 3", QByteArray("foo\0"
                                     "3",
                                     5));
    r = RunRunner({Write("back.lgo", text), "--english", "--print-program", "--max-lines", "0"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "ana\n; squares\nforward 10\n; a note\n\n"
                     "kare :a\ntekrar 4 [ forward :a ; right 90 ]\n; end 5\n");
    EXPECT_EQ(r.err, "mivarelo-run: warning: Not converted, line 7: 'foo\\03' (unknown procedure "
                     "or command)\n");
}

} // namespace
