#pragma once
// The command-mode editor: a plain text editor with the line numbers in a
// left margin (the numbers the error list uses), completion of keywords and
// procedure names after two typed letters, and F1 asking for help on the
// word at the cursor. The extra selections are left to whoever marks lines.
#include <QPlainTextEdit>

class QCompleter;
class QStandardItemModel;

namespace mivarelo {

class LineNumberMargin;
class ProcedureStore;

class CodeEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CodeEditor(QWidget* parent = nullptr);

    // Completion offers the procedures of this store (may be null).
    void SetProcedureStore(const ProcedureStore* store);
    QCompleter* Completer() const { return completer_; }
    LineNumberMargin* Margin() const { return margin_; }

    // The width of the margin: room for the digits of the last line number.
    int MarginWidth() const;
    // Paints the numbers of the lines that cross `area` of the margin.
    void PaintMargin(const QRect& area);
    // The number the margin shows beside the line at margin height `y`, or 0.
    int LineNumberAtHeight(int y) const;
    // The word around the cursor, as written.
    QString WordAtCursor() const;

signals:
    // F1 was pressed with the cursor on `word` (empty between words).
    void HelpRequested(const QString& word);

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateMarginWidth();
    void UpdateMargin(const QRect& rect, int dy);
    QString TypedPrefix() const;
    void OfferCompletion();
    // The word chosen in the popup is the one typed already.
    bool ChosenWordIsTyped() const;
    void InsertCompletion(const QString& word);

    LineNumberMargin* margin_;
    QCompleter* completer_;
    QStandardItemModel* words_;
    const ProcedureStore* store_ = nullptr;
};

} // namespace mivarelo
