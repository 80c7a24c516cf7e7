// The analog curve hides no sample: wherever a sample lies in the range, the
// curve has a pixel within one pixel of it, however many samples share a
// column, and sparse samples are joined by the series' own reading.

#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "ChartTestUtil.h"
#include "CurveCheck.h"
#include "chart/TSeriesPainter.h"

namespace {

const QColor kCurve(220, 0, 0);
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

double Uniform(std::mt19937& g, double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(g);
}
double LogUniform(std::mt19937& g, double lo, double hi) {
    return std::exp(Uniform(g, std::log(lo), std::log(hi)));
}
int Pick(std::mt19937& g, int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(g);
}

// Noise, single-sample spikes of either sign, steps, or all of them; hostile
// data has a few values that are no numbers or infinite.
std::vector<double> RandomData(std::mt19937& g, int n, int shape, bool hostile) {
    std::vector<double> s(static_cast<std::size_t>(n), 0.0);
    std::normal_distribution<double> noise(0.0, 1.0);
    double level = 0;
    for (double& v : s) {
        if (shape == 0 || shape == 3) {
            v += noise(g);
        }
        if ((shape == 1 || shape == 3) && Pick(g, 0, 99) == 0) {
            v += (Pick(g, 0, 1) ? 1 : -1) * Uniform(g, 5, 100);
        }
        if (shape == 2 || shape == 3) {
            if (Pick(g, 0, 199) == 0) {
                level = Uniform(g, -20, 20);
            }
            v += level;
        }
        if (hostile && Pick(g, 0, 499) == 0) {
            const double special[] = {kNaN, kInf, -kInf, 1e300};
            v = special[Pick(g, 0, 3)];
        }
    }
    return s;
}

// A chart whose base series shows data at x0 + n*step in the curve's colour.
std::unique_ptr<TDiagram> CurveChart(int w, int h, const std::vector<double>& data, double x0,
                                     double step, int penWidth) {
    auto d = MakeChart(w, h);
    TKeeper* k = d->GetKeeper(0);
    EXPECT_TRUE(k->SetData(data.data(), static_cast<int>(data.size()), x0,
                           x0 + (static_cast<double>(data.size()) - 1) * step));
    k->SetColor(kCurve);
    k->SetPenWidth(penWidth);
    return d;
}

std::vector<TShownSample> SamplesOf(TKeeper& k, const std::vector<double>& data) {
    return GridSamples(data.data(), static_cast<int>(data.size()), k.GetXmin(), k.GetStep(),
                       k.GetScale());
}

// The curve's rows in widget column x at ratio 1: first and last, -1 if none.
std::pair<int, int> CurveRows(const TDiagram& d, int x) {
    int first = -1;
    int last = -1;
    for (int y = d.Get_yb_net(); y < d.Get_ye_net(); ++y) {
        if (Px(d, x, y) == Rgb(kCurve)) {
            first = first < 0 ? y : first;
            last = y;
        }
    }
    return {first, last};
}

// The topmost row of the curve in the net.
int TopRow(const TDiagram& d) {
    for (int y = d.Get_yb_net(); y < d.Get_ye_net(); ++y) {
        for (int x = d.Get_xb_net(); x < d.Get_xe_net(); ++x) {
            if (WidgetPixelHas(d.GetPicture(), x, y, Rgb(kCurve))) {
                return y;
            }
        }
    }
    return -1;
}

} // namespace

