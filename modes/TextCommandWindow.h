#pragma once
// The panel of command mode: a procedure list, the editor that shows one
// procedure's body, the error list, two labels and a one-line console under
// the editor. It parses and runs nothing itself; the main window borrows its
// controls to show procedures, run them and list their errors.
#include "modes/CommandWindow.h"

class QComboBox;
class QLabel;
class QListWidget;

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

    QComboBox* ProsedurComboBox = nullptr;
    QLabel* AktifLabel = nullptr;
    QLabel* HataNoLabel = nullptr;
    CodeEditor* KomutMemo = nullptr;
    QListWidget* HataListBox = nullptr;
    CommandConsole* KomutConsole = nullptr;

signals:
    // F1 was pressed on entry `row` of the error list.
    void ErrorHelpRequested(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    void ProsedurComboBoxClick();
    void KomutMemoChanged();

    LogoHighlighter* highlighter_ = nullptr;
};

} // namespace mivarelo
