#pragma once
// The panel of graphical mode at work: its buttons write Logo lines in the
// interface language, record them in a history, append them to the main
// procedure and run them at once; with undo, redo, repeat, restart, macro
// recording and the procedures to run. The history itself is a
// CommandHistory, which the panel's list only shows; the controls and
// where they stand are ButtonPanel's.
#include "modes/ButtonPanel.h"
#include "modes/CommandHistory.h"
#include "modes/GraphicalCommands.h"

#include <QPointer>

#include <string>

namespace mivarelo {

class ButtonCommandWindow : public ButtonPanel {
    Q_OBJECT
public:
    // The numbers ButtonCommand takes beyond the buttons.
    static constexpr int FreeCommandNumber = 39;
    static constexpr int UndoNumber = 40;
    static constexpr int RedoNumber = 41;

    explicit ButtonCommandWindow(QWidget* parent);

    // The dispatcher of almost every button: refused with a beep while a
    // program started by Run runs or another dispatch is under way.
    void ButtonCommand(int n);
    // The one way a command line leaves the window: into the history, the
    // main procedure and a run. Empties the redo list.
    void RecordAndRun(const std::string& text);
    // The status labels from the turtle and the two step variables.
    void RefreshStatus();

    int HistoryCount() const { return history_.Count(); }
    // History item i as recorded; empty outside the history.
    std::string HistoryLine(int i) const { return history_.Line(i); }
    // Records the last command once more (F4 and the repeat button).
    void RepeatLast();
    void StartMacro();
    void FinishMacro();
    int MacroStart() const { return history_.MacroStart(); }

    void MainFormAttached() override;
    void RefreshProcedures() override;
    void SetIdle(bool idle) override;
    bool ConfirmReset() override;
    void ApplyLanguage() override;
    void RunStateChanged(const bool& idle) override;
    bool CanLeave() override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ConnectControls();
    void ShowRunError();
    void Perform(int n, bool& restartRefused);
    void RunLastRecorded();
    void ShowAllLines();
    void RecordGenerated(const std::string& text);
    std::string GeneratedCommand(int n);
    void AskArcAngle();
    void AskDiagonalAngle(int index);
    void ShowDiagonalAngles();
    void TogglePaintMode();
    void FreeCommand();
    void UndoLast();
    void RedoLast();
    void RestartDrawing();
    void StopRecording();
    void UpdateMacroButtons();
    void RunChosenProcedure(int index);
    int PenWidth() const;
    int FontSize() const;
    float VariableValue(const std::string& name) const;

    GraphicalCommands::DiagonalAngles diagonalAngles_{45.0f, 45.0f, 45.0f, 45.0f};
    CommandHistory history_;
    int lastButton_ = 0;
    bool forceTurn_ = false;
    // Where the focus last was in the panel when a run took it away.
    QPointer<QWidget> focusInPanel_;
};

} // namespace mivarelo
