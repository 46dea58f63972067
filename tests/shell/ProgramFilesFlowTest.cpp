// Opening, saving, dropping and remembering program files through the real
// main window, the command line and the single-instance hand-over. Dialogs
// answer from a script; settings and files live in a temporary folder.
#include "core/GlobalSettings.h"
#include "core/ProgramFiles.h"
#include "core/ProcedureStore.h"
#include "shell/ExamplesMenu.h"
#include "shell/MainActions.h"
#include "shell/SingleInstance.h"
#include "shell/MainWindow.h"
#include "shell/DocumentExports.h"
#include "shell/ProgramDocument.h"
#include "widgets/CodeEditor.h"
#include "shell/support/ScriptedDialogs.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QLockFile>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

using namespace mivarelo;

class ProgramFilesFlowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir folder;
    std::unique_ptr<support::ScriptedDialogs> dialogs;
    std::unique_ptr<MainWindow> window;

    ProcedureStore& Store() { return window->Engine().Procedures(); }
    QString Path(const QString& name) const { return folder.filePath(name); }

    // A native program file whose main procedure holds `body`.
    QString WriteProgram(const QString& name, const std::string& body) {
        ProcedureStore program;
        program.AddProcedure("AnaEkran", body);
        const QString path = Path(name);
        if (!SaveProgram(program, path.toStdString())) qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    static QByteArray Contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.filePath("cfg"));
        QCoreApplication::setOrganizationName("Mivarelo");
        QCoreApplication::setApplicationName("Mivarelo");
    }

    void init() {
        QSettings().clear();
        ResetGlobals();
        dialogs = std::make_unique<support::ScriptedDialogs>();
        window = std::make_unique<MainWindow>();
        window->Actions().RunWhenOpenedAction->setChecked(false);
    }

    void cleanup() {
        window.reset();
        dialogs.reset();
    }

    void KindIsJudgedFromThePathButTheFileOpensAsNamed() {
        QVERIFY(QDir(folder.path()).mkpath("lessons.lgo"));
        const QString logo = Path("lessons.lgo/Square.TXT");
        QFile file(logo);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("to square\r\nrepeat 4 [fd 50 rt 90]\r\nend\r\n");
        file.close();
        QVERIFY(window->Document().OpenPath(logo));
        QCOMPARE(Store().GetHeader(1), std::string("square"));
        QCOMPARE(window->Document().Recent().Entries().first(), logo);
        const QString capitals = WriteProgram("Kare.ELG", "fd 10\n");
        QFile::copy(capitals, Path("Star.LGO"));
        QVERIFY(window->Document().OpenPath(capitals));
        QCOMPARE(Store().GetBody(0), std::string("fd 10\n"));
        QCOMPARE(window->findChild<CodeEditor*>(QStringLiteral("Editor"))->toPlainText(), QString("fd 10"));
        QVERIFY(!window->Document().Changed());
    }

    void AClassicFileListsWhatWasLeftOutAndTurnsThePreciseTurtleOn() {
        QVERIFY(!window->Actions().PreciseTurtleAction->isChecked());
        const QString path = Path("walk.lgo");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("to walk :a :b\nfd :a rt 90 fd :b\nend\nprint first 1\nwalk 30 40\n");
        file.close();
        QVERIFY(window->Document().OpenPath(path));
        QCOMPARE(Store().GetBody(0), std::string("reset\nleft 90\nwalk 30, 40\n"));
        QListWidget* errors = window->findChild<QListWidget*>(QStringLiteral("ErrorList"));
        QCOMPARE(errors->count(), 2);
        QCOMPARE(errors->item(0)->text(),
                 QString::fromUtf8("Klasik Logo programı dönüştürüldü; hassas kaplumbağa açıldı."));
        QCOMPARE(errors->item(1)->text(),
                 QString::fromUtf8("Dönüştürülmedi, satır 4: 'print first 1' (bu dilde karşılığı yok)"));
        QVERIFY(window->Actions().PreciseTurtleAction->isChecked());
        QCOMPARE(QSettings().value("PreciseTurtle").toBool(), true);
        // The setting outlives the window; turned off, it stays off.
        window.reset();
        ResetGlobals();
        window = std::make_unique<MainWindow>();
        QVERIFY(window->Actions().PreciseTurtleAction->isChecked());
        QVERIFY(Globals().PreciseTurtle);
        window->Actions().PreciseTurtleAction->setChecked(false);
        QVERIFY(!Globals().PreciseTurtle);
        QCOMPARE(QSettings().value("PreciseTurtle").toBool(), false);
    }

    void RecentFilesKeepFiveWithoutDoublesAndSurviveARestart() {
        QStringList paths;
        for (int i = 1; i <= 6; ++i)
            paths << WriteProgram(QString("p%1.elg").arg(i), "fd 1\n");
        for (const QString& path : paths)
            QVERIFY(window->Document().OpenPath(path));
        QVERIFY(window->Document().OpenPath(paths[3]));
        const QStringList expected = {paths[3], paths[5], paths[4], paths[2], paths[1]};
        QCOMPARE(window->Document().Recent().Entries(), expected);
        window.reset();
        window = std::make_unique<MainWindow>();
        QCOMPARE(window->Document().Recent().Entries(), expected);
        emit window->Actions().FileMenu->aboutToShow();
        QCOMPARE(window->Actions().MRU[1]->text(), "&2 " + paths[5]);
        QVERIFY(window->Actions().MRU[4]->isVisible());
    }

    // The examples folder of the source tree is found from the test's own
    // folder, as an installed program finds its shared one. Each language's
    // menu opens the program written in that language.
    void ExamplesMenuNamesTheProgramsInTheInterfaceLanguageAndOpensThem() {
        QMenu* menu = window->Actions().ExamplesSubmenu;
        emit menu->aboutToShow();
        const QList<QAction*> turkish = menu->actions();
        QCOMPARE(turkish.size(), 12);
        QCOMPARE(turkish.first()->text(), QString("İlk kare"));
        QCOMPARE(turkish[5]->text(), QString("Saat"));
        turkish[5]->trigger();
        QVERIFY(window->Document().Recent().Entries().first().endsWith("/examples/tr/clock.elg"));
        QCOMPARE(Store().GetHeader(0), std::string("AnaEkran"));
        QVERIFY(Store().GetBody(0).starts_with("; \xD6\xF0retti\xF0i: yaz ile"));
        Globals().EnglishInterface = true;
        emit menu->aboutToShow();
        QCOMPARE(menu->actions().size(), turkish.size());
        QCOMPARE(menu->actions()[5]->text(), QString("Clock"));
        menu->actions()[5]->trigger();
        QVERIFY(window->Document().Recent().Entries().first().endsWith("/examples/en/clock.elg"));
        QCOMPARE(Store().GetHeader(0), std::string("MainScreen"));
        QVERIFY(Store().GetBody(0).starts_with("; Teaches: writing text with label"));
        // A changed program is not lost: cancelling the question keeps it.
        window->SetProgramChanged(true);
        dialogs->confirmations.enqueue(2);
        menu->actions()[0]->trigger();
        QVERIFY(Store().GetBody(0).starts_with("; Teaches: writing text with label"));
        QVERIFY(dialogs->confirmations.isEmpty());
    }

    // Each language's entries come from its own folder: a listed file missing
    // there gets none, an unlisted one is added under its file name.
    // The class folder's programs run in the background; their page opens
    // in the browser once made, in the class folder's own gallery folder.
    void OpenClassFolderShowsTheGalleryOfItsPrograms() {
        QVERIFY(QDir(folder.path()).mkpath("class"));
        WriteProgram("class/square.elg", "tekrar 4 [ileri 50; sa\xF0 90]\n");
        WriteProgram("class/typo.elg", "ileri 50\nilerii 20\n");
        QAction* action = window->Actions().OpenClassFolderAction;
        dialogs->folders.enqueue(Path("class"));
        action->trigger();
        QVERIFY(!action->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(dialogs->openedPages.size(), 1, 60000);
        QCOMPARE(dialogs->openedPages.first(), Path("class/gallery/index.html"));
        QVERIFY(action->isEnabled());
        QFile page(dialogs->openedPages.first());
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(page.readAll());
        QCOMPARE(html.count("<article"), 2);
        QVERIFY(html.contains("<h2>typo.elg</h2>"));
        QVERIFY(html.contains("hatalar: 1"));
        QVERIFY(QFile::exists(Path("class/gallery/square-thumb.png")));
        // Cancelled: nothing runs.
        action->trigger();
        QCOMPARE(dialogs->openedPages.size(), 1);
        QVERIFY(action->isEnabled());
    }

    void ExamplesOfEachLanguageComeFromItsFolder() {
        const QString examples = Path("examples");
        QVERIFY(QDir(examples).mkpath("tr") && QDir(examples).mkpath("en"));
        QFile index(examples + "/examples.txt");
        QVERIFY(index.open(QIODevice::WriteOnly));
        index.write("# names\na.elg\tA tr\tA en\nb.elg\tB tr\tB en\n");
        index.close();
        for (const char* file : {"tr/a.elg", "tr/c.elg", "en/b.elg"})
            WriteProgram(QString("examples/") + file, "fd 1\n");
        const auto shown = [&](bool english) {
            QStringList entries;
            for (const ExamplesMenu::Entry& entry : ExamplesMenu::Entries(examples, english))
                entries << entry.name + '=' + QDir(examples).relativeFilePath(entry.path);
            return entries;
        };
        QCOMPARE(shown(false), QStringList({"A tr=tr/a.elg", "c=tr/c.elg"}));
        QCOMPARE(shown(true), QStringList({"B en=en/b.elg"}));
    }

    void DroppingThreeFilesOpensOnlyTheFirst() {
        const QString first = WriteProgram("first.elg", "rt 45\n");
        const QString second = WriteProgram("second.elg", "lt 45\n");
        QMimeData data;
        data.setUrls(
            {QUrl::fromLocalFile(first), QUrl::fromLocalFile(second), QUrl::fromLocalFile(second)});
        window->show();
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &drop);
        QCOMPARE(Store().GetBody(0), std::string("rt 45\n"));
        QCOMPARE(window->Document().Recent().Entries().first(), first);
        QCOMPARE(window->Document().Recent().Entries()[1], QString());
    }

    void UnreadableFilesAndCancelledQuestionsChangeNothing() {
        QVERIFY(window->Document().OpenPath(WriteProgram("kept.elg", "fd 7\n")));
        window->findChild<CodeEditor*>(QStringLiteral("Editor"))->setFocus();
        window->findChild<CodeEditor*>(QStringLiteral("Editor"))->moveCursor(QTextCursor::End);
        QTest::keyClicks(window->findChild<CodeEditor*>(QStringLiteral("Editor")), "0");
        QVERIFY(window->Document().Changed());
        const QStringList recent = window->Document().Recent().Entries();
        dialogs->confirmations << -1;
        QVERIFY(!window->Document().OpenPath(WriteProgram("other.elg", "bk 1\n")));
        QCOMPARE(window->findChild<CodeEditor*>(QStringLiteral("Editor"))->toPlainText(), QString("fd 70"));
        dialogs->confirmations << 0;
        QVERIFY(!window->Document().OpenPath(Path("Missing.elg")));
        QCOMPARE(
            dialogs->messages.last(),
            QString::fromUtf8("Hata: Dosya açılamadı: %1\ndosya yok").arg(Path("Missing.elg")));
        // A picture saved under a Logo name is far too large to import.
        QFile huge(Path("huge.lgo"));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        huge.write(QByteArray(static_cast<qsizetype>(LogoTextSizeLimit) + 1, '-'));
        huge.close();
        dialogs->confirmations << 0;
        QVERIFY(!window->Document().OpenPath(Path("huge.lgo")));
        QCOMPARE(dialogs->messages.last(),
                 QString::fromUtf8("Hata: Dosya açılamadı: %1\n2 MB'tan büyük, hiçbir Logo "
                                   "programı bu kadar büyük olmaz")
                     .arg(Path("huge.lgo")));
        QCOMPARE(Store().GetBody(0), std::string("fd 70\n"));
        QCOMPARE(window->Document().Recent().Entries(), recent);
        QVERIFY(window->Document().Changed());
    }

    void SavingAsPlainLogoWritesEnglishLongCommands() {
        window->findChild<CodeEditor*>(QStringLiteral("Editor"))->setPlainText("ileri 10\nsağ 90");
        dialogs->files << Path("shape");
        dialogs->fileFilters << ProgramDocument::LogoKind;
        QVERIFY(window->Document().SaveAs());
        const QByteArray written = Contents(Path("shape.lgo"));
        QVERIFY(written.contains("to AnaEkran\r\nforward 10\r\nright 90\r\nend\r\n"));
        QCOMPARE(window->findChild<CodeEditor*>(QStringLiteral("Editor"))->toPlainText(), QString("forward 10\nright 90"));
        QCOMPARE(window->Document().Recent().Entries().first(), Path("shape.lgo"));
        QVERIFY(!window->Document().Changed());
        QVERIFY(!window->Document().SaveAs());
        QCOMPARE(dialogs->fileFolders.last(), folder.path());
    }

    void ThePictureIsSavedAsBmpAndPngWithoutSavingTheProgram() {
        window->Engine().Dispatcher().RunCommandLine("setpc [200 30 10]; spw 5; fd 100");
        window->SetProgramChanged(true);
        dialogs->files << Path("picture.bmp") << Path("picture.png");
        dialogs->fileFilters << ProgramDocument::BitmapKind << ProgramDocument::PngKind;
        QVERIFY(!window->Document().SaveAs());
        QVERIFY(!window->Document().SaveAs());
        const QByteArray bmp = Contents(Path("picture.bmp"));
        QCOMPARE(bmp.left(2), QByteArray("BM"));
        QCOMPARE(static_cast<int>(bmp[28]), 24);
        const QImage& picture = window->Engine().Screen().Surface().Image();
        for (const char* name : {"picture.bmp", "picture.png"}) {
            const QImage read = QImage(Path(name)).convertToFormat(QImage::Format_RGB32);
            QCOMPARE(read.size(), QSize(2000, 2000));
            QCOMPARE(read.pixel(550, 500), qRgb(200, 30, 10));
            QCOMPARE(read, picture.convertToFormat(QImage::Format_RGB32));
        }
        QVERIFY(window->Document().Changed());
        QCOMPARE(window->Document().Recent().Entries().first(), QString());
    }

    void AFailedSaveKeepsTheProgramAndRefusesToDiscard() {
        window->findChild<CodeEditor*>(QStringLiteral("Editor"))->setFocus();
        QTest::keyClicks(window->findChild<CodeEditor*>(QStringLiteral("Editor")), "fd 5");
        // A folder that is a plain file cannot take a file, whoever asks.
        QFile blocker(Path("blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        dialogs->confirmations << 1;
        dialogs->files << Path("blocker/p.elg");
        const bool discarded = window->ConfirmDiscard();
        QVERIFY(!discarded);
        QCOMPARE(
            dialogs->messages.last(),
            QString::fromUtf8("Hata: Dosya kaydedilemedi: %1\nyazılamıyor (izin yok ya da disk "
                              "dolu)")
                .arg(Path("blocker/p.elg")));
        QVERIFY(window->Document().Changed());
        QCOMPARE(window->Document().Recent().Entries().first(), QString());
        window->findChild<CodeEditor*>(QStringLiteral("Editor"))->setPlainText("yaz [é]");
        dialogs->files << Path("accent.elg");
        QVERIFY(!window->Document().SaveAs());
        QVERIFY(!QFileInfo::exists(Path("accent.elg")));
        QVERIFY(dialogs->messages.last().endsWith(
            QString::fromUtf8("program dosyalarının saklayamadığı é harfi var")));
    }

    void PrintingAsksThenPrintsOrSaysWhyNot() {
        QPrinter& printer = window->Exports().Printer().Printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(Path("page.pdf"));
        dialogs->acceptPrint = false;
        window->Actions().PrintPictureAction->trigger();
        QVERIFY(dialogs->messages.last().startsWith("Mivarelo: "));
        QVERIFY(dialogs->messages.last().contains("(mm)"));
        QVERIFY(!QFileInfo::exists(Path("page.pdf")));
        dialogs->acceptPrint = true;
        window->Actions().PrintPictureAction->trigger();
        QVERIFY(Contents(Path("page.pdf")).startsWith("%PDF"));
        printer.setOutputFileName(Path("blocker-file/page.pdf"));
        QFile blocker(Path("blocker-file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        window->Actions().PrintPictureAction->trigger();
        QVERIFY(dialogs->messages.last().startsWith(QString::fromUtf8("Hata: Yazdırılamadı\n")));
        QVERIFY(dialogs->messages.last().contains(Path("blocker-file/page.pdf")));
    }

    void CommandLineJoinsItsArgumentsWithBlanks() {
        QVERIFY(QDir(folder.path()).mkpath("my lessons"));
        const QString spaced = WriteProgram("my lessons/big square.elg", "fd 200\n");
        window->Document().OpenCommandLineFile(QStringList{Path("my"), "lessons/big", "square.elg"});
        QCOMPARE(Store().GetBody(0), std::string("fd 200\n"));
        QCOMPARE(window->Document().Recent().Entries().first(), spaced);
        const QString single = WriteProgram("single.elg", "rt 1\n");
        window->Document().OpenCommandLineFile(QStringList{single, "extra"});
        QCOMPARE(Store().GetBody(0), std::string("rt 1\n"));
        window->Document().OpenCommandLineFile(QStringList{Path("nothing.elg")});
        QCOMPARE(Store().GetBody(0), std::string("rt 1\n"));
    }

    void OneCopyRunsAndLaterStartsHandTheirFileOver() {
        QTemporaryDir runtime;
        SingleInstance first(runtime.path());
        SingleInstance second(runtime.path());
        QVERIFY(first.TryLock());
        QVERIFY(!second.TryLock());
        QSignalSpy received(&first, &SingleInstance::FileReceived);
        QVERIFY(second.HandOver("/tmp/ders programı.elg"));
        QVERIFY(received.count() == 1 || received.wait(3000));
        QCOMPARE(received.first().first().toString(), QString::fromUtf8("/tmp/ders programı.elg"));
    }

    // A copy of the program killed while it ran leaves its lock behind.
    void AStaleLockDoesNotBlockTheNextStart() {
        QTemporaryDir runtime;
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_RUNTIME_DIR", runtime.path());
        environment.insert("HOME", runtime.path());
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        program.setProcessEnvironment(environment);
        program.start(MIVARELO_APP_PATH, QStringList());
        QVERIFY(program.waitForStarted());
        // The lock counts once its owner is written into it.
        QLockFile written(runtime.filePath("mivarelo.lock"));
        qint64 owner = 0;
        QString host;
        QString name;
        QTRY_VERIFY_WITH_TIMEOUT(written.getLockInfo(&owner, &host, &name) && owner > 0, 10000);
        SingleInstance second(runtime.path());
        QVERIFY(!second.TryLock());
        program.kill();
        QVERIFY(program.waitForFinished());
        QVERIFY(QFileInfo::exists(runtime.filePath("mivarelo.lock")));
        SingleInstance next(runtime.path());
        QVERIFY(next.TryLock());
    }
};

QTEST_MAIN(ProgramFilesFlowTest)
#include "ProgramFilesFlowTest.moc"
