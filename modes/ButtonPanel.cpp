#include "modes/ButtonPanel.h"

#include "core/GlobalSettings.h"
#include "core/LanguageIds.h"
#include "modes/ButtonLayout.h"
#include "modes/ButtonPictures.h"
#include "modes/CommandHost.h"
#include "modes/GraphicalCommands.h"
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

#include <algorithm>

namespace mivarelo {

namespace {

// The captions' texts in the order of the caption labels: last command,
// command number, step length, arc angle, font size, free command,
// procedures, heading (which comes after the pen-down text).
constexpr std::array<int, 8> LabelCaptionIds = {
    LastCommandId,   CommandNumberId, StepLengthLabelId, ArcAngleLabelId,
    FontSizeLabelId, FreeCommandId,   ProceduresLabelId, HeadingLabelId};

constexpr int VerticalWidth = 310;
constexpr int ButtonsTop = 46;
// The history keeps at least a few lines in sight below the controls.
constexpr int HistoryMinHeight = 60;

// The hint text id of each button; 0 for none.
constexpr std::array<int, ButtonPanel::ButtonCount> HintIds = {
    UpLeftHintId,       UpHintId,
    UpRightHintId,      LeftHintId,
    HomeHintId,         RightHintId,
    DownLeftHintId,     DownHintId,
    DownRightHintId,    PenDownHintId,
    PenUpHintId,        PenColourHintId,
    ShowHintId,         HideHintId,
    SetHomeHintId,      ClearHintId,
    ScreenColourHintId, FillHintId,
    TurnLeftHintId,     TurnRightHintId,
    EraserHintId,       ArcLeftHintId,
    ArcRightHintId,     ArcAngleHintId,
    RestartHintId,      PenWidthHintId,
    StepHintId,         WriteTextHintId,
    RepeatHintId,       FontSizeHintId,
    UpLeftAngleHintId,  DownLeftAngleHintId,
    UpRightAngleHintId, DownRightAngleHintId,
    RecordHintId,       StopRecordingHintId,
    ForwardHintId,      BackHintId};

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

QLabel* NewLabel(const QString& text, QWidget* parent, bool red = false) {
    auto* label = new QLabel(text, parent);
    if (red) label->setStyleSheet(QStringLiteral("color: #c00000;"));
    return label;
}

const QScreen* ScreenOf(const QWidget* widget) {
    return widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
}

} // namespace

// The panel itself takes the focus, so that the keypad presses the grid's
// buttons at once; the buttons never take it from the panel.
ButtonPanel::ButtonPanel(QWidget* parent) : CommandWindow(parent) {
    setFocusPolicy(Qt::StrongFocus);
    BuildControls();
    BuildButtons();
    BuildActions();
}

void ButtonPanel::BuildControls() {
    LastCommandCaption = NewLabel(QString(), this);
    CommandNumberCaption = NewLabel(QString(), this);
    CommandNumberLabel = NewLabel(QStringLiteral("0"), this);
    StepLengthCaption = NewLabel(QString(), this);
    StepLengthLabel = NewLabel(QStringLiteral("0"), this);
    PenStateLabel = NewLabel(QStringLiteral("0"), this, true);
    ArcAngleCaption = NewLabel(QString(), this);
    ArcAngleLabel = NewLabel(QStringLiteral("0"), this);
    FontSizeCaption = NewLabel(QString(), this);
    FontSizeLabel = NewLabel(QStringLiteral("0"), this);
    HeadingCaption = NewLabel(QString(), this);
    HeadingLabel = NewLabel(QStringLiteral("0"), this);
    for (QLabel* value :
         {CommandNumberLabel, StepLengthLabel, ArcAngleLabel, FontSizeLabel, HeadingLabel}) {
        QFont bold = value->font();
        bold.setBold(true);
        value->setFont(bold);
    }
    FreeCommandCaption = NewLabel(QString(), this);
    FreeCommandEdit = new QLineEdit(this);
    FreeCommandEdit->setObjectName(QStringLiteral("FreeCommandEdit"));
    RunStateLabel = NewLabel(QString(), this, true);
    LastCommandEdit = new QLineEdit(this);
    LastCommandEdit->setObjectName(QStringLiteral("LastCommandEdit"));
    LastCommandEdit->setReadOnly(true);
    LastCommandEdit->setStyleSheet(QStringLiteral("background: #ffff80;"));
    RecordingMacroLabel = NewLabel(QString(), this, true);
    RecordingMacroLabel->hide();
    LastButtonLabel = NewLabel(QStringLiteral("-"), this, true);
    ProceduresCaption = NewLabel(QString(), this);
    ProcedureComboBox = new QComboBox(this);
    ProcedureComboBox->setObjectName(QStringLiteral("ProcedureComboBox"));
    HistoryList = new QListWidget(this);
    HistoryList->setObjectName(QStringLiteral("HistoryList"));
    StatusLine = new QStatusBar(this);
    StatusLine->setSizeGripEnabled(false);
    UndoButton = NewHistoryButton(QStyle::SP_ArrowBack, QStringLiteral("UndoButton"));
    RedoButton = NewHistoryButton(QStyle::SP_ArrowForward, QStringLiteral("RedoButton"));
}

void ButtonPanel::BuildButtons() {
    QFont narrowFont = font();
    narrowFont.setPointSizeF(narrowFont.pointSizeF() * 0.85);
    for (int n = 1; n <= ButtonCount; ++n) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("Button%1").arg(n));
        if (n >= FirstAngleButton) button->setFont(narrowFont);
        button->setFocusPolicy(Qt::NoFocus);
        const QIcon picture = ButtonPictures::ButtonPicture(n);
        if (!picture.isNull()) button->setIcon(picture);
        buttons_[n - 1] = button;
    }
}

