#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "ChartTestUtil.h"

namespace {
const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();
} // namespace

TEST(Geometry, RangesOrderRefuseAndSetPrecision) {
    auto d = MakeChart(400, 300);
    d->SetRangeX(5, 2);
    EXPECT_EQ(d->GetXmin(), 2.0);
    EXPECT_EQ(d->GetXmax(), 5.0);
    EXPECT_EQ(d->GetPrecisionX(), 1);
    d->SetRangeX(0, 5e-7);
    EXPECT_EQ(d->GetXmin(), 2.0);
    EXPECT_EQ(d->GetXmax(), 5.0);
    d->SetRangeX(kNaN, 1);
    d->SetRangeX(kInf, kInf);
    EXPECT_EQ(d->GetXmin(), 2.0);
    d->SetRangeX(-250, 500);
    EXPECT_EQ(d->GetPrecisionX(), 0);
    d->SetLimitX(0, 300);
    EXPECT_EQ(d->GetXmin(), 0.0);
    EXPECT_EQ(d->GetXmax(), 300.0);
    EXPECT_EQ(d->GetLimitXmin(), 0.0);
    d->SetLimitX(-1e9, 1e9);
    EXPECT_EQ(d->GetLimitXmin(), -100000.0);
    EXPECT_EQ(d->GetLimitXmax(), 100000.0);
    d->SetRangeY(-kInf, kInf); // clamped to the limits
    EXPECT_EQ(d->GetYmin(), -100000.0);
    EXPECT_EQ(d->GetYmax(), 100000.0);

    // Precision from the width, one decade per step.
    const double widths[] = {5e-6, 5e-5, 5e-4, 5e-3, 0.05, 0.5, 5, 50};
    const int precisions[] = {7, 6, 5, 4, 3, 2, 1, 0};
    for (int i = 0; i < 8; ++i) {
        d->SetRangeY(1, 1 + widths[i]);
        EXPECT_EQ(d->GetPrecisionY(), precisions[i]) << widths[i];
    }
    d->SetPrecisionX(-3);
    EXPECT_EQ(d->GetPrecisionX(), 3);
    d->SetPrecisionX(INT_MIN);
    EXPECT_EQ(d->GetPrecisionX(), 7);
}

TEST(Geometry, RangesBeyondTheLimits) {
    auto d = MakeChart(400, 300);
    d->SetLimitX(-10, 10);
    d->SetRangeX(-5, 5);
    // Both ends above the upper limit would leave a reversed range: ignored.
    d->SetRangeX(20, 30);
    EXPECT_EQ(d->GetXmin(), -5.0);
    EXPECT_EQ(d->GetXmax(), 5.0);
    d->SetRangeX(-20, 3);
    EXPECT_EQ(d->GetXmin(), -10.0);
    EXPECT_EQ(d->GetXmax(), 3.0);
    // New limits that leave nothing of the range: the range becomes the limits.
    d->SetLimitX(50, 60);
    EXPECT_EQ(d->GetXmin(), 50.0);
    EXPECT_EQ(d->GetXmax(), 60.0);
    // Limits of no width and NaN limits are ignored.
    d->SetLimitX(7, 7);
    d->SetLimitX(1, 1 + 1e-9);
    d->SetLimitX(kNaN, 5);
    EXPECT_EQ(d->GetLimitXmin(), 50.0);
    EXPECT_EQ(d->GetLimitXmax(), 60.0);
    d->SetLimitXmin(55);
    EXPECT_EQ(d->GetXmin(), 55.0);
    EXPECT_EQ(d->GetXmax(), 60.0);
}

