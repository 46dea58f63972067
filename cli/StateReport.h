#pragma once
// What mivarelo-run prints after a run: the final state as one JSON object,
// and expression values with six decimals, both independent of the locale.
#include "core/ProcedureStore.h"
#include "core/VariableStore.h"
#include "engine/PaintedArea.h"
#include "engine/TurtleState.h"

#include <string>
#include <vector>

namespace mivarelo {

// How a run ended early: "line budget", "time limit", "nesting"; empty
// when it ran to its end.
struct RunSummary {
    int testResult = 0;
    std::string stopped;
};

// Texts given in Windows-1254 appear in UTF-8. `errors` are the error-list
// lines in order; the program gives its number of procedures and lines.
std::string StateJson(const TurtleState& state, const RunSummary& run, const VariableFrame& globals,
                      const std::vector<std::string>& errors, const PaintedArea& painted,
                      const ProcedureStore& program);
// A JSON string literal of a UTF-8 text.
std::string JsonString(const std::string& utf8);
// "%.6f" with a '.' whatever the locale.
std::string SixDecimals(double value);

} // namespace mivarelo
