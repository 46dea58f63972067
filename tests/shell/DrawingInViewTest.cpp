// The drawing stays in view through the real main window: the home point in
// the middle at start and after Reset, a run's or an opened file's drawing
// brought into view, the turtle followed in graphical mode, the option
// remembered, and the window's place and docks remembered across a restart.
#include "core/GlobalSettings.h"
#include "core/ProgramFiles.h"
#include "core/ProcedureStore.h"
#include "modes/ButtonCommandWindow.h"
#include "shell/MainActions.h"
#include "shell/MainWindow.h"
#include "shell/DrawingView.h"
#include "widgets/CodeEditor.h"
#include "shell/support/ScriptedDialogs.h"

#include <QAction>
#include <QDockWidget>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace mivarelo;

class DrawingInViewTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir folder;
    std::unique_ptr<support::ScriptedDialogs> dialogs;
    std::unique_ptr<MainWindow> window;

    void Open() {
        window = std::make_unique<MainWindow>();
        window->resize(1000, 700);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QTest::qWait(50);
    }

    void WaitForRun() {
        QSignalSpy ended(window.get(), &MainWindow::RunEnded);
        if (window->Running() || Globals().RunActive) QVERIFY(ended.wait(10000));
        QTest::qWait(50);
    }

    void RunProgram(const QString& text) {
        window->findChild<CodeEditor*>(QStringLiteral("Editor"))->setPlainText(text);
        window->Actions().RunProcedureAction->trigger();
        WaitForRun();
    }

    // The middle of the part in view, within a pixel of the zoom's rounding.
    static bool CentredOn(const QRect& visible, QPoint point) {
        const QPoint off = visible.center() - point;
        return std::abs(off.x()) <= 2 && std::abs(off.y()) <= 2;
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
        Open();
    }

    void cleanup() {
        window.reset();
        dialogs.reset();
    }

    // A line from 100 to 1900 does not fit at 100 %: the view zooms out just
    // enough for it and its 20-pixel margin, and centres it. Reset puts the
    // home point back in the middle.
    void HomeInTheMiddleAndARunsDrawingBroughtIntoView() {
        QVERIFY(window->Actions().KeepInViewAction->isChecked());
        QCOMPARE(window->View().Factor(), 1.0);
        QVERIFY2(CentredOn(window->View().VisiblePicture(), QPoint(500, 500)),
                 qPrintable(QString::number(window->View().VisiblePicture().center().x())));
        RunProgram("pu\nsetpos 100,1500\npd\nfd 1800");
        const QRect visible = window->View().VisiblePicture();
        QVERIFY(visible.contains(QRect(80, 1480, 1841, 41)));
        QVERIFY(window->View().Factor() < 1.0);
        QVERIFY(visible.width() < 1841 * 1.05);
        QVERIFY(CentredOn(visible, QPoint(1000, 1500)));
        dialogs->confirmations << 0;
        window->Actions().ResetAction->trigger();
        QVERIFY(CentredOn(window->View().VisiblePicture(), QPoint(500, 500)));

        // A small drawing already in view leaves the view alone.
        window->Actions().Zoom100Action->trigger();
        const QRect before = window->View().VisiblePicture();
        RunProgram("fd 50");
        QCOMPARE(window->View().VisiblePicture(), before);
        QCOMPARE(window->View().Factor(), 1.0);

        // Turned off, and remembered so, the view stays where it is.
        window->Actions().KeepInViewAction->setChecked(false);
        RunProgram("pu\nsetpos 1900,1900\npd\nfd 10");
        QCOMPARE(window->View().VisiblePicture(), before);
        window.reset();
        Open();
        QVERIFY(!window->Actions().KeepInViewAction->isChecked());
    }

    void OpenedFileIsRunAndShownWhole() {
        ProcedureStore program;
        program.AddProcedure("AnaEkran", "pu\nsetpos 1700,1800\npd\nfd 200\n");
        const QString path = folder.filePath("corner.elg");
        QVERIFY(SaveProgram(program, path.toStdString()));
        dialogs->files << path;
        window->Actions().OpenAction->trigger();
        WaitForRun();
        QVERIFY(window->View().VisiblePicture().contains(QRect(1680, 1780, 241, 41)));
    }

    // Each button's line runs at full speed; afterwards the turtle is in
    // view even after it walked far off.
    void GraphicalModeKeepsTheTurtleInView() {
        window->Actions().GraphicalModeAction->trigger();
        WaitForRun();
        auto* form = qobject_cast<ButtonCommandWindow*>(window->CurrentCommandWindow());
        QVERIFY(form);
        QCOMPARE(window->dockWidgetArea(window->CommandDock()), Qt::RightDockWidgetArea);
        window->Actions().Zoom100Action->trigger();
        form->FreeCommandEdit->setText("ig 1400");
        QTest::keyClick(form->FreeCommandEdit, Qt::Key_Return);
        WaitForRun();
        QCOMPARE(window->Engine().Screen().State().Position(), QPoint(1900, 500));
        QVERIFY(window->View().VisiblePicture().contains(QPoint(1900, 500)));
    }

    // The first start is maximized; afterwards the window and its docks come
    // back as they were left.
    void PlaceAndDocksRememberedAcrossARestart() {
        window.reset();
        window = std::make_unique<MainWindow>();
        window->ShowRemembered();
        QVERIFY(window->isMaximized());
        window->showNormal();
        window->setGeometry(40, 50, 900, 640);
        window->addDockWidget(Qt::LeftDockWidgetArea, window->CommandDock());
        QVERIFY(window->close());
        window = std::make_unique<MainWindow>();
        window->ShowRemembered();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QVERIFY(!window->isMaximized());
        QCOMPARE(window->size(), QSize(900, 640));
        QCOMPARE(window->dockWidgetArea(window->CommandDock()), Qt::LeftDockWidgetArea);
        QVERIFY(window->CommandDock()->isVisible());
    }
};

QTEST_MAIN(DrawingInViewTest)
#include "DrawingInViewTest.moc"
