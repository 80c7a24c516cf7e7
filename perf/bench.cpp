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
