#pragma once
// The cost one input may have, in proportion to its size: what a load, an
// import or a run costs must follow the size of what it was given, never
// the square of its nesting or the length of a line. Time is measured on
// every build; the heap's peak where a sanitizer counts every allocation
// (the fuzzing build and the sanitized replays). A run's own creations (a
// picture, a drawing list) stay small under the targets' line budget, so
// they fit in the constant part.
#include <chrono>
#include <cstddef>
#include <cstdint>

namespace mivarelo::fuzz {

class CostBudget {
public:
    // The sanitizers and coverage counters make the code ten to fifty times
    // slower than a release build; these bounds hold for that build, on a
    // loaded machine, with room to spare.
    static constexpr double BaseMs = 400;
    static constexpr double MsPerKilobyte = 100;
    static constexpr std::size_t BaseBytes = 16u << 20;
    static constexpr std::size_t BytesPerInputByte = 20;

    explicit CostBudget(std::size_t inputSize);
    // Stop the process (a finding) when the input cost more than its
    // budget: in time and heap, in time only, in heap only. The heap's peak
    // does not depend on the machine's load, the time does.
    void Check() const;
    void CheckTime() const;
    void CheckHeap() const;

private:
    double LimitMs() const;
    std::size_t LimitBytes() const;

    std::size_t inputSize_;
    std::int64_t startBytes_;
    std::chrono::steady_clock::time_point start_;
};

} // namespace mivarelo::fuzz
