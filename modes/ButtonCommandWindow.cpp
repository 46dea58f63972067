#include "modes/ButtonCommandWindow.h"

#include "core/GlobalSettings.h"
#include "core/LanguageIds.h"
#include "core/LanguageModule.h"
#include "core/Notifier.h"
#include "core/Numbers.h"
#include "core/ProcedureStore.h"
#include "engine/ColorValue.h"
#include "engine/LogoEngine.h"
#include "engine/TurtleState.h"
#include "modes/ButtonQuestions.h"
#include "modes/CommandHost.h"
#include "widgets/QtText.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>

namespace mivarelo {

namespace {

constexpr int RestartButton = 25;
constexpr int RepeatButton = 29;
constexpr int RecordButton = 35;
constexpr int StopRecordButton = 36;

// One dispatch at a time in the whole program: a dialog opened by a button
// runs its own event loop, in which another press must not start.
bool dispatchBusy = false;

class BusyScope {
public:
    BusyScope() { dispatchBusy = true; }
    ~BusyScope() { dispatchBusy = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
};

// A history line as the list shows it: without its line break.
QString ShownLine(const std::string& line) {
    return ToQt(line).remove(u'\n');
}

} // namespace

ButtonCommandWindow::ButtonCommandWindow(QWidget* parent) : ButtonPanel(parent) {
    setObjectName(QStringLiteral("ButtonCommandWindow"));
    focusInPanel_ = this;
    ConnectControls();
    RefreshStatus();
    ShowDiagonalAngles();
    ArrangeButtons(ClassicWidth);
    UpdateMacroButtons();
    RunStateChanged(true);
    ApplyLanguage();
}

// Three buttons call their operation directly; every other one goes through
// the dispatcher with its own number.
void ButtonCommandWindow::ConnectControls() {
    for (int n = 1; n <= ButtonCount; ++n) {
        QPushButton* button = Button(n);
        if (n == RepeatButton)
            connect(button, &QPushButton::clicked, this, &ButtonCommandWindow::RepeatLast);
        else if (n == RecordButton)
            connect(button, &QPushButton::clicked, this, &ButtonCommandWindow::StartMacro);
        else if (n == StopRecordButton)
            connect(button, &QPushButton::clicked, this, &ButtonCommandWindow::FinishMacro);
        else
            connect(button, &QPushButton::clicked, this, [this, n] { ButtonCommand(n); });
    }
    connect(FreeCommandEdit, &QLineEdit::returnPressed, this,
            [this] { ButtonCommand(FreeCommandNumber); });
    connect(LastCommandEdit, &QLineEdit::returnPressed, this,
            [this] { ButtonCommand(FreeCommandNumber); });
    connect(ProcedureComboBox, &QComboBox::activated, this,
            &ButtonCommandWindow::RunChosenProcedure);
    connect(UndoAction, &QAction::triggered, this, [this] {
        if (Globals().CanUndoLastCommand) ButtonCommand(UndoNumber);
    });
    connect(RedoAction, &QAction::triggered, this, [this] { ButtonCommand(RedoNumber); });
    connect(StartMacroAction, &QAction::triggered, this, &ButtonCommandWindow::StartMacro);
    connect(RepeatLastAction, &QAction::triggered, this, &ButtonCommandWindow::RepeatLast);
}

// ---- the dispatcher --------------------------------------------------------

void ButtonCommandWindow::ButtonCommand(int n) {
    if (Globals().Running || dispatchBusy) {
        Beep();
        return;
    }
    const BusyScope busy;
    bool restartRefused = false;
    Perform(n, restartRefused);
    if (restartRefused) return;
    lastButton_ = n;
    LastButtonLabel->setText(ButtonName(n));
}

void ButtonCommandWindow::Perform(int n, bool& restartRefused) {
    switch (n) {
    case PaintModeButton: TogglePaintMode(); break;
    case 24: AskArcAngle(); break;
    case RestartButton:
        if (ConfirmReset())
            RestartDrawing();
        else
            restartRefused = true;
        break;
    case 26: RecordAndRun(ButtonQuestions::PenWidth(PenWidth())); break;
    case 27: {
        const std::string& name = Globals().LengthVariableName;
        RecordAndRun(ButtonQuestions::StepLength(name, VariableValue(name)));
        break;
    }
    case 28: RecordAndRun(ButtonQuestions::Label()); break;
    case 30: RecordAndRun(ButtonQuestions::FontSize(FontSize())); break;
    case 31:
    case 32:
    case 33:
    case 34: AskDiagonalAngle(n - FirstAngleButton); break;
    case ForwardButton: RecordAndRun(GraphicalCommands::ForwardCommand()); break;
    case BackButton: RecordAndRun(GraphicalCommands::BackCommand()); break;
    case FreeCommandNumber: FreeCommand(); break;
    case UndoNumber: UndoLast(); break;
    case RedoNumber: RedoLast(); break;
    default:
        if (n >= 1 && n <= 23) RecordGenerated(GeneratedCommand(n));
        break;
    }
}

// The direction, simple, colour, turn and arc commands; empty when a dialog
// was cancelled or refused.
std::string ButtonCommandWindow::GeneratedCommand(int n) {
    if (n <= 9) {
        GraphicalCommands::Turning turning;
        const GlobalSettings& g = Globals();
        turning.useDirections = g.UseDirections;
        turning.turnType = g.TurnCommandType;
        turning.forceTurn = forceTurn_;
        if (MainForm()) turning.heading = TruncToInt(MainForm()->Engine().Screen().State().Heading);
        return GraphicalCommands::DirectionCommand(GraphicalCommands::GridCodeOfButton(n),
                                                   diagonalAngles_, turning);
    }
    switch (n) {
    case 10: return GetLanguageString(PenDownWordId);
    case 11: return GetLanguageString(PenUpWordId);
    case 12: return ButtonQuestions::Colour(SetPenColourWordId, false);
    case 13: return GetLanguageString(ShowTurtleWordId);
    case 14: return GetLanguageString(HideTurtleWordId);
    case 15: return GetLanguageString(SetHomeWordId);
    case 16: return GetLanguageString(CleanWordId);
    case 17: return ButtonQuestions::Colour(SetScreenColourWordId, true);
    case 18: return ButtonQuestions::Fill();
    case 19: return ButtonQuestions::Turn(true);
    case 20: return ButtonQuestions::Turn(false);
    case 22:
    case 23: {
        const std::string& lengthName = Globals().LengthVariableName;
        return GraphicalCommands::ArcCommand(n == 22, VariableValue(lengthName),
                                             VariableValue(Globals().AngleVariableName),
                                             Globals().ArcStepAngle);
    }
    default: return {};
    }
}

// A generated line is recorded with its line break; then the labels follow
// and the next direction command turns only when it must.
void ButtonCommandWindow::RecordGenerated(const std::string& text) {
    if (text.empty()) return;
    RecordAndRun(text + '\n');
    RefreshStatus();
    forceTurn_ = false;
}

float ButtonCommandWindow::VariableValue(const std::string& name) const {
    return MainForm() ? MainForm()->Engine().Variables().GetVariable(name) : 0.0f;
}

int ButtonCommandWindow::PenWidth() const {
    return MainForm() ? MainForm()->Engine().Screen().State().PenWidth : 1;
}

int ButtonCommandWindow::FontSize() const {
    return MainForm() ? TruncToInt(MainForm()->Engine().Screen().State().FontSize) : 8;
}

void ButtonCommandWindow::AskArcAngle() {
    const std::string line = ButtonQuestions::ArcAngle(VariableValue(Globals().AngleVariableName));
    if (line.empty()) return;
    RecordAndRun(line);
    RefreshStatus();
}

void ButtonCommandWindow::AskDiagonalAngle(int index) {
    const auto angle = ButtonQuestions::DiagonalAngle(diagonalAngles_[index]);
    if (!angle) return;
    diagonalAngles_[index] = *angle;
    ShowDiagonalAngles();
}

void ButtonCommandWindow::ShowDiagonalAngles() {
    for (int i = 0; i < 4; ++i)
        Button(FirstAngleButton + i)->setText(ToQt(FloatToText(diagonalAngles_[i], 1)));
}

// Paint mode is a recorded line like any other, so the program has changed.
void ButtonCommandWindow::TogglePaintMode() {
    GlobalSettings& g = Globals();
    g.PaintMode = g.PaintMode ? 0 : 1;
    RecordAndRun(g.PaintMode ? "pe\n" : "ppt\n");
    if (MainForm()) MainForm()->SetProgramChanged(true);
    Button(PaintModeButton)->setText(ButtonName(PaintModeButton));
}

// The free command may have turned the turtle, so the next direction button
// writes its turn even when none seems needed.
void ButtonCommandWindow::FreeCommand() {
    const QString typed = FreeCommandEdit->text();
    if (typed.isEmpty()) return;
    FreeCommandEdit->clear();
    RecordAndRun(FromQt(typed) + '\n');
    forceTurn_ = true;
}

// ---- history ---------------------------------------------------------------

void ButtonCommandWindow::RecordAndRun(const std::string& text) {
    if (text.empty()) return;
    history_.Record(text);
    RunLastRecorded();
}

// The list shows the last recorded line and selects it; the line runs at once.
void ButtonCommandWindow::RunLastRecorded() {
    const std::string line = history_.Lines().back();
    auto* item = new QListWidgetItem(ShownLine(line));
    HistoryList->addItem(item);
    HistoryList->setCurrentItem(item);
    if (!MainForm()) return;
    MainForm()->SetMainProcedureAndRun(line);
    LastCommandEdit->setText(item->text());
}

// The list shows every line again, none selected.
void ButtonCommandWindow::ShowAllLines() {
    HistoryList->clear();
    for (const std::string& line : history_.Lines())
        HistoryList->addItem(ShownLine(line));
}

// The drawing is made again from the remaining lines.
void ButtonCommandWindow::UndoLast() {
    if (!MainForm()) return;
    if (!history_.Undo()) {
        Beep();
        return;
    }
    LastCommandEdit->clear();
    delete HistoryList->takeItem(HistoryList->count() - 1);
    Globals().RefreshSuspended = true;
    MainForm()->Engine().Procedures().ClearBody(0);
    MainForm()->SetMainProcedureAndRun(history_.ReplayText());
}

void ButtonCommandWindow::RedoLast() {
    if (!history_.Redo()) {
        Beep();
        return;
    }
    RunLastRecorded();
}

// The last command again; a line taken from a loaded program gets its line
// break back.
void ButtonCommandWindow::RepeatLast() {
    const QString last = LastCommandEdit->text();
    if (last.isEmpty()) return;
    RecordAndRun(FromQt(last) + '\n');
}

void ButtonCommandWindow::RestartDrawing() {
    history_.Replace({});
    HistoryList->clear();
    lastButton_ = 0;
    StopRecording();
    LastCommandEdit->clear();
    if (!MainForm()) return;
    MainForm()->Engine().Procedures().ClearProgram();
    MainForm()->Run();
    MainFormAttached();
    RefreshStatus();
    RefreshProcedures();
}

void ButtonCommandWindow::MainFormAttached() {
    RecordAndRun(GraphicalCommands::StartupLine());
    if (MainForm()) MainForm()->SetProgramChanged(false);
}

// The history becomes the lines of the main procedure.
void ButtonCommandWindow::RefreshProcedures() {
    if (!MainForm()) return;
    const ProcedureStore& store = MainForm()->Engine().Procedures();
    history_.Replace(GraphicalCommands::SplitLines(store.GetBody(0)));
    ShowAllLines();
    ProcedureComboBox->clear();
    for (int i = 1; i < store.ProcedureCount(); ++i)
        ProcedureComboBox->addItem(ToQt(SplitFirstWord(store.GetHeader(i)).first));
    ProcedureComboBox->setCurrentIndex(-1);
    if (HistoryCount() > 0) LastCommandEdit->setText(ShownLine(history_.Lines().back()));
}

void ButtonCommandWindow::RunChosenProcedure(int index) {
    if (index < 0) return;
    RecordAndRun(FromQt(ProcedureComboBox->itemText(index)) + '\n');
    forceTurn_ = true;
    ProcedureComboBox->setCurrentIndex(-1);
}

// ---- macros ------------------------------------------------------------------

void ButtonCommandWindow::StartMacro() {
    history_.StartMacro();
    UpdateMacroButtons();
    RecordingMacroLabel->show();
}

// A taken or blank name keeps the recording going instead of losing it.
void ButtonCommandWindow::FinishMacro() {
    if (!history_.Recording() || !MainForm()) return;
    if (history_.MacroIsEmpty()) {
        UpdateMacroButtons();
        return;
    }
    const QString name = ButtonQuestions::MacroName(MainForm()->Engine().Procedures());
    if (name.isEmpty()) return;
    const std::string body = history_.MacroBody();
    StopRecording();
    MainForm()->AddProcedureWithBody(FromQt(name), body);
    ProcedureComboBox->addItem(ToQt(SplitFirstWord(FromQt(name)).first));
    ProcedureComboBox->setCurrentIndex(-1);
    UpdateMacroButtons();
}

void ButtonCommandWindow::StopRecording() {
    history_.StopMacro();
    RecordingMacroLabel->hide();
    UpdateMacroButtons();
}

void ButtonCommandWindow::UpdateMacroButtons() {
    Button(RecordButton)->setEnabled(!history_.Recording());
    Button(StopRecordButton)->setEnabled(history_.Recording());
}

bool ButtonCommandWindow::CanLeave() {
    if (!history_.Recording()) return true;
    if (!ButtonQuestions::FinishMacroBeforeLeaving()) return false;
    FinishMacro();
    return true;
}

bool ButtonCommandWindow::ConfirmReset() {
    return MainForm() ? MainForm()->ConfirmDiscard() : true;
}

// ---- presentation ------------------------------------------------------------

void ButtonCommandWindow::RefreshStatus() {
    const GlobalSettings& g = Globals();
    CommandNumberLabel->setText(QString::number(HistoryCount() - 1));
    StepLengthLabel->setText(ToQt(FloatToText(VariableValue(g.LengthVariableName), 1)));
    ArcAngleLabel->setText(QString::number(TruncToInt(VariableValue(g.AngleVariableName))));
    if (!MainForm()) return;
    const TurtleState& turtle = MainForm()->Engine().Screen().State();
    if (turtle.PenIsDown) {
        const QColor pen(ToPixel(turtle.PenColor));
        PenStateLabel->setStyleSheet(QStringLiteral("color: %1;").arg(pen.name()));
        PenStateLabel->setText(LanguageText(PenDownLabelId));
    } else {
        PenStateLabel->setText(QStringLiteral("-"));
    }
    FontSizeLabel->setText(QString::number(TruncToInt(turtle.FontSize)));
    HeadingLabel->setText(QString::number(TruncToInt(turtle.Heading)));
}

// Disabling the panel for a run takes the focus away from it; at rest it
// comes back to where it last was in the panel (the panel itself at
// first), so that the keypad goes on drawing.
void ButtonCommandWindow::SetIdle(bool idle) {
    if (!idle) {
        QWidget* focus = window()->focusWidget();
        if (focus && (focus == this || isAncestorOf(focus))) focusInPanel_ = focus;
    }
    setEnabled(idle);
    FreeCommandEdit->setEnabled(idle);
    if (!idle) return;
    RefreshStatus();
    if (focusInPanel_) focusInPanel_->setFocus(Qt::OtherFocusReason);
}

void ButtonCommandWindow::RunStateChanged(const bool& idle) {
    RunStateLabel->setText(LanguageText(idle ? ReadyId : RunningId));
    if (!idle) return;
    ShowRunError();
    Button(PaintModeButton)->setText(ButtonName(PaintModeButton));
    const int heading = MainForm() ? TruncToInt(MainForm()->Engine().Screen().State().Heading) : 0;
    TurnPictures(Globals().UseDirections ? 0 : heading);
    TurnArrow(ForwardButton, heading);
    TurnArrow(BackButton, heading);
}

// A line that failed says why in red in the status line, besides the beep;
// the next hint there is written in the usual colour again.
void ButtonCommandWindow::ShowRunError() {
    const std::string error = MainForm() ? MainForm()->LastRunError() : std::string();
    if (error.empty()) return;
    StatusLine->setStyleSheet(QStringLiteral("color: #c00000;"));
    StatusLine->showMessage(ToQt(error));
}

void ButtonCommandWindow::ApplyLanguage() {
    ApplyCaptions();
    RefreshProcedures();
    UpdateMacroButtons();
    LastButtonLabel->setText(ButtonName(lastButton_));
    PlaceControls();
    ApplyButtonNames();
    RunStateChanged(isEnabled());
    ArrangeControls();
}

// ---- window events -----------------------------------------------------------

// F8 is claimed before the program-wide shortcuts see it, so that it
// finishes the macro while this window is active; while a line runs (the
// window disabled) it stays the main window's Stop.
bool ButtonCommandWindow::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F8 && key->modifiers() == Qt::NoModifier && isEnabled()) {
            event->accept();
            return true;
        }
    }
    return ButtonPanel::event(event);
}

void ButtonCommandWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F8 && event->modifiers() == Qt::NoModifier) {
        FinishMacro();
        return;
    }
    ButtonPanel::keyPressEvent(event);
}

} // namespace mivarelo
