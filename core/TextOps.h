#pragma once
// Two text helpers shared by conditions, assignments and the main window.
#include <string>
#include <string_view>

namespace mivarelo {

// Splits at the first occurrence of op's first character, which must be
// followed by the rest of op. Fails for an empty op or text, and for an empty
// right part. Blanks stay part of both sides.
bool SplitAtOperator(std::string_view text, std::string_view op, std::string& left,
                     std::string& right);
// Replaces every non-overlapping occurrence, left to right. True when at
// least one was replaced.
bool ReplaceAll(std::string& text, std::string_view search, std::string_view replacement);

} // namespace mivarelo
