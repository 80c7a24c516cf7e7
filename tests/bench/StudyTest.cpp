#include "bench/CBenchStudy.h"

#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "base/MessageHook.h"

namespace {

CStudyRequest Request(int filter, double from, double to, int points) {
    CStudyRequest r;
    r.FilterItem = filter;
    r.From = from;
    r.To = to;
    r.Points = points;
    return r;
}

} // namespace

TEST(StudyValues, EvenlyOnTheScaleTheBoundsCallFor) {
    // Two decades: logarithmic, every step the same factor.
    const std::vector<double> log = StudyValues(Request(fiLowBand1, 10, 1000, 5));
    ASSERT_EQ(log.size(), 5u);
    EXPECT_EQ(log.front(), 10.0);
    EXPECT_EQ(log.back(), 1000.0);
    for (std::size_t i = 1; i < log.size(); ++i) {
        EXPECT_NEAR(log[i] / log[i - 1], std::sqrt(10.0), 1e-12) << i;
    }
    EXPECT_TRUE(StudyIsLogarithmic(Request(fiLowBand1, 10, 1000, 5)));
    // Within a decade: evenly, 10 ms apart.
    EXPECT_EQ(StudyValues(Request(fiLowBand1, 60, 100, 5)),
              (std::vector<double>{60, 70, 80, 90, 100}));
    EXPECT_FALSE(StudyIsLogarithmic(Request(fiLowBand1, 20, 200, 5)));
    // Bounds in either order, and kept within the field's range.
    EXPECT_EQ(StudyValues(Request(fiLowBand1, 100, 60, 5)).front(), 60.0);
    const std::vector<double> wide = StudyValues(Request(fiChebishev, -5, 1e9, 3));
    ASSERT_EQ(wide.size(), 3u);
    EXPECT_EQ(wide[0], 1.0);
    EXPECT_NEAR(wide[1], std::sqrt(300.0), 1e-12);
    EXPECT_EQ(wide[2], 300.0);
    // The number of values within its bounds; one where the bounds meet.
    EXPECT_EQ(StudyValues(Request(fiMafNotIdeal, 10, 100000, 1)).size(), 2u);
    EXPECT_EQ(StudyValues(Request(fiMafNotIdeal, 10, 100000, 100000)).size(),
              static_cast<std::size_t>(StudyMaxPoints));
    EXPECT_EQ(StudyValues(Request(fiLowBand1, 50, 50, 20)), (std::vector<double>{50.0}));
    // Numbers that are none take the field's bounds.
    const std::vector<double> unread = StudyValues(Request(fiLowBand1, NAN, INFINITY, 3));
    ASSERT_EQ(unread.size(), 3u);
    EXPECT_EQ(unread[0], 10.0);
    EXPECT_NEAR(unread[1], std::sqrt(1e5), 1e-9);
    EXPECT_EQ(unread[2], 10000.0);
    // A filter without a parameter: one value.
    EXPECT_EQ(StudyValues(Request(fiMaf, 10, 1000, 20)).size(), 1u);
    EXPECT_EQ(NormalizedStudy(Request(fiMeandr, 10, 1000, 20)).Points, 1);
    CStudyRequest other = Request(fiLowBand1, 10, 100, 2);
    other.SignalItem = siOff;
    other.Gain = 1e9;
    EXPECT_EQ(NormalizedStudy(other).SignalItem, siRectangle);
    EXPECT_EQ(NormalizedStudy(other).Gain, 1000.0);
}

