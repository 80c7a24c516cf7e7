#include <benchmark/benchmark.h>

#include <cmath>
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

namespace {
// The noise sample as it was first written: one serial chain of 24 steps.
// Kept as the reference that the generator's speed is compared with.
struct SerialNoise {
    std::uint64_t State = 0;
    double Amplitude = 1.0;
    double NextSample() {
        std::uint64_t s = State;
        double sum = 0.0;
        for (int k = 0; k < 24; ++k) {
            s = s * 0x0000015A00004E35ULL + 1;
            const std::int32_t r = static_cast<std::int32_t>((s >> 32) & 0x7FFFFFFF);
            const double u = static_cast<double>(r % 100000) * 0.00001;
            sum += u - 0.5;
        }
        State = s;
        return Amplitude * sum / std::sqrt(2.0);
    }
};
} // namespace

static void BM_NoiseNextSampleSerial(benchmark::State& state) {
    SeedRandom(12345);
    SerialNoise noise;
    noise.State = GetRandomState();
    for (auto _ : state) {
        benchmark::DoNotOptimize(noise.NextSample());
    }
}
BENCHMARK(BM_NoiseNextSampleSerial);

static void BM_NoiseNextSample(benchmark::State& state) {
    SeedRandom(12345);
    CNoiseGenerator noise;
    for (auto _ : state) {
        benchmark::DoNotOptimize(noise.NextSample());
    }
}
BENCHMARK(BM_NoiseNextSample);

#include "bench/CBench.h"

// One pass of the bench (7500 samples, noise on) through each of the five filters.
static void BM_BenchRun(benchmark::State& state) {
    SeedRandom(1);
    CBench bench;
    CSetupSource source;
    source.SignalItem = siRectangle;
    source.NoiseItem = niOn;
    source.FilterItem = static_cast<int>(state.range(0));
    std::vector<double> input(RunSamples), output(RunSamples);
    for (auto _ : state) {
        const CBenchRun run = bench.ComputeRun(source, {input.data(), output.data()});
        benchmark::DoNotOptimize(run.Output[RunSamples - 1]);
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

// The worst measurement, all 10000 batches, with the bench's generator and
// with the serial reference: their ratio is what the generator gains there.
template <class Noise> void MeasureWorstCase(benchmark::State& state, Noise& noise) {
    for (auto _ : state) {
        NeverSettling filter;
        filter.maf.SetOrder(PulseLength - 1);
        filter.maf.SetGain(1.0);
        const CMeasurement m = MeasureNoisePower(filter, noise);
        if (m.Batches != MeasureMaxBatches) {
            state.SkipWithError("the measurement settled early");
        }
        benchmark::DoNotOptimize(m.RegistrarValue);
    }
}

static void BM_MeasureWorstCase(benchmark::State& state) {
    SeedRandom(1);
    MeasureWorstCase(state, NoiseGenerator);
}
BENCHMARK(BM_MeasureWorstCase)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_MeasureWorstCaseSerialNoise(benchmark::State& state) {
    SeedRandom(1);
    SerialNoise noise;
    noise.State = GetRandomState();
    MeasureWorstCase(state, noise);
}
BENCHMARK(BM_MeasureWorstCaseSerialNoise)->Unit(benchmark::kMillisecond)->Iterations(3);

#include <cstdio>
#include <sstream>
#include <vector>

#include "cli/BenchCommandLine.h"

namespace {
// A run with noise, so that the CSV holds numbers of every length; its
// samples stay in these buffers.
std::vector<double> InputOfRun(RunSamples), OutputOfRun(RunSamples);
CBenchRun NoisyRun() {
    SeedRandom(3);
    CBench bench;
    CSetupSource source;
    source.SignalItem = siRectangle;
    source.NoiseItem = niOn;
    source.FilterItem = fiChebishev;
    return bench.ComputeRun(source, {InputOfRun.data(), OutputOfRun.data()});
}
} // namespace

// The 15000 numbers of a run's CSV, as printf's "%.17g" and as the command
// line writes them now (the same bytes).
static void BM_CsvNumbersSnprintf(benchmark::State& state) {
    const CBenchRun run = NoisyRun();
    char buffer[40];
    for (auto _ : state) {
        int length = 0;
        for (int k = 0; k < RunSamples; ++k) {
            length += std::snprintf(buffer, sizeof buffer, "%.17g", run.Input[k]);
            length += std::snprintf(buffer, sizeof buffer, "%.17g", run.Output[k]);
        }
        benchmark::DoNotOptimize(length);
    }
}
BENCHMARK(BM_CsvNumbersSnprintf)->Unit(benchmark::kMicrosecond);

static void BM_CsvNumbersToChars(benchmark::State& state) {
    const CBenchRun run = NoisyRun();
    char buffer[40];
    char* const end = buffer + sizeof buffer;
    for (auto _ : state) {
        long length = 0;
        for (int k = 0; k < RunSamples; ++k) {
            length += FormatCsvNumber(buffer, end, run.Input[k]) - buffer;
            length += FormatCsvNumber(buffer, end, run.Output[k]) - buffer;
        }
        benchmark::DoNotOptimize(length);
    }
}
BENCHMARK(BM_CsvNumbersToChars)->Unit(benchmark::kMicrosecond);

// The whole CSV of a run into memory, the former way (snprintf, one stream
// insertion per field) and the command line's.
static void BM_CsvRunSnprintfStream(benchmark::State& state) {
    const CBenchRun run = NoisyRun();
    for (auto _ : state) {
        std::ostringstream out;
        out << "t_ms,input_V,output_mV\n";
        char buffer[40];
        for (int k = 0; k < RunSamples; ++k) {
            out << (k - PreRollLength) << ',';
            std::snprintf(buffer, sizeof buffer, "%.17g", run.Input[k]);
            out << buffer << ',';
            std::snprintf(buffer, sizeof buffer, "%.17g", run.Output[k]);
            out << buffer << '\n';
        }
        benchmark::DoNotOptimize(out.str().size());
    }
}
BENCHMARK(BM_CsvRunSnprintfStream)->Unit(benchmark::kMicrosecond);

static void BM_CsvRunWriteRunCsv(benchmark::State& state) {
    const CBenchRun run = NoisyRun();
    for (auto _ : state) {
        std::ostringstream out;
        WriteRunCsv(out, run);
        benchmark::DoNotOptimize(out.str().size());
    }
}
BENCHMARK(BM_CsvRunWriteRunCsv)->Unit(benchmark::kMicrosecond);
