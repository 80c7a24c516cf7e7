// "Пуск" as the student sees it: the whole handler (run, both charts drawn,
// the page shown, the journal's recovery file written after it), beside the
// run alone and beside its floor (the run and one drawing of each chart), in
// the same process.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "app/TForm1.h"
#include "app/THelloForm.h"
#include "app/TRecoveryFile.h"
#include "bench/CBench.h"
#include "chart/TDiagram.h"
#include "controls/TDiagramFrame.h"

namespace {

// range(0): 0 = delta impulse without noise, 1 = rectangular impulse with
// noise (the busiest curves to draw).
CSetupSource SourceFor(int config) {
    CSetupSource c;
    c.SignalItem = config == 0 ? siDelta : siRectangle;
    c.NoiseItem = config == 0 ? niOff : niOn;
    return c;
}

void BM_ComputeRun(benchmark::State& state) {
    SeedRandom(1);
    CBench bench;
    const CSetupSource source = SourceFor(state.range(0));
    std::vector<double> input(RunSamples), output(RunSamples);
    for (auto _ : state) {
        const CBenchRun run = bench.ComputeRun(source, {input.data(), output.data()});
        benchmark::DoNotOptimize(run.Output[RunSamples - 1]);
    }
}
BENCHMARK(BM_ComputeRun)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The main window on screen with the bench set up as config asks, after one
// «Пуск», so that both charts show a run.
std::unique_ptr<TForm1> ShownForm(int config) {
    SeedRandom(1);
    auto form = std::make_unique<TForm1>();
    // «Пуск» as the program runs it: the journal kept in a recovery file
    // after each change, a folder of its own for each window.
    static QTemporaryDir data;
    static int forms = 0;
    form->EnableRecovery(data.filePath(QString::number(++forms)));
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* splash = qobject_cast<THelloForm*>(w)) {
            splash->close();
        }
    }
    const CSetupSource c = SourceFor(config);
    form->ComboBox1->setCurrentIndex(c.SignalItem);
    form->ComboBox3->setCurrentIndex(c.NoiseItem);
    form->ComboBox1Change();
    form->show();
    form->BitBtn1Click();
    QCoreApplication::processEvents();
    return form;
}

void BM_StartHandler(benchmark::State& state) {
    auto form = ShownForm(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        form->BitBtn1Click();
        // The charts' pictures are drawn inside the handler; this puts them
        // on the screen.
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_StartHandler)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What «Пуск» cannot do without: the run, read from the same fields, and one
// drawing of each chart at its size, put on the screen. The handler is held
// against this.
void BM_StartFloor(benchmark::State& state) {
    auto form = ShownForm(static_cast<int>(state.range(0)));
    std::vector<double> input(RunSamples), output(RunSamples);
    for (auto _ : state) {
        form->Bench.ComputeRun(form->SetupSource(), {input.data(), output.data()});
        form->DiagramFrame1->Diagram->ShowDiagram();
        form->DiagramFrame2->Diagram->ShowDiagram();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_StartFloor)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One write of the recovery file with range(0) journal rows, as its timer
// makes it after a change: what the delay after a change saves «Пуск» from.
void BM_RecoveryWrite(benchmark::State& state) {
    CLabSession session;
    std::vector<CJournalRow> rows(static_cast<std::size_t>(state.range(0)));
    for (CJournalRow& row : rows) {
        row.Time = "14:03:27";
        row.Run = true;
        row.Peak.Value = 98.123456789;
        row.Note = "примечание студента";
    }
    session.AddRows(rows);
    QTemporaryDir data;
    TRecoveryFile recovery(session, data.path());
    for (auto _ : state) {
        if (!recovery.WriteNow()) {
            state.SkipWithError("the recovery file could not be written");
            break;
        }
    }
}
BENCHMARK(BM_RecoveryWrite)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

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
