#include <benchmark/benchmark.h>

#include "filters/Mathlib.h"

// Filled in with the filter library.
static void BM_Db(benchmark::State& state) {
    double x = 0.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Db(x));
    }
}
BENCHMARK(BM_Db);
