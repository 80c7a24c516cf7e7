#include "app/StudyChart.h"

#include <algorithm>
#include <cmath>

#include "app/RunCharts.h"
#include "bench/CResults.h"
#include "chart/TDiagram.h"

namespace {

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// The measured marks in the blue of the first reference curves' palette,
// the theory in black, the matched filter's level in orange and dashed: apart
// in colour under colour-blindness, and in shape when printed black.
const QColor MeasuredColor(0x1F, 0x15, 0xD2);
const QColor TheoryColor(Qt::black);
const QColor MatchedColor(0xE0, 0x7F, 0x10);
const std::vector<double> MatchedDashes{8, 4};

// The look of series k, set after its data, which gives it the analog kind.
void Look(TKeeper& k, unsigned char kind, const QColor& color, const char* name, bool beneath) {
    k.SetGraphKind(kind);
    k.SetColor(color);
    k.SetPenWidth(2);
    k.SetName(name);
    k.SetInLegend(true);
    k.SetBeneath(beneath);
}

// Puts y into series k, the values' chart x evenly spaced from first to last
// (a single value gets a grid step of 1, which places it all the same);
// hidden without values.
void Fill(TKeeper& k, const std::vector<double>& y, double first, double last) {
    const int n = static_cast<int>(y.size());
    if (n == 0 || !k.CopyData(y.data(), n, first, n > 1 ? last : first + 1.0)) {
        k.Clear();
        k.Hide();
        return;
    }
    k.Show();
}

// The efficiency where it has a value; where it has none, a value far below
// any range, whose mark the chart leaves out.
constexpr double NoEfficiency = -1000.0;
double Shown(const std::optional<double>& eta) {
    return eta && std::isfinite(*eta) ? *eta : NoEfficiency;
}

void ShowMeasured(TKeeper& k, const CStudyRecord& record) {
    std::vector<double> eta;
    bool any = false;
    for (const CStudyPoint& p : record.Points) {
        eta.push_back(Shown(p.Figures.Efficiency));
        any = any || p.Figures.Efficiency.has_value();
    }
    const CStudyRequest& r = record.Request;
    Fill(k, eta, eta.empty() ? 0.0 : StudyChartX(r, record.Points.front().Value),
         eta.empty() ? 0.0 : StudyChartX(r, record.Points.back().Value));
    Look(k, gkDiscret, MeasuredColor, "измерено", false);
    k.SetMarksOnly(true);
    if (!any) {
        k.Hide();
    }
}

void ShowTheory(TKeeper& k, const CStudyRequest& r, const CStudyCurve& curve) {
    std::vector<double> eta;
    for (const std::optional<double>& e : curve.Efficiency) {
        // Theory has a value at every value a study runs.
        eta.push_back(e.value_or(0.0));
    }
    const std::size_t n = eta.size();
    if (n < 2) {
        Fill(k, eta, n ? StudyChartX(r, curve.Values[0]) : 0.0, 0.0);
    } else {
        // Carried on in a straight line for a few steps beyond either bound:
        // a curve reads zero past its samples, and the net reaches a few
        // pixels past the bounds.
        const double first = StudyChartX(r, curve.Values.front());
        const double last = StudyChartX(r, curve.Values.back());
        const double step = (last - first) / static_cast<double>(n - 1);
        const double head = eta[1] - eta[0];
        const double tail = eta[n - 1] - eta[n - 2];
        std::vector<double> padded;
        for (int i = StudyCurvePad; i > 0; --i) {
            padded.push_back(std::max(0.0, eta[0] - i * head));
        }
        padded.insert(padded.end(), eta.begin(), eta.end());
        for (int i = 1; i <= StudyCurvePad; ++i) {
            padded.push_back(std::max(0.0, eta[n - 1] + i * tail));
        }
        Fill(k, padded, first - StudyCurvePad * step, last + StudyCurvePad * step);
    }
    Look(k, gkAnalog, TheoryColor, "теория", true);
}

void ShowMatched(TKeeper& k, const CStudyRequest& r, double xmin, double xmax, bool shown) {
    // Beyond the range on both sides, so that the level runs from edge to
    // edge of the net, also after the range is widened within its limits.
    const double span = xmax - xmin;
    k.SetConstantData(MatchedFilterEfficiency(r.SignalItem), 2, xmin - span, xmax + span);
    Look(k, gkAnalog, MatchedColor, "согласованный фильтр", true);
    k.SetDashPattern(MatchedDashes);
    shown ? k.Show() : k.Hide();
}

// The chart's x range of a request: its bounds, a single value in the middle
// of a range a tenth of it wide on each side.
void XRange(const CStudyRequest& r, double& xmin, double& xmax) {
    xmin = StudyChartX(r, r.From);
    xmax = StudyChartX(r, r.To);
    if (xmax - xmin < 1e-6) {
        const double d = std::max(std::fabs(xmin) * 0.1, 1.0);
        xmin -= d;
        xmax += d;
    }
}

// Room above the largest efficiency shown, at least 1.
double YTop(const CStudyRecord& record) {
    double top = 1.0;
    for (const CStudyPoint& p : record.Points) {
        if (p.Figures.Efficiency && std::isfinite(*p.Figures.Efficiency)) {
            top = std::max(top, *p.Figures.Efficiency);
        }
    }
    return std::min(top, 100.0) * 1.1;
}

} // namespace

