#pragma once
// The panel of command mode: a procedure list, the editor that shows one
// procedure's body, the error list with the output pane under it, two labels
// and a one-line console under the editor. It parses and runs nothing
// itself: the main window fills it and reads it through the functions below
// and hears it through its signals, never through its controls.
#include "modes/CommandWindow.h"

#include <QElapsedTimer>
#include <QTimer>

#include <string_view>

class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;

namespace mivarelo {

class CodeEditor;
class CommandConsole;
class LogoHighlighter;
class ProcedureStore;

class TextCommandWindow : public CommandWindow {
    Q_OBJECT
public:
    explicit TextCommandWindow(QWidget* parent);

    void ApplyLanguage() override;
    // The editor colours procedure names of this store.
    void SetProcedureStore(const ProcedureStore* store);
    // Repaints the editor's colours (procedures were added or renamed).
    void Recolour();

    // The procedure list holds `headers`, entry `current` selected.
    void ShowProcedureHeaders(const QStringList& headers, int current);
    void SelectProcedure(int index);
    // The procedure the list selects; 0 when it selects none.
    int SelectedProcedure() const;

    // Shows a procedure's text. A long one goes in in slices, so that the
    // window keeps answering: until the last slice the editor is read-only.
    // A line of tens of thousands of characters is shown cut short, and the
    // editor stays read-only for that procedure.
    void ShowProcedureText(const QString& text);
    // Whether the editor holds the whole procedure for the user to edit;
    // its text may then be stored back into the program.
    bool Editable() const { return fillRest_.isEmpty() && !shortened_; }
    QString EditorText() const;
    void ClearEditor();
    // Selects from `text` in editor line `line` (1-based; `lineText` is that
    // line as the program holds it) to the end of the line.
    void SelectInEditor(int line, const QString& lineText, const QString& text);
    // The editor takes the focus when the user can type into it.
    void FocusEditor();
    void InsertAtCursor(const QString& text);
    // A run going on (and whether it is watched): the running label shows,
    // the procedure list is disabled, the editor is read-only and, unless
    // the run is watched, disabled.
    void ShowRunState(bool running, bool watching);
    // A watched run's line `line` marked and shown, and within it the text
    // of `listLine` (the command of a bracketed list; empty for none);
    // false when the editor has no such line.
    bool MarkRunningLine(int line, std::string_view listLine);
    void ClearMarks();

    void ClearErrors();
    void AddError(const QString& entry);
    int ErrorCount() const;
    QString ErrorAt(int row) const;
    void SelectError(int row);
    void ShowErrorNumber(const QString& text);
    void SetErrorsShown(bool shown);

    // A line that "print" wrote goes at the end of the output pane, which
    // shows from its first line on and keeps the last OutputLineLimit lines.
    void AppendOutput(const QString& line);
    QString OutputText() const;
    static constexpr int OutputLineLimit = 2000;

signals:
    // F1 was pressed on entry `row` of the error list.
    void ErrorHelpRequested(int row);
    // Entry `row` of the error list was clicked.
    void ErrorChosen(int row);
    // F1 on a word of the editor.
    void WordHelpRequested(const QString& word);
    // A line typed into the console.
    void LineEntered(const QString& line);
    // A long fill has gone on past half a second: `percent` of it is in.
    void FillProgress(int percent);
    void FillFinished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    void ProcedureChosen();
    void EditorChanged();
    void FillNextSlice();
    QString ShortenLongLines(const QString& text);

    QComboBox* procedureList_ = nullptr;
    QLabel* runningLabel_ = nullptr;
    QLabel* errorNumberLabel_ = nullptr;
    CodeEditor* editor_ = nullptr;
    QListWidget* errorList_ = nullptr;
    CommandConsole* console_ = nullptr;
    QPlainTextEdit* output_ = nullptr;
    LogoHighlighter* highlighter_ = nullptr;
    // The part of a long procedure still to go into the editor, and how
    // much of it has gone.
    QTimer fillTimer_;
    QString fillRest_;
    qsizetype fillDone_ = 0;
    QElapsedTimer fillClock_;
    bool running_ = false;
    // The procedure shown has a line too long to show whole.
    bool shortened_ = false;
};

} // namespace mivarelo
