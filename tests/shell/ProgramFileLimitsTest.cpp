// The window opens only what a program can be: a device, a FIFO and a
// folder are refused before they are opened, a file past its kind's size
// limit before it is read, each with the usual message and its own reason.
// The desktop program runs each file through --screenshot, whose dialogs
// print to standard error; it is given ten seconds, so that a window that
// hangs on a FIFO or keeps reading a device fails here instead of hanging.
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class ProgramFileLimitsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir folder;

    // A file of `size` bytes that holds no data on disk.
    QString Sparse(const QString& name, qint64 size) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || !file.resize(size)) return {};
        return file.fileName();
    }

    // Runs `path` through the screenshot road in English; the exit status
    // must be 2 (unreadable) and standard error must carry the window's
    // message with `reason`.
    void ExpectRefused(const QString& path, const QString& reason) {
        QProcess shot;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("HOME", folder.path());
        shot.setProcessEnvironment(environment);
        shot.start(MIVARELO_APP_PATH,
                   {"--screenshot", folder.filePath("shot.png"), "--english", path});
        const bool finished = shot.waitForFinished(10000);
        if (!finished) {
            shot.kill();
            shot.waitForFinished(10000);
        }
        QVERIFY2(finished, qPrintable(path));
        QCOMPARE(shot.exitStatus(), QProcess::NormalExit);
        QCOMPARE(shot.exitCode(), 2);
        const QString message = "mivarelo: Error: Could not open the file: " + path + "\n" +
                                reason + "\n" + "mivarelo: cannot read " + path + "\n";
        const QString error = QString::fromUtf8(shot.readAllStandardError());
        QVERIFY2(error.contains(message), qPrintable(error));
        QVERIFY(!QFile::exists(folder.filePath("shot.png")));
    }

private slots:
    void initTestCase() { QVERIFY(folder.isValid()); }

    void OnlyRegularFilesAreOpened() {
        const QString notRegular = "it is not a regular file (a folder, a device or a pipe)";
        for (const char* name : {"pipe.elg", "pipe.lgo"})
            QCOMPARE(::mkfifo(QFile::encodeName(folder.filePath(name)).constData(), 0600), 0);
        for (const QString& path : {QString("/dev/zero"), folder.filePath("pipe.elg"),
                                    folder.filePath("pipe.lgo"), folder.path()})
            ExpectRefused(path, notRegular);
    }

    // A sparse file is as large as its size says, yet costs no disk: the
    // size alone must refuse it.
    void FilesPastTheirKindsLimitAreRefused() {
        constexpr qint64 Megabyte = 1024 * 1024;
        const QString elg = Sparse("huge.elg", 32 * Megabyte + 1);
        QVERIFY(!elg.isEmpty());
        ExpectRefused(elg, "it is larger than 32 MB, far larger than any program");
        const QString lgo = Sparse("huge.lgo", 2 * Megabyte + 1);
        QVERIFY(!lgo.isEmpty());
        ExpectRefused(lgo, "it is larger than 2 MB, far larger than any Logo program");
    }
};

QTEST_GUILESS_MAIN(ProgramFileLimitsTest)
#include "ProgramFileLimitsTest.moc"
