#include "bench/CJournal.h"

#include <cmath>

#include "base/CsvDialect.h"
#include "base/FloatToText.h"
#include "bench/CBench.h"

namespace {

const char* const ColumnNames[JournalColumnCount] = {"Время",
                                                     "Сигнал",
                                                     "Шум",
                                                     "Усиление",
                                                     "Фильтр",
                                                     "Параметр",
                                                     "Регистратор, мВ*мВ",
                                                     "Пик выхода, мВ",
                                                     "Время пика, мс"};

std::string FilterParameterText(const CBenchSetup& setup) {
    const int p = ParameterOfFilter(setup.FilterItem);
    return p == NoBenchParameter ? "—" : ParameterText(p, setup.Values[p]);
}

// The cells of one line of either text form, in column order.
template <class Field>
std::string Line(const Field& field, const char* separator, const char* end) {
    std::string line;
    for (int c = 0; c < JournalColumnCount; ++c) {
        if (c > 0) {
            line += separator;
        }
        line += field(c);
    }
    line += end;
    return line;
}

std::string TsvCell(std::string text) {
    for (char& ch : text) {
        if (ch == '\t' || ch == '\n' || ch == '\r') {
            ch = ' ';
        }
    }
    return text;
}

} // namespace

CRunPeak FindRunPeak(const double* outputSamples) {
    CRunPeak peak;
    double largest = -1.0;
    for (int k = PreRollLength; k < RunSamples; ++k) {
        const double magnitude = std::fabs(outputSamples[k]);
        if (magnitude > largest) {
            largest = magnitude;
            peak.Value = outputSamples[k];
            peak.Time = k - PreRollLength;
        }
    }
    return peak;
}

CBenchSetup AppliedSetup(const CBench& bench, const CBenchControls& controls) {
    CBenchSetup setup;
    setup.SignalItem = controls.SignalItem;
    setup.NoiseItem = controls.NoiseItem;
    setup.FilterItem = controls.FilterItem;
    for (int p = 0; p < BenchParameterCount; ++p) {
        setup.Values[p] = bench.ParameterValue(p);
    }
    return setup;
}

CJournalRow RunRow(const std::string& time, const CBenchSetup& setup, const double* outputSamples) {
    CJournalRow row;
    row.Time = time;
    row.Setup = setup;
    row.Run = true;
    row.Peak = FindRunPeak(outputSamples);
    return row;
}

CJournalRow MeasurementRow(const std::string& time, const CBenchSetup& setup,
                           const std::string& reading) {
    CJournalRow row;
    row.Time = time;
    row.Setup = setup;
    row.Reading = reading;
    return row;
}

const char* JournalColumnName(int column) {
    return column >= 0 && column < JournalColumnCount ? ColumnNames[column] : "";
}

bool JournalColumnIsNumber(int column) {
    return column == jcGain || column == jcReading || column == jcPeak || column == jcPeakTime;
}

std::string JournalCell(const CJournalRow& row, int column) {
    switch (column) {
    case jcTime:
        return row.Time;
    case jcSignal:
        return SignalItemName(row.Setup.SignalItem);
    case jcNoise:
        return NoiseItemName(row.Setup.NoiseItem);
    case jcGain:
        return BenchNumberText(row.Setup.Values[bpGain]);
    case jcFilter:
        return FilterItemName(row.Setup.FilterItem);
    case jcParameter:
        return FilterParameterText(row.Setup);
    case jcReading:
        return row.Run ? std::string() : row.Reading;
    case jcPeak:
        return row.Run ? FloatToText(2, row.Peak.Value) : std::string();
    case jcPeakTime:
        return row.Run ? std::to_string(row.Peak.Time) : std::string();
    default:
        return std::string();
    }
}

std::string JournalTsv(const std::vector<CJournalRow>& rows) {
    std::string text = Line([](int c) { return TsvCell(JournalColumnName(c)); }, "\t", "\n");
    for (const CJournalRow& row : rows) {
        text += Line([&row](int c) { return TsvCell(JournalCell(row, c)); }, "\t", "\n");
    }
    return text;
}

std::string JournalCsv(const std::vector<CJournalRow>& rows) {
    std::string text = CsvByteOrderMark;
    text += Line([](int c) { return CsvField(JournalColumnName(c)); }, CsvSeparator, CsvLineEnd);
    for (const CJournalRow& row : rows) {
        text +=
            Line([&row](int c) { return CsvField(JournalCell(row, c)); }, CsvSeparator, CsvLineEnd);
    }
    return text;
}
