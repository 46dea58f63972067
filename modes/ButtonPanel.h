#pragma once
// The graphical mode's panel as it looks: the 38 picture buttons, the status
// labels, the free command line, the last command, the procedure list, the
// history list and the status line, their captions in the interface
// language and where they stand; the keypad presses the grid's buttons.
// ButtonCommandWindow gives the controls what they do.
#include "modes/CommandWindow.h"

#include <QString>
#include <QStyle>

#include <array>

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

class ButtonPanel : public CommandWindow {
    Q_OBJECT
public:
    static constexpr int ButtonCount = 38;

    explicit ButtonPanel(QWidget* parent);

    // The name of button n in the interface language (empty when missing).
    QString ButtonName(int n) const;
    // The button rows for a window of `width`.
    void ArrangeButtons(int width);
    // The button of number n (1..38).
    QPushButton* Button(int n) const { return buttons_[n - 1]; }

    void ArrangeControls() override;
    void TurnPictures(int heading) override;
    void TurtleMoved(QPoint position) override;

    // The captions, each before what it names.
    QLabel* LastCommandCaption = nullptr;
    QLabel* CommandNumberCaption = nullptr;
    QLabel* StepLengthCaption = nullptr;
    QLabel* ArcAngleCaption = nullptr;
    QLabel* FontSizeCaption = nullptr;
    QLabel* FreeCommandCaption = nullptr;
    QLabel* ProceduresCaption = nullptr;
    QLabel* HeadingCaption = nullptr;
    // The status values: the number of recorded commands after the first,
    // the step length, the pen, the arc angle, the font size, the heading.
    QLabel* CommandNumberLabel = nullptr;
    QLabel* StepLengthLabel = nullptr;
    QLabel* PenStateLabel = nullptr;
    QLabel* ArcAngleLabel = nullptr;
    QLabel* FontSizeLabel = nullptr;
    QLabel* HeadingLabel = nullptr;
    // Ready or running.
    QLabel* RunStateLabel = nullptr;
    // Shown while a macro is recorded.
    QLabel* RecordingMacroLabel = nullptr;
    // The name of the button pressed last.
    QLabel* LastButtonLabel = nullptr;
    QLineEdit* FreeCommandEdit = nullptr;
    QLineEdit* LastCommandEdit = nullptr;
    QPushButton* UndoButton = nullptr;
    QPushButton* RedoButton = nullptr;
    QComboBox* ProcedureComboBox = nullptr;
    QListWidget* HistoryList = nullptr;
    QStatusBar* StatusLine = nullptr;

    QAction* UndoAction = nullptr;
    QAction* RedoAction = nullptr;
    QAction* ShowPanelAction = nullptr;
    QAction* ArrangeWideAction = nullptr;
    QAction* ArrangeTallAction = nullptr;
    QAction* ClassicArrangementAction = nullptr;
    QAction* StartMacroAction = nullptr;
    QAction* RepeatLastAction = nullptr;

protected:
    // The classic arrangement's width.
    static constexpr int ClassicWidth = 330;
    static constexpr int FirstAngleButton = 31;
    static constexpr int PaintModeButton = 21;
    static constexpr int ForwardButton = 37;
    static constexpr int BackButton = 38;

    // Every caption, hint and button name from the interface language.
    void ApplyCaptions();
    void ApplyButtonNames();
    // The status labels and the controls under the buttons where their
    // texts' sizes put them.
    void PlaceControls();
    // The arrow of `button`, if it shows one, for a turtle heading `heading`.
    void TurnArrow(int button, int heading);

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
    void PlaceStatusLabels();
    void PlaceControlsBelow(int buttonsBottom);

    std::array<QPushButton*, ButtonCount> buttons_{};
    int minWidth_ = -1;
    bool showHistory_ = true;
};

} // namespace mivarelo
