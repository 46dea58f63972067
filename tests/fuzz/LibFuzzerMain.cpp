// The libFuzzer entry of a fuzz target. Every input is held to its cost
// budget; the environment is prepared first, so that the one-time set-up is
// not counted against the first input.
#include "CostBudget.h"
#include "FuzzEnvironment.h"
#include "FuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    mivarelo::fuzz::FuzzEnvironment::Prepare();
    const mivarelo::fuzz::CostBudget budget(size);
    const int result = FuzzOne(data, size);
    budget.Check();
    return result;
}
