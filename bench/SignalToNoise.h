#pragma once
// The bench's own result in numbers: the signal-to-noise ratio at a filter's
// output and the filter's efficiency against the ideal matched filter.
//
// Definitions (values in the units the bench shows: the signal in V, the
// output in mV, so a filter's response is in mV per V):
// - Signal s_k: the test signal's samples, as the signal generator gives
//   them (the rectangular impulse: PulseLength samples of 1 V; the delta:
//   one). Its energy E = sum of s_k^2, in V^2 * samples.
// - Noise variance per sample at gain K: sigma^2 = K^2 * UnitNoiseVariance,
//   the generator's own exact value (24 terms, each of variance
//   (1 - 10^-10) / 12, their sum divided by 2). The generator's small mean
//   (-8.5e-5 K) is left out: it adds K^2 * 7.2e-9 * (sum of h)^2 to a
//   power, below a part in 10^5 for every bench filter.
// - U: the largest |output| of a noise-free run of the signal, mV.
// - P: the output noise power with the signal off, mV*mV: measured by the
//   registrar, or in theory sigma^2 * sum of h_k^2, h the filter's response
//   to a unit delta.
// - q = U^2 / P, with U and P at one filter gain. The bench gives the
//   first-order low-pass a gain by the signal item (100/tau for the delta,
//   (1 - e^(-1/tau)) * 100 for any other, the signal off included), so a
//   measurement made with the signal off is scaled by
//   (gain of U's run / gain of the measurement)^2 before it is paired with
//   a run of the delta (PairedPowerFactor).
// - The ideal matched filter's q0 = E / sigma^2; the efficiency
//   eta = q / q0, which does not depend on K; the loss against the ideal
//   matched filter, -10 log10 eta dB.
// Where a figure has no meaning (no noise, no signal, no output) it has no
// value (an empty optional): no NaN or infinity reaches the student.

#include <optional>
#include <vector>

#include "bench/BenchSetup.h"
#include "filters/Digitalfilter.h"

// ---------------------------------------------------------------- signal and noise

// The test signal of a signal item as a signal generator of its kind gives
// it, V, up to its last sample that is not zero: one 1 for the delta,
// PulseLength of them for the rectangular impulse, none for "off" and for
// items the list lacks.
std::vector<double> SignalSamples(int signalItem);
// Its energy, V^2 * samples: 1, PulseLength, 0.
double SignalEnergy(int signalItem);

// Variance of one noise sample at gain 1, V^2.
constexpr double UnitNoiseVariance = 24.0 * ((1.0 - 1e-10) / 12.0) / 2.0;
// Variance of one noise sample at gain K, V^2: K^2 * UnitNoiseVariance.
double NoiseVariance(double gain);

// ---------------------------------------------------------------- the low-pass's gain

// The gain the bench gives the first-order low-pass before a run or a
// measurement: for the delta impulse 100 divided by the filter's time
// constant (its delta response then has an area close to 100); for any other
// signal item, the rectangular impulse and no signal alike,
// (1 - feedback) * 100 (its step response then rises towards 100). Time
// constant and feedback are the filter's own, in samples.
double LowBandGainForSignal(int signalItem, const CLowBandFilter1& filter);

// Whether the setup's filter is one of the bench's and its own parameter (if
// it has one) lies within its field's range, where the field keeps it: the
// bench never runs other values, and no figure is given for them.
bool RunsBenchFilter(const CBenchSetup& setup);

// The factor that turns an output noise power measured with one setup into
// the power at the filter gain of a run made with another:
// (gain of the run / gain of the measurement)^2 for the first-order low-pass,
// whose gain follows the signal item; 1 for the other filters. No value when
// the two setups do not run the same filter (another filter item, or another
// value of the filter's own parameter), since such a pairing means nothing,
// or when either does not run a bench filter (RunsBenchFilter).
std::optional<double> PairedPowerFactor(const CBenchSetup& run, const CBenchSetup& measurement);

// ---------------------------------------------------------------- figures

struct CSnrFigures {
    std::optional<double> Q;          // U^2 / P, output signal-to-noise ratio
    std::optional<double> Q0;         // E / sigma^2, the ideal matched filter's
    std::optional<double> Efficiency; // eta = q / q0
    std::optional<double> LossDb;     // -10 log10 eta, dB
};

// The figures from a peak U (mV), a noise power P (mV*mV) at the same filter
// gain, a signal energy E (V^2 * samples) and a noise variance sigma^2 (V^2).
// q needs P > 0, q0 needs sigma^2 > 0; eta needs both and E > 0; the loss
// needs eta > 0. U = 0 (nothing of the signal reaches the output) gives
// q = 0 and eta = 0 but no loss. Non-finite or negative inputs, and results
// that would overflow, give no value.
CSnrFigures SnrFigures(double peak, double power, double energy, double variance);

// The figures of a filter from a noise-free run and a registrar measurement:
// U (mV) from a run made with setup run, P (mV*mV) measured with setup
// measurement (signal off, at its own gain K, which sets sigma^2). P is
// scaled to the gain of the run first (PairedPowerFactor); every figure has
// no value when the setups run different filters.
CSnrFigures MeasuredFigures(const CBenchSetup& run, double peak, const CBenchSetup& measurement,
                            double power);

// ---------------------------------------------------------------- the registrar's error

// How far the registrar's value may lie from the true output noise power.
struct CRegistrarError {
    // Bound on the relative standard deviation of the value.
    double RelativeDeviation = 0.0;
    // Bound on the relative amount by which it reads low: each measurement
    // starts with the filter at rest, and the first samples lack the power
    // of the response not yet built up.
    double RelativeShortfall = 0.0;
};

// The error of a registrar value made of batches batches through a filter
// whose impulse response has these sums (any gain: only ratios enter):
// energy = sum h^2, absSum = sum |h|, moment = sum n h[n]^2.
//
// The value is the mean of the last 25 running means; the oldest of them
// averages the fewest samples, N = (batches - 24) * MeasureBatchLength, and
// none of the 25 is less certain than it, nor is their mean. For a mean of
// y^2 over N samples of Gaussian y with autocovariance R(k),
//   Var <= 2/N * sum over k of R(k)^2 <= 2/N * R(0) * sigma^2 (sum |h|)^2,
// so the relative deviation is at most sqrt(2 L / N), L = (sum|h|)^2 / sum h^2,
// the response's effective length (100 for the moving sums, about 2 tau for
// the first-order low-pass, about twice the exact figure). The bench's noise
// is a sum of 24 uniform terms, with a kurtosis below the Gaussian's, which
// only lowers the variance. The start-up shortfall of a mean over N samples
// from rest is at most moment / (N energy).
//
// No value for batches < 25 (the average still counts empty cells), for a
// response without energy, or for non-finite sums.
std::optional<CRegistrarError> RegistrarError(double energy, double absSum, double moment,
                                              int batches);

// Whether a measured power lies within deviations times the relative
// deviation of the expected one, the shortfall allowed below it.
bool PowerWithinRegistrarError(double measured, double expected, const CRegistrarError& error,
                               double deviations);
// The same for an efficiency worked out from a measured power: eta goes as
// 1 / P, so its band is the power's band turned over.
bool EfficiencyWithinRegistrarError(double measured, double expected, const CRegistrarError& error,
                                    double deviations);
