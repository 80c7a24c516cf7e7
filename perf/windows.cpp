// Cost of the enlarged chart window at 1920 x 1000 with the bench's series:
// one arrow step with its redraw, the same step with series drawing held off
// ("Не показывать график при изменении пределов" down), and opening the
// window (AssignDiagram), each beside one plain ShowDiagram of the same chart
// measured in the same run. The arrow steps are measured once more with every
// grid line and background left to the painter, the baseline of the pixels
// the chart writes directly.

#include <QApplication>
#include <QFont>
#include <QToolButton>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

#include "bench/CBench.h"
#include "chart/TDiagram.h"
#include "controls/TDiagramIncrease.h"

namespace {

std::unique_ptr<TDiagram> MakeChart(const double* samples, const char* title, const char* y) {
    auto d = std::make_unique<TDiagram>();
    d->resize(760, 250);
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(16);
    d->SetFontNet(f);
    f.setBold(true);
    f.setItalic(true);
    d->SetFontName(f);
    d->SetFontNameX(f);
    d->SetFontNameY(f);
    d->SetNameDiagram(QString::fromUtf8(title));
    d->SetNameY(QString::fromUtf8(y));
    d->SetNameX(QStringLiteral("t, мс"));
    d->GetKeeper(0)->SetData(samples, 7500, -2500.0, 4999.0);
    d->SetRangeX(-250.0, 500.0);
    d->SetLimitX(-2250.0, 4499.1);
    d->AutoRangeY();
    return d;
}

// The main window's two charts after a run: delta impulse with noise through
// the matched filter.
struct Setup {
    Setup() {
        CBench bench;
        CSetupSource setup;
        setup.SignalItem = siDelta;
        setup.NoiseItem = niOn;
        setup.FilterItem = fiMaf;
        const CBenchRun run = bench.ComputeRun(setup, {Input.data(), Output.data()});
        source = MakeChart(run.Input, "Сигнал на входе фильтра", "sвх(t), B");
        other = MakeChart(run.Output, "Сигнал на выходе фильтра", "sвых(t), мВ");
        window = std::make_unique<TDiagramIncrease>();
        // The maximised window's chart.
        window->Diagram1->resize(1920, 1000);
        window->AssignDiagram(source.get());
    }
    // The charts show the run's samples in place.
    std::vector<double> Input = std::vector<double>(RunSamples);
    std::vector<double> Output = std::vector<double>(RunSamples);
    std::unique_ptr<TDiagram> source;
    std::unique_ptr<TDiagram> other;
    std::unique_ptr<TDiagramIncrease> window;
};

Setup& TheSetup() {
    static Setup setup;
    return setup;
}

void BM_ShowDiagram(benchmark::State& state) {
    TDiagram* d = TheSetup().window->Diagram1;
    for (auto _ : state) {
        d->ShowDiagram();
        benchmark::DoNotOptimize(d->GetPicture().constBits());
    }
}

// Right, then left again, so the range stays where it was.
void BM_ArrowStep(benchmark::State& state) {
    TDiagramIncrease* w = TheSetup().window.get();
    const bool netOnly = state.range(0) != 0;
    w->Diagram1->SetDirectDrawing(state.range(1) != 0);
    w->SpeedButton1->setChecked(netOnly);
    w->UpDown1MouseDown();
    bool right = true;
    for (auto _ : state) {
        w->UpDown4Click(right ? TArrowPair::btNext : TArrowPair::btPrev);
        right = !right;
        benchmark::DoNotOptimize(w->Diagram1->GetPicture().constBits());
    }
    w->UpDown1MouseUp();
    w->SpeedButton1->setChecked(false);
    w->Diagram1->SetDirectDrawing(true);
}

// Opening for the other chart each time, so that names and ranges change
// as they do between the two charts of the main window.
void BM_AssignDiagram(benchmark::State& state) {
    Setup& s = TheSetup();
    bool first = true;
    for (auto _ : state) {
        s.window->AssignDiagram(first ? s.other.get() : s.source.get());
        first = !first;
        benchmark::DoNotOptimize(s.window->Diagram1->GetPicture().constBits());
    }
    s.window->AssignDiagram(s.source.get());
}

// Every setting copied anew, as for a chart whose every setting differs.
void BM_AssignDiagramEverySetting(benchmark::State& state) {
    Setup& s = TheSetup();
    TDiagram* d = s.window->Diagram1;
    for (auto _ : state) {
        state.PauseTiming();
        d->EnableLine(false);
        d->SetColorBackDiagram(Qt::gray);
        d->SetColorBackNet(Qt::yellow);
        d->SetColorNetLine(Qt::blue);
        d->SetPenStyleNetLine(Qt::SolidLine);
        d->SetNameY(QString());
        d->SetNameX(QString());
        d->SetNameDiagram(QString());
        d->SetLimitX(-3000.0, 5000.0);
        d->SetLimitY(-50000.0, 50000.0);
        d->SetRangeX(0.0, 1.0);
        d->SetRangeY(0.0, 1.0);
        state.ResumeTiming();
        s.window->AssignDiagram(s.source.get());
        benchmark::DoNotOptimize(d->GetPicture().constBits());
    }
}

} // namespace

BENCHMARK(BM_ShowDiagram)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArrowStep)
    ->Args({0, 1})
    ->Args({1, 1})
    ->Args({0, 0})
    ->Args({1, 0})
    ->ArgNames({"netOnly", "direct"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AssignDiagram)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AssignDiagramEverySetting)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The window borrows the source's series: close the link before both go.
    TheSetup().window->ReturnLimits();
    TheSetup().window.reset();
    TheSetup().source.reset();
    TheSetup().other.reset();
    return 0;
}
