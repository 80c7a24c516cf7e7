#include "bench/CBench.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/FloatToText.h"
#include "base/MessageHook.h"

namespace {

CSetupSource Controls(int signal, int noise, int filter, double gain = 1.0) {
    CSetupSource c;
    c.SignalItem = signal;
    c.NoiseItem = noise;
    c.FilterItem = filter;
    c.Gain = [gain] { return gain; };
    return c;
}

std::vector<double> Inputs() {
    return std::vector<double>(InputSamples, InputSamples + RunSamples);
}
std::vector<double> Outputs() {
    return std::vector<double>(OutputSamples, OutputSamples + RunSamples);
}

double Deviation(const double* a, int n) {
    double s = 0, s2 = 0;
    for (int k = 0; k < n; ++k) {
        s += a[k];
        s2 += a[k] * a[k];
    }
    const double m = s / n;
    return std::sqrt(s2 / n - m * m);
}

} // namespace

TEST(BenchRun, CleanSignals) {
    CBench bench;
    for (int filter = fiMaf; filter <= fiChebishev; ++filter) {
        bench.ComputeRun(Controls(siOff, niOff, filter), {InputSamples, OutputSamples});
        for (int k = 0; k < RunSamples; ++k) {
            ASSERT_EQ(InputSamples[k], 0.0) << filter << " " << k;
            ASSERT_EQ(OutputSamples[k], 0.0) << filter << " " << k;
        }
    }

    bench.ComputeRun(Controls(siDelta, niOff, fiMaf), {InputSamples, OutputSamples});
    for (int k = 0; k < RunSamples; ++k) {
        ASSERT_EQ(InputSamples[k], k == PreRollLength ? 1.0 : 0.0) << k;
    }
    // The moving sum holds the impulse for its whole window of 100 samples.
    EXPECT_EQ(OutputSamples[PreRollLength], 1.0);
    EXPECT_EQ(OutputSamples[PreRollLength + 99], 1.0);
    EXPECT_EQ(OutputSamples[PreRollLength + 100], 0.0);

    bench.ComputeRun(Controls(siRectangle, niOff, fiMaf), {InputSamples, OutputSamples});
    for (int k = 0; k < RunSamples; ++k) {
        const bool inPulse = k >= PreRollLength && k <= PreRollLength + 100;
        ASSERT_EQ(InputSamples[k], inPulse ? 1.0 : 0.0) << k;
    }
    // The matched filter rises sample by sample to its peak and falls back.
    EXPECT_EQ(OutputSamples[PreRollLength + 49], 50.0);
    EXPECT_EQ(OutputSamples[PreRollLength + 99], 100.0);
    EXPECT_EQ(OutputSamples[PreRollLength + 100], 100.0);
    EXPECT_EQ(OutputSamples[PreRollLength + 150], 50.0);
    EXPECT_EQ(OutputSamples[PreRollLength + 200], 0.0);

    // Without noise every run is the same.
    const std::vector<double> in = Inputs(), out = Outputs();
    bench.ComputeRun(Controls(siRectangle, niOff, fiMaf), {InputSamples, OutputSamples});
    EXPECT_EQ(Inputs(), in);
    EXPECT_EQ(Outputs(), out);
}

