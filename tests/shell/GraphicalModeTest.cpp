// Whole flows through the graphical mode's window inside the real main
// window: the lines the buttons write, their dialogs and refusals, the
// history with undo, redo and repeat, restart, macros, the keyboard, the
// layout and pictures, and the drawing compared with a fresh engine's.
#include "core/GlobalSettings.h"
#include "core/ProgramFiles.h"
#include "core/ProcedureStore.h"
#include "engine/LogoEngine.h"
#include "engine/Picture.h"
#include "modes/ButtonLayout.h"
#include "modes/ButtonPictures.h"
#include "modes/ButtonCommandWindow.h"
#include "shell/MainActions.h"
#include "widgets/QtText.h"
#include "shell/DrawingWindow.h"
#include "shell/MainWindow.h"
#include "shell/OptionsMenu.h"
#include "shell/ProgramDocument.h"
#include "shell/support/ScriptedDialogs.h"
#include "support/Recorders.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

using namespace mivarelo;

namespace {

// The scripted dialogs, also telling the colour each colour dialog opened
// on, and able to act while a text question is open.
class GraphicalDialogs : public support::ScriptedDialogs {
public:
    std::optional<QColor> ChooseColor(const QColor& initial) override {
        startColours << initial;
        return ScriptedDialogs::ChooseColor(initial);
    }
    QString AskText(const QString& prompt, const QString& initial, const QString& title,
                    const QString& ok, const QString& cancel) override {
        if (whileAsking) whileAsking();
        return ScriptedDialogs::AskText(prompt, initial, title, ok, cancel);
    }

    QList<QColor> startColours;
    std::function<void()> whileAsking;
};

const QString StartupLine = QString::fromUtf8("sıfırla ; uzunluk = 40 ; yabci = 360 ; \n");
const QString Up = QString::fromUtf8("ileri uzunluk\n");

QImage IconImage(const QIcon& icon) {
    return icon.pixmap(QSize(24, 24)).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class GraphicalModeTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir settings;
    std::unique_ptr<GraphicalDialogs> dialogs;
    std::unique_ptr<MainWindow> window;

    ButtonCommandWindow* Form() { return qobject_cast<ButtonCommandWindow*>(window->CurrentCommandWindow()); }
    ProcedureStore& Store() { return window->Engine().Procedures(); }
    QString Body() { return ToQt(Store().GetBody(0)); }
    QString Line(int i) { return ToQt(Form()->HistoryLine(i)); }
    QString Last() { return Line(Form()->HistoryCount() - 1); }
    const TurtleState& Turtle() { return window->Engine().Screen().State(); }

    // Waits until the run a press started (if any) has ended.
    void WaitIdle() {
        if (!Globals().RunActive) return;
        QSignalSpy ended(window.get(), &MainWindow::RunEnded);
        QVERIFY(ended.wait(10000));
    }

    void Press(int n) {
        QVERIFY(Form()->Button(n)->isEnabled());
        QTest::mouseClick(Form()->Button(n), Qt::LeftButton);
        WaitIdle();
    }

    void FreeCommand(const QString& text) {
        Form()->FreeCommandEdit->setText(text);
        QTest::keyClick(Form()->FreeCommandEdit, Qt::Key_Return);
        WaitIdle();
    }

    void Trigger(QAction* action) {
        action->trigger();
        WaitIdle();
    }

    void Activate() {
        Form()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Form()));
    }

