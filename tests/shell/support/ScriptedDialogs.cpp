#include "shell/support/ScriptedDialogs.h"

namespace mivarelo::support {

ScriptedDialogs::ScriptedDialogs() : previous_(SetDialogs(this)) {}

ScriptedDialogs::~ScriptedDialogs() {
    SetDialogs(previous_);
}

QString ScriptedDialogs::AskText(const QString& prompt, const QString& initial, const QString&,
                                 const QString&, const QString&) {
    questions << prompt + "|" + initial;
    return texts.isEmpty() ? initial : texts.dequeue();
}

int ScriptedDialogs::AskYesNoCancel(const QString& message, const QString&, const QString&,
                                    const QString&, const QString&) {
    questions << message;
    return confirmations.isEmpty() ? 0 : confirmations.dequeue();
}

int ScriptedDialogs::ChooseProcedure(const QStringList& names) {
    offeredNames = names;
    return procedureChoices.isEmpty() ? -1 : procedureChoices.dequeue();
}

void ScriptedDialogs::ShowVariables(const QStringList& names, const QStringList& values) {
    variableNames = names;
    variableValues = values;
}

void ScriptedDialogs::ShowAbout(const QString& title) {
    messages << "about: " + title;
}

void ScriptedDialogs::ShowMessage(const QString& text, const QString& caption) {
    messages << caption + ": " + text;
}

std::optional<QColor> ScriptedDialogs::ChooseColor(const QColor&) {
    if (colours.isEmpty()) return std::nullopt;
    return colours.dequeue();
}

QString ScriptedDialogs::ChooseOpenFile(const QString&, const QString&, const QString&) {
    return files.isEmpty() ? QString() : files.dequeue();
}

} // namespace mivarelo::support
