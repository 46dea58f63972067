#pragma once
// The error list of the current command window, reached through an interface
// so that the core and engine never see a widget. Null when no list exists
// (graphical mode); every writer checks. While a line is added,
// Globals().RunningProcedure and Globals().CurrentLineNumber tell which
// procedure and which line of its body the entry belongs to.
#include <string>

namespace mivarelo {

class ErrorList {
public:
    virtual ~ErrorList() = default;
    virtual void AddErrorLine(const std::string& line) = 0;
};

ErrorList* SetCurrentErrorList(ErrorList* list); // returns the previous one
ErrorList* CurrentErrorList();

} // namespace mivarelo
