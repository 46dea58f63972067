#pragma once
// The headless engine in one object: the turtle screen (picture, turtle,
// procedure store), the variable store, the interpreter and the line
// dispatcher, wired to each other. The headless runner, the tests and the
// main window each own one. Its variable store is the process-wide one while
// the engine lives; only one engine is meant to exist at a time.
#include "core/VariableStore.h"
#include "engine/Interpreter.h"
#include "engine/LineDispatcher.h"
#include "engine/TurtleScreen.h"

#include <string>

namespace mivarelo {

class LogoEngine {
public:
    LogoEngine();
    ~LogoEngine();
    LogoEngine(const LogoEngine&) = delete;
    LogoEngine& operator=(const LogoEngine&) = delete;

    TurtleScreen& Screen() { return screen_; }
    const TurtleScreen& Screen() const { return screen_; }
    VariableStore& Variables() { return variables_; }
    Interpreter& Runner() { return interpreter_; }
    LineDispatcher& Dispatcher() { return dispatcher_; }
    ProcedureStore& Procedures() { return screen_.Procedures(); }

    // Empties the procedure store and adds the main procedure with an empty
    // body, named after the interface language (text MainProcedureNameId)
    // when one is loaded.
    void NewProgram();
    // The Run action: clears the stop flags and the last error line, then
    // starts procedure `index` without arguments. The scheduler runs it.
    bool StartRun(int index);
    // Appends `text` to the main procedure and starts a run of `text` alone
    // in a procedure scope without arguments (the graphical mode's road).
    // Its lines count as procedure 0's lines where they were appended.
    bool SetMainProcedureAndRun(const std::string& text);

private:
    TurtleScreen screen_;
    VariableStore variables_;
    Interpreter interpreter_;
    LineDispatcher dispatcher_;
    VariableStore* previousStore_ = nullptr;
};

} // namespace mivarelo
