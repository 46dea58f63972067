// A seeded random sequence of user actions on the real main window, its
// command window and the graphical mode: menu actions, shortcuts, buttons,
// typed text, mode and language switches, damaged files opened through the
// file dialog, every dialog answered at random. Afterwards the window must
// still run programs, and the program must come back unchanged through save
// and load. MONKEY_ACTIONS sets the length (300 by default), MONKEY_SEED
// the seed (a fresh one by default); the seed is printed for a replay.
#include "core/GlobalSettings.h"
#include "core/ProgramFiles.h"
#include "core/ProcedureStore.h"
#include "engine/TurtleState.h"
#include "modes/CommandWindow.h"
#include "shell/MainActions.h"
#include "widgets/QtText.h"
#include "shell/MainWindow.h"
#include "shell/ProgramDocument.h"
#include "widgets/CodeEditor.h"
#include "shell/support/ScriptedDialogs.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <fstream>
#include <memory>

using namespace mivarelo;

namespace {

int EnvironmentNumber(const char* name, int fallback) {
    const QByteArray value = qgetenv(name);
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok ? number : fallback;
}

// Commands of every dialect, some of them broken on purpose.
const QStringList Phrases = {"ileri 50",
                             "geri 20",
                             "sa\u011f 90",
                             "sol 45",
                             "ig 30",
                             "gg 10",
                             "sg 60",
                             "fd 40",
                             "bk 15",
                             "rt 30",
                             "lt 75",
                             "forward 25",
                             "right 120",
                             "repeat 4 [fd 20 rt 90]",
                             "tekrar 3 [ig 40 sa\u011f 120]",
                             "tk 6 [ig 10 sg 60]",
                             "a := 5",
                             "b = :a * 2",
                             "eger :a > 3 [sol 90]",
                             "if 1 < 2 [rt 10]",
                             "setpc [255 0 0]",
                             "circle 30",
                             "pu",
                             "pd",
                             "home",
                             "cs",
                             "clearscreen",
                             "label [Merhaba]",
                             "fill",
                             "setxy 10,20",
                             "wait 5",
                             "repeat 100000 [fd 1 rt 1]",
                             "[[[",
                             "]]",
                             "((1+",
                             "ileri100sa\u011f90",
                             "; yorum",
                             "\u0131\u015f\u0131k",
                             "\u00c7\u0130\u011e\u00d6\u015e\u00dc",
                             "1e38 * 1e38",
                             "kare 10",
                             "to kare :a",
                             "end",
                             "tekrar :x [ig :x]",
                             "sqrt -1",
                             "random 100"};

// Characters slipped into the phrases; never the byte that separates the
// fields of a program file, so that the final save cannot be refused.
const QString Characters = QString::fromUtf8("çğıöşüÇĞİÖŞÜ[]();:=+-*/ 0123456789'\"");

// Answers of the text questions: names, arguments, nonsense.
const QStringList AnswerTexts = {"kare", "kare :a",    "10, 20", "\u00e7i\u00e7ek", "",
                                 "   ",  "tekrar [[[", "1e300",  "a b c",           ":x :y"};

// Types the text character by character as key events carrying the text,
// which also works for letters beyond Latin-1 (QTest::keyClicks does not).
void TypeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

// The offscreen platform warns on every raise and keyboard grab and a
// random key often goes to a widget that ignores it: thousands of lines
// that say nothing. Only critical and fatal messages are shown.
QtMessageHandler qtHandler = nullptr;
void KeepSerious(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) qtHandler(type, context, message);
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    std::ofstream out(path.toStdString(), std::ios::binary | std::ios::trunc);
    out.write(bytes.constData(), bytes.size());
}

} // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir folder;
    std::unique_ptr<support::ScriptedDialogs> dialogs;
    std::unique_ptr<MainWindow> window;
    QRandomGenerator random;
    QStringList files;
    QList<QAction*> actions;

    ProcedureStore& Store() { return window->Engine().Procedures(); }
    QString File(const QString& name) const { return folder.filePath(name); }
    int Draw(int count) { return static_cast<int>(random.bounded(count)); }

    // Damaged programs and pictures to open, and places to save to.
    void MakeFiles() {
        const QByteArray e("\xE9");
        WriteFile(File("huge-count.elg"),
                  "1" + e + "2147483647" + e + "AnaEkran" + e + "1" + e + "-5" + e + "fd 10");
        WriteFile(File("more-headers.elg"),
                  "1" + e + "3" + e + "AnaEkran" + e + "kare :a" + e + "x" + e + "1" + e + "1" + e);
        WriteFile(File("empty.elg"), "");
        WriteFile(File("broken.lgo"), "to kare :a\nrepeat 4 [[[fd :a rt 90\nmake \"x (1 +\n");
        WriteFile(File("own.lgo"), "; Bu dosya Mivarelo ile olu\xFEturuldu.\n; This file was "
                                   "created by Mivarelo.\n\nto AnaEkran\nrepeat [fd\nend\n");
        WriteFile(File("picture.png"), "\x89PNG\r\n\x1A\n broken");
        QByteArray noise;
        for (int i = 0; i < 300; ++i)
            noise += static_cast<char>(random.bounded(256));
        WriteFile(File("noise.elg"), noise);
        WriteFile(File("noise.lgo"), noise);
        QDir(folder.path()).mkdir("a-folder");
        files = {File("huge-count.elg"), File("more-headers.elg"), File("empty.elg"),
                 File("broken.lgo"),     File("own.lgo"),          File("picture.png"),
                 File("noise.elg"),      File("noise.lgo"),        File("missing.elg"),
                 File("a-folder"),       File("saved.elg"),        File("saved.lgo"),
                 File("out.png"),        File("out.svg"),          File("out.pdf")};
    }

    // Every menu entry except those that leave the test's world: quitting,
    // printing on a real printer and registering the file type on the machine.
    void CollectActions() {
        MainActions& a = window->Actions();
        const QList<QAction*> excluded = {a.ExitAction, a.PrintPictureAction, a.PrintPreviewAction,
                                          a.PrintProgramAction, a.SetDefaultSoftwareAction};
        QList<QMenu*> menus;
        for (QAction* top : window->menuBar()->actions())
            if (top->menu()) menus << top->menu();
        while (!menus.isEmpty()) {
            QMenu* menu = menus.takeFirst();
            for (QAction* action : menu->actions()) {
                if (action->menu())
                    menus << action->menu();
                else if (!action->isSeparator() && !excluded.contains(action))
                    actions << action;
            }
        }
    }

    QWidget* Target() {
        QWidget* focus = QApplication::focusWidget();
        if (focus && focus->isVisible()) return focus;
        QPlainTextEdit* editor = window->findChild<CodeEditor*>(QStringLiteral("Editor"));
        if (editor && editor->isVisible()) return editor;
        return window.get();
    }

    QString RandomText() {
        QString text = Phrases[Draw(Phrases.size())];
        if (Draw(3) == 0) text.insert(Draw(text.size() + 1), Characters[Draw(Characters.size())]);
        return text;
    }

    void TriggerAction() {
        QAction* action = actions[Draw(actions.size())];
        if (action->isEnabled()) action->trigger();
    }

    void TypeIntoEditor() {
        QPlainTextEdit* editor = window->findChild<CodeEditor*>(QStringLiteral("Editor"));
        if (!editor || !editor->isVisible() || !editor->isEnabled()) return;
        editor->setFocus();
        TypeText(editor, RandomText());
        if (Draw(2) == 0) QTest::keyClick(editor, Qt::Key_Return);
    }

    void TypeIntoLine() {
        QList<QLineEdit*> lines;
        for (QLineEdit* line : window->CurrentCommandWindow()->findChildren<QLineEdit*>())
            if (line->isVisible() && line->isEnabled() && !line->isReadOnly()) lines << line;
        if (lines.isEmpty()) return;
        QLineEdit* line = lines[Draw(lines.size())];
        line->setFocus();
        TypeText(line, RandomText());
        QTest::keyClick(line, Qt::Key_Return);
    }

    void PressKey() {
        static const QList<QPair<int, Qt::KeyboardModifiers>> keys = {
            {Qt::Key_F2, Qt::NoModifier},        {Qt::Key_F8, Qt::NoModifier},
            {Qt::Key_Escape, Qt::NoModifier},    {Qt::Key_Z, Qt::ControlModifier},
            {Qt::Key_Y, Qt::ControlModifier},    {Qt::Key_Return, Qt::NoModifier},
            {Qt::Key_Up, Qt::NoModifier},        {Qt::Key_Down, Qt::NoModifier},
            {Qt::Key_Backspace, Qt::NoModifier}, {Qt::Key_Tab, Qt::NoModifier},
            {Qt::Key_A, Qt::ControlModifier},    {Qt::Key_Delete, Qt::NoModifier}};
        const auto& [key, modifiers] = keys[Draw(keys.size())];
        QTest::keyClick(Target(), static_cast<Qt::Key>(key), modifiers);
    }

    void ClickButton() {
        QList<QAbstractButton*> buttons;
        for (QAbstractButton* button : window->CurrentCommandWindow()->findChildren<QAbstractButton*>())
            if (button->isVisible() && button->isEnabled()) buttons << button;
        if (!buttons.isEmpty()) buttons[Draw(buttons.size())]->click();
    }

    void ChooseProcedure() {
        QComboBox* list = window->findChild<QComboBox*>(QStringLiteral("ProcedureList"));
        if (list && list->isEnabled() && list->count() > 0)
            list->setCurrentIndex(Draw(list->count()));
    }

    void OpenDamagedFile() {
        dialogs->files << files[Draw(files.size())];
        dialogs->fileFilters << 1 + Draw(4);
        window->Actions().OpenAction->trigger();
        // A refused discard or a disabled action asks for no file; the
        // answer must not be left for a later dialog.
        dialogs->files.clear();
        dialogs->fileFilters.clear();
    }

    void SwitchMode() {
        MainActions& a = window->Actions();
        QAction* switches[] = {a.CommandModeAction, a.GraphicalModeAction,    a.EnglishInterfaceAction, a.TurkishInterfaceAction,
                               a.TurkishLongAction,      a.EnglishShortAction};
        QAction* action = switches[Draw(6)];
        if (action->isEnabled()) action->trigger();
    }

    void RandomStep() {
        const int kind = Draw(100);
        if (kind < 20)
            TriggerAction();
        else if (kind < 35)
            TypeIntoEditor();
        else if (kind < 45)
            TypeIntoLine();
        else if (kind < 57)
            PressKey();
        else if (kind < 67)
            ClickButton();
        else if (kind < 72)
            ChooseProcedure();
        else if (kind < 77)
            OpenDamagedFile();
        else if (kind < 82)
            SwitchMode();
        else
            QTest::qWait(Draw(20));
    }

    // No program and no text runs, also a text run that never sets the
    // running flag.
    bool AtRest() {
        return !window->Running() && !Globals().RunActive && !window->Engine().Runner().Busy();
    }

    void WaitForRest() {
        if (!AtRest()) window->StopRun();
        QTRY_VERIFY_WITH_TIMEOUT(AtRest(), 10000);
    }

    // A run started now ends, and the turtle moved as told. The moves use
    // words no procedure of the test takes: a damaged file it opens holds a
    // procedure named "fd", which hides that keyword as any procedure may.
    void CheckRuns() {
        WaitForRest();
        QVERIFY(window->RunText("setev"));
        QTRY_VERIFY_WITH_TIMEOUT(AtRest(), 10000);
        const TurtleState& turtle = window->Engine().Screen().State();
        const QPoint home = turtle.Position();
        QVERIFY(window->RunText("ileri 10"));
        QTRY_VERIFY_WITH_TIMEOUT(AtRest(), 10000);
        QVERIFY(turtle.Position() != home);
        QVERIFY(window->RunText("geri 10"));
        QTRY_VERIFY_WITH_TIMEOUT(AtRest(), 10000);
        QCOMPARE(turtle.Position(), home);
    }

    // Saved through the file dialog, the program loads back as it was, both
    // on its own and into the window.
    void CheckRoundTrip() {
        // A macro still being recorded in the graphical mode is finished
        // first under a new name, since finishing it changes the program;
        // one that recorded nothing yet goes on and is asked about again.
        dialogs->confirmations << 1 << 1;
        dialogs->texts << "sonmakro";
        QVERIFY(window->CurrentCommandWindow()->CanLeave());
        const QString path = File("final.elg");
        dialogs->files << path;
        dialogs->fileFilters << ProgramDocument::ProgramKind;
        QVERIFY(window->Document().SaveAs());
        const StringList headers = Store().Headers();
        const StringList bodies = Store().Bodies();
        ProcedureStore loaded;
        QVERIFY(LoadProgram(loaded, path.toStdString()));
        QCOMPARE(loaded.Headers(), headers);
        QCOMPARE(loaded.Bodies(), bodies);
        QVERIFY(window->Document().OpenFile(path, ProgramDocument::ProgramKind));
        QCOMPARE(Store().Headers(), headers);
        QCOMPARE(Store().Bodies(), bodies);
    }

