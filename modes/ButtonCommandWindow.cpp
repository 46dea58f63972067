#include "modes/ButtonCommandWindow.h"

#include "core/GlobalSettings.h"
#include "core/LanguageModule.h"
#include "core/Notifier.h"
#include "core/Numbers.h"
#include "core/ProcedureStore.h"
#include "engine/ColorValue.h"
#include "engine/Evaluator.h"
#include "engine/LogoEngine.h"
#include "engine/TurtleState.h"
#include "modes/ButtonLayout.h"
#include "modes/ButtonPictures.h"
#include "modes/CommandHost.h"
#include "widgets/Dialogs.h"
#include "widgets/QtText.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStatusTipEvent>

#include <cmath>

namespace mivarelo {

namespace {

constexpr int CaptionId = 7600;
// Captions of Label1 .. Label8 in that order; Label8 comes after the pen-down text.
constexpr std::array<int, 8> LabelCaptionIds = {7601, 7602, 7603, 7604, 7605, 7606, 7607, 7610};
constexpr int MacroLabelId = 7608;
constexpr int PenDownTextId = 7609;
constexpr int IdleTextId = 7562;
constexpr int RunningTextId = 7563;
constexpr int PenWidthWordId = 7627;
constexpr int FontSizeWordId = 7628;
constexpr int LabelWordId = 7629;
constexpr int FillWordId = 7622;
constexpr int FillColourWordId = 7632;
constexpr int InputTitleId = 7805;
constexpr int OkId = 7815;
constexpr int CancelId = 7809;
constexpr int WarningTitleId = 7802;

constexpr int ClassicWidth = 330;
constexpr int VerticalWidth = 310;
constexpr int ButtonsTop = 46;
constexpr int FirstAngleButton = 31;
constexpr int PaintModeButton = 21;
constexpr int RestartButton = 25;
constexpr int RepeatButton = 29;
constexpr int RecordButton = 35;
constexpr int StopRecordButton = 36;
constexpr int ForwardButton = 37;
constexpr int BackButton = 38;
constexpr int UndoTextId = 7540;
constexpr int RedoTextId = 7541;
constexpr int ScreenMargin = 50;
// The history keeps at least a few lines in sight below the controls.
constexpr int HistoryMinHeight = 60;
constexpr int TurtleMargin = 25;

// The hint text id of each button; 0 for none.
constexpr std::array<int, ButtonCommandWindow::ButtonCount> HintIds = {
    1301, 1302, 1303, 1304, 1214, 1305, 1306, 1307, 1308, 1206, 1207, 1210, 1209,
    1208, 1215, 1201, 1211, 1213, 1204, 1205, 1318, 1313, 1314, 1315, 1316, 1229,
    1317, 1221, 1230, 1226, 1309, 1311, 1310, 1312, 1231, 1232, 1320, 1319};

// The angle each direction picture shows, added to the heading.
struct PictureTurn {
    int button;
    int offset;
};
constexpr std::array<PictureTurn, 8> DirectionTurns = {
    {{1, 315}, {2, 0}, {3, 45}, {4, 270}, {6, 90}, {7, 225}, {8, 180}, {9, 135}}};

// The keypad keys of the nine grid buttons, with Num Lock on and off.
struct KeypadKey {
    int button;
    Qt::Key digit;
    Qt::Key navigation;
};
constexpr std::array<KeypadKey, 9> KeypadKeys = {{{1, Qt::Key_7, Qt::Key_Home},
                                                  {2, Qt::Key_8, Qt::Key_Up},
                                                  {3, Qt::Key_9, Qt::Key_PageUp},
                                                  {4, Qt::Key_4, Qt::Key_Left},
                                                  {5, Qt::Key_5, Qt::Key_Clear},
                                                  {6, Qt::Key_6, Qt::Key_Right},
                                                  {7, Qt::Key_1, Qt::Key_End},
                                                  {8, Qt::Key_2, Qt::Key_Down},
                                                  {9, Qt::Key_3, Qt::Key_PageDown}}};

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

QString Text(int id) {
    return LanguageText(id);
}

QLabel* NewLabel(const QString& text, QWidget* parent, bool red = false) {
    auto* label = new QLabel(text, parent);
    if (red) label->setStyleSheet(QStringLiteral("color: #c00000;"));
    return label;
}

} // namespace

// The panel itself takes the focus, so that the keypad presses the grid's
// buttons at once; the buttons never take it from the panel.
ButtonCommandWindow::ButtonCommandWindow(QWidget* parent) : CommandWindow(parent) {
    setObjectName(QStringLiteral("ButtonKomutForm"));
    setFocusPolicy(Qt::StrongFocus);
    focusInPanel_ = this;
    BuildControls();
    BuildButtons();
    BuildActions();
    RefreshStatus();
    ShowDiagonalAngles();
    ArrangeButtons(ClassicWidth);
    UpdateMacroButtons();
    RunStateChanged(true);
    ApplyLanguage();
}

void ButtonCommandWindow::BuildControls() {
    Label1 = NewLabel(QString(), this);
    Label2 = NewLabel(QString(), this);
    KomutNoLabel = NewLabel(QStringLiteral("0"), this);
    Label3 = NewLabel(QString(), this);
    UzunlukLabel = NewLabel(QStringLiteral("0"), this);
    KalemDurumLabel = NewLabel(QStringLiteral("0"), this, true);
    Label4 = NewLabel(QString(), this);
    YayAciLabel = NewLabel(QStringLiteral("0"), this);
    Label5 = NewLabel(QString(), this);
    FontLabel = NewLabel(QStringLiteral("0"), this);
    Label8 = NewLabel(QString(), this);
    YonLabel = NewLabel(QStringLiteral("0"), this);
    for (QLabel* value : {KomutNoLabel, UzunlukLabel, YayAciLabel, FontLabel, YonLabel}) {
        QFont bold = value->font();
        bold.setBold(true);
        value->setFont(bold);
    }
    Label6 = NewLabel(QString(), this);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    HazirLabel = NewLabel(QString(), this, true);
    SonKomutEdit = new QLineEdit(this);
    SonKomutEdit->setObjectName(QStringLiteral("SonKomutEdit"));
    SonKomutEdit->setReadOnly(true);
    SonKomutEdit->setStyleSheet(QStringLiteral("background: #ffff80;"));
    MakroLabel = NewLabel(QString(), this, true);
    MakroLabel->hide();
    KomutNameLabel = NewLabel(QStringLiteral("-"), this, true);
    Label7 = NewLabel(QString(), this);
    ProsComboBox = new QComboBox(this);
    ProsComboBox->setObjectName(QStringLiteral("ProsComboBox"));
    KomutListBox = new QListWidget(this);
    KomutListBox->setObjectName(QStringLiteral("KomutListBox"));
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setSizeGripEnabled(false);
    UndoButton = NewHistoryButton(QStyle::SP_ArrowBack, QStringLiteral("UndoButton"));
    RedoButton = NewHistoryButton(QStyle::SP_ArrowForward, QStringLiteral("RedoButton"));
    connect(UndoButton, &QPushButton::clicked, this, [this] { UndoAction->trigger(); });
    connect(RedoButton, &QPushButton::clicked, this, [this] { RedoAction->trigger(); });

    connect(Edit1, &QLineEdit::returnPressed, this, [this] { ButtonCommand(FreeCommandNumber); });
    connect(SonKomutEdit, &QLineEdit::returnPressed, this,
            [this] { ButtonCommand(FreeCommandNumber); });
    connect(ProsComboBox, &QComboBox::activated, this, &ButtonCommandWindow::ProsComboBoxClick);
}

// Three buttons call their operation directly; every other one goes through
// the dispatcher with its own number.
void ButtonCommandWindow::BuildButtons() {
    QFont narrowFont = font();
    narrowFont.setPointSizeF(narrowFont.pointSizeF() * 0.85);
    for (int n = 1; n <= ButtonCount; ++n) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("BitBtn%1").arg(n));
        if (n >= FirstAngleButton) button->setFont(narrowFont);
        button->setFocusPolicy(Qt::NoFocus);
        const QIcon picture = ButtonPictures::ButtonPicture(n);
        if (!picture.isNull()) button->setIcon(picture);
        buttons_[n - 1] = button;
        if (n == RepeatButton)
            connect(button, &QPushButton::clicked, this, &ButtonCommandWindow::RepeatLast);
        else if (n == RecordButton)
            connect(button, &QPushButton::clicked, this, &ButtonCommandWindow::StartMacro);
        else if (n == StopRecordButton)
            connect(button, &QPushButton::clicked, this, &ButtonCommandWindow::FinishMacro);
        else
            connect(button, &QPushButton::clicked, this, [this, n] { ButtonCommand(n); });
    }
}

