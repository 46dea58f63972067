#include "shell/VariableInspector.h"

#include "core/CaseFold.h"
#include "core/LanguageIds.h"
#include "core/LanguageModule.h"
#include "core/ProcedureStore.h"
#include "core/VariableStore.h"
#include "engine/Interpreter.h"
#include "engine/LogoThread.h"
#include "widgets/QtText.h"

#include <QHeaderView>
#include <QTreeWidget>

#include <algorithm>

namespace mivarelo {

VariableInspector::VariableInspector(QWidget* parent)
    : QDockWidget(parent), tree_(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("VariableInspector"));
    tree_->setColumnCount(2);
    tree_->setRootIsDecorated(true);
    tree_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setWidget(tree_);
    ApplyLanguage();
}

void VariableInspector::ApplyLanguage() {
    setWindowTitle(LanguageText(VariableInspectorId));
    tree_->setHeaderLabels({LanguageText(NameId), LanguageText(ValueId)});
}

// A call is titled with its procedure's header (name and argument names)
// and shows the body line it is at.
void VariableInspector::Refresh(const Interpreter& interpreter, const ProcedureStore& procedures) {
    if (!isVisible()) return;
    tree_->setUpdatesEnabled(false);
    tree_->clear();
    const VariableStore* store = CurrentVariableStore();
    AddTable(LanguageText(GlobalVariablesId), store ? &store->Globals() : nullptr);
    const std::vector<CallView> calls = interpreter.Calls(ShownCalls);
    for (const CallView& call : calls) {
        QTreeWidgetItem* item = AddTable(ToQt(procedures.GetHeader(call.procedure)), call.frame);
        item->setText(1, LanguageText(RunningLineId) + QStringLiteral(" %1").arg(call.bodyLine));
    }
    const int frames = store ? store->Frames().Count() : 0;
    if (static_cast<std::size_t>(frames) > calls.size() && calls.size() == ShownCalls)
        new QTreeWidgetItem(tree_, {LanguageText(MoreCallsId).arg(frames - ShownCalls)});
    tree_->expandAll();
    tree_->setUpdatesEnabled(true);
}

bool VariableInspector::ShowsVariable(std::string_view name) {
    const std::string shown = GetLanguageString(RepeatCounterNameId);
    if (shown.empty() || PlatformEqualsIgnoreCase(name, shown)) return true;
    return std::none_of(
        std::begin(RepeatCounterNames), std::end(RepeatCounterNames),
        [name](std::string_view counter) { return PlatformEqualsIgnoreCase(name, counter); });
}

// A name without a value reads as 0, as everywhere in the language.
QTreeWidgetItem* VariableInspector::AddTable(const QString& title, const VariableFrame* table) {
    auto* item = new QTreeWidgetItem(tree_, {title});
    if (!table || !table->names) return item;
    const StringList& names = *table->names;
    for (std::size_t k = 0; k < names.size(); ++k) {
        if (!ShowsVariable(names[k])) continue;
        const bool hasValue = table->values && k < table->values->size();
        const QString value = hasValue ? ToQt((*table->values)[k]) : QStringLiteral("0");
        new QTreeWidgetItem(item, {ToQt(names[k]), value});
    }
    return item;
}

} // namespace mivarelo
