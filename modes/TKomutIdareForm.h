#pragma once
// The common base of the windows through which the user gives commands. The
// main window holds one at a time and speaks to it only through these hooks;
// each hook does nothing here (the two questions agree), and every mode
// overrides the ones it needs.
#include <QPoint>
#include <QWidget>

namespace mivarelo {

class TLogoMainForm;

class TKomutIdareForm : public QWidget {
    Q_OBJECT
public:
    // A top-level tool window owned by `owner`, so that it stays above the
    // main window and dies with it at the latest.
    explicit TKomutIdareForm(QWidget* owner);

    // Stores the main window, then tells the mode through MainFormAttached.
    void SetMainForm(TLogoMainForm* main);
    TLogoMainForm* MainForm() const { return mainForm_; }
    // Calls ApplyLanguage.
    void RefreshLanguage();

    // Lays the window and its controls out from the screen's available area.
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
    TLogoMainForm* mainForm_ = nullptr;
};

} // namespace mivarelo
