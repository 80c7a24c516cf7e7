// Which samples of a discrete series are drawn, checked against the plain
// sample-by-sample walk that the drawing stands for.

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>
#include <vector>

#include "chart/VisibleSamples.h"

namespace {

// The walk done one sample at a time: forward from sample 0 (or from the first
// that can be seen) up to nHigh, then backward from 0 down to nLow, skipping
// samples before the window and stopping at the first beyond it.
std::vector<long long> Walk(double x0, double step, double half, double xa, double xe, double nLow,
                            double nHigh, long long maxPerPass) {
    std::vector<long long> drawn;
    if (!(step > 0) || !std::isfinite(step) || !std::isfinite(x0)) {
        if (x0 + half >= xa && x0 - half <= xe) {
            drawn.push_back(0);
        }
        return drawn;
    }
    double first = x0 + half < xa ? std::floor((xa - half - x0) / step) : 0;
    long long taken = 0;
    for (double n = first; n <= nHigh && taken < maxPerPass; n += 1, ++taken) {
        const double x = x0 + n * step;
        if (!(x - half <= xe)) {
            break;
        }
        if (x + half >= xa) {
            drawn.push_back(static_cast<long long>(n));
        }
    }
    first = x0 - half > xe ? -std::floor((x0 - half - xe) / step) : 0;
    taken = 0;
    for (double n = first; n >= nLow && taken < maxPerPass; n -= 1, ++taken) {
        const double x = x0 + n * step;
        if (!(x + half >= xa)) {
            break;
        }
        if (x - half <= xe) {
            drawn.push_back(static_cast<long long>(n));
        }
    }
    return drawn;
}

std::vector<long long> Expand(const TVisibleSamples& v) {
    std::vector<long long> drawn;
    for (long long n = v.forward.first; n <= v.forward.last; ++n) {
        drawn.push_back(n);
    }
    for (long long n = v.backward.last; n >= v.backward.first; --n) {
        drawn.push_back(n);
    }
    return drawn;
}

} // namespace

TEST(VisibleSamples, StemsAndBarsInAWindow) {
    // Samples at 0, 1, ..., 9; window [2.5, 5.5].
    TVisibleSamples s = VisibleSamples(0, 1, 0, 2.5, 5.5, 0, 9, 1000);
    EXPECT_EQ(s.forward.first, 3);
    EXPECT_EQ(s.forward.last, 5);
    EXPECT_TRUE(s.backward.Empty());
    // Bars reach half a step either side: 2 and 6 touch the window's ends.
    s = VisibleSamples(0, 1, 0.5, 2.5, 5.5, 0, 9, 1000);
    EXPECT_EQ(s.forward.first, 2);
    EXPECT_EQ(s.forward.last, 6);
    // A window wholly after the data: nothing, unless the series continues.
    EXPECT_TRUE(VisibleSamples(0, 1, 0, 20, 30, 0, 9, 1000).forward.Empty());
    s = VisibleSamples(0, 1, 0, 20, 30, INT_MIN, INT_MAX, 1000);
    EXPECT_EQ(s.forward.first, 20);
    EXPECT_EQ(s.forward.last, 30);
    // A window before sample 0: the backward pass, which a series that does
    // not continue to the left has nothing for.
    s = VisibleSamples(10, 1, 0, 0, 5, INT_MIN, INT_MAX, 1000);
    EXPECT_TRUE(s.forward.Empty());
    EXPECT_EQ(s.backward.first, -10);
    EXPECT_EQ(s.backward.last, -5);
    EXPECT_TRUE(VisibleSamples(10, 1, 0, 0, 5, 0, 9, 1000).backward.Empty());
    // A window around sample 0: both passes, sample 0 in each.
    s = VisibleSamples(0, 1, 0, -3, 3, INT_MIN, INT_MAX, 1000);
    EXPECT_EQ(Expand(s), (std::vector<long long>{0, 1, 2, 3, 0, -1, -2, -3}));
    // Each pass is capped.
    s = VisibleSamples(0, 1e-6, 0, 0, 1, 0, 1e9, 100);
    EXPECT_EQ(s.forward.Size(), 100);
    // No usable step: sample 0 alone, when it can be seen.
    EXPECT_EQ(Expand(VisibleSamples(0, 0, 0, -1, 1, 0, 9, 100)), std::vector<long long>{0});
    EXPECT_TRUE(Expand(VisibleSamples(5, -1, 0, -1, 1, 0, 9, 100)).empty());
    const double nan = std::nan("");
    EXPECT_EQ(Expand(VisibleSamples(0, nan, 0, -1, 1, 0, 9, 100)), std::vector<long long>{0});
    EXPECT_TRUE(Expand(VisibleSamples(0, nan, nan, -1, 1, 0, 9, 100)).empty());
    // Steps so fine that indices leave the range of int: nothing, no hang.
    EXPECT_TRUE(Expand(VisibleSamples(0, 1e-300, 0, 1, 2, INT_MIN, INT_MAX, 100)).empty());
}

TEST(VisibleSamples, SameAsTheSampleBySampleWalk) {
    std::mt19937 g(4711);
    std::uniform_real_distribution<double> u(-1, 1);
    for (int i = 0; i < 20000; ++i) {
        const double step = std::pow(10.0, 3 * u(g));
        const double x0 = 50 * u(g) * step;
        const double half = i % 2 == 0 ? 0.0 : step / 2;
        const double xa = 40 * u(g) * step;
        const double xe = xa + std::fabs(60 * u(g)) * step;
        const bool continues = i % 3 == 0;
        const double nLow = continues ? INT_MIN : 0.0;
        const double nHigh = continues ? INT_MAX : std::floor(30 * (u(g) + 1));
        const long long cap = i % 5 == 0 ? 7 : 100000;
        ASSERT_EQ(Expand(VisibleSamples(x0, step, half, xa, xe, nLow, nHigh, cap)),
                  Walk(x0, step, half, xa, xe, nLow, nHigh, cap))
            << "x0 " << x0 << " step " << step << " window " << xa << " " << xe;
    }
}
