#pragma once
// Texts that show values: labels and printed lines.
#include <string>
#include <string_view>

namespace mivarelo {

// `text` as written, except that each part in round brackets that reads as
// an expression of numbers, functions and variables that exist ("(x)",
// "(x * 2)", "(sqrt(2))") shows its value instead. A part naming anything
// else ("(cm)") keeps its brackets and words, so texts written before values
// could be shown read as they did.
std::string TextWithValues(std::string_view text);

// A value as a learner reads it: whole numbers without a point, others with
// up to 15 significant digits ("5", "3.33333333333333", "0.3").
std::string ShownValue(double value);

} // namespace mivarelo