void SetUpStudyChart(TDiagram& chart, int filterItem) {
    TDiagramBatch batch(chart);
    SetChartFaces(chart);
    chart.SetNameDiagram(QStringLiteral("Эффективность фильтра"));
    chart.SetNameY(QStringLiteral("η"));
    chart.SetNameX(StudyAxisName(filterItem));
}

QString StudyAxisName(int filterItem) {
    const int p = ParameterOfFilter(filterItem);
    if (p == NoBenchParameter) {
        return QStringLiteral("Параметр");
    }
    QString name = QString::fromUtf8(BenchParameters[p].Symbol);
    if (*BenchParameters[p].Unit != '\0') {
        name += QStringLiteral(", ") + QString::fromUtf8(BenchParameters[p].Unit);
    }
    return name;
}

QString StudyOptimumText(int filterItem, const CStudyOptimum& optimum) {
    const int p = ParameterOfFilter(filterItem);
    QString line;
    if (p != NoBenchParameter) {
        const double v = std::fabs(optimum.Value);
        const int digits =
            v >= 1 ? std::max(3, static_cast<int>(std::floor(std::log10(v))) + 1) : 3;
        line = QString::fromUtf8(BenchParameters[p].Symbol) + QStringLiteral(" = ") +
               Text(SignificantText(optimum.Value, digits)) + QLatin1Char(' ') +
               QString::fromUtf8(BenchParameters[p].Unit);
        line = line.trimmed() + QLatin1Char('\n');
    }
    line += QStringLiteral("η = ") + Text(EfficiencyText(optimum.Efficiency));
    if (optimum.LossDb) {
        // The efficiency in decibels: below the matched filter, so negative,
        // with a true minus sign.
        QString db = Text(LossText(-*optimum.LossDb));
        if (db.startsWith(QLatin1Char('-'))) {
            db.replace(0, 1, QChar(0x2212));
        }
        line += QStringLiteral(" (%1 дБ)").arg(db);
    }
    return line;
}

double StudyChartX(const CStudyRequest& request, double value) {
    return StudyIsLogarithmic(request) && value > 0 ? std::log10(value) : value;
}

void ShowStudy(TDiagram& chart, const CStudyRecord& record, const CStudyCurve& curve) {
    const CStudyRequest& r = record.Request;
    TDiagramBatch batch(chart);
    SetUpStudyChart(chart, r.FilterItem);
    if (chart.GetKeeperListLength() != StudySeriesCount) {
        chart.NewKeeperList(StudySeriesCount);
    }
    chart.SetLogarithmicX(StudyIsLogarithmic(r));
    double xmin = 0, xmax = 1;
    XRange(r, xmin, xmax);
    const double ytop = YTop(record);
    chart.SetLimitX(xmin, xmax);
    chart.SetRangeX(xmin, xmax);
    chart.SetLimitY(0.0, std::max(1.5, ytop));
    chart.SetRangeY(0.0, ytop);
    ShowMeasured(*chart.GetKeeper(ssMeasured), record);
    ShowTheory(*chart.GetKeeper(ssTheory), r, record.Points.empty() ? CStudyCurve{} : curve);
    ShowMatched(*chart.GetKeeper(ssMatched), r, xmin, xmax, !record.Points.empty());
    std::vector<TChartNote> notes;
    if (const std::optional<CStudyOptimum> best = StudyOptimum(record, curve);
        best && !record.Points.empty()) {
        notes.push_back(
            {StudyChartX(r, best->Value), best->Efficiency, StudyOptimumText(r.FilterItem, *best)});
    }
    chart.SetNotes(notes);
    chart.ShowDiagram();
}

void ShowStudy(TDiagram& chart, const CStudyRecord& record) {
    ShowStudy(chart, record,
              record.Points.empty() ? CStudyCurve{} : StudyTheoryCurve(record.Request));
}

QImage RenderStudyChart(const CStudyRecord& record, QSize size, qreal ratio, TLegendPlace legend) {
    TDiagram chart;
    chart.resize(size);
    {
        TDiagramBatch batch(chart);
        ShowStudy(chart, record);
        chart.SetPrintMode();
    }
    return chart.RenderPicture(ratio, legend);
}