QPushButton* ButtonCommandWindow::NewHistoryButton(QStyle::StandardPixmap picture,
                                                const QString& name) {
    auto* button = new QPushButton(style()->standardIcon(picture), QString(), this);
    button->setObjectName(name);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QAction* ButtonCommandWindow::AddAction(const QKeySequence& shortcut) {
    auto* action = new QAction(this);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    return action;
}

// F8 (finish the macro) is not an action: the main window owns F8 for the
// whole program, so the window takes the key itself (see event).
void ButtonCommandWindow::BuildActions() {
    UndoAction = AddAction(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(UndoAction, &QAction::triggered, this, [this] {
        if (Globals().CanUndoLastCommand) ButtonCommand(UndoNumber);
    });
    RedoAction = AddAction(QKeySequence(Qt::CTRL | Qt::Key_Y));
    connect(RedoAction, &QAction::triggered, this, [this] { ButtonCommand(RedoNumber); });
    ShowPanelAction = AddAction(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F11));
    connect(ShowPanelAction, &QAction::triggered, this, [this] {
        showHistory_ = !showHistory_;
        ArrangeControls();
    });
    ArrangeWideAction = AddAction(QKeySequence(Qt::SHIFT | Qt::Key_F11));
    connect(ArrangeWideAction, &QAction::triggered, this,
            [this] { ArrangeButtons(window()->height() - 10); });
    ArrangeTallAction = AddAction(QKeySequence(Qt::SHIFT | Qt::Key_F12));
    connect(ArrangeTallAction, &QAction::triggered, this,
            [this] { ArrangeButtons(VerticalWidth); });
    ClassicArrangementAction = AddAction(QKeySequence(Qt::SHIFT | Qt::Key_F10));
    connect(ClassicArrangementAction, &QAction::triggered, this, [this] { ArrangeButtons(ClassicWidth); });
    StartMacroAction = AddAction(QKeySequence(Qt::Key_F7));
    connect(StartMacroAction, &QAction::triggered, this, &ButtonCommandWindow::StartMacro);
    RepeatLastAction = AddAction(QKeySequence(Qt::Key_F4));
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
    KomutNameLabel->setText(ButtonName(n));
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
    case 26: AskPenWidth(); break;
    case 27: AskStepLength(); break;
    case 28: AskLabel(); break;
    case 30: AskFontSize(); break;
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

QString ButtonCommandWindow::ButtonName(int n) const {
    const GlobalSettings& g = Globals();
    return Text(GraphicalCommands::ButtonNameId(n, g.PaintMode != 0, g.UseDirections));
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
    case 10: return GetLanguageString(7617);
    case 11: return GetLanguageString(7618);
    case 12: return ColourCommand(7630, false);
    case 13: return GetLanguageString(7619);
    case 14: return GetLanguageString(7620);
    case 15: return GetLanguageString(7621);
    case 16: return GetLanguageString(7616);
    case 17: return ColourCommand(7631, true);
    case 18: return FillCommand();
    case 19: return AskedTurn(true);
    case 20: return AskedTurn(false);
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

std::string ButtonCommandWindow::ColourCommand(int wordId, bool startWhite) {
    const auto colour = CurrentDialogs().ChooseColor(startWhite ? Qt::white : Qt::black);
    if (!colour) return {};
    return GetLanguageString(wordId) + ColorToListText(FromPixel(colour->rgb()));
}

std::string ButtonCommandWindow::FillCommand() {
    const std::string colour = ColourCommand(FillColourWordId, false);
    if (colour.empty()) return {};
    return colour + ' ' + GetLanguageString(FillWordId);
}

// The typed text is written as it stands, so that an expression stays one.
std::string ButtonCommandWindow::AskedTurn(bool left) {
    const QString typed = AskValue(7701, QStringLiteral("0"));
    if (typed.isEmpty() || evaluate(FromQt(typed)) == 0.0) return {};
    return GraphicalCommands::TurnText(left, FromQt(typed));
}

// ---- commands with their own dialog --------------------------------------

QString ButtonCommandWindow::AskValue(int promptId, const QString& initial) const {
    return CurrentDialogs().AskText(Text(promptId), initial, Text(InputTitleId), Text(OkId),
                                    Text(CancelId));
}

float ButtonCommandWindow::VariableValue(const std::string& name) const {
    return MainForm() ? MainForm()->Engine().Variables().GetVariable(name) : 0.0f;
}

void ButtonCommandWindow::AskArcAngle() {
    const float current = VariableValue(Globals().AngleVariableName);
    const QString typed = AskValue(7704, ToQt(GraphicalCommands::PlainNumber(current)));
    if (typed.isEmpty()) return;
    const double value = evaluate(FromQt(typed));
    if (value <= 0.0 || static_cast<float>(value) == current) return;
    if (value > 360.0) {
        CurrentDialogs().ShowMessage(Text(7803), Text(WarningTitleId));
        return;
    }
    RecordAndRun("setyayaci " + IntToText(TruncToInt(value)) + '\n');
    RefreshStatus();
}

void ButtonCommandWindow::AskPenWidth() {
    const int current = MainForm() ? MainForm()->Engine().Screen().State().PenWidth : 1;
    const QString typed = AskValue(7707, QString::number(current));
    if (typed.isEmpty() || TextToInt(FromQt(typed)) == current) return;
    RecordAndRun(GetLanguageString(PenWidthWordId) + "  " + FromQt(typed) + '\n');
}

void ButtonCommandWindow::AskStepLength() {
    const std::string& name = Globals().LengthVariableName;
    const float current = VariableValue(name);
    const QString typed = AskValue(7701, ToQt(GraphicalCommands::PlainNumber(current)));
    if (typed.isEmpty()) return;
    const double value = evaluate(FromQt(typed));
    if (value <= 0.0 || static_cast<float>(value) == current) return;
    RecordAndRun(name + " = " + FromQt(typed) + '\n');
}

void ButtonCommandWindow::AskLabel() {
    const QString typed = AskValue(7706, QString());
    if (typed.isEmpty()) return;
    RecordAndRun(GetLanguageString(LabelWordId) + ' ' + FromQt(typed) + '\n');
}

void ButtonCommandWindow::AskFontSize() {
    const int current = MainForm() ? TruncToInt(MainForm()->Engine().Screen().State().FontSize) : 8;
    const QString typed = AskValue(7705, QString::number(current));
    if (typed.isEmpty()) return;
    const double value = evaluate(FromQt(typed));
    if (value <= 0.0 || value == current) return;
    RecordAndRun(GetLanguageString(FontSizeWordId) + ' ' + FromQt(typed) + '\n');
}

void ButtonCommandWindow::AskDiagonalAngle(int index) {
    float& angle = diagonalAngles_[index];
    const QString typed = AskValue(7703, ToQt(GraphicalCommands::PlainNumber(angle)));
    if (typed.isEmpty()) return;
    const double value = evaluate(FromQt(typed));
    if (static_cast<float>(value) == angle) return;
    if (value < 0.0 || value > 90.0) {
        CurrentDialogs().ShowMessage(Text(7801), Text(WarningTitleId));
        return;
    }
    angle = static_cast<float>(value);
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
    const QString typed = Edit1->text();
    if (typed.isEmpty()) return;
    Edit1->clear();
    RecordAndRun(FromQt(typed) + '\n');
    forceTurn_ = true;
}

// ---- history ---------------------------------------------------------------

void ButtonCommandWindow::RecordAndRun(const std::string& text) {
    if (text.empty()) return;
    redo_.clear();
    RecordLine(text);
}

// The item keeps the line as recorded (line break included); it shows
// without its line break.
void ButtonCommandWindow::RecordLine(std::string text) {
    auto* item = new QListWidgetItem(ToQt(text).remove(u'\n'));
    item->setData(Qt::UserRole, QByteArray::fromStdString(text));
    KomutListBox->addItem(item);
    KomutListBox->setCurrentItem(item);
    if (!MainForm()) return;
    MainForm()->SetMainProcedureAndRun(text);
    SonKomutEdit->setText(item->text());
}

int ButtonCommandWindow::HistoryCount() const {
    return KomutListBox->count();
}

std::string ButtonCommandWindow::HistoryLine(int i) const {
    if (i < 0 || i >= HistoryCount()) return {};
    return KomutListBox->item(i)->data(Qt::UserRole).toByteArray().toStdString();
}

std::vector<std::string> ButtonCommandWindow::HistoryItems() const {
    std::vector<std::string> items;
    for (int i = 0; i < HistoryCount(); ++i)
        items.push_back(HistoryLine(i));
    return items;
}

// The drawing is made again from the remaining lines. The joined text ends
// with a line break, so that the next recorded line starts a line of its own.
void ButtonCommandWindow::UndoLast() {
    if (!MainForm()) return;
    if (HistoryCount() <= 1) {
        Beep();
        return;
    }
    SonKomutEdit->clear();
    redo_.push_back(HistoryLine(HistoryCount() - 1));
    delete KomutListBox->takeItem(HistoryCount() - 1);
    Globals().RefreshSuspended = true;
    MainForm()->Engine().Procedures().ClearBody(0);
    std::string replay = GraphicalCommands::JoinForReplay(HistoryItems());
    if (!replay.empty() && replay.back() != '\n') replay += '\n';
    MainForm()->SetMainProcedureAndRun(replay);
}

void ButtonCommandWindow::RedoLast() {
    if (redo_.empty()) {
        Beep();
        return;
    }
    std::string line = redo_.back();
    redo_.pop_back();
    if (line.empty() || line.back() != '\n') line += '\n';
    RecordLine(line);
}

// The last command again; a line taken from a loaded program gets its line
// break back.
void ButtonCommandWindow::RepeatLast() {
    const QString last = SonKomutEdit->text();
    if (last.isEmpty()) return;
    RecordAndRun(FromQt(last) + '\n');
}

void ButtonCommandWindow::RestartDrawing() {
    KomutListBox->clear();
    redo_.clear();
    lastButton_ = 0;
    StopRecording();
    SonKomutEdit->clear();
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

void ButtonCommandWindow::RefreshProcedures() {
    if (!MainForm()) return;
    const ProcedureStore& store = MainForm()->Engine().Procedures();
    KomutListBox->clear();
    redo_.clear();
    for (const std::string& line : GraphicalCommands::SplitLines(store.GetBody(0))) {
        auto* item = new QListWidgetItem(ToQt(line));
        item->setData(Qt::UserRole, QByteArray::fromStdString(line));
        KomutListBox->addItem(item);
    }
    ProsComboBox->clear();
    for (int i = 1; i < store.ProcedureCount(); ++i)
        ProsComboBox->addItem(ToQt(SplitFirstWord(store.GetHeader(i)).first));
    ProsComboBox->setCurrentIndex(-1);
    if (HistoryCount() > 0) SonKomutEdit->setText(KomutListBox->item(HistoryCount() - 1)->text());
}

void ButtonCommandWindow::ProsComboBoxClick(int index) {
    if (index < 0) return;
    RecordAndRun(FromQt(ProsComboBox->itemText(index)) + '\n');
    forceTurn_ = true;
    ProsComboBox->setCurrentIndex(-1);
}

// ---- macros ------------------------------------------------------------------

void ButtonCommandWindow::StartMacro() {
    macroStart_ = HistoryCount();
    UpdateMacroButtons();
    MakroLabel->show();
}

// A taken or blank name keeps the recording going instead of losing it.
void ButtonCommandWindow::FinishMacro() {
    if (macroStart_ < 0 || !MainForm()) return;
    const int count = HistoryCount();
    if (count == macroStart_) {
        UpdateMacroButtons();
        return;
    }
    const QString name = AskValue(7708, QString()).trimmed();
    if (name.isEmpty()) return;
    ProcedureStore& store = MainForm()->Engine().Procedures();
    if (store.FindProcedure(SplitFirstWord(FromQt(name)).first) >= 0) {
        CurrentDialogs().ShowMessage(Text(7710), Text(7806));
        return;
    }
    const std::string body = GraphicalCommands::MacroBody(HistoryItems(), macroStart_);
    StopRecording();
    MainForm()->AddProcedureWithBody(FromQt(name), body);
    ProsComboBox->addItem(ToQt(SplitFirstWord(FromQt(name)).first));
    ProsComboBox->setCurrentIndex(-1);
    UpdateMacroButtons();
}

void ButtonCommandWindow::StopRecording() {
    macroStart_ = -1;
    MakroLabel->hide();
    UpdateMacroButtons();
}

void ButtonCommandWindow::UpdateMacroButtons() {
    Button(RecordButton)->setEnabled(macroStart_ == -1);
    Button(StopRecordButton)->setEnabled(macroStart_ != -1);
}

bool ButtonCommandWindow::CanLeave() {
    if (macroStart_ == -1) return true;
    const int answer = CurrentDialogs().AskYesNoCancel(Text(7716), Text(7717), Text(7807),
                                                       Text(7808), Text(CancelId));
    if (answer != 1) return false;
    FinishMacro();
    return true;
}

bool ButtonCommandWindow::ConfirmReset() {
    return MainForm() ? MainForm()->ConfirmDiscard() : true;
}

// ---- presentation ------------------------------------------------------------

void ButtonCommandWindow::RefreshStatus() {
    const GlobalSettings& g = Globals();
    KomutNoLabel->setText(QString::number(HistoryCount() - 1));
    UzunlukLabel->setText(ToQt(FloatToText(VariableValue(g.LengthVariableName), 1)));
    YayAciLabel->setText(QString::number(TruncToInt(VariableValue(g.AngleVariableName))));
    if (!MainForm()) return;
    const TurtleState& turtle = MainForm()->Engine().Screen().State();
    if (turtle.PenIsDown) {
        const QColor pen(ToPixel(turtle.PenColor));
        KalemDurumLabel->setStyleSheet(QStringLiteral("color: %1;").arg(pen.name()));
        KalemDurumLabel->setText(Text(PenDownTextId));
    } else {
        KalemDurumLabel->setText(QStringLiteral("-"));
    }
    FontLabel->setText(QString::number(TruncToInt(turtle.FontSize)));
    YonLabel->setText(QString::number(TruncToInt(turtle.Heading)));
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
    Edit1->setEnabled(idle);
    if (!idle) return;
    RefreshStatus();
    if (focusInPanel_) focusInPanel_->setFocus(Qt::OtherFocusReason);
}

void ButtonCommandWindow::RunStateChanged(const bool& idle) {
    HazirLabel->setText(Text(idle ? IdleTextId : RunningTextId));
    if (!idle) return;
    ShowRunError();
    Button(PaintModeButton)->setText(ButtonName(PaintModeButton));
    const int heading = MainForm() ? TruncToInt(MainForm()->Engine().Screen().State().Heading) : 0;
    TurnPictures(Globals().UseDirections ? 0 : heading);
    SetDirectionPicture(ForwardButton, heading);
    SetDirectionPicture(BackButton, heading + 180);
}

// A line that failed says why in red in the status line, besides the beep;
// the next hint there is written in the usual colour again.
void ButtonCommandWindow::ShowRunError() {
    const std::string error = MainForm() ? MainForm()->LastRunError() : std::string();
    if (error.empty()) return;
    StatusBar1->setStyleSheet(QStringLiteral("color: #c00000;"));
    StatusBar1->showMessage(ToQt(error));
}

void ButtonCommandWindow::TurnPictures(int heading) {
    const GlobalSettings& g = Globals();
    if (!g.ChangePictures || g.UseDirections) heading = 270;
    for (const PictureTurn& turn : DirectionTurns)
        SetDirectionPicture(turn.button, heading + turn.offset);
    SetDirectionPicture(ForwardButton, heading);
    SetDirectionPicture(BackButton, heading + 180);
}

// The pictures are compiled in, and every angle has one of the 72.
void ButtonCommandWindow::SetDirectionPicture(int button, int angle) {
    Button(button)->setIcon(ButtonPictures::DirectionPicture(ButtonPictures::PictureIndex(angle)));
}

void ButtonCommandWindow::ArrangeButtons(int width) {
    minWidth_ = std::max(width, KalemDurumLabel->geometry().right() + 1 + 5);
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const int screenHeight = screen ? screen->geometry().height() : 768;
    const auto rects = ButtonLayout::Arrange(width, screenHeight, ButtonsTop);
    // Pictures a little over half the button's height leave room for the
    // caption; the narrow buttons take smaller ones.
    const int iconSide = std::max(16, rects[0].height() * 5 / 8);
    for (int n = 1; n <= ButtonCount; ++n) {
        const int side = n >= FirstAngleButton ? 16 : iconSide;
        Button(n)->setGeometry(rects[n - 1]);
        Button(n)->setIconSize(QSize(side, side));
    }
    PlaceControlsBelow(rects.back().bottom() + 1);
    ArrangeControls();
}

// The controls under the buttons, each 2 pixels below the one above.
void ButtonCommandWindow::PlaceControlsBelow(int buttonsBottom) {
    const int fieldWidth = 200;
    const int labelHeight = Label6->sizeHint().height();
    const int editHeight = Edit1->sizeHint().height();
    int y = buttonsBottom + 2;
    Label6->setGeometry(10, y, fieldWidth, labelHeight);
    y += labelHeight + 2;
    Edit1->setGeometry(10, y, fieldWidth, editHeight);
    HazirLabel->setGeometry(10 + fieldWidth + 10, y, 100, editHeight);
    y += editHeight + 2;
    Label1->setGeometry(10, y, Label1->sizeHint().width(), labelHeight);
    MakroLabel->setGeometry(Label1->geometry().right() + 20, y, MakroLabel->sizeHint().width(),
                            labelHeight);
    y += labelHeight + 2;
    SonKomutEdit->setGeometry(10, y, fieldWidth, editHeight);
    KomutNameLabel->setGeometry(10 + fieldWidth + 10, y, 110, editHeight);
    y += editHeight + 2;
    const int historyHeight = UndoButton->sizeHint().height();
    UndoButton->setGeometry(10, y, fieldWidth / 2 - 1, historyHeight);
    RedoButton->setGeometry(10 + fieldWidth / 2 + 1, y, fieldWidth / 2 - 1, historyHeight);
    y += historyHeight + 2;
    Label7->setGeometry(10, y, fieldWidth, labelHeight);
    y += labelHeight + 2;
    ProsComboBox->setGeometry(10, y, fieldWidth, ProsComboBox->sizeHint().height());
    KomutListBox->move(10, ProsComboBox->geometry().bottom() + 1 + 5);
}

// The panel keeps the buttons' width; its height is what its dock gives,
// at least enough for every control and, when shown, a few history lines.
void ButtonCommandWindow::ArrangeControls() {
    const int width = std::max(minWidth_, KalemDurumLabel->geometry().right() + 1 + 10);
    const int procedureBottom = ProsComboBox->geometry().bottom() + 1;
    const int history = showHistory_ ? 5 + HistoryMinHeight : 0;
    KomutListBox->setVisible(showHistory_);
    setFixedWidth(width);
    if (QScrollArea* scroll = EnclosingScrollArea())
        scroll->setMinimumWidth(width + scroll->verticalScrollBar()->sizeHint().width());
    setMinimumHeight(procedureBottom + history + 8 + StatusBar1->sizeHint().height());
    PlaceHistory();
}

// The history fills the height left under the procedure list, above the
// panel's status line.
void ButtonCommandWindow::PlaceHistory() {
    const int statusHeight = StatusBar1->sizeHint().height();
    const int top = ProsComboBox->geometry().bottom() + 1 + 5;
    KomutListBox->setGeometry(10, top, width() - 20,
                              std::max(0, height() - statusHeight - top - 8));
    StatusBar1->setGeometry(0, height() - statusHeight, width(), statusHeight);
}

void ButtonCommandWindow::resizeEvent(QResizeEvent* event) {
    CommandWindow::resizeEvent(event);
    PlaceHistory();
}

QScrollArea* ButtonCommandWindow::EnclosingScrollArea() const {
    QWidget* viewport = parentWidget();
    return viewport ? qobject_cast<QScrollArea*>(viewport->parentWidget()) : nullptr;
}

QDockWidget* ButtonCommandWindow::EnclosingDock() const {
    for (QWidget* widget = parentWidget(); widget; widget = widget->parentWidget())
        if (auto* dock = qobject_cast<QDockWidget*>(widget)) return dock;
    return nullptr;
}

// A floating panel steps aside when the turtle ends a run under it; a
// docked one never stands over the picture.
void ButtonCommandWindow::TurtleMoved(QPoint position) {
    QDockWidget* dock = EnclosingDock();
    if (!Globals().AutoMoveGraphicWindow || !MainForm() || !dock || !dock->isFloating()) return;
    const int x = MainForm()->PictureToGlobal(position).x();
    const QRect frame = dock->frameGeometry();
    if (x < frame.left() - TurtleMargin || x > frame.right() + 1 + TurtleMargin) return;
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const int right = area.right() + 1 - (frame.width() + frame.left());
    if (frame.left() - area.left() >= std::abs(right))
        dock->move(area.left(), dock->y());
    else
        dock->move(area.right() + 1 - frame.width() - ScreenMargin, dock->y());
}

void ButtonCommandWindow::ApplyLanguage() {
    setWindowTitle(Text(CaptionId));
    const std::array<QLabel*, 8> labels = {Label1, Label2, Label3, Label4,
                                           Label5, Label6, Label7, Label8};
    for (std::size_t i = 0; i < labels.size(); ++i)
        labels[i]->setText(Text(LabelCaptionIds[i]));
    MakroLabel->setText(Text(MacroLabelId));
    UndoButton->setText(Text(UndoTextId));
    UndoButton->setToolTip(Text(UndoTextId) + QStringLiteral(" (Ctrl+Z)"));
    RedoButton->setText(Text(RedoTextId));
    RedoButton->setToolTip(Text(RedoTextId) + QStringLiteral(" (Ctrl+Y)"));
    RefreshProcedures();
    UpdateMacroButtons();
    KomutNameLabel->setText(ButtonName(lastButton_));
    PlaceStatusLabels();
    PlaceControlsBelow(Button(ButtonCount)->geometry().bottom() + 1);
    for (int n = 1; n <= ButtonCount; ++n) {
        const QString name = ButtonName(n);
        if (!name.isEmpty()) Button(n)->setText(name);
        const QString hint = HintIds[n - 1] ? Text(HintIds[n - 1]) : QString();
        Button(n)->setToolTip(hint);
        Button(n)->setStatusTip(hint);
    }
    RunStateChanged(isEnabled());
    ArrangeControls();
}

// Two rows: each value right after its caption, each caption after the
// value before it.
void ButtonCommandWindow::PlaceStatusLabels() {
    const int rowHeight = Label2->sizeHint().height();
    const int valueWidth = KomutNoLabel->fontMetrics().horizontalAdvance(QStringLiteral("00000"));
    auto place = [&](QLabel* caption, QLabel* value, int x, int y) {
        caption->setGeometry(x, y, caption->sizeHint().width(), rowHeight);
        value->setGeometry(caption->geometry().right() + 1 + 2, y, valueWidth, rowHeight);
        return value->geometry().right() + 1;
    };
    const int top = 4;
    const int second = top + rowHeight + 4;
    int x = place(Label2, KomutNoLabel, 10, top);
    x = place(Label3, UzunlukLabel, x + 10, top);
    const int penWidth = KalemDurumLabel->fontMetrics().horizontalAdvance(Text(PenDownTextId));
    KalemDurumLabel->setGeometry(x + 20, top, std::max(penWidth + 4, 20), rowHeight);
    x = place(Label4, YayAciLabel, 10, second);
    x = place(Label5, FontLabel, x + 20, second);
    place(Label8, YonLabel, x + 10, second);
}

// ---- window events -----------------------------------------------------------

// The hint of the control under the mouse goes to the status line. F8 is
// claimed before the program-wide shortcuts see it, so that it finishes the
// macro while this window is active; while a line runs (the window disabled)
// it stays the main window's Stop.
bool ButtonCommandWindow::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        StatusBar1->setStyleSheet(QString());
        StatusBar1->showMessage(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F8 && key->modifiers() == Qt::NoModifier && isEnabled()) {
            event->accept();
            return true;
        }
    }
    return CommandWindow::event(event);
}

// The keypad presses the grid buttons, with Num Lock on or off. The keys
// come here and not through shortcuts, which do not tell keypad keys from
// the others on every platform; in the free command line the keypad types,
// because a line edit keeps typing keys for itself.
void ButtonCommandWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F8 && event->modifiers() == Qt::NoModifier) {
        FinishMacro();
        return;
    }
    if (event->modifiers() & Qt::KeypadModifier) {
        for (const KeypadKey& key : KeypadKeys) {
            if (event->key() == key.digit || event->key() == key.navigation) {
                Button(key.button)->click();
                return;
            }
        }
    }
    CommandWindow::keyPressEvent(event);
}

// Only the mode switch removes the window.
void ButtonCommandWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
}

} // namespace mivarelo
