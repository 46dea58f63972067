#pragma once
// What a command window may ask of the window that holds it. The command
// windows know the main window only through this, so that they can be
// built, tested and placed without it.
#include <QPoint>

#include <string>

namespace mivarelo {

class LogoEngine;

class CommandHost {
public:
    virtual LogoEngine& Engine() = 0;
    virtual void SetProgramChanged(bool changed) = 0;
    // Shows procedure `index` in the editor (-1: the one the list selects).
    virtual void ShowProcedure(int index) = 0;
    // Appends `text` to the main procedure and runs that text alone.
    virtual bool SetMainProcedureAndRun(const std::string& text) = 0;
    // Runs the selected procedure, as the Run action does.
    virtual void Run() = 0;
    virtual void AddProcedureWithBody(const std::string& name, const std::string& body) = 0;
    // Whether the program may be discarded; asks to save a changed one.
    virtual bool ConfirmDiscard() = 0;
    // The screen point of picture pixel `picturePoint`.
    virtual QPoint PictureToGlobal(QPoint picturePoint) const = 0;
    // The first error of the last run, as the error list words it; empty
    // when the run went without one.
    virtual std::string LastRunError() const = 0;

protected:
    ~CommandHost() = default;
};

} // namespace mivarelo
