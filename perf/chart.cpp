// Redraw cost of the chart: the bench's chart and a maximised one, beside two
// baselines on an image of the same size (filling it, and one polyline across
// its width), so that figures from a busy machine can be read as ratios. The
// analog curve that shows every sample is measured beside the drawing it
// replaced (one reading per pixel column), kept here for that alone; the
// output chart with five reference curves beside the same chart without.

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QVector>
#include <QtMath>
#include <benchmark/benchmark.h>
#include <cmath>
#include <random>
#include <vector>

#include "chart/TDiagram.h"
#include "chart/TReferenceCurves.h"
#include "chart/TScale.h"

namespace {

std::vector<double>& Samples() {
    static std::vector<double> samples = [] {
        std::vector<double> s(7500);
        std::mt19937 gen(1);
        std::normal_distribution<double> noise(0.0, 1.0);
        for (double& v : s) {
            v = noise(gen);
        }
        return s;
    }();
    return samples;
}

// The analog drawing as it was: the series read once per pixel column at the
// column's argument, the readings joined by one polyline per connected run,
// stroked thick by thin lines laid side by side.
template <class Draw> void OldThickStroke(QPainter& p, int width, Draw draw) {
    const qreal r = p.device() != nullptr ? p.device()->devicePixelRatio() : 1.0;
    draw();
    int lo = -(width / 2);
    int hi = (width - 1) / 2;
    if (r != 1.0) {
        lo = qFloor(lo * r);
        hi = qCeil((hi + 1) * r) - 1;
    }
    for (int o = lo; o <= hi; ++o) {
        if (o == 0) {
            continue;
        }
        const qreal d = r != 1.0 ? o / r : o;
        p.translate(d, 0);
        draw();
        p.translate(-d, d);
        draw();
        p.translate(0, -d);
    }
}

void OldAnalog(QPainter& p, const TScale& s, const TNetRect& net, TKeeper& k) {
    QPen pen(k.GetColor(), 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
    pen.setCosmetic(true);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const int penWidth = std::max(1, std::min(64, k.GetPenWidth()));
    const int top = net.yb + 1;
    const int bottom = net.ye() - 1;
    QVector<QPoint> run;
    run.reserve(net.w + 2);
    auto flush = [&] {
        if (run.size() >= 2) {
            OldThickStroke(p, penWidth,
                           [&] { p.drawPolyline(run.constData(), static_cast<int>(run.size())); });
        }
        run.clear();
    };
    for (int px = net.xb; px <= net.xe(); ++px) {
        const double v = k.GetValue(s.X.ToValue(px));
        if (std::isnan(v)) {
            flush();
            continue;
        }
        const int py = s.Y.ToPixel(v);
        if (py < top) {
            flush();
            run.append(QPoint(px, top));
        } else if (py > bottom) {
            flush();
            run.append(QPoint(px, bottom));
        } else {
            run.append(QPoint(px, py));
        }
    }
    flush();
}

// A redraw of the noisy run at w x h (args 0, 1) over Start's window of
// -250 .. 500 ms (arg 2 = 0) or the whole run (1), at device pixel ratio
// arg 3, with the curve as the chart draws it now (arg 4 = 1) or as it was
// (0), the old one drawn into the same chart's picture after a redraw
// without the series.
void BM_NoisyRunRedraw(benchmark::State& state) {
    const qreal previousRatio = TDiagram::SetPictureRatio(static_cast<qreal>(state.range(3)));
    TDiagram d;
    d.resize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(16);
    d.SetFontNet(f);
    d.SetFontName(f);
    d.SetFontNameX(f);
    d.SetFontNameY(f);
    TKeeper* k = d.GetKeeper(0);
    k->SetData(Samples().data(), 7500, -2500.0, 4999.0);
    if (state.range(2) != 0) {
        d.SetRangeX(-2500.0, 4999.0);
    } else {
        d.SetRangeX(-250.0, 500.0);
    }
    d.AutoRangeY();
    const bool now = state.range(4) != 0;
    if (!now) {
        k->Hide();
    }
    for (auto _ : state) {
        d.ShowDiagram();
        if (!now) {
            // The picture is the chart's own; painting on it stands in for
            // the series step of the redraw.
            QPainter p(const_cast<QImage*>(&d.GetPicture()));
            const TNetRect net{d.Get_xb_net(), d.Get_yb_net(), d.Get_xe_net() - d.Get_xb_net(),
                               d.Get_ye_net() - d.Get_yb_net()};
            p.setClipRect(net.xb, net.yb, net.w, net.h);
            OldAnalog(p, d.GetScale(), net, *k);
        }
        benchmark::DoNotOptimize(d.GetPicture().constBits());
    }
    TDiagram::SetPictureRatio(previousRatio);
}

void BM_ShowDiagram(benchmark::State& state) {
    TDiagram d;
    d.resize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(16);
    d.SetFontNet(f);
    d.SetFontName(f);
    d.SetFontNameX(f);
    d.SetFontNameY(f);
    d.GetKeeper(0)->SetData(Samples().data(), 7500, -2500.0, 4999.0);
    d.SetRangeX(-250.0, 500.0);
    d.SetLimitX(-2250.0, 4499.1);
    d.AutoRangeY();
    for (auto _ : state) {
        d.ShowDiagram();
        benchmark::DoNotOptimize(d.GetPicture().constBits());
    }
}

// The output chart with arg 2 references (0 .. 5, each of another run) over
// Start's window (arg 3 = 0) or the whole run (1): the redraw with dashed
// references and the legend beside the same chart without them.
void BM_ReferencesRedraw(benchmark::State& state) {
    static const std::vector<std::vector<double>> noisy = [] {
        std::vector<std::vector<double>> r(6, std::vector<double>(7500));
        std::mt19937 gen(3);
        std::normal_distribution<double> noise(0.0, 1.0);
        for (auto& run : r) {
            for (double& v : run) {
                v = noise(gen);
            }
        }
        return r;
    }();
    std::vector<std::vector<double>> runs = noisy;
    TDiagram d;
    d.resize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(16);
    d.SetFontNet(f);
    d.SetFontName(f);
    d.SetFontNameX(f);
    d.SetFontNameY(f);
    TReferenceCurves refs(d);
    // The bench's names, or short ones with quiet runs (arg 4 = 1): the
    // legend then finds its place in the net, where the noise leaves it none.
    const bool quiet = state.range(4) != 0;
    if (quiet) {
        for (std::size_t i = 0; i < runs.size(); ++i) {
            for (std::size_t n = 0; n < 7500; ++n) {
                const double t = static_cast<double>(n) - 2500.0 - 20.0 * static_cast<double>(i);
                runs[i][n] = t < 0 || t > 200 ? 0.0 : 100 - std::fabs(t - 100);
            }
        }
    }
    refs.SetBaseName(quiet ? "выход"
                           : "СФ для прямоугольного импульса, K = 1, прямоугольный импульс + шум");
    for (int i = 0; i < state.range(2); ++i) {
        d.GetKeeper(0)->SetData(runs[static_cast<std::size_t>(i + 1)].data(), 7500, -2500.0,
                                4999.0);
        refs.Remember(quiet ? "опорный"
                            : "ФНЧ 1-го порядка, τ = 100 мс, K = 1, прямоугольный импульс + шум");
    }
    d.GetKeeper(0)->SetData(runs[0].data(), 7500, -2500.0, 4999.0);
    if (state.range(3) != 0) {
        d.SetRangeX(-2500.0, 4999.0);
    } else {
        d.SetRangeX(-250.0, 500.0);
    }
    d.AutoRangeY();
    for (auto _ : state) {
        d.ShowDiagram();
        benchmark::DoNotOptimize(d.GetPicture().constBits());
    }
}

void BM_FillImage(benchmark::State& state) {
    QImage img(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
               QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&img);
        p.fillRect(img.rect(), Qt::lightGray);
        p.end();
        benchmark::DoNotOptimize(img.constBits());
    }
}

void BM_OnePolyline(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0));
    const int h = static_cast<int>(state.range(1));
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    QVector<QPoint> points;
    std::mt19937 gen(2);
    std::uniform_int_distribution<int> row(h / 4, 3 * h / 4);
    for (int x = 0; x < w; ++x) {
        points.append(QPoint(x, row(gen)));
    }
    for (auto _ : state) {
        QPainter p(&img);
        p.setPen(QPen(Qt::black, static_cast<int>(state.range(2))));
        p.drawPolyline(points.constData(), static_cast<int>(points.size()));
        p.end();
        benchmark::DoNotOptimize(img.constBits());
    }
}

} // namespace

