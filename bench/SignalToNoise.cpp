#include "bench/SignalToNoise.h"

#include <cmath>

#include "bench/CBench.h"
#include "bench/CSignalGenerator.h"

namespace {

bool FiniteNonNegative(double v) {
    return std::isfinite(v) && v >= 0;
}

std::optional<double> IfFinite(double v) {
    return std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

// The low-pass as the bench configures it for a time constant field's value.
double LowBandGain(int signalItem, double timeConstantMs) {
    CLowBandFilter1 filter;
    filter.SetTimeConstant(timeConstantMs * BenchParameters[bpTimeConstant].ToFilter);
    return LowBandGainForSignal(signalItem, filter);
}

} // namespace

std::vector<double> SignalSamples(int signalItem) {
    CSignalGenerator generator;
    generator.Kind = SignalKindForItem(signalItem);
    generator.Rewind();
    std::vector<double> samples;
    for (int k = 0; k < generator.Length; ++k) {
        samples.push_back(generator.NextSample());
    }
    while (!samples.empty() && samples.back() == 0.0) {
        samples.pop_back();
    }
    return samples;
}

double SignalEnergy(int signalItem) {
    double energy = 0.0;
    for (double s : SignalSamples(signalItem)) {
        energy += s * s;
    }
    return energy;
}

double NoiseVariance(double gain) {
    return gain * gain * UnitNoiseVariance;
}

double LowBandGainForSignal(int signalItem, const CLowBandFilter1& filter) {
    if (signalItem == siDelta) {
        return 100.0 / filter.GetTimeConstant();
    }
    return (1.0 - filter.GetFeedback()) * 100.0;
}

bool RunsBenchFilter(const CBenchSetup& setup) {
    if (setup.FilterItem < 0 || setup.FilterItem >= FilterItemCount) {
        return false;
    }
    const int p = ParameterOfFilter(setup.FilterItem);
    return p == NoBenchParameter ||
           (setup.Values[p] >= BenchParameters[p].Min && setup.Values[p] <= BenchParameters[p].Max);
}

std::optional<double> PairedPowerFactor(const CBenchSetup& run, const CBenchSetup& measurement) {
    if (run.FilterItem != measurement.FilterItem || !RunsBenchFilter(run) ||
        !RunsBenchFilter(measurement)) {
        return std::nullopt;
    }
    const int p = ParameterOfFilter(run.FilterItem);
    if (p != NoBenchParameter && !(run.Values[p] == measurement.Values[p])) {
        return std::nullopt;
    }
    if (run.FilterItem != fiLowBand1) {
        return 1.0;
    }
    const double ratio = LowBandGain(run.SignalItem, run.Values[p]) /
                         LowBandGain(measurement.SignalItem, measurement.Values[p]);
    return IfFinite(ratio * ratio);
}

CSnrFigures SnrFigures(double peak, double power, double energy, double variance) {
    CSnrFigures f;
    if (!FiniteNonNegative(peak) || !FiniteNonNegative(power) || !FiniteNonNegative(energy) ||
        !FiniteNonNegative(variance)) {
        return f;
    }
    if (power > 0) {
        f.Q = IfFinite(peak * peak / power);
    }
    if (variance > 0) {
        f.Q0 = IfFinite(energy / variance);
    }
    if (f.Q && f.Q0 && *f.Q0 > 0) {
        f.Efficiency = IfFinite(*f.Q / *f.Q0);
    }
    if (f.Efficiency && *f.Efficiency > 0) {
        f.LossDb = IfFinite(-10.0 * std::log10(*f.Efficiency));
    }
    return f;
}

CSnrFigures MeasuredFigures(const CBenchSetup& run, double peak, const CBenchSetup& measurement,
                            double power) {
    const std::optional<double> factor = PairedPowerFactor(run, measurement);
    if (!factor) {
        return {};
    }
    return SnrFigures(peak, power * *factor, SignalEnergy(run.SignalItem),
                      NoiseVariance(measurement.Values[bpGain]));
}

std::optional<CRegistrarError> RegistrarError(double energy, double absSum, double moment,
                                              int batches) {
    if (batches < MeasureAveragedMeans || !(energy > 0) || !std::isfinite(energy) ||
        !FiniteNonNegative(absSum) || !FiniteNonNegative(moment)) {
        return std::nullopt;
    }
    const double samples =
        static_cast<double>(batches - (MeasureAveragedMeans - 1)) * MeasureBatchLength;
    const double length = absSum * absSum / energy;
    CRegistrarError e;
    e.RelativeDeviation = std::sqrt(2.0 * length / samples);
    e.RelativeShortfall = moment / energy / samples;
    if (!std::isfinite(e.RelativeDeviation) || !std::isfinite(e.RelativeShortfall)) {
        return std::nullopt;
    }
    return e;
}

namespace {
// measured / expected within [1 - shortfall - z d, 1 + z d].
bool RatioWithin(double ratio, const CRegistrarError& error, double deviations) {
    const double band = deviations * error.RelativeDeviation;
    return ratio >= 1.0 - error.RelativeShortfall - band && ratio <= 1.0 + band;
}
} // namespace

bool PowerWithinRegistrarError(double measured, double expected, const CRegistrarError& error,
                               double deviations) {
    return expected > 0 && RatioWithin(measured / expected, error, deviations);
}

bool EfficiencyWithinRegistrarError(double measured, double expected, const CRegistrarError& error,
                                    double deviations) {
    return measured > 0 && expected > 0 && RatioWithin(expected / measured, error, deviations);
}
