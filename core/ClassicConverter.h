#pragma once
// Converts a classic Logo program (Berkeley style: "to ... end", inputs
// separated by blanks, "make", "setxy", "ifelse", headings with 0 pointing
// up) into this system's own language, written in English long commands.
//
// The result keeps what the classic program means:
// - each command takes its known number of inputs, read with infix
//   arithmetic, parentheses and negative numbers, and the inputs of a
//   procedure call are separated by commas;
// - positions and headings are turned from the classic frame (origin at the
//   start point, y up, heading 0 up) into the picture frame (start pixel,
//   y down, heading 0 right);
// - the written order holds: a procedure call and a command that runs a list
//   run after the rest of their line here, so each command of a procedure
//   body stands on a line of its own, and a bracketed list in which such a
//   command is followed by more commands moves into a generated helper
//   procedure;
// - top-level lines become the main procedure, which starts with a fresh
//   turtle facing up.
// Whatever cannot be carried over is listed in the report.
#include "core/ConversionReport.h"

#include <string>
#include <string_view>
#include <vector>

namespace mivarelo {

struct ConvertedProcedure {
    std::string header; // name, then " :input" per input
    std::string body;   // lines, each ending in a line feed
};

class ClassicConverter {
public:
    // `mainName` is the header of the main procedure (procedure 0).
    explicit ClassicConverter(std::string mainName) : mainName_(std::move(mainName)) {}

    // `text` is Windows-1254 with line feeds. The main procedure comes
    // first, then the file's procedures in their order, then the helpers.
    std::vector<ConvertedProcedure> Convert(std::string_view text, ConversionReport& report) const;

private:
    std::string mainName_;
};

} // namespace mivarelo
