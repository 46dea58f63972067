#include "modes/TextCommandWindow.h"

#include "core/LanguageIds.h"
#include "modes/CommandConsole.h"
#include "modes/CommandHost.h"
#include "widgets/CodeEditor.h"
#include "widgets/LogoHighlighter.h"
#include "widgets/QtText.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

namespace mivarelo {

namespace {

constexpr int ConsoleGap = 2;
// The smallest panel that still shows a few lines of a procedure.
constexpr int ProcedureListWidth = 265;
constexpr int ErrorListMinWidth = 120;
constexpr int EditorMinHeight = 90;
constexpr int PanelMinWidth = 420;
// A procedure longer than this goes into the editor in slices of about
// this many characters, ending at a line end.
constexpr qsizetype FillSliceChars = 100'000;
constexpr int FillProgressAfterMs = 500;
// A line longer than this is shown cut to its first ShownLineChars.
constexpr qsizetype LongLineChars = 20'000;
constexpr qsizetype ShownLineChars = 2'000;
// The marks of a watched run: its line, and the running command in it.
const QColor LineColour(255, 243, 170);
const QColor CommandColour(255, 196, 120);

QFont FontOfHeight(int pixels) {
    QFont font;
    font.setPixelSize(pixels);
    return font;
}

// A background mark of the cursor's selection, or of the cursor's whole
// line across the editor's width.
QTextEdit::ExtraSelection Mark(QTextCursor cursor, const QColor& colour, bool fullWidth) {
    QTextEdit::ExtraSelection mark;
    mark.cursor = cursor;
    mark.format.setBackground(colour);
    if (fullWidth) mark.format.setProperty(QTextFormat::FullWidthSelection, true);
    return mark;
}

// A list's line reaches the interpreter normalised: blanks doubled and ';'
// put between its commands. Its words, in order, with any blanks or ';'
// between them, find the text the user wrote.
QRegularExpression CommandPattern(std::string_view listLine) {
    QStringList words;
    for (const QString& word :
         ToQt(listLine).split(QRegularExpression(QStringLiteral("[\\s;]+")), Qt::SkipEmptyParts))
        words << QRegularExpression::escape(word);
    return QRegularExpression(words.join(QStringLiteral("[\\s;]*")),
                              QRegularExpression::CaseInsensitiveOption);
}

// The list line's command text in the body line, selected; no selection when
// the body line does not hold it.
QTextCursor CommandIn(const QTextBlock& block, std::string_view listLine) {
    QTextCursor command(block);
    const QRegularExpressionMatch found = CommandPattern(listLine).match(block.text());
    if (found.capturedLength() == 0) return command;
    command.setPosition(block.position() + static_cast<int>(found.capturedStart()));
    command.setPosition(block.position() + static_cast<int>(found.capturedEnd()),
                        QTextCursor::KeepAnchor);
    return command;
}

} // namespace

TextCommandWindow::TextCommandWindow(QWidget* parent) : CommandWindow(parent) {
    setObjectName(QStringLiteral("TextCommandWindow"));
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(0xB8, 0xF0, 0xF0));
    setPalette(background);
    setAutoFillBackground(true);

    procedureList_ = new QComboBox(this);
    procedureList_->setObjectName(QStringLiteral("ProcedureList"));
    procedureList_->setMinimumWidth(ProcedureListWidth);
    runningLabel_ = new QLabel(this);
    runningLabel_->setObjectName(QStringLiteral("RunningLabel"));
    runningLabel_->setFont(FontOfHeight(19));
    runningLabel_->hide();
    errorNumberLabel_ = new QLabel(QStringLiteral("-"), this);
    errorNumberLabel_->setObjectName(QStringLiteral("ErrorNumberLabel"));
    errorNumberLabel_->setFont(FontOfHeight(19));
    errorNumberLabel_->setStyleSheet(QStringLiteral("color: red;"));
    editor_ = new CodeEditor(this);
    editor_->setObjectName(QStringLiteral("Editor"));
    editor_->setFont(FontOfHeight(20));
    editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
    errorList_ = new QListWidget(this);
    errorList_->setObjectName(QStringLiteral("ErrorList"));
    errorList_->installEventFilter(this);
    console_ = new CommandConsole(this);
    output_ = new QPlainTextEdit(this);
    output_->setObjectName(QStringLiteral("OutputPane"));
    output_->setReadOnly(true);
    output_->setMaximumBlockCount(OutputLineLimit);
    output_->hide();
    highlighter_ = new LogoHighlighter(editor_->document(), nullptr);
    BuildLayout();

    connect(procedureList_, &QComboBox::activated, this, &TextCommandWindow::ProcedureChosen);
    connect(editor_, &QPlainTextEdit::textChanged, this, &TextCommandWindow::EditorChanged);
    connect(editor_, &CodeEditor::HelpRequested, this, &TextCommandWindow::WordHelpRequested);
    connect(console_, &CommandConsole::LineEntered, this, &TextCommandWindow::LineEntered);
    connect(errorList_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit ErrorChosen(errorList_->row(item)); });
    fillTimer_.setInterval(0);
    connect(&fillTimer_, &QTimer::timeout, this, &TextCommandWindow::FillNextSlice);
    ApplyLanguage();
}

