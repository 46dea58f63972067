#include "engine/Random.h"

namespace mivarelo {

// A 64-bit linear congruential step (Knuth's MMIX constants) whose high bits
// are mixed by an xorshift and a multiply before the top 31 bits are taken;
// the low bits of a plain power-of-two LCG repeat too quickly.
std::int32_t Random::Next() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    std::uint64_t mixed = state_ ^ (state_ >> 29);
    mixed *= 0xBF58476D1CE4E5B9ULL;
    mixed ^= mixed >> 32;
    return static_cast<std::int32_t>(mixed >> 33);
}

Random& SharedRandom() {
    static Random generator;
    return generator;
}

} // namespace mivarelo
