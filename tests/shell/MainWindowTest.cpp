// Whole flows through the real main window and command window: typing a
// program, running it, the error list and its navigation, procedure editing,
// dialect and language switches. Dialogs answer from a script.
#include "core/GlobalSettings.h"
#include "core/ProcedureStore.h"
#include "engine/Picture.h"
#include "modes/TextCommandWindow.h"
#include "shell/InterfaceLanguage.h"
#include "shell/MainActions.h"
#include "widgets/QtText.h"
#include "shell/MainWindow.h"
#include "shell/ErrorNavigator.h"
#include "shell/ProcedureEditor.h"
#include "shell/ProgramDocument.h"
#include "widgets/CodeEditor.h"
#include "shell/support/ScriptedDialogs.h"
#include "support/Recorders.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace mivarelo;

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir settings;
    std::unique_ptr<support::ScriptedDialogs> dialogs;
    std::unique_ptr<MainWindow> window;

    QPlainTextEdit* Editor() { return window->findChild<CodeEditor*>(QStringLiteral("Editor")); }
    QListWidget* Errors() { return window->findChild<QListWidget*>(QStringLiteral("ErrorList")); }
    ProcedureStore& Store() { return window->Engine().Procedures(); }

    void Type(const QString& program) {
        Editor()->setFocus();
        const QStringList lines = program.split(u'\n');
        for (qsizetype k = 0; k < lines.size(); ++k) {
            if (k > 0) QTest::keyClick(Editor(), Qt::Key_Return);
            QTest::keyClicks(Editor(), lines[k]);
        }
    }

    // Runs the program as F2 does and waits for its end and the focus timer.
    void RunAndWait() {
        QSignalSpy ended(window.get(), &MainWindow::RunEnded);
        window->Actions().RunProcedureAction->trigger();
        if (window->Running()) QVERIFY(ended.wait(10000));
        QTest::qWait(150);
    }

