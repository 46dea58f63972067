#pragma once
// The headless turtle engine: it owns the picture, the turtle state and the
// procedure store, and carries out built-in commands. A drawing window owns
// one TurtleScreen and shows its picture; the line dispatcher hands it every
// keyword command. Everything runs on one (the GUI) thread.
#include "core/Keywords.h"
#include "core/ProcedureStore.h"
#include "core/VariableStore.h"
#include "engine/Picture.h"
#include "engine/TurtleState.h"

#include <functional>
#include <string_view>

namespace mivarelo {

// The rectangle chosen with the mouse in the drawing window; left = -1 means none.
struct SelectionRect {
    int left = -1;
    int top = -1;
    int right = -1;
    int bottom = -1;
};

// What the drawing window has to do after the commands run since it last asked.
enum class RefreshRequest {
    None,
    Normal, // copy the picture unless quick commands or suspended refresh say otherwise
    Forced, // copy the picture in any case (clearing commands)
};

// The codes whose commands run nested lists or assign variables: repeat, if,
// test, iftrue, iffalse, the loops and assignment. They belong to the line
// dispatcher (see SetControlFlowHandler).
bool IsControlFlowCode(CommandCode code);

class TurtleScreen : public TurtlePosition {
public:
    using ControlFlowHandler = std::function<bool(CommandCode, std::string_view)>;

    // A picture of the global screen size, then ResetTurtle. The owner
    // attaches the screen to the variable store (AttachScreen) so that
    // "_nerdex" and "_nerdey" read the turtle position.
    TurtleScreen();

    // Carries out one built-in command (codes below ProcedureCodeBase) with its
    // raw argument text. Returns true except where a control-flow handler
    // reports failure. Control-flow codes go to the handler when one is set
    // (returning its result, without a refresh request) and otherwise do
    // nothing. Unknown codes only request a refresh.
    bool ExecuteTurtleCommand(CommandCode code, std::string_view argument);
    void SetControlFlowHandler(ControlFlowHandler handler) { controlFlow_ = std::move(handler); }

    // Turtle to the start, default colours, pen and font, picture cleared;
    // the home, the turtle look and the test result are kept.
    void ResetTurtle();
    // Fills the whole picture with the screen colour, which the brush keeps.
    void ClearPicture();
    // The first colour different from the one under the turtle, looking left,
    // right, up and down from it (column 0 and row 0 excluded); black if none.
    ColorValue FindBorderColor() const;

    // "wait": the executor never sleeps. It records the requested pause in
    // milliseconds ((sixtieths * 1000) / 60, truncated); the interpreter takes
    // it after the line and suspends the running list that long. Returns 0
    // when no pause is pending; an interval of zero or less records nothing,
    // and several waits before the next call add up.
    int TakePendingWaitMs();
    // The refresh the window owes since the last call; resets it to None.
    // Which pixels changed is the picture's DirtyRect.
    RefreshRequest TakeRefreshRequest();

    int TurtleX() const { return state_.TurtleX; }
    int TurtleY() const { return state_.TurtleY; }
    // The precise turtle's real position, else its pixel.
    double TurtleXValue() const override;
    double TurtleYValue() const override;
    double TurtleHeading() const override { return state_.Heading; }
    bool TurtlePenDown() const override { return state_.PenIsDown; }
    TurtleState& State() { return state_; }
    const TurtleState& State() const { return state_; }
    Picture& Surface() { return picture_; }
    const Picture& Surface() const { return picture_; }
    ProcedureStore& Procedures() { return procedures_; }
    const ProcedureStore& Procedures() const { return procedures_; }
    SelectionRect& Selection() { return selection_; }

private:
    using Handler = void (TurtleScreen::*)(std::string_view);
    // The handler of every keyword code, null for codes without an effect.
    static const Handler* HandlerTable();

    void RequestRefresh(bool force);
    void MoveTo(QPoint target);
    void MoveExactly(long double distance, float heading);
    void Reset(std::string_view);
    void SetPenWidth(std::string_view argument);
    void Stop(std::string_view);
    void SetHome(std::string_view);
    void PenDown(std::string_view);
    void PenUp(std::string_view);
    void ClearScreen(std::string_view);
    void Forward(std::string_view argument);
    void Back(std::string_view argument);
    void Left(std::string_view argument);
    void Right(std::string_view argument);
    void DrawMode(std::string_view);
    void EraseMode(std::string_view);
    void Wait(std::string_view argument);
    void ShowTurtle(std::string_view);
    void HideTurtle(std::string_view);
    void Home(std::string_view);
    void Clean(std::string_view);
    void Fill(std::string_view argument);
    void Label(std::string_view argument);
    void SetX(std::string_view argument);
    void SetY(std::string_view argument);
    void SetPos(std::string_view argument);
    void SetPenColor(std::string_view argument);
    void SetFillColor(std::string_view argument);
    void SetScreenColor(std::string_view argument);
    void SetFontSize(std::string_view argument);
    void SetFontName(std::string_view argument);
    void SetHeading(std::string_view argument);
    void Paint(std::string_view argument);
    void Ellipse(std::string_view argument);
    void SetLengthVariable(std::string_view argument);
    void SetAngleVariable(std::string_view argument);
    void SetTurtlePicture(std::string_view argument);

    Picture picture_;
    TurtleState state_;
    ProcedureStore procedures_;
    SelectionRect selection_;
    ControlFlowHandler controlFlow_;
    int pendingWaitMs_ = 0;
    RefreshRequest refresh_ = RefreshRequest::None;
};

} // namespace mivarelo
