#include <benchmark/benchmark.h>

#include "bench/BenchSetup.h"
#include "filters/CChebishevFilter.h"
#include "filters/Digitalfilter.h"

// Per-sample cost of the bench filters. The moving sums are run at windows 2
// and 100 in the same run: their cost must not depend on the window.

namespace {

// A cheap varying input, so that the filters cannot be folded away.
inline double NextInput(double& x) {
    x = x * 0.999 + 0.5;
    return x - 250.0;
}

template <class Filter> void RunMovingSum(benchmark::State& state) {
    Filter f;
    f.SetOrder(static_cast<int>(state.range(0)));
    f.Reset();
    double x = 0.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.Filtrate(NextInput(x)));
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_CMAF(benchmark::State& state) {
    RunMovingSum<CMAF>(state);
}
void BM_CMAFNotIdeal(benchmark::State& state) {
    RunMovingSum<CMAFNotIdeal>(state);
}
void BM_CMeandrFilter(benchmark::State& state) {
    RunMovingSum<CMeandrFilter>(state);
}

void BM_CLowBandFilter1(benchmark::State& state) {
    CLowBandFilter1 f;
    f.SetTimeConstant(100.0);
    f.SetGain(1.0 - f.GetFeedback());
    double x = 0.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.Filtrate(NextInput(x)));
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_ChebishevFiltrate(benchmark::State& state) {
    CChebishevFilter f;
    DesignBenchChebishev(f);
    f.Reset();
    double x = 0.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.Filtrate(NextInput(x)));
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_ChebishevDesignOrder60(benchmark::State& state) {
    CChebishevFilter f;
    f.SetAutoOrder(false);
    f.SetOrder(60);
    f.SetCyclicBandEdge(ChebishevBandEdge);
    for (auto _ : state) {
        f.Design();
        benchmark::DoNotOptimize(f.GetLastCascade());
    }
}

} // namespace

BENCHMARK(BM_CMAF)->Arg(2)->Arg(100);
BENCHMARK(BM_CMAFNotIdeal)->Arg(2)->Arg(100);
BENCHMARK(BM_CMeandrFilter)->Arg(2)->Arg(100);
BENCHMARK(BM_CLowBandFilter1);
BENCHMARK(BM_ChebishevFiltrate);
BENCHMARK(BM_ChebishevDesignOrder60);
