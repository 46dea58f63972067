#include "core/GlobalSettings.h"

namespace mivarelo {

namespace {
GlobalSettings settings;
}

GlobalSettings& Globals() { return settings; }

void ResetGlobals() { settings = GlobalSettings(); }

} // namespace mivarelo
