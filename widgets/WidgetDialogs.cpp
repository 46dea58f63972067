#include "widgets/WidgetDialogs.h"

#include "core/LanguageIds.h"
#include "widgets/AboutDialog.h"
#include "widgets/ConfirmDialog.h"
#include "widgets/DeleteProceduresDialog.h"
#include "widgets/InputDialog.h"
#include "widgets/QtText.h"
#include "widgets/VariableWatchDialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QUrl>

namespace mivarelo {

namespace {

// Dialogs open over whichever window the user is working in.
QWidget* Owner() {
    return QApplication::activeWindow();
}

// The file dialog for opening or saving; the number of the chosen filter
// counts from 1.
QString ChooseFile(QFileDialog::AcceptMode mode, const QString& caption, const QString& folder,
                   const QStringList& filters, int* filterIndex) {
    QFileDialog dialog(Owner(), caption, folder);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    if (filterIndex)
        *filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return dialog.selectedFiles().first();
}

} // namespace

QString WidgetDialogs::AskText(const QString& prompt, const QString& initial, const QString& title,
                               const QString& okCaption, const QString& cancelCaption) {
    InputDialog form(Owner());
    form.Prepare(prompt, initial, title, okCaption, cancelCaption);
    form.exec();
    return form.Result();
}

int WidgetDialogs::AskYesNoCancel(const QString& message, const QString& title,
                                  const QString& yesCaption, const QString& noCaption,
                                  const QString& cancelCaption) {
    ConfirmDialog form(Owner());
    form.Prepare(message, title, yesCaption, noCaption, cancelCaption);
    form.exec();
    return form.Answer();
}

int WidgetDialogs::ChooseProcedure(const QStringList& names) {
    if (names.isEmpty()) return -1;
    DeleteProceduresDialog form(Owner());
    form.Prepare(names);
    form.exec();
    return form.ChosenIndex();
}

void WidgetDialogs::ShowVariables(const QStringList& names, const QStringList& values) {
    VariableWatchDialog form(Owner());
    form.Prepare(names, values);
    form.exec();
}

void WidgetDialogs::ShowAbout(const QString& title) {
    AboutDialog form(Owner());
    form.Prepare(title);
    form.exec();
}

void WidgetDialogs::ShowMessage(const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, Owner());
    box.button(QMessageBox::Ok)->setText(LanguageText(OkId));
    box.exec();
}

std::optional<QColor> WidgetDialogs::ChooseColor(const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, Owner(), LanguageText(ChooseColourId));
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
}

QString WidgetDialogs::ChooseOpenFile(const QString& caption, const QString& folder,
                                      const QStringList& filters, int* filterIndex) {
    return ChooseFile(QFileDialog::AcceptOpen, caption, folder, filters, filterIndex);
}

QString WidgetDialogs::ChooseSaveFile(const QString& caption, const QString& folder,
                                      const QStringList& filters, int* filterIndex) {
    return ChooseFile(QFileDialog::AcceptSave, caption, folder, filters, filterIndex);
}

QString WidgetDialogs::ChooseFolder(const QString& caption, const QString& folder) {
    return QFileDialog::getExistingDirectory(Owner(), caption, folder);
}

bool WidgetDialogs::ConfirmPrint(QPrinter& printer) {
    QPrintDialog dialog(&printer, Owner());
    return dialog.exec() == QDialog::Accepted;
}

void WidgetDialogs::OpenPage(const QString& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace mivarelo
