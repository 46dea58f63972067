#pragma once
// The entry point every fuzz target defines. The same function is driven by
// libFuzzer in the fuzzing build and by the replay program in the normal
// build, which feeds it the committed corpus and the regression inputs.
#include <cstddef>
#include <cstdint>

int FuzzOne(const std::uint8_t* data, std::size_t size);
