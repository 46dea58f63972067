#pragma once
// A stand-in for every modal dialog: answers come from queues the test
// fills, and every question and message is recorded. Installed while it lives.
#include "widgets/Dialogs.h"

#include <QQueue>
#include <QRandomGenerator>
#include <QStringList>

#include <optional>

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
                           const QStringList& filters, int* filterIndex) override;
    QString ChooseSaveFile(const QString& caption, const QString& folder,
                           const QStringList& filters, int* filterIndex) override;
    QString ChooseFolder(const QString& caption, const QString& folder) override;
    bool ConfirmPrint(QPrinter& printer) override;
    void OpenPage(const QString& path) override;

    // Answers, taken in order; an empty queue answers as a cancelled dialog.
    QQueue<QString> texts;
    QQueue<int> confirmations;
    QQueue<int> procedureChoices;
    QQueue<QColor> colours;
    // A file answer with the number of its filter (1 when not given).
    QQueue<QString> files;
    QQueue<int> fileFilters;
    QQueue<QString> folders;
    // Whether the print dialog is accepted.
    bool acceptPrint = true;

    // From now on a question whose queue is empty gets a random answer drawn
    // from `seed`: texts from `answerTexts`, files from `answerFiles`, any
    // button, procedure, colour or filter, or a cancel. Printing is refused.
    void AnswerAtRandom(quint32 seed, QStringList answerTexts, QStringList answerFiles);
    // Back to answering an empty queue as a cancelled dialog.
    void StopRandomAnswers() { random_.reset(); }

    // What was asked or shown: "prompt|initial" per text question, the
    // names offered for deletion, "caption: text" per message.
    QStringList questions;
    QStringList offeredNames;
    QStringList messages;
    QStringList variableNames;
    QStringList variableValues;
    // The folder each file dialog opened in, and its filters.
    QStringList fileFolders;
    QStringList lastFilters;
    // The pages shown in the browser.
    QStringList openedPages;

private:
    // A random whole number in [low, high].
    int Draw(int low, int high);
    QString DrawFrom(const QStringList& choices);
    QString AnswerFile(const QString& folder, const QStringList& filters, int* filterIndex);

    Dialogs* previous_;
    std::optional<QRandomGenerator> random_;
    QStringList randomTexts_;
    QStringList randomFiles_;
};

} // namespace mivarelo::support