TEST(BenchRun, NoiseRuns) {
    SeedRandom(2026);
    CBench bench;
    bench.ComputeRun(Controls(siOff, niOn, fiMaf, 2.0), {InputSamples, OutputSamples});
    EXPECT_NEAR(Deviation(InputSamples, PreRollLength), 2.0, 0.1);
    EXPECT_NEAR(Deviation(InputSamples + PreRollLength, RunLength), 2.0, 0.1);
    EXPECT_EQ(NoiseGenerator.Amplitude, 2.0);

    const std::vector<double> first = Inputs();
    bench.ComputeRun(Controls(siOff, niOn, fiMaf, 2.0), {InputSamples, OutputSamples});
    EXPECT_NE(Inputs(), first);

    bench.ComputeRun(Controls(siOff, niOn, fiLowBand1, 0.0), {InputSamples, OutputSamples});
    for (int k = 0; k < RunSamples; ++k) {
        ASSERT_EQ(InputSamples[k], 0.0) << k;
        ASSERT_EQ(OutputSamples[k], 0.0) << k;
    }

    // Signal first, then noise: the sum carries the unit pulse.
    SeedRandom(5);
    bench.ComputeRun(Controls(siDelta, niOn, fiMaf, 0.5), {InputSamples, OutputSamples});
    const double withPulse = InputSamples[PreRollLength];
    SeedRandom(5);
    bench.ComputeRun(Controls(siOff, niOn, fiMaf, 0.5), {InputSamples, OutputSamples});
    EXPECT_DOUBLE_EQ(withPulse, InputSamples[PreRollLength] + 1.0);
}

TEST(BenchRun, SignalItemsChooseTheGeneratorKind) {
    EXPECT_EQ(SignalKindForItem(siDelta), skDelta);
    EXPECT_EQ(SignalKindForItem(siRectangle), skRectangle);
    EXPECT_EQ(SignalKindForItem(siOff), skOff);
    // An item the list does not have keeps the generator silent.
    EXPECT_EQ(SignalKindForItem(-1), skOff);
    EXPECT_EQ(SignalKindForItem(3), skOff);
}

TEST(BenchRun, EveryNoiseItemButOffAddsNoiseFromThePreRollOn) {
    CBench bench;
    // Item 2 does not exist in the window's list; it is not "off", so the run
    // carries noise before and after t = 0 alike, the same noise as item 1.
    for (int item : {int(niOn), 2, -1}) {
        SeedRandom(31);
        bench.ComputeRun(Controls(siOff, item, fiMaf), {InputSamples, OutputSamples});
        const std::vector<double> in = Inputs();
        EXPECT_NEAR(Deviation(InputSamples, PreRollLength), 1.0, 0.1) << item;
        EXPECT_NEAR(Deviation(InputSamples + PreRollLength, RunLength), 1.0, 0.1) << item;
        SeedRandom(31);
        bench.ComputeRun(Controls(siOff, niOn, fiMaf), {InputSamples, OutputSamples});
        EXPECT_EQ(Inputs(), in) << item;
    }
}

TEST(BenchRun, ReadsTheControlsInTheWindowsOrder) {
    CBench bench;
    std::vector<std::string> log;
    CSetupSource c = Controls(siDelta, niOff, fiLowBand1);
    c.IntegratorTimeConstant = [&] {
        log.push_back("integrator");
        return 100.0;
    };
    c.TimeConstant = [&] {
        log.push_back("time constant");
        return 100.0;
    };
    c.CutOff = [&] {
        log.push_back("cut-off");
        return 1.0;
    };
    c.Gain = [&] {
        // By now the filters are reset and the pulse rewound.
        log.push_back(SignalGenerator.Position == 0 ? "gain after rewind" : "gain too early");
        return 1.0;
    };
    SignalGenerator.Position = 77;
    bench.ComputeRun(c, {InputSamples, OutputSamples});
    EXPECT_EQ(log, (std::vector<std::string>{"integrator", "time constant", "cut-off",
                                             "gain after rewind"}));
}

