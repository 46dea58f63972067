#pragma once
// The dialogs of a run that nobody watches (screenshots, benchmarks): no
// window opens and nothing waits. Messages go to standard error; every
// question is answered the way that changes nothing.
#include "widgets/Dialogs.h"

namespace mivarelo {

class UnattendedDialogs : public Dialogs {
public:
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
};

} // namespace mivarelo
