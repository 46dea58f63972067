#pragma once
// Runs Logo text. Every running list is a LogoThread context on one stack;
// starting a list pushes a context and returns at once, so the rest of the
// current line runs before the list's first line. The scheduler runs one line
// of the top context per step; a context that ends is popped and its caller
// goes on after the line that started it.
//
// Two drivers share the scheduler: RunToEnd for the headless runner, and
// RunFor, which runs lines for a slice of time and returns so that an event
// loop can paint and take input between slices.
#include "engine/ContextStack.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mivarelo {

class LineDispatcher;
class RunListener;
class TurtleScreen;

// One running procedure call as a watcher sees it: the procedure, the body
// line now running in it (or in the lists it started) and its frame.
struct CallView {
    int procedure = -1;
    int bodyLine = 0;
    const VariableFrame* frame = nullptr;
};

class Interpreter {
public:
    using Clock = std::chrono::steady_clock;

    // Live contexts allowed at once; one more stops the run with an error line.
    // This alone bounds recursion: a procedure calling itself holds one context
    // a level, two when the call stands in a list (inside "if"), which makes
    // half a million levels.
    static constexpr std::size_t DefaultNestingLimit = 1'000'000;

    enum class StopReason { None, NestingLimit, LineLimit, TimeLimit };

    explicit Interpreter(TurtleScreen& screen);

    void SetDispatcher(LineDispatcher* dispatcher) { dispatcher_ = dispatcher; }
    void SetListener(RunListener* listener) { listener_ = listener; }
    void SetNestingLimit(std::size_t limit) { nestingLimit_ = limit; }
    // At most this many lines per run; none means no limit. An iteration of
    // a list that runs no line (all its lines empty or comments) counts as
    // one line, so that such a loop cannot run on for ever.
    void SetLineLimit(std::optional<std::uint64_t> limit) { lineLimit_ = limit; }
    // A run still going at `deadline` stops as at the line limit; a wait
    // that would last past it ends there.
    void SetDeadline(std::optional<Clock::time_point> deadline) { deadline_ = deadline; }
    // The time source of waits (tests pass a fake one).
    void SetClock(std::function<Clock::time_point()> now) { now_ = std::move(now); }

    // Pushes a context for `listText`. With `procedureScope` a variable frame
    // is pushed first from `arguments` (evaluated now, in the caller's frame)
    // and `names`, and popped when the context ends. False, with an error
    // line and the run stopped, when the nesting limit or memory is exhausted.
    // `place` tells where the lines stand in the program (see LinePlace).
    bool StartThread(bool procedureScope, SharedText listText, std::unique_ptr<LoopElement> loop,
                     bool nested, int repeatCount, std::string_view names,
                     std::string_view arguments, LinePlace place);
    // Calls procedure `index` of the store with the argument text; a stop
    // that was pending is cleared afterwards. Its lines are numbered as the
    // lines of its body.
    bool RunProcedure(int index, std::string_view arguments, bool nested, int repeatCount);
    // Runs a list without a variable scope (the list commands). Its lines
    // take the procedure and the body line of the line now running.
    bool RunText(std::string_view text, int repeatCount, std::unique_ptr<LoopElement> loop,
                 bool nested);
    // RunText for `list`, a part of `owner`, which the context shares instead
    // of a copy; `normalizedLevels` as LogoThread takes it.
    bool RunList(SharedText owner, std::string_view list, int normalizedLevels, int repeatCount,
                 bool nested);
    // Calls procedure `index` for a value that a line of the running context
    // needs: the rest of the line, `rest`, holds the call at [callStart,
    // callEnd) and runs again, the call replaced by the value, once the
    // procedure has ended. The call is a context like any other, so that
    // Stop, stepping, the watcher and the nesting limit see it.
    bool CallForValue(int index, std::string_view arguments, std::string rest,
                      std::size_t callStart, std::size_t callEnd);
    // "output": the running procedure ends, as with "stop", and gives
    // `value` to the line that called it for one.
    void Output(double value);
    // "print": hands a line of text to the listener.
    void Print(std::string_view text);
    // The Stop action: every context ends after its current line; a wait
    // in progress ends at once.
    void RequestStop();

