// Reference curves on a chart: their copies, looks, number, legend and
// layers, the dashes that run along a curve, and exports that keep them.

#include <QImageReader>
#include <QTemporaryDir>
#include <climits>
#include <cmath>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "ChartTestUtil.h"
#include "base/MessageHook.h"
#include "chart/AnalogColumns.h"
#include "chart/DashedCurve.h"
#include "chart/SeriesLegend.h"
#include "chart/TReferenceCurves.h"

namespace {

// The bench's output chart: 7500 samples of 1 ms from -2500, shown from -250
// to 500 ms.
class References : public testing::Test {
  protected:
    void SetUp() override {
        chart = MakeChart(760, 250);
        samples.assign(7500, 0.0);
        Triangle(100.0);
        Show();
    }
    // A triangle from 0 to 200 ms peaking at peak.
    void Triangle(double peak) {
        for (int i = 0; i < 7500; ++i) {
            const double t = i - 2500.0;
            samples[static_cast<std::size_t>(i)] =
                t < 0 || t > 200 ? 0.0 : peak * (1 - std::fabs(t - 100) / 100);
        }
    }
    void Show() {
        TDiagramBatch batch(*chart);
        chart->GetKeeper(0)->SetData(samples.data(), 7500, -2500.0, 4999.0);
        chart->SetRangeX(-250, 500);
        chart->AutoRangeY();
    }
    int Count(const QColor& c) const {
        const QImage& img = chart->GetPicture();
        return CountColor(img, Rgb(c), 0, 0, img.width(), img.height());
    }

    std::unique_ptr<TDiagram> chart;
    std::vector<double> samples;
    MessageRecorder messages;
};

TEST_F(References, SurviveANewRunWithOtherDataAndKeepTheirLook) {
    TReferenceCurves refs(*chart);
    ASSERT_TRUE(refs.Remember("первый"));
    // The next run overwrites the very array the base series points at.
    Triangle(40.0);
    Show();
    TKeeper* r = refs.Get(0);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->GetSample(2600), 100.0);
    EXPECT_EQ(chart->GetKeeper(0)->GetSample(2600), 40.0);
    EXPECT_EQ(r->GetXmin(), -2500.0);
    EXPECT_EQ(r->GetXmax(), 4999.0);
    EXPECT_EQ(r->GetName(), "первый");
    EXPECT_EQ(r->GetColor(), ReferenceStyle(0).color);
    EXPECT_EQ(r->GetDashPattern(), ReferenceStyle(0).dashes);
    EXPECT_TRUE(r->GetBeneath());
    EXPECT_TRUE(r->GetPrintInColor());

    // The old peak is drawn in the reference's colour, the new one in black.
    chart->AutoRangeY();
    const int peakOld = chart->MathToPhisY(100.0);
    const int x = chart->MathToPhisX(100.0);
    int near = 0;
    for (int dx = -2; dx <= 2; ++dx) {
        for (int dy = -2; dy <= 2; ++dy) {
            near += Px(*chart, x + dx, peakOld + dy) == Rgb(ReferenceStyle(0).color);
        }
    }
    EXPECT_GT(near, 0);
    EXPECT_EQ(Px(*chart, x, chart->MathToPhisY(40.0)), 0u);
    // The chart's value range takes the references in.
    EXPECT_GE(chart->GetYmax(), 100.0);
}

TEST_F(References, SixKeepFiveTheOldestDroppedAndItsLookReused) {
    TReferenceCurves refs(*chart);
    for (int i = 1; i <= 6; ++i) {
        ASSERT_TRUE(refs.Remember("ref " + std::to_string(i)));
    }
    ASSERT_EQ(refs.Count(), 5);
    EXPECT_EQ(chart->GetKeeperListLength(), 6);
    EXPECT_EQ(refs.Get(0)->GetName(), "ref 2");
    EXPECT_EQ(refs.Get(4)->GetName(), "ref 6");
    // The sixth took the look of the first, which no kept one has.
    EXPECT_EQ(refs.Slot(4), 0);
    EXPECT_EQ(refs.Get(4)->GetColor(), ReferenceStyle(0).color);
    std::vector<QRgb> colours;
    for (int i = 0; i < 5; ++i) {
        const QRgb c = Rgb(refs.Get(i)->GetColor());
        EXPECT_EQ(std::count(colours.begin(), colours.end(), c), 0);
        colours.push_back(c);
    }

    refs.Clear();
    EXPECT_EQ(refs.Count(), 0);
    EXPECT_EQ(chart->GetKeeperListLength(), 1);
    EXPECT_FALSE(chart->GetKeeper(0)->GetInLegend());
    EXPECT_TRUE(chart->GetLegendRect().isEmpty());
    EXPECT_EQ(Count(ReferenceStyle(1).color), 0);
}

