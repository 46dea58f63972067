// "Set Default Software" against throw-away user folders: every test points
// HOME, XDG_DATA_HOME and XDG_CONFIG_HOME into a temporary folder, so the
// real home is never touched.
#include "shell/FileAssociation.h"
#include "core/GlobalSettings.h"
#include "core/LanguageModule.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace mivarelo;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void WriteAll(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

const QString kSource = QStringLiteral(MIVARELO_SOURCE_DIR);
const QString kDesktopFile = QStringLiteral("io.github.mivarelo.Mivarelo.desktop");

} // namespace

class FileAssociationTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        home_ = std::make_unique<QTemporaryDir>();
        QVERIFY(home_->isValid());
        data_ = home_->filePath("data");
        config_ = home_->filePath("config");
        qputenv("HOME", home_->path().toUtf8());
        qputenv("XDG_DATA_HOME", data_.toUtf8());
        qputenv("XDG_CONFIG_HOME", config_.toUtf8());
        QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation), data_);
        Globals().EnglishInterface = true;
        QVERIFY(LoadLanguageModule());
        program_ = home_->filePath("My Programs/mivarelo");
        WriteAll(program_, "#!/bin/sh\n");
    }

    void cleanup() {
        Globals().EnglishInterface = false;
        home_.reset();
    }

    void desktopEntryIsTheInstalledOneStartingTheProgram() {
        const FileAssociation::Result result = FileAssociation::Register(program_);
        QVERIFY2(result.succeeded, qPrintable(result.message));

        QByteArray expected = ReadAll(kSource + "/packaging/" + kDesktopFile);
        expected.replace("Exec=mivarelo %f\n", "Exec=\"" + program_.toUtf8() + "\" %f\n");
        const QByteArray written = ReadAll(data_ + "/applications/" + kDesktopFile);
        QCOMPARE(written, expected);
        QVERIFY(written.contains("\nExec=\"" + home_->path().toUtf8() +
                                 "/My Programs/mivarelo\" %f\n"));
    }

    void execLineQuotesOnlyWhenNeeded() {
        QCOMPARE(FileAssociation::ExecLine("/usr/local/bin/mivarelo"),
                 QString("/usr/local/bin/mivarelo %f"));
        QCOMPARE(FileAssociation::ExecLine("/opt/Logo 100%/mivarelo"),
                 QString("\"/opt/Logo 100%%/mivarelo\" %f"));
        // '$' and '\' take a backslash inside the quotes, and the value
        // doubles every backslash once more.
        QCOMPARE(FileAssociation::ExecLine("/opt/a$b\\c/mivarelo"),
                 QString("\"/opt/a\\\\$b\\\\\\\\c/mivarelo\" %f"));
    }

    void mimeDefinitionAndIconAreTheInstalledOnes() {
        QVERIFY(FileAssociation::Register(program_).succeeded);
        QCOMPARE(ReadAll(data_ + "/mime/packages/mivarelo.xml"),
                 ReadAll(kSource + "/packaging/mivarelo.xml"));
        const QString icon = "/icons/hicolor/scalable/apps/io.github.mivarelo.Mivarelo.svg";
        QCOMPARE(ReadAll(data_ + icon), ReadAll(kSource + "/packaging" + icon));
        QCOMPARE(FileAssociation::MimeTypes(),
                 QStringList({"application/x-mivarelo-program", "text/x-logo"}));
        if (QStandardPaths::findExecutable("update-mime-database").isEmpty())
            QSKIP("update-mime-database is not installed");
        QVERIFY(QFile::exists(data_ + "/mime/application/x-mivarelo-program.xml"));
        QVERIFY(QFile::exists(data_ + "/mime/text/x-logo.xml"));
    }

    void mimeAppsKeepsForeignEntriesAndGetsOurs() {
        const QString list = config_ + "/mimeapps.list";
        WriteAll(list, "[Added Associations]\n"
                       "image/png=gimp.desktop;\n"
                       "\n"
                       "[Default Applications]\n"
                       "text/html=firefox.desktop\n"
                       "text/x-logo=old-logo.desktop\n"
                       "image/png=eog.desktop\n"
                       "\n"
                       "[Removed Associations]\n"
                       "text/x-logo=other.desktop;\n");
        const FileAssociation::Result result = FileAssociation::Register(program_);
        QVERIFY2(result.succeeded, qPrintable(result.message));
        QCOMPARE(ReadAll(list), QByteArray("[Added Associations]\n"
                                           "image/png=gimp.desktop;\n"
                                           "\n"
                                           "[Default Applications]\n"
                                           "text/html=firefox.desktop\n"
                                           "text/x-logo=io.github.mivarelo.Mivarelo.desktop\n"
                                           "image/png=eog.desktop\n"
                                           "application/x-mivarelo-program="
                                           "io.github.mivarelo.Mivarelo.desktop\n"
                                           "\n"
                                           "[Removed Associations]\n"
                                           "text/x-logo=other.desktop;\n"));
        // A second registration changes nothing more.
        QVERIFY(FileAssociation::Register(program_).succeeded);
        QCOMPARE(ReadAll(list).count("io.github.mivarelo.Mivarelo.desktop"), 2);
    }

    void mimeAppsIsCreatedWhenMissing() {
        const FileAssociation::Result result = FileAssociation::Register(program_);
        QVERIFY(result.succeeded);
        const QString list = config_ + "/mimeapps.list";
        QCOMPARE(ReadAll(list),
                 QByteArray("[Default Applications]\n"
                            "application/x-mivarelo-program=io.github.mivarelo.Mivarelo.desktop\n"
                            "text/x-logo=io.github.mivarelo.Mivarelo.desktop\n"));
        const QString desktop = data_ + "/applications/" + kDesktopFile;
        QCOMPARE(result.message,
                 "Mivarelo (" + program_ + ") now opens .elg and .lgo files.\nWritten: " + desktop +
                     ", " + data_ + "/mime/packages/mivarelo.xml, " + data_ +
                     "/icons/hicolor/scalable/apps/io.github.mivarelo.Mivarelo.svg, " + list + ".");
    }

    void unwritableFolderFailsNamingIt() {
        // A file where the data folder should be: no folder can be made
        // below it, not even by root.
        WriteAll(home_->filePath("blocker"), "");
        const QString data = home_->filePath("blocker/share");
        qputenv("XDG_DATA_HOME", data.toUtf8());
        const FileAssociation::Result result = FileAssociation::Register(program_);
        QVERIFY(!result.succeeded);
        QCOMPARE(result.message, "Could not create the folder " + data +
                                     "/applications; nothing was made the default.");
        QVERIFY(!QFile::exists(config_ + "/mimeapps.list"));
    }

    void messagesFollowTheInterfaceLanguage() {
        Globals().EnglishInterface = false;
        QVERIFY(LoadLanguageModule());
        const QString missing = home_->filePath("nowhere/mivarelo");
        const FileAssociation::Result result = FileAssociation::Register(missing);
        QVERIFY(!result.succeeded);
        QCOMPARE(result.message, missing + " programı yok; hiçbir şey varsayılan yapılmadı.");
        QVERIFY(!QDir(data_).exists());
    }

    void emptyProgramPathWritesNothing() {
        const FileAssociation::Result result = FileAssociation::Register(QString());
        QVERIFY(!result.succeeded);
        QCOMPARE(result.message, QString("No program was given; nothing was made the default."));
        QVERIFY(!QDir(data_).exists());
        QVERIFY(!QDir(config_).exists());
    }

private:
    std::unique_ptr<QTemporaryDir> home_;
    QString data_;
    QString config_;
    QString program_;
};

QTEST_MAIN(FileAssociationTest)
#include "FileAssociationTest.moc"
