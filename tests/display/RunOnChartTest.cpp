// A bench run shown on charts the way Start shows it: the base series pointing
// at the sample arrays, the display numbers applied in Start's order; then the
// curve is looked for in the picture where the chart's own mapping puts it.

#include <QColor>
#include <QFont>
#include <QImage>
#include <algorithm>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "app/RunOnChart.h"
#include "bench/CBench.h"
#include "bench/CRunDisplay.h"
#include "chart/TDiagram.h"
#include "tests/chart/CurveCheck.h"

namespace {

const QColor kCurve(220, 0, 0);

std::unique_ptr<TDiagram> MakeChart(int w = 640, int h = 400) {
    auto d = std::make_unique<TDiagram>();
    d->resize(w, h);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(11);
    d->SetFontNet(f);
    d->SetFontNameX(f);
    d->SetFontNameY(f);
    d->SetFontName(f);
    d->SetColorNetLine(QColor(0, 0, 160));
    d->GetKeeper(0)->SetColor(kCurve);
    d->ShowDiagram();
    return d;
}

// One pass of the bench (without noise unless asked) and both charts showing it.
struct Shown {
    std::unique_ptr<TDiagram> Input;
    std::unique_ptr<TDiagram> Output;

    Shown(int signalItem, int filterItem, int noiseItem = niOff, int w = 640, int h = 400)
        : Input(MakeChart(w, h)), Output(MakeChart(w, h)) {
        CBench bench;
        CSetupSource c;
        c.SignalItem = signalItem;
        c.NoiseItem = noiseItem;
        c.FilterItem = filterItem;
        const CBenchRun run = bench.ComputeRun(c, {InputSamples, OutputSamples});
        ShowRunOnChart(*Input, run, false);
        ShowRunOnChart(*Output, run, true);
    }
};

bool IsCurve(const QImage& img, int x, int y) {
    return (img.pixel(x, y) & 0xffffffu) == (kCurve.rgb() & 0xffffffu);
}

// Topmost row of curve pixels in the net, and the columns where it occurs.
struct Peak {
    int Row = -1, FirstColumn = -1, LastColumn = -1;
};
Peak FindPeak(const TDiagram& d) {
    const QImage& img = d.GetPicture();
    Peak p;
    for (int y = d.Get_yb_net(); y < d.Get_ye_net() && p.Row < 0; ++y) {
        for (int x = d.Get_xb_net(); x < d.Get_xe_net(); ++x) {
            if (IsCurve(img, x, y)) {
                if (p.Row < 0) {
                    p.Row = y;
                    p.FirstColumn = x;
                }
                p.LastColumn = x;
            }
        }
    }
    return p;
}

// Whether a curve pixel lies within one pixel of (x, y).
bool CurveNear(const TDiagram& d, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (IsCurve(d.GetPicture(), x + dx, y + dy)) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

TEST(RunOnChart, RectangleThroughTheMatchedFilterPeaksAt100mVAfter100ms) {
    Shown s(siRectangle, fiMaf);
    TDiagram& out = *s.Output;
    EXPECT_EQ(out.GetXmin(), -250.0);
    EXPECT_EQ(out.GetXmax(), 500.0);
    EXPECT_EQ(out.GetLimitXmin(), -2250.0);
    EXPECT_EQ(out.GetLimitXmax(), 4499.1);
    // The data reach exactly 100 mV, so the floor leaves the range as it is.
    EXPECT_EQ(out.GetYmin(), 0.0);
    EXPECT_EQ(out.GetYmax(), 100.0);

    // The output is 100 mV for t = 99 and 100 ms, and only there.
    const Peak p = FindPeak(out);
    ASSERT_GE(p.Row, 0);
    EXPECT_NEAR(p.Row, out.MathToPhisY(100.0), 1);
    EXPECT_NEAR(p.FirstColumn, out.MathToPhisX(99.0), 2);
    EXPECT_NEAR(p.LastColumn, out.MathToPhisX(100.0), 2);
    // Half way up on the rising and the falling side, at rest before t = 0
    // and after the pulse has left the window.
    EXPECT_TRUE(CurveNear(out, out.MathToPhisX(49.0), out.MathToPhisY(50.0)));
    EXPECT_TRUE(CurveNear(out, out.MathToPhisX(150.0), out.MathToPhisY(50.0)));
    EXPECT_TRUE(CurveNear(out, out.MathToPhisX(-200.0), out.MathToPhisY(0.0)));
    EXPECT_TRUE(CurveNear(out, out.MathToPhisX(400.0), out.MathToPhisY(0.0)));
    EXPECT_FALSE(CurveNear(out, out.MathToPhisX(-100.0), out.MathToPhisY(50.0)));

    // The input: 1 V from t = 0 to 100 ms.
    TDiagram& in = *s.Input;
    EXPECT_EQ(in.GetYmax(), 1.0);
    const Peak q = FindPeak(in);
    EXPECT_NEAR(q.Row, in.MathToPhisY(1.0), 1);
    EXPECT_NEAR(q.FirstColumn, in.MathToPhisX(0.0), 2);
    EXPECT_NEAR(q.LastColumn, in.MathToPhisX(100.0), 2);
}

TEST(RunOnChart, DeltaOutputRangeFollowsTheData) {
    // The moving sum holds the unit impulse for 100 samples: 1 mV, far below
    // the floor, and still the full height of the chart.
    Shown s(siDelta, fiMaf);
    TDiagram& out = *s.Output;
    EXPECT_EQ(out.GetYmax(), 1.0);
    const Peak p = FindPeak(out);
    EXPECT_NEAR(p.Row, out.MathToPhisY(1.0), 1);
    EXPECT_NEAR(p.FirstColumn, out.MathToPhisX(0.0), 2);
    EXPECT_NEAR(p.LastColumn, out.MathToPhisX(99.0), 2);
}

TEST(RunOnChart, SilentRunShowsAFlatLineUnderThe100mVFloor) {
    Shown s(siOff, fiLowBand1);
    TDiagram& out = *s.Output;
    EXPECT_EQ(out.GetYmax(), 100.0);
    const int zero = out.MathToPhisY(0.0);
    // A flat series sits at its value, the lowest row of the range.
    const Peak p = FindPeak(out);
    EXPECT_NEAR(p.Row, zero, 1);
    EXPECT_LE(p.FirstColumn, out.MathToPhisX(-249.0));
    EXPECT_GE(p.LastColumn, out.MathToPhisX(499.0));
}

// A run over the one before, with the same ranges and limits, still draws
// the new data: the chart is drawn whether or not its settings changed. The
// series ends up visible and the picture is current.
TEST(RunOnChart, ARunWithTheSameRangesStillShowsItsOwnData) {
    std::vector<double> up(7500, 0.0), down(7500, 0.0);
    for (int i = 2500; i < 2600; ++i) {
        up[i] = 1.0;
        down[i + 200] = 1.0;
    }
    CBenchRun run;
    run.Count = RunSamples;
    run.ArgMin = RunArgMin;
    run.ArgMax = RunArgMax;
    run.Display = RunDisplayFor(siDelta);
    auto chart = MakeChart();
    auto fresh = MakeChart();
    run.Output = up.data();
    ShowRunOnChart(*chart, run, true);
    chart->GetKeeper(0)->Hide();
    run.Output = down.data();
    ShowRunOnChart(*chart, run, true);
    ShowRunOnChart(*fresh, run, true);
    EXPECT_TRUE(chart->GetKeeper(0)->IsVisible());
    const Peak p = FindPeak(*chart);
    EXPECT_NEAR(p.FirstColumn, chart->MathToPhisX(200.0), 2);
    EXPECT_TRUE(chart->GetPicture() == fresh->GetPicture());
}

// Start's own display of a noisy run (every sample a spike of its own, about
// 0.9 pixels a sample on a 760-pixel chart) hides none of them, on either
// chart, at either screen density.
TEST(RunOnChart, StartDisplayOfANoisyRunHidesNoSample) {
    for (qreal ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        const qreal previous = TDiagram::SetPictureRatio(ratio);
        SeedRandom(20240614);
        Shown s(siRectangle, fiLowBand1, niOn, 760, 250);
        EXPECT_EQ(s.Input->GetXmin(), -250.0);
        EXPECT_EQ(s.Input->GetXmax(), 500.0);
        const QRgb curve = kCurve.rgb();
        int checked = 0;
        EXPECT_EQ(MissedSamples(*s.Input, curve,
                                GridSamples(InputSamples, RunSamples, -2500.0, 1.0), &checked),
                  "");
        EXPECT_EQ(checked, 751);
        EXPECT_EQ(
            MissedSamples(*s.Output, curve, GridSamples(OutputSamples, RunSamples, -2500.0, 1.0)),
            "");
        TDiagram::SetPictureRatio(previous);
    }
}

// The 1 V delta keeps its height when the student moves or widens the range
// with the frame's arrows, up to the whole run.
TEST(RunOnChart, DeltaInputStaysAt1VWhereverTheRangeIsMoved) {
    Shown s(siDelta, fiMaf, niOff, 760, 250);
    TDiagram& in = *s.Input;
    ASSERT_EQ(in.GetYmax(), 1.0);
    auto expectPeak = [&] {
        const Peak p = FindPeak(in);
        EXPECT_NEAR(p.Row, in.MathToPhisY(1.0), 1);
        EXPECT_NEAR(p.FirstColumn, in.MathToPhisX(0.0), 1);
    };
    expectPeak();
    for (int i = 0; i < 25; ++i) {
        SCOPED_TRACE(i);
        in.IncreaseXmin();
        in.IncreaseXmax();
        expectPeak();
    }
    for (int i = 0; i < 25; ++i) {
        SCOPED_TRACE(i);
        in.ReduceXmin();
        in.IncreaseXmax();
        expectPeak();
    }
    in.SetRangeX(in.GetLimitXmin(), in.GetLimitXmax());
    expectPeak();
}
