#pragma once
// A stand-in for every modal dialog: answers come from queues the test
// fills, and every question and message is recorded. Installed while it lives.
#include "shell/Dialogs.h"

#include <QQueue>
#include <QStringList>

namespace mivarelo::support {

class ScriptedDialogs : public Dialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    QString AskText(const QString& prompt, const QString& initial, const QString& title,
                    const QString& okCaption, const QString& cancelCaption) override;
    int AskYesNoCancel(const QString& message, const QString& title, const QString& yesCaption,
                       const QString& noCaption, const QString& cancelCaption) override;
    int ChooseProcedure(const QStringList& names) override;
    void ShowVariables(const QStringList& names, const QStringList& values) override;
    void ShowAbout(const QString& title) override;
    void ShowMessage(const QString& text, const QString& caption) override;
    std::optional<QColor> ChooseColor(const QColor& initial) override;
    QString ChooseOpenFile(const QString& caption, const QString& folder,
                           const QString& filter) override;

    // Answers, taken in order; an empty queue answers as a cancelled dialog.
    QQueue<QString> texts;
    QQueue<int> confirmations;
    QQueue<int> procedureChoices;
    QQueue<QColor> colours;
    QQueue<QString> files;

    // What was asked or shown: "prompt|initial" per text question, the
    // names offered for deletion, "caption: text" per message.
    QStringList questions;
    QStringList offeredNames;
    QStringList messages;
    QStringList variableNames;
    QStringList variableValues;

private:
    Dialogs* previous_;
};

} // namespace mivarelo::support