BENCHMARK(BM_ShowDiagram)->Args({760, 250})->Args({1920, 1000})->Unit(benchmark::kMillisecond);
// The old (last arg 0) and the new curve (1), each beside the other: the
// whole run on a maximised chart (the figure that counts) and on the bench's
// chart, Start's own window, and the maximised chart on a dense screen.
BENCHMARK(BM_NoisyRunRedraw)
    ->Args({1920, 1000, 1, 1, 0})
    ->Args({1920, 1000, 1, 1, 1})
    ->Args({760, 250, 1, 1, 0})
    ->Args({760, 250, 1, 1, 1})
    ->Args({760, 250, 0, 1, 0})
    ->Args({760, 250, 0, 1, 1})
    ->Args({1920, 1000, 1, 2, 0})
    ->Args({1920, 1000, 1, 2, 1})
    ->Unit(benchmark::kMillisecond);
// No references beside five, on the bench's chart and a maximised one; noisy
// runs (legend above the net) and quiet ones (legend in the net).
BENCHMARK(BM_ReferencesRedraw)
    ->Args({760, 250, 0, 0, 0})
    ->Args({760, 250, 5, 0, 0})
    ->Args({760, 250, 0, 1, 0})
    ->Args({760, 250, 5, 1, 0})
    ->Args({1920, 1000, 0, 1, 0})
    ->Args({1920, 1000, 5, 1, 0})
    ->Args({760, 250, 0, 0, 1})
    ->Args({760, 250, 5, 0, 1})
    ->Args({1920, 1000, 0, 1, 1})
    ->Args({1920, 1000, 5, 1, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillImage)->Args({760, 250})->Args({1920, 1000})->Unit(benchmark::kMillisecond);
// Pen widths 1 (the cheap thin line) and 2 (the painter's own wide stroke).
BENCHMARK(BM_OnePolyline)
    ->Args({760, 250, 1})
    ->Args({1920, 1000, 1})
    ->Args({760, 250, 2})
    ->Args({1920, 1000, 2})
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