// Random series of every shape over random ranges, sizes, pens, kernels and
// ratios: every sample in the range is there.
TEST(Analog, RandomSeriesShowEverySample) {
    std::mt19937 g(20240614);
    int checked = 0;
    for (int c = 0; c < 160; ++c) {
        SCOPED_TRACE(c);
        const int n = static_cast<int>(LogUniform(g, 2, 20000));
        const double step = std::min(LogUniform(g, 1e-3, 10), 5e4 / n);
        const double x0 = Uniform(g, -1000, 1000);
        const std::vector<double> data = RandomData(g, n, c % 4, c % 5 == 4);
        RatioScope ratio(c % 3 == 0 ? 2 : (c % 10 == 1 ? 1.5 : 1));
        auto d = CurveChart(Pick(g, 80, 1400), Pick(g, 60, 700), data, x0, step, 1 + c % 3);
        TKeeper* k = d->GetKeeper(0);
        k->SetInterpKind(static_cast<unsigned char>(Pick(g, 0, 6)));
        if (c % 7 == 6) {
            k->SetScale(Uniform(g, -3, 3));
        }
        const double span = (n - 1) * step;
        switch (Pick(g, 0, 3)) {
        case 0: // the whole series
            d->SetRangeX(x0, x0 + span);
            break;
        case 1: { // zoomed in
            const double w = span * LogUniform(g, 1e-3, 1);
            const double from = x0 + Uniform(g, -0.1, 1.0) * span;
            d->SetRangeX(from, from + w);
            break;
        }
        case 2: // wider than the series
            d->SetRangeX(x0 - span * Uniform(g, 0, 2), x0 + span * Uniform(g, 1, 3));
            break;
        default: // overlapping one end
            d->SetRangeX(x0 + span * Uniform(g, 0.5, 0.99), x0 + span * Uniform(g, 1.2, 4));
            break;
        }
        d->AutoRangeY();
        if (Pick(g, 0, 2) == 0) {
            // A narrower value range: some samples are cut off at the border.
            const double lo = d->GetYmin(), hi = d->GetYmax();
            d->SetRangeY(lo + (hi - lo) * Uniform(g, 0, 0.4), hi - (hi - lo) * Uniform(g, 0, 0.4));
        }
        int looked = 0;
        EXPECT_EQ(MissedSamples(*d, Rgb(kCurve), SamplesOf(*k, data), &looked), "")
            << n << " samples, step " << step << ", x " << d->GetXmin() << " .. " << d->GetXmax()
            << ", net " << d->Get_xe_net() - d->Get_xb_net();
        checked += looked;
    }
    // The cases do reach samples, many of them.
    EXPECT_GT(checked, 100000);
}

// The curve is one connected line: a single run of rows in every column,
// touching the runs of both neighbours, whatever crowds a column.
TEST(Analog, CurveIsConnectedAcrossTheNet) {
    std::mt19937 g(7);
    for (int c = 0; c < 12; ++c) {
        SCOPED_TRACE(c);
        const int n = static_cast<int>(LogUniform(g, 20, 20000));
        const std::vector<double> data = RandomData(g, n, c % 4, false);
        auto d = CurveChart(Pick(g, 200, 1000), 300, data, 0, 1, 1);
        d->SetRangeX(Uniform(g, -0.2, 0.3) * n, Uniform(g, 0.5, 1.2) * n);
        d->AutoRangeY();
        std::pair<int, int> before = CurveRows(*d, d->Get_xb_net());
        for (int x = d->Get_xb_net(); x < d->Get_xe_net(); ++x) {
            const std::pair<int, int> rows = CurveRows(*d, x);
            ASSERT_GE(rows.first, 0) << x;
            for (int y = rows.first; y <= rows.second; ++y) {
                ASSERT_EQ(Px(*d, x, y), Rgb(kCurve)) << x << "," << y;
            }
            EXPECT_LE(rows.first, before.second + 1) << x;
            EXPECT_GE(rows.second, before.first - 1) << x;
            before = rows;
        }
    }
}

// Over the whole run on a 760-pixel chart (about ten samples a column) the
// triangle from the matched filter keeps its peak of 100.
TEST(Analog, TrianglePeakShownAt100OverTheWholeRun) {
    std::vector<double> s(7500, 0.0);
    for (int i = 0; i <= 200; ++i) {
        s[static_cast<std::size_t>(2500 + i)] = 100.0 - std::abs(i - 100);
    }
    // Around 760 pixels, so that columns fall differently on the peak.
    for (int chartWidth = 756; chartWidth <= 765; ++chartWidth) {
        for (int width : {1, 2}) {
            SCOPED_TRACE(testing::Message() << chartWidth << " " << width);
            auto d = CurveChart(chartWidth, 250, s, -2500, 1, width);
            d->SetRangeX(-2500, 5000);
            d->AutoRangeY();
            ASSERT_EQ(d->GetYmax(), 100.0);
            if (chartWidth == 760 && width == 2) {
                MaybeSave(*d, "analog-triangle");
            }
            // A wider pen gives its spare row above.
            EXPECT_EQ(TopRow(*d), d->MathToPhisY(100.0) - (width - 1));
            EXPECT_EQ(MissedSamples(*d, Rgb(kCurve), SamplesOf(*d->GetKeeper(0), s)), "");
        }
    }
}

