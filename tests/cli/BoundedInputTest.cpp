// mivarelo-run reads only what a program can be: a folder, a device or a
// FIFO is refused before it is opened, a file past its kind's size limit
// before it is read, standard input as soon as it passes its limit, and a
// recursion without end stops at the nesting limit. Each case is given a
// few seconds, so that a runner that hangs or keeps reading fails here.
#include "RunnerProcess.h"

#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

using namespace runner_test;

constexpr int RefusalMs = 10'000;
// A million live contexts take a few seconds, several times that in a
// sanitizer build; an endless recursion that is never stopped takes minutes.
constexpr int RecursionMs = 30'000;

// The runner with standard input from `inputFile` (none when empty), given
// `ms` to finish; a runner still going then is killed and fails the test.
RunResult RunFor(const QStringList& args, int ms, const QString& inputFile = {}) {
    QProcess process;
    if (!inputFile.isEmpty()) process.setStandardInputFile(inputFile);
    process.start(QStringLiteral(MIVARELO_RUN_PATH), args);
    RunResult result;
    if (!process.waitForStarted(RefusalMs)) return result;
    if (inputFile.isEmpty()) process.closeWriteChannel();
    if (!process.waitForFinished(ms)) {
        process.kill();
        process.waitForFinished(RefusalMs);
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

QByteArray CannotRead(const QString& path, const QByteArray& reason) {
    return "mivarelo-run: cannot read the program file " + path.toUtf8() + ": " + reason + "\n";
}

class BoundedInputTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString Path(const QString& name) const { return dir_.filePath(name); }

    // A file of `size` bytes that holds no data on disk.
    QString Sparse(const QString& name, qint64 size) const {
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(size)) << name.toStdString();
        return file.fileName();
    }

    QTemporaryDir dir_;
};

TEST_F(BoundedInputTest, OnlyRegularFilesAreOpened) {
    for (const char* name : {"pipe.elg", "pipe.lgo"})
        ASSERT_EQ(::mkfifo(QFile::encodeName(Path(name)).constData(), 0600), 0);
    for (const QString& path :
         {QString("/dev/zero"), Path("pipe.elg"), Path("pipe.lgo"), dir_.path()}) {
        const RunResult r = RunFor({path, "--english", "--state"}, RefusalMs);
        EXPECT_EQ(r.exitCode, 2) << path.toStdString();
        EXPECT_EQ(r.err, CannotRead(path, "not a regular file"));
        EXPECT_TRUE(r.out.isEmpty());
    }
}

// The size is asked before anything is read: a sparse file is refused as
// fast as a small one. A native file has a limit of its own, far above
// plain Logo's.
TEST_F(BoundedInputTest, FilesPastTheirKindsLimitAreRefusedWithThatReason) {
    constexpr qint64 Megabyte = 1024 * 1024;
    const QString elg = Sparse("huge.elg", 32 * Megabyte + 1);
    RunResult r = RunFor({elg, "--english"}, RefusalMs);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, CannotRead(elg, "it is larger than 32 MB, far larger than any program"));
    const QString lgo = Sparse("huge.lgo", 2 * Megabyte + 1);
    r = RunFor({lgo, "--english"}, RefusalMs);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, CannotRead(lgo, "it is larger than 2 MB, far larger than any Logo program"));
    // Three megabytes of a native program, one long comment, are read: the
    // headers' list and the bodies' list, each of one item.
    const QByteArray e("\xE9");
    QByteArray program = "1" + e + "1" + e + "ana" + e + "1" + e + "1" + e + "fd 7\r\n;";
    program += QByteArray(3 * Megabyte, 'x');
    const QString large = Path("large.elg");
    ASSERT_TRUE(WriteBytes(large, program));
    r = RunFor({large, "--english", "--state"}, RefusalMs);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(StateOf(r)["x"].toInt(), 507);
}

TEST_F(BoundedInputTest, EndlessStandardInputIsRefusedPastItsLimit) {
    const RunResult r = RunFor({"--english", "--state"}, RefusalMs, "/dev/zero");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "mivarelo-run: cannot read the program from standard input: it is larger "
                     "than 32 MB, far larger than any program\n");
    EXPECT_TRUE(r.out.isEmpty());
}

TEST_F(BoundedInputTest, RecursionWithoutEndStopsAsNestingTooDeep) {
    const RunResult r =
        RunFor({"--english", "--define", "again", "again", "-e", "again"}, RecursionMs);
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.err, "Nesting too deep\n");
}

} // namespace
