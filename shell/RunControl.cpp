#include "shell/RunControl.h"

#include "core/GlobalSettings.h"
#include "core/Notifier.h"
#include "engine/LogoEngine.h"
#include "shell/RunDriver.h"
#include "widgets/QtText.h"

#include <memory>
#include <utility>

namespace mivarelo {

RunControl::RunControl(LogoEngine& engine, RunDriver& driver, QObject* parent)
    : QObject(parent), engine_(engine), driver_(driver) {
    engine_.Runner().SetListener(this);
}

// A run still going is stopped and unwound before the listener goes.
RunControl::~RunControl() {
    if (engine_.Runner().Busy()) {
        engine_.Runner().RequestStop();
        engine_.Runner().RunToEnd(false);
    }
    engine_.Runner().SetListener(nullptr);
}

void RunControl::RunProcedure(int index) {
    engine_.StartRun(index);
    driver_.Start();
}

// The line runs as a procedure of its own that no body holds, so its
// errors point at no line of the editor; like the graphical mode's lines it
// runs at full speed, with no line of the editor to mark.
bool RunControl::RunText(const std::string& text) {
    GlobalSettings& g = Globals();
    if (g.Running || g.RunActive || engine_.Runner().Busy()) {
        Beep();
        return false;
    }
    g.StopRequested = false;
    g.AbortRequested = false;
    const LinePlace place{-1, 1, true};
    if (!engine_.Runner().StartThread(true, std::make_shared<const std::string>(text + '\n'),
                                      nullptr, false, 1, {}, {}, place))
        return false;
    textRun_ = true;
    driver_.StartAtFullSpeed();
    return true;
}

bool RunControl::RunAppended(const std::string& text) {
    if (!engine_.SetMainProcedureAndRun(text)) return false;
    driver_.StartAtFullSpeed();
    return true;
}

RefreshRequest RunControl::TakeRefresh() {
    return std::exchange(pendingRefresh_, RefreshRequest::None);
}

bool RunControl::ExecuteLine(LineDispatcher& dispatcher, std::string_view line) {
    const bool ok = dispatcher.RunCommandLine(line);
    const RefreshRequest request = engine_.Screen().TakeRefreshRequest();
    if (request > pendingRefresh_) pendingRefresh_ = request;
    return ok;
}

// Only the end of the last list ends the run.
void RunControl::ThreadFinished(bool runEnded) {
    if (!runEnded) return;
    runGoing_ = false;
    emit RunFinished(std::exchange(textRun_, false));
}

void RunControl::ThreadRunningChanged(bool running) {
    if (running && !runGoing_) {
        runGoing_ = true;
        emit RunBegan();
    }
    emit RunningChanged(running);
}

void RunControl::Print(std::string_view text) {
    emit Printed(ToQt(text));
}

} // namespace mivarelo
