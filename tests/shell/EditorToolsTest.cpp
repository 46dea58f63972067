// Flows through the real main window and command-mode editor: the line
// numbers and the error list, completion, the console, help on F1, the
// program as HTML and on paper, and the colour picker. Dialogs answer from
// a script.
#include "core/GlobalSettings.h"
#include "core/Keywords.h"
#include "core/ProcedureStore.h"
#include "modes/CommandConsole.h"
#include "modes/TextCommandWindow.h"
#include "shell/CommandReference.h"
#include "shell/DocumentExports.h"
#include "shell/ErrorNavigator.h"
#include "shell/HelpWindow.h"
#include "shell/MainActions.h"
#include "shell/MainWindow.h"
#include "shell/OptionsMenu.h"
#include "shell/ProcedureEditor.h"
#include "shell/ProgramDocument.h"
#include "shell/support/ScriptedDialogs.h"
#include "widgets/CodeEditor.h"
#include "widgets/LineNumberMargin.h"
#include "widgets/QtText.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCompleter>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include <memory>

using namespace mivarelo;

namespace {

// The link target of the first anchor in `document` whose text is `text`.
QString HrefOf(QTextDocument* document, const QString& text) {
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isAnchor() && fragment.text() == text)
                return fragment.charFormat().anchorHref();
        }
    return {};
}

// The texts the completion popup offers now, in order.
QStringList Offered(QCompleter* completer) {
    QStringList shown;
    for (int row = 0; row < completer->completionCount(); ++row) {
        completer->setCurrentRow(row);
        shown << completer->currentIndex().data(Qt::DisplayRole).toString();
    }
    return shown;
}