    // One step of the top context: one line, or the bookkeeping of a context
    // that ends an iteration or finishes. Waits are the drivers' business.
    // False when nothing runs.
    bool Step();
    // Moves the top context on to its next line without running it, so that
    // a watcher can show the line before it runs: the bookkeeping steps run
    // until a line is ready (true) or nothing runs any more (false). The
    // next Step runs that line; a stop that came meanwhile drops it.
    bool PrepareLine();
    // The contexts of procedure calls whose frame is on the variable stack,
    // innermost first, at most `limit` of them.
    std::vector<CallView> Calls(std::size_t limit) const;
    // The context whose line is prepared or running, or null.
    const LogoThread* ShownThread() const;
    bool LinePrepared() const { return prepared_ != nullptr; }
    bool Busy() const { return !threads_.Empty(); }
    // The end of the wait in progress, if any.
    std::optional<Clock::time_point> WaitDeadline() const { return waitUntil_; }
    // Ends the wait in progress now (a step through the program).
    void EndWait() { waitUntil_.reset(); }
    // True when the wait in progress still lasts; clears it once over.
    bool StillWaiting();
    // Runs steps for about `budget`; returns at once while a wait lasts.
    // True while work remains.
    bool RunFor(std::chrono::milliseconds budget);
    // Runs until the stack is empty, sleeping through waits unless told not to.
    void RunToEnd(bool honourWaits);

    StopReason LastStopReason() const { return stopReason_; }
    std::uint64_t LinesRun() const { return linesRun_; }
    std::size_t Depth() const { return threads_.Count(); }
    // Counts the runs: it changes whenever a context is pushed on an empty stack.
    std::uint64_t RunSerial() const { return runSerial_; }
    // The context whose line is running, or null between lines.
    const LogoThread* CurrentThread() const { return currentThread_; }

private:
    // The joined body and argument names of a procedure, kept while the
    // store's header and body stay the same.
    struct ProcedureText {
        std::string header;
        std::string body;
        SharedText text;
        std::string names;
    };

    const ProcedureText& TextOf(int index);
    // One shared copy per distinct list text of a run: a list started again
    // and again (a loop inside a procedure, the if of a recursion) costs no
    // new text.
    SharedText ListTextOf(std::string_view text);
    // StartThread for `list` of `listText` (all of it when `list` is null).
    bool Start(bool procedureScope, SharedText listText, std::string_view list,
               int normalizedLevels, std::unique_ptr<LoopElement> loop, bool nested,
               int repeatCount, std::string_view names, std::string_view arguments,
               LinePlace place);
    bool PushContext(bool procedureScope, SharedText listText, std::string_view list,
                     int normalizedLevels, std::unique_ptr<LoopElement> loop, bool nested,
                     int repeatCount, std::string_view names, std::string_view arguments,
                     LinePlace place);
    // Publishes the procedure and body line of the top context's line.
    static void ShowPosition(const LogoThread& top);
    // Runs the top context's line unless the line limit is reached.
    void RunReadyLine(LogoThread& top);
    bool AdvanceTop(LogoThread& top);
    void RunLine(LogoThread& top);
    bool PushPendingFrame(LogoThread& top);
    bool ResumeLine(LogoThread& top);
    void CountIdleIteration();
    void FinishTop();
    void EndRun();
    void SetRunActive(bool active);
    void Halt(StopReason reason, int textId);

    TurtleScreen& screen_;
    LineDispatcher* dispatcher_ = nullptr;
    RunListener* listener_ = nullptr;
    ContextStack threads_;
    LogoThread* currentThread_ = nullptr;
    // The top context after PrepareLine handed out its line, until it runs.
    LogoThread* prepared_ = nullptr;
    std::vector<ProcedureText> procedureTexts_;
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string_view>{}(s);
        }
    };
    std::unordered_map<std::string, SharedText, TextHash, std::equal_to<>> listTexts_;
    std::uint64_t listTextsRun_ = 0;
    std::function<Clock::time_point()> now_;
    std::optional<Clock::time_point> waitUntil_;
    std::optional<std::uint64_t> lineLimit_;
    std::optional<Clock::time_point> deadline_;
    std::size_t nestingLimit_ = DefaultNestingLimit;
    // The value the running procedure gave with "output", until it ends.
    std::optional<double> output_;
    std::uint64_t linesRun_ = 0;
    std::uint64_t idleIterations_ = 0;
    std::uint64_t runSerial_ = 0;
    StopReason stopReason_ = StopReason::None;
};

} // namespace mivarelo
