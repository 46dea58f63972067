#pragma once
// The error list of a run: the interpreter's error lines go into the text
// command window's list, each remembered with the procedure it came from;
// choosing an entry shows that procedure with the offending text selected;
// F8 walks the entries. In graphical mode there is no list, and only the
// run's first error is kept (the button panel shows it).
#include "core/ErrorList.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mivarelo {

class ConversionReport;
class LogoEngine;
class ProcedureEditor;
class TextCommandWindow;

class ErrorNavigator : public QObject, public ErrorList {
    Q_OBJECT
public:
    // `panelShown` tells whether the command panel is in sight.
    ErrorNavigator(LogoEngine& engine, ProcedureEditor& procedures,
                   std::function<bool()> panelShown, QObject* parent);
    ~ErrorNavigator() override;

    void SetTextWindow(TextCommandWindow* window);

    // A run begins: the list and the first error are cleared.
    void BeginRun();
    // A run begins to go on: its first error is not yet known.
    void ForgetFirstError() { firstError_.clear(); }
    void AddErrorLine(const std::string& line) override;
    // What an import left out, and its notes, head the list.
    void AddReport(const ConversionReport& report);

    // Entry i selected, its offending text marked in the editor in the
    // procedure it came from; beeps for an index outside.
    void JumpToError(int i);
    // F8 at rest: the next error, after the last the first again.
    void ShowNextError();
    // After a run: the first entry, when there is one.
    void ShowFirstError();
    QStringList Entries() const;
    const std::string& FirstError() const { return firstError_; }
    // The word at the start of entry `row`'s offending text; nothing for an
    // entry without one (a run stopped for its depth or length).
    std::optional<QString> OffendingWord(int row) const;

private:
    LogoEngine& engine_;
    ProcedureEditor& procedures_;
    std::function<bool()> panelShown_;
    TextCommandWindow* text_ = nullptr;
    ErrorList* previous_ = nullptr;
    // The procedure each entry belongs to, in list order.
    std::vector<int> entryProcedures_;
    // The first error line of the run going on or last ended.
    std::string firstError_;
    int cursor_ = 0;
};

} // namespace mivarelo