// A delta keeps its height wherever the range is moved to, and zoomed in to
// several pixels a sample, a spike's top is not cut between columns.
TEST(Analog, SingleSampleSpikesKeepTheirHeight) {
    std::vector<double> s(7500, 0.0);
    s[2500] = 1.0;
    auto d = CurveChart(760, 250, s, -2500, 1, 1);
    d->SetRangeY(-0.1, 1.1);
    d->SetRangeX(-250, 500);
    for (int shift = 0; shift < 40; ++shift) {
        SCOPED_TRACE(shift);
        EXPECT_EQ(TopRow(*d), d->MathToPhisY(1.0));
        EXPECT_TRUE(
            WidgetPixelHas(d->GetPicture(), d->MathToPhisX(0), d->MathToPhisY(1.0), Rgb(kCurve)));
        // The frame's arrows: ends moved by 10 or 100 ms, the range widened.
        if (shift % 2 == 0) {
            d->ReduceXmin();
        } else {
            d->IncreaseXmax();
        }
    }
    d->SetRangeX(0, 100);
    s[2550] = 1.0;
    d->ShowDiagram();
    const int px = d->MathToPhisX(50);
    ASSERT_GE(d->MathToPhisX(51) - px, 7);
    EXPECT_EQ(CurveRows(*d, px).first, d->MathToPhisY(1.0));
    EXPECT_EQ(MissedSamples(*d, Rgb(kCurve), SamplesOf(*d->GetKeeper(0), s)), "");
}

// Where samples are further apart than columns, the columns between them show
// the series' own continuous reading, overshoots of the kernel included; a
// function has no samples and is read once a column.
TEST(Analog, BetweenSamplesTheSeriesOwnReading) {
    std::mt19937 g(3);
    const std::vector<double> s = RandomData(g, 20, 3, false);
    for (int kind = 0; kind <= 3; ++kind) {
        SCOPED_TRACE(kind);
        auto d = CurveChart(600, 300, s, 0, 1, 1);
        TKeeper* k = d->GetKeeper(0);
        k->SetInterpKind(static_cast<unsigned char>(kind));
        d->SetRangeX(0, 19);
        d->AutoRangeY();
        const double lo = d->GetYmin(), hi = d->GetYmax();
        d->SetRangeY(lo - (hi - lo) / 2, hi + (hi - lo) / 2);
        int columns = 0;
        for (int x = d->Get_x0_out(); x < d->Get_x0_out() + d->Get_w_out(); ++x) {
            const double at = d->PhisToMathX(x);
            // Columns that hold a sample show the sample.
            if (d->MathToPhisX(std::floor(at + 1)) == x || d->MathToPhisX(std::floor(at)) == x) {
                continue;
            }
            ++columns;
            EXPECT_EQ(Px(*d, x, d->MathToPhisY(k->GetValue(at))), Rgb(kCurve)) << x;
        }
        EXPECT_GT(columns, 400);
        EXPECT_EQ(MissedSamples(*d, Rgb(kCurve), SamplesOf(*k, s)), "");
    }
    auto d = MakeChart(600, 300);
    TKeeper* f = d->GetKeeper(0);
    f->SetFunctionData([](double x) { return std::sin(x) * std::exp(-x / 20); }, 5, 0, 40);
    f->SetColor(kCurve);
    f->SetPenWidth(1);
    d->SetRangeX(0, 40);
    d->SetRangeY(-1.2, 1.2);
    for (int x = d->Get_x0_out(); x < d->Get_x0_out() + d->Get_w_out(); ++x) {
        EXPECT_EQ(Px(*d, x, d->MathToPhisY(f->GetValue(d->PhisToMathX(x)))), Rgb(kCurve)) << x;
    }
}

