#include "chart/ChartCsv.h"

#include <cmath>
#include <vector>

#include "base/CsvDialect.h"
#include "base/CsvNumber.h"
#include "chart/TDiagram.h"
#include "files/DocumentFile.h"
#include "files/SaveAs.h"

namespace {

// Arguments this close (in steps) to a sample's are taken as that sample's.
constexpr double kSameArgument = 1e-6;

bool HasSamples(const TKeeper& k) {
    return k.IsVisible() && k.GetDataKind() >= dkFloatArray && k.GetCount() > 0;
}

std::vector<TKeeper*> DataSeries(TDiagram& chart) {
    std::vector<TKeeper*> series;
    for (TKeeper* k = chart.GetKeeper(0); k != nullptr && series.size() < 256; k = k->GetNext()) {
        if (HasSamples(*k)) {
            series.push_back(k);
        }
    }
    return series;
}

// Sample value n of k as its reading scales it.
double Value(TKeeper& k, int n) {
    const double v = k.GetSample(n);
    return k.GetScale() != 1.0 ? v * k.GetScale() : v;
}

// The sample of k at argument t, if it has one there.
bool SampleAt(TKeeper& k, double t, double& v) {
    const double step = k.GetStep();
    const double m = k.GetCount() > 1 ? (t - k.GetXmin()) / step : (t - k.GetXmin());
    const double n = std::round(m);
    if (!std::isfinite(m) || std::fabs(m - n) > kSameArgument || n < 0 || n >= k.GetCount()) {
        return false;
    }
    v = Value(k, static_cast<int>(n));
    return true;
}

// The unit a Y axis name such as "sвых(t), мВ" gives after its last comma;
// empty when it gives none.
QString AxisUnit(const QString& axisName) {
    const qsizetype comma = axisName.lastIndexOf(QLatin1Char(','));
    return comma < 0 ? QString() : axisName.mid(comma + 1).trimmed();
}

// The heading line: the argument, then each series' column.
std::string Heading(TDiagram& chart, const std::vector<TKeeper*>& series) {
    const QString axisY = chart.GetNameY();
    const QString unit = AxisUnit(axisY);
    std::string text = CsvByteOrderMark;
    text += CsvField(chart.GetNameX().toStdString());
    for (const TKeeper* k : series) {
        QString name = axisY;
        if (k->GetInLegend() && !k->GetName().empty()) {
            name = QString::fromStdString(k->GetName());
            if (!unit.isEmpty()) {
                name += QStringLiteral(", ") + unit;
            }
        }
        text += CsvSeparator;
        text += CsvField(name.toStdString());
    }
    text += CsvLineEnd;
    return text;
}

} // namespace

bool HasChartData(TDiagram& chart) {
    return !DataSeries(chart).empty();
}

std::string ChartCsv(TDiagram& chart) {
    const std::vector<TKeeper*> series = DataSeries(chart);
    std::string text = Heading(chart, series);
    if (series.empty()) {
        return text;
    }

    TKeeper& first = *series.front();
    const double x0 = first.GetXmin();
    const double step = first.GetCount() > 1 ? first.GetStep() : 1.0;
    const double last = first.GetCount() - 1.0;
    // The samples whose arguments lie in the range, found from their indices
    // and put right by the very test each line must pass.
    double from = std::max(0.0, std::ceil((chart.GetXmin() - x0) / step - kSameArgument));
    double to = std::min(last, std::floor((chart.GetXmax() - x0) / step + kSameArgument));
    if (!(from <= to)) {
        return text;
    }
    // One line is at most 25 characters per column and its end. No cell
    // needs quotes: a number holds no separator.
    std::vector<char> line(25 * (series.size() + 1) + 2);
    char* const end = line.data() + line.size();
    text.reserve(text.size() + static_cast<std::size_t>(to - from + 1) * 20 * (series.size() + 1));
    for (int n = static_cast<int>(from); n <= static_cast<int>(to); ++n) {
        const double t = first.GetCount() > 1 ? x0 + n * step : x0;
        char* p = FormatCsvArgument(line.data(), end, chart.ShownX(t), CsvDecimalMark);
        for (std::size_t i = 0; i < series.size(); ++i) {
            *p++ = CsvSeparator[0];
            double v = 0;
            if (i == 0) {
                p = FormatCsvNumber(p, end, Value(first, n), CsvDecimalMark);
            } else if (SampleAt(*series[i], t, v)) {
                p = FormatCsvNumber(p, end, v, CsvDecimalMark);
            }
        }
        for (const char* e = CsvLineEnd; *e != '\0'; ++e) {
            *p++ = *e;
        }
        text.append(line.data(), p);
    }
    return text;
}

bool SaveChartCsv(TDiagram& chart, QWidget* parent) {
    return SaveAs(
        parent,
        {TDocumentKind::ChartData, QStringLiteral("Диаграмма.csv"), QStringLiteral("CSV (*.csv)"),
         QStringLiteral("csv"), TExtensionRule::AsChosen, TReplaceCheck::Question},
        [&chart](const QString& fileName) { return WriteTextFile(ChartCsv(chart), fileName); });
}
