#include "widgets/CodeEditor.h"

#include "widgets/CompletionWords.h"
#include "widgets/LineNumberMargin.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTextBlock>

#include <algorithm>

namespace mivarelo {

namespace {

constexpr int MinimumPrefix = 2;
constexpr int MarginPadding = 6;
constexpr int CompletionRole = Qt::UserRole;

bool IsWordCharacter(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

} // namespace

CodeEditor::CodeEditor(QWidget* parent)
    : QPlainTextEdit(parent), margin_(new LineNumberMargin(this)), completer_(new QCompleter(this)),
      words_(new QStandardItemModel(this)) {
    setObjectName(QStringLiteral("CodeEditor"));
    connect(this, &QPlainTextEdit::blockCountChanged, this, &CodeEditor::UpdateMarginWidth);
    connect(this, &QPlainTextEdit::updateRequest, this, &CodeEditor::UpdateMargin);
    UpdateMarginWidth();

    completer_->setModel(words_);
    completer_->setCompletionRole(CompletionRole);
    completer_->setCaseSensitivity(Qt::CaseInsensitive);
    completer_->setCompletionMode(QCompleter::PopupCompletion);
    completer_->setWidget(this);
    connect(completer_, qOverload<const QString&>(&QCompleter::activated), this,
            &CodeEditor::InsertCompletion);
}

void CodeEditor::SetProcedureStore(const ProcedureStore* store) {
    store_ = store;
}

int CodeEditor::MarginWidth() const {
    const int digits = static_cast<int>(QString::number(std::max(1, blockCount())).size());
    return MarginPadding * 2 + fontMetrics().horizontalAdvance(u'9') * std::max(2, digits);
}

void CodeEditor::UpdateMarginWidth() {
    setViewportMargins(MarginWidth(), 0, 0, 0);
    const QRect area = contentsRect();
    margin_->setGeometry(area.left(), area.top(), MarginWidth(), area.height());
}

// The digits grow with the editor's font.
void CodeEditor::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) UpdateMarginWidth();
}

void CodeEditor::UpdateMargin(const QRect& rect, int dy) {
    if (dy)
        margin_->scroll(0, dy);
    else
        margin_->update(0, rect.y(), margin_->width(), rect.height());
}

void CodeEditor::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    UpdateMarginWidth();
}

// Line n of the margin is block n - 1 of the document: a procedure's body
// line n, the number its errors carry.
void CodeEditor::PaintMargin(const QRect& area) {
    QPainter painter(margin_);
    painter.fillRect(area, palette().color(QPalette::AlternateBase));
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.setFont(font());
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    const int lineHeight = fontMetrics().height();
    while (block.isValid() && top <= area.bottom()) {
        const int bottom = top + qRound(blockBoundingRect(block).height());
        if (block.isVisible() && bottom >= area.top())
            painter.drawText(0, top, margin_->width() - MarginPadding, lineHeight, Qt::AlignRight,
                             QString::number(block.blockNumber() + 1));
        block = block.next();
        top = bottom;
    }
}

int CodeEditor::LineNumberAtHeight(int y) const {
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    while (block.isValid()) {
        const int bottom = top + qRound(blockBoundingRect(block).height());
        if (y >= top && y < bottom) return block.blockNumber() + 1;
        block = block.next();
        top = bottom;
    }
    return 0;
}

QString CodeEditor::WordAtCursor() const {
    const QTextCursor cursor = textCursor();
    const QString line = cursor.block().text();
    const int at = cursor.positionInBlock();
    int start = at;
    while (start > 0 && IsWordCharacter(line[start - 1]))
        --start;
    int end = at;
    while (end < line.size() && IsWordCharacter(line[end]))
        ++end;
    return line.mid(start, end - start);
}

// The letters typed so far of the word that ends at the cursor.
QString CodeEditor::TypedPrefix() const {
    const QTextCursor cursor = textCursor();
    const QString line = cursor.block().text();
    int start = cursor.positionInBlock();
    const int end = start;
    while (start > 0 && IsWordCharacter(line[start - 1]))
        --start;
    if (start > 0 && line[start - 1] == u':') return {};
    return line.mid(start, end - start);
}

// F1 must reach the editor before the application's Help Contents shortcut.
bool CodeEditor::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        event->accept();
        return true;
    }
    return QPlainTextEdit::event(event);
}

// While the popup is open it takes the keys that choose or close it; the
// editor passes them on instead of typing them. Enter on a word that is
// already written out ends the line as usual.
void CodeEditor::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        emit HelpRequested(WordAtCursor());
        return;
    }
    if (completer_->popup()->isVisible()) {
        switch (event->key()) {
        case Qt::Key_Enter:
        case Qt::Key_Return:
            if (!ChosenWordIsTyped()) {
                event->ignore();
                return;
            }
            completer_->popup()->hide();
            break;
        case Qt::Key_Escape:
        case Qt::Key_Tab:
        case Qt::Key_Backtab: event->ignore(); return;
        default: break;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
    const QString typed = event->text();
    const bool typing = !typed.isEmpty() && typed.front().isPrint();
    if (typing || event->key() == Qt::Key_Backspace) OfferCompletion();
}

void CodeEditor::OfferCompletion() {
    const QString prefix = TypedPrefix();
    QAbstractItemView* popup = completer_->popup();
    if (prefix.size() < MinimumPrefix || isReadOnly()) {
        popup->hide();
        return;
    }
    words_->clear();
    for (const CompletionWord& word : CompletionWords(store_)) {
        auto* item = new QStandardItem(word.shown);
        item->setData(word.inserted, CompletionRole);
        words_->appendRow(item);
    }
    completer_->setCompletionPrefix(prefix);
    if (completer_->completionCount() == 0) {
        popup->hide();
        return;
    }
    popup->setCurrentIndex(completer_->completionModel()->index(0, 0));
    QRect place = cursorRect();
    place.translate(viewportMargins().left(), 0);
    place.setWidth(popup->sizeHintForColumn(0) + popup->verticalScrollBar()->sizeHint().width());
    completer_->complete(place);
}

bool CodeEditor::ChosenWordIsTyped() const {
    const QString chosen = completer_->popup()->currentIndex().data(CompletionRole).toString();
    return chosen.compare(TypedPrefix(), Qt::CaseInsensitive) == 0;
}

// The chosen word replaces the typed prefix, so that its letter case is the
// keyword's own.
void CodeEditor::InsertCompletion(const QString& word) {
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor,
                        static_cast<int>(TypedPrefix().size()));
    cursor.insertText(word);
    setTextCursor(cursor);
}

} // namespace mivarelo
