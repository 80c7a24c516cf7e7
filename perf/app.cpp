// "Пуск" as the student sees it: the whole handler (run, both charts drawn,
// the page shown), beside the run alone, in the same process.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <memory>

#include "app/TForm1.h"
#include "app/THelloForm.h"
#include "bench/BenchSamples.h"
#include "bench/CBench.h"

namespace {

// range(0): 0 = delta impulse without noise, 1 = rectangular impulse with
// noise (the busiest curves to draw).
CBenchControls ControlsFor(int config) {
    CBenchControls c;
    c.SignalItem = config == 0 ? siDelta : siRectangle;
    c.NoiseItem = config == 0 ? niOff : niOn;
    return c;
}

void BM_ComputeRun(benchmark::State& state) {
    SeedRandom(1);
    CBench bench;
    const CBenchControls controls = ControlsFor(state.range(0));
    for (auto _ : state) {
        bench.ComputeRun(controls);
        benchmark::DoNotOptimize(OutputSamples[RunSamples - 1]);
    }
}
BENCHMARK(BM_ComputeRun)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_StartHandler(benchmark::State& state) {
    SeedRandom(1);
    auto form = std::make_unique<TForm1>();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* splash = qobject_cast<THelloForm*>(w)) {
            splash->close();
        }
    }
    const CBenchControls c = ControlsFor(state.range(0));
    form->ComboBox1->setCurrentIndex(c.SignalItem);
    form->ComboBox3->setCurrentIndex(c.NoiseItem);
    form->ComboBox1Change();
    form->show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        form->BitBtn1Click();
        // The charts' pictures are drawn inside the handler; this puts them
        // on the screen.
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_StartHandler)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
