#pragma once
// What every fuzz target needs once per process: a QGuiApplication on the
// offscreen platform (the engine draws with QtGui), the interface texts,
// silent error and message sinks, and a scratch folder for file round trips.
// Helpers for the targets' own checks live here too.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace mivarelo::fuzz {

class FuzzEnvironment {
public:
    // Sets everything up on the first call; later calls only reset the
    // process-wide settings, so that no input sees what an earlier one left.
    static void Prepare();
    // A path inside the process's scratch folder.
    static std::string ScratchPath(std::string_view name);
};

// The input as text bytes.
std::string InputText(const std::uint8_t* data, std::size_t size);

// Stops the process with `what` on standard error when `holds` is false, so
// that libFuzzer keeps the input as a finding.
void Require(bool holds, std::string_view what);

} // namespace mivarelo::fuzz
