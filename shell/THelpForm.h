#pragma once
// The in-program help: a window beside the main window with two pages, how
// to use Mivarelo and a reference of every command in its four dialects.
// Both pages are written in the interface language of the moment they are
// shown.
#include <QWidget>

class QPushButton;
class QTextBrowser;
class QUrl;

namespace mivarelo {

class THelpForm : public QWidget {
    Q_OBJECT
public:
    explicit THelpForm(QWidget* parent = nullptr);

    // Shows the window with the page on using Mivarelo.
    void ShowContents();
    // Shows the window with the command reference.
    void ShowCommands();

    QTextBrowser* Browser() const { return browser_; }

private:
    void ShowPage(const QString& html, int captionId);
    void LinkClicked(const QUrl& link);

    QPushButton* contentsButton_;
    QPushButton* commandsButton_;
    QTextBrowser* browser_;
};

} // namespace mivarelo
