// No learner's work is lost through the real main window: Reset asks first,
// graphical mode starts afresh after a reset, a saved file's kind follows
// its name, a file handed over during a run waits for its end, and recovery
// copies bring back a program whose process died. Dialogs answer from a
// script; settings and files live in a temporary folder.
#include "core/GlobalSettings.h"
#include "core/LanguageIds.h"
#include "core/ProgramFiles.h"
#include "core/ProcedureStore.h"
#include "modes/GraphicalCommands.h"
#include "modes/ButtonCommandWindow.h"
#include "shell/MainActions.h"
#include "widgets/QtText.h"
#include "shell/RecoveryStore.h"
#include "shell/MainWindow.h"
#include "shell/ProgramDocument.h"
#include "widgets/CodeEditor.h"
#include "shell/support/ScriptedDialogs.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace mivarelo;

class WorkIsKeptTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir folder;
    std::unique_ptr<support::ScriptedDialogs> dialogs;
    std::unique_ptr<MainWindow> window;

    ProcedureStore& Store() { return window->Engine().Procedures(); }
    QPlainTextEdit* Editor() { return window->findChild<CodeEditor*>(QStringLiteral("Editor")); }
    ButtonCommandWindow* Panel() { return qobject_cast<ButtonCommandWindow*>(window->CurrentCommandWindow()); }
    QString Recovery() const { return folder.filePath("recovery"); }

    void WaitIdle() {
        QSignalSpy ended(window.get(), &MainWindow::RunEnded);
        if (window->Running() || Globals().RunActive) QVERIFY(ended.wait(10000));
    }

    static QByteArray Contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The process id of a process that has ended.
    static qint64 GonePid() {
        QProcess gone;
        gone.start("true");
        gone.waitForFinished();
        return gone.processId() > 0 ? gone.processId() : 999999;
    }

