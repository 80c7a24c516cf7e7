// The definitions behind the lab's figures: signal energy, noise variance,
// the low-pass's gain and its pairing, the figures from measured values and
// the registrar's error bound.

#include "bench/SignalToNoise.h"

#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "bench/CBench.h"

namespace {
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

CBenchSetup SetupOf(int filter, int signal, double parameter = 0.0) {
    CBenchSetup s;
    s.FilterItem = filter;
    s.SignalItem = signal;
    const int p = ParameterOfFilter(filter);
    if (p != NoBenchParameter) {
        s.Values[p] = parameter;
    }
    return s;
}
} // namespace

TEST(SignalToNoise, SignalEnergyAndNoiseVariance) {
    EXPECT_EQ(SignalEnergy(siDelta), 1.0);
    EXPECT_EQ(SignalEnergy(siRectangle), 101.0);
    EXPECT_EQ(SignalEnergy(siOff), 0.0);
    EXPECT_EQ(SignalEnergy(-1), 0.0);
    EXPECT_EQ(SignalEnergy(7), 0.0);
    EXPECT_EQ(SignalSamples(siRectangle), std::vector<double>(101, 1.0));
    EXPECT_EQ(SignalSamples(siDelta), std::vector<double>{1.0});
    EXPECT_TRUE(SignalSamples(siOff).empty());

    // One term takes the 100000 values j * 0.00001 - 0.5 alike: its variance
    // summed over them, 24 terms, divided by 2.
    long double mean = 0.0L, square = 0.0L;
    for (int j = 0; j < 100000; ++j) {
        const long double u = j * 0.00001L - 0.5L;
        mean += u;
        square += u * u;
    }
    mean /= 100000;
    const long double term = square / 100000 - mean * mean;
    EXPECT_NEAR(UnitNoiseVariance / static_cast<double>(24 * term / 2), 1.0, 1e-14);
    EXPECT_NEAR(NoiseVariance(2.5) / UnitNoiseVariance, 6.25, 1e-15);
    EXPECT_EQ(NoiseVariance(0.0), 0.0);

    // The real generator, two million samples at gain 1.7: the estimate's
    // relative error is about 0.1 %.
    CNoiseGenerator noise;
    noise.Amplitude = 1.7;
    SeedRandom(2024);
    double sum = 0.0, sum2 = 0.0;
    const int n = 2000000;
    for (int k = 0; k < n; ++k) {
        const double x = noise.NextSample();
        sum += x;
        sum2 += x * x;
    }
    const double variance = sum2 / n - (sum / n) * (sum / n);
    EXPECT_NEAR(variance / NoiseVariance(1.7), 1.0, 0.005);
}

TEST(SignalToNoise, LowPassGainIsTheOneTheBenchSets) {
    CBench bench;
    for (double tau : {10.0, 100.0, 777.0, 10000.0}) {
        for (int signal : {int(siDelta), int(siRectangle), int(siOff), 9}) {
            CBenchSetup s = SetupOf(fiLowBand1, signal, tau);
            CSetupSource c = FixedSource(s);
            bench.PrepareFilters(c);
            EXPECT_DOUBLE_EQ(LowBandGainForSignal(signal, bench.LowBandFilter1),
                             bench.LowBandFilter1.GetGain())
                << tau << " " << signal;
        }
    }
}

