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

QString ScriptedDialogs::AnswerFile(const QString& folder, const QStringList& filters,
                                    int* filterIndex) {
    fileFolders << folder;
    lastFilters = filters;
    const int chosen = fileFilters.isEmpty() ? 1 : fileFilters.dequeue();
    if (filterIndex) *filterIndex = chosen;
    return files.isEmpty() ? QString() : files.dequeue();
}

QString ScriptedDialogs::ChooseOpenFile(const QString&, const QString& folder,
                                        const QStringList& filters, int* filterIndex) {
    return AnswerFile(folder, filters, filterIndex);
}

QString ScriptedDialogs::ChooseSaveFile(const QString&, const QString& folder,
                                        const QStringList& filters, int* filterIndex) {
    return AnswerFile(folder, filters, filterIndex);
}

bool ScriptedDialogs::ConfirmPrint(QPrinter&) {
    return acceptPrint;
}

} // namespace mivarelo::support
