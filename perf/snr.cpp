#include <benchmark/benchmark.h>

#include <cmath>

#include "bench/CBench.h"
#include "bench/FilterTheory.h"

// The theory of a filter over 200 values of its parameter, spaced evenly on a
// logarithmic scale across its field's range, for the rectangular impulse:
// what a study of one filter asks for. The baseline is one pass of the bench
// through the same filter (7500 samples), so the figure reads as "a sweep
// costs as much as so many presses of Start".

namespace {

constexpr int SweepValues = 200;

CBenchSetup SweepSetup(int filter, int i) {
    CBenchSetup s;
    s.FilterItem = filter;
    s.SignalItem = siRectangle;
    const int p = ParameterOfFilter(filter);
    if (p != NoBenchParameter) {
        const CBenchParameter& field = BenchParameters[p];
        s.Values[p] = field.Min * std::pow(field.Max / field.Min, i / (SweepValues - 1.0));
    }
    return s;
}

void BM_TheorySweep(benchmark::State& state) {
    const int filter = static_cast<int>(state.range(0));
    CTheoryBench bench;
    for (auto _ : state) {
        double sum = 0.0;
        for (int i = 0; i < SweepValues; ++i) {
            sum += *bench.Theory(SweepSetup(filter, i)).Figures.Efficiency;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * SweepValues);
}

// The same without keeping the benches: every value builds and designs its
// own, as FilterTheory does.
void BM_TheorySweepFreshBenches(benchmark::State& state) {
    const int filter = static_cast<int>(state.range(0));
    for (auto _ : state) {
        double sum = 0.0;
        for (int i = 0; i < SweepValues; ++i) {
            sum += *FilterTheory(SweepSetup(filter, i)).Figures.Efficiency;
        }
        benchmark::DoNotOptimize(sum);
    }
}

// Baseline: one bench pass, prepared as a run prepares it.
void BM_BenchPass(benchmark::State& state) {
    const int filter = static_cast<int>(state.range(0));
    CBench bench;
    const CSetupSource controls = FixedSource(SweepSetup(filter, SweepValues / 2));
    for (auto _ : state) {
        bench.PrepareFilters(controls);
        double y = 0.0;
        for (int k = 0; k < RunSamples; ++k) {
            y += bench.Filtrate(filter, k >= PreRollLength && k < PreRollLength + PulseLength);
        }
        benchmark::DoNotOptimize(y);
    }
}

// The whole response, as the registrar's error bound needs it: the
// flat-passband low-pass at its narrowest and at the bench's 50 Hz.
void BM_ChebyshevImpulseResponse(benchmark::State& state) {
    CBenchSetup s;
    s.FilterItem = fiChebishev;
    s.Values[bpCutOff] = static_cast<double>(state.range(0));
    CTheoryBench bench;
    for (auto _ : state) {
        benchmark::DoNotOptimize(bench.ImpulseResponse(s).Energy);
    }
}

} // namespace

BENCHMARK(BM_TheorySweep)->DenseRange(fiMaf, fiChebishev)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TheorySweepFreshBenches)
    ->Arg(fiMafNotIdeal)
    ->Arg(fiChebishev)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BenchPass)->DenseRange(fiMaf, fiChebishev)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ChebyshevImpulseResponse)->Arg(1)->Arg(50)->Unit(benchmark::kMillisecond);
