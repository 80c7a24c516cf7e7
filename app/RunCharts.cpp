#include "app/RunCharts.h"

#include "app/OutputReferences.h"
#include "app/RunOnChart.h"
#include "bench/CLabSession.h"
#include "chart/TDiagram.h"
#include "chart/TReferenceCurves.h"

namespace {

QFont ChartFont(bool boldItalic) {
    QFont font("Times New Roman");
    font.setPixelSize(16);
    font.setBold(boldItalic);
    font.setItalic(boldItalic);
    return font;
}

} // namespace

void SetChartFaces(TDiagram& chart) {
    TDiagramBatch batch(chart);
    chart.SetFontName(ChartFont(true));
    chart.SetFontNameX(ChartFont(true));
    chart.SetFontNameY(ChartFont(true));
    chart.SetFontNet(ChartFont(false));
}

void SetUpRunChart(TDiagram& chart, bool output) {
    TDiagramBatch batch(chart);
    SetChartFaces(chart);
    chart.SetNameDiagram(QString::fromUtf8(output ? "Сигнал на выходе фильтра"
                                                  : "Сигнал на входе фильтра"));
    chart.SetNameY(QString::fromUtf8(output ? "sвых(t), мВ" : "sвх(t), B"));
    chart.SetNameX(QString::fromUtf8("t, мс"));
}

TChartView ViewOf(const TDiagram& chart) {
    return {chart.GetXmin(), chart.GetXmax(), chart.GetYmin(), chart.GetYmax(),
            chart.GetNetMargins()};
}

QImage RenderRunChart(const CBenchRun& run, bool output, const std::vector<CKeptOutput>& kept,
                      const TChartView& view, qreal ratio, TLegendPlace legend) {
    TDiagram chart;
    chart.resize(RunChartWidth, RunChartHeight);
    {
        TDiagramBatch batch(chart);
        SetUpRunChart(chart, output);
        TReferenceCurves references(chart);
        if (output) {
            ShowKeptOutputs(references, run, kept);
        }
        ShowRunOnChart(chart, run, output);
        chart.SetRangeX(view.Xmin, view.Xmax);
        chart.SetRangeY(view.Ymin, view.Ymax);
        chart.SetMinNetMargins(view.Margins);
    }
    return chart.RenderPicture(ratio, legend);
}
