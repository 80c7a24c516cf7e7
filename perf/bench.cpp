#include <benchmark/benchmark.h>

#include <cstdint>

#include "bench/CNoiseGenerator.h"

// The floor of a noise sample: 24 steps of the same 64-bit generator, bare.
static void BM_Bare24Steps(benchmark::State& state) {
    std::uint64_t s = 12345;
    for (auto _ : state) {
        std::uint32_t acc = 0;
        for (int k = 0; k < 24; ++k) {
            s = s * 0x0000015A00004E35ULL + 1;
            acc += static_cast<std::uint32_t>((s >> 32) & 0x7FFFFFFF);
        }
        benchmark::DoNotOptimize(acc);
    }
}
BENCHMARK(BM_Bare24Steps);

static void BM_NoiseNextSample(benchmark::State& state) {
    SeedRandom(12345);
    CNoiseGenerator noise;
    for (auto _ : state) {
        benchmark::DoNotOptimize(noise.NextSample());
    }
}
BENCHMARK(BM_NoiseNextSample);

#include <cmath>

#include "bench/CBench.h"

// One pass of the bench (7500 samples, noise on) through each of the five filters.
static void BM_BenchRun(benchmark::State& state) {
    SeedRandom(1);
    CBench bench;
    SignalGenerator.Kind = skRectangle;
    CBenchControls controls;
    controls.SignalItem = siRectangle;
    controls.NoiseItem = niOn;
    controls.FilterItem = static_cast<int>(state.range(0));
    for (auto _ : state) {
        bench.ComputeRun(controls);
        benchmark::DoNotOptimize(OutputSamples[RunSamples - 1]);
    }
}
BENCHMARK(BM_BenchRun)->DenseRange(fiMaf, fiChebishev)->Unit(benchmark::kMicrosecond);

// Baseline of the worst measurement: the 30 million noise samples alone.
static void BM_Noise30Million(benchmark::State& state) {
    SeedRandom(1);
    for (auto _ : state) {
        double sum = 0;
        for (int k = 0; k < MeasureMaxBatches * MeasureBatchLength; ++k) {
            sum += NoiseGenerator.NextSample();
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_Noise30Million)->Unit(benchmark::kMillisecond)->Iterations(3);

namespace {
// The bench's moving-sum filter with an output that keeps growing, so that the
// registrar never settles and runs all 10000 batches.
struct NeverSettling {
    CMAF maf;
    double level = 1.0;
    double Filtrate(double x) {
        level *= 1.0000083;
        return maf.Filtrate(x) * level;
    }
};
} // namespace

static void BM_MeasureWorstCase(benchmark::State& state) {
    SeedRandom(1);
    for (auto _ : state) {
        NeverSettling filter;
        filter.maf.SetOrder(PulseLength - 1);
        filter.maf.SetGain(1.0);
        const CMeasurement m = MeasureNoisePower(filter);
        if (m.Batches != MeasureMaxBatches) {
            state.SkipWithError("the measurement settled early");
        }
        benchmark::DoNotOptimize(m.RegistrarValue);
    }
}
BENCHMARK(BM_MeasureWorstCase)->Unit(benchmark::kMillisecond)->Iterations(3);
