#pragma once
// The window of command mode: a procedure list, the editor that shows one
// procedure's body, the error list and two labels. It parses and runs
// nothing itself; the main window borrows its controls to show procedures,
// run them and list their errors.
#include "modes/TKomutIdareForm.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;

namespace mivarelo {

class LogoHighlighter;
class Prosedurler;

class TNormalKomutForm : public TKomutIdareForm {
    Q_OBJECT
public:
    explicit TNormalKomutForm(QWidget* owner);

    void ArrangeControls() override;
    void ApplyLanguage() override;
    // The editor colours procedure names of this store.
    void SetProcedureStore(const Prosedurler* store);
    // Repaints the editor's colours (procedures were added or renamed).
    void Recolour();

    QComboBox* ProsedurComboBox = nullptr;
    QLabel* AktifLabel = nullptr;
    QLabel* HataNoLabel = nullptr;
    QPlainTextEdit* KomutMemo = nullptr;
    QListWidget* HataListBox = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ProsedurComboBoxClick();
    void KomutMemoChanged();

    LogoHighlighter* highlighter_ = nullptr;
    bool arranging_ = false;
};

} // namespace mivarelo
