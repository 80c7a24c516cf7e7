// The chart's scale on its own: no window, no application object.

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "chart/TScale.h"

namespace {
const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();
} // namespace

TEST(Scale, RangesOrderRefuseAndSetPrecision) {
    TAxisScale x(false);
    EXPECT_TRUE(x.SetRange(5, 2));
    EXPECT_EQ(x.GetMin(), 2.0);
    EXPECT_EQ(x.GetMax(), 5.0);
    EXPECT_EQ(x.GetPrecision(), 1);
    // Narrower than 1e-6, equal or NaN bounds: refused, nothing changes.
    EXPECT_FALSE(x.SetRange(0, 5e-7));
    EXPECT_FALSE(x.SetRange(3, 3));
    EXPECT_FALSE(x.SetRange(kNaN, 1));
    EXPECT_FALSE(x.SetRange(kInf, kInf));
    EXPECT_EQ(x.GetMin(), 2.0);
    EXPECT_EQ(x.GetMax(), 5.0);
    EXPECT_TRUE(x.SetRange(-250, 500));
    EXPECT_EQ(x.GetPrecision(), 0);
    EXPECT_TRUE(x.SetLimit(0, 300));
    EXPECT_EQ(x.GetMin(), 0.0);
    EXPECT_EQ(x.GetMax(), 300.0);
    EXPECT_EQ(x.GetLimitMin(), 0.0);
    // Wider limits leave the range alone.
    EXPECT_FALSE(x.SetLimit(-1e9, 1e9));
    EXPECT_EQ(x.GetLimitMin(), -100000.0);
    EXPECT_EQ(x.GetLimitMax(), 100000.0);
    EXPECT_TRUE(x.SetRange(-kInf, kInf)); // cut to the limits
    EXPECT_EQ(x.GetMin(), -100000.0);
    EXPECT_EQ(x.GetMax(), 100000.0);

    // Precision from the width, one decade per step.
    const double widths[] = {5e-6, 5e-5, 5e-4, 5e-3, 0.05, 0.5, 5, 50};
    for (int i = 0; i < 8; ++i) {
        EXPECT_TRUE(x.SetRange(1, 1 + widths[i]));
        EXPECT_EQ(x.GetPrecision(), 7 - i) << widths[i];
    }
    EXPECT_EQ(PrecisionFor(1e-5), 6);
    EXPECT_EQ(PrecisionFor(10), 0);
    x.SetPrecision(-3);
    EXPECT_EQ(x.GetPrecision(), 3);
    x.SetPrecision(INT_MIN);
    EXPECT_EQ(x.GetPrecision(), 7);
}

TEST(Scale, RangesBeyondTheLimits) {
    TAxisScale x(false);
    x.SetLimit(-10, 10);
    x.SetRange(-5, 5);
    // Both ends above the upper limit would leave a reversed range: ignored.
    EXPECT_FALSE(x.SetRange(20, 30));
    EXPECT_EQ(x.GetMin(), -5.0);
    EXPECT_EQ(x.GetMax(), 5.0);
    EXPECT_TRUE(x.SetRange(-20, 3));
    EXPECT_EQ(x.GetMin(), -10.0);
    EXPECT_EQ(x.GetMax(), 3.0);
    // New limits that leave nothing of the range: the range becomes the limits.
    EXPECT_TRUE(x.SetLimit(60, 50));
    EXPECT_EQ(x.GetMin(), 50.0);
    EXPECT_EQ(x.GetMax(), 60.0);
    EXPECT_EQ(x.GetPrecision(), 0);
    // Limits of no width and NaN limits are ignored.
    EXPECT_FALSE(x.SetLimit(7, 7));
    EXPECT_FALSE(x.SetLimit(1, 1 + 1e-9));
    EXPECT_FALSE(x.SetLimit(kNaN, 5));
    EXPECT_EQ(x.GetLimitMin(), 50.0);
    EXPECT_EQ(x.GetLimitMax(), 60.0);
    EXPECT_TRUE(x.SetLimit(55, 60));
    EXPECT_EQ(x.GetMin(), 55.0);
    EXPECT_EQ(x.GetMax(), 60.0);
}

