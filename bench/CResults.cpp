#include "bench/CResults.h"

#include <cmath>

#include "base/FloatToText.h"
#include "base/TextTable.h"

namespace {

const char* const ColumnNames[ResultColumnCount] = {
    "Фильтр", "Параметр", "Сигнал", "U, мВ", "Усиление", "P, мВ*мВ", "q", "η", "Потери, дБ"};

// Filter and parameter: what a run and a measurement must share to pair.
bool SameFilter(const CBenchSetup& a, const CBenchSetup& b) {
    if (a.FilterItem != b.FilterItem) {
        return false;
    }
    const int p = ParameterOfFilter(a.FilterItem);
    return p == NoBenchParameter || a.Values[p] == b.Values[p];
}

bool NoiseFreeRun(const CJournalRow& row) {
    return row.Run && !NoiseAddedForItem(row.Setup.NoiseItem) && SignalOnForItem(row.Setup.SignalItem);
}

bool NoiseAloneMeasurement(const CJournalRow& row) {
    return !row.Run && !SignalOnForItem(row.Setup.SignalItem) &&
           NoiseAddedForItem(row.Setup.NoiseItem);
}

std::string Dash() {
    return "—";
}

} // namespace

std::vector<CResultRow> JournalResults(const std::vector<CJournalRow>& rows) {
    std::vector<CResultRow> results;
    for (const CJournalRow& row : rows) {
        if (!NoiseFreeRun(row) || !RunsBenchFilter(row.Setup)) {
            continue;
        }
        CResultRow* group = nullptr;
        for (CResultRow& r : results) {
            if (SameFilter(r.Run, row.Setup) && r.Run.SignalItem == row.Setup.SignalItem) {
                group = &r;
            }
        }
        if (group == nullptr) {
            results.emplace_back();
            group = &results.back();
        }
        group->Run = row.Setup;
        group->Peak = std::fabs(row.Peak.Value);
        group->RunTime = row.Time;
    }
    for (CResultRow& r : results) {
        for (const CJournalRow& row : rows) {
            if (NoiseAloneMeasurement(row) && SameFilter(r.Run, row.Setup)) {
                r.Measurement = row.Setup;
                r.Power = row.Power;
                r.MeasurementTime = row.Time;
            }
        }
        if (r.Measurement) {
            r.Figures = MeasuredFigures(r.Run, r.Peak, *r.Measurement, r.Power);
        }
    }
    return results;
}

const char* ResultColumnName(int column) {
    return column >= 0 && column < ResultColumnCount ? ColumnNames[column] : "";
}

bool ResultColumnIsNumber(int column) {
    return column >= rcPeak && column < ResultColumnCount;
}

std::string ResultCell(const CResultRow& row, int column) {
    const bool measured = row.Measurement.has_value();
    switch (column) {
    case rcFilter:
        return FilterItemName(row.Run.FilterItem);
    case rcParameter: {
        const int p = ParameterOfFilter(row.Run.FilterItem);
        return p == NoBenchParameter ? Dash() : ParameterText(p, row.Run.Values[p]);
    }
    case rcSignal:
        return SignalItemName(row.Run.SignalItem);
    case rcPeak:
        return PeakText(row.Peak);
    case rcGain:
        return measured ? BenchNumberText(row.Measurement->Values[bpGain]) : Dash();
    case rcPower:
        return measured ? PowerText(row.Power) : Dash();
    case rcRatio:
        return RatioText(row.Figures.Q);
    case rcEfficiency:
        return EfficiencyText(row.Figures.Efficiency);
    case rcLoss:
        return LossText(row.Figures.LossDb);
    default:
        return std::string();
    }
}

TTextTable ResultsTable(const std::vector<CResultRow>& rows) {
    return MakeTextTable(rows, ResultColumnCount, ResultColumnName, ResultCell);
}

std::vector<bool> ResultNumberColumns() {
    return ColumnFlags(ResultColumnCount, ResultColumnIsNumber);
}

std::string ResultsTsv(const std::vector<CResultRow>& rows) {
    return TableTsv(ResultsTable(rows));
}

std::string ResultsCsv(const std::vector<CResultRow>& rows) {
    return TableCsv(ResultsTable(rows));
}

std::string PeakText(std::optional<double> peak) {
    return peak && std::isfinite(*peak) ? FloatToText(2, *peak) : Dash();
}

std::string PowerText(std::optional<double> power) {
    return power && std::isfinite(*power) ? SignificantText(*power, 4) : Dash();
}

std::string RatioText(std::optional<double> ratio) {
    return ratio && std::isfinite(*ratio) ? SignificantText(*ratio, 4) : Dash();
}

std::string EfficiencyText(std::optional<double> efficiency) {
    return efficiency && std::isfinite(*efficiency) ? FloatToText(3, *efficiency) : Dash();
}

std::string LossText(std::optional<double> lossDb) {
    return lossDb && std::isfinite(*lossDb) ? FloatToText(2, *lossDb) : Dash();
}
