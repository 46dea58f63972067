#pragma once
// The random numbers of the "random" function. The generator is never seeded:
// every program start yields the same sequence, independent of the C library.
#include <cstdint>

namespace mivarelo {

class Random {
public:
    // A non-negative 31-bit value.
    std::int32_t Next();

private:
    std::uint64_t state_ = 0x853C49E6748FEA9BULL;
};

// The generator shared by every evaluation in the process.
Random& SharedRandom();

} // namespace mivarelo
