#include <benchmark/benchmark.h>

#include <vector>

#include "bench/CBenchStudy.h"

// A 20-value study of the first-order low-pass for the rectangle (10..1000 ms)
// as CBenchStudy runs it, against its floor: the same 20 noise-free runs and
// 20 registrar measurements done one by one on one bench of their own, as a
// student would do them by hand. Both start every measurement from the same
// seed (the request's NoiseSeed; SeedRandom before each measurement in the
// floor), so each value's measurement sees the same noise and takes the same
// number of batches in both: what is left between them is the study's own
// work, the theory of each value and its bookkeeping.

namespace {

constexpr std::uint32_t NoiseSeed = 2024;

CStudyRequest LowPassStudy() {
    CStudyRequest r;
    r.FilterItem = fiLowBand1;
    r.SignalItem = siRectangle;
    r.From = 10;
    r.To = 1000;
    r.Points = 20;
    r.NoiseSeed = NoiseSeed;
    return r;
}

// The batches each value's measurement takes in the study, once.
std::vector<int> StudyBatches() {
    CBenchStudy study(LowPassStudy());
    study.Run();
    std::vector<int> batches;
    for (const CStudyPoint& p : study.Points()) {
        batches.push_back(p.Measured.Batches);
    }
    return batches;
}

void BM_Study(benchmark::State& state) {
    long batches = 0;
    for (auto _ : state) {
        CBenchStudy study(LowPassStudy());
        study.Run();
        for (const CStudyPoint& p : study.Points()) {
            batches += p.Measured.Batches;
        }
        benchmark::DoNotOptimize(study.Points().back().Theory.Figures.Efficiency);
    }
    state.counters["batches"] = benchmark::Counter(static_cast<double>(batches),
                                                   benchmark::Counter::kAvgIterations);
}

void BM_StudyFloor(benchmark::State& state) {
    const CStudyRequest request = LowPassStudy();
    const std::vector<double> values = StudyValues(request);
    const std::vector<int> expected = StudyBatches();
    long batches = 0;
    for (auto _ : state) {
        CBench bench;
        std::vector<double> input(RunSamples), output(RunSamples);
        double sum = 0.0;
        for (std::size_t i = 0; i < values.size(); ++i) {
            CBenchSetup setup = StudySetup(request, values[i]);
            const CBenchRun run =
                bench.ComputeRun(FixedSource(setup), {input.data(), output.data()});
            setup.SignalItem = siOff;
            setup.NoiseItem = niOn;
            SeedRandom(NoiseSeed);
            const CMeasurement m = bench.Measure(FixedSource(setup));
            if (m.Batches != expected[i]) {
                state.SkipWithError("a measurement took other batches than the study's");
            }
            batches += m.Batches;
            sum += run.Peak.Value + m.RegistrarValue;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["batches"] = benchmark::Counter(static_cast<double>(batches),
                                                   benchmark::Counter::kAvgIterations);
}

// The study's parts apart: its theory alone for the 20 values, on benches
// kept as the study keeps them, and a study's construction.
void BM_StudyTheory(benchmark::State& state) {
    const CStudyRequest request = LowPassStudy();
    const std::vector<double> values = StudyValues(request);
    for (auto _ : state) {
        CTheoryBench theory;
        double sum = 0.0;
        for (double v : values) {
            sum += *theory.Theory(StudySetup(request, v)).Figures.Efficiency;
        }
        benchmark::DoNotOptimize(sum);
    }
}

void BM_StudyConstruction(benchmark::State& state) {
    for (auto _ : state) {
        CBenchStudy study(LowPassStudy());
        benchmark::DoNotOptimize(study.Values().data());
    }
}

} // namespace

BENCHMARK(BM_StudyFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Study)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StudyTheory)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StudyConstruction)->Unit(benchmark::kMicrosecond);