// Types `text` into `widget` key by key; letters outside ASCII come as key
// events that carry only their text, as an input method would send them.
void TypeInto(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(widget, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace

class EditorToolsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir settings;
    QTemporaryDir files;
    std::unique_ptr<support::ScriptedDialogs> dialogs;
    std::unique_ptr<MainWindow> window;

    TextCommandWindow* Form() {
        return qobject_cast<TextCommandWindow*>(window->CurrentCommandWindow());
    }
    CodeEditor* Editor() { return Form()->findChild<CodeEditor*>(QStringLiteral("Editor")); }
    QListWidget* Errors() { return window->findChild<QListWidget*>(QStringLiteral("ErrorList")); }
    ProcedureStore& Store() { return window->Engine().Procedures(); }
    HelpWindow* Help() { return window->findChild<HelpWindow*>(); }

    void Type(const QString& program) {
        Editor()->setFocus();
        const QStringList lines = program.split(u'\n');
        for (qsizetype k = 0; k < lines.size(); ++k) {
            if (k > 0) QTest::keyClick(Editor(), Qt::Key_Return);
            TypeInto(Editor(), lines[k]);
            Editor()->Completer()->popup()->hide();
        }
    }

    void RunAndWait() {
        QSignalSpy ended(window.get(), &MainWindow::RunEnded);
        window->Actions().RunProcedureAction->trigger();
        if (window->Running()) QVERIFY(ended.wait(10000));
        QTest::qWait(150);
    }

    void WaitForRest() { QTRY_VERIFY(!window->Engine().Runner().Busy()); }

    // The cursor into `word` of editor line `line` (from 0).
    void PutCursorIn(int line, const QString& word) {
        const QTextBlock block = Editor()->document()->findBlockByNumber(line);
        QTextCursor cursor(block);
        cursor.setPosition(block.position() + block.text().indexOf(word) + 1);
        Editor()->setTextCursor(cursor);
    }

    QString ExpectedAnchor(const char* keyword) {
        const int entry =
            CommandReference(Globals().EnglishInterface).EntryOf(LookupCommand(keyword));
        return QStringLiteral("cmd-%1").arg(entry);
    }

private slots:
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    }

    void init() {
        ResetGlobals();
        dialogs = std::make_unique<support::ScriptedDialogs>();
        window = std::make_unique<MainWindow>();
        window->show();
    }

    void cleanup() {
        window.reset();
        dialogs.reset();
    }

    void LineNumbersAreTheErrorListsNumbers() {
        Type("ileri 10\n\nsağ 90; ilery 5\nyaz x");
        RunAndWait();
        QCOMPARE(Errors()->count(), 1);
        QCOMPARE(Errors()->item(0)->text(),
                 QString::fromUtf8("Bilinmeyen komut: 'ilery 5' ( satır = 3 ) "));
        const QTextBlock third = Editor()->document()->findBlockByNumber(2);
        const QRect thirdRect = Editor()->cursorRect(QTextCursor(third));
        QCOMPARE(Editor()->LineNumberAtHeight(thirdRect.center().y()), 3);
        QCOMPARE(Editor()->Margin()->width(), Editor()->MarginWidth());
        QCOMPARE(Editor()->MarginWidth(),
                 12 + 2 * QFontMetrics(Editor()->font()).horizontalAdvance(u'9'));
        QVERIFY(Editor()->viewport()->geometry().left() >= Editor()->MarginWidth());
        // The number is painted beside its line, and nothing below the last.
        const QImage margin = Editor()->Margin()->grab().toImage();
        const auto inkIn = [&margin](int top, int bottom) {
            int ink = 0;
            for (int y = std::max(0, top); y <= bottom && y < margin.height(); ++y)
                for (int x = 0; x < margin.width(); ++x)
                    if (margin.pixel(x, y) != margin.pixel(0, y)) ++ink;
            return ink;
        };
        QVERIFY(inkIn(thirdRect.top(), thirdRect.bottom()) > 0);
        const int belowLast =
            Editor()->cursorRect(QTextCursor(Editor()->document()->lastBlock())).bottom() + 2;
        QCOMPARE(inkIn(belowLast, margin.height() - 1), 0);

        Editor()->moveCursor(QTextCursor::End);
        QTest::mouseClick(Errors()->viewport(), Qt::LeftButton, {},
                          Errors()->visualItemRect(Errors()->item(0)).center());
        QCOMPARE(Editor()->textCursor().selectionStart(), third.position() + 8);
        QCOMPARE(Editor()->textCursor().selectedText(), QString("ilery 5"));
    }

    void F1OnAnyDialectWordOpensItsEntry() {
        Type("ig 50\nforward 20\nkare 5");
        PutCursorIn(0, "ig");
        QTest::keyClick(Editor(), Qt::Key_F1);
        QVERIFY(Help() && Help()->isVisible());
        QCOMPARE(Help()->ShownAnchor(), ExpectedAnchor("ileri"));
        Help()->hide();
        PutCursorIn(1, "forward");
        QTest::keyClick(Editor(), Qt::Key_F1);
        QVERIFY(Help()->isVisible());
        QCOMPARE(Help()->ShownAnchor(), ExpectedAnchor("ileri"));
        QVERIFY(Help()->Browser()->toPlainText().contains(QStringLiteral("ileri 100")));

        PutCursorIn(2, "kare");
        QTest::keyClick(Editor(), Qt::Key_F1);
        QCOMPARE(Help()->ShownAnchor(), QString());
        QCOMPARE(Help()->windowTitle(), QStringLiteral("Mivarelo - ") + LanguageText(7468));
    }

    void F1OnAnErrorOpensTheFailingCommand() {
        Type("ileri100\nzzz 5\nsağ90");
        RunAndWait();
        QCOMPARE(Errors()->count(), 3);
        Errors()->setFocus();
        Errors()->setCurrentRow(0);
        QTest::keyClick(Errors(), Qt::Key_F1);
        QVERIFY(Help() && Help()->isVisible());
        QCOMPARE(Help()->ShownAnchor(), ExpectedAnchor("ileri"));
        Errors()->setCurrentRow(1);
        QTest::keyClick(Errors(), Qt::Key_F1);
        QCOMPARE(Help()->ShownAnchor(), QStringLiteral("auto-repair"));
        Errors()->setCurrentRow(2);
        QTest::keyClick(Errors(), Qt::Key_F1);
        QCOMPARE(Help()->ShownAnchor(), ExpectedAnchor("right"));
    }

    // The reference must say what the engine really writes for each wrong
    // use, in both interface languages.
    void EveryWrongUseGivesTheErrorTheReferenceShows() {
        for (const bool english : {false, true}) {
            (english ? window->Actions().EnglishInterfaceAction
                     : window->Actions().TurkishInterfaceAction)
                ->trigger();
            const CommandReference reference(english);
            QCOMPARE(reference.Entries().size(), std::size_t(50));
            for (const ReferenceEntry& entry : reference.Entries()) {
                const int before = Errors()->count();
                QVERIFY(window->RunText(FromQt(entry.wrongUse)));
                WaitForRest();
                QVERIFY2(Errors()->count() > before, qPrintable(entry.wrongUse));
                QCOMPARE(Errors()->item(before)->text(), CommandReference::WrongUseError(entry));
            }
        }
    }

    void ClickedExampleRunsWithoutChangingTheProgram() {
        Type("sağ 90");
        window->Procedures().StoreEditorIntoProcedure();
        window->Actions().CommandHelpAction->trigger();
        const QString href = HrefOf(Help()->Browser()->document(), QStringLiteral("ileri 100"));
        QCOMPARE(href, QStringLiteral("mivarelo:run#ileri%20100"));
        emit Help()->Browser()->anchorClicked(QUrl(href));
        WaitForRest();
        QCOMPARE(window->Engine().Screen().State().Position(), QPoint(600, 500));
        QCOMPARE(Store().GetBody(0), std::string(FromQt(QStringLiteral("sağ 90\n"))));
    }

    void CompletionOffersKeywordsOfTheDialectAndProcedures() {
        Store().AddProcedure("kare :boy", "ileri :boy\n");
        QCompleter* completer = Editor()->Completer();
        Form()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Form()));
        Editor()->setFocus();
        QTest::keyClicks(Editor(), "k");
        QVERIFY(!completer->popup()->isVisible());
        QTest::keyClicks(Editor(), "a");
        QVERIFY(completer->popup()->isVisible());
        QCOMPARE(Offered(completer),
                 QStringList({"ka", "kadar", "kalemaşağı", "kalemyukarı", "kare :boy"}));
        QTest::keyClicks(completer->popup(), "r");
        QCOMPARE(Offered(completer), QStringList({"kare :boy"}));
        QVERIFY(completer->popup()->isVisible());
        QTest::keyClick(completer->popup(), Qt::Key_Tab);
        QVERIFY(!completer->popup()->isVisible());
        QCOMPARE(Editor()->toPlainText(), QStringLiteral("kare"));

        // Once a dialect is chosen only its keywords are offered; "for" is
        // written alike in all four.
        window->Options().SetDialect(false, true);
        Editor()->clear();
        QTest::keyClicks(Editor(), "fo");
        QCOMPARE(Offered(completer), QStringList({"for", "forward"}));
        QTest::keyClick(completer->popup(), Qt::Key_Escape);
        QVERIFY(!completer->popup()->isVisible());
        QCOMPARE(Editor()->toPlainText(), QStringLiteral("fo"));
        window->Options().SetDialect(false, false);
        Editor()->clear();
        QTest::keyClicks(Editor(), "FO");
        QCOMPARE(Offered(completer), QStringList({"for"}));
        QTest::keyClick(completer->popup(), Qt::Key_Return);
        QCOMPARE(Editor()->toPlainText(), QStringLiteral("for"));
        // Enter on a word written out in full ends the line.
        QTest::keyClicks(Editor(), " ; re");
        QCOMPARE(Offered(completer), QStringList({"repeat", "reset"}));
        QTest::keyClicks(completer->popup(), "set");
        QVERIFY(completer->popup()->isVisible());
        QTest::keyClick(completer->popup(), Qt::Key_Return);
        QVERIFY(!completer->popup()->isVisible());
        QCOMPARE(Editor()->toPlainText(), QStringLiteral("for ; reset\n"));
    }

    void ConsoleRunsLinesAndRecallsThem() {
        Type("ileri 10");
        window->Procedures().StoreEditorIntoProcedure();
        window->SetProgramChanged(false);
        CommandConsole* console = Form()->findChild<CommandConsole*>();
        Form()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Form()));
        console->setFocus();
        TypeInto(console, QString::fromUtf8("sağ 90"));
        QTest::keyClick(console, Qt::Key_Return);
        WaitForRest();
        QTest::keyClicks(console, "ileri 50");
        QTest::keyClick(console, Qt::Key_Return);
        WaitForRest();
        const TurtleState& turtle = window->Engine().Screen().State();
        QCOMPARE(turtle.Position(), QPoint(500, 550));
        QCOMPARE(turtle.Heading, 90.0f);
        QCOMPARE(Editor()->toPlainText(), QStringLiteral("ileri 10"));
        QCOMPARE(Store().GetBody(0), std::string("ileri 10\n"));
        QVERIFY(!window->Document().Changed());
        QCOMPARE(console->text(), QString());
        // The focus stays in the console for the next line.
        QTest::qWait(150);
        QCOMPARE(QApplication::focusWidget(), console);

        QTest::keyClicks(console, "ge");
        QTest::keyClick(console, Qt::Key_Up);
        QCOMPARE(console->text(), QStringLiteral("ileri 50"));
        QTest::keyClick(console, Qt::Key_Up);
        QCOMPARE(console->text(), QString::fromUtf8("sağ 90"));
        QTest::keyClick(console, Qt::Key_Up);
        QCOMPARE(console->text(), QString::fromUtf8("sağ 90"));
        QTest::keyClick(console, Qt::Key_Down);
        QTest::keyClick(console, Qt::Key_Down);
        QCOMPARE(console->text(), QStringLiteral("ge"));

        // What print writes shows in the output pane, which appears with it.
        auto* output = Form()->findChild<QPlainTextEdit*>(QStringLiteral("OutputPane"));
        QVERIFY(output && !output->isVisible());
        console->clear();
        TypeInto(console, QString::fromUtf8("x := 6; yazdır kenar (x * 2); pr (x) (y)"));
        QTest::keyClick(console, Qt::Key_Return);
        WaitForRest();
        QVERIFY(output->isVisible());
        QCOMPARE(output->toPlainText(), QStringLiteral("kenar 12\n6 (y)"));

        // A second line while one runs is refused, not queued.
        QVERIFY(window->RunText("bekle 600"));
        QVERIFY(!window->RunText("ileri 100"));
        window->StopRun();
        WaitForRest();
        QCOMPARE(turtle.Position(), QPoint(500, 550));
    }

    void ProgramWithErrorsAsHtmlAndOnPaper() {
        Store().AddProcedure("kare :boy",
                             FromQt(QString::fromUtf8("tekrar 4 [ileri :boy sağ 90]\n")));
        window->Procedures().RefreshProcedureList();
        Type("kare 20\nyaz a<b & \"c\"\nilery 5");
        RunAndWait();
        QCOMPARE(Errors()->count(), 1);
        const QString path = files.filePath("ev ödevi.html");
        dialogs->files.enqueue(files.filePath("ev ödevi"));
        window->Actions().ExportHtmlAction->trigger();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QVERIFY(lines.contains("<html lang=\"tr\">"));
        QVERIFY(lines.contains("<title>ev \xc3\xb6"
                               "devi</title>"));
        const qsizetype main = lines.indexOf("<h2>AnaEkran</h2>");
        QVERIFY(main > 0);
        QCOMPARE(lines[main + 1], QByteArray("<pre>"));
        QCOMPARE(
            lines[main + 2],
            QByteArray("<span class=\"ln\">1</span>  <span style=\"color:#ff0000\">kare</span> "
                       "<span style=\"color:#1f7a6e\">20</span>"));
        QCOMPARE(lines[main + 3],
                 QByteArray("<span class=\"ln\">2</span>  <span "
                            "style=\"color:#800000;font-weight:bold\">yaz</span> a&lt;b &amp; "
                            "&quot;c&quot;"));
        QCOMPARE(lines[main + 4], QByteArray("<span class=\"ln\">3</span>  ilery <span "
                                             "style=\"color:#1f7a6e\">5</span>"));
        const qsizetype square = lines.indexOf("<h2>kare :boy</h2>");
        QVERIFY(square > main);
        const QString square1 = QString::fromUtf8(
            "<span class=\"ln\">1</span>  <span "
            "style=\"color:#800000;font-weight:bold\">tekrar</span> "
            "<span style=\"color:#1f7a6e\">4</span> <span style=\"color:#0000ff\">[</span><span "
            "style=\"color:#800000;font-weight:bold\">ileri</span> <span "
            "style=\"color:#7b3fa0\">:boy</span> <span "
            "style=\"color:#800000;font-weight:bold\">sağ</span> <span "
            "style=\"color:#1f7a6e\">90</span><span style=\"color:#0000ff\">]</span>");
        QCOMPARE(QString::fromUtf8(lines[square + 2]), square1);
        QVERIFY(lines.contains("<li>Bilinmeyen komut: 'ilery 5' ( sat\xc4\xb1r = 3 ) </li>"));

        const QString pdf = files.filePath("program.pdf");
        window->Exports().Printer().Printer().setOutputFormat(QPrinter::PdfFormat);
        window->Exports().Printer().Printer().setOutputFileName(pdf);
        window->Actions().PrintProgramAction->trigger();
        QFile printed(pdf);
        QVERIFY(printed.open(QIODevice::ReadOnly));
        QVERIFY(printed.read(5) == "%PDF-");
        QVERIFY(dialogs->messages.isEmpty());
    }

    void ColourPickerWritesTheColourListAtTheCursor() {
        Type("degkr  ileri 50");
        PutCursorIn(0, "  ");
        dialogs->colours.enqueue(QColor(255, 0, 128));
        window->Actions().InsertColourAction->trigger();
        QCOMPARE(Editor()->toPlainText(), QStringLiteral("degkr [ 255 0 128 ] ileri 50"));
        RunAndWait();
        QCOMPARE(window->Engine().Screen().State().PenColor, 255u | (128u << 16));
        window->Actions().InsertColourAction->trigger();
        QCOMPARE(Editor()->toPlainText(), QStringLiteral("degkr [ 255 0 128 ] ileri 50"));
    }
};

QTEST_MAIN(EditorToolsTest)
#include "EditorToolsTest.moc"
