#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "ChartTestUtil.h"

namespace {

const QColor kBack(200, 220, 240);
const QColor kNetBack(255, 255, 210);
const QColor kNet(0, 0, 160);
const QColor kSeries(220, 0, 0);

} // namespace

// The bench's chart as the main window sets it up: 7500 noisy samples at 1 ms,
// a rectangular impulse of 5 over 0 ... 100 ms, shown over -250 ... 500 ms in
// the window's fonts. The curve stands where the samples put it, and the grid
// is labelled below and beside the net.
TEST(ChartLook, BenchLikeChart) {
    std::vector<double> samples(7500);
    std::mt19937 gen(7);
    std::normal_distribution<double> noise(0.0, 1.0);
    for (int i = 0; i < 7500; ++i) {
        const double t = i - 2500.0;
        samples[static_cast<std::size_t>(i)] = noise(gen) + (t >= 0 && t < 101 ? 5.0 : 0.0);
    }
    auto d = MakeChart(760, 250);
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(16);
    QFont bi = f;
    bi.setBold(true);
    bi.setItalic(true);
    d->SetFontNet(f);
    d->SetFontName(bi);
    d->SetFontNameX(bi);
    d->SetFontNameY(bi);
    d->SetColorBackDiagram(kBack);
    d->SetColorBackNet(kNetBack);
    d->SetColorNetLine(kNet);
    d->SetNameDiagram(QStringLiteral("Сигнал на входе фильтра"));
    d->SetNameX(QStringLiteral("t, мс"));
    d->SetNameY(QStringLiteral("sвх(t), B"));
    TKeeper* k = d->GetKeeper(0);
    ASSERT_TRUE(k->SetData(samples.data(), 7500, -2500.0, 4999.0));
    k->SetColor(kSeries);
    d->SetRangeX(-250.0, 500.0);
    d->SetLimitX(-2250.0, 4499.1);
    d->AutoRangeY();
    MaybeSave(*d, "bench");
    EXPECT_EQ(d->GetXmin(), -250.0);
    EXPECT_EQ(d->GetXmax(), 500.0);
    const auto [lo, hi] = std::minmax_element(samples.begin(), samples.end());
    EXPECT_EQ(d->GetYmin(), *lo);
    EXPECT_EQ(d->GetYmax(), *hi);

    const QImage& img = d->GetPicture();
    const QRgb red = Rgb(kSeries);
    const int yb = d->Get_yb_net(), ye = d->Get_ye_net();
    auto sample = [&](int t) { return samples[static_cast<std::size_t>(t + 2500)]; };
    // Interpolation between neighbouring samples never leaves their span: away
    // from the impulse the curve stays below the largest noise sample, on the
    // impulse it reaches at least up to its smallest sample. The two-pixel pen
    // adds a row above and a column to the left, hence the slack.
    double noiseMax = -1e9, pulseMin = 1e9;
    for (int t = -260; t <= 510; ++t) {
        if (t < 0 || t > 100) {
            noiseMax = std::max(noiseMax, sample(t));
        } else {
            pulseMin = std::min(pulseMin, sample(t));
        }
    }
    const int noiseTop = d->MathToPhisY(noiseMax) - 1;
    const int pulseLow = d->MathToPhisY(pulseMin);
    int pulseColumns = 0;
    for (int px = d->Get_xb_net() + 1; px < d->Get_xe_net(); ++px) {
        const double t = d->PhisToMathX(px);
        if (t < -5 || t > 105) {
            EXPECT_EQ(CountColor(img, red, px, yb, px + 1, noiseTop), 0) << t;
        } else if (t > 2 && t < 98) {
            EXPECT_GT(CountColor(img, red, px, yb, px + 1, pulseLow + 1), 0) << t;
            ++pulseColumns;
        }
    }
    EXPECT_GT(pulseColumns, 80);
    // The curve fills the width of the net, nowhere outside it.
    EXPECT_EQ(CountColor(img, red, 0, 0, 760, 250),
              CountColor(img, red, d->Get_xb_net(), yb, d->Get_xe_net(), ye));

    // A label under every x grid line (text is whatever is neither background
    // nor net colour), one beside every y grid line, and the three names.
    const std::initializer_list<QRgb> plain = {Rgb(kBack), Rgb(kNetBack), Rgb(kNet)};
    const auto gx = MakeGridAxis(-250, 500, d->GetGridStepX());
    ASSERT_GE(gx.count, 4);
    for (int i = 0; i < gx.count; ++i) {
        const int px = d->MathToPhisX(gx.Value(i));
        EXPECT_GT(CountOther(img, plain, px - 8, ye + 5, px + 8, 250), 5) << gx.Value(i);
    }
    const auto gy = MakeGridAxis(d->GetYmin(), d->GetYmax(), d->GetGridStepY());
    ASSERT_GE(gy.count, 2);
    for (int i = 0; i < gy.count; ++i) {
        const int py = d->MathToPhisY(gy.Value(i));
        EXPECT_GT(CountOther(img, plain, 0, py - 3, d->Get_xb_net() - 5, py + 3), 5) << gy.Value(i);
    }
    const int mid = d->Get_x0_out() + d->Get_w_out() / 2;
    EXPECT_GT(CountOther(img, plain, mid - 40, 0, mid + 40, yb), 50);                  // title
    EXPECT_GT(CountOther(img, plain, d->Get_xe_net() + 1, ye - 12, 760, ye + 12), 20); // x name
    EXPECT_GT(CountOther(img, plain, d->Get_xb_net(), 0, d->Get_xb_net() + 40, yb), 20);
}