TEST_F(References, NothingToKeepWithoutSamples) {
    auto empty = MakeChart(400, 200);
    TReferenceCurves refs(*empty);
    EXPECT_FALSE(refs.Remember("x"));
    EXPECT_EQ(refs.Count(), 0);
    EXPECT_EQ(empty->GetKeeperListLength(), 1);
    // A reference taken from the list by other means is no longer counted.
    TReferenceCurves kept(*chart);
    ASSERT_TRUE(kept.Remember("a"));
    chart->DeleteKeeperList();
    EXPECT_EQ(kept.Count(), 0);
    EXPECT_EQ(kept.Get(0), nullptr);
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(References, LegendNamesTheOutputAndEachReferenceInOrder) {
    TReferenceCurves refs(*chart);
    refs.SetBaseName("СФ для прямоугольного импульса, K = 1, прямоугольный импульс");
    chart->ShowDiagram();
    // No legend while there is nothing to compare.
    EXPECT_TRUE(chart->GetLegendRect().isEmpty());
    refs.Remember("ФНЧ 1-го порядка, τ = 100 мс, K = 1, прямоугольный импульс");
    refs.Remember("ФНЧ с П - образной АЧХ, fc = 50 Гц, K = 1, прямоугольный импульс");
    const std::vector<TLegendEntry> entries = [&] {
        // The chart's own list, as the legend reads it.
        std::vector<TLegendEntry> e;
        for (TKeeper* k = chart->GetKeeper(0); k; k = k->GetNext()) {
            if (k->GetInLegend()) {
                e.push_back({QString::fromStdString(k->GetName()), k->GetColor(),
                             k->GetDashPattern(), k->GetPenWidth()});
            }
        }
        return e;
    }();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].text, "СФ для прямоугольного импульса, K = 1, прямоугольный импульс");
    EXPECT_EQ(entries[1].text, "ФНЧ 1-го порядка, τ = 100 мс, K = 1, прямоугольный импульс");
    EXPECT_EQ(entries[2].text, "ФНЧ с П - образной АЧХ, fc = 50 Гц, K = 1, прямоугольный импульс");

    // Names this long fit neither left nor right of the triangle: the
    // legend goes above the net, below the title, from the net's left edge,
    // with a piece of each reference's line.
    const QRect legend = chart->GetLegendRect();
    MaybeSave(*chart, "legend-above");
    ASSERT_FALSE(legend.isEmpty());
    EXPECT_LT(legend.bottom(), chart->Get_yb_net());
    EXPECT_GT(legend.top(), QFontMetrics(chart->GetFontName()).height() - 2);
    EXPECT_EQ(legend.left(), chart->Get_xb_net());
    const QImage& img = chart->GetPicture();
    for (int i = 0; i < 2; ++i) {
        EXPECT_GT(CountColor(img, Rgb(ReferenceStyle(i).color), legend.left(), legend.top(),
                             legend.left() + 30, legend.bottom()),
                  4)
            << i;
    }
    EXPECT_GT(CountOther(img, {0xffffff, 0, 0x808080, Rgb(ReferenceStyle(0).color),
                               Rgb(ReferenceStyle(1).color)},
                         legend.left() + 30, legend.top(), legend.right(), legend.bottom()),
              50);
}

