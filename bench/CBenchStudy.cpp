#include "bench/CBenchStudy.h"

#include <algorithm>
#include <cmath>

#include "bench/BenchSamples.h"
#include "bench/CResults.h"

namespace {

double Finite(double value, double fallback) {
    return std::isfinite(value) ? value : fallback;
}

// The generators' state that a run or measurement changes and the window's
// next run would not set again first: put back when the study's step is done.
class CGeneratorsKept {
  public:
    CGeneratorsKept()
        : Kind(SignalGenerator.Kind), Position(SignalGenerator.Position),
          Amplitude(NoiseGenerator.Amplitude) {}
    ~CGeneratorsKept() {
        SignalGenerator.Kind = Kind;
        SignalGenerator.Position = Position;
        NoiseGenerator.Amplitude = Amplitude;
    }
    CGeneratorsKept(const CGeneratorsKept&) = delete;
    CGeneratorsKept& operator=(const CGeneratorsKept&) = delete;

  private:
    std::int32_t Kind;
    std::int32_t Position;
    double Amplitude;
};

} // namespace

CStudyRequest NormalizedStudy(const CStudyRequest& request) {
    const CStudyRequest defaults;
    CStudyRequest r = request;
    if (r.SignalItem != siDelta) {
        r.SignalItem = siRectangle;
    }
    const CBenchParameter& gain = BenchParameters[bpGain];
    r.Gain = std::clamp(Finite(r.Gain, defaults.Gain), gain.Min, gain.Max);
    const int p = ParameterOfFilter(r.FilterItem);
    if (p == NoBenchParameter) {
        r.From = r.To = 0.0;
        r.Points = 1;
        return r;
    }
    const CBenchParameter& field = BenchParameters[p];
    r.From = std::clamp(Finite(r.From, field.Min), field.Min, field.Max);
    r.To = std::clamp(Finite(r.To, field.Max), field.Min, field.Max);
    if (r.From > r.To) {
        std::swap(r.From, r.To);
    }
    r.Points = std::clamp(r.Points, StudyMinPoints, StudyMaxPoints);
    if (r.From == r.To) {
        r.Points = 1;
    }
    return r;
}

bool StudyIsLogarithmic(const CStudyRequest& request) {
    const CStudyRequest r = NormalizedStudy(request);
    return r.From > 0 && r.To / r.From > StudyLogarithmicRatio;
}

std::vector<double> StudyValues(const CStudyRequest& request) {
    const CStudyRequest r = NormalizedStudy(request);
    if (r.Points == 1) {
        return {r.From};
    }
    const bool logarithmic = StudyIsLogarithmic(r);
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(r.Points));
    for (int i = 0; i < r.Points; ++i) {
        const double f = static_cast<double>(i) / (r.Points - 1);
        values.push_back(logarithmic ? r.From * std::pow(r.To / r.From, f)
                                     : r.From + (r.To - r.From) * f);
    }
    // The ends are the bounds themselves, not what rounding made of them.
    values.front() = r.From;
    values.back() = r.To;
    return values;
}

CBenchSetup StudySetup(const CStudyRequest& request, double value) {
    const CStudyRequest r = NormalizedStudy(request);
    CBenchSetup setup;
    setup.SignalItem = r.SignalItem;
    setup.NoiseItem = niOff;
    setup.FilterItem = r.FilterItem;
    setup.Values[bpGain] = r.Gain;
    const int p = ParameterOfFilter(r.FilterItem);
    if (p != NoBenchParameter) {
        setup.Values[p] = value;
    }
    return setup;
}

CBenchStudy::CBenchStudy(const CStudyRequest& request)
    : Normalized(NormalizedStudy(request)), StudyValueList(StudyValues(request)),
      Input(RunSamples), Output(RunSamples) {
    Done.reserve(StudyValueList.size());
}

bool CBenchStudy::Step() {
    if (Finished()) {
        return false;
    }
    const CGeneratorsKept kept;
    CStudyPoint point;
    point.Value = StudyValueList[Done.size()];
    const CBenchSetup run = StudySetup(Normalized, point.Value);
    const CBenchRun result = Bench.ComputeRun(FixedSource(run), {Input.data(), Output.data()});
    point.RunSetup = result.Setup;
    point.Peak = std::fabs(result.Peak.Value);

    CBenchSetup noise = run;
    noise.SignalItem = siOff;
    noise.NoiseItem = niOn;
    if (Normalized.NoiseSeed) {
        SeedRandom(*Normalized.NoiseSeed);
    }
    point.Measured = Bench.Measure(FixedSource(noise));
    point.Figures = MeasuredFigures(point.RunSetup, point.Peak, point.Measured.Setup,
                                    point.Measured.RegistrarValue);
    point.Theory = Theory.Theory(run);
    Done.push_back(point);
    return true;
}

void CBenchStudy::Run() {
    while (Step()) {
    }
}

namespace {

template <class Efficiency>
std::optional<int> Best(const std::vector<CStudyPoint>& points, Efficiency efficiency) {
    std::optional<int> best;
    for (int i = 0; i < static_cast<int>(points.size()); ++i) {
        const std::optional<double> e = efficiency(points[static_cast<std::size_t>(i)]);
        if (e && (!best || *e > *efficiency(points[static_cast<std::size_t>(*best)]))) {
            best = i;
        }
    }
    return best;
}

} // namespace

std::optional<int> CBenchStudy::BestMeasured() const {
    return Best(Done, [](const CStudyPoint& p) { return p.Figures.Efficiency; });
}

std::optional<int> CBenchStudy::BestTheory() const {
    return Best(Done, [](const CStudyPoint& p) { return p.Theory.Figures.Efficiency; });
}

CStudyRecord RecordOf(const CBenchStudy& study) {
    return {study.Request(), study.Values(), study.Points()};
}

TTextTable StudyTable(const CStudyRecord& record, std::vector<bool>* numberColumns) {
    const int p = ParameterOfFilter(record.Request.FilterItem);
    std::string parameter = "Параметр";
    if (p != NoBenchParameter) {
        parameter = BenchParameters[p].Symbol;
        if (*BenchParameters[p].Unit != '\0') {
            parameter += std::string(", ") + BenchParameters[p].Unit;
        }
    }
    TTextTable table{{parameter, "U, мВ", "P, мВ*мВ", "q", "η измеренная", "η теоретическая",
                      "Потери, дБ"}};
    for (const CStudyPoint& point : record.Points) {
        table.push_back({p == NoBenchParameter ? std::string("—") : BenchNumberText(point.Value),
                         PeakText(point.Peak), PowerText(point.Measured.RegistrarValue),
                         RatioText(point.Figures.Q), EfficiencyText(point.Figures.Efficiency),
                         EfficiencyText(point.Theory.Figures.Efficiency),
                         LossText(point.Figures.LossDb)});
    }
    if (numberColumns) {
        numberColumns->assign(table[0].size(), true);
    }
    return table;
}
