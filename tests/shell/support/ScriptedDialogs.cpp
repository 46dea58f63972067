#include "shell/support/ScriptedDialogs.h"

#include <algorithm>

namespace mivarelo::support {

ScriptedDialogs::ScriptedDialogs() : previous_(SetDialogs(this)) {}

ScriptedDialogs::~ScriptedDialogs() {
    SetDialogs(previous_);
}

void ScriptedDialogs::AnswerAtRandom(quint32 seed, QStringList answerTexts,
                                     QStringList answerFiles) {
    random_.emplace(seed);
    randomTexts_ = std::move(answerTexts);
    randomFiles_ = std::move(answerFiles);
}

int ScriptedDialogs::Draw(int low, int high) {
    return static_cast<int>(random_->bounded(low, high + 1));
}

// The empty text (a cancel) is always one of the choices.
QString ScriptedDialogs::DrawFrom(const QStringList& choices) {
    const int k = Draw(0, static_cast<int>(choices.size()));
    return k == choices.size() ? QString() : choices[k];
}

QString ScriptedDialogs::AskText(const QString& prompt, const QString& initial, const QString&,
                                 const QString&, const QString&) {
    questions << prompt + "|" + initial;
    if (!texts.isEmpty()) return texts.dequeue();
    return random_ && Draw(0, 3) > 0 ? DrawFrom(randomTexts_) : initial;
}

int ScriptedDialogs::AskYesNoCancel(const QString& message, const QString&, const QString&,
                                    const QString&, const QString&) {
    questions << message;
    if (!confirmations.isEmpty()) return confirmations.dequeue();
    return random_ ? Draw(-1, 1) : 0;
}

int ScriptedDialogs::ChooseProcedure(const QStringList& names) {
    offeredNames = names;
    if (!procedureChoices.isEmpty()) return procedureChoices.dequeue();
    return random_ ? Draw(-1, static_cast<int>(names.size()) - 1) : -1;
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
    if (!colours.isEmpty()) return colours.dequeue();
    if (!random_ || Draw(0, 3) == 0) return std::nullopt;
    return QColor(Draw(0, 255), Draw(0, 255), Draw(0, 255));
}

QString ScriptedDialogs::AnswerFile(const QString& folder, const QStringList& filters,
                                    int* filterIndex) {
    fileFolders << folder;
    lastFilters = filters;
    const bool drawn = random_ && files.isEmpty();
    const int lastFilter = std::max(1, static_cast<int>(filters.size()));
    const int chosen = !fileFilters.isEmpty() ? fileFilters.dequeue()
                       : drawn                ? Draw(1, lastFilter)
                                              : 1;
    if (filterIndex) *filterIndex = chosen;
    if (drawn) return DrawFrom(randomFiles_);
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

// Random answers never choose a folder: a class gallery would start
// processes for the rest of the test.
QString ScriptedDialogs::ChooseFolder(const QString&, const QString&) {
    return folders.isEmpty() ? QString() : folders.dequeue();
}

bool ScriptedDialogs::ConfirmPrint(QPrinter&) {
    return acceptPrint && !random_;
}

void ScriptedDialogs::OpenPage(const QString& path) {
    openedPages << path;
}

} // namespace mivarelo::support
