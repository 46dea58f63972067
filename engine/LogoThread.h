#pragma once
// One running list (a procedure body, a repeat or loop body, the body of an
// if) as a resumable context. The interpreter keeps these on a stack and
// advances only the top one, one line at a time: NextLine does the
// bookkeeping up to the next line to run (iteration counters, loop tests and
// steps, the stop checks) and hands that line back; the caller runs it and
// reports the result with LineDone. Nothing here recurses, so the depth of
// Logo nesting costs memory (one small context each) and never C++ stack.
#include "core/VariableStore.h"
#include "engine/CommandCache.h"
#include "engine/LoopElement.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace mivarelo {

// Where a context's lines stand in the program, so that an error names the
// line the user wrote: the procedure whose body holds them (-1 for none), the
// body line of the context's first line, and whether the context's lines are
// body lines of their own (a procedure body) or all lie on the one body line
// that started the context (a bracketed list, at any depth).
struct LinePlace {
    int procedure = -1;
    int firstLine = 1;
    bool ownLines = true;
};

class LogoThread {
public:
    enum class Advance : std::uint8_t {
        Line,     // CurrentLine is to be run now
        Pending,  // an iteration ended without a line; ask again
        Finished, // the list is done (or stopped); pop the context
    };

    // Runs `list`, a part of `owner` (all of it when `list` is null). Lists are
    // shared: every call of a recursive procedure runs the same body, and a
    // nested list runs from the text of the command that holds it.
    // `normalizedLevels` counts the levels of this list and the lists inside
    // it that are known to be in the normalizer's form (see LineDispatcher).
    LogoThread(SharedText owner, std::string_view list, int repeatCount,
               std::unique_ptr<LoopElement> loop, bool nested, LinePlace place,
               int normalizedLevels);

    // The list lies inside one line of the context that started it, which
    // was cut at its line feed and its comment mark: the list holds neither,
    // so it is one line whole and is not searched for them again (a list
    // nested N levels deep would otherwise be searched N times).
    void SetOneLine() { oneLine_ = true; }
    // A line of this context calls procedure `callee` for its value: what is
    // left of the line waits in `rest`, the call standing at [callStart,
    // callEnd) of it, until the call ends (Answer).
    void AwaitValue(std::string rest, std::size_t callStart, std::size_t callEnd,
                    std::string callee);
    bool AwaitingValue() const { return awaiting_; }
    // This context runs a procedure that `caller` called for its value.
    void CalledForValueBy(LogoThread* caller) { valueCaller_ = caller; }
    LogoThread* ValueCaller() const { return valueCaller_; }
    void Answer(std::optional<double> value) { answer_ = value; }
    // With the answer, the rest of the line becomes the current line, the
    // call replaced by its value (true); without one the line ends there
    // (false) and `callee` names the procedure that gave none.
    bool Resume(std::string& callee);
    // Whether the current line is the rest of a line that waited for a value.
    bool ResumedLine() const {
        return !resumeLine_.empty() && currentLine_.data() == resumeLine_.data();
    }
    // Moves to the next line to run. The stop and abort flags are checked
    // before every iteration and every line, and after each line once the
    // lists it started have finished (the context is on top again then).
    Advance NextLine();
    // The result of the line NextLine handed out.
    void LineDone(bool ok) { lastLineOk_ = ok; }
    // This context runs a procedure call with the given argument frame. The
    // frame's values are evaluated when the call is made, but the frame is
    // pushed only when the call's first step runs (TakePendingFrame), so the
    // rest of the calling line still reads the caller's variables.
    void OpenScope(std::unique_ptr<VariableFrame> frame);
    // The frame still to be pushed (handed out once), and the note that it
    // was pushed: from then on this context pops it when it finishes.
    std::unique_ptr<VariableFrame> TakePendingFrame() { return std::move(pendingFrame_); }
    void FramePushed() { ownsFrame_ = true; }

    bool Nested() const { return nested_; }
    bool ProcedureScope() const { return procedureScope_; }
    bool OwnsFrame() const { return ownsFrame_; }
    bool LastLineOk() const { return lastLineOk_; }
    int RepeatCount() const { return repeatCount_; }
    int ExecutedLines() const { return executedLines_; }
    // The procedure whose body holds CurrentLine, and CurrentLine's line in
    // that body.
    int Procedure() const { return place_.procedure; }
    int BodyLine() const {
        return place_.ownLines ? place_.firstLine + lineNumber_ - 1 : place_.firstLine;
    }
    // Whether CurrentLine is a body line of its own, or a command text
    // inside the body line that started a bracketed list.
    bool OwnLines() const { return place_.ownLines; }
    // The line being run, without its comment; valid while the context lives.
    std::string_view CurrentLine() const { return currentLine_; }
    const LoopElement* Loop() const { return loop_.get(); }
    // The text that holds the list, and the list itself.
    const SharedText& Owner() const { return list_; }
    std::string_view Text() const { return text_; }
    int NormalizedLevels() const { return normalizedLevels_; }

private:
    enum class Phase : std::uint8_t { Start, Iteration, Lines, AfterLine, Finished };

    void Begin();
    void BeginIteration();
    Advance EndIteration();
    Advance ReadLine();
    Advance Finish();

    SharedText list_;
    std::string_view text_;
    std::unique_ptr<LoopElement> loop_;
    std::unique_ptr<VariableFrame> pendingFrame_;
    LinePlace place_;
    std::string_view currentLine_;
    std::size_t cursor_ = 0;
    int repeatCount_;
    // 64 bits: a loop may go on past the int32 range.
    std::int64_t iteration_ = 0;
    int lineNumber_ = 0;
    int normalizedLevels_ = 0;
    int executedLines_ = 0;
    Phase phase_ = Phase::Start;
    std::string resumeLine_;
    std::string callee_;
    std::size_t callStart_ = 0;
    std::size_t callEnd_ = 0;
    std::optional<double> answer_;
    LogoThread* valueCaller_ = nullptr;
    bool awaiting_ = false;
    bool nested_;
    bool oneLine_ = false;
    bool procedureScope_ = false;
    bool ownsFrame_ = false;
    bool lastLineOk_ = true;
    bool continueLoop_ = true;
};

} // namespace mivarelo
