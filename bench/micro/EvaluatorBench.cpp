// Evaluating typical command arguments: arithmetic on a variable, a function
// call and a lone loop-counter variable, with a handful of globals defined.
#include "core/VariableStore.h"
#include "engine/Evaluator.h"

#include <benchmark/benchmark.h>

#include <string_view>

namespace {

class StoreWithVariables {
public:
    StoreWithVariables() {
        previous_ = mivarelo::SetVariableStore(&store_);
        for (const char* name : {"b", "size", "angle", "a", "repcount"})
            store_.SetVariable(name, 7.0f);
        store_.PushFrame("25", ":len");
    }
    ~StoreWithVariables() { mivarelo::SetVariableStore(previous_); }

private:
    mivarelo::VariableStore store_;
    mivarelo::VariableStore* previous_ = nullptr;
};

void Evaluate(benchmark::State& state, std::string_view expression) {
    StoreWithVariables variables;
    for (auto _ : state)
        benchmark::DoNotOptimize(mivarelo::evaluate(expression));
}

void BM_EvaluateArithmetic(benchmark::State& state) {
    Evaluate(state, ":a * 2 + 10");
}
void BM_EvaluateFunction(benchmark::State& state) {
    Evaluate(state, "sin 30");
}
void BM_EvaluateVariable(benchmark::State& state) {
    Evaluate(state, "repcount");
}
void BM_EvaluateNumber(benchmark::State& state) {
    Evaluate(state, "100");
}

BENCHMARK(BM_EvaluateArithmetic);
BENCHMARK(BM_EvaluateFunction);
BENCHMARK(BM_EvaluateVariable);
BENCHMARK(BM_EvaluateNumber);

} // namespace
