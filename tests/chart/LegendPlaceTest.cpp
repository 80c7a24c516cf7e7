// Where the legend goes: never over a curve. Inside the net where no curve
// pixel lies under it, else in a band above the net, which makes room; under
// the chart in a print that asks for it; clear of the frame's tool panel.

#include <QtMath>
#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ChartTestUtil.h"
#include "chart/CurveFootprint.h"
#include "chart/TReferenceCurves.h"

namespace {

// The output curve in a colour of its own, so that its pixels are told from
// the legend's text (black and grey).
const QColor kOutput(0xC0, 0x00, 0xC0);

// Spikes on a flat line, noise, or steps, of random size and place.
std::vector<double> RandomRun(std::mt19937& gen, int kind) {
    std::uniform_real_distribution<double> u(0, 1);
    std::normal_distribution<double> noise(0, 1);
    std::vector<double> v(7500, 0.0);
    const double scale = 1 + 200 * u(gen);
    if (kind == 0) {
        const int spikes = 1 + static_cast<int>(u(gen) * 6);
        for (int i = 0; i < spikes; ++i) {
            const int at = static_cast<int>(u(gen) * 7400);
            const int wide = 1 + static_cast<int>(u(gen) * 60);
            const double peak = (u(gen) < 0.3 ? -1 : 1) * scale * (0.3 + u(gen));
            for (int n = at; n < std::min(7500, at + wide); ++n) {
                v[static_cast<std::size_t>(n)] = peak * (1 - std::abs(2.0 * (n - at) / wide - 1));
            }
        }
    } else if (kind == 1) {
        const double amplitude = u(gen) < 0.5 ? scale : scale * 0.05;
        for (double& x : v) {
            x = amplitude * noise(gen);
        }
    } else {
        double level = 0;
        for (int n = 0; n < 7500; ++n) {
            if (u(gen) < 0.003) {
                level = scale * (u(gen) * 2 - 1);
            }
            v[static_cast<std::size_t>(n)] = level;
        }
    }
    return v;
}

// The colours the curves are drawn in.
std::vector<QRgb> CurveColours(TReferenceCurves& refs) {
    std::vector<QRgb> colours{Rgb(kOutput)};
    for (int i = 0; i < refs.Count(); ++i) {
        colours.push_back(Rgb(refs.Get(i)->GetColor()));
    }
    return colours;
}

// Device pixels of a curve colour inside the legend's box, but for the
// piece of its own line that each entry shows (3 pixels in, 24 long, on the
// middle row of its line).
int CurvePixelsUnderLegend(const TDiagram& d, const std::vector<QRgb>& colours, int entries) {
    const QRect box = d.GetLegendRect();
    const QImage& img = d.GetPicture();
    const qreal r = img.devicePixelRatio();
    const int line = (box.height() - 6) / entries;
    int found = 0;
    for (int y = qFloor(box.top() * r); y < qCeil((box.bottom() + 1) * r); ++y) {
        for (int x = qFloor(box.left() * r); x < qCeil((box.right() + 1) * r); ++x) {
            const QRgb c = img.pixel(x, y) & 0xffffffu;
            const auto at = std::find(colours.begin(), colours.end(), c);
            if (at == colours.end()) {
                continue;
            }
            const int entry = static_cast<int>(at - colours.begin());
            const int middle = box.top() + 3 + entry * line + line / 2;
            const bool ownPiece = x / r >= box.left() + 2 && x / r < box.left() + 3 + 24 + 1 &&
                                  std::abs(y / r - middle) <= 2;
            found += ownPiece ? 0 : 1;
        }
    }
    return found;
}

// Whether a pixel of colour c lies in the device block of widget pixel (x, y).
bool InBlock(const QImage& img, QRgb c, int x, int y) {
    const qreal r = img.devicePixelRatio();
    for (int dy = qFloor(y * r); dy < qFloor((y + 1) * r); ++dy) {
        for (int dx = qFloor(x * r); dx < qFloor((x + 1) * r); ++dx) {
            if ((img.pixel(dx, dy) & 0xffffffu) == c) {
                return true;
            }
        }
    }
    return false;
}

TEST(LegendPlace, NoCurvePixelUnderTheLegendOverRandomRuns) {
    std::mt19937 gen(2024);
    std::uniform_real_distribution<double> u(0, 1);
    int inside = 0, above = 0;
    for (const qreal r : {1.0, 2.0}) {
        RatioScope ratio(r);
        for (const QSize size : {QSize(760, 250), QSize(500, 320), QSize(1100, 480)}) {
            for (int trial = 0; trial < 6; ++trial) {
                auto d = MakeChart(size.width(), size.height());
                std::vector<std::vector<double>> runs;
                TReferenceCurves refs(*d);
                refs.SetBaseName("выход");
                TKeeper* base = d->GetKeeper(0);
                base->SetColor(kOutput);
                const int references = 1 + static_cast<int>(u(gen) * 5);
                runs.reserve(static_cast<std::size_t>(references) + 1);
                for (int i = 0; i <= references; ++i) {
                    runs.push_back(RandomRun(gen, static_cast<int>(u(gen) * 3)));
                    base->SetData(runs.back().data(), 7500, -2500.0, 4999.0);
                    if (i < references) {
                        ASSERT_TRUE(refs.Remember(i % 2 ? "опорный " + std::to_string(i)
                                                        : "ФНЧ 1-го порядка, τ = 100 мс"));
                    }
                }
                const double from = -2500 + u(gen) * 5000;
                {
                    TDiagramBatch batch(*d);
                    d->SetRangeX(from, from + 100 + u(gen) * (4999 - from - 100));
                    d->AutoRangeY();
                }
                const std::string where = std::to_string(size.width()) + "x" +
                                          std::to_string(size.height()) + " at " +
                                          std::to_string(r) + ", trial " + std::to_string(trial);
                const QRect legend = d->GetLegendRect();
                MaybeSave(*d, QString::fromStdString("legend-random-" + where));
                ASSERT_FALSE(legend.isEmpty()) << where;
                EXPECT_EQ(CurvePixelsUnderLegend(*d, CurveColours(refs), references + 1), 0)
                    << where;
                const QRect net(QPoint(d->Get_xb_net(), d->Get_yb_net()),
                                QPoint(d->Get_xe_net() - 1, d->Get_ye_net() - 1));
                if (net.contains(legend)) {
                    ++inside;
                    continue;
                }
                // Above the net, which made room: the curve is still drawn
                // through its samples, the value range on the shrunk plot.
                ++above;
                EXPECT_LT(legend.bottom(), d->Get_yb_net()) << where;
                EXPECT_EQ(d->MathToPhisY(d->GetYmax()), d->Get_y0_out()) << where;
                EXPECT_GT(d->Get_y0_out(), legend.bottom()) << where;
                EXPECT_LT(d->Get_y0_out() + d->Get_h_out(), d->Get_ye_net()) << where;
                const std::vector<double>& shown = runs.back();
                int on = 0, tried = 0;
                for (int n = 0; n < 7500; n += 97) {
                    const double t = -2500.0 + n;
                    if (t < d->GetXmin() || t > d->GetXmax()) {
                        continue;
                    }
                    ++tried;
                    on += InBlock(d->GetPicture(), Rgb(kOutput), d->MathToPhisX(t),
                                  d->MathToPhisY(shown[static_cast<std::size_t>(n)]));
                }
                EXPECT_EQ(on, tried) << where;
            }
        }
    }
    // The sets are such that both places are taken.
    EXPECT_GT(inside, 3);
    EXPECT_GT(above, 3);
}

// Noise at both ends of the net and quiet between: every corner is taken,
// the middle top is free, and the legend goes there, inside the net.
TEST(LegendPlace, AFreePlaceAwayFromTheCornersIsFound) {
    auto d = MakeChart(760, 250);
    std::vector<double> v(7500, 0.0);
    std::mt19937 gen(5);
    std::normal_distribution<double> noise(0, 1);
    for (int n = 0; n < 7500; ++n) {
        const double t = n - 2500.0;
        v[static_cast<std::size_t>(n)] = t < -150 || t > 400 ? 4 * noise(gen) : 0.0;
    }
    TKeeper* base = d->GetKeeper(0);
    base->SetColor(kOutput);
    base->SetData(v.data(), 7500, -2500.0, 4999.0);
    TReferenceCurves refs(*d);
    refs.SetBaseName("выход");
    ASSERT_TRUE(refs.Remember("опорный"));
    {
        TDiagramBatch batch(*d);
        d->SetRangeX(-250, 500);
        d->SetRangeY(-4, 4);
    }
    const QRect legend = d->GetLegendRect();
    const QRect net(QPoint(d->Get_xb_net(), d->Get_yb_net()),
                    QPoint(d->Get_xe_net() - 1, d->Get_ye_net() - 1));
    MaybeSave(*d, "legend-middle");
    ASSERT_TRUE(net.contains(legend));
    EXPECT_GT(legend.left(), d->MathToPhisX(-200));
    EXPECT_LT(legend.right(), d->MathToPhisX(400));
    EXPECT_LT(legend.bottom(), d->MathToPhisY(0));
    EXPECT_EQ(CurvePixelsUnderLegend(*d, CurveColours(refs), 2), 0);

    // The frame's tool panel wants the top right: with the curves quiet
    // there and everywhere else taken, the legend does not go under it.
    for (int n = 0; n < 7500; ++n) {
        const double t = n - 2500.0;
        v[static_cast<std::size_t>(n)] = t < 300 ? 4 * noise(gen) : -3.5;
    }
    d->ShowDiagram();
    const QRect free = d->GetLegendRect();
    ASSERT_TRUE(net.contains(free));
    EXPECT_GT(free.left(), d->MathToPhisX(300));
    const QSize keepOut(net.right() - free.left() + 1, free.bottom() - net.top() + 5);
    d->SetLegendKeepOut(keepOut);
    const QRect panel(QPoint(d->Get_xe_net() - keepOut.width(), d->Get_yb_net()), keepOut);
    EXPECT_FALSE(d->GetLegendRect().intersects(panel));
    EXPECT_EQ(CurvePixelsUnderLegend(*d, CurveColours(refs), 2), 0);
}

// A print asks for the legend under the chart: the picture grows by it, and
// the chart above is the one without a legend; the screen keeps its own.
TEST(LegendPlace, UnderTheChartInAPrint) {
    auto d = MakeChart(760, 250);
    std::vector<double> v(7500);
    std::mt19937 gen(8);
    std::normal_distribution<double> noise(0, 1);
    for (double& x : v) {
        x = noise(gen);
    }
    std::vector<double> w = v;
    TKeeper* base = d->GetKeeper(0);
    base->SetData(w.data(), 7500, -2500.0, 4999.0);
    TReferenceCurves refs(*d);
    refs.SetBaseName("выход");
    ASSERT_TRUE(refs.Remember("опорный"));
    for (double& x : w) {
        x = -x;
    }
    d->SetRangeX(-250, 500);
    d->AutoRangeY();
    const QImage screen = d->GetPicture();
    const QRect screenLegend = d->GetLegendRect();
    const int screenNetTop = d->Get_yb_net();
    ASSERT_FALSE(screenLegend.isEmpty());
    for (const qreal r : {1.0, 2.5}) {
        const QImage print = d->RenderPicture(r, TLegendPlace::BelowChart);
        EXPECT_EQ(print.devicePixelRatio(), r);
        ASSERT_GT(print.deviceIndependentSize().height(), 250 + 10) << r;
        EXPECT_EQ(print.deviceIndependentSize().width(), 760);
        // The chart part is the chart with no legend at all.
        for (TKeeper* k = base; k != nullptr; k = k->GetNext()) {
            k->SetInLegend(false);
        }
        const QImage bare = d->RenderPicture(r);
        for (TKeeper* k = base; k != nullptr; k = k->GetNext()) {
            k->SetInLegend(true);
        }
        ASSERT_EQ(bare.width(), print.width());
        EXPECT_EQ(print.copy(0, 0, bare.width(), bare.height()), bare) << r;
        // Below it the legend: a piece of the reference's line and names.
        const QImage under =
            print.copy(0, bare.height(), print.width(), print.height() - bare.height());
        EXPECT_GT(
            CountColor(under, Rgb(ReferenceStyle(0).color), 0, 0, under.width(), under.height()),
            10);
        EXPECT_GT(CountColor(under, 0, 0, 0, under.width(), under.height()), 30);
    }
    // The screen as it was.
    EXPECT_EQ(d->GetPicture(), screen);
    EXPECT_EQ(d->GetLegendRect(), screenLegend);
    EXPECT_EQ(d->Get_yb_net(), screenNetTop);
}

TEST(CurveFootprint, TheFreeBoxNearestACornerWithItsClearance) {
    const TNetRect net{10, 20, 100, 60};
    TCurveFootprint f(net);
    const QSize box(20, 10);
    // Nothing taken: the top left, margin pixels in.
    EXPECT_EQ(f.FindFree(box, 6, 2), QRect(QPoint(16, 26), box));
    // A pixel within the clearance of that place moves it to the bottom left.
    f.Take(16 + 20 + 1, 30, 30);
    EXPECT_TRUE(f.Taken(37, 30));
    EXPECT_FALSE(f.Taken(36, 30));
    EXPECT_EQ(f.FindFree(box, 6, 2), QRect(QPoint(16, 80 - 6 - 10), box));
    // The left half taken: the bottom right.
    f.Take(QRect(10, 20, 50, 60));
    EXPECT_EQ(f.FindFree(box, 6, 2), QRect(QPoint(110 - 6 - 20, 80 - 6 - 10), box));
    // Only a hole away from every corner: found there.
    TCurveFootprint holed(net);
    for (const QRect& r : {QRect(10, 20, 100, 20), QRect(10, 54, 100, 26), QRect(10, 40, 30, 14),
                           QRect(64, 40, 46, 14)}) {
        holed.Take(r);
    }
    EXPECT_EQ(holed.FindFree(box, 6, 2), QRect(QPoint(42, 42), box));
    EXPECT_TRUE(holed.FindFree(QSize(21, 10), 6, 2).isEmpty());
    // A box larger than the net, and an empty one, have no place.
    EXPECT_TRUE(TCurveFootprint(net).FindFree(QSize(90, 10), 6, 2).isEmpty());
    EXPECT_TRUE(TCurveFootprint(net).FindFree(QSize(), 6, 2).isEmpty());
}

} // namespace
