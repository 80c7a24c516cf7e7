// The logarithmic axis map on its own, as the linear one is tested: mapping
// both ways, round trips, grids and labels, and refusals.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "chart/TLogAxisScale.h"

namespace {
const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kFar = 1 << 24;

std::vector<std::string> Labels(const TLogGrid& g) {
    std::vector<std::string> labels;
    for (const TLogGridLine& l : g.Labelled) {
        labels.push_back(l.Label);
    }
    return labels;
}

using Strings = std::vector<std::string>;
using Values = std::vector<double>;
} // namespace

TEST(LogScale, MappingBothWaysAndTruncation) {
    TLogAxisScale x(false), y(true);
    ASSERT_TRUE(x.SetRange(1000, 10));
    ASSERT_TRUE(y.SetRange(10, 1000));
    EXPECT_EQ(x.GetMin(), 10.0);
    EXPECT_DOUBLE_EQ(x.Decades(), 2.0);
    x.SetPixels(40, 300);
    y.SetPixels(20, 200);
    EXPECT_EQ(x.ToPixel(10), 40);
    EXPECT_EQ(x.ToPixel(100), 190);
    EXPECT_EQ(x.ToPixel(1000), 340);
    EXPECT_NEAR(x.ToValue(190), 100.0, 1e-12);
    // Larger values higher up.
    EXPECT_EQ(y.ToPixel(1000), 20);
    EXPECT_EQ(y.ToPixel(100), 120);
    EXPECT_EQ(y.ToPixel(10), 220);
    EXPECT_NEAR(y.ToValue(220), 10.0, 1e-12);
    // Truncation toward zero: 0.9 pixel past the origin is the origin.
    const double perPixel = 2.0 / 300; // decades
    EXPECT_EQ(x.ToPixel(10 * std::pow(10, 0.9 * perPixel)), 40);
    EXPECT_EQ(x.ToPixel(10 * std::pow(10, 1.1 * perPixel)), 41);
    x.SetPixels(0, 300);
    EXPECT_EQ(x.ToPixel(10 * std::pow(10, -0.9 * perPixel)), 0);
    EXPECT_EQ(x.ToPixel(10 * std::pow(10, -1.1 * perPixel)), -1);
}

TEST(LogScale, RoundTripsWithinOnePixel) {
    const double ranges[][2] = {{10, 1000}, {3, 700}, {0.5, 2000}, {10, 100000}, {1e-3, 1e3}};
    for (const auto& r : ranges) {
        for (bool downward : {false, true}) {
            TLogAxisScale a(downward);
            ASSERT_TRUE(a.SetRange(r[0], r[1]));
            a.SetPixels(37, 411);
            for (int p = 37; p <= 37 + 411; ++p) {
                ASSERT_NEAR(a.ToPixel(a.ToValue(p)), p, 1) << r[0] << " " << p;
            }
            // A value comes back from its pixel within that pixel's width.
            const double pixel = a.Decades() / 411;
            for (int i = 0; i <= 1000; ++i) {
                const double v = r[0] * std::pow(r[1] / r[0], i / 1000.0);
                const double back = a.ToValue(a.ToPixel(v));
                ASSERT_LE(std::fabs(std::log10(back / v)), pixel * (1 + 1e-9)) << v;
                ASSERT_GT(back, 0.0);
            }
        }
    }
}

TEST(LogScale, GridsOfTypicalRanges) {
    // Room for 1-2-5 labels, then for decades only, then for every second one.
    TLogGrid g = TLogAxisScale::MakeLogGrid(10, 1000, 20);
    EXPECT_EQ(Labels(g), (Strings{"10", "20", "50", "100", "200", "500", "1000"}));
    EXPECT_EQ(g.Minor, (Values{30, 40, 60, 70, 80, 90, 300, 400, 600, 700, 800, 900}));
    g = TLogAxisScale::MakeLogGrid(10, 1000, 3);
    EXPECT_EQ(Labels(g), (Strings{"10", "100", "1000"}));
    EXPECT_EQ(g.Minor.size(), 16u);
    EXPECT_EQ(g.Minor.front(), 20.0);
    EXPECT_EQ(g.Minor.back(), 900.0);

    g = TLogAxisScale::MakeLogGrid(3, 700, 20);
    EXPECT_EQ(Labels(g), (Strings{"5", "10", "20", "50", "100", "200", "500"}));
    EXPECT_EQ(g.Minor.front(), 3.0);
    EXPECT_EQ(g.Minor.back(), 700.0);
    g = TLogAxisScale::MakeLogGrid(3, 700, 5);
    EXPECT_EQ(Labels(g), (Strings{"10", "100"}));
    EXPECT_EQ(g.Minor.size(), 7u + 8u + 6u); // 3..9, 20..90, 200..700

    g = TLogAxisScale::MakeLogGrid(0.5, 2000, 12);
    EXPECT_EQ(Labels(g), (Strings{"0.5", "1", "2", "5", "10", "20", "50", "100", "200", "500",
                                  "1000", "2000"}));
    EXPECT_NEAR(g.Labelled[0].Value, 0.5, 0);
    g = TLogAxisScale::MakeLogGrid(0.5, 2000, 4);
    EXPECT_EQ(Labels(g), (Strings{"1", "10", "100", "1000"}));
    g = TLogAxisScale::MakeLogGrid(0.5, 2000, 2);
    EXPECT_EQ(Labels(g), (Strings{"1", "100"}));
    EXPECT_EQ(g.Minor, (Values{10, 1000}));

    // Small and large powers: exact decimals, then exponent form.
    g = TLogAxisScale::MakeLogGrid(1e-9, 1e9, 5);
    EXPECT_EQ(Labels(g), (Strings{"0.00001", "1", "100000"}));
    EXPECT_EQ(g.Labelled[0].Value, 1e-5);
    g = TLogAxisScale::MakeLogGrid(1e-9, 1e-7, 3);
    EXPECT_EQ(Labels(g), (Strings{"1e-09", "1e-08", "0.0000001"}));
    g = TLogAxisScale::MakeLogGrid(1e8, 2e9, 100);
    EXPECT_EQ(Labels(g), (Strings{"1e+08", "2e+08", "5e+08", "1e+09", "2e+09"}));

    // Less than a decade: the linear axis's values and labels.
    g = TLogAxisScale::MakeLogGrid(3, 7, 10);
    EXPECT_EQ(Labels(g), (Strings{"3.5", "4.0", "4.5", "5.0", "5.5", "6.0", "6.5", "7.0"}));
    EXPECT_EQ(g.Minor, (Values{3}));

    // Grid of a scale is the grid of its range.
    TLogAxisScale a(false);
    a.SetRange(1, 300);
    EXPECT_EQ(Labels(a.Grid(6)), (Strings{"1", "10", "100"}));
}

