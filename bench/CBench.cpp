#include "bench/CBench.h"

#include "bench/SignalToNoise.h"

std::int32_t SignalKindForItem(int signalItem) {
    switch (signalItem) {
    case siDelta:
        return skDelta;
    case siRectangle:
        return skRectangle;
    default:
        return skOff;
    }
}

void ChooseSignal(int signalItem) {
    SignalGenerator.Kind = SignalKindForItem(signalItem);
}

CSetupSource FixedSource(const CBenchSetup& setup) {
    CSetupSource c;
    c.SignalItem = setup.SignalItem;
    c.NoiseItem = setup.NoiseItem;
    c.FilterItem = setup.FilterItem;
    const auto value = [&setup](int p) {
        const double v = setup.Values[p];
        return [v] { return v; };
    };
    c.IntegratorTimeConstant = value(bpIntegratorTimeConstant);
    c.TimeConstant = value(bpTimeConstant);
    c.CutOff = value(bpCutOff);
    c.Gain = value(bpGain);
    return c;
}

CBench::CBench() {
    // The moving-sum windows span the test pulse; gain 1 makes them sum
    // rather than average.
    MafFilter.SetOrder(PulseLength - 1);
    MafFilter.SetGain(1.0);
    MafNotIdealFilter.SetOrder(PulseLength - 1);
    MafNotIdealFilter.SetGain(1.0);
    // The time constants start where their fields do, so that choosing
    // either filter shows the value the filter holds.
    MafNotIdealFilter.SetTimeConstant(BenchParameters[bpIntegratorTimeConstant].Default *
                                      BenchParameters[bpIntegratorTimeConstant].ToFilter);
    MeandrFilter.SetOrder(PulseLength - 1);
    MeandrFilter.SetGain(1.0);
    LowBandFilter1.SetTimeConstant(BenchParameters[bpTimeConstant].Default *
                                   BenchParameters[bpTimeConstant].ToFilter);
    DesignBenchChebishev(ChebishevFilter);
}

void CBench::SetIntegratorTimeConstant(double ms) {
    MafNotIdealFilter.SetTimeConstant(ms * BenchParameters[bpIntegratorTimeConstant].ToFilter);
}

void CBench::SetTimeConstant(double ms) {
    LowBandFilter1.SetTimeConstant(ms * BenchParameters[bpTimeConstant].ToFilter);
}

void CBench::SetCutOff(double hz) {
    ChebishevFilter.SetCyclicBandEdge(hz * BenchParameters[bpCutOff].ToFilter);
    ChebishevFilter.Design();
}

void CBench::SetParameter(int p, double value) {
    switch (p) {
    case bpIntegratorTimeConstant:
        SetIntegratorTimeConstant(value);
        break;
    case bpTimeConstant:
        SetTimeConstant(value);
        break;
    case bpCutOff:
        SetCutOff(value);
        break;
    default:
        break;
    }
}

double CBench::ParameterValue(int p) const {
    switch (p) {
    case bpIntegratorTimeConstant:
        return MafNotIdealFilter.GetTimeConstant() / BenchParameters[p].ToFilter;
    case bpTimeConstant:
        return LowBandFilter1.GetTimeConstant() / BenchParameters[p].ToFilter;
    case bpCutOff:
        return ChebishevFilter.GetCyclicBandEdge() / BenchParameters[p].ToFilter;
    case bpGain:
        return NoiseGenerator.Amplitude;
    default:
        return 0.0;
    }
}

CBenchSetup CBench::HeldSetup(int signalItem, int noiseItem, int filterItem) const {
    CBenchSetup setup;
    setup.SignalItem = signalItem;
    setup.NoiseItem = noiseItem;
    setup.FilterItem = filterItem;
    for (int p = 0; p < BenchParameterCount; ++p) {
        setup.Values[p] = ParameterValue(p);
    }
    return setup;
}

void CBench::PrepareFilters(const CSetupSource& source) {
    SetIntegratorTimeConstant(source.IntegratorTimeConstant());
    SetTimeConstant(source.TimeConstant());
    SetCutOff(source.CutOff());

    MafFilter.Reset();
    MafNotIdealFilter.Reset();
    MeandrFilter.Reset();
    LowBandFilter1.Reset();
    ChebishevFilter.Reset();

    LowBandFilter1.SetGain(LowBandGainForSignal(source.SignalItem, LowBandFilter1));
}

double CBench::Filtrate(int filterItem, double x) {
    switch (filterItem) {
    case fiMaf:
        return MafFilter.Filtrate(x);
    case fiMafNotIdeal:
        return MafNotIdealFilter.Filtrate(x);
    case fiMeandr:
        return MeandrFilter.Filtrate(x);
    case fiLowBand1:
        return LowBandFilter1.Filtrate(x);
    case fiChebishev:
        return ChebishevFilter.Filtrate(x);
    default:
        return 0.0;
    }
}

CBenchRun CBench::ComputeRun(const CSetupSource& source, CRunBuffers into) {
    ChooseSignal(source.SignalItem);
    PrepareFilters(source);
    SignalGenerator.Rewind();
    NoiseGenerator.Amplitude = source.Gain();

    const bool noise = NoiseAddedForItem(source.NoiseItem);
    const int filter = source.FilterItem;
    // The pulse waits until t = 0, so the filter first settles on the noise alone.
    for (int k = 0; k < PreRollLength; ++k) {
        const double x = noise ? NoiseGenerator.NextSample() : 0.0;
        into.Input[k] = x;
        into.Output[k] = Filtrate(filter, x);
    }
    for (int k = PreRollLength; k < RunSamples; ++k) {
        double x = SignalGenerator.NextSample();
        if (noise) {
            x += NoiseGenerator.NextSample();
        }
        into.Input[k] = x;
        into.Output[k] = Filtrate(filter, x);
    }

    CBenchRun run;
    run.Setup = HeldSetup(source.SignalItem, source.NoiseItem, source.FilterItem);
    run.Input = into.Input;
    run.Output = into.Output;
    run.Count = RunSamples;
    run.ArgMin = RunArgMin;
    run.ArgMax = RunArgMax;
    run.Display = RunDisplayFor(source.SignalItem);
    run.Peak = FindRunPeak(into.Output, RunSamples, PreRollLength);
    return run;
}

namespace {
// Stands for an unknown filter item: every output is 0.
struct CSilentFilter {
    double Filtrate(double) { return 0.0; }
};
} // namespace

CMeasurement CBench::Measure(const CSetupSource& source) {
    ChooseSignal(source.SignalItem);
    PrepareFilters(source);
    NoiseGenerator.Amplitude = source.Gain();
    CMeasurement m = MeasureChosenFilter(source.FilterItem);
    m.Setup = HeldSetup(source.SignalItem, source.NoiseItem, source.FilterItem);
    return m;
}

CMeasurement CBench::MeasureChosenFilter(int filterItem) {
    // The choice of filter cannot change while a measurement runs, so it is
    // made once here rather than for each of up to 30 million samples.
    switch (filterItem) {
    case fiMaf:
        return MeasureNoisePower(MafFilter);
    case fiMafNotIdeal:
        return MeasureNoisePower(MafNotIdealFilter);
    case fiMeandr:
        return MeasureNoisePower(MeandrFilter);
    case fiLowBand1:
        return MeasureNoisePower(LowBandFilter1);
    case fiChebishev:
        return MeasureNoisePower(static_cast<CCascadFilter2&>(ChebishevFilter));
    default: {
        CSilentFilter silent;
        return MeasureNoisePower(silent);
    }
    }
}
