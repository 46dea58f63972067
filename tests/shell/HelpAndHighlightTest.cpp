#include "core/GlobalSettings.h"
#include "core/Keywords.h"
#include "core/LanguageModule.h"
#include "core/ProcedureStore.h"
#include "widgets/LogoHighlighter.h"
#include "widgets/QtText.h"
#include "shell/HelpWindow.h"
#include "support/Recorders.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextTable>
#include <QtTest>

namespace mivarelo {

namespace {

// The text of every cell of the first table in `document`, row by row.
QList<QStringList> TableRows(QTextDocument* document) {
    QList<QStringList> rows;
    for (QTextFrame* frame : document->rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (!table) continue;
        for (int r = 0; r < table->rows(); ++r) {
            QStringList cells;
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                QTextCursor cursor = cell.firstCursorPosition();
                cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
                cells << cursor.selectedText();
            }
            rows << cells;
        }
        break;
    }
    return rows;
}

// The reference row whose Turkish long word is `word`.
QStringList RowOf(const QList<QStringList>& rows, const QString& word) {
    for (const QStringList& row : rows)
        if (row.front() == word) return row;
    return {};
}

// The format the highlighter gave to character `position` of `block`.
QTextCharFormat FormatAt(const QTextBlock& block, int position) {
    for (const QTextLayout::FormatRange& range : block.layout()->formats())
        if (position >= range.start && position < range.start + range.length) return range.format;
    return {};
}

} // namespace

class HelpAndHighlightTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        ResetGlobals();
        QVERIFY(LoadLanguageModule());
    }

    void cleanup() {
        Globals().EnglishInterface = false;
        LoadLanguageModule();
    }

    void referenceHoldsEveryKeywordOnce() {
        HelpWindow form;
        form.ShowCommands();
        QVERIFY(form.isVisible());
        QCOMPARE(form.windowTitle(), QStringLiteral("Mivarelo - ") + LanguageText(7469));
        const QList<QStringList> rows = TableRows(form.Browser()->document());
        QVERIFY(rows.size() > 1);
        QCOMPARE(rows.front().mid(0, 4),
                 QStringList({"Türkçe uzun", "Türkçe kısa", "İngilizce uzun", "İngilizce kısa"}));
        for (const char* keyword : KeywordTable) {
            const QString word = ToQt(keyword);
            int rowsWithWord = 0;
            for (const QStringList& row : rows.mid(1)) {
                QStringList words = row.mid(0, 4);
                words << row.at(4).split(QStringLiteral(", "), Qt::SkipEmptyParts);
                if (words.contains(word)) ++rowsWithWord;
            }
            QVERIFY2(rowsWithWord == 1, qPrintable(word));
        }

        const QStringList forward = RowOf(rows, "ileri");
        QCOMPARE(forward.mid(0, 5), QStringList({"ileri", "ig", "forward", "fd", ""}));
        QCOMPARE(forward.at(7), QStringLiteral("ileri 100"));
        QCOMPARE(RowOf(rows, "sağ").mid(0, 5), QStringList({"sağ", "sağ", "right", "rt", "sag"}));
        QCOMPARE(RowOf(rows, "setev").mid(0, 5),
                 QStringList({"setev", "setev", "sethome", "sethome", "degev"}));
        QCOMPARE(RowOf(rows, "setyaziboyu").mid(0, 4),
                 QStringList({"setyaziboyu", "yb", "setfontsize", "fs"}));
    }

    void referenceFollowsTheInterfaceLanguage() {
        Globals().EnglishInterface = true;
        QVERIFY(LoadLanguageModule());
        HelpWindow form;
        form.ShowCommands();
        QCOMPARE(form.windowTitle(), QStringLiteral("Mivarelo - ") + LanguageText(7469));
        const QList<QStringList> rows = TableRows(form.Browser()->document());
        QCOMPARE(rows.front().at(0), QStringLiteral("Turkish long"));
        QCOMPARE(RowOf(rows, "tekrar").at(7), QStringLiteral("repeat 4 [forward 100 right 90]"));

        form.ShowContents();
        QCOMPARE(form.windowTitle(), QStringLiteral("Mivarelo - ") + LanguageText(7468));
        const QString text = form.Browser()->toPlainText();
        QVERIFY(text.contains(QStringLiteral("F2")));
        QVERIFY(text.contains(ToQt(Globals().MainProcedureName)));
        QVERIFY(TableRows(form.Browser()->document()).isEmpty());
    }

    void highlighterColoursATurkishLine() {
        support::RecordingNotifier notifier;
        ProcedureStore store;
        store.AddProcedure(Globals().MainProcedureName, "");
        store.AddProcedure(FromQt(QStringLiteral("çiçek :n")), "");
        QPlainTextEdit editor;
        LogoHighlighter highlighter(editor.document(), &store);
        const QString line = QStringLiteral("tekrar 4 [ileri :boy sağ 90] çiçek 5 ' bir çiçek");
        editor.setPlainText(line);
        const QTextBlock block = editor.document()->firstBlock();

        const QColor keyword(128, 0, 0);
        for (const QString& word :
             {QStringLiteral("tekrar"), QStringLiteral("ileri"), QStringLiteral("sağ")}) {
            const int at = line.indexOf(word);
            for (int i = at; i < at + word.size(); ++i) {
                QCOMPARE(FormatAt(block, i).foreground().color(), keyword);
                QCOMPARE(FormatAt(block, i).fontWeight(), int(QFont::Bold));
            }
        }
        QCOMPARE(FormatAt(block, line.indexOf('[')).foreground().color(), QColor(0, 0, 255));
        QCOMPARE(FormatAt(block, line.indexOf(']')).foreground().color(), QColor(0, 0, 255));
        QCOMPARE(FormatAt(block, line.indexOf('4')).foreground().color(),
                 LogoHighlighter::NumberColor());
        QCOMPARE(FormatAt(block, line.indexOf("90") + 1).foreground().color(),
                 LogoHighlighter::NumberColor());
        QCOMPARE(FormatAt(block, line.indexOf(":boy") + 3).foreground().color(),
                 LogoHighlighter::VariableColor());
        const int call = line.indexOf(QStringLiteral("çiçek"));
        QCOMPARE(FormatAt(block, call).foreground().color(), QColor(255, 0, 0));
        QCOMPARE(FormatAt(block, call + 4).foreground().color(), QColor(255, 0, 0));
        QCOMPARE(FormatAt(block, call).fontWeight(), int(QFont::Normal));
        QVERIFY(!FormatAt(block, call + 5).hasProperty(QTextFormat::ForegroundBrush));
        const int comment = line.indexOf('\'');
        for (int i = comment; i < line.size(); ++i) {
            QCOMPARE(FormatAt(block, i).foreground().color(), LogoHighlighter::CommentColor());
            QVERIFY(FormatAt(block, i).fontItalic());
        }

        highlighter.SetStore(nullptr);
        QVERIFY(!FormatAt(editor.document()->firstBlock(), call)
                     .hasProperty(QTextFormat::ForegroundBrush));
    }

    void highlighterColoursAnEnglishLine() {
        QPlainTextEdit editor;
        LogoHighlighter highlighter(editor.document(), nullptr);
        editor.show();
        const QString line = QStringLiteral("Repeat 3 [fd :size*2.5 lt 120]; x := x + 1");
        QTest::keyClicks(&editor, line);
        QTest::keyClick(&editor, Qt::Key_Return);
        QTest::keyClicks(&editor, QStringLiteral("  ; repeat 4 [fd 10]"));
        const QTextBlock block = editor.document()->firstBlock();

        const QColor keyword(128, 0, 0);
        QCOMPARE(FormatAt(block, 0).foreground().color(), keyword);
        QCOMPARE(FormatAt(block, 5).foreground().color(), keyword);
        QCOMPARE(FormatAt(block, line.indexOf("fd") + 1).foreground().color(), keyword);
        QCOMPARE(FormatAt(block, line.indexOf("lt")).foreground().color(), keyword);
        QCOMPARE(FormatAt(block, line.indexOf(":size")).foreground().color(),
                 LogoHighlighter::VariableColor());
        QVERIFY(!FormatAt(block, line.indexOf('*')).hasProperty(QTextFormat::ForegroundBrush));
        const int number = line.indexOf("2.5");
        for (int i = number; i < number + 3; ++i)
            QCOMPARE(FormatAt(block, i).foreground().color(), LogoHighlighter::NumberColor());
        QCOMPARE(FormatAt(block, line.indexOf(';')).foreground().color(), QColor(0, 0, 255));
        QCOMPARE(FormatAt(block, line.indexOf('+')).foreground().color(), QColor(0, 0, 255));
        QVERIFY(!FormatAt(block, line.indexOf('x')).hasProperty(QTextFormat::ForegroundBrush));
        QVERIFY(!FormatAt(block, line.indexOf(':', line.indexOf('x')))
                     .hasProperty(QTextFormat::ForegroundBrush));

        const QTextBlock skipped = block.next();
        for (int i = 2; i < skipped.length() - 1; ++i)
            QCOMPARE(FormatAt(skipped, i).foreground().color(), LogoHighlighter::CommentColor());
        QVERIFY(!FormatAt(skipped, 0).hasProperty(QTextFormat::ForegroundBrush));
    }

    // A line longer than the limit is data and stays plain; the short line
    // beside it is coloured as usual.
    void veryLongLinesStayPlain() {
        QPlainTextEdit editor;
        LogoHighlighter highlighter(editor.document(), nullptr);
        QString longLine;
        while (longLine.size() <= LogoHighlighter::LongLineLimit)
            longLine += QStringLiteral("fd 1 rt 1 ");
        editor.setPlainText(QStringLiteral("fd 10\n") + longLine);
        const QTextBlock first = editor.document()->firstBlock();
        QCOMPARE(FormatAt(first, 0).foreground().color(), QColor(128, 0, 0));
        QVERIFY(first.next().layout()->formats().isEmpty());
    }
};

} // namespace mivarelo

QTEST_MAIN(mivarelo::HelpAndHighlightTest)
#include "HelpAndHighlightTest.moc"
