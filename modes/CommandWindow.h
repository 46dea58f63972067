#pragma once
// The common base of the panels through which the user gives commands. The
// main window holds one at a time, in a dock of its own, and speaks to it
// only through these hooks; each hook does nothing here (the two questions
// agree), and every mode overrides the ones it needs. The panel reaches the
// main window only through CommandHost.
#include <QPoint>
#include <QWidget>

namespace mivarelo {

class CommandHost;

class CommandWindow : public QWidget {
    Q_OBJECT
public:
    explicit CommandWindow(QWidget* parent);

    // Stores the host, then tells the mode through MainFormAttached.
    void SetMainForm(CommandHost* host);
    CommandHost* MainForm() const { return host_; }
    // Calls ApplyLanguage.
    void RefreshLanguage();

    // Fits the panel's controls to its width and sets its minimum size.
    virtual void ArrangeControls() {}
    virtual void MainFormAttached() {}
    // The program was replaced or its words translated.
    virtual void RefreshProcedures() {}
    virtual void TurnPictures(int heading) { (void)heading; }
    // A run has ended with the turtle at `position`.
    virtual void TurtleMoved(QPoint position) { (void)position; }
    virtual void SetIdle(bool idle) { (void)idle; }
    // Asked before a reset; the reset happens only on true.
    virtual bool ConfirmReset() { return true; }
    // Retakes every caption from the interface language.
    virtual void ApplyLanguage() {}
    virtual void RunStateChanged(const bool& idle) { (void)idle; }
    // Asked first before the program may be discarded.
    virtual bool CanLeave() { return true; }

private:
    CommandHost* host_ = nullptr;
};

} // namespace mivarelo
