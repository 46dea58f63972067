// The same expressions as the evaluator benchmarks, analysed once and then
// evaluated from their programs, as the loops of a run evaluate them.
#include "core/VariableStore.h"
#include "engine/ExpressionProgram.h"

#include <benchmark/benchmark.h>

#include <string_view>

namespace {

class ProgramStore {
public:
    ProgramStore() {
        previous_ = mivarelo::SetVariableStore(&store_);
        for (const char* name : {"b", "size", "angle", "a", "repcount"})
            store_.SetVariable(name, 7.0f);
        store_.PushFrame("25", ":len");
    }
    ~ProgramStore() { mivarelo::SetVariableStore(previous_); }

private:
    mivarelo::VariableStore store_;
    mivarelo::VariableStore* previous_ = nullptr;
};

void EvaluateProgram(benchmark::State& state, std::string_view expression) {
    ProgramStore variables;
    const mivarelo::ExpressionProgram program(expression);
    for (auto _ : state)
        benchmark::DoNotOptimize(program.Evaluate());
}

void BM_ProgramArithmetic(benchmark::State& state) {
    EvaluateProgram(state, ":a * 2 + 10");
}
void BM_ProgramFunction(benchmark::State& state) {
    EvaluateProgram(state, "sin 30");
}
void BM_ProgramVariable(benchmark::State& state) {
    EvaluateProgram(state, "repcount");
}
void BM_ProgramAnalysis(benchmark::State& state) {
    ProgramStore variables;
    for (auto _ : state)
        benchmark::DoNotOptimize(mivarelo::ExpressionProgram(":a * 2 + 10"));
}

BENCHMARK(BM_ProgramArithmetic);
BENCHMARK(BM_ProgramFunction);
BENCHMARK(BM_ProgramVariable);
BENCHMARK(BM_ProgramAnalysis);

} // namespace