TEST(SignalToNoise, PairingAMeasurementWithARun) {
    // Delta run against a measurement with the signal off: the gains are
    // 100 / tau and (1 - e^(-1/tau)) 100.
    for (double tau : {10.0, 100.0, 10000.0}) {
        const double ratio = (100.0 / tau) / ((1.0 - std::exp(-1.0 / tau)) * 100.0);
        const std::optional<double> f =
            PairedPowerFactor(SetupOf(fiLowBand1, siDelta, tau), SetupOf(fiLowBand1, siOff, tau));
        ASSERT_TRUE(f.has_value());
        EXPECT_NEAR(*f / (ratio * ratio), 1.0, 1e-12) << tau;
    }
    // The rectangle and no signal share their gain; other filters have one gain.
    EXPECT_EQ(
        PairedPowerFactor(SetupOf(fiLowBand1, siRectangle, 80), SetupOf(fiLowBand1, siOff, 80)),
        1.0);
    EXPECT_EQ(PairedPowerFactor(SetupOf(fiMaf, siDelta), SetupOf(fiMaf, siOff)), 1.0);
    EXPECT_EQ(PairedPowerFactor(SetupOf(fiChebishev, siDelta, 50), SetupOf(fiChebishev, siOff, 50)),
              1.0);
    // A filter without a parameter ignores the fields of the others.
    CBenchSetup other = SetupOf(fiMaf, siOff);
    other.Values[bpTimeConstant] = 5000;
    EXPECT_EQ(PairedPowerFactor(SetupOf(fiMaf, siDelta), other), 1.0);

    // Not the same filter, or a value the bench never runs: no pairing.
    EXPECT_FALSE(PairedPowerFactor(SetupOf(fiMaf, siDelta), SetupOf(fiMeandr, siOff)));
    EXPECT_FALSE(
        PairedPowerFactor(SetupOf(fiLowBand1, siDelta, 100), SetupOf(fiLowBand1, siOff, 101)));
    EXPECT_FALSE(
        PairedPowerFactor(SetupOf(fiChebishev, siDelta, 50), SetupOf(fiChebishev, siOff, 5)));
    EXPECT_FALSE(PairedPowerFactor(SetupOf(fiLowBand1, siDelta, 0), SetupOf(fiLowBand1, siOff, 0)));
    EXPECT_FALSE(
        PairedPowerFactor(SetupOf(fiLowBand1, siDelta, kNaN), SetupOf(fiLowBand1, siOff, kNaN)));
    EXPECT_FALSE(PairedPowerFactor(SetupOf(7, siDelta), SetupOf(7, siOff)));
}

TEST(SignalToNoise, FiguresFromValues) {
    // U = 10 mV, P = 4 mV^2, E = 101, sigma^2 = 2: q = 25, q0 = 50.5.
    const CSnrFigures f = SnrFigures(10, 4, 101, 2);
    EXPECT_DOUBLE_EQ(*f.Q, 25.0);
    EXPECT_DOUBLE_EQ(*f.Q0, 50.5);
    EXPECT_DOUBLE_EQ(*f.Efficiency, 25.0 / 50.5);
    EXPECT_NEAR(*f.LossDb, 3.0535, 1e-4);

    // No noise power: no q, so no efficiency; the ideal figure stays.
    const CSnrFigures noPower = SnrFigures(10, 0, 101, 2);
    EXPECT_FALSE(noPower.Q);
    EXPECT_TRUE(noPower.Q0);
    EXPECT_FALSE(noPower.Efficiency);
    EXPECT_FALSE(noPower.LossDb);
    // No noise at all (K = 0).
    const CSnrFigures noNoise = SnrFigures(10, 0, 101, 0);
    EXPECT_FALSE(noNoise.Q || noNoise.Q0 || noNoise.Efficiency || noNoise.LossDb);
    // Nothing of the signal at the output: q = 0, eta = 0, an infinite loss.
    const CSnrFigures noPeak = SnrFigures(0, 4, 101, 2);
    EXPECT_EQ(noPeak.Q, 0.0);
    EXPECT_EQ(noPeak.Efficiency, 0.0);
    EXPECT_FALSE(noPeak.LossDb);
    // No signal: q0 = 0, no efficiency.
    const CSnrFigures noSignal = SnrFigures(0, 4, 0, 2);
    EXPECT_EQ(noSignal.Q0, 0.0);
    EXPECT_FALSE(noSignal.Efficiency);
    // Not numbers, negative values, overflow: nothing.
    for (const CSnrFigures& bad :
         {SnrFigures(kNaN, 4, 101, 2), SnrFigures(10, kInf, 101, 2), SnrFigures(10, 4, -1, 2),
          SnrFigures(10, -4, 101, 2), SnrFigures(10, 4, 101, kNaN)}) {
        EXPECT_FALSE(bad.Q || bad.Q0 || bad.Efficiency || bad.LossDb);
    }
    EXPECT_FALSE(SnrFigures(1e200, 1e-200, 101, 2).Q);
    EXPECT_FALSE(SnrFigures(1e200, 1e-200, 101, 2).Efficiency);

    // Measured: the setups must run one filter; K comes from the measurement.
    const CSnrFigures m =
        MeasuredFigures(SetupOf(fiMaf, siRectangle), 100, SetupOf(fiMaf, siOff), 400);
    EXPECT_DOUBLE_EQ(*m.Q, 25.0);
    EXPECT_DOUBLE_EQ(*m.Q0, 101.0 / UnitNoiseVariance);
    const CSnrFigures mismatch =
        MeasuredFigures(SetupOf(fiMaf, siRectangle), 100, SetupOf(fiMeandr, siOff), 400);
    EXPECT_FALSE(mismatch.Q || mismatch.Q0 || mismatch.Efficiency || mismatch.LossDb);
    CBenchSetup silent = SetupOf(fiMaf, siOff);
    silent.Values[bpGain] = 0;
    EXPECT_FALSE(MeasuredFigures(SetupOf(fiMaf, siRectangle), 100, silent, 0).Efficiency);
}