TEST(Scale, IncreaseAndReduceSteps) {
    TAxisScale x(false);
    struct Case {
        double lo, hi;
        int precision;
        double step;
    };
    const Case cases[] = {
        {0, 200, 0, 10},
        {0, 5, 1, 0.1},
        {0, 5000, 0, 100},
        {0, 50000, 0, 1000},
        {-100000, 99000, 0, 10000},
        {0, 1000, 0, 1},    // exactly 1000 keeps the precision step
        {0, 100, 3, 0.001}, // exactly 100 too
        {0, 0.05, 3, 0.001},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(x.SetRange(c.lo, c.hi));
        x.SetPrecision(c.precision);
        EXPECT_DOUBLE_EQ(x.GetStep(), c.step) << c.lo << " " << c.hi;
    }
}

TEST(Scale, MappingBothWays) {
    TAxisScale x(false);
    TAxisScale y(true);
    x.SetRange(-3, 7);
    y.SetRange(-2, 2);
    x.SetPixels(40, 300);
    y.SetPixels(20, 200);
    EXPECT_EQ(x.ToPixel(-3), 40);
    EXPECT_EQ(x.ToPixel(7), 340);
    EXPECT_EQ(x.ToPixel(2), 190);
    EXPECT_DOUBLE_EQ(x.ToValue(340), 7.0);
    EXPECT_DOUBLE_EQ(x.ToValue(40), -3.0);
    // Larger values are higher up.
    EXPECT_EQ(y.ToPixel(2), 20);
    EXPECT_EQ(y.ToPixel(-2), 220);
    EXPECT_EQ(y.ToPixel(1), 70);
    EXPECT_DOUBLE_EQ(y.ToValue(20), 2.0);
    EXPECT_DOUBLE_EQ(y.ToValue(220), -2.0);
    // Truncation toward zero: 0.9 pixel right of the origin is the origin,
    // and so is 0.9 pixel left of an origin at 0 (no rounding down to -1).
    const double perPixel = 10.0 / 300;
    EXPECT_EQ(x.ToPixel(-3 + 0.9 * perPixel), 40);
    EXPECT_EQ(x.ToPixel(-3 + 1.1 * perPixel), 41);
    x.SetPixels(0, 300);
    EXPECT_EQ(x.ToPixel(-3 - 0.9 * perPixel), 0);
    EXPECT_EQ(x.ToPixel(-3 - 1.1 * perPixel), -1);
    // Far and undefined values stay where offsets cannot overflow.
    EXPECT_EQ(y.ToPixel(-1e300), 1 << 24);
    EXPECT_EQ(y.ToPixel(1e300), -(1 << 24));
    EXPECT_EQ(x.ToPixel(kNaN), 1 << 24);
    // No plot interval: no division by zero on the way back.
    x.SetPixels(5, 0);
    EXPECT_TRUE(std::isfinite(x.ToValue(100)));
}

TEST(Scale, GridStepAndValues) {
    // Range [-1, 1]: 15 intervals fit -> step 0.2; 5 fit -> 0.5.
    EXPECT_DOUBLE_EQ(GridStep(2, 15), 0.2);
    EXPECT_DOUBLE_EQ(GridStep(2, 5), 0.5);
    EXPECT_DOUBLE_EQ(GridStep(2, 40), 0.05);
    EXPECT_DOUBLE_EQ(GridStep(750, 10), 100);
    EXPECT_DOUBLE_EQ(GridStep(0.03, 10), 0.005);
    // Nothing fits: the coarsest multiplier.
    EXPECT_DOUBLE_EQ(GridStep(2, 0.1), 5);
    EXPECT_DOUBLE_EQ(GridStep(2, kNaN), 5);

    const TAxisGrid g = MakeGridAxis(-1, 1, 0.5);
    ASSERT_EQ(g.count, 5);
    EXPECT_DOUBLE_EQ(g.Value(0), -1.0);
    EXPECT_DOUBLE_EQ(g.Value(4), 1.0);
    EXPECT_DOUBLE_EQ(g.eps, 0.002);
    // A start a hair inside a grid value (rounding) still gets its line.
    const TAxisGrid hair = MakeGridAxis(-1 + 1e-12, 1, 0.5);
    EXPECT_NEAR(hair.Value(0), -1.0, 1e-9);
    // A positive start: the first value is one step above the truncated one.
    const TAxisGrid pos = MakeGridAxis(0.3, 2, 0.5);
    EXPECT_DOUBLE_EQ(pos.Value(0), 0.5);
    EXPECT_EQ(pos.count, 4);
    EXPECT_EQ(MakeGridAxis(0, 1, 0).count, 0);
    EXPECT_EQ(MakeGridAxis(0, 1, kNaN).count, 0);
    EXPECT_LE(MakeGridAxis(-1e5, 1e5, 1e-3).count, 2000);

    TAxisScale x(false);
    x.SetRange(-250, 500);
    const TAxisGrid bench = x.Grid(10);
    EXPECT_DOUBLE_EQ(bench.step, 100);
    EXPECT_DOUBLE_EQ(bench.Value(0), -200);
    EXPECT_DOUBLE_EQ(bench.Value(bench.count - 1), 500);
}