private slots:
    void initTestCase() {
        QVERIFY(folder.isValid());
        qtHandler = qInstallMessageHandler(KeepSerious);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, File("settings"));
    }

    void RandomActionsLeaveAWorkingWindow() {
        const int count = EnvironmentNumber("MONKEY_ACTIONS", 300);
        const quint32 seed = static_cast<quint32>(EnvironmentNumber(
            "MONKEY_SEED", static_cast<int>(QRandomGenerator::global()->bounded(1 << 30))));
        std::printf("MonkeyTest: seed %u, %d actions (MONKEY_SEED=%u replays them)\n", seed, count,
                    seed);
        std::fflush(stdout);
        random.seed(seed);
        MakeFiles();
        dialogs = std::make_unique<support::ScriptedDialogs>();
        dialogs->AnswerAtRandom(seed, AnswerTexts, files);
        window = std::make_unique<MainWindow>();
        window->show();
        CollectActions();
        QVERIFY(actions.size() > 50);
        for (int step = 0; step < count; ++step)
            RandomStep();
        dialogs->StopRandomAnswers();
        std::printf("MonkeyTest: %lld questions and %lld messages answered, %d procedures\n",
                    static_cast<long long>(dialogs->questions.size()),
                    static_cast<long long>(dialogs->messages.size()), Store().ProcedureCount());
        CheckRuns();
        if (QTest::currentTestFailed()) return;
        CheckRoundTrip();
        window.reset();
        dialogs.reset();
    }
};

QTEST_MAIN(MonkeyTest)
#include "MonkeyTest.moc"
