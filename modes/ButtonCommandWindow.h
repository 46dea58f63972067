#pragma once
// The panel of graphical mode: 38 picture buttons that write Logo lines in
// the interface language, record them in a history, append them to the main
// procedure and run them at once. Beside the buttons: status labels, a free
// command line, the last command, the procedures to run and the history,
// with undo, redo, repeat, restart and macro recording.
#include "modes/GraphicalCommands.h"
#include "modes/CommandWindow.h"

#include <QPointer>
#include <QString>
#include <QStyle>

#include <array>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QDockWidget;
class QScrollArea;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStatusBar;

namespace mivarelo {

class ButtonCommandWindow : public CommandWindow {
    Q_OBJECT
public:
    static constexpr int ButtonCount = 38;
    // The numbers ButtonCommand takes beyond the buttons.
    static constexpr int FreeCommandNumber = 39;
    static constexpr int UndoNumber = 40;
    static constexpr int RedoNumber = 41;

    explicit ButtonCommandWindow(QWidget* parent);

    // The dispatcher of almost every button: refused with a beep while a
    // program started by Run runs or another dispatch is under way.
    void ButtonCommand(int n);
    // The name of button n in the interface language (empty when missing).
    QString ButtonName(int n) const;
    // The one way a command line leaves the window: into the history, the
    // main procedure and a run. Empties the redo list.
    void RecordAndRun(const std::string& text);
    // The status labels from the turtle and the two step variables.
    void RefreshStatus();
    // The button rows for a window of `width`.
    void ArrangeButtons(int width);

    int HistoryCount() const;
    // History item i as recorded; empty outside the history.
    std::string HistoryLine(int i) const;
    // Records the last command once more (F4 and the repeat button).
    void RepeatLast();
    void StartMacro();
    void FinishMacro();
    int MacroStart() const { return macroStart_; }
    // The button of number n (1..38).
    QPushButton* Button(int n) const { return buttons_[n - 1]; }

    void ArrangeControls() override;
    void MainFormAttached() override;
    void RefreshProcedures() override;
    void TurnPictures(int heading) override;
    void TurtleMoved(QPoint position) override;
    void SetIdle(bool idle) override;
    bool ConfirmReset() override;
    void ApplyLanguage() override;
    void RunStateChanged(const bool& idle) override;
    bool CanLeave() override;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* KomutNoLabel = nullptr;
    QLabel* UzunlukLabel = nullptr;
    QLabel* KalemDurumLabel = nullptr;
    QLabel* YayAciLabel = nullptr;
    QLabel* FontLabel = nullptr;
    QLabel* YonLabel = nullptr;
    QLabel* HazirLabel = nullptr;
    QLabel* MakroLabel = nullptr;
    QLabel* KomutNameLabel = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* SonKomutEdit = nullptr;
    QPushButton* UndoButton = nullptr;
    QPushButton* RedoButton = nullptr;
    QComboBox* ProsComboBox = nullptr;
    QListWidget* KomutListBox = nullptr;
    QStatusBar* StatusBar1 = nullptr;

    QAction* UndoAction = nullptr;
    QAction* RedoAction = nullptr;
    QAction* ShowPanelAction = nullptr;
    QAction* ArrangeWideAction = nullptr;
    QAction* ArrangeTallAction = nullptr;
    QAction* ClassicArrangementAction = nullptr;
    QAction* StartMacroAction = nullptr;
    QAction* RepeatLastAction = nullptr;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildControls();
    void BuildButtons();
    void BuildActions();
    QAction* AddAction(const QKeySequence& shortcut);
    QPushButton* NewHistoryButton(QStyle::StandardPixmap picture, const QString& name);
    void PlaceHistory();
    QScrollArea* EnclosingScrollArea() const;
    QDockWidget* EnclosingDock() const;
    void ShowRunError();
    void PlaceStatusLabels();
    void PlaceControlsBelow(int buttonsBottom);
    void Perform(int n, bool& restartRefused);
    void RecordLine(std::string text);
    void RecordGenerated(const std::string& text);
    std::string GeneratedCommand(int n);
    std::string ColourCommand(int wordId, bool startWhite);
    std::string FillCommand();
    std::string AskedTurn(bool left);
    void AskArcAngle();
    void AskPenWidth();
    void AskStepLength();
    void AskLabel();
    void AskFontSize();
    void AskDiagonalAngle(int index);
    void ShowDiagonalAngles();
    void TogglePaintMode();
    void FreeCommand();
    void UndoLast();
    void RedoLast();
    void RestartDrawing();
    void StopRecording();
    void UpdateMacroButtons();
    void ProsComboBoxClick(int index);
    void SetDirectionPicture(int button, int angle);
    QString AskValue(int promptId, const QString& initial) const;
    float VariableValue(const std::string& name) const;
    std::vector<std::string> HistoryItems() const;

    std::array<QPushButton*, ButtonCount> buttons_{};
    GraphicalCommands::DiagonalAngles diagonalAngles_{45.0f, 45.0f, 45.0f, 45.0f};
    // The lines undone, the last undone at the back.
    std::vector<std::string> redo_;
    int minWidth_ = -1;
    int macroStart_ = -1;
    int lastButton_ = 0;
    bool forceTurn_ = false;
    bool showHistory_ = true;
    // Where the focus last was in the panel when a run took it away.
    QPointer<QWidget> focusInPanel_;
};

} // namespace mivarelo
