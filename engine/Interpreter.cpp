#include "engine/Interpreter.h"

#include "core/ErrorList.h"
#include "core/GlobalSettings.h"
#include "core/LanguageIds.h"
#include "core/LanguageModule.h"
#include "core/LineParser.h"
#include "core/VariableStore.h"
#include "engine/LineDispatcher.h"
#include "engine/RunListener.h"
#include "engine/TurtleScreen.h"

#include <algorithm>
#include <exception>
#include <new>
#include <thread>
#include <utility>

namespace mivarelo {

namespace {

SharedText EmptyText() {
    static const SharedText empty = std::make_shared<const std::string>();
    return empty;
}

} // namespace

Interpreter::Interpreter(TurtleScreen& screen)
    : screen_(screen), now_([] { return Clock::now(); }) {}

bool Interpreter::StartThread(bool procedureScope, SharedText listText,
                              std::unique_ptr<LoopElement> loop, bool nested, int repeatCount,
                              std::string_view names, std::string_view arguments, LinePlace place) {
    return Start(procedureScope, std::move(listText), {}, 0, std::move(loop), nested, repeatCount,
                 names, arguments, place);
}

bool Interpreter::Start(bool procedureScope, SharedText listText, std::string_view list,
                        int normalizedLevels, std::unique_ptr<LoopElement> loop, bool nested,
                        int repeatCount, std::string_view names, std::string_view arguments,
                        LinePlace place) {
    if (threads_.Count() >= nestingLimit_) {
        Halt(StopReason::NestingLimit, NestingTooDeepId);
        return false;
    }
    if (threads_.Empty()) {
        stopReason_ = StopReason::None;
        linesRun_ = 0;
        idleIterations_ = 0;
        ++runSerial_;
    }
    try {
        return PushContext(procedureScope, std::move(listText), list, normalizedLevels,
                           std::move(loop), nested, repeatCount, names, arguments, place);
    } catch (const std::bad_alloc&) {
        Halt(StopReason::NestingLimit, NestingTooDeepId);
        return false;
    }
}

// The context goes on the stack before its frame is built, so that a failed
// build leaves a context that pops nothing. The frame itself is pushed by the
// context's first step.
bool Interpreter::PushContext(bool procedureScope, SharedText listText, std::string_view list,
                              int normalizedLevels, std::unique_ptr<LoopElement> loop, bool nested,
                              int repeatCount, std::string_view names, std::string_view arguments,
                              LinePlace place) {
    const LogoThread* starter = threads_.Top();
    const std::string_view line = starter ? starter->CurrentLine() : std::string_view();
    const bool oneLine = list.data() && line.data() && list.data() >= line.data() &&
                         list.data() + list.size() <= line.data() + line.size();
    LogoThread& thread = threads_.PushThread(
        LogoThread(listText ? std::move(listText) : EmptyText(), list, repeatCount, std::move(loop),
                   nested, place, normalizedLevels));
    if (oneLine) thread.SetOneLine();
    SetRunActive(true);
    if (procedureScope) {
        std::unique_ptr<VariableFrame> frame;
        if (CurrentVariableStore())
            frame = std::make_unique<VariableFrame>(VariableFrame::FromTexts(arguments, names));
        thread.OpenScope(std::move(frame));
    }
    return true;
}

bool Interpreter::RunProcedure(int index, std::string_view arguments, bool nested,
                               int repeatCount) {
    const ProcedureText& procedure = TextOf(index);
    const bool started = StartThread(true, procedure.text, nullptr, nested, repeatCount,
                                     procedure.names, arguments, LinePlace{index, 1, true});
    Globals().StopRequested = false;
    return started;
}

const Interpreter::ProcedureText& Interpreter::TextOf(int index) {
    static const ProcedureText none{{}, {}, EmptyText(), {}};
    const ProcedureStore& store = screen_.Procedures();
    if (index < 0 || index >= store.ProcedureCount()) return none;
    const auto i = static_cast<std::size_t>(index);
    if (procedureTexts_.size() <= i) procedureTexts_.resize(i + 1);
    ProcedureText& cached = procedureTexts_[i];
    const std::string& header = store.Headers()[i];
    const std::string& body = store.Bodies()[i];
    if (!cached.text || cached.header != header || cached.body != body) {
        cached.text = std::make_shared<const std::string>(store.JoinBodyLines(index, "\n"));
        cached.names = store.GetArguments(index);
        cached.header = header;
        cached.body = body;
    }
    return cached;
}

bool Interpreter::RunText(std::string_view text, int repeatCount, std::unique_ptr<LoopElement> loop,
                          bool nested) {
    SharedText list;
    try {
        list = ListTextOf(text);
    } catch (const std::bad_alloc&) {
        Halt(StopReason::NestingLimit, NestingTooDeepId);
        return false;
    }
    LinePlace place;
    if (currentThread_) place = {currentThread_->Procedure(), currentThread_->BodyLine(), false};
    return StartThread(false, std::move(list), std::move(loop), nested, repeatCount, {}, {}, place);
}

bool Interpreter::RunList(SharedText owner, std::string_view list, int normalizedLevels,
                          int repeatCount, bool nested) {
    LinePlace place;
    if (currentThread_) place = {currentThread_->Procedure(), currentThread_->BodyLine(), false};
    return Start(false, std::move(owner), list, normalizedLevels, nullptr, nested, repeatCount, {},
                 {}, place);
}

SharedText Interpreter::ListTextOf(std::string_view text) {
    constexpr std::size_t MaxTexts = 4096;
    if (listTextsRun_ != runSerial_ || listTexts_.size() >= MaxTexts) {
        listTexts_.clear();
        listTextsRun_ = runSerial_;
    }
    const auto found = listTexts_.find(text);
    if (found != listTexts_.end()) return found->second;
    SharedText shared = std::make_shared<const std::string>(text);
    listTexts_.emplace(std::string(text), shared);
    return shared;
}

bool Interpreter::CallForValue(int index, std::string_view arguments, std::string rest,
                               std::size_t callStart, std::size_t callEnd) {
    LogoThread* caller = currentThread_;
    if (!caller) return false;
    const std::string header = screen_.Procedures().GetHeader(index);
    caller->AwaitValue(std::move(rest), callStart, callEnd, header.substr(0, header.find(' ')));
    if (!RunProcedure(index, arguments, true, 1)) return false;
    threads_.Top()->CalledForValueBy(caller);
    return true;
}

void Interpreter::Output(double value) {
    output_ = value;
    Globals().StopRequested = true;
}

void Interpreter::Print(std::string_view text) {
    if (listener_) listener_->Print(text);
}

void Interpreter::RequestStop() {
    Globals().StopRequested = true;
    Globals().AbortRequested = true;
    waitUntil_.reset();
}

bool Interpreter::Step() {
    LogoThread* top = threads_.Top();
    if (!top) return false;
    if (prepared_) {
        prepared_ = nullptr;
        if (!Globals().AbortRequested) RunReadyLine(*top);
        return true;
    }
    if (AdvanceTop(*top)) RunReadyLine(*top);
    return true;
}

// The bookkeeping of the top context up to its next line: iterations, loop
// tests, a call's frame, a finished list. True when a line is handed out.
bool Interpreter::AdvanceTop(LogoThread& top) {
    if (!PushPendingFrame(top)) return false;
    if (top.AwaitingValue() && !Globals().AbortRequested) return ResumeLine(top);
    switch (top.NextLine()) {
    case LogoThread::Advance::Pending:
        if (top.ExecutedLines() == 0) CountIdleIteration();
        return false;
    case LogoThread::Advance::Finished: FinishTop(); return false;
    case LogoThread::Advance::Line: break;
    }
    ShowPosition(top);
    return true;
}

// The rest of a line that waited for a procedure's value runs with the value
// in place of the call; a procedure that ended without "output" fails the line.
bool Interpreter::ResumeLine(LogoThread& top) {
    std::string callee;
    ShowPosition(top);
    if (top.Resume(callee)) return true;
    GlobalSettings& g = Globals();
    g.LastErrorLine = g.CurrentLineNumber;
    if (ErrorList* list = CurrentErrorList())
        list->AddErrorLine(ErrorLineText(NoOutputId, callee, g.CurrentLineNumber));
    top.LineDone(false);
    return false;
}

void Interpreter::RunReadyLine(LogoThread& top) {
    if (lineLimit_ && linesRun_ + idleIterations_ >= *lineLimit_) {
        Halt(StopReason::LineLimit, MaximumLinesId);
        return;
    }
    if (deadline_ && now_() >= *deadline_) {
        Halt(StopReason::TimeLimit, TimeLimitId);
        return;
    }
    RunLine(top);
}

// The bookkeeping of Step without the line, which waits for the next Step.
// A call's frame is pushed on the way, so that a watcher sees the arguments
// at the call's first line.
bool Interpreter::PrepareLine() {
    for (LogoThread* top = threads_.Top(); top; top = threads_.Top()) {
        if (prepared_ == top) return true;
        if (AdvanceTop(*top)) {
            prepared_ = top;
            return true;
        }
    }
    return false;
}

std::vector<CallView> Interpreter::Calls(std::size_t limit) const {
    std::vector<CallView> calls;
    const VariableStore* store = CurrentVariableStore();
    if (!store) return calls;
    const FrameStack& frames = store->Frames();
    int frame = frames.Count();
    for (std::size_t k = threads_.Count(); k > 0 && calls.size() < limit && frame > 0; --k) {
        const LogoThread& thread = threads_.At(k - 1);
        if (thread.OwnsFrame())
            calls.push_back({thread.Procedure(), thread.BodyLine(), frames.Get(--frame)});
    }
    return calls;
}

const LogoThread* Interpreter::ShownThread() const {
    return currentThread_ ? currentThread_ : prepared_;
}

// A procedure call's frame goes on the variable stack when its first step
// runs. Memory running out halts the run like too deep a nesting; every
// context then unwinds and the frame stack empties with them.
bool Interpreter::PushPendingFrame(LogoThread& top) {
    std::unique_ptr<VariableFrame> frame = top.TakePendingFrame();
    if (!frame) return true;
    try {
        CurrentVariableStore()->Frames().Push(std::move(frame));
        top.FramePushed();
    } catch (const std::bad_alloc&) {
        Halt(StopReason::NestingLimit, NestingTooDeepId);
        return false;
    }
    return true;
}

void Interpreter::CountIdleIteration() {
    ++idleIterations_;
    if (lineLimit_ && linesRun_ + idleIterations_ > *lineLimit_)
        Halt(StopReason::LineLimit, MaximumLinesId);
    else if (deadline_ && now_() >= *deadline_)
        Halt(StopReason::TimeLimit, TimeLimitId);
}

// Shown before the line limit is checked, so that a run halted by the limit
// points at the line it did not run.
void Interpreter::ShowPosition(const LogoThread& top) {
    GlobalSettings& g = Globals();
    g.CurrentLineNumber = top.BodyLine();
    g.RunningProcedure = top.Procedure();
}

// The context stays where it is while its line runs: contexts pushed by the
// line go above it and the deque does not move it.
void Interpreter::RunLine(LogoThread& top) {
    ++linesRun_;
    currentThread_ = &top;
    bool ok = false;
    try {
        if (dispatcher_)
            ok = listener_ ? listener_->ExecuteLine(*dispatcher_, top.CurrentLine())
                           : dispatcher_->RunCommandLine(top.CurrentLine());
    } catch (const std::exception&) {
        ok = false;
    }
    currentThread_ = nullptr;
    top.LineDone(ok);
    const int waitMs = screen_.TakePendingWaitMs();
    if (waitMs > 0 && !Globals().AbortRequested)
        waitUntil_ = now_() + std::chrono::milliseconds(waitMs);
}

// A procedure call pops its frame and absorbs a stop: the stop has left the
// procedure, and its caller goes on.
void Interpreter::FinishTop() {
    LogoThread* top = threads_.Top();
    if (prepared_ == top) prepared_ = nullptr;
    const bool nested = top->Nested();
    const bool procedureScope = top->ProcedureScope();
    LogoThread* valueCaller = top->ValueCaller();
    if (top->OwnsFrame()) PopFrame();
    if (procedureScope) Globals().StopRequested = false;
    threads_.Pop();
    // A procedure's "output" goes to the line that called it for a value, if
    // any; the contexts between (lists its line started) stay untouched.
    if (procedureScope) {
        const std::optional<double> value = std::exchange(output_, std::nullopt);
        if (valueCaller) valueCaller->Answer(value);
    }
    const bool ended = threads_.Empty();
    if (listener_) listener_->ThreadFinished(ended);
    if (!nested || ended) SetRunActive(false);
    if (ended) EndRun();
}

// Nothing is left running, so no flag of this run may reach the next one.
void Interpreter::EndRun() {
    GlobalSettings& g = Globals();
    g.StopRequested = false;
    g.AbortRequested = false;
    g.RunningProcedure = -1;
    waitUntil_.reset();
}

void Interpreter::SetRunActive(bool active) {
    GlobalSettings& g = Globals();
    if (g.RunActive == active) return;
    g.RunActive = active;
    if (listener_) listener_->ThreadRunningChanged(active);
}

// The first reason wins and writes one error line; every context then ends
// after its current line.
void Interpreter::Halt(StopReason reason, int textId) {
    GlobalSettings& g = Globals();
    g.AbortRequested = true;
    waitUntil_.reset();
    if (stopReason_ != StopReason::None) return;
    stopReason_ = reason;
    g.LastErrorLine = g.CurrentLineNumber;
    if (ErrorList* list = CurrentErrorList()) list->AddErrorLine(GetLanguageString(textId));
}

bool Interpreter::StillWaiting() {
    if (!waitUntil_) return false;
    if (!Globals().AbortRequested && now_() < *waitUntil_) return true;
    waitUntil_.reset();
    return false;
}

bool Interpreter::RunFor(std::chrono::milliseconds budget) {
    const Clock::time_point end = now_() + budget;
    while (Busy()) {
        if (StillWaiting()) return true;
        Step();
        if (now_() >= end) break;
    }
    return Busy();
}

void Interpreter::RunToEnd(bool honourWaits) {
    while (Busy()) {
        if (waitUntil_ && honourWaits && !Globals().AbortRequested) {
            const Clock::time_point until =
                deadline_ ? std::min(*waitUntil_, *deadline_) : *waitUntil_;
            const Clock::duration left = until - now_();
            if (left > Clock::duration::zero()) std::this_thread::sleep_for(left);
        }
        waitUntil_.reset();
        Step();
    }
}

} // namespace mivarelo
