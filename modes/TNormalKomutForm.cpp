#include "modes/TNormalKomutForm.h"

#include "modes/CodeEditor.h"
#include "modes/CommandConsole.h"
#include "modes/LogoHighlighter.h"
#include "shell/QtText.h"
#include "shell/TLogoMainForm.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QScreen>

namespace mivarelo {

namespace {

constexpr int CommandWindowCaptionId = 7715;
constexpr int ConsoleHintId = 7824;
constexpr int EditorLeft = 23;
constexpr int EditorTop = 24;
// The console sits in the strip below the editor.
constexpr int ConsoleGap = 2;
constexpr int ConsoleHeight = 24;

QFont FontOfHeight(int pixels) {
    QFont font;
    font.setPixelSize(pixels);
    return font;
}

} // namespace

TNormalKomutForm::TNormalKomutForm(QWidget* owner) : TKomutIdareForm(owner) {
    setObjectName(QStringLiteral("NormalKomutForm"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    setWindowTitle(QStringLiteral("Manual Komutlar"));
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(0xB8, 0xF0, 0xF0));
    setPalette(background);
    setAutoFillBackground(true);
    setGeometry(162, 231, 800, 196);

    ProsedurComboBox = new QComboBox(this);
    ProsedurComboBox->setObjectName(QStringLiteral("ProsedurComboBox"));
    ProsedurComboBox->setGeometry(24, 0, 265, 22);
    AktifLabel = new QLabel(QStringLiteral("Çalışıyor"), this);
    AktifLabel->setObjectName(QStringLiteral("AktifLabel"));
    AktifLabel->setFont(FontOfHeight(19));
    AktifLabel->setGeometry(304, 0, 80, 22);
    AktifLabel->hide();
    HataNoLabel = new QLabel(QStringLiteral("-"), this);
    HataNoLabel->setObjectName(QStringLiteral("HataNoLabel"));
    HataNoLabel->setFont(FontOfHeight(19));
    HataNoLabel->setStyleSheet(QStringLiteral("color: red;"));
    HataNoLabel->setGeometry(390, 0, 60, 22);
    KomutMemo = new CodeEditor(this);
    KomutMemo->setFont(FontOfHeight(20));
    KomutMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    KomutMemo->setGeometry(EditorLeft, EditorTop, 665, 137);
    HataListBox = new QListWidget(this);
    HataListBox->setObjectName(QStringLiteral("HataListBox"));
    HataListBox->setGeometry(567, EditorTop, 121, 137);
    HataListBox->installEventFilter(this);
    KomutConsole = new CommandConsole(this);
    KomutConsole->setGeometry(EditorLeft, EditorTop + 137 + ConsoleGap, 665, ConsoleHeight);
    highlighter_ = new LogoHighlighter(KomutMemo->document(), nullptr);

    connect(ProsedurComboBox, &QComboBox::activated, this,
            &TNormalKomutForm::ProsedurComboBoxClick);
    connect(KomutMemo, &QPlainTextEdit::textChanged, this, &TNormalKomutForm::KomutMemoChanged);
    ApplyLanguage();
}

// The window takes a fixed place: the full width of the screen but 100
// pixels, a quarter of its height, 60 pixels from the top; a resize by the
// user snaps back to it.
void TNormalKomutForm::ArrangeControls() {
    if (arranging_) return;
    arranging_ = true;
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    setGeometry(area.left(), area.top() + 60, area.width() - 100, area.height() / 4 + 15);
    const int editorWidth = width() - 300;
    const int editorHeight = height() - EditorTop - 30;
    KomutMemo->setGeometry(EditorLeft, EditorTop, editorWidth, editorHeight);
    const int listLeft = EditorLeft + editorWidth + 1;
    HataListBox->setGeometry(listLeft, EditorTop, width() - listLeft - 15, editorHeight);
    KomutConsole->setGeometry(EditorLeft, EditorTop + editorHeight + ConsoleGap, editorWidth,
                              ConsoleHeight);
    arranging_ = false;
}

void TNormalKomutForm::ApplyLanguage() {
    setWindowTitle(LanguageText(CommandWindowCaptionId));
    KomutConsole->setPlaceholderText(LanguageText(ConsoleHintId));
}

void TNormalKomutForm::SetProcedureStore(const Prosedurler* store) {
    highlighter_->SetStore(store);
    KomutMemo->SetProcedureStore(store);
}

void TNormalKomutForm::Recolour() {
    highlighter_->rehighlight();
}

void TNormalKomutForm::resizeEvent(QResizeEvent* event) {
    TKomutIdareForm::resizeEvent(event);
    ArrangeControls();
}

// F1 on the error list asks for help on the selected entry, before the
// application's Help Contents shortcut sees the key.
bool TNormalKomutForm::eventFilter(QObject* watched, QEvent* event) {
    const bool shortcut = event->type() == QEvent::ShortcutOverride;
    if (watched != HataListBox || (!shortcut && event->type() != QEvent::KeyPress))
        return TKomutIdareForm::eventFilter(watched, event);
    if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 || HataListBox->currentRow() < 0)
        return TKomutIdareForm::eventFilter(watched, event);
    event->accept();
    if (!shortcut) emit ErrorHelpRequested(HataListBox->currentRow());
    return true;
}

void TNormalKomutForm::ProsedurComboBoxClick() {
    if (MainForm()) MainForm()->ShowProcedure(-1);
}

// Only an edit by the user changes the program: loading a procedure leaves
// the document unmodified, and recolouring changes formats, not text.
void TNormalKomutForm::KomutMemoChanged() {
    if (MainForm() && KomutMemo->document()->isModified()) MainForm()->SetProgramChanged(true);
}

} // namespace mivarelo
