// Watching a run through the real main window: Step by Step through a call
// with the running line and command marked and the callee's arguments in
// the inspector, Pause and Continue at Slow speed, Stop while paused or
// stepping, and the speed kept between sessions.
#include "core/GlobalSettings.h"
#include "core/ProcedureStore.h"
#include "engine/Picture.h"
#include "modes/ButtonCommandWindow.h"
#include "modes/TextCommandWindow.h"
#include "shell/MainActions.h"
#include "shell/RunDriver.h"
#include "shell/RunWatcher.h"
#include "shell/DrawingWindow.h"
#include "shell/MainWindow.h"
#include "shell/ProcedureEditor.h"
#include "widgets/CodeEditor.h"
#include "shell/TurtleWalk.h"
#include "shell/VariableInspector.h"
#include "shell/support/ScriptedDialogs.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTreeWidget>

#include <memory>

using namespace mivarelo;
using namespace std::chrono_literals;

class RunWatchTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir settings;
    std::unique_ptr<support::ScriptedDialogs> dialogs;
    std::unique_ptr<MainWindow> window;

    QPlainTextEdit* Editor() { return window->findChild<CodeEditor*>(QStringLiteral("Editor")); }
    MainActions& Actions() { return window->Actions(); }
    QPoint Turtle() { return window->Engine().Screen().State().Position(); }

    void SetProgram(const QString& main) {
        Editor()->setPlainText(main);
        window->Procedures().StoreEditorIntoProcedure();
    }

    // Where the run stands, as the user sees it: the procedure in the list,
    // the marked line's number and text (a mark across the line), and the
    // marked command, if any.
    QString Shown() {
        const QList<QTextEdit::ExtraSelection> marks = Editor()->extraSelections();
        QString text = window->findChild<QComboBox*>(QStringLiteral("ProcedureList"))->currentText() + " " +
                       QString::number(window->Watcher().MarkedLine());
        for (const QTextEdit::ExtraSelection& mark : marks)
            text += " [" +
                    (mark.cursor.hasSelection() ? mark.cursor.selectedText()
                                                : mark.cursor.block().text()) +
                    "]";
        return text;
    }

    // The inspector's rows as "title: name=value, ..." per table.
    QStringList InspectorRows() {
        QStringList rows;
        QTreeWidget* tree = window->Watcher().Inspector().Tree();
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* table = tree->topLevelItem(i);
            QStringList cells;
            for (int k = 0; k < table->childCount(); ++k)
                cells << table->child(k)->text(0) + "=" + table->child(k)->text(1);
            rows << table->text(0) + " (" + table->text(1) + "): " + cells.join(", ");
        }
        return rows;
    }

    void WaitForEnd(QSignalSpy& ended) {
        if (ended.isEmpty()) QVERIFY(ended.wait(10000));
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
        window->CurrentCommandWindow()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window->CurrentCommandWindow()));
    }

    void cleanup() {
        window.reset();
        dialogs.reset();
    }

    void StepByStepFollowsACallLineByLine() {
        window->AddProcedureWithBody("kare :boy :renk", "repeat 2 [fd :boy rt 90]\nlt 45\n");
        window->ShowProcedure(0);
        SetProgram("fd 10\nkare 30, 7\nrt 90");
        Actions().StepSpeedAction->trigger();
        Actions().InspectorAction->setChecked(true);
        QSignalSpy ended(window.get(), &MainWindow::RunEnded);
        QTest::keyClick(Editor(), Qt::Key_F2);
        QVERIFY(window->Driver().Paused());
        QVERIFY(window->CurrentCommandWindow()->isVisible());
        QVERIFY(Editor()->isEnabled());
        QVERIFY(Editor()->isReadOnly());
        QStringList seen{Shown()};
        QList<QPoint> positions{Turtle()};
        QStringList calleeRows;
        while (ended.isEmpty() && seen.size() < 20) {
            QTest::keyClick(Editor(), Qt::Key_F6);
            seen << Shown();
            positions << Turtle();
            if (calleeRows.isEmpty() && window->findChild<QComboBox*>(QStringLiteral("ProcedureList"))->currentIndex() == 1)
                calleeRows = InspectorRows();
        }
        QCOMPARE(seen, QStringList({
                           "AnaEkran 1 [fd 10]",
                           "AnaEkran 2 [kare 30, 7]",
                           "kare :boy :renk 1 [repeat 2 [fd :boy rt 90]]",
                           "kare :boy :renk 1 [repeat 2 [fd :boy rt 90]] [fd :boy rt 90]",
                           "kare :boy :renk 1 [repeat 2 [fd :boy rt 90]] [fd :boy rt 90]",
                           "kare :boy :renk 2 [lt 45]",
                           "AnaEkran 3 [rt 90]",
                           "AnaEkran 0",
                       }));
        QCOMPARE(positions, QList<QPoint>({{500, 500},
                                           {510, 500},
                                           {510, 500},
                                           {510, 500},
                                           {540, 500},
                                           {540, 530},
                                           {540, 530},
                                           {540, 530}}));
        QCOMPARE(calleeRows.size(), 3);
        QVERIFY2(calleeRows[0].startsWith("Genel değişkenler"), qPrintable(calleeRows[0]));
        QCOMPARE(calleeRows[1], QString("kare :boy :renk (Çalışan satır 1): boy=30.0, renk=7.0"));
        QCOMPARE(calleeRows[2], QString("AnaEkran (Çalışan satır 2): "));
        QCOMPARE(InspectorRows().size(), 1);
        QVERIFY(!Editor()->isReadOnly());
        QCOMPARE(Editor()->toPlainText(), QString("fd 10\nkare 30, 7\nrt 90"));
        QCOMPARE(window->Engine().Screen().State().Heading, 225.0f);
    }

    // In English the inspector names the predefined variables, the repeat
    // counter and the main procedure in English only.
    void InspectorSpeaksTheInterfaceLanguage() {
        Actions().EnglishInterfaceAction->trigger();
        SetProgram("repeat 2 [fd 10]");
        Actions().StepSpeedAction->trigger();
        Actions().InspectorAction->setChecked(true);
        QSignalSpy ended(window.get(), &MainWindow::RunEnded);
        QTest::keyClick(Editor(), Qt::Key_F2);
        QTest::keyClick(Editor(), Qt::Key_F6);
        QCOMPARE(window->findChild<QLabel*>(QStringLiteral("RunningLabel"))->text(), QString("Running"));
        QCOMPARE(InspectorRows(),
                 QStringList({"Global variables (): steplength=40.0, arcangle=360.0, repcount=1.0",
                              "MainScreen (Running line 1): "}));
        Actions().StopAction->trigger();
        WaitForEnd(ended);
    }

    void PauseHoldsASlowRunAndContinueFinishesIt() {
        window->Driver().SetLinePause(RunSpeed::Slow, 2ms);
        Actions().SlowSpeedAction->trigger();
        SetProgram("repeat 10 [fd 5]\nrt 90");
        QSignalSpy ready(&window->Driver(), &RunDriver::LineReady);
        QSignalSpy ended(window.get(), &MainWindow::RunEnded);
        Actions().RunProcedureAction->trigger();
        QVERIFY(window->CurrentCommandWindow()->isVisible());
        while (ready.size() < 4)
            QVERIFY(ready.wait(5000));
        QTest::keyClick(Editor(), Qt::Key_F5);
        QVERIFY(window->Driver().Paused());
        QVERIFY(Actions().PauseAction->isChecked());
        const QPoint held = Turtle();
        const QString marked = Shown();
        QTest::qWait(100);
        QCOMPARE(Turtle(), held);
        QCOMPARE(Shown(), marked);
        QVERIFY(ended.isEmpty());
        Actions().PauseAction->trigger();
        QVERIFY(!window->Driver().Paused());
        WaitForEnd(ended);
        // The repeat line, ten iterations and the turn were each announced.
        QCOMPARE(ready.size(), 12);
        QCOMPARE(Turtle(), QPoint(550, 500));
        QCOMPARE(window->Engine().Screen().State().Heading, 90.0f);
        QVERIFY(!Actions().PauseAction->isChecked());
    }

    void StopEndsAPausedOrSteppedRunAtOnce() {
        SetProgram("fd 10\nfd 10\nfd 10");
        Actions().StepSpeedAction->trigger();
        QSignalSpy ended(window.get(), &MainWindow::RunEnded);
        Actions().RunProcedureAction->trigger();
        Actions().StepAction->trigger();
        QCOMPARE(Turtle(), QPoint(510, 500));
        QTest::keyClick(Editor(), Qt::Key_F8);
        WaitForEnd(ended);
        QCOMPARE(Turtle(), QPoint(510, 500));
        QVERIFY(!window->Driver().Paused());
        QVERIFY(Editor()->extraSelections().isEmpty());

        // A long run at Slow speed, paused, then stopped.
        window->Driver().SetLinePause(RunSpeed::Slow, 1ms);
        Actions().SlowSpeedAction->trigger();
        SetProgram("repeat 1000 [fd 1]");
        QSignalSpy ready(&window->Driver(), &RunDriver::LineReady);
        Actions().RunProcedureAction->trigger();
        while (ready.size() < 3)
            QVERIFY(ready.wait(5000));
        Actions().PauseAction->trigger();
        const QPoint held = Turtle();
        Actions().StopAction->trigger();
        QVERIFY(ended.wait(5000));
        QCOMPARE(Turtle(), held);
        QVERIFY(!window->Running());
    }

    // A button's line runs at once: the graphical mode has its own rhythm,
    // and an undo replays the whole history.
    void GraphicalModeLinesRunAtFullSpeedWhateverTheSetting() {
        Actions().StepSpeedAction->trigger();
        QVERIFY(window->SwitchToGraphicalMode());
        QTRY_VERIFY(!Globals().RunActive);
        auto* form = qobject_cast<ButtonCommandWindow*>(window->CurrentCommandWindow());
        const QPoint start = Turtle();
        form->RecordAndRun("fd 40\n");
        QVERIFY(!window->Driver().Paused());
        QTRY_VERIFY(!Globals().RunActive);
        QCOMPARE(Turtle(), start + QPoint(40, 0));
    }

    // The picture holds the whole line at once; the window shows it growing
    // along the turtle's path, by the walk's clock, until the walk or the
    // run ends.
    void ALongMoveIsWalkedAtSlowSpeed() {
        std::chrono::milliseconds now{0};
        TurtleWalk& walk = window->Watcher().Walk();
        walk.SetClock([&now] { return now; });
        window->Driver().SetLinePause(RunSpeed::Slow, 1ms);
        Actions().SlowSpeedAction->trigger();
        SetProgram("fd 300\nrt 90\nfd 300\nrt 90");
        QSignalSpy ran(&window->Driver(), &RunDriver::LineRan);
        Actions().RunProcedureAction->trigger();
        QVERIFY(ran.wait(5000));
        QVERIFY(walk.Active());
        QCOMPARE(window->Engine().Screen().Surface().PixelColor(790, 500), BlackColor);
        const auto shownAt = [this](int x, int y) {
            return window->Drawing()->grab(QRect(x, y, 1, 1)).toImage().pixel(0, 0) &
                   0xFFFFFF;
        };
        now = 1000ms;
        QTest::qWait(60);
        QCOMPARE(walk.Turtle().Position(), QPoint(650, 500));
        QCOMPARE(shownAt(560, 500), 0x000000u);
        QCOMPARE(shownAt(760, 500), 0xFFFFFFu);
        now = 2001ms;
        QTest::qWait(60);
        QVERIFY(!walk.Active());
        QCOMPARE(shownAt(760, 500), 0x000000u);
        QVERIFY(ran.wait(5000));
        QVERIFY(ran.wait(5000));
        QVERIFY(walk.Active());
        QCOMPARE(shownAt(800, 700), 0xFFFFFFu);
        QSignalSpy ended(window.get(), &MainWindow::RunEnded);
        Actions().StopAction->trigger();
        QVERIFY(!walk.Active());
        QCOMPARE(shownAt(800, 700), 0x000000u);
        WaitForEnd(ended);
    }

    void StepAtRestStartsTheProgramHeldAtItsFirstLine() {
        SetProgram("fd 20\nrt 90");
        QTest::keyClick(Editor(), Qt::Key_F6);
        QVERIFY(window->Running());
        QVERIFY(window->Driver().Paused());
        QCOMPARE(Shown(), QString("AnaEkran 1 [fd 20]"));
        QCOMPARE(Turtle(), QPoint(500, 500));
        QSignalSpy ended(window.get(), &MainWindow::RunEnded);
        Actions().PauseAction->trigger();
        WaitForEnd(ended);
        QCOMPARE(Turtle(), QPoint(520, 500));
    }

    // At full speed the command window hides during a run, as it always
    // did; a pause brings it back with the held line marked.
    void FullSpeedClosesTheEditorUnlessPausedAndTheSpeedIsKept() {
        QVERIFY(Actions().FullSpeedAction->isChecked());
        SetProgram("repeat 100000000 [fd 1 rt 1]");
        QSignalSpy ended(window.get(), &MainWindow::RunEnded);
        Actions().RunProcedureAction->trigger();
        QTest::qWait(50);
        QVERIFY(window->Running());
        QVERIFY(window->CurrentCommandWindow()->isVisible());
        QVERIFY(!Editor()->isEnabled());
        QVERIFY(!Editor()->isEnabled());
        QVERIFY(Editor()->extraSelections().isEmpty());
        Actions().PauseAction->trigger();
        QVERIFY(window->CurrentCommandWindow()->isVisible());
        QVERIFY(Editor()->isEnabled());
        QVERIFY(Editor()->isReadOnly());
        QCOMPARE(Shown(), QString("AnaEkran 1 [repeat 100000000 [fd 1 rt 1]] [fd 1 rt 1]"));
        Actions().PauseAction->trigger();
        QVERIFY(window->CurrentCommandWindow()->isVisible());
        QVERIFY(!Editor()->isEnabled());
        Actions().StopAction->trigger();
        WaitForEnd(ended);
        QVERIFY(window->CurrentCommandWindow()->isVisible());
        Actions().NormalSpeedAction->trigger();
        window.reset();
        window = std::make_unique<MainWindow>();
        QVERIFY(Actions().NormalSpeedAction->isChecked());
        QCOMPARE(window->Driver().Speed(), RunSpeed::Normal);
    }
};

QTEST_MAIN(RunWatchTest)
#include "RunWatchTest.moc"
