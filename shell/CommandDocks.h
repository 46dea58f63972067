#pragma once
// The two docks of the main window that hold the command windows: command
// mode's panel below the picture, the button panel of graphical mode beside
// it. Only the current mode's dock is shown. They can be moved, floated and
// resized but not closed; the window's place, size and docks are remembered
// between starts.
#include <QObject>

class QDockWidget;
class QMainWindow;

namespace mivarelo {

class CommandWindow;

class CommandDocks : public QObject {
    Q_OBJECT
public:
    explicit CommandDocks(QMainWindow* window);

    QDockWidget* TextDock() const { return textDock_; }
    // The dock of the current mode.
    QDockWidget* Current() const;
    // `form` into its mode's dock, in place of what that dock held.
    void Place(CommandWindow* form, bool graphical);
    // The current mode's dock shown or hidden, the other one hidden.
    void ShowCurrent(bool shown);
    // The docks and the window's place and size as they were left; false at
    // the very first start, when there is nothing to restore.
    bool Restore();
    void Save() const;

private:
    QDockWidget* NewDock(const char* name, int area);

    QMainWindow* window_;
    QDockWidget* textDock_;
    QDockWidget* graphicalDock_;
};

} // namespace mivarelo
