// The study page's redraw after a 20-value study of the first-order low-pass
// for the rectangle (10..1000 ms, a logarithmic axis): the chart and the
// table shown again from the session's record, beside the floor of one bare
// redraw of the same chart, and beside what a new study's record costs the
// page in all (its theory curve of 200 values worked out first). All on
// screen, at the window's size, in the same process.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "app/TForm1.h"
#include "app/THelloForm.h"
#include "app/TStudyPage.h"
#include "bench/CBenchStudy.h"
#include "chart/TDiagram.h"
#include "controls/TDiagramFrame.h"

namespace {

CStudyRecord LowPassStudy() {
    CStudyRequest r;
    r.FilterItem = fiLowBand1;
    r.SignalItem = siRectangle;
    r.From = 10;
    r.To = 1000;
    r.Points = 20;
    r.NoiseSeed = 2024;
    CBenchStudy study(r);
    study.Run();
    return RecordOf(study);
}

// The main window on screen, its study page showing a 20-value study.
std::unique_ptr<TForm1> ShownStudy() {
    auto form = std::make_unique<TForm1>();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* splash = qobject_cast<THelloForm*>(w)) {
            splash->close();
        }
    }
    form->show();
    form->PageControl1->setCurrentWidget(form->StudyPage);
    static const CStudyRecord record = LowPassStudy();
    form->Session.SetStudy(record);
    QCoreApplication::processEvents();
    return form;
}

void BM_StudyPageRedraw(benchmark::State& state) {
    auto form = ShownStudy();
    for (auto _ : state) {
        form->StudyPage->ShowRecord();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_StudyPageRedraw)->Unit(benchmark::kMillisecond);

void BM_StudyChartFloor(benchmark::State& state) {
    auto form = ShownStudy();
    for (auto _ : state) {
        form->StudyPage->StudyChart->Diagram->ShowDiagram();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_StudyChartFloor)->Unit(benchmark::kMillisecond);

void BM_StudyPageNewRecord(benchmark::State& state) {
    auto form = ShownStudy();
    const CStudyRecord record = *form->Session.Study();
    for (auto _ : state) {
        form->Session.SetStudy(record);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_StudyPageNewRecord)->Unit(benchmark::kMillisecond);

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