TEST_F(References, LegendMovesToTheCornerTheCurvesLeaveFree) {
    // A curve high on the left and low on the right: the legend goes to the
    // bottom left.
    for (int i = 0; i < 7500; ++i) {
        samples[static_cast<std::size_t>(i)] = i < 2700 ? 100.0 : 0.0;
    }
    Show();
    TReferenceCurves refs(*chart);
    refs.Remember("a");
    const QRect legend = chart->GetLegendRect();
    ASSERT_FALSE(legend.isEmpty());
    EXPECT_GT(legend.center().y(), (chart->Get_yb_net() + chart->Get_ye_net()) / 2);
    EXPECT_LT(legend.center().x(), (chart->Get_xb_net() + chart->Get_xe_net()) / 2);
    // No room: no legend, and nothing else goes wrong.
    chart->resize(60, 40);
    chart->ShowDiagram();
    EXPECT_TRUE(chart->GetLegendRect().isEmpty());
}

TEST_F(References, TheBaseStaysOnTopAndAListWithoutReferencesKeepsItsOrder) {
    TReferenceCurves refs(*chart);
    refs.Remember("same");
    // Reference and base coincide: only the base shows where they do.
    const int x = chart->MathToPhisX(50.0);
    const int y = chart->MathToPhisY(50.0);
    EXPECT_EQ(Px(*chart, x, y), 0u);

    // Two plain series: the later one in the list is drawn last, on top.
    auto plain = MakeChart(400, 200);
    std::vector<double> flat(100, 0.5);
    plain->GetKeeper(0)->SetData(flat.data(), 100, 0, 99);
    plain->GetKeeper(0)->SetColor(Qt::red);
    TKeeper* second = plain->PNewKeeper();
    second->SetData(flat.data(), 100, 0, 99);
    second->SetColor(Qt::blue);
    plain->SetRangeX(0, 99);
    plain->SetRangeY(0, 1);
    EXPECT_EQ(Px(*plain, plain->MathToPhisX(50), plain->MathToPhisY(0.5)), Rgb(Qt::blue));
    // Put beneath, the later one goes under.
    second->SetBeneath(true);
    plain->ShowDiagram();
    EXPECT_EQ(Px(*plain, plain->MathToPhisX(50), plain->MathToPhisY(0.5)), Rgb(Qt::red));
}

TEST_F(References, SavedPictureBlackOnWhiteWithTheReferencesInColour) {
    TReferenceCurves refs(*chart);
    refs.Remember("a");
    Triangle(50.0);
    Show();
    refs.Remember("b");
    Triangle(20.0);
    Show();
    QTemporaryDir dir;
    const QString name = dir.filePath("chart.bmp");
    ASSERT_TRUE(chart->SaveBmpFile(name));
    const QImage saved = QImageReader(name).read().convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(saved.isNull());
    for (int i = 0; i < 2; ++i) {
        const QRgb c = Rgb(ReferenceStyle(i).color);
        // On the curves, not only in the legend.
        const QRect legend = chart->GetLegendRect();
        EXPECT_GT(CountColor(saved, c, legend.right() + 1, 0, saved.width(), saved.height()), 20)
            << i;
    }
    // The current output and the net in black, the background white.
    EXPECT_EQ(saved.pixel(1, 1) & 0xffffffu, 0xffffffu);
    const int x = chart->MathToPhisX(100.0);
    EXPECT_EQ(saved.pixel(x, chart->MathToPhisY(20.0)) & 0xffffffu, 0u);
    // The chart is in its colours again.
    EXPECT_FALSE(chart->GetPrintMode());
}

// ---------------------------------------------------------------- dashes

// A random curve's columns: spikes, noise and steps over a random range.
TAnalogColumns RandomCurve(std::mt19937& gen, TDiagram& d, std::vector<double>& data, double r) {
    std::uniform_real_distribution<double> u(0, 1);
    data.resize(2000);
    double level = 0;
    for (double& v : data) {
        if (u(gen) < 0.02) {
            level = u(gen) * 2 - 1;
        }
        v = level + (u(gen) < 0.01 ? 3 * u(gen) : 0.1 * u(gen));
    }
    TKeeper* k = d.GetKeeper(0);
    k->SetData(data.data(), 2000, 0, 1999);
    const double from = u(gen) * 1500;
    d.SetRangeX(from, from + 20 + u(gen) * 1900);
    d.AutoRangeY();
    const TNetRect net{d.Get_xb_net(), d.Get_yb_net(), d.Get_xe_net() - d.Get_xb_net(),
                       d.Get_ye_net() - d.Get_yb_net()};
    return AnalogColumns(*k, d.GetScale(), net, r);
}