private slots:
    void initTestCase() {
        QVERIFY(folder.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.filePath("cfg"));
    }

    void init() {
        QSettings().clear();
        ResetGlobals();
        dialogs = std::make_unique<support::ScriptedDialogs>();
        window = std::make_unique<MainWindow>();
        window->show();
    }

    void cleanup() {
        window.reset();
        dialogs.reset();
        QDir(Recovery()).removeRecursively();
    }

    // F10 on a changed program asks; Cancel keeps it, No clears it.
    void ResetAsksBeforeAChangedProgramGoes() {
        Editor()->setPlainText("fd 10");
        window->SetProgramChanged(true);
        dialogs->confirmations << -1;
        window->Actions().ResetAction->trigger();
        QCOMPARE(dialogs->questions.size(), 1);
        QCOMPARE(Store().GetBody(0), std::string("fd 10\n"));
        dialogs->confirmations << 0;
        window->Actions().ResetAction->trigger();
        QCOMPARE(Store().GetBody(0), std::string());
        QVERIFY(!window->Document().Changed());
        window->Actions().ResetAction->trigger();
        QCOMPARE(dialogs->questions.size(), 2);
    }

    // After a reset the history starts with the start-up line again, so a
    // macro recorded then can be finished; the eraser's caption follows the
    // paint mode after a reset and after an undo.
    void GraphicalResetStartsAfreshAndTheEraserTellsTheTruth() {
        window->Actions().GraphicalModeAction->trigger();
        WaitIdle();
        QTest::mouseClick(Panel()->Button(21), Qt::LeftButton);
        WaitIdle();
        QCOMPARE(Panel()->Button(21)->text(), LanguageText(7561));
        QTest::mouseClick(Panel()->UndoButton, Qt::LeftButton);
        WaitIdle();
        QCOMPARE(Panel()->Button(21)->text(), LanguageText(7560));
        QTest::mouseClick(Panel()->Button(21), Qt::LeftButton);
        WaitIdle();
        dialogs->confirmations << 0;
        window->Actions().ResetAction->trigger();
        WaitIdle();
        QCOMPARE(Panel()->Button(21)->text(), LanguageText(7560));
        QCOMPARE(Panel()->HistoryCount(), 1);
        QCOMPARE(Panel()->HistoryLine(0), GraphicalCommands::StartupLine());
        QVERIFY(!window->Document().Changed());
        QTest::mouseClick(Panel()->Button(35), Qt::LeftButton);
        QTest::mouseClick(Panel()->Button(2), Qt::LeftButton);
        WaitIdle();
        dialogs->texts << "adim";
        QTest::mouseClick(Panel()->Button(36), Qt::LeftButton);
        QCOMPARE(Store().ProcedureCount(), 2);
        QCOMPARE(Store().GetHeader(1), std::string("adim"));
    }

    // The name's own extension decides the kind; the filter only adds one
    // to a name without.
    void SavedKindFollowsTheName() {
        Editor()->setPlainText("fd 10");
        dialogs->files << folder.filePath("kare.lgo") << folder.filePath("daire");
        dialogs->fileFilters << 1 << 2;
        QVERIFY(window->Document().SaveAs());
        QVERIFY(Contents(folder.filePath("kare.lgo")).contains("forward 10"));
        QCOMPARE(window->windowTitle(), QString("kare.lgo - Mivarelo"));
        QVERIFY(window->Document().SaveAs());
        QVERIFY(QFile::exists(folder.filePath("daire.lgo")));
    }

    // A file cut short opens with what could be read, names what it lost
    // and counts as changed; the screenshot road refuses it, as it does a
    // missing file, at once with status 2.
    void DamagedFileIsShownAsDamaged() {
        ProcedureStore program;
        program.AddProcedure("AnaEkran", "kare\nucgen\n");
        program.AddProcedure("kare", "repeat 4 [fd 100 rt 90]\n");
        program.AddProcedure("ucgen", "repeat 3 [fd 100 rt 120]\n");
        const QString whole = folder.filePath("whole.elg");
        QVERIFY(SaveProgram(program, whole.toStdString()));
        const QByteArray bytes = Contents(whole);
        const qsizetype cut = bytes.indexOf("repeat 4") + 8;
        const QString damaged = folder.filePath("damaged.elg");
        QFile file(damaged);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes.left(cut));
        file.close();
        dialogs->files << damaged;
        window->Actions().RunWhenOpenedAction->setChecked(false);
        window->Actions().OpenAction->trigger();
        QCOMPARE(dialogs->messages.size(), 1);
        QCOMPARE(dialogs->messages.first(), LanguageText(7737) + ": " +
                                                QDir::toNativeSeparators(damaged) + ": " +
                                                LanguageText(7989) + " kare, ucgen");
        QCOMPARE(Store().GetBody(0), std::string("kare\nucgen\n"));
        QVERIFY(window->Document().Changed());
        QVERIFY(window->Document().LastOpenDamaged());

        for (const QString& path : {damaged, folder.filePath("missing.elg")}) {
            QProcess shot;
            shot.setProcessEnvironment([&] {
                QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
                environment.insert("QT_QPA_PLATFORM", "offscreen");
                environment.insert("HOME", folder.path());
                return environment;
            }());
            shot.start(MIVARELO_APP_PATH, {"--screenshot", folder.filePath("shot.png"), path});
            QVERIFY(shot.waitForFinished(10000));
            QCOMPARE(shot.exitCode(), 2);
            QVERIFY(shot.readAllStandardError().contains(QFile::encodeName(path)));
        }
    }

    // Plain Logo keeps what it cannot translate as written and says how
    // many such lines it wrote.
    void PlainLogoExportSaysWhatItKeptAsWritten() {
        Editor()->setPlainText("; bir kare\nfd 10\nzebra 5");
        dialogs->files << folder.filePath("kept.lgo");
        QVERIFY(window->Document().SaveAs());
        const QByteArray text = Contents(folder.filePath("kept.lgo"));
        QVERIFY(text.contains("; bir kare"));
        QVERIFY(text.contains("zebra 5"));
        QCOMPARE(dialogs->messages,
                 QStringList{LanguageText(7806) + ": " + LanguageText(7990) + " 1"});
    }

    // A long procedure goes into the editor in slices while the window goes
    // on answering; meanwhile nothing is stored back from the half-filled
    // editor, and at the end the editor holds it all, unchanged and with
    // nothing to undo.
    void LongProcedureFillsInSlicesAndLosesNothing() {
        std::string body;
        for (int k = 0; k < 60000; ++k)
            body += "fd " + std::to_string(k) + "\n";
        ProcedureStore program;
        program.AddProcedure("AnaEkran", body);
        const QString path = folder.filePath("long.elg");
        QVERIFY(SaveProgram(program, path.toStdString()));
        window->Actions().RunWhenOpenedAction->setChecked(false);
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
        ticker.start(10);
        QVERIFY(window->Document().OpenFile(path, ProgramDocument::ProgramKind));
        QVERIFY(Editor()->isReadOnly());
        QVERIFY(Editor()->toPlainText().size() < static_cast<qsizetype>(body.size()) / 2);
        window->ShowProcedure(0);
        QCOMPARE(Store().GetBody(0), body);
        QTRY_VERIFY(!Editor()->isReadOnly());
        QVERIFY(ticks > 2);
        QCOMPARE(Editor()->toPlainText() + "\n", QString::fromStdString(body));
        QVERIFY(!window->Document().Changed());
        QVERIFY(!Editor()->document()->isUndoAvailable());
        window->ShowProcedure(0);
        QTRY_VERIFY(!Editor()->isReadOnly());
        QCOMPARE(Store().GetBody(0), body);
    }

    // A line of tens of thousands of characters is shown cut short with a
    // note and cannot be edited; the program keeps the whole line through a
    // change of procedure and a save, byte for byte.
    void LongLineIsShownShortAndKeptWhole() {
        const std::string line = "; " + std::string(50000, 'x');
        const std::string body = "fd 10\n" + line + "\nrt 90\n";
        ProcedureStore program;
        program.AddProcedure("AnaEkran", body);
        program.AddProcedure("kare", "fd 5\n");
        const QString path = folder.filePath("line.elg");
        QVERIFY(SaveProgram(program, path.toStdString()));
        const QByteArray written = Contents(path);
        window->Actions().RunWhenOpenedAction->setChecked(false);
        QVERIFY(window->Document().OpenFile(path, ProgramDocument::ProgramKind));
        const QStringList shown = Editor()->toPlainText().split(u'\n');
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown[0], QString("fd 10"));
        QCOMPARE(shown[1], "; " + QString(1998, u'x') + LanguageText(LongLineShortenedId).arg(48002));
        QCOMPARE(shown[2], QString("rt 90"));
        QVERIFY(Editor()->isReadOnly());
        window->ShowProcedure(1);
        QVERIFY(!Editor()->isReadOnly());
        window->ShowProcedure(0);
        QVERIFY(Editor()->isReadOnly());
        QCOMPARE(Store().GetBody(0), body);
        dialogs->files << folder.filePath("again.elg");
        dialogs->fileFilters << 1;
        QVERIFY(window->Document().SaveAs());
        QCOMPARE(Contents(folder.filePath("again.elg")), written);
    }

    // A file handed over during a run is named in the status bar at once
    // and opened when the run ends.
    void FileHandedOverDuringARunOpensAfterIt() {
        ProcedureStore other;
        other.AddProcedure("AnaEkran", "rt 45\n");
        const QString path = folder.filePath("other.elg");
        QVERIFY(SaveProgram(other, path.toStdString()));
        Editor()->setPlainText("repeat 100000000 [fd 1 rt 1]");
        window->Actions().RunProcedureAction->trigger();
        QTest::qWait(50);
        QVERIFY(window->Running());
        window->ReceiveFile(path);
        QCOMPARE(window->statusBar()->currentMessage(),
                 LanguageText(7924).arg(QDir::toNativeSeparators(path)));
        QCOMPARE(Store().GetBody(0), std::string("repeat 100000000 [fd 1 rt 1]\n"));
        dialogs->confirmations << 0;
        window->Actions().StopAction->trigger();
        QTRY_COMPARE(window->Document().Path(), path);
        QCOMPARE(Store().GetBody(0), std::string("rt 45\n"));
    }

    // Unsaved work is copied into the recovery folder; a copy left by a
    // process that died is offered at the next start. Later keeps it,
    // Restore brings it back as a changed program under its file name, and
    // saving drops the copy.
    void RecoveryCopyBringsBackTheWorkOfADeadProcess() {
        window->Document().StartRecovery(std::make_unique<RecoveryStore>(Recovery()));
        Editor()->setPlainText("fd 10 ; zebra");
        window->SetProgramChanged(false);
        window->Document().WriteRecoveryCopy();
        QVERIFY(!QFile::exists(Recovery()));
        window->SetProgramChanged(true);
        window->Document().WriteRecoveryCopy();
        const qint64 own = QCoreApplication::applicationPid();
        const QString program = QStringLiteral("%1/program-%2.elg").arg(Recovery()).arg(own);
        QVERIFY(Contents(program).contains("fd 10 ; zebra"));

        // The copy as a process that died would have left it.
        const qint64 gone = GonePid();
        const QString record = QStringLiteral("%1/program-%2.json").arg(Recovery()).arg(own);
        QJsonObject fields = QJsonDocument::fromJson(Contents(record)).object();
        fields["pid"] = gone;
        fields["path"] = folder.filePath("zebra.elg");
        QFile::remove(record);
        QFile written(QStringLiteral("%1/program-%2.json").arg(Recovery()).arg(gone));
        QVERIFY(written.open(QIODevice::WriteOnly));
        written.write(QJsonDocument(fields).toJson());
        written.close();
        QVERIFY(
            QFile::rename(program, QStringLiteral("%1/program-%2.elg").arg(Recovery()).arg(gone)));

        window->SetProgramChanged(false);
        window.reset();
        window = std::make_unique<MainWindow>();
        dialogs->confirmations << -1;
        window->Document().StartRecovery(std::make_unique<RecoveryStore>(Recovery()));
        QCOMPARE(Store().GetBody(0), std::string());
        QCOMPARE(RecoveryStore(Recovery()).Pending().size(), 1);

        window.reset();
        window = std::make_unique<MainWindow>();
        dialogs->confirmations << 1;
        window->Document().StartRecovery(std::make_unique<RecoveryStore>(Recovery()));
        QCOMPARE(Store().GetBody(0), std::string("fd 10 ; zebra\n"));
        QCOMPARE(Editor()->toPlainText(), QString("fd 10 ; zebra"));
        QVERIFY(window->Document().Changed());
        QCOMPARE(window->Document().Path(), folder.filePath("zebra.elg"));
        QCOMPARE(window->windowTitle(), QString("zebra.elg - Mivarelo"));
        QVERIFY(dialogs->questions.last().contains(folder.filePath("zebra.elg")));
        QVERIFY(RecoveryStore(Recovery()).Pending().isEmpty());
        QVERIFY(QFile::exists(program));

        dialogs->files << folder.filePath("zebra.elg");
        QVERIFY(window->Document().SaveAs());
        QVERIFY(!QFile::exists(program));
        QCOMPARE(QDir(Recovery()).entryList(QDir::Files), QStringList());
    }
};

QTEST_MAIN(WorkIsKeptTest)
#include "WorkIsKeptTest.moc"
