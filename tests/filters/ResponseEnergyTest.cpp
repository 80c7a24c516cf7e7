// The closed-form energy of a cascade's impulse response against sums worked
// out by hand and against the response run section by section.

#include "filters/ResponseEnergy.h"

#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "filters/CChebishevFilter.h"

namespace {

void SetSection(CDigitalFilter2* s, double g, double b0, double b1, double b2, double a1,
                double a2) {
    s->SetGain(g);
    s->SetB(0, b0);
    s->SetB(1, b1);
    s->SetB(2, b2);
    s->SetA(1, a1);
    s->SetA(2, a2);
}

// The response through the section equations, in long double,
// w[n] = g x[n] + a1 w[n-1] + a2 w[n-2], y[n] = b0 w[n] + b1 w[n-1] + b2 w[n-2],
// summed until it has stayed below 1e-15 of its peak for 1000 samples.
long double EnergyByHand(const CCascadFilter2& cascade) {
    std::vector<const CDigitalFilter2*> s;
    for (const CDigitalFilter2* p = cascade.GetFirstCascade(); p; p = p->GetNext()) {
        s.push_back(p);
    }
    std::vector<long double> w1(s.size(), 0.0L), w2(s.size(), 0.0L);
    long double energy = 0.0L, peak = 0.0L;
    int quiet = 0;
    for (long n = 0; quiet < 1000 && n < 5000000; ++n) {
        long double v = n == 0 ? cascade.GetGain() : 0.0L;
        for (std::size_t i = 0; i < s.size(); ++i) {
            const long double w0 =
                s[i]->GetGain() * v + s[i]->GetA(1) * w1[i] + s[i]->GetA(2) * w2[i];
            v = s[i]->GetB(0) * w0 + s[i]->GetB(1) * w1[i] + s[i]->GetB(2) * w2[i];
            w2[i] = w1[i];
            w1[i] = w0;
        }
        energy += v * v;
        peak = std::max(peak, std::fabs(v));
        quiet = std::fabs(v) < 1e-15L * peak ? quiet + 1 : 0;
    }
    return energy;
}

// The flat-passband low-pass the bench runs: order 10, a ripple of 5 %,
// an input gain of 100; band edge f in cycles per sample.
void DesignLikeTheBench(CChebishevFilter& filter, double f) {
    filter.SetAutoOrder(false);
    filter.SetRipple(0.05);
    filter.SetOrder(10);
    filter.SetCyclicBandEdge(f);
    filter.SetGain(100.0);
    filter.Design();
}

// Parseval: the energy is 2 times the integral of |H(f)|^2 over 0 .. 0.5,
// here by Simpson's rule.
double EnergyByParseval(const CCascadFilter2& cascade, int intervals) {
    const double h = 0.5 / intervals;
    double sum = 0.0;
    for (int i = 0; i <= intervals; ++i) {
        const double m = cascade.Magnitude(i * h);
        const double w = (i == 0 || i == intervals) ? 1.0 : (i % 2 ? 4.0 : 2.0);
        sum += w * m * m;
    }
    return 2.0 * sum * h / 3.0;
}

} // namespace

TEST(CascadeResponseEnergy, SmallCascadesSummedByHand) {
    // One section 1 / (1 - 0.5 z^-1) with gain 3: h = 3 * 0.5^n, 9 / (1 - 0.25).
    CCascadFilter2 one;
    SetSection(one.GetFirstCascade(), 3.0, 1, 0, 0, 0.5, 0);
    ASSERT_TRUE(CascadeResponseEnergy(one).has_value());
    EXPECT_NEAR(*CascadeResponseEnergy(one), 12.0, 1e-13);

    // (1 + z^-1), then 1 / (1 - 0.5 z^-1), then a gain of 2, all behind an
    // overall gain of -1.5: h = -3 * (1, 1.5, 0.75, 0.375, ...), so
    // 9 * (1 + 2.25 / (1 - 0.25)) = 36.
    CCascadFilter2 three;
    three.SetGain(-1.5);
    SetSection(three.GetFirstCascade(), 1, 1, 1, 0, 0, 0);
    SetSection(three.AddCascade(), 1, 1, 0, 0, 0.5, 0);
    SetSection(three.AddCascade(), 2, 1, 0, 0, 0, 0);
    ASSERT_TRUE(CascadeResponseEnergy(three).has_value());
    EXPECT_NEAR(*CascadeResponseEnergy(three), 36.0, 1e-12);

    // A pure delay line of two samples passes the impulse unchanged: 1.
    CCascadFilter2 delay;
    SetSection(delay.GetFirstCascade(), 1, 0, 0, 1, 0, 0);
    EXPECT_NEAR(*CascadeResponseEnergy(delay), 1.0, 1e-15);
}

TEST(CascadeResponseEnergy, BenchDesignsAgreeWithTheirSectionsAndWithParseval) {
    for (double f : {0.001, 0.01, 0.05, 0.3}) {
        CChebishevFilter filter;
        DesignLikeTheBench(filter, f);
        const std::optional<double> energy = CascadeResponseEnergy(filter);
        ASSERT_TRUE(energy.has_value()) << f;
        const double byHand = static_cast<double>(EnergyByHand(filter));
        EXPECT_NEAR(*energy / byHand, 1.0, 1e-12) << f;
        // Simpson's rule on |H|^2 needs many points inside a narrow band.
        EXPECT_NEAR(*energy / EnergyByParseval(filter, 1 << 18), 1.0, 1e-9) << f;
    }
}

TEST(CascadeResponseEnergy, NoValueForAResponseThatDoesNotDieAway) {
    // Poles on the unit circle (an integrator, a resonator) and outside it.
    const double poles[][2] = {{1.0, 0.0}, {2.0 * std::cos(0.3), -1.0}, {1.2, 0.0}, {0, 1.5}};
    for (const auto& a : poles) {
        CCascadFilter2 c;
        SetSection(c.GetFirstCascade(), 1, 1, 0, 0, 0.5, 0);
        SetSection(c.AddCascade(), 1, 1, 2, 1, a[0], a[1]);
        EXPECT_FALSE(CascadeResponseEnergy(c).has_value()) << a[0] << " " << a[1];
    }
    CCascadFilter2 tooLong;
    for (int i = 1; i <= MaxEnergySections; ++i) {
        tooLong.AddCascade();
    }
    EXPECT_FALSE(CascadeResponseEnergy(tooLong).has_value());
}

TEST(CascadeResponseEnergy, LeavesTheCascadeRunningAsItWas) {
    CChebishevFilter a, b;
    DesignLikeTheBench(a, 0.05);
    DesignLikeTheBench(b, 0.05);
    for (int n = 0; n < 30; ++n) {
        a.Filtrate(n % 7 - 3.0);
        b.Filtrate(n % 7 - 3.0);
    }
    ASSERT_TRUE(CascadeResponseEnergy(a).has_value());
    for (int n = 0; n < 30; ++n) {
        ASSERT_EQ(a.Filtrate(1.0), b.Filtrate(1.0)) << n;
    }
}