TEST(Geometry, IncreaseAndReduceSteps) {
    auto d = MakeChart(400, 300);
    d->SetRangeX(0, 200);
    d->SetPrecisionX(0);
    d->IncreaseXmin();
    EXPECT_EQ(d->GetXmin(), 10.0);
    EXPECT_EQ(d->GetXmax(), 200.0);
    d->SetRangeX(0, 5);
    d->IncreaseXmin();
    EXPECT_DOUBLE_EQ(d->GetXmin(), 0.1);
    d->ReduceXmax();
    EXPECT_DOUBLE_EQ(d->GetXmax(), 4.9);
    d->SetRangeY(0, 5000);
    d->ReduceYmin();
    EXPECT_EQ(d->GetYmin(), -100.0);
    d->SetRangeY(0, 50000);
    d->IncreaseYmax();
    EXPECT_EQ(d->GetYmax(), 51000.0);
    d->SetRangeY(-100000, 99000);
    d->ReduceYmax();
    EXPECT_EQ(d->GetYmax(), 89000.0);
    // A width of exactly 1000 keeps the precision step.
    d->SetRangeY(0, 1000);
    EXPECT_EQ(d->GetStepY(), 1.0);
    d->IncreaseYmax();
    EXPECT_EQ(d->GetYmax(), 1001.0);
}

TEST(Geometry, AutoRangingWalksTheWholeList) {
    auto d = MakeChart(400, 300);
    double a[3] = {1, 2, 3};
    double b[3] = {-4, 0, 9};
    d->GetKeeper(0)->SetData(a, 3, 0, 10);
    TKeeper* k = d->PNewKeeper();
    ASSERT_NE(k, nullptr);
    k->SetData(b, 3, -5, 3);
    k->Hide(); // hidden series count too
    d->AutoRangeX();
    EXPECT_EQ(d->GetXmin(), -5.0);
    EXPECT_EQ(d->GetXmax(), 10.0);
    d->AutoRangeXAverage();
    EXPECT_EQ(d->GetXmin(), -2.5);
    EXPECT_EQ(d->GetXmax(), 6.5);
    d->AutoRangeY();
    EXPECT_EQ(d->GetYmin(), -4.0);
    EXPECT_EQ(d->GetYmax(), 9.0);
    d->AutoRangeYAverage();
    EXPECT_EQ(d->GetYmin(), -1.5);
    EXPECT_EQ(d->GetYmax(), 6.0);
}

TEST(Geometry, MappingAndLayout) {
    auto d = MakeChart(400, 300);
    d->SetRangeX(-3, 7);
    d->SetRangeY(-2, 2);
    EXPECT_EQ(d->MathToPhisX(-3), d->Get_x0_out());
    EXPECT_EQ(d->MathToPhisY(2), d->Get_y0_out());
    EXPECT_EQ(d->MathToPhisX(7), d->Get_x0_out() + d->Get_w_out());
    EXPECT_EQ(d->MathToPhisY(-2), d->Get_y0_out() + d->Get_h_out());
    EXPECT_DOUBLE_EQ(d->PhisToMathX(d->Get_x0_out() + d->Get_w_out()), 7.0);
    EXPECT_DOUBLE_EQ(d->PhisToMathY(d->Get_y0_out()), 2.0);
    // Truncation toward zero, also left of the origin.
    const double perPixel = 10.0 / d->Get_w_out();
    EXPECT_EQ(d->MathToPhisX(-3 + 0.9 * perPixel), d->Get_x0_out());
    // Labels on: margins around the plot inside the net.
    EXPECT_GT(d->Get_xb_net(), 2);
    EXPECT_LT(d->Get_xb_net(), d->Get_x0_out());
    EXPECT_LT(d->Get_yb_net(), d->Get_y0_out());
    EXPECT_GT(d->Get_xe_net(), d->Get_x0_out() + d->Get_w_out());
    EXPECT_EQ(d->GetWidth(), 400);
    EXPECT_EQ(d->GetHeight(), 300);
    // Values far beyond the range still map to sane pixels.
    EXPECT_GT(d->MathToPhisY(-1e300), 300);
    EXPECT_LT(d->MathToPhisY(1e300), 0);
}