// The bound against the exact Gaussian figure, sum of R(k)^2 over R(0)^2,
// for the moving sum (R(k) = 100 - |k|) and the first-order low-pass
// (R(k) ~ a^|k|): it must never be the smaller.
TEST(SignalToNoise, RegistrarErrorBoundsTheExactSpread) {
    const int batches = 102;
    const double samples = (batches - 24) * 3000.0;

    double lags = 0.0;
    for (int k = -99; k <= 99; ++k) {
        lags += (100.0 - std::abs(k)) * (100.0 - std::abs(k));
    }
    const double exactMaf = std::sqrt(2.0 * lags / 1e4 / samples);
    const std::optional<CRegistrarError> maf = RegistrarError(100, 100, 4950, batches);
    ASSERT_TRUE(maf.has_value());
    EXPECT_NEAR(maf->RelativeDeviation, std::sqrt(2.0 * 100 / samples), 1e-15);
    EXPECT_GE(maf->RelativeDeviation, exactMaf);
    EXPECT_LT(maf->RelativeDeviation, 1.3 * exactMaf); // conservative, not careless
    EXPECT_NEAR(maf->RelativeShortfall, 49.5 / samples, 1e-15);

    for (double tau : {10.0, 100.0, 10000.0}) {
        const double a = std::exp(-1.0 / tau), g = 0.7;
        const double energy = g * g / (1 - a * a), absSum = g / (1 - a);
        const double moment = g * g * a * a / ((1 - a * a) * (1 - a * a));
        const double exact = std::sqrt(2.0 * (1 + a * a) / (1 - a * a) / samples);
        const std::optional<CRegistrarError> lp = RegistrarError(energy, absSum, moment, batches);
        ASSERT_TRUE(lp.has_value());
        EXPECT_GE(lp->RelativeDeviation, exact) << tau;
        EXPECT_LT(lp->RelativeDeviation, 1.5 * exact) << tau;
        // The power builds up as 1 - a^(2n): the deficit is a^2 / (1 - a^2) samples' worth.
        EXPECT_NEAR(lp->RelativeShortfall * samples, a * a / (1 - a * a), 1e-6 * tau) << tau;
    }

    // Too few batches to fill the average, or no response: no bound.
    EXPECT_FALSE(RegistrarError(100, 100, 4950, 24));
    EXPECT_TRUE(RegistrarError(100, 100, 4950, 25));
    EXPECT_FALSE(RegistrarError(0, 0, 0, batches));
    EXPECT_FALSE(RegistrarError(kNaN, 100, 4950, batches));
    EXPECT_FALSE(RegistrarError(100, kInf, 4950, batches));

    // The band: deviations above, the shortfall as well below; an efficiency
    // mirrors it.
    const CRegistrarError e{0.02, 0.01};
    EXPECT_TRUE(PowerWithinRegistrarError(105.9, 100, e, 3));
    EXPECT_FALSE(PowerWithinRegistrarError(106.1, 100, e, 3));
    EXPECT_TRUE(PowerWithinRegistrarError(93.1, 100, e, 3));
    EXPECT_FALSE(PowerWithinRegistrarError(92.9, 100, e, 3));
    EXPECT_TRUE(EfficiencyWithinRegistrarError(0.5 / 0.931, 0.5, e, 3));
    EXPECT_FALSE(EfficiencyWithinRegistrarError(0.5 / 0.929, 0.5, e, 3));
    EXPECT_FALSE(EfficiencyWithinRegistrarError(0.5 / 1.061, 0.5, e, 3));
    EXPECT_FALSE(PowerWithinRegistrarError(kNaN, 100, e, 3));
    EXPECT_FALSE(PowerWithinRegistrarError(1, 0, e, 3));
    EXPECT_FALSE(EfficiencyWithinRegistrarError(0, 0.5, e, 3));
}
