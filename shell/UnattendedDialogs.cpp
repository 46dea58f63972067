#include "shell/UnattendedDialogs.h"

#include <cstdio>

namespace mivarelo {

QString UnattendedDialogs::AskText(const QString&, const QString&, const QString&, const QString&,
                                   const QString&) {
    return QString();
}

int UnattendedDialogs::AskYesNoCancel(const QString&, const QString&, const QString&,
                                      const QString&, const QString&) {
    return -1;
}

int UnattendedDialogs::ChooseProcedure(const QStringList&) {
    return -1;
}

void UnattendedDialogs::ShowVariables(const QStringList&, const QStringList&) {}

void UnattendedDialogs::ShowAbout(const QString&) {}

void UnattendedDialogs::ShowMessage(const QString& text, const QString& caption) {
    std::fprintf(stderr, "mivarelo: %s: %s\n", qPrintable(caption), qPrintable(text));
}

std::optional<QColor> UnattendedDialogs::ChooseColor(const QColor&) {
    return std::nullopt;
}

QString UnattendedDialogs::ChooseOpenFile(const QString&, const QString&, const QStringList&,
                                          int*) {
    return QString();
}

QString UnattendedDialogs::ChooseSaveFile(const QString&, const QString&, const QStringList&,
                                          int*) {
    return QString();
}

QString UnattendedDialogs::ChooseFolder(const QString&, const QString&) {
    return {};
}

bool UnattendedDialogs::ConfirmPrint(QPrinter&) {
    return false;
}

void UnattendedDialogs::OpenPage(const QString&) {}

} // namespace mivarelo
