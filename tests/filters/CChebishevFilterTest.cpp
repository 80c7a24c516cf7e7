#include "filters/CChebishevFilter.h"

#include <climits>
#include <cmath>
#include <complex>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/MessageHook.h"

namespace {

const double Pi = 3.14159265358979323846;
const double Inf = std::numeric_limits<double>::infinity();
const double NaN = std::numeric_limits<double>::quiet_NaN();

// |H(e^jw)| from the sections' coefficients, without the cascade's own gain:
// each section is g (b0 + b1 z^-1 + b2 z^-2) / (1 - a1 z^-1 - a2 z^-2).
double Magnitude(const CCascadFilter2& f, double w) {
    const std::complex<double> z1 = std::polar(1.0, -w);
    std::complex<double> h = 1.0;
    for (const CDigitalFilter2* s = f.GetFirstCascade(); s != nullptr; s = s->GetNext()) {
        h *= s->GetGain() * (s->GetB(0) + s->GetB(1) * z1 + s->GetB(2) * z1 * z1) /
             (1.0 - s->GetA(1) * z1 - s->GetA(2) * z1 * z1);
    }
    return std::abs(h);
}

void ConfigureBench(CChebishevFilter& f, int order) {
    f.SetAutoOrder(false);
    f.SetRipple(0.05);
    f.SetOrder(order);
    f.SetCyclicBandEdge(0.05);
    f.SetGain(100.0);
    f.Design();
}

bool DerivedValuesFinite(const CChebishevFilter& f) {
    for (double v :
         {f.GetBandEdge(), f.GetCyclicBandEdge(), f.GetPassLevel(), f.GetPassLevelDb(),
          f.GetTransitionWidth(), f.GetActualTransition(), f.GetStopLevel(), f.GetStopLevelDb(),
          f.GetRipple(), f.GetRippleDb(), f.GetRippleLevel(), f.GetPassEps2(), f.GetStopEps2(),
          f.GetRippleEps2(), f.GetRippleEdge(), f.GetPrewarpedEdge(), f.GetStopEdge()}) {
        if (std::isnan(v)) {
            return false;
        }
    }
    return true;
}

bool CoefficientsFinite(const CCascadFilter2& f) {
    for (const CDigitalFilter2* s = f.GetFirstCascade(); s != nullptr; s = s->GetNext()) {
        for (double v :
             {s->GetGain(), s->GetA(1), s->GetA(2), s->GetB(0), s->GetB(1), s->GetB(2)}) {
            if (!std::isfinite(v)) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

TEST(CChebishevFilter, ConstructorPicksOrderNineteen) {
    MessageRecorder rec;
    CChebishevFilter f;
    EXPECT_TRUE(rec.Messages().empty());
    EXPECT_TRUE(f.GetAutoOrder());
    EXPECT_EQ(f.GetOrder(), 19);
    EXPECT_NEAR(f.GetActualTransition(), 0.0924, 5e-5);
    EXPECT_DOUBLE_EQ(f.GetTransitionWidth(), 0.1);
    EXPECT_DOUBLE_EQ(f.GetPassLevel(), std::pow(10.0, -3.0 / 20));
    EXPECT_DOUBLE_EQ(f.GetStopLevel(), std::pow(10.0, -30.0 / 20));
    EXPECT_EQ(f.GetBandEdge(), 1.0);
    EXPECT_EQ(f.GetCascadeCount(), 1); // not designed yet

    // Order 18 misses the requirement.
    f.SetAutoOrder(false);
    f.SetOrder(18);
    f.SetBandEdge(1.0);
    EXPECT_NEAR(f.GetActualTransition(), 0.1029, 5e-5);

    // A requirement that no order meets leaves the largest order.
    CChebishevFilter g;
    g.SetTransitionWidth(1e-4);
    EXPECT_EQ(g.GetOrder(), 60);
    EXPECT_GT(g.GetActualTransition(), g.GetTransitionWidth());
}

TEST(CChebishevFilter, BenchSettings) {
    CChebishevFilter f;
    ConfigureBench(f, 10);
    EXPECT_EQ(f.GetCascadeCount(), 5);
    EXPECT_NEAR(f.GetRippleEdge(), 0.155921, 5e-7);
    EXPECT_NEAR(f.GetStopEdge(), 0.237433, 5e-7);
    EXPECT_NEAR(f.GetActualTransition(), 0.484066, 5e-7);
    EXPECT_EQ(f.GetTransitionWidth(), f.GetActualTransition());
    EXPECT_DOUBLE_EQ(f.GetCyclicBandEdge(), 0.05);
    EXPECT_NEAR(Magnitude(f, 0.0), 0.95, 1e-12);
    EXPECT_NEAR(Magnitude(f, 0.1 * Pi), std::pow(10.0, -3.0 / 20), 1e-12);
    EXPECT_NEAR(Magnitude(f, 2 * std::atan(f.GetRippleEdge())), 0.95, 1e-12);
    for (const CDigitalFilter2* s = f.GetFirstCascade(); s != nullptr; s = s->GetNext()) {
        EXPECT_EQ(s->GetB(0), 1.0);
        EXPECT_EQ(s->GetB(1), 2.0);
        EXPECT_EQ(s->GetB(2), 1.0);
    }

    // The cascade's gain of 100 on a constant input settles at 95.
    f.Reset();
    double y = 0.0;
    for (int n = 0; n < 3000; ++n) {
        y = f.Filtrate(1.0);
    }
    EXPECT_NEAR(y, 95.0, 1e-6);
}

TEST(CChebishevFilter, OddOrdersHaveFirstOrderHead) {
    CChebishevFilter f;
    ConfigureBench(f, 5);
    EXPECT_EQ(f.GetCascadeCount(), 3);
    const CDigitalFilter2* head = f.GetFirstCascade();
    EXPECT_EQ(head->GetB(0), 1.0);
    EXPECT_EQ(head->GetB(1), 1.0);
    EXPECT_EQ(head->GetB(2), 0.0);
    EXPECT_EQ(head->GetA(2), 0.0);
    EXPECT_NEAR(Magnitude(f, 0.0), 1.0, 1e-12);
    EXPECT_NEAR(Magnitude(f, 0.1 * Pi), std::pow(10.0, -3.0 / 20), 1e-12);

    ConfigureBench(f, 1);
    EXPECT_EQ(f.GetCascadeCount(), 1);
    EXPECT_EQ(f.GetFirstCascade()->GetB(1), 1.0);
    EXPECT_NEAR(Magnitude(f, 0.0), 1.0, 1e-12);
    EXPECT_NEAR(Magnitude(f, 0.1 * Pi), f.GetPassLevel(), 1e-12);
}

TEST(CChebishevFilter, DesignTwiceGivesTheSameSections) {
    CChebishevFilter f;
    ConfigureBench(f, 9);
    std::vector<double> first;
    for (const CDigitalFilter2* s = f.GetFirstCascade(); s != nullptr; s = s->GetNext()) {
        first.insert(first.end(), {s->GetGain(), s->GetA(1), s->GetA(2), s->GetB(1), s->GetB(2)});
    }
    // An even design in between rewrites the head as a second-order section.
    ConfigureBench(f, 4);
    ConfigureBench(f, 9);
    f.Design();
    std::vector<double> again;
    for (const CDigitalFilter2* s = f.GetFirstCascade(); s != nullptr; s = s->GetNext()) {
        again.insert(again.end(), {s->GetGain(), s->GetA(1), s->GetA(2), s->GetB(1), s->GetB(2)});
    }
    EXPECT_EQ(first, again);
    EXPECT_EQ(f.GetCascadeCount(), 5);
}

TEST(CChebishevFilter, EverySectionStableForAllOrdersAndBandEdges) {
    CChebishevFilter f;
    f.SetAutoOrder(false);
    for (double ripple : {0.05, 0.5}) {
        f.SetRipple(ripple);
        for (int n = 1; n <= 60; ++n) {
            std::vector<double> edges;
            for (double edge = 0.001; edge < 0.45; edge *= 1.25) {
                edges.push_back(edge);
            }
            edges.push_back(0.45);
            for (double edge : edges) {
                f.SetOrder(n);
                f.SetCyclicBandEdge(edge);
                f.Design();
                SCOPED_TRACE(testing::Message() << "n=" << n << " f=" << edge << " r=" << ripple);
                ASSERT_EQ(f.GetCascadeCount(), (n + 1) / 2);
                for (const CDigitalFilter2* s = f.GetFirstCascade(); s; s = s->GetNext()) {
                    // Poles of z^2 - a1 z - a2 lie inside the unit circle
                    // exactly when (a1, a2) is inside this triangle.
                    const double a1 = s->GetA(1), a2 = s->GetA(2);
                    ASSERT_LT(std::fabs(a2), 1.0);
                    ASSERT_LT(std::fabs(a1), 1.0 - a2);
                }
                ASSERT_NEAR(Magnitude(f, 0.0), n % 2 ? 1.0 : 1.0 - ripple, 1e-6);
            }
        }
    }
}

TEST(CChebishevFilter, NyquistBandEdgeDegeneratesToAFlatGain) {
    // tan(pi/2) of the double pi is about 1.6e16: the poles fall onto z = -1
    // and cancel the zeros there, leaving the passband level at every frequency.
    CChebishevFilter f;
    for (int n : {1, 2, 7, 10, 60}) {
        SCOPED_TRACE(n);
        ConfigureBench(f, n);
        EXPECT_EQ(f.SetCyclicBandEdge(0.5), 0.5);
        f.Design();
        EXPECT_TRUE(DerivedValuesFinite(f));
        EXPECT_TRUE(CoefficientsFinite(f));
        EXPECT_EQ(f.GetActualTransition(), 0.0);
        const double level = n % 2 ? 1.0 : 0.95;
        for (double w : {0.0, 1.0, 3.0}) {
            EXPECT_NEAR(Magnitude(f, w), level, 1e-6);
        }
        f.Reset();
        std::mt19937 rng(3);
        std::normal_distribution<double> noise;
        for (int k = 0; k < 7500; ++k) {
            const double x = noise(rng);
            ASSERT_NEAR(f.Filtrate(x), 100.0 * level * x, 1e-6);
        }
    }
}

TEST(CChebishevFilter, ExtremeAcceptedValuesGiveNoNaN) {
    MessageRecorder rec;
    CChebishevFilter f;
    f.SetStopLevel(1e-300); // 1/Ks^2 overflows
    EXPECT_TRUE(DerivedValuesFinite(f));
    f.SetBandEdge(1e-320);
    EXPECT_TRUE(DerivedValuesFinite(f));
    f.SetBandEdge(std::numeric_limits<double>::denorm_min());
    EXPECT_TRUE(DerivedValuesFinite(f));
    f.Design();
    EXPECT_TRUE(CoefficientsFinite(f));
    f.SetTransitionWidth(Inf); // any order meets it
    EXPECT_EQ(f.GetOrder(), 1);
    f.SetRipple(1e-300); // cannot be told from no ripple at all
    EXPECT_EQ(f.GetRipple(), 0.01);
    f.SetRipple(2e-16); // the smallest span that still moves 1 - r
    EXPECT_GT(f.GetRippleEps2(), 0.0);
    for (int n : {1, 2, 60}) {
        f.SetAutoOrder(false);
        f.SetOrder(n);
        f.SetCyclicBandEdge(0.05);
        f.Design();
        EXPECT_TRUE(DerivedValuesFinite(f));
        EXPECT_TRUE(CoefficientsFinite(f));
    }
}

TEST(CChebishevFilter, BandEdgeWhoseCyclicFormUnderflowsIsCorrected) {
    const std::string bandPositive =
        "Верхняя граница полосы пропускания должна быть положительна.\n Произведена коррекция";
    const double tiny = std::numeric_limits<double>::denorm_min();
    MessageRecorder rec;
    CChebishevFilter f;
    rec.Clear();
    // w / (2 pi) of the smallest doubles rounds to 0, outside 0 < f <= 0.5.
    for (double w : {tiny, 2 * tiny, 3 * tiny}) {
        EXPECT_EQ(f.SetBandEdge(w), 0.01) << w;
        EXPECT_GT(f.GetCyclicBandEdge(), 0.0);
        EXPECT_EQ(rec.Take(), std::vector<std::string>{bandPositive});
    }
    // The smallest edge whose cyclic form is still positive is kept as it is.
    EXPECT_EQ(f.SetBandEdge(4 * tiny), 4 * tiny);
    EXPECT_EQ(f.GetCyclicBandEdge(), tiny);
    EXPECT_TRUE(rec.Messages().empty());
}

TEST(CChebishevFilter, CorrectionsAndTheirMessagesInOrder) {
    const std::string bandTooHigh = "Верхняя граница полосы пропускания не должна превышать "
                                    "3.1415...\n Произведена коррекция.";
    const std::string bandPositive =
        "Верхняя граница полосы пропускания должна быть положительна.\n Произведена коррекция";
    const std::string cyclicTooHigh =
        "Циклическая нормированная частота не должна превышать 0.5\n Произведена коррекция.";
    const std::string passLow = "Уровень верхней границы полосы пропускания должен быть не менее "
                                "0.5 (-6дБ) \n Произведена коррекция.";
    const std::string passHigh = "Уровень верхней границы полосы пропускания должен быть не более "
                                 "0.9 (-1дБ)\n Произведена коррекция.";
    const std::string passAboveRipple = "Уровень верхней границы полосы пропускания должен быть не "
                                        "больше нижнего уровня пульсаций.\n Произведена коррекция";
    const std::string widthPositive = "Относительная ширина переходной полосы не может быть меньше "
                                      "или равной нулю.\n Произведена коррекция.";
    const std::string stopPositive = "Уровень нижней границы полосы подавления должен быть "
                                     "положительным.\n Произведена коррекция.";
    const std::string stopHigh = "Уровень нижней границы полосы подавления должен быть не более "
                                 "0.3 (-10дБ)\n Произведена коррекция.";
    const std::string stopDbLow = "Уровень нижней границы полосы подавления должен быть не меньше "
                                  "-400дБ)\n Произведена коррекция.";
    const std::string ripplePositive =
        "Размах пульсаций должен быть положительным.\n Произведена коррекция";
    const std::string rippleHigh =
        "Размах пульсаций не должен превышать 50%.\n Произведена коррекция";
    const std::string rippleBelowPass =
        "Нижний уровень пульсаций не может быть ниже уровня полосы пропускания.\n Произведена "
        "коррекция";
    const std::string orderPositive =
        "Порядок фильтра должен быть положительным\n Произведена коррекция.";
    const std::string orderHigh = "Порядок фильтра должен быть меньше 60\n Произведена коррекция.";
    using Texts = std::vector<std::string>;

    MessageRecorder rec;
    CChebishevFilter f;
    EXPECT_EQ(f.SetBandEdge(4.0), Pi);
    EXPECT_DOUBLE_EQ(f.GetCyclicBandEdge(), 0.5);
    EXPECT_EQ(rec.Take(), Texts{bandTooHigh});
    EXPECT_EQ(f.SetBandEdge(Inf), Pi);
    EXPECT_EQ(f.SetBandEdge(-Inf), 0.01);
    EXPECT_EQ(f.SetBandEdge(NaN), 0.01);
    EXPECT_EQ(rec.Take(), (Texts{bandTooHigh, bandPositive, bandPositive}));

    EXPECT_EQ(f.SetCyclicBandEdge(-0.1), 0.01);
    EXPECT_DOUBLE_EQ(f.GetBandEdge(), 0.02 * Pi);
    EXPECT_EQ(f.SetCyclicBandEdge(0.7), 0.5);
    EXPECT_EQ(f.GetBandEdge(), Pi);
    EXPECT_EQ(f.SetCyclicBandEdge(NaN), 0.01);
    EXPECT_EQ(rec.Take(), (Texts{bandPositive, cyclicTooHigh, bandPositive}));

    EXPECT_NEAR(f.SetPassLevelDb(3.0), -3.0, 1e-12);
    EXPECT_TRUE(rec.Messages().empty());
    EXPECT_NEAR(f.SetPassLevelDb(-10.0), -6.0206, 1e-4);
    EXPECT_EQ(f.GetPassLevel(), 0.5);
    EXPECT_EQ(rec.Take(), Texts{passLow});
    EXPECT_NEAR(f.SetPassLevelDb(NaN), -6.0206, 1e-4);
    EXPECT_EQ(rec.Take(), Texts{passLow});

    EXPECT_EQ(f.SetRipple(0.2), 0.2);
    EXPECT_TRUE(rec.Messages().empty());
    EXPECT_EQ(f.SetPassLevel(0.85), 0.85);
    EXPECT_DOUBLE_EQ(f.GetRipple(), 0.15);
    EXPECT_EQ(f.GetRippleLevel(), 0.85);
    EXPECT_EQ(rec.Take(), Texts{passAboveRipple});
    EXPECT_EQ(f.SetPassLevel(Inf), 0.9);
    EXPECT_EQ(rec.Take(), (Texts{passHigh, passAboveRipple}));

    f.SetPassLevelDb(-3.0);
    rec.Clear();
    EXPECT_EQ(f.SetRipple(0.4), 0.4);
    EXPECT_DOUBLE_EQ(f.GetPassLevel(), 0.6);
    EXPECT_NEAR(f.GetPassLevelDb(), 20 * std::log10(0.6), 1e-12);
    EXPECT_EQ(rec.Take(), Texts{rippleBelowPass});
    f.SetRipple(0.1);
    f.SetPassLevelDb(-3.0);
    rec.Clear();
    EXPECT_EQ(f.SetRipple(0.6), 0.5);
    EXPECT_EQ(f.GetPassLevel(), 0.5);
    EXPECT_EQ(rec.Take(), (Texts{rippleHigh, rippleBelowPass}));
    EXPECT_EQ(f.SetRipple(NaN), 0.01);
    EXPECT_EQ(f.SetRipple(-1.0), 0.01);
    EXPECT_EQ(rec.Take(), (Texts{ripplePositive, ripplePositive}));

    EXPECT_EQ(f.SetOrder(0), 1);
    EXPECT_EQ(f.SetOrder(INT_MIN), 1);
    EXPECT_EQ(f.SetOrder(61), 60);
    EXPECT_EQ(f.SetOrder(INT_MAX), 60);
    EXPECT_EQ(rec.Take(), (Texts{orderPositive, orderPositive, orderHigh, orderHigh}));
    EXPECT_EQ(f.SetOrder(60), 60);
    EXPECT_TRUE(rec.Messages().empty());

    EXPECT_EQ(f.SetTransitionWidth(-5.0), 10.0);
    EXPECT_EQ(f.SetTransitionWidth(NaN), 10.0);
    EXPECT_EQ(rec.Take(), (Texts{widthPositive, widthPositive}));

    EXPECT_EQ(f.SetStopLevelDb(-500.0), -400.0);
    EXPECT_DOUBLE_EQ(f.GetStopLevel(), 1e-20);
    EXPECT_EQ(rec.Take(), Texts{stopDbLow});
    EXPECT_DOUBLE_EQ(f.SetStopLevelDb(20.0), -20.0);
    EXPECT_DOUBLE_EQ(f.GetStopLevel(), 0.1);
    EXPECT_TRUE(rec.Messages().empty());
    EXPECT_EQ(f.SetStopLevelDb(NaN), -400.0);
    EXPECT_EQ(f.SetStopLevelDb(Inf), -400.0); // taken as -inf dB
    EXPECT_EQ(rec.Take(), (Texts{stopDbLow, stopDbLow}));
    EXPECT_EQ(f.SetStopLevel(0.5), 0.3);
    EXPECT_EQ(f.SetStopLevel(0.0), 0.01);
    EXPECT_EQ(f.SetStopLevel(NaN), 0.01);
    EXPECT_EQ(rec.Take(), (Texts{stopHigh, stopPositive, stopPositive}));
    EXPECT_TRUE(DerivedValuesFinite(f));
}
