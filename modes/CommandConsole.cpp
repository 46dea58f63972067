#include "modes/CommandConsole.h"

#include <QKeyEvent>

namespace mivarelo {

CommandConsole::CommandConsole(QWidget* parent) : QLineEdit(parent) {
    setObjectName(QStringLiteral("CommandConsole"));
    connect(this, &QLineEdit::returnPressed, this, &CommandConsole::Enter);
}

void CommandConsole::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up) {
        Recall(-1);
    } else if (event->key() == Qt::Key_Down) {
        Recall(1);
    } else {
        QLineEdit::keyPressEvent(event);
    }
}

// A line entered twice in a row is kept once, so that Up does not stall.
void CommandConsole::Enter() {
    const QString line = text().trimmed();
    if (line.isEmpty()) return;
    if (history_.isEmpty() || history_.last() != line) history_ << line;
    place_ = history_.size();
    draft_.clear();
    clear();
    emit LineEntered(line);
}

// Down past the last entry brings back the line that was being typed.
void CommandConsole::Recall(int step) {
    const qsizetype target = place_ + step;
    if (target < 0 || target > history_.size()) return;
    if (place_ == history_.size()) draft_ = text();
    place_ = target;
    setText(place_ == history_.size() ? draft_ : history_[place_]);
}

} // namespace mivarelo
