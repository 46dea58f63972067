#include "shell/ErrorNavigator.h"

#include "core/ConversionReport.h"
#include "core/GlobalSettings.h"
#include "core/Notifier.h"
#include "core/ProcedureStore.h"
#include "engine/LogoEngine.h"
#include "modes/TextCommandWindow.h"
#include "shell/ProcedureEditor.h"
#include "widgets/QtText.h"

#include <QStringList>

namespace mivarelo {

namespace {

// The offending text (between the first two apostrophes) and the line
// number (after '=', up to the next blank or ')') of an error-list entry.
bool ParseErrorEntry(const QString& entry, QString& text, int& line) {
    const qsizetype open = entry.indexOf(u'\'');
    if (open < 0) return false;
    const qsizetype close = entry.indexOf(u'\'', open + 1);
    if (close < 0) return false;
    text = entry.mid(open + 1, close - open - 1);
    const qsizetype equals = entry.indexOf(u'=', close);
    if (equals < 0) return false;
    const QString rest = entry.mid(equals + 1).trimmed();
    qsizetype end = 0;
    while (end < rest.size() && rest[end].isDigit())
        ++end;
    line = rest.left(end).toInt();
    return true;
}

} // namespace

ErrorNavigator::ErrorNavigator(LogoEngine& engine, ProcedureEditor& procedures,
                               std::function<bool()> panelShown, QObject* parent)
    : QObject(parent), engine_(engine), procedures_(procedures), panelShown_(std::move(panelShown)),
      previous_(SetCurrentErrorList(this)) {}

ErrorNavigator::~ErrorNavigator() {
    SetCurrentErrorList(previous_);
}

void ErrorNavigator::SetTextWindow(TextCommandWindow* window) {
    text_ = window;
    entryProcedures_.clear();
    if (text_) connect(text_, &TextCommandWindow::ErrorChosen, this, &ErrorNavigator::JumpToError);
}

void ErrorNavigator::BeginRun() {
    Globals().LastErrorLine = 0;
    cursor_ = 0;
    entryProcedures_.clear();
    if (!text_) return;
    text_->ShowErrorNumber(QStringLiteral("-"));
    text_->ClearErrors();
}

void ErrorNavigator::AddErrorLine(const std::string& line) {
    if (firstError_.empty()) firstError_ = line;
    if (!text_) return;
    text_->AddError(ToQt(line));
    entryProcedures_.push_back(Globals().RunningProcedure);
}

void ErrorNavigator::AddReport(const ConversionReport& report) {
    if (!text_) return;
    for (const std::string& line : report.Lines()) {
        text_->AddError(ToQt(line));
        entryProcedures_.push_back(-1);
    }
}

// The editor shows the procedure the error came from; the selection runs
// from the offending text to the end of its line.
void ErrorNavigator::JumpToError(int i) {
    if (!text_ || i < 0 || i >= text_->ErrorCount()) {
        mivarelo::Beep();
        return;
    }
    const QString entry = text_->ErrorAt(i);
    if (entry.isEmpty()) return;
    QString text;
    int line = 0;
    if (ParseErrorEntry(entry, text, line) && panelShown_()) {
        const std::size_t k = static_cast<std::size_t>(i);
        const int procedure = k < entryProcedures_.size() ? entryProcedures_[k] : 0;
        const ProcedureStore& store = engine_.Procedures();
        if (procedure >= 0) {
            if (procedure < store.ProcedureCount() && procedure != Globals().CurrentProcedure)
                procedures_.ShowProcedure(procedure);
            const int shown = std::max(0, Globals().CurrentProcedure);
            text_->SelectInEditor(line, ToQt(store.GetBodyLine(shown, line)), text);
        }
    }
    text_->SelectError(i);
}

void ErrorNavigator::ShowNextError() {
    if (!text_ || text_->ErrorCount() == 0) return;
    cursor_ = (cursor_ + 1) % text_->ErrorCount();
    text_->ShowErrorNumber(QString::number(cursor_ + 1));
    JumpToError(cursor_);
}

// With an empty error list a clean run stays silent: there is nothing to
// jump to.
void ErrorNavigator::ShowFirstError() {
    cursor_ = 0;
    if (text_ && text_->ErrorCount() > 0) JumpToError(0);
}

QStringList ErrorNavigator::Entries() const {
    QStringList entries;
    for (int i = 0; text_ && i < text_->ErrorCount(); ++i)
        entries << text_->ErrorAt(i);
    return entries;
}

std::optional<QString> ErrorNavigator::OffendingWord(int row) const {
    QString text;
    int line = 0;
    if (!text_ || !ParseErrorEntry(text_->ErrorAt(row), text, line)) return std::nullopt;
    return text.section(u' ', 0, 0, QString::SectionSkipEmpty);
}

} // namespace mivarelo
