#pragma once
// What mivarelo-run prints after a run: the final state as one JSON object,
// and expression values with six decimals, both independent of the locale.
#include "core/VariableStore.h"
#include "engine/PaintedArea.h"
#include "engine/TurtleState.h"

#include <string>
#include <vector>

namespace mivarelo {

// Texts given in Windows-1254 appear in UTF-8. `errors` are the error-list
// lines in order.
std::string StateJson(const TurtleState& state, int testResult, const VariableFrame& globals,
                      const std::vector<std::string>& errors, const PaintedArea& painted);
// A JSON string literal of a UTF-8 text.
std::string JsonString(const std::string& utf8);
// "%.6f" with a '.' whatever the locale.
std::string SixDecimals(double value);

} // namespace mivarelo