// The mirrored continuation of a symmetric series and the repetitions of a
// periodic one are samples too, whether periods are wider or narrower than a
// column.
TEST(Analog, SymmetricAndPeriodicSamplesAreShown) {
    std::mt19937 g(11);
    const std::vector<double> s = RandomData(g, 300, 3, false);
    const double step = 0.5;
    const double span = 299 * step;
    for (int symmetry = 0; symmetry <= 2; ++symmetry) {
        for (double period : {0.0, 37.3 * step, 0.3}) {
            SCOPED_TRACE(testing::Message() << symmetry << " " << period);
            auto d = CurveChart(900, 300, s, 10, step, 1);
            TKeeper* k = d->GetKeeper(0);
            k->SetSymmetry(static_cast<unsigned char>(symmetry));
            if (period > 0) {
                k->SetGraphKind(gkAnalogPeriodic);
                k->SetPeriod(period);
            }
            d->SetRangeX(10 - 2.5 * span, 10 + 2.5 * span);
            d->AutoRangeY();
            const double sign = symmetry == 2 ? -1 : 1;
            std::vector<TShownSample> shown;
            if (period == 0) {
                for (int n = 0; n < 300; ++n) {
                    shown.push_back({10 + n * step, s[static_cast<std::size_t>(n)]});
                    if (symmetry != 0 && n > 0) {
                        shown.push_back({10 - n * step, sign * s[static_cast<std::size_t>(n)]});
                    }
                }
            } else {
                const int perPeriod = std::min(300, static_cast<int>(std::ceil(period / step)));
                const long long periods = static_cast<long long>(5 * span / period) + 2;
                for (long long m = -periods; m <= periods; ++m) {
                    for (int j = 0; j < perPeriod; ++j) {
                        const double u = m * period + j * step;
                        const double v = s[static_cast<std::size_t>(j)];
                        if (symmetry == 0) {
                            shown.push_back({10 + u, v});
                        } else if (u >= 0) {
                            shown.push_back({10 + u, v});
                            if (u > 0) {
                                shown.push_back({10 - u, sign * v});
                            }
                        }
                    }
                }
            }
            int looked = 0;
            EXPECT_EQ(MissedSamples(*d, Rgb(kCurve), shown, &looked), "");
            EXPECT_GT(looked, 250);
        }
    }
}

// Samples that are no numbers leave a gap, and the numbers around them are
// still shown. An infinite sample among others in a column takes the column
// to the border row and no further; spread out, its neighbourhood reads as
// infinite or as no number, and the line breaks there.
TEST(Analog, GapsAndInfiniteSamples) {
    std::vector<double> s(100);
    for (int i = 0; i < 100; ++i) {
        s[static_cast<std::size_t>(i)] = std::sin(i * 0.2);
    }
    for (int i = 40; i < 60; ++i) {
        s[static_cast<std::size_t>(i)] = kNaN;
    }
    s[20] = kInf;
    auto d = CurveChart(600, 300, s, 0, 1, 2);
    d->SetRangeX(0, 99);
    d->SetRangeY(-1.2, 1.2);
    MaybeSave(*d, "analog-gaps");
    EXPECT_EQ(MissedSamples(*d, Rgb(kCurve), SamplesOf(*d->GetKeeper(0), s)), "");
    for (int x = d->MathToPhisX(40) + 1; x < d->MathToPhisX(59) - 1; ++x) {
        EXPECT_EQ(CurveRows(*d, x).first, -1) << x;
    }

    std::vector<double> dense(5000);
    for (std::size_t i = 0; i < dense.size(); ++i) {
        dense[i] = std::sin(static_cast<double>(i) * 0.01);
    }
    dense[1000] = kInf;
    dense[3000] = -kInf;
    d = CurveChart(600, 300, dense, 0, 1, 2);
    d->SetRangeX(0, 4999);
    d->SetRangeY(-1.2, 1.2);
    EXPECT_EQ(MissedSamples(*d, Rgb(kCurve), SamplesOf(*d->GetKeeper(0), dense)), "");
    // The wide pen's spare row lies on the frame above.
    EXPECT_EQ(CurveRows(*d, d->MathToPhisX(1000)).first, d->Get_yb_net());
    EXPECT_EQ(CurveRows(*d, d->MathToPhisX(3000)).second, d->Get_ye_net() - 1);
    const QImage& img = d->GetPicture();
    EXPECT_EQ(CountColor(img, Rgb(kCurve), 0, 0, 600, 300),
              CountColor(img, Rgb(kCurve), d->Get_xb_net(), d->Get_yb_net(), d->Get_xe_net(),
                         d->Get_ye_net()));
}