private slots:
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
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
    }

    void StartsInCommandModeWithTheMainProcedure() {
        QVERIFY(qobject_cast<TextCommandWindow*>(window->CurrentCommandWindow()));
        QCOMPARE(Store().ProcedureCount(), 1);
        QCOMPARE(Store().GetHeader(0), std::string("AnaEkran"));
        QCOMPARE(window->findChild<QComboBox*>(QStringLiteral("ProcedureList"))->currentText(), QString("AnaEkran"));
        QCOMPARE(window->Actions().RunProcedureAction->text(), QString::fromUtf8("Prosedürü Çalıştır"));
        QVERIFY(!window->Actions().StopAction->isEnabled());
        QVERIFY(window->CurrentCommandWindow()->isVisible());
    }

    void TypedProgramRunsWithF2AndDraws() {
        auto* form = qobject_cast<TextCommandWindow*>(window->CurrentCommandWindow());
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        Type("fd 100\nrt 90\nfd 50");
        QVERIFY(window->Document().Changed());
        QSignalSpy ended(window.get(), &MainWindow::RunEnded);
        QTest::keyClick(Editor(), Qt::Key_F2);
        if (window->Running()) QVERIFY(ended.wait(10000));
        QCOMPARE(Store().GetBody(0), std::string("fd 100\nrt 90\nfd 50\n"));
        const Picture& picture = window->Engine().Screen().Surface();
        QCOMPARE(picture.PixelColor(550, 500), BlackColor);
        QCOMPARE(picture.PixelColor(600, 500), BlackColor);
        QCOMPARE(picture.PixelColor(600, 530), BlackColor);
        QCOMPARE(picture.PixelColor(550, 520), WhiteColor);
        const TurtleState& turtle = window->Engine().Screen().State();
        QCOMPARE(turtle.Position(), QPoint(600, 550));
        QVERIFY(window->CurrentCommandWindow()->isVisible());
        QVERIFY(Editor()->isEnabled());
        QCOMPARE(Errors()->count(), 0);
    }

    void CleanRunIsSilentAndJumpOutsideTheListBeeps() {
        support::RecordingNotifier notifier;
        Type("fd 10");
        RunAndWait();
        QCOMPARE(notifier.beeps, 0);
        window->Errors().JumpToError(0);
        QCOMPARE(notifier.beeps, 1);
    }

    void ShowErrorsStepsThroughTheEntriesAndWraps() {
        Type("qqq 1\nfd 10\nrepeat 1 [rt 90 ; zzz]\nxxx");
        RunAndWait();
        QCOMPARE(Errors()->count(), 3);
        QCOMPARE(Errors()->item(0)->text(),
                 QString::fromUtf8("Bilinmeyen komut: 'qqq 1' ( satır = 1 ) "));
        // The error inside the list on line 3 is numbered by that line.
        QCOMPARE(Errors()->item(1)->text(),
                 QString::fromUtf8("Bilinmeyen komut: 'zzz' ( satır = 3 ) "));
        QCOMPARE(Errors()->item(2)->text(),
                 QString::fromUtf8("Bilinmeyen komut: 'xxx' ( satır = 4 ) "));
        QCOMPARE(Errors()->currentRow(), 0);
        QCOMPARE(Editor()->textCursor().selectedText(), QString("qqq 1"));
        QLabel* label = window->findChild<QLabel*>(QStringLiteral("ErrorNumberLabel"));
        const QList<int> rows = {1, 2, 0, 1};
        const QStringList labels = {"2", "3", "1", "2"};
        for (int k = 0; k < 4; ++k) {
            window->Actions().NextErrorAction->trigger();
            QCOMPARE(Errors()->currentRow(), rows[k]);
            QCOMPARE(label->text(), labels[k]);
        }
        QCOMPARE(Editor()->textCursor().selectedText(), QString("zzz]"));
    }

    void ErrorInACalledProcedureIsShownInThatProcedure() {
        Store().AddProcedure("kare", "fd 10\nwww 5\n");
        window->Procedures().RefreshProcedureList();
        Type("kare");
        RunAndWait();
        QCOMPARE(Errors()->count(), 1);
        QCOMPARE(Errors()->item(0)->text(),
                 QString::fromUtf8("Bilinmeyen komut: 'www 5' ( satır = 2 ) "));
        QCOMPARE(window->findChild<QComboBox*>(QStringLiteral("ProcedureList"))->currentIndex(), 1);
        QCOMPARE(Editor()->toPlainText(), QString("fd 10\nwww 5"));
        QCOMPARE(Editor()->textCursor().selectedText(), QString("www 5"));
        QCOMPARE(Store().GetBody(0), std::string("kare\n"));
    }

    void StopEndsAnEndlessRunAndKeepsProgramAndPicture() {
        Type("repeat 1000000000 [fd 1 rt 1]");
        QSignalSpy ended(window.get(), &MainWindow::RunEnded);
        window->Actions().RunProcedureAction->trigger();
        QTest::qWait(300);
        QVERIFY(window->Running());
        // The panel stays in its dock, its editor closed to typing.
        QVERIFY(window->CurrentCommandWindow()->isVisible());
        QVERIFY(!Editor()->isEnabled());
        QVERIFY(window->Actions().StopAction->isEnabled());
        QVERIFY(!window->Actions().RunProcedureAction->isEnabled());
        window->Actions().StopAction->trigger();
        QVERIFY(ended.count() == 1 || ended.wait(2000));
        QVERIFY(!window->Running());
        QCOMPARE(Store().GetBody(0), std::string("repeat 1000000000 [fd 1 rt 1]\n"));
        QVERIFY(window->Engine().Screen().Surface().PixelColor(500, 500) == BlackColor ||
                window->Engine().Screen().Surface().PixelColor(501, 500) == BlackColor);
        QVERIFY(window->CurrentCommandWindow()->isVisible());
    }

    void StopEndsAWaitAtOnceAndClosingStopsARun() {
        Type("fd 10\nwait 6000\nfd 10");
        QSignalSpy ended(window.get(), &MainWindow::RunEnded);
        window->Actions().RunProcedureAction->trigger();
        QTest::qWait(200);
        QVERIFY(window->Running());
        QCOMPARE(window->Engine().Screen().State().Position(), QPoint(510, 500));
        window->StopRun();
        QVERIFY(ended.count() == 1 || ended.wait(1000));
        QCOMPARE(window->Engine().Screen().State().Position(), QPoint(510, 500));
        window->findChild<CodeEditor*>(QStringLiteral("Editor"))->setPlainText("repeat 1000000000 [fd 1 rt 1]");
        window->Actions().RunProcedureAction->trigger();
        QTest::qWait(100);
        QVERIFY(window->Running());
        QVERIFY(window->close());
        QVERIFY(!window->Running());
        QVERIFY(!window->Engine().Runner().Busy());
    }

    void ALineOfTheGraphicalRoadCanBeStoppedAndATakenNameAddsNothing() {
        QSignalSpy ended(window.get(), &MainWindow::RunEnded);
        QVERIFY(window->SetMainProcedureAndRun("repeat 1000000000 [fd 1 rt 1]\n"));
        QTest::qWait(100);
        QVERIFY(window->Actions().StopAction->isEnabled());
        QVERIFY(!window->Actions().NextErrorAction->isEnabled());
        QVERIFY(!window->Actions().OpenAction->isEnabled());
        window->Actions().StopAction->trigger();
        QVERIFY(ended.count() == 1 || ended.wait(2000));
        QVERIFY(window->Actions().OpenAction->isEnabled());
        window->AddProcedureWithBody("AnaEkran", "fd 1\n");
        QCOMPARE(Store().ProcedureCount(), 1);
        QCOMPARE(Store().GetBody(0), std::string("repeat 1000000000 [fd 1 rt 1]\n"));
        window->AddProcedureWithBody("kare", "fd 2\n");
        QCOMPARE(Store().GetHeader(1), std::string("kare"));
        QCOMPARE(Store().GetBody(1), std::string("fd 2\n"));
    }

    void ScreenColourPaintsThePictureAndRunsAgain() {
        Type("fd 30");
        dialogs->colours << QColor(10, 20, 30);
        QSignalSpy ended(window.get(), &MainWindow::RunEnded);
        window->Actions().ScreenColourAction->trigger();
        if (window->Running()) QVERIFY(ended.wait(5000));
        QCOMPARE(window->Engine().Screen().State().ScreenColor, MakeColor(10, 20, 30));
        const Picture& picture = window->Engine().Screen().Surface();
        QCOMPARE(picture.PixelColor(700, 700), MakeColor(10, 20, 30));
        QCOMPARE(picture.PixelColor(515, 500), BlackColor);
    }

    void AddingProcedures() {
        dialogs->texts << "kare :a"
                       << "AnaEkran"
                       << "kare";
        window->Actions().AddProcedureAction->trigger();
        QCOMPARE(Store().ProcedureCount(), 2);
        QCOMPARE(Store().GetHeader(1), std::string("kare :a"));
        QCOMPARE(window->findChild<QComboBox*>(QStringLiteral("ProcedureList"))->currentIndex(), 1);
        window->Actions().AddProcedureAction->trigger();
        QVERIFY(dialogs->messages.isEmpty());
        window->Actions().AddProcedureAction->trigger();
        QCOMPARE(dialogs->messages,
                 QStringList(QString::fromUtf8("Bilgi: Bu adda bir prosedür zaten var.")));
        QCOMPARE(Store().ProcedureCount(), 2);
    }

    void RenameArgumentsAndDelete() {
        dialogs->texts << "kare"
                       << "ucgen";
        window->Actions().AddProcedureAction->trigger();
        Type("fd :a");
        window->Actions().RenameProcedureAction->trigger();
        QCOMPARE(Store().GetHeader(1), std::string("ucgen"));
        QCOMPARE(dialogs->questions.last(), QString::fromUtf8("Prosedür adını girin:|kare"));
        dialogs->texts << ":a :b";
        window->Actions().EnterArgumentsAction->trigger();
        QCOMPARE(Store().GetHeader(1), std::string("ucgen :a :b"));
        QCOMPARE(Store().GetBody(1), std::string("fd :a\n"));
        QCOMPARE(window->findChild<QComboBox*>(QStringLiteral("ProcedureList"))->itemText(1), QString("ucgen :a :b"));
        window->SetProgramChanged(false);
        window->Actions().EnterArgumentsAction->trigger();
        QVERIFY(!window->Document().Changed());
        // The main procedure is never offered for deletion.
        dialogs->procedureChoices << 0;
        window->Actions().DeleteProceduresAction->trigger();
        QCOMPARE(dialogs->offeredNames, QStringList({"ucgen :a :b"}));
        QCOMPARE(Store().ProcedureCount(), 1);
        QCOMPARE(Editor()->toPlainText(), QString());
        window->Actions().DeleteProceduresAction->trigger();
        QCOMPARE(dialogs->messages.last(), QString::fromUtf8("Bilgi: Silinebilecek prosedürler"));
        QCOMPARE(Store().ProcedureCount(), 1);
        QCOMPARE(Store().GetHeader(0), std::string("AnaEkran"));
    }

    void DialectAndLanguageSwitches() {
        Type("ileri :uzunluk\nsetuzunluk 5\nrt 90");
        window->Actions().EnglishShortAction->trigger();
        QCOMPARE(Editor()->toPlainText(), QString("fd :uzunluk\nsetuzunluk 5\nrt 90"));
        const QString turkish = QString::fromUtf8("ileri :uzunluk\nsetuzunluk 5\nsağ 90");
        window->Actions().TurkishLongAction->trigger();
        QCOMPARE(Editor()->toPlainText(), turkish);
        window->Actions().EnglishInterfaceAction->trigger();
        QCOMPARE(window->Actions().RunProcedureAction->text(), QString("Run Procedure"));
        QCOMPARE(window->CurrentCommandWindow()->windowTitle(), QString("Command Window"));
        QCOMPARE(Editor()->toPlainText(), QString("forward :steplength\nsetuzunluk 5\nright 90"));
        QCOMPARE(Globals().LengthVariableName, std::string("steplength"));
        window->Actions().TurkishInterfaceAction->trigger();
        QCOMPARE(window->Actions().RunProcedureAction->text(), QString::fromUtf8("Prosedürü Çalıştır"));
        QCOMPARE(Editor()->toPlainText(), turkish);
    }

    // The language chosen is the next start's, whatever the system speaks;
    // the main procedure's default name (with its arguments) and Qt's own
    // texts follow every switch.
    void ChosenLanguageIsRememberedWithTheMainProcedureAndQtTexts() {
        const auto qtCancel = [] {
            return QCoreApplication::translate("QPlatformTheme", "Cancel");
        };
        QCOMPARE(qtCancel(), QString::fromUtf8("İptal"));
        dialogs->texts << ":boy";
        window->Actions().EnterArgumentsAction->trigger();
        window->Actions().EnglishInterfaceAction->trigger();
        QCOMPARE(Store().GetHeader(0), std::string("MainScreen :boy"));
        QCOMPARE(window->findChild<QComboBox*>(QStringLiteral("ProcedureList"))->currentText(), QString("MainScreen :boy"));
        QCOMPARE(qtCancel(), QString("Cancel"));

        window.reset();
        ResetGlobals();
        Globals().EnglishInterface = StartsInEnglish(false, false, QLocale(QLocale::Turkish));
        window = std::make_unique<MainWindow>();
        QCOMPARE(Store().GetHeader(0), std::string("MainScreen"));
        QCOMPARE(window->Actions().RunProcedureAction->text(), QString("Run Procedure"));
        QVERIFY(window->Actions().EnglishInterfaceAction->isChecked());
        QCOMPARE(window->findChild<QLabel*>(QStringLiteral("RunningLabel"))->text(), QString("Running"));
        QCOMPARE(qtCancel(), QString("Cancel"));
        // A screenshot speaks Turkish unless told otherwise.
        QVERIFY(!StartsInEnglish(false, true, QLocale(QLocale::English)));
        QVERIFY(StartsInEnglish(true, true, QLocale(QLocale::Turkish)));

        window->Actions().TurkishInterfaceAction->trigger();
        QCOMPARE(Store().GetHeader(0), std::string("AnaEkran"));
        QCOMPARE(window->findChild<QLabel*>(QStringLiteral("RunningLabel"))->text(), QString::fromUtf8("Çalışıyor"));
        QCOMPARE(qtCancel(), QString::fromUtf8("İptal"));
        QCOMPARE(QSettings().value("EnglishInterface"), QVariant(false));
        // A name the user gave the main procedure stays.
        dialogs->texts << "resim";
        window->Actions().RenameProcedureAction->trigger();
        window->Actions().EnglishInterfaceAction->trigger();
        QCOMPARE(Store().GetHeader(0), std::string("resim"));
    }

    // With nothing chosen yet, a Turkish system starts in Turkish and any
    // other in English.
    void FirstStartFollowsTheSystemLocale() {
        QSettings().remove("EnglishInterface");
        QVERIFY(!StartsInEnglish(false, false, QLocale(QLocale::Turkish, QLocale::Turkey)));
        QVERIFY(StartsInEnglish(false, false, QLocale(QLocale::German, QLocale::Germany)));
        QVERIFY(StartsInEnglish(true, false, QLocale(QLocale::Turkish, QLocale::Turkey)));
    }

    void ModeSwitchAsksBeforeDiscardingAChangedProgram() {
        Type("fd 10");
        dialogs->confirmations << -1;
        window->Actions().CommandModeAction->trigger();
        QCOMPARE(Store().GetBody(0), std::string("fd 10\n"));
        QCOMPARE(Editor()->toPlainText(), QString("fd 10"));
        dialogs->confirmations << 0;
        QPointer<CommandWindow> old = window->CurrentCommandWindow();
        window->Actions().CommandModeAction->trigger();
        QVERIFY(old.isNull());
        QCOMPARE(Store().GetBody(0), std::string());
        QCOMPARE(Editor()->toPlainText(), QString());
        QVERIFY(!window->Document().Changed());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
