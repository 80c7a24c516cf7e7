#pragma once
// What a parameter study is held against: the theory of its filter as a
// curve between the study's bounds, much finer than the values the study
// measures; the optimum of the parameter that curve (or the study) gives;
// and the efficiency of the bench's matched filter for the study's signal,
// the most any filter can give. The study's chart draws these beside the
// measured values.

#include <optional>
#include <vector>

#include "bench/CBenchStudy.h"

// Values of a theory curve; the theory of a value takes well under a
// millisecond for most filters, so 200 cost little next to the study.
constexpr int StudyCurvePoints = 200;

struct CStudyCurve {
    // The parameter, in its field's unit, rising and spaced as StudyValues
    // spaces the study's values (evenly on a logarithmic scale where
    // StudyIsLogarithmic), the ends the study's bounds.
    std::vector<double> Values;
    // The efficiency in theory at each value; none where it has no meaning.
    std::vector<std::optional<double>> Efficiency;
};

// The theory of the request's filter and signal at points values
// (2 .. StudyMaxPoints; one where the bounds meet or the filter has no
// parameter) between the request's bounds, as normalized.
CStudyCurve StudyTheoryCurve(const CStudyRequest& request, int points = StudyCurvePoints);

// The value of the parameter at which the filter comes closest to the
// matched filter.
struct CStudyOptimum {
    double Value = 0.0;           // in the parameter field's unit
    double Efficiency = 0.0;      // eta there
    std::optional<double> LossDb; // -10 log10 eta, dB; none for eta = 0
    bool Theory = false;          // from the theory; else from the measured values
};

// The largest efficiency in theory, over the curve and the study's values;
// where theory has none, the largest measured one; none when neither has a
// value.
std::optional<CStudyOptimum> StudyOptimum(const CStudyRecord& record, const CStudyCurve& curve);

// The efficiency of the bench's matched filter for signalItem: for the
// rectangular impulse the moving sum of its own length (100/101, its window
// one sample shorter than the impulse); a delta's matched filter is a plain
// gain, which the bench lacks, and is the ideal one, 1. Any other item is
// taken as the rectangle, as NormalizedStudy takes it.
double MatchedFilterEfficiency(int signalItem);
