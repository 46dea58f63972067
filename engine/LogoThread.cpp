#include "engine/LogoThread.h"

#include "core/GlobalSettings.h"
#include "core/Numbers.h"
#include "core/VariableStore.h"

namespace mivarelo {

namespace {

bool Halted() {
    const GlobalSettings& g = Globals();
    return g.AbortRequested || g.StopRequested;
}

// A line runs unless it is empty, or a comment (from the first apostrophe
// on) leaves nothing of it, or its first non-blank character is ';'.
bool Runnable(std::string_view line) {
    if (line.empty()) return false;
    const std::size_t first = line.find_first_not_of(' ');
    return first == std::string_view::npos || line[first] != ';';
}

} // namespace

LogoThread::LogoThread(SharedText owner, std::string_view list, int repeatCount,
                       std::unique_ptr<LoopElement> loop, bool nested, LinePlace place,
                       int normalizedLevels)
    : list_(std::move(owner)), text_(list.data() || !list_ ? list : std::string_view(*list_)),
      loop_(std::move(loop)), place_(place), repeatCount_(repeatCount),
      normalizedLevels_(normalizedLevels), nested_(nested) {}

void LogoThread::OpenScope(std::unique_ptr<VariableFrame> frame) {
    procedureScope_ = true;
    pendingFrame_ = std::move(frame);
}

LogoThread::Advance LogoThread::NextLine() {
    for (;;) {
        switch (phase_) {
        case Phase::Start: Begin(); break;
        case Phase::Iteration: BeginIteration(); break;
        case Phase::Lines: {
            const Advance a = ReadLine();
            if (a != Advance::Pending) return a;
            if (phase_ == Phase::Iteration) return Advance::Pending;
            break;
        }
        case Phase::AfterLine:
            if (Halted() || (!lastLineOk_ && Globals().StopAtErrors)) return Finish();
            phase_ = Phase::Lines;
            break;
        case Phase::Finished: return Advance::Finished;
        }
    }
}

// The initialisation runs before the first test, so that a "for" loop starts
// from its own initial value even when the variable is left over from an
// earlier run.
void LogoThread::Begin() {
    if (text_.empty()) {
        phase_ = Phase::Finished;
        return;
    }
    continueLoop_ = true;
    if (loop_) {
        loop_->RunInit();
        continueLoop_ = !loop_->TestFirst || loop_->CheckLoop();
    }
    iteration_ = 0;
    phase_ = Phase::Iteration;
}

// A list text starting with '#' marks a procedure scope: a stop ends here.
void LogoThread::BeginIteration() {
    const bool more = loop_ || iteration_ < repeatCount_;
    if (Halted() || !more || !continueLoop_) {
        phase_ = Phase::Finished;
        return;
    }
    const auto counter = static_cast<float>(iteration_ + 1);
    SetVariables({RepeatCounterNames[0], RepeatCounterNames[1]}, counter);
    cursor_ = 0;
    if (!text_.empty() && text_.front() == '#') {
        procedureScope_ = true;
        cursor_ = 1;
    }
    executedLines_ = 0;
    lineNumber_ = 0;
    phase_ = Phase::Lines;
}

LogoThread::Advance LogoThread::EndIteration() {
    if (loop_) {
        continueLoop_ = loop_->CheckLoop();
        loop_->RunStep();
    } else {
        continueLoop_ = true;
    }
    ++iteration_;
    phase_ = Phase::Iteration;
    return Advance::Pending;
}

// Takes the next line off the list; Pending when it is skipped.
LogoThread::Advance LogoThread::ReadLine() {
    if (Halted()) return Finish();
    const std::string_view text = text_;
    if (cursor_ >= text.size()) return EndIteration();
    const std::size_t feed = oneLine_ ? std::string_view::npos : text.find('\n', cursor_);
    const std::size_t end = feed == std::string_view::npos ? text.size() : feed;
    std::string_view line = text.substr(cursor_, end - cursor_);
    cursor_ = end == text.size() ? end : end + 1;
    ++lineNumber_;
    if (!oneLine_) line = line.substr(0, line.find('\''));
    if (!Runnable(line)) return Advance::Pending;
    currentLine_ = line;
    ++executedLines_;
    lastLineOk_ = true;
    phase_ = Phase::AfterLine;
    return Advance::Line;
}

void LogoThread::AwaitValue(std::string rest, std::size_t callStart, std::size_t callEnd,
                            std::string callee) {
    resumeLine_ = std::move(rest);
    callStart_ = callStart;
    callEnd_ = callEnd;
    callee_ = std::move(callee);
    answer_.reset();
    awaiting_ = true;
}

// The value goes in with every digit and in parentheses, so that a sign
// stays its own: "10 - f(2)" with -3 reads "10 - (-3)".
bool LogoThread::Resume(std::string& callee) {
    awaiting_ = false;
    if (!answer_) {
        callee = std::move(callee_);
        resumeLine_.clear();
        return false;
    }
    // The value goes in as its digits. A negative one is bracketed only
    // before a '^', which binds tighter than its sign: elsewhere a bracket
    // would change how a condition that begins with the call is read (up
    // to its first ')').
    char buffer[FloatTextRoom];
    std::string value(DoubleText(*answer_, buffer));
    const std::size_t next = resumeLine_.find_first_not_of(' ', callEnd_);
    if (*answer_ < 0 && next != std::string::npos && resumeLine_[next] == '^')
        value = "(" + value + ")";
    resumeLine_.replace(callStart_, callEnd_ - callStart_, value);
    currentLine_ = resumeLine_;
    return true;
}

LogoThread::Advance LogoThread::Finish() {
    phase_ = Phase::Finished;
    return Advance::Finished;
}

} // namespace mivarelo