TEST(Geometry, GridStepChoice) {
    EXPECT_DOUBLE_EQ(TDiagram::GridStep(2, 15), 0.2);
    EXPECT_DOUBLE_EQ(TDiagram::GridStep(2, 5), 0.5);
    EXPECT_DOUBLE_EQ(TDiagram::GridStep(2, 40), 0.05);
    EXPECT_DOUBLE_EQ(TDiagram::GridStep(750, 10), 100);
    EXPECT_DOUBLE_EQ(TDiagram::GridStep(0.03, 10), 0.005);
    // Nothing fits: the coarsest multiplier.
    EXPECT_DOUBLE_EQ(TDiagram::GridStep(2, 0.1), 5);
    EXPECT_DOUBLE_EQ(TDiagram::GridStep(2, std::nan("")), 5);

    const auto ax = TDiagram::MakeGridAxis(-1, 1, 0.5);
    ASSERT_EQ(ax.count, 5);
    EXPECT_DOUBLE_EQ(ax.Value(0), -1.0);
    EXPECT_DOUBLE_EQ(ax.Value(4), 1.0);
    // A positive start: the first value is one step above the truncated one.
    const auto pos = TDiagram::MakeGridAxis(0.3, 2, 0.5);
    EXPECT_DOUBLE_EQ(pos.Value(0), 0.5);
    EXPECT_EQ(pos.count, 4);
    EXPECT_EQ(TDiagram::MakeGridAxis(0, 1, 0).count, 0);
    EXPECT_LE(TDiagram::MakeGridAxis(-1e5, 1e5, 1e-3).count, 2000);

    // The label of a value near zero never carries a sign.
    EXPECT_EQ(TDiagram::GridLabel(-1e-9, 2, 0.002), "0.0");
    EXPECT_EQ(TDiagram::GridLabel(-1e-9, 0, 0.002), "0");
    EXPECT_EQ(TDiagram::GridLabel(-0.25, 2, 0.002), "-0.25");
}

TEST(Geometry, PrecisionSearch) {
    const auto ax = TDiagram::MakeGridAxis(0, 2, 0.5);
    const int p = TDiagram::SearchPrecision(ax, 0);
    EXPECT_EQ(p, 1);
    std::vector<std::string> labels;
    for (int i = 0; i < ax.count; ++i) {
        labels.push_back(TDiagram::GridLabel(ax.Value(i), p, ax.eps));
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"0.0", "0.5", "1.0", "1.5", "2.0"}));
    // Steps finer than seven decimals end in exponent form.
    const auto fine = TDiagram::MakeGridAxis(1, 1 + 4e-8, 1e-8);
    EXPECT_EQ(TDiagram::SearchPrecision(fine, 0), 8);
    EXPECT_EQ(TDiagram::GridLabel(fine.Value(1), 8, fine.eps), "1.000000e+00");

    // The same inside a chart: a range of [0, 2] drawn with step 0.5.
    for (int w = 120; w <= 400; w += 4) {
        auto d = MakeChart(w, 300);
        d->SetRangeX(0, 2);
        d->SetPrecisionX(0);
        if (d->GetGridStepX() == 0.5 && d->Get_xb_net() > 2) {
            EXPECT_EQ(d->GetPrecisionX(), 1);
            return;
        }
    }
    ADD_FAILURE() << "no chart width gave the grid step 0.5";
}

TEST(Geometry, Num2charFormats) {
    char buf[64];
    EXPECT_EQ(TDiagram::num2char(buf, sizeof buf, 2.5, 0), 1);
    EXPECT_STREQ(buf, "2");
    EXPECT_EQ(TDiagram::num2char(buf, sizeof buf, -1.25, 1), 4);
    EXPECT_STREQ(buf, "-1.2");
    TDiagram::num2char(buf, sizeof buf, 1.0 / 3, 7);
    EXPECT_STREQ(buf, "0.3333333");
    TDiagram::num2char(buf, sizeof buf, 1234.5, -1);
    EXPECT_STREQ(buf, "1.234500e+03");
    TDiagram::num2char(buf, sizeof buf, 1234.5, 9);
    EXPECT_STREQ(buf, "1.234500e+03");
    // Never beyond the buffer, whatever the value.
    char small[6] = {'x', 'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(TDiagram::num2char(small, 5, -1e300, 7), 4);
    EXPECT_STREQ(small, "-100");
    EXPECT_EQ(small[5], 'x');
    EXPECT_EQ(TDiagram::num2str(-1e300, 7).size(), 1u + 301u + 1u + 7u);
    EXPECT_EQ(TDiagram::num2char(buf, 0, 1, 1), 0);
}
