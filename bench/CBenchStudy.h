#pragma once
// A parameter study: one filter, its own parameter (the leaky integrator's
// time constant, the first-order low-pass's time constant or the flat
// low-pass's cut-off) at a number of values between two bounds, and for each
// value what the student would otherwise do by hand -- a noise-free run of
// the signal for its peak U, a registrar measurement of the noise alone for
// its power P, the figures they give (q, efficiency, loss) -- beside the
// theory of the same setup (bench/FilterTheory.h).
//
// Every run and measurement is made on the study's own bench and into its own
// buffers: the arrays the charts show, the window's filters and the journal
// are left as they were. The study goes one value at a time, so that whoever
// drives it can show progress and stop between values.

#include <cstdint>
#include <optional>
#include <vector>

#include "base/TextTable.h"
#include "bench/BenchSetup.h"
#include "bench/CBench.h"
#include "bench/FilterTheory.h"
#include "bench/SignalToNoise.h"

// The number of values a study may have.
constexpr int StudyMinPoints = 2;
constexpr int StudyMaxPoints = 200;
// Bounds more than this factor apart are spaced evenly on a logarithmic scale.
constexpr double StudyLogarithmicRatio = 10.0;

struct CStudyRequest {
    int FilterItem = fiLowBand1;
    int SignalItem = siRectangle; // the delta or the rectangular impulse
    // The bounds, in the unit of the filter's parameter field; either order.
    // The defaults span the first-order low-pass's optimum for the rectangle.
    double From = 10.0;
    double To = 1000.0;
    int Points = 20;
    double Gain = 1.0; // the noise amplifier's gain, V
    // When set, every measurement starts the noise generator from this seed,
    // so that each value sees the same noise.
    std::optional<std::uint32_t> NoiseSeed;
};

// The request as a study runs it: a signal other than the two pulses taken as
// the rectangular impulse; the bounds within the parameter field's range and
// in rising order; the points within StudyMinPoints..StudyMaxPoints (one point
// for a filter without a parameter); the gain within its field's range.
// Non-finite numbers take the defaults.
CStudyRequest NormalizedStudy(const CStudyRequest& request);

// Whether the study's values are spaced logarithmically: the bounds lie more
// than StudyLogarithmicRatio apart.
bool StudyIsLogarithmic(const CStudyRequest& request);

// The parameter values of the study, rising, in the field's unit: the
// normalized bounds and the values evenly between them (on a logarithmic
// scale where StudyIsLogarithmic), the ends exactly the bounds. For a filter
// without a parameter, one value: 0.
std::vector<double> StudyValues(const CStudyRequest& request);

struct CStudyPoint {
    double Value = 0.0;    // the parameter, in its field's unit
    CBenchSetup RunSetup;  // the noise-free run, as the bench applied it
    double Peak = 0.0;     // U: its output's peak magnitude, mV
    CMeasurement Measured; // the registrar's P, with its setup (signal off, noise on)
    CSnrFigures Figures;   // q, efficiency and loss from U and the measured P
    CFilterTheory Theory;  // the same in theory
};

class CBenchStudy {
  public:
    explicit CBenchStudy(const CStudyRequest& request);
    CBenchStudy(const CBenchStudy&) = delete;
    CBenchStudy& operator=(const CBenchStudy&) = delete;

    const CStudyRequest& Request() const { return Normalized; }
    const std::vector<double>& Values() const { return StudyValueList; }
    // The values done so far, in the order of Values().
    const std::vector<CStudyPoint>& Points() const { return Done; }
    bool Finished() const { return Done.size() >= StudyValueList.size(); }

    // Works out the next value; false, doing nothing, once all are done.
    bool Step();
    // All the values still to do.
    void Run();

    // The point of largest efficiency, measured or in theory; none while no
    // point has a value.
    std::optional<int> BestMeasured() const;
    std::optional<int> BestTheory() const;

  private:
    CStudyRequest Normalized;
    std::vector<double> StudyValueList;
    std::vector<CStudyPoint> Done;
    CBench Bench;
    CTheoryBench Theory;
    std::vector<double> Input, Output;
};

// A parameter study as it was made: what was asked and the values done
// (all of them, unless it was stopped).
struct CStudyRecord {
    CStudyRequest Request;           // as normalized
    std::vector<double> Values;      // every value asked for
    std::vector<CStudyPoint> Points; // those done, in order
    bool Complete() const { return Points.size() == Values.size(); }
};

// The record of study as far as it has come.
CStudyRecord RecordOf(const CBenchStudy& study);

// The study's values as a table of texts, as the study page and the report
// show them: the parameter (headed by its symbol and unit, "τ, мс"), U, P,
// q, the efficiency measured and in theory, and the loss in dB (measured).
// numberColumns (when given) says which columns hold numbers: all of them.
TTextTable StudyTable(const CStudyRecord& record, std::vector<bool>* numberColumns = nullptr);

// The setup of a study's value: the request's filter with value as its
// parameter, its signal, no noise, its gain; the other fields at their
// defaults.
CBenchSetup StudySetup(const CStudyRequest& request, double value);
