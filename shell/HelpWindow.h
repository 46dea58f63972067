#pragma once
// The in-program help: a window beside the main window with two pages, how
// to use Mivarelo and a reference of every command in its four dialects
// with an example that runs with one click. Both pages are written in the
// interface language of the moment they are shown.
#include "core/Keywords.h"

#include <QWidget>

#include <optional>

class QPushButton;
class QTextBrowser;
class QUrl;

namespace mivarelo {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the window with the page on using Mivarelo.
    void ShowContents();
    // Shows the window with the command reference.
    void ShowCommands();
    // The reference at the entry of keyword `code`; false (and nothing
    // shown) when no entry holds it.
    bool ShowCommand(CommandCode code);
    // The reference at the entry of the keyword `word` is or begins with.
    bool ShowCommandOfWord(const QString& word);
    // The reference at the rules by which unknown words are repaired.
    void ShowAutoRepair();
    // F1 on a word of the editor: its reference entry, else the contents.
    void ShowWord(const QString& word);
    // F1 on an error: the entry of the command the offending word begins
    // with, or the repair rules when it begins with none; the contents for
    // an error without an offending word.
    void ShowErrorWord(const std::optional<QString>& word);
    // The anchor the reference was last opened at; empty for a page's top.
    const QString& ShownAnchor() const { return shownAnchor_; }

    QTextBrowser* Browser() const { return browser_; }

signals:
    // The example `line` was clicked to be run.
    void RunExample(const QString& line);

private:
    void ShowCommandsAt(const QString& anchor);
    void ShowPage(const QString& html, int captionId);
    void LinkClicked(const QUrl& link);

    QPushButton* contentsButton_;
    QPushButton* commandsButton_;
    QTextBrowser* browser_;
    QString shownAnchor_;
};

} // namespace mivarelo