// A study, whole or stopped half-way, leaves what the window shows alone: the
// charts' arrays, the generators as the window set them, no message.
TEST(Study, LeavesTheChartsArraysAndGeneratorsAsTheyWere) {
    MessageRecorder messages;
    std::fill(InputSamples, InputSamples + RunSamples, 0.5);
    std::fill(OutputSamples, OutputSamples + RunSamples, -0.5);
    SignalGenerator.Kind = skDelta;
    SignalGenerator.Position = 7;
    NoiseGenerator.Amplitude = 3.0;
    {
        CStudyRequest r = Request(fiChebishev, 5, 200, 6);
        r.Gain = 0.5;
        CBenchStudy study(r);
        ASSERT_TRUE(study.Step());
        ASSERT_TRUE(study.Step());
        EXPECT_EQ(study.Points().size(), 2u);
        EXPECT_FALSE(study.Finished());
    } // stopped between values
    for (int k = 0; k < RunSamples; ++k) {
        ASSERT_EQ(InputSamples[k], 0.5) << k;
        ASSERT_EQ(OutputSamples[k], -0.5) << k;
    }
    EXPECT_EQ(SignalGenerator.Kind, skDelta);
    EXPECT_EQ(SignalGenerator.Position, 7);
    EXPECT_EQ(NoiseGenerator.Amplitude, 3.0);
    EXPECT_TRUE(messages.Messages().empty());
    NoiseGenerator.Amplitude = 1.0;
}

// The first-order low-pass on the rectangle: at every value the run's peak is
// that of y[n] = a y[n-1] + (1 - a) 100 x[n] worked out here, the measured
// efficiency lies within the registrar's error of the theory, and the optimum
// comes at 75 to 85 ms.
TEST(Study, FirstOrderLowPassPeaksNearEightyMilliseconds) {
    SeedRandom(11);
    CBenchStudy study(Request(fiLowBand1, 40, 160, 25));
    study.Run();
    ASSERT_TRUE(study.Finished());
    ASSERT_EQ(study.Points().size(), 25u);
    for (const CStudyPoint& p : study.Points()) {
        const double a = std::exp(-1.0 / p.Value);
        double y = 0;
        for (int n = 0; n < PulseLength; ++n) {
            y = a * y + (1 - a) * 100.0;
        }
        ASSERT_NEAR(p.Peak, y, 1e-9 * y) << p.Value;
        EXPECT_EQ(p.RunSetup.Values[bpTimeConstant], p.Value);
        EXPECT_EQ(p.Measured.Setup.SignalItem, siOff);
        // eta = U^2 / (sigma^2 g^2 / (1 - a^2)) / (E / sigma^2), g = (1 - a) 100.
        const double g = (1 - a) * 100.0;
        const double eta = y * y * (1 - a * a) / (g * g) / PulseLength;
        ASSERT_TRUE(p.Theory.Figures.Efficiency.has_value());
        EXPECT_NEAR(*p.Theory.Figures.Efficiency, eta, 1e-9) << p.Value;
        ASSERT_TRUE(p.Figures.Efficiency.has_value());
        const std::optional<CRegistrarError> error =
            RegistrarErrorFor(p.Measured.Setup, p.Measured.Batches);
        ASSERT_TRUE(error.has_value());
        EXPECT_TRUE(EfficiencyWithinRegistrarError(*p.Figures.Efficiency, eta, *error, 4.0))
            << p.Value << ": " << *p.Figures.Efficiency << " against " << eta;
    }
    ASSERT_TRUE(study.BestTheory().has_value());
    const double best = study.Points()[static_cast<std::size_t>(*study.BestTheory())].Value;
    EXPECT_GE(best, 75.0);
    EXPECT_LE(best, 85.0);
    EXPECT_NEAR(*study.Points()[static_cast<std::size_t>(*study.BestTheory())].Theory.Figures.Efficiency,
                0.8145, 0.001);
    ASSERT_TRUE(study.BestMeasured().has_value());
}

// With a seed kept, every measurement starts from the same noise, whatever
// the random sequence had come to; without, each sees noise of its own.
TEST(Study, AKeptSeedRepeatsTheNoise) {
    CStudyRequest r = Request(fiMafNotIdeal, 1000, 2000, 2);
    const auto powers = [&r](std::uint32_t before) {
        SeedRandom(before);
        CBenchStudy study(r);
        study.Run();
        return std::vector<double>{study.Points()[0].Measured.RegistrarValue,
                                   study.Points()[1].Measured.RegistrarValue};
    };
    EXPECT_NE(powers(1), powers(2));
    r.NoiseSeed = 123;
    EXPECT_EQ(powers(1), powers(2));
}
