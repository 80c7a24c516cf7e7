#include "filters/CCascadFilter2.h"

#include <cmath>
#include <limits>

#include "filters/CChebishevFilter.h"

#include <gtest/gtest.h>

TEST(CDigitalFilter2, FreshSectionPassesInputAndIndexesOutsideAreIgnored) {
    CDigitalFilter2 s;
    for (double x : {1.0, -2.5, 0.0, 7.0}) {
        EXPECT_EQ(s.Filtrate(x), x);
    }
    s.SetA(0, 5.0);
    s.SetA(3, 5.0);
    s.SetB(3, 5.0);
    s.SetB(-1, 5.0);
    EXPECT_EQ(s.GetB(0), 1.0);
    EXPECT_EQ(s.GetB(1), 0.0);
    EXPECT_EQ(s.GetB(2), 0.0);
    EXPECT_EQ(s.GetA(1), 0.0);
    EXPECT_EQ(s.GetA(2), 0.0);
    EXPECT_EQ(s.Filtrate(3.0), 3.0);
}

TEST(CDigitalFilter2, DirectFormTwoWithAddedFeedback) {
    CDigitalFilter2 s;
    s.SetB(0, 1.0);
    s.SetB(1, 2.0);
    s.SetB(2, 1.0);
    s.SetA(1, 0.5);
    EXPECT_EQ(s.Filtrate(1.0), 1.0);
    EXPECT_EQ(s.Filtrate(0.0), 2.5);
    EXPECT_EQ(s.Filtrate(0.0), 2.25);
    s.Reset();
    EXPECT_EQ(s.Filtrate(0.0), 0.0);

    // Against the difference equation, with a section gain and both feedbacks.
    s.SetGain(0.3);
    s.SetA(2, -0.4);
    s.SetB(2, -0.7);
    s.Reset();
    double w1 = 0.0, w2 = 0.0;
    for (int n = 0; n < 50; ++n) {
        const double x = (n * 37 % 11) - 5.0;
        const double w0 = 0.3 * x + 0.5 * w1 - 0.4 * w2;
        const double y = w0 + 2.0 * w1 - 0.7 * w2;
        w2 = w1;
        w1 = w0;
        ASSERT_NEAR(s.Filtrate(x), y, 1e-12);
    }
}

TEST(CCascadFilter2, ChainGainResetAndDeletion) {
    CCascadFilter2 c;
    EXPECT_EQ(c.GetCascadeCount(), 1);
    c.SetGain(100.0);
    EXPECT_EQ(c.Filtrate(0.25), 25.0);
    c.SetGain(std::numeric_limits<double>::quiet_NaN());
    c.SetGain(std::numeric_limits<double>::infinity());
    EXPECT_EQ(c.GetGain(), 100.0);

    c.GetFirstCascade()->SetB(1, 1.0); // head: 1 + z^-1
    CDigitalFilter2* second = c.AddCascade();
    ASSERT_NE(second, nullptr);
    second->SetA(1, 0.5); // 1 / (1 - 0.5 z^-1)
    CDigitalFilter2* third = c.AddCascade();
    ASSERT_NE(third, nullptr);
    third->SetGain(2.0);
    EXPECT_EQ(c.GetLastCascade(), third);
    EXPECT_EQ(c.GetCascadeCount(), 3);
    c.SetGain(1.0);
    c.Reset();
    // Impulse through (1 + z^-1) then 1/(1 - 0.5 z^-1) then 2.
    EXPECT_EQ(c.Filtrate(1.0), 2.0);
    EXPECT_EQ(c.Filtrate(0.0), 2.0 * 1.5);
    EXPECT_EQ(c.Filtrate(0.0), 2.0 * 0.75);
    c.Reset();
    EXPECT_EQ(c.Filtrate(0.0), 0.0);
    EXPECT_EQ(c.Filtrate(1.0), 2.0);

    c.DeleteCascades();
    EXPECT_EQ(c.GetCascadeCount(), 1);
    EXPECT_EQ(c.GetLastCascade(), c.GetFirstCascade());
    EXPECT_EQ(c.GetFirstCascade()->GetB(1), 1.0);
    c.Reset();
    EXPECT_EQ(c.Filtrate(1.0), 1.0);
    EXPECT_EQ(c.Filtrate(0.0), 1.0);
    EXPECT_FALSE(c.GetStatusFlag());
}

