#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "ChartTestUtil.h"

// The bench's chart: 7500 noisy samples at 1 ms shown over -250 ... 500 ms.
TEST(ChartLook, BenchLikeChartRenders) {
    std::vector<double> samples(7500);
    std::mt19937 gen(7);
    std::normal_distribution<double> noise(0.0, 1.0);
    for (int i = 0; i < 7500; ++i) {
        const double t = i - 2500.0;
        samples[i] = noise(gen) + (t >= 0 && t < 101 ? 5.0 : 0.0);
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
    d->SetNameDiagram(QStringLiteral("Сигнал на входе фильтра"));
    d->SetNameX(QStringLiteral("t, мс"));
    d->SetNameY(QStringLiteral("sвх(t), B"));
    TKeeper* k = d->GetKeeper(0);
    ASSERT_TRUE(k->SetData(samples.data(), 7500, -2500.0, 4999.0));
    k->Hide();
    d->SetRangeX(-250.0, 500.0);
    d->SetLimitX(-2250.0, 4499.1);
    k->Show();
    d->AutoRangeY();
    MaybeSave(*d, "bench");
    EXPECT_EQ(d->GetXmin(), -250.0);
    EXPECT_EQ(d->GetXmax(), 500.0);
}