// The procedure list and the two labels in a row above; the editor with the
// error list beside it in a splitter, so that either can be widened; the
// console under the editor, the output pane under the error list. The
// panel never shrinks below a few lines of the editor.
void TextCommandWindow::BuildLayout() {
    auto* top = new QHBoxLayout;
    top->addWidget(procedureList_);
    top->addSpacing(12);
    top->addWidget(runningLabel_);
    top->addSpacing(12);
    top->addWidget(errorNumberLabel_);
    top->addStretch(1);
    auto* editorColumn = new QWidget(this);
    auto* column = new QVBoxLayout(editorColumn);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(ConsoleGap);
    column->addWidget(editor_, 1);
    column->addWidget(console_);
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(editorColumn);
    auto* messages = new QSplitter(Qt::Vertical, this);
    messages->setChildrenCollapsible(false);
    messages->addWidget(errorList_);
    messages->addWidget(output_);
    splitter->addWidget(messages);
    splitter->setStretchFactor(0, 4);
    splitter->setStretchFactor(1, 1);
    errorList_->setMinimumWidth(ErrorListMinWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setSpacing(2);
    layout->addLayout(top);
    layout->addWidget(splitter, 1);
    editor_->setMinimumHeight(EditorMinHeight);
    setMinimumWidth(PanelMinWidth);
}

void TextCommandWindow::ApplyLanguage() {
    setWindowTitle(LanguageText(CommandWindowId));
    console_->setPlaceholderText(LanguageText(ConsoleHintId));
    output_->setPlaceholderText(LanguageText(OutputPaneHintId));
    runningLabel_->setText(LanguageText(RunningId));
}

void TextCommandWindow::SetProcedureStore(const ProcedureStore* store) {
    highlighter_->SetStore(store);
    editor_->SetProcedureStore(store);
}

void TextCommandWindow::Recolour() {
    highlighter_->rehighlight();
}

// F1 on the error list asks for help on the selected entry, before the
// application's Help Contents shortcut sees the key.
bool TextCommandWindow::eventFilter(QObject* watched, QEvent* event) {
    const bool shortcut = event->type() == QEvent::ShortcutOverride;
    if (watched != errorList_ || (!shortcut && event->type() != QEvent::KeyPress))
        return CommandWindow::eventFilter(watched, event);
    if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 || errorList_->currentRow() < 0)
        return CommandWindow::eventFilter(watched, event);
    event->accept();
    if (!shortcut) emit ErrorHelpRequested(errorList_->currentRow());
    return true;
}

void TextCommandWindow::ProcedureChosen() {
    if (MainForm()) MainForm()->ShowProcedure(-1);
}

// Only an edit by the user changes the program: loading a procedure leaves
// the document unmodified, and recolouring changes formats, not text.
void TextCommandWindow::EditorChanged() {
    if (MainForm() && editor_->document()->isModified()) MainForm()->SetProgramChanged(true);
}

void TextCommandWindow::ShowProcedureHeaders(const QStringList& headers, int current) {
    const QSignalBlocker quiet(procedureList_);
    procedureList_->clear();
    procedureList_->addItems(headers);
    procedureList_->setCurrentIndex(current);
}

void TextCommandWindow::SelectProcedure(int index) {
    procedureList_->setCurrentIndex(index);
}

int TextCommandWindow::SelectedProcedure() const {
    return std::max(0, procedureList_->currentIndex());
}

// A line longer than LongLineChars is data, not a line a learner reads: it
// is shown cut short with a note, because laying out millions of characters
// in one line costs the editor hundreds of megabytes and seconds. The
// procedure then stays as the program holds it and cannot be edited here.
QString TextCommandWindow::ShortenLongLines(const QString& text) {
    shortened_ = false;
    QString shown;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0) end = text.size();
        const qsizetype length = end - start;
        if (length > LongLineChars && !shortened_) {
            shortened_ = true;
            shown.reserve(text.size());
            shown += QStringView(text).left(start);
        }
        if (shortened_) {
            if (length > LongLineChars) {
                shown += QStringView(text).mid(start, ShownLineChars);
                shown += LanguageText(LongLineShortenedId).arg(length - ShownLineChars);
            } else
                shown += QStringView(text).mid(start, length);
            if (end < text.size()) shown += u'\n';
        }
        start = end + 1;
    }
    return shortened_ ? shown : text;
}

