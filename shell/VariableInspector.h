#pragma once
// A dock that shows the variables while a program runs: the globals, then
// every running procedure call, innermost first, with its arguments and
// locals. The "Show Variables" window shows the globals once; this one
// follows the run.
#include <QDockWidget>

#include <string_view>

class QTreeWidget;
class QTreeWidgetItem;

namespace mivarelo {

class Interpreter;
class VariableFrame;
class ProcedureStore;

class VariableInspector : public QDockWidget {
    Q_OBJECT
public:
    // Calls deeper than this are counted, not listed: a deep recursion
    // would otherwise fill the list with thousands of frames.
    static constexpr std::size_t ShownCalls = 20;

    explicit VariableInspector(QWidget* parent = nullptr);

    // Lists what the interpreter holds now; nothing while the dock is hidden.
    void Refresh(const Interpreter& interpreter, const ProcedureStore& procedures);
    void ApplyLanguage();
    QTreeWidget* Tree() const { return tree_; }
    // Whether a variable is listed: the repeat counter only under the
    // interface language's name (both names when the language has none).
    static bool ShowsVariable(std::string_view name);

private:
    // One item with a row per variable of `table` under it.
    QTreeWidgetItem* AddTable(const QString& title, const VariableFrame* table);

    QTreeWidget* tree_;
};

} // namespace mivarelo