QPushButton* ButtonPanel::NewHistoryButton(QStyle::StandardPixmap picture, const QString& name) {
    auto* button = new QPushButton(style()->standardIcon(picture), QString(), this);
    button->setObjectName(name);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QAction* ButtonPanel::AddAction(const QKeySequence& shortcut) {
    auto* action = new QAction(this);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    return action;
}

// The actions that change the arrangement act here; the undo and redo
// buttons trigger their actions, which ButtonCommandWindow connects. F8
// (finish the macro) is not an action: the main window owns F8 for the
// whole program, so the window takes the key itself.
void ButtonPanel::BuildActions() {
    UndoAction = AddAction(QKeySequence(Qt::CTRL | Qt::Key_Z));
    RedoAction = AddAction(QKeySequence(Qt::CTRL | Qt::Key_Y));
    connect(UndoButton, &QPushButton::clicked, this, [this] { UndoAction->trigger(); });
    connect(RedoButton, &QPushButton::clicked, this, [this] { RedoAction->trigger(); });
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
    connect(ClassicArrangementAction, &QAction::triggered, this,
            [this] { ArrangeButtons(ClassicWidth); });
    StartMacroAction = AddAction(QKeySequence(Qt::Key_F7));
    RepeatLastAction = AddAction(QKeySequence(Qt::Key_F4));
}

QString ButtonPanel::ButtonName(int n) const {
    const GlobalSettings& g = Globals();
    return LanguageText(GraphicalCommands::ButtonNameId(n, g.PaintMode != 0, g.UseDirections));
}

void ButtonPanel::ApplyCaptions() {
    setWindowTitle(LanguageText(GraphicalModeCaptionId));
    const std::array<QLabel*, 8> labels = {
        LastCommandCaption, CommandNumberCaption, StepLengthCaption, ArcAngleCaption,
        FontSizeCaption,    FreeCommandCaption,   ProceduresCaption, HeadingCaption};
    for (std::size_t i = 0; i < labels.size(); ++i)
        labels[i]->setText(LanguageText(LabelCaptionIds[i]));
    RecordingMacroLabel->setText(LanguageText(RecordingMacroId));
    UndoButton->setText(LanguageText(UndoId));
    UndoButton->setToolTip(LanguageText(UndoId) + QStringLiteral(" (Ctrl+Z)"));
    RedoButton->setText(LanguageText(RedoId));
    RedoButton->setToolTip(LanguageText(RedoId) + QStringLiteral(" (Ctrl+Y)"));
}

// A button without a name of its own (the diagonal angles) keeps its text.
void ButtonPanel::ApplyButtonNames() {
    for (int n = 1; n <= ButtonCount; ++n) {
        const QString name = ButtonName(n);
        if (!name.isEmpty()) Button(n)->setText(name);
        const QString hint = HintIds[n - 1] ? LanguageText(HintIds[n - 1]) : QString();
        Button(n)->setToolTip(hint);
        Button(n)->setStatusTip(hint);
    }
}

void ButtonPanel::TurnPictures(int heading) {
    const GlobalSettings& g = Globals();
    if (!g.ChangePictures || g.UseDirections) heading = 270;
    for (int n = 1; n <= ButtonCount; ++n)
        TurnArrow(n, heading);
}

// The pictures are compiled in, and every angle has one of the 72.
void ButtonPanel::TurnArrow(int button, int heading) {
    const QIcon arrow = ButtonPictures::ArrowPicture(button, heading);
    if (!arrow.isNull()) Button(button)->setIcon(arrow);
}

// ---- arrangement ---------------------------------------------------------------

void ButtonPanel::ArrangeButtons(int width) {
    minWidth_ = std::max(width, PenStateLabel->geometry().right() + 1 + 5);
    const QScreen* screen = ScreenOf(this);
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

void ButtonPanel::PlaceControls() {
    PlaceStatusLabels();
    PlaceControlsBelow(Button(ButtonCount)->geometry().bottom() + 1);
}

// The controls under the buttons, each 2 pixels below the one above.
void ButtonPanel::PlaceControlsBelow(int buttonsBottom) {
    const int fieldWidth = 200;
    const int labelHeight = FreeCommandCaption->sizeHint().height();
    const int editHeight = FreeCommandEdit->sizeHint().height();
    int y = buttonsBottom + 2;
    FreeCommandCaption->setGeometry(10, y, fieldWidth, labelHeight);
    y += labelHeight + 2;
    FreeCommandEdit->setGeometry(10, y, fieldWidth, editHeight);
    RunStateLabel->setGeometry(10 + fieldWidth + 10, y, 100, editHeight);
    y += editHeight + 2;
    LastCommandCaption->setGeometry(10, y, LastCommandCaption->sizeHint().width(), labelHeight);
    RecordingMacroLabel->setGeometry(LastCommandCaption->geometry().right() + 20, y,
                                     RecordingMacroLabel->sizeHint().width(), labelHeight);
    y += labelHeight + 2;
    LastCommandEdit->setGeometry(10, y, fieldWidth, editHeight);
    LastButtonLabel->setGeometry(10 + fieldWidth + 10, y, 110, editHeight);
    y += editHeight + 2;
    const int historyHeight = UndoButton->sizeHint().height();
    UndoButton->setGeometry(10, y, fieldWidth / 2 - 1, historyHeight);
    RedoButton->setGeometry(10 + fieldWidth / 2 + 1, y, fieldWidth / 2 - 1, historyHeight);
    y += historyHeight + 2;
    ProceduresCaption->setGeometry(10, y, fieldWidth, labelHeight);
    y += labelHeight + 2;
    ProcedureComboBox->setGeometry(10, y, fieldWidth, ProcedureComboBox->sizeHint().height());
    HistoryList->move(10, ProcedureComboBox->geometry().bottom() + 1 + 5);
}

// Two rows: each value right after its caption, each caption after the
// value before it.
void ButtonPanel::PlaceStatusLabels() {
    const int rowHeight = CommandNumberCaption->sizeHint().height();
    const int valueWidth =
        CommandNumberLabel->fontMetrics().horizontalAdvance(QStringLiteral("00000"));
    auto place = [&](QLabel* caption, QLabel* value, int x, int y) {
        caption->setGeometry(x, y, caption->sizeHint().width(), rowHeight);
        value->setGeometry(caption->geometry().right() + 1 + 2, y, valueWidth, rowHeight);
        return value->geometry().right() + 1;
    };
    const int top = 4;
    const int second = top + rowHeight + 4;
    int x = place(CommandNumberCaption, CommandNumberLabel, 10, top);
    x = place(StepLengthCaption, StepLengthLabel, x + 10, top);
    const int penWidth =
        PenStateLabel->fontMetrics().horizontalAdvance(LanguageText(PenDownLabelId));
    PenStateLabel->setGeometry(x + 20, top, std::max(penWidth + 4, 20), rowHeight);
    x = place(ArcAngleCaption, ArcAngleLabel, 10, second);
    x = place(FontSizeCaption, FontSizeLabel, x + 20, second);
    place(HeadingCaption, HeadingLabel, x + 10, second);
}

// The panel keeps the buttons' width; its height is what its dock gives,
// at least enough for every control and, when shown, a few history lines.
void ButtonPanel::ArrangeControls() {
    const int width = std::max(minWidth_, PenStateLabel->geometry().right() + 1 + 10);
    const int procedureBottom = ProcedureComboBox->geometry().bottom() + 1;
    const int history = showHistory_ ? 5 + HistoryMinHeight : 0;
    HistoryList->setVisible(showHistory_);
    setFixedWidth(width);
    if (QScrollArea* scroll = EnclosingScrollArea())
        scroll->setMinimumWidth(width + scroll->verticalScrollBar()->sizeHint().width());
    setMinimumHeight(procedureBottom + history + 8 + StatusLine->sizeHint().height());
    PlaceHistory();
}

// The history fills the height left under the procedure list, above the
// panel's status line.
void ButtonPanel::PlaceHistory() {
    const int statusHeight = StatusLine->sizeHint().height();
    const int top = ProcedureComboBox->geometry().bottom() + 1 + 5;
    HistoryList->setGeometry(10, top, width() - 20, std::max(0, height() - statusHeight - top - 8));
    StatusLine->setGeometry(0, height() - statusHeight, width(), statusHeight);
}

QScrollArea* ButtonPanel::EnclosingScrollArea() const {
    QWidget* viewport = parentWidget();
    return viewport ? qobject_cast<QScrollArea*>(viewport->parentWidget()) : nullptr;
}

QDockWidget* ButtonPanel::EnclosingDock() const {
    for (QWidget* widget = parentWidget(); widget; widget = widget->parentWidget())
        if (auto* dock = qobject_cast<QDockWidget*>(widget)) return dock;
    return nullptr;
}

// A floating panel steps aside when the turtle ends a run under it; a
// docked one never stands over the picture.
void ButtonPanel::TurtleMoved(QPoint position) {
    QDockWidget* dock = EnclosingDock();
    if (!Globals().AutoMoveGraphicWindow || !MainForm() || !dock || !dock->isFloating()) return;
    const int x = MainForm()->PictureToGlobal(position).x();
    const QScreen* screen = ScreenOf(this);
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    if (const auto left = ButtonLayout::DockLeftAwayFrom(x, dock->frameGeometry(), area))
        dock->move(*left, dock->y());
}

// ---- window events -------------------------------------------------------------

void ButtonPanel::resizeEvent(QResizeEvent* event) {
    CommandWindow::resizeEvent(event);
    PlaceHistory();
}

// The hint of the control under the mouse goes to the status line.
bool ButtonPanel::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        StatusLine->setStyleSheet(QString());
        StatusLine->showMessage(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return CommandWindow::event(event);
}

// The keypad presses the grid buttons, with Num Lock on or off. The keys
// come here and not through shortcuts, which do not tell keypad keys from
// the others on every platform; in the free command line the keypad types,
// because a line edit keeps typing keys for itself.
void ButtonPanel::keyPressEvent(QKeyEvent* event) {
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
void ButtonPanel::closeEvent(QCloseEvent* event) {
    event->ignore();
}

} // namespace mivarelo
