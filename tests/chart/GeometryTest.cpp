#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>

#include <cmath>
#include <limits>

#include "ChartTestUtil.h"

namespace {
const double kNaN = std::numeric_limits<double>::quiet_NaN();
} // namespace

// The range arithmetic itself is tested with the scale; here, that the chart
// hands its setters to it and redraws exactly when something changed. A
// redraw takes the crosshair away, which shows whether one happened.
TEST(Geometry, RangeSettersRedrawOnlyOnChange) {
    auto d = MakeChart(400, 300);
    auto feeler = [&] {
        QMouseEvent ev(QEvent::MouseMove, QPointF(200, 150), QPointF(200, 150), Qt::NoButton,
                       Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(d.get(), &ev);
        return d->GetFeelerDrawn();
    };
    ASSERT_TRUE(feeler());
    d->SetRangeX(0, 5e-7);
    d->SetRangeY(kNaN, 1);
    d->SetLimitX(-1e9, 1e9); // the range lies within: nothing to redraw
    EXPECT_TRUE(d->GetFeelerDrawn());
    d->SetRangeX(5, 2);
    EXPECT_FALSE(d->GetFeelerDrawn());
    EXPECT_EQ(d->GetXmin(), 2.0);
    EXPECT_EQ(d->GetXmax(), 5.0);
    EXPECT_EQ(d->GetPrecisionX(), 1);
    ASSERT_TRUE(feeler());
    d->SetLimitXmax(4);
    EXPECT_FALSE(d->GetFeelerDrawn());
    EXPECT_EQ(d->GetXmax(), 4.0);
    EXPECT_EQ(d->GetLimitXmax(), 4.0);
    ASSERT_TRUE(feeler());
    d->SetYmin(-3);
    EXPECT_FALSE(d->GetFeelerDrawn());
    EXPECT_EQ(d->GetYmin(), -3.0);
    ASSERT_TRUE(feeler());
    d->SetPrecisionY(-3);
    EXPECT_FALSE(d->GetFeelerDrawn());
    EXPECT_EQ(d->GetPrecisionY(), 3);
}

// Each of the eight arrow commands moves its own end by the axis's step.
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
    d->ReduceXmin();
    EXPECT_DOUBLE_EQ(d->GetXmin(), 0.0);
    d->ReduceXmax();
    EXPECT_DOUBLE_EQ(d->GetXmax(), 4.9);
    d->IncreaseXmax();
    EXPECT_DOUBLE_EQ(d->GetXmax(), 5.0);
    d->SetRangeY(0, 5000);
    d->ReduceYmin();
    EXPECT_EQ(d->GetYmin(), -100.0);
    d->IncreaseYmin();
    EXPECT_EQ(d->GetYmin(), 0.0);
    d->IncreaseYmax();
    EXPECT_EQ(d->GetYmax(), 5100.0);
    d->ReduceYmax();
    EXPECT_EQ(d->GetYmax(), 5000.0);
    EXPECT_EQ(d->GetXmin(), 0.0);
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
    // Labels on: margins around the plot inside the net.
    EXPECT_GT(d->Get_xb_net(), 2);
    EXPECT_LT(d->Get_xb_net(), d->Get_x0_out());
    EXPECT_LT(d->Get_yb_net(), d->Get_y0_out());
    EXPECT_GT(d->Get_xe_net(), d->Get_x0_out() + d->Get_w_out());
    EXPECT_EQ(d->GetWidth(), 400);
    EXPECT_EQ(d->GetHeight(), 300);
}

// Labels that would read alike raise the precision, and it stays raised.
TEST(Geometry, PrecisionSearch) {
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