TEST(BenchFilters, ParameterFieldsAndLowPassGain) {
    CBench bench;
    // Built at 50 Hz; a run applies the cut-off field (1 Hz at start).
    EXPECT_NEAR(bench.ChebishevFilter.GetCyclicBandEdge() * 1000, 50.0, 1e-9);
    bench.ComputeRun(Controls(siDelta, niOff, fiChebishev), {InputSamples, OutputSamples});
    EXPECT_NEAR(bench.ChebishevFilter.GetCyclicBandEdge() * 1000, 1.0, 1e-9);

    // Leaving a field applies it at once.
    bench.SetTimeConstant(250.0);
    EXPECT_EQ(bench.LowBandFilter1.GetTimeConstant(), 250.0);
    bench.SetIntegratorTimeConstant(400.0);
    EXPECT_EQ(bench.MafNotIdealFilter.GetTimeConstant(), 400.0);

    // Delta: the unit impulse gives 100/tau at once.
    CSetupSource c = Controls(siDelta, niOff, fiLowBand1);
    bench.ComputeRun(c, {InputSamples, OutputSamples});
    EXPECT_DOUBLE_EQ(OutputSamples[PreRollLength], 1.0);
    // Rectangle: the step response rises towards 100 after the same tau.
    c.SignalItem = siRectangle;
    bench.ComputeRun(c, {InputSamples, OutputSamples});
    EXPECT_NEAR(OutputSamples[PreRollLength + 100], 100.0 * (1.0 - std::exp(-101.0 / 100.0)), 1e-9);
    // Only the chosen filter ran; the others stay reset.
    bench.ComputeRun(Controls(siRectangle, niOff, fiMaf), {InputSamples, OutputSamples});
    EXPECT_EQ(bench.LowBandFilter1.Filtrate(0.0), 0.0);
}

TEST(BenchFilters, UnknownFilterItemGivesZeros) {
    CBench bench;
    bench.ComputeRun(Controls(siRectangle, niOff, 9), {InputSamples, OutputSamples});
    EXPECT_EQ(InputSamples[PreRollLength], 1.0);
    EXPECT_EQ(OutputSamples[PreRollLength], 0.0);
    EXPECT_EQ(bench.Filtrate(-1, 5.0), 0.0);
}

TEST(Measurement, ZeroGainStopsAfterBatch102) {
    CBench bench;
    const CMeasurement m = bench.Measure(Controls(siOff, niOn, fiMaf, 0.0));
    EXPECT_EQ(m.Batches, 102);
    EXPECT_EQ(m.RegistrarValue, 0.0);
    EXPECT_EQ(FloatToText(2, m.RegistrarValue), "0,00");
}

TEST(Measurement, StableLevelAndSquareOfTheGain) {
    CBench bench;
    SeedRandom(99);
    const CMeasurement one = bench.Measure(Controls(siOff, niOn, fiLowBand1, 1.0));
    EXPECT_GE(one.Batches, 102);
    EXPECT_LT(one.Batches, MeasureMaxBatches);
    // White noise of variance 1 through y = a*y + (1-a)*100*x has power
    // 1e4 (1-a)^2 / (1-a^2) = 1e4 (1-a)/(1+a).
    const double a = std::exp(-1.0 / 100.0);
    EXPECT_NEAR(one.RegistrarValue, 1e4 * (1 - a) / (1 + a), 3.0);

    // The same noise ten times stronger: exactly a hundred times the power.
    SeedRandom(99);
    const CMeasurement ten = bench.Measure(Controls(siOff, niOn, fiLowBand1, 10.0));
    EXPECT_EQ(ten.Batches, one.Batches);
    EXPECT_NEAR(ten.RegistrarValue / one.RegistrarValue, 100.0, 1e-6);

    // The matched filter sums 100 samples of unit variance.
    const CMeasurement maf = bench.Measure(Controls(siOff, niOn, fiMaf, 1.0));
    EXPECT_NEAR(maf.RegistrarValue, 100.0, 5.0);
}

namespace {
// Output power that grows by about 5 % per batch, so the last 25 running
// means never agree within 5 %.
struct GrowingFilter {
    double level = 1.0;
    double Filtrate(double) {
        level *= std::exp(0.025 / MeasureBatchLength);
        return level;
    }
};
} // namespace

TEST(Measurement, SpreadRuleNeverHoldingRunsAllBatches) {
    GrowingFilter growing;
    const CMeasurement m = MeasureNoisePower(growing);
    EXPECT_EQ(m.Batches, MeasureMaxBatches);
    EXPECT_TRUE(std::isfinite(m.RegistrarValue));
    EXPECT_GT(m.RegistrarValue, 1.0);
}
