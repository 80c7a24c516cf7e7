// Redraw cost of the chart: the bench's chart and a maximised one, beside two
// baselines on an image of the same size (filling it, and one polyline across
// its width), so that figures from a busy machine can be read as ratios.

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QVector>
#include <benchmark/benchmark.h>
#include <random>
#include <vector>

#include "chart/TDiagram.h"

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