namespace {

// The amplitude a unit sine of f cycles/sample has at the output of c once
// the start-up has died away, found by running it. f should be a multiple of
// 1/Window, so that the window holds whole periods and the correlation is exact.
constexpr int Window = 4000;
double MeasuredAmplitude(CCascadFilter2& c, double f) {
    const double TwoPi = 6.283185307179586476925286766559;
    c.Reset();
    const int settle = 30000;
    double re = 0.0, im = 0.0;
    for (int n = 0; n < settle + Window; ++n) {
        const double phase = TwoPi * f * n;
        const double y = c.Filtrate(std::sin(phase));
        if (n >= settle) {
            re += y * std::sin(phase);
            im += y * std::cos(phase);
        }
    }
    return 2.0 * std::hypot(re, im) / Window;
}

} // namespace

TEST(CCascadFilter2, MagnitudeIsTheAmplitudeOfASineRunThrough) {
    // Even and odd orders (the odd one has a first-order head), with and
    // without an overall gain, across the pass band, the edge and the stop band.
    for (int order : {10, 5}) {
        for (double gain : {1.0, 100.0}) {
            CChebishevFilter c;
            c.SetAutoOrder(false);
            c.SetRipple(0.05);
            c.SetOrder(order);
            c.SetCyclicBandEdge(0.05);
            c.SetGain(gain);
            c.Design();
            for (int bin : {0, 16, 100, 172, 200, 212, 232, 280, 400, 1000, 1999}) {
                const double f = static_cast<double>(bin) / Window;
                // A constant input has no phase to correlate with: its
                // steady-state output is the level itself.
                double measured = 0.0;
                if (bin == 0) {
                    c.Reset();
                    for (int n = 0; n < 30000; ++n) {
                        measured = c.Filtrate(1.0);
                    }
                } else {
                    measured = MeasuredAmplitude(c, f);
                }
                const double m = c.Magnitude(f);
                EXPECT_NEAR(m, measured, 1e-9 * gain + 1e-7 * m)
                    << "order " << order << " gain " << gain << " f " << f;
            }
        }
    }
}

TEST(CCascadFilter2, MagnitudeOfHandMadeSections) {
    // (1 + 2 z^-1 + z^-2) / (1 - 0.5 z^-1): 4 / 0.5 at f = 0, a double zero at 0.5.
    CCascadFilter2 c;
    CDigitalFilter2* s = c.GetFirstCascade();
    s->SetB(1, 2.0);
    s->SetB(2, 1.0);
    s->SetA(1, 0.5);
    EXPECT_NEAR(s->Magnitude(0.0), 8.0, 1e-12);
    EXPECT_NEAR(s->Magnitude(0.5), 0.0, 1e-12);
    // At a quarter of the rate z^-1 = -j: |1 - 2j - 1| / |1 + 0.5j|.
    EXPECT_NEAR(s->Magnitude(0.25), 2.0 / std::sqrt(1.25), 1e-12);
    // A whole sample rate further on is the same frequency.
    EXPECT_NEAR(s->Magnitude(1.25), s->Magnitude(0.25), 1e-12);
    // Section and overall gains multiply, whatever their sign.
    s->SetGain(-3.0);
    c.SetGain(-2.0);
    EXPECT_NEAR(c.Magnitude(0.0), 48.0, 1e-9);
    CDigitalFilter2* second = c.AddCascade();
    ASSERT_NE(second, nullptr);
    second->SetA(1, -0.5); // 1 / (1 + 0.5 z^-1): 2/3 at f = 0
    EXPECT_NEAR(c.Magnitude(0.0), 32.0, 1e-9);
    // A pole on the unit circle: no finite amplitude.
    second->SetA(1, 1.0);
    EXPECT_FALSE(std::isfinite(c.Magnitude(0.0)));
}