private slots:
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    }

    void init() {
        ResetGlobals();
        dialogs = std::make_unique<GraphicalDialogs>();
        window = std::make_unique<MainWindow>();
        window->show();
        window->Actions().GraphicalModeAction->trigger();
        WaitIdle();
        QVERIFY(Form());
    }

    void cleanup() {
        window.reset();
        dialogs.reset();
    }

    void StartsWithTheStartupLineAndAnUnchangedProgram() {
        QCOMPARE(Form()->HistoryCount(), 1);
        QCOMPARE(Line(0), StartupLine);
        QCOMPARE(Body(), StartupLine);
        QVERIFY(!window->Document().Changed());
        QVERIFY(Form()->isVisible());
        QVERIFY(Form()->isEnabled());
        QCOMPARE(Form()->windowTitle(), QString("Grafik Modu"));
        QCOMPARE(Form()->CommandNumberLabel->text(), QString("0"));
        QCOMPARE(Form()->StepLengthLabel->text(), QString("40.0"));
        QCOMPARE(Form()->ArcAngleLabel->text(), QString("360"));
        QCOMPARE(Form()->RunStateLabel->text(), QString::fromUtf8("Hazır"));
        QCOMPARE(Form()->Button(31)->text(), QString("45.0"));
        QVERIFY(!Form()->close());
        QVERIFY(Form()->isVisible());
    }

    void RelativeTurnTypesAndTiesTurnRight() {
        const QList<QPair<int, QString>> cases = {{2, QString("sol 180 ")},
                                                  {3, QString::fromUtf8("sağ 180 ")},
                                                  {1, QString::fromUtf8("sağ 180 ")},
                                                  {0, QString("sol 180 ")}};
        for (const auto& [type, turn] : cases) {
            window->Options().SetTurnCommandType(type);
            Press(8);
            QCOMPARE(Last(), turn + Up);
        }
        window->Options().SetTurnCommandType(1);
        Press(6);
        QCOMPARE(Last(), QString::fromUtf8("sağ 90 ileri uzunluk\n"));
        Press(2);
        QCOMPARE(Last(), Up);
        QCOMPARE(Form()->LastButtonLabel->text(), QString::fromUtf8("İleri"));
        QCOMPARE(Form()->CommandNumberLabel->text(), QString("6"));
        QVERIFY(window->Document().Changed());
    }

    void FreeCommandForcesTheNextTurn() {
        FreeCommand(QString::fromUtf8("sağ 45"));
        QCOMPARE(Last(), QString::fromUtf8("sağ 45\n"));
        QVERIFY(Form()->FreeCommandEdit->text().isEmpty());
        QCOMPARE(Turtle().Heading, 45.0f);
        window->Options().SetTurnCommandType(3);
        Press(2);
        QCOMPARE(Last(), QString::fromUtf8("sağ 360 ileri uzunluk\n"));
        Press(2);
        QCOMPARE(Last(), Up);
    }

    void DirectionsModeTurnsToTheButtonsHeading() {
        window->Actions().UseDirectionsAction->setChecked(true);
        QCOMPARE(Form()->Button(2)->text(), QString::fromUtf8("Yukarı"));
        Press(2);
        QCOMPARE(Last(), QString::fromUtf8("sol 90 ileri uzunluk\n"));
        QCOMPARE(Turtle().Position(), QPoint(500, 460));
        FreeCommand("seth 0");
        Press(8);
        QCOMPARE(Last(), QString::fromUtf8("sağ 90 ileri uzunluk\n"));
        FreeCommand("seth 0");
        Press(4);
        QCOMPARE(Last(), QString::fromUtf8("sağ 180 ileri uzunluk\n"));
        window->Options().SetTurnCommandType(0);
        FreeCommand("seth 0");
        Press(2);
        QCOMPARE(Last(), QString::fromUtf8("seth 270 ileri uzunluk\n"));
        Press(2);
        QCOMPARE(Last(), Up);
    }

    void DiagonalAngleOfThirty() {
        dialogs->texts << "30";
        Press(31);
        QCOMPARE(Form()->Button(31)->text(), QString("30.0"));
        QCOMPARE(dialogs->questions.last(), QString::fromUtf8("Çapraz açıyı girin (0-90):|45"));
        Press(1);
        QCOMPARE(Last(), QString::fromUtf8("sol 30 ileri uzunluk\n"));
        window->Actions().UseDirectionsAction->setChecked(true);
        window->Options().SetTurnCommandType(0);
        Press(1);
        QCOMPARE(Last(), QString::fromUtf8("seth 210 ileri uzunluk\n"));
        const int count = Form()->HistoryCount();
        dialogs->texts << "95"
                       << "30";
        Press(31);
        Press(31);
        QCOMPARE(dialogs->messages,
                 QStringList{QString::fromUtf8("Uyarı: Açı 0 ile 90 arasında olmalıdır.")});
        QCOMPARE(Form()->Button(31)->text(), QString("30.0"));
        QCOMPARE(Form()->HistoryCount(), count);
    }

    void ArcsAndTheArcAngle() {
        Press(22);
        QCOMPARE(Last(), QString::fromUtf8("tekrar 36 [ sol 10  ileri 6.7 ] \n"));
        QCOMPARE(Turtle().Heading, 0.0f);
        dialogs->texts << "400";
        Press(24);
        QCOMPARE(dialogs->messages,
                 QStringList{QString::fromUtf8("Uyarı: Yay açısı 360'tan büyük olamaz.")});
        dialogs->texts << "5";
        Press(24);
        QCOMPARE(Last(), QString("setyayaci 5\n"));
        QCOMPARE(Form()->ArcAngleLabel->text(), QString("5"));
        Press(23);
        QCOMPARE(Last(), QString::fromUtf8("tekrar 0 [ sağ 10  ileri 6.7 ] \n"));
    }

    void ColourDialogsWriteTheChosenColour() {
        dialogs->colours << QColor(255, 0, 0);
        Press(12);
        QCOMPARE(Last(), QString::fromUtf8("değiştirkalemrenk [ 255 0 0 ] \n"));
        const int count = Form()->HistoryCount();
        Press(17);
        QCOMPARE(Form()->HistoryCount(), count);
        dialogs->colours << QColor(0, 0, 255);
        Press(18);
        QCOMPARE(Last(), QString::fromUtf8("değiştirdolgurenk [ 0 0 255 ]  doldur\n"));
        QCOMPARE(dialogs->startColours,
                 (QList<QColor>{QColor(Qt::black), QColor(Qt::white), QColor(Qt::black)}));
        Press(2);
        QCOMPARE(window->Engine().Screen().Surface().PixelColor(520, 500), ColorValue(0x0000FF));
    }

    void StepLengthDialogRefusals() {
        const int count = Form()->HistoryCount();
        dialogs->texts << ""
                       << "-5"
                       << "2*20";
        Press(27);
        Press(27);
        Press(27);
        Press(27);
        QCOMPARE(Form()->HistoryCount(), count);
        QCOMPARE(dialogs->questions.first(), QString::fromUtf8("Değer girin:|40"));
        dialogs->texts << "30";
        Press(27);
        QCOMPARE(Last(), QString("uzunluk = 30\n"));
        QCOMPARE(window->Engine().Variables().GetVariable("uzunluk"), 30.0f);
        Press(2);
        QCOMPARE(Turtle().Position(), QPoint(530, 500));
        QCOMPARE(Form()->StepLengthLabel->text(), QString("30.0"));
    }

    void OtherDialogsWriteWhatWasTyped() {
        dialogs->texts << "3*30"
                       << "0";
        Press(19);
        QCOMPARE(Last(), QString("sol 3*30\n"));
        QCOMPARE(Turtle().Heading, 270.0f);
        const int count = Form()->HistoryCount();
        Press(20);
        Press(20);
        Press(26);
        Press(28);
        Press(30);
        QCOMPARE(Form()->HistoryCount(), count);
        dialogs->texts << "4"
                       << "Merhaba"
                       << "20";
        Press(26);
        QCOMPARE(Last(), QString::fromUtf8("setkalemkalınlık  4\n"));
        QCOMPARE(Turtle().PenWidth, 4);
        Press(28);
        QCOMPARE(Last(), QString("yaz Merhaba\n"));
        Press(30);
        QCOMPARE(Last(), QString("setyaziboyu 20\n"));
        QCOMPARE(Turtle().FontSize, 20.0f);
    }

    void PenButtonsDoWhatTheirCaptionsSay() {
        QCOMPARE(Form()->Button(11)->text(), QString::fromUtf8("Kalem Yukarı"));
        Press(11);
        QCOMPARE(Last(), QString::fromUtf8("kalemyukarı\n"));
        QVERIFY(!Turtle().PenIsDown);
        QCOMPARE(Form()->LastButtonLabel->text(), QString::fromUtf8("Kalem Yukarı"));
        QCOMPARE(Form()->PenStateLabel->text(), QString("-"));
        Press(10);
        QCOMPARE(Last(), QString::fromUtf8("kalemaşağı\n"));
        QVERIFY(Turtle().PenIsDown);
        QCOMPARE(Form()->LastButtonLabel->text(), QString::fromUtf8("Kalem Aşağı"));
        QCOMPARE(Form()->PenStateLabel->text(), QString::fromUtf8("Kalem Aşağı"));
    }

    void PaintModeMarksTheProgramChanged() {
        QVERIFY(!window->Document().Changed());
        Press(21);
        QCOMPARE(Last(), QString("pe\n"));
        QCOMPARE(Globals().PaintMode, 1);
        QCOMPARE(Form()->Button(21)->text(), QString::fromUtf8("Silgi: Açık"));
        QVERIFY(window->Document().Changed());
        dialogs->confirmations << -1;
        QVERIFY(!window->ConfirmDiscard());
        QCOMPARE(dialogs->questions.last(),
                 QString::fromUtf8("Program değişti. Kaydetmek ister misiniz?"));
        Press(21);
        QCOMPARE(Last(), QString("ppt\n"));
        QCOMPARE(Form()->Button(21)->text(), QString::fromUtf8("Silgi: Kapalı"));
    }

    void UndoReplaysTheRemainingLines() {
        window->Actions().CanUndoLastCommandAction->setChecked(true);
        Press(2);
        Press(2);
        QCOMPARE(Turtle().Position(), QPoint(580, 500));
        Trigger(Form()->UndoAction);
        QCOMPARE(Form()->HistoryCount(), 2);
        QCOMPARE(Line(1), Up);
        QCOMPARE(Body(), StartupLine + "\n" + Up);
        QCOMPARE(Turtle().Position(), QPoint(540, 500));
        QCOMPARE(window->Engine().Screen().Surface().PixelColor(560, 500), WhiteColor);
        QVERIFY(!Globals().RefreshSuspended);
        QVERIFY(Form()->LastCommandEdit->text().isEmpty());
        QCOMPARE(Form()->LastButtonLabel->text(), QString("Geri Al"));
        Trigger(Form()->RepeatLastAction);
        QCOMPARE(Form()->HistoryCount(), 2);
        Trigger(Form()->UndoAction);
        QCOMPARE(Form()->HistoryCount(), 1);
        const QString body = Body();
        support::RecordingNotifier notifier;
        Trigger(Form()->UndoAction);
        QCOMPARE(notifier.beeps, 1);
        QCOMPARE(Form()->HistoryCount(), 1);
        QCOMPARE(Body(), body);
    }

    // Undo is on from the start, with a button of its own; Ctrl+Z undoes
    // wherever the focus is in the panel but edits the free command line's
    // own text there; with the option off it does nothing.
    void UndoIsOnWithAButtonAndCtrlZAndRepeatRecordsAgain() {
        QVERIFY(window->Actions().CanUndoLastCommandAction->isChecked());
        Press(6);
        QCOMPARE(Turtle().Position(), QPoint(500, 540));
        QTest::mouseClick(Form()->UndoButton, Qt::LeftButton);
        WaitIdle();
        QCOMPARE(Form()->HistoryCount(), 1);
        QCOMPARE(Turtle().Position(), QPoint(500, 500));
        QTest::mouseClick(Form()->RedoButton, Qt::LeftButton);
        WaitIdle();
        QCOMPARE(Form()->HistoryCount(), 2);
        QCOMPARE(Turtle().Position(), QPoint(500, 540));
        Activate();
        Form()->FreeCommandEdit->setFocus();
        QTest::keyClicks(Form()->FreeCommandEdit, "ig 5");
        QTest::keyClick(Form()->FreeCommandEdit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Form()->FreeCommandEdit->text(), QString());
        QCOMPARE(Form()->HistoryCount(), 2);
        Form()->setFocus();
        QTest::keyClick(Form(), Qt::Key_Z, Qt::ControlModifier);
        WaitIdle();
        QCOMPARE(Form()->HistoryCount(), 1);
        QTest::keyClick(Form(), Qt::Key_Y, Qt::ControlModifier);
        WaitIdle();
        QCOMPARE(Form()->HistoryCount(), 2);
        window->Actions().CanUndoLastCommandAction->setChecked(false);
        Trigger(Form()->UndoAction);
        QCOMPARE(Form()->HistoryCount(), 2);
        window->Actions().CanUndoLastCommandAction->setChecked(true);
        Trigger(Form()->RepeatLastAction);
        QCOMPARE(Form()->HistoryCount(), 3);
        QCOMPARE(Last(), QString::fromUtf8("sağ 90 ileri uzunluk\n"));
        Press(29);
        QCOMPARE(Form()->HistoryCount(), 4);
        QCOMPARE(Turtle().Position(), QPoint(460, 500));
    }

    void RedoBringsTheUndoneLineBackUntilANewCommand() {
        window->Actions().CanUndoLastCommandAction->setChecked(true);
        Press(2);
        Press(6);
        const QPoint end = Turtle().Position();
        Trigger(Form()->UndoAction);
        QCOMPARE(Turtle().Position(), QPoint(540, 500));
        Trigger(Form()->RedoAction);
        QCOMPARE(Last(), QString::fromUtf8("sağ 90 ileri uzunluk\n"));
        QCOMPARE(Turtle().Position(), end);
        QVERIFY(Body().endsWith(Up + QString::fromUtf8("sağ 90 ileri uzunluk\n")));
        QCOMPARE(Form()->LastButtonLabel->text(), QString("Yinele"));
        Trigger(Form()->UndoAction);
        Press(8);
        support::RecordingNotifier notifier;
        const int count = Form()->HistoryCount();
        Trigger(Form()->RedoAction);
        QCOMPARE(notifier.beeps, 1);
        QCOMPARE(Form()->HistoryCount(), count);
    }

    void UndoAfterALoadedProgramKeepsLinesApart() {
        window->Actions().CanUndoLastCommandAction->setChecked(true);
        QTemporaryDir folder;
        ProcedureStore program;
        program.AddProcedure("AnaEkran", "fd 10\nrt 90\nfd 20\n");
        program.AddProcedure("kare", "fd 5\n");
        const QString path = folder.filePath("program.elg");
        QVERIFY(SaveProgram(program, path.toStdString()));
        QVERIFY(window->Document().OpenPath(path));
        WaitIdle();
        QCOMPARE(Form()->HistoryCount(), 3);
        QCOMPARE(Line(2), QString("fd 20"));
        QCOMPARE(Form()->LastCommandEdit->text(), QString("fd 20"));
        QCOMPARE(Form()->ProcedureComboBox->count(), 1);
        QCOMPARE(Form()->ProcedureComboBox->itemText(0), QString("kare"));
        Trigger(Form()->UndoAction);
        QCOMPARE(Body(), QString("fd 10\nrt 90\n"));
        Press(2);
        QCOMPARE(Body(), QString("fd 10\nrt 90\n") + Up);
    }

    void ProcedureListAddsItsNameToTheHistory() {
        Store().AddProcedure("kare", "fd 30\n");
        Form()->RefreshProcedures();
        window->Options().SetTurnCommandType(3);
        emit Form()->ProcedureComboBox->activated(0);
        WaitIdle();
        QCOMPARE(Last(), QString("kare\n"));
        QCOMPARE(Form()->ProcedureComboBox->currentIndex(), -1);
        QCOMPARE(Turtle().Position(), QPoint(530, 500));
        Press(2);
        QCOMPARE(Last(), QString::fromUtf8("sağ 360 ileri uzunluk\n"));
    }

    void MacroFinishedRightAfterItsStartKeepsRecording() {
        Trigger(Form()->StartMacroAction);
        QCOMPARE(Form()->MacroStart(), 1);
        QVERIFY(Form()->RecordingMacroLabel->isVisible());
        Press(36);
        QVERIFY(dialogs->questions.isEmpty());
        QCOMPARE(Form()->MacroStart(), 1);
        QVERIFY(!Form()->Button(35)->isEnabled());
        QVERIFY(Form()->Button(36)->isEnabled());
    }

    void MacroNameCancelledThenGiven() {
        Press(35);
        Press(2);
        Press(6);
        Press(36);
        QCOMPARE(dialogs->questions, QStringList{QString::fromUtf8("Prosedür adını girin:|")});
        QVERIFY(Form()->RecordingMacroLabel->isVisible());
        Press(8);
        dialogs->texts << "kose";
        Press(36);
        QCOMPARE(Store().FindProcedure("kose"), 1);
        QCOMPARE(ToQt(Store().GetBody(1)), Up + "\n" +
                                               QString::fromUtf8("sağ 90 ileri uzunluk\n\n") +
                                               QString::fromUtf8("sağ 180 ileri uzunluk\n\n"));
        QVERIFY(!Form()->RecordingMacroLabel->isVisible());
        QVERIFY(Form()->Button(35)->isEnabled());
        QVERIFY(!Form()->Button(36)->isEnabled());
        QCOMPARE(Form()->ProcedureComboBox->itemText(0), QString("kose"));
        QCOMPARE(Form()->HistoryCount(), 4);
        QVERIFY(window->Document().Changed());
    }

    void MacroWithATakenNameKeepsRecording() {
        Store().AddProcedure("kare", "fd 30\n");
        Press(35);
        Press(2);
        dialogs->texts << "kare";
        Press(36);
        QCOMPARE(dialogs->messages.size(), 1);
        QCOMPARE(ToQt(Store().GetBody(1)), QString("fd 30\n"));
        QCOMPARE(Form()->MacroStart(), 1);
    }

    void F8FinishesTheMacroWhileTheWindowIsActive() {
        Press(35);
        Press(2);
        Activate();
        dialogs->texts << "yol";
        QTest::keyClick(Form(), Qt::Key_F8);
        QCOMPARE(Store().FindProcedure("yol"), 1);
        QCOMPARE(Form()->MacroStart(), -1);
    }

    void RestartWhileRecordingFollowsTheAnswers() {
        Press(35);
        Press(2);
        dialogs->confirmations << 0 << -1;
        Press(25);
        Press(25);
        QCOMPARE(dialogs->questions.size(), 2);
        QCOMPARE(Form()->MacroStart(), 1);
        QCOMPARE(Form()->HistoryCount(), 2);
        QCOMPARE(Form()->LastButtonLabel->text(), QString::fromUtf8("İleri"));
        Press(2);
        QCOMPARE(Form()->HistoryCount(), 3);
        dialogs->confirmations << 1 << 0;
        Press(25);
        QCOMPARE(dialogs->questions.size(), 5);
        QVERIFY(dialogs->questions[3].startsWith(QString::fromUtf8("Prosedür adını")));
        QCOMPARE(Form()->MacroStart(), -1);
        QVERIFY(!Form()->RecordingMacroLabel->isVisible());
        QVERIFY(Form()->Button(35)->isEnabled());
        QCOMPARE(Form()->HistoryCount(), 1);
        QCOMPARE(Line(0), StartupLine.chopped(1));
        QCOMPARE(Body(), StartupLine);
        QCOMPARE(Turtle().Position(), QPoint(500, 500));
        QCOMPARE(Store().ProcedureCount(), 1);
        QCOMPARE(Form()->LastButtonLabel->text(), QString::fromUtf8("Yeniden Başlat"));
        QVERIFY(Form()->isVisible());
        Press(2);
        QCOMPARE(Last(), Up);
    }

    void RefusedWhileRunningOrDuringAnotherDispatch() {
        support::RecordingNotifier notifier;
        Globals().Running = true;
        Form()->ButtonCommand(2);
        Globals().Running = false;
        QCOMPARE(notifier.beeps, 1);
        QCOMPARE(Form()->HistoryCount(), 1);
        dialogs->whileAsking = [this] { Form()->ButtonCommand(2); };
        dialogs->texts << "30";
        Press(27);
        dialogs->whileAsking = nullptr;
        QCOMPARE(notifier.beeps, 2);
        QCOMPARE(Form()->HistoryCount(), 2);
        QCOMPARE(Last(), QString("uzunluk = 30\n"));
        Press(2);
        QCOMPARE(Last(), Up);
    }

    void KeypadPressesTheGridButtons() {
        Activate();
        QTest::keyClick(Form(), Qt::Key_8, Qt::KeypadModifier);
        WaitIdle();
        QCOMPARE(Last(), Up);
        Activate();
        QTest::keyClick(Form(), Qt::Key_Right, Qt::KeypadModifier);
        WaitIdle();
        QCOMPARE(Last(), QString::fromUtf8("sağ 90 ileri uzunluk\n"));
        Activate();
        QTest::keyClick(Form(), Qt::Key_Clear, Qt::KeypadModifier);
        WaitIdle();
        QCOMPARE(Last(), QString("ev\n"));
        QCOMPARE(Turtle().Position(), QPoint(500, 500));
        const int count = Form()->HistoryCount();
        Activate();
        Form()->FreeCommandEdit->setFocus();
        QTest::keyClick(Form()->FreeCommandEdit, Qt::Key_7, Qt::KeypadModifier, '7');
        QCOMPARE(Form()->FreeCommandEdit->text(), QString("7"));
        QCOMPARE(Form()->HistoryCount(), count);
    }

    // After the switch the panel has the focus, so the keypad draws at
    // once, and keeps it across the run; a line that fails says why in red.
    void KeypadDrawsAtOnceAndAFailedLineSaysWhy() {
        Activate();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Form()));
        const int count = Form()->HistoryCount();
        QTest::keyClick(Form(), Qt::Key_8, Qt::KeypadModifier, '8');
        WaitIdle();
        QCOMPARE(Form()->HistoryCount(), count + 1);
        QCOMPARE(Turtle().Position(), QPoint(540, 500));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Form()));
        FreeCommand("yuruu 10");
        QCOMPARE(Form()->StatusLine->currentMessage(),
                 QString::fromUtf8("Bilinmeyen komut: 'yuruu 10' ( satır = 3 ) "));
        QCOMPARE(Form()->StatusLine->styleSheet(), QString("color: #c00000;"));
    }

    void WindowWaitsWhileItsLineRuns() {
        QSignalSpy ended(window.get(), &MainWindow::RunEnded);
        QTest::mouseClick(Form()->Button(2), Qt::LeftButton);
        QVERIFY(!Form()->isEnabled());
        QCOMPARE(Form()->RunStateLabel->text(), QString::fromUtf8("Çalışıyor"));
        QVERIFY(ended.wait(10000));
        QVERIFY(Form()->isEnabled());
        QCOMPARE(Form()->RunStateLabel->text(), QString::fromUtf8("Hazır"));
        QCOMPARE(Form()->HeadingLabel->text(), QString("0"));
    }

    // Docked, the panel never stands over the picture and stays put;
    // floating, it steps out of the turtle's way.
    void FloatingPanelMovesOutOfTheTurtlesWay() {
        QDockWidget* dock = window->CommandDock();
        QVERIFY(dock->isAncestorOf(Form()));
        QCOMPARE(window->dockWidgetArea(dock), Qt::RightDockWidgetArea);
        const QPoint turtle = Turtle().Position();
        const int x = window->PictureToGlobal(turtle).x();
        QVERIFY(!window->Drawing()->visibleRegion().isEmpty());
        const QPoint docked = dock->pos();
        Form()->TurtleMoved(turtle);
        QCOMPARE(dock->pos(), docked);
        dock->setFloating(true);
        const QPoint over(x - dock->width() / 2, dock->y());
        Globals().AutoMoveGraphicWindow = false;
        dock->move(over);
        Form()->TurtleMoved(turtle);
        QCOMPARE(dock->pos(), over);
        Globals().AutoMoveGraphicWindow = true;
        Form()->TurtleMoved(turtle);
        const QRect frame = dock->frameGeometry();
        QVERIFY(x < frame.left() - 25 || x > frame.right() + 1 + 25);
        const QPoint away = dock->pos();
        Form()->TurtleMoved(turtle);
        QCOMPARE(dock->pos(), away);
    }

    void ClassicLayoutRowsAndSizes() {
        const auto rects = ButtonLayout::Arrange(330, 768, 46);
        QCOMPARE(rects[0], QRect(10, 46, 100, 30));
        QCOMPARE(rects[1], QRect(110, 46, 100, 30));
        QCOMPARE(rects[2], QRect(210, 46, 100, 30));
        QCOMPARE(rects[3], QRect(10, 78, 100, 30));
        QCOMPARE(rects[29], QRect(210, 334, 100, 30));
        QCOMPARE(rects[30], QRect(10, 366, 60, 30));
        QCOMPARE(rects[33], QRect(190, 366, 60, 30));
        QCOMPARE(rects[34], QRect(10, 398, 60, 30));
        QCOMPARE(rects[37], QRect(190, 398, 60, 30));
        const int screenHeight = Form()->screen()->geometry().height();
        const auto shown = ButtonLayout::Arrange(330, screenHeight, Form()->Button(1)->y());
        for (int n = 1; n <= ButtonCommandWindow::ButtonCount; ++n)
            QCOMPARE(Form()->Button(n)->geometry(), shown[n - 1]);
        Trigger(Form()->ArrangeTallAction);
        QCOMPARE(Form()->Button(3)->x(), 10);
        Trigger(Form()->ClassicArrangementAction);
        QCOMPARE(Form()->Button(3)->x(), 210);
    }

    // The history fills the panel below the procedure list; hidden, the
    // panel needs no room for it.
    void HidingTheHistoryLowersThePanelsMinimum() {
        const int procedureBottom = Form()->ProcedureComboBox->geometry().bottom() + 1;
        const int status = Form()->StatusLine->sizeHint().height();
        QCOMPARE(Form()->HistoryList->geometry().bottom() + 1 + 8, Form()->height() - status);
        Trigger(Form()->ShowPanelAction);
        QVERIFY(!Form()->HistoryList->isVisible());
        QCOMPARE(Form()->minimumHeight(), procedureBottom + 8 + status);
        Trigger(Form()->ShowPanelAction);
        QVERIFY(Form()->HistoryList->isVisible());
        QCOMPARE(Form()->minimumHeight(), procedureBottom + 65 + 8 + status);
    }

    void DirectionPicturesFollowTheTurtle() {
        QCOMPARE(ButtonPictures::PictureIndex(-5), 71);
        QCOMPARE(ButtonPictures::PictureIndex(720), 0);
        FreeCommand("sol 10");
        QCOMPARE(Turtle().Heading, 350.0f);
        const QImage up = IconImage(ButtonPictures::DirectionPicture(70));
        QVERIFY(up != IconImage(ButtonPictures::DirectionPicture(54)));
        QCOMPARE(IconImage(Form()->Button(2)->icon()), up);
        QCOMPARE(IconImage(Form()->Button(6)->icon()),
                 IconImage(ButtonPictures::DirectionPicture(16)));
        QCOMPARE(IconImage(Form()->Button(37)->icon()), up);
        Globals().ChangePictures = false;
        FreeCommand("sol 10");
        QCOMPARE(IconImage(Form()->Button(2)->icon()),
                 IconImage(ButtonPictures::DirectionPicture(54)));
        QCOMPARE(IconImage(Form()->Button(37)->icon()),
                 IconImage(ButtonPictures::DirectionPicture(68)));
    }

    void HintOfTheButtonUnderTheMouseInTheStatusLine() {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(Form()->Button(2), &enter);
        QCOMPARE(Form()->StatusLine->currentMessage(),
                 QString::fromUtf8("Okun gösterdiği yöne döner ve bir adım gider (ileri)."));
        QCOMPARE(Form()->Button(2)->toolTip(), Form()->StatusLine->currentMessage());
    }

    void LanguageSwitchRenamesButtonsAndHistory() {
        Press(2);
        window->Actions().EnglishInterfaceAction->trigger();
        QCOMPARE(Form()->windowTitle(), QString("Graphical Mode"));
        QCOMPARE(Form()->Button(2)->text(), QString("Ahead"));
        QCOMPARE(Form()->RunStateLabel->text(), QString("Ready"));
        QVERIFY(Form()->PenStateLabel->geometry().right() < Form()->width());
        QCOMPARE(Last(), QString("forward steplength"));
        Press(6);
        QCOMPARE(Last(), QString("right 90 forward steplength\n"));
    }

    void PressesDrawWhatTheirMainProcedureDraws() {
        dialogs->colours << QColor(200, 30, 30);
        dialogs->texts << "3"
                       << "Merhaba"
                       << "60";
        for (int n : {2, 6, 12, 22, 26, 3, 11, 4, 10, 9, 28, 37, 27, 23, 38, 7, 1})
            Press(n);
        FreeCommand("sol 15");
        Press(8);
        const std::string body = Store().GetBody(0);
        const QImage drawn = window->Engine().Screen().Surface().Image().copy();
        QCOMPARE(Form()->HistoryCount(), 20);
        window.reset();
        LogoEngine engine;
        engine.NewProgram();
        engine.Procedures().SetBody(0, body);
        QVERIFY(engine.StartRun(0));
        engine.Runner().RunToEnd(false);
        QVERIFY(engine.Screen().Surface().Image() == drawn);
        QVERIFY(engine.Screen().Surface().PixelColor(500, 500) != WhiteColor);
    }
};

QTEST_MAIN(GraphicalModeTest)
#include "GraphicalModeTest.moc"
