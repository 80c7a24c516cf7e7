// The theory a study is held against: its curve spaced as the study's values,
// the optimum it gives, and the matched filter's level.

#include "bench/StudyCurve.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

CStudyRequest Request(int filter, int signal, double from, double to, int points) {
    CStudyRequest r;
    r.FilterItem = filter;
    r.SignalItem = signal;
    r.From = from;
    r.To = to;
    r.Points = points;
    return r;
}

} // namespace

TEST(StudyCurve, IsSpacedAsTheStudysValuesAndAgreesWithTheirTheory) {
    const CStudyRequest r = Request(fiLowBand1, siRectangle, 10, 1000, 20);
    const CStudyCurve curve = StudyTheoryCurve(r);
    CStudyRequest fine = r;
    fine.Points = StudyCurvePoints;
    EXPECT_EQ(curve.Values, StudyValues(fine));
    ASSERT_EQ(curve.Efficiency.size(), curve.Values.size());
    // At the study's own values the curve is the study's theory.
    CBenchStudy study(r);
    study.Step();
    ASSERT_TRUE(curve.Efficiency.front().has_value());
    EXPECT_DOUBLE_EQ(*curve.Efficiency.front(), *study.Points()[0].Theory.Figures.Efficiency);
    // The bounds in the wrong order and out of range, as the study takes them.
    const CStudyCurve swapped = StudyTheoryCurve(Request(fiChebishev, siDelta, 1e6, 0, 5), 7);
    ASSERT_EQ(swapped.Values.size(), 7u);
    EXPECT_EQ(swapped.Values.front(), 1.0);
    EXPECT_EQ(swapped.Values.back(), 300.0);
    EXPECT_EQ(StudyTheoryCurve(Request(fiLowBand1, siRectangle, 80, 80, 20)).Values,
              std::vector<double>{80.0});
}

TEST(StudyCurve, TheOptimumComesFromTheoryElseFromTheMeasuredValues) {
    // The first-order low-pass's optimum for the rectangle, about 0.8 of the
    // impulse's length, found between the study's values of 69.5 and 88.6 ms.
    const CStudyRequest r = Request(fiLowBand1, siRectangle, 10, 1000, 20);
    CStudyRecord record{NormalizedStudy(r), StudyValues(r), {}};
    const CStudyCurve curve = StudyTheoryCurve(r);
    std::optional<CStudyOptimum> best = StudyOptimum(record, curve);
    ASSERT_TRUE(best.has_value());
    EXPECT_TRUE(best->Theory);
    EXPECT_GT(best->Value, 75.0);
    EXPECT_LT(best->Value, 85.0);
    EXPECT_NEAR(best->Efficiency, 0.8145, 0.001);
    ASSERT_TRUE(best->LossDb.has_value());
    EXPECT_NEAR(*best->LossDb, -10 * std::log10(best->Efficiency), 1e-12);

    // Without theory, the largest measured efficiency; without either, none.
    CStudyPoint a, b;
    a.Value = 20;
    a.Figures.Efficiency = 0.5;
    b.Value = 40;
    b.Figures.Efficiency = 0.7;
    record.Points = {a, b};
    best = StudyOptimum(record, CStudyCurve{});
    ASSERT_TRUE(best.has_value());
    EXPECT_FALSE(best->Theory);
    EXPECT_EQ(best->Value, 40.0);
    EXPECT_EQ(best->Efficiency, 0.7);
    record.Points[1].Figures.Efficiency.reset();
    record.Points[0].Figures.Efficiency = 0.0;
    best = StudyOptimum(record, CStudyCurve{});
    ASSERT_TRUE(best.has_value());
    EXPECT_FALSE(best->LossDb.has_value());
    record.Points[0].Figures.Efficiency.reset();
    EXPECT_FALSE(StudyOptimum(record, CStudyCurve{}).has_value());
}

TEST(StudyCurve, TheMatchedFiltersLevel) {
    // The moving sum of 100 samples against the impulse of 101.
    EXPECT_NEAR(MatchedFilterEfficiency(siRectangle), 100.0 / 101.0, 1e-12);
    EXPECT_EQ(MatchedFilterEfficiency(siOff), MatchedFilterEfficiency(siRectangle));
    EXPECT_EQ(MatchedFilterEfficiency(siDelta), 1.0);
}