// Far from the data, the series reads 0 over the whole net; huge series are
// drawn in bounded time, from memory and from a file, at either ratio.
TEST(Analog, FarRangesAndHugeSeries) {
    std::vector<double> s(11, 5.0);
    auto d = CurveChart(400, 200, s, 0, 1, 1);
    d->SetRangeX(90000, 100000);
    d->SetRangeY(-1, 1);
    const int zero = d->MathToPhisY(0);
    EXPECT_EQ(
        CountColor(d->GetPicture(), Rgb(kCurve), d->Get_xb_net(), zero, d->Get_xe_net(), zero + 1),
        d->Get_xe_net() - d->Get_xb_net());

    std::vector<float> big(6000000);
    for (std::size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<float>(std::sin(static_cast<double>(i) * 1e-4));
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("samples.bin")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const qint64 bytes = static_cast<qint64>(big.size() / 30 * sizeof(double));
    std::vector<double> part(big.begin(), big.begin() + static_cast<long>(big.size() / 30));
    ASSERT_EQ(file.write(reinterpret_cast<const char*>(part.data()), bytes), bytes);
    file.close();
    for (qreal ratio : {1.0, 2.0}) {
        RatioScope scope(ratio);
        auto h = MakeChart(500, 300);
        TKeeper* k = h->GetKeeper(0);
        ASSERT_TRUE(k->SetData(big.data(), static_cast<int>(big.size()), -3e4, 3e4));
        k->SetColor(kCurve);
        k->SetSymmetry(2);
        h->SetRangeX(-9e4, 9e4);
        h->SetRangeY(-1.1, 1.1);
        EXPECT_GT(CountColor(h->GetPicture(), Rgb(kCurve), 0, 0, h->GetPicture().width(),
                             h->GetPicture().height()),
                  1000);
        ASSERT_TRUE(k->SetFileData(file.fileName().toStdString(), false,
                                   static_cast<int>(part.size()), 0, 1000));
        k->SetColor(kCurve);
        h->SetRangeX(-100, 1100);
        EXPECT_GT(CountColor(h->GetPicture(), Rgb(kCurve), 0, 0, h->GetPicture().width(),
                             h->GetPicture().height()),
                  500);
    }
}

// Nets of a pixel or two, and a picture the painter must draw on itself (a
// format the curve is not written into directly): the same pixels, never a
// pixel outside the net.
TEST(Analog, TinyNetsAndEveryPictureFormat) {
    std::mt19937 g(5);
    const std::vector<double> s = RandomData(g, 3000, 3, true);
    TKeeper k;
    ASSERT_TRUE(k.CopyData(s.data(), 3000, 0, 100));
    k.SetColor(kCurve);
    for (qreal ratio : {1.0, 2.0, 1.5}) {
        for (const TNetRect net : {TNetRect{0, 0, 1, 1}, TNetRect{3, 2, 1, 3}, TNetRect{2, 4, 2, 2},
                                   TNetRect{5, 5, 60, 30}, TNetRect{1, 1, 78, 48}}) {
            SCOPED_TRACE(testing::Message() << ratio << " " << net.xb << "," << net.yb << " "
                                            << net.w << "x" << net.h);
            TScale scale;
            scale.X.SetRange(-10, 90);
            scale.Y.SetRange(-5, 5);
            scale.X.SetPixels(net.xb, net.w);
            scale.Y.SetPixels(net.yb, net.h);
            QImage pictures[2];
            const QImage::Format formats[2] = {QImage::Format_RGB32, QImage::Format_RGBX8888};
            for (int i = 0; i < 2; ++i) {
                QImage img(qCeil(80 * ratio), qCeil(50 * ratio), formats[i]);
                img.setDevicePixelRatio(ratio);
                img.fill(Qt::white);
                {
                    QPainter p(&img);
                    p.setClipRect(net.xb, net.yb, net.w, net.h);
                    for (int width : {1, 3}) {
                        k.SetPenWidth(width);
                        TSeriesPainter(p, scale, net, false, Qt::white).Draw(k);
                    }
                }
                pictures[i] = img.convertToFormat(QImage::Format_RGB32);
            }
            EXPECT_EQ(pictures[0], pictures[1]);
            const QImage& img = pictures[0];
            const QRect inside(qFloor(net.xb * ratio), qFloor(net.yb * ratio),
                               qFloor(net.xe() * ratio) - qFloor(net.xb * ratio),
                               qFloor(net.ye() * ratio) - qFloor(net.yb * ratio));
            for (int y = 0; y < img.height(); ++y) {
                for (int x = 0; x < img.width(); ++x) {
                    if ((img.pixel(x, y) & 0xffffffu) == Rgb(kCurve)) {
                        ASSERT_TRUE(inside.contains(x, y)) << x << "," << y;
                    }
                }
            }
        }
    }
}