TEST(DashedCurve, EveryPixelNearADashPeaksKeptNothingAdded) {
    std::mt19937 gen(14);
    auto d = MakeChart(600, 300);
    std::vector<double> data;
    for (const double r : {1.0, 2.0, 1.5}) {
        for (int trial = 0; trial < 12; ++trial) {
            const TAnalogColumns curve = RandomCurve(gen, *d, data, r);
            const std::vector<double> pattern = ReferenceStyle(trial % 5).dashes;
            const TColumnPieces dashed = DashColumns(curve, pattern, r);
            const int n = static_cast<int>(curve.spans.size());
            ASSERT_EQ(dashed.Columns(), n);
            auto drawn = [&](int i, int row) {
                if (i < 0 || i >= n) {
                    return false;
                }
                for (int j = dashed.start[i]; j < dashed.start[i + 1]; ++j) {
                    if (dashed.pieces[j].top <= row && row <= dashed.pieces[j].bottom) {
                        return true;
                    }
                }
                return false;
            };
            // Gaps of 3 pixels leave every pixel within 2 (device pixels
            // scale with the ratio) of a drawn one.
            const int reach = static_cast<int>(std::ceil(2 * r));
            int gaps = 0;
            for (int i = 0; i < n; ++i) {
                const TRowSpan& s = curve.spans[i];
                for (int j = dashed.start[i]; j < dashed.start[i + 1]; ++j) {
                    ASSERT_FALSE(dashed.pieces[j].Empty());
                    ASSERT_GE(dashed.pieces[j].top, s.top);
                    ASSERT_LE(dashed.pieces[j].bottom, s.bottom);
                }
                for (int row = s.top; row <= s.bottom; ++row) {
                    bool found = false;
                    for (int di = -reach; di <= reach && !found; ++di) {
                        for (int dr = -reach; dr <= reach && !found; ++dr) {
                            found = drawn(i + di, row + dr);
                        }
                    }
                    ASSERT_TRUE(found) << "column " << i << " row " << row;
                    gaps += drawn(i, row) ? 0 : 1;
                }
                if (s.Empty()) {
                    continue;
                }
                // A column above both neighbours keeps its top pixel.
                const int before = i > 0 && !curve.spans[i - 1].Empty() ? curve.spans[i - 1].top
                                                                        : INT_MAX;
                const int after = i + 1 < n && !curve.spans[i + 1].Empty()
                                      ? curve.spans[i + 1].top
                                      : INT_MAX;
                if (s.top < before && s.top < after) {
                    ASSERT_TRUE(drawn(i, s.top)) << "peak in column " << i;
                }
            }
            EXPECT_GT(gaps, 0) << "the pattern left nothing out";
        }
    }
}

TEST(DashedCurve, AFlatLineDashedByThePatternAlongItsLength) {
    TAnalogColumns flat;
    flat.first = 10;
    flat.spans.assign(44, TRowSpan{50, 50});
    const TColumnPieces dashed = DashColumns(flat, {8, 3}, 1.0);
    std::string seen;
    for (int i = 0; i < dashed.Columns(); ++i) {
        seen += dashed.start[i + 1] > dashed.start[i] ? '#' : '.';
    }
    // The two ends stay (a curve's ends are drawn), between them 8 on, 3 off.
    EXPECT_EQ(seen, "########...########...########...########..#");
    // Patterns that dash nothing leave the curve whole.
    for (const std::vector<double>& none :
         std::vector<std::vector<double>>{{}, {5}, {4, 0}, {4, -1}, {0, 0}, {1, NAN}}) {
        const TColumnPieces whole = DashColumns(flat, none, 1.0);
        EXPECT_EQ(whole.pieces.size(), 44u);
    }
}

} // namespace