TEST(Scale, MinorTicksStart) {
    // Below zero the argument axis starts one minor step further out.
    EXPECT_DOUBLE_EQ(MinorTickStart(-1, 0.5, true), -1.1);
    EXPECT_DOUBLE_EQ(MinorTickStart(-1, 0.5, false), -1.0);
    EXPECT_DOUBLE_EQ(MinorTickStart(0, 0.5, true), -0.1);
    EXPECT_DOUBLE_EQ(MinorTickStart(0, 0.5, false), 0.0);
    // Above zero both begin one minor step above the truncated start.
    EXPECT_DOUBLE_EQ(MinorTickStart(0.3, 0.5, true), 0.4);
    EXPECT_DOUBLE_EQ(MinorTickStart(0.3, 0.5, false), 0.4);
    // 5 * -0.06 / 0.1 is a hair above -3: truncation alone skips the tick at
    // the range's start, the step back keeps it.
    EXPECT_GT(MinorTickStart(-0.06, 0.1, false), -0.06 + 0.01);
    EXPECT_NEAR(MinorTickStart(-0.06, 0.1, true), -0.06, 1e-12);
}

TEST(Scale, LabelsAndPrecisionSearch) {
    // The label of a value near zero never carries a sign.
    EXPECT_EQ(GridLabel(-1e-9, 2, 0.002), "0.0");
    EXPECT_EQ(GridLabel(-1e-9, 0, 0.002), "0");
    EXPECT_EQ(GridLabel(0.002, 2, 0.002), "0.0");
    EXPECT_EQ(GridLabel(-0.25, 2, 0.002), "-0.25");

    // [0, 2] by 0.5 at precision 0 would read 0, 0, 1, 2, 2.
    const TAxisGrid g = MakeGridAxis(0, 2, 0.5);
    const int p = SearchPrecision(g, 0);
    EXPECT_EQ(p, 1);
    std::vector<std::string> labels;
    for (int i = 0; i < g.count; ++i) {
        labels.push_back(GridLabel(g.Value(i), p, g.eps));
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"0.0", "0.5", "1.0", "1.5", "2.0"}));
    EXPECT_EQ(SearchPrecision(g, 3), 3); // never lowered
    // Steps finer than seven decimals end in exponent form.
    const TAxisGrid fine = MakeGridAxis(1, 1 + 4e-8, 1e-8);
    EXPECT_EQ(SearchPrecision(fine, 0), 8);
    EXPECT_EQ(GridLabel(fine.Value(1), 8, fine.eps), "1.000000e+00");
}

TEST(Scale, Num2charFormats) {
    char buf[64];
    EXPECT_EQ(num2char(buf, sizeof buf, 2.5, 0), 1);
    EXPECT_STREQ(buf, "2");
    EXPECT_EQ(num2char(buf, sizeof buf, -1.25, 1), 4);
    EXPECT_STREQ(buf, "-1.2");
    num2char(buf, sizeof buf, 1.0 / 3, 7);
    EXPECT_STREQ(buf, "0.3333333");
    num2char(buf, sizeof buf, 1234.5, -1);
    EXPECT_STREQ(buf, "1.234500e+03");
    num2char(buf, sizeof buf, 1234.5, 9);
    EXPECT_STREQ(buf, "1.234500e+03");
    // Never beyond the buffer, whatever the value.
    char small[6] = {'x', 'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(num2char(small, 5, -1e300, 7), 4);
    EXPECT_STREQ(small, "-100");
    EXPECT_EQ(small[5], 'x');
    EXPECT_EQ(num2str(-1e300, 7).size(), 1u + 301u + 1u + 7u);
    EXPECT_EQ(num2char(buf, 0, 1, 1), 0);
    EXPECT_EQ(num2char(nullptr, 8, 1, 1), 0);
}
