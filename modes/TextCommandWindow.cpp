#include "modes/TextCommandWindow.h"

#include "widgets/CodeEditor.h"
#include "modes/CommandConsole.h"
#include "modes/CommandHost.h"
#include "widgets/LogoHighlighter.h"
#include "widgets/QtText.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QSplitter>
#include <QVBoxLayout>

namespace mivarelo {

namespace {

constexpr int CommandWindowCaptionId = 7715;
constexpr int ConsoleHintId = 7824;
constexpr int RunningTextId = 7563;
constexpr int ConsoleGap = 2;
// The smallest panel that still shows a few lines of a procedure.
constexpr int ProcedureListWidth = 265;
constexpr int ErrorListMinWidth = 120;
constexpr int EditorMinHeight = 90;
constexpr int PanelMinWidth = 420;

QFont FontOfHeight(int pixels) {
    QFont font;
    font.setPixelSize(pixels);
    return font;
}

} // namespace

TextCommandWindow::TextCommandWindow(QWidget* parent) : CommandWindow(parent) {
    setObjectName(QStringLiteral("NormalKomutForm"));
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(0xB8, 0xF0, 0xF0));
    setPalette(background);
    setAutoFillBackground(true);

    ProsedurComboBox = new QComboBox(this);
    ProsedurComboBox->setObjectName(QStringLiteral("ProsedurComboBox"));
    ProsedurComboBox->setMinimumWidth(ProcedureListWidth);
    AktifLabel = new QLabel(this);
    AktifLabel->setObjectName(QStringLiteral("AktifLabel"));
    AktifLabel->setFont(FontOfHeight(19));
    AktifLabel->hide();
    HataNoLabel = new QLabel(QStringLiteral("-"), this);
    HataNoLabel->setObjectName(QStringLiteral("HataNoLabel"));
    HataNoLabel->setFont(FontOfHeight(19));
    HataNoLabel->setStyleSheet(QStringLiteral("color: red;"));
    KomutMemo = new CodeEditor(this);
    KomutMemo->setFont(FontOfHeight(20));
    KomutMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    HataListBox = new QListWidget(this);
    HataListBox->setObjectName(QStringLiteral("HataListBox"));
    HataListBox->installEventFilter(this);
    KomutConsole = new CommandConsole(this);
    highlighter_ = new LogoHighlighter(KomutMemo->document(), nullptr);
    BuildLayout();

    connect(ProsedurComboBox, &QComboBox::activated, this,
            &TextCommandWindow::ProsedurComboBoxClick);
    connect(KomutMemo, &QPlainTextEdit::textChanged, this, &TextCommandWindow::KomutMemoChanged);
    ApplyLanguage();
}

// The procedure list and the two labels in a row above; the editor with the
// error list beside it in a splitter, so that either can be widened; the
// console under the editor. The panel never shrinks below a few lines of
// the editor.
void TextCommandWindow::BuildLayout() {
    auto* top = new QHBoxLayout;
    top->addWidget(ProsedurComboBox);
    top->addSpacing(12);
    top->addWidget(AktifLabel);
    top->addSpacing(12);
    top->addWidget(HataNoLabel);
    top->addStretch(1);
    auto* editorColumn = new QWidget(this);
    auto* column = new QVBoxLayout(editorColumn);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(ConsoleGap);
    column->addWidget(KomutMemo, 1);
    column->addWidget(KomutConsole);
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(editorColumn);
    splitter->addWidget(HataListBox);
    splitter->setStretchFactor(0, 4);
    splitter->setStretchFactor(1, 1);
    HataListBox->setMinimumWidth(ErrorListMinWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setSpacing(2);
    layout->addLayout(top);
    layout->addWidget(splitter, 1);
    KomutMemo->setMinimumHeight(EditorMinHeight);
    setMinimumWidth(PanelMinWidth);
}

void TextCommandWindow::ApplyLanguage() {
    setWindowTitle(LanguageText(CommandWindowCaptionId));
    KomutConsole->setPlaceholderText(LanguageText(ConsoleHintId));
    AktifLabel->setText(LanguageText(RunningTextId));
}

void TextCommandWindow::SetProcedureStore(const ProcedureStore* store) {
    highlighter_->SetStore(store);
    KomutMemo->SetProcedureStore(store);
}

void TextCommandWindow::Recolour() {
    highlighter_->rehighlight();
}

// F1 on the error list asks for help on the selected entry, before the
// application's Help Contents shortcut sees the key.
bool TextCommandWindow::eventFilter(QObject* watched, QEvent* event) {
    const bool shortcut = event->type() == QEvent::ShortcutOverride;
    if (watched != HataListBox || (!shortcut && event->type() != QEvent::KeyPress))
        return CommandWindow::eventFilter(watched, event);
    if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 || HataListBox->currentRow() < 0)
        return CommandWindow::eventFilter(watched, event);
    event->accept();
    if (!shortcut) emit ErrorHelpRequested(HataListBox->currentRow());
    return true;
}

void TextCommandWindow::ProsedurComboBoxClick() {
    if (MainForm()) MainForm()->ShowProcedure(-1);
}

// Only an edit by the user changes the program: loading a procedure leaves
// the document unmodified, and recolouring changes formats, not text.
void TextCommandWindow::KomutMemoChanged() {
    if (MainForm() && KomutMemo->document()->isModified()) MainForm()->SetProgramChanged(true);
}

} // namespace mivarelo
