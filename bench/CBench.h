#pragma once
// The bench without its window: the five filters with their configuration,
// their preparation before every pass, the per-sample dispatch, a run and a
// registrar measurement.
//
// The window keeps the controls; the bench reads them through CBenchControls
// at the very moment each value is needed, so the order of the steps, and of
// any correction message a field shows while it is read, is always: fields 2,
// 3, 4 read and applied, filters reset, low-pass gain chosen, pulse rewound,
// gain field read, then the samples.

#include <cstdint>
#include <functional>

#include "bench/BenchSamples.h"
#include "filters/CChebishevFilter.h"
#include "filters/CDoubleList.h"
#include "filters/Digitalfilter.h"

// Items of the signal, noise and filter lists, in the order the window shows them.
enum BenchSignalItem { siDelta = 0, siRectangle = 1, siOff = 2 };
enum BenchNoiseItem { niOff = 0, niOn = 1 };

// The signal generator's kind for an item of the signal list: the delta and
// the rectangular impulse for items 0 and 1, the silent generator otherwise.
std::int32_t SignalKindForItem(int signalItem);

// Whether a run adds noise for an item of the noise list: only "off" (item 0)
// leaves the signal alone. The pre-roll and the main part follow the same
// rule, so that the filter has settled on the very noise it sees from t = 0.
inline bool NoiseAddedForItem(int noiseItem) {
    return noiseItem != niOff;
}
enum BenchFilterItem {
    fiMaf = 0,         // matched filter for a rectangular impulse
    fiMafNotIdeal = 1, // the same with a leaky integrator
    fiMeandr = 2,      // matched filter for a meander impulse
    fiLowBand1 = 3,    // first-order low-pass
    fiChebishev = 4,   // low-pass with a flat passband
};

// What a run or a measurement reads from the window's controls.
struct CBenchControls {
    int SignalItem = siDelta; // chooses the first-order low-pass gain rule
    int NoiseItem = niOff;    // any item but niOff adds noise
    int FilterItem = fiMaf;   // the filter that gets the samples
    // Each call reads (and validates) one number field and returns its value.
    std::function<double()> IntegratorTimeConstant = [] { return 100.0; }; // ms, 10..100000
    std::function<double()> TimeConstant = [] { return 100.0; };           // ms, 10..10000
    std::function<double()> CutOff = [] { return 1.0; };                   // Hz, 1..300
    std::function<double()> Gain = [] { return 1.0; };                     // V, 0..1000
};

// Result of a registrar measurement.
struct CMeasurement {
    double RegistrarValue = 0.0; // mean output power, mV*mV
    int Batches = 0;             // batches of MeasureBatchLength samples used
};

constexpr int MeasureBatchLength = 3000;
constexpr int MeasureMaxBatches = 10000;

class CBench {
  public:
    // Builds the five filters in the bench's configuration.
    CBench();

    CMAF MafFilter;
    CMAFNotIdeal MafNotIdealFilter;
    CMeandrFilter MeandrFilter;
    CLowBandFilter1 LowBandFilter1;
    CChebishevFilter ChebishevFilter;

    // What leaving each parameter field does with its (already validated) value.
    void SetIntegratorTimeConstant(double ms); // leaky integrator of filter 1
    void SetTimeConstant(double ms);           // first-order low-pass
    void SetCutOff(double hz);                 // redesigns the flat-passband low-pass

    // Applies the three parameter fields, resets all five filters and sets
    // the first-order low-pass gain for the chosen signal.
    void PrepareFilters(const CBenchControls& controls);

    // One sample through the chosen filter; 0 for an unknown item.
    double Filtrate(int filterItem, double x);

    // One pass of the bench into InputSamples and OutputSamples, 0..RunSamples-1.
    void ComputeRun(const CBenchControls& controls);

    // Mean power of the chosen filter's output for noise alone, averaged in
    // batches until it settles (at least 102, at most MeasureMaxBatches).
    CMeasurement Measure(const CBenchControls& controls);
};

// The registrar's averaging: batches of noise through filter (anything with
// Filtrate(double) -> double), squared and summed; the mean of the last 25
// running means of the batch means is the result. Stops from batch 102 on
// when that is 0 or the largest of the 25 lies within 5 % of it, else after
// MeasureMaxBatches. The filter is not reset here, so the first batch holds
// its start-up transient. The samples come from noise (anything with
// NextSample() -> double), the bench's own generator unless another is given.
template <class Filter, class Noise> CMeasurement MeasureNoisePower(Filter& filter, Noise& noise) {
    CIF accumulator;
    accumulator.SetPeriod(1.0);
    accumulator.SetGain(1.0);
    accumulator.Reset();
    CDoubleList means;
    means.SetLastIndex(25);
    means.Clear();

    CMeasurement result;
    double sumOfMeans = 0.0;
    for (int i = 0; i < MeasureMaxBatches; ++i) {
        accumulator.Reset();
        double total = 0.0;
        for (int k = 0; k < MeasureBatchLength; ++k) {
            const double y = filter.Filtrate(noise.NextSample());
            total = accumulator.Filtrate(y * y);
        }
        const double batchMean = total / MeasureBatchLength;
        sumOfMeans += batchMean;
        const double runningMean = sumOfMeans / (i + 1);
        // The shift zeroes cell 0, so the sum is that of the last 25 running means.
        means.Shift();
        means.SetAt(1, runningMean);
        result.RegistrarValue = means.Sum() * 0.04;
        result.Batches = i + 1;
        if (i > 100) {
            if (result.RegistrarValue == 0) {
                break;
            }
            const double spread = (means.Max() - result.RegistrarValue) / result.RegistrarValue;
            if (spread < 0.05 && spread > -0.05) {
                break;
            }
        }
    }
    return result;
}

template <class Filter> CMeasurement MeasureNoisePower(Filter& filter) {
    return MeasureNoisePower(filter, NoiseGenerator);
}