TEST(LogScale, RefusalsAndExtremes) {
    TLogAxisScale x(false), y(true);
    x.SetRange(10, 1000);
    y.SetRange(10, 1000);
    x.SetPixels(0, 100);
    y.SetPixels(0, 100);
    const std::pair<double, double> refused[] = {{0.0, 100.0}, {-5.0, 10.0},
                                                 {kNaN, 10.0}, {10.0, kInf},
                                                 {5.0, 5.0},   {5.0, 5.0 * (1 + 1e-12)},
                                                 {-1.0, -10.0}};
    for (const auto& r : refused) {
        EXPECT_FALSE(x.SetRange(r.first, r.second)) << r.first << " " << r.second;
        EXPECT_TRUE(TLogAxisScale::MakeLogGrid(r.first, r.second, 10).Labelled.empty());
    }
    EXPECT_EQ(x.GetMin(), 10.0);
    EXPECT_EQ(x.GetMax(), 1000.0);
    EXPECT_TRUE(TLogAxisScale::MakeLogGrid(1000, 10, 10).Labelled.empty()); // reversed

    // No logarithm: far out on the low side; NaN as the linear map puts it.
    EXPECT_EQ(x.ToPixel(0), -kFar);
    EXPECT_EQ(x.ToPixel(-3), -kFar);
    EXPECT_EQ(y.ToPixel(0), kFar);
    EXPECT_EQ(x.ToPixel(kNaN), kFar);
    EXPECT_EQ(x.ToPixel(kInf), kFar);
    EXPECT_EQ(y.ToPixel(kInf), -kFar);
    EXPECT_EQ(x.ToPixel(1e-300), -15050);
    // Pixels anywhere give positive, finite values, with or without an interval.
    for (int p : {-kFar, -1, 0, 50, kFar}) {
        const double v = x.ToValue(p);
        EXPECT_TRUE(std::isfinite(v) && v > 0) << p;
    }
    x.SetPixels(5, 0);
    EXPECT_TRUE(std::isfinite(x.ToValue(100)));

    // Whole double ranges and odd fits end, with bounded grids.
    for (double fit : {kNaN, -1.0, 0.0, 3.0, kInf}) {
        const TLogGrid g = TLogAxisScale::MakeLogGrid(5e-324, 1.7e308, fit);
        EXPECT_LE(g.Labelled.size(), 2000u);
        EXPECT_LE(g.Minor.size(), 2000u);
        for (const TLogGridLine& l : g.Labelled) {
            ASSERT_TRUE(std::isfinite(l.Value) && l.Value > 0);
        }
    }
    // Every hundredth power from 1e-300 to 1e300.
    EXPECT_EQ(TLogAxisScale::MakeLogGrid(1e-300, 1e300, 6).Labelled.size(), 7u);
}

TEST(LogScale, ChosenPerAxis) {
    TAxisScale linear(false);
    linear.SetRange(10, 1000);
    linear.SetPixels(0, 200);
    const TAxisMap log(linear, false, true);
    const TAxisMap lin(linear, false, false);
    EXPECT_TRUE(log.IsLogarithmic());
    EXPECT_EQ(log.ToPixel(100), 100);
    EXPECT_NEAR(log.ToValue(100), 100, 1e-9);
    EXPECT_EQ(lin.ToPixel(100), linear.ToPixel(100));
    EXPECT_EQ(lin.ToValue(77), linear.ToValue(77));

    // A range through zero cannot be logarithmic: the linear map stays.
    TAxisScale value(true);
    value.SetRange(-5, 5);
    value.SetPixels(10, 100);
    const TAxisMap fallback(value, true, true);
    EXPECT_FALSE(fallback.IsLogarithmic());
    EXPECT_EQ(fallback.ToPixel(2.5), value.ToPixel(2.5));

    // A value axis followed: 1000 at the top.
    TAxisScale y(true);
    y.SetRange(1, 1000);
    y.SetPixels(20, 300);
    TLogAxisScale ly(true);
    ASSERT_TRUE(ly.Follow(y));
    EXPECT_EQ(ly.ToPixel(1000), 20);
    EXPECT_EQ(ly.ToPixel(10), 220);
    EXPECT_FALSE(ly.Follow(value));
    EXPECT_EQ(ly.GetMax(), 1000.0);
}