void TextCommandWindow::ShowProcedureText(const QString& procedure) {
    fillTimer_.stop();
    fillRest_.clear();
    const QString text = ShortenLongLines(procedure);
    const QSignalBlocker quiet(editor_);
    editor_->setReadOnly(running_ || shortened_);
    const qsizetype cut =
        text.size() > FillSliceChars ? text.lastIndexOf(u'\n', FillSliceChars) : -1;
    if (cut <= 0) {
        editor_->setPlainText(text);
        return;
    }
    editor_->setReadOnly(true);
    editor_->setPlainText(text.left(cut));
    fillRest_ = text.mid(cut);
    fillDone_ = 0;
    fillClock_.start();
    fillTimer_.start();
}

void TextCommandWindow::FillNextSlice() {
    if (fillRest_.isEmpty()) {
        fillTimer_.stop();
        return;
    }
    qsizetype end = fillRest_.indexOf(u'\n', fillDone_ + FillSliceChars);
    end = end < 0 ? fillRest_.size() : end;
    {
        const QSignalBlocker quiet(editor_);
        QTextCursor cursor(editor_->document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(fillRest_.mid(fillDone_, end - fillDone_));
        editor_->document()->setModified(false);
    }
    fillDone_ = end;
    if (fillDone_ < fillRest_.size()) {
        if (fillClock_.elapsed() > FillProgressAfterMs)
            emit FillProgress(static_cast<int>(100 * fillDone_ / fillRest_.size()));
        return;
    }
    fillTimer_.stop();
    fillRest_.clear();
    // The slices are no edits of the user's: nothing of them is undone.
    editor_->document()->clearUndoRedoStacks();
    editor_->setReadOnly(running_ || shortened_);
    emit FillFinished();
}

QString TextCommandWindow::EditorText() const {
    return editor_->toPlainText();
}

void TextCommandWindow::ClearEditor() {
    const QSignalBlocker quiet(editor_);
    editor_->clear();
    procedureList_->clear();
}

void TextCommandWindow::SelectInEditor(int line, const QString& lineText, const QString& text) {
    QTextDocument* document = editor_->document();
    const QTextBlock block = line > 0 ? document->findBlockByNumber(line - 1) : document->begin();
    const int start = block.isValid() ? block.position() : 0;
    const QTextBlock next = block.isValid() ? block.next() : QTextBlock();
    const int end = next.isValid() ? next.position() - 1 : document->characterCount() - 1;
    const qsizetype offset = lineText.isEmpty() || text.isEmpty() ? -1 : lineText.indexOf(text);
    QTextCursor cursor(document);
    cursor.setPosition(std::min(start + static_cast<int>(std::max<qsizetype>(0, offset)), end));
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    editor_->setTextCursor(cursor);
    if (editor_->isEnabled() && editor_->isVisible()) editor_->setFocus();
}

void TextCommandWindow::FocusEditor() {
    if (!editor_->isEnabled() || !editor_->isVisible()) return;
    editor_->window()->activateWindow();
    editor_->setFocus();
}

void TextCommandWindow::InsertAtCursor(const QString& text) {
    editor_->insertPlainText(text);
    editor_->setFocus();
}

void TextCommandWindow::ShowRunState(bool running, bool watching) {
    running_ = running;
    runningLabel_->setVisible(running);
    procedureList_->setEnabled(!running);
    editor_->setEnabled(!running || watching);
    editor_->setReadOnly(running || !Editable());
}

void TextCommandWindow::ClearErrors() {
    errorList_->clear();
}

void TextCommandWindow::AddError(const QString& entry) {
    errorList_->addItem(entry);
}

int TextCommandWindow::ErrorCount() const {
    return errorList_->count();
}

QString TextCommandWindow::ErrorAt(int row) const {
    return row >= 0 && row < errorList_->count() ? errorList_->item(row)->text() : QString();
}

void TextCommandWindow::SelectError(int row) {
    errorList_->setCurrentRow(row);
}

void TextCommandWindow::ShowErrorNumber(const QString& text) {
    errorNumberLabel_->setText(text);
}

void TextCommandWindow::SetErrorsShown(bool shown) {
    errorList_->setVisible(shown);
    errorNumberLabel_->setVisible(shown);
}

// The line gets a background, and the command of a bracketed list a
// stronger one inside it.
bool TextCommandWindow::MarkRunningLine(int line, std::string_view listLine) {
    const QTextBlock block = editor_->document()->findBlockByNumber(line - 1);
    if (!block.isValid()) return false;
    QList<QTextEdit::ExtraSelection> marks{Mark(QTextCursor(block), LineColour, true)};
    if (!listLine.empty()) {
        const QTextCursor command = CommandIn(block, listLine);
        if (command.hasSelection()) marks << Mark(command, CommandColour, false);
    }
    editor_->setExtraSelections(marks);
    editor_->setTextCursor(QTextCursor(block));
    editor_->ensureCursorVisible();
    return true;
}

void TextCommandWindow::ClearMarks() {
    editor_->setExtraSelections({});
}

void TextCommandWindow::AppendOutput(const QString& line) {
    output_->show();
    output_->appendPlainText(line);
}

QString TextCommandWindow::OutputText() const {
    return output_->toPlainText();
}

} // namespace mivarelo
