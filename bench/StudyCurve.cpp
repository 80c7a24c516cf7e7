#include "bench/StudyCurve.h"

#include <cmath>

#include "bench/FilterTheory.h"

CStudyCurve StudyTheoryCurve(const CStudyRequest& request, int points) {
    CStudyRequest r = request;
    r.Points = points;
    r = NormalizedStudy(r);
    CStudyCurve curve;
    curve.Values = StudyValues(r);
    curve.Efficiency.reserve(curve.Values.size());
    CTheoryBench theory;
    for (double value : curve.Values) {
        curve.Efficiency.push_back(theory.Theory(StudySetup(r, value)).Figures.Efficiency);
    }
    return curve;
}

namespace {

// Keeps (value, eta) in best when eta is larger than what best holds.
void Consider(std::optional<CStudyOptimum>& best, double value, std::optional<double> eta,
              bool theory) {
    if (eta && std::isfinite(*eta) && (!best || *eta > best->Efficiency)) {
        best = CStudyOptimum{value, *eta, std::nullopt, theory};
    }
}

} // namespace

std::optional<CStudyOptimum> StudyOptimum(const CStudyRecord& record, const CStudyCurve& curve) {
    std::optional<CStudyOptimum> best;
    for (std::size_t i = 0; i < curve.Values.size() && i < curve.Efficiency.size(); ++i) {
        Consider(best, curve.Values[i], curve.Efficiency[i], true);
    }
    for (const CStudyPoint& point : record.Points) {
        Consider(best, point.Value, point.Theory.Figures.Efficiency, true);
    }
    if (!best) {
        for (const CStudyPoint& point : record.Points) {
            Consider(best, point.Value, point.Figures.Efficiency, false);
        }
    }
    if (best && best->Efficiency > 0) {
        best->LossDb = -10.0 * std::log10(best->Efficiency);
    }
    return best;
}

double MatchedFilterEfficiency(int signalItem) {
    if (signalItem == siDelta) {
        return 1.0;
    }
    // Worked out once: a theory builds a bench of its own, whose design of
    // the flat-passband low-pass takes longer than a chart's drawing.
    static const double rectangle = [] {
        CBenchSetup setup;
        setup.SignalItem = siRectangle;
        setup.NoiseItem = niOff;
        setup.FilterItem = fiMaf;
        return FilterTheory(setup).Figures.Efficiency.value_or(1.0);
    }();
    return rectangle;
}
