#include "bench/FilterTheory.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "bench/CBench.h"
#include "filters/ResponseEnergy.h"

namespace {

// A bench's filter configured for a setup as a run configures it. The
// fields of the other filters take their defaults, which change nothing for
// the setup's filter and keep every design free of correction messages.
struct CPreparedBench {
    CPreparedBench(CBench& bench, const CBenchSetup& setup)
        : Bench(bench), Filter(setup.FilterItem) {
        CBenchSetup applied = setup;
        const int own = ParameterOfFilter(setup.FilterItem);
        for (int p = 0; p < BenchParameterCount; ++p) {
            if (p != own) {
                applied.Values[p] = BenchParameters[p].Default;
            }
        }
        Bench.PrepareFilters(FixedSource(applied));
    }
    double Filtrate(double x) { return Bench.Filtrate(Filter, x); }

    CBench& Bench;
    int Filter;
};

// From sample From on, each sample of the response is Ratio times the one
// before: the moving sums' delay line is empty by then (Ratio 0), the leaky
// sums only decay. Not Closed for the cascade, whose rest is no one sequence.
struct CTail {
    bool Closed = false;
    long From = 0;
    double Ratio = 0.0;
};

CTail TailOf(const CBench& bench, int filterItem) {
    switch (filterItem) {
    case fiMaf:
        return {true, bench.MafFilter.GetOrder(), 0.0};
    case fiMafNotIdeal:
        return {true, bench.MafNotIdealFilter.GetOrder(), bench.MafNotIdealFilter.GetFeedback()};
    case fiMeandr:
        return {true, bench.MeandrFilter.GetOrder(), 0.0};
    case fiLowBand1:
        return {true, 0, bench.LowBandFilter1.GetFeedback()};
    default:
        return {};
    }
}

void Add(CImpulseResponse& r, long n, double h) {
    const double h2 = h * h;
    r.Energy += h2;
    r.AbsSum += std::fabs(h);
    r.Moment += static_cast<double>(n) * h2;
    r.Peak = std::max(r.Peak, std::fabs(h));
}

// The samples h ratio^m at n + m, m >= 1, summed: with c = ratio^2,
// sum c^m = c / (1 - c) and sum m c^m = c / (1 - c)^2.
void AddGeometricTail(CImpulseResponse& r, long n, double h, double ratio) {
    const double c = ratio * ratio;
    const double h2 = h * h;
    r.Energy += h2 * c / (1.0 - c);
    r.AbsSum += std::fabs(h) * std::fabs(ratio) / (1.0 - std::fabs(ratio));
    r.Moment += h2 * (static_cast<double>(n) * c / (1.0 - c) + c / ((1.0 - c) * (1.0 - c)));
}

// The whole response of a filter with a closed tail: the samples up to the
// tail's start through the filter, the rest in closed form.
CImpulseResponse ClosedResponse(CPreparedBench& delta, const CTail& tail) {
    CImpulseResponse r;
    double h = 0.0;
    for (long n = 0; n <= tail.From; ++n) {
        h = delta.Filtrate(n == 0 ? 1.0 : 0.0);
        Add(r, n, h);
    }
    AddGeometricTail(r, tail.From, h, tail.Ratio);
    r.Samples = tail.From + 1;
    r.Complete = std::isfinite(r.Energy) && std::isfinite(r.Moment);
    return r;
}

// The response run until it has died away, or MaxResponseSamples.
CImpulseResponse RunResponse(CPreparedBench& delta) {
    CImpulseResponse r;
    long quiet = 0;
    for (long n = 0; n < MaxResponseSamples; ++n) {
        const double h = delta.Filtrate(n == 0 ? 1.0 : 0.0);
        Add(r, n, h);
        r.Samples = n + 1;
        if (std::fabs(h) < ResponseDecayedFraction * r.Peak) {
            if (++quiet > PulseLength) {
                r.Complete = std::isfinite(r.Energy) && std::isfinite(r.Moment);
                break;
            }
        } else {
            quiet = 0;
        }
    }
    return r;
}

// Largest |output| of the first count samples of the signal through filter.
double SignalPeak(CPreparedBench& filter, const std::vector<double>& signal, long count) {
    double peak = 0.0;
    for (long n = 0; n < count; ++n) {
        const double x = n < static_cast<long>(signal.size()) ? signal[n] : 0.0;
        peak = std::max(peak, std::fabs(filter.Filtrate(x)));
    }
    return peak;
}

// The cascade's peak for the signal, knowing its response's whole energy.
// After sample n every output from n + L on (L the signal's length) is a sum
// of response samples past n, so by Cauchy-Schwarz its square is at most E
// times the energy left past n; once that is below the peak's square, only
// the L - 1 outputs in between still need looking at. The slack covers the
// roundings of the two ways the energy was summed. No value at the cap.
// Both benches freshly prepared.
std::optional<double> CascadePeak(CPreparedBench& delta, CPreparedBench& run,
                                  const std::vector<double>& signal, double signalEnergy,
                                  double energy) {
    if (signal.empty()) {
        return 0.0;
    }
    const long length = static_cast<long>(signal.size());
    const double slack = 1e-9 * energy;
    double summed = 0.0, peak = 0.0;
    long stopAt = -1;
    for (long n = 0; n < MaxResponseSamples; ++n) {
        const double h = delta.Filtrate(n == 0 ? 1.0 : 0.0);
        summed += h * h;
        const double x = n < length ? signal[n] : 0.0;
        peak = std::max(peak, std::fabs(run.Filtrate(x)));
        if (stopAt < 0 && signalEnergy * (energy - summed + slack) < peak * peak) {
            stopAt = n + length - 1;
        }
        if (n == stopAt) {
            return peak;
        }
    }
    return std::nullopt;
}

} // namespace

