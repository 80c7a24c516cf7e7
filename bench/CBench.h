#pragma once
// The bench without its window: the five filters with their configuration,
// their preparation before every pass, the per-sample dispatch, a run and a
// registrar measurement.
//
// The window keeps the controls; the bench reads them through a CSetupSource
// at the very moment each value is needed, so the order of the steps, and of
// any correction message a field shows while it is read, is always: fields 2,
// 3, 4 read and applied, filters reset, low-pass gain chosen, pulse rewound,
// gain field read, then the samples.

#include <cstdint>
#include <functional>

#include "bench/BenchSamples.h"
#include "bench/BenchSetup.h"
#include "bench/CBenchRun.h"
#include "filters/CChebishevFilter.h"
#include "filters/CDoubleList.h"
#include "filters/Digitalfilter.h"

// The signal generator's kind for an item of the signal list: the delta and
// the rectangular impulse for items 0 and 1, the silent generator otherwise.
std::int32_t SignalKindForItem(int signalItem);

// Puts the bench's signal generator in the kind of a signal item. A run does
// it itself; the window does it as soon as the choice changes, so that the
// generator always holds the chosen kind.
void ChooseSignal(int signalItem);

// Where a run or a measurement takes its setup from: the three choices as
// they stand, and the four number fields read one by one, each at the moment
// the bench needs its value (a read validates the field and may show its
// correction message, so the reads come in the bench's order).
struct CSetupSource {
    int SignalItem = siDelta; // the generator's kind and the low-pass gain rule
    int NoiseItem = niOff;    // any item but niOff adds noise
    int FilterItem = fiMaf;   // the filter that gets the samples
    // Each call reads (and validates) one number field and returns its value,
    // in the field's unit and range (BenchParameters); unless set, the
    // field's value at start.
    std::function<double()> IntegratorTimeConstant = [] {
        return BenchParameters[bpIntegratorTimeConstant].Default;
    };
    std::function<double()> TimeConstant = [] { return BenchParameters[bpTimeConstant].Default; };
    std::function<double()> CutOff = [] { return BenchParameters[bpCutOff].Default; };
    std::function<double()> Gain = [] { return BenchParameters[bpGain].Default; };
};

// A source that gives a configuration's choices and values as they are.
CSetupSource FixedSource(const CBenchSetup& setup);

// Result of a registrar measurement.
struct CMeasurement {
    CBenchSetup Setup;           // as the bench applied it (see CBenchRun::Setup)
    double RegistrarValue = 0.0; // mean output power, mV*mV
    int Batches = 0;             // batches of MeasureBatchLength samples used
};

constexpr int MeasureBatchLength = 3000;
constexpr int MeasureMaxBatches = 10000;
// The result is the average of the last MeasureAveragedMeans running means.
constexpr int MeasureAveragedMeans = 25;
constexpr double MeasureAveragingFactor = 1.0 / MeasureAveragedMeans;
static_assert(MeasureAveragingFactor == 0.04, "the registrar's average of 25 running means");
// The stop rules wait until the batch index exceeds this, so that the
// average covers settled running means only.
constexpr int MeasureSettlingBatches = 100;
// The measurement stops when the largest of the averaged running means lies
// within this fraction of their average.
constexpr double MeasureSpreadLimit = 0.05;

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
    // The same by field p (BenchParameter); the gain sets no filter (the
    // noise generator takes it when a run or measurement starts).
    void SetParameter(int p, double value);

    // The value that the filter of parameter field p holds now, in the
    // field's unit (the filter's own value divided by the field's factor):
    // what the field shows when its filter is chosen. For the gain, which no
    // filter holds, the noise generator's amplitude; 0 for any other p.
    double ParameterValue(int p) const;

    // The configuration of these choices as the bench holds it now: every
    // value as its filter (or, for the gain, the noise generator) has it.
    CBenchSetup HeldSetup(int signalItem, int noiseItem, int filterItem) const;

    // Applies the three parameter fields, resets all five filters and sets
    // the first-order low-pass gain for the chosen signal.
    void PrepareFilters(const CSetupSource& source);

    // One sample through the chosen filter; 0 for an unknown item.
    double Filtrate(int filterItem, double x);

    // One pass of the bench into into.Input and into.Output, samples
    // 0..RunSamples-1, with the signal generator in the source's kind. The
    // run returned refers to those buffers.
    CBenchRun ComputeRun(const CSetupSource& source, CRunBuffers into);

    // Mean power of the chosen filter's output for noise alone, averaged in
    // batches until it settles (at least MeasureSettlingBatches + 2, at most
    // MeasureMaxBatches). The signal generator takes the source's kind too,
    // though a measurement draws on the noise alone.
    CMeasurement Measure(const CSetupSource& source);

  private:
    // The registrar's averaging over the prepared filter of this item.
    CMeasurement MeasureChosenFilter(int filterItem);
};

// The registrar's averaging: batches of noise through filter (anything with
// Filtrate(double) -> double), squared and summed; the mean of the last
// MeasureAveragedMeans running means of the batch means is the result. Stops
// once the batch index exceeds MeasureSettlingBatches when that is 0 or the
// largest of those means lies within MeasureSpreadLimit of it, else after
// MeasureMaxBatches. The filter is not reset here, so the first batch holds
// its start-up transient. The samples come from noise (anything with
// NextSample() -> double), the bench's own generator unless another is given.
template <class Filter, class Noise> CMeasurement MeasureNoisePower(Filter& filter, Noise& noise) {
    CIF accumulator;
    accumulator.SetPeriod(1.0);
    accumulator.SetGain(1.0);
    accumulator.Reset();
    CDoubleList means;
    // Cell 0 is where a shift enters its zero; cells 1..MeasureAveragedMeans
    // hold the means.
    means.SetLastIndex(MeasureAveragedMeans);
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
        // The shift zeroes cell 0, so the sum is that of the last running means.
        means.Shift();
        means.SetAt(1, runningMean);
        result.RegistrarValue = means.Sum() * MeasureAveragingFactor;
        result.Batches = i + 1;
        if (i > MeasureSettlingBatches) {
            if (result.RegistrarValue == 0) {
                break;
            }
            const double spread = (means.Max() - result.RegistrarValue) / result.RegistrarValue;
            if (spread < MeasureSpreadLimit && spread > -MeasureSpreadLimit) {
                break;
            }
        }
    }
    return result;
}

template <class Filter> CMeasurement MeasureNoisePower(Filter& filter) {
    return MeasureNoisePower(filter, NoiseGenerator);
}
