// Normalizing one typical program line: a repeat with a nested list followed
// by two plain commands, looked up against a store with a few procedures.
#include "core/GlobalSettings.h"
#include "core/LineParser.h"
#include "core/ProcedureStore.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void BM_NormalizeLine(benchmark::State& state) {
    mivarelo::ResetGlobals();
    mivarelo::ProcedureStore store;
    store.AddProcedure("AnaEkran", "");
    store.AddProcedure("kare :a", "tekrar 4 [ileri :a sag 90]\n");
    store.AddProcedure("ucgen :b", "tekrar 3 [ileri :b sag 120]\n");
    const std::string line = "tekrar 4 [ileri 10 sag 90] ileri 50 sol 30";
    for (auto _ : state)
        benchmark::DoNotOptimize(mivarelo::NormalizeLine(line, &store));
}
BENCHMARK(BM_NormalizeLine);

} // namespace
