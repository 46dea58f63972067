#pragma once
// Every modal question and message of the application goes through the one
// Dialogs object in use: the program installs WidgetDialogs, the widget
// tests a scripted stand-in, so that no test ever waits on a modal window.
#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>

class QPrinter;

namespace mivarelo {

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The one-line input dialog: the edited text when accepted (OK or Enter),
    // otherwise `initial`. Callers treat an empty answer as cancelled.
    virtual QString AskText(const QString& prompt, const QString& initial, const QString& title,
                            const QString& okCaption, const QString& cancelCaption) = 0;
    // The three-button confirm dialog: 1 yes, 0 no, -1 cancel (also when
    // closed by Escape or its frame). An empty caption keeps the button's
    // default.
    virtual int AskYesNoCancel(const QString& message, const QString& title,
                               const QString& yesCaption, const QString& noCaption,
                               const QString& cancelCaption) = 0;
    // The procedure-deletion dialog over `names` (one or more), none of them
    // chosen at first: the chosen index, or -1 when cancelled.
    virtual int ChooseProcedure(const QStringList& names) = 0;
    // The variable-watch window: names and their values side by side, as they
    // are when it opens.
    virtual void ShowVariables(const QStringList& names, const QStringList& values) = 0;
    // The about box under `title`.
    virtual void ShowAbout(const QString& title) = 0;
    // A message with an OK button.
    virtual void ShowMessage(const QString& text, const QString& caption) = 0;
    // The colour dialog opened on `initial`; nothing when cancelled.
    virtual std::optional<QColor> ChooseColor(const QColor& initial) = 0;
    // A file to open or to save to, empty when cancelled. `filters` are Qt
    // name filters; `filterIndex` (when not null) receives the number of
    // the one chosen, counting from 1.
    virtual QString ChooseOpenFile(const QString& caption, const QString& folder,
                                   const QStringList& filters, int* filterIndex) = 0;
    virtual QString ChooseSaveFile(const QString& caption, const QString& folder,
                                   const QStringList& filters, int* filterIndex) = 0;
    // A folder, empty when cancelled.
    virtual QString ChooseFolder(const QString& caption, const QString& folder) = 0;
    // The print dialog on `printer`: false when cancelled.
    virtual bool ConfirmPrint(QPrinter& printer) = 0;
    // Shows the page at `path` in the user's web browser.
    virtual void OpenPage(const QString& path) = 0;
};

// The Dialogs in use; never null (a process starts with WidgetDialogs).
Dialogs& CurrentDialogs();
// Installs `dialogs` (null puts the widget dialogs back) and returns the
// previous one.
Dialogs* SetDialogs(Dialogs* dialogs);

} // namespace mivarelo
