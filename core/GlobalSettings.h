#pragma once
// The one process-wide record of settings and run state shared by every part
// of the program. Only the GUI thread (or the headless runner) writes it.
#include <cstdint>
#include <string>

namespace mivarelo {

struct GlobalSettings {
    bool Running = true;
    bool ChangePictures = true;
    int CommandMode = 0; // 0 command mode, 1 graphical mode
    bool CanUndoLastCommand = true;
    int ArcStepAngle = 10;
    bool UseDirections = false;
    bool AutoMoveGraphicWindow = true;
    bool EnglishInterface = false;
    int PaintMode = 0;
    bool TraceMouse = false;
    int CurrentProcedure = -1;
    std::string LengthVariableName = "uzunluk";
    std::string AngleVariableName = "yabci";
    std::string MainProcedureName = "AnaEkran";
    std::string OldLengthVariableName;
    std::string OldAngleVariableName;
    int CircleTurtleSize = 20;
    int ScreenWidth = 2000;
    int ScreenHeight = 2000;
    int TurtleLook = 0;
    int TurnCommandType = 0; // 0 SetH, 1 Closest, 2 Left, 3 Right
    // The dialect the program was last rewritten into: -1 none yet, else
    // 0 Turkish long, 1 Turkish short, 2 English long, 3 English short.
    int CommandDialect = -1;
    std::string TurtlePicturePath;
    // The line now running, numbered in the body of the procedure that
    // holds it (a bracketed list takes the line that started it), and that
    // procedure's index: -1 when nothing runs.
    int CurrentLineNumber = 0;
    int RunningProcedure = -1;
    int LastErrorLine = 0;
    bool RunActive = false;
    bool RefreshSuspended = false;
    bool QuickCommands = false;

    // Run flags of the interpreter and the line dispatcher.
    bool StopRequested = false;
    bool AbortRequested = false;
    bool StopAtErrors = false;
    bool AutoCorrectErrors = true;
    bool AcceptSpace = true;
    int TestResult = 0;
    // Positions in real numbers and distances not truncated; the picture is
    // still drawn in whole pixels.
    bool PreciseTurtle = false;
};

GlobalSettings& Globals();
// Back to the start values (tests and the headless runner).
void ResetGlobals();

} // namespace mivarelo
