#include "engine/LogoEngine.h"

#include "core/GlobalSettings.h"
#include "core/LanguageIds.h"
#include "core/LanguageModule.h"
#include "engine/Evaluator.h"

#include <algorithm>
#include <memory>

namespace mivarelo {

LogoEngine::LogoEngine() : interpreter_(screen_), dispatcher_(screen_, interpreter_) {
    previousStore_ = SetVariableStore(&variables_);
    variables_.AttachScreen(&screen_);
    InstallEvaluator();
    interpreter_.SetDispatcher(&dispatcher_);
}

// A run still in progress is stopped and unwound (without telling a listener
// that may be gone), so that the run flags are those of an ended run.
LogoEngine::~LogoEngine() {
    interpreter_.SetListener(nullptr);
    if (interpreter_.Busy()) {
        interpreter_.RequestStop();
        interpreter_.RunToEnd(false);
    }
    if (CurrentVariableStore() == &variables_) SetVariableStore(previousStore_);
}

void LogoEngine::NewProgram() {
    const std::string name = GetLanguageString(MainProcedureNameId);
    if (!name.empty()) Globals().MainProcedureName = name;
    ProcedureStore& store = screen_.Procedures();
    store.ClearAll();
    store.AddProcedure(Globals().MainProcedureName, std::string());
}

bool LogoEngine::StartRun(int index) {
    GlobalSettings& g = Globals();
    g.StopRequested = false;
    g.AbortRequested = false;
    g.LastErrorLine = 0;
    return interpreter_.RunProcedure(index, {}, false, 1);
}

// The text's first line lands on the line after the body's last line feed
// (glued to an unfinished last line), so counting the feeds numbers it.
bool LogoEngine::SetMainProcedureAndRun(const std::string& text) {
    ProcedureStore& store = screen_.Procedures();
    const LinePlace place{0, static_cast<int>(std::ranges::count(store.GetBody(0), '\n')) + 1,
                          true};
    store.AppendToBody(0, text);
    return interpreter_.StartThread(true, std::make_shared<const std::string>(text), nullptr, false,
                                    1, {}, {}, place);
}

} // namespace mivarelo
