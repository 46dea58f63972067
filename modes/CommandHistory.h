#pragma once
// The graphical mode's history without any window: the lines recorded in
// order (the first is the line that starts the drawing), the lines undone
// that redo may bring back, and where the macro being recorded starts. The
// button window shows the lines in its list and runs what this gives it.
#include <string>
#include <vector>

namespace mivarelo {

class CommandHistory {
public:
    int Count() const { return static_cast<int>(lines_.size()); }
    // Line i as recorded (its line break included when it had one); empty
    // outside the history.
    std::string Line(int i) const;
    const std::vector<std::string>& Lines() const { return lines_; }

    // Appends a newly given line; the undone lines can no longer come back.
    void Record(const std::string& line);
    // Every line replaced, e.g. by the main procedure of a loaded program;
    // nothing is left to redo. The macro recording goes on.
    void Replace(std::vector<std::string> lines);

    // Moves the last line to the undone ones; false, changing nothing, when
    // only the first line is left.
    bool Undo();
    // Appends the line undone last, with a line break at its end; false when
    // nothing is undone.
    bool Redo();
    // The text that draws the lines again: the non-empty lines joined by
    // line breaks, ending with one, so that the next recorded line starts a
    // line of its own.
    std::string ReplayText() const;

    // A macro takes the lines recorded from now on.
    void StartMacro() { macroStart_ = Count(); }
    void StopMacro() { macroStart_ = -1; }
    bool Recording() const { return macroStart_ != -1; }
    // The index of the macro's first line; -1 when no macro is recorded.
    int MacroStart() const { return macroStart_; }
    // No line has been recorded since the macro started.
    bool MacroIsEmpty() const { return Count() == macroStart_; }
    // The macro's body: its lines, each followed by a line break.
    std::string MacroBody() const;

private:
    std::vector<std::string> lines_;
    // The lines undone, the last undone at the back.
    std::vector<std::string> undone_;
    int macroStart_ = -1;
};

} // namespace mivarelo