CImpulseResponse CTheoryBench::ImpulseResponse(const CBenchSetup& setup) {
    if (!RunsBenchFilter(setup)) {
        return {};
    }
    CPreparedBench delta(Delta, setup);
    const CTail tail = TailOf(Delta, setup.FilterItem);
    return tail.Closed ? ClosedResponse(delta, tail) : RunResponse(delta);
}

CFilterTheory CTheoryBench::Theory(const CBenchSetup& setup) {
    CFilterTheory theory;
    const double variance = NoiseVariance(setup.Values[bpGain]);
    if (!RunsBenchFilter(setup) || !std::isfinite(variance)) {
        return theory;
    }
    const std::vector<double> signal = SignalSamples(setup.SignalItem);
    const double signalEnergy = SignalEnergy(setup.SignalItem);
    CPreparedBench delta(Delta, setup);
    CPreparedBench run(Signal, setup);
    const CTail tail = TailOf(Delta, setup.FilterItem);
    double energy = 0.0, peak = 0.0;
    if (tail.Closed) {
        const CImpulseResponse response = ClosedResponse(delta, tail);
        if (!response.Complete) {
            return theory;
        }
        energy = response.Energy;
        // Past From + L - 1 every output is Ratio times the one before, so
        // the peak lies among the outputs before.
        peak = SignalPeak(run, signal, tail.From + static_cast<long>(signal.size()) + 1);
    } else {
        const std::optional<double> total = CascadeResponseEnergy(Delta.ChebishevFilter);
        const std::optional<double> cascadePeak =
            total ? CascadePeak(delta, run, signal, signalEnergy, *total) : std::nullopt;
        if (!cascadePeak) {
            return theory;
        }
        energy = *total;
        peak = *cascadePeak;
    }

    theory.Valid = true;
    theory.ResponseEnergy = energy;
    theory.Peak = peak;
    theory.NoisePower = variance * energy;
    theory.Figures = SnrFigures(peak, theory.NoisePower, signalEnergy, variance);
    // At unit noise: the efficiency and the loss hold for any gain.
    const CSnrFigures unit = SnrFigures(peak, energy, signalEnergy, 1.0);
    theory.Figures.Efficiency = unit.Efficiency;
    theory.Figures.LossDb = unit.LossDb;
    return theory;
}

CImpulseResponse FilterImpulseResponse(const CBenchSetup& setup) {
    return CTheoryBench().ImpulseResponse(setup);
}

CFilterTheory FilterTheory(const CBenchSetup& setup) {
    return CTheoryBench().Theory(setup);
}

std::optional<CRegistrarError> RegistrarErrorFor(const CBenchSetup& setup, int batches) {
    const CImpulseResponse r = FilterImpulseResponse(setup);
    if (!r.Complete) {
        return std::nullopt;
    }
    return RegistrarError(r.Energy, r.AbsSum, r.Moment, batches);
}
